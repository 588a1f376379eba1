#pragma once

#include "AudioEngine.h"
#include "DemoLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/// The window's whole content: load or drop a file, see its key for the chosen genre
/// profile and its tuning, play it.
class MainComponent : public juce::Component,
                      public juce::ComboBox::Listener,
                      private AudioEngine::Listener,
                      public juce::FileDragAndDropTarget
{
public:
    MainComponent();
    /// Analyses with the given runner in place of the modal progress window.
    explicit MainComponent(AudioEngine::AnalysisRunner runner);
    ~MainComponent() override;

    /// "KEYRA " and the engine's version up to its first "+".
    static juce::String getAppNameVersion();
    /// The home page the logo opens.
    static juce::String getHomePageAddress();

    void paint(juce::Graphics& g) override;
    void resized() override;

    void comboBoxChanged(juce::ComboBox* box) override;
    bool isInterestedInFileDrag(const juce::StringArray& files) override;
    void filesDropped(const juce::StringArray& files, int x, int y) override;

    /// Shows the last result for the selected genre profile.
    void displayResult();

private:
    void playbackStateChanged() override;

    void analyseFile(const juce::File& file);
    void showMessage(const juce::String& message);
    void stopAndRewind();
    void loadButtonClicked();
    void playButtonClicked();

    DemoLook look;
    AudioEngine audioEngine;
    juce::TextButton playButton { "Play", "Play" };
    juce::TextButton loadButton;
    juce::ComboBox genreBox;
    juce::Label resultLabel1;
    juce::Label resultLabel2;
    juce::Label resultLabel3;
    juce::Label tuningLabel;
    juce::Label copyrightLabel;
    juce::Label versionLabel;
    juce::Label sdkLabel;
    juce::DrawableImage emblem;
    std::unique_ptr<juce::Drawable> logoDrawable;
    juce::DrawableButton logoButton { juce::String(), juce::DrawableButton::ImageFitted };
    bool analysed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainComponent)
};
