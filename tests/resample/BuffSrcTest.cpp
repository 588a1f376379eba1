#include "CBuffSrc.h"
#include "ResampleTestSupport.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

using resampletest::AllocationCounter;

namespace
{
std::vector<float> ramp(int iLength, float fStart = 1.f)
{
    std::vector<float> v(static_cast<size_t>(iLength));
    std::iota(v.begin(), v.end(), fStart);
    return v;
}

/// A mono source with a lent chunk and a block buffer.
struct BuffSrcMono : ::testing::Test
{
    CBuffSrc src;
    std::vector<float> chunk;
    std::vector<float> block;

    void lend(std::vector<float> data)
    {
        chunk = std::move(data);
        const float* p = chunk.data();
        ASSERT_TRUE(src.SetDataPtr(&p, static_cast<int>(chunk.size())));
    }
    bool get(int iLength)
    {
        block.assign(static_cast<size_t>(iLength), -1.f);
        float* p = block.data();
        return src.GetBlock(&p, iLength);
    }
};
}

TEST_F(BuffSrcMono, InitialFillPrecedesFirstChunk)
{
    ASSERT_TRUE(src.Init(1, 4096, 2048, true));
    EXPECT_EQ(src.GetSamplesBuffered(), 2048);
    lend(ramp(2048));
    ASSERT_TRUE(get(4096));
    for (int i = 0; i < 2048; ++i)
        ASSERT_EQ(block[static_cast<size_t>(i)], 0.f);
    for (int i = 0; i < 2048; ++i)
        ASSERT_EQ(block[static_cast<size_t>(2048 + i)], chunk[static_cast<size_t>(i)]);
    EXPECT_EQ(src.GetSamplesBuffered(), 4096);  // nothing consumed
}

TEST_F(BuffSrcMono, ShortBlockChangesNothing)
{
    ASSERT_TRUE(src.Init(1, 4096, 2048, true));
    lend(ramp(2047));
    EXPECT_FALSE(get(4096));
    EXPECT_EQ(block, std::vector<float>(4096, -1.f));
    EXPECT_EQ(src.GetSamplesBuffered(), 4095);
    float* p = block.data();
    EXPECT_FALSE(src.GetBlock(&p, -1));
}

TEST_F(BuffSrcMono, IncrementRunsThroughRingIntoChunk)
{
    ASSERT_TRUE(src.Init(1, 4096, 0, true));
    lend(ramp(300));
    ASSERT_TRUE(src.ReleaseDataPtr());
    lend(ramp(1000, 1000.f));
    EXPECT_TRUE(src.IncrementIndex(512));
    EXPECT_EQ(src.GetSamplesBuffered(), 1000 - 212);
    ASSERT_TRUE(get(1));
    EXPECT_EQ(block[0], 1212.f);
    EXPECT_FALSE(src.IncrementIndex(-1));
    EXPECT_EQ(src.GetSamplesBuffered(), 788);
}

// The rings are one larger than a power of two needs, so a hand-back that fills them to
// exactly the maximum length fits.
TEST_F(BuffSrcMono, RingCapacityHoldsMaximumLength)
{
    ASSERT_TRUE(src.Init(1, 3000, 0, true));
    EXPECT_EQ(src.GetRingCapacity(), 4096);
    ASSERT_TRUE(src.Init(1, 4096, 0, true));
    EXPECT_EQ(src.GetRingCapacity(), 8192);

    lend(ramp(4096));
    EXPECT_TRUE(src.ReleaseDataPtr());
    EXPECT_EQ(src.GetSamplesBuffered(), 4096);
    ASSERT_TRUE(get(4096));
    EXPECT_EQ(block, ramp(4096));

    // One frame more does not fit: the chunk stays lent and is not lost to a new one.
    lend(ramp(1));
    EXPECT_FALSE(src.ReleaseDataPtr());
    const float* pOther = chunk.data();
    EXPECT_FALSE(src.SetDataPtr(&pOther, 1));
    EXPECT_EQ(src.GetSamplesBuffered(), 4097);
}

TEST_F(BuffSrcMono, FlushReturnsCarriedFrames)
{
    ASSERT_TRUE(src.Init(1, 4096, 0, true));
    lend(ramp(700));
    src.IncrementIndex(200);
    ASSERT_TRUE(src.ReleaseDataPtr());
    std::vector<float> out(4096, -1.f);
    float* p = out.data();
    EXPECT_EQ(src.FlushBuffer(&p), 500);
    EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 500), ramp(500, 201.f));
    EXPECT_EQ(out[500], -1.f);
    EXPECT_EQ(src.GetSamplesBuffered(), 0);
}

TEST_F(BuffSrcMono, RefusesBadArguments)
{
    const float* p = nullptr;
    EXPECT_FALSE(src.SetDataPtr(&p, 10));  // before Init
    EXPECT_EQ(src.GetSamplesBuffered(), 0);
    EXPECT_FALSE(src.Init(0, 4096, 0, true));
    EXPECT_FALSE(src.Init(1, 0, 0, true));
    EXPECT_FALSE(src.Init(1, 4096, 4097, true));
    ASSERT_TRUE(src.Init(1, 4096, 0, true));
    EXPECT_FALSE(src.SetDataPtr(nullptr, 10));
    EXPECT_FALSE(src.SetDataPtr(&p, -1));
}

TEST_F(BuffSrcMono, ResetEmptiesAndDeInitClears)
{
    ASSERT_TRUE(src.Init(1, 4096, 1000, true));
    lend(ramp(100));
    EXPECT_TRUE(src.Reset(false));
    EXPECT_EQ(src.GetSamplesBuffered(), 0);
    EXPECT_EQ(src.GetMaxOutLength(), 4096);
    EXPECT_TRUE(src.Reset(true));
    EXPECT_EQ(src.GetMaxOutLength(), 0);
    EXPECT_EQ(src.GetNumOfChannels(), 0);
}

TEST(BuffSrc, DownmixAveragesChannels)
{
    CBuffSrc src;
    ASSERT_TRUE(src.Init(2, 1024, 0, true));
    std::vector<float> ones(600, 1.f), threes(600, 3.f);
    const float* chunk[2] = {ones.data(), threes.data()};
    ASSERT_TRUE(src.SetDataPtr(chunk, 600));
    ASSERT_TRUE(src.ReleaseDataPtr());
    ASSERT_TRUE(src.SetDataPtr(chunk, 600));
    // 600 from the rings, 400 from the chunk.
    std::vector<float> out(1000, -1.f);
    ASSERT_TRUE(src.GetDownmixedBlockPostIncrement(out.data(), 1000));
    EXPECT_EQ(out, std::vector<float>(1000, 2.f));
    EXPECT_EQ(src.GetSamplesBuffered(), 200);
    ASSERT_TRUE(src.ReleaseDataPtr());
    EXPECT_EQ(src.FlushDownmixedBuffer(out.data()), 200);
    EXPECT_EQ(out[199], 2.f);
}

// The analysis use: chunks of any size, blocks of 4096 every 512 frames, 2048 zeros first.
// Every block is the matching window of the stream and no block is skipped.
TEST(BuffSrc, OverlappingBlocksFromRandomChunks)
{
    const int iTotal = 60000;
    std::vector<float> stream(2048, 0.f);
    const std::vector<float> signal = ramp(iTotal);
    stream.insert(stream.end(), signal.begin(), signal.end());

    CBuffSrc src;
    ASSERT_TRUE(src.Init(1, 4096, 2048, true));
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> size(0, 5000);
    std::vector<float> block(4096);
    float* pBlock = block.data();
    int iPos = 0, iBlocks = 0;
    AllocationCounter counter;
    while (iPos < iTotal)
    {
        const int iFrames = std::min(size(rng), iTotal - iPos);
        const float* pChunk = signal.data() + iPos;
        ASSERT_TRUE(src.SetDataPtr(&pChunk, iFrames));
        while (src.GetBlock(&pBlock, 4096))
        {
            for (int i = 0; i < 4096; i += 97)
                ASSERT_EQ(block[static_cast<size_t>(i)], stream[static_cast<size_t>(512 * iBlocks + i)]) << iBlocks;
            ASSERT_EQ(block[4095], stream[static_cast<size_t>(512 * iBlocks + 4095)]);
            src.IncrementIndex(512);
            ++iBlocks;
        }
        ASSERT_TRUE(src.ReleaseDataPtr());
        iPos += iFrames;
    }
    EXPECT_EQ(counter.count(), 0);
    EXPECT_EQ(iBlocks, (2048 + iTotal - 4096) / 512 + 1);
}

TEST(RingBuffer, CapacityIsPowerOfTwoAndWraps)
{
    CRingBuffer<float>* pRing = nullptr;
    for (unsigned int iLength : {1u, 3000u, 4096u, 4097u})
    {
        ASSERT_EQ(CRingBuffer<float>::CreateInstanceWithoutReset(pRing, iLength), 0);
        EXPECT_EQ(pRing->GetSize(), iLength == 1 ? 1 : iLength == 4097 ? 8192 : 4096);
        CRingBuffer<float>::DestroyInstance(pRing);
        EXPECT_EQ(pRing, nullptr);
    }
    ASSERT_EQ(CRingBuffer<float>::CreateInstanceWithoutReset(pRing, 8), 0);
    pRing->Reset();
    pRing->SetReadIndex(6);
    pRing->SetWriteIndex(6);
    const std::vector<float> values = ramp(5);
    pRing->Put(values.data(), 5);
    EXPECT_EQ(pRing->GetWriteIndex(), 3);
    EXPECT_EQ(pRing->GetNumValuesInBuffer(), 5);
    std::vector<float> out(5);
    pRing->Get(out.data(), 5);
    EXPECT_EQ(out, values);
    pRing->AdvanceReadIndex(5);
    EXPECT_EQ(pRing->GetNumValuesInBuffer(), 0);
    CRingBuffer<float>::DestroyInstance(pRing);
}
