#include "Key.h"


#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace
{
using vantor::MusicTheory::Chord;
using vantor::MusicTheory::ChordType;
using vantor::MusicTheory::Interval;
using vantor::MusicTheory::KeyType;

constexpr int kChroma = Key::kNumChroma;

// 12 major values, then 12 minor values; index = semitones above the tonic.
constexpr float afDiatonic[] = {1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, //
                                1, 0, 1, 1, 0, 1, 0, 1, 1, 0, 0.8f, 0.5f};
constexpr float afKrumhansl[] = {6.35f, 2.23f, 3.48f, 2.33f, 4.38f, 4.09f, 2.52f, 5.19f, 2.39f, 3.66f, 2.29f, 2.88f,
                                 6.33f, 2.68f, 3.52f, 5.38f, 2.60f, 3.53f, 2.54f, 4.75f, 3.98f, 2.69f, 3.34f, 3.17f};
constexpr float afModifiedKrumhansl[] = {
    6.35f, 2.23f, 3.48f, 2.33f, 4.38f, 4.09f, 2.52f, 5.19f, 2.39f, 3.66f, 2.29f, 2.88f,
    6.35f, 2.59f, 3.52f, 5.38f, 2.51f, 3.53f, 2.45f, 5.19f, 3.98f, 2.60f, 3.34f, 3.17f};
constexpr float afTemperley[] = {5.0f, 2.0f, 3.5f, 2.0f, 4.5f, 4.0f, 2.0f, 4.5f, 2.0f, 3.5f, 1.5f, 4.0f,
                                 5.0f, 2.0f, 3.5f, 4.5f, 2.0f, 4.0f, 2.0f, 4.5f, 3.5f, 2.0f, 1.5f, 4.0f};
constexpr float afDiatonicKrumhansl[] = {6.35f, 0, 3.48f, 0, 4.38f, 4.09f, 0, 5.19f, 0, 3.66f, 0, 2.88f,
                                         6.33f, 0, 3.52f, 5.38f, 0, 3.53f, 0, 4.75f, 3.98f, 0, 3.34f, 3.17f};

// Keys copy their profiles from these tables rather than from the named instances,
// so a key built during another file's static initialisation never sees them unbuilt.
Key::ChromaTemplateType templateFrom(const float* pfTable)
{
    return Key::ChromaTemplateType(pfTable, pfTable + kChroma);
}

bool isMajor(const KeyType& keyType)
{
    return keyType == KeyType::major;
}
}

// Built in this order at program start.
const Key::ChromaTemplateType Key::ChromaTemplateType::diatonic = templateFrom(afDiatonic);
const Key::ChromaTemplateType Key::ChromaTemplateType::krumhansl = templateFrom(afKrumhansl);
const Key::ChromaTemplateType Key::ChromaTemplateType::modifiedKrumhansl = templateFrom(afModifiedKrumhansl);
const Key::ChromaTemplateType Key::ChromaTemplateType::temperley = templateFrom(afTemperley);
const Key::ChromaTemplateType Key::ChromaTemplateType::diatonicKrumhansl = templateFrom(afDiatonicKrumhansl);

// ---- ChromaTemplateType

Key::ChromaTemplateType::ChromaTemplateType(const float* pfMajor, const float* pfMinor)
    : majorProfile(kChroma), minorProfile(kChroma)
{
    majorProfile.copyFrom(pfMajor);
    minorProfile.copyFrom(pfMinor);
}

Key::ChromaTemplateType::ChromaTemplateType(const ChromaTemplateType& other)
    : ChromaTemplateType(other.majorProfile.getPointer(), other.minorProfile.getPointer())
{
}

Key::ChromaTemplateType& Key::ChromaTemplateType::operator=(const ChromaTemplateType& other)
{
    if (this != &other)
    {
        majorProfile.copyFrom(other.majorProfile);
        minorProfile.copyFrom(other.minorProfile);
    }
    return *this;
}

void Key::ChromaTemplateType::applyExponentialWeighting()
{
    float afWeights[kChroma] = {};
    const Interval* const apPartialIntervals[] = {&Interval::unison,      &Interval::unison, &Interval::perfectFifth,
                                                  &Interval::unison,      &Interval::majorThird,
                                                  &Interval::perfectFifth};
    for (int h = 1; h <= 6; ++h)
        afWeights[apPartialIntervals[h - 1]->getNumSemitones()] += 1.0f / static_cast<float>(h);

    float afMajor[kChroma], afMinor[kChroma];
    std::copy(majorProfile.getPointer(), majorProfile.getPointer() + kChroma, afMajor);
    std::copy(minorProfile.getPointer(), minorProfile.getPointer() + kChroma, afMinor);

    // The profiles keep their own values: P'[k] = P[k] + sum_i P[k - i] w[i].
    for (int j = 0; j < kChroma; ++j)
    {
        for (int i = 0; i < kChroma; ++i)
        {
            majorProfile[(j + i) % kChroma] += afMajor[j] * afWeights[i];
            minorProfile[(j + i) % kChroma] += afMinor[j] * afWeights[i];
        }
    }
}

// ---- Key

Key::Key(const vantor::MusicTheory::PitchClass& root, const vantor::MusicTheory::KeyType& keyType)
    : vantor::MusicTheory::Key(root, keyType)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    ChromaTemplateType electronicProfiles = templateFrom(afDiatonicKrumhansl);
    ChromaTemplateType generalProfiles = templateFrom(afKrumhansl);
    electronicProfiles.applyExponentialWeighting();
    buildTemplate(templates[KeyraIf::electronic], electronicProfiles);
    generalProfiles.applyExponentialWeighting();
    buildTemplate(templates[KeyraIf::general], generalProfiles);
}

void Key::buildTemplate(Vector<float>& target, const ChromaTemplateType& weighted) const
{
    target.allocate(kChroma);
    if (isMajor(getKeyType()))
        weighted.getMajor(target);
    else
        weighted.getMinor(target);
    target.circularShiftRight(getRoot().getChromaIndex());
    target.normalizeL1();
}

Key::Key(const Key& other) : vantor::MusicTheory::Key(other)
{
    for (int g = 0; g < kNumGenres; ++g)
    {
        templates[g].allocate(kChroma);
        templates[g].copyFrom(other.templates[g]);
    }
}

Key& Key::operator=(const Key& other)
{
    if (this != &other)
    {
        vantor::MusicTheory::Key::operator=(other);
        for (int g = 0; g < kNumGenres; ++g)
            templates[g].copyFrom(other.templates[g]);
    }
    return *this;
}

const Vector<float>& Key::getTemplate(KeyraIf::GenreType eGenre) const
{
    if (eGenre != KeyraIf::electronic && eGenre != KeyraIf::general)
        throw std::invalid_argument("eGenre");
    return templates[eGenre];
}

float Key::computeTonicChordWeight(const Vector<float>& chroma) const
{
    const float afChordWeights[] = {0.75f, 0.5f, 0.5f};
    const bool bMajor = isMajor(getKeyType());
    const Chord tonic(getRoot(), bMajor ? ChordType::major : ChordType::minor);

    float fSum = 0.f;
    for (int i = 0; i < tonic.getNumPitchClasses() && i < 3; ++i)
        fSum += afChordWeights[i] * chroma[tonic.getPitchClass(i).getChromaIndex()];
    return fSum;
}

float Key::computeEuclideanDistance(const Vector<float>& a, const Vector<float>& b)
{
    Vector<float> difference(a.size());
    difference.copyFrom(a);
    vtrfRealSub_I(difference.getPointer(), b.getPointer(), difference.size());
    float fSquaredDistance = 0.f;
    vtrfRealDotProduct(difference.getPointer(), difference.getPointer(), &fSquaredDistance, difference.size());
    const float fTerm = 1.f - std::sqrt(fSquaredDistance);
    return fTerm * fTerm;
}

float Key::computeProbability(const Vector<float>& chroma, KeyraIf::GenreType eGenre) const
{
    return computeEuclideanDistance(chroma, getTemplate(eGenre)) + computeTonicChordWeight(chroma);
}
