#pragma once

#include "KeyDictionary.h"
#include "KeyraIf.h"
#include "KeyraResultIf.h"
#include "Vector.h"

#include <vector>

namespace vantor::MusicTheory
{
class PitchClass;
class KeyType;
}

/// Ranks the 24 keys for a chroma vector, most probable first.
class KeyRecognition
{
public:
    KeyRecognition();

    /// Keys of equal probability keep dictionary order. Throws std::invalid_argument
    /// for an unknown genre.
    std::vector<KeyraResultIf::KeyResult> getSortedKeyResults(const Vector<float>& chroma,
                                                              KeyraIf::GenreType eGenre) const;

    static KeyraResultIf::Key::RootPitchClass convertMusicTheoryPitchClass2RootPitchClassEnum(
        const vantor::MusicTheory::PitchClass& pitchClass);
    static KeyraResultIf::Key::Type convertMusicTheoryKeyType2TypeEnum(const vantor::MusicTheory::KeyType& keyType);

private:
    KeyDictionary dictionary;
};
