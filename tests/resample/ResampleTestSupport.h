#pragma once

#include "CResampleBase.h"
#include "vtrAllocator.h"
#include "vtrAllocatorIf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace resampletest
{
struct Destroyer
{
    void operator()(CResampleBase* p) const { CResampleBase::Destroy(p); }
};
using Instance = std::unique_ptr<CResampleBase, Destroyer>;

inline Instance makeInstance(int iType, int iOrder, int iMaxFrames, int iNumChannels)
{
    CResampleBase* p = nullptr;
    EXPECT_EQ(CResampleBase::Create(p, iType, iOrder, iMaxFrames, iNumChannels, false), 0);
    return Instance(p);
}

inline Instance makeFloat(int iMaxFrames = 16384, int iNumChannels = 1, int iOrder = 6)
{
    return makeInstance(CResampleBase::kSampleFloat32, iOrder, iMaxFrames, iNumChannels);
}

/// Converts and returns the produced frames; the buffer is sized generously so that an
/// overrun past the returned count shows up under the sanitizer only as a wrong count.
inline std::vector<float> process(CResampleBase& r, const std::vector<float>& in, float fIn, float fOut,
                                  int iNumChannels = 1)
{
    const int iFrames = static_cast<int>(in.size()) / iNumChannels;
    std::vector<float> out(static_cast<size_t>((iFrames * static_cast<double>(fOut) / fIn + 4) * iNumChannels));
    const int iProduced = r.Process(reinterpret_cast<const char*>(in.data()), reinterpret_cast<char*>(out.data()),
                                    fIn, fOut, static_cast<unsigned int>(iNumChannels),
                                    static_cast<unsigned int>(iFrames));
    out.resize(static_cast<size_t>(iProduced * iNumChannels));
    return out;
}

inline std::vector<float> sine(int iFrames, float fFreq, float fRate, float fAmp = 1.f, int iOffset = 0)
{
    std::vector<float> v(static_cast<size_t>(iFrames));
    for (int i = 0; i < iFrames; ++i)
        v[static_cast<size_t>(i)] =
            fAmp * static_cast<float>(std::sin(2.0 * M_PI * fFreq * (i + iOffset) / static_cast<double>(fRate)));
    return v;
}

/// Counts allocations made through the engine allocator while it lives.
class AllocationCounter
{
public:
    AllocationCounter()
    {
        s_iCount = 0;
        vtrAllocatorIf::setCustomAllocator(&counting);
        vtrAllocatorIf::setCustomReallocator(&countingRealloc);
    }
    ~AllocationCounter()
    {
        vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc);
        vtrAllocatorIf::setCustomReallocator(vtrAllocator::defaultRealloc);
    }
    int count() const { return s_iCount; }

private:
    static void* counting(uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlign)
    {
        ++s_iCount;
        return vtrAllocator::defaultMalloc(iSize, eAlign);
    }
    static void* countingRealloc(void* p, uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlign)
    {
        ++s_iCount;
        return vtrAllocator::defaultRealloc(p, iSize, eAlign);
    }
    static inline int s_iCount = 0;
};
}
