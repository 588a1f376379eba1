#pragma once

#include "ComplexVector.h"
#include "Vector.h"
#include "vtrAllocatedObject.h"

#include <complex>

/// Estimates the tuning (the frequency of A4) from a pitch spectrum on a log grid with
/// a fixed number of bins per semitone. Tuned peaks repeat once per semitone on that
/// grid, so the phase of the DFT coefficient at one cycle per semitone tells how far
/// they sit from where a 440 Hz tuning puts them. Covers 440 Hz +-50 cents.
class TuningFrequencyEstimation : public vtrAllocatedObject
{
public:
    /// Throws std::invalid_argument (the parameter name) for a lowest-bin frequency that
    /// is not positive and finite, fewer than one bin per semitone or a negative count.
    TuningFrequencyEstimation(float fFrequencyOfLowestBin, int iBinsPerSemitone, int iNumberOfBins);
    virtual ~TuningFrequencyEstimation() = default;

    TuningFrequencyEstimation(const TuningFrequencyEstimation&) = delete;
    TuningFrequencyEstimation& operator=(const TuningFrequencyEstimation&) = delete;

    /// Same checks as the constructor (nothing changes on an invalid argument); the
    /// basis is reallocated, and left empty if that fails.
    void initialize(float fFrequencyOfLowestBin, int iBinsPerSemitone, int iNumberOfBins);

    /// In [about 427.47, about 452.89] Hz; 440 Hz for a zero or non-finite spectrum.
    float estimateTuningFrequency(const Vector<float>& pitchSpectrum) const;

    std::complex<float> computeDFTCoefficient(const Vector<float>& pitchSpectrum) const;
    float phase2TuningFreq(float fPhase) const;
    float frequency2BinIndex(float fFrequency) const;
    float wrap(float fPhase) const;
    float computeReferencePhase();
    void allocateAndComputeDftBasisFunction();

    float getReferencePhase() const { return m_fReferencePhase; }

    static const float m_fReferenceTuningFreq;
    static const float m_fLog2;

private:
    float m_fFrequencyOfLowestBin = 0.f;
    int m_iBinsPerSemitone = 0;
    int m_iNumberOfBins = 0;
    float m_fReferencePhase = 0.f;
    ComplexVector m_dftBasis;
};
