#include "Keyra.h"

#include <stdexcept>

namespace demo
{

Keyra::~Keyra()
{
    KeyraIf::destroyInstance(engine);
}

void Keyra::prepare(const juce::dsp::ProcessSpec& spec)
{
    KeyraIf* fresh = nullptr;
    KeyraIf::createInstance(fresh, static_cast<float>(spec.sampleRate), static_cast<int32_t>(spec.numChannels));
    std::swap(engine, fresh);
    KeyraIf::destroyInstance(fresh);
    channelPointers.assign(spec.numChannels, nullptr);
}

void Keyra::process(const juce::dsp::ProcessContextReplacing<float>& context)
{
    const auto& block = context.getInputBlock();
    if (engine == nullptr || block.getNumChannels() != channelPointers.size())
        return;

    for (size_t channel = 0; channel < channelPointers.size(); ++channel)
        channelPointers[channel] = block.getChannelPointer(channel);

    engine->process(channelPointers.data(), static_cast<int32_t>(block.getNumSamples()));
}

void Keyra::reset()
{
}

KeyraResultIf Keyra::computeResult(KeyraIf::GenreType genre)
{
    if (engine == nullptr)
        throw std::logic_error("Keyra::computeResult without an engine");
    return engine->computeResult(genre);
}
}
