#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

/// The formats the demo reads: JUCE's basic ones, then FFmpeg where the decoding
/// library is built, so that the analysis and the playback open a file alike.
class DemoFormatManager : public juce::AudioFormatManager
{
public:
    DemoFormatManager();
};
