// The resampler's function interface: orders, buffer sizes, channel counts, sample
// types, rates, block sizes, fixed-output calls, gains and resets from the input.
// Every buffer is exactly as large as the interface asks for, so that any access past
// it is an AddressSanitizer report.
#include "FuzzSupport.h"
#include "ResampleInterface.h"

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{
constexpr int kInvalidArgument = 5000003;
// Calls whose output buffer would exceed this are not made: no caller could supply it.
constexpr double kMaxOutputSamples = 1 << 20;

int pickOrder(FuzzedDataProvider& in)
{
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
        return fuzz::hostileInt(in);
    return in.ConsumeBool() ? 6 : in.ConsumeIntegralInRange<int>(1, 120);
}

float pickRate(FuzzedDataProvider& in)
{
    static const float kRates[] = {11025.f, 44100.f, 48000.f, 8000.f, 96000.f, 5000000.f, 100.f, 1.f,
                                   11025.f * 500.8f, 11025.f * 501.f, 1e-30f, 1e30f};
    constexpr size_t kCount = sizeof kRates / sizeof kRates[0];
    switch (in.ConsumeIntegralInRange<int>(0, 3))
    {
    case 0:
    case 1:
        return kRates[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    case 2:
        return in.ConsumeFloatingPointInRange<float>(1.f, 200000.f);
    default:
        return fuzz::hostileFloat(in);
    }
}

int pickFrames(FuzzedDataProvider& in, int iMaxFrames)
{
    switch (in.ConsumeIntegralInRange<int>(0, 5))
    {
    case 0:
        return iMaxFrames;
    case 1:
        return iMaxFrames + 1;
    case 2:
        return fuzz::hostileInt(in);
    default:
        return in.ConsumeIntegralInRange<int>(0, std::max(0, iMaxFrames));
    }
}

struct Stream
{
    void* pHandle = nullptr;
    int iOrder = 6;
    // Filter taps one input may cost (an order-120 filter at a ratio of 500 has 120,000
    // taps per output frame): keeps an input fast without leaving out any shape of call.
    int64_t iWorkLeft = int64_t{1} << 19;

    /// Counts the call's taps against the budget; false if it would exceed it.
    bool afford(int iInFrames, float fIn, float fOut)
    {
        if (!(std::isfinite(fIn) && std::isfinite(fOut) && fIn > 0.f && fOut > 0.f) || iInFrames <= 0)
            return true;
        const double dOutFrames = (static_cast<double>(iInFrames) + 1.0) * fOut / fIn;
        const double dTaps = 2.0 * (iOrder + 1) * std::max(1.0, static_cast<double>(fIn) / fOut);
        const double dWork = (dOutFrames * dTaps + iInFrames) * iChannels;
        if (dWork > static_cast<double>(iWorkLeft))
            return false;
        iWorkLeft -= static_cast<int64_t>(dWork);
        return true;
    }
    int iChannels = 1;
    int iMaxFrames = 1;
    int iBytes = 4;

    /// Samples for a call; none at all for a frame count the call must refuse.
    std::vector<char> input(FuzzedDataProvider& in, int iFrames) const
    {
        if (iFrames <= 0 || iFrames > iMaxFrames)
            return {};
        std::vector<char> samples(static_cast<size_t>(iFrames) * static_cast<size_t>(iChannels * iBytes));
        // A short pattern repeated: full-scale, non-finite and denormal values without
        // spending input bytes on every sample.
        std::vector<char> pattern(in.ConsumeIntegralInRange<size_t>(1, 32) * static_cast<size_t>(iBytes));
        for (size_t i = 0; i < pattern.size(); i += static_cast<size_t>(iBytes))
        {
            if (iBytes == 4)
            {
                const float f = fuzz::hostileFloat(in);
                std::memcpy(&pattern[i], &f, 4);
            }
            else
            {
                const int16_t v = in.ConsumeBool() ? (in.ConsumeBool() ? INT16_MAX : INT16_MIN)
                                                   : in.ConsumeIntegral<int16_t>();
                std::memcpy(&pattern[i], &v, 2);
            }
        }
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = pattern[i % pattern.size()];
        return samples;
    }
};

void convert(FuzzedDataProvider& in, Stream& s)
{
    const float fIn = pickRate(in), fOut = pickRate(in);
    const int iChannels = in.ConsumeIntegralInRange<int>(0, 15) == 0 ? fuzz::hostileInt(in) : s.iChannels;
    const int iFrames = pickFrames(in, s.iMaxFrames);
    if (!s.afford(iFrames, fIn, fOut))
        return;
    const std::vector<char> samples = s.input(in, iFrames);

    // (frames + 1) * outRate / inRate + 2 frames, as the interface asks; nothing for a
    // call that must be refused anyway.
    const bool bServable = std::isfinite(fIn) && std::isfinite(fOut) && fIn > 0.f && fOut > 0.f
                           && iChannels == s.iChannels && iFrames >= 0 && iFrames <= s.iMaxFrames;
    double dOutFrames = 0.0;
    if (bServable)
    {
        dOutFrames = std::floor((static_cast<double>(iFrames) + 1.0) * fOut / fIn) + 2.0;
        if (dOutFrames * s.iChannels > kMaxOutputSamples)
            return;
    }
    std::vector<char> out(static_cast<size_t>(dOutFrames) * static_cast<size_t>(s.iChannels * s.iBytes));
    const int iProduced = Resample(s.pHandle, samples.empty() ? nullptr : samples.data(),
                                   out.empty() ? nullptr : out.data(), iChannels, iFrames, fIn, fOut);
    fuzz::check(iProduced >= 0 && iProduced <= static_cast<int>(dOutFrames), "output fits the promised buffer");
}

void convertFixed(FuzzedDataProvider& in, Stream& s, bool bAsNeeded)
{
    const float fIn = pickRate(in), fOut = pickRate(in);
    const int iOutFrames = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(0, 4096) : fuzz::hostileInt(in);
    int iInFrames = 0;
    if (bAsNeeded)
    {
        iInFrames = GetNumFramesNeededFixedOutput(s.pHandle, iOutFrames, fIn, fOut);
        fuzz::check(iInFrames >= 0, "frames needed is not negative");
    }
    else
        iInFrames = pickFrames(in, s.iMaxFrames);
    if (iOutFrames > 4096 || static_cast<int64_t>(iOutFrames) * s.iChannels > kMaxOutputSamples)
        return;
    // The first call spends up to one filter reach of input on history.
    const auto kMaxReach = [](int iOrder) { return 2.0 * 501.0 * (iOrder + 1) + 2.0; };
    // A call whose surplus would pass the holding limit is refused before any work, so it
    // is made whatever it would cost; the others count against the budget.
    const double dSurplus = std::isfinite(fIn) && std::isfinite(fOut) && fIn > 0.f && fOut > 0.f
                                ? ((static_cast<double>(std::max(0, iInFrames)) - kMaxReach(s.iOrder)) * fOut / fIn - 4096.0) * s.iChannels
                                : 0.0;
    const bool bMustRefuse = dSurplus > 1.01 * static_cast<double>(int64_t{1} << 24);
    if (!bMustRefuse && !s.afford(iInFrames, fIn, fOut))
        return;
    const std::vector<char> samples = s.input(in, iInFrames);
    std::vector<char> out(static_cast<size_t>(std::max(0, iOutFrames)) * static_cast<size_t>(s.iChannels * s.iBytes));
    const int iDelivered = ResampleFixedOutput(s.pHandle, samples.empty() ? nullptr : samples.data(),
                                               out.empty() ? nullptr : out.data(), s.iChannels, iInFrames, iOutFrames,
                                               fIn, fOut);
    fuzz::check(iDelivered >= 0 && iDelivered <= std::max(0, iOutFrames), "fixed output fits its buffer");
    fuzz::check(!bMustRefuse || iDelivered == 0, "a surplus beyond the holding limit is refused");
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    FuzzedDataProvider in(pData, iSize);
    const int iOrder = pickOrder(in);
    Stream s;
    s.iOrder = iOrder;
    s.iMaxFrames = in.ConsumeIntegralInRange<int>(0, 7) == 0 ? fuzz::hostileInt(in)
                                                             : in.ConsumeIntegralInRange<int>(1, 16384);
    s.iChannels = in.ConsumeIntegralInRange<int>(0, 7) == 0 ? fuzz::hostileInt(in)
                                                            : in.ConsumeIntegralInRange<int>(1, 8);
    const int iType = in.ConsumeIntegralInRange<int>(0, 9) == 0 ? fuzz::hostileInt(in)
                                                                : in.ConsumeIntegralInRange<int>(0, 1);
    const int iOption = in.ConsumeIntegralInRange<int>(0, 2);
    s.iBytes = iType == 1 ? 2 : 4;

    // Instances too large for a fuzz run are left out; creating them is no finding.
    if (static_cast<int64_t>(s.iMaxFrames) * s.iChannels > (1 << 20) || s.iChannels > 64)
        return 0;

    void* const pSentinel = &s;
    s.pHandle = pSentinel;
    const int iError = ResampleCreateInstance(&s.pHandle, iOrder, s.iMaxFrames, s.iChannels, iType, iOption);
    if (iOrder < 1 || iOrder > 120)
    {
        fuzz::check(iError == kInvalidArgument && s.pHandle == pSentinel, "a bad order leaves the handle");
        return 0;
    }
    if (iError != 0)
    {
        fuzz::check(s.pHandle == nullptr, "a failed creation leaves a null handle");
        fuzz::check(iType != 0 && iType != 1 ? iError == kInvalidArgument : true, "bad sample type refused");
        return 0;
    }
    fuzz::check(iType == 0 || iType == 1, "only sample types 0 and 1 exist");
    fuzz::check(s.pHandle != nullptr, "a created instance");

    for (int iOp = 0; iOp < 48 && in.remaining_bytes() > 0; ++iOp)
    {
        switch (in.ConsumeIntegralInRange<int>(0, 7))
        {
        case 0:
        case 1:
            convert(in, s);
            break;
        case 2:
            convertFixed(in, s, false);
            break;
        case 3:
            convertFixed(in, s, true);
            break;
        case 4:
        {
            const int iOutFrames = fuzz::hostileInt(in);
            const float fIn = pickRate(in), fOut = pickRate(in);
            fuzz::check(ResampleGetSamplesNeeded(s.pHandle, iOutFrames, fIn, fOut) >= 0, "samples needed >= 0");
            fuzz::check(GetNumFramesNeededFixedOutput(s.pHandle, iOutFrames, fIn, fOut) >= 0, "frames needed >= 0");
            break;
        }
        case 5:
            fuzz::check(ResampleReset(s.pHandle) == 0, "reset succeeds");
            break;
        default:
        {
            const float fGain = fuzz::hostileFloat(in);
            const int iResult = ResampleSetScalingFactor(s.pHandle, fGain);
            fuzz::check(iResult == 0 || iResult == kInvalidArgument, "gain result is a known code");
            fuzz::check(fGain > 0.f || iResult == kInvalidArgument, "a gain that is not positive is refused");
        }
        }
    }
    fuzz::check(ResampleDestroyInstance(&s.pHandle) == 0 && s.pHandle == nullptr, "destroy nulls the handle");
    return 0;
}
