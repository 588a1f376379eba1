#include "HeapAllocationCounter.h"
#include "KeyraIf.h"
#include "SynthesizedMusic.h"
#include "vtrAllocatorIf.h"

#include <gtest/gtest.h>

#include <atomic>

namespace
{
std::atomic<bool>& g_bCounting = HeapAllocationCounter::counting;
std::atomic<int>& g_iHeapAllocations = HeapAllocationCounter::allocations;
std::atomic<int> g_iEngineAllocations{0};

void* countingMalloc(uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlignment)
{
    if (g_bCounting)
        ++g_iEngineAllocations;
    return vtrAllocator::defaultMalloc(iSize, eAlignment);
}
}

TEST(KeyraAllocation, ProcessAllocatesNothing)
{
    const std::vector<float> music = synth::render({9, false, 44100.f});
    vtrAllocatorIf::setCustomAllocator(countingMalloc);
    KeyraIf* pEngine = nullptr;
    ASSERT_EQ(KeyraIf::createInstance(pEngine, 44100.f, 2), KeyraIf::noError);

    g_iHeapAllocations = 0;
    g_iEngineAllocations = 0;
    g_bCounting = true;
    for (int iPass = 0; iPass < 2; ++iPass)
    {
        pEngine->reset();
        for (size_t pos = 0; pos + 1000 <= music.size(); pos += 1000)
        {
            const float* channels[] = {music.data() + pos, music.data() + pos};
            pEngine->process(channels, 1000);
        }
    }
    g_bCounting = false;
    EXPECT_EQ(g_iEngineAllocations, 0);
    EXPECT_EQ(g_iHeapAllocations, 0);

    EXPECT_EQ(pEngine->computeResult(KeyraIf::general).getKeyResult().getKey().getName(), "A:min");
    KeyraIf::destroyInstance(pEngine);
    vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc);
}
