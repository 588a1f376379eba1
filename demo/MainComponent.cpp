#include "MainComponent.h"

#include "CvtrFileExtensionCheck.h"
#include "DemoResources.h"
#include "ProcessFileWindow.h"

#include <KeyraIf.h>

using namespace juce;

namespace
{
const Font resultFont { 30.0f, Font::bold };
const Font messageFont { 15.0f };

String copyrightNotice()
{
    return String(CharPointer_UTF8("\xc2\xa9 ")) + String(Time::getCurrentTime().getYear()) + " Keyra contributors";
}

std::unique_ptr<Drawable> loadLogo()
{
    const auto xml = parseXML(String::fromUTF8(DemoResources::logo_svg, DemoResources::logo_svgSize));
    return xml != nullptr ? Drawable::createFromSVG(*xml) : nullptr;
}
}

MainComponent::MainComponent() : MainComponent(ProcessFileWindow::analyse)
{
}

MainComponent::MainComponent(AudioEngine::AnalysisRunner runner) : audioEngine(std::move(runner))
{
    LookAndFeel::setDefaultLookAndFeel(&look);
    audioEngine.addListener(this);

    playButton.setEnabled(false);
    playButton.onClick = [this] { playButtonClicked(); };

    loadButton.setButtonText("Load");
    loadButton.onClick = [this] { loadButtonClicked(); };

    genreBox.setTextWhenNothingSelected("Select genre...");
    genreBox.addItem("general", 1);
    genreBox.addItem("electronic", 2);
    genreBox.addListener(this);

    resultLabel1.setText("Drop an audio file to start analysis!", dontSendNotification);
    resultLabel1.setFont(messageFont);
    resultLabel1.setJustificationType(Justification::centred);
    resultLabel1.setEditable(false);

    resultLabel2.setFont(Font(20.0f));
    resultLabel3.setFont(Font(20.0f));

    tuningLabel.setFont(Font(15.0f));
    tuningLabel.setJustificationType(Justification::centred);
    tuningLabel.setEditable(false);

    copyrightLabel.setFont(Font(Font::getDefaultSansSerifFontName(), 12.0f, Font::plain));
    copyrightLabel.setText(copyrightNotice(), dontSendNotification);

    versionLabel.setFont(Font(Font::getDefaultSansSerifFontName(), 24.0f, Font::plain));
    versionLabel.setText(getAppNameVersion(), dontSendNotification);

    sdkLabel.setFont(Font(Font::getDefaultSansSerifFontName(), 24.0f, Font::plain));
    sdkLabel.setText("SDK Demo", dontSendNotification);

    emblem.setImage(ImageCache::getFromMemory(DemoResources::emblem_png, DemoResources::emblem_pngSize));
    emblem.setOverlayColour(Colours::black);

    logoDrawable = loadLogo();
    logoButton.setImages(logoDrawable.get());
    logoButton.setTooltip("launch : " + getHomePageAddress());
    logoButton.onClick = [] { URL(getHomePageAddress()).launchInDefaultBrowser(); };

    setSize(300, 300);

    addAndMakeVisible(playButton);
    addAndMakeVisible(genreBox);
    addAndMakeVisible(resultLabel1);
    addChildComponent(resultLabel2);
    addChildComponent(resultLabel3);
    addAndMakeVisible(loadButton);
    addAndMakeVisible(tuningLabel);
    addAndMakeVisible(versionLabel);
    addAndMakeVisible(sdkLabel);
    addAndMakeVisible(copyrightLabel);
    addAndMakeVisible(logoButton);
    addAndMakeVisible(emblem);
}

MainComponent::~MainComponent()
{
    audioEngine.removeListener(this);
    genreBox.removeListener(this);
    LookAndFeel::setDefaultLookAndFeel(nullptr);
}

String MainComponent::getAppNameVersion()
{
    return "KEYRA " + String(KeyraIf::getVersion()).upToFirstOccurrenceOf("+", false, false);
}

String MainComponent::getHomePageAddress()
{
    return "https://keyra.example.org/";
}

void MainComponent::paint(Graphics& g)
{
    const auto width = static_cast<float>(getWidth());
    const auto height = static_cast<float>(getHeight());
    g.setGradientFill(ColourGradient(Colours::white, 0.0f, height, Colour(0xFFEAEAEA), width, 0.0f, false));
    g.fillRoundedRectangle(getLocalBounds().toFloat(), 2.0f);
}

void MainComponent::resized()
{
    FlexBox keyColumn;
    keyColumn.flexDirection = FlexBox::Direction::column;
    keyColumn.items.add(FlexItem(resultLabel1).withFlex(1.0f));
    keyColumn.items.add(FlexItem(resultLabel2).withFlex(1.0f));
    keyColumn.items.add(FlexItem(resultLabel3).withFlex(1.0f));

    FlexBox resultRow;
    resultRow.items.add(FlexItem(tuningLabel).withWidth(100.0f));
    resultRow.items.add(FlexItem(keyColumn).withWidth(200.0f));
    resultRow.items.add(FlexItem().withFlex(1.0f));
    resultRow.items.add(FlexItem(logoButton).withWidth(100.0f));

    FlexBox controlsRow;
    controlsRow.items.add(FlexItem(loadButton).withWidth(60.0f));
    controlsRow.items.add(FlexItem().withWidth(20.0f));
    controlsRow.items.add(FlexItem(genreBox).withFlex(1.0f));
    controlsRow.items.add(FlexItem().withWidth(20.0f));
    controlsRow.items.add(FlexItem(playButton).withWidth(60.0f));

    FlexBox titleColumn;
    titleColumn.flexDirection = FlexBox::Direction::column;
    const float versionWidth = std::ceil(versionLabel.getFont().getStringWidthFloat(versionLabel.getText()));
    titleColumn.items.add(FlexItem(versionLabel).withWidth(versionWidth).withFlex(1.0f));
    titleColumn.items.add(FlexItem(copyrightLabel).withFlex(1.0f));

    FlexBox headerRow;
    headerRow.items.add(FlexItem(emblem).withWidth(55.0f));
    headerRow.items.add(FlexItem().withWidth(10.0f));
    headerRow.items.add(FlexItem(titleColumn).withWidth(250.0f));

    FlexBox mainBox;
    mainBox.flexDirection = FlexBox::Direction::column;
    mainBox.items.add(FlexItem(headerRow).withHeight(70.0f));
    mainBox.items.add(FlexItem().withHeight(10.0f));
    mainBox.items.add(FlexItem(controlsRow).withHeight(25.0f));
    mainBox.items.add(FlexItem().withHeight(40.0f));
    mainBox.items.add(FlexItem(resultRow).withHeight(30.0f));
    mainBox.items.add(FlexItem().withHeight(10.0f));

    mainBox.performLayout(getLocalBounds().reduced(10));

    const auto header = mainBox.items[0].currentBounds;
    const auto controls = mainBox.items[2].currentBounds;
    const auto logo = resultRow.items[3].currentBounds;
    const auto keyItem = resultRow.items[1].currentBounds;
    const auto slot2 = keyColumn.items[1].currentBounds;
    const auto slot3 = keyColumn.items[2].currentBounds;
    const auto emblemItem = headerRow.items[0].currentBounds;

    logoButton.setBounds(
        Rectangle<float>(logo.getX(), logo.getY() - 5.0f, logo.getWidth() + 5.0f, logo.getHeight() + 5.0f).toNearestInt());

    emblem.setBoundingBox(Rectangle<float>(emblemItem.getX() - 5.0f, emblemItem.getY() - 5.0f,
                                           jmax(0.0f, emblemItem.getWidth() + 10.0f), jmax(0.0f, emblemItem.getHeight())));

    sdkLabel.setBounds(Rectangle<float>(static_cast<float>(versionLabel.getRight()) + 2.0f, 3.0f - header.getY(),
                                        static_cast<float>(getWidth()), header.getHeight())
                           .toNearestInt());

    resultLabel1.setBounds(Rectangle<float>(resultRow.items[0].currentBounds.getX(), 90.0f + controls.getHeight(),
                                            controls.getWidth(), controls.getHeight() + 8.0f)
                               .toNearestInt());

    const float keyLabelX = keyItem.getX() + keyItem.getWidth() / 2.0f - 10.0f;
    resultLabel2.setBounds(
        Rectangle<float>(keyLabelX, slot2.getY() - 15.0f, slot2.getWidth(), slot2.getHeight() + 8.0f).toNearestInt());
    resultLabel3.setBounds(
        Rectangle<float>(keyLabelX, slot3.getY() - 5.0f, slot3.getWidth(), slot3.getHeight() + 8.0f).toNearestInt());
}

void MainComponent::comboBoxChanged(ComboBox*)
{
    displayResult();
}

bool MainComponent::isInterestedInFileDrag(const StringArray& files)
{
    return CvtrFileExtensionCheck::isFileValid(files.isEmpty() ? File() : File(files[0]));
}

void MainComponent::filesDropped(const StringArray& files, int, int)
{
    const File file = files.isEmpty() ? File() : File(files[0]);
    if (!CvtrFileExtensionCheck::isFileValid(file))
    {
        resultLabel1.setText("Unsupported file format!", dontSendNotification);
        return;
    }

    stopAndRewind();
    analyseFile(file);
}

void MainComponent::displayResult()
{
    if (!analysed)
        return;

    if (genreBox.getSelectedId() == 0)
        genreBox.setSelectedId(1, sendNotification);

    using Outcome = KeyraFileProcessor::Result::Outcome;
    const auto& result = audioEngine.getLastResult();
    if (result.outcome != Outcome::analysed)
    {
        showMessage(result.outcome == Outcome::cancelled ? "Analysis cancelled." : "Could not read this file.");
        return;
    }

    if (resultLabel1.getFont() != resultFont)
        resultLabel1.setFont(resultFont);

    const String genre = genreBox.getText();
    if (genre == "general")
    {
        resultLabel1.setText("1. " + result.generalKey1, dontSendNotification);
        resultLabel2.setText("2.   " + result.generalKey2, dontSendNotification);
        resultLabel3.setText("3.   " + result.generalKey3, dontSendNotification);
    }
    else if (genre == "electronic")
    {
        resultLabel1.setText("1. " + result.electronicKey1, dontSendNotification);
        resultLabel2.setText("2.   " + result.electronicKey2, dontSendNotification);
        resultLabel3.setText("3.   " + result.electronicKey3, dontSendNotification);
    }

    tuningLabel.setText("A4 @ " + String(static_cast<double>(result.tuningFrequency), 1) + " Hz", dontSendNotification);
    resultLabel2.setVisible(true);
    resultLabel3.setVisible(true);
}

void MainComponent::playbackStateChanged()
{
    const String text = audioEngine.getTransport().isPlaying() ? "Stop" : "Play";
    if (playButton.getButtonText() != text)
        playButton.setButtonText(text);
}

void MainComponent::analyseFile(const File& file)
{
    audioEngine.process(file);
    analysed = true;
    displayResult();
    playButton.setButtonText("Play");
    playButton.setEnabled(audioEngine.hasPlayableFile());
}

// A message in place of a result: no keys, no tuning that nobody measured.
void MainComponent::showMessage(const String& message)
{
    if (resultLabel1.getFont() != messageFont)
        resultLabel1.setFont(messageFont);
    resultLabel1.setText(message, dontSendNotification);
    resultLabel2.setVisible(false);
    resultLabel3.setVisible(false);
    tuningLabel.setText(String(), dontSendNotification);
}

void MainComponent::stopAndRewind()
{
    auto& transport = audioEngine.getTransport();
    transport.stop();
    transport.setPosition(0.0);
}

void MainComponent::loadButtonClicked()
{
    stopAndRewind();
    playButton.setButtonText("Play");

    StringArray patterns;
    for (const auto& extension : CvtrFileExtensionCheck::getWildcardList())
        patterns.add("*" + extension);

    FileChooser chooser("Please select an audio file...", File::getSpecialLocation(File::userHomeDirectory),
                        patterns.joinIntoString(";"));
    if (chooser.browseForFileToOpen())
        analyseFile(chooser.getResult());

    // Playable only once a file has been loaded: a cancelled dialog leaves it as it was.
    playButton.setEnabled(audioEngine.hasPlayableFile());
}

void MainComponent::playButtonClicked()
{
    auto& transport = audioEngine.getTransport();
    if (transport.isPlaying())
    {
        transport.stop();
        transport.setPosition(0.0);
    }
    else
    {
        if (transport.hasStreamFinished())
            transport.setPosition(0.0);
        transport.start();
    }

    playButton.setButtonText(transport.isPlaying() ? "Stop" : "Play");
}
