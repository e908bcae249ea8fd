// VirtualDisplay.cpp: fork and exec of Xvfb, which writes its display number to a pipe (-displayfd) once it is ready.
#include "VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace
{
    using Clock = std::chrono::steady_clock;

    // Display numbers are tried from here up: clear of :0, which the
    // module's framework opens when DISPLAY is not set (another program's
    // render would connect to this server and fail when it stops), and of
    // the first numbers xvfb-run -a takes (from 99 up). Xvfb itself refuses
    // a number that a running server holds, and takes over a stale lock.
    constexpr int firstDisplayNumber = 200;
    constexpr int displayNumbersTried = 100;
    // What the child exits with when Xvfb cannot be run at all.
    constexpr int notRun = 127;

    // Xvfb is ready in well under a second; this much is left for a loaded machine.
    constexpr auto startBound = std::chrono::seconds (30);
    // It ends at once on SIGTERM (and SIGCONT, should it be stopped); one
    // that does not is killed after this long, leaving its lock file, which
    // the next server on that number takes over.
    constexpr auto stopBound = std::chrono::seconds (5);

    // Everything the server writes to its descriptor: its display number and a newline.
    std::string readyLine (int descriptor)
    {
        std::string text;
        const auto deadline = Clock::now() + startBound;
        while (text.find ('\n') == std::string::npos)
        {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds> (deadline - Clock::now()).count();
            if (left <= 0)
                return {};
            pollfd ready { descriptor, POLLIN, 0 };
            const int polled = ::poll (&ready, 1, static_cast<int> (left));
            if (polled < 0 && errno == EINTR) // a signal, which the work notices once the display is there
                continue;
            char buffer[16];
            const auto got = polled > 0 ? ::read (descriptor, buffer, sizeof (buffer)) : 0;
            if (got <= 0)
                return {};
            text.append (buffer, static_cast<size_t> (got));
        }
        return text;
    }
}

host::VirtualDisplay::VirtualDisplay()
{
    for (int number = firstDisplayNumber; number < firstDisplayNumber + displayNumbersTried; ++number)
    {
        if (start (number))
        {
            display = ":" + std::to_string (number);
            return;
        }
    }
    throw std::runtime_error ("Xvfb started no virtual display on :" + std::to_string (firstDisplayNumber) + " to :"
                              + std::to_string (firstDisplayNumber + displayNumbersTried - 1));
}

bool host::VirtualDisplay::start (int number)
{
    int ready[2];
    if (::pipe2 (ready, O_CLOEXEC) != 0)
        throw std::runtime_error ("cannot start Xvfb: no pipe to hear from it");
    // Made before fork: between fork and exec only async-signal-safe calls.
    const auto name = ":" + std::to_string (number);
    const auto readyNumber = std::to_string (ready[1]);
    // -noreset: the server is this run's alone, and the module's framework
    // connects and lets go as it registers; a server that reset as its last
    // client left could refuse the window's connection that follows.
    const char* const arguments[] { "Xvfb", name.c_str(), "-displayfd", readyNumber.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                                    "-noreset", nullptr };
    const pid_t parent = ::getpid();

    // No handler of this process may run in the child before exec.
    sigset_t all, previous;
    sigfillset (&all);
    ::pthread_sigmask (SIG_SETMASK, &all, &previous);
    server = ::fork();
    if (server == 0)
    {
        ::setpgid (0, 0);
        ::prctl (PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit (1);
        ::fcntl (ready[1], F_SETFD, 0); // kept across exec
        const int quiet = ::open ("/dev/null", O_RDWR);
        ::dup2 (quiet, STDIN_FILENO);
        ::dup2 (quiet, STDOUT_FILENO);
        ::dup2 (quiet, STDERR_FILENO);
        // Handlers go back to their defaults before any signal is let in, as exec would have them.
        for (int signal = 1; signal < NSIG; ++signal)
        {
            struct sigaction action {};
            if (::sigaction (signal, nullptr, &action) == 0 && action.sa_handler != SIG_DFL && action.sa_handler != SIG_IGN)
            {
                action.sa_handler = SIG_DFL;
                action.sa_flags = 0;
                ::sigaction (signal, &action, nullptr);
            }
        }
        ::sigprocmask (SIG_SETMASK, &previous, nullptr);
        ::execvp (arguments[0], const_cast<char* const*> (arguments));
        ::_exit (notRun);
    }
    ::pthread_sigmask (SIG_SETMASK, &previous, nullptr);
    ::close (ready[1]);
    if (server < 0)
    {
        ::close (ready[0]);
        throw std::runtime_error ("cannot start Xvfb: no process for it");
    }
    // Here too, so that no terminal signal reaches it before its own call.
    ::setpgid (server, server);
    stoppedOnAbruptEnd.emplace (server);

    // Once ready, the server writes the number it serves.
    const auto line = readyLine (ready[0]);
    ::close (ready[0]);
    if (line == std::to_string (number) + "\n")
        return true;
    if (stop() == notRun)
        throw std::runtime_error ("cannot run Xvfb for a virtual display (is the xvfb package installed?)");
    return false;
}

host::VirtualDisplay::~VirtualDisplay()
{
    stop();
}

int host::VirtualDisplay::stop() noexcept
{
    stoppedOnAbruptEnd.reset();
    askToEnd (server);
    int status = 0;
    const auto deadline = Clock::now() + stopBound;
    while (::waitpid (server, &status, WNOHANG) == 0)
    {
        if (Clock::now() > deadline)
        {
            ::kill (server, SIGKILL);
            ::waitpid (server, &status, 0);
            break;
        }
        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }
    return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
}
