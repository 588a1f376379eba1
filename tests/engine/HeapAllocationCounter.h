#pragma once

#include <atomic>

/// Counts calls of the global operator new while `counting` is set (this test
/// program replaces operator new; see HeapAllocationCounter.cpp).
struct HeapAllocationCounter
{
    static std::atomic<bool> counting;
    static std::atomic<int> allocations;
};
