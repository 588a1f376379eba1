#pragma once

#include <atomic>
#include <cstdint>

namespace vtrAlloc
{
/// Alignment request carried to the allocation hook; the default hooks ignore it.
enum MemoryAlignment_t
{
    kAlign8 = 8,
    kAlign16 = 16
};
}

/// The engine's allocator: every engine object and float array comes from here, so a
/// host can route the engine's memory through its own hooks (see vtrAllocatorIf).
class vtrAllocator
{
public:
    using AllocatorFunction = void* (*)(uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment);
    using ReallocatorFunction = void* (*)(void* pMemory, uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment);
    using DeallocatorFunction = void (*)(void* pMemory);

    vtrAllocator() = delete;

    static void* defaultMalloc(uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment);
    static void* defaultRealloc(void* pMemory, uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment);
    static void defaultFree(void* pMemory);

    /// Throws std::bad_alloc when the hook returns null; the byte counter is then unchanged.
    static void* malloc(uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment = vtrAlloc::kAlign8);
    /// Throws std::bad_alloc when the hook returns null. Not counted.
    static void* realloc(void* pMemory, uint64_t iSizeInBytes, vtrAlloc::MemoryAlignment_t eAlignment = vtrAlloc::kAlign8);
    /// Hands the pointer to the release hook as it is, null included.
    static void free(void* pMemory);

    /// Sum of all successful malloc sizes since program start; it never decreases.
    static int64_t getNumOfBytesAllocated();

private:
    friend class vtrAllocatorIf;

    static AllocatorFunction m_pCustomAllocatorFunctionPtr;
    static ReallocatorFunction m_pCustomReallocatorFunctionPtr;
    static DeallocatorFunction m_pCustomDeallocatorFunctionPtr;
    // Atomic so that engines on several threads can count without a data race.
    static std::atomic<int64_t> m_lByteCounter;
};
