#include "KickRender.h"

#include <benchmark/benchmark.h>

namespace
{
    enum class Input { kicks, silence };

    // processBlock of the whole processor at 48 kHz. The counter "realtime" is
    // seconds of audio processed per second of CPU time.
    void processBlock (benchmark::State& state, bool engaged, int numChannels, Input input)
    {
        const auto blockSize = (int) state.range (0);

        TemplateEffectAudioProcessor processor;
        processor.prepareToPlay (KickRender::sampleRate, blockSize);
        if (engaged)
            KickRender::engageEveryStage (processor);

        const auto loop = KickRender::makeKickLoop();
        juce::AudioBuffer<float> buffer (numChannels, blockSize);
        juce::MidiBuffer midi;
        int position = 0;

        // Let the smoothers settle so the measurement sees steady-state work.
        for (int i = 0; i < (int) KickRender::sampleRate / blockSize; ++i)
        {
            KickRender::fillFromLoop (buffer, loop, position);
            processor.processBlock (buffer, midi);
        }

        for (auto _ : state)
        {
            // Silence after the kicks lets every memory decay towards denormals.
            if (input == Input::silence)
                buffer.clear();
            else
                KickRender::fillFromLoop (buffer, loop, position);

            processor.processBlock (buffer, midi);
            benchmark::DoNotOptimize (buffer.getReadPointer (0));
            benchmark::ClobberMemory();
        }

        const auto seconds = (double) state.iterations() * blockSize / KickRender::sampleRate;
        state.counters["realtime"] = benchmark::Counter (seconds, benchmark::Counter::kIsRate);
        state.SetItemsProcessed (state.iterations() * blockSize);
    }
}

BENCHMARK_CAPTURE (processBlock, defaults, false, 2, Input::kicks)->Arg (64)->Arg (512)->Arg (2048);
BENCHMARK_CAPTURE (processBlock, everyStageEngaged, true, 2, Input::kicks)->Arg (64)->Arg (512)->Arg (2048);

// Mono must cost no more than stereo, and silence no more than signal.
BENCHMARK_CAPTURE (processBlock, everyStageEngagedMono, true, 1, Input::kicks)->Arg (512);
BENCHMARK_CAPTURE (processBlock, everyStageEngagedSilence, true, 2, Input::silence)->Arg (512);
BENCHMARK_CAPTURE (processBlock, defaultsSilence, false, 2, Input::silence)->Arg (512);

BENCHMARK_MAIN();
