// Text typed into the host's parameter fields, read by every parameter's
// text-to-value conversion. Any text must give a normalised value inside
// 0..1, and the text of that value must read back to itself: a host that
// shows a value and lets the user confirm it must not see it move.

#include "FuzzSupport.h"
#include "ParameterTable.h"
#include "PluginProcessor.h"

#include <cmath>
#include <cstdint>

namespace
{
    struct Session
    {
        juce::ScopedJuceInitialiser_GUI juce;
        TemplateEffectAudioProcessor processor;
    };

    Session& session()
    {
        static Session s;
        return s;
    }

    void expectNormalised (float value)
    {
        FUZZ_EXPECT (std::isfinite (value));
        FUZZ_EXPECT (value >= 0.0f && value <= 1.0f);
    }
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    constexpr int maxTextLength = 1024;
    const auto text = juce::String::fromUTF8 (reinterpret_cast<const char*> (data),
                                              (int) juce::jmin (size, (std::size_t) maxTextLength));

    for (auto* parameter : session().processor.getParameters())
    {
        const auto value = parameter->getValueForText (text);
        expectNormalised (value);

        const auto shown = parameter->getText (value, 0);
        const auto confirmed = parameter->getValueForText (shown);
        expectNormalised (confirmed);
        FUZZ_EXPECT (parameter->getText (confirmed, 0) == shown);
    }

    // The choice lists on their own: an index of a name, or 0.
    const juce::StringArray names { "Wave", "Spec", "Off", "Osc" };
    const auto index = ChoiceText::textToValue (names, text);
    FUZZ_EXPECT (index >= 0.0f && index < (float) names.size() && index == std::floor (index));
    return 0;
}
