// Interruption.h: SIGINT, SIGTERM, SIGHUP and SIGPIPE turned into a stop the work makes at a safe point, or, when it cannot get there, one made at once with the temporary files removed.
#pragma once

#include <stdexcept>

namespace host
{
    // Handlers for SIGINT, SIGTERM, SIGHUP and SIGPIPE (standard output or
    // error closed by their reader). The first signal is recorded for the
    // work to stop at its next safe point, unless the work is waiting for
    // input (InputWait), which may never come: then it ends the process at
    // once, the temporary files removed (undoAbruptly). A second signal does
    // that wherever the work is; SIGPIPE never does, as it comes again with
    // each write to the closed stream. Once the commit has begun (beginCommit)
    // a signal comes too late and is ignored. Also ignores SIGXFSZ, so that a
    // write beyond the file-size limit fails with an error the program
    // reports (and cleans up after) instead of ending it on the spot.
    void installInterruptHandlers();

    // The signal that asked the program to stop, or 0.
    int pendingInterrupt() noexcept;

    // Thrown at a safe point once a signal arrived; what unwinds with it
    // removes the temporary files.
    struct Interrupted : std::runtime_error
    {
        explicit Interrupted (int signalNumber);
        int signal;
    };

    void throwIfInterrupted();

    // Marks a wait for input that may never end (a FIFO or pipe whose writer
    // stalls): a signal while it lasts ends the process at once. Throws
    // Interrupted when one has already arrived, as the wait might keep the
    // work from ever noticing it.
    class InputWait
    {
    public:
        InputWait();
        ~InputWait();
        InputWait (const InputWait&) = delete;
        InputWait& operator= (const InputWait&) = delete;
    };

    // Called once the finished files are on disk, just before they are
    // renamed into place: throws Interrupted when a signal arrived before,
    // and from then on a signal is ignored, as what is written is complete.
    void beginCommit();

    // Ends the process by the signal's default action, so that the shell
    // (and a script's loop) sees the interrupt for what it was.
    [[noreturn]] void endBySignal (int signal);

    // For a failure that cannot be unwound (Xlib's I/O error handler must not
    // return): removes the temporary files, says why, and ends the process
    // with exit code 1; by the signal instead when one had asked it to stop,
    // and with 0 when the files were already committed. Async-signal-safe.
    [[noreturn]] void failAbruptly (const char* reason) noexcept;
}
