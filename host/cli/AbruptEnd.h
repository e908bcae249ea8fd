// AbruptEnd.h: what must still be undone when the process ends at once (a signal the work cannot wait for, a lost X display): temporary files to remove and a child process to stop, kept where a signal handler reaches them without allocating or locking.
#pragma once

#include <sys/types.h>

#include <string>

namespace host
{
    // Keeps a file's path for undoAbruptly() while this exists. Throws
    // std::length_error when the path is too long or every place is taken.
    class RemovedOnAbruptEnd
    {
    public:
        explicit RemovedOnAbruptEnd (const std::string& path);
        ~RemovedOnAbruptEnd();
        RemovedOnAbruptEnd (const RemovedOnAbruptEnd&) = delete;
        RemovedOnAbruptEnd& operator= (const RemovedOnAbruptEnd&) = delete;

    private:
        int place;
    };

    // Keeps a child process for undoAbruptly() to stop while this exists; one at a time.
    class StoppedOnAbruptEnd
    {
    public:
        explicit StoppedOnAbruptEnd (pid_t child) noexcept;
        ~StoppedOnAbruptEnd();
        StoppedOnAbruptEnd (const StoppedOnAbruptEnd&) = delete;
        StoppedOnAbruptEnd& operator= (const StoppedOnAbruptEnd&) = delete;
    };

    // Removes every kept file and asks the kept child to end (SIGTERM, and
    // SIGCONT should it be stopped). Async-signal-safe.
    void undoAbruptly() noexcept;
}
