// The real module put through what demanding hosts and plug-in validators do:
// repeated loading and instancing, any block size and sample rate, parameter
// storms, damaged chunks, hostile input signals and many instances at once.
// Each case ends with every host reference returned and nothing left alive.
#define KICK_DEFINE_ALLOCATION_COUNTER
#include "../../support/AllocationCounter.h"
#define KICK_DEFINE_LOCK_WAIT_COUNTER
#include "../../support/LockWaitCounter.h"
#include "../../support/ModuleChecks.h"
#include "EffectSession.h"
#include "KickPattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace
{
    using testsupport::controlsChunk;
    using testsupport::stateChunk;

    constexpr float defaultRate = 48000.0f;

    // Planar audio with the pointer arrays a host passes.
    class Signal
    {
    public:
        Signal (int channels, int length)
            : data (static_cast<size_t> (channels), std::vector<float> (static_cast<size_t> (length), 0.0f))
        {
            for (auto& channel : data)
                pointers.push_back (channel.data());
        }

        int length() const noexcept { return static_cast<int> (data.front().size()); }

        const float* const* inputs (int offset)
        {
            constPointers.clear();
            for (auto& channel : data)
                constPointers.push_back (channel.data() + offset);
            return constPointers.data();
        }

        float* const* outputs (int offset)
        {
            for (size_t c = 0; c < data.size(); ++c)
                pointers[c] = data[c].data() + offset;
            return pointers.data();
        }

        bool allFinite (int from = 0) const
        {
            for (const auto& channel : data)
                for (size_t i = static_cast<size_t> (from); i < channel.size(); ++i)
                    if (! std::isfinite (channel[i]))
                        return false;
            return true;
        }

        std::vector<std::vector<float>> data;

    private:
        std::vector<float*> pointers;
        std::vector<const float*> constPointers;
    };

    Signal kicks (int channels, float sampleRate)
    {
        const auto pattern = host::renderKickPattern (sampleRate, 1);
        Signal signal (channels, static_cast<int> (pattern.size()));
        for (auto& channel : signal.data)
            channel = pattern;
        return signal;
    }

    // Runs the whole input through the instance in blocks whose sizes the
    // generator picks between 1 and maxBlock.
    Signal renderInRandomBlocks (host::EffectInstance& instance, Signal& input, std::mt19937& random, int maxBlock)
    {
        Signal output (instance.channels(), input.length());
        std::uniform_int_distribution<int> blockSize (1, maxBlock);

        for (int start = 0; start < input.length();)
        {
            const int length = std::min (blockSize (random), input.length() - start);
            instance.process (input.inputs (start), output.outputs (start), length);
            start += length;
        }
        return output;
    }

    class Battery : public ::testing::Test
    {
    protected:
        std::vector<std::string> parameterIDs (host::EffectInstance& instance)
        {
            std::vector<std::string> ids;
            for (const auto& parameter : instance.listParameters())
                ids.push_back (parameter.id);
            return ids;
        }

        std::vector<double> values (host::EffectInstance& instance)
        {
            std::vector<double> result;
            for (const auto& id : parameterIDs (instance))
                result.push_back (instance.normalizedValue (id));
            return result;
        }

        host::LoadedEffect effect { KICK_MODULE_PATH };
    };
}

TEST (BatteryLoading, TheModuleLoadsAndUnloadsAHundredTimes)
{
    for (int i = 0; i < 100; ++i)
    {
        host::LoadedEffect effect { KICK_MODULE_PATH };
        {
            host::EffectInstance instance (effect, 2, defaultRate);
        }
        ASSERT_EQ (effect.liveObjects(), 0) << "load " << i;
        effect.shutdown();
        ASSERT_TRUE (effect.host().objectsWithUnbalancedReferences().empty()) << "load " << i;
    }
}

TEST_F (Battery, AHundredInstancesComeAndGo)
{
    for (int i = 0; i < 100; ++i)
    {
        host::EffectInstance instance (effect, 1 + i % 2, defaultRate);
        ASSERT_GE (effect.liveObjects(), 1);
    }
    testsupport::expectEverythingReturned (effect);
}

TEST_F (Battery, AnyBlockSizeAtEverySampleRateGivesFiniteOutput)
{
    std::mt19937 random (1234);

    for (const float rate : { 22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f })
        for (const int channels : { 1, 2 })
        {
            SCOPED_TRACE (std::to_string (rate) + " Hz, " + std::to_string (channels) + " channels");
            host::EffectInstance instance (effect, channels, rate);
            for (const auto& id : parameterIDs (instance))
                if (id != "MasterBypassID")
                    instance.automate (id, 1.0);

            auto input = kicks (channels, rate);
            EXPECT_TRUE (renderInRandomBlocks (instance, input, random, 4096).allFinite());
        }
    testsupport::expectEverythingReturned (effect);
}

// Automation arrives from another thread, at random values and the extremes,
// while the audio thread processes in random block sizes.
TEST_F (Battery, AutomationStormFromAnotherThreadWhileProcessing)
{
    {
        host::EffectInstance instance (effect, 2, defaultRate);
        const auto ids = parameterIDs (instance);
        auto input = kicks (2, defaultRate);

        std::atomic<bool> done { false };
        std::thread automation ([&] {
            std::mt19937 random (99);
            std::uniform_real_distribution<double> value (0.0, 1.0);
            for (int i = 0; ! done; ++i)
            {
                const auto& id = ids[static_cast<size_t> (i) % ids.size()];
                if (id != "MasterBypassID")
                    instance.automate (id, i % 7 == 0 ? 0.0 : i % 7 == 1 ? 1.0 : value (random));
            }
        });

        std::mt19937 random (7);
        const auto output = renderInRandomBlocks (instance, input, random, 1024);
        done = true;
        automation.join();
        EXPECT_TRUE (output.allFinite());
    }
    testsupport::expectEverythingReturned (effect);
}

// Chunks that are not what the module wrote are ignored: every parameter
// keeps its value, and the module keeps running.
TEST_F (Battery, DamagedTruncatedAndForeignChunksChangeNothing)
{
    {
        host::EffectInstance instance (effect, 2, defaultRate);
        instance.automate ("Kick_SubId", 0.6);
        instance.automate ("Kick_WidthId", 0.25);
        const auto before = values (instance);

        std::mt19937 random (5);
        for (const auto chunkID : { controlsChunk, stateChunk })
        {
            const auto good = instance.fetchChunk (chunkID);
            ASSERT_GT (good.size(), host::chunkHeaderSize);

            for (size_t cut = host::chunkHeaderSize; cut < good.size(); cut += 7)
            {
                auto truncated = std::vector<uint8_t> (good.begin(), good.begin() + static_cast<long> (cut));
                // The record claims only the bytes it has.
                const auto dataSize = static_cast<int32_t> (cut - host::chunkHeaderSize);
                std::memcpy (truncated.data(), &dataSize, sizeof (dataSize));
                instance.restoreChunk (chunkID, truncated);
            }

            for (int i = 0; i < 200; ++i)
            {
                auto damaged = good;
                std::uniform_int_distribution<size_t> position (host::chunkHeaderSize, good.size() - 1);
                for (int k = 0; k < 4; ++k)
                    damaged[position (random)] = static_cast<uint8_t> (random());
                instance.restoreChunk (chunkID, damaged);
                // A damaged block may still parse and carry other values; put
                // the good one back so that each damage starts from it.
                instance.restoreChunk (chunkID, good);
            }
        }
        EXPECT_EQ (values (instance), before);

        // A foreign chunk ID is refused outright.
        auto foreign = instance.fetchChunk (stateChunk);
        EXPECT_NE (instance.restoreChunk (0x666f6f21, foreign), host::resultOk);
        EXPECT_EQ (values (instance), before);
    }
    testsupport::expectEverythingReturned (effect);
}

// Saving and restoring both chunks from another thread while the audio thread runs.
TEST_F (Battery, ChunksSavedAndRestoredFromAnotherThreadWhileProcessing)
{
    {
        host::EffectInstance instance (effect, 2, defaultRate);
        instance.automate ("Kick_HarmonicsId", 0.7);
        auto input = kicks (2, defaultRate);

        std::atomic<bool> done { false };
        std::thread chunks ([&] {
            for (int i = 0; ! done; ++i)
            {
                const auto chunkID = i % 2 == 0 ? controlsChunk : stateChunk;
                const auto record = instance.fetchChunk (chunkID);
                if (! record.empty())
                    instance.restoreChunk (chunkID, record);
            }
        });

        std::mt19937 random (11);
        const auto output = renderInRandomBlocks (instance, input, random, 1024);
        done = true;
        chunks.join();
        EXPECT_TRUE (output.allFinite());
    }
    testsupport::expectEverythingReturned (effect);
}

// Not-a-number, infinities, denormals and full-scale square waves: once the
// bad samples have passed, the output is finite again.
TEST_F (Battery, HostileInputLeavesTheOutputFiniteOnceItHasPassed)
{
    {
        host::EffectInstance instance (effect, 2, defaultRate);
        for (const auto& id : parameterIDs (instance))
            if (id != "MasterBypassID")
                instance.automate (id, 1.0);

        constexpr int length = 48000;
        Signal input (2, length);
        for (int i = 0; i < length; ++i)
        {
            const float square = (i / 24) % 2 == 0 ? 1.0f : -1.0f;
            input.data[0][static_cast<size_t> (i)] = square;
            input.data[1][static_cast<size_t> (i)] = i % 3 == 0 ? std::numeric_limits<float>::denorm_min() : square;
        }
        input.data[0][100] = std::numeric_limits<float>::quiet_NaN();
        input.data[1][200] = std::numeric_limits<float>::infinity();
        input.data[0][300] = -std::numeric_limits<float>::infinity();

        Signal output (2, length);
        for (int start = 0; start < length; start += 256)
            instance.process (input.inputs (start), output.outputs (start), std::min (256, length - start));

        // A second of settling is far longer than any of the chain's memories.
        Signal after (2, length);
        Signal square (2, length);
        square.data = input.data;
        for (auto& channel : square.data)
            for (auto& sample : channel)
                if (! std::isfinite (sample))
                    sample = 0.0f;
        for (int start = 0; start < length; start += 256)
            instance.process (square.inputs (start), after.outputs (start), std::min (256, length - start));
        EXPECT_TRUE (after.allFinite());
    }
    testsupport::expectEverythingReturned (effect);
}

TEST_F (Battery, ThirtyTwoInstancesProcessInParallelThreads)
{
    {
        constexpr int numInstances = 32;
        std::vector<std::unique_ptr<host::EffectInstance>> instances;
        for (int i = 0; i < numInstances; ++i)
            instances.push_back (std::make_unique<host::EffectInstance> (effect, 1 + i % 2, defaultRate));

        std::vector<int> finite (numInstances, 0);
        std::vector<std::thread> threads;
        for (int i = 0; i < numInstances; ++i)
            threads.emplace_back ([&, i] {
                auto& instance = *instances[static_cast<size_t> (i)];
                auto input = kicks (instance.channels(), defaultRate);
                std::mt19937 random (static_cast<unsigned> (i));
                finite[static_cast<size_t> (i)] = renderInRandomBlocks (instance, input, random, 1024).allFinite();
            });
        for (auto& thread : threads)
            thread.join();

        for (int i = 0; i < numInstances; ++i)
            EXPECT_TRUE (finite[static_cast<size_t> (i)]) << "instance " << i;
    }
    testsupport::expectEverythingReturned (effect);
}

// The audio thread's real-time rule: after the first block, the process
// procedure neither allocates nor waits for a lock, whatever the block size
// and with every stage engaged.
TEST_F (Battery, TheProcessProcedureAllocatesNothingAfterTheFirstBlock)
{
    {
        host::EffectInstance instance (effect, 2, defaultRate);
        for (const auto& id : parameterIDs (instance))
            if (id != "MasterBypassID")
                instance.automate (id, 1.0);

        auto input = kicks (2, defaultRate);
        Signal output (2, input.length());
        instance.process (input.inputs (0), output.outputs (0), host::AlgorithmContext::maxBlockSize);

        std::mt19937 random (3);
        std::uniform_int_distribution<int> blockSize (1, host::AlgorithmContext::maxBlockSize);
        long allocations = 0, lockWaits = 0;
        {
            testsupport::ScopedAllocationCounter allocationCounter;
            testsupport::ScopedLockWaitCounter lockWaitCounter;
            for (int start = 0; start + host::AlgorithmContext::maxBlockSize <= input.length();)
            {
                const int length = blockSize (random);
                instance.algorithm().process (input.inputs (start), output.outputs (start), length);
                start += length;
            }
            allocations = allocationCounter.getCount();
            lockWaits = lockWaitCounter.getCount();
        }
        EXPECT_EQ (allocations, 0);
        EXPECT_EQ (lockWaits, 0);
        EXPECT_TRUE (output.allFinite());
    }
    testsupport::expectEverythingReturned (effect);
}

// A host that hands a block longer than any before, beyond the format's 1024
// samples, makes the wrapper prepare the processor again on the audio thread.
// The processor reallocates nothing there; the wrapper grows its own
// side-chain buffer, the one allocation of that block.
TEST_F (Battery, ABlockLongerThanAnyBeforeAllocatesOnlyInTheWrapper)
{
    {
        host::EffectInstance instance (effect, 2, defaultRate);
        auto input = kicks (2, defaultRate);
        Signal output (2, input.length());
        constexpr int shortBlock = host::AlgorithmContext::maxBlockSize, longBlock = 4 * shortBlock;

        for (int start = 0; start < longBlock; start += shortBlock)
            instance.algorithm().process (input.inputs (start), output.outputs (start), shortBlock);

        long allocations = 0;
        {
            testsupport::ScopedAllocationCounter allocationCounter;
            instance.algorithm().process (input.inputs (longBlock), output.outputs (longBlock), longBlock);
            allocations = allocationCounter.getCount();
        }
        EXPECT_EQ (allocations, 1);
        EXPECT_TRUE (output.allFinite());
    }
    testsupport::expectEverythingReturned (effect);
}

// The host's bypass toggled block by block while audio runs: bypassed blocks
// pass the input through untouched, the others stay finite, and the instance
// goes on processing after the storm.
TEST_F (Battery, BypassToggledWhileProcessing)
{
    {
        host::EffectInstance instance (effect, 2, defaultRate);
        instance.automate ("Kick_HarmonicsId", 1.0);
        instance.automate ("Kick_SubId", 1.0);

        auto input = kicks (2, defaultRate);
        Signal output (2, input.length());
        constexpr int block = 512;
        for (int start = 0, i = 0; start + block <= input.length(); start += block, ++i)
        {
            const bool bypassed = i % 2 == 1;
            ASSERT_EQ (instance.automate ("MasterBypassID", bypassed ? 1.0 : 0.0), host::resultOk);
            instance.process (input.inputs (start), output.outputs (start), block);

            if (! bypassed)
                continue;

            for (size_t c = 0; c < output.data.size(); ++c)
                ASSERT_TRUE (std::equal (output.data[c].begin() + start, output.data[c].begin() + start + block,
                                         input.data[c].begin() + start)) << "block " << i;
        }
        EXPECT_TRUE (output.allFinite());
    }
    testsupport::expectEverythingReturned (effect);
}
