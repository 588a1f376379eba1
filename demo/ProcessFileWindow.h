#pragma once

#include "KeyraFileProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

/// The modal progress window "Analyse": runs one file's analysis on its worker
/// thread and turns its cancel button into the analysis' stop request.
class ProcessFileWindow : public juce::ThreadWithProgressWindow
{
public:
    ProcessFileWindow(const juce::File& fileToAnalyse, KeyraFileProcessor& fileProcessor);
    ~ProcessFileWindow() override;

    void run() override;

    /// Shows the window and returns once the analysis thread has ended.
    static void analyse(const juce::File& file, KeyraFileProcessor& fileProcessor);

private:
    juce::File file;
    KeyraFileProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE(ProcessFileWindow)
};
