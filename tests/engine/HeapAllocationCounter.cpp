#include "HeapAllocationCounter.h"

#include <cstdlib>
#include <new>

std::atomic<bool> HeapAllocationCounter::counting{false};
std::atomic<int> HeapAllocationCounter::allocations{0};

void* operator new(std::size_t iSize)
{
    if (HeapAllocationCounter::counting.load(std::memory_order_relaxed))
        ++HeapAllocationCounter::allocations;
    if (void* p = std::malloc(iSize == 0 ? 1 : iSize))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
