#include "KeyraDemoApplication.h"

KeyraDemoApplication::KeyraDemoApplication() = default;

// The window, and with it the audio engine, goes with the application object.
KeyraDemoApplication::~KeyraDemoApplication() = default;

const juce::String KeyraDemoApplication::getApplicationName()
{
    return "Keyra Demo";
}

const juce::String KeyraDemoApplication::getApplicationVersion()
{
    return "0.1.0";
}

bool KeyraDemoApplication::moreThanOneInstanceAllowed()
{
    return true;
}

void KeyraDemoApplication::initialise(const juce::String&)
{
    mainWindow = std::make_unique<MainAppWindow>();
}

void KeyraDemoApplication::shutdown()
{
}

void KeyraDemoApplication::anotherInstanceStarted(const juce::String&)
{
}

void KeyraDemoApplication::systemRequestedQuit()
{
    juce::MessageManager::getInstance()->stopDispatchLoop();
}
