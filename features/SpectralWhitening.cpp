#include "SpectralWhitening.h"

#include "vtrVecLib.h"
#include "vtrVecLibAccelerate.h"

#ifdef VTR_HAVE_ACCELERATE
#include <immintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
constexpr float kTwoPi = 6.2831855f;
constexpr float kSmallestNormal = std::numeric_limits<float>::min();

int computeHalfWindowLength(float fWidthInBins)
{
    return static_cast<int>(fWidthInBins * 0.5f + 0.5f);
}
}

SpectralWhitening::SpectralWhitening()
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
}

bool SpectralWhitening::init(int iNumBins, float fWindowWidthInOctaves, int iNumBinsPerSemitone)
{
    if (iNumBins <= 0 || iNumBinsPerSemitone <= 0 || !(fWindowWidthInOctaves > 0.f))
        return false;
    const float fWidthInBins = static_cast<float>(iNumBinsPerSemitone) * (fWindowWidthInOctaves * 12.f);
    // The window must fit into the spectrum; the first test also keeps an infinite
    // width away from the integer conversion.
    if (!(fWidthInBins * 0.5f + 0.5f < static_cast<float>(iNumBins)))
        return false;
    if (2 * computeHalfWindowLength(fWidthInBins) + 1 > iNumBins)
        return false;

    allocateAndInitWhiteningWindow(fWindowWidthInOctaves, iNumBinsPerSemitone);
    m_iNumBins = iNumBins;
    m_SlidingMean.allocate(iNumBins);
    m_SlidingStd.allocate(iNumBins);
    m_Scratch.allocate(iNumBins);
    return true;
}

void SpectralWhitening::allocateAndInitWhiteningWindow(float fWindowWidthInOctaves, int iNumBinsPerSemitone)
{
    const float fWidthInBins = static_cast<float>(iNumBinsPerSemitone) * (fWindowWidthInOctaves * 12.f);
    m_iHalfWindowLength = computeHalfWindowLength(fWidthInBins);
    m_iWindowLength = 2 * m_iHalfWindowLength + 1;
    m_Window.allocate(m_iWindowLength);
    m_fWindowSum = 0.f;
    for (int k = 0; k < m_iWindowLength; ++k)
    {
        m_Window[k] = computeHammingWindow(static_cast<float>(k - m_iHalfWindowLength), fWidthInBins);
        m_fWindowSum += m_Window[k];
    }
}

float SpectralWhitening::computeHammingWindow(float fX, float fWidth)
{
    return 0.54f + 0.46f * std::cos(fX * kTwoPi / fWidth);
}

void SpectralWhitening::computeSlidingWindowBoundaries(int iBin, int& iStart, int& iLength) const
{
    iStart = std::max(iBin - m_iHalfWindowLength, 0);
    iLength = std::min(iBin + m_iHalfWindowLength, m_iNumBins - 1) - iStart + 1;
}

void SpectralWhitening::computeSlidingMean(Vector<float>& output, const Vector<float>& input) const
{
    const int n = m_iNumBins;
    const int h = m_iHalfWindowLength;
    const float* pfIn = input.getPointer();
    const float* pfWindow = m_Window.getPointer();
    float* pfOut = output.getPointer();

    // The truncated windows at both edges stay centred on their bin.
    for (int i = 0; i < h; ++i)
        vtrfRealDotProduct(pfIn, pfWindow + (h - i), &pfOut[i], i + h + 1);
    if (vtrVecLibGetCPUType() != kUsedCPUExtensionAccelerate || !computeFullWindowMeansAccelerate(pfIn, pfOut))
        for (int i = h; i < n - h; ++i)
            vtrfRealDotProduct(pfIn + (i - h), pfWindow, &pfOut[i], m_iWindowLength);
    for (int i = n - h; i < n; ++i)
        vtrfRealDotProduct(pfIn + (i - h), pfWindow, &pfOut[i], n - (i - h));

    // Divided by the full window's sum at the edges too; fillEdges repairs them.
    vtrfRealMulC_I(pfOut, 1.f / m_fWindowSum, n);
}

#ifdef VTR_HAVE_ACCELERATE
VTR_AVX2_FMA bool SpectralWhitening::computeFullWindowMeansAccelerate(const float* pfIn, float* pfOut) const
{
    const int n = m_iNumBins;
    const int h = m_iHalfWindowLength;
    const float* pfWindow = m_Window.getPointer();
    int i = h;
    for (; i + 8 <= n - h; i += 8)
    {
        __m256 vSum = _mm256_setzero_ps();
        for (int k = 0; k < m_iWindowLength; ++k)
            vSum = _mm256_add_ps(vSum, _mm256_mul_ps(_mm256_loadu_ps(pfIn + (i - h + k)), _mm256_set1_ps(pfWindow[k])));
        _mm256_storeu_ps(pfOut + i, vSum);
    }
    for (; i < n - h; ++i)
    {
        float fSum = 0.f;
        for (int k = 0; k < m_iWindowLength; ++k)
            fSum += pfIn[i - h + k] * pfWindow[k];
        pfOut[i] = fSum;
    }
    return true;
}
#else
bool SpectralWhitening::computeFullWindowMeansAccelerate(const float*, float*) const
{
    return false;
}
#endif

void SpectralWhitening::computeSlidingStd(const Vector<float>& input)
{
    const int n = m_iNumBins;
    float* pfScratch = m_Scratch.getPointer();
    const float* pfIn = input.getPointer();
    const float* pfMean = m_SlidingMean.getPointer();
    for (int i = 0; i < n; ++i)
    {
        const float fDeviation = pfIn[i] - pfMean[i];
        pfScratch[i] = fDeviation * fDeviation;
    }
    computeSlidingMean(m_SlidingStd, m_Scratch);

    float* pfStd = m_SlidingStd.getPointer();
    vtrfRealLThresh_I(pfStd, kSmallestNormal, 0.f, n);
    vtrfRealSqrt_I(pfStd, n);
    // Keeps the later division finite.
    vtrfRealLThresh_I(pfStd, kSmallestNormal, kSmallestNormal, n);
}

void SpectralWhitening::computeSlidingMeanAndStd(const Vector<float>& input)
{
    computeSlidingMean(m_SlidingMean, input);
    computeSlidingStd(input);
    fillEdges();
}

void SpectralWhitening::fillEdges()
{
    const int n = m_iNumBins;
    const int h = m_iHalfWindowLength;
    for (int i = 0; i < h; ++i)
    {
        m_SlidingMean[i] = m_SlidingMean[h];
        m_SlidingStd[i] = m_SlidingStd[h];
        m_SlidingMean[n - 1 - i] = m_SlidingMean[n - h];
        m_SlidingStd[n - 1 - i] = m_SlidingStd[n - h];
    }
}

bool SpectralWhitening::process(Vector<float>& output, const Vector<float>& input, float fThreshold, bool bAlternative)
{
    if (m_iNumBins == 0 || input.size() < m_iNumBins)
        return false;
    computeSlidingMeanAndStd(input);
    return whiten(output, input, fThreshold, bAlternative);
}

bool SpectralWhitening::applyWhitening(Vector<float>& output, const Vector<float>& input, float fThreshold)
{
    return whiten(output, input, fThreshold, false);
}

bool SpectralWhitening::applyAlternativeWhitening(Vector<float>& output, const Vector<float>& input, float fThreshold)
{
    return whiten(output, input, fThreshold, true);
}

bool SpectralWhitening::whiten(Vector<float>& output, const Vector<float>& input, float fThreshold, bool bAlternative)
{
    if (m_iNumBins == 0 || input.size() < m_iNumBins)
        return false;
    const int n = std::min(output.size(), m_iNumBins);
    float* pfOut = output.getPointer();
    if (pfOut != input.getPointer())
        std::copy(input.getPointer(), input.getPointer() + n, pfOut);
    vtrfRealSub_I(pfOut, m_SlidingMean.getPointer(), n);
    if (bAlternative)
        vtrfRealSub_I(pfOut, m_SlidingStd.getPointer(), n);
    vtrfRealLThresh_I(pfOut, fThreshold, 0.f, n);
    vtrfRealDiv_I(pfOut, m_SlidingStd.getPointer(), n);
    return true;
}
