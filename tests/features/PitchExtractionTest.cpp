#include "PitchExtraction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{
Vector<float> tone(float fFrequency, int iNumHarmonics)
{
    Vector<float> block(4096);
    for (int i = 0; i < 4096; ++i)
        for (int h = 1; h <= iNumHarmonics; ++h)
            block[i] += static_cast<float>(std::sin(2.0 * M_PI * h * fFrequency * i / 11025.0) / h);
    return block;
}

int indexOfMax(const Vector<float>& v)
{
    int iMax = 0;
    for (int i = 1; i < v.size(); ++i)
        if (v[i] > v[iMax])
            iMax = i;
    return iMax;
}

struct Extraction : ::testing::Test
{
    Extraction() : extraction(new PitchExtraction()), pitches(256) {}
    std::unique_ptr<PitchExtraction> extraction;
    Vector<float> pitches;
};
}

TEST_F(Extraction, PublishesTheFixedLayout)
{
    EXPECT_EQ(extraction->getRequiredSampleRate(), 11025.f);
    EXPECT_EQ(extraction->getRequiredBlockSize(), 4096);
    EXPECT_EQ(extraction->getNumberOfPitches(), 256);
    EXPECT_EQ(extraction->getNumberOfBinsPerSemitone(), 3);
    EXPECT_NEAR(extraction->getFrequencyOfLowestPitch(), 25.956539f, 5e-6f);

    Vector<float> frequencies(256);
    extraction->getPitchFrequencies(frequencies);
    EXPECT_NEAR(frequencies[0], 25.956539f, 5e-6f);
    EXPECT_NEAR(frequencies[3], 27.5f, 2e-4f);
    EXPECT_NEAR(frequencies[147], 440.f, 2e-3f);
    EXPECT_NEAR(frequencies[255], 3520.f, 2e-2f);

    Vector<float> prefix(12);
    extraction->getPitchFrequencies(prefix);
    EXPECT_EQ(prefix[11], frequencies[11]);
}

TEST_F(Extraction, TrebleWeightingFavoursTheMiddleRegister)
{
    const Vector<float>& w = extraction->getTreblePitchWeighting();
    struct Case
    {
        int iBin;
        float fValue;
    };
    for (const Case& c : {Case{0, 0.00015f}, Case{255, 0.00015f}, Case{35, 0.181f}, Case{220, 0.181f}, Case{219, 0.191f}, Case{71, 0.5942f},
                          Case{183, 0.6061f}, Case{127, 0.99996f}, Case{128, 0.99996f}})
        EXPECT_NEAR(w[c.iBin], c.fValue, 1e-3f) << c.iBin;
}

TEST_F(Extraction, SteadyToneAt440HzPeaksAtBin147)
{
    for (int iHarmonics : {1, 6})
    {
        ASSERT_TRUE(extraction->extractPitches(tone(440.f, iHarmonics), pitches));
        EXPECT_EQ(indexOfMax(pitches), 147) << iHarmonics;
    }
}

TEST_F(Extraction, ZeroBlockGivesZeroPitches)
{
    extraction->extractPitches(tone(440.f, 3), pitches);
    ASSERT_TRUE(extraction->extractPitches(Vector<float>(4096), pitches));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(pitches[i], 0.f) << i;
}

TEST_F(Extraction, ShortOutputGetsThePrefixAndShortBlockIsRefused)
{
    const Vector<float> block = tone(220.f, 4);
    extraction->extractPitches(block, pitches);
    Vector<float> prefix(12);
    ASSERT_TRUE(extraction->extractPitches(block, prefix));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(prefix[i], pitches[i]) << i;

    prefix[0] = 42.f;
    EXPECT_FALSE(extraction->extractPitches(Vector<float>(4095), prefix));
    EXPECT_EQ(prefix[0], 42.f);
}

TEST_F(Extraction, NonFiniteBlockStaysInBounds)
{
    Vector<float> block = tone(440.f, 2);
    block[100] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(extraction->extractPitches(block, pitches));
    block[100] = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(extraction->extractPitches(block, pitches));
}
