// AbruptEnd.h: what must still be undone when the process ends at once (a signal the work cannot wait for, a lost X display): temporary files to remove and a child process to stop, kept where a signal handler reaches them without allocating or locking.
#pragma once

#include <sys/types.h>

#include <string>

namespace host
{
    // A file created new, for writing, in a folder open as a descriptor,
    // which undoAbruptly() removes from that folder while this exists,
    // wherever the folder is by then; the destructor removes it too, unless
    // it was renamed away (renamed()). Creating the file and keeping its
    // name are one step that undoAbruptly() waits for, with every signal
    // blocked in this thread meanwhile, so no way out leaves the file behind.
    class TemporaryFile
    {
    public:
        // `folder` must stay open while this exists. Throws std::system_error
        // with openat's error when the file cannot be created (EEXIST when
        // the name is taken), std::length_error when the name is too long or
        // every place is taken.
        TemporaryFile (int folder, const std::string& name, mode_t permissions);
        ~TemporaryFile();
        TemporaryFile (const TemporaryFile&) = delete;
        TemporaryFile& operator= (const TemporaryFile&) = delete;

        // Its name in the folder.
        const std::string& name() const noexcept { return fileName; }
        int descriptor() const noexcept { return handle; }

        // Closes the descriptor; answers close's error, or 0.
        int close() noexcept;
        // The file has another name now: nothing is removed any more.
        void renamed() noexcept;

    private:
        int folder;
        std::string fileName;
        int handle = -1;
        int place = -1;
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

    // Asks a child process to end: SIGTERM, and SIGCONT should it be stopped,
    // so that it ends as cleanly as it can. Async-signal-safe.
    void askToEnd (pid_t child) noexcept;

    // Removes every kept file, once any file being created is kept, and asks
    // the kept child to end. From then on a TemporaryFile being created waits
    // for the end, so the process must end right after. Async-signal-safe.
    void undoAbruptly() noexcept;
}
