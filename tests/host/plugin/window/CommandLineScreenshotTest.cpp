// kick_host's --screenshot on a real X display: a painted picture of the window, and a folder that cannot take it refused before the render.
#include "AudioFile.h"
#include "KickPattern.h"
#include "support/KickHostRun.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

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

    std::string temporary (const std::string& name)
    {
        return ::testing::TempDir() + std::to_string (::getpid()) + "_" + name;
    }
}

TEST (CommandLineScreenshot, WritesThePaintedWindowBesideTheRender)
{
    const auto picture = temporary ("window.png");
    const auto run = kickHost ("--out " + temporary ("screenshot.wav") + " --screenshot " + picture);
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_NE (run.output.find ("Wrote a picture of the window to " + picture + " (400 x 477)"), std::string::npos) << run.output;

    const auto png = contents (picture);
    ASSERT_GT (png.size(), 24u);
    EXPECT_EQ (png.substr (1, 3), "PNG");
    EXPECT_EQ (bigEndianAt (png, 16), 400u);
    EXPECT_EQ (bigEndianAt (png, 20), 477u);
    // A window not yet painted is one flat colour, which compresses to almost nothing.
    EXPECT_GT (png.size(), 20000u) << "the picture looks unpainted";
    std::remove (picture.c_str());
}

TEST (CommandLineScreenshot, AFolderThatCannotTakeThePictureIsRefusedBeforeALongRender)
{
    const auto in = temporary ("screenshot_long_in.wav");
    host::writeAudioFile (in, { 8000.0, { host::renderKickPattern (8000.0, 6) } }, host::outputFormatFor (in, host::SampleDepth::int16));
    const auto out = temporary ("screenshot_long_out.wav");

    const auto run = kickHost ("--in " + in + " --out " + out + " --screenshot /nonexistent/directory/window.png");
    EXPECT_EQ (run.exitCode, 1) << run.output;
    EXPECT_NE (run.output.find ("cannot write /nonexistent/directory/window.png"), std::string::npos) << run.output;
    EXPECT_EQ (run.output.find ("Rendering"), std::string::npos) << "the render ran before the picture's folder was checked\n" << run.output;
    EXPECT_FALSE (std::ifstream (out).good()) << "the render's output was written although the picture could not be";
    std::remove (in.c_str());
}
