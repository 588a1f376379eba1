#pragma once

// Test material in a known key: a cadence of harmonic tones (I-IV-V-I in major,
// i-iv-V-i in harmonic minor), each chord over a bass note, at any rate and tuning.

#include <cmath>
#include <vector>

namespace synth
{
struct Cadence
{
    int iTonicPitchClass = 0; // 0 = C ... 11 = B
    bool bMajor = true;
    float fSampleRate = 44100.f;
    float fTuningA4 = 440.f;
    float fSecondsPerChord = 1.5f;
    int iRepeats = 2;
};

inline float midiToHz(float fMidi, float fTuningA4)
{
    return fTuningA4 * std::pow(2.f, (fMidi - 69.f) / 12.f);
}

/// The cadence as one mono signal, peak below 1.
inline std::vector<float> render(const Cadence& c)
{
    // Chords as semitone offsets from the tonic.
    const std::vector<std::vector<int>> majorChords = {{0, 4, 7}, {5, 9, 12}, {7, 11, 14}, {0, 4, 7}};
    const std::vector<std::vector<int>> minorChords = {{0, 3, 7}, {5, 8, 12}, {7, 11, 14}, {0, 3, 7}};
    const auto& chords = c.bMajor ? majorChords : minorChords;
    const int iBass[] = {0, 5, 7, 0};

    const int iChordLength = static_cast<int>(c.fSecondsPerChord * c.fSampleRate);
    std::vector<float> out(static_cast<size_t>(iChordLength) * chords.size() * static_cast<size_t>(c.iRepeats), 0.f);
    const double dTwoPi = 6.283185307179586;
    const int iTonicMidi = 60 + c.iTonicPitchClass; // C4 upwards

    size_t iPos = 0;
    for (int r = 0; r < c.iRepeats; ++r)
    {
        for (size_t k = 0; k < chords.size(); ++k)
        {
            std::vector<float> notes;
            for (int iOffset : chords[k])
                notes.push_back(static_cast<float>(iTonicMidi + iOffset));
            notes.push_back(static_cast<float>(iTonicMidi - 12 + iBass[k]));
            for (int i = 0; i < iChordLength; ++i)
            {
                const double t = static_cast<double>(i) / c.fSampleRate;
                const double dEnvelope = std::exp(-1.5 * t) * std::min(1.0, t * 50.0);
                double dSum = 0.0;
                for (float fNote : notes)
                {
                    const double dF0 = midiToHz(fNote, c.fTuningA4);
                    for (int h = 1; h <= 6; ++h)
                        if (dF0 * h < 0.45 * c.fSampleRate)
                            dSum += std::sin(dTwoPi * dF0 * h * t) / h;
                }
                out[iPos + static_cast<size_t>(i)] = static_cast<float>(0.08 * dEnvelope * dSum);
            }
            iPos += static_cast<size_t>(iChordLength);
        }
    }
    return out;
}
}
