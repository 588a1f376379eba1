#include "vtrAllocator.h"
#include "vtrAllocatorIf.h"
#include "vtrAllocatedObject.h"

#include <gtest/gtest.h>

#include <new>

namespace
{
void* failingMalloc(uint64_t, vtrAlloc::MemoryAlignment_t) { return nullptr; }
void* failingRealloc(void*, uint64_t, vtrAlloc::MemoryAlignment_t) { return nullptr; }

int g_iFreeCalls = 0;
void countingFree(void* p)
{
    ++g_iFreeCalls;
    vtrAllocator::defaultFree(p);
}

vtrAlloc::MemoryAlignment_t g_eLastAlignment = vtrAlloc::kAlign16;
void* recordingMalloc(uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlignment)
{
    g_eLastAlignment = eAlignment;
    return vtrAllocator::defaultMalloc(iSize, eAlignment);
}

struct Hooks : ::testing::Test
{
    ~Hooks() override
    {
        vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc);
        vtrAllocatorIf::setCustomReallocator(vtrAllocator::defaultRealloc);
        vtrAllocatorIf::setCustomDeallocator(vtrAllocator::defaultFree);
    }
};

struct Allocated : vtrAllocatedObject
{
    double m_dValue = 1.5;
};
}

TEST_F(Hooks, FailingHookThrowsBadAllocAndLeavesCounter)
{
    const int64_t iBefore = vtrAllocator::getNumOfBytesAllocated();
    vtrAllocatorIf::setCustomAllocator(failingMalloc);
    EXPECT_THROW(vtrAllocator::malloc(64), std::bad_alloc);
    EXPECT_THROW(new Allocated, std::bad_alloc);
    EXPECT_EQ(vtrAllocator::getNumOfBytesAllocated(), iBefore);
}

TEST_F(Hooks, CounterGrowsOnlyWithSuccessfulMalloc)
{
    const int64_t iBefore = vtrAllocator::getNumOfBytesAllocated();
    void* p1 = vtrAllocator::malloc(100);
    void* p2 = vtrAllocator::malloc(28);
    EXPECT_EQ(vtrAllocator::getNumOfBytesAllocated(), iBefore + 128);

    p1 = vtrAllocator::realloc(p1, 4000);
    vtrAllocator::free(p1);
    vtrAllocator::free(p2);
    EXPECT_EQ(vtrAllocator::getNumOfBytesAllocated(), iBefore + 128);
}

TEST_F(Hooks, FailingReallocThrows)
{
    void* p = vtrAllocator::malloc(16);
    vtrAllocatorIf::setCustomReallocator(failingRealloc);
    EXPECT_THROW(vtrAllocator::realloc(p, 32), std::bad_alloc);
    vtrAllocator::free(p);
}

TEST_F(Hooks, FreeGoesThroughInstalledHookEvenForNull)
{
    g_iFreeCalls = 0;
    vtrAllocatorIf::setCustomDeallocator(countingFree);
    vtrAllocator::free(nullptr);
    delete new Allocated;
    EXPECT_EQ(g_iFreeCalls, 2);
}

TEST_F(Hooks, ObjectsRequestEightByteAlignment)
{
    vtrAllocatorIf::setCustomAllocator(recordingMalloc);
    auto* p = new Allocated;
    EXPECT_EQ(g_eLastAlignment, vtrAlloc::kAlign8);
    EXPECT_EQ(p->m_dValue, 1.5);
    delete p;
}
