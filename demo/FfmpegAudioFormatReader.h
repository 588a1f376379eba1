#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>
#include <string>
#include <vector>

class AudioDecoder;

/// A JUCE reader over an AudioDecoder, delivering 32-bit float samples. Any start gives
/// exactly the frames a read from the beginning gives there: a later start decodes on
/// to it, an earlier one reopens the file and decodes from the beginning. The
/// decoder's own seek is not used, since in MP3 and WMA it can land frames away from
/// the target; the demo only ever reads on or rewinds, so this costs it nothing.
/// lengthInSamples is the length the file announces, or 0 when it announces none:
/// counting would mean decoding the whole file before the first read.
class FfmpegAudioFormatReader : public juce::AudioFormatReader
{
public:
    /// Owns the stream (as every JUCE reader does) though the decoder reads the file at
    /// path itself.
    FfmpegAudioFormatReader(juce::InputStream* sourceStream, std::string path, std::unique_ptr<AudioDecoder> decoder);
    ~FfmpegAudioFormatReader() override;

    bool readSamples(int* const* destChannels, int numDestChannels, int startOffsetInDestBuffer,
                     juce::int64 startSampleInFile, int numSamples) override;

private:
    bool moveTo(juce::int64 frame);

    static constexpr int chunkFrames = 4096;

    std::string path;
    std::unique_ptr<AudioDecoder> decoder;
    /// Where the decoder writes channels the caller does not want.
    std::vector<float> scratch;
    std::vector<float*> channelPointers;

    JUCE_DECLARE_NON_COPYABLE(FfmpegAudioFormatReader)
};
