#include "LogFreqSpectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <thread>
#include <vector>

namespace
{
constexpr float kSampleRate = 11025.f;
constexpr int kBlockSize = 4096;

LogFreqSpectrum::Config engineConfig()
{
    LogFreqSpectrum::Config config;
    config.m_fSampleRate = kSampleRate;
    config.m_fMinFrequency = 25.956539f;
    config.m_fNumOctaves = 7.111111f;
    config.m_iNumBinsPerSemitone = 3;
    config.m_iBlockSize = kBlockSize;
    return config;
}

Vector<float> sinusoid(float fFrequency)
{
    Vector<float> block(kBlockSize);
    for (int i = 0; i < kBlockSize; ++i)
        block[i] = static_cast<float>(std::sin(2.0 * M_PI * fFrequency * i / kSampleRate));
    return block;
}

using Weights = std::vector<std::vector<float>>;

Weights weightsOf(const LogFreqSpectrum& spectrum)
{
    Weights weights;
    for (int i = 0; i < spectrum.getNumKernels(); ++i)
    {
        const Vector<float>& kernel = spectrum.getKernel(i).m_Weights;
        weights.emplace_back(kernel.getPointer(), kernel.getPointer() + kernel.size());
    }
    return weights;
}

// On a thread of its own, which has designed nothing before.
Weights designAfresh(const LogFreqSpectrum::Config& config)
{
    Weights weights;
    std::thread([&] {
        LogFreqSpectrum spectrum;
        spectrum.initialize(config);
        weights = weightsOf(spectrum);
    }).join();
    return weights;
}

struct EngineSpectrum : ::testing::Test
{
    EngineSpectrum() : output(256) { spectrum.initialize(engineConfig()); }
    LogFreqSpectrum spectrum;
    Vector<float> output;
};
}

TEST(LogFreqSpectrumConfig, BinCountsAndFrequencies)
{
    LogFreqSpectrum::Config defaults;
    defaults.m_fSampleRate = 44100.f;
    EXPECT_EQ(defaults.getNumFreqBins(), 108);
    EXPECT_EQ(defaults.getOversampledFftLength(), 80 * 16384);

    const LogFreqSpectrum::Config config = engineConfig();
    EXPECT_EQ(config.getNumFreqBins(), 256);
    EXPECT_NEAR(config.getFrequency(0), 25.956539f, 1e-5f);
    EXPECT_NEAR(config.getFrequency(3), 27.5f, 2e-4f);
    EXPECT_NEAR(config.getFrequency(147), 440.f, 2e-3f);
    EXPECT_NEAR(config.getFrequency(255), 3520.f, 2e-2f);
    EXPECT_NEAR(config.computeBinIndex(440.f), 147.f, 1e-3f);
    EXPECT_NEAR(config.computeBinIndex(config.getFrequency(200)), 200.f, 1e-3f);
}

TEST(LogFreqSpectrumConfig, KernelRangesUseRealQuotients)
{
    struct Case
    {
        int iBin, iFirst, iCount;
    };
    const LogFreqSpectrum::Config config = engineConfig();
    for (const Case& c : {Case{0, 9, 2}, Case{1, 9, 3}, Case{3, 10, 2}, Case{36, 18, 3}, Case{72, 37, 4}, Case{108, 75, 5}, Case{180, 302, 14},
                          Case{216, 605, 26}, Case{255, 1282, 53}})
    {
        int iFirst = -1, iCount = -1;
        config.computeReducedKernelRange(c.iBin, iFirst, iCount);
        EXPECT_EQ(iFirst, c.iFirst) << c.iBin;
        EXPECT_EQ(iCount, c.iCount) << c.iBin;
    }
    // Bin 0's window on the fine grid reaches one bin below and above 25.96 Hz.
    int iLo = 0, iHi = 0;
    config.computeSemitoneRange(0, iLo, iHi);
    EXPECT_EQ(iLo, 757);
    EXPECT_EQ(iHi, 786);
}

TEST(LogFreqSpectrumConfig, StaticConversions)
{
    EXPECT_FLOAT_EQ(LogFreqSpectrum::frequency2FftIndex(kSampleRate / 4.f, kBlockSize, kSampleRate), 1024.f);
    EXPECT_FLOAT_EQ(LogFreqSpectrum::fftIndex2Frequency(1024.f, kBlockSize, kSampleRate), kSampleRate / 4.f);
    EXPECT_FLOAT_EQ(LogFreqSpectrum::computeHannWindow(0.f, 160.f), 1.f);
    EXPECT_NEAR(LogFreqSpectrum::computeHannWindow(80.f, 160.f), 0.f, 1e-7f);
}

TEST_F(EngineSpectrum, KernelsMatchTheirRanges)
{
    ASSERT_EQ(spectrum.getNumKernels(), 256);
    const LogFreqSpectrum::Config config = engineConfig();
    for (int i = 0; i < 256; ++i)
    {
        const LogFreqSpectrum::Kernel& kernel = spectrum.getKernel(i);
        int iFirst = 0, iCount = 0;
        config.computeReducedKernelRange(i, iFirst, iCount);
        EXPECT_EQ(kernel.m_iStartBin, iFirst) << i;
        ASSERT_EQ(kernel.m_Weights.size(), iCount) << i;
        for (int k = 0; k < iCount; ++k)
            EXPECT_GE(kernel.m_Weights[k], 0.f) << i;
    }
    Vector<float> magnitudes(kBlockSize);
    const LogFreqSpectrum::Kernel& top = spectrum.getKernel(255);
    Vector<float>::Section section = top.getRelevantSection(magnitudes);
    EXPECT_EQ(section.getPointer(), magnitudes.getPointer() + 1282);
    EXPECT_EQ(section.size(), 53);
}

TEST_F(EngineSpectrum, SinusoidAt440HzPeaksAtBin147)
{
    ASSERT_TRUE(spectrum.process(output, sinusoid(440.f)));
    int iPeak = 0;
    for (int i = 1; i < 256; ++i)
        if (output[i] > output[iPeak])
            iPeak = i;
    EXPECT_EQ(iPeak, 147);
    EXPECT_NEAR(output[147], 8.19f, 0.01f);
    EXPECT_NEAR(output[146], 0.9f, 0.05f);
    EXPECT_NEAR(output[148], 0.9f, 0.05f);
    EXPECT_LT(output[145], 0.03f);
    EXPECT_LT(output[149], 0.03f);
}

TEST_F(EngineSpectrum, ZeroBlockGivesZeroSpectrum)
{
    output[10] = 5.f;
    ASSERT_TRUE(spectrum.process(output, Vector<float>(kBlockSize)));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(output[i], 0.f) << i;
}

TEST_F(EngineSpectrum, RepeatedInitializeGivesIdenticalWeights)
{
    // A copy of the first design, to compare with after rebuilding.
    Vector<float> first[256];
    for (int i = 0; i < 256; ++i)
    {
        first[i].allocate(spectrum.getKernel(i).m_Weights.size());
        first[i].copyFrom(spectrum.getKernel(i).m_Weights);
    }
    spectrum.initialize(engineConfig());
    ASSERT_EQ(spectrum.getNumKernels(), 256);
    for (int i = 0; i < 256; ++i)
    {
        const Vector<float>& weights = spectrum.getKernel(i).m_Weights;
        ASSERT_EQ(weights.size(), first[i].size()) << i;
        for (int k = 0; k < weights.size(); ++k)
            EXPECT_EQ(weights[k], first[i][k]) << i << " " << k;
    }
    EXPECT_TRUE(spectrum.process(output, sinusoid(440.f)));
}

TEST(LogFreqSpectrum, KernelsKeptFromAnEarlierInstanceEqualAFreshDesignForEachConfig)
{
    LogFreqSpectrum::Config other = engineConfig();
    other.m_fSampleRate = 22050.f;
    other.m_iOversampling = 40;
    const Weights freshEngine = designAfresh(engineConfig());
    const Weights freshOther = designAfresh(other);
    ASSERT_NE(freshEngine, freshOther);

    // Taking turns on one thread: the last two instances of the engine's config find
    // the other config's design and then their own kept.
    LogFreqSpectrum first, second, third, fourth;
    first.initialize(engineConfig());
    second.initialize(other);
    third.initialize(engineConfig());
    fourth.initialize(engineConfig());
    EXPECT_EQ(weightsOf(first), freshEngine);
    EXPECT_EQ(weightsOf(second), freshOther);
    EXPECT_EQ(weightsOf(third), freshEngine);
    EXPECT_EQ(weightsOf(fourth), freshEngine);
}

TEST_F(EngineSpectrum, WrongSizesAndResetAreRefused)
{
    Vector<float> shortBlock(kBlockSize - 1), shortOutput(255);
    EXPECT_FALSE(spectrum.process(output, shortBlock));
    EXPECT_FALSE(spectrum.process(shortOutput, sinusoid(440.f)));
    spectrum.reset();
    EXPECT_EQ(spectrum.getNumKernels(), 0);
    EXPECT_FALSE(spectrum.process(output, sinusoid(440.f)));
}

TEST(LogFreqSpectrum, InvalidConfigsThrowAndChangeNothing)
{
    using Change = void (*)(LogFreqSpectrum::Config&);
    struct Case
    {
        Change change;
        const char* pcField;
    };
    const Case cases[] = {
        {[](LogFreqSpectrum::Config& c) { c.m_fSampleRate = -1.f; }, "m_fSampleRate"},
        {[](LogFreqSpectrum::Config& c) { c.m_fSampleRate = std::numeric_limits<float>::quiet_NaN(); }, "m_fSampleRate"},
        {[](LogFreqSpectrum::Config& c) { c.m_fMinFrequency = 0.f; }, "m_fMinFrequency"},
        {[](LogFreqSpectrum::Config& c) { c.m_iNumBinsPerSemitone = 0; }, "m_iNumBinsPerSemitone"},
        {[](LogFreqSpectrum::Config& c) { c.m_iOversampling = 0; }, "m_iOversampling"},
        {[](LogFreqSpectrum::Config& c) { c.m_fNumOctaves = 0.f; }, "m_fNumOctaves"},
        // Up to 7040 Hz: beyond the Nyquist frequency of 11025 Hz.
        {[](LogFreqSpectrum::Config& c) { c.m_fNumOctaves = 8.111111f; }, "m_fNumOctaves"},
        {[](LogFreqSpectrum::Config& c) { c.m_iBlockSize = 4000; }, "m_iBlockSize"},
    };
    for (const Case& c : cases)
    {
        LogFreqSpectrum spectrum;
        spectrum.initialize(engineConfig());
        LogFreqSpectrum::Config config = engineConfig();
        c.change(config);
        try
        {
            spectrum.initialize(config);
            ADD_FAILURE() << c.pcField;
        }
        catch (const std::invalid_argument& e)
        {
            EXPECT_STREQ(e.what(), c.pcField);
        }
        EXPECT_EQ(spectrum.getNumKernels(), 256) << c.pcField;
        EXPECT_EQ(spectrum.getConfig().m_fSampleRate, kSampleRate) << c.pcField;
    }
    LogFreqSpectrum unconfigured;
    Vector<float> block(kBlockSize), output(256);
    EXPECT_FALSE(unconfigured.process(output, block));
}
