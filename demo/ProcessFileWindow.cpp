#include "ProcessFileWindow.h"

ProcessFileWindow::ProcessFileWindow(const juce::File& fileToAnalyse, KeyraFileProcessor& fileProcessor)
    : ThreadWithProgressWindow("Analyse", true, true), file(fileToAnalyse), processor(fileProcessor)
{
}

ProcessFileWindow::~ProcessFileWindow() = default;

void ProcessFileWindow::run()
{
    ProcessingStateRef state;
    state->callback = [this, &state]
    {
        setProgress(static_cast<double>(state->progress.load()));
        state->shouldExit.store(juce::Thread::currentThreadShouldExit());
    };
    processor.processFile(file, state);
}

void ProcessFileWindow::analyse(const juce::File& file, KeyraFileProcessor& fileProcessor)
{
    ProcessFileWindow window(file, fileProcessor);
    window.runThread();
}
