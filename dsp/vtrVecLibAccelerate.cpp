#include "vtrVecLibAccelerate.h"

#ifdef VTR_HAVE_ACCELERATE

#include "CvtrfFFTAccelerate.h"
#include "vtrAllocator.h"
#include "vtrVecLibGeneric.h"

#include <immintrin.h>

#include <cmath>
#include <cstdint>
#include <new>

namespace
{
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kMinusOneOverTwoPi = -0.15915494f;
constexpr float kFindMaxStart = -1e37f;
constexpr float kFindMinStart = 1e37f;

VTR_AVX2_FMA inline float horizontalSum(__m256 v)
{
    __m128 s = _mm_add_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
    s = _mm_add_ps(s, _mm_movehl_ps(s, s));
    s = _mm_add_ss(s, _mm_movehdup_ps(s));
    return _mm_cvtss_f32(s);
}

VTR_AVX2_FMA inline float horizontalMax(__m256 v)
{
    __m128 s = _mm_max_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
    s = _mm_max_ps(s, _mm_movehl_ps(s, s));
    s = _mm_max_ss(s, _mm_movehdup_ps(s));
    return _mm_cvtss_f32(s);
}

VTR_AVX2_FMA inline float horizontalMin(__m256 v)
{
    __m128 s = _mm_min_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
    s = _mm_min_ps(s, _mm_movehl_ps(s, s));
    s = _mm_min_ss(s, _mm_movehdup_ps(s));
    return _mm_cvtss_f32(s);
}

VTR_AVX2_FMA float sum(const float* pfSrc, int n)
{
    __m256 a0 = _mm256_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
    int i = 0;
    for (; i + 32 <= n; i += 32)
    {
        a0 = _mm256_add_ps(a0, _mm256_loadu_ps(pfSrc + i));
        a1 = _mm256_add_ps(a1, _mm256_loadu_ps(pfSrc + i + 8));
        a2 = _mm256_add_ps(a2, _mm256_loadu_ps(pfSrc + i + 16));
        a3 = _mm256_add_ps(a3, _mm256_loadu_ps(pfSrc + i + 24));
    }
    for (; i + 8 <= n; i += 8)
        a0 = _mm256_add_ps(a0, _mm256_loadu_ps(pfSrc + i));
    float fSum = horizontalSum(_mm256_add_ps(_mm256_add_ps(a0, a1), _mm256_add_ps(a2, a3)));
    for (; i < n; ++i)
        fSum += pfSrc[i];
    return fSum;
}

/// Sum of (x - fOffset)^2.
VTR_AVX2_FMA float sumOfSquares(const float* pfSrc, float fOffset, int n)
{
    const __m256 vOffset = _mm256_set1_ps(fOffset);
    __m256 a0 = _mm256_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
    int i = 0;
    for (; i + 32 <= n; i += 32)
    {
        const __m256 d0 = _mm256_sub_ps(_mm256_loadu_ps(pfSrc + i), vOffset);
        const __m256 d1 = _mm256_sub_ps(_mm256_loadu_ps(pfSrc + i + 8), vOffset);
        const __m256 d2 = _mm256_sub_ps(_mm256_loadu_ps(pfSrc + i + 16), vOffset);
        const __m256 d3 = _mm256_sub_ps(_mm256_loadu_ps(pfSrc + i + 24), vOffset);
        a0 = _mm256_fmadd_ps(d0, d0, a0);
        a1 = _mm256_fmadd_ps(d1, d1, a1);
        a2 = _mm256_fmadd_ps(d2, d2, a2);
        a3 = _mm256_fmadd_ps(d3, d3, a3);
    }
    for (; i + 8 <= n; i += 8)
    {
        const __m256 d = _mm256_sub_ps(_mm256_loadu_ps(pfSrc + i), vOffset);
        a0 = _mm256_fmadd_ps(d, d, a0);
    }
    float fSum = horizontalSum(_mm256_add_ps(_mm256_add_ps(a0, a1), _mm256_add_ps(a2, a3)));
    for (; i < n; ++i)
        fSum += (pfSrc[i] - fOffset) * (pfSrc[i] - fOffset);
    return fSum;
}

/// Index of the first element equal to fValue (which must occur).
VTR_AVX2_FMA int firstIndexOf(const float* pfSrc, float fValue, int n)
{
    const __m256 vValue = _mm256_set1_ps(fValue);
    int i = 0;
    for (; i + 8 <= n; i += 8)
    {
        const int iMask = _mm256_movemask_ps(_mm256_cmp_ps(_mm256_loadu_ps(pfSrc + i), vValue, _CMP_EQ_OQ));
        if (iMask != 0)
            return i + __builtin_ctz(static_cast<unsigned>(iMask));
    }
    for (; i < n; ++i)
        if (pfSrc[i] == fValue)
            return i;
    return 0;
}
}

bool vtrAccelerateSupported()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

float* vtrfMalloc_Accelerate(int iNumOfElements)
{
    if (iNumOfElements < 0)
        throw std::bad_alloc();
    const uint64_t iBytes = static_cast<uint64_t>(iNumOfElements) * sizeof(float);
    return static_cast<float*>(vtrAllocator::malloc(iBytes, vtrAlloc::kAlign16));
}

VTR_AVX2_FMA void vtrfRealCalcMean_Accelerate(const float* pfSrc, float* pfResult, int iNumOfElements)
{
    *pfResult = iNumOfElements > 0 ? sum(pfSrc, iNumOfElements) / static_cast<float>(iNumOfElements) : NAN;
}

VTR_AVX2_FMA void vtrfRealCalcRMS_Accelerate(const float* pfSrc, float* pfResult, int iNumOfElements)
{
    *pfResult = iNumOfElements > 0 ? std::sqrt(sumOfSquares(pfSrc, 0.f, iNumOfElements) / static_cast<float>(iNumOfElements)) : NAN;
}

VTR_AVX2_FMA void vtrfRealCalcStd_Accelerate(const float* pfSrc, float* pfResult, int iNumOfElements)
{
    if (iNumOfElements <= 0)
    {
        *pfResult = 0.f;
        return;
    }
    const float fMean = sum(pfSrc, iNumOfElements) / static_cast<float>(iNumOfElements);
    *pfResult = std::sqrt(sumOfSquares(pfSrc, fMean, iNumOfElements) / static_cast<float>(iNumOfElements - 1));
}

// The maximum first (a vector max keeps its accumulator when the new value is NaN, as
// the portable strict comparison skips NaN), then the first index holding it, which is
// the one the portable scan ends on.
VTR_AVX2_FMA void vtrfRealFindMax_Accelerate(const float* pfSrc, float* pfMax, int* piIdx, int iNumOfElements)
{
    __m256 vMax = _mm256_set1_ps(kFindMaxStart);
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
        vMax = _mm256_max_ps(_mm256_loadu_ps(pfSrc + i), vMax);
    float fMax = horizontalMax(vMax);
    for (; i < iNumOfElements; ++i)
        if (pfSrc[i] > fMax)
            fMax = pfSrc[i];
    if (!(fMax > kFindMaxStart))
    {
        *pfMax = kFindMaxStart;
        *piIdx = 0;
        return;
    }
    const int iIdx = firstIndexOf(pfSrc, fMax, iNumOfElements);
    *pfMax = pfSrc[iIdx];
    *piIdx = iIdx;
}

VTR_AVX2_FMA void vtrfRealFindMin_Accelerate(const float* pfSrc, float* pfMin, int* piIdx, int iNumOfElements)
{
    __m256 vMin = _mm256_set1_ps(kFindMinStart);
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
        vMin = _mm256_min_ps(_mm256_loadu_ps(pfSrc + i), vMin);
    float fMin = horizontalMin(vMin);
    for (; i < iNumOfElements; ++i)
        if (pfSrc[i] < fMin)
            fMin = pfSrc[i];
    if (!(fMin < kFindMinStart))
    {
        *pfMin = kFindMinStart;
        *piIdx = 0;
        return;
    }
    const int iIdx = firstIndexOf(pfSrc, fMin, iNumOfElements);
    *pfMin = pfSrc[iIdx];
    *piIdx = iIdx;
}

// Element-wise operations: the same single operation per element as the portable loop,
// so the results are identical.
#define VTR_BINARY_ACCELERATE(NAME, VECTOR_EXPR, SCALAR_EXPR)                              \
    VTR_AVX2_FMA void NAME(float* pfSrcDest, const float* pfSrc, int iNumOfElements)       \
    {                                                                                      \
        int i = 0;                                                                         \
        for (; i + 8 <= iNumOfElements; i += 8)                                            \
        {                                                                                  \
            const __m256 a = _mm256_loadu_ps(pfSrcDest + i), b = _mm256_loadu_ps(pfSrc + i); \
            _mm256_storeu_ps(pfSrcDest + i, VECTOR_EXPR);                                  \
        }                                                                                  \
        for (; i < iNumOfElements; ++i)                                                    \
        {                                                                                  \
            const float a = pfSrcDest[i], b = pfSrc[i];                                    \
            pfSrcDest[i] = SCALAR_EXPR;                                                    \
        }                                                                                  \
    }

VTR_BINARY_ACCELERATE(vtrfRealMaxVec_Accelerate, _mm256_max_ps(a, b), a > b ? a : b)
VTR_BINARY_ACCELERATE(vtrfRealAdd_I_Accelerate, _mm256_add_ps(a, b), a + b)
VTR_BINARY_ACCELERATE(vtrfRealSub_I_Accelerate, _mm256_sub_ps(a, b), a - b)
VTR_BINARY_ACCELERATE(vtrfRealMul_I_Accelerate, _mm256_mul_ps(a, b), a * b)
VTR_BINARY_ACCELERATE(vtrfRealDiv_I_Accelerate, _mm256_div_ps(a, b), a / b)
#undef VTR_BINARY_ACCELERATE

VTR_AVX2_FMA void vtrfRealMulC_I_Accelerate(float* pfSrcDest, float fConst, int iNumOfElements)
{
    const __m256 c = _mm256_set1_ps(fConst);
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
        _mm256_storeu_ps(pfSrcDest + i, _mm256_mul_ps(_mm256_loadu_ps(pfSrcDest + i), c));
    for (; i < iNumOfElements; ++i)
        pfSrcDest[i] *= fConst;
}

// Multiply and add rounded separately, as the portable loop does.
VTR_AVX2_FMA void vtrfRealMac_I_Accelerate(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfElements)
{
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
    {
        const __m256 p = _mm256_mul_ps(_mm256_loadu_ps(pfSrc1 + i), _mm256_loadu_ps(pfSrc2 + i));
        _mm256_storeu_ps(pfAcc + i, _mm256_add_ps(_mm256_loadu_ps(pfAcc + i), p));
    }
    for (; i < iNumOfElements; ++i)
        pfAcc[i] += pfSrc1[i] * pfSrc2[i];
}

VTR_AVX2_FMA void vtrfRealAbs_I_Accelerate(float* pfSrcDest, int iNumOfElements)
{
    const __m256 vSign = _mm256_set1_ps(-0.f);
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
        _mm256_storeu_ps(pfSrcDest + i, _mm256_andnot_ps(vSign, _mm256_loadu_ps(pfSrcDest + i)));
    for (; i < iNumOfElements; ++i)
        pfSrcDest[i] = std::fabs(pfSrcDest[i]);
}

VTR_AVX2_FMA void vtrfRealSqrt_I_Accelerate(float* pfSrcDest, int iNumOfElements)
{
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
        _mm256_storeu_ps(pfSrcDest + i, _mm256_sqrt_ps(_mm256_loadu_ps(pfSrcDest + i)));
    for (; i < iNumOfElements; ++i)
        pfSrcDest[i] = std::sqrt(pfSrcDest[i]);
}

VTR_AVX2_FMA void vtrfRealLThresh_I_Accelerate(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements)
{
    const __m256 t = _mm256_set1_ps(fThresh), r = _mm256_set1_ps(fReplace);
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
    {
        const __m256 a = _mm256_loadu_ps(pfSrcDest + i);
        _mm256_storeu_ps(pfSrcDest + i, _mm256_blendv_ps(a, r, _mm256_cmp_ps(a, t, _CMP_LT_OQ)));
    }
    for (; i < iNumOfElements; ++i)
        if (pfSrcDest[i] < fThresh)
            pfSrcDest[i] = fReplace;
}

VTR_AVX2_FMA void vtrfRealHThresh_I_Accelerate(float* pfSrcDest, float fThresh, float fReplace, int iNumOfElements)
{
    const __m256 t = _mm256_set1_ps(fThresh), r = _mm256_set1_ps(fReplace);
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
    {
        const __m256 a = _mm256_loadu_ps(pfSrcDest + i);
        _mm256_storeu_ps(pfSrcDest + i, _mm256_blendv_ps(a, r, _mm256_cmp_ps(a, t, _CMP_GT_OQ)));
    }
    for (; i < iNumOfElements; ++i)
        if (pfSrcDest[i] > fThresh)
            pfSrcDest[i] = fReplace;
}

VTR_AVX2_FMA void vtrfRealDotProduct_Accelerate(const float* pfSrc1, const float* pfSrc2, float* pfResult, int iNumOfElements)
{
    __m256 a0 = _mm256_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
    int i = 0;
    for (; i + 32 <= iNumOfElements; i += 32)
    {
        a0 = _mm256_fmadd_ps(_mm256_loadu_ps(pfSrc1 + i), _mm256_loadu_ps(pfSrc2 + i), a0);
        a1 = _mm256_fmadd_ps(_mm256_loadu_ps(pfSrc1 + i + 8), _mm256_loadu_ps(pfSrc2 + i + 8), a1);
        a2 = _mm256_fmadd_ps(_mm256_loadu_ps(pfSrc1 + i + 16), _mm256_loadu_ps(pfSrc2 + i + 16), a2);
        a3 = _mm256_fmadd_ps(_mm256_loadu_ps(pfSrc1 + i + 24), _mm256_loadu_ps(pfSrc2 + i + 24), a3);
    }
    for (; i + 8 <= iNumOfElements; i += 8)
        a0 = _mm256_fmadd_ps(_mm256_loadu_ps(pfSrc1 + i), _mm256_loadu_ps(pfSrc2 + i), a0);
    float fSum = horizontalSum(_mm256_add_ps(_mm256_add_ps(a0, a1), _mm256_add_ps(a2, a3)));
    for (; i < iNumOfElements; ++i)
        fSum = std::fma(pfSrc1[i], pfSrc2[i], fSum);
    *pfResult = fSum;
}

VTR_AVX2_FMA void vtrfCompAdd_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfBins)
{
    vtrfRealAdd_I_Accelerate(pfSrcDest, pfSrc, 2 * iNumOfBins);
}

namespace
{
/// Complex products of four interleaved bins, (ar·br − ai·bi, ar·bi + ai·br), with the
/// portable rounding (no fused operations).
VTR_AVX2_FMA inline __m256 complexProduct(__m256 a, __m256 b)
{
    const __m256 t1 = _mm256_mul_ps(a, _mm256_moveldup_ps(b));
    const __m256 t2 = _mm256_mul_ps(_mm256_permute_ps(a, 0xB1), _mm256_movehdup_ps(b));
    return _mm256_addsub_ps(t1, t2);
}

/// The same for the one bin in the low half (the tails stay out of the compiler's own
/// vectoriser, whose product differed in the last bit).
VTR_AVX2_FMA inline __m128 complexProduct(__m128 a, __m128 b)
{
    const __m128 t1 = _mm_mul_ps(a, _mm_moveldup_ps(b));
    const __m128 t2 = _mm_mul_ps(_mm_permute_ps(a, 0xB1), _mm_movehdup_ps(b));
    return _mm_addsub_ps(t1, t2);
}

VTR_AVX2_FMA inline __m128 loadBin(const float* pf)
{
    return _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(pf)));
}

VTR_AVX2_FMA inline void storeBin(float* pf, __m128 v)
{
    _mm_store_sd(reinterpret_cast<double*>(pf), _mm_castps_pd(v));
}
}

// Bin 0 holds two reals; the vector loop runs over it and its values are set afterwards.
VTR_AVX2_FMA void vtrfCompMul_I_Accelerate(float* pfSrcDest, const float* pfSrc, int iNumOfBins)
{
    if (iNumOfBins <= 0)
        return;
    const float fDC = pfSrcDest[0] * pfSrc[0];
    const float fNyquist = pfSrcDest[1] * pfSrc[1];
    const int n = 2 * iNumOfBins;
    int i = 0;
    for (; i + 8 <= n; i += 8)
        _mm256_storeu_ps(pfSrcDest + i, complexProduct(_mm256_loadu_ps(pfSrcDest + i), _mm256_loadu_ps(pfSrc + i)));
    for (; i < n; i += 2)
        storeBin(pfSrcDest + i, complexProduct(loadBin(pfSrcDest + i), loadBin(pfSrc + i)));
    pfSrcDest[0] = fDC;
    pfSrcDest[1] = fNyquist;
}

VTR_AVX2_FMA void vtrfCompMac_I_Accelerate(float* pfAcc, const float* pfSrc1, const float* pfSrc2, int iNumOfBins)
{
    if (iNumOfBins <= 0)
        return;
    const float fDC = pfAcc[0] + pfSrc1[0] * pfSrc2[0];
    const float fNyquist = pfAcc[1] + pfSrc1[1] * pfSrc2[1];
    const int n = 2 * iNumOfBins;
    int i = 0;
    for (; i + 8 <= n; i += 8)
    {
        const __m256 p = complexProduct(_mm256_loadu_ps(pfSrc1 + i), _mm256_loadu_ps(pfSrc2 + i));
        _mm256_storeu_ps(pfAcc + i, _mm256_add_ps(_mm256_loadu_ps(pfAcc + i), p));
    }
    for (; i < n; i += 2)
        storeBin(pfAcc + i, _mm_add_ps(loadBin(pfAcc + i), complexProduct(loadBin(pfSrc1 + i), loadBin(pfSrc2 + i))));
    pfAcc[0] = fDC;
    pfAcc[1] = fNyquist;
}

// Runs in place as well: bins k..k+7 are written below the floats 2k..2k+15 just read.
VTR_AVX2_FMA void vtrfCompAbs_Accelerate(float* pfDest, const float* pfPacked, int iNumOfBins)
{
    if (iNumOfBins <= 0)
        return;
    const float fDC = std::fabs(pfPacked[0]);
    int k = 0;
    for (; k + 8 <= iNumOfBins; k += 8)
    {
        const __m256 v0 = _mm256_loadu_ps(pfPacked + 2 * k);
        const __m256 v1 = _mm256_loadu_ps(pfPacked + 2 * k + 8);
        // Lanes in the order 0 1 4 5 2 3 6 7; restored after the magnitudes.
        const __m256 re = _mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(2, 0, 2, 0));
        const __m256 im = _mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 1, 3, 1));
        const __m256 mag = _mm256_sqrt_ps(_mm256_add_ps(_mm256_mul_ps(re, re), _mm256_mul_ps(im, im)));
        _mm256_storeu_ps(pfDest + k, _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(mag), _MM_SHUFFLE(3, 1, 2, 0))));
    }
    for (; k < iNumOfBins; ++k)
    {
        const float fRe = pfPacked[2 * k], fIm = pfPacked[2 * k + 1];
        pfDest[k] = std::sqrt(fRe * fRe + fIm * fIm);
    }
    pfDest[0] = fDC;
}

VTR_AVX2_FMA void vtrfCompConj_I_Accelerate(float* pfPacked, int iNumOfFloats)
{
    const int iHalf = iNumOfFloats / 2;
    if (iHalf < 2)
        return;
    // Flips every odd float, then restores the Nyquist value in slot 1.
    const float fNyquist = pfPacked[1];
    const __m256 vOddSigns = _mm256_setr_ps(0.f, -0.f, 0.f, -0.f, 0.f, -0.f, 0.f, -0.f);
    const int n = 2 * iHalf;
    int i = 0;
    for (; i + 8 <= n; i += 8)
        _mm256_storeu_ps(pfPacked + i, _mm256_xor_ps(_mm256_loadu_ps(pfPacked + i), vOddSigns));
    for (; i < n; i += 2)
        pfPacked[i + 1] = -pfPacked[i + 1];
    pfPacked[1] = fNyquist;
}

VTR_AVX2_FMA void vtrfPrincArg_Accelerate(float* pfDest, const float* pfSrc, int iNumOfElements)
{
    const __m256 vPi = _mm256_set1_ps(kPi), vTwoPi = _mm256_set1_ps(kTwoPi), vScale = _mm256_set1_ps(kMinusOneOverTwoPi);
    int i = 0;
    for (; i + 8 <= iNumOfElements; i += 8)
    {
        const __m256 b = _mm256_add_ps(_mm256_loadu_ps(pfSrc + i), vPi);
        const __m256 f = _mm256_floor_ps(_mm256_mul_ps(b, vScale));
        _mm256_storeu_ps(pfDest + i, _mm256_add_ps(_mm256_add_ps(b, _mm256_mul_ps(vTwoPi, f)), vPi));
    }
    for (; i < iNumOfElements; ++i)
    {
        const float fShifted = pfSrc[i] + kPi;
        pfDest[i] = fShifted + kTwoPi * std::floor(fShifted * kMinusOneOverTwoPi) + kPi;
    }
}

int dispatchToAccelerate()
{
    vtrfMalloc = vtrfMalloc_Accelerate;
    vtrfRealCalcStd = vtrfRealCalcStd_Accelerate;
    vtrfRealCalcMean = vtrfRealCalcMean_Accelerate;
    vtrfRealCalcRMS = vtrfRealCalcRMS_Accelerate;
    vtrfRealFindMax = vtrfRealFindMax_Accelerate;
    vtrfRealFindMin = vtrfRealFindMin_Accelerate;
    vtrfRealMaxVec = vtrfRealMaxVec_Accelerate;
    vtrfRealAdd_I = vtrfRealAdd_I_Accelerate;
    vtrfRealSub_I = vtrfRealSub_I_Accelerate;
    vtrfRealMul_I = vtrfRealMul_I_Accelerate;
    vtrfRealMulC_I = vtrfRealMulC_I_Accelerate;
    vtrfRealDiv_I = vtrfRealDiv_I_Accelerate;
    vtrfRealMac_I = vtrfRealMac_I_Accelerate;
    vtrfRealAbs_I = vtrfRealAbs_I_Accelerate;
    vtrfRealSqrt_I = vtrfRealSqrt_I_Accelerate;
    vtrfRealLThresh_I = vtrfRealLThresh_I_Accelerate;
    vtrfRealHThresh_I = vtrfRealHThresh_I_Accelerate;
    vtrfRealDotProduct = vtrfRealDotProduct_Accelerate;
    vtrfCompAdd_I = vtrfCompAdd_I_Accelerate;
    vtrfCompMul_I = vtrfCompMul_I_Accelerate;
    vtrfCompMac_I = vtrfCompMac_I_Accelerate;
    vtrfCompAbs = vtrfCompAbs_Accelerate;
    vtrfCompConj_I = vtrfCompConj_I_Accelerate;
    vtrfPrincArg = vtrfPrincArg_Accelerate;
    vtrfFFTCreateInstance = vtrfFFTCreateInstance_Accelerate;
    vtrfFFTDestroyInstance = vtrfFFTDestroyInstance_Accelerate;
    vsqrt_I_MAC = vtrfRealSqrt_I_Accelerate;
    // Exp, Ln, SinCos and CompPhase stay portable (vector versions would not keep their
    // results), as do AddC_I, SetZero, Free and the split/merge copies.
    return kUsedCPUExtensionAccelerate;
}

#endif
