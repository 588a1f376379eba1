#include "FfmpegAudioFormatReader.h"

#include "AudioDecoder.h"

#include <algorithm>
#include <exception>

FfmpegAudioFormatReader::FfmpegAudioFormatReader(juce::InputStream* sourceStream, std::string filePath,
                                                 std::unique_ptr<AudioDecoder> audioDecoder)
    : juce::AudioFormatReader(sourceStream, "FFmpeg"), path(std::move(filePath)), decoder(std::move(audioDecoder))
{
    sampleRate = decoder->getSampleRate();
    numChannels = static_cast<unsigned int>(decoder->getNumberOfChannels());
    lengthInSamples = std::max<juce::int64>(decoder->getLengthInFrames(), 0);
    bitsPerSample = 32;
    usesFloatingPointData = true;
    scratch.resize(static_cast<size_t>(chunkFrames));
    channelPointers.resize(numChannels);
}

FfmpegAudioFormatReader::~FfmpegAudioFormatReader() = default;

bool FfmpegAudioFormatReader::moveTo(juce::int64 frame)
{
    if (decoder != nullptr && frame < decoder->getPosition())
    {
        decoder.reset();
        try
        {
            decoder = AudioDecoder::open(path);
        }
        catch (const std::exception&)
        {
            return false; // gone or changed since it was opened: silence from here on
        }
    }
    if (decoder == nullptr)
        return false;

    while (decoder->getPosition() < frame)
    {
        for (auto& pointer : channelPointers)
            pointer = scratch.data();
        const auto frames = static_cast<int32_t>(std::min<juce::int64>(frame - decoder->getPosition(), chunkFrames));
        if (decoder->read(channelPointers.data(), frames) < frames)
            break;
    }
    return true;
}

bool FfmpegAudioFormatReader::readSamples(int* const* destChannels, int numDestChannels, int startOffsetInDestBuffer,
                                          juce::int64 startSampleInFile, int numSamples)
{
    // With usesFloatingPointData set, JUCE hands over float buffers in int clothing.
    float* const* dest = reinterpret_cast<float* const*>(destChannels);
    const auto fileChannels = static_cast<int>(numChannels);

    int done = 0;
    const bool reached = moveTo(startSampleInFile);
    if (reached && decoder->getPosition() == startSampleInFile)
    {
        while (done < numSamples)
        {
            const int frames = std::min(numSamples - done, chunkFrames);
            for (int c = 0; c < fileChannels; ++c)
            {
                float* const wanted = c < numDestChannels ? dest[c] : nullptr;
                channelPointers[static_cast<size_t>(c)] =
                    wanted != nullptr ? wanted + startOffsetInDestBuffer + done : scratch.data();
            }
            const int32_t got = decoder->read(channelPointers.data(), frames);
            done += got;
            if (got < frames)
                break;
        }
    }

    // Past the end there is silence; channels the file does not have are silent
    // throughout.
    for (int c = 0; c < numDestChannels; ++c)
    {
        if (dest[c] == nullptr)
            continue;
        const int from = c < fileChannels ? done : 0;
        std::fill(dest[c] + startOffsetInDestBuffer + from, dest[c] + startOffsetInDestBuffer + numSamples, 0.0f);
    }
    return reached;
}
