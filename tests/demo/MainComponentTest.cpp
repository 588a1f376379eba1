#include "KeyraFileProcessor.h"
#include "MainComponent.h"
#include "TestAudioFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace juce;

namespace
{
// The children in the order they were added, which is also their z-order.
enum Child
{
    play,
    genre,
    result1,
    result2,
    result3,
    load,
    tuning,
    version,
    sdk,
    copyright,
    logo,
    emblem,
    childCount
};

// Runs the analysis on the calling thread in place of the progress window, and can
// cancel it as the window's button would.
struct Runner
{
    int cancelAfterBlocks = -1;
    std::vector<File> analysed;

    AudioEngine::AnalysisRunner get()
    {
        return [this](const File& file, KeyraFileProcessor& processor)
        {
            analysed.push_back(file);
            ProcessingStateRef state;
            int blocks = 0;
            state->callback = [&]
            {
                if (cancelAfterBlocks >= 0 && ++blocks >= cancelAfterBlocks)
                    state->shouldExit.store(true);
            };
            processor.processFile(file, state);
        };
    }
};

class MainComponentTest : public ::testing::Test
{
protected:
    MainComponentTest() : component(runner.get()) { component.setSize(530, 220); }

    Component& child(Child index) { return *component.getChildComponent(index); }
    Label& label(Child index) { return dynamic_cast<Label&>(child(index)); }
    TextButton& button(Child index) { return dynamic_cast<TextButton&>(child(index)); }
    ComboBox& genreBox() { return dynamic_cast<ComboBox&>(child(genre)); }
    String text(Child index) { return label(index).getText(); }

    void drop(const File& file) { component.filesDropped(StringArray(file.getFullPathName()), 0, 0); }

    static KeyraFileProcessor::Result analyseAlone(const File& file)
    {
        KeyraFileProcessor processor;
        ProcessingStateRef state;
        processor.processFile(file, state);
        return processor.getResult();
    }

    TestAudioFiles files;
    Runner runner;
    MainComponent component;
};
}

TEST_F(MainComponentTest, LaysOutEveryChildInTheWindowsContentSize)
{
    ASSERT_EQ(component.getNumChildComponents(), childCount);

    EXPECT_EQ(child(load).getBounds(), Rectangle<int>(10, 90, 60, 25));
    EXPECT_EQ(child(genre).getBounds(), Rectangle<int>(90, 90, 350, 25));
    EXPECT_EQ(child(play).getBounds(), Rectangle<int>(460, 90, 60, 25));
    EXPECT_EQ(child(tuning).getBounds(), Rectangle<int>(10, 155, 100, 30));
    EXPECT_EQ(child(logo).getBounds(), Rectangle<int>(420, 150, 105, 35));
    EXPECT_EQ(child(result1).getBounds(), Rectangle<int>(10, 115, 510, 33));
    EXPECT_EQ(child(result2).getBounds(), Rectangle<int>(200, 150, 200, 18));
    EXPECT_EQ(child(result3).getBounds(), Rectangle<int>(200, 170, 200, 18));

    const auto versionFont = label(version).getFont();
    const int versionWidth = static_cast<int>(std::ceil(versionFont.getStringWidthFloat("KEYRA 3.1.6")));
    EXPECT_EQ(child(version).getBounds(), Rectangle<int>(75, 10, versionWidth, 35));
    EXPECT_EQ(child(copyright).getBounds(), Rectangle<int>(75, 45, 250, 35));
    EXPECT_EQ(child(sdk).getBounds(), Rectangle<int>(75 + versionWidth + 2, -7, 530, 70));

    const auto& image = dynamic_cast<DrawableImage&>(child(emblem));
    EXPECT_EQ(image.getBoundingBox().getBoundingBox(), Rectangle<float>(5.0f, 5.0f, 65.0f, 70.0f));
}

TEST_F(MainComponentTest, StartsWithTheDropHintAndTheHeader)
{
    EXPECT_EQ(MainComponent::getAppNameVersion(), "KEYRA 3.1.6");
    EXPECT_EQ(text(version), "KEYRA 3.1.6");
    EXPECT_EQ(text(sdk), "SDK Demo");
    EXPECT_EQ(text(copyright),
              String(CharPointer_UTF8("\xc2\xa9 ")) + String(Time::getCurrentTime().getYear()) + " Keyra contributors");
    EXPECT_EQ(label(version).getFont().getHeight(), 24.0f);
    EXPECT_EQ(label(copyright).getFont().getHeight(), 12.0f);

    EXPECT_EQ(text(result1), "Drop an audio file to start analysis!");
    EXPECT_EQ(label(result1).getFont().getHeight(), 15.0f);
    EXPECT_EQ(label(result1).getJustificationType(), Justification::centred);
    EXPECT_FALSE(child(result2).isVisible());
    EXPECT_FALSE(child(result3).isVisible());
    EXPECT_EQ(label(result2).getFont().getHeight(), 20.0f);
    EXPECT_TRUE(text(tuning).isEmpty());

    EXPECT_EQ(button(load).getButtonText(), "Load");
    EXPECT_EQ(button(play).getButtonText(), "Play");
    EXPECT_FALSE(child(play).isEnabled());

    EXPECT_EQ(genreBox().getTextWhenNothingSelected(), "Select genre...");
    EXPECT_EQ(genreBox().getSelectedId(), 0);
    ASSERT_EQ(genreBox().getNumItems(), 2);
    EXPECT_EQ(genreBox().getItemText(0), "general");
    EXPECT_EQ(genreBox().getItemId(0), 1);
    EXPECT_EQ(genreBox().getItemText(1), "electronic");
    EXPECT_EQ(genreBox().getItemId(1), 2);

    EXPECT_EQ(dynamic_cast<DrawableButton&>(child(logo)).getTooltip(), "launch : https://keyra.example.org/");
    EXPECT_EQ(dynamic_cast<DrawableImage&>(child(emblem)).getImage().getBounds(), Rectangle<int>(136, 136));
    EXPECT_NE(dynamic_cast<DrawableButton&>(child(logo)).getNormalImage(), nullptr);
}

TEST_F(MainComponentTest, ShowsTheKeysOfTheSelectedProfileAndTheTuning)
{
    const auto file = files.writeWav("chord.wav", 2 * 44100, 2, 44100.0, { 220.0, 277.18, 329.63 });
    const auto expected = analyseAlone(file);
    ASSERT_EQ(expected.outcome, KeyraFileProcessor::Result::Outcome::analysed);

    drop(file);
    const String tuningText = "A4 @ " + String::formatted("%.1f", static_cast<double>(expected.tuningFrequency)) + " Hz";
    EXPECT_EQ(genreBox().getText(), "general");
    EXPECT_EQ(text(result1), "1. " + expected.generalKey1);
    EXPECT_EQ(text(result2), "2.   " + expected.generalKey2);
    EXPECT_EQ(text(result3), "3.   " + expected.generalKey3);
    EXPECT_EQ(text(tuning), tuningText);
    EXPECT_EQ(label(result1).getFont(), Font(30.0f, Font::bold));
    EXPECT_TRUE(child(result2).isVisible());
    EXPECT_TRUE(child(result3).isVisible());
    EXPECT_TRUE(child(play).isEnabled());

    // The other profile comes from the stored result, without a new analysis.
    genreBox().setSelectedId(2, sendNotificationSync);
    EXPECT_EQ(text(result1), "1. " + expected.electronicKey1);
    EXPECT_EQ(text(result2), "2.   " + expected.electronicKey2);
    EXPECT_EQ(text(result3), "3.   " + expected.electronicKey3);
    EXPECT_EQ(text(tuning), tuningText);
    EXPECT_EQ(runner.analysed.size(), 1u);
}

TEST_F(MainComponentTest, SwitchingTheGenreBeforeAnyAnalysisChangesNothing)
{
    genreBox().setSelectedId(2, sendNotificationSync);
    EXPECT_EQ(text(result1), "Drop an audio file to start analysis!");
    EXPECT_TRUE(text(tuning).isEmpty());
    EXPECT_FALSE(child(result2).isVisible());
}

TEST_F(MainComponentTest, AcceptsAndAnalysesOnlyTheFirstDroppedFile)
{
    const auto wav = files.writeWav("first.wav", 8192);
    const auto text = files.writeText("notes.txt", "hello");
    EXPECT_TRUE(component.isInterestedInFileDrag(StringArray(wav.getFullPathName(), text.getFullPathName())));
    EXPECT_FALSE(component.isInterestedInFileDrag(StringArray(text.getFullPathName(), wav.getFullPathName())));
    EXPECT_FALSE(component.isInterestedInFileDrag(StringArray()));

    component.filesDropped(StringArray(wav.getFullPathName(), files.writeWav("second.wav", 8192).getFullPathName()), 0, 0);
    ASSERT_EQ(runner.analysed.size(), 1u);
    EXPECT_EQ(runner.analysed[0], wav);
}

TEST_F(MainComponentTest, AnUnsupportedFileOnlyChangesTheFirstLine)
{
    drop(files.writeText("notes.txt", "hello"));
    EXPECT_EQ(text(result1), "Unsupported file format!");
    EXPECT_FALSE(child(play).isEnabled());
    EXPECT_TRUE(runner.analysed.empty());

    drop(files.writeWav("song.wav", 8192));
    const String tuningText = text(tuning);
    drop(files.writeText("notes.txt", "hello"));
    EXPECT_EQ(text(result1), "Unsupported file format!");
    EXPECT_TRUE(child(result2).isVisible());
    EXPECT_EQ(text(tuning), tuningText);
    EXPECT_TRUE(child(play).isEnabled());
    EXPECT_EQ(runner.analysed.size(), 1u);
}

TEST_F(MainComponentTest, AFileThatCannotBeReadIsReportedAndCannotBePlayed)
{
    drop(files.writeWav("song.wav", 8192));
    ASSERT_TRUE(child(play).isEnabled());

    drop(files.writeText("broken.wav", "not audio at all"));
    EXPECT_EQ(text(result1), "Could not read this file.");
    EXPECT_FALSE(child(result2).isVisible());
    EXPECT_FALSE(child(result3).isVisible());
    EXPECT_TRUE(text(tuning).isEmpty());
    EXPECT_FALSE(child(play).isEnabled());

    // The message stays when the profile changes.
    genreBox().setSelectedId(2, sendNotificationSync);
    EXPECT_EQ(text(result1), "Could not read this file.");
}

TEST_F(MainComponentTest, ACancelledAnalysisSaysSoAndTheFileCanStillBePlayed)
{
    runner.cancelAfterBlocks = 1;
    drop(files.writeWav("long.wav", 10 * 1024));

    EXPECT_EQ(text(result1), "Analysis cancelled.");
    EXPECT_FALSE(child(result2).isVisible());
    EXPECT_FALSE(child(result3).isVisible());
    EXPECT_TRUE(text(tuning).isEmpty());
    EXPECT_TRUE(child(play).isEnabled());

    genreBox().setSelectedId(2, sendNotificationSync);
    EXPECT_EQ(text(result1), "Analysis cancelled.");
    EXPECT_TRUE(text(tuning).isEmpty());
}

TEST_F(MainComponentTest, PlayStartsAndStopAlwaysRewinds)
{
    drop(files.writeWav("song.wav", 44100));
    auto& playButton = button(play);
    ASSERT_TRUE(playButton.isEnabled());

    playButton.onClick();
    EXPECT_EQ(playButton.getButtonText(), "Stop");
    playButton.onClick();
    EXPECT_EQ(playButton.getButtonText(), "Play");
}
