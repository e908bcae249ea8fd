#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_audio_utils/juce_audio_utils.h>

#include "Background.h"
#include "EmbeddedResources.h"
#include "Links.h"
#include "MyImageComponent.h"
#include "ParameterComponents.h"
#include "QELNagscreen.h"
#include "QELNoteSelector.h"
#include "QELPluginName.h"
#include "QELRotaryControlNew.h"
#include "QELSpectrum.h"

#include <array>
#include <memory>

class TemplateEffectAudioProcessor;

// The plug-in's window, 400 x 477 and not resizable. Owns every widget, binds
// each to one of the processor's parameter descriptions, shows the waveform
// view or the spectrum display as "Graph mode" says, and re-reads every
// parameter every 20 ms so that the widgets follow host automation. Widgets
// write through the parameter manager; nothing here listens to parameters.
class TemplateEffectAudioProcessorEditor : public juce::AudioProcessorEditor,
                                           public juce::Timer
{
public:
    explicit TemplateEffectAudioProcessorEditor (TemplateEffectAudioProcessor& p);
    ~TemplateEffectAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    // The 20 ms poll: applies "Graph mode" and refreshes every widget.
    void timerCallback() override;

    static constexpr int windowWidth = 400;
    static constexpr int windowHeight = 477;
    static constexpr int refreshIntervalMs = 20;

    // "Graph mode" values that show a display; any other shows neither.
    static constexpr int waveGraphMode = 0;
    static constexpr int freqGraphMode = 1;

    static const juce::String storeUrl;

    TemplateEffectAudioProcessor& processor;

    Background background;
    juce::Image panelImage;
    juce::Image captionImage;
    MyImageComponent panelView;
    MyImageComponent captionView;
    std::array<std::unique_ptr<juce::Drawable>, EmbeddedResources::numKnobIcons> knobIcons;
    HyperLinkLogo companyLogo;          // laid out but never shown
    QELPluginName pluginName;           // laid out and refreshed but never shown
    QELUpgradeButton upgradeButton;
    int currentGraphMode = -1;          // the mode last applied; -1 before the first poll
    Editor::QELSpectrum spectrum;
    std::array<juce::String, 2> graphModeLabels;
    ParameterComponentMultiSwitch graphModeSwitch;
    QELRotaryControlNew harmonicsKnob;
    QELRotaryControlNew pressureKnob;
    QELRotaryControlNew subKnob;
    QELNoteSelector subFreqSelector;
    QELRotaryControlNew airKnob;
    QELRotaryControlNew midsKnob;
    QELRotaryControlNew transKnob;
    QELRotaryControlNew compressionKnob;
    QELRotaryControlNew widthKnob;
    QELNagscreen nagscreen;
    QELNagScreenButton infoButton;
    juce::AudioVisualiserComponent* waveformView = nullptr;   // the processor's; not owned

private:
    void applyGraphMode (int mode);
    void addKnob (QELRotaryControlNew& knob, juce::Drawable* icon);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TemplateEffectAudioProcessorEditor)
};
