#include "PitchExtraction.h"

#include "IterativeHSS.h"
#include "LogFreqSpectrum.h"
#include "SpectralWhitening.h"
#include "vtrVecLib.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{
constexpr float kSampleRate = 11025.f;
constexpr int kBlockSize = 4096;
// MIDI note 20 (G#0) at A4 = 440 Hz.
constexpr float kLowestPitchFrequency = 25.956539f;
// 64/9 octaves: 256 bins of a third of a semitone.
constexpr float kNumOctaves = 7.111111f;
constexpr int kBinsPerSemitone = 3;
constexpr float kWhiteningWidthInOctaves = 0.5f;
constexpr float kWhiteningThreshold = 1e-4f;
constexpr int kMaxHarmonicIterations = 30;
constexpr float kTwoPi = 6.2831855f;
}

PitchExtraction::PitchExtraction()
    : m_fRequiredSampleRate(kSampleRate),
      m_iRequiredBlockSize(kBlockSize),
      m_pLogFreqSpectrum(new LogFreqSpectrum()),
      m_pWhitening(new SpectralWhitening()),
      m_pHarmonicAnalysis(new IterativeHSS())
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    initLogFreqSpectrumInstance();

    const int iNumBins = m_pLogFreqSpectrum->getConfig().getNumFreqBins();
    m_iBinsPerSemitone = kBinsPerSemitone;
    m_Spectrum.allocate(iNumBins);

    const bool bWhiteningReady = m_pWhitening->init(iNumBins, kWhiteningWidthInOctaves, kBinsPerSemitone);
    assert(bWhiteningReady);
    (void)bWhiteningReady;

    initIterativeHss(kLowestPitchFrequency, kBinsPerSemitone, iNumBins);
    m_HarmonicResult.allocate(iNumBins);
    m_Residual.allocate(iNumBins);
    allocateAndInitTreblePitchWeighting(iNumBins);
}

PitchExtraction::~PitchExtraction() = default;

void PitchExtraction::initLogFreqSpectrumInstance()
{
    LogFreqSpectrum::Config config;
    config.m_fSampleRate = kSampleRate;
    config.m_fMinFrequency = kLowestPitchFrequency;
    config.m_fNumOctaves = kNumOctaves;
    config.m_iNumBinsPerSemitone = kBinsPerSemitone;
    config.m_iBlockSize = kBlockSize;
    m_pLogFreqSpectrum->initialize(config);
}

void PitchExtraction::initIterativeHss(float fMinFrequency, int iBinsPerSemitone, int iNumBins)
{
    IterativeHSS::Config config(fMinFrequency, iBinsPerSemitone, iNumBins);
    config.m_iMaxIterations = kMaxHarmonicIterations;
    config.m_pPartialWeightFunction = IterativeHSS::Config::oneOverSquaredPartialIndex;
    config.m_pPartialReductionFunction = IterativeHSS::Config::oneOverSquaredPartialIndexReduction;
    const int iResult = m_pHarmonicAnalysis->init(config);
    assert(iResult == CvtrFeatureBase::kNoError);
    (void)iResult;

    m_PitchFrequencies.allocate(iNumBins);
    for (int i = 0; i < iNumBins; ++i)
        m_PitchFrequencies[i] = config.computeBinFreq(i);
}

void PitchExtraction::allocateAndInitTreblePitchWeighting(int iNumBins)
{
    m_TreblePitchWeighting.allocate(iNumBins);
    for (int i = 0; i < iNumBins; ++i)
        m_TreblePitchWeighting[i] = 0.5f * (1.f - std::cos(kTwoPi * static_cast<float>(i + 1) / static_cast<float>(iNumBins + 1)));
}

bool PitchExtraction::extractPitches(const Vector<float>& block, Vector<float>& pitchSpectrum)
{
    if (block.size() < m_iRequiredBlockSize)
        return false;

    m_pLogFreqSpectrum->process(m_Spectrum, block);
    if (m_Spectrum.getSum() > 0.f)
        m_pWhitening->process(m_Spectrum, m_Spectrum, kWhiteningThreshold, false);

    m_pHarmonicAnalysis->process(m_Spectrum);
    m_pHarmonicAnalysis->getResult(m_HarmonicResult);
    m_pHarmonicAnalysis->getResidualSpectrum(m_Residual);

    const int iNumBins = m_HarmonicResult.size();
    vtrfRealAdd_I(m_HarmonicResult.getPointer(), m_Residual.getPointer(), iNumBins);
    vtrfRealMul_I(m_HarmonicResult.getPointer(), m_TreblePitchWeighting.getPointer(), iNumBins);

    const int iNumOut = std::min(pitchSpectrum.size(), iNumBins);
    std::copy(m_HarmonicResult.getPointer(), m_HarmonicResult.getPointer() + iNumOut, pitchSpectrum.getPointer());
    return true;
}

void PitchExtraction::getPitchFrequencies(Vector<float>& frequencies) const
{
    const int iNum = std::min(frequencies.size(), m_PitchFrequencies.size());
    std::copy(m_PitchFrequencies.getPointer(), m_PitchFrequencies.getPointer() + iNum, frequencies.getPointer());
}
