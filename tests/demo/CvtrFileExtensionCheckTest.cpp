#include "CvtrFileExtensionCheck.h"

#include <gtest/gtest.h>

TEST(CvtrFileExtensionCheck, ListsTheAcceptedExtensionsInOrder)
{
    const juce::StringArray expected { ".wav", ".aiff", ".aif", ".mp3", ".wma" };
    EXPECT_EQ(CvtrFileExtensionCheck::getWildcardList(), expected);
}

TEST(CvtrFileExtensionCheck, ComparesTheExtensionIgnoringCase)
{
    struct Case
    {
        const char* name;
        bool valid;
    };
    const Case cases[] = {
        { "song.wav", true },   { "SONG.WAV", true },     { "take.Aiff", true },   { "take.aif", true },
        { "mix.Mp3", true },    { "old.WMA", true },      { "song.flac", false },  { "song.ogg", false },
        { "song", false },      { "song.wav.txt", false }, { "wav", false },       { "song.wave", false },
    };
    const auto folder = juce::File::getSpecialLocation(juce::File::tempDirectory);
    for (const auto& c : cases)
        EXPECT_EQ(CvtrFileExtensionCheck::isFileValid(folder.getChildFile(c.name)), c.valid) << c.name;

    EXPECT_FALSE(CvtrFileExtensionCheck::isFileValid(juce::File()));
}
