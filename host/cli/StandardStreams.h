// StandardStreams.h: descriptors 0 to 2 always open, and standard output and error written in plain writes that a signal can end, for a reader that stops reading must not hold the program for ever.
#pragma once

#include <mutex>
#include <streambuf>
#include <string>

namespace host
{
    // Opens /dev/null on each of descriptors 0 to 2 that is closed: a file or
    // pipe opened later would take the number otherwise, and with it what is
    // meant for standard output or error, or a child's redirection of those.
    // First thing in main, before anything is opened.
    void openClosedStandardDescriptors() noexcept;

    // While this exists std::cout and std::cerr write through buffers of
    // their own whose every write is an UnboundedWait: a signal ends the
    // process at once while a write is held back. Standard output goes out
    // line by line on a terminal, else when flushed or when much is held.
    class StandardStreams
    {
    public:
        StandardStreams();
        // Flushes, and puts the streams' own buffers back.
        ~StandardStreams();
        StandardStreams (const StandardStreams&) = delete;
        StandardStreams& operator= (const StandardStreams&) = delete;

    private:
        class Buffer final : public std::streambuf
        {
        public:
            explicit Buffer (int descriptor);

        protected:
            int_type overflow (int_type character) override;
            std::streamsize xsputn (const char* text, std::streamsize count) override;
            int sync() override;

        private:
            // Writes what is held when it is due (`now`: at once); false when the write failed.
            bool writeHeld (bool now);

            int descriptor;
            bool byLine;
            std::string held;
            std::mutex lock; // the module's threads may write too
        };

        Buffer output, errors;
        std::streambuf* previousOutput;
        std::streambuf* previousErrors;
    };
}
