#include "Interval.h"

#include "Helpers.h"
#include "InvalidOperationException.h"

#include <algorithm>
#include <climits>

namespace vantor
{
namespace MusicTheory
{
namespace
{
long long stepsOf(const Interval::Number& number)
{
    return number.getDifferenceInStaffPositions();
}
}

Interval::Number::Number() : m_iNumStaffPositions(0) {}

Interval::Number::Number(int iNumStaffPositions) : m_iNumStaffPositions(iNumStaffPositions) {}

int Interval::Number::getNumStaffPositions() const
{
    return m_iNumStaffPositions;
}

int Interval::Number::getDifferenceInStaffPositions() const
{
    if (m_iNumStaffPositions > 0)
        return m_iNumStaffPositions - 1;
    if (m_iNumStaffPositions < 0)
        return m_iNumStaffPositions + 1;
    return 0;
}

void Interval::Number::mapToBaseOctave()
{
    if (m_iNumStaffPositions == 0)
        throw InvalidOperationException("mapToBaseOctave() is not allowed on Interval::Number::none");
    m_iNumStaffPositions = wrap(getDifferenceInStaffPositions(), 0, 6) + 1;
}

Interval::Number Interval::Number::mappedToBaseOctave() const
{
    Number folded(*this);
    folded.mapToBaseOctave();
    return folded;
}

Interval::Number Interval::Number::operator+(const Number& other) const
{
    return fromDifferenceInStaffPositions(stepsOf(*this) + stepsOf(other));
}

Interval::Number Interval::Number::operator-(const Number& other) const
{
    return fromDifferenceInStaffPositions(stepsOf(*this) - stepsOf(other));
}

Interval::Number Interval::Number::operator-() const
{
    return Number(toCheckedInt(-static_cast<long long>(m_iNumStaffPositions), "number"));
}

Interval::Number Interval::Number::operator*(int iFactor) const
{
    if (iFactor == 0)
        return Number();
    const long long lMagnitude = iFactor < 0 ? -static_cast<long long>(iFactor) : iFactor;
    const Number scaled = fromDifferenceInStaffPositions(lMagnitude * stepsOf(*this));
    return iFactor < 0 ? -scaled : scaled;
}

bool Interval::Number::operator==(const Number& other) const
{
    return m_iNumStaffPositions == other.m_iNumStaffPositions;
}

bool Interval::Number::operator!=(const Number& other) const
{
    return m_iNumStaffPositions != other.m_iNumStaffPositions;
}

bool Interval::Number::operator<(const Number& other) const
{
    return m_iNumStaffPositions < other.m_iNumStaffPositions;
}

bool Interval::Number::operator>(const Number& other) const
{
    return m_iNumStaffPositions > other.m_iNumStaffPositions;
}

bool Interval::Number::operator<=(const Number& other) const
{
    return m_iNumStaffPositions <= other.m_iNumStaffPositions;
}

bool Interval::Number::operator>=(const Number& other) const
{
    return m_iNumStaffPositions >= other.m_iNumStaffPositions;
}

Interval::Number Interval::Number::fromDifferenceInStaffPositions(long long lNumSteps)
{
    // Pulled in by one so that the step cannot overflow; such counts fail the int check anyway.
    const long long lSteps = std::clamp(lNumSteps, LLONG_MIN + 1, LLONG_MAX - 1);
    return Number(toCheckedInt(lSteps >= 0 ? lSteps + 1 : lSteps - 1, "number"));
}

Interval::Interval() : m_number(), m_iNumSemitones(0) {}

Interval::Interval(const Number& number, int iNumSemitones) : m_number(number), m_iNumSemitones(iNumSemitones) {}

Interval::Number Interval::getNumber() const
{
    return m_number;
}

int Interval::getNumSemitones() const
{
    return m_iNumSemitones;
}

void Interval::mapToBaseOctave()
{
    m_number.mapToBaseOctave();  // throws before anything has changed
    m_iNumSemitones = wrap(m_iNumSemitones, 0, 11);
}

Interval Interval::mappedToBaseOctave() const
{
    Interval folded(*this);
    folded.mapToBaseOctave();
    return folded;
}

Interval Interval::operator+(const Interval& other) const
{
    const Number number = m_number + other.m_number;
    return Interval(number, toCheckedInt(static_cast<long long>(m_iNumSemitones) + other.m_iNumSemitones, "interval"));
}

Interval Interval::operator-(const Interval& other) const
{
    const Number number = m_number - other.m_number;
    return Interval(number, toCheckedInt(static_cast<long long>(m_iNumSemitones) - other.m_iNumSemitones, "interval"));
}

Interval Interval::operator-() const
{
    const Number number = -m_number;
    return Interval(number, toCheckedInt(-static_cast<long long>(m_iNumSemitones), "interval"));
}

Interval Interval::operator*(int iFactor) const
{
    const Number number = m_number * iFactor;
    return Interval(number, toCheckedInt(static_cast<long long>(m_iNumSemitones) * iFactor, "interval"));
}

bool Interval::operator==(const Interval& other) const
{
    return m_number == other.m_number && m_iNumSemitones == other.m_iNumSemitones;
}

bool Interval::operator!=(const Interval& other) const
{
    return !(*this == other);
}

bool Interval::operator<(const Interval& other) const
{
    return m_iNumSemitones < other.m_iNumSemitones;
}

bool Interval::operator>(const Interval& other) const
{
    return m_iNumSemitones > other.m_iNumSemitones;
}

bool Interval::operator<=(const Interval& other) const
{
    return m_iNumSemitones <= other.m_iNumSemitones;
}

bool Interval::operator>=(const Interval& other) const
{
    return m_iNumSemitones >= other.m_iNumSemitones;
}
}
}
