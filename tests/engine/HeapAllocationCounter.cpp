#include "HeapAllocationCounter.h"

#include <cstdlib>
#include <new>

std::atomic<bool> HeapAllocationCounter::counting{false};
std::atomic<int> HeapAllocationCounter::allocations{0};
std::atomic<long long> HeapAllocationCounter::bytes{0};

void* operator new(std::size_t iSize)
{
    if (HeapAllocationCounter::counting.load(std::memory_order_relaxed))
    {
        ++HeapAllocationCounter::allocations;
        HeapAllocationCounter::bytes += static_cast<long long>(iSize);
    }
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

void* operator new[](std::size_t iSize)
{
    return operator new(iSize);
}

// The nothrow forms must come from here too: the library frees their memory with the
// plain operator delete below.
void* operator new(std::size_t iSize, const std::nothrow_t&) noexcept
{
    try
    {
        return operator new(iSize);
    }
    catch (...)
    {
        return nullptr;
    }
}

void* operator new[](std::size_t iSize, const std::nothrow_t&) noexcept
{
    return operator new(iSize, std::nothrow);
}

void operator delete[](void* p) noexcept
{
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
