#include "Chord.h"

#include "OutOfRangeException.h"

namespace vantor
{
namespace MusicTheory
{
Chord::Chord(const PitchClass& root, const ChordType& chordType) : m_root(root), m_chordType(chordType) {}

PitchClass Chord::getRoot() const
{
    return m_root;
}

const ChordType& Chord::getChordType() const
{
    return m_chordType;
}

std::string Chord::getName() const
{
    if (m_chordType == ChordType::none)
        return m_chordType.getShorthand();
    return m_root.getName() + ":" + m_chordType.getShorthand();
}

int Chord::getNumPitchClasses() const
{
    return m_chordType.getNumIntervals();
}

PitchClass Chord::getPitchClass(int iAtIndex) const
{
    if (iAtIndex < 0 || iAtIndex >= getNumPitchClasses())
        throw OutOfRangeException("iAtIndex", "");
    return m_root + m_chordType.getInterval(iAtIndex);
}

bool Chord::contains(const PitchClass& pitchClass) const
{
    for (const Interval& interval : m_chordType.getIntervals())
        if (m_root + interval == pitchClass)
            return true;
    return false;
}

bool Chord::isEnharmonicEquivalentOf(const Chord& other) const
{
    return m_root.isEnharmonicEquivalentOf(other.m_root) && m_chordType == other.m_chordType;
}

bool Chord::operator==(const Chord& other) const
{
    return m_root == other.m_root && m_chordType == other.m_chordType;
}

bool Chord::operator!=(const Chord& other) const
{
    return !(*this == other);
}
}
}
