#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/// Tells whether a recording has any stretch the engine would analyse. The engine
/// skips every block whose mono mix stays below 2^-15 RMS; a recording made only of
/// such blocks gives it nothing, and its flat answer means "no key", not a key. This
/// applies the same test to windows of the same duration (4096 samples at 11025 Hz,
/// every 512) at the file's own rate.
class SilenceDetector
{
public:
    SilenceDetector(int32_t iSampleRate, int32_t iNumberOfChannels);

    void add(const float* const* ppfChannels, int32_t iNumberOfFrames);
    bool isSilent() const;

private:
    void closeHop();

    int32_t m_iNumberOfChannels;
    int64_t m_iHopFrames;
    int64_t m_iFramesInHop = 0;
    double m_dHopEnergy = 0.0;
    std::vector<double> m_hopEnergies; // ring of the last window's hops
    size_t m_iNextHop = 0;
    double m_dThresholdEnergy; // a whole window's energy at the threshold
    bool m_bHeard = false;
};
