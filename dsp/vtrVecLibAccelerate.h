#pragma once

// The accelerated variants of the vector functions for x86-64 processors with AVX2 and
// FMA. They are compiled into every x86-64 build with per-function target attributes and
// installed only when the processor has both extensions, so one binary runs everywhere.
//
// They give the portable results, keep the interleaved spectrum layout and the portable
// semantics of every entry, except that sums, means, deviations and dot products run
// in eight lanes with fused multiply-adds and may differ in the last bits, vtrfMalloc
// asks for 16-byte alignment and vsqrt_I_MAC is installed.

#include "vtrVecLib.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VTR_HAVE_ACCELERATE 1
#define VTR_AVX2_FMA __attribute__((target("avx2,fma")))

float* vtrfMalloc_Accelerate(int iNumOfElements);
void vtrfRealCalcStd_Accelerate(const float* pfSrc, float* pfResult, int iNumOfElements);
void vtrfRealCalcMean_Accelerate(const float* pfSrc, float* pfResult, int iNumOfElements);
void vtrfRealCalcRMS_Accelerate(const float* pfSrc, float* pfResult, int iNumOfElements);
void vtrfRealFindMax_Accelerate(const float* pfSrc, float* pfMax, int* piIdx, int iNumOfElements);
void vtrfRealFindMin_Accelerate(const float* pfSrc, float* pfMin, int* piIdx, int iNumOfElements);
void vtrfRealMaxVec_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealAdd_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealSub_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealMul_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealMulC_I_Accelerate(float* pfSrcDest, float fConst, int iNumOfElements);
void vtrfRealDiv_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealMac_I_Accelerate(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfElements);
void vtrfRealAbs_I_Accelerate(float* pfSrcDest, int iNumOfElements);
void vtrfRealSqrt_I_Accelerate(float* pfSrcDest, int iNumOfElements);
void vtrfRealLThresh_I_Accelerate(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
void vtrfRealHThresh_I_Accelerate(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
void vtrfRealDotProduct_Accelerate(const float* pfSrc1, const float* pfSrc2, float* pfResult, int iNumOfElements);
void vtrfCompAdd_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
void vtrfCompMul_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
void vtrfCompMac_I_Accelerate(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfBins);
void vtrfCompAbs_Accelerate(float* pfDest, const float* pfPacked, int iNumOfBins);
void vtrfCompConj_I_Accelerate(float* pfPacked, int iNumOfFloats);
void vtrfPrincArg_Accelerate(float* pfDest, const float* pfSrc, int iNumOfElements);

/// True when the processor runs the accelerated variants (AVX2 and FMA).
bool vtrAccelerateSupported();

/// Installs the accelerated functions over the portable ones; returns
/// kUsedCPUExtensionAccelerate. Call only when vtrAccelerateSupported().
int dispatchToAccelerate();
#endif
