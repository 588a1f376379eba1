#pragma once

#include "Vector.h"

/// Mono float conversion from the engine's rate to the analysis rate, through the
/// resampler's function interface (filter order 6).
class Resample
{
public:
    /// Throws std::invalid_argument with the offending parameter's name, or bad_alloc.
    Resample(float fInputSampleRate, float fOutputSampleRate, int iMaximumNumberOfInputFrames);
    virtual ~Resample();

    Resample(const Resample&) = delete;
    Resample& operator=(const Resample&) = delete;

    /// Converts every sample of input into the start of output, which holds
    /// getMaxOutputBufferSize() samples; returns the number produced.
    int resample(const Vector<float>& input, Vector<float>& output);
    int getMaxOutputBufferSize() const;

private:
    float m_fInputSampleRate;
    float m_fOutputSampleRate;
    int m_iMaximumNumberOfInputFrames;
    void* m_hResampler = nullptr;
};
