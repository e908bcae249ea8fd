// Interruption.cpp: one atomic phase shared by the signal handlers and the work, and the way out that needs no unwinding.
#include "Interruption.h"
#include "AbruptEnd.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

namespace
{
    // The phase: running, the number of the signal that asked to stop, or committing.
    constexpr int running = 0;
    constexpr int committing = -1;
    std::atomic<int> phase { running };
    std::atomic<int> inputWaits { 0 };
    static_assert (std::atomic<int>::is_always_lock_free, "a signal handler reads these");

    constexpr int handledSignals[] { SIGINT, SIGTERM, SIGHUP, SIGPIPE };
    constexpr const char* leftAsItWas = "; the output was left as it was";
    // Read in the handlers, which may not ask for themselves.
    bool errorsOnTerminal = false;

    const char* nameOf (int signal) noexcept
    {
        switch (signal)
        {
            case SIGINT: return "SIGINT";
            case SIGTERM: return "SIGTERM";
            case SIGHUP: return "SIGHUP";
            case SIGPIPE: return "SIGPIPE";
            default: return "a signal";
        }
    }

    // Standard error in plain writes, as a signal handler may make them.
    void say (const char* text) noexcept
    {
        [[maybe_unused]] const auto written = ::write (STDERR_FILENO, text, std::strlen (text));
    }

    [[noreturn]] void dieBy (int signal) noexcept
    {
        struct sigaction defaults {};
        defaults.sa_handler = SIG_DFL;
        ::sigaction (signal, &defaults, nullptr);
        sigset_t only;
        sigemptyset (&only);
        sigaddset (&only, signal);
        ::sigprocmask (SIG_UNBLOCK, &only, nullptr);
        ::raise (signal);
        ::_exit (128 + signal);
    }

    [[noreturn]] void endAbruptly (int signal) noexcept
    {
        host::undoAbruptly();
        // On a terminal the line may hold progress, or the ^C it echoed.
        say (errorsOnTerminal ? "\nkick_host: interrupted by " : "kick_host: interrupted by ");
        say (nameOf (signal));
        say (leftAsItWas);
        say ("\n");
        dieBy (signal);
    }

    void onSignal (int signal)
    {
        int seen = running;
        if (phase.compare_exchange_strong (seen, signal))
        {
            if (inputWaits.load() > 0)
                endAbruptly (signal);
            return;
        }
        if (seen == committing || signal == SIGPIPE)
            return;
        endAbruptly (signal);
    }
}

void host::installInterruptHandlers()
{
    errorsOnTerminal = ::isatty (STDERR_FILENO) == 1;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset (&action.sa_mask);
    for (const int signal : handledSignals)
        sigaddset (&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    for (const int signal : handledSignals)
        ::sigaction (signal, &action, nullptr);

    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction (SIGXFSZ, &ignore, nullptr);
}

int host::pendingInterrupt() noexcept
{
    return std::max (phase.load(), 0);
}

host::Interrupted::Interrupted (int signalNumber)
    : std::runtime_error (std::string ("interrupted by ") + nameOf (signalNumber) + leftAsItWas), signal (signalNumber)
{
}

void host::throwIfInterrupted()
{
    if (const int signal = pendingInterrupt())
        throw Interrupted (signal);
}

host::InputWait::InputWait()
{
    inputWaits.fetch_add (1);
    if (const int signal = pendingInterrupt())
    {
        inputWaits.fetch_sub (1);
        throw Interrupted (signal);
    }
}

host::InputWait::~InputWait()
{
    inputWaits.fetch_sub (1);
}

void host::beginCommit()
{
    int seen = running;
    if (! phase.compare_exchange_strong (seen, committing))
        throw Interrupted (seen);
}

void host::endBySignal (int signal)
{
    dieBy (signal);
}

void host::failAbruptly (const char* reason) noexcept
{
    const int now = phase.load();
    if (now > 0)
        endAbruptly (now);
    undoAbruptly();
    say ("kick_host: ");
    say (reason);
    say (now == committing ? ", after every file was written\n" : "; nothing was written\n");
    ::_exit (now == committing ? 0 : 1);
}
