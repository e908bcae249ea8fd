#include <gtest/gtest.h>

#include "ProcessorProbes.h"

#include <cmath>
#include <limits>

namespace
{
    using ParameterTable = ProcessorTest;

    struct Expected
    {
        const char* name;
        const char* label;
        float start, end, defaultValue;
        int numSteps;
    };

    TEST_F (ParameterTable, ProcessorListsTheElevenParametersInHostOrder)
    {
        const Expected expected[] = {
            { "Power", "", 0, 1, 1, 2 },
            { "Graph mode", "", 0, 3, 1, 4 },
            { "Kick Harmonics", "%", 0, 100, 0, 101 },
            { "Kick Pressure", "%", 0, 100, 0, 101 },
            { "Kick Sub", "%", 0, 100, 0, 101 },
            { "Kick Sub Freq", "", 0, 11, 0, 12 },
            { "Kick Air", "%", 0, 100, 0, 101 },
            { "Kick Mid", "%", 0, 200, 100, 201 },
            { "Kick Trans", "%", 0, 100, 0, 101 },
            { "Kick Comp", "%", 0, 100, 0, 101 },
            { "Kick Width", "%", 0, 200, 100, 201 },
        };

        TemplateEffectAudioProcessor processor;
        const auto& parameters = processor.getParameters();
        ASSERT_EQ (parameters.size(), 11);

        for (int i = 0; i < parameters.size(); ++i)
        {
            SCOPED_TRACE (hostOrderIds()[(size_t) i]);
            auto* parameter = dynamic_cast<juce::AudioParameterFloat*> (parameters[i]);
            ASSERT_NE (parameter, nullptr);
            const auto& e = expected[i];

            EXPECT_EQ (parameter->paramID, hostOrderIds()[(size_t) i]);
            EXPECT_EQ (parameter->getName (100), e.name);
            EXPECT_EQ (parameter->getLabel(), e.label);
            EXPECT_EQ (parameter->range.start, e.start);
            EXPECT_EQ (parameter->range.end, e.end);
            EXPECT_EQ (parameter->range.interval, 1.0f);
            EXPECT_EQ (parameter->get(), e.defaultValue);
            EXPECT_EQ (parameters[i]->getNumSteps(), e.numSteps);
            EXPECT_TRUE (parameter->isAutomatable());
            EXPECT_FALSE (parameter->isMetaParameter());
            EXPECT_FALSE (parameter->isDiscrete());
            EXPECT_FALSE (parameter->isBoolean());
            EXPECT_EQ (parameter->getCategory(), juce::AudioProcessorParameter::genericParameter);

            const auto* description = processor.parameterDescriptions()[(size_t) i];
            EXPECT_EQ (description->paramID, parameter->paramID);
            EXPECT_EQ (description->defaultValue, e.defaultValue);
        }
    }

    TEST_F (ParameterTable, ChoiceParametersConvertBetweenValuesAndNames)
    {
        TemplateEffectAudioProcessor processor;
        const auto& power = processor.powerParam;
        const auto& graph = processor.graphModeParam;
        const auto& note = processor.kickSubFreqParam;

        EXPECT_EQ (power.valueToTextFunction (0.0f), "Off");
        EXPECT_EQ (power.valueToTextFunction (1.0f), "On");
        EXPECT_EQ (power.textToValueFunction ("On"), 1.0f);
        EXPECT_EQ (power.textToValueFunction ("Off"), 0.0f);
        EXPECT_EQ (power.textToValueFunction ("on"), 0.0f);
        EXPECT_EQ (power.textToValueFunction ("ON"), 0.0f);

        EXPECT_EQ (graph.valueToTextFunction (1.0f), "Freq");
        EXPECT_EQ (graph.valueToTextFunction (3.0f), "Osc");
        EXPECT_EQ (graph.textToValueFunction ("Spec"), 2.0f);
        EXPECT_EQ (graph.textToValueFunction ("Wave"), 0.0f);
        EXPECT_EQ (graph.textToValueFunction ("Spec "), 0.0f);

        EXPECT_EQ (note.valueToTextFunction (0.0f), "C");
        EXPECT_EQ (note.valueToTextFunction (1.0f), "C#");
        EXPECT_EQ (note.valueToTextFunction (10.0f), "A#");
        EXPECT_EQ (note.valueToTextFunction (11.0f), "B");
        EXPECT_EQ (note.valueToTextFunction (11.49f), "B");
        EXPECT_EQ (note.valueToTextFunction (11.5f), "");
        EXPECT_EQ (note.valueToTextFunction (-4.0f), "C");
        EXPECT_EQ (note.valueToTextFunction (std::numeric_limits<float>::quiet_NaN()), "");
        EXPECT_EQ (note.textToValueFunction ("A#"), 10.0f);
        EXPECT_EQ (note.textToValueFunction ("Bb"), 0.0f);

        for (const auto* choice : { &power, &graph, &note })
        {
            EXPECT_EQ (choice->valueToTextFunction (0.49f), choice->valueToTextFunction (0.0f));
            EXPECT_EQ (choice->valueToTextFunction (0.5f), choice->valueToTextFunction (1.0f));
        }
    }

    TEST_F (ParameterTable, HostSeesChoiceNamesAndTwoDecimalPercentages)
    {
        TemplateEffectAudioProcessor processor;
        auto& state = processor.parameterManager.valueTreeState;

        EXPECT_EQ (state.getParameter ("powerId")->getCurrentValueAsText(), "On");
        EXPECT_EQ (state.getParameter ("graphModeId")->getCurrentValueAsText(), "Freq");
        EXPECT_EQ (state.getParameter ("Kick_SubFreqId")->getCurrentValueAsText(), "C");
        EXPECT_EQ (state.getParameter ("Kick_MidsId")->getCurrentValueAsText(), "100.00");
        EXPECT_EQ (state.getParameter ("Kick_SubFreqId")->getText (10.0f / 11.0f, 0), "A#");
        EXPECT_FLOAT_EQ (state.getParameter ("Kick_SubFreqId")->getValueForText ("B"), 1.0f);
        EXPECT_EQ (state.getParameter ("Kick_HarmonicsId")->getText (0.5f, 0), "50.00");

        // Only the three choice descriptions carry converters of their own.
        int withConverters = 0;

        for (const auto* description : processor.parameterDescriptions())
            withConverters += description->valueToTextFunction && description->textToValueFunction ? 1 : 0;

        EXPECT_EQ (withConverters, 3);
    }
}
