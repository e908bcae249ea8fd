// InputRelay.h: a pipe, FIFO or device copied on a thread of its own into a pipe of the program's, so that a read waiting on it can be released.
#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace host
{
    // libsndfile reads a stream with plain blocking reads, which nothing
    // ends while the stream's writer stalls. It reads this relay's pipe
    // instead: the relay waits for the input and for a cancellation at once,
    // and on either end of the copy closes its end of the pipe, which the
    // reader then sees as the end of the stream.
    class InputRelay
    {
    public:
        // Starts copying `input`, which stays open, after `head`: what was
        // already read from it, passed on first. Throws std::system_error
        // when the pipe or the thread cannot be made.
        explicit InputRelay (int input, std::string head = {});
        // Cancels, waits for the thread and closes the pipe.
        ~InputRelay();
        InputRelay (const InputRelay&) = delete;
        InputRelay& operator= (const InputRelay&) = delete;

        // The pipe's end to read from instead of the input.
        int descriptor() const noexcept { return readEnd; }

        // Ends the copy; from any thread.
        void cancel() noexcept;

        // The error of a failed read of the input, or 0.
        int error() const noexcept { return readError.load(); }

    private:
        void copy();
        // Passes on `size` bytes; false once cancelled or when the pipe fails.
        bool passOn (const char* bytes, size_t size);

        int input;
        std::string head;
        int readEnd = -1, writeEnd = -1;
        int cancelled = -1; // an eventfd
        std::atomic<int> readError { 0 };
        std::thread worker;
    };
}
