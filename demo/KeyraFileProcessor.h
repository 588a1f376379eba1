#pragma once

#include "ProcessingStateRef.h"

#include <juce_core/juce_core.h>

#include <memory>

namespace demo
{
class Keyra;
}

/// Analyses one audio file at a time: reads it in blocks of 1024 frames, feeds a fresh
/// engine instance and keeps the three best keys of both genre profiles. Runs on the
/// analysis thread; its result may be read once that thread has ended.
class KeyraFileProcessor
{
public:
    struct Result
    {
        /// How the last analysis ended; the key names and the tuning are only set
        /// for `analysed`.
        enum class Outcome
        {
            none,
            analysed,
            cancelled,
            unreadable
        };

        float tuningFrequency = 0.0f;
        juce::String generalKey1;
        juce::String electronicKey1;
        juce::String generalKey2;
        juce::String electronicKey2;
        juce::String generalKey3;
        juce::String electronicKey3;
        Outcome outcome = Outcome::none;
    };

    static constexpr int blockSize = 1024;

    KeyraFileProcessor();
    /// Feeds the engine through the given processor (tests pass one that watches it).
    explicit KeyraFileProcessor(std::unique_ptr<demo::Keyra> keyra);
    ~KeyraFileProcessor();

    void processFile(const juce::File& file, ProcessingStateRef& state);

    const Result& getResult() const;
    juce::int64 getLengthInSamples() const;
    double getSampleRate() const;
    int getNumChannels() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl;

    JUCE_DECLARE_NON_COPYABLE(KeyraFileProcessor)
};
