// Rendering a stream through the real module: bounded blocks whatever the length, every frame once, in order.
#include "AudioStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
    // A long sine made on the fly, so the test itself holds no long buffer.
    class ToneSource final : public host::AudioSource
    {
    public:
        explicit ToneSource (int64_t frames) : length (frames) {}

        int numChannels() const override { return 2; }
        double sampleRate() const override { return 48000.0; }
        int64_t lengthInFrames() const override { return length; }

        int read (float* const* channels, int maxFrames) override
        {
            largestRequest = std::max (largestRequest, maxFrames);
            const auto frames = static_cast<int> (std::min<int64_t> (maxFrames, length - position));
            for (int i = 0; i < frames; ++i)
                channels[0][i] = channels[1][i] = 0.5f * static_cast<float> (std::sin (0.01 * static_cast<double> (position + i)));
            position += frames;
            return frames;
        }

        int largestRequest = 0;

    private:
        int64_t length;
        int64_t position = 0;
    };

    class CountingSink final : public host::AudioSink
    {
    public:
        void write (const float* const* channels, int frames) override
        {
            largestBlock = std::max (largestBlock, frames);
            for (int i = 0; i < frames; ++i)
                sum += static_cast<double> (channels[0][i]);
            total += frames;
        }

        int largestBlock = 0;
        int64_t total = 0;
        double sum = 0.0;
    };
}

TEST (AudioStream, ALongStreamGoesThroughTheModuleInBoundedBlocksAndEveryFrameOnce)
{
    host::LoadedEffect effect { KICK_MODULE_PATH };
    host::EffectInstance instance (effect, 2, 48000.0f);

    // Ten minutes of stereo: 230 MB as floats if it were held whole.
    constexpr int64_t length = 10 * 60 * 48000;
    ToneSource source (length);
    CountingSink sink;
    int64_t lastReported = 0;
    int reports = 0;
    const auto rendered = host::renderStream (instance, source, sink, [&] (int64_t done) {
        EXPECT_GT (done, lastReported);
        lastReported = done;
        ++reports;
    });

    EXPECT_EQ (rendered, length);
    EXPECT_EQ (sink.total, length);
    EXPECT_EQ (lastReported, length);
    EXPECT_LE (source.largestRequest, host::streamBlockFrames);
    EXPECT_LE (sink.largestBlock, host::streamBlockFrames);
    EXPECT_GE (reports, static_cast<int> (length / host::streamBlockFrames));
    EXPECT_GT (std::abs (sink.sum), 0.0) << "the module's output never reached the sink";
}

TEST (AudioStream, AnExceptionAfterABlockStopsTheRender)
{
    host::LoadedEffect effect { KICK_MODULE_PATH };
    host::EffectInstance instance (effect, 2, 48000.0f);
    ToneSource source (48000 * 60);
    CountingSink sink;

    struct Stop {};
    EXPECT_THROW (host::renderStream (instance, source, sink, [] (int64_t done) { if (done > 48000) throw Stop {}; }), Stop);
    EXPECT_LT (sink.total, 48000 + host::streamBlockFrames);
}
