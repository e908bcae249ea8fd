#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_audio_utils/juce_audio_utils.h>

#include <array>

#include "AudioDevEffect.h"
#include "MessageThreadExclusion.h"
#include "ParameterManager.h"

// The plug-in's audio processor: owns the kick chain, the parameters and their
// descriptions, and the waveform view of its output.
class TemplateEffectAudioProcessor : public juce::AudioProcessor,
                                     public ParameterManager::CallbackListener
{
public:
    TemplateEffectAudioProcessor();
    ~TemplateEffectAudioProcessor() override;

    const juce::String getName() const override;
    // Further names hosts may list the effect under, after its name.
    juce::StringArray getAlternateDisplayNames() const override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    // Saved state: an 8-byte header, one line of XML and a zero byte.
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    // Maps one changed parameter onto the chain; runs only inside dispatchPending.
    void onParameterChanged (juce::String paramID) override;

    static constexpr int numParameters = 11;

    // The eleven descriptions below, in host order.
    std::array<const ParameterManager::ParamData*, numParameters> parameterDescriptions() const noexcept;

private:
    // Declared first, so built first and destroyed last: the message thread is
    // kept out of the view's and the parameter tree's timers while a host
    // thread builds the members (until the constructor ends) and destroys them.
    MessageThreadExclusion lifecycleExclusion;

public:
    AudioDevEffect effect;
    ParameterManager parameterManager;

    // The parameter descriptions, in host order. Registration works on copies,
    // so these keep their empty converters where they have them.
    ParameterManager::ParamData powerParam, graphModeParam, kickHarmonicsParam, kickPressureParam,
                                kickSubParam, kickSubFreqParam, kickAirParam, kickMidsParam,
                                kickTransParam, kickCompressionParam, kickWidthParam;

    juce::AudioVisualiserComponent waveformView { 1 };
    juce::AudioBuffer<float> waveformBuffer;   // scratch for the view's mono mix
    const juce::String stateTypeName { "VANTO_GROUNDWORK_COMPLETE_1" };

private:
    void describeParameters();
    juce::ValueTree createStateTree() const;
    void pushToWaveformView (const juce::AudioBuffer<float>& output);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TemplateEffectAudioProcessor)
};
