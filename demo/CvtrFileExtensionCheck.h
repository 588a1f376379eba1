#pragma once

#include <juce_core/juce_core.h>

/// Which audio files the demo accepts, by extension.
class CvtrFileExtensionCheck
{
public:
    /// ".wav", ".aiff", ".aif", ".mp3", ".wma", in this order.
    static juce::StringArray getWildcardList();

    /// True when the file's extension, dot included, is one of the list, ignoring case.
    static bool isFileValid(const juce::File& file);
};
