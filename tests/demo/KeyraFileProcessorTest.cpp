#include "Keyra.h"
#include "KeyraFileProcessor.h"
#include "TestAudioFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::FloatNear;
using Outcome = KeyraFileProcessor::Result::Outcome;

namespace
{
// The real engine behind it; only watches what reaches the engine.
class RecordingKeyra : public demo::Keyra
{
public:
    void prepare(const juce::dsp::ProcessSpec& spec) override
    {
        preparedSpecs.push_back(spec);
        demo::Keyra::prepare(spec);
    }

    void process(const juce::dsp::ProcessContextReplacing<float>& context) override
    {
        blockSizes.push_back(context.getInputBlock().getNumSamples());
        demo::Keyra::process(context);
    }

    std::vector<juce::dsp::ProcessSpec> preparedSpecs;
    std::vector<size_t> blockSizes;
};

// Asks the engine for a sample rate it cannot work with.
class RefusedKeyra : public demo::Keyra
{
public:
    void prepare(const juce::dsp::ProcessSpec& spec) override { demo::Keyra::prepare({ 0.0, spec.maximumBlockSize, spec.numChannels }); }
};

struct Analysis
{
    KeyraFileProcessor::Result result;
    std::vector<size_t> blockSizes;
    std::vector<float> progress;
};

class KeyraFileProcessorTest : public ::testing::Test
{
protected:
    KeyraFileProcessorTest()
    {
        auto keyra = std::make_unique<RecordingKeyra>();
        recorder = keyra.get();
        processor = std::make_unique<KeyraFileProcessor>(std::move(keyra));
    }

    // cancelAfterBlocks < 0: never cancel.
    Analysis analyse(const juce::File& file, int cancelAfterBlocks = -1)
    {
        recorder->blockSizes.clear();
        std::vector<float> progress;
        ProcessingStateRef state;
        state->callback = [&]
        {
            progress.push_back(state->progress.load());
            if (cancelAfterBlocks >= 0 && static_cast<int>(progress.size()) >= cancelAfterBlocks)
                state->shouldExit.store(true);
        };
        processor->processFile(file, state);
        return { processor->getResult(), recorder->blockSizes, progress };
    }

    static void expectEmpty(const KeyraFileProcessor::Result& result)
    {
        EXPECT_EQ(result.tuningFrequency, 0.0f);
        for (const auto* name : { &result.generalKey1, &result.generalKey2, &result.generalKey3, &result.electronicKey1,
                                  &result.electronicKey2, &result.electronicKey3 })
            EXPECT_TRUE(name->isEmpty()) << *name;
    }

    static void expectSameResult(const KeyraFileProcessor::Result& a, const KeyraFileProcessor::Result& b)
    {
        EXPECT_EQ(a.outcome, b.outcome);
        EXPECT_EQ(a.tuningFrequency, b.tuningFrequency);
        EXPECT_EQ(a.generalKey1, b.generalKey1);
        EXPECT_EQ(a.generalKey2, b.generalKey2);
        EXPECT_EQ(a.generalKey3, b.generalKey3);
        EXPECT_EQ(a.electronicKey1, b.electronicKey1);
        EXPECT_EQ(a.electronicKey2, b.electronicKey2);
        EXPECT_EQ(a.electronicKey3, b.electronicKey3);
    }

    TestAudioFiles files;
    RecordingKeyra* recorder = nullptr;
    std::unique_ptr<KeyraFileProcessor> processor;
};
}

TEST_F(KeyraFileProcessorTest, FeedsBlocksOf1024FramesAndReportsProgressAfterEach)
{
    struct Case
    {
        int frames;
        std::vector<size_t> blocks;
        std::vector<float> progress;
    };
    const Case cases[] = {
        // A multiple of 1024 ends with an empty block, which the engine ignores.
        { 2048, { 1024, 1024, 0 }, { 0.5f, 1.0f, 1.5f } },
        { 1500, { 1024, 476 }, { 1.0f - 476.0f / 1500.0f, 1.0f + 548.0f / 1500.0f } },
        { 1024, { 1024, 0 }, { 1.0f, 2.0f } },
        { 100, { 100 }, { 1.0f + 924.0f / 100.0f } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.frames);
        const auto analysis = analyse(files.writeWav("frames.wav", c.frames));
        EXPECT_THAT(analysis.blockSizes, ElementsAreArray(c.blocks));
        ASSERT_EQ(analysis.progress.size(), c.progress.size());
        for (size_t i = 0; i < c.progress.size(); ++i)
            EXPECT_THAT(analysis.progress[i], FloatNear(c.progress[i], 1e-5f)) << i;
    }
}

TEST_F(KeyraFileProcessorTest, KeepsTheThreeBestKeysOfBothProfilesAndTheTuning)
{
    const auto file = files.writeWav("chord.wav", 3 * 44100, 2, 44100.0, { 261.63, 329.63, 392.0 });
    const auto result = analyse(file).result;

    EXPECT_EQ(result.outcome, Outcome::analysed);
    EXPECT_GT(result.tuningFrequency, 400.0f);
    EXPECT_LT(result.tuningFrequency, 480.0f);
    const juce::String names[] = { result.generalKey1,    result.generalKey2,    result.generalKey3,
                                   result.electronicKey1, result.electronicKey2, result.electronicKey3 };
    juce::StringArray keyNames;
    for (const char* root : { "C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B" })
        keyNames.addArray({ juce::String(root) + ":maj", juce::String(root) + ":min" });
    for (const auto& name : names)
        EXPECT_TRUE(keyNames.contains(name)) << name;
    EXPECT_NE(result.generalKey1, result.generalKey2);
    EXPECT_NE(result.generalKey2, result.generalKey3);
    EXPECT_NE(result.electronicKey1, result.electronicKey2);

    ASSERT_EQ(recorder->preparedSpecs.size(), 1u);
    EXPECT_EQ(recorder->preparedSpecs[0].sampleRate, 44100.0);
    EXPECT_EQ(recorder->preparedSpecs[0].numChannels, 2u);
    EXPECT_EQ(processor->getLengthInSamples(), 3 * 44100);
}

TEST_F(KeyraFileProcessorTest, CancellingStopsAtTheNextBlockAndLeavesTheResultEmpty)
{
    const auto file = files.writeWav("long.wav", 20 * 1024);
    ASSERT_EQ(analyse(file).result.outcome, Outcome::analysed);

    const auto analysis = analyse(file, 2);
    EXPECT_THAT(analysis.blockSizes, ElementsAre(1024u, 1024u));
    EXPECT_EQ(analysis.result.outcome, Outcome::cancelled);
    expectEmpty(analysis.result);
}

TEST_F(KeyraFileProcessorTest, ASecondFileStartsWithAFreshEngine)
{
    const auto first = files.writeWav("first.wav", 2 * 44100, 2, 44100.0, { 261.63, 329.63, 392.0 });
    const auto second = files.writeAiff("second.aiff", 2 * 22050, 1, 22050.0);

    analyse(first);
    const auto afterFirst = analyse(second).result;

    KeyraFileProcessor fresh;
    ProcessingStateRef state;
    fresh.processFile(second, state);
    expectSameResult(afterFirst, fresh.getResult());

    ASSERT_EQ(recorder->preparedSpecs.size(), 2u);
    EXPECT_EQ(recorder->preparedSpecs[1].sampleRate, 22050.0);
    EXPECT_EQ(recorder->preparedSpecs[1].numChannels, 1u);
    EXPECT_EQ(processor->getSampleRate(), 22050.0);
    EXPECT_EQ(processor->getNumChannels(), 1);
}

TEST_F(KeyraFileProcessorTest, AFileThatCannotBeReadGivesAnEmptyResult)
{
    const juce::File unreadable[] = {
        files.writeText("broken.wav", "this is not audio"),
        files.writeText("empty.mp3", ""),
        files.writeText("missing.wav", "").getSiblingFile("does-not-exist.wav"),
    };
    for (const auto& file : unreadable)
    {
        const auto analysis = analyse(file);
        EXPECT_EQ(analysis.result.outcome, Outcome::unreadable) << file.getFileName();
        EXPECT_TRUE(analysis.blockSizes.empty());
        expectEmpty(analysis.result);
    }
}

TEST_F(KeyraFileProcessorTest, AnEngineThatCannotBeCreatedGivesAnEmptyResult)
{
    KeyraFileProcessor refused(std::make_unique<RefusedKeyra>());
    ProcessingStateRef state;
    refused.processFile(files.writeWav("fine.wav", 4096), state);
    EXPECT_EQ(refused.getResult().outcome, Outcome::unreadable);
    expectEmpty(refused.getResult());
}
