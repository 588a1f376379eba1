#pragma once

#include <cstdint>
#include <string>

/// Renders a repeating I-IV-V-I cadence (i-iv-V-i with a raised leading tone in
/// minor) of harmonic tones with a bass line, so that the key is unmistakable.
class CadenceSynth
{
public:
    /// sKey as the engine names keys ("A:min", "Eb:maj"; sharps work too). Throws
    /// std::invalid_argument for anything else.
    CadenceSynth(const std::string& sKey, float fTuningInHz, int32_t iSampleRate);

    /// Writes the mono signal for frames [iFirstFrame, iFirstFrame + iNumberOfFrames).
    void render(float* pfOut, int64_t iFirstFrame, int32_t iNumberOfFrames) const;

private:
    float renderSample(int64_t iFrame) const;
    float noteFrequency(int iMidiNote) const;

    int m_iTonicMidiNote = 57;
    bool m_bMinor = true;
    float m_fTuningInHz;
    int32_t m_iSampleRate;
};
