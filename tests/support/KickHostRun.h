// KickHostRun.h: kick_host run by the tests as a user runs it: to its end through the shell, or in the background to be signalled, in a folder of the test's own, fed through a FIFO whose writer stalls.
#pragma once

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace kick_host_run
{
    // How long a run may take before a test gives up on it: far beyond any
    // run's real length, so only a hang reaches it.
    constexpr auto patience = std::chrono::seconds (120);

    // Every stage at its hardest: the render is slow and far above full scale.
    inline const std::string strongSettings = "--set \"Kick Harmonics=100\" --set \"Kick Pressure=100\" --set \"Kick Sub=100\" "
                                              "--set \"Kick Comp=100\" --set \"Kick Trans=100\" --set \"Kick Air=100\"";

    struct Run
    {
        int exitCode = -1; // -1 when it did not exit (a signal ended it)
        std::string output; // stdout and stderr together
    };

    // `prefix` goes before the program in the shell command (variables, ulimit, cd).
    inline Run kickHost (const std::string& arguments, const std::string& prefix = {})
    {
        const std::string command = prefix + " " + KICK_HOST_PATH + " " + arguments + " 2>&1";
        std::unique_ptr<FILE, int (*) (FILE*)> pipe (::popen (command.c_str(), "r"), [] (FILE*) { return 0; });
        Run run;
        char buffer[512];
        while (std::fgets (buffer, sizeof (buffer), pipe.get()) != nullptr)
            run.output += buffer;
        const int status = ::pclose (pipe.release());
        run.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        return run;
    }

    inline bool contains (const std::string& text, const std::string& part)
    {
        return text.find (part) != std::string::npos;
    }

    inline std::string contents (const std::string& path)
    {
        std::ifstream in (path, std::ios::binary);
        return { std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char>() };
    }

    // The names in a folder, sorted, but for . and ..; none when it cannot be read.
    inline std::vector<std::string> entriesIn (const std::string& folder)
    {
        std::vector<std::string> names;
        std::unique_ptr<DIR, int (*) (DIR*)> dir (::opendir (folder.c_str()), [] (DIR* d) { return d == nullptr ? 0 : ::closedir (d); });
        while (dir != nullptr)
        {
            const auto* entry = ::readdir (dir.get());
            if (entry == nullptr)
                break;
            if (std::string (entry->d_name) != "." && std::string (entry->d_name) != "..")
                names.push_back (entry->d_name);
        }
        std::sort (names.begin(), names.end());
        return names;
    }

    // A folder of its own for each test, removed with what is in it: other
    // build trees may run the same tests at once.
    class Folder
    {
    public:
        Folder()
        {
            std::string pattern = ::testing::TempDir() + "kick_host_XXXXXX";
            path = ::mkdtemp (pattern.data());
        }
        ~Folder() { std::system (("rm -rf '" + path + "'").c_str()); }
        Folder (const Folder&) = delete;
        Folder& operator= (const Folder&) = delete;

        std::string operator/ (const std::string& name) const { return path + "/" + name; }

        std::vector<std::string> entries() const { return entriesIn (path); }

        std::string path;
    };

    // The children of a process that run `program`, found through /proc.
    inline std::vector<pid_t> childrenRunning (pid_t parent, const std::string& program)
    {
        std::vector<pid_t> found;
        std::unique_ptr<DIR, int (*) (DIR*)> proc (::opendir ("/proc"), ::closedir);
        while (const auto* entry = ::readdir (proc.get()))
        {
            const pid_t pid = std::atoi (entry->d_name);
            if (pid <= 0)
                continue;
            // /proc/PID/stat: "PID (COMM) STATE PPID ..."
            const auto stat = contents ("/proc/" + std::to_string (pid) + "/stat");
            const auto open = stat.find ('('), close = stat.rfind (')');
            if (open == std::string::npos || close == std::string::npos)
                continue;
            const auto comm = stat.substr (open + 1, close - open - 1);
            const auto ppid = std::atoi (stat.c_str() + close + 4);
            if (ppid == parent && comm == program)
                found.push_back (pid);
        }
        return found;
    }

    // Gone, or a zombie no one has reaped yet: either way it runs no more.
    inline bool processEnded (pid_t pid)
    {
        const auto stat = contents ("/proc/" + std::to_string (pid) + "/stat");
        const auto close = stat.rfind (')');
        return close == std::string::npos || stat.compare (close + 2, 1, "Z") == 0;
    }

    // Polls `done` until it holds or `patience` runs out; answers whether it held.
    template <typename Condition>
    bool eventually (Condition done)
    {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (! done())
        {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        }
        return true;
    }

    // The writer of a FIFO that hands over `bytes` as soon as the program opens it
    // to read, then stalls with it open, as a producer that stopped producing does,
    // until this goes. The FIFO is made to hold every byte, so that handing them
    // over never waits on how fast the program reads, nor on whether it ends first.
    class StalledFifoWriter
    {
    public:
        StalledFifoWriter (const std::string& path, const std::string& bytes)
        {
            if (! eventually ([&] { return (writer = ::open (path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) >= 0; }))
                return;
            if (::fcntl (writer, F_SETPIPE_SZ, static_cast<int> (bytes.size())) < 0 || ::fcntl (writer, F_SETFL, 0) != 0)
                return;
            delivered = writeWhileTheReaderMayEnd (writer, bytes) == bytes.size();
        }
        ~StalledFifoWriter()
        {
            if (writer >= 0)
                ::close (writer);
        }
        StalledFifoWriter (const StalledFifoWriter&) = delete;
        StalledFifoWriter& operator= (const StalledFifoWriter&) = delete;

        // Whether the program opened the FIFO and every byte went in.
        bool handedOver() const noexcept { return delivered; }

    private:
        // Writes all of `bytes` into a pipe or FIFO whose reader may have ended: that
        // shows as a short count, never as the SIGPIPE that would end the whole test
        // process. The signal is held back for this thread alone and taken if the write
        // raised it, so that no child started later inherits a blocked or ignored SIGPIPE.
        static size_t writeWhileTheReaderMayEnd (int writer, const std::string& bytes)
        {
            sigset_t pipeSignal, before;
            sigemptyset (&pipeSignal);
            sigaddset (&pipeSignal, SIGPIPE);
            ::pthread_sigmask (SIG_BLOCK, &pipeSignal, &before);
            size_t done = 0;
            while (done < bytes.size())
            {
                const auto written = ::write (writer, bytes.data() + done, bytes.size() - done);
                if (written < 0 && errno == EINTR)
                    continue;
                if (written <= 0)
                    break;
                done += static_cast<size_t> (written);
            }
            const timespec none {};
            while (::sigtimedwait (&pipeSignal, nullptr, &none) == SIGPIPE)
                ;
            ::pthread_sigmask (SIG_SETMASK, &before, nullptr);
            return done;
        }

        int writer = -1;
        bool delivered = false;
    };

    // kick_host started in the background through `sh -c "PREFIX exec ..."`
    // (PREFIX: shell words before the program, such as "unset DISPLAY;" or
    // "ulimit -f 100;"), in a process group of its own as a shell's job is,
    // with its standard output and error read into `output` and `errors`.
    // Either stream can be held: its pipe is filled to the brim, so that the
    // program's next write there waits; standard error can be let go again. Killed
    // and reaped, if it still runs, when this goes.
    class Background
    {
    public:
        explicit Background (const std::string& arguments, const std::string& prefix = {}, bool errorsHeld = false)
        {
            // Made before fork: the child may only make async-signal-safe calls.
            const auto command = prefix + " exec " + KICK_HOST_PATH + " " + arguments;
            int outputs[2], errorOutputs[2];
            if (::pipe (outputs) != 0 || ::pipe (errorOutputs) != 0)
                throw std::runtime_error ("no pipe");
            // Filled before the program can write there, so that its first write waits.
            if (errorsHeld)
                fill (errorOutputs[1]);
            held[errorStream] = errorsHeld;
            child = ::fork();
            if (child == 0)
            {
                ::setpgid (0, 0);
                ::dup2 (outputs[1], STDOUT_FILENO);
                ::dup2 (errorOutputs[1], STDERR_FILENO);
                ::close (outputs[0]);
                ::close (errorOutputs[0]);
                ::execl ("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*> (nullptr));
                ::_exit (127);
            }
            ::setpgid (child, child);
            ::close (outputs[1]);
            ::close (errorOutputs[1]);
            streams[outputStream] = outputs[0];
            streams[errorStream] = errorOutputs[0];
            for (const int stream : streams)
                ::fcntl (stream, F_SETFL, O_NONBLOCK);
        }

        ~Background()
        {
            if (! ended)
            {
                ::kill (-child, SIGKILL);
                ::waitpid (child, &status, 0);
            }
            for (const int stream : streams)
                ::close (stream);
        }

        Background (const Background&) = delete;
        Background& operator= (const Background&) = delete;

        pid_t pid() const noexcept { return child; }

        // Holds its standard output from now on; the program runs, so that this is its own.
        void holdOutput()
        {
            const int writer = ::open (("/proc/" + std::to_string (child) + "/fd/" + std::to_string (STDOUT_FILENO)).c_str(), O_WRONLY);
            fill (writer);
            ::close (writer);
            held[outputStream] = true;
        }

        // Lets standard error be read again, which unblocks the program's writes there.
        void releaseErrors()
        {
            held[errorStream] = false;
            readStreams();
        }

        // Whether its main thread is asleep in a system call whose line in
        // /proc/PID/syscall (its number, then its arguments) begins with `call`.
        bool asleepIn (const std::string& call) const
        {
            const auto proc = "/proc/" + std::to_string (child);
            const auto stat = contents (proc + "/stat");
            return stat.compare (stat.rfind (')') + 2, 1, "S") == 0 && contents (proc + "/syscall").rfind (call, 0) == 0;
        }

        // Whether its main thread waits to write to `descriptor` (write is system call 1 on x86-64).
        bool writing (int descriptor) const { return asleepIn ("1 0x" + std::to_string (descriptor) + " "); }

        // Reads what is not held until it holds `text`; false if the program ended first.
        bool waitForError (const std::string& text)
        {
            return eventually ([&] { return readStreams() || contains (errors, text); }) && contains (errors, text);
        }

        // Reads what is not held until `done` holds; false if the program ended first or never.
        template <typename Condition>
        bool waitFor (Condition done)
        {
            return eventually ([&] { return readStreams() || done(); }) && done();
        }

        // Waits for the program to end; answers its wait status, or -1 if it never ended.
        int waitForEnd()
        {
            if (! eventually ([&] {
                    readStreams();
                    ended = ::waitpid (child, &status, WNOHANG) == child;
                    return ended;
                }))
                return -1;
            readStreams();
            return status;
        }

        std::string output, errors;

    private:
        enum
        {
            outputStream,
            errorStream
        };

        // What the test writes to hold a pipe, and never keeps as the program's.
        static constexpr char filler = '\x01';

        // Writes to the pipe until it takes no more; the descriptor blocks again after.
        static void fill (int writer)
        {
            ::fcntl (writer, F_SETFL, O_NONBLOCK);
            const std::string bytes (4096, filler);
            while (::write (writer, bytes.data(), bytes.size()) > 0)
                ;
            ::fcntl (writer, F_SETFL, 0);
        }

        // Appends what there is to read on the streams not held; true at the end of standard error.
        bool readStreams()
        {
            bool errorsEnded = false;
            for (const int stream : { outputStream, errorStream })
            {
                if (held[stream])
                    continue;
                auto& text = stream == outputStream ? output : errors;
                char buffer[4096];
                ssize_t got = 0;
                while ((got = ::read (streams[stream], buffer, sizeof (buffer))) > 0)
                    std::copy_if (buffer, buffer + got, std::back_inserter (text), [] (char c) { return c != filler; });
                errorsEnded = errorsEnded || (stream == errorStream && got == 0);
            }
            return errorsEnded;
        }

        pid_t child = -1;
        int streams[2] { -1, -1 };
        bool held[2] { false, false };
        int status = 0;
        bool ended = false;
    };
}
