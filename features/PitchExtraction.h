#pragma once

#include "Vector.h"
#include "vtrAllocatedObject.h"

#include <memory>

class LogFreqSpectrum;
class SpectralWhitening;
class IterativeHSS;

/// Pitch spectrum of one analysis block: 256 bins, three per semitone, bin 3m at MIDI
/// note 20 + m for A4 = 440 Hz (bin 3 = 27.5 Hz, bin 147 = 440 Hz, bin 255 = 3520 Hz).
/// Log-frequency spectrum, whitening, iterative harmonic analysis (result plus
/// residual), then a weighting that favours the middle register.
class PitchExtraction : public vtrAllocatedObject
{
public:
    PitchExtraction();
    virtual ~PitchExtraction();

    PitchExtraction(const PitchExtraction&) = delete;
    PitchExtraction& operator=(const PitchExtraction&) = delete;

    /// Writes min(output size, 256) values. Allocates nothing. Returns false, doing
    /// nothing, for a block shorter than getRequiredBlockSize.
    bool extractPitches(const Vector<float>& block, Vector<float>& pitchSpectrum);

    float getRequiredSampleRate() const { return m_fRequiredSampleRate; }
    int getRequiredBlockSize() const { return m_iRequiredBlockSize; }
    int getNumberOfPitches() const { return m_PitchFrequencies.size(); }
    int getNumberOfBinsPerSemitone() const { return m_iBinsPerSemitone; }
    /// Copies min(output size, number of pitches) bin frequencies in Hz.
    void getPitchFrequencies(Vector<float>& frequencies) const;
    float getFrequencyOfLowestPitch() const { return m_PitchFrequencies[0]; }

    const Vector<float>& getTreblePitchWeighting() const { return m_TreblePitchWeighting; }

private:
    void initLogFreqSpectrumInstance();
    void initIterativeHss(float fMinFrequency, int iBinsPerSemitone, int iNumBins);
    void allocateAndInitTreblePitchWeighting(int iNumBins);

    float m_fRequiredSampleRate;
    int m_iRequiredBlockSize;
    std::unique_ptr<LogFreqSpectrum> m_pLogFreqSpectrum;
    Vector<float> m_Spectrum;
    int m_iBinsPerSemitone = 0;
    std::unique_ptr<SpectralWhitening> m_pWhitening;
    std::unique_ptr<IterativeHSS> m_pHarmonicAnalysis;
    Vector<float> m_PitchFrequencies;
    Vector<float> m_HarmonicResult;
    Vector<float> m_Residual;
    Vector<float> m_TreblePitchWeighting;
};
