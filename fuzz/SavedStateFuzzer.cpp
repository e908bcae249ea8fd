// The processor's saved-state reader fed with any bytes, as a host restoring a
// damaged, truncated or foreign chunk would. Whatever comes in, every
// parameter keeps a value inside its range, and what the writer then saves
// restores to the same bytes, and in another processor to the same values.

#include "FuzzSupport.h"
#include "PluginProcessor.h"

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

    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    processor.setStateInformation (saved.getData(), (int) saved.getSize());

    juce::MemoryBlock savedAgain;
    processor.getStateInformation (savedAgain);
    FUZZ_EXPECT (saved == savedAgain);

    restored.setStateInformation (saved.getData(), (int) saved.getSize());
    for (const auto* description : processor.parameterDescriptions())
        FUZZ_EXPECT (restored.parameterManager.getParameterValue (description->paramID)
                     == processor.parameterManager.getParameterValue (description->paramID));
    return 0;
}
