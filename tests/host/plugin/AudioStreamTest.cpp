// Rendering a stream through the real module in bounded blocks, and the threads that read ahead and write behind: every frame once, in order, failures passed on.
#include "AudioStream.h"
#include "BackgroundStream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
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
        std::optional<int64_t> lengthInFrames() const override { return length; }

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

    class RecordingSink final : public host::AudioSink
    {
    public:
        void write (const float* const* channels, int frames) override
        {
            if (++writes == failOnWrite)
                throw std::runtime_error ("disk full");
            for (size_t c = 0; c < recorded.size(); ++c)
                recorded[c].insert (recorded[c].end(), channels[c], channels[c] + frames);
        }

        std::vector<std::vector<float>> recorded { 2 };
        int writes = 0;
        int failOnWrite = -1;
    };

    class FailingSource final : public host::AudioSource
    {
    public:
        int numChannels() const override { return 2; }
        double sampleRate() const override { return 48000.0; }
        std::optional<int64_t> lengthInFrames() const override { return 0; }
        int read (float* const*, int maxFrames) override
        {
            if (++reads == 3)
                throw std::runtime_error ("cannot read: damaged");
            return maxFrames;
        }
        int reads = 0;
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

TEST (BackgroundStream, ReadAheadAndWriteBehindPassEveryFrameOnceInOrder)
{
    // Not a whole number of blocks, read and written in sizes that are not blocks either.
    constexpr int64_t length = 3 * host::streamBlockFrames + 1234;
    ToneSource direct (length);
    RecordingSink expected;
    std::vector<std::vector<float>> block (2, std::vector<float> (host::streamBlockFrames));
    float* pointers[2] = { block[0].data(), block[1].data() };
    while (const int frames = direct.read (pointers, host::streamBlockFrames))
        expected.write (pointers, frames);

    ToneSource source (length);
    RecordingSink sink;
    {
        host::ReadAhead reading (source);
        host::WriteBehind writing (sink, 2, [] {});
        std::vector<std::vector<float>> chunk (2, std::vector<float> (host::streamBlockFrames + 5000));
        float* chunkPointers[2] = { chunk[0].data(), chunk[1].data() };
        int64_t total = 0;
        for (int request = 1000; const int frames = reading.read (chunkPointers, request); request = request == 1000 ? host::streamBlockFrames + 5000 : 1000)
        {
            writing.write (chunkPointers, frames);
            total += frames;
        }
        EXPECT_EQ (total, length);
        EXPECT_EQ (reading.read (chunkPointers, 1000), 0) << "the end stays the end";
        writing.finish();
    }
    EXPECT_EQ (sink.recorded, expected.recorded);
}

TEST (BackgroundStream, AFailureOnTheirThreadReachesTheCaller)
{
    FailingSource failing;
    host::ReadAhead reading (failing);
    std::vector<std::vector<float>> block (2, std::vector<float> (host::streamBlockFrames));
    float* pointers[2] = { block[0].data(), block[1].data() };
    EXPECT_EQ (reading.read (pointers, host::streamBlockFrames), host::streamBlockFrames);
    EXPECT_EQ (reading.read (pointers, host::streamBlockFrames), host::streamBlockFrames);
    EXPECT_THROW (reading.read (pointers, host::streamBlockFrames), std::runtime_error);

    RecordingSink sink;
    sink.failOnWrite = 2;
    std::atomic<int> failuresTold { 0 };
    bool thrown = false;
    {
        host::WriteBehind writing (sink, 2, [&failuresTold] { ++failuresTold; });
        try
        {
            // Blocks are accepted until the writing thread has failed; then write() or finish() says so.
            for (int i = 0; i < 10; ++i)
                writing.write (pointers, host::streamBlockFrames);
            writing.finish();
        }
        catch (const std::runtime_error& error)
        {
            thrown = true;
            EXPECT_STREQ (error.what(), "disk full");
        }
    }
    EXPECT_TRUE (thrown);
    EXPECT_EQ (failuresTold.load(), 1) << "the failure was not told as it happened";
    EXPECT_EQ (sink.recorded[0].size(), static_cast<size_t> (host::streamBlockFrames)) << "nothing reached the sink after its failure";
}

TEST (BackgroundStream, CancellingReleasesASourceThatWaitsForInputThatNeverComes)
{
    // Its second read waits until it is cancelled, as a read of a stalled pipe would for ever.
    struct StallingSource final : host::AudioSource
    {
        int numChannels() const override { return 2; }
        double sampleRate() const override { return 48000.0; }
        std::optional<int64_t> lengthInFrames() const override { return std::nullopt; }
        int read (float* const*, int maxFrames) override
        {
            std::unique_lock<std::mutex> guard (lock);
            if (reads++ == 0)
                return maxFrames;
            released.wait (guard, [this] { return cancelled; });
            return 0;
        }
        void cancelRead() noexcept override
        {
            {
                const std::lock_guard<std::mutex> guard (lock);
                cancelled = true;
            }
            released.notify_all();
        }
        std::mutex lock;
        std::condition_variable released;
        int reads = 0;
        bool cancelled = false;
    };

    StallingSource source;
    std::vector<std::vector<float>> block (2, std::vector<float> (host::streamBlockFrames));
    float* pointers[2] = { block[0].data(), block[1].data() };
    host::ReadAhead reading (source);
    EXPECT_EQ (reading.read (pointers, host::streamBlockFrames), host::streamBlockFrames);
    reading.cancelRead();
    EXPECT_EQ (reading.read (pointers, host::streamBlockFrames), 0) << "a cancelled read answers the end";
}
