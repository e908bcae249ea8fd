// StandardStreams.cpp: /dev/null on a closed standard descriptor, and a locked string held until a line, a flush or a few kilobytes, written with write().
#include "StandardStreams.h"
#include "Interruption.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

namespace
{
    // Written out once this much is held, as stdio does.
    constexpr size_t heldAtMost = 4096;
}

void host::openClosedStandardDescriptors() noexcept
{
    // open takes the lowest free number, which is this one when it is closed.
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor)
        if (::fcntl (descriptor, F_GETFD) < 0 && errno == EBADF)
            ::open ("/dev/null", O_RDWR);
}

host::StandardStreams::Buffer::Buffer (int fileDescriptor)
    : descriptor (fileDescriptor), byLine (::isatty (fileDescriptor) == 1)
{
}

bool host::StandardStreams::Buffer::writeHeld (bool now)
{
    const bool due = now || held.size() >= heldAtMost || (byLine && held.find ('\n') != std::string::npos);
    if (! due || held.empty())
        return true;
    const UnboundedWait waiting;
    size_t done = 0;
    while (done < held.size())
    {
        const auto written = ::write (descriptor, held.data() + done, held.size() - done);
        if (written > 0)
            done += static_cast<size_t> (written);
        else if (written < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    const bool whole = done == held.size();
    held.clear();
    return whole;
}

host::StandardStreams::Buffer::int_type host::StandardStreams::Buffer::overflow (int_type character)
{
    if (traits_type::eq_int_type (character, traits_type::eof()))
        return traits_type::not_eof (character);
    const std::lock_guard<std::mutex> guard (lock);
    held += traits_type::to_char_type (character);
    return writeHeld (false) ? character : traits_type::eof();
}

std::streamsize host::StandardStreams::Buffer::xsputn (const char* text, std::streamsize count)
{
    const std::lock_guard<std::mutex> guard (lock);
    held.append (text, static_cast<size_t> (count));
    return writeHeld (false) ? count : 0;
}

int host::StandardStreams::Buffer::sync()
{
    const std::lock_guard<std::mutex> guard (lock);
    return writeHeld (true) ? 0 : -1;
}

host::StandardStreams::StandardStreams()
    : output (STDOUT_FILENO), errors (STDERR_FILENO), previousOutput (std::cout.rdbuf (&output)),
      previousErrors (std::cerr.rdbuf (&errors))
{
}

host::StandardStreams::~StandardStreams()
{
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf (previousOutput);
    std::cerr.rdbuf (previousErrors);
}
