#include "KeyDictionary.h"


#include <cmath>
#include <stdexcept>

namespace
{
using vantor::MusicTheory::Interval;
using vantor::MusicTheory::KeyType;
using vantor::MusicTheory::PitchClass;
using MusicTheoryKey = vantor::MusicTheory::Key;

bool isMajor(const KeyType& keyType)
{
    return keyType == KeyType::major;
}

bool isFinite(const Vector<float>& v)
{
    for (int i = 0; i < v.size(); ++i)
        if (!std::isfinite(v[i]))
            return false;
    return true;
}
}

KeyDictionary::KeyDictionary(const Key::ChromaTemplateType&)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    const PitchClass* const apRoots[] = {&PitchClass::C,     &PitchClass::DFlat, &PitchClass::D, &PitchClass::EFlat,
                                         &PitchClass::E,     &PitchClass::F,     &PitchClass::GFlat, &PitchClass::G,
                                         &PitchClass::AFlat, &PitchClass::A,     &PitchClass::BFlat, &PitchClass::B};
    const KeyType* const apKeyTypes[] = {&KeyType::major, &KeyType::minor};

    keys.reserve(kNumKeys);
    for (const KeyType* pKeyType : apKeyTypes)
        for (const PitchClass* pRoot : apRoots)
            keys.emplace_back(*pRoot, *pKeyType);

    for (size_t i = 0; i < keys.size(); ++i)
    {
        const Key& key = keys[i];
        m_aiFifthAbove[i] = getIndex(MusicTheoryKey(key.getRoot() + Interval::perfectFifth, key.getKeyType()));
        m_aiFifthBelow[i] = getIndex(MusicTheoryKey(key.getRoot() - Interval::perfectFifth, key.getKeyType()));
        m_aiRelative[i] = getIndex(key.getRelativeKey());
    }
}

MusicTheoryKey KeyDictionary::getKey(int iIndex) const
{
    return keys.at(static_cast<size_t>(iIndex));
}

int KeyDictionary::getIndex(const MusicTheoryKey& key) const
{
    return key.getRoot().getChromaIndex() + (isMajor(key.getKeyType()) ? 0 : 12);
}

void KeyDictionary::computeProbabilities(const Vector<float>& chroma, KeyraIf::GenreType eGenre,
                                         Vector<float>& probabilities) const
{
    if (eGenre != KeyraIf::electronic && eGenre != KeyraIf::general)
        throw std::invalid_argument("eGenre");

    Vector<float> c(Key::kNumChroma);
    if (isFinite(chroma))
        c.copyFrom(chroma);
    if (c.getSum() != 0.f)
        c.normalizeL1();

    const int iNumKeys = size();
    for (int i = 0; i < iNumKeys; ++i)
        probabilities[i] = keys[static_cast<size_t>(i)].computeProbability(c, eGenre);

    smoothOutRelatedKeys(probabilities);

    float fMinimum = 0.f;
    int iMinimumIndex = 0;
    vtrfRealFindMin(probabilities.getPointer(), &fMinimum, &iMinimumIndex, iNumKeys);
    vtrfRealAddC_I(probabilities.getPointer(), -fMinimum, iNumKeys);

    float* pfProbabilities = probabilities.getPointer();
    for (int iSquaring = 0; iSquaring < 3; ++iSquaring)
        vtrfRealMul_I(pfProbabilities, pfProbabilities, iNumKeys);

    if (probabilities.getSum() != 0.f)
        probabilities.normalizeL1();
    else // every key scored the same: nothing to tell them apart
        for (int i = 0; i < iNumKeys; ++i)
            probabilities[i] = 1.f / static_cast<float>(iNumKeys);
}

void KeyDictionary::smoothOutRelatedKeys(Vector<float>& scores) const
{
    const float fScale = 0.8f;
    const float fSelf = 1.0f * fScale, fFifthAbove = 0.1f * fScale, fFifthBelow = 0.1f * fScale,
                fRelative = 0.05f * fScale;

    const int iNumKeys = size();
    Vector<float> snapshot(iNumKeys);
    snapshot.copyFrom(scores);
    scores.clear();

    for (int i = 0; i < iNumKeys; ++i)
    {
        const size_t k = static_cast<size_t>(i);
        scores[i] += fSelf * snapshot[i];
        scores[i] += fFifthAbove * snapshot[m_aiFifthAbove[k]];
        scores[i] += fFifthBelow * snapshot[m_aiFifthBelow[k]];
        scores[i] += fRelative * snapshot[m_aiRelative[k]];
    }
}
