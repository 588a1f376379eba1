#include "AlphabeticPitchClass.h"

#include "Helpers.h"
#include "InvalidArgumentException.h"
#include "InvalidOperationException.h"
#include "OutOfRangeException.h"

namespace vantor
{
namespace MusicTheory
{
namespace
{
// Indexed by staff position + 1, so that none sits at index 0.
const char* const kapcNames[] = {"none", "C", "D", "E", "F", "G", "A", "B"};
const int kaiChromaIndices[] = {-1, 0, 2, 4, 5, 7, 9, 11};

int staffPositionFromName(const std::string& name)
{
    if (name.empty())
        return -1;
    if (name.size() >= 2)
        throw InvalidArgumentException("name", "'name' must be one of C, D, E, F, G, A, B, c, d, e, f, g, a, b");
    char cLetter = name[0];
    // By hand rather than std::toupper, which is undefined for negative char values.
    if (cLetter >= 'a' && cLetter <= 'g')
        cLetter = static_cast<char>(cLetter - 'a' + 'A');
    if (cLetter < 'A' || cLetter > 'G')
        throw InvalidArgumentException("name",
                                       "'name' must be empty or one of C, D, E, F, G, A, B, c, d, e, f, g, a, b");
    return (cLetter - 60) % 7;
}
}

AlphabeticPitchClass::AlphabeticPitchClass(int iStaffPosition) : m_iStaffPosition(iStaffPosition)
{
    if (iStaffPosition < -1 || iStaffPosition > 6)
        throw OutOfRangeException("iStaffPosition", "");
}

AlphabeticPitchClass::AlphabeticPitchClass(const std::string& name) : m_iStaffPosition(staffPositionFromName(name)) {}

std::string AlphabeticPitchClass::getName() const
{
    return kapcNames[m_iStaffPosition + 1];
}

int AlphabeticPitchClass::getChromaIndex() const
{
    return kaiChromaIndices[m_iStaffPosition + 1];
}

int AlphabeticPitchClass::getNumStaffPositionsAboveC() const
{
    return m_iStaffPosition;
}

AlphabeticPitchClass AlphabeticPitchClass::operator+(int iNumSteps) const
{
    throwIfNone();
    // Reduced first, so that no step count can overflow the sum.
    return AlphabeticPitchClass(wrap(m_iStaffPosition + wrap(iNumSteps, 0, 6), 0, 6));
}

AlphabeticPitchClass AlphabeticPitchClass::operator-(int iNumSteps) const
{
    throwIfNone();
    return AlphabeticPitchClass(wrap(m_iStaffPosition - wrap(iNumSteps, 0, 6), 0, 6));
}

bool AlphabeticPitchClass::operator==(const AlphabeticPitchClass& other) const
{
    return m_iStaffPosition == other.m_iStaffPosition;
}

bool AlphabeticPitchClass::operator!=(const AlphabeticPitchClass& other) const
{
    return !(*this == other);
}

void AlphabeticPitchClass::throwIfNone() const
{
    if (m_iStaffPosition < 0)
        throw InvalidOperationException("Operation is not defined on AlphabeticPitchClass::none.");
}
}
}
