#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

/// Reads MP3 and WMA (for which JUCE has no decoder on Linux) through FFmpeg. Decoding
/// only. FFmpeg opens files by path, so any stream other than a juce::FileInputStream
/// is declined.
class FfmpegAudioFormat : public juce::AudioFormat
{
public:
    FfmpegAudioFormat();

    juce::Array<int> getPossibleSampleRates() override;
    juce::Array<int> getPossibleBitDepths() override;
    bool canDoStereo() override;
    bool canDoMono() override;
    bool isCompressed() override;

    juce::AudioFormatReader* createReaderFor(juce::InputStream* sourceStream, bool deleteStreamIfOpeningFails) override;
    juce::AudioFormatWriter* createWriterFor(juce::OutputStream* streamToWriteTo, double sampleRateToUse,
                                             unsigned int numberOfChannels, int bitsPerSample,
                                             const juce::StringPairArray& metadataValues,
                                             int qualityOptionIndex) override;
    using juce::AudioFormat::createWriterFor;
};
