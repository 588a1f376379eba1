#include "CadenceSynth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kChordSeconds = 1.0;
constexpr int kHarmonics = 8;
constexpr float kVoiceLevel = 0.07f;

int parsePitchClass(const std::string& sName)
{
    static const char kLetters[] = "C D EF G A B";
    if (sName.empty())
        throw std::invalid_argument("empty key name");
    int iPitchClass = -1;
    for (int i = 0; i < 12; ++i)
        if (kLetters[i] == sName[0])
            iPitchClass = i;
    if (iPitchClass < 0 || sName.size() > 2)
        throw std::invalid_argument("unknown tonic " + sName);
    if (sName.size() == 2)
    {
        if (sName[1] == 'b')
            iPitchClass += 11;
        else if (sName[1] == '#')
            iPitchClass += 1;
        else
            throw std::invalid_argument("unknown tonic " + sName);
    }
    return iPitchClass % 12;
}
}

CadenceSynth::CadenceSynth(const std::string& sKey, float fTuningInHz, int32_t iSampleRate)
    : m_fTuningInHz(fTuningInHz), m_iSampleRate(iSampleRate)
{
    const auto iColon = sKey.find(':');
    if (iColon == std::string::npos)
        throw std::invalid_argument("key must look like A:min or Eb:maj");
    const std::string sMode = sKey.substr(iColon + 1);
    if (sMode != "min" && sMode != "maj")
        throw std::invalid_argument("mode must be maj or min");
    m_bMinor = sMode == "min";
    // Tonic between A3 and G#4, where the triads sit comfortably.
    m_iTonicMidiNote = 57 + (parsePitchClass(sKey.substr(0, iColon)) + 3) % 12;
    if (fTuningInHz <= 0.f || iSampleRate <= 0)
        throw std::invalid_argument("tuning and sample rate must be positive");
}

float CadenceSynth::noteFrequency(int iMidiNote) const
{
    return m_fTuningInHz * std::pow(2.f, static_cast<float>(iMidiNote - 69) / 12.f);
}

float CadenceSynth::renderSample(int64_t iFrame) const
{
    // Semitones above the tonic of each chord's notes; the first is the chord root.
    static const int kMinorChords[4][3] = {{0, 3, 7}, {5, 8, 12}, {7, 11, 14}, {0, 3, 7}};
    static const int kMajorChords[4][3] = {{0, 4, 7}, {5, 9, 12}, {7, 11, 14}, {0, 4, 7}};
    const double dTime = static_cast<double>(iFrame) / m_iSampleRate;
    const auto iChord = static_cast<int64_t>(dTime / kChordSeconds);
    const double dInChord = dTime - static_cast<double>(iChord) * kChordSeconds;
    const int(&chord)[3] = (m_bMinor ? kMinorChords : kMajorChords)[iChord % 4];

    const double dEnvelope = std::min(1.0, dInChord / 0.01) * std::exp(-2.5 * dInChord);
    double dSum = 0.0;
    for (int iVoice = 0; iVoice < 4; ++iVoice)
    {
        const int iNote = iVoice < 3 ? m_iTonicMidiNote + chord[iVoice] : m_iTonicMidiNote - 12 + chord[0];
        const double dFrequency = noteFrequency(iNote);
        for (int h = 1; h <= kHarmonics && h * dFrequency < 0.45 * m_iSampleRate; ++h)
            dSum += std::sin(2.0 * kPi * h * dFrequency * dInChord) / h;
    }
    return static_cast<float>(kVoiceLevel * dEnvelope * dSum);
}

void CadenceSynth::render(float* pfOut, int64_t iFirstFrame, int32_t iNumberOfFrames) const
{
    for (int32_t i = 0; i < iNumberOfFrames; ++i)
        pfOut[i] = renderSample(iFirstFrame + i);
}
