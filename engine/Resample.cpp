#include "Resample.h"

#include "ResampleInterface.h"

#include <new>
#include <stdexcept>

namespace
{
constexpr int kFilterOrder = 6;
constexpr int kFloatSamples = 0;
}

Resample::Resample(float fInputSampleRate, float fOutputSampleRate, int iMaximumNumberOfInputFrames)
    : m_fInputSampleRate(fInputSampleRate),
      m_fOutputSampleRate(fOutputSampleRate),
      m_iMaximumNumberOfInputFrames(iMaximumNumberOfInputFrames)
{
    if (fInputSampleRate <= 0)
        throw std::invalid_argument("fInputSampleRate");
    if (fOutputSampleRate <= 0)
        throw std::invalid_argument("fOutputSampleRate");
    if (iMaximumNumberOfInputFrames <= 0)
        throw std::invalid_argument("iMaximumNumberOfInputFrames");

    if (ResampleCreateInstance(&m_hResampler, kFilterOrder, iMaximumNumberOfInputFrames, 1, kFloatSamples, 1) != 0)
        throw std::bad_alloc();
}

Resample::~Resample()
{
    ResampleDestroyInstance(&m_hResampler);
}

int Resample::resample(const Vector<float>& input, Vector<float>& output)
{
    return ::Resample(m_hResampler, input.getPointer(), output.getPointer(), 1, input.size(), m_fInputSampleRate,
                      m_fOutputSampleRate);
}

int Resample::getMaxOutputBufferSize() const
{
    const float fFrames = static_cast<float>(m_iMaximumNumberOfInputFrames) * m_fOutputSampleRate / m_fInputSampleRate;
    return static_cast<int>(fFrames) + 256;
}
