#pragma once

#include "vtrAllocator.h"

#include <cstddef>

/// Base for classes whose instances live in vtrAllocator memory (class-level new and
/// delete). An empty base: it adds nothing to the object's layout.
class vtrAllocatedObject
{
public:
    static void* operator new(std::size_t iSize) { return vtrAllocator::malloc(iSize, vtrAlloc::kAlign8); }
    static void* operator new[](std::size_t iSize) { return vtrAllocator::malloc(iSize, vtrAlloc::kAlign8); }
    static void operator delete(void* pMemory) noexcept { vtrAllocator::free(pMemory); }
    static void operator delete[](void* pMemory) noexcept { vtrAllocator::free(pMemory); }
    // Placement forms stay available (class-level operator new hides the global ones).
    static void* operator new(std::size_t, void* pPlace) noexcept { return pPlace; }
    static void operator delete(void*, void*) noexcept {}

protected:
    vtrAllocatedObject() = default;
    ~vtrAllocatedObject() = default;
};
