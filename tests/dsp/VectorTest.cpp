#include "Vector.h"
#include "vtrAllocatorIf.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

namespace
{
void* failingMalloc(uint64_t, vtrAlloc::MemoryAlignment_t) { return nullptr; }

std::vector<float> values(const Vector<float>& v)
{
    return std::vector<float>(v.getPointer(), v.getPointer() + v.size());
}
}

TEST(Vector, AllocateNonPositiveLeavesEmpty)
{
    for (int n : {0, -5})
    {
        Vector<float> v(n);
        EXPECT_EQ(v.size(), 0);
        EXPECT_EQ(v.getPointer(), nullptr);
        EXPECT_EQ(v.getSum(), 0.f);
    }
}

TEST(Vector, AllocateZeroFillsAndReplacesOldBuffer)
{
    Vector<float> v(3);
    EXPECT_EQ(values(v), std::vector<float>({0.f, 0.f, 0.f}));
    v[1] = 7.f;
    v.allocate(5);
    EXPECT_EQ(v.size(), 5);
    EXPECT_EQ(v.getSum(), 0.f);

    Vector<int> vi(4);
    EXPECT_EQ(vi.getSum(), 0);
}

TEST(Vector, FailedAllocationThrowsAndLeavesEmpty)
{
    Vector<float> v(4);
    vtrAllocatorIf::setCustomAllocator(failingMalloc);
    EXPECT_THROW(v.allocate(8), std::bad_alloc);
    Vector<int> vi;
    EXPECT_THROW(vi.allocate(8), std::bad_alloc);
    vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc);
    EXPECT_EQ(v.size(), 0);
    EXPECT_EQ(v.getPointer(), nullptr);
    EXPECT_EQ(vi.size(), 0);
}

TEST(Vector, SectionViewsAndWritesBase)
{
    Vector<float> base(6);
    std::iota(base.getPointer(), base.getPointer() + 6, 0.f);
    {
        auto* pSection = new Vector<float>::Section(base, 2, 3);
        EXPECT_EQ(pSection->size(), 3);
        EXPECT_EQ((*pSection)[0], 2.f);
        (*pSection)[2] = 40.f;
        pSection->clear();
        delete pSection;
    }
    EXPECT_EQ(values(base), std::vector<float>({0.f, 1.f, 0.f, 0.f, 0.f, 5.f}));

    float afBuffer[2] = {3.f, 4.f};
    Vector<float>::Section buffer(afBuffer, 2);
    EXPECT_EQ(buffer.getSum(), 7.f);
}

TEST(Vector, CopyFromCopiesDestinationCount)
{
    Vector<float> src(4), dst(3);
    std::iota(src.getPointer(), src.getPointer() + 4, 1.f);
    dst.copyFrom(src);
    EXPECT_EQ(values(dst), std::vector<float>({1.f, 2.f, 3.f}));
}

TEST(Vector, CircularShiftRight)
{
    struct Case { int iShift; std::vector<float> expected; };
    const Case cases[] = {
        {3, {9, 10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {11, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0}},
    };
    for (const Case& c : cases)
    {
        Vector<float> v(12);
        std::iota(v.getPointer(), v.getPointer() + 12, 0.f);
        v.circularShiftRight(c.iShift);
        EXPECT_EQ(values(v), c.expected) << "shift " << c.iShift;
    }
}

TEST(Vector, NormalizeL1)
{
    Vector<float> v(3);
    v[0] = 1.f;
    v[1] = -3.f;
    v[2] = 4.f;
    v.normalizeL1();
    EXPECT_FLOAT_EQ(v[0], 0.125f);
    EXPECT_FLOAT_EQ(v[1], -0.375f);
    EXPECT_FLOAT_EQ(v[2], 0.5f);
}

TEST(Vector, MoveTransfersOwnership)
{
    Vector<float> a(2);
    a[0] = 5.f;
    Vector<float> b(std::move(a));
    EXPECT_EQ(a.size(), 0);
    EXPECT_EQ(a.getPointer(), nullptr);
    EXPECT_EQ(b[0], 5.f);
}
