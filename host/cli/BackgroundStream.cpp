// BackgroundStream.cpp: the block pool and the two worker threads.
#include "BackgroundStream.h"

#include <algorithm>

namespace
{
    // Enough to ride out a slow read or write without holding much: four
    // blocks of stereo are 1 MB.
    constexpr int blocksInFlight = 4;
}

host::BlockHandover::BlockHandover (int numChannels, int numBlocks)
    : blocks (static_cast<size_t> (numBlocks))
{
    for (auto& block : blocks)
    {
        block.channels.assign (static_cast<size_t> (numChannels), std::vector<float> (streamBlockFrames));
        for (auto& channel : block.channels)
            block.pointers.push_back (channel.data());
        free.push_back (&block);
    }
}

host::BlockHandover::Block* host::BlockHandover::takeFree()
{
    std::unique_lock<std::mutex> guard (lock);
    changed.wait (guard, [this] { return cancelled || ! free.empty(); });
    if (cancelled)
        return nullptr;
    auto* block = free.front();
    free.pop_front();
    return block;
}

host::BlockHandover::Block* host::BlockHandover::takeFull()
{
    std::unique_lock<std::mutex> guard (lock);
    changed.wait (guard, [this] { return cancelled || finished || ! full.empty(); });
    if (cancelled || full.empty())
        return nullptr;
    auto* block = full.front();
    full.pop_front();
    return block;
}

void host::BlockHandover::putFull (Block* block)
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        full.push_back (block);
    }
    changed.notify_all();
}

void host::BlockHandover::putFree (Block* block)
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        free.push_back (block);
    }
    changed.notify_all();
}

void host::BlockHandover::finish()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        finished = true;
    }
    changed.notify_all();
}

void host::BlockHandover::cancel()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        cancelled = true;
    }
    changed.notify_all();
}

//==============================================================================
host::ReadAhead::ReadAhead (AudioSource& sourceToRead)
    : source (sourceToRead), handover (sourceToRead.numChannels(), blocksInFlight), worker ([this] { readBlocks(); })
{
}

host::ReadAhead::~ReadAhead()
{
    cancelRead();
    worker.join();
}

void host::ReadAhead::cancelRead() noexcept
{
    handover.cancel();
    source.cancelRead();
}

void host::ReadAhead::readBlocks()
{
    while (auto* block = handover.takeFree())
    {
        try
        {
            block->frames = source.read (block->pointers.data(), streamBlockFrames);
        }
        catch (...)
        {
            failure = std::current_exception();
            block->frames = 0;
        }
        if (block->frames <= 0)
            break;
        handover.putFull (block);
    }
    // Seen by the reader only after it finds no full block left, through the handover's lock.
    handover.finish();
}

int host::ReadAhead::read (float* const* channels, int maxFrames)
{
    if (current != nullptr && position == current->frames)
    {
        handover.putFree (current);
        current = nullptr;
    }
    if (current == nullptr)
    {
        current = handover.takeFull();
        position = 0;
        if (current == nullptr)
        {
            if (failure)
                std::rethrow_exception (failure);
            return 0;
        }
    }

    const int frames = std::min (maxFrames, current->frames - position);
    for (size_t channel = 0; channel < current->channels.size(); ++channel)
        std::copy_n (current->channels[channel].begin() + position, frames, channels[channel]);
    position += frames;
    return frames;
}

//==============================================================================
host::WriteBehind::WriteBehind (AudioSink& sinkToWrite, int numChannels, std::function<void()> failureCallback)
    : sink (sinkToWrite), channels (numChannels), onFailure (std::move (failureCallback)), handover (numChannels, blocksInFlight),
      worker ([this] { writeBlocks(); })
{
}

host::WriteBehind::~WriteBehind()
{
    handover.cancel();
    if (worker.joinable())
        worker.join();
}

void host::WriteBehind::writeBlocks()
{
    while (auto* block = handover.takeFull())
    {
        try
        {
            sink.write (block->pointers.data(), block->frames);
        }
        catch (...)
        {
            // Seen by the writer once the cancel has woken it, through the handover's lock.
            failure = std::current_exception();
            handover.cancel();
            onFailure();
            return;
        }
        handover.putFree (block);
    }
}

void host::WriteBehind::write (const float* const* source, int frames)
{
    for (int start = 0; start < frames; start += streamBlockFrames)
    {
        auto* block = handover.takeFree();
        if (block == nullptr) // only the writing thread's failure cancels while blocks are written
            std::rethrow_exception (failure);
        block->frames = std::min (streamBlockFrames, frames - start);
        for (int channel = 0; channel < channels; ++channel)
            std::copy_n (source[channel] + start, block->frames, block->pointers[static_cast<size_t> (channel)]);
        handover.putFull (block);
    }
}

void host::WriteBehind::finish()
{
    handover.finish();
    worker.join();
    if (failure)
        std::rethrow_exception (failure);
}
