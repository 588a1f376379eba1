#pragma once

#include "vtrAllocatedObject.h"

/// Averages the channels of a block into one: summed in channel order, then scaled
/// by 1/N, so a single channel passes through bit for bit.
class Downmix : public vtrAllocatedObject
{
public:
    /// Throws std::invalid_argument("iNumberOfChannels") for a count below 1.
    explicit Downmix(int iNumberOfChannels);
    virtual ~Downmix() = default;

    void downmix(const float* const* ppfChannels, int iNumberOfFrames, float* pfOut) const;
    int getNumberOfChannels() const { return m_iNumberOfChannels; }

private:
    int m_iNumberOfChannels;
};
