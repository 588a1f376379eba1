#include "TestAudioFiles.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <stdexcept>

namespace
{
void writeSines(juce::AudioFormat& format, const juce::File& file, int numFrames, int numChannels, double sampleRate,
                std::initializer_list<double> frequencies)
{
    file.deleteFile();
    auto stream = std::make_unique<juce::FileOutputStream>(file);
    std::unique_ptr<juce::AudioFormatWriter> writer(
        format.createWriterFor(stream.get(), sampleRate, static_cast<unsigned int>(numChannels), 16, {}, 0));
    if (writer == nullptr)
        throw std::runtime_error("cannot write " + file.getFullPathName().toStdString());
    stream.release();

    juce::AudioBuffer<float> buffer(numChannels, numFrames);
    const double gain = 0.5 / static_cast<double>(frequencies.size());
    for (int i = 0; i < numFrames; ++i)
    {
        double value = 0.0;
        for (const double frequency : frequencies)
            value += gain * std::sin(2.0 * juce::MathConstants<double>::pi * frequency * i / sampleRate);
        for (int channel = 0; channel < numChannels; ++channel)
            buffer.setSample(channel, i, static_cast<float>(value));
    }
    writer->writeFromAudioSampleBuffer(buffer, 0, numFrames);
}
}

TestAudioFiles::TestAudioFiles()
    : folder(juce::File::getSpecialLocation(juce::File::tempDirectory)
                 .getNonexistentChildFile("keyra-demo-tests", "", false))
{
    folder.createDirectory();
}

TestAudioFiles::~TestAudioFiles()
{
    folder.deleteRecursively();
}

juce::File TestAudioFiles::writeWav(const juce::String& name, int numFrames, int numChannels, double sampleRate,
                                    std::initializer_list<double> frequencies)
{
    const auto file = folder.getChildFile(name);
    juce::WavAudioFormat format;
    writeSines(format, file, numFrames, numChannels, sampleRate, frequencies);
    return file;
}

juce::File TestAudioFiles::writeAiff(const juce::String& name, int numFrames, int numChannels, double sampleRate)
{
    const auto file = folder.getChildFile(name);
    juce::AiffAudioFormat format;
    writeSines(format, file, numFrames, numChannels, sampleRate, { 440.0 });
    return file;
}

juce::File TestAudioFiles::writeText(const juce::String& name, const juce::String& text)
{
    const auto file = folder.getChildFile(name);
    file.replaceWithText(text);
    return file;
}
