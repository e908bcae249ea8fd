#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

// Creates the processor's parameters from plain descriptions, queues the
// identifier of every parameter whose value changes, and hands the queued
// identifiers to the processor on the audio thread without ever waiting for
// the queue's lock. Values cross this interface as plain (unnormalised) floats.
class ParameterManager : public juce::AudioProcessorValueTreeState::Listener
{
public:
    // A parameter description, passed and stored by value.
    struct ParamData
    {
        juce::String paramID;
        juce::String paramName;
        juce::String labelText;
        juce::NormalisableRange<float> range { 0.0f, 1.0f, 1.0f };
        float defaultValue = 0.0f;
        std::function<juce::String (float)> valueToTextFunction;
        std::function<float (const juce::String&)> textToValueFunction;
    };

    // Receives each changed parameter identifier when the queue is drained.
    class CallbackListener
    {
    public:
        virtual ~CallbackListener() = default;
        virtual void onParameterChanged (juce::String paramID) = 0;
    };

    ParameterManager (juce::AudioProcessor& processor, CallbackListener* listener);
    ~ParameterManager() override;

    // Registration, during the processor's construction, in host order.
    // Empty converters are filled with the defaults in this call's own copy only.
    void addNew (ParamData description);

    // Queues the identifier once, whatever the calling thread.
    void parameterChanged (const juce::String& parameterID, float newValue) override;

    // Delivers every queued identifier, in queue order. Only try-locks: when the
    // queue is busy it returns at once and the identifiers wait for the next call.
    void dispatchPending();

    // One whole host gesture: begin, set (clamped to the range) and notify, end.
    void setParameterValue (juce::String paramID, float plainValue);
    float getParameterValue (juce::String paramID) const;

    // The default converters given to a description that leaves them empty.
    static juce::String defaultValueToText (float value);
    static float defaultTextToValue (const juce::String& text);

    juce::AudioProcessorValueTreeState valueTreeState;

private:
    juce::AudioParameterFloat* findParameter (const juce::String& paramID) const;

    juce::Array<juce::String> pendingIds;
    juce::CriticalSection pendingLock;
    CallbackListener* const callbackListener;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterManager)
};
