#pragma once

#include "MainAppWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class KeyraDemoApplication : public juce::JUCEApplication
{
public:
    KeyraDemoApplication();
    ~KeyraDemoApplication() override;

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;

    void initialise(const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted(const juce::String& commandLine) override;
    void systemRequestedQuit() override;

private:
    std::unique_ptr<MainAppWindow> mainWindow;
};
