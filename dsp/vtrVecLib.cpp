#include "vtrVecLib.h"

#include "vtrVecLibAccelerate.h"
#include "vtrVecLibGeneric.h"

float* (*vtrfMalloc)(int) = nullptr;
void (*vtrfFree)(float*&) = nullptr;
void (*vtrfSetZero)(float*, int) = nullptr;
void (*vtrfRealCalcStd)(const float*, float*, int) = nullptr;
void (*vtrfRealCalcMean)(const float*, float*, int) = nullptr;
void (*vtrfRealCalcRMS)(const float*, float*, int) = nullptr;
void (*vtrfRealFindMax)(const float*, float*, int*, int) = nullptr;
void (*vtrfRealFindMin)(const float*, float*, int*, int) = nullptr;
void (*vtrfRealMaxVec)(float*, const float*, int) = nullptr;
void (*vtrfRealAdd_I)(float*, const float*, int) = nullptr;
void (*vtrfRealAddC_I)(float*, float, int) = nullptr;
void (*vtrfRealSub_I)(float*, const float*, int) = nullptr;
void (*vtrfRealMul_I)(float*, const float*, int) = nullptr;
void (*vtrfRealMulC_I)(float*, float, int) = nullptr;
void (*vtrfRealDiv_I)(float*, const float*, int) = nullptr;
void (*vtrfRealMac_I)(float*, const float*, const float*, int) = nullptr;
void (*vtrfRealAbs_I)(float*, int) = nullptr;
void (*vtrfRealExp_I)(float*, int) = nullptr;
void (*vtrfRealSqrt_I)(float*, int) = nullptr;
void (*vtrfRealLn_I)(float*, float, float, int) = nullptr;
void (*vtrfRealLThresh_I)(float*, float, float, int) = nullptr;
void (*vtrfRealHThresh_I)(float*, float, float, int) = nullptr;
void (*vtrfRealDotProduct)(const float*, const float*, float*, int) = nullptr;
void (*vtrfCompMergeReIm)(float*, const float*, const float*, int) = nullptr;
void (*vtrfCompSplitReIm)(float*, float*, const float*, int) = nullptr;
void (*vtrfCompAdd_I)(float*, const float*, int) = nullptr;
void (*vtrfCompMul_I)(float*, const float*, int) = nullptr;
void (*vtrfCompDiv_I)(float*, const float*, int) = nullptr;
void (*vtrfCompMac_I)(float*, const float*, const float*, int) = nullptr;
void (*vtrfCompAbs)(float*, const float*, int) = nullptr;
void (*vtrfCompPhase)(float*, const float*, int) = nullptr;
void (*vtrfCompConj_I)(float*, int) = nullptr;
void (*vtrfPrincArg)(float*, const float*, int) = nullptr;
void (*vtrfRealSinCos)(float*, float*, const float*, int) = nullptr;
int (*vtrfFFTCreateInstance)(CvtrfFFT_If*&, int, int, _Fft_Windows_) = nullptr;
int (*vtrfFFTDestroyInstance)(CvtrfFFT_If*&) = nullptr;
int (*vtrReIdx)(int, int) = nullptr;
int (*vtrImIdx)(int, int) = nullptr;
void (*vsqrt_I_MAC)(float*, int) = nullptr;

namespace
{
bool bvtrVecLibDispatcherInitialized = false;
int DetectedCPUExtension = kUsedCPUExtensionAuto;

// Fill the table at program start; constructors that use it dispatch again (a no-op).
struct StaticDispatch
{
    StaticDispatch() { vtrVecLibDispatcher(kUsedCPUExtensionAuto); }
} g_staticDispatch;
}

int vtrReIdxInterleaved(int iBin, int) { return 2 * iBin; }
int vtrImIdxInterleaved(int iBin, int) { return 2 * iBin + 1; }
int vtrReIdxSeparate(int iBin, int) { return iBin; }
int vtrImIdxSeparate(int iBin, int iHalfLength) { return iBin + iHalfLength; }

void vtrVecLibDispatcher(int iExtension)
{
    if (bvtrVecLibDispatcherInitialized
        && (iExtension == kUsedCPUExtensionAuto || iExtension >= DetectedCPUExtension))
        return;

    bvtrVecLibDispatcherInitialized = true;
    vtrReIdx = vtrReIdxInterleaved;
    vtrImIdx = vtrImIdxInterleaved;
    DetectedCPUExtension = dispatchToGeneric();
#ifdef VTR_HAVE_ACCELERATE
    if (iExtension != kUsedCPUExtensionGeneric && vtrAccelerateSupported())
        DetectedCPUExtension = dispatchToAccelerate();
#endif
    // Without the accelerated table (other processors or builds) every request ends
    // with the portable one.
}

void vtrVecLibDispatcherClear()
{
    bvtrVecLibDispatcherInitialized = false;
    DetectedCPUExtension = kUsedCPUExtensionAuto;
}

int vtrVecLibGetCPUType()
{
    return DetectedCPUExtension;
}

const char* vtrVecLibGetVersion()
{
    return "4.4.5+1e98bee";
}

const char* vtrVecLibGetBuildDate()
{
    return "Nov 24 2023";
}
