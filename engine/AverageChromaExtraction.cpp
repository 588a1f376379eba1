#include "AverageChromaExtraction.h"

#include "SimpleChroma.h"
#include "vtrVecLib.h"

#include <cassert>
#include <cmath>

namespace
{
constexpr int kHopSize = 512;
constexpr float kSilenceThreshold = 3.0517578e-05f; // 2^-15
}

AverageChromaExtraction::AverageChromaExtraction(float fSampleRate, int iMaxNumberOfInputFrames)
    : m_iMaxNumberOfInputFrames(iMaxNumberOfInputFrames),
      m_pitchExtraction(),
      m_pitchFrequencies(m_pitchExtraction.getNumberOfPitches()),
      m_pitchSpectrum(m_pitchExtraction.getNumberOfPitches()),
      m_pitchSpectrumSum(m_pitchExtraction.getNumberOfPitches()),
      m_normalizedPitchSpectrumSum(m_pitchExtraction.getNumberOfPitches()),
      m_blockSource(),
      m_block(m_pitchExtraction.getRequiredBlockSize()),
      m_iHopSize(kHopSize),
      m_resample(fSampleRate, m_pitchExtraction.getRequiredSampleRate(), iMaxNumberOfInputFrames),
      m_resampled(m_resample.getMaxOutputBufferSize()),
      m_tuningEstimation(m_pitchExtraction.getFrequencyOfLowestPitch(),
                         m_pitchExtraction.getNumberOfBinsPerSemitone(),
                         m_pitchExtraction.getNumberOfPitches())
{
    m_pitchExtraction.getPitchFrequencies(m_pitchFrequencies);
    const int iBlockLength = m_pitchExtraction.getRequiredBlockSize();
    m_blockSource.Init(1, iBlockLength, iBlockLength / 2, true);
}

bool AverageChromaExtraction::isAnalysable(float fRms)
{
    // Skipping non-finite blocks like silent ones keeps one damaged block from
    // turning every later result into NaN.
    return std::isfinite(fRms) && !(kSilenceThreshold > fRms);
}

void AverageChromaExtraction::process(const Vector<float>& input)
{
    assert(input.size() <= m_iMaxNumberOfInputFrames);
    const int iProduced = m_resample.resample(input, m_resampled);
    const float* pfResampled = m_resampled.getPointer();
    m_blockSource.SetDataPtr(&pfResampled, iProduced);

    float* pfBlock = m_block.getPointer();
    while (m_blockSource.GetBlock(&pfBlock, m_block.size()))
    {
        m_blockSource.IncrementIndex(m_iHopSize);
        float fRms = 0.f;
        vtrfRealCalcRMS(m_block.getPointer(), &fRms, m_block.size());
        if (!isAnalysable(fRms))
            continue;

        m_pitchExtraction.extractPitches(m_block, m_pitchSpectrum);
        const float fSum = m_pitchSpectrum.getSum();
        if (!std::isfinite(fSum))
            continue;
        vtrfRealAdd_I(m_pitchSpectrumSum.getPointer(), m_pitchSpectrum.getPointer(), m_pitchSpectrum.size());
        if (fSum != 0.f)
            m_pitchSpectrum.normalizeL1();
        vtrfRealAdd_I(m_normalizedPitchSpectrumSum.getPointer(), m_pitchSpectrum.getPointer(),
                      m_pitchSpectrum.size());
    }
    m_blockSource.ReleaseDataPtr();
}

float AverageChromaExtraction::computeChroma(Vector<float>& chroma)
{
    const float fTuningFrequency = m_tuningEstimation.estimateTuningFrequency(m_pitchSpectrumSum);
    SimpleChroma simpleChroma(m_pitchFrequencies, fTuningFrequency);
    simpleChroma.process(m_normalizedPitchSpectrumSum);
    simpleChroma.getResult(chroma);
    if (chroma.getSum() != 0.f)
        chroma.normalizeL1();
    return fTuningFrequency;
}

void AverageChromaExtraction::reset()
{
    m_pitchSpectrum.clear();
    m_pitchSpectrumSum.clear();
    m_normalizedPitchSpectrumSum.clear();
}
