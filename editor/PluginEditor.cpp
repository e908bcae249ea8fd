#include "PluginEditor.h"

#include "EmbeddedResources.h"
#include "PluginProcessor.h"

#include <cmath>

namespace
{
const juce::Colour graphModeLabelColour { 0xFF414141u };
const juce::Colour noteColour { 0xFFC0B38Bu };
const juce::Colour overlayGradientColour { 0xFFF8934Fu };
constexpr float graphModeFontHeight = 13.0f;
constexpr float noteFontHeight = 12.0f;
constexpr int numGraphModeOptions = 2;
constexpr int numNoteSelectorOptions = 10;

// "Graph mode" as a whole number, truncated toward zero; a value that is not
// finite shows no display rather than reaching an integer cast.
int graphModeFromValue (float value) noexcept
{
    constexpr auto noDisplay = -2;
    return std::isfinite (value) ? (int) juce::jlimit (-1.0e6f, 1.0e6f, value) : noDisplay;
}
}

const juce::String TemplateEffectAudioProcessorEditor::storeUrl {
    "https://store.vanto.example/fanlink/detail/1762-vanto-groundwork" };

TemplateEffectAudioProcessorEditor::TemplateEffectAudioProcessorEditor (TemplateEffectAudioProcessor& p)
    : juce::AudioProcessorEditor (p),
      processor (p),
      pluginName (&p.parameterManager, p.powerParam),
      spectrum (&p.effect),
      graphModeSwitch (&p.parameterManager, p.graphModeParam, numGraphModeOptions),
      harmonicsKnob (&p.parameterManager, p.kickHarmonicsParam, nullptr),
      pressureKnob (&p.parameterManager, p.kickPressureParam, nullptr),
      subKnob (&p.parameterManager, p.kickSubParam, &subFreqSelector),
      subFreqSelector (&p.parameterManager, p.kickSubFreqParam, numNoteSelectorOptions),
      airKnob (&p.parameterManager, p.kickAirParam, nullptr),
      midsKnob (&p.parameterManager, p.kickMidsParam, nullptr),
      transKnob (&p.parameterManager, p.kickTransParam, nullptr),
      compressionKnob (&p.parameterManager, p.kickCompressionParam, nullptr),
      widthKnob (&p.parameterManager, p.kickWidthParam, nullptr)
{
    pluginName.font = juce::Font (EmbeddedResources::blackTypeface());
    pluginName.nameColour = juce::Colours::white;
    pluginName.nameText = "MyLogo";
    pluginName.subText = "Sub";

    // A click anywhere outside a focusable widget lands here, which ends any
    // typing in a knob's value box and commits it.
    setWantsKeyboardFocus (true);

    const juce::Font bookFont (EmbeddedResources::bookTypeface());

    panelImage = EmbeddedResources::panelPicture();
    captionImage = EmbeddedResources::captionPicture();
    panelView.image = &panelImage;
    captionView.image = &captionImage;

    for (auto i = 0; i < EmbeddedResources::numKnobIcons; ++i)
        knobIcons[(size_t) i] = EmbeddedResources::createKnobIcon ((EmbeddedResources::KnobIcon) i);

    // Children back to front: the order decides what covers what.
    addAndMakeVisible (background);
    addAndMakeVisible (captionView);
    addAndMakeVisible (panelView);
    addAndMakeVisible (spectrum);
    waveformView = &processor.waveformView;
    addAndMakeVisible (waveformView);

    graphModeLabels = { "wave", "freq" };
    graphModeSwitch.vertical = true;
    graphModeSwitch.font = bookFont.withHeight (graphModeFontHeight);
    graphModeSwitch.colour = graphModeLabelColour;
    graphModeSwitch.labels = juce::StringArray (graphModeLabels.data(), (int) graphModeLabels.size());
    addAndMakeVisible (graphModeSwitch);

    using Icon = EmbeddedResources::KnobIcon;
    const auto iconFor = [this] (Icon icon) { return knobIcons[(size_t) icon].get(); };
    addKnob (harmonicsKnob, iconFor (Icon::harmonics));
    addKnob (pressureKnob, iconFor (Icon::pressure));
    addKnob (subKnob, nullptr);
    subFreqSelector.noteFont = bookFont.withHeight (noteFontHeight);
    subFreqSelector.noteColour = noteColour;
    addAndMakeVisible (subFreqSelector);
    addKnob (airKnob, iconFor (Icon::air));
    addKnob (midsKnob, iconFor (Icon::mids));
    addKnob (transKnob, iconFor (Icon::trans));
    addKnob (compressionKnob, iconFor (Icon::compression));
    addKnob (widthKnob, iconFor (Icon::width));

    upgradeButton.url = storeUrl;
    addAndMakeVisible (upgradeButton);

    infoButton.normalImage = EmbeddedResources::infoButtonPicture();
    infoButton.hoverImage = EmbeddedResources::infoButtonHoverPicture();
    addAndMakeVisible (infoButton);
    infoButton.onClick = [this] { nagscreen.setVisible (true); };

    nagscreen.gradientColour = overlayGradientColour;
    addAndMakeVisible (nagscreen);
    nagscreen.setVisible (false);

    setSize (windowWidth, windowHeight);

    // The first view and every widget are right before the first paint.
    timerCallback();
    startTimer (refreshIntervalMs);
}

TemplateEffectAudioProcessorEditor::~TemplateEffectAudioProcessorEditor()
{
    // No tick may reach half-destroyed widgets.
    stopTimer();
}

void TemplateEffectAudioProcessorEditor::addKnob (QELRotaryControlNew& knob, juce::Drawable* icon)
{
    knob.dotColour = juce::Colours::white;
    knob.name = {};     // the caption picture carries the names
    if (icon != nullptr)
        knob.icon = icon;
    addAndMakeVisible (knob);
}

void TemplateEffectAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void TemplateEffectAudioProcessorEditor::resized()
{
    const auto bounds = getLocalBounds();
    background.setBounds (bounds);
    panelView.setBounds (bounds);
    captionView.setBounds (bounds);
    pluginName.setBounds (23, 12, 137, 20);
    companyLogo.setBounds (20, 100, 200, 40);
    upgradeButton.setBounds (320, 11, 76, 24);
    graphModeSwitch.setBounds (345, 50, 50, 30);

    const juce::Rectangle<int> displayArea { 0, 48, 400, 140 };
    spectrum.setBounds (displayArea);
    waveformView->setBounds (displayArea);

    subKnob.place (26, 210, 0);
    midsKnob.place (120, 210, -2);
    airKnob.place (212, 210, 0);
    transKnob.place (307, 210, 0);
    harmonicsKnob.place (26, 337, 0);
    pressureKnob.place (120, 337, 0);
    subFreqSelector.setBounds (36, 227, 43, 31);
    compressionKnob.place (212, 337, 0);
    widthKnob.place (307, 337, 0);

    nagscreen.setBounds (bounds);
    infoButton.setBounds (5, 456, 15, 15);
}

void TemplateEffectAudioProcessorEditor::applyGraphMode (int mode)
{
    currentGraphMode = mode;
    spectrum.setVisible (false);
    waveformView->setVisible (false);
    if (mode == freqGraphMode)
        spectrum.setVisible (true);
    else if (mode == waveGraphMode)
        waveformView->setVisible (true);
}

void TemplateEffectAudioProcessorEditor::timerCallback()
{
    auto& manager = processor.parameterManager;
    const auto graphModeValue = manager.getParameterValue (processor.graphModeParam.paramID);

    const auto mode = graphModeFromValue (graphModeValue);
    if (mode != currentGraphMode)
        applyGraphMode (mode);

    pluginName.refreshFromParameter();

    graphModeSwitch.value = graphModeValue;
    graphModeSwitch.repaint();
    spectrum.repaint();

    harmonicsKnob.refreshFromParameter();
    pressureKnob.refreshFromParameter();
    subKnob.refreshFromParameter();
    subFreqSelector.refreshFromParameter();
    airKnob.refreshFromParameter();
    midsKnob.refreshFromParameter();
    transKnob.refreshFromParameter();
    compressionKnob.refreshFromParameter();
    widthKnob.refreshFromParameter();
}
