// The kick chain through the plug-in module as a host drives it: the module
// loaded with dlopen, an instance created and initialised by the test host,
// and the native process procedure called block by block. Beside kick_bench
// (processBlock called directly), the ratio of the two "realtime" counters is
// the cost of the AAX wrapper and the interface library.
#include "EffectSession.h"
#include "EveryStageEngaged.h"
#include "KickPattern.h"
#include "LeadIn.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{
    host::LoadedEffect& loadedModule()
    {
        static host::LoadedEffect effect { KICK_MODULE_PATH };
        return effect;
    }

    // Stereo at the sample rate of range(0) in blocks of range(1) samples.
    // The counter "realtime" is seconds of audio processed per second.
    void processProcedure (benchmark::State& state, bool engaged)
    {
        const auto sampleRate = static_cast<float> (state.range (0));
        const auto blockSize = static_cast<int> (state.range (1));
        constexpr int channels = 2;

        host::EffectInstance instance (loadedModule(), channels, sampleRate);
        if (engaged)
            bench::engage (instance, bench::everyStageEngaged);

        const auto pattern = host::renderKickPattern (sampleRate, 1);
        const int length = static_cast<int> (pattern.size()) / blockSize * blockSize;
        std::vector<float> output (pattern.size());
        const float* inputs[channels] = { pattern.data(), pattern.data() };
        float* outputs[channels] = { output.data(), output.data() };

        // One pass delivers the parameter packets and lets the smoothers settle.
        instance.process (inputs, outputs, length);

        int position = 0;
        for (auto _ : state)
        {
            const float* in[channels] = { pattern.data() + position, pattern.data() + position };
            float* out[channels] = { output.data() + position, output.data() + position };
            instance.algorithm().process (in, out, blockSize);
            benchmark::DoNotOptimize (output.data());
            position = (position + blockSize) % length;
        }

        const auto seconds = static_cast<double> (state.iterations()) * blockSize / sampleRate;
        state.counters["realtime"] = benchmark::Counter (seconds, benchmark::Counter::kIsRate);
        state.SetItemsProcessed (state.iterations() * blockSize);
    }

    void rateAndBlockSizes (benchmark::internal::Benchmark* b)
    {
        for (const int rate : { 44100, 48000, 96000 })
            for (const int block : { 32, 256, 1024 })
                b->Args ({ rate, block });
    }
}

BENCHMARK_CAPTURE (processProcedure, defaults, false)->Apply (rateAndBlockSizes);
BENCHMARK_CAPTURE (processProcedure, everyStageEngaged, true)->Apply (rateAndBlockSizes);

// N instances on N threads, each with its own instance: the summed "realtime"
// against N times the single-thread figure shows how the module scales.
BENCHMARK_CAPTURE (processProcedure, everyStageEngagedThreads, true)
    ->Args ({ 48000, 256 })->Threads (1)->Threads (2)->Threads (4)->Threads (8)->UseRealTime();

// What kick_host does before a file's first sample, once per file: a fresh
// stereo instance at 44.1 kHz, set, and with the lead-in its settings landed.
// The difference between the two is what the lead-in adds to each file of a batch.
void freshInstanceReady (benchmark::State& state, bool engaged, bool leadIn)
{
    constexpr double sampleRate = 44100.0;
    // As in a run of kick_host, the module's framework starts once: it shuts down with its last instance.
    const host::EffectInstance frameworkKeptUp (loadedModule(), 2, static_cast<float> (sampleRate));
    for (auto _ : state)
    {
        host::EffectInstance instance (loadedModule(), 2, static_cast<float> (sampleRate));
        if (engaged)
            bench::engage (instance, bench::everyStageEngaged);
        if (leadIn)
            host::runLeadIn (instance, sampleRate, [] {});
    }
    state.SetLabel (leadIn ? "with the lead-in" : "without the lead-in");
}

BENCHMARK_CAPTURE (freshInstanceReady, defaults, false, false)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (freshInstanceReady, defaultsLeadIn, false, true)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (freshInstanceReady, everyStageEngaged, true, false)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (freshInstanceReady, everyStageEngagedLeadIn, true, true)->Unit (benchmark::kMillisecond);

BENCHMARK_MAIN();
