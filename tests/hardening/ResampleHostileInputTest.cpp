// The resampler's function interface on samples and shapes of streams that real input
// delivers now and then: bad samples cost only the output frames whose filter window
// holds them, and channel counts and rates at the extremes convert like any other.
#include "ResampleInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace
{
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kDenormal = std::numeric_limits<float>::denorm_min();

struct Handle
{
    void* p = nullptr;
    explicit Handle(int iMaxFrames, int iChannels = 1)
    {
        EXPECT_EQ(ResampleCreateInstance(&p, 6, iMaxFrames, iChannels, 0, 0), 0);
    }
    ~Handle() { ResampleDestroyInstance(&p); }
};

/// Converts in calls of iBlock frames, each with the output buffer the interface asks for.
std::vector<float> convert(void* p, const std::vector<float>& in, int iChannels, int iBlock, float fIn, float fOut)
{
    std::vector<float> result;
    const size_t iFrames = in.size() / static_cast<size_t>(iChannels);
    for (size_t pos = 0; pos < iFrames; pos += static_cast<size_t>(iBlock))
    {
        const int n = static_cast<int>(std::min(iFrames - pos, static_cast<size_t>(iBlock)));
        const size_t iOutFrames = static_cast<size_t>((n + 1) * static_cast<double>(fOut) / fIn) + 2;
        std::vector<float> out(iOutFrames * static_cast<size_t>(iChannels));
        const int iProduced = Resample(p, in.data() + pos * static_cast<size_t>(iChannels), out.data(), iChannels, n,
                                       fIn, fOut);
        EXPECT_LE(static_cast<size_t>(iProduced), iOutFrames);
        result.insert(result.end(), out.begin(), out.begin() + iProduced * iChannels);
    }
    return result;
}

std::vector<float> sine(size_t iFrames, float fHz, float fRate)
{
    std::vector<float> v(iFrames);
    for (size_t i = 0; i < iFrames; ++i)
        v[i] = 0.5f * static_cast<float>(std::sin(6.283185307179586 * fHz * static_cast<double>(i) / fRate));
    return v;
}
}

// A burst of bad samples spoils the output near it; once the filter window has passed it,
// the output is exactly that of the clean stream again: nothing in the state keeps it.
TEST(ResampleHostileInput, BadSamplesSpoilOnlyTheirNeighbourhood)
{
    const size_t n = 40000, iBurst = 10000, iBurstLength = 100;
    // The filter reaches 7 input frames each side at 48 kHz to 11025 Hz; 1000 is ample.
    const size_t iClearAfter = iBurst + iBurstLength + 1000;
    struct Case
    {
        const char* pName;
        float fValue;
    };
    const std::vector<float> clean = sine(n, 440.f, 48000.f);
    Handle reference(4096);
    const std::vector<float> expected = convert(reference.p, clean, 1, 4096, 48000.f, 11025.f);
    for (const Case& c : {Case{"NaN", kNaN}, Case{"positive infinity", kInf}, Case{"negative infinity", -kInf},
                          Case{"largest float", std::numeric_limits<float>::max()}})
    {
        std::vector<float> spoilt = clean;
        std::fill(spoilt.begin() + iBurst, spoilt.begin() + iBurst + iBurstLength, c.fValue);
        Handle h(4096);
        const std::vector<float> out = convert(h.p, spoilt, 1, 4096, 48000.f, 11025.f);
        ASSERT_EQ(out.size(), expected.size()) << c.pName;
        const size_t iFirstClean = iClearAfter * 11025 / 48000;
        for (size_t k = 0; k < iBurst * 11025 / 48000 - 10; ++k)
            ASSERT_EQ(out[k], expected[k]) << c.pName << ", frame " << k;
        for (size_t k = iFirstClean; k < out.size(); ++k)
            ASSERT_EQ(out[k], expected[k]) << c.pName << ", frame " << k;
    }
}

// Denormal input gives tiny finite output, and so does music riddled with them.
TEST(ResampleHostileInput, DenormalsStayFiniteAndSmall)
{
    struct Case
    {
        const char* pName;
        std::function<float(size_t)> sample;
        float fLimit;
    };
    const std::vector<float> music = sine(20000, 300.f, 44100.f);
    for (const Case& c : {Case{"smallest denormals", [](size_t) { return kDenormal; }, 1e-30f},
                          Case{"alternating denormals", [](size_t i) { return i % 2 ? kDenormal : -kDenormal; }, 1e-30f},
                          Case{"largest denormals", [](size_t) { return std::numeric_limits<float>::min() / 2.f; },
                               1e-30f},
                          Case{"music with denormals between", [&](size_t i) { return i % 3 ? music[i] : kDenormal; },
                               1.f}})
    {
        std::vector<float> in(20000);
        for (size_t i = 0; i < in.size(); ++i)
            in[i] = c.sample(i);
        Handle h(4096);
        for (float y : convert(h.p, in, 1, 4096, 44100.f, 11025.f))
        {
            ASSERT_TRUE(std::isfinite(y)) << c.pName;
            ASSERT_LE(std::fabs(y), c.fLimit) << c.pName;
        }
    }
}

// Full-scale square waves come out band-limited: at most the fundamental alone (4 / pi of
// the level) with a little ripple, never a blow-up.
TEST(ResampleHostileInput, FullScaleSquareWavesOvershootBoundedly)
{
    for (float fHz : {50.f, 440.f, 3000.f, 22050.f})
    {
        std::vector<float> in(30000);
        for (size_t i = 0; i < in.size(); ++i)
            in[i] = std::fmod(static_cast<double>(i) * fHz / 44100.0, 1.0) < 0.5 ? 1.f : -1.f;
        Handle h(16384);
        for (float y : convert(h.p, in, 1, 16384, 44100.f, 11025.f))
            ASSERT_LE(std::fabs(y), 1.35f) << fHz << " Hz";
    }
}

// Each of up to 64 interleaved channels converts exactly as it would alone; the channels
// differ by powers of two, which the arithmetic carries exactly.
TEST(ResampleHostileInput, OneToSixtyFourChannelsConvertIndependently)
{
    const std::vector<float> mono = sine(8000, 523.f, 44100.f);
    Handle alone(2000);
    const std::vector<float> expected = convert(alone.p, mono, 1, 2000, 44100.f, 11025.f);
    for (int iChannels : {2, 5, 16, 63, 64})
    {
        std::vector<float> interleaved(mono.size() * static_cast<size_t>(iChannels));
        for (size_t i = 0; i < mono.size(); ++i)
            for (int c = 0; c < iChannels; ++c)
                interleaved[i * static_cast<size_t>(iChannels) + static_cast<size_t>(c)] =
                    std::ldexp(mono[i], c % 5 - 2);
        Handle h(2000, iChannels);
        const std::vector<float> out = convert(h.p, interleaved, iChannels, 2000, 44100.f, 11025.f);
        ASSERT_EQ(out.size(), expected.size() * static_cast<size_t>(iChannels)) << iChannels;
        for (size_t k = 0; k < expected.size(); ++k)
            for (int c = 0; c < iChannels; ++c)
                ASSERT_EQ(out[k * static_cast<size_t>(iChannels) + static_cast<size_t>(c)],
                          std::ldexp(expected[k], c % 5 - 2))
                    << iChannels << " channels, frame " << k << ", channel " << c;
    }
}

// The engine's whole rate range to its analysis rate: counts follow the ratio and the
// output stays finite, in single frames as in the longest blocks.
TEST(ResampleHostileInput, ExtremeRatesInSingleFramesAndLongestBlocks)
{
    struct Case
    {
        float fIn;
        int iBlock;
    };
    for (const Case& c : {Case{100.f, 1}, Case{100.f, 16384}, Case{5000000.f, 1}, Case{5000000.f, 16384},
                          Case{44100.f, 1}, Case{44100.f, 16384}})
    {
        const size_t n = c.fIn < 1000.f ? 2000 : 200000;
        const std::vector<float> in = sine(n, std::min(440.f, c.fIn / 4.f), c.fIn);
        Handle h(16384);
        const std::vector<float> out = convert(h.p, in, 1, c.iBlock, c.fIn, 11025.f);
        const double dExpected = static_cast<double>(n) * 11025.0 / c.fIn;
        EXPECT_NEAR(static_cast<double>(out.size()), dExpected, 10.0 + 20.0 * 11025.0 / c.fIn)
            << c.fIn << " Hz in blocks of " << c.iBlock;
        for (float y : out)
            ASSERT_TRUE(std::isfinite(y)) << c.fIn << " Hz";
    }
}
