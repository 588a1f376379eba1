#include "TuningFrequencyEstimation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

namespace
{
constexpr float kLowestPitch = 25.956539f;
constexpr int kNumBins = 256;
constexpr float kHighest = 452.89f;
constexpr float kLowest = 427.47f;

struct Estimation : ::testing::Test
{
    Estimation() : estimation(new TuningFrequencyEstimation(kLowestPitch, 3, kNumBins)), spectrum(kNumBins) {}

    // Energy only in bins iFirst + 3k.
    float estimateGrid(int iFirst)
    {
        spectrum.clear();
        for (int i = iFirst; i < kNumBins; i += 3)
            spectrum[i] = 1.f + 0.5f * static_cast<float>(i % 7);
        return estimation->estimateTuningFrequency(spectrum);
    }

    std::unique_ptr<TuningFrequencyEstimation> estimation;
    Vector<float> spectrum;
};
}

TEST_F(Estimation, ReferencePhaseOfTheEngineGrid)
{
    EXPECT_NEAR(estimation->frequency2BinIndex(440.f), 147.f, 1e-4f);
    EXPECT_NEAR(estimation->getReferencePhase(), -3.1415939f, 1e-6f);
    EXPECT_LT(estimation->getReferencePhase(), -3.1415927f);
    EXPECT_EQ(TuningFrequencyEstimation::m_fReferenceTuningFreq, 440.f);
    EXPECT_EQ(TuningFrequencyEstimation::m_fLog2, 0.6931472f);
}

TEST_F(Estimation, GridsGiveTheirTunings)
{
    EXPECT_EQ(estimation->estimateTuningFrequency(spectrum), 440.f);
    EXPECT_NEAR(estimateGrid(147 % 3), 440.f, 1e-3f);
    EXPECT_NEAR(estimateGrid(148 % 3), 440.f * std::pow(2.f, 1.f / 36.f), 1e-2f);
    EXPECT_NEAR(estimateGrid(146 % 3), 440.f * std::pow(2.f, -1.f / 36.f), 1e-2f);
    EXPECT_NEAR(estimateGrid(148 % 3), 448.5f, 0.1f);
    EXPECT_NEAR(estimateGrid(146 % 3), 431.6f, 0.1f);
}

TEST_F(Estimation, PhasesMapOntoFiftyCentsEitherSide)
{
    EXPECT_NEAR(estimation->phase2TuningFreq(0.f), 440.f, 1e-3f);
    EXPECT_NEAR(estimation->phase2TuningFreq(-3.1415927f), kHighest, 0.01f);
    EXPECT_NEAR(estimation->phase2TuningFreq(3.1415927f), kLowest, 0.01f);
    for (int i = -1000; i <= 1000; ++i)
    {
        const float fPhase = 3.1415927f * static_cast<float>(i) / 1000.f;
        const float fTuning = estimation->phase2TuningFreq(fPhase);
        EXPECT_GE(fTuning, kLowest - 0.01f) << fPhase;
        EXPECT_LE(fTuning, kHighest + 0.01f) << fPhase;
    }
}

TEST_F(Estimation, EveryResultLiesWithinFiftyCents)
{
    // Peaks at fractional positions all around the grid, and random spectra.
    std::srand(3);
    for (int iCase = 0; iCase < 200; ++iCase)
    {
        spectrum.clear();
        for (int i = 0; i < kNumBins; ++i)
            spectrum[i] = iCase < 100 ? std::pow(std::cos(3.1415927f * (static_cast<float>(i) - iCase * 0.03f) / 3.f), 8.f)
                                      : static_cast<float>(std::rand()) / RAND_MAX;
        const float fTuning = estimation->estimateTuningFrequency(spectrum);
        EXPECT_GE(fTuning, kLowest - 0.01f) << iCase;
        EXPECT_LE(fTuning, kHighest + 0.01f) << iCase;
    }
    spectrum[5] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(estimation->estimateTuningFrequency(spectrum), 440.f);
}

TEST_F(Estimation, BasisCyclesOncePerSemitone)
{
    spectrum.clear();
    spectrum[0] = 1.f;
    std::complex<float> z = estimation->computeDFTCoefficient(spectrum);
    EXPECT_NEAR(z.real(), 1.f, 1e-6f);
    EXPECT_NEAR(z.imag(), 0.f, 1e-6f);
    spectrum[0] = 0.f;
    spectrum[4] = 1.f;
    z = estimation->computeDFTCoefficient(spectrum);
    EXPECT_NEAR(z.real(), -0.5f, 1e-5f);
    EXPECT_NEAR(z.imag(), -0.8660254f, 1e-5f);
    // A shorter spectrum correlates over its own length.
    Vector<float> one(1);
    one[0] = 2.f;
    EXPECT_NEAR(estimation->computeDFTCoefficient(one).real(), 2.f, 1e-6f);
}

TEST_F(Estimation, InvalidLayoutsThrowAndChangeNothing)
{
    struct Case
    {
        float fLowest;
        int iBinsPerSemitone, iNumBins;
        const char* pcName;
    };
    for (const Case& c : {Case{0.f, 3, 256, "fFrequencyOfLowestBin"}, Case{std::numeric_limits<float>::quiet_NaN(), 3, 256, "fFrequencyOfLowestBin"},
                          Case{25.f, 0, 256, "iBinsPerSemitone"}, Case{25.f, 3, -1, "iNumberOfBins"}})
    {
        try
        {
            TuningFrequencyEstimation bad(c.fLowest, c.iBinsPerSemitone, c.iNumBins);
            ADD_FAILURE() << c.pcName;
        }
        catch (const std::invalid_argument& e)
        {
            EXPECT_STREQ(e.what(), c.pcName);
        }
        EXPECT_THROW(estimation->initialize(c.fLowest, c.iBinsPerSemitone, c.iNumBins), std::invalid_argument);
    }
    EXPECT_NEAR(estimateGrid(148 % 3), 448.5f, 0.1f);
}

TEST_F(Estimation, GridsWith440HzOffTheSemitoneStayWithinFiftyCents)
{
    // One bin higher: 440 Hz falls on bin 146. Peaks on bins 148 + 3k now lie a third
    // of a semitone below the 440 Hz positions, on 147 + 3k a third above.
    estimation->initialize(kLowestPitch * std::pow(2.f, 1.f / 36.f), 3, kNumBins);
    EXPECT_NEAR(estimation->frequency2BinIndex(440.f), 146.f, 1e-3f);
    EXPECT_NEAR(estimateGrid(146 % 3), 440.f, 1e-2f);
    EXPECT_NEAR(estimateGrid(148 % 3), 440.f * std::pow(2.f, -1.f / 36.f), 1e-2f);
    EXPECT_NEAR(estimateGrid(147 % 3), 440.f * std::pow(2.f, 1.f / 36.f), 1e-2f);
    for (int i = -100; i <= 100; ++i)
    {
        const float fTuning = estimation->phase2TuningFreq(3.1415927f * static_cast<float>(i) / 100.f);
        EXPECT_GE(fTuning, kLowest - 0.01f) << i;
        EXPECT_LE(fTuning, kHighest + 0.01f) << i;
    }
}
