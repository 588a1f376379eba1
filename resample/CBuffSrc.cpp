#include "CBuffSrc.h"

#include "vtrAllocator.h"

#include <algorithm>
#include <cstring>

CBuffSrc::~CBuffSrc()
{
    DeInit();
}

bool CBuffSrc::Init(int iNumChannels, int iMaxOutLength, int iInitialFill, bool bReset)
{
    if (iNumChannels <= 0 || iMaxOutLength <= 0 || iMaxOutLength >= (1 << 30) || iInitialFill < 0
        || iInitialFill > iMaxOutLength)
        return false;

    if (iNumChannels != m_iNumChannels || iMaxOutLength != m_iMaxOutLength)
    {
        DeInit();
        try
        {
            const uint64_t iNumBytes = static_cast<uint64_t>(iNumChannels) * sizeof(void*);
            m_ppfData = static_cast<const float**>(vtrAllocator::malloc(iNumBytes));
            std::memset(static_cast<void*>(m_ppfData), 0, iNumBytes);
            m_ppRingBuffer = static_cast<CRingBuffer<float>**>(vtrAllocator::malloc(iNumBytes));
            std::memset(static_cast<void*>(m_ppRingBuffer), 0, iNumBytes);
            m_iNumChannels = iNumChannels;
            m_pfDownmixScratch =
                static_cast<float*>(vtrAllocator::malloc(static_cast<uint64_t>(iMaxOutLength) * sizeof(float)));
            m_iMaxOutLength = iMaxOutLength;
            for (int c = 0; c < iNumChannels; ++c)
            {
                // One larger, so that a ring can hold iMaxOutLength values.
                CRingBuffer<float>::CreateInstanceWithoutReset(m_ppRingBuffer[c],
                                                               static_cast<unsigned int>(iMaxOutLength) + 1);
                m_ppRingBuffer[c]->Reset();
            }
        }
        catch (...)
        {
            DeInit();
            throw;
        }
    }

    for (int c = 0; c < m_iNumChannels; ++c)
    {
        if (bReset)
            m_ppRingBuffer[c]->Reset();
        m_ppRingBuffer[c]->SetReadIndex(0);
        m_ppRingBuffer[c]->SetWriteIndex(iInitialFill);
    }
    return true;
}

void CBuffSrc::DeInit()
{
    DropChunk();
    if (m_ppRingBuffer != nullptr)
        for (int c = 0; c < m_iNumChannels; ++c)
            CRingBuffer<float>::DestroyInstance(m_ppRingBuffer[c]);
    vtrAllocator::free(m_ppRingBuffer);
    vtrAllocator::free(m_ppfData);
    vtrAllocator::free(m_pfDownmixScratch);
    m_ppRingBuffer = nullptr;
    m_ppfData = nullptr;
    m_pfDownmixScratch = nullptr;
    m_iNumChannels = 0;
    m_iMaxOutLength = 0;
}

void CBuffSrc::DropChunk()
{
    if (m_ppfData != nullptr)
        for (int c = 0; c < m_iNumChannels; ++c)
            m_ppfData[c] = nullptr;
    m_iReadPosition = 0;
    m_iNumFrames = 0;
}

int CBuffSrc::RingFill() const
{
    return m_ppRingBuffer != nullptr ? m_ppRingBuffer[0]->GetNumValuesInBuffer() : 0;
}

int CBuffSrc::ChunkFramesLeft() const
{
    return std::max(0, m_iNumFrames - m_iReadPosition);
}

int CBuffSrc::GetRingCapacity() const
{
    return m_ppRingBuffer != nullptr ? m_ppRingBuffer[0]->GetSize() : 0;
}

bool CBuffSrc::SetDataPtr(const float* const* ppfChannels, int iNumFrames)
{
    if (ppfChannels == nullptr || iNumFrames < 0 || m_ppfData == nullptr)
        return false;
    if (!ReleaseDataPtr())
        return false;
    for (int c = 0; c < m_iNumChannels; ++c)
        m_ppfData[c] = ppfChannels[c];
    m_iReadPosition = 0;
    m_iNumFrames = iNumFrames;
    return true;
}

bool CBuffSrc::SplitBlock(int iLength, int& iFromRing, int& iFromChunk) const
{
    if (iLength < 0 || m_ppRingBuffer == nullptr)
        return false;
    iFromRing = std::min(iLength, RingFill());
    iFromChunk = std::min(m_iNumFrames - m_iReadPosition, iLength - iFromRing);
    return iFromRing + iFromChunk == iLength;
}

bool CBuffSrc::GetBlock(float* const* ppfOut, int iLength)
{
    int m = 0, c = 0;
    if (ppfOut == nullptr || !SplitBlock(iLength, m, c))
        return false;
    for (int ch = 0; ch < m_iNumChannels; ++ch)
    {
        m_ppRingBuffer[ch]->Get(ppfOut[ch], m);
        if (c > 0)
            std::memcpy(ppfOut[ch] + m, m_ppfData[ch] + m_iReadPosition, sizeof(float) * static_cast<size_t>(c));
    }
    return true;
}

bool CBuffSrc::GetBlockPostIncrement(float* const* ppfOut, int iLength)
{
    return GetBlock(ppfOut, iLength) && IncrementIndex(iLength);
}

bool CBuffSrc::GetDownmixedBlock(float* pfOut, int iLength)
{
    int m = 0, c = 0;
    if (pfOut == nullptr || !SplitBlock(iLength, m, c))
        return false;
    std::fill(pfOut, pfOut + iLength, 0.f);
    const float fChannels = static_cast<float>(m_iNumChannels);
    for (int ch = 0; ch < m_iNumChannels; ++ch)
    {
        m_ppRingBuffer[ch]->Get(m_pfDownmixScratch, m);
        for (int i = 0; i < m; ++i)
            pfOut[i] += m_pfDownmixScratch[i] / fChannels;
    }
    for (int ch = 0; ch < m_iNumChannels && c > 0; ++ch)
    {
        const float* pfChunk = m_ppfData[ch] + m_iReadPosition;
        for (int i = 0; i < c; ++i)
            pfOut[m + i] += pfChunk[i] / fChannels;
    }
    return true;
}

bool CBuffSrc::GetDownmixedBlockPostIncrement(float* pfOut, int iLength)
{
    return GetDownmixedBlock(pfOut, iLength) && IncrementIndex(iLength);
}

void CBuffSrc::AdvanceRings(int iNumFrames)
{
    for (int ch = 0; ch < m_iNumChannels; ++ch)
        m_ppRingBuffer[ch]->AdvanceReadIndex(iNumFrames);
}

bool CBuffSrc::IncrementIndex(int iNumFrames)
{
    if (iNumFrames < 0 || m_ppRingBuffer == nullptr)
        return false;
    const int iFill = RingFill();
    if (iFill < iNumFrames)
    {
        AdvanceRings(iFill);
        m_iReadPosition += iNumFrames - iFill;
    }
    else
        AdvanceRings(iNumFrames);
    return true;
}

int CBuffSrc::GetSamplesBuffered() const
{
    return RingFill() + ChunkFramesLeft();
}

int CBuffSrc::FlushBuffer(float** ppfOut)
{
    if (ppfOut == nullptr || m_ppRingBuffer == nullptr)
        return 0;
    const int iFill = RingFill();
    for (int ch = 0; ch < m_iNumChannels; ++ch)
        m_ppRingBuffer[ch]->Get(ppfOut[ch], iFill);
    AdvanceRings(iFill);
    return iFill;
}

int CBuffSrc::FlushDownmixedBuffer(float* pfOut)
{
    if (pfOut == nullptr || m_ppRingBuffer == nullptr)
        return 0;
    const int iFill = RingFill();
    std::fill(pfOut, pfOut + iFill, 0.f);
    const float fChannels = static_cast<float>(m_iNumChannels);
    for (int ch = 0; ch < m_iNumChannels; ++ch)
    {
        m_ppRingBuffer[ch]->Get(m_pfDownmixScratch, iFill);
        for (int i = 0; i < iFill; ++i)
            pfOut[i] += m_pfDownmixScratch[i] / fChannels;
    }
    AdvanceRings(iFill);
    return iFill;
}

bool CBuffSrc::ReleaseDataPtr()
{
    if (m_iNumFrames == 0)
    {
        DropChunk();
        return true;
    }
    if (m_ppRingBuffer == nullptr)
        return false;
    const int iLeft = ChunkFramesLeft();
    if (RingFill() + iLeft > m_iMaxOutLength)
        return false;
    if (iLeft > 0)
        for (int ch = 0; ch < m_iNumChannels; ++ch)
            m_ppRingBuffer[ch]->Put(m_ppfData[ch] + m_iReadPosition, iLeft);
    DropChunk();
    return true;
}

bool CBuffSrc::Reset(bool bDeInit)
{
    // The rings are emptied anyway, so a chunk that does not fit is simply dropped.
    if (!ReleaseDataPtr())
        DropChunk();
    if (m_ppRingBuffer != nullptr)
        for (int ch = 0; ch < m_iNumChannels; ++ch)
            m_ppRingBuffer[ch]->Reset();
    if (bDeInit)
        DeInit();
    return true;
}
