// The processor's saved-state reader fed with any bytes, as a host restoring a
// damaged, truncated or foreign chunk would. Whatever comes in, no exception
// leaves the reader, every parameter keeps a finite value inside its range,
// and what the writer then saves restores to the values first restored, saves
// again to the same bytes, and in another processor, whatever it held, restores
// the same values.

#include "FuzzSupport.h"
#include "PluginProcessor.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{
    struct Session
    {
        juce::ScopedJuceInitialiser_GUI juce;
        TemplateEffectAudioProcessor processor;
        TemplateEffectAudioProcessor restored;
    };

    Session& session()
    {
        static Session s;
        return s;
    }

    using Values = std::array<float, TemplateEffectAudioProcessor::numParameters>;

    Values values (TemplateEffectAudioProcessor& processor)
    {
        Values result {};
        const auto descriptions = processor.parameterDescriptions();

        for (size_t i = 0; i < descriptions.size(); ++i)
            result[i] = processor.parameterManager.getParameterValue (descriptions[i]->paramID);

        return result;
    }

    // Every parameter at one end of its range (0 or 1, normalised), so that
    // a state restored over it shows whether it was taken.
    void setEveryParameterTo (TemplateEffectAudioProcessor& processor, float normalised)
    {
        for (const auto* description : processor.parameterDescriptions())
            processor.parameterManager.valueTreeState.getParameter (description->paramID)->setValueNotifyingHost (normalised);
    }

    void expectEveryParameterInRange (TemplateEffectAudioProcessor& processor)
    {
        for (const auto* description : processor.parameterDescriptions())
        {
            const auto value = processor.parameterManager.getParameterValue (description->paramID);
            FUZZ_EXPECT (std::isfinite (value));
            FUZZ_EXPECT (value >= description->range.start && value <= description->range.end);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    auto& processor = session().processor;
    auto& restored = session().restored;

    // An exact-size copy, so any read past the block's end is reported.
    juce::HeapBlock<std::uint8_t> block (size);
    if (size > 0)
        std::memcpy (block.get(), data, size);

    processor.setStateInformation (block.get(), (int) size);
    expectEveryParameterInRange (processor);
    const auto restoredValues = values (processor);

    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    processor.setStateInformation (saved.getData(), (int) saved.getSize());
    FUZZ_EXPECT (values (processor) == restoredValues);

    juce::MemoryBlock savedAgain;
    processor.getStateInformation (savedAgain);
    FUZZ_EXPECT (saved == savedAgain);

    // Restored over either end of every range: a saved state that another
    // processor refused would leave one of the two as it was.
    for (const auto end : { 0.0f, 1.0f })
    {
        setEveryParameterTo (restored, end);
        restored.setStateInformation (saved.getData(), (int) saved.getSize());
        FUZZ_EXPECT (values (restored) == restoredValues);
    }
    return 0;
}
