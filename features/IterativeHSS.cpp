#include "IterativeHSS.h"

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
constexpr float kLn2 = 0.6931472f;
constexpr float kLargestFloat = std::numeric_limits<float>::max();

float binsPerOctave(int iNumBinsPerSemitone)
{
    return 12.f * static_cast<float>(iNumBinsPerSemitone);
}

int roundedPartialOffset(int iPartialIndex, float fBinsPerOctave)
{
    return static_cast<int>(std::log(static_cast<float>(iPartialIndex + 1)) * fBinsPerOctave / kLn2 + 0.5f);
}
}

// ---- Config ------------------------------------------------------------------------

IterativeHSS::Config::Config(float fMinFrequency, int iNumBinsPerSemitone, int iNumBins)
    : m_fMinFrequency(fMinFrequency),
      m_iNumBinsPerSemitone(iNumBinsPerSemitone),
      m_iNumBins(iNumBins),
      m_fLowestFundamentalFrequency(0.f),
      m_fHighestFundamentalFrequency(kLargestFloat),
      m_fHighestPartialFrequency(kLargestFloat),
      m_iNumPartials(20),
      m_fStopThreshold(0.01f),
      m_iMaxIterations(30),
      m_pPartialWeightFunction(nullptr),
      m_pPartialReductionFunction(nullptr),
      m_iMinBin(0),
      m_iMaxFundamentalBin(0),
      m_iMaxPartialBin(0)
{
}

float IterativeHSS::Config::computeBinFreq(int iBin) const
{
    return m_fMinFrequency * std::pow(2.f, static_cast<float>(iBin) / binsPerOctave(m_iNumBinsPerSemitone));
}

float IterativeHSS::Config::freq2Index(float fFrequency) const
{
    if (fFrequency == 0.f)
        return -kLargestFloat;
    return std::log(fFrequency / m_fMinFrequency) * binsPerOctave(m_iNumBinsPerSemitone) / kLn2;
}

void IterativeHSS::Config::computeIndexRanges()
{
    // Clamped in float before the conversion, so huge frequencies stay defined.
    const float fLastBin = static_cast<float>(m_iNumBins - 1);
    m_iMinBin = static_cast<int>(std::ceil(std::min(std::max(freq2Index(m_fLowestFundamentalFrequency), 0.f), fLastBin + 1.f)));
    m_iMaxFundamentalBin = static_cast<int>(std::floor(std::max(std::min(freq2Index(m_fHighestFundamentalFrequency), fLastBin), -1.f)));
    m_iMaxPartialBin = static_cast<int>(std::floor(std::max(std::min(freq2Index(m_fHighestPartialFrequency), fLastBin), -1.f)));
}

float IterativeHSS::Config::uniformPartialWeights(int)
{
    return 1.f;
}

float IterativeHSS::Config::oneOverPartialIndex(int iPartialIndex)
{
    return 1.f / static_cast<float>(iPartialIndex + 1);
}

float IterativeHSS::Config::oneOverSquaredPartialIndex(int iPartialIndex)
{
    const float fHarmonic = static_cast<float>(iPartialIndex + 1);
    return 1.f / (fHarmonic * fHarmonic);
}

float IterativeHSS::Config::uniformReductionByHalf(int)
{
    return 0.5f;
}

float IterativeHSS::Config::oneOverSquaredPartialIndexReduction(int iPartialIndex)
{
    return 1.f - oneOverSquaredPartialIndex(iPartialIndex);
}

// ---- IterativeHSS ------------------------------------------------------------------

IterativeHSS::IterativeHSS() : m_Config(0.f, 0, 0)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
}

bool IterativeHSS::checkConfigParams(const Config& config)
{
    // Written as negated "valid" tests so that NaN fields count as invalid.
    if (!(config.m_fMinFrequency > 0.f) || config.m_iNumBinsPerSemitone <= 0 || config.m_iNumBins <= 0)
        return false;
    if (!(config.m_fLowestFundamentalFrequency >= 0.f))
        return false;
    if (!(config.m_fHighestFundamentalFrequency >= config.m_fLowestFundamentalFrequency))
        return false;
    if (!(config.m_fHighestPartialFrequency > 0.f) || !(config.m_fHighestPartialFrequency >= config.m_fHighestFundamentalFrequency))
        return false;
    return config.m_iNumPartials > 0 && config.m_fStopThreshold > 0.f && config.m_iMaxIterations > 0;
}

int IterativeHSS::init(const Config& config)
{
    if (!checkConfigParams(config))
        return kInvalidArgument;

    m_Config = config;
    m_Config.computeIndexRanges();
    if (m_Config.m_pPartialWeightFunction == nullptr)
        m_Config.m_pPartialWeightFunction = Config::oneOverPartialIndex;
    if (m_Config.m_pPartialReductionFunction == nullptr)
        m_Config.m_pPartialReductionFunction = Config::uniformReductionByHalf;

    const int n = m_Config.m_iNumBins;
    const int iNumPartials = m_Config.m_iNumPartials;
    m_Magnitudes.allocate(n);
    m_HarmonicSum.allocate(n);
    m_Result.allocate(n);

    m_PartialWeights.allocate(iNumPartials);
    m_PartialReductions.allocate(iNumPartials);
    for (int p = 0; p < iNumPartials; ++p)
    {
        m_PartialWeights[p] = std::max(0.f, m_Config.m_pPartialWeightFunction(p));
        m_PartialReductions[p] = std::max(0.f, m_Config.m_pPartialReductionFunction(p));
    }
    allocateAndComputePartialOffsets();
    computeNumPartialsPerBin();
    computeCandidatesPerPartial();
    return kNoError;
}

void IterativeHSS::allocateAndComputePartialOffsets()
{
    const float fB = binsPerOctave(m_Config.m_iNumBinsPerSemitone);
    m_PartialOffsets.allocate(m_Config.m_iNumPartials);
    for (int p = 0; p < m_Config.m_iNumPartials; ++p)
        m_PartialOffsets[p] = roundedPartialOffset(p, fB);
}

void IterativeHSS::computeNumPartialsPerBin()
{
    const float fB = binsPerOctave(m_Config.m_iNumBinsPerSemitone);
    const int iNumPartials = m_Config.m_iNumPartials;
    m_NumPartialsPerBin.allocate(m_Config.m_iNumBins);
    const int iLastCandidate = std::min(m_Config.m_iMaxFundamentalBin, m_Config.m_iMaxPartialBin);
    for (int k = m_Config.m_iMinBin; k <= iLastCandidate; ++k)
    {
        const int b = m_Config.m_iMaxPartialBin - k;
        const float d = std::pow(2.f, static_cast<float>(b) / fB) - 1.f;
        // Far below the top every partial fits; this also keeps d out of int range.
        if (d >= static_cast<float>(iNumPartials))
        {
            m_NumPartialsPerBin[k] = iNumPartials;
            continue;
        }
        int e = static_cast<int>(std::ceil(d));
        if (roundedPartialOffset(e, fB) != b)
            e = static_cast<int>(std::floor(d));
        int iCount = std::min(e + 1, iNumPartials);
        // Guards the bounds against rounding in the estimate above.
        while (iCount > 0 && k + m_PartialOffsets[iCount - 1] > m_Config.m_iMaxPartialBin)
            --iCount;
        m_NumPartialsPerBin[k] = iCount;
    }
}

void IterativeHSS::computeCandidatesPerPartial()
{
    const int iFirst = m_Config.m_iMinBin;
    const int n = m_Config.m_iNumBins;
    m_NumCandidatesOfPartial.allocate(m_Config.m_iNumPartials);
    for (int p = 0; p < m_Config.m_iNumPartials; ++p)
    {
        int k = iFirst;
        while (k < n && m_NumPartialsPerBin[k] > p)
            ++k;
        m_NumCandidatesOfPartial[p] = k - iFirst;
    }
}

int IterativeHSS::process(const Vector<float>& spectrum)
{
    const int n = m_Config.m_iNumBins;
    if (spectrum.size() == 0)
    {
        clearOutput();
        return kNoError;
    }
    if (n == 0 || spectrum.size() < n)
    {
        clearOutput();
        return kInvalidArgument;
    }

    const float* pfIn = spectrum.getPointer();
    float fEnergy = 0.f;
    for (int i = 0; i < n; ++i)
        fEnergy += pfIn[i];
    if (fEnergy == 0.f)
    {
        clearOutput();
        return kNoError;
    }

    m_Magnitudes.copyFrom(pfIn);
    m_Result.clear();
    const float fStopLevel = m_Config.m_fStopThreshold * fEnergy;
    // Also stops for a non-finite energy (NaN compares false).
    if (!(fEnergy > fStopLevel))
        return kNoError;

    for (int iIteration = 0; iIteration < m_Config.m_iMaxIterations; ++iIteration)
    {
        computeHSS();
        float fMax = 0.f;
        int iBest = 0;
        vtrfRealFindMax(m_HarmonicSum.getPointer(), &fMax, &iBest, n);
        const float fRemoved = reduceMagnitudes(iBest);
        m_Result[iBest] += fRemoved;
        fEnergy -= fRemoved;
        if (!(fEnergy > fStopLevel))
            break;
    }
    return kNoError;
}

void IterativeHSS::computeHSS()
{
    if (vtrVecLibGetCPUType() == kUsedCPUExtensionAccelerate && computeHSSAccelerate())
        return;
    float* pfSum = m_HarmonicSum.getPointer() + m_Config.m_iMinBin;
    const float* pfMagnitudes = m_Magnitudes.getPointer() + m_Config.m_iMinBin;
    std::fill(pfSum, pfSum + m_NumCandidatesOfPartial[0], 0.f);
    for (int p = 0; p < m_Config.m_iNumPartials; ++p)
    {
        const int iCount = m_NumCandidatesOfPartial[p];
        const float fWeight = m_PartialWeights[p];
        const float* pfPartial = pfMagnitudes + m_PartialOffsets[p];
        for (int k = 0; k < iCount; ++k)
            pfSum[k] += pfPartial[k] * fWeight;
    }
}

float IterativeHSS::computeCandidateHSS(int iCandidate) const
{
    float fSum = 0.f;
    for (int p = 0; p < m_NumPartialsPerBin[iCandidate]; ++p)
        fSum += m_Magnitudes[iCandidate + m_PartialOffsets[p]] * m_PartialWeights[p];
    return fSum;
}

#ifdef VTR_HAVE_ACCELERATE
// Per candidate the partials are added in the same order, starting from +0, as in
// computeHSS; a lane past a partial's candidates adds +0, which leaves its sum unchanged.
VTR_AVX2_FMA bool IterativeHSS::computeHSSAccelerate()
{
    const int iFirst = m_Config.m_iMinBin;
    const int iNumCandidates = m_NumCandidatesOfPartial[0];
    const int iNumPartials = m_Config.m_iNumPartials;
    const int* piCandidatesOfPartial = m_NumCandidatesOfPartial.getPointer();
    const int* piOffsets = m_PartialOffsets.getPointer();
    const float* pfWeights = m_PartialWeights.getPointer();
    const float* pfMagnitudes = m_Magnitudes.getPointer() + iFirst;
    float* pfSum = m_HarmonicSum.getPointer() + iFirst;
    const int iNumLoadable = m_Config.m_iNumBins - iFirst;
    const __m256i vLaneOffsets = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);

    // Four blocks of eight candidates share each pass over the partials, so that four
    // independent additions are in flight.
    constexpr int kBlocks = 4;
    int k = 0;
    for (; k + 8 <= iNumCandidates; k += 8 * kBlocks)
    {
        const int iNumBlocks = std::min(kBlocks, (iNumCandidates - k) / 8);
        __m256 vAcc[kBlocks];
        __m256i vLanes[kBlocks];
        for (int b = 0; b < kBlocks; ++b)
        {
            vAcc[b] = _mm256_setzero_ps();
            vLanes[b] = _mm256_add_epi32(_mm256_set1_epi32(k + 8 * b), vLaneOffsets);
        }
        // Partials that every candidate of the group uses need no masks and stay inside
        // the spectrum; the others are masked per lane.
        const int iLastCandidate = k + 8 * iNumBlocks - 1;
        int p = 0;
        for (; p < iNumPartials && piCandidatesOfPartial[p] > iLastCandidate; ++p)
        {
            const __m256 vWeight = _mm256_set1_ps(pfWeights[p]);
            const float* pfPartial = pfMagnitudes + k + piOffsets[p];
            for (int b = 0; b < iNumBlocks; ++b)
                vAcc[b] = _mm256_add_ps(vAcc[b], _mm256_mul_ps(_mm256_loadu_ps(pfPartial + 8 * b), vWeight));
        }
        for (; p < iNumPartials && piCandidatesOfPartial[p] > k; ++p)
        {
            const __m256 vWeight = _mm256_set1_ps(pfWeights[p]);
            const __m256i vCount = _mm256_set1_epi32(piCandidatesOfPartial[p]);
            for (int b = 0; b < iNumBlocks; ++b)
            {
                const int iStart = k + 8 * b + piOffsets[p];
                // Near the top only the lanes inside the spectrum are read.
                const __m256 vMagnitudes = iStart + 8 <= iNumLoadable
                                               ? _mm256_loadu_ps(pfMagnitudes + iStart)
                                               : _mm256_maskload_ps(pfMagnitudes + iStart, _mm256_cmpgt_epi32(_mm256_set1_epi32(iNumLoadable - iStart), vLaneOffsets));
                const __m256 vActive = _mm256_castsi256_ps(_mm256_cmpgt_epi32(vCount, vLanes[b]));
                vAcc[b] = _mm256_add_ps(vAcc[b], _mm256_and_ps(_mm256_mul_ps(vMagnitudes, vWeight), vActive));
            }
        }
        for (int b = 0; b < iNumBlocks; ++b)
            _mm256_storeu_ps(pfSum + k + 8 * b, vAcc[b]);
        k += 8 * iNumBlocks - 8 * kBlocks; // a shorter last group ends where it stored
    }
    for (; k < iNumCandidates; ++k)
        pfSum[k] = computeCandidateHSS(iFirst + k);
    return true;
}
#else
bool IterativeHSS::computeHSSAccelerate()
{
    return false;
}
#endif

float IterativeHSS::reduceMagnitudes(int iBin)
{
    float fRemoved = 0.f;
    const int iNumPartials = m_NumPartialsPerBin[iBin];
    for (int p = 0; p < iNumPartials; ++p)
    {
        float& fMagnitude = m_Magnitudes[iBin + m_PartialOffsets[p]];
        const float fValue = fMagnitude;
        fMagnitude = fValue * m_PartialReductions[p];
        fRemoved += (1.f - m_PartialReductions[p]) * fValue;
    }
    return fRemoved;
}

void IterativeHSS::clearOutput()
{
    m_Result.clear();
    m_Magnitudes.clear();
}

int IterativeHSS::getResult(Vector<float>& result) const
{
    if (result.getPointer() == nullptr || result.size() != m_Result.size())
        result.allocate(m_Config.m_iNumBins);
    result.copyFrom(m_Result);
    return kNoError;
}

int IterativeHSS::getResidualSpectrum(Vector<float>& residual) const
{
    if (residual.getPointer() == nullptr || residual.size() != m_Magnitudes.size())
        residual.allocate(m_Config.m_iNumBins);
    residual.copyFrom(m_Magnitudes);
    return kNoError;
}

float IterativeHSS::partialIndex2IndexOffset(int iPartialIndex, int iNumBinsPerSemitone)
{
    return std::log(static_cast<float>(iPartialIndex + 1)) * binsPerOctave(iNumBinsPerSemitone) / kLn2;
}

float IterativeHSS::indexOffset2PartialIndex(float fIndexOffset, int iNumBinsPerSemitone)
{
    return std::pow(2.f, fIndexOffset / binsPerOctave(iNumBinsPerSemitone)) - 1.f;
}

int IterativeHSS::computeNumPartialsWithinBinRange(int iBinRange, int iNumBinsPerSemitone)
{
    const float fB = binsPerOctave(iNumBinsPerSemitone);
    // Capped so that the conversions below stay defined for any range.
    const float q = std::min(std::pow(2.f, static_cast<float>(iBinRange - 1) / fB) - 1.f, 1e9f);
    const int d = static_cast<int>(std::ceil(q));
    if (iBinRange == roundedPartialOffset(d, fB) + 1)
        return d + 1;
    return static_cast<int>(std::floor(q)) + 1;
}
