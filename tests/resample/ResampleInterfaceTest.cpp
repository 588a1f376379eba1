#include "ResampleInterface.h"
#include "ResampleTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

using namespace resampletest;

namespace
{
struct Handle
{
    void* p = nullptr;
    Handle(int iOrder = 6, int iMaxFrames = 16384, int iChannels = 1, int iType = 0)
    {
        EXPECT_EQ(ResampleCreateInstance(&p, iOrder, iMaxFrames, iChannels, iType, 0), 0);
    }
    ~Handle() { ResampleDestroyInstance(&p); }
};

std::vector<float> resample(void* p, const std::vector<float>& in, float fIn, float fOut)
{
    std::vector<float> out(static_cast<size_t>(in.size() * static_cast<double>(fOut) / fIn + 4));
    out.resize(static_cast<size_t>(Resample(p, in.data(), out.data(), 1, static_cast<int>(in.size()), fIn, fOut)));
    return out;
}

int g_iAllocationsLeft = 0;
void* failAfter(uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlign)
{
    if (g_iAllocationsLeft-- <= 0)
        return nullptr;
    return vtrAllocator::defaultMalloc(iSize, eAlign);
}
}

TEST(ResampleInterface, VersionTexts)
{
    EXPECT_EQ(std::string(ResampleGetVersion()), "3.1.9+89aa72f");
    EXPECT_EQ(std::string(ResampleGetBuildDate()), "Nov 24 2023");
}

TEST(ResampleInterface, CreateAndDestroy)
{
    void* p = &p;
    EXPECT_EQ(ResampleCreateInstance(&p, 0, 1024, 1, 0, 0), 5000003);
    EXPECT_EQ(ResampleCreateInstance(&p, 121, 1024, 1, 0, 0), 5000003);
    EXPECT_EQ(p, &p);  // untouched for a bad order
    EXPECT_EQ(ResampleCreateInstance(&p, 6, 1024, 1, 2, 0), 5000003);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(ResampleCreateInstance(nullptr, 6, 1024, 1, 0, 0), 5000003);

    EXPECT_EQ(ResampleCreateInstance(&p, 120, 1024, 2, 1, 1), 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(ResampleDestroyInstance(&p), 0);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(ResampleDestroyInstance(&p), 0);
    EXPECT_EQ(ResampleDestroyInstance(nullptr), 0);
}

// Running out of memory at any allocation of the creation leaves no instance and no leak.
TEST(ResampleInterface, CreationOutOfMemory)
{
    for (int iType : {0, 1})
        for (int iAllowed = 0;; ++iAllowed)
        {
            ASSERT_LT(iAllowed, 20);
            g_iAllocationsLeft = iAllowed;
            vtrAllocatorIf::setCustomAllocator(&failAfter);
            void* p = nullptr;
            int iError = 0;
            bool bThrown = false;
            try
            {
                iError = ResampleCreateInstance(&p, 6, 1024, 1, iType, 0);
            }
            catch (const std::bad_alloc&)
            {
                bThrown = true;
            }
            vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc);
            if (!bThrown && iError == 0)
            {
                EXPECT_NE(p, nullptr);
                ResampleDestroyInstance(&p);
                break;
            }
            EXPECT_TRUE(bThrown || iError == 1000001) << iAllowed;
            EXPECT_EQ(p, nullptr);
        }
}

TEST(ResampleInterface, CallsOnNullHandle)
{
    float buffer[16] = {};
    EXPECT_EQ(Resample(nullptr, buffer, buffer, 1, 16, 44100.f, 11025.f), 0);
    EXPECT_EQ(ResampleFixedOutput(nullptr, buffer, buffer, 1, 16, 4, 44100.f, 11025.f), 0);
    EXPECT_EQ(ResampleGetSamplesNeeded(nullptr, 4, 44100.f, 11025.f), 0);
    EXPECT_EQ(GetNumFramesNeededFixedOutput(nullptr, 4, 44100.f, 11025.f), 0);
    EXPECT_EQ(ResampleReset(nullptr), 5000003);
    EXPECT_EQ(ResampleSetScalingFactor(nullptr, 1.f), 5000003);
}

TEST(ResampleInterface, GainAndReset)
{
    Handle h;
    EXPECT_EQ(ResampleSetScalingFactor(h.p, 0.f), 5000003);
    EXPECT_EQ(ResampleSetScalingFactor(h.p, 0.5f), 0);
    const std::vector<float> signal = sine(9000, 440.f, 48000.f);
    const std::vector<float> first = resample(h.p, signal, 48000.f, 11025.f);
    resample(h.p, signal, 48000.f, 11025.f);
    EXPECT_EQ(ResampleReset(h.p), 0);
    EXPECT_EQ(resample(h.p, signal, 48000.f, 11025.f), first);
}

// Fixed-size output: every call delivers exactly the asked count, and the delivered stream
// is the plain stream, frame for frame.
TEST(ResampleInterface, FixedOutputDeliversExactCounts)
{
    for (float fIn : {44100.f, 48000.f, 8000.f, 22050.f, 96000.f, 11025.f})
        for (int iOutFrames : {1024, 333})
        {
            Handle fixed;
            Handle plain(6, 300000);
            const std::vector<float> signal = sine(300000, 523.f, fIn);
            std::vector<float> delivered, out(static_cast<size_t>(iOutFrames));
            size_t iPos = 0;
            for (int iCall = 0; iCall < 30; ++iCall)
            {
                const int iNeeded = GetNumFramesNeededFixedOutput(fixed.p, iOutFrames, fIn, 11025.f);
                ASSERT_LE(iPos + static_cast<size_t>(iNeeded), signal.size());
                ASSERT_EQ(ResampleFixedOutput(fixed.p, signal.data() + iPos, out.data(), 1, iNeeded, iOutFrames, fIn,
                                              11025.f),
                          iOutFrames)
                    << fIn << " Hz, call " << iCall;
                iPos += static_cast<size_t>(iNeeded);
                delivered.insert(delivered.end(), out.begin(), out.end());
            }
            // The reference gets more input: a stream cut into calls may deliver one frame
            // more than a single call over the same input converts.
            const size_t iReferenceLength = std::min(signal.size(), iPos + 2000);
            const std::vector<float> expected = resample(
                plain.p, std::vector<float>(signal.begin(), signal.begin() + static_cast<long>(iReferenceLength)), fIn,
                11025.f);
            ASSERT_GE(expected.size(), delivered.size()) << fIn << " Hz, " << iOutFrames << " frames";
            for (size_t k = 0; k < delivered.size(); ++k)
                ASSERT_NEAR(delivered[k], expected[k], 1e-4f) << fIn << " Hz, frame " << k;
        }
}

// More input than asked for: the holding buffer grows and nothing is lost.
TEST(ResampleInterface, FixedOutputKeepsSurplus)
{
    Handle fixed(6, 16384);
    Handle plain(6, 16384);
    const std::vector<float> signal = sine(16384, 523.f, 11025.f);
    std::vector<float> out(64, -7.f);
    // Equal rates: 16384 - 14 frames are produced at once, far beyond 64 + 256.
    EXPECT_EQ(ResampleFixedOutput(fixed.p, signal.data(), out.data(), 1, 16384, 64, 11025.f, 11025.f), 64);
    std::vector<float> delivered(out.begin(), out.end());
    EXPECT_EQ(GetNumFramesNeededFixedOutput(fixed.p, 64, 11025.f, 11025.f), 0);
    int iDelivered = 0;
    while ((iDelivered = ResampleFixedOutput(fixed.p, nullptr, out.data(), 1, 0, 64, 11025.f, 11025.f)) > 0)
        delivered.insert(delivered.end(), out.begin(), out.begin() + iDelivered);
    EXPECT_EQ(resample(plain.p, signal, 11025.f, 11025.f), delivered);
}

TEST(ResampleInterface, FixedOutputRefusesBadCalls)
{
    Handle h(6, 4096, 2);
    std::vector<float> in(2 * 4096, 0.1f), out(2 * 1024);
    EXPECT_EQ(ResampleFixedOutput(h.p, in.data(), out.data(), 1, 4096, 1024, 44100.f, 11025.f), 0);
    EXPECT_EQ(ResampleFixedOutput(h.p, in.data(), out.data(), 2, 4096, -1, 44100.f, 11025.f), 0);
    EXPECT_EQ(ResampleFixedOutput(h.p, in.data(), out.data(), 2, 4097, 1024, 44100.f, 11025.f), 0);
    EXPECT_EQ(ResampleFixedOutput(h.p, in.data(), out.data(), 2, 4096, 1024, 0.f, 11025.f), 0);
    EXPECT_EQ(GetNumFramesNeededFixedOutput(h.p, 1024, 44100.f, 11025.f), 29 + 4096);
}

// Far more input than asked for at a huge upsampling ratio would hold gigabytes of
// surplus: the call is refused and the stream goes on as if it had not been made.
TEST(ResampleInterface, FixedOutputRefusesASurplusBeyondItsLimit)
{
    Handle h(6, 4096, 2);
    Handle fresh(6, 4096, 2);
    const std::vector<float> in(2 * 4096, 0.25f);
    std::vector<float> out(2 * 512), expected(2 * 512);
    // 4096 frames at 100 Hz to 5 MHz: about 2 x 10^8 frames, 2 x 512 wanted.
    EXPECT_EQ(ResampleFixedOutput(h.p, in.data(), out.data(), 2, 4096, 512, 100.f, 5000000.f), 0);
    // Nothing was consumed: the next call is served as on a fresh instance.
    const int iNeeded = GetNumFramesNeededFixedOutput(h.p, 512, 44100.f, 11025.f);
    EXPECT_EQ(GetNumFramesNeededFixedOutput(fresh.p, 512, 44100.f, 11025.f), iNeeded);
    EXPECT_EQ(ResampleFixedOutput(h.p, in.data(), out.data(), 2, iNeeded, 512, 44100.f, 11025.f), 512);
    EXPECT_EQ(ResampleFixedOutput(fresh.p, in.data(), expected.data(), 2, iNeeded, 512, 44100.f, 11025.f), 512);
    EXPECT_EQ(out, expected);
}

TEST(ResampleInterface, SteadyFixedOutputAllocatesNothing)
{
    Handle h;
    const std::vector<float> signal = sine(200000, 523.f, 48000.f);
    std::vector<float> out(1024);
    size_t iPos = 0;
    auto call = [&] {
        const int iNeeded = GetNumFramesNeededFixedOutput(h.p, 1024, 48000.f, 11025.f);
        ResampleFixedOutput(h.p, signal.data() + iPos, out.data(), 1, iNeeded, 1024, 48000.f, 11025.f);
        iPos += static_cast<size_t>(iNeeded);
    };
    call();  // sizes the holding buffer once
    AllocationCounter counter;
    for (int i = 0; i < 30; ++i)
        call();
    EXPECT_EQ(counter.count(), 0);
}
