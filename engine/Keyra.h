#pragma once

#include "AverageChromaExtraction.h"
#include "Downmix.h"
#include "KeyRecognition.h"
#include "KeyraIf.h"
#include "Vector.h"
#include "vtrAllocatedObject.h"

/// The engine behind KeyraIf: downmixes each block, feeds the accumulation pipeline,
/// and ranks the keys of the accumulated chroma on request.
class Keyra : public KeyraIf, public vtrAllocatedObject
{
public:
    /// Throws std::invalid_argument (bare parameter name) or std::bad_alloc.
    Keyra(float fSampleRate, int iNumberOfChannels);
    ~Keyra() override = default;

    int32_t getMaximumNumberOfInputFrames() const override { return m_iMaxNumberOfInputFrames; }
    int32_t process(const float* const* ppfChannels, int32_t iNumberOfFrames) override;
    KeyraResultIf computeResult(GenreType eGenre) override;
    void reset() override;

    static constexpr int kMaxNumberOfInputFrames = 16384;

private:
    const int m_iMaxNumberOfInputFrames = kMaxNumberOfInputFrames;
    Downmix m_downmix;
    Vector<float> m_downmixBuffer;
    AverageChromaExtraction m_averageChromaExtraction;
    KeyRecognition m_keyRecognition;
};
