#pragma once

// Processors for tests: they record (or throw from) the parameter deliveries
// instead of mapping them onto the chain.

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "PluginProcessor.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

struct Delivery
{
    juce::String paramID;
    float value;
};

class RecordingProcessor : public TemplateEffectAudioProcessor
{
public:
    void onParameterChanged (juce::String paramID) override
    {
        deliveries.push_back ({ paramID, parameterManager.getParameterValue (paramID) });

        if (duringDelivery)
            duringDelivery();
    }

    std::vector<juce::String> deliveredIds() const
    {
        std::vector<juce::String> ids;

        for (const auto& d : deliveries)
            ids.push_back (d.paramID);

        return ids;
    }

    std::vector<Delivery> takeDeliveries() { return std::exchange (deliveries, {}); }

    std::vector<Delivery> deliveries;
    std::function<void()> duringDelivery; // runs inside the drain, with the queue locked
};

class ThrowingProcessor : public TemplateEffectAudioProcessor
{
public:
    void onParameterChanged (juce::String) override { throw std::runtime_error ("delivery failed"); }
};

// Host order of the parameter identifiers.
inline const std::vector<juce::String>& hostOrderIds()
{
    static const std::vector<juce::String> ids { "powerId", "graphModeId", "Kick_HarmonicsId", "Kick_PressureId",
                                                 "Kick_SubId", "Kick_SubFreqId", "Kick_AirId", "Kick_MidsId",
                                                 "Kick_TransId", "Kick_CompressionId", "Kick_WidthId" };
    return ids;
}

// Tests that build processors directly need the framework initialised, as the
// host does before it loads the module.
class ProcessorTest : public ::testing::Test
{
protected:
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
};
