#pragma once

#include <KeyraIf.h>
#include <juce_dsp/juce_dsp.h>

#include <vector>

// In a namespace of its own: the engine's implementation class is also called Keyra.
namespace demo
{
/// Feeds audio blocks into one engine instance. Every prepare() replaces the engine
/// with a fresh one for the new sample rate and channel count, so nothing of one file
/// reaches the next.
class Keyra : public juce::dsp::ProcessorBase
{
public:
    Keyra() = default;
    ~Keyra() override;

    void prepare(const juce::dsp::ProcessSpec& spec) override;
    /// Hands the block's samples to the engine; the audio itself is left unchanged.
    void process(const juce::dsp::ProcessContextReplacing<float>& context) override;
    void reset() override;

    /// False when the engine refused the last prepare()'s sample rate or channel count.
    bool hasEngine() const { return engine != nullptr; }
    /// Requires hasEngine().
    KeyraResultIf computeResult(KeyraIf::GenreType genre);

private:
    KeyraIf* engine = nullptr;
    std::vector<const float*> channelPointers;

    JUCE_DECLARE_NON_COPYABLE(Keyra)
};
}
