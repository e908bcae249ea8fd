// The module under a host's threads at once: audio running while the host automates, swaps chunks and opens and closes the window.
#include "../../../support/ModuleChecks.h"
#include "EffectSession.h"
#include "KickPattern.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace
{
    using namespace std::chrono_literals;
    using testsupport::stateChunk;

    constexpr int rounds = 4;
    constexpr int blockSize = 256;
    // Far beyond the time a thread takes to start, so that only a hang reaches it.
    constexpr auto patience = 120s;

    // Feeds the instance kick blocks until stopped, as a host's audio thread does.
    class AudioThread
    {
    public:
        explicit AudioThread (host::EffectInstance& instance)
            : kicks (host::renderKickPattern (48000.0, 1)),
              thread ([this, &instance] { run (instance); })
        {
        }

        ~AudioThread() { stop(); }

        void stop()
        {
            running = false;
            if (thread.joinable())
                thread.join();
        }

        // Waits until it has processed a block; false if that never happens.
        bool started() const
        {
            for (const auto deadline = std::chrono::steady_clock::now() + patience; processed == 0;)
            {
                if (std::chrono::steady_clock::now() > deadline)
                    return false;
                std::this_thread::sleep_for (1ms);
            }
            return true;
        }

        bool allFinite() const noexcept { return finite; }

    private:
        void run (host::EffectInstance& instance)
        {
            std::vector<float> left (blockSize), right (blockSize);
            for (size_t start = 0; running; start = (start + blockSize) % (kicks.size() - blockSize))
            {
                const float* in[] { kicks.data() + start, kicks.data() + start };
                float* out[] { left.data(), right.data() };
                instance.process (in, out, blockSize);
                for (int i = 0; i < blockSize; ++i)
                    finite = finite && std::isfinite (left[size_t (i)]) && std::isfinite (right[size_t (i)]);
                ++processed;
            }
        }

        const std::vector<float> kicks;
        std::atomic<bool> running { true };
        std::atomic<int> processed { 0 };
        std::atomic<bool> finite { true };
        std::thread thread;
    };
}

TEST (ModuleThreads, WindowOpensAndClosesWhileAudioRunsAndTheHostAutomates)
{
    host::installLenientXErrorHandler();
    host::LoadedEffect effect (KICK_MODULE_PATH);

    for (int round = 0; round < rounds; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
        AudioThread audio (instance);
        // The window work below happens while audio runs, however loaded the machine.
        ASSERT_TRUE (audio.started());

        for (int opening = 0; opening < 3; ++opening)
        {
            ASSERT_NE (instance.openWindow(), nullptr);
            for (int step = 0; step <= 10; ++step)
            {
                instance.automate ("Kick_HarmonicsId", step / 10.0);
                instance.automate ("graphModeId", (step % 4) / 3.0);
                std::this_thread::sleep_for (5ms);
            }
            const auto state = instance.fetchChunk (stateChunk);
            ASSERT_GT (state.size(), host::chunkHeaderSize);
            EXPECT_EQ (instance.restoreChunk (stateChunk, state), host::resultOk);
            instance.closeWindow();
        }

        // The last round leaves the window open for the release to take down.
        if (round == rounds - 1)
            instance.openWindow();

        audio.stop();
        EXPECT_TRUE (audio.allFinite());
    }

    testsupport::expectEverythingReturned (effect);
}
