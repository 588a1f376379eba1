#pragma once

#include "vtrAllocatedObject.h"

/// Power-of-two ring of samples; equal read and write indices mean empty, so it holds at
/// most GetSize() - 1 values. Index arithmetic wraps with a mask.
template <typename T>
class CRingBuffer : public vtrAllocatedObject
{
public:
    /// Capacity: the smallest power of two >= iLength (storage not cleared). Returns 0;
    /// throws std::bad_alloc (with pRing null) when the memory cannot be had.
    static int CreateInstanceWithoutReset(CRingBuffer<T>*& pRing, unsigned int iLength);
    static void DestroyInstance(CRingBuffer<T>*& pRing);

    ~CRingBuffer();
    CRingBuffer(const CRingBuffer&) = delete;
    CRingBuffer& operator=(const CRingBuffer&) = delete;

    /// Indices to 0 and storage cleared.
    void Reset();
    int GetSize() const { return m_iSize; }
    int GetNumValuesInBuffer() const;
    int GetReadIndex() const { return m_iReadIndex; }
    int GetWriteIndex() const { return m_iWriteIndex; }
    void SetReadIndex(int iIndex) { m_iReadIndex = iIndex & m_iMask; }
    void SetWriteIndex(int iIndex) { m_iWriteIndex = iIndex & m_iMask; }
    void AdvanceReadIndex(int iNumValues) { SetReadIndex(m_iReadIndex + iNumValues); }

    /// Copies iNumValues from the read index on, without consuming them.
    void Get(T* pDest, int iNumValues);
    /// Writes iNumValues at the write index and advances it; the caller checks the room.
    void Put(const T* pSource, int iNumValues);

private:
    CRingBuffer() = default;

    int m_iReadIndex = 0;
    int m_iWriteIndex = 0;
    int m_iLastIndex = 0;
    int m_iSize = 0;
    int m_iMask = 0;
    T* m_pfBuffer = nullptr;
};

extern template class CRingBuffer<float>;
