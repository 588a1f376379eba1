#pragma once

#include "KeyraFileProcessor.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <functional>
#include <memory>

/// The demo's non-visual half: analyses one file at a time and plays it through the
/// default audio output. Without an output device the analysis still works and
/// playback is silent.
class AudioEngine : public juce::ChangeListener
{
public:
    class Listener
    {
    public:
        /// Called on the message thread whenever the transport starts or stops.
        virtual void playbackStateChanged() = 0;

    protected:
        ~Listener() = default;
    };

    /// Runs one file's analysis and returns when it has ended.
    using AnalysisRunner = std::function<void(const juce::File&, KeyraFileProcessor&)>;

    /// Analyses behind the modal progress window.
    AudioEngine();
    explicit AudioEngine(AnalysisRunner runner);
    ~AudioEngine() override;

    void changeListenerCallback(juce::ChangeBroadcaster* source) override;

    /// Stops playback, analyses the file and leaves it ready to play from the start.
    void process(const juce::File& file);

    const KeyraFileProcessor::Result& getLastResult() const { return lastResult; }
    juce::AudioTransportSource& getTransport() { return transport; }
    /// False until a file could be opened for playback, and after one that could not.
    bool hasPlayableFile() const { return readerSource != nullptr; }

    void addListener(Listener* listener) { listeners.add(listener); }
    void removeListener(Listener* listener) { listeners.remove(listener); }

private:
    void loadForPlayback(const juce::File& file);

    juce::AudioFormatManager formatManager;
    juce::AudioTransportSource transport;
    juce::AudioDeviceManager deviceManager;
    juce::AudioSourcePlayer sourcePlayer;
    std::unique_ptr<juce::AudioFormatReaderSource> readerSource;
    KeyraFileProcessor fileProcessor;
    KeyraFileProcessor::Result lastResult;
    juce::ListenerList<Listener> listeners;
    AnalysisRunner analysisRunner;

    JUCE_DECLARE_NON_COPYABLE(AudioEngine)
};
