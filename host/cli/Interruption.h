// Interruption.h: SIGINT, SIGTERM, SIGHUP and SIGPIPE turned into a stop the work makes at a safe point, or, when it cannot get there, one made at once with the temporary files removed; and the one phase that signals, a lost X display and the commit share.
#pragma once

#include <stdexcept>

namespace host
{
    // Handlers for SIGINT, SIGTERM, SIGHUP and SIGPIPE (standard output or
    // error closed by their reader). The first signal is recorded for the
    // work to stop at its next safe point, unless the work is in a wait that
    // may never end (UnboundedWait): then it ends the process at once, the
    // temporary files removed (undoAbruptly). A second signal does that
    // wherever the work is; SIGPIPE never does, as it comes again with each
    // write to the closed stream. While the finished files are renamed into
    // place (Commit) a signal comes too late and is ignored; once they are,
    // one ends the process at once with exit code 0. Also ignores SIGXFSZ,
    // so that a write beyond the file-size limit fails with an error the
    // program reports (and cleans up after) instead of ending it on the spot.
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

    // Marks a wait that may never end: input from a FIFO or pipe whose
    // writer stalls, a round trip to an X server that froze, a write to
    // standard output or error whose reader stopped reading. A signal while
    // it lasts ends the process at once, and one that arrived before ends it
    // as the wait begins.
    class UnboundedWait
    {
    public:
        UnboundedWait() noexcept;
        ~UnboundedWait();
        UnboundedWait (const UnboundedWait&) = delete;
        UnboundedWait& operator= (const UnboundedWait&) = delete;
    };

    // Renaming the finished files into place, begun once they are on disk.
    class Commit
    {
    public:
        // Throws Interrupted when a signal arrived before; from then on a
        // signal is too late, as what is written is complete. When a lost X
        // display is already ending the process, waits for that end.
        Commit();
        // Without done(): the renames failed, which the work reports.
        ~Commit();
        Commit (const Commit&) = delete;
        Commit& operator= (const Commit&) = delete;

        // Every file is in place.
        void done() noexcept;

    private:
        bool finished = false;
    };

    // Ends the process by the signal's default action, so that the shell
    // (and a script's loop) sees the interrupt for what it was.
    [[noreturn]] void endBySignal (int signal);

    // For a failure that cannot be unwound (Xlib's I/O error handler must not
    // return): removes the temporary files, says why, and ends the process
    // with exit code 1. By the signal instead when one had asked it to stop.
    // During the commit it waits for the renames, then ends with 0 when
    // every file is in place. Async-signal-safe.
    [[noreturn]] void failAbruptly (const char* reason) noexcept;
}
