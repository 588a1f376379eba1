#include "Keyra.h"

#include "KeyraResultIfImpl.h"

#include <cmath>
#include <new>
#include <stdexcept>

namespace
{
// The converter's history holds about 500 input samples per output sample, and very
// low rates make its output buffer grow without bound: outside this range the engine
// is not built rather than risk either.
constexpr float kMinSampleRate = 100.f;
constexpr float kMaxSampleRate = 5000000.f;

float checkedSampleRate(float fSampleRate)
{
    if (!(fSampleRate >= kMinSampleRate && fSampleRate <= kMaxSampleRate)) // NaN fails too
        throw std::invalid_argument("fInputSampleRate");
    return fSampleRate;
}
}

Keyra::Keyra(float fSampleRate, int iNumberOfChannels)
    : m_downmix(iNumberOfChannels),
      m_downmixBuffer(kMaxNumberOfInputFrames),
      m_averageChromaExtraction(checkedSampleRate(fSampleRate), kMaxNumberOfInputFrames)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
}

int32_t Keyra::process(const float* const* ppfChannels, int32_t iNumberOfFrames)
{
    if (iNumberOfFrames < 0 || iNumberOfFrames > m_iMaxNumberOfInputFrames)
        return invalidArgumentError;
    // An empty block must not reach the converter: its first call decides the look-ahead.
    if (iNumberOfFrames == 0)
        return noError;

    m_downmix.downmix(ppfChannels, iNumberOfFrames, m_downmixBuffer.getPointer());
    const Vector<float>::Section block(m_downmixBuffer.getPointer(), iNumberOfFrames);
    m_averageChromaExtraction.process(block);
    return noError;
}

KeyraResultIf Keyra::computeResult(GenreType eGenre)
{
    Vector<float> chroma(12);
    const float fTuningFrequency = m_averageChromaExtraction.computeChroma(chroma);
    const std::vector<KeyraResultIf::KeyResult> ranked = m_keyRecognition.getSortedKeyResults(chroma, eGenre);
    return KeyraResultIf(new KeyraResultIf::Impl(fTuningFrequency, ranked));
}

void Keyra::reset()
{
    m_averageChromaExtraction.reset();
}
