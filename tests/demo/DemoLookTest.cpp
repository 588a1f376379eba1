#include "DemoLook.h"

#include <gtest/gtest.h>

using namespace juce;

namespace
{
Image drawProgress(DemoLook& look, double value, int width, int height)
{
    double progress = value;
    ProgressBar bar(progress);
    bar.setLookAndFeel(&look);
    bar.setColour(ProgressBar::backgroundColourId, Colours::white);
    Image image(Image::ARGB, width, height, true);
    Graphics g(image);
    look.drawProgressBar(g, bar, width, height, value, {});
    bar.setLookAndFeel(nullptr);
    return image;
}

Image drawButton(DemoLook& look, int connectedEdges, bool down)
{
    TextButton button;
    button.setSize(61, 26);
    button.setConnectedEdges(connectedEdges);
    Image image(Image::ARGB, 61, 26, true);
    Graphics g(image);
    look.drawButtonBackground(g, button, Colours::lightblue, false, down);
    return image;
}
}

TEST(DemoLook, FillsThePartOfTheBarThatIsDone)
{
    DemoLook look;
    const auto image = drawProgress(look, 0.5, 102, 10);
    const Colour foreground(0xFF969696);
    for (int x = 1; x <= 50; ++x)
        EXPECT_EQ(image.getPixelAt(x, 5), foreground) << x;
    for (int x = 51; x <= 100; ++x)
        EXPECT_EQ(image.getPixelAt(x, 5), Colours::white) << x;
    EXPECT_EQ(image.getPixelAt(0, 5), Colours::white);
}

TEST(DemoLook, LeavesACompleteBarToTheBaseLook)
{
    DemoLook look;
    const auto image = drawProgress(look, 1.0, 102, 10);
    int foregroundPixels = 0;
    for (int x = 1; x <= 100; ++x)
        foregroundPixels += image.getPixelAt(x, 5) == Colour(0xFF969696) ? 1 : 0;
    EXPECT_LT(foregroundPixels, 100);
}

TEST(DemoLook, RoundsOnlyTheCornersOfUnconnectedEdges)
{
    DemoLook look;
    const auto free = drawButton(look, 0, false);
    const auto joinedLeft = drawButton(look, Button::ConnectedOnLeft, false);

    // A rounded corner leaves the corner pixel transparent; a square one strokes it.
    // The outline runs along (0.5, 0.5, 60, 25), so the corner pixels are 0 and 60, 0 and 25.
    EXPECT_LT(free.getPixelAt(0, 0).getAlpha(), 32);
    EXPECT_LT(free.getPixelAt(60, 25).getAlpha(), 32);
    EXPECT_GT(joinedLeft.getPixelAt(0, 0).getAlpha(), 64);
    EXPECT_GT(joinedLeft.getPixelAt(0, 25).getAlpha(), 64);
    EXPECT_LT(joinedLeft.getPixelAt(60, 0).getAlpha(), 32);
}

TEST(DemoLook, FillsAPressedButtonLikeAReleasedOne)
{
    DemoLook look;
    const auto up = drawButton(look, 0, false);
    const auto down = drawButton(look, 0, true);
    for (int y = 4; y < 22; ++y)
        EXPECT_EQ(up.getPixelAt(30, y), down.getPixelAt(30, y)) << y;
}
