#include "KeyRecognition.h"

#include "KeyraResultIfImpl.h"

#include <algorithm>

namespace
{
using vantor::MusicTheory::KeyType;
using vantor::MusicTheory::PitchClass;
using ResultKey = KeyraResultIf::Key;
using ResultKeyResult = KeyraResultIf::KeyResult;
}

KeyRecognition::KeyRecognition() : dictionary(Key::ChromaTemplateType::krumhansl) {}

std::vector<ResultKeyResult> KeyRecognition::getSortedKeyResults(const Vector<float>& chroma,
                                                                 KeyraIf::GenreType eGenre) const
{
    Vector<float> probabilities(dictionary.size());
    dictionary.computeProbabilities(chroma, eGenre, probabilities);

    std::vector<ResultKeyResult> results;
    results.reserve(static_cast<size_t>(dictionary.size()));
    for (int i = 0; i < dictionary.size(); ++i)
    {
        const vantor::MusicTheory::Key key = dictionary.getKey(i);
        ResultKey resultKey(new ResultKey::Impl(convertMusicTheoryPitchClass2RootPitchClassEnum(key.getRoot()),
                                                convertMusicTheoryKeyType2TypeEnum(key.getKeyType())));
        results.emplace_back(new ResultKeyResult::Impl(resultKey, probabilities[i]));
    }

    std::stable_sort(results.begin(), results.end(), [](const ResultKeyResult& a, const ResultKeyResult& b) {
        return a.getProbability() > b.getProbability();
    });
    return results;
}

ResultKey::RootPitchClass KeyRecognition::convertMusicTheoryPitchClass2RootPitchClassEnum(const PitchClass& pitchClass)
{
    const PitchClass* const apCandidates[] = {&PitchClass::C,     &PitchClass::DFlat, &PitchClass::D,
                                              &PitchClass::EFlat, &PitchClass::E,     &PitchClass::F,
                                              &PitchClass::GFlat, &PitchClass::G,     &PitchClass::AFlat,
                                              &PitchClass::A,     &PitchClass::BFlat};
    for (int i = 0; i < 11; ++i)
        if (pitchClass.isEnharmonicEquivalentOf(*apCandidates[i]))
            return static_cast<ResultKey::RootPitchClass>(i);
    return ResultKey::B;
}

ResultKey::Type KeyRecognition::convertMusicTheoryKeyType2TypeEnum(const KeyType& keyType)
{
    return keyType == KeyType::major ? ResultKey::major : ResultKey::minor;
}
