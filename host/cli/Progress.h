// Progress.h: how far a render has got, told on standard error for jobs long enough to want it.
#pragma once

#include <cstdint>
#include <optional>

namespace host
{
    // Shown for inputs over 10 s, or, when the length is not known
    // beforehand, once 10 s are done. On a terminal, one line rewritten in
    // place ("Rendering: 42%", or "Rendering: 73 s of audio" without a
    // length); elsewhere, such as a log or a pipe, a plain line now and then:
    // at the first block and every tenth of the way (every minute of audio
    // without a length).
    class Progress
    {
    public:
        Progress (std::optional<int64_t> totalFrames, double sampleRate, bool onTerminal);
        // Ends the line a terminal shows.
        ~Progress();
        Progress (const Progress&) = delete;
        Progress& operator= (const Progress&) = delete;

        void update (int64_t framesDone);

    private:
        std::optional<int64_t> total;
        double rate;
        bool terminal;
        int64_t lastStep = -1;
    };
}
