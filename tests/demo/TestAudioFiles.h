#pragma once

#include <juce_core/juce_core.h>

/// A temporary folder of audio files written with JUCE's own writers; removed with
/// the object.
class TestAudioFiles
{
public:
    TestAudioFiles();
    ~TestAudioFiles();

    /// A 16-bit file of sines at the given frequencies (Hz), in every channel.
    juce::File writeWav(const juce::String& name, int numFrames, int numChannels = 2, double sampleRate = 44100.0,
                        std::initializer_list<double> frequencies = { 440.0 });
    juce::File writeAiff(const juce::String& name, int numFrames, int numChannels = 1, double sampleRate = 44100.0);
    juce::File writeText(const juce::String& name, const juce::String& text);

private:
    juce::File folder;
};
