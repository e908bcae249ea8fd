// kick_host's --screenshot on a real X display: a painted picture of the window, a folder or disk that cannot take it, a virtual display of its own that every way out stops, and a lost display.
#include "AudioFile.h"
#include "KickPattern.h"
#include "VirtualDisplay.h"
#include "support/KickHostRun.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace
{
    using namespace kick_host_run;

    uint32_t bigEndianAt (const std::string& bytes, size_t at)
    {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char> (bytes[at + i]);
        return value;
    }

    // Stereo at 48 kHz, two seconds a bar: thirty bars at every stage's hardest take a good part of a second.
    void writeKicks (const std::string& path, int bars)
    {
        const auto kicks = host::renderKickPattern (48000.0, bars);
        host::writeAudioFile (path, { 48000.0, { kicks, kicks } }, host::outputFormatFor (path, host::SampleDepth::int16));
    }

    // kick_host's Xvfb: its one child running it.
    pid_t serverOf (const Background& render)
    {
        const auto servers = childrenRunning (render.pid(), "Xvfb");
        return servers.size() == 1 ? servers.front() : -1;
    }
}

TEST (CommandLineScreenshot, WritesThePaintedWindowBesideTheRender)
{
    const Folder folder;
    const auto picture = folder / "window.png";
    const auto run = kickHost ("--out " + folder / "render.wav" + " --screenshot " + picture);
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_NE (run.output.find ("Wrote a picture of the window to " + picture + " (400 x 477)"), std::string::npos) << run.output;

    const auto png = contents (picture);
    ASSERT_GT (png.size(), 24u);
    EXPECT_EQ (png.substr (1, 3), "PNG");
    EXPECT_EQ (bigEndianAt (png, 16), 400u);
    EXPECT_EQ (bigEndianAt (png, 20), 477u);
    // A window not yet painted is one flat colour, which compresses to almost nothing.
    EXPECT_GT (png.size(), 20000u) << "the picture looks unpainted";
}

TEST (CommandLineScreenshot, AFolderThatCannotTakeThePictureIsRefusedBeforeALongRender)
{
    const Folder folder;
    const auto in = folder / "long_in.wav";
    host::writeAudioFile (in, { 8000.0, { host::renderKickPattern (8000.0, 6) } }, host::outputFormatFor (in, host::SampleDepth::int16));
    const auto out = folder / "long_out.wav";

    const auto run = kickHost ("--in " + in + " --out " + out + " --screenshot /nonexistent/directory/window.png");
    EXPECT_EQ (run.exitCode, 1) << run.output;
    EXPECT_NE (run.output.find ("cannot write /nonexistent/directory/window.png"), std::string::npos) << run.output;
    EXPECT_EQ (run.output.find ("Rendering"), std::string::npos) << "the render ran before the picture's folder was checked\n" << run.output;
    EXPECT_FALSE (std::ifstream (out).good()) << "the render's output was written although the picture could not be";
}

TEST (CommandLineScreenshot, APictureThatCannotBeWrittenWholeFailsAndWritesNothing)
{
    const Folder folder;
    const auto in = folder / "short.wav";
    host::writeAudioFile (in, { 8000.0, { std::vector<float> (800, 0.25f) } }, host::outputFormatFor (in, host::SampleDepth::int16));

    // A file-size limit of 16 blocks of 512 bytes: the output (3 KB) fits,
    // a painted window's picture (over 20 KB) does not. A graph mode without
    // a display, so that the window settles as soon as it is painted.
    const auto run = kickHost ("--in " + in + " --out " + folder / "out.wav" + " --screenshot " + folder / "window.png"
                                   + " --set \"Graph mode=Spec\"",
                               "ulimit -f 16 &&");
    EXPECT_EQ (run.exitCode, 1) << run.output;
    EXPECT_TRUE (contains (run.output, "cannot write " + folder / "window.png")) << run.output;
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "short.wav" }) << "a file was written or left";
}

TEST (CommandLineScreenshot, WithoutADisplayItsOwnServerEndsWithItWhenAStopSignalEndsTheRender)
{
    const Folder folder;
    writeKicks (folder / "in.wav", 30);
    const auto arguments = "--in " + folder / "in.wav" + " --out " + folder / "out.wav" + " --screenshot " + folder / "window.png " + strongSettings;

    // Ctrl-C reaches the terminal's foreground process group; kill, one process.
    const struct
    {
        int signal;
        bool toGroup;
    } cases[] { { SIGINT, true }, { SIGTERM, false } };
    for (const auto& each : cases)
    {
        // Held at its first progress line, a block into the render.
        Background render (arguments, "unset DISPLAY;", true);
        ASSERT_TRUE (eventually ([&render] { return render.writing (STDERR_FILENO); }));
        const pid_t server = serverOf (render);
        ASSERT_GT (server, 0) << "no Xvfb of its own";

        ::kill (each.toGroup ? -render.pid() : render.pid(), each.signal);
        render.releaseErrors();
        const int status = render.waitForEnd();
        EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == each.signal) << "status " << status << "\n" << render.errors;
        EXPECT_TRUE (eventually ([server] { return processEnded (server); })) << "its Xvfb outlived it";
        EXPECT_EQ (folder.entries(), std::vector<std::string> { "in.wav" }) << "a file was written or left";
    }
}

TEST (CommandLineScreenshot, OneSignalEndsAScreenshotStuckOnAFrozenDisplay)
{
    const Folder folder;
    writeKicks (folder / "in.wav", 30);
    Background render ("--in " + folder / "in.wav" + " --out " + folder / "out.wav" + " --screenshot " + folder / "window.png " + strongSettings,
                       "unset DISPLAY;");
    ASSERT_TRUE (render.waitForError ("Rendering: ")) << render.errors;
    const pid_t server = serverOf (render);
    ASSERT_GT (server, 0) << "no Xvfb of its own";

    // The server stops answering; the render goes on and ends, and the
    // screenshot waits for the server (in poll, system call 7 on x86-64).
    ::kill (server, SIGSTOP);
    ASSERT_TRUE (render.waitForError ("Rendering: 100%")) << render.errors;
    ASSERT_TRUE (render.waitFor ([&render] { return render.asleepIn ("7 "); })) << render.errors;
    ::kill (render.pid(), SIGTERM);

    const int status = render.waitForEnd();
    EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGTERM) << "status " << status << "\n" << render.errors;
    EXPECT_TRUE (contains (render.errors, "interrupted by SIGTERM; the output was left as it was")) << render.errors;
    EXPECT_TRUE (eventually ([server] { return processEnded (server); })) << "its Xvfb outlived it";
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "in.wav" }) << "a file was written or left";
}

TEST (CommandLineScreenshot, ALostDisplayEndsTheRenderAsAFailureThatLeavesNothing)
{
    const Folder folder;
    writeKicks (folder / "in.wav", 30);
    std::optional<host::VirtualDisplay> display (std::in_place);
    // Held at its first progress line, a block into the render.
    Background render ("--in " + folder / "in.wav" + " --out " + folder / "out.wav" + " --screenshot " + folder / "window.png " + strongSettings,
                       "DISPLAY=" + display->name(), true);
    ASSERT_TRUE (eventually ([&render] { return render.writing (STDERR_FILENO); }));
    ASSERT_EQ (folder.entries().size(), 3u) << "no temporary files while it renders";

    // The module's connection breaks; its handler removes the temporary
    // files, then waits for standard error to say why.
    display.reset();
    ASSERT_TRUE (eventually ([&folder] { return folder.entries().size() == 1; })) << "the temporary files stayed";
    render.releaseErrors();
    const int status = render.waitForEnd();
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 1) << "status " << status << "\n" << render.errors;
    EXPECT_TRUE (contains (render.errors, "kick_host: lost the connection to the X display; nothing was written")) << render.errors;
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "in.wav" }) << "a file was written or left";
}

TEST (CommandLineScreenshot, ADisplayLostOnceEveryFileIsInPlaceEndsTheRunAsDone)
{
    const Folder folder;
    writeKicks (folder / "in.wav", 6);
    std::optional<host::VirtualDisplay> display (std::in_place);
    // Held at its first progress line; then its standard output is held
    // too, and it runs on to say what it wrote, once every file is in place.
    Background render ("--in " + folder / "in.wav" + " --out " + folder / "out.wav" + " --screenshot " + folder / "window.png",
                       "DISPLAY=" + display->name(), true);
    ASSERT_TRUE (eventually ([&render] { return render.writing (STDERR_FILENO); }));
    render.holdOutput();
    render.releaseErrors();
    ASSERT_TRUE (render.waitFor ([&render] { return render.writing (STDOUT_FILENO); })) << render.errors;

    display.reset();
    const int status = render.waitForEnd();
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0) << "status " << status << "\n" << render.errors;
    EXPECT_TRUE (contains (render.errors, "kick_host: lost the connection to the X display, after every file was written")) << render.errors;
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "in.wav", "out.wav", "window.png" }));
    EXPECT_EQ (host::readAudioFile (folder / "out.wav").numFrames(), 6 * 2 * 48000);
}
