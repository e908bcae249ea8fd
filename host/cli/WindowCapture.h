// WindowCapture.h: pictures of a host window from the X server, compared and written as PNG files.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host
{
    // 8-bit RGB, row by row.
    struct Picture
    {
        int width = 0;
        int height = 0;
        std::vector<uint8_t> rgb;
    };

    struct Area
    {
        int x = 0, y = 0, width = 0, height = 0;
    };

    // Keeps X protocol errors from ending the process: Xlib's default handler
    // exits, while a host logs and carries on (a window manager's absence, for
    // one, makes some window properties fail). The handler is process-wide.
    void installLenientXErrorHandler();

    // Xlib ends the process with exit(1) when a display connection breaks,
    // once its I/O error handler returns: `handler` is called instead, and
    // must end the process itself (Xlib requires that it not return). The
    // handler is process-wide, and the module's framework sets none of its
    // own when it is a plug-in.
    void setXConnectionLossHandler (void (*handler)());

    // What the X server shows in the window (its children included); nothing
    // when there is no display or no such window.
    std::optional<Picture> captureWindow (unsigned long windowID);

    // Whether an X display of that name (DISPLAY's form, such as ":0") accepts a connection.
    bool displayOpens (const std::string& name);

    // A picture of the window once it has been painted: two captures in a
    // row agree and the picture is not one flat colour (a window not yet
    // painted is). Nothing when that does not happen within `bound`.
    std::optional<Picture> captureSettledWindow (unsigned long windowID, std::chrono::milliseconds bound);

    bool isOneColour (const Picture& picture);

    // Pixels that differ between two pictures of the same size, within `area`.
    int differingPixels (const Picture& a, const Picture& b, Area area);

    // Writes the picture through a descriptor open for writing, which stays
    // open, or to a file it creates (or empties). Throws std::runtime_error
    // (naming the file, when there is a name) when it cannot be written
    // whole: every write and the closing are checked.
    void writePng (int descriptor, const Picture& picture);
    void writePng (const std::string& path, const Picture& picture);
}
