#include "AudioEngine.h"

#include "ProcessFileWindow.h"

AudioEngine::AudioEngine() : AudioEngine(ProcessFileWindow::analyse)
{
}

AudioEngine::AudioEngine(AnalysisRunner runner) : analysisRunner(std::move(runner))
{
    transport.addChangeListener(this);
    // The error text is not shown: without a device the demo still analyses, silently.
    deviceManager.initialiseWithDefaultDevices(0, 2);
    deviceManager.addAudioCallback(&sourcePlayer);
    formatManager.registerBasicFormats();
}

AudioEngine::~AudioEngine()
{
    transport.stop();
    deviceManager.closeAudioDevice();
    transport.setSource(nullptr);
    sourcePlayer.setSource(nullptr);
    deviceManager.removeAudioCallback(&sourcePlayer);
    transport.removeChangeListener(this);
}

void AudioEngine::changeListenerCallback(juce::ChangeBroadcaster* source)
{
    if (source == &transport)
        listeners.call([](Listener& listener) { listener.playbackStateChanged(); });
}

void AudioEngine::process(const juce::File& file)
{
    sourcePlayer.setSource(nullptr);
    transport.setSource(nullptr);
    readerSource.reset();

    analysisRunner(file, fileProcessor);
    lastResult = fileProcessor.getResult();

    if (lastResult.outcome != KeyraFileProcessor::Result::Outcome::unreadable)
        loadForPlayback(file);
}

void AudioEngine::loadForPlayback(const juce::File& file)
{
    std::unique_ptr<juce::AudioFormatReader> reader(formatManager.createReaderFor(file));
    if (reader == nullptr)
        return;

    readerSource = std::make_unique<juce::AudioFormatReaderSource>(reader.release(), true);
    transport.setSource(readerSource.get(), 0, nullptr, fileProcessor.getSampleRate());
    sourcePlayer.setSource(&transport);
}
