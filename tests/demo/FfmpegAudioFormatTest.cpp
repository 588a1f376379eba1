#include "DemoFormatManager.h"
#include "TestAudioFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
class FfmpegAudioFormatTest : public ::testing::Test
{
protected:
    // Two seconds of a 440 Hz sine at half scale, in every channel.
    juce::File makeTone(const juce::String& name, int numChannels, double sampleRate)
    {
        const auto wav = files.writeWav(name + ".wav", static_cast<int>(2 * sampleRate), numChannels, sampleRate);
        return files.encode(wav, name);
    }

    std::unique_ptr<juce::AudioFormatReader> open(const juce::File& file)
    {
        return std::unique_ptr<juce::AudioFormatReader>(formats.createReaderFor(file));
    }

    TestAudioFiles files;
    DemoFormatManager formats;
};

struct Tone
{
    const char* name;
    int channels;
    double sampleRate;
};

const Tone tones[] = { { "tone.wma", 2, 44100.0 }, { "tone.mp3", 1, 48000.0 } };
}

TEST_F(FfmpegAudioFormatTest, TheDemosManagerReadsWmaAndMp3ThroughFfmpeg)
{
    for (const auto& tone : tones)
    {
        SCOPED_TRACE(tone.name);
        const auto reader = open(makeTone(tone.name, tone.channels, tone.sampleRate));
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->getFormatName(), "FFmpeg");
        EXPECT_EQ(reader->sampleRate, tone.sampleRate);
        EXPECT_EQ(reader->numChannels, static_cast<unsigned int>(tone.channels));
        // Codec frames and encoder delay allow a little slack, not more.
        EXPECT_NEAR(static_cast<double>(reader->lengthInSamples), 2 * tone.sampleRate, 2048.0);
        EXPECT_TRUE(reader->usesFloatingPointData);

        const auto length = static_cast<int>(reader->lengthInSamples);
        juce::AudioBuffer<float> buffer(tone.channels, length);
        ASSERT_TRUE(reader->read(&buffer, 0, length, 0, true, true));
        for (int channel = 0; channel < tone.channels; ++channel)
            EXPECT_NEAR(buffer.getRMSLevel(channel, length / 4, length / 2), 0.5 / std::sqrt(2.0), 0.02) << channel;
    }
}

TEST_F(FfmpegAudioFormatTest, AReadFromAnyStartEqualsTheSameFramesReadInSequence)
{
    for (const auto& tone : tones)
    {
        SCOPED_TRACE(tone.name);
        const auto reader = open(makeTone(tone.name, tone.channels, tone.sampleRate));
        ASSERT_NE(reader, nullptr);

        // In blocks, as playback reads, and on past the end, which must be silent.
        const int length = static_cast<int>(reader->lengthInSamples);
        const int total = length + 8192;
        juce::AudioBuffer<float> sequential(tone.channels, total);
        for (int start = 0; start < total; start += 1000)
            ASSERT_TRUE(reader->read(&sequential, start, juce::jmin(1000, total - start), start, true, true));
        EXPECT_EQ(sequential.getMagnitude(total - 4096, 4096), 0.0f);

        for (const int start : { length / 2, 1000, length - 300 })
        {
            SCOPED_TRACE(start);
            const int count = 3000;
            juce::AudioBuffer<float> jumped(tone.channels, count);
            ASSERT_TRUE(reader->read(&jumped, 0, count, start, true, true));
            for (int channel = 0; channel < tone.channels; ++channel)
                for (int i = 0; i < count; ++i)
                    ASSERT_EQ(jumped.getSample(channel, i), sequential.getSample(channel, start + i))
                        << "channel " << channel << ", frame " << start + i;
        }
    }
}

TEST_F(FfmpegAudioFormatTest, SkipsNullChannelsAndSilencesChannelsTheFileLacks)
{
    const auto reader = open(makeTone("stereo.wma", 2, 44100.0));
    ASSERT_NE(reader, nullptr);
    const int count = 4096;
    juce::AudioBuffer<float> both(2, count);
    ASSERT_TRUE(reader->read(&both, 0, count, 10000, true, true));

    // Called directly, past JUCE's own handling of extra channels.
    juce::AudioBuffer<float> out(2, count);
    out.applyGain(0.0f);
    out.setSample(1, 0, 7.0f);
    float* dest[] = { nullptr, out.getWritePointer(0), out.getWritePointer(1) };
    ASSERT_TRUE(reader->readSamples(reinterpret_cast<int* const*>(dest), 3, 0, 10000, count));
    for (int i = 0; i < count; ++i)
    {
        ASSERT_EQ(out.getSample(0, i), both.getSample(1, i)) << i;
        ASSERT_EQ(out.getSample(1, i), 0.0f) << i;
    }
}
