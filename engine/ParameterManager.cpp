#include "ParameterManager.h"

#include <cmath>

namespace
{
    constexpr int numDefaultDecimals = 2;
}

ParameterManager::ParameterManager (juce::AudioProcessor& processor, CallbackListener* listener)
    : valueTreeState (processor, nullptr),
      callbackListener (listener)
{
    jassert (callbackListener != nullptr);
}

ParameterManager::~ParameterManager() = default;

juce::String ParameterManager::defaultValueToText (float value)
{
    return juce::String (value, numDefaultDecimals);
}

float ParameterManager::defaultTextToValue (const juce::String& text)
{
    // JUCE reads "nan" as a number; a host's text must not set a parameter to it.
    const auto value = text.getDoubleValue();
    return std::isnan (value) ? 0.0f : (float) value;
}

void ParameterManager::addNew (ParamData description)
{
    if (! description.valueToTextFunction)
        description.valueToTextFunction = defaultValueToText;

    if (! description.textToValueFunction)
        description.textToValueFunction = defaultTextToValue;

    const auto attributes = juce::AudioProcessorValueTreeStateParameterAttributes()
                                .withLabel (description.labelText)
                                .withStringFromValueFunction ([toText = description.valueToTextFunction] (float value, int)
                                                              { return toText (value); })
                                .withValueFromStringFunction (description.textToValueFunction)
                                .withCategory (juce::AudioProcessorParameter::genericParameter)
                                .withAutomatable (true)
                                .withMeta (false)
                                .withDiscrete (false)
                                .withBoolean (false);

    valueTreeState.createAndAddParameter (std::make_unique<juce::AudioProcessorValueTreeState::Parameter> (
        juce::ParameterID { description.paramID, 1 },
        description.paramName,
        description.range,
        description.defaultValue,
        attributes));

    valueTreeState.addParameterListener (description.paramID, this);

    // Construction is single-threaded: no lock needed. Every identifier is queued
    // so that the first drain hands every initial value to the processor.
    pendingIds.add (description.paramID);
}

void ParameterManager::parameterChanged (const juce::String& parameterID, float)
{
    const juce::ScopedLock lock (pendingLock);
    pendingIds.addIfNotAlreadyThere (parameterID);
}

void ParameterManager::dispatchPending()
{
    const juce::ScopedTryLock lock (pendingLock);

    if (! lock.isLocked())
        return;

    const auto numPending = pendingIds.size();

    for (int i = 0; i < numPending; ++i)
        callbackListener->onParameterChanged (pendingIds.getReference (i));

    // Keeps the storage: this runs on the audio thread, which must not free memory.
    pendingIds.clearQuick();
}

juce::AudioParameterFloat* ParameterManager::findParameter (const juce::String& paramID) const
{
    return dynamic_cast<juce::AudioParameterFloat*> (valueTreeState.getParameter (paramID));
}

void ParameterManager::setParameterValue (juce::String paramID, float plainValue)
{
    auto* parameter = findParameter (paramID);

    if (parameter == nullptr)
    {
        jassertfalse;
        return;
    }

    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
    parameter->endChangeGesture();
}

float ParameterManager::getParameterValue (juce::String paramID) const
{
    if (auto* parameter = findParameter (paramID))
        return parameter->get();

    jassertfalse;
    return 0.0f;
}
