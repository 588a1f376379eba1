#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/// The demo's flat grey-on-white look: a small colour scheme over LookAndFeel_V2
/// and six drawing routines of its own.
class DemoLook : public juce::LookAndFeel_V2
{
public:
    DemoLook();
    ~DemoLook() override;

    void drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                              bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    void drawToggleButton(juce::Graphics& g, juce::ToggleButton& button, bool shouldDrawButtonAsHighlighted,
                          bool shouldDrawButtonAsDown) override;

    /// Draws at a fixed place of the component, whatever rectangle it is given.
    void drawTickBox(juce::Graphics& g, juce::Component& component, float x, float y, float w, float h, bool ticked,
                     bool isEnabled, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    void drawProgressBar(juce::Graphics& g, juce::ProgressBar& progressBar, int width, int height, double progress,
                         const juce::String& textToShow) override;

    void drawPopupMenuBackground(juce::Graphics& g, int width, int height) override;

    void drawComboBox(juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                      int buttonW, int buttonH, juce::ComboBox& box) override;

private:
    JUCE_DECLARE_NON_COPYABLE(DemoLook)
};
