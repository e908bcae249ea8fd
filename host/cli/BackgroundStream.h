// BackgroundStream.h: reading ahead and writing behind on threads of their own, so file work overlaps the effect's processing.
#pragma once

#include "AudioStream.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace host
{
    // A fixed pool of planar blocks handed from a producing thread to a
    // consuming one: memory stays that of the pool whatever passes through.
    class BlockHandover
    {
    public:
        struct Block
        {
            std::vector<std::vector<float>> channels;
            std::vector<float*> pointers;
            int frames = 0;
        };

        BlockHandover (int numChannels, int numBlocks);

        // Each waits for a block; null once cancelled (and, for takeFull,
        // once finished with every full block taken).
        Block* takeFree();
        Block* takeFull();
        void putFull (Block* block);
        void putFree (Block* block);

        // The producer has no more blocks.
        void finish();
        // Either side gives up: every wait ends.
        void cancel();

    private:
        std::vector<Block> blocks;
        std::deque<Block*> free, full;
        bool finished = false, cancelled = false;
        std::mutex lock;
        std::condition_variable changed;
    };

    // A source read on a thread of its own, up to a few blocks ahead. A
    // failure of the source is thrown again by read().
    class ReadAhead final : public AudioSource
    {
    public:
        explicit ReadAhead (AudioSource& source);
        // Cancels, and waits for the reading thread.
        ~ReadAhead() override;
        ReadAhead (const ReadAhead&) = delete;
        ReadAhead& operator= (const ReadAhead&) = delete;

        int numChannels() const override { return source.numChannels(); }
        double sampleRate() const override { return source.sampleRate(); }
        std::optional<int64_t> lengthInFrames() const override { return source.lengthInFrames(); }
        int read (float* const* channels, int maxFrames) override;
        // Ends the reading thread's work, a read of the source it waits on
        // included; read() then answers the end, or the source's failure.
        void cancelRead() noexcept override;

    private:
        void readBlocks();

        AudioSource& source;
        BlockHandover handover;
        BlockHandover::Block* current = nullptr;
        int position = 0;
        std::exception_ptr failure;
        std::thread worker;
    };

    // A sink written on a thread of its own, a few blocks behind. A failure
    // of the sink is thrown again by the next write() or by finish(); as it
    // happens, `onFailure` is called on the writing thread, to release a
    // producer that waits for its input.
    class WriteBehind final : public AudioSink
    {
    public:
        WriteBehind (AudioSink& sink, int numChannels, std::function<void()> onFailure);
        ~WriteBehind() override;
        WriteBehind (const WriteBehind&) = delete;
        WriteBehind& operator= (const WriteBehind&) = delete;

        void write (const float* const* channels, int frames) override;
        // Waits until every block has reached the sink.
        void finish();

    private:
        void writeBlocks();

        AudioSink& sink;
        int channels;
        std::function<void()> onFailure;
        BlockHandover handover;
        std::exception_ptr failure;
        std::thread worker;
    };
}
