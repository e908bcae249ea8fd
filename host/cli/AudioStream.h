// AudioStream.h: audio passed through the effect block by block, from a source to a sink, so memory never grows with the length.
#pragma once

#include "EffectSession.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace host
{
    // Where the audio comes from: planar float channels, one block at a time.
    class AudioSource
    {
    public:
        virtual ~AudioSource() = default;

        virtual int numChannels() const = 0;
        virtual double sampleRate() const = 0;
        // The length announced before reading (a file's header), if there is
        // one; the end of the source decides where the render stops.
        virtual std::optional<int64_t> lengthInFrames() const = 0;
        // Fills up to maxFrames frames of every channel; answers how many, 0 at the end.
        virtual int read (float* const* channels, int maxFrames) = 0;
        // Releases a read that waits on another thread for input that may
        // never come: it, and every later one, answers the end. From any thread.
        virtual void cancelRead() noexcept {}
    };

    // Where the processed audio goes, block by block.
    class AudioSink
    {
    public:
        virtual ~AudioSink() = default;
        virtual void write (const float* const* channels, int frames) = 0;
    };

    // The largest block renderStream reads, processes and writes at once:
    // 0.7 s at 48 kHz, large enough that per-block costs (system calls,
    // thread hand-overs) vanish beside the processing, and 256 KB in stereo.
    constexpr int streamBlockFrames = 32768;

    // Everything the source holds, through the instance, into the sink. After
    // each block `afterBlock` is told the frames done so far; it may throw to
    // stop the render. Answers the frames rendered.
    int64_t renderStream (EffectInstance& instance, AudioSource& source, AudioSink& sink,
                          const std::function<void (int64_t framesDone)>& afterBlock);
}
