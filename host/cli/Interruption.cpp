// Interruption.cpp: async-signal-safe handlers that set one flag.
#include "Interruption.h"

#include <csignal>
#include <cstdlib>
#include <string>

namespace
{
    volatile std::sig_atomic_t received = 0;

    void recordSignal (int signal)
    {
        received = signal;
    }
}

void host::installInterruptHandlers()
{
    struct sigaction action {};
    action.sa_handler = recordSignal;
    sigemptyset (&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction (SIGINT, &action, nullptr);
    ::sigaction (SIGTERM, &action, nullptr);
    std::signal (SIGXFSZ, SIG_IGN);
}

int host::pendingInterrupt() noexcept
{
    return received;
}

host::Interrupted::Interrupted (int signalNumber)
    : std::runtime_error (std::string ("interrupted by ") + (signalNumber == SIGINT ? "SIGINT" : "SIGTERM")
                          + "; the output was left as it was"),
      signal (signalNumber)
{
}

void host::throwIfInterrupted()
{
    if (const int signal = pendingInterrupt())
        throw Interrupted (signal);
}

void host::endBySignal (int signal)
{
    std::signal (signal, SIG_DFL);
    std::raise (signal);
    std::_Exit (128 + signal);
}
