#include "vtrAllocatorIf.h"

void vtrAllocatorIf::setCustomAllocator(vtrAllocator::AllocatorFunction pFunction)
{
    vtrAllocator::m_pCustomAllocatorFunctionPtr = pFunction;
}

void vtrAllocatorIf::setCustomReallocator(vtrAllocator::ReallocatorFunction pFunction)
{
    vtrAllocator::m_pCustomReallocatorFunctionPtr = pFunction;
}

void vtrAllocatorIf::setCustomDeallocator(vtrAllocator::DeallocatorFunction pFunction)
{
    vtrAllocator::m_pCustomDeallocatorFunctionPtr = pFunction;
}
