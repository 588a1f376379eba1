#include "KeyraFileProcessor.h"

#include "Keyra.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <exception>

class KeyraFileProcessor::Impl
{
public:
    explicit Impl(std::unique_ptr<demo::Keyra> processor) : keyra(std::move(processor)) {}

    std::unique_ptr<demo::Keyra> keyra;
    Result result;
    juce::int64 lengthInSamples = 0;
    double sampleRate = 0.0;
    int numChannels = 0;
};

namespace
{
void feedEngine(demo::Keyra& keyra, juce::AudioFormatReaderSource& source, juce::int64 length, ProcessingState& state)
{
    const int numChannels = static_cast<int>(source.getAudioFormatReader()->numChannels);
    juce::AudioBuffer<float> buffer(numChannels, KeyraFileProcessor::blockSize);
    const juce::AudioSourceChannelInfo channelInfo(buffer);

    juce::int64 remaining = length;
    const auto total = static_cast<float>(length);
    if (remaining < 0)
        return;

    for (;;)
    {
        if (state.shouldExit.load())
            break;

        // Past the end of the file the source delivers silence.
        source.getNextAudioBlock(channelInfo);
        const auto numFrames = static_cast<size_t>(juce::jmin(remaining, juce::int64 { KeyraFileProcessor::blockSize }));

        juce::dsp::AudioBlock<float> block(buffer.getArrayOfWritePointers(), static_cast<size_t>(numChannels), 0, numFrames);
        keyra.process(juce::dsp::ProcessContextReplacing<float>(block));

        remaining -= KeyraFileProcessor::blockSize;
        // Reaches or passes 1 with the last block, since remaining ends below zero.
        state.progress.store(1.0f - static_cast<float>(remaining) / total);
        if (state.callback)
            state.callback();

        if (remaining < 0)
            break;
    }
}

juce::String keyName(const std::vector<KeyraResultIf::KeyResult>& ranked, size_t index)
{
    return juce::String(ranked.at(index).getKey().getName());
}
}

KeyraFileProcessor::KeyraFileProcessor() : KeyraFileProcessor(std::make_unique<demo::Keyra>())
{
}

KeyraFileProcessor::KeyraFileProcessor(std::unique_ptr<demo::Keyra> keyra) : impl(std::make_unique<Impl>(std::move(keyra)))
{
}

KeyraFileProcessor::~KeyraFileProcessor() = default;

void KeyraFileProcessor::processFile(const juce::File& file, ProcessingStateRef& state)
{
    Impl& d = *impl;
    d.result = Result {};
    d.lengthInSamples = 0;
    d.sampleRate = 0.0;
    d.numChannels = 0;

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(file));
    if (reader == nullptr || reader->numChannels == 0 || reader->sampleRate <= 0.0)
    {
        d.result.outcome = Result::Outcome::unreadable;
        return;
    }

    d.lengthInSamples = reader->lengthInSamples;
    d.sampleRate = reader->sampleRate;
    d.numChannels = static_cast<int>(reader->numChannels);
    juce::AudioFormatReaderSource source(reader.release(), true);

    d.keyra->prepare({ d.sampleRate, static_cast<juce::uint32>(blockSize), static_cast<juce::uint32>(d.numChannels) });
    if (!d.keyra->hasEngine())
    {
        d.result.outcome = Result::Outcome::unreadable;
        return;
    }

    feedEngine(*d.keyra, source, d.lengthInSamples, state.get());
    if (state->shouldExit.load())
    {
        d.result.outcome = Result::Outcome::cancelled;
        return;
    }

    try
    {
        const auto general = d.keyra->computeResult(KeyraIf::general);
        const auto electronic = d.keyra->computeResult(KeyraIf::electronic);
        const auto generalKeys = general.getAllKeyResults();
        const auto electronicKeys = electronic.getAllKeyResults();

        Result result;
        result.generalKey1 = keyName(generalKeys, 0);
        result.generalKey2 = keyName(generalKeys, 1);
        result.generalKey3 = keyName(generalKeys, 2);
        result.electronicKey1 = keyName(electronicKeys, 0);
        result.electronicKey2 = keyName(electronicKeys, 1);
        result.electronicKey3 = keyName(electronicKeys, 2);
        result.tuningFrequency = general.getTuningFrequencyInHz();
        result.outcome = Result::Outcome::analysed;
        d.result = result;
    }
    catch (const std::exception&)
    {
        // Out of memory, or fewer ranked keys than shown: report no result rather than
        // let the exception end the analysis thread and the program with it.
        d.result = Result {};
        d.result.outcome = Result::Outcome::unreadable;
    }
}

const KeyraFileProcessor::Result& KeyraFileProcessor::getResult() const
{
    return impl->result;
}

juce::int64 KeyraFileProcessor::getLengthInSamples() const
{
    return impl->lengthInSamples;
}

double KeyraFileProcessor::getSampleRate() const
{
    return impl->sampleRate;
}

int KeyraFileProcessor::getNumChannels() const
{
    return impl->numChannels;
}
