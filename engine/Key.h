#pragma once

#include "KeyraIf.h"
#include "Vector.h"
#include "MusicTheory.h"

/// One of the 24 major and minor keys with a chroma template per genre profile,
/// scored against a chroma vector as a distance term plus a tonic-chord term.
class Key : public vantor::MusicTheory::Key
{
public:
    /// A named pair of 12-value key profiles (index = semitones above the tonic).
    class ChromaTemplateType
    {
    public:
        ChromaTemplateType(const float* pfMajor, const float* pfMinor);
        ChromaTemplateType(const ChromaTemplateType& other);
        ChromaTemplateType& operator=(const ChromaTemplateType& other);

        void getMajor(Vector<float>& out) const { out.copyFrom(majorProfile); }
        void getMinor(Vector<float>& out) const { out.copyFrom(minorProfile); }

        /// Spreads each profile over the pitch classes of the first six partials.
        void applyExponentialWeighting();

        Vector<float> majorProfile;
        Vector<float> minorProfile;

        static const ChromaTemplateType diatonic;
        static const ChromaTemplateType krumhansl;
        static const ChromaTemplateType modifiedKrumhansl;
        static const ChromaTemplateType temperley;
        static const ChromaTemplateType diatonicKrumhansl;
    };

    Key(const vantor::MusicTheory::PitchClass& root, const vantor::MusicTheory::KeyType& keyType);
    Key(const Key& other);
    Key& operator=(const Key& other);
    virtual ~Key() = default;

    float computeTonicChordWeight(const Vector<float>& chroma) const;
    /// Throws std::invalid_argument for a genre other than electronic or general.
    float computeProbability(const Vector<float>& chroma, KeyraIf::GenreType eGenre) const;
    static float computeEuclideanDistance(const Vector<float>& a, const Vector<float>& b);

    /// The finished template for a genre (12 values summing to 1, by chroma index).
    const Vector<float>& getTemplate(KeyraIf::GenreType eGenre) const;

    static constexpr int kNumGenres = 2;
    static constexpr int kNumChroma = 12;

private:
    void buildTemplate(Vector<float>& target, const ChromaTemplateType& weighted) const;

    Vector<float> templates[kNumGenres];
};
