#pragma once

// The vector-function table: one global function pointer per operation, filled by
// vtrVecLibDispatcher with the variant chosen for the processor. Callers always go
// through the table and never name a variant.
//
// Packed complex spectrum of an n-point real FFT in n floats: n/2 bins, bin 0 holds
// DC in its real slot and Nyquist in its imaginary slot. Use vtrReIdx / vtrImIdx to
// find a bin's parts; the layout depends on the active table.

class CvtrfFFT_If;

/// Window types of the FFT (values are part of the interface).
enum _Fft_Windows_ : int
{
    kWindowNone = 0,
    kWindowSine = 1,
    kWindowHann = 2,
    kWindowHamming = 3,
    kWindowBlackman = 4,
    kWindowTriangle = 5,
    kWindowTriangleSquared = 6,
    kWindowZero = 7
};

enum UsedCPUExtension_t : int
{
    kUsedCPUExtensionAuto = -1,
    kUsedCPUExtensionGeneric = 0,
    kUsedCPUExtensionAccelerate = 10
};

extern float* (*vtrfMalloc)(int iNumOfElements);
extern void (*vtrfFree)(float*& pfBuffer);
extern void (*vtrfSetZero)(float* pfDest, int iNumOfElements);

extern void (*vtrfRealCalcStd)(const float* pfSrc, float* pfResult, int iNumOfElements);
extern void (*vtrfRealCalcMean)(const float* pfSrc, float* pfResult, int iNumOfElements);
extern void (*vtrfRealCalcRMS)(const float* pfSrc, float* pfResult, int iNumOfElements);
extern void (*vtrfRealFindMax)(const float* pfSrc, float* pfMax, int* piIdx, int iNumOfElements);
extern void (*vtrfRealFindMin)(const float* pfSrc, float* pfMin, int* piIdx, int iNumOfElements);

extern void (*vtrfRealMaxVec)(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
extern void (*vtrfRealAdd_I)(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
extern void (*vtrfRealAddC_I)(float* pfSrcDest, float fConst, int iNumOfElements);
extern void (*vtrfRealSub_I)(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
extern void (*vtrfRealMul_I)(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
extern void (*vtrfRealMulC_I)(float* pfSrcDest, float fConst, int iNumOfElements);
extern void (*vtrfRealDiv_I)(float* pfSrcDest, const float* pfSrc, int iNumOfElements);
extern void (*vtrfRealMac_I)(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfElements);
extern void (*vtrfRealAbs_I)(float* pfSrcDest, int iNumOfElements);
extern void (*vtrfRealExp_I)(float* pfSrcDest, int iNumOfElements);
extern void (*vtrfRealSqrt_I)(float* pfSrcDest, int iNumOfElements);
extern void (*vtrfRealLn_I)(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
extern void (*vtrfRealLThresh_I)(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
extern void (*vtrfRealHThresh_I)(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements);
extern void (*vtrfRealDotProduct)(const float* pfSrc1, const float* pfSrc2, float* pfResult, int iNumOfElements);

extern void (*vtrfCompMergeReIm)(float* pfPackedDest, const float* pfReal, const float* pfImag, int iNumOfFloats);
extern void (*vtrfCompSplitReIm)(float* pfRealDest, float* pfImagDest, const float* pfPacked, int iNumOfFloats);
extern void (*vtrfCompAdd_I)(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
extern void (*vtrfCompMul_I)(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
extern void (*vtrfCompDiv_I)(float* pfSrcDest, const float* pfSrc, int iNumOfBins);
extern void (*vtrfCompMac_I)(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfBins);
extern void (*vtrfCompAbs)(float* pfDest, const float* pfPacked, int iNumOfBins);
extern void (*vtrfCompPhase)(float* pfDest, const float* pfPacked, int iNumOfBins);
extern void (*vtrfCompConj_I)(float* pfPacked, int iNumOfFloats);

extern void (*vtrfPrincArg)(float* pfDest, const float* pfSrc, int iNumOfElements);
extern void (*vtrfRealSinCos)(float* pfSinDest, float* pfCosDest, const float* pfSrc, int iNumOfElements);

/// FFT factory and destroyer of the active table.
extern int (*vtrfFFTCreateInstance)(CvtrfFFT_If*& pCFFT, int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow);
extern int (*vtrfFFTDestroyInstance)(CvtrfFFT_If*& pCFFT);

extern int (*vtrReIdx)(int iBin, int iHalfLength);
extern int (*vtrImIdx)(int iBin, int iHalfLength);

/// Installed only by the accelerated table.
extern void (*vsqrt_I_MAC)(float* pfSrcDest, int iNumOfElements);

int vtrReIdxInterleaved(int iBin, int iHalfLength);
int vtrImIdxInterleaved(int iBin, int iHalfLength);
int vtrReIdxSeparate(int iBin, int iHalfLength);
int vtrImIdxSeparate(int iBin, int iHalfLength);

/// Fills the table. The first call decides; later kUsedCPUExtensionAuto calls change
/// nothing, and a request below the installed extension switches the table down.
void vtrVecLibDispatcher(int iExtension);
void vtrVecLibDispatcherClear();
int vtrVecLibGetCPUType();
const char* vtrVecLibGetVersion();
const char* vtrVecLibGetBuildDate();
