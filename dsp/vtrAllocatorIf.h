#pragma once

#include "vtrAllocator.h"

/// The host's way to replace the engine's memory hooks. Install hooks before creating
/// any engine object: memory goes back through whatever release hook is set at the time.
/// Passing vtrAllocator::defaultMalloc / defaultRealloc / defaultFree restores a default.
class vtrAllocatorIf
{
public:
    vtrAllocatorIf() = delete;

    static void setCustomAllocator(vtrAllocator::AllocatorFunction pFunction);
    static void setCustomReallocator(vtrAllocator::ReallocatorFunction pFunction);
    static void setCustomDeallocator(vtrAllocator::DeallocatorFunction pFunction);
};
