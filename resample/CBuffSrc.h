#pragma once

#include "CRingBuffer.h"
#include "vtrAllocatedObject.h"

/// Cuts a multichannel stream that arrives in chunks of any length into blocks chosen by
/// the reader. Chunks are read in place; only the unconsumed tail of a chunk is copied, on
/// hand-back, into one ring per channel, and blocks are assembled from ring, then chunk.
/// The rings hold at least iMaxOutLength samples, so a hand-back the length check admits
/// always fits.
class CBuffSrc : public vtrAllocatedObject
{
public:
    CBuffSrc() = default;
    virtual ~CBuffSrc();
    CBuffSrc(const CBuffSrc&) = delete;
    CBuffSrc& operator=(const CBuffSrc&) = delete;

    /// False for a non-positive channel count or length, or an initial fill outside
    /// 0..iMaxOutLength. New ring storage is always cleared.
    bool Init(int iNumChannels, int iMaxOutLength, int iInitialFill, bool bReset);
    void DeInit();

    /// Lends a chunk; the samples must stay valid until it is given back. False, with no
    /// change, for a null array, a negative count, before Init, or when the chunk still
    /// lent cannot be given back (its unconsumed frames would not fit).
    bool SetDataPtr(const float* const* ppfChannels, int iNumFrames);
    bool GetBlock(float* const* ppfOut, int iLength);
    bool GetBlockPostIncrement(float* const* ppfOut, int iLength);
    /// Advances first through the rings, then into the chunk. False for a negative count.
    bool IncrementIndex(int iNumFrames);
    bool GetDownmixedBlock(float* pfOut, int iLength);
    bool GetDownmixedBlockPostIncrement(float* pfOut, int iLength);
    int GetSamplesBuffered() const;
    /// Reads out exactly the ring contents; returns their count.
    int FlushBuffer(float** ppfOut);
    int FlushDownmixedBuffer(float* pfOut);
    bool ReleaseDataPtr();
    bool Reset(bool bDeInit);

    int GetMaxOutLength() const { return m_iMaxOutLength; }
    int GetNumOfChannels() const { return m_iNumChannels; }
    /// Capacity of each ring (0 before Init).
    int GetRingCapacity() const;

private:
    int RingFill() const;
    int ChunkFramesLeft() const;
    /// Ring part m and chunk part c of a block of iLength; false when not enough frames.
    bool SplitBlock(int iLength, int& iFromRing, int& iFromChunk) const;
    void AdvanceRings(int iNumFrames);
    void DropChunk();

    int m_iNumChannels = 0;
    int m_iMaxOutLength = 0;
    int m_iReadPosition = 0;
    int m_iNumFrames = 0;
    const float** m_ppfData = nullptr;
    CRingBuffer<float>** m_ppRingBuffer = nullptr;
    float* m_pfDownmixScratch = nullptr;
};
