#include "AudioDecoder.h"
#include "CommandRunner.h"
#include "DecodeError.h"
#include "TestAudio.h"

#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using testing::HasSubstr;

namespace
{
using Channels = std::vector<std::vector<float>>;

// Everything from the decoder's position to the end, read iBlock frames at a time.
Channels readAll(AudioDecoder& decoder, int32_t iBlock, int64_t iLimit = -1)
{
    const auto iChannels = static_cast<size_t>(decoder.getNumberOfChannels());
    Channels all(iChannels);
    Channels block(iChannels, std::vector<float>(static_cast<size_t>(iBlock)));
    std::vector<float*> pointers;
    for (auto& channel : block)
        pointers.push_back(channel.data());
    while (iLimit < 0 || static_cast<int64_t>(all[0].size()) < iLimit)
    {
        const int32_t iFrames = decoder.read(pointers.data(), iBlock);
        if (iFrames == 0)
            break;
        for (size_t c = 0; c < iChannels; ++c)
            all[c].insert(all[c].end(), block[c].begin(), block[c].begin() + iFrames);
    }
    if (iLimit >= 0)
        for (auto& channel : all)
            channel.resize(std::min(channel.size(), static_cast<size_t>(iLimit)));
    return all;
}

double rms(const std::vector<float>& samples)
{
    double dSum = 0.0;
    for (const float f : samples)
        dSum += static_cast<double>(f) * f;
    return std::sqrt(dSum / static_cast<double>(samples.size()));
}
}

TEST(AudioDecoder, ReportsTheFilesOwnRateChannelsAndLength)
{
    struct Case
    {
        const char* pcFile;
        int32_t iRate;
        int32_t iChannels;
        int64_t iLength; // -1: only roughly 5 s (lossy codecs pad)
    };
    const Case cases[] = {{"formats/a-minor.wav", 44100, 2, 220500},   {"formats/a-minor.flac", 44100, 2, 220500},
                          {"formats/a-minor.aiff", 44100, 2, 220500},  {"formats/a-minor-alac.m4a", 44100, 2, 220500},
                          {"keys/eb-major.wav", 48000, 1, 240000},     {"keys/f-sharp-minor.wav", 22050, 2, 110250},
                          {"formats/a-minor.mp3", 44100, 2, -1},       {"formats/a-minor.opus", 48000, 2, -1},
                          {"formats/a-minor.m4a", 44100, 2, -1},       {"formats/a-minor.ogg", 44100, 2, -1},
                          {"formats/a-minor.wma", 44100, 2, -1}};
    for (const auto& c : cases)
    {
        const auto pDecoder = AudioDecoder::open(TestAudio::path(c.pcFile));
        EXPECT_EQ(pDecoder->getSampleRate(), c.iRate) << c.pcFile;
        EXPECT_EQ(pDecoder->getNumberOfChannels(), c.iChannels) << c.pcFile;
        const auto all = readAll(*pDecoder, 16384);
        const auto iDecoded = static_cast<int64_t>(all[0].size());
        if (c.iLength >= 0)
        {
            EXPECT_EQ(pDecoder->getLengthInFrames(), c.iLength) << c.pcFile;
            EXPECT_EQ(iDecoded, c.iLength) << c.pcFile;
        }
        else
            EXPECT_NEAR(static_cast<double>(iDecoded) / c.iRate, 5.0, 0.1) << c.pcFile;
        EXPECT_EQ(pDecoder->getPosition(), iDecoded) << c.pcFile;
        EXPECT_EQ(pDecoder->getWarning(), "") << c.pcFile;
        EXPECT_GT(rms(all[0]), 0.01) << c.pcFile;
    }
}

TEST(AudioDecoder, BlockSizeDoesNotChangeTheSamples)
{
    for (const char* pcFile : {"formats/a-minor.wav", "formats/a-minor.flac", "formats/a-minor.mp3"})
    {
        const auto pLarge = AudioDecoder::open(TestAudio::path(pcFile));
        const auto pSmall = AudioDecoder::open(TestAudio::path(pcFile));
        EXPECT_EQ(readAll(*pSmall, 997), readAll(*pLarge, 16384)) << pcFile;
    }
}

TEST(AudioDecoder, ChannelsArePlanarAndKeepTheirOrder)
{
    // keyra-synth writes the second of two channels at 7/8 of the first's level.
    for (const char* pcFile : {"formats/a-minor.wav", "formats/a-minor.flac", "formats/a-minor.ogg"})
    {
        const auto pDecoder = AudioDecoder::open(TestAudio::path(pcFile));
        const auto all = readAll(*pDecoder, 4096);
        ASSERT_EQ(all.size(), 2u);
        EXPECT_NEAR(rms(all[1]) / rms(all[0]), 0.875, 0.01) << pcFile;
    }
}

TEST(AudioDecoder, SeekLandsOnTheRequestedFrame)
{
    for (const char* pcFile : {"formats/a-minor.wav", "formats/a-minor.flac"})
    {
        const auto pDecoder = AudioDecoder::open(TestAudio::path(pcFile));
        const auto all = readAll(*pDecoder, 16384);
        for (const int64_t iTarget : {int64_t{123457}, int64_t{0}, int64_t{219000}})
        {
            ASSERT_TRUE(pDecoder->seek(iTarget)) << pcFile;
            EXPECT_EQ(pDecoder->getPosition(), iTarget);
            const auto part = readAll(*pDecoder, 1000, 1500);
            const std::vector<float> expected(all[0].begin() + iTarget,
                                              all[0].begin() + std::min<int64_t>(iTarget + 1500, 220500));
            EXPECT_EQ(part[0], expected) << pcFile << " at " << iTarget;
        }
    }
}

// Two MP3s back to back: the rate changes mid-way, so the resampler still holds samples
// at the end. A seek past the last frame used to leave a stale range that read() handed
// out as a negative frame count.
TEST(AudioDecoder, SeeksNearTheEndOfARateChangingStreamReadWithinTheBlock)
{
    struct ScratchFile
    {
        std::string sPath = testing::TempDir() + "keyra-rate-change-" + std::to_string(getpid()) + ".mp3";
        ~ScratchFile() { std::remove(sPath.c_str()); }
    } file;
    std::ofstream(file.sPath, std::ios::binary) << CommandRunner::readFile(TestAudio::path("formats/a-minor.mp3"))
                                                << CommandRunner::readFile(TestAudio::path("keys/eb-major.mp3"));
    const auto pDecoder = AudioDecoder::open(file.sPath);
    const int64_t iLength = pDecoder->getLengthInFrames();
    ASSERT_GT(iLength, 20000);
    constexpr int32_t kBlock = 1000;
    Channels block(static_cast<size_t>(pDecoder->getNumberOfChannels()), std::vector<float>(kBlock));
    std::vector<float*> pointers;
    for (auto& channel : block)
        pointers.push_back(channel.data());
    for (int64_t iTarget = iLength - 20000; iTarget <= iLength; iTarget += 500)
    {
        ASSERT_TRUE(pDecoder->seek(iTarget));
        int32_t iFrames = 0;
        do
        {
            const int64_t iBefore = pDecoder->getPosition();
            iFrames = pDecoder->read(pointers.data(), kBlock);
            ASSERT_GE(iFrames, 0) << "after a seek to " << iTarget;
            ASSERT_LE(iFrames, kBlock) << "after a seek to " << iTarget;
            EXPECT_EQ(pDecoder->getPosition(), iBefore + iFrames);
        } while (iFrames == kBlock);
        EXPECT_EQ(pDecoder->read(pointers.data(), kBlock), 0) << "after a seek to " << iTarget;
    }
}

TEST(AudioDecoder, TruncatedFileDecodesUpToTheBreakWithAWarning)
{
    const auto pDecoder = AudioDecoder::open(TestAudio::path("mixed/truncated.mp3"));
    const auto all = readAll(*pDecoder, 16384);
    EXPECT_GT(all[0].size(), 44100u);
    EXPECT_LT(static_cast<int64_t>(all[0].size()), pDecoder->getLengthInFrames() * 3 / 4);
    EXPECT_THAT(pDecoder->getWarning(), HasSubstr("file ends early"));
}

TEST(AudioDecoder, FilesThatCannotBeDecodedThrowWithTheReason)
{
    const std::pair<const char*, const char*> cases[] = {{"mixed/no-such-file.wav", "No such file"},
                                                         {"mixed/empty.wav", "empty file"},
                                                         {"mixed/fake.mp3", "not an audio file"},
                                                         {"mixed/notes.txt", "audio"},
                                                         {"mixed/sub", "folder"}};
    for (const auto& [pcFile, pcReason] : cases)
    {
        try
        {
            AudioDecoder::open(TestAudio::path(pcFile));
            ADD_FAILURE() << pcFile << " opened";
        }
        catch (const DecodeError& e)
        {
            EXPECT_THAT(e.what(), HasSubstr(pcReason)) << pcFile;
        }
    }
}
