#pragma once

#include "CatalogueInitializer.h"
#include "Chord.h"
#include "KeyType.h"
#include "Numeral.h"
#include "NumeralChord.h"
#include "PitchClass.h"
#include "ScaleDegree.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// A root pitch class with a key type, such as C major or F sharp minor. Copyable and
/// meant to be derived from.
class Key
{
public:
    Key(PitchClass root, const KeyType& keyType);
    virtual ~Key() = default;
    Key(const Key&) = default;
    Key& operator=(const Key&) = default;
    Key(Key&&) = default;
    Key& operator=(Key&&) = default;

    PitchClass getRoot() const;
    const KeyType& getKeyType() const;
    int getNumPitches() const;
    /// "root:shorthand", for example C:maj or F#:min.
    std::string getName() const;

    PitchClass getPitchClassAt(const ScaleDegree& degree) const;
    /// By letter only: in C major both F sharp and F are IV.
    ScaleDegree getScaleDegreeFor(const PitchClass& pitchClass) const;
    /// Degree from the letters, semitones from the chroma indices: F sharp in C major is IVSharp.
    Numeral getNumeral(const PitchClass& pitchClass) const;

    Chord getTriadAt(const ScaleDegree& degree) const;
    Chord getTetradAt(const ScaleDegree& degree) const;
    Chord getChord(const NumeralChord& numeralChord) const;

    /// Spelled by the letters: the relative key of Db:min is Fb:maj.
    Key getRelativeKey() const;
    Key getParallelKey() const;

    bool operator==(const Key& other) const;
    bool operator!=(const Key& other) const;

private:
    PitchClass m_root;
    KeyType m_keyType;
};
}
}
