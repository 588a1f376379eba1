#pragma once

#include "ChordType.h"
#include "Numeral.h"

#include <string>
#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// A chord type on a numeral root, such as V:7.
class NumeralChord
{
public:
    NumeralChord(const Numeral& root, const ChordType& chordType);

    Numeral getRoot() const;
    const ChordType& getChordType() const;
    std::string getName() const;
    int getNumNumerals() const;
    /// Throws OutOfRangeException for an index outside the chord type's intervals.
    Numeral getNumeral(int iIndex) const;
    std::vector<Numeral> getNumerals() const;
    bool contains(const Numeral& numeral) const;

    bool operator==(const NumeralChord& other) const;
    bool operator!=(const NumeralChord& other) const;

private:
    Numeral m_root;
    ChordType m_chordType;
};
}
}
