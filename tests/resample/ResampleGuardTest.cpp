// Calls the buffers cannot serve must be refused without touching any state.
#include "ResampleTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace resampletest;

namespace
{
constexpr int kMaxFrames = 4096;

struct BadCall
{
    const char* pName;
    float fIn, fOut;
    unsigned int iChannels, iFrames;
};

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

const BadCall kBadCalls[] = {
    {"input rate NaN", kNaN, 11025.f, 1, 1000},
    {"output rate NaN", 44100.f, kNaN, 1, 1000},
    {"input rate infinite", kInf, 11025.f, 1, 1000},
    {"output rate infinite", 44100.f, kInf, 1, 1000},
    {"input rate 0", 0.f, 11025.f, 1, 1000},
    {"output rate negative", 44100.f, -11025.f, 1, 1000},
    {"ratio overflows", 1e-30f, 1e30f, 1, 1000},
    {"ratio underflows", 1e30f, 1e-30f, 1, 1000},
    {"ratio below the history reserve", 11025.f * 502.f, 11025.f, 1, 1000},
    {"more frames than the maximum", 44100.f, 11025.f, 1, kMaxFrames + 1},
    {"huge frame count", 44100.f, 11025.f, 1, 0xFFFFFFFFu},
    {"other channel count", 44100.f, 11025.f, 2, 1000},
    {"no channels", 44100.f, 11025.f, 0, 1000},
};
}

TEST(ResampleGuard, RefusedCallsChangeNothing)
{
    const std::vector<float> first = sine(3000, 500.f, 44100.f);
    const std::vector<float> second = sine(3000, 500.f, 44100.f, 1.f, 3000);
    std::vector<float> big(2 * (kMaxFrames + 1), 0.5f);
    std::vector<float> out(1 << 16, 0.f);

    for (int iType : {0, 1})
    {
        Instance reference = makeInstance(iType, 6, kMaxFrames, 1);
        std::vector<float> expected;
        if (iType == 0)
        {
            process(*reference, first, 44100.f, 11025.f);
            expected = process(*reference, second, 44100.f, 11025.f);
        }
        for (const BadCall& bad : kBadCalls)
        {
            Instance r = makeInstance(iType, 6, kMaxFrames, 1);
            for (int iCall = 0; iCall < 2; ++iCall)
            {
                // Once before any call and once mid-stream.
                if (iCall == 1 && iType == 0)
                    process(*r, first, 44100.f, 11025.f);
                const double dTime = r->GetTime();
                const int iReach = r->GetFilterReach();
                if (bad.iFrames <= big.size())
                    EXPECT_EQ(r->Process(reinterpret_cast<const char*>(big.data()),
                                         reinterpret_cast<char*>(out.data()), bad.fIn, bad.fOut, bad.iChannels,
                                         bad.iFrames),
                              0)
                        << bad.pName;
                else
                    EXPECT_EQ(r->Process(nullptr, reinterpret_cast<char*>(out.data()), bad.fIn, bad.fOut,
                                         bad.iChannels, bad.iFrames),
                              0)
                        << bad.pName;
                EXPECT_EQ(r->GetTime(), dTime) << bad.pName;
                EXPECT_EQ(r->GetFilterReach(), iReach) << bad.pName;
            }
            if (bad.iChannels == 1 && bad.iFrames < 100000)
            {
                EXPECT_EQ(r->GetNumOfOutputSamples(static_cast<int>(bad.iFrames), bad.fIn, bad.fOut), 0) << bad.pName;
            }
            if (bad.fIn != 44100.f || bad.fOut != 11025.f)
            {
                EXPECT_EQ(r->getNumOfSamplesNeeded(100, bad.fIn, bad.fOut), 0) << bad.pName;
                EXPECT_EQ(r->GetNumFramesNeededFixedOutput(100, bad.fIn, bad.fOut), 0) << bad.pName;
            }
            if (iType == 0)
            {
                EXPECT_EQ(process(*r, second, 44100.f, 11025.f), expected) << bad.pName;
            }
        }
    }
}

TEST(ResampleGuard, NullBuffersAreRefused)
{
    Instance r = makeFloat();
    std::vector<float> buffer(4096);
    EXPECT_EQ(r->Process(nullptr, reinterpret_cast<char*>(buffer.data()), 44100.f, 11025.f, 1, 4096), 0);
    EXPECT_EQ(r->Process(reinterpret_cast<const char*>(buffer.data()), nullptr, 44100.f, 11025.f, 1, 4096), 0);
    EXPECT_DOUBLE_EQ(r->GetTime(), 14.0);
}

// For an output of 11025 Hz, input rates up to about 501 x 11025 Hz are served.
TEST(ResampleGuard, LowestRatioBoundary)
{
    for (int iType : {0, 1})
    {
        Instance r = makeInstance(iType, 6, 16384, 1);
        const float fHighest = 11025.f * 500.8f;
        EXPECT_GT(r->GetNumOfFillPreBufferSamples(fHighest, 11025.f), 3000);
        EXPECT_EQ(r->GetNumOfFillPreBufferSamples(11025.f * 501.f, 11025.f), 0);
        std::vector<char> in(16384 * 4, 0), out(64 * 4, 0);
        for (int i = 0; i < 4; ++i)
            EXPECT_GT(r->Process(in.data(), out.data(), fHighest, 11025.f, 1, 16384), 20);
    }
}

// Random rates (with reach growth), block sizes, resets and pre-buffers: every call stays
// inside the buffers (checked by the sanitizer and the read-range assertions) and the
// prediction matches.
TEST(ResampleGuard, RandomStreamsStayInBounds)
{
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> ratio(std::log(1.f / 500.5f), std::log(8.f));
    std::uniform_int_distribution<int> frames(0, 700);
    std::uniform_int_distribution<int> action(0, 39);
    for (int iType : {0, 1})
        for (int iChannels : {1, 3})
        {
            Instance r = makeInstance(iType, 6, 700, iChannels);
            const int iBytes = iType == 0 ? 4 : 2;
            std::vector<char> in(static_cast<size_t>(700 * iChannels * iBytes), 1);
            std::vector<char> out;
            std::vector<char> pre(static_cast<size_t>(3507 * iChannels * iBytes), 2);
            for (int i = 0; i < 1500; ++i)
            {
                const float fOut = 11025.f;
                const float fIn = fOut / std::exp(ratio(rng));
                const int a = action(rng);
                if (a == 0)
                    r->Reset();
                else if (a == 1)
                    EXPECT_EQ(r->Reset(std::uniform_real_distribution<float>(-1.f, 1.f)(rng), fIn, fOut), 0);
                else if (a == 2)
                    r->FillPreBuffer(pre.data(), static_cast<unsigned int>(iChannels),
                                     static_cast<unsigned int>(r->GetNumOfFillPreBufferSamples(fIn, fOut)));
                const int iFrames = frames(rng);
                const int iPredicted = r->GetNumOfOutputSamples(iFrames, fIn, fOut);
                // Exactly the predicted size, so that any overrun hits the sanitizer.
                out.assign(static_cast<size_t>(iPredicted * iChannels * iBytes) + 1, 0);
                const int iProduced = r->Process(in.data(), out.data(), fIn, fOut,
                                                 static_cast<unsigned int>(iChannels),
                                                 static_cast<unsigned int>(iFrames));
                ASSERT_EQ(iPredicted, iProduced);
                // Never refused: whenever the call covers a few output frames, it yields some.
                if ((iFrames - r->GetFilterReach()) * fOut / fIn >= 4.f)
                {
                    ASSERT_GT(iProduced, 0) << fIn << " Hz, " << iFrames << " frames";
                }
            }
        }
}
