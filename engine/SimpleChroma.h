#pragma once

#include "CvtrFeatureBase.h"
#include "Vector.h"

/// Folds a pitch spectrum into 12 chroma bins (C = 0). Each pitch bin is assigned once,
/// at init, to the pitch class nearest to it against the given tuning of A4.
class SimpleChroma : public CvtrFeatureBase
{
public:
    SimpleChroma();
    /// Throws std::invalid_argument ("binFrequencies" or "fTuningFrequency") for a
    /// frequency that is not positive and finite.
    SimpleChroma(const Vector<float>& binFrequencies, float fTuningFrequency);
    ~SimpleChroma() override = default;

    SimpleChroma(const SimpleChroma&) = delete;
    SimpleChroma& operator=(const SimpleChroma&) = delete;

    /// Same checks as the constructor; on a throw the object is unchanged.
    void init(const Vector<float>& binFrequencies, float fTuningFrequency);

    using CvtrFeatureBase::process;
    /// Returns kInvalidArgument, with a zero chroma, for a spectrum shorter than the
    /// number of bins.
    int process(const Vector<float>& pitchSpectrum) override;

    using CvtrFeatureBase::getResult;
    /// Resizes the output to 12 values if needed.
    int getResult(Vector<float>& chroma) const override;

    void reset() {}

    float freq2MidiPitch(float fFrequency, float fTuningFrequency) const;
    /// Fractional chroma position in [-0.5, 11.5) for every finite pitch.
    float midiPitch2ChromaIndex(float fMidiPitch) const;
    float freq2ChromaIndex(float fFrequency, float fTuningFrequency) const;

    int getChromaIndexOfBin(int iBin) const { return m_chromaIndexOfBin[iBin]; }
    int getNumberOfBins() const { return m_iNumberOfBins; }

private:
    int computePitchClass(float fFrequency, float fTuningFrequency) const;
    float wrapToOctave(float fValue) const;

    Vector<int> m_chromaIndexOfBin;
    Vector<float> m_chroma;
    int m_iNumberOfChromaBins = 12;
    int m_iNumberOfBins = 0;
};
