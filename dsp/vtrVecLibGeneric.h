#pragma once

// The portable variants of the vector functions: plain loops in index order.

#include "vtrVecLib.h"

float* vtrfMalloc_Generic(int iNumOfElements);
void vtrfFree_Generic(float*& pfBuffer);
void vtrfSetZero_Generic(float* pfDest, int iNumOfElements);
void vtrfRealCalcStd_Generic(const float* pfSrc, float* pfResult, int iNumOfElements);
void vtrfRealCalcMean_Generic(const float* pfSrc, float* pfResult, int iNumOfElements);
void vtrfRealCalcRMS_Generic(const float* pfSrc, float* pfResult, int iNumOfElements);
void vtrfRealFindMax_Generic(const float* pfSrc, float* pfMax, int* piIdx, int iNumOfElements);
void vtrfRealFindMin_Generic(const float* pfSrc, float* pfMin, int* piIdx, int iNumOfElements);
void vtrfRealMaxVec_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealAdd_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealAddC_I_Generic(float* pfSrcDest, float fConst, int iNumOfElements);
void vtrfRealSub_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealMul_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealMulC_I_Generic(float* pfSrcDest, float fConst, int iNumOfElements);
void vtrfRealDiv_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
void vtrfRealMac_I_Generic(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfElements);
void vtrfRealAbs_I_Generic(float* pfSrcDest, int iNumOfElements);
void vtrfRealExp_I_Generic(float* pfSrcDest, int iNumOfElements);
void vtrfRealSqrt_I_Generic(float* pfSrcDest, int iNumOfElements);
void vtrfRealLn_I_Generic(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
void vtrfRealLThresh_I_Generic(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
void vtrfRealHThresh_I_Generic(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
void vtrfRealDotProduct_Generic(const float* pfSrc1, const float* pfSrc2, float* pfResult, int iNumOfElements);
void vtrfCompMergeReIm_Generic(float* pfPackedDest, const float* pfReal, const float* pfImag, int iNumOfFloats);
void vtrfCompSplitReIm_Generic(float* pfRealDest, float* pfImagDest, const float* pfPacked, int iNumOfFloats);
void vtrfCompAdd_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
void vtrfCompMul_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
void vtrfCompDiv_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
void vtrfCompMac_I_Generic(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfBins);
void vtrfCompAbs_Generic(float* pfDest, const float* pfPacked, int iNumOfBins);
void vtrfCompPhase_Generic(float* pfDest, const float* pfPacked, int iNumOfBins);
void vtrfCompConj_I_Generic(float* pfPacked, int iNumOfFloats);
void vtrfPrincArg_Generic(float* pfDest, const float* pfSrc, int iNumOfElements);
void vtrfRealSinCos_Generic(float* pfSinDest, float* pfCosDest, const float* pfSrc, int iNumOfElements);

/// Installs every portable function into the table; returns kUsedCPUExtensionGeneric.
int dispatchToGeneric();
