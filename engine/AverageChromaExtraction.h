#pragma once

#include "CBuffSrc.h"
#include "PitchExtraction.h"
#include "Resample.h"
#include "TuningFrequencyEstimation.h"
#include "Vector.h"

/// Turns the whole mono stream pushed into the engine into one tuning frequency and
/// one chroma vector: converts to the analysis rate, cuts 4096-sample blocks every
/// 512 samples, and sums the pitch spectra of the blocks that are not silent.
class AverageChromaExtraction
{
public:
    AverageChromaExtraction(float fSampleRate, int iMaxNumberOfInputFrames);

    /// input holds 0 to iMaxNumberOfInputFrames samples at the engine's rate.
    void process(const Vector<float>& input);
    /// Fills the 12 chroma bins of everything so far; returns the tuning of A4 in Hz.
    /// Changes nothing, so it may be called at any time.
    float computeChroma(Vector<float>& chroma);
    /// Clears the sums; the block source and the converter keep their history.
    void reset();

    /// Whether a block of this RMS is analysed: not below 2^-15 (about -90 dB), and
    /// finite, since a damaged float file gives NaN or infinite blocks.
    static bool isAnalysable(float fRms);

private:

    int m_iMaxNumberOfInputFrames;
    PitchExtraction m_pitchExtraction;
    Vector<float> m_pitchFrequencies;
    Vector<float> m_pitchSpectrum;
    Vector<float> m_pitchSpectrumSum;
    Vector<float> m_normalizedPitchSpectrumSum;
    CBuffSrc m_blockSource;
    Vector<float> m_block;
    int m_iHopSize;
    Resample m_resample;
    Vector<float> m_resampled;
    TuningFrequencyEstimation m_tuningEstimation;
};
