#pragma once

#include <atomic>

/// Counts the calls of the global operator new, and the bytes they ask for, while
/// `counting` is set. Linking HeapAllocationCounter.cpp replaces operator new.
struct HeapAllocationCounter
{
    static std::atomic<bool> counting;
    static std::atomic<int> allocations;
    static std::atomic<long long> bytes;
};
