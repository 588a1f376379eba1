#include "SpectralWhitening.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{
constexpr int kNumBins = 256;
constexpr float kSmallestNormal = std::numeric_limits<float>::min();

struct EngineWhitening : ::testing::Test
{
    EngineWhitening() : whitening(new SpectralWhitening()), spectrum(kNumBins)
    {
        EXPECT_TRUE(whitening->init(kNumBins, 0.5f, 3));
    }
    std::unique_ptr<SpectralWhitening> whitening;
    Vector<float> spectrum;
};
}

TEST_F(EngineWhitening, WindowIsHalfAnOctaveHammingBump)
{
    const float expectedHalf[] = {0.08f, 0.107741f, 0.18762f, 0.31f, 0.460122f, 0.619878f, 0.77f, 0.89238f, 0.972259f, 1.0f};
    const Vector<float>& w = whitening->getWindow();
    ASSERT_EQ(w.size(), 19);
    EXPECT_EQ(whitening->getHalfWindowLength(), 9);
    for (int k = 0; k < 10; ++k)
    {
        EXPECT_NEAR(w[k], expectedHalf[k], 1e-5f) << k;
        EXPECT_EQ(w[k], w[18 - k]) << k;
    }
    EXPECT_NEAR(whitening->getWindowSum(), 9.8f, 1e-5f);
}

TEST_F(EngineWhitening, WindowBoundariesAreClippedToTheSpectrum)
{
    struct Case
    {
        int iBin, iStart, iLength;
    };
    for (const Case& c : {Case{0, 0, 10}, Case{3, 0, 13}, Case{9, 0, 19}, Case{100, 91, 19}, Case{250, 241, 15}, Case{255, 246, 10}})
    {
        int iStart = -1, iLength = -1;
        whitening->computeSlidingWindowBoundaries(c.iBin, iStart, iLength);
        EXPECT_EQ(iStart, c.iStart) << c.iBin;
        EXPECT_EQ(iLength, c.iLength) << c.iBin;
    }
}

TEST_F(EngineWhitening, AllZeroSpectrumStaysZeroWithTheSmallestDeviation)
{
    EXPECT_TRUE(whitening->process(spectrum, spectrum, 1e-4f, false));
    for (int i = 0; i < kNumBins; ++i)
    {
        EXPECT_EQ(spectrum[i], 0.f) << i;
        EXPECT_EQ(whitening->getSlidingMean()[i], 0.f) << i;
        EXPECT_EQ(whitening->getSlidingStd()[i], kSmallestNormal) << i;
    }
}

TEST_F(EngineWhitening, SinglePeakSurvivesAlone)
{
    spectrum[100] = 1.f;
    Vector<float> out(kNumBins);
    EXPECT_TRUE(whitening->process(out, spectrum, 1e-4f, false));
    EXPECT_GT(out[100], 0.f);
    for (int i = 0; i < kNumBins; ++i)
        if (i != 100)
        {
            EXPECT_EQ(out[i], 0.f) << i;
        }
    // The input was left alone.
    EXPECT_EQ(spectrum[100], 1.f);
}

TEST_F(EngineWhitening, EdgesTakeTheValuesOfTheFirstFullAndFirstTruncatedWindows)
{
    for (int i = 0; i < kNumBins; ++i)
        spectrum[i] = 2.f;

    // Unfilled: the truncated window at bin 0 is still divided by the full sum.
    Vector<float> mean(kNumBins);
    whitening->computeSlidingMean(mean, spectrum);
    EXPECT_LT(mean[0], mean[128]);
    EXPECT_NEAR(mean[128], 2.f, 1e-5f);

    // A ramp makes every bin's mean distinct, so the fill's source bins show.
    for (int i = 0; i < kNumBins; ++i)
        spectrum[i] = static_cast<float>(i);
    whitening->computeSlidingMeanAndStd(spectrum);
    const Vector<float>& m = whitening->getSlidingMean();
    const Vector<float>& s = whitening->getSlidingStd();
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ(m[i], m[9]) << i;
        EXPECT_EQ(s[i], s[9]) << i;
        EXPECT_EQ(m[kNumBins - 1 - i], m[kNumBins - 9]) << i;
        EXPECT_EQ(s[kNumBins - 1 - i], s[kNumBins - 9]) << i;
    }
    EXPECT_NEAR(m[9], 9.f, 1e-4f);
    EXPECT_NE(m[kNumBins - 9], m[kNumBins - 10]);
}

TEST_F(EngineWhitening, WhitensRelativeToLocalLevel)
{
    // The same peak on a loud and on a quiet floor whitens to the same shape.
    Vector<float> loud(kNumBins), quiet(kNumBins);
    for (int i = 0; i < kNumBins; ++i)
    {
        loud[i] = 100.f * (1.f + 0.1f * static_cast<float>(i % 3));
        quiet[i] = 0.01f * (1.f + 0.1f * static_cast<float>(i % 3));
    }
    loud[120] += 500.f;
    quiet[120] += 0.05f;
    whitening->process(loud, loud, 1e-4f, false);
    whitening->process(quiet, quiet, 1e-4f, false);
    EXPECT_GT(loud[120], 3.f);
    EXPECT_NEAR(loud[120], quiet[120], 1e-3f * loud[120]);
}

TEST_F(EngineWhitening, AlternativeAlsoSubtractsTheDeviation)
{
    for (int i = 0; i < kNumBins; ++i)
        spectrum[i] = 1.f + static_cast<float>(i % 5);
    Vector<float> plain(kNumBins), alternative(kNumBins);
    whitening->process(plain, spectrum, -1e30f, false);
    whitening->process(alternative, spectrum, -1e30f, true);
    for (int i = 0; i < kNumBins; ++i)
        EXPECT_NEAR(alternative[i], plain[i] - 1.f, 1e-4f) << i;
}

TEST_F(EngineWhitening, ShortInputIsRefusedAndShortOutputGetsAPrefix)
{
    Vector<float> shortInput(kNumBins - 1), out(kNumBins);
    out[0] = 7.f;
    EXPECT_FALSE(whitening->process(out, shortInput, 1e-4f, false));
    EXPECT_EQ(out[0], 7.f);

    spectrum[5] = 1.f;
    Vector<float> prefix(8);
    EXPECT_TRUE(whitening->process(prefix, spectrum, 1e-4f, false));
    EXPECT_GT(prefix[5], 0.f);
}

TEST_F(EngineWhitening, NonFiniteValuesStayInBounds)
{
    spectrum[0] = std::numeric_limits<float>::quiet_NaN();
    spectrum[200] = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(whitening->process(spectrum, spectrum, 1e-4f, false));
}

TEST(SpectralWhitening, InitRejectsWindowsThatDoNotFit)
{
    SpectralWhitening whitening;
    EXPECT_FALSE(whitening.init(18, 0.5f, 3));
    EXPECT_FALSE(whitening.init(256, 0.f, 3));
    EXPECT_FALSE(whitening.init(256, std::numeric_limits<float>::infinity(), 3));
    EXPECT_FALSE(whitening.init(256, std::numeric_limits<float>::quiet_NaN(), 3));
    EXPECT_FALSE(whitening.init(256, 0.5f, 0));
    EXPECT_EQ(whitening.getNumBins(), 0);
    EXPECT_TRUE(whitening.init(19, 0.5f, 3));
    Vector<float> spectrum(19);
    EXPECT_TRUE(whitening.process(spectrum, spectrum, 1e-4f, false));
}
