// kick_host and the files around it: links and standard input that name a destination, input that is no audio, closed standard streams, destinations it may not replace, what a replaced file keeps, and where its temporary files go.
#include "AudioFile.h"
#include "KickPattern.h"
#include "support/KickHostRun.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace
{
    using namespace kick_host_run;

    // Mono 16-bit WAV of the kick pattern, two seconds a bar at 120 BPM.
    void writeKicks (const std::string& path, double sampleRate, int bars)
    {
        host::writeAudioFile (path, { sampleRate, { host::renderKickPattern (sampleRate, bars) } },
                              host::outputFormatFor (path, host::SampleDepth::int16));
    }

    struct stat statusOf (const std::string& path)
    {
        struct stat status {};
        ::lstat (path.c_str(), &status);
        return status;
    }

    // A user and group other than root's, which the tests that need one run as or give files to.
    constexpr uid_t otherUser = 65534;
    constexpr gid_t otherGroup = 65534;
    const std::string asOtherUser = "setpriv --reuid=" + std::to_string (otherUser) + " --regid=" + std::to_string (otherGroup)
                                    + " --clear-groups";

    // The wait status of the shell running `command`, whose output goes nowhere.
    int shellStatus (const std::string& command)
    {
        return std::system ((command + " > /dev/null 2>&1").c_str());
    }

    // An access ACL as the kernel keeps it in system.posix_acl_access: a
    // version, then (tag, permissions, id) for each entry, in tag order.
    std::string accessControlList (const std::vector<std::pair<uint16_t, uint16_t>>& entries, uint32_t namedUser)
    {
        constexpr uint16_t namedUserTag = 0x02;
        std::string bytes;
        auto put = [&bytes] (uint32_t value, size_t size) {
            for (size_t i = 0; i < size; ++i)
                bytes += static_cast<char> (value >> (8 * i));
        };
        put (2, 4);
        for (const auto& [tag, permissions] : entries)
        {
            put (tag, 2);
            put (permissions, 2);
            put (tag == namedUserTag ? namedUser : 0xFFFFFFFFu, 4);
        }
        return bytes;
    }

    std::string accessControlListOf (const std::string& path)
    {
        std::string value (256, '\0');
        const auto size = ::getxattr (path.c_str(), "system.posix_acl_access", value.data(), value.size());
        return size < 0 ? std::string {} : value.substr (0, static_cast<size_t> (size));
    }

    bool isTemporaryName (const std::string& name)
    {
        return std::regex_match (name, std::regex (R"(\.kick_host-[0-9a-f]{8})"));
    }
}

TEST (CommandLineFiles, ALinkToAFileNotMadeYetIsRefusedWhenItLeadsToTheOtherDestination)
{
    const Folder folder;
    writeKicks (folder / "k.wav", 8000.0, 1);
    ASSERT_EQ (::mkdir ((folder / "pictures").c_str(), 0777), 0);
    // None of the files these lead to exists yet; the last two are chains, one through another folder.
    ASSERT_EQ (::symlink ("new.wav", (folder / "pic.png").c_str()), 0);
    ASSERT_EQ (::symlink ("x.png", (folder / "link.wav").c_str()), 0);
    ASSERT_EQ (::symlink ("../pic.png", (folder / "pictures/window.png").c_str()), 0);
    ASSERT_EQ (::symlink ("pictures/window.png", (folder / "chain.png").c_str()), 0);
    const auto before = folder.entries();

    const std::string cases[] {
        "--in k.wav --out new.wav --screenshot pic.png",
        "--in k.wav --out link.wav --screenshot x.png",
        "--in k.wav --out new.wav --screenshot pictures/window.png",
        "--in k.wav --out new.wav --screenshot chain.png",
        "--in k.wav --out " + folder / "link.wav" + " --screenshot ./x.png",
    };
    for (const auto& arguments : cases)
    {
        const auto run = kickHost (arguments, "cd '" + folder.path + "' &&");
        EXPECT_EQ (run.exitCode, 2) << arguments << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "names the same file as --out")) << arguments << "\n" << run.output;
        EXPECT_FALSE (contains (run.output, "Loaded")) << "refused only after some work\n" << run.output;
    }
    EXPECT_EQ (folder.entries(), before) << "a file was written";
    EXPECT_EQ (statusOf (folder / "new.wav").st_mode, 0u) << "new.wav was written";
}

// One folder can have two paths that no reading of links joins: a bind
// mount, here made in a mount namespace of the run's own, which ends with it.
TEST (CommandLineFiles, AFileNotMadeYetIsRefusedWhenItsFolderIsTheOtherDestinationsUnderAnotherPath)
{
    const Folder folder;
    writeKicks (folder / "k.wav", 8000.0, 1);
    ASSERT_EQ (::mkdir ((folder / "A").c_str(), 0777), 0);
    ASSERT_EQ (::mkdir ((folder / "B").c_str(), 0777), 0);
    const auto bound = "cd '" + folder.path + "' && unshare --mount sh -c 'mount --bind A B &&";
    if (shellStatus (bound + " true'") != 0)
        GTEST_SKIP() << "no mount namespace with a bind mount here (it takes root)";
    // Neither file exists yet; each link leads into A, the other name goes through B.
    ASSERT_EQ (::symlink ((folder / "A/p.png").c_str(), (folder / "o.wav").c_str()), 0);
    ASSERT_EQ (::symlink ("A/new.wav", (folder / "pic.png").c_str()), 0);
    const auto before = folder.entries();

    for (const std::string arguments : { "--in k.wav --out o.wav --screenshot B/p.png", "--in k.wav --out B/new.wav --screenshot pic.png" })
    {
        const auto run = kickHost (arguments + "'", bound + " exec");
        EXPECT_EQ (run.exitCode, 2) << arguments << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "names the same file as --out")) << arguments << "\n" << run.output;
    }
    EXPECT_EQ (folder.entries(), before) << "a file was written";
    EXPECT_TRUE (entriesIn (folder / "A").empty()) << "a file was written";
}

TEST (CommandLineFiles, StandardInputThatIsARegularFileMayBeTheOutputButNotThePicture)
{
    const Folder folder;
    writeKicks (folder / "song.wav", 8000.0, 1);
    const auto song = contents (folder / "song.wav");
    const auto out = folder / "out.wav";

    for (const std::string input : { "-", "/dev/stdin" })
    {
        const auto run = kickHost ("--in " + input + " --out " + out + " --screenshot " + folder / "song.wav" + " < " + folder / "song.wav");
        EXPECT_EQ (run.exitCode, 2) << input << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "--screenshot " + folder / "song.wav" + " names the same file as --in " + input)) << run.output;
        EXPECT_FALSE (contains (run.output, "Loaded")) << "refused only after some work\n" << run.output;
        EXPECT_TRUE (contents (folder / "song.wav") == song) << input << ": the input was replaced";
    }
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "song.wav" }) << "a file was written";

    // As --in X --out X may: the file is replaced once the render is complete.
    const auto inPlace = kickHost ("--in - --out " + folder / "song.wav" + " --set \"Kick Sub=60\" < " + folder / "song.wav");
    ASSERT_EQ (inPlace.exitCode, 0) << inPlace.output;
    const auto rendered = host::readAudioFile (folder / "song.wav");
    EXPECT_EQ (rendered.numFrames(), 2 * 8000);
    EXPECT_TRUE (contents (folder / "song.wav") != song) << "the render was not written";
}

TEST (CommandLineFiles, InputThatIsNotAudioOnAPipeOrDeviceFailsWithTheReason)
{
    const Folder folder;
    const struct
    {
        std::string input, prefix;
        bool knownReason; // random bytes may look like the start of some format
    } cases[] { { "/dev/zero", "", true }, { "-", "yes |", true }, { "-", "cat /dev/urandom |", false } };
    for (const auto& each : cases)
    {
        const auto run = kickHost ("--in " + each.input + " --out " + folder / "y.wav", each.prefix);
        EXPECT_EQ (run.exitCode, 1) << each.prefix << " " << each.input << "\n" << run.output;
        // libsndfile recognises some formats only in a file, which the message names the way to.
        EXPECT_TRUE (contains (run.output, "kick_host: cannot read " + each.input + ": "
                                               + (each.knownReason ? "it is not audio libsndfile reads (no format it knows); libsndfile reads "
                                                                     "some formats only from a file: if it is audio, name the file itself, or "
                                                                     "redirect it into standard input (--in - < FILE)\n"
                                                                   : "")))
            << run.output;
        EXPECT_FALSE (contains (run.output, "SIGPIPE")) << run.output;
    }
    EXPECT_TRUE (folder.entries().empty());
}

TEST (CommandLineFiles, InputThatIsNotAudioOnAPipeClosesEveryDescriptorOnce)
{
    if (shellStatus ("strace -o /dev/null true") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    const Folder folder;
    std::ofstream (folder / "not_audio.txt") << "this is not audio\n";
    const auto trace = folder / "trace";
    // A pipe, a regular file, and a regular file as standard input, which must stay open.
    const struct
    {
        std::string input, prefix, suffix;
    } cases[] { { "-", "yes |", "" }, { folder / "not_audio.txt", "", "" }, { "-", "", " < " + folder / "not_audio.txt" } };
    for (const auto& each : cases)
    {
        // LeakSanitizer, should it be built in, refuses to run under a tracer.
        const auto run = kickHost ("--in " + each.input + " --out " + folder / "y.wav" + each.suffix,
                                   each.prefix + " strace -f -e trace=close -o '" + trace + "' env ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\"");
        EXPECT_EQ (run.exitCode, 1) << each.input << "\n" << run.output;
        const auto closes = contents (trace);
        ASSERT_TRUE (contains (closes, "close(")) << closes;
        EXPECT_FALSE (contains (closes, "EBADF")) << each.input << ": a descriptor was closed twice:\n" << closes;
        EXPECT_FALSE (contains (closes, "close(0)")) << each.input << ": standard input was closed:\n" << closes;
    }
}

TEST (CommandLineFiles, AScreenshotIsWrittenWithStandardStreamsClosed)
{
    const Folder folder;
    for (const std::string closed : { ">&- 2>&-", "<&- >&-", "<&- 2>&-", "<&- >&- 2>&-" })
    {
        const auto command = "unset DISPLAY; cd '" + folder.path + "' && exec " + KICK_HOST_PATH
                             + " --out out.wav --screenshot window.png " + closed;
        const int status = std::system (command.c_str());
        EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0) << closed << ": status " << status;
        EXPECT_EQ (contents (folder / "window.png").compare (0, 4, "\x89PNG"), 0) << closed;
        EXPECT_EQ (host::readAudioFile (folder / "out.wav").numFrames(), 4 * 4 * 24000) << closed;
        EXPECT_EQ (folder.entries(), (std::vector<std::string> { "out.wav", "window.png" })) << closed;
        std::remove ((folder / "out.wav").c_str());
        std::remove ((folder / "window.png").c_str());
    }
}

TEST (CommandLineFiles, ADestinationItMayNotReplaceIsRefusedBeforeTheRender)
{
    if (::geteuid() != 0 || shellStatus (asOtherUser + " true") != 0)
        GTEST_SKIP() << "needs root, to give files to another user and run kick_host as that user";

    // A folder anyone may add to, where only a file's owner (or the folder's) may
    // replace or remove it, as /tmp; kick_host runs as another user.
    const Folder folder;
    ASSERT_EQ (::chmod (folder.path.c_str(), 0755), 0);
    const auto shared = folder / "shared";
    ASSERT_EQ (::mkdir (shared.c_str(), 0777), 0);
    ASSERT_EQ (::chmod (shared.c_str(), 01777), 0);
    // Long enough to show progress, so a render shows in the output.
    writeKicks (folder / "long.wav", 8000.0, 6);
    writeKicks (folder / "short.wav", 8000.0, 1);

    // Root's, and writable by anyone: only renaming over it is refused.
    const auto roots = shared + "/roots.wav";
    std::ofstream (roots) << "an earlier render";
    ASSERT_EQ (::chmod (roots.c_str(), 0666), 0);
    const auto refused = kickHost ("--in " + folder / "long.wav" + " --out " + roots, asOtherUser);
    EXPECT_EQ (refused.exitCode, 1) << refused.output;
    EXPECT_TRUE (contains (refused.output, "cannot write " + roots + ": it is another user's, in a folder (sticky, as /tmp is) where only a file's owner may replace it"))
        << refused.output;
    EXPECT_FALSE (contains (refused.output, "Rendering")) << "the render ran before the destination was checked\n" << refused.output;
    EXPECT_EQ (contents (roots), "an earlier render");

    // Its own file there is replaced; so is root's in a folder of its own.
    const auto own = shared + "/own.wav";
    std::ofstream (own) << "an earlier render";
    ASSERT_EQ (::chown (own.c_str(), otherUser, otherGroup), 0);
    const auto ownFolder = folder / "own_folder";
    ASSERT_EQ (::mkdir (ownFolder.c_str(), 01777), 0);
    ASSERT_EQ (::chown (ownFolder.c_str(), otherUser, otherGroup), 0);
    std::ofstream (ownFolder + "/roots.wav") << "an earlier render";
    ASSERT_EQ (::chmod ((ownFolder + "/roots.wav").c_str(), 0666), 0);
    for (const auto& destination : { own, ownFolder + "/roots.wav" })
    {
        const auto run = kickHost ("--in " + folder / "short.wav" + " --out " + destination, asOtherUser);
        EXPECT_EQ (run.exitCode, 0) << destination << "\n" << run.output;
        EXPECT_EQ (host::readAudioFile (destination).numFrames(), 2 * 8000) << destination;
    }
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "long.wav", "own_folder", "shared", "short.wav" }));
    std::vector<std::string> left;
    for (const auto& each : { shared, ownFolder })
        for (const auto& name : entriesIn (each))
            left.push_back (name);
    EXPECT_EQ (left, (std::vector<std::string> { "own.wav", "roots.wav", "roots.wav" })) << "a temporary file was left";
}

TEST (CommandLineFiles, AReplacedFileKeepsItsOwnerGroupPermissionsAndAccessControlList)
{
    const Folder folder;
    const auto kick = folder / "kick.wav";
    writeKicks (kick, 8000.0, 1);
    ASSERT_EQ (::chmod (kick.c_str(), 0640), 0);
    // Another user's, when this may give it one; the render runs as this one.
    if (::geteuid() == 0)
    {
        ASSERT_EQ (::chown (kick.c_str(), otherUser, otherGroup), 0);
    }
    const auto before = statusOf (kick);

    auto run = kickHost ("--in " + kick + " --out " + kick + " --set \"Kick Sub=60\"");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    auto after = statusOf (kick);
    EXPECT_NE (after.st_ino, before.st_ino) << "the file was not replaced";
    EXPECT_EQ (after.st_mode, before.st_mode);
    EXPECT_EQ (after.st_uid, before.st_uid);
    EXPECT_EQ (after.st_gid, before.st_gid);

    // The owning group may read, a named user may also write: the group bits
    // of the mode show the mask (rw), which the owning group does not have.
    const auto acl = accessControlList ({ { 0x01, 6 }, { 0x02, 6 }, { 0x04, 4 }, { 0x10, 6 }, { 0x20, 0 } }, otherUser + 1);
    if (::setxattr (kick.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "this file system keeps no access control lists: " << std::strerror (errno);
    const auto withAcl = accessControlListOf (kick);
    ASSERT_FALSE (withAcl.empty());
    const auto modeWithAcl = statusOf (kick).st_mode;
    run = kickHost ("--in " + kick + " --out " + kick + " --set \"Kick Sub=70\"");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_EQ (accessControlListOf (kick), withAcl) << "the access control list was dropped, and the owning group may now write";
    EXPECT_EQ (statusOf (kick).st_mode, modeWithAcl);
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "kick.wav" });
}

TEST (CommandLineFiles, TheTemporaryFileGoesWithItsFolderWhenTheFolderIsRenamedDuringTheRender)
{
    const Folder folder;
    writeKicks (folder / "in.wav", 48000.0, 30);
    const auto render = folder / "render";
    const auto moved = folder / "moved";

    // How each render ends once it was held at its first progress line and its folder was renamed.
    enum class Ending
    {
        signal,
        failure,
        success
    };
    for (const auto ending : { Ending::signal, Ending::failure, Ending::success })
    {
        ASSERT_EQ (::mkdir (render.c_str(), 0777), 0);
        std::ofstream (render + "/out.wav") << "an earlier render";
        Background run ("--in '" + folder / "in.wav" + "' --out '" + render + "/out.wav' " + strongSettings, {}, true);
        ASSERT_TRUE (eventually ([&run] { return run.writing (STDERR_FILENO); }));
        ASSERT_EQ (entriesIn (render).size(), 2u) << "no temporary file while it renders";
        ASSERT_EQ (::rename (render.c_str(), moved.c_str()), 0);

        if (ending == Ending::signal)
        {
            // Stopped, signalled and let go: the signal comes as it waits for
            // standard error, and ends it at once.
            ::kill (run.pid(), SIGSTOP);
            ::kill (run.pid(), SIGINT);
            run.releaseErrors();
            ::kill (run.pid(), SIGCONT);
            const int status = run.waitForEnd();
            EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGINT) << "status " << status << "\n" << run.errors;
            EXPECT_EQ (entriesIn (moved), std::vector<std::string> { "out.wav" }) << "a temporary file was left";
            EXPECT_EQ (contents (moved + "/out.wav"), "an earlier render");
        }
        else
        {
            // A failure: by then the name is a folder's.
            if (ending == Ending::failure)
            {
                ASSERT_EQ (::rename ((moved + "/out.wav").c_str(), (moved + "/kept.wav").c_str()), 0);
                ASSERT_EQ (::mkdir ((moved + "/out.wav").c_str(), 0777), 0);
            }
            run.releaseErrors();
            const int status = run.waitForEnd();
            const int expected = ending == Ending::failure ? 1 : 0;
            EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == expected) << "status " << status << "\n" << run.errors;
            if (ending == Ending::failure)
            {
                EXPECT_TRUE (contains (run.errors, "cannot write " + render + "/out.wav: it is a folder")) << run.errors;
                EXPECT_EQ (entriesIn (moved), (std::vector<std::string> { "kept.wav", "out.wav" })) << "a temporary file was left";
            }
            else
            {
                // Written where the folder went.
                EXPECT_EQ (entriesIn (moved), std::vector<std::string> { "out.wav" }) << "a temporary file was left";
                EXPECT_EQ (host::readAudioFile (moved + "/out.wav").numFrames(), 30 * 2 * 48000);
            }
        }
        EXPECT_EQ (shellStatus ("rm -rf '" + moved + "'"), 0);
    }
}

TEST (CommandLineFiles, AfterSIGKILLTheTemporaryFilesAreLeftUnderTheNameTheReadmeGives)
{
    const Folder folder;
    writeKicks (folder / "in.wav", 48000.0, 30);
    std::ofstream (folder / "out.wav") << "an earlier render";

    // Held at its first progress line, with the output's and the picture's temporary files made.
    Background run ("--in '" + folder / "in.wav" + "' --out '" + folder / "out.wav" + "' --screenshot '" + folder / "window.png' "
                        + strongSettings,
                    "unset DISPLAY;", true);
    ASSERT_TRUE (eventually ([&run] { return run.writing (STDERR_FILENO); })) << run.errors;
    ::kill (run.pid(), SIGKILL);
    const int status = run.waitForEnd();
    EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGKILL) << "status " << status;

    auto names = folder.entries();
    EXPECT_EQ (contents (folder / "out.wav"), "an earlier render");
    names.erase (std::remove_if (names.begin(), names.end(), [] (const std::string& name) { return name == "in.wav" || name == "out.wav"; }),
                 names.end());
    ASSERT_EQ (names.size(), 2u) << "not one for the audio and one for the picture";
    for (const auto& name : names)
        EXPECT_TRUE (isTemporaryName (name)) << name;
}
