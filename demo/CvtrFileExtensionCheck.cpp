#include "CvtrFileExtensionCheck.h"

juce::StringArray CvtrFileExtensionCheck::getWildcardList()
{
    return { ".wav", ".aiff", ".aif", ".mp3", ".wma" };
}

bool CvtrFileExtensionCheck::isFileValid(const juce::File& file)
{
    const juce::String extension = file.getFileExtension();
    return extension.isNotEmpty() && getWildcardList().contains(extension, true);
}
