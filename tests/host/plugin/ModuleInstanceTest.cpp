// Instances of the real module, mono and stereo, driven as a host drives them: lifecycle, processing, automation, bypass, chunks.
#include "../../support/ModuleChecks.h"
#include "EffectSession.h"
#include "KickPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace
{
    using testsupport::controlsChunk;
    using testsupport::stateChunk;

    constexpr float sampleRate = 48000.0f;

    // Planar audio of one channel count, with the pointer arrays a host passes.
    struct Audio
    {
        Audio (int channels, std::vector<float> signal) : data (static_cast<size_t> (channels), signal)
        {
            for (auto& channel : data)
                pointers.push_back (channel.data());
            // Channels differ, so a swap or a mix-up shows.
            for (size_t c = 1; c < data.size(); ++c)
                for (auto& sample : data[c])
                    sample *= 0.5f;
        }

        int length() const { return static_cast<int> (data.front().size()); }

        std::vector<std::vector<float>> data;
        std::vector<float*> pointers;
    };

    Audio render (host::EffectInstance& instance, const Audio& input, int blockSize)
    {
        Audio output (instance.channels(), std::vector<float> (static_cast<size_t> (input.length()), 0.0f));
        std::vector<const float*> in (input.pointers.begin(), input.pointers.end());
        std::vector<float*> out (output.pointers);
        for (int start = 0; start < input.length(); start += blockSize)
        {
            const int length = std::min (blockSize, input.length() - start);
            std::vector<const float*> inBlock;
            std::vector<float*> outBlock;
            for (size_t c = 0; c < in.size(); ++c)
            {
                inBlock.push_back (in[c] + start);
                outBlock.push_back (out[c] + start);
            }
            instance.process (inBlock.data(), outBlock.data(), length);
        }
        return output;
    }

    double rmsDifference (const Audio& a, const Audio& b)
    {
        double sum = 0.0;
        size_t count = 0;
        for (size_t c = 0; c < a.data.size(); ++c)
            for (size_t i = 0; i < a.data[c].size(); ++i, ++count)
                sum += std::pow (double (a.data[c][i]) - double (b.data[c][i]), 2.0);
        return std::sqrt (sum / double (count));
    }

    class ModuleInstance : public ::testing::TestWithParam<int>
    {
    protected:
        int channels() const { return GetParam(); }

        Audio kicks() const { return { channels(), host::renderKickPattern (sampleRate, 1) }; }

        host::LoadedEffect effect { KICK_MODULE_PATH };
    };
}

TEST_P (ModuleInstance, PublishesTheElevenParametersAndTheBypass)
{
    {
        host::EffectInstance instance (effect, channels(), sampleRate);
        EXPECT_EQ (effect.liveObjects(), 1) << "the parameters object; no window was asked for";

        std::vector<std::string> names, ids;
        for (const auto& parameter : instance.listParameters())
        {
            names.push_back (parameter.name);
            ids.push_back (parameter.id);
        }
        EXPECT_EQ (names, (std::vector<std::string> { "Power", "Graph mode", "Kick Harmonics", "Kick Pressure", "Kick Sub", "Kick Sub Freq",
                                                      "Kick Air", "Kick Mid", "Kick Trans", "Kick Comp", "Kick Width", "Master Bypass" }));
        EXPECT_EQ (ids.front(), "powerId");
        EXPECT_EQ (ids.back(), "MasterBypassID");
        EXPECT_EQ (instance.valueText ("Kick_MidsId", instance.normalizedValue ("Kick_MidsId")), "100.00");
        EXPECT_EQ (instance.valueText ("Kick_SubFreqId", instance.normalizedValue ("Kick_SubFreqId")), "C");
    }
    testsupport::expectEverythingReturned (effect);
}

TEST_P (ModuleInstance, AutomationThroughTheHostChangesTheSound)
{
    const auto input = kicks();
    Audio plain (channels(), {}), shaped (channels(), {});
    {
        host::EffectInstance instance (effect, channels(), sampleRate);
        plain = render (instance, input, 512);
    }
    {
        host::EffectInstance instance (effect, channels(), sampleRate);
        ASSERT_EQ (instance.automate ("Kick_SubId", 0.6), host::resultOk);
        ASSERT_EQ (instance.automate ("Kick_HarmonicsId", 0.8), host::resultOk);
        // The host's confirmation reached the module's parameter.
        EXPECT_EQ (instance.valueText ("Kick_SubId", instance.normalizedValue ("Kick_SubId")), "60.00");
        shaped = render (instance, input, 512);
    }
    EXPECT_GT (rmsDifference (plain, shaped), 0.01);
    for (const auto& channel : shaped.data)
        for (const float sample : channel)
            ASSERT_TRUE (std::isfinite (sample));
    testsupport::expectEverythingReturned (effect);
}

TEST_P (ModuleInstance, BlockSizesDoNotChangeTheResult)
{
    // One large call is cut into 1024-sample blocks; the processor is prepared
    // for 1024 from the start, and smaller or uneven blocks follow it.
    const auto input = kicks();
    Audio whole (channels(), {}), pieces (channels(), {});
    {
        host::EffectInstance instance (effect, channels(), sampleRate);
        instance.automate ("Kick_CompressionId", 0.7);
        whole = render (instance, input, input.length());
    }
    {
        host::EffectInstance instance (effect, channels(), sampleRate);
        instance.automate ("Kick_CompressionId", 0.7);
        pieces = render (instance, input, 333);
    }
    EXPECT_EQ (whole.data, pieces.data);
    testsupport::expectEverythingReturned (effect);
}

TEST_P (ModuleInstance, MasterBypassPassesTheInputThrough)
{
    const auto input = kicks();
    host::EffectInstance instance (effect, channels(), sampleRate);
    instance.automate ("Kick_HarmonicsId", 1.0);
    instance.automate ("Kick_SubId", 1.0);

    ASSERT_EQ (instance.automate ("MasterBypassID", 1.0), host::resultOk);
    const auto bypassed = render (instance, input, 1024);
    EXPECT_EQ (bypassed.data, input.data);

    instance.automate ("MasterBypassID", 0.0);
    const auto processed = render (instance, input, 1024);
    EXPECT_GT (rmsDifference (processed, input), 0.01);
}

TEST_P (ModuleInstance, BothChunksRestoreEveryParameter)
{
    const std::vector<std::pair<std::string, double>> settings { { "Kick_SubId", 0.6 }, { "Kick_SubFreqId", 10.0 / 11.0 },
                                                                 { "graphModeId", 0.0 }, { "Kick_WidthId", 0.75 } };
    host::EffectInstance source (effect, channels(), sampleRate);
    EXPECT_EQ (source.chunkIDs(), (std::vector<uint32_t> { controlsChunk, stateChunk }));
    for (const auto& [id, value] : settings)
        source.automate (id, value);

    for (const auto chunkID : { controlsChunk, stateChunk })
    {
        SCOPED_TRACE (chunkID == controlsChunk ? "controls chunk" : "state chunk");
        const auto record = source.fetchChunk (chunkID);
        ASSERT_GT (record.size(), host::chunkHeaderSize);

        uint8_t equal = 0;
        EXPECT_EQ (source.parameters().CompareActiveChunk (record.data(), &equal), host::resultOk);
        EXPECT_EQ (equal, 1);

        host::EffectInstance target (effect, channels(), sampleRate);
        ASSERT_EQ (target.restoreChunk (chunkID, record), host::resultOk);
        for (const auto& parameter : source.listParameters())
            EXPECT_DOUBLE_EQ (target.normalizedValue (parameter.id), source.normalizedValue (parameter.id)) << parameter.name;
        EXPECT_EQ (target.fetchChunk (chunkID), record);
    }
}

TEST_P (ModuleInstance, ARestoredStateChunkMakesTheSameSound)
{
    const auto input = kicks();
    host::EffectInstance source (effect, channels(), sampleRate);
    source.automate ("Kick_PressureId", 0.5);
    source.automate ("Kick_TransId", 0.4);
    const auto record = source.fetchChunk (stateChunk);

    host::EffectInstance target (effect, channels(), sampleRate);
    ASSERT_EQ (target.restoreChunk (stateChunk, record), host::resultOk);
    EXPECT_EQ (render (target, input, 1024).data, render (source, input, 1024).data);
}

INSTANTIATE_TEST_SUITE_P (MonoAndStereo, ModuleInstance, ::testing::Values (1, 2),
                          [] (const auto& info) { return info.param == 1 ? std::string ("Mono") : std::string ("Stereo"); });
