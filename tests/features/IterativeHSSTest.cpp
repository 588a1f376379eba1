#include "IterativeHSS.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr float kLowestPitch = 25.956539f;
constexpr int kNumBins = 256;

IterativeHSS::Config engineConfig()
{
    IterativeHSS::Config config(kLowestPitch, 3, kNumBins);
    config.m_iMaxIterations = 30;
    config.m_pPartialWeightFunction = IterativeHSS::Config::oneOverSquaredPartialIndex;
    config.m_pPartialReductionFunction = IterativeHSS::Config::oneOverSquaredPartialIndexReduction;
    return config;
}

struct EngineHss : ::testing::Test
{
    EngineHss() : spectrum(kNumBins) { EXPECT_EQ(hss.init(engineConfig()), 0); }
    IterativeHSS hss;
    Vector<float> spectrum;
};
}

TEST_F(EngineHss, PartialOffsetsAreRoundedHarmonicDistances)
{
    const int expected[] = {0, 36, 57, 72, 84, 93, 101, 108, 114, 120, 125, 129, 133, 137, 141, 144, 147, 150, 153, 156};
    const Vector<int>& offsets = hss.getPartialOffsets();
    ASSERT_EQ(offsets.size(), 20);
    for (int p = 0; p < 20; ++p)
        EXPECT_EQ(offsets[p], expected[p]) << p;
}

TEST_F(EngineHss, PartialsPerBinStopAtTheTop)
{
    const IterativeHSS::Config& c = hss.getConfig();
    EXPECT_EQ(c.m_iMinBin, 0);
    EXPECT_EQ(c.m_iMaxFundamentalBin, 255);
    EXPECT_EQ(c.m_iMaxPartialBin, 255);

    const Vector<int>& partials = hss.getNumPartialsPerBin();
    const Vector<int>& offsets = hss.getPartialOffsets();
    EXPECT_EQ(partials[255], 1);
    EXPECT_EQ(partials[255 - 156], 20);
    EXPECT_EQ(partials[255 - 155], 19);
    for (int k = 0; k < kNumBins; ++k)
    {
        // Exactly the partials that stay at or below the top bin, at most 20.
        int iExpected = 0;
        while (iExpected < 20 && k + offsets[iExpected] <= 255)
            ++iExpected;
        EXPECT_EQ(partials[k], iExpected) << k;
    }
}

TEST_F(EngineHss, TwoPeaksAreCreditedToTheirFundamentals)
{
    spectrum[0] = 1.f;
    spectrum[36] = 1.f;
    EXPECT_EQ(hss.process(spectrum), 0);

    Vector<float> result, residual;
    hss.getResult(result);
    hss.getResidualSpectrum(residual);
    ASSERT_EQ(result.size(), kNumBins);
    ASSERT_EQ(residual.size(), kNumBins);
    EXPECT_FLOAT_EQ(result[0], 1.25f);
    EXPECT_FLOAT_EQ(result[36], 0.75f);
    for (int i = 0; i < kNumBins; ++i)
    {
        EXPECT_EQ(residual[i], 0.f) << i;
        if (i != 0 && i != 36)
        {
            EXPECT_EQ(result[i], 0.f) << i;
        }
    }
}

TEST_F(EngineHss, HarmonicToneIsCreditedToItsFundamental)
{
    // Harmonics 1 to 6 of bin 40, each with value 1/h.
    const int offsets[] = {0, 36, 57, 72, 84, 93};
    for (int h = 0; h < 6; ++h)
        spectrum[40 + offsets[h]] = 1.f / static_cast<float>(h + 1);
    hss.process(spectrum);
    Vector<float> result, residual;
    hss.getResult(result);
    hss.getResidualSpectrum(residual);

    int iBest = 0;
    for (int i = 1; i < kNumBins; ++i)
        if (result[i] > result[iBest])
            iBest = i;
    EXPECT_EQ(iBest, 40);
    // Nothing is lost: credits plus residual keep the energy.
    EXPECT_NEAR(result.getSum() + residual.getSum(), spectrum.getSum(), 1e-5f);
    EXPECT_LE(residual.getSum(), 0.01f * spectrum.getSum());
}

TEST_F(EngineHss, ZeroSpectrumClearsEarlierOutput)
{
    spectrum[10] = 3.f;
    hss.process(spectrum);
    spectrum[10] = 0.f;
    EXPECT_EQ(hss.process(spectrum), 0);
    Vector<float> result, residual;
    hss.getResult(result);
    hss.getResidualSpectrum(residual);
    EXPECT_EQ(result.getSum(), 0.f);
    EXPECT_EQ(residual.getSum(), 0.f);
    EXPECT_EQ(result[10], 0.f);
}

TEST_F(EngineHss, ShortSpectrumIsRefused)
{
    Vector<float> shortSpectrum(kNumBins - 1);
    shortSpectrum[0] = 1.f;
    EXPECT_EQ(hss.process(shortSpectrum), 3);
    Vector<float> result;
    hss.getResult(result);
    EXPECT_EQ(result.getSum(), 0.f);
}

TEST_F(EngineHss, NonFiniteSpectraStayInBounds)
{
    const float fNaN = std::numeric_limits<float>::quiet_NaN();
    const float fInf = std::numeric_limits<float>::infinity();
    for (float fValue : {fNaN, fInf, -fInf})
    {
        spectrum.clear();
        spectrum[3] = 1.f;
        spectrum[200] = fValue;
        EXPECT_EQ(hss.process(spectrum), 0);
        // A NaN among the harmonic sums, with finite energy elsewhere.
        spectrum[200] = 0.f;
        spectrum[100] = fValue;
        spectrum[101] = -fValue;
        EXPECT_EQ(hss.process(spectrum), 0);
    }
}

TEST_F(EngineHss, GetResultResizesOnlyWhenNeeded)
{
    Vector<float> wrongSize(5);
    hss.getResult(wrongSize);
    EXPECT_EQ(wrongSize.size(), kNumBins);
    const float* pfStorage = wrongSize.getPointer();
    hss.getResult(wrongSize);
    EXPECT_EQ(wrongSize.getPointer(), pfStorage);
}

TEST(IterativeHSSConfig, InvalidConfigsAreRejectedWithoutChange)
{
    IterativeHSS hss;
    ASSERT_EQ(hss.init(engineConfig()), 0);

    auto zeroPartials = [](IterativeHSS::Config& c) { c.m_iNumPartials = 0; };
    auto negativeLowest = [](IterativeHSS::Config& c) { c.m_fLowestFundamentalFrequency = -1.f; };
    auto fundamentalAbovePartials = [](IterativeHSS::Config& c) {
        c.m_fHighestFundamentalFrequency = 1000.f;
        c.m_fHighestPartialFrequency = 999.f;
    };
    auto highestBelowLowest = [](IterativeHSS::Config& c) {
        c.m_fLowestFundamentalFrequency = 100.f;
        c.m_fHighestFundamentalFrequency = 50.f;
    };
    auto noBins = [](IterativeHSS::Config& c) { c.m_iNumBins = 0; };
    auto noMinFrequency = [](IterativeHSS::Config& c) { c.m_fMinFrequency = 0.f; };
    auto nanMinFrequency = [](IterativeHSS::Config& c) { c.m_fMinFrequency = std::numeric_limits<float>::quiet_NaN(); };
    auto noThreshold = [](IterativeHSS::Config& c) { c.m_fStopThreshold = 0.f; };
    auto noIterations = [](IterativeHSS::Config& c) { c.m_iMaxIterations = 0; };
    using Change = void (*)(IterativeHSS::Config&);
    const Change changes[] = {zeroPartials,   negativeLowest, fundamentalAbovePartials, highestBelowLowest, noBins,
                              noMinFrequency, nanMinFrequency, noThreshold,            noIterations};
    for (Change change : changes)
    {
        IterativeHSS::Config config(50.f, 2, 100);
        change(config);
        EXPECT_FALSE(IterativeHSS::checkConfigParams(config));
        EXPECT_EQ(hss.init(config), 3);
        EXPECT_EQ(hss.getConfig().m_iNumBins, kNumBins);
        EXPECT_EQ(hss.getPartialOffsets().size(), 20);
    }
}

TEST(IterativeHSSConfig, DefaultsAndRestrictedRanges)
{
    IterativeHSS::Config config(kLowestPitch, 3, kNumBins);
    // Bins 36 to 72 as candidates, partials up to bin 147 (440 Hz).
    config.m_fLowestFundamentalFrequency = config.computeBinFreq(36) * 0.999f;
    config.m_fHighestFundamentalFrequency = config.computeBinFreq(72) * 1.001f;
    config.m_fHighestPartialFrequency = 440.f * 1.001f;
    IterativeHSS hss;
    ASSERT_EQ(hss.init(config), 0);
    EXPECT_EQ(hss.getConfig().m_iMinBin, 36);
    EXPECT_EQ(hss.getConfig().m_iMaxFundamentalBin, 72);
    EXPECT_EQ(hss.getConfig().m_iMaxPartialBin, 147);
    EXPECT_EQ(hss.getNumPartialsPerBin()[35], 0);
    EXPECT_EQ(hss.getNumPartialsPerBin()[73], 0);
    EXPECT_EQ(hss.getNumPartialsPerBin()[72], 4); // offsets 0, 36, 57, 72 fit below 147
    // Default functions: weights 1/(p+1), reduction by half.
    EXPECT_FLOAT_EQ(hss.getPartialWeights()[3], 0.25f);
    EXPECT_FLOAT_EQ(hss.getPartialReductions()[3], 0.5f);

    // A peak outside the candidate range is never credited.
    Vector<float> spectrum(kNumBins);
    spectrum[10] = 1.f;
    hss.process(spectrum);
    Vector<float> result, residual;
    hss.getResult(result);
    hss.getResidualSpectrum(residual);
    EXPECT_EQ(result.getSum(), 0.f);
    EXPECT_EQ(residual[10], 1.f);
}

TEST(IterativeHSSConfig, PartialArithmetic)
{
    EXPECT_NEAR(IterativeHSS::partialIndex2IndexOffset(1, 3), 36.f, 1e-4f);
    EXPECT_NEAR(IterativeHSS::partialIndex2IndexOffset(2, 3), 57.05865f, 1e-3f);
    EXPECT_NEAR(IterativeHSS::indexOffset2PartialIndex(72.f, 3), 3.f, 1e-5f);
    // Range r holds the partials with offsets up to r - 1.
    EXPECT_EQ(IterativeHSS::computeNumPartialsWithinBinRange(1, 3), 1);
    EXPECT_EQ(IterativeHSS::computeNumPartialsWithinBinRange(37, 3), 2);
    EXPECT_EQ(IterativeHSS::computeNumPartialsWithinBinRange(36, 3), 1);
    EXPECT_EQ(IterativeHSS::computeNumPartialsWithinBinRange(58, 3), 3);
    EXPECT_EQ(IterativeHSS::computeNumPartialsWithinBinRange(57, 3), 2);

    IterativeHSS::Config config(kLowestPitch, 3, kNumBins);
    EXPECT_EQ(config.freq2Index(0.f), -std::numeric_limits<float>::max());
    EXPECT_NEAR(config.freq2Index(440.f), 147.f, 1e-3f);
    EXPECT_NEAR(config.computeBinFreq(147), 440.f, 1e-3f);
    EXPECT_FLOAT_EQ(IterativeHSS::Config::oneOverSquaredPartialIndexReduction(0), 0.f);
    EXPECT_FLOAT_EQ(IterativeHSS::Config::oneOverSquaredPartialIndex(2), 1.f / 9.f);
}

TEST(IterativeHSSFeatureBase, UnimplementedOperationsAnswerSix)
{
    IterativeHSS hss;
    float fValue = 0.f;
    Vector<float> in(4), out(4);
    CvtrFeatureBase& base = hss;
    EXPECT_EQ(base.process(&fValue, 1), 6);
    EXPECT_EQ(base.process(&fValue, &fValue, 1), 6);
    EXPECT_EQ(base.process(in, out), 6);
    EXPECT_EQ(base.getResultLength(), 0);
    EXPECT_EQ(base.getResult(&fValue), 0);
}
