// AbruptEnd.cpp: fixed places filled before they are needed, read with atomics and plain system calls.
#include "AbruptEnd.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <system_error>

namespace
{
    enum PlaceState : int
    {
        empty,
        filling,
        kept
    };

    // kick_host keeps two at most: the output and the picture.
    constexpr int placeCount = 4;

    struct Place
    {
        std::atomic<int> state { empty };
        int folder = -1;
        char name[NAME_MAX + 1] {};
    };

    Place places[placeCount];
    std::atomic<pid_t> child { 0 };

    // How many files are being created, or `ending` once undoAbruptly() has
    // begun: it waits for the creations under way, and later ones wait for the end.
    constexpr int ending = -1;
    std::atomic<int> creating { 0 };

    static_assert (std::atomic<int>::is_always_lock_free && std::atomic<pid_t>::is_always_lock_free,
                   "a signal handler reads these");

    void enterCreation() noexcept
    {
        int now = creating.load();
        for (;;)
        {
            if (now == ending)
                for (;;) // every signal is blocked here: this thread sleeps until the process ends
                    ::pause();
            if (creating.compare_exchange_weak (now, now + 1))
                return;
        }
    }

    void closeCreation() noexcept
    {
        constexpr timespec pause { 0, 1000000 };
        int now = 0;
        while (! creating.compare_exchange_strong (now, ending) && now != ending)
        {
            ::nanosleep (&pause, nullptr);
            now = 0;
        }
    }

    int claimPlace() noexcept
    {
        for (int place = 0; place < placeCount; ++place)
        {
            int expected = empty;
            if (places[place].state.compare_exchange_strong (expected, filling))
                return place;
        }
        return -1;
    }
}

host::TemporaryFile::TemporaryFile (int folderDescriptor, const std::string& name, mode_t permissions)
    : folder (folderDescriptor), fileName (name)
{
    if (name.size() > NAME_MAX)
        throw std::length_error ("a temporary file's name is too long to be kept: " + name);

    sigset_t all, previous;
    sigfillset (&all);
    ::pthread_sigmask (SIG_SETMASK, &all, &previous);
    enterCreation();
    place = claimPlace();
    int error = 0;
    if (place >= 0)
    {
        places[place].folder = folder;
        std::memcpy (places[place].name, name.c_str(), name.size() + 1);
        handle = ::openat (folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions);
        error = errno;
        places[place].state.store (handle >= 0 ? kept : empty);
    }
    creating.fetch_sub (1);
    ::pthread_sigmask (SIG_SETMASK, &previous, nullptr);

    if (place < 0)
        throw std::length_error ("no place left to keep a temporary file's name: " + name);
    if (handle < 0)
    {
        place = -1;
        throw std::system_error (error, std::generic_category(), name);
    }
}

host::TemporaryFile::~TemporaryFile()
{
    close();
    if (place >= 0)
    {
        ::unlinkat (folder, fileName.c_str(), 0);
        places[place].state.store (empty);
    }
}

int host::TemporaryFile::close() noexcept
{
    if (handle < 0)
        return 0;
    const int closed = ::close (handle);
    handle = -1;
    return closed == 0 ? 0 : errno;
}

void host::TemporaryFile::renamed() noexcept
{
    if (place >= 0)
        places[place].state.store (empty);
    place = -1;
}

host::StoppedOnAbruptEnd::StoppedOnAbruptEnd (pid_t process) noexcept
{
    child.store (process);
}

host::StoppedOnAbruptEnd::~StoppedOnAbruptEnd()
{
    child.store (0);
}

void host::askToEnd (pid_t process) noexcept
{
    ::kill (process, SIGTERM);
    ::kill (process, SIGCONT);
}

void host::undoAbruptly() noexcept
{
    closeCreation();
    for (auto& each : places)
        if (each.state.load() == kept)
            ::unlinkat (each.folder, each.name, 0);
    if (const pid_t process = child.load(); process > 0)
        askToEnd (process);
}
