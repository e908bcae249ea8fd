#include "KickRender.h"

#include <benchmark/benchmark.h>

// processBlock of the whole processor at 48 kHz stereo. The counter
// "realtime" is seconds of audio processed per second of CPU time.
static void processBlock (benchmark::State& state, bool engaged)
{
    const auto blockSize = (int) state.range (0);

    TemplateEffectAudioProcessor processor;
    processor.prepareToPlay (KickRender::sampleRate, blockSize);
    if (engaged)
        KickRender::engageEveryStage (processor);

    const auto loop = KickRender::makeKickLoop();
    juce::AudioBuffer<float> buffer (2, blockSize);
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
        KickRender::fillFromLoop (buffer, loop, position);
        processor.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
        benchmark::ClobberMemory();
    }

    const auto seconds = (double) state.iterations() * blockSize / KickRender::sampleRate;
    state.counters["realtime"] = benchmark::Counter (seconds, benchmark::Counter::kIsRate);
    state.SetItemsProcessed (state.iterations() * blockSize);
}

BENCHMARK_CAPTURE (processBlock, defaults, false)->Arg (64)->Arg (512)->Arg (2048);
BENCHMARK_CAPTURE (processBlock, everyStageEngaged, true)->Arg (64)->Arg (512)->Arg (2048);

BENCHMARK_MAIN();
