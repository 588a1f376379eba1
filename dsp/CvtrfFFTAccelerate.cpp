#include "CvtrfFFTAccelerate.h"

#ifdef VTR_HAVE_ACCELERATE

#include <immintrin.h>

#include <cmath>
#include <utility>

namespace
{
constexpr int kMaxFFTLength = 1 << 30;
constexpr double kTwoPi = 6.283185307179586476925;

bool isPowerOfTwo(int iValue)
{
    return iValue >= 1 && (iValue & (iValue - 1)) == 0;
}

/// Restores lane order 0..7 after a 128-bit-lane shuffle left it as 0 1 4 5 2 3 6 7.
VTR_AVX2_FMA inline __m256 fixLaneOrder(__m256 v)
{
    return _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(v), _MM_SHUFFLE(3, 1, 2, 0)));
}

VTR_AVX2_FMA inline __m256 reverse(__m256 v)
{
    return _mm256_permutevar8x32_ps(v, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
}

/// Stores a and b interleaved element by element into 16 floats.
VTR_AVX2_FMA inline void storeInterleaved(float* pfDest, __m256 a, __m256 b)
{
    const __m256 lo = _mm256_unpacklo_ps(a, b), hi = _mm256_unpackhi_ps(a, b);
    _mm256_storeu_ps(pfDest, _mm256_permute2f128_ps(lo, hi, 0x20));
    _mm256_storeu_ps(pfDest + 8, _mm256_permute2f128_ps(lo, hi, 0x31));
}

/// Splits 16 interleaved floats into the even and the odd ones.
VTR_AVX2_FMA inline void loadDeinterleaved(const float* pfSrc, __m256& even, __m256& odd)
{
    const __m256 v0 = _mm256_loadu_ps(pfSrc), v1 = _mm256_loadu_ps(pfSrc + 8);
    even = fixLaneOrder(_mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(2, 0, 2, 0)));
    odd = fixLaneOrder(_mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 1, 3, 1)));
}

/// Stores sums and differences into 16 floats, alternating in runs of iStride (1, 2, 4).
VTR_AVX2_FMA inline void storeAlternating(float* pfDest, __m256 s, __m256 d, int iStride)
{
    if (iStride == 1)
    {
        storeInterleaved(pfDest, s, d);
        return;
    }
    __m256 lo = s, hi = d;
    if (iStride == 2)
    {
        lo = _mm256_castpd_ps(_mm256_unpacklo_pd(_mm256_castps_pd(s), _mm256_castps_pd(d)));
        hi = _mm256_castpd_ps(_mm256_unpackhi_pd(_mm256_castps_pd(s), _mm256_castps_pd(d)));
    }
    _mm256_storeu_ps(pfDest, _mm256_permute2f128_ps(lo, hi, 0x20));
    _mm256_storeu_ps(pfDest + 8, _mm256_permute2f128_ps(lo, hi, 0x31));
}
}

CvtrfFFTAccelerate::CvtrfFFTAccelerate(int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow)
    : CvtrfFFT_If(iBlockLength, iZeroPadFactor, eWindow), m_iHalfLength(m_iFFTLength / 2)
{
    try
    {
        const int N = m_iHalfLength;
        for (float** ppf : {&m_pfRe, &m_pfIm, &m_pfRe2, &m_pfIm2, &m_pfRealCos, &m_pfRealSin})
            *ppf = vtrfMalloc(N);
        for (float** ppf : {&m_pfTwiddleCos, &m_pfTwiddleSin, &m_pfTwiddleCos2, &m_pfTwiddleSin2, &m_pfTwiddleCos4, &m_pfTwiddleSin4})
            *ppf = vtrfMalloc(N / 2);
        BuildFFTTables();
    }
    catch (...)
    {
        releaseBuffers();
        throw;
    }
}

CvtrfFFTAccelerate::~CvtrfFFTAccelerate()
{
    releaseBuffers();
}

void CvtrfFFTAccelerate::releaseBuffers()
{
    for (float** ppf : {&m_pfRe, &m_pfIm, &m_pfRe2, &m_pfIm2, &m_pfRealCos, &m_pfRealSin, &m_pfTwiddleCos, &m_pfTwiddleSin,
                        &m_pfTwiddleCos2, &m_pfTwiddleSin2, &m_pfTwiddleCos4, &m_pfTwiddleSin4})
        vtrfFree(*ppf);
}

// Double-precision angles, rounded once to float.
int CvtrfFFTAccelerate::BuildFFTTables()
{
    const int N = m_iHalfLength;
    for (int j = 0; j < N / 2; ++j)
    {
        const double dAngle = kTwoPi * static_cast<double>(j) / static_cast<double>(N);
        m_pfTwiddleCos[j] = static_cast<float>(std::cos(dAngle));
        m_pfTwiddleSin[j] = static_cast<float>(std::sin(dAngle));
    }
    for (int j = 0; j < N / 2; ++j)
    {
        m_pfTwiddleCos2[j] = m_pfTwiddleCos[j & ~1];
        m_pfTwiddleSin2[j] = m_pfTwiddleSin[j & ~1];
        m_pfTwiddleCos4[j] = m_pfTwiddleCos[j & ~3];
        m_pfTwiddleSin4[j] = m_pfTwiddleSin[j & ~3];
    }
    for (int k = 0; k < N; ++k)
    {
        const double dAngle = kTwoPi * static_cast<double>(k) / static_cast<double>(m_iFFTLength);
        m_pfRealCos[k] = static_cast<float>(std::cos(dAngle));
        m_pfRealSin[k] = static_cast<float>(std::sin(dAngle));
    }
    return 0;
}

// One radix-2 decimation-in-frequency Stockham stage: with t = q + s·p (q < s), inputs
// t and t + N/2, outputs q + 2sp (sum) and q + 2sp + s (difference times W^{sp}).
void CvtrfFFTAccelerate::stageScalar(int iStride, const float* pfXRe, const float* pfXIm, float* pfYRe, float* pfYIm) const
{
    const int iHalf = m_iHalfLength / 2;
    for (int t = 0; t < iHalf; ++t)
    {
        const int q = t % iStride, p = t / iStride;
        const float fAr = pfXRe[t], fAi = pfXIm[t], fBr = pfXRe[t + iHalf], fBi = pfXIm[t + iHalf];
        const float fDr = fAr - fBr, fDi = fAi - fBi;
        const float c = m_pfTwiddleCos[p * iStride], s = m_pfTwiddleSin[p * iStride];
        const int iOut = q + 2 * iStride * p;
        pfYRe[iOut] = fAr + fBr;
        pfYIm[iOut] = fAi + fBi;
        pfYRe[iOut + iStride] = fDr * c - fDi * s;
        pfYIm[iOut + iStride] = fDr * s + fDi * c;
    }
}

VTR_AVX2_FMA void CvtrfFFTAccelerate::stage(int iStride, const float* pfXRe, const float* pfXIm, float* pfYRe, float* pfYIm) const
{
    const int iHalf = m_iHalfLength / 2;
    if (iHalf < 8)
    {
        stageScalar(iStride, pfXRe, pfXIm, pfYRe, pfYIm);
        return;
    }
    const float* pfCos = iStride == 1 ? m_pfTwiddleCos : iStride == 2 ? m_pfTwiddleCos2 : m_pfTwiddleCos4;
    const float* pfSin = iStride == 1 ? m_pfTwiddleSin : iStride == 2 ? m_pfTwiddleSin2 : m_pfTwiddleSin4;
    for (int t = 0; t < iHalf; t += 8)
    {
        const __m256 ar = _mm256_loadu_ps(pfXRe + t), ai = _mm256_loadu_ps(pfXIm + t);
        const __m256 br = _mm256_loadu_ps(pfXRe + t + iHalf), bi = _mm256_loadu_ps(pfXIm + t + iHalf);
        const __m256 sr = _mm256_add_ps(ar, br), si = _mm256_add_ps(ai, bi);
        const __m256 dr = _mm256_sub_ps(ar, br), di = _mm256_sub_ps(ai, bi);
        if (iStride >= 8)
        {
            const int q = t & (iStride - 1);
            const __m256 c = _mm256_broadcast_ss(m_pfTwiddleCos + (t - q));
            const __m256 s = _mm256_broadcast_ss(m_pfTwiddleSin + (t - q));
            const int iOut = q + 2 * (t - q);
            _mm256_storeu_ps(pfYRe + iOut, sr);
            _mm256_storeu_ps(pfYIm + iOut, si);
            _mm256_storeu_ps(pfYRe + iOut + iStride, _mm256_fmsub_ps(dr, c, _mm256_mul_ps(di, s)));
            _mm256_storeu_ps(pfYIm + iOut + iStride, _mm256_fmadd_ps(dr, s, _mm256_mul_ps(di, c)));
        }
        else
        {
            const __m256 c = _mm256_loadu_ps(pfCos + t), s = _mm256_loadu_ps(pfSin + t);
            storeAlternating(pfYRe + 2 * t, sr, _mm256_fmsub_ps(dr, c, _mm256_mul_ps(di, s)), iStride);
            storeAlternating(pfYIm + 2 * t, si, _mm256_fmadd_ps(dr, s, _mm256_mul_ps(di, c)), iStride);
        }
    }
}

void CvtrfFFTAccelerate::transformComplex(float*& pfRe, float*& pfIm)
{
    float* pfXRe = m_pfRe;
    float* pfXIm = m_pfIm;
    float* pfYRe = m_pfRe2;
    float* pfYIm = m_pfIm2;
    for (int iStride = 1; iStride < m_iHalfLength; iStride *= 2)
    {
        stage(iStride, pfXRe, pfXIm, pfYRe, pfYIm);
        std::swap(pfXRe, pfYRe);
        std::swap(pfXIm, pfYIm);
    }
    pfRe = pfXRe;
    pfIm = pfXIm;
}

// With Z the transform of z[j] = x[2j] + i·x[2j+1]: E = (Z[k] + conj Z[N−k]) / 2 and
// O = (Z[k] − conj Z[N−k]) / 2i are the transforms of the even and the odd samples,
// and X[k] = E + e^{i2πk/n}·O.
VTR_AVX2_FMA void CvtrfFFTAccelerate::splitRealSpectrum(float* pfOutput, const float* pfZRe, const float* pfZIm) const
{
    const int N = m_iHalfLength;
    pfOutput[0] = pfZRe[0] + pfZIm[0];
    pfOutput[1] = pfZRe[0] - pfZIm[0];
    const __m256 vHalf = _mm256_set1_ps(0.5f);
    int k = 1;
    for (; k + 8 <= N; k += 8)
    {
        const __m256 zr = _mm256_loadu_ps(pfZRe + k), zi = _mm256_loadu_ps(pfZIm + k);
        const __m256 zrMirror = reverse(_mm256_loadu_ps(pfZRe + N - k - 7));
        const __m256 ziMirror = reverse(_mm256_loadu_ps(pfZIm + N - k - 7));
        const __m256 ar = _mm256_add_ps(zr, zrMirror), ai = _mm256_sub_ps(zi, ziMirror);
        const __m256 br = _mm256_sub_ps(zr, zrMirror), bi = _mm256_add_ps(zi, ziMirror);
        const __m256 c = _mm256_loadu_ps(m_pfRealCos + k), s = _mm256_loadu_ps(m_pfRealSin + k);
        const __m256 xr = _mm256_mul_ps(vHalf, _mm256_fmadd_ps(s, br, _mm256_fmadd_ps(c, bi, ar)));
        const __m256 xi = _mm256_mul_ps(vHalf, _mm256_fnmadd_ps(c, br, _mm256_fmadd_ps(s, bi, ai)));
        storeInterleaved(pfOutput + 2 * k, xr, xi);
    }
    for (; k < N; ++k)
    {
        const float ar = pfZRe[k] + pfZRe[N - k], ai = pfZIm[k] - pfZIm[N - k];
        const float br = pfZRe[k] - pfZRe[N - k], bi = pfZIm[k] + pfZIm[N - k];
        const float c = m_pfRealCos[k], s = m_pfRealSin[k];
        pfOutput[2 * k] = 0.5f * (ar + c * bi + s * br);
        pfOutput[2 * k + 1] = 0.5f * (ai + s * bi - c * br);
    }
}

VTR_AVX2_FMA int CvtrfFFTAccelerate::vtrfFFT(float* pfOutput, const float* pfInput)
{
    if (pfOutput == nullptr || pfInput == nullptr)
        return kInvalidFunctionArgumentError;
    prepareInput(pfOutput, pfInput);
    const int N = m_iHalfLength;
    int j = 0;
    for (; j + 8 <= N; j += 8)
    {
        __m256 even, odd;
        loadDeinterleaved(pfOutput + 2 * j, even, odd);
        _mm256_storeu_ps(m_pfRe + j, even);
        _mm256_storeu_ps(m_pfIm + j, odd);
    }
    for (; j < N; ++j)
    {
        m_pfRe[j] = pfOutput[2 * j];
        m_pfIm[j] = pfOutput[2 * j + 1];
    }
    float* pfRe = nullptr;
    float* pfIm = nullptr;
    transformComplex(pfRe, pfIm);
    splitRealSpectrum(pfOutput, pfRe, pfIm);
    return 0;
}

// The inverse of the separation above gives 2·Z; the inverse complex transform runs as
// the forward one on conjugated data. The result is n times the block, as the portable
// inverse gives.
int CvtrfFFTAccelerate::vtrfIFFT(float* pfOutput, const float* pfInput)
{
    if (pfOutput == nullptr || pfInput == nullptr)
        return kInvalidFunctionArgumentError;
    const int N = m_iHalfLength;
    const float fDC = pfInput[0], fNyquist = pfInput[1];
    m_pfRe[0] = fDC + fNyquist;
    m_pfIm[0] = -(fDC - fNyquist);
    for (int k = 1; k < N; ++k)
    {
        const float xr = pfInput[2 * k], xi = pfInput[2 * k + 1];
        const float yr = pfInput[2 * (N - k)], yi = -pfInput[2 * (N - k) + 1];
        const float pr = xr + yr, pi = xi + yi, qr = xr - yr, qi = xi - yi;
        const float c = m_pfRealCos[k], s = m_pfRealSin[k];
        const float orr = qr * c + qi * s, oi = qi * c - qr * s;
        m_pfRe[k] = pr - oi;
        m_pfIm[k] = -(pi + orr);
    }
    float* pfRe = nullptr;
    float* pfIm = nullptr;
    transformComplex(pfRe, pfIm);
    for (int j = 0; j < m_iBlockLength / 2; ++j)
    {
        pfOutput[2 * j] = pfRe[j];
        pfOutput[2 * j + 1] = -pfIm[j];
    }
    return 0;
}

int vtrfFFTCreateInstance_Accelerate(CvtrfFFT_If*& pCFFT, int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow)
{
    pCFFT = nullptr;
    if (iBlockLength < 4 || !isPowerOfTwo(iBlockLength) || !isPowerOfTwo(iZeroPadFactor))
        return CvtrfFFT_If::kInvalidFunctionArgumentError;
    if (iBlockLength > kMaxFFTLength / iZeroPadFactor)
        return CvtrfFFT_If::kInvalidFunctionArgumentError;
    pCFFT = new CvtrfFFTAccelerate(iBlockLength, iZeroPadFactor, eWindow);
    return 0;
}

int vtrfFFTDestroyInstance_Accelerate(CvtrfFFT_If*& pCFFT)
{
    if (dynamic_cast<CvtrfFFTAccelerate*>(pCFFT) == nullptr)
        return CvtrfFFT_If::kInvalidFunctionArgumentError;
    delete pCFFT;
    pCFFT = nullptr;
    return 0;
}

#endif
