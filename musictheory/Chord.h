#pragma once

#include "CatalogueInitializer.h"
#include "ChordType.h"
#include "PitchClass.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// A chord type on a root; its tones are spelled by letter from the root.
class Chord
{
public:
    Chord(const PitchClass& root, const ChordType& chordType);
    virtual ~Chord() = default;
    Chord(const Chord&) = default;
    Chord& operator=(const Chord&) = default;

    PitchClass getRoot() const;
    const ChordType& getChordType() const;
    /// "root:shorthand", or the shorthand alone for a chord type without intervals ("N").
    std::string getName() const;
    int getNumPitchClasses() const;
    /// The root plus the chord type's interval at the index; index 0 is the root.
    PitchClass getPitchClass(int iAtIndex) const;
    bool contains(const PitchClass& pitchClass) const;
    bool isEnharmonicEquivalentOf(const Chord& other) const;

    bool operator==(const Chord& other) const;
    bool operator!=(const Chord& other) const;

private:
    PitchClass m_root;
    ChordType m_chordType;
};
}
}
