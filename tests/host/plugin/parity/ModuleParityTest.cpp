// Rendering through the module, as a host does, gives exactly the samples of the processor driven directly.
#include "EffectSession.h"
#include "KickPattern.h"
#include "support/WrapperDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
    constexpr float sampleRate = 48000.0f;
    constexpr int blockSize = 1024;

    const std::vector<std::pair<std::string, double>> settings { { "Kick_HarmonicsId", 0.4 }, { "Kick_PressureId", 0.3 },
                                                                 { "Kick_SubId", 0.6 },       { "Kick_SubFreqId", 5.0 / 11.0 },
                                                                 { "Kick_AirId", 0.25 },      { "Kick_TransId", 0.35 },
                                                                 { "Kick_CompressionId", 0.5 }, { "Kick_WidthId", 0.7 } };

    std::vector<std::vector<float>> input (int channels)
    {
        const auto kicks = host::renderKickPattern (sampleRate, 2);
        std::vector<std::vector<float>> audio (static_cast<size_t> (channels), kicks);
        if (channels == 2)
            for (auto& sample : audio[1])
                sample *= -0.5f;
        return audio;
    }

    std::vector<std::vector<float>> throughModule (int channels)
    {
        host::LoadedEffect effect (KICK_MODULE_PATH);
        host::EffectInstance instance (effect, channels, sampleRate);
        for (const auto& [id, value] : settings)
            instance.automate (id, value);

        auto audio = input (channels);
        auto output = audio;
        std::vector<const float*> in;
        std::vector<float*> out;
        for (size_t c = 0; c < audio.size(); ++c)
        {
            in.push_back (audio[c].data());
            out.push_back (output[c].data());
        }
        instance.process (in.data(), out.data(), static_cast<int> (audio.front().size()));
        return output;
    }

    std::vector<std::vector<float>> direct (int channels)
    {
        testsupport::WrapperDriver driver (channels, sampleRate);
        auto& processor = driver.processor();
        for (const auto& [id, value] : settings)
            processor.parameterManager.valueTreeState.getParameter (id)->setValueNotifyingHost (static_cast<float> (value));

        auto audio = input (channels);
        const int length = static_cast<int> (audio.front().size());
        for (int start = 0; start < length; start += blockSize)
        {
            const int samples = std::min (blockSize, length - start);
            juce::AudioBuffer<float> block (channels, samples);
            for (int c = 0; c < channels; ++c)
                block.copyFrom (c, 0, audio[static_cast<size_t> (c)].data() + start, samples);
            driver.process (block);
            for (int c = 0; c < channels; ++c)
                std::copy_n (block.getReadPointer (c), samples, audio[static_cast<size_t> (c)].data() + start);
        }
        return audio;
    }
}

TEST (ModuleParity, MonoRenderMatchesTheProcessor)
{
    EXPECT_EQ (throughModule (1), direct (1));
}

TEST (ModuleParity, StereoRenderMatchesTheProcessor)
{
    const auto module = throughModule (2);
    const auto processor = direct (2);
    EXPECT_EQ (module, processor);
    EXPECT_NE (module, input (2)) << "the settings must change the sound for the comparison to mean anything";
}
