#include "ScaleDegree.h"

#include "Helpers.h"
#include "InvalidArgumentException.h"
#include "OutOfRangeException.h"

namespace vantor
{
namespace MusicTheory
{
namespace
{
const char* const kapcNames[] = {"I", "II", "III", "IV", "V", "VI", "VII"};

int degreeOf(const Interval::Number& number)
{
    if (number == Interval::Number::none)
        throw InvalidArgumentException("number", "number must not be Interval::Number::none");
    return number.mappedToBaseOctave().getNumStaffPositions();
}
}

ScaleDegree::ScaleDegree(int iDegree) : m_iDegree(iDegree)
{
    if (iDegree <= 0 || iDegree > iNumDegreesPerOctave)
        throw OutOfRangeException("iDegree", "");
}

ScaleDegree::ScaleDegree(const Interval::Number& number) : m_iDegree(degreeOf(number)) {}

std::string ScaleDegree::getName() const
{
    return kapcNames[m_iDegree - 1];
}

ScaleDegree::operator int() const
{
    return m_iDegree;
}

ScaleDegree ScaleDegree::operator+(int iNumSteps) const
{
    // Reduced first, so that no step count can overflow the sum.
    return ScaleDegree(wrap(m_iDegree + wrap(iNumSteps, 0, 6), 1, 7));
}

ScaleDegree ScaleDegree::operator-(int iNumSteps) const
{
    return ScaleDegree(wrap(m_iDegree - wrap(iNumSteps, 0, 6), 1, 7));
}

bool ScaleDegree::operator==(const ScaleDegree& other) const
{
    return m_iDegree == other.m_iDegree;
}

bool ScaleDegree::operator!=(const ScaleDegree& other) const
{
    return m_iDegree != other.m_iDegree;
}
}
}
