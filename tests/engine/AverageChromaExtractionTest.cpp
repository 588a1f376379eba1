#include "AverageChromaExtraction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr float kPi = 3.14159265f;

// A 440 Hz tone with its first partials, at the analysis rate.
void fillTone(Vector<float>& v, int iOffset)
{
    for (int i = 0; i < v.size(); ++i)
    {
        const float t = static_cast<float>(iOffset + i) / 11025.f;
        v[i] = 0.3f * std::sin(2 * kPi * 440.f * t) + 0.1f * std::sin(2 * kPi * 880.f * t);
    }
}

float chromaSum(AverageChromaExtraction& extraction, float* pfTuning = nullptr)
{
    Vector<float> chroma(12);
    const float fTuning = extraction.computeChroma(chroma);
    if (pfTuning != nullptr)
        *pfTuning = fTuning;
    return chroma.getSum();
}
}

TEST(AverageChromaExtraction, NothingOrSilenceGives440AndZeroChroma)
{
    AverageChromaExtraction extraction(44100.f, 16384);
    float fTuning = 0.f;
    EXPECT_EQ(chromaSum(extraction, &fTuning), 0.f);
    EXPECT_EQ(fTuning, 440.f);

    Vector<float> silence(16384);
    for (int i = 0; i < 8; ++i)
        extraction.process(silence);
    EXPECT_EQ(chromaSum(extraction, &fTuning), 0.f);
    EXPECT_EQ(fTuning, 440.f);
}

TEST(AverageChromaExtraction, FirstBlockNeeds2048ConvertedSamples)
{
    // At equal rates the converter holds back its reach of 14 samples, so 2061 input
    // samples give 2047 converted ones: one short of completing the first block.
    AverageChromaExtraction extraction(11025.f, 16384);
    Vector<float> tone(2061);
    fillTone(tone, 0);
    extraction.process(tone);
    EXPECT_EQ(chromaSum(extraction), 0.f);

    Vector<float> oneMore(1);
    fillTone(oneMore, 2061);
    extraction.process(oneMore);
    EXPECT_NEAR(chromaSum(extraction), 1.f, 1e-5f);
}

TEST(AverageChromaExtraction, SilenceThreshold)
{
    const float fThreshold = 3.0517578e-05f;
    EXPECT_TRUE(AverageChromaExtraction::isAnalysable(fThreshold));
    EXPECT_FALSE(AverageChromaExtraction::isAnalysable(std::nextafter(fThreshold, 0.f)));
    EXPECT_FALSE(AverageChromaExtraction::isAnalysable(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(AverageChromaExtraction::isAnalysable(std::numeric_limits<float>::infinity()));
    EXPECT_TRUE(AverageChromaExtraction::isAnalysable(0.5f));
}

TEST(AverageChromaExtraction, ResetClearsSumsAndComputeChromaChangesNothing)
{
    AverageChromaExtraction extraction(11025.f, 16384);
    Vector<float> tone(16384);
    fillTone(tone, 0);
    extraction.process(tone);

    Vector<float> first(12), second(12);
    const float fTuning1 = extraction.computeChroma(first);
    const float fTuning2 = extraction.computeChroma(second);
    EXPECT_EQ(fTuning1, fTuning2);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(first[i], second[i]);
    EXPECT_GT(first[9], 0.5f); // A

    extraction.reset();
    float fTuning = 0.f;
    EXPECT_EQ(chromaSum(extraction, &fTuning), 0.f);
    EXPECT_EQ(fTuning, 440.f);
}

TEST(AverageChromaExtraction, NonFiniteSamplesDoNotPoisonTheSums)
{
    AverageChromaExtraction extraction(11025.f, 16384);
    Vector<float> tone(16384);
    fillTone(tone, 0);
    extraction.process(tone);

    Vector<float> damaged(4096);
    fillTone(damaged, 16384);
    damaged[100] = std::numeric_limits<float>::quiet_NaN();
    damaged[2000] = std::numeric_limits<float>::infinity();
    extraction.process(damaged);
    extraction.process(tone);

    Vector<float> chroma(12);
    const float fTuning = extraction.computeChroma(chroma);
    EXPECT_TRUE(std::isfinite(fTuning));
    EXPECT_NEAR(chroma.getSum(), 1.f, 1e-5f);
    EXPECT_GT(chroma[9], 0.5f);
}
