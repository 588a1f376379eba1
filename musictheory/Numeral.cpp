#include "Numeral.h"

#include "Helpers.h"
#include "InternalErrorException.h"
#include "OutOfRangeException.h"

namespace vantor
{
namespace MusicTheory
{
namespace
{
const char* const kapcNames[] = {"I", "IIb", "II", "IIIb", "III", "IV", "Vb", "V", "VIb", "VI", "VIIb", "VII"};

int checkedSemitones(int iNumSemitones)
{
    if (iNumSemitones < 0 || iNumSemitones > 11)
        throw OutOfRangeException("iNumSemitones", "");
    return iNumSemitones;
}

int semitonesOf(const Interval& interval)
{
    if (interval < Interval::unison)
        throw OutOfRangeException("interval", "");
    return interval.getNumSemitones();
}

Interval::Number numberBetween(const ScaleDegree& to, const ScaleDegree& from)
{
    return Interval::Number::fromDifferenceInStaffPositions(static_cast<int>(to) - static_cast<int>(from));
}
}

Numeral::Numeral(const ScaleDegree& degree, int iNumSemitones)
    : m_degree(degree), m_iNumSemitones(checkedSemitones(iNumSemitones))
{
}

Numeral::Numeral(const Interval& interval)
    : m_degree(interval.getNumber().getNumStaffPositions()), m_iNumSemitones(semitonesOf(interval))
{
}

ScaleDegree Numeral::getDegree() const
{
    return m_degree;
}

int Numeral::getNumSemitones() const
{
    return m_iNumSemitones;
}

std::string Numeral::getName() const
{
    if (m_iNumSemitones < 0 || m_iNumSemitones > 11)
        throw InternalErrorException("");
    return kapcNames[m_iNumSemitones];
}

Numeral::operator Interval() const
{
    return Interval(Interval::Number(static_cast<int>(m_degree)), m_iNumSemitones);
}

Interval Numeral::getIntervalToNumeralAbove(const Numeral& other) const
{
    return Interval(numberBetween(other.m_degree, m_degree), other.m_iNumSemitones - m_iNumSemitones)
        .mappedToBaseOctave();
}

Interval Numeral::operator-(const Numeral& other) const
{
    return Interval(numberBetween(m_degree, other.m_degree), m_iNumSemitones - other.m_iNumSemitones);
}

Numeral Numeral::operator+(const Interval& interval) const
{
    const ScaleDegree degree = m_degree + interval.getNumber().getDifferenceInStaffPositions();
    const int iSemitones = wrap(wrapToChromaIndex(m_iNumSemitones) + wrapToChromaIndex(interval.getNumSemitones()), 0, 11);
    return Numeral(degree, iSemitones);
}

Numeral Numeral::operator-(const Interval& interval) const
{
    const ScaleDegree degree = m_degree - interval.getNumber().getDifferenceInStaffPositions();
    const int iSemitones = wrap(wrapToChromaIndex(m_iNumSemitones) - wrapToChromaIndex(interval.getNumSemitones()), 0, 11);
    return Numeral(degree, iSemitones);
}

bool Numeral::operator==(const Numeral& other) const
{
    return m_degree == other.m_degree && m_iNumSemitones == other.m_iNumSemitones;
}

bool Numeral::operator!=(const Numeral& other) const
{
    return !(*this == other);
}

bool Numeral::operator<(const Numeral& other) const
{
    return m_iNumSemitones < other.m_iNumSemitones;
}

bool Numeral::operator>(const Numeral& other) const
{
    return m_iNumSemitones > other.m_iNumSemitones;
}

bool Numeral::operator<=(const Numeral& other) const
{
    return m_iNumSemitones <= other.m_iNumSemitones;
}

bool Numeral::operator>=(const Numeral& other) const
{
    return m_iNumSemitones >= other.m_iNumSemitones;
}
}
}
