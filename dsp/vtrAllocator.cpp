#include "vtrAllocator.h"

#include <cstdlib>
#include <new>

// Constant-initialised, so the hooks are valid before any static constructor runs.
vtrAllocator::AllocatorFunction vtrAllocator::m_pCustomAllocatorFunctionPtr = &vtrAllocator::defaultMalloc;
vtrAllocator::ReallocatorFunction vtrAllocator::m_pCustomReallocatorFunctionPtr = &vtrAllocator::defaultRealloc;
vtrAllocator::DeallocatorFunction vtrAllocator::m_pCustomDeallocatorFunctionPtr = &vtrAllocator::defaultFree;
std::atomic<int64_t> vtrAllocator::m_lByteCounter{0};

void* vtrAllocator::defaultMalloc(uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t)
{
    return std::malloc(static_cast<size_t>(iSizeInBytes));
}

void* vtrAllocator::defaultRealloc(void* pMemory, uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t)
{
    return std::realloc(pMemory, static_cast<size_t>(iSizeInBytes));
}

void vtrAllocator::defaultFree(void* pMemory)
{
    std::free(pMemory);
}

void* vtrAllocator::malloc(uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment)
{
    void* pMemory = m_pCustomAllocatorFunctionPtr(iSizeInBytes, eAlignment);
    if (pMemory == nullptr)
        throw std::bad_alloc();
    m_lByteCounter.fetch_add(static_cast<int64_t>(iSizeInBytes), std::memory_order_relaxed);
    return pMemory;
}

void* vtrAllocator::realloc(void* pMemory, uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment)
{
    void* pNew = m_pCustomReallocatorFunctionPtr(pMemory, iSizeInBytes, eAlignment);
    if (pNew == nullptr)
        throw std::bad_alloc();
    return pNew;
}

void vtrAllocator::free(void* pMemory)
{
    m_pCustomDeallocatorFunctionPtr(pMemory);
}

int64_t vtrAllocator::getNumOfBytesAllocated()
{
    return m_lByteCounter.load(std::memory_order_relaxed);
}
