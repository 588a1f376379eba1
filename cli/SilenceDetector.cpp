#include "SilenceDetector.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace
{
constexpr int kHopsPerWindow = 8; // 4096 / 512
constexpr double kAnalysisRate = 11025.0;
constexpr double kAnalysisHop = 512.0;
const double kThresholdRms = std::ldexp(1.0, -15);
}

SilenceDetector::SilenceDetector(int32_t iSampleRate, int32_t iNumberOfChannels)
    : m_iNumberOfChannels(std::max(iNumberOfChannels, 1)),
      m_iHopFrames(std::max<int64_t>(1, std::llround(kAnalysisHop * iSampleRate / kAnalysisRate))),
      m_hopEnergies(kHopsPerWindow, 0.0),
      m_dThresholdEnergy(kThresholdRms * kThresholdRms * static_cast<double>(m_iHopFrames * kHopsPerWindow))
{
}

void SilenceDetector::add(const float* const* ppfChannels, int32_t iNumberOfFrames)
{
    const double dScale = 1.0 / m_iNumberOfChannels;
    for (int32_t i = 0; i < iNumberOfFrames && !m_bHeard; ++i)
    {
        double dMono = 0.0;
        for (int32_t c = 0; c < m_iNumberOfChannels; ++c)
            dMono += ppfChannels[c][i];
        dMono *= dScale;
        m_dHopEnergy += dMono * dMono;
        if (++m_iFramesInHop == m_iHopFrames)
            closeHop();
    }
}

void SilenceDetector::closeHop()
{
    m_hopEnergies[m_iNextHop] = m_dHopEnergy;
    m_iNextHop = (m_iNextHop + 1) % m_hopEnergies.size();
    m_dHopEnergy = 0.0;
    m_iFramesInHop = 0;
    const double dWindowEnergy = std::accumulate(m_hopEnergies.begin(), m_hopEnergies.end(), 0.0);
    m_bHeard = dWindowEnergy >= m_dThresholdEnergy;
}

bool SilenceDetector::isSilent() const
{
    if (m_bHeard)
        return false;
    // A tail shorter than a hop still counts, as if the window were padded with zeros.
    const double dWindowEnergy = std::accumulate(m_hopEnergies.begin(), m_hopEnergies.end(), m_dHopEnergy);
    return dWindowEnergy < m_dThresholdEnergy;
}
