#include "FfmpegAudioFormat.h"

#include "FfmpegAudioFormatReader.h"

#include "AudioDecoder.h"

#include <exception>
#include <memory>
#include <string>

FfmpegAudioFormat::FfmpegAudioFormat() : juce::AudioFormat("FFmpeg", juce::StringArray { ".mp3", ".wma" })
{
}

juce::Array<int> FfmpegAudioFormat::getPossibleSampleRates()
{
    return { 8000, 11025, 16000, 22050, 32000, 44100, 48000, 88200, 96000 };
}

juce::Array<int> FfmpegAudioFormat::getPossibleBitDepths()
{
    return { 32 };
}

bool FfmpegAudioFormat::canDoStereo()
{
    return true;
}

bool FfmpegAudioFormat::canDoMono()
{
    return true;
}

bool FfmpegAudioFormat::isCompressed()
{
    return true;
}

juce::AudioFormatReader* FfmpegAudioFormat::createReaderFor(juce::InputStream* sourceStream, bool deleteStreamIfOpeningFails)
{
    std::string path;
    std::unique_ptr<AudioDecoder> decoder;
    if (auto* fileStream = dynamic_cast<juce::FileInputStream*>(sourceStream))
    {
        path = fileStream->getFile().getFullPathName().toStdString();
        try
        {
            decoder = AudioDecoder::open(path);
        }
        catch (const std::exception&)
        {
            // DecodeError for files FFmpeg cannot read; bad_alloc alike: the manager
            // then tries the next format, and in the end reports the file unreadable.
        }
    }
    if (decoder == nullptr)
    {
        if (deleteStreamIfOpeningFails)
            delete sourceStream;
        return nullptr;
    }
    return new FfmpegAudioFormatReader(sourceStream, std::move(path), std::move(decoder));
}

juce::AudioFormatWriter* FfmpegAudioFormat::createWriterFor(juce::OutputStream*, double, unsigned int, int,
                                                            const juce::StringPairArray&, int)
{
    return nullptr;
}
