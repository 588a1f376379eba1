#include "NumeralChord.h"

#include "OutOfRangeException.h"

namespace vantor
{
namespace MusicTheory
{
NumeralChord::NumeralChord(const Numeral& root, const ChordType& chordType) : m_root(root), m_chordType(chordType) {}

Numeral NumeralChord::getRoot() const
{
    return m_root;
}

const ChordType& NumeralChord::getChordType() const
{
    return m_chordType;
}

std::string NumeralChord::getName() const
{
    return m_root.getName() + ":" + m_chordType.getShorthand();
}

int NumeralChord::getNumNumerals() const
{
    return m_chordType.getNumIntervals();
}

Numeral NumeralChord::getNumeral(int iIndex) const
{
    if (iIndex < 0 || iIndex >= getNumNumerals())
        throw OutOfRangeException("iIndex", "");
    return m_root + m_chordType.getInterval(iIndex);
}

std::vector<Numeral> NumeralChord::getNumerals() const
{
    std::vector<Numeral> numerals;
    for (const Interval& interval : m_chordType.getIntervals())
        numerals.push_back(m_root + interval);
    return numerals;
}

bool NumeralChord::contains(const Numeral& numeral) const
{
    for (const Interval& interval : m_chordType.getIntervals())
        if (m_root + interval == numeral)
            return true;
    return false;
}

bool NumeralChord::operator==(const NumeralChord& other) const
{
    return m_root == other.m_root && m_chordType == other.m_chordType;
}

bool NumeralChord::operator!=(const NumeralChord& other) const
{
    return !(*this == other);
}
}
}
