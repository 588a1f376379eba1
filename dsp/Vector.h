#pragma once

#include "vtrAllocatedObject.h"
#include "vtrAllocator.h"
#include "vtrVecLib.h"

#include <cassert>
#include <cstring>
#include <new>
#include <type_traits>

/// The engine's array: a size, a pointer and an ownership flag. Owning vectors are
/// zero-filled when allocated; copies are explicit (allocate, then copyFrom).
/// Indices and sizes are the caller's responsibility (checked by assert only).
template <typename T>
class Vector
{
public:
    class Section;

    Vector() = default;
    explicit Vector(int iNumOfElements) { allocate(iNumOfElements); }
    ~Vector() { free(); }

    Vector(const Vector&) = delete;
    Vector& operator=(const Vector&) = delete;

    Vector(Vector&& other) noexcept { takeFrom(other); }
    Vector& operator=(Vector&& other) noexcept
    {
        if (this != &other)
        {
            free();
            takeFrom(other);
        }
        return *this;
    }

    void allocate(int iNumOfElements)
    {
        free();
        if (iNumOfElements <= 0)
            return;
        m_pData = obtainStorage(iNumOfElements);
        m_bOwnsData = true;
        m_iSize = iNumOfElements;
        std::memset(static_cast<void*>(m_pData), 0, sizeof(T) * static_cast<size_t>(m_iSize));
    }

    void free()
    {
        if (m_pData != nullptr && m_bOwnsData)
            vtrAllocator::free(m_pData);
        m_iSize = 0;
        m_pData = nullptr;
        m_bOwnsData = false;
    }

    int size() const { return m_iSize; }
    T* getPointer() { return m_pData; }
    const T* getPointer() const { return m_pData; }

    T& operator[](int i)
    {
        assert(i >= 0 && i < m_iSize);
        return m_pData[i];
    }
    const T& operator[](int i) const
    {
        assert(i >= 0 && i < m_iSize);
        return m_pData[i];
    }

    void clear()
    {
        if (m_pData != nullptr && m_iSize > 0)
            std::memset(static_cast<void*>(m_pData), 0, sizeof(T) * static_cast<size_t>(m_iSize));
    }

    /// Copies size() elements; the source must hold at least that many.
    void copyFrom(const Vector& other)
    {
        assert(other.m_iSize >= m_iSize);
        copyFrom(other.m_pData);
    }
    void copyFrom(const T* pSource)
    {
        if (m_iSize > 0)
            std::memmove(static_cast<void*>(m_pData), pSource, sizeof(T) * static_cast<size_t>(m_iSize));
    }

    T getSum() const
    {
        T sum = T(0);
        for (int i = 0; i < m_iSize; ++i)
            sum += m_pData[i];
        return sum;
    }

    /// Scales to a unit sum of magnitudes. The sum must not be 0 (test getSum first).
    void normalizeL1()
    {
        static_assert(std::is_same<T, float>::value, "normalizeL1 is for float vectors");
        double dSum = 0.0;
        for (int i = 0; i < m_iSize; ++i)
            dSum += m_pData[i] < 0 ? -static_cast<double>(m_pData[i]) : static_cast<double>(m_pData[i]);
        const float fScale = 1.0f / static_cast<float>(dSum);
        vtrfRealMulC_I(m_pData, fScale, m_iSize);
    }

    /// Element i moves to (i + n) mod size; 0 <= n <= size.
    void circularShiftRight(int iShift)
    {
        assert(iShift >= 0 && iShift <= m_iSize);
        if (iShift == 0)
            return;
        T* pTemp = obtainStorage(iShift);
        std::memcpy(static_cast<void*>(pTemp), m_pData + (m_iSize - iShift), sizeof(T) * static_cast<size_t>(iShift));
        std::memmove(static_cast<void*>(m_pData + iShift), m_pData, sizeof(T) * static_cast<size_t>(m_iSize - iShift));
        std::memcpy(static_cast<void*>(m_pData), pTemp, sizeof(T) * static_cast<size_t>(iShift));
        vtrAllocator::free(pTemp);
    }

protected:
    int m_iSize = 0;
    T* m_pData = nullptr;
    bool m_bOwnsData = false;

private:
    static T* obtainStorage(int iNumOfElements)
    {
        if constexpr (std::is_same<T, float>::value)
        {
            // A vector built during another file's static initialisation may come first.
            if (vtrfMalloc == nullptr)
                vtrVecLibDispatcher(kUsedCPUExtensionAuto);
            float* pfData = vtrfMalloc(iNumOfElements);
            if (pfData == nullptr)
                throw std::bad_alloc();
            return pfData;
        }
        else
        {
            const uint64_t iBytes = static_cast<uint64_t>(iNumOfElements) * sizeof(T);
            return static_cast<T*>(vtrAllocator::malloc(iBytes, vtrAlloc::kAlign8));
        }
    }

    void takeFrom(Vector& other) noexcept
    {
        m_iSize = other.m_iSize;
        m_pData = other.m_pData;
        m_bOwnsData = other.m_bOwnsData;
        other.m_iSize = 0;
        other.m_pData = nullptr;
        other.m_bOwnsData = false;
    }
};

/// A non-owning view into another vector's storage or a caller's buffer. It must not
/// outlive what it views.
template <typename T>
class Vector<T>::Section : public Vector<T>, public vtrAllocatedObject
{
public:
    /// Views base[iOffset .. iOffset + iLength).
    Section(Vector<T>& base, int iOffset, int iLength)
    {
        assert(iOffset >= 0 && iLength >= 0 && iOffset + iLength <= base.size());
        this->m_pData = base.getPointer() + iOffset;
        this->m_iSize = iLength;
    }

    Section(T* pBuffer, int iLength)
    {
        this->m_pData = pBuffer;
        this->m_iSize = iLength;
    }

    virtual ~Section() { this->free(); }

    Section(Section&&) = delete;
};
