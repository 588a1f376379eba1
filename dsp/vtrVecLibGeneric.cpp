#include "vtrVecLibGeneric.h"

#include "CvtrfFFTGen.h"
#include "vtrAllocator.h"

#include <cmath>
#include <cstring>
#include <new>

namespace
{
constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kMinusOneOverTwoPi = -0.15915494f;
constexpr float kFindMaxStart = -1e37f;
constexpr float kFindMinStart = 1e37f;
}

float* vtrfMalloc_Generic(int iNumOfElements)
{
    if (iNumOfElements < 0)
        throw std::bad_alloc();
    const uint64_t iBytes = static_cast<uint64_t>(iNumOfElements) * sizeof(float);
    return static_cast<float*>(vtrAllocator::malloc(iBytes, vtrAlloc::kAlign8));
}

void vtrfFree_Generic(float*& pfBuffer)
{
    if (pfBuffer != nullptr)
        vtrAllocator::free(pfBuffer);
    pfBuffer = nullptr;
}

void vtrfSetZero_Generic(float* pfDest, int iNumOfElements)
{
    if (iNumOfElements > 0)
        std::memset(pfDest, 0, sizeof(float) * static_cast<size_t>(iNumOfElements));
}

void vtrfRealCalcMean_Generic(const float* pfSrc, float* pfResult, int iNumOfElements)
{
    float fSum = 0.f;
    for (int i = 0; i < iNumOfElements; ++i)
        fSum += pfSrc[i];
    *pfResult = iNumOfElements > 0 ? fSum / static_cast<float>(iNumOfElements) : NAN;
}

void vtrfRealCalcRMS_Generic(const float* pfSrc, float* pfResult, int iNumOfElements)
{
    float fSum = 0.f;
    for (int i = 0; i < iNumOfElements; ++i)
        fSum += pfSrc[i] * pfSrc[i];
    *pfResult = iNumOfElements > 0 ? std::sqrt(fSum / static_cast<float>(iNumOfElements)) : NAN;
}

void vtrfRealCalcStd_Generic(const float* pfSrc, float* pfResult, int iNumOfElements)
{
    if (iNumOfElements <= 0)
    {
        *pfResult = 0.f;
        return;
    }
    float fSum = 0.f;
    for (int i = 0; i < iNumOfElements; ++i)
        fSum += pfSrc[i];
    const float fMean = fSum / static_cast<float>(iNumOfElements);
    float fSquares = 0.f;
    for (int i = 0; i < iNumOfElements; ++i)
        fSquares += (pfSrc[i] - fMean) * (pfSrc[i] - fMean);
    // Sample deviation: a single value gives 0/0, not-a-number.
    *pfResult = std::sqrt(fSquares / static_cast<float>(iNumOfElements - 1));
}

void vtrfRealFindMax_Generic(const float* pfSrc, float* pfMax, int* piIdx, int iNumOfElements)
{
    float fMax = kFindMaxStart;
    int iIdx = 0;
    for (int i = 0; i < iNumOfElements; ++i)
    {
        if (pfSrc[i] > fMax)
        {
            fMax = pfSrc[i];
            iIdx = i;
        }
    }
    *pfMax = fMax;
    *piIdx = iIdx;
}

void vtrfRealFindMin_Generic(const float* pfSrc, float* pfMin, int* piIdx, int iNumOfElements)
{
    float fMin = kFindMinStart;
    int iIdx = 0;
    for (int i = 0; i < iNumOfElements; ++i)
    {
        if (pfSrc[i] < fMin)
        {
            fMin = pfSrc[i];
            iIdx = i;
        }
    }
    *pfMin = fMin;
    *piIdx = iIdx;
}

void vtrfRealMaxVec_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] = pfSrcDest[i] > pfSrc[i] ? pfSrcDest[i] : pfSrc[i];
}

void vtrfRealAdd_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] += pfSrc[i];
}

void vtrfRealAddC_I_Generic(float* pfSrcDest, float fConst, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] += fConst;
}

void vtrfRealSub_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] -= pfSrc[i];
}

void vtrfRealMul_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] *= pfSrc[i];
}

void vtrfRealMulC_I_Generic(float* pfSrcDest, float fConst, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] *= fConst;
}

void vtrfRealDiv_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] /= pfSrc[i];
}

void vtrfRealMac_I_Generic(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfAcc[i] += pfSrc1[i] * pfSrc2[i];
}

void vtrfRealAbs_I_Generic(float* pfSrcDest, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] = std::fabs(pfSrcDest[i]);
}

void vtrfRealExp_I_Generic(float* pfSrcDest, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] = std::exp(pfSrcDest[i]);
}

void vtrfRealSqrt_I_Generic(float* pfSrcDest, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        pfSrcDest[i] = std::sqrt(pfSrcDest[i]);
}

void vtrfRealLn_I_Generic(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
    {
        const float fValue = pfSrcDest[i] < fThresh ? fReplace : pfSrcDest[i];
        pfSrcDest[i] = std::log(fValue);
    }
}

void vtrfRealLThresh_I_Generic(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        if (pfSrcDest[i] < fThresh)
            pfSrcDest[i] = fReplace;
}

void vtrfRealHThresh_I_Generic(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
        if (pfSrcDest[i] > fThresh)
            pfSrcDest[i] = fReplace;
}

void vtrfRealDotProduct_Generic(const float* pfSrc1, const float* pfSrc2, float* pfResult, int iNumOfElements)
{
    float fSum = 0.f;
    for (int i = 0; i < iNumOfElements; ++i)
        fSum += pfSrc1[i] * pfSrc2[i];
    *pfResult = fSum;
}

void vtrfCompMergeReIm_Generic(float* pfPackedDest, const float* pfReal, const float* pfImag, int iNumOfFloats)
{
    const int iHalf = iNumOfFloats / 2;
    if (iHalf < 1)
        return;
    pfPackedDest[0] = pfReal[0];
    pfPackedDest[1] = pfReal[iHalf];
    for (int k = 1; k < iHalf; ++k)
    {
        pfPackedDest[2 * k] = pfReal[k];
        pfPackedDest[2 * k + 1] = pfImag[k - 1];
    }
}

void vtrfCompSplitReIm_Generic(float* pfRealDest, float* pfImagDest, const float* pfPacked, int iNumOfFloats)
{
    const int iHalf = iNumOfFloats / 2;
    if (iHalf < 1)
        return;
    pfRealDest[0] = pfPacked[0];
    pfRealDest[iHalf] = pfPacked[1];
    for (int k = 1; k < iHalf; ++k)
    {
        pfRealDest[k] = pfPacked[2 * k];
        pfImagDest[k - 1] = pfPacked[2 * k + 1];
    }
}

void vtrfCompAdd_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfBins)
{
    vtrfRealAdd_I_Generic(pfSrcDest, pfSrc, 2 * iNumOfBins);
}

void vtrfCompMul_I_Generic(float* pfSrcDest, const float* pfSrc, int iNumOfBins)
{
    if (iNumOfBins <= 0)
        return;
    pfSrcDest[0] *= pfSrc[0];
    pfSrcDest[1] *= pfSrc[1];
    for (int k = 1; k < iNumOfBins; ++k)
    {
        const float fAr = pfSrcDest[2 * k], fAi = pfSrcDest[2 * k + 1];
        const float fBr = pfSrc[2 * k], fBi = pfSrc[2 * k + 1];
        pfSrcDest[2 * k] = fAr * fBr - fAi * fBi;
        pfSrcDest[2 * k + 1] = fAr * fBi + fAi * fBr;
    }
}

void vtrfCompDiv_I_Generic(float*, const float*, int)
{
    // Deliberately empty: the entry exists for the interface only.
}

void vtrfCompMac_I_Generic(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfBins)
{
    if (iNumOfBins <= 0)
        return;
    pfAcc[0] += pfSrc1[0] * pfSrc2[0];
    pfAcc[1] += pfSrc1[1] * pfSrc2[1];
    for (int k = 1; k < iNumOfBins; ++k)
    {
        const float fAr = pfSrc1[2 * k], fAi = pfSrc1[2 * k + 1];
        const float fBr = pfSrc2[2 * k], fBi = pfSrc2[2 * k + 1];
        pfAcc[2 * k] += fAr * fBr - fAi * fBi;
        pfAcc[2 * k + 1] += fAr * fBi + fAi * fBr;
    }
}

void vtrfCompAbs_Generic(float* pfDest, const float* pfPacked, int iNumOfBins)
{
    if (iNumOfBins <= 0)
        return;
    pfDest[0] = std::fabs(pfPacked[0]);
    for (int k = 1; k < iNumOfBins; ++k)
    {
        const float fRe = pfPacked[2 * k], fIm = pfPacked[2 * k + 1];
        pfDest[k] = std::sqrt(fRe * fRe + fIm * fIm);
    }
}

void vtrfCompPhase_Generic(float* pfDest, const float* pfPacked, int iNumOfBins)
{
    if (iNumOfBins <= 0)
        return;
    pfDest[0] = kPi;
    for (int k = 1; k < iNumOfBins; ++k)
    {
        const float fRe = pfPacked[2 * k], fIm = pfPacked[2 * k + 1];
        if (fRe != 0.f) // true for not-a-number as well
            pfDest[k] = std::atan2(fIm, fRe);
        else if (fIm != 0.f)
            pfDest[k] = kHalfPi;
        else
            pfDest[k] = 0.f;
    }
}

void vtrfCompConj_I_Generic(float* pfPacked, int iNumOfFloats)
{
    const int iHalf = iNumOfFloats / 2;
    for (int k = 1; k < iHalf; ++k)
        pfPacked[2 * k + 1] = -pfPacked[2 * k + 1];
}

void vtrfPrincArg_Generic(float* pfDest, const float* pfSrc, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
    {
        const float fShifted = pfSrc[i] + kPi;
        pfDest[i] = fShifted + kTwoPi * std::floor(fShifted * kMinusOneOverTwoPi) + kPi;
    }
}

void vtrfRealSinCos_Generic(float* pfSinDest, float* pfCosDest, const float* pfSrc, int iNumOfElements)
{
    for (int i = 0; i < iNumOfElements; ++i)
    {
        const float fValue = pfSrc[i];
        pfSinDest[i] = std::sin(fValue);
        pfCosDest[i] = std::cos(fValue);
    }
}

int dispatchToGeneric()
{
    vtrfMalloc = vtrfMalloc_Generic;
    vtrfFree = vtrfFree_Generic;
    vtrfSetZero = vtrfSetZero_Generic;
    vtrfRealCalcStd = vtrfRealCalcStd_Generic;
    vtrfRealCalcMean = vtrfRealCalcMean_Generic;
    vtrfRealCalcRMS = vtrfRealCalcRMS_Generic;
    vtrfRealFindMax = vtrfRealFindMax_Generic;
    vtrfRealFindMin = vtrfRealFindMin_Generic;
    vtrfRealMaxVec = vtrfRealMaxVec_Generic;
    vtrfRealAdd_I = vtrfRealAdd_I_Generic;
    vtrfRealAddC_I = vtrfRealAddC_I_Generic;
    vtrfRealSub_I = vtrfRealSub_I_Generic;
    vtrfRealMul_I = vtrfRealMul_I_Generic;
    vtrfRealMulC_I = vtrfRealMulC_I_Generic;
    vtrfRealDiv_I = vtrfRealDiv_I_Generic;
    vtrfRealMac_I = vtrfRealMac_I_Generic;
    vtrfRealAbs_I = vtrfRealAbs_I_Generic;
    vtrfRealExp_I = vtrfRealExp_I_Generic;
    vtrfRealSqrt_I = vtrfRealSqrt_I_Generic;
    vtrfRealLn_I = vtrfRealLn_I_Generic;
    vtrfRealLThresh_I = vtrfRealLThresh_I_Generic;
    vtrfRealHThresh_I = vtrfRealHThresh_I_Generic;
    vtrfRealDotProduct = vtrfRealDotProduct_Generic;
    vtrfCompMergeReIm = vtrfCompMergeReIm_Generic;
    vtrfCompSplitReIm = vtrfCompSplitReIm_Generic;
    vtrfCompAdd_I = vtrfCompAdd_I_Generic;
    vtrfCompMul_I = vtrfCompMul_I_Generic;
    vtrfCompDiv_I = vtrfCompDiv_I_Generic;
    vtrfCompMac_I = vtrfCompMac_I_Generic;
    vtrfCompAbs = vtrfCompAbs_Generic;
    vtrfCompPhase = vtrfCompPhase_Generic;
    vtrfCompConj_I = vtrfCompConj_I_Generic;
    vtrfPrincArg = vtrfPrincArg_Generic;
    vtrfRealSinCos = vtrfRealSinCos_Generic;
    vtrfFFTCreateInstance = vtrfFFTCreateInstance_Generic;
    vtrfFFTDestroyInstance = vtrfFFTDestroyInstance_Generic;
    vsqrt_I_MAC = nullptr;
    return kUsedCPUExtensionGeneric;
}
