#include "Clef.h"

#include "Helpers.h"
#include "InvalidArgumentException.h"
#include "Key.h"

namespace vantor
{
namespace MusicTheory
{
namespace
{
long long floorDivide(long long lValue, long long lDivisor)
{
    const long long lQuotient = lValue / lDivisor;
    return (lValue % lDivisor != 0 && lValue < 0) ? lQuotient - 1 : lQuotient;
}
}

Clef::Clef(const ClefType& type, int iReferenceStaffLine) : Clef(type, iReferenceStaffLine, 5) {}

Clef::Clef(const ClefType& type, int iReferenceStaffLine, int iNumStaffLines)
    : m_type(type), m_iReferenceStaffLine(iReferenceStaffLine), m_iNumStaffLines(iNumStaffLines)
{
}

ClefType Clef::getType() const
{
    return m_type;
}

int Clef::getReferenceStaffLine() const
{
    return m_iReferenceStaffLine;
}

int Clef::getNumStaffLines() const
{
    return m_iNumStaffLines;
}

Pitch Clef::getPitchForStaffLine(int iStaffLine) const
{
    const Pitch reference = m_type.getReference();
    // Lines and spaces from the reference line; exact integer arithmetic, so that far
    // ledger lines neither overflow nor lose an octave to float rounding.
    const long long lNumSteps = 2LL * (static_cast<long long>(iStaffLine) - m_iReferenceStaffLine);
    const long long lNumOctaves = floorDivide(lNumSteps, 7);
    // The line's letter lies at most one octave above the reference shifted by whole
    // octaves; below that the pitch is out of reach whatever the letter.
    if (reference.getOctave() + lNumOctaves + 1 < -1)
        throw InvalidArgumentException("iOctave", "'iOctave' is smaller than -1");
    const Interval octaves(Interval::Number::fromDifferenceInStaffPositions(7 * lNumOctaves),
                           toCheckedInt(12 * lNumOctaves, "iStaffLine"));

    const Key cMajor(PitchClass::C, KeyType::major);
    const ScaleDegree referenceDegree = cMajor.getScaleDegreeFor(reference.getPitchClass());
    const ScaleDegree lineDegree = referenceDegree + static_cast<int>(lNumSteps % 7);
    const Interval step = cMajor.getPitchClassAt(lineDegree) - cMajor.getPitchClassAt(referenceDegree);

    // One combined interval, so that only the final pitch has to lie at octave -1 or above.
    return reference + (octaves + step);
}

bool Clef::operator==(const Clef& other) const
{
    return m_type == other.m_type && m_iReferenceStaffLine == other.m_iReferenceStaffLine &&
           m_iNumStaffLines == other.m_iNumStaffLines;
}

bool Clef::operator!=(const Clef& other) const
{
    return !(*this == other);
}
}
}
