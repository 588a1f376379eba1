// Proves that the per-block path allocates nothing: counts calls of the engine
// allocator hook and of the global operator new while extractPitches runs.

#include "PitchExtraction.h"
#include "vtrAllocator.h"
#include "vtrAllocatorIf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

namespace
{
bool g_bCounting = false;
int g_iHookAllocations = 0;
int g_iGlobalNews = 0;

void* countingMalloc(uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlignment)
{
    if (g_bCounting)
        ++g_iHookAllocations;
    return vtrAllocator::defaultMalloc(iSize, eAlignment);
}

void* countedNew(std::size_t iSize)
{
    if (g_bCounting)
        ++g_iGlobalNews;
    if (void* p = std::malloc(iSize == 0 ? 1 : iSize))
        return p;
    throw std::bad_alloc();
}

struct CountingHook : ::testing::Test
{
    CountingHook() { vtrAllocatorIf::setCustomAllocator(countingMalloc); }
    ~CountingHook() override { vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc); }
};
}

void* operator new(std::size_t iSize)
{
    return countedNew(iSize);
}
void* operator new[](std::size_t iSize)
{
    return countedNew(iSize);
}
void* operator new(std::size_t iSize, const std::nothrow_t&) noexcept
{
    return std::malloc(iSize == 0 ? 1 : iSize);
}
void* operator new[](std::size_t iSize, const std::nothrow_t&) noexcept
{
    return std::malloc(iSize == 0 ? 1 : iSize);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

TEST_F(CountingHook, ExtractPitchesAllocatesNothing)
{
    // Construction goes through the hook, so the hook is seen to count.
    g_bCounting = true;
    std::unique_ptr<PitchExtraction> extraction(new PitchExtraction());
    g_bCounting = false;
    EXPECT_GT(g_iHookAllocations, 0);
    EXPECT_GT(g_iGlobalNews, 0);

    // Chord of harmonic tones plus a little noise: every stage does real work.
    Vector<float> block(4096), pitches(256);
    std::srand(7);
    for (int i = 0; i < 4096; ++i)
    {
        for (float f : {220.f, 277.18f, 329.63f})
            for (int h = 1; h <= 8; ++h)
                block[i] += std::sin(6.2831853f * f * static_cast<float>(h * i) / 11025.f) / static_cast<float>(h);
        block[i] += 0.01f * (static_cast<float>(std::rand()) / RAND_MAX - 0.5f);
    }
    Vector<float> silence(4096);

    g_iHookAllocations = 0;
    g_iGlobalNews = 0;
    g_bCounting = true;
    const bool bMusic = extraction->extractPitches(block, pitches);
    const bool bSilence = extraction->extractPitches(silence, pitches);
    g_bCounting = false;

    EXPECT_TRUE(bMusic);
    EXPECT_TRUE(bSilence);
    EXPECT_EQ(g_iHookAllocations, 0);
    EXPECT_EQ(g_iGlobalNews, 0);
}
