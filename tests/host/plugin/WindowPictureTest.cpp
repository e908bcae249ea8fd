// Writing a window's picture as PNG: a write that fails at the very end is reported, not taken for a picture.
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

TEST (WindowPicture, APngWhoseLastWriteFailsIsReported)
{
    // A picture this small stays in stdio's buffer until the file is closed,
    // so the one write that reaches /dev/full (which takes none) is the closing's.
    const host::Picture picture { 4, 4, std::vector<uint8_t> (4 * 4 * 3, 128) };
    EXPECT_THROW (host::writePng ("/dev/full", picture), std::runtime_error);
}
