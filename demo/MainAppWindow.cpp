#include "MainAppWindow.h"

using namespace juce;

MainAppWindow::MainAppWindow()
    : DocumentWindow(JUCEApplication::getInstance()->getApplicationName(), Colours::lightgrey, DocumentWindow::allButtons)
{
    Rectangle<int> userArea(530, 220);
    if (const auto* display = Desktop::getInstance().getDisplays().getPrimaryDisplay())
        userArea = display->userArea;

    centreWithSize(520, 200);
    setVisible(true);
    setResizable(false, false);
    setUsingNativeTitleBar(true);
    // Larger than the window: it grows at once to its fixed content size.
    setResizeLimits(530, 220, jmax(530, userArea.getWidth()), jmax(220, userArea.getHeight()));

    mainComponent = std::make_unique<MainComponent>();
    setName(MainComponent::getAppNameVersion());
    setContentNonOwned(mainComponent.get(), false);
}

MainAppWindow::~MainAppWindow()
{
    clearContentComponent();
    mainComponent.reset();
}

void MainAppWindow::closeButtonPressed()
{
    JUCEApplication::getInstance()->systemRequestedQuit();
}
