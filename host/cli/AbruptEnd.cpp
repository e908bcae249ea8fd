// AbruptEnd.cpp: fixed places filled before they are needed, read with atomics and plain system calls.
#include "AbruptEnd.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <stdexcept>

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
        char path[PATH_MAX] {};
    };

    Place places[placeCount];
    std::atomic<pid_t> child { 0 };

    static_assert (std::atomic<int>::is_always_lock_free && std::atomic<pid_t>::is_always_lock_free,
                   "a signal handler reads these");
}

host::RemovedOnAbruptEnd::RemovedOnAbruptEnd (const std::string& path)
{
    if (path.size() >= PATH_MAX)
        throw std::length_error ("a temporary file's path is too long to be kept: " + path);
    for (place = 0; place < placeCount; ++place)
    {
        int expected = empty;
        if (places[place].state.compare_exchange_strong (expected, filling))
        {
            std::memcpy (places[place].path, path.c_str(), path.size() + 1);
            places[place].state.store (kept);
            return;
        }
    }
    throw std::length_error ("no place left to keep a temporary file's path: " + path);
}

host::RemovedOnAbruptEnd::~RemovedOnAbruptEnd()
{
    places[place].state.store (empty);
}

host::StoppedOnAbruptEnd::StoppedOnAbruptEnd (pid_t process) noexcept
{
    child.store (process);
}

host::StoppedOnAbruptEnd::~StoppedOnAbruptEnd()
{
    child.store (0);
}

void host::undoAbruptly() noexcept
{
    for (auto& each : places)
        if (each.state.load() == kept)
            ::unlink (each.path);
    if (const pid_t process = child.load(); process > 0)
    {
        ::kill (process, SIGTERM);
        ::kill (process, SIGCONT);
    }
}
