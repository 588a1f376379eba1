#pragma once

#include <atomic>

/// Bytes requested from the global operator new while `counting` is set.
struct HeapCounter
{
    static std::atomic<bool> counting;
    static std::atomic<long long> bytes;
};
