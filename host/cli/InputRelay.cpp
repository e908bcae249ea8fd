// InputRelay.cpp: poll on the input (or the pipe) and an eventfd, read, write.
#include "InputRelay.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>
#include <utility>
#include <vector>

namespace
{
    constexpr size_t copiedAtOnce = 65536;

    // Waits until `descriptor` is ready for `events` (true) or the relay is cancelled (false).
    bool readyUnlessCancelled (int descriptor, short events, int cancelled)
    {
        pollfd waits[] { { descriptor, events, 0 }, { cancelled, POLLIN, 0 } };
        while (::poll (waits, 2, -1) < 0)
            if (errno != EINTR)
                return false;
        return waits[1].revents == 0;
    }
}

host::InputRelay::InputRelay (int inputDescriptor, std::string alreadyRead)
    : input (inputDescriptor), head (std::move (alreadyRead))
{
    int ends[2];
    if (::pipe2 (ends, O_CLOEXEC) != 0)
        throw std::system_error (errno, std::generic_category(), "no pipe to relay the input");
    readEnd = ends[0];
    writeEnd = ends[1];
    // Written only when poll says there is room, so a write never blocks.
    ::fcntl (writeEnd, F_SETFL, O_NONBLOCK);
    cancelled = ::eventfd (0, EFD_CLOEXEC);
    if (cancelled < 0)
    {
        const int error = errno;
        ::close (readEnd);
        ::close (writeEnd);
        throw std::system_error (error, std::generic_category(), "no eventfd to cancel the input's relay");
    }
    try
    {
        worker = std::thread ([this] { copy(); });
    }
    catch (const std::system_error&)
    {
        ::close (readEnd);
        ::close (writeEnd);
        ::close (cancelled);
        throw;
    }
}

host::InputRelay::~InputRelay()
{
    cancel();
    worker.join();
    ::close (readEnd);
    ::close (cancelled);
}

void host::InputRelay::cancel() noexcept
{
    const uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write (cancelled, &one, sizeof (one));
}

void host::InputRelay::copy()
{
    std::vector<char> buffer (copiedAtOnce);
    // What was read before the relay started goes first.
    const bool headPassed = passOn (head.data(), head.size());
    while (headPassed && readyUnlessCancelled (input, POLLIN, cancelled))
    {
        const auto got = ::read (input, buffer.data(), buffer.size());
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got < 0)
            readError.store (errno);
        if (got <= 0 || ! passOn (buffer.data(), static_cast<size_t> (got)))
            break;
    }
    ::close (writeEnd);
}

bool host::InputRelay::passOn (const char* bytes, size_t size)
{
    while (size > 0)
    {
        if (! readyUnlessCancelled (writeEnd, POLLOUT, cancelled))
            return false;
        const auto written = ::write (writeEnd, bytes, size);
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (written > 0)
        {
            bytes += written;
            size -= static_cast<size_t> (written);
        }
    }
    return true;
}
