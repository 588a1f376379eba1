#pragma once

// Shared by the fuzz targets: picking hostile values from the input bytes, and a
// broken invariant as a crash that libFuzzer records.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace fuzz
{
[[noreturn]] inline void fail(const char* pcWhat)
{
    std::fprintf(stderr, "broken invariant: %s\n", pcWhat);
    std::abort();
}

inline void check(bool bHolds, const char* pcWhat)
{
    if (!bHolds)
        fail(pcWhat);
}

/// Any bit pattern, NaNs and infinities included.
inline float anyFloat(FuzzedDataProvider& in)
{
    const uint32_t iBits = in.ConsumeIntegral<uint32_t>();
    float f;
    std::memcpy(&f, &iBits, sizeof f);
    return f;
}

/// Mostly one of the values that break code, sometimes any bit pattern.
inline float hostileFloat(FuzzedDataProvider& in)
{
    static const float kValues[] = {
        0.f, -0.f, 1.f, -1.f, 0.5f, 1e-3f,
        std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::signaling_NaN(),
        std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(),
        std::numeric_limits<float>::min() / 2.f, std::numeric_limits<float>::min(),
        std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
        1e20f, -1e20f, 32767.f, 32768.f, -32769.f,
    };
    constexpr size_t kCount = sizeof kValues / sizeof kValues[0];
    if (in.ConsumeBool())
        return kValues[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    return anyFloat(in);
}

/// Mostly a boundary of the int range or near zero, sometimes any value.
inline int hostileInt(FuzzedDataProvider& in)
{
    static const int kValues[] = {0, 1, -1, 2, 6, 7, 11, 12, 13, -12, 127, 128, 1 << 16, -(1 << 16),
                                  std::numeric_limits<int>::max(), std::numeric_limits<int>::max() - 1,
                                  std::numeric_limits<int>::min(), std::numeric_limits<int>::min() + 1};
    constexpr size_t kCount = sizeof kValues / sizeof kValues[0];
    switch (in.ConsumeIntegralInRange<int>(0, 2))
    {
    case 0:
        return kValues[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    case 1:
        return in.ConsumeIntegralInRange<int>(-30, 30);
    default:
        return in.ConsumeIntegral<int>();
    }
}
}
