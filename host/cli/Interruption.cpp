// Interruption.cpp: one atomic phase shared by the signal handlers, the X I/O error handler and the work, and the ways out that need no unwinding.
#include "Interruption.h"
#include "AbruptEnd.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ctime>
#include <string>

namespace
{
    // The phase: running, the number of the signal that asked to stop, or
    // one of these. Each is left only by a compare-and-swap from running,
    // or by the commit's own steps.
    constexpr int running = 0;
    constexpr int committing = -1;
    constexpr int committed = -2;
    constexpr int renamesFailed = -3;
    constexpr int lostDisplay = -4;
    std::atomic<int> phase { running };
    std::atomic<int> unboundedWaits { 0 };
    static_assert (std::atomic<int>::is_always_lock_free, "a signal handler reads these");

    constexpr int handledSignals[] { SIGINT, SIGTERM, SIGHUP, SIGPIPE };
    constexpr const char* leftAsItWas = "; the output was left as it was";
    // How long a signal's way out waits for standard error to take its
    // message: a reader that stopped reading must not hold the end back.
    constexpr int messageWaitMilliseconds = 1000;
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

    // A line for standard error, put together without allocating, so that
    // it goes out in one write.
    class Message
    {
    public:
        Message& operator<< (const char* part) noexcept
        {
            const size_t size = std::min (std::strlen (part), sizeof (text) - length);
            std::memcpy (text + length, part, size);
            length += size;
            return *this;
        }

        // Waits for standard error as long as it takes.
        void say() const noexcept
        {
            [[maybe_unused]] const auto written = ::write (STDERR_FILENO, text, length);
        }

        // Left unsaid when standard error takes nothing for a while.
        void sayBriefly() const noexcept
        {
            pollfd errors { STDERR_FILENO, POLLOUT, 0 };
            if (::poll (&errors, 1, messageWaitMilliseconds) == 1 && (errors.revents & POLLOUT) != 0)
                say();
        }

    private:
        char text[512];
        size_t length = 0;
    };

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

    // On a terminal the line may hold progress, or the ^C it echoed.
    const char* linePrefix() noexcept
    {
        return errorsOnTerminal ? "\nkick_host: " : "kick_host: ";
    }

    // `renamedSome`: the renames failed part-way, so the output may not be as it was.
    [[noreturn]] void endAbruptly (int signal, bool renamedSome = false) noexcept
    {
        host::undoAbruptly();
        (Message() << linePrefix() << "interrupted by " << nameOf (signal) << (renamedSome ? "" : leftAsItWas) << "\n").sayBriefly();
        dieBy (signal);
    }

    // Every file is in place: nothing is left to stop but the child.
    [[noreturn]] void endCommitted (int signal) noexcept
    {
        host::undoAbruptly();
        (Message() << linePrefix() << "interrupted by " << nameOf (signal) << " after every file was written\n").sayBriefly();
        ::_exit (0);
    }

    // Another thread is ending the process.
    [[noreturn]] void waitForTheEnd() noexcept
    {
        for (;;)
            ::pause();
    }

    void onSignal (int signal)
    {
        int seen = running;
        if (phase.compare_exchange_strong (seen, signal))
        {
            if (unboundedWaits.load() > 0)
                endAbruptly (signal);
            return;
        }
        if (seen == committing || signal == SIGPIPE)
            return;
        if (seen == committed)
            endCommitted (signal);
        endAbruptly (signal, seen == renamesFailed);
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

host::UnboundedWait::UnboundedWait() noexcept
{
    unboundedWaits.fetch_add (1);
    if (const int signal = pendingInterrupt())
        endAbruptly (signal);
}

host::UnboundedWait::~UnboundedWait()
{
    unboundedWaits.fetch_sub (1);
}

host::Commit::Commit()
{
    int seen = running;
    if (phase.compare_exchange_strong (seen, committing))
        return;
    if (seen == lostDisplay)
        waitForTheEnd();
    throw Interrupted (seen);
}

host::Commit::~Commit()
{
    if (! finished)
        phase.store (renamesFailed);
}

void host::Commit::done() noexcept
{
    phase.store (committed);
    finished = true;
}

void host::endBySignal (int signal)
{
    dieBy (signal);
}

void host::failAbruptly (const char* reason) noexcept
{
    int seen = running;
    if (phase.compare_exchange_strong (seen, lostDisplay))
    {
        undoAbruptly();
        (Message() << "kick_host: " << reason << "; nothing was written\n").say();
        ::_exit (1);
    }
    if (seen > 0)
        endAbruptly (seen);
    if (seen == lostDisplay)
        waitForTheEnd();

    // The renames are under way: they are waited for, as the handler may not return.
    constexpr timespec pause { 0, 1000000 };
    while ((seen = phase.load()) == committing)
        ::nanosleep (&pause, nullptr);
    undoAbruptly();
    if (seen == committed)
    {
        (Message() << "kick_host: " << reason << ", after every file was written\n").say();
        ::_exit (0);
    }
    // The renames failed, which the work reports as it ends with 1.
    (Message() << "kick_host: " << reason << "\n").say();
    ::_exit (1);
}
