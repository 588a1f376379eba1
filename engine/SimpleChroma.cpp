#include "SimpleChroma.h"

#include <cmath>
#include <stdexcept>

namespace
{
constexpr float kLn2 = 0.6931472f;

bool isPositiveFinite(float fValue)
{
    return fValue > 0.f && std::isfinite(fValue);
}
}

SimpleChroma::SimpleChroma() : m_chroma(12)
{
}

SimpleChroma::SimpleChroma(const Vector<float>& binFrequencies, float fTuningFrequency)
{
    init(binFrequencies, fTuningFrequency);
}

void SimpleChroma::init(const Vector<float>& binFrequencies, float fTuningFrequency)
{
    if (!isPositiveFinite(fTuningFrequency))
        throw std::invalid_argument("fTuningFrequency");
    for (int i = 0; i < binFrequencies.size(); ++i)
        if (!isPositiveFinite(binFrequencies[i]))
            throw std::invalid_argument("binFrequencies");

    Vector<int> chromaIndexOfBin(binFrequencies.size());
    Vector<float> chroma(m_iNumberOfChromaBins);
    for (int i = 0; i < binFrequencies.size(); ++i)
        chromaIndexOfBin[i] = computePitchClass(binFrequencies[i], fTuningFrequency);

    m_chromaIndexOfBin = std::move(chromaIndexOfBin);
    m_chroma = std::move(chroma);
    m_iNumberOfBins = binFrequencies.size();
}

float SimpleChroma::wrapToOctave(float fValue) const
{
    const float fOctave = static_cast<float>(m_iNumberOfChromaBins);
    // A true modulo: pitches below MIDI 0 fold like any other.
    float fRemainder = std::fmod(fValue, fOctave);
    if (fRemainder < 0.f)
        fRemainder += fOctave;
    // A tiny negative remainder plus 12 can round up to 12 itself.
    if (fRemainder >= fOctave)
        fRemainder = 0.f;
    return fRemainder;
}

int SimpleChroma::computePitchClass(float fFrequency, float fTuningFrequency) const
{
    const float fRemainder = wrapToOctave(freq2MidiPitch(fFrequency, fTuningFrequency) + 0.5f);
    // A frequency ratio beyond the float range yields NaN, which has no pitch class.
    if (!(fRemainder >= 0.f))
        return 0;
    const int iPitchClass = static_cast<int>((fRemainder - 0.5f) + 0.5f);
    return iPitchClass < m_iNumberOfChromaBins ? iPitchClass : 0;
}

int SimpleChroma::process(const Vector<float>& pitchSpectrum)
{
    m_chroma.clear();
    if (pitchSpectrum.size() < m_iNumberOfBins)
        return kInvalidArgument;
    for (int i = 0; i < m_iNumberOfBins; ++i)
        m_chroma[m_chromaIndexOfBin[i]] += pitchSpectrum[i];
    return kNoError;
}

int SimpleChroma::getResult(Vector<float>& chroma) const
{
    if (chroma.size() != m_iNumberOfChromaBins)
        chroma.allocate(m_iNumberOfChromaBins);
    chroma.copyFrom(m_chroma);
    return kNoError;
}

float SimpleChroma::freq2MidiPitch(float fFrequency, float fTuningFrequency) const
{
    return std::log(fFrequency / fTuningFrequency) * static_cast<float>(m_iNumberOfChromaBins) / kLn2 + 69.f;
}

float SimpleChroma::midiPitch2ChromaIndex(float fMidiPitch) const
{
    return wrapToOctave(fMidiPitch + 0.5f) - 0.5f;
}

float SimpleChroma::freq2ChromaIndex(float fFrequency, float fTuningFrequency) const
{
    return midiPitch2ChromaIndex(freq2MidiPitch(fFrequency, fTuningFrequency));
}
