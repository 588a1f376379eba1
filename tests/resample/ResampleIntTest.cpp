#include "CResampleInt.h"
#include "ResampleTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace resampletest;

namespace
{
std::vector<int16_t> processInt(CResampleBase& r, const std::vector<int16_t>& in, float fIn, float fOut,
                                int iNumChannels = 1)
{
    const int iFrames = static_cast<int>(in.size()) / iNumChannels;
    std::vector<int16_t> out(static_cast<size_t>((iFrames * static_cast<double>(fOut) / fIn + 4) * iNumChannels));
    const int iProduced = r.Process(reinterpret_cast<const char*>(in.data()), reinterpret_cast<char*>(out.data()),
                                    fIn, fOut, static_cast<unsigned int>(iNumChannels),
                                    static_cast<unsigned int>(iFrames));
    out.resize(static_cast<size_t>(iProduced * iNumChannels));
    return out;
}

Instance makeInt(int iNumChannels = 1)
{
    return makeInstance(CResampleBase::kSampleInt16, 6, 16384, iNumChannels);
}
}

TEST(ResampleInt, TablesInFixedPoint)
{
    Instance r = makeInt();
    EXPECT_TRUE(r->IsInt16());
    const auto& i = static_cast<const CResampleInt&>(*r);
    EXPECT_EQ(i.GetImpulse()[0], 29643);  // 0.9046875 * 32767, truncated
    EXPECT_EQ(i.GetImpulse()[11] - i.GetImpulse()[10], i.GetImpulseDelta()[10]);
}

TEST(ResampleInt, CountsMatchFloatVariant)
{
    Instance r = makeInt();
    const std::vector<int16_t> in(16384, 0);
    EXPECT_EQ(processInt(*r, in, 44100.f, 11025.f).size(), 4089u);
    EXPECT_EQ(r->GetFilterReach(), 29);
    EXPECT_EQ(processInt(*r, in, 44100.f, 11025.f).size(), 4096u);
    for (int iFrames : {1000, 7, 4095})
    {
        const int iPredicted = r->GetNumOfOutputSamples(iFrames, 48000.f, 44100.f);
        EXPECT_EQ(processInt(*r, std::vector<int16_t>(static_cast<size_t>(iFrames), 0), 48000.f, 44100.f).size(),
                  static_cast<size_t>(iPredicted));
    }
}

TEST(ResampleInt, ConstantAndSine)
{
    Instance r = makeInt();
    std::vector<int16_t> out;
    for (int i = 0; i < 3; ++i)
    {
        const std::vector<int16_t> part = processInt(*r, std::vector<int16_t>(8192, 10000), 44100.f, 11025.f);
        out.insert(out.end(), part.begin(), part.end());
    }
    for (size_t k = 64; k < out.size(); ++k)
        ASSERT_NEAR(out[k], 9900, 30) << k;

    Instance s = makeInt();
    std::vector<int16_t> in(16384);
    for (size_t k = 0; k < in.size(); ++k)
        in[k] = static_cast<int16_t>(std::lround(16000.0 * std::sin(2.0 * M_PI * 1000.0 * k / 44100.0)));
    const std::vector<int16_t> y = processInt(*s, in, 44100.f, 11025.f);
    for (size_t k = 100; k < y.size(); ++k)
        ASSERT_NEAR(y[k], 0.99 * 16000.0 * std::sin(2.0 * M_PI * 1000.0 * k / 11025.0), 80.0) << k;
}

TEST(ResampleInt, OverloadSaturatesInsteadOfWrapping)
{
    Instance r = makeInt();
    ASSERT_EQ(r->SetScalingFactor(2.f), 0);
    const std::vector<int16_t> y = processInt(*r, std::vector<int16_t>(4096, 30000), 44100.f, 44100.f);
    for (size_t k = 64; k < y.size(); ++k)
        ASSERT_EQ(y[k], 32767) << k;
}

// Before the first call the channel count of the stream is the one given at creation.
TEST(ResampleInt, PreBufferUsesCreationChannels)
{
    Instance r = makeInt(2);
    const int iReach = r->GetNumOfFillPreBufferSamples(44100.f, 44100.f);
    ASSERT_EQ(iReach, 14);
    std::vector<int16_t> history(2 * 14);
    for (int f = 0; f < 14; ++f)
        history[2 * f] = 20000;
    EXPECT_EQ(r->FillPreBuffer(reinterpret_cast<const char*>(history.data()), 0, 14), 14);
    const std::vector<int16_t> y = processInt(*r, std::vector<int16_t>(2 * 1000, 0), 44100.f, 44100.f, 2);
    ASSERT_EQ(y.size(), 2u * 986u);
    // The last history frames reach into the first output of channel 0 only; read as one
    // channel, those frames would have been zeros.
    EXPECT_GT(y[0], 500);
    EXPECT_EQ(y[1], 0);
    EXPECT_EQ(y[2 * 500], 0);
}
