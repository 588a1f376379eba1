#include "Downmix.h"

#include "vtrVecLib.h"

#include <stdexcept>

Downmix::Downmix(int iNumberOfChannels) : m_iNumberOfChannels(iNumberOfChannels)
{
    if (iNumberOfChannels <= 0)
        throw std::invalid_argument("iNumberOfChannels");
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
}

void Downmix::downmix(const float* const* ppfChannels, int iNumberOfFrames, float* pfOut) const
{
    vtrfSetZero(pfOut, iNumberOfFrames);
    for (int c = 0; c < m_iNumberOfChannels; ++c)
        vtrfRealAdd_I(pfOut, ppfChannels[c], iNumberOfFrames);
    vtrfRealMulC_I(pfOut, 1.0f / static_cast<float>(m_iNumberOfChannels), iNumberOfFrames);
}
