#include "DemoLook.h"

using namespace juce;

namespace
{
const Colour lightGrey { 0xFFE6E6E6 };
const Colour midGrey { 0xFF969696 };
}

DemoLook::DemoLook()
{
    setColour(Label::textColourId, Colour(0xFF4B4B4B));
    setColour(TextButton::textColourOffId, Colour(0xFF333333));
    setColour(TextButton::textColourOnId, Colour(0xFF333333));
    setColour(ScrollBar::backgroundColourId, lightGrey);
    setColour(ScrollBar::trackColourId, lightGrey);
    setColour(ScrollBar::thumbColourId, midGrey);
    setColour(ProgressBar::foregroundColourId, midGrey);
    setColour(ComboBox::backgroundColourId, lightGrey);
    setColour(ComboBox::buttonColourId, midGrey);
    setColour(ComboBox::outlineColourId, midGrey);
    setColour(ComboBox::arrowColourId, midGrey);
}

DemoLook::~DemoLook() = default;

void DemoLook::drawButtonBackground(Graphics& g, Button& button, const Colour& backgroundColour,
                                    bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    Colour baseColour = backgroundColour.withMultipliedSaturation(button.hasKeyboardFocus(true) ? 1.3f : 0.9f)
                            .withMultipliedAlpha(button.isEnabled() ? 0.9f : 0.5f);
    if (shouldDrawButtonAsHighlighted || shouldDrawButtonAsDown)
        baseColour = baseColour.contrasting(shouldDrawButtonAsDown ? 0.2f : 0.1f);

    const auto w = static_cast<float>(button.getWidth() - 1);
    const auto h = static_cast<float>(button.getHeight() - 1);
    if (w <= 0.0f || h <= 0.0f)
        return;

    const bool left = button.isConnectedOnLeft();
    const bool right = button.isConnectedOnRight();
    const bool top = button.isConnectedOnTop();
    const bool bottom = button.isConnectedOnBottom();

    Path outline;
    outline.addRoundedRectangle(0.5f, 0.5f, w, h, 4.0f, 4.0f, !(left || top), !(right || top), !(left || bottom),
                                !(right || bottom));

    // The fill is the same in every state; only the strokes follow the base colour.
    g.setGradientFill(ColourGradient(lightGrey, w / 2.0f, h, Colours::white, w / 2.0f, 0.0f, false));
    g.fillPath(outline);

    const float alpha = baseColour.getFloatAlpha();
    const float brightness = jmax(baseColour.getRed(), baseColour.getGreen(), baseColour.getBlue()) / 255.0f;

    g.setColour(Colours::white.withAlpha(0.4f * alpha * brightness * brightness));
    g.strokePath(outline, PathStrokeType(1.0f),
                 AffineTransform::translation(0.0f, 1.0f).scaled(1.0f, (h - 1.6f) / h));

    g.setColour(Colours::black.withAlpha(0.4f * alpha));
    g.strokePath(outline, PathStrokeType(1.0f));
}

void DemoLook::drawTickBox(Graphics& g, Component&, float, float, float, float, bool ticked, bool, bool, bool)
{
    g.setColour(midGrey);
    g.drawRoundedRectangle(3.0f, 3.0f, 20.0f, 20.0f, 4.0f, 1.0f);

    if (ticked)
    {
        const Rectangle<float> tick(8.0f, 8.0f, 10.0f, 10.0f);
        g.setColour(Colours::black);
        g.drawRect(tick, 1.0f);
        g.fillRect(tick);
    }
}

void DemoLook::drawToggleButton(Graphics& g, ToggleButton& button, bool shouldDrawButtonAsHighlighted,
                                bool shouldDrawButtonAsDown)
{
    const float fontSize = jmin(15.0f, static_cast<float>(button.getHeight()) * 0.75f);
    const float tickWidth = fontSize * 1.1f;

    drawTickBox(g, button, 4.0f, (static_cast<float>(button.getHeight()) - tickWidth) * 0.5f, tickWidth, tickWidth,
                button.getToggleState(), button.isEnabled(), shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown);

    if (!button.isEnabled())
        g.setOpacity(0.5f);

    g.setColour(button.findColour(ToggleButton::textColourId));
    g.setFont(fontSize);

    const int textX = roundToInt(tickWidth) + 5;
    g.drawFittedText(button.getButtonText(), textX, 0, jmax(0, button.getWidth() - textX - 2), button.getHeight(),
                     Justification::centredRight, 10);
}

void DemoLook::drawProgressBar(Graphics& g, ProgressBar& progressBar, int width, int height, double progress,
                               const String& textToShow)
{
    if (progress < 0.0 || progress >= 1.0)
    {
        LookAndFeel_V2::drawProgressBar(g, progressBar, width, height, progress, textToShow);
        return;
    }

    const Colour background = progressBar.findColour(ProgressBar::backgroundColourId);
    const Colour foreground = progressBar.findColour(ProgressBar::foregroundColourId);

    g.fillAll(background);

    const int inner = jmax(0, width - 2);
    g.setColour(foreground);
    g.fillRect(1, 1, jlimit(0, inner, roundToInt(inner * progress)), height - 2);

    if (textToShow.isNotEmpty())
    {
        g.setColour(Colour::contrasting(background, foreground));
        g.setFont(static_cast<float>(height) * 0.6f);
        g.drawText(textToShow, 0, 0, width, height, Justification::centred, false);
    }
}

void DemoLook::drawPopupMenuBackground(Graphics&, int, int)
{
}

void DemoLook::drawComboBox(Graphics& g, int width, int height, bool, int buttonX, int buttonY, int buttonW,
                            int buttonH, ComboBox& box)
{
    g.fillAll(box.findColour(ComboBox::backgroundColourId));

    if (box.isEnabled() && box.hasKeyboardFocus(false))
    {
        g.setColour(box.findColour(ComboBox::buttonColourId));
        g.drawRect(0, 0, width, height, 2);
    }
    else
    {
        g.setColour(box.findColour(ComboBox::outlineColourId));
        g.drawRect(0, 0, width, height, 1);
    }

    const auto bx = static_cast<float>(buttonX);
    const auto by = static_cast<float>(buttonY);
    const auto bw = static_cast<float>(buttonW);
    const auto bh = static_cast<float>(buttonH);

    Path arrows;
    arrows.addTriangle(bx + 0.5f * bw, by + (0.45f - 0.2f) * bh, bx + 0.7f * bw, by + 0.45f * bh, bx + 0.3f * bw,
                       by + 0.45f * bh);
    arrows.addTriangle(bx + 0.5f * bw, by + (0.55f + 0.2f) * bh, bx + 0.7f * bw, by + 0.55f * bh, bx + 0.3f * bw,
                       by + 0.55f * bh);

    g.setColour(box.findColour(ComboBox::arrowColourId).withMultipliedAlpha(box.isEnabled() ? 1.0f : 0.3f));
    g.fillPath(arrows);
}
