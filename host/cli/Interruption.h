// Interruption.h: SIGINT and SIGTERM turned into a flag that the work checks at safe points.
#pragma once

#include <stdexcept>

namespace host
{
    // Handlers that only record the signal. Also ignores SIGXFSZ, so that a
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

    // Ends the process by the signal's default action, so that the shell
    // (and a script's loop) sees the interrupt for what it was.
    [[noreturn]] void endBySignal (int signal);
}
