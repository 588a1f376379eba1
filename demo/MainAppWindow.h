#pragma once

#include "MainComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/// The demo's only window: fixed at 530 x 220, titled with the product and version.
class MainAppWindow : public juce::DocumentWindow
{
public:
    MainAppWindow();
    ~MainAppWindow() override;

    /// Closing the window quits the application.
    void closeButtonPressed() override;

private:
    std::unique_ptr<MainComponent> mainComponent;
    // Without one, the tooltips of the buttons would never show.
    juce::TooltipWindow tooltipWindow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainAppWindow)
};
