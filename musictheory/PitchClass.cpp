#include "PitchClass.h"

#include "Helpers.h"
#include "Interval.h"
#include "InvalidArgumentException.h"
#include "InvalidOperationException.h"

namespace vantor
{
namespace MusicTheory
{
namespace
{
int modifierFromAccidentals(const std::string& name)
{
    if (name.size() < 2)
        return 0;
    const std::string rest = name.substr(1);
    const char cAccidental = rest[0] == 'b' ? 'b' : '#';
    std::string::size_type iCount = 0;
    while (iCount < rest.size() && rest[iCount] == cAccidental)
        ++iCount;
    if (iCount != rest.size())
        throw InvalidArgumentException("name", "'name' must be a string as returned by PitchClass::getName()");
    // A name long enough to overflow an int cannot be spelled with an int modifier.
    const int iModifier = toCheckedInt(static_cast<long long>(iCount), "name");
    return cAccidental == 'b' ? -iModifier : iModifier;
}

int chromaIndexOf(const AlphabeticPitchClass& letter, int iModifier)
{
    return wrap(letter.getChromaIndex() + wrapToChromaIndex(iModifier), 0, 11);
}
}

PitchClass::PitchClass() : m_letter(AlphabeticPitchClass::none), m_iModifier(0) {}

PitchClass::PitchClass(const AlphabeticPitchClass& letter, int iModifier) : m_letter(letter), m_iModifier(iModifier) {}

PitchClass::PitchClass(const std::string& name)
    : m_letter(name.empty() ? std::string() : name.substr(0, 1)), m_iModifier(modifierFromAccidentals(name))
{
}

std::string PitchClass::getName() const
{
    std::string sName = m_letter.getName();
    if (m_iModifier > 0)
        sName.append(static_cast<unsigned>(m_iModifier), '#');
    else if (m_iModifier < 0)
        sName.append(0u - static_cast<unsigned>(m_iModifier), 'b');
    return sName;
}

AlphabeticPitchClass PitchClass::getAlphabeticPitchClass() const
{
    return m_letter;
}

int PitchClass::getModifier() const
{
    return m_iModifier;
}

int PitchClass::getChromaIndex() const
{
    return chromaIndexOf(m_letter, m_iModifier);
}

bool PitchClass::isEnharmonicEquivalentOf(const PitchClass& other) const
{
    return getChromaIndex() == other.getChromaIndex();
}

PitchClass PitchClass::operator+(const Interval& interval) const
{
    return moved(interval.getNumber().getDifferenceInStaffPositions(), wrapToChromaIndex(interval.getNumSemitones()));
}

PitchClass PitchClass::operator-(const Interval& interval) const
{
    // Negated after reduction, so that no step or semitone count can overflow.
    const int iSteps = wrap(interval.getNumber().getDifferenceInStaffPositions(), 0, 6);
    return moved(-iSteps, -wrapToChromaIndex(interval.getNumSemitones()));
}

Interval PitchClass::operator-(const PitchClass& other) const
{
    // Letter distance is undefined on none; without this check none - C would be a major seventh.
    if (m_letter == AlphabeticPitchClass::none || other.m_letter == AlphabeticPitchClass::none)
        throw InvalidOperationException("Operation is not defined on AlphabeticPitchClass::none.");
    const int iSteps = m_letter.getNumStaffPositionsAboveC() - other.m_letter.getNumStaffPositionsAboveC();
    const Interval::Number number(iSteps >= 0 ? iSteps + 1 : iSteps - 1);
    return Interval(number, getChromaIndex() - other.getChromaIndex()).mappedToBaseOctave();
}

bool PitchClass::operator==(const PitchClass& other) const
{
    return m_letter == other.m_letter && m_iModifier == other.m_iModifier;
}

bool PitchClass::operator!=(const PitchClass& other) const
{
    return !(*this == other);
}

PitchClass PitchClass::moved(int iNumSteps, int iNumSemitones) const
{
    const AlphabeticPitchClass letter = m_letter + iNumSteps;
    const int iTargetChroma = wrap(getChromaIndex() + iNumSemitones, 0, 11);
    return PitchClass(letter, wrap(iTargetChroma - letter.getChromaIndex(), -5, 6));
}
}
}
