#include "CRingBuffer.h"

#include "vtrAllocator.h"

#include <cstring>
#include <new>

template <typename T>
int CRingBuffer<T>::CreateInstanceWithoutReset(CRingBuffer<T>*& pRing, unsigned int iLength)
{
    pRing = nullptr;
    if (iLength > (1u << 30))
        throw std::bad_alloc();
    unsigned int iSize = 1;
    while (iSize < iLength)
        iSize <<= 1;

    CRingBuffer<T>* pNew = new CRingBuffer<T>();
    try
    {
        pNew->m_pfBuffer = static_cast<T*>(vtrAllocator::malloc(static_cast<uint64_t>(iSize) * sizeof(T)));
    }
    catch (...)
    {
        delete pNew;
        throw;
    }
    pNew->m_iSize = static_cast<int>(iSize);
    pNew->m_iMask = static_cast<int>(iSize) - 1;
    pRing = pNew;
    return 0;
}

template <typename T>
void CRingBuffer<T>::DestroyInstance(CRingBuffer<T>*& pRing)
{
    delete pRing;
    pRing = nullptr;
}

template <typename T>
CRingBuffer<T>::~CRingBuffer()
{
    vtrAllocator::free(m_pfBuffer);
}

template <typename T>
void CRingBuffer<T>::Reset()
{
    m_iReadIndex = 0;
    m_iWriteIndex = 0;
    m_iLastIndex = 0;
    std::memset(static_cast<void*>(m_pfBuffer), 0, sizeof(T) * static_cast<size_t>(m_iSize));
}

template <typename T>
int CRingBuffer<T>::GetNumValuesInBuffer() const
{
    const int iFill = m_iWriteIndex - m_iReadIndex;
    return iFill < 0 ? iFill + m_iSize : iFill;
}

template <typename T>
void CRingBuffer<T>::Get(T* pDest, int iNumValues)
{
    m_iLastIndex = m_iReadIndex;
    if (iNumValues <= 0)
        return;
    const int iFirst = iNumValues < m_iSize - m_iReadIndex ? iNumValues : m_iSize - m_iReadIndex;
    std::memcpy(pDest, m_pfBuffer + m_iReadIndex, sizeof(T) * static_cast<size_t>(iFirst));
    std::memcpy(pDest + iFirst, m_pfBuffer, sizeof(T) * static_cast<size_t>(iNumValues - iFirst));
}

template <typename T>
void CRingBuffer<T>::Put(const T* pSource, int iNumValues)
{
    m_iLastIndex = m_iWriteIndex;
    if (iNumValues <= 0)
        return;
    const int iFirst = iNumValues < m_iSize - m_iWriteIndex ? iNumValues : m_iSize - m_iWriteIndex;
    std::memcpy(m_pfBuffer + m_iWriteIndex, pSource, sizeof(T) * static_cast<size_t>(iFirst));
    std::memcpy(m_pfBuffer, pSource + iFirst, sizeof(T) * static_cast<size_t>(iNumValues - iFirst));
    SetWriteIndex(m_iWriteIndex + iNumValues);
}

template class CRingBuffer<float>;
