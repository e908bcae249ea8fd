// WindowCapture.cpp: reading a window's pixels with Xlib and writing them with libpng.
#include "WindowCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <thread>

namespace
{
    // The 8-bit value of the channel that `mask` selects in `pixel`.
    uint8_t channel (unsigned long pixel, unsigned long mask)
    {
        if (mask == 0)
            return 0;
        int shift = 0;
        while (((mask >> shift) & 1) == 0)
            ++shift;
        const auto maximum = mask >> shift;
        return static_cast<uint8_t> (((pixel & mask) >> shift) * 255 / maximum);
    }

    // The picture as PNG into an open file; false when libpng fails, a
    // failed write included (its writer takes a short write for an error).
    bool encodePng (FILE* file, const host::Picture& picture)
    {
        png_structp png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png != nullptr ? png_create_info_struct (png) : nullptr;
        if (info == nullptr || setjmp (png_jmpbuf (png)) != 0)
        {
            png_destroy_write_struct (&png, &info);
            return false;
        }

        png_init_io (png, file);
        png_set_IHDR (png, info, static_cast<png_uint_32> (picture.width), static_cast<png_uint_32> (picture.height), 8,
                      PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info (png, info);
        for (int y = 0; y < picture.height; ++y)
            png_write_row (png, picture.rgb.data() + static_cast<size_t> (y * picture.width * 3));
        png_write_end (png, nullptr);
        png_destroy_write_struct (&png, &info);
        return true;
    }
}

void host::installLenientXErrorHandler()
{
    XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
}

void host::setXConnectionLossHandler (void (*handler)())
{
    static void (*onLoss)() = nullptr;
    onLoss = handler;
    XSetIOErrorHandler ([] (Display*) -> int {
        onLoss();
        std::abort(); // the handler was to end the process
    });
}

std::optional<host::Picture> host::captureWindow (unsigned long windowID)
{
    std::unique_ptr<Display, int (*) (Display*)> display (XOpenDisplay (nullptr), XCloseDisplay);
    if (display == nullptr || windowID == 0)
        return std::nullopt;

    XWindowAttributes attributes {};
    if (XGetWindowAttributes (display.get(), windowID, &attributes) == 0)
        return std::nullopt;

    // XDestroyImage is a macro, hence the lambda.
    auto destroy = [] (XImage* image) { XDestroyImage (image); };
    std::unique_ptr<XImage, decltype (destroy)> image (
        XGetImage (display.get(), windowID, 0, 0, static_cast<unsigned> (attributes.width), static_cast<unsigned> (attributes.height),
                   AllPlanes, ZPixmap),
        destroy);
    if (image == nullptr)
        return std::nullopt;

    Picture picture { attributes.width, attributes.height, {} };
    picture.rgb.reserve (static_cast<size_t> (picture.width * picture.height * 3));
    for (int y = 0; y < picture.height; ++y)
    {
        for (int x = 0; x < picture.width; ++x)
        {
            const auto pixel = XGetPixel (image.get(), x, y);
            picture.rgb.push_back (channel (pixel, image->red_mask));
            picture.rgb.push_back (channel (pixel, image->green_mask));
            picture.rgb.push_back (channel (pixel, image->blue_mask));
        }
    }
    return picture;
}

bool host::displayOpens (const std::string& name)
{
    std::unique_ptr<Display, int (*) (Display*)> display (XOpenDisplay (name.c_str()), XCloseDisplay);
    return display != nullptr;
}

std::optional<host::Picture> host::captureSettledWindow (unsigned long windowID, std::chrono::milliseconds bound)
{
    // Long enough for the editor's 20 ms refresh and the repaint that follows.
    constexpr auto interval = std::chrono::milliseconds (100);
    const auto deadline = std::chrono::steady_clock::now() + bound;

    auto previous = captureWindow (windowID);
    while (std::chrono::steady_clock::now() < deadline)
    {
        std::this_thread::sleep_for (interval);
        auto current = captureWindow (windowID);
        if (previous && current && ! isOneColour (*current) && previous->width == current->width
            && previous->height == current->height && previous->rgb == current->rgb)
            return current;
        previous = std::move (current);
    }
    return std::nullopt;
}

bool host::isOneColour (const Picture& picture)
{
    for (size_t at = 3; at + 3 <= picture.rgb.size(); at += 3)
        if (! std::equal (picture.rgb.begin(), picture.rgb.begin() + 3, picture.rgb.begin() + static_cast<long> (at)))
            return false;
    return true;
}

int host::differingPixels (const Picture& a, const Picture& b, Area area)
{
    if (a.width != b.width || a.height != b.height)
        return area.width * area.height;

    int count = 0;
    for (int y = std::max (0, area.y); y < std::min (a.height, area.y + area.height); ++y)
    {
        for (int x = std::max (0, area.x); x < std::min (a.width, area.x + area.width); ++x)
        {
            const auto at = static_cast<size_t> ((y * a.width + x) * 3);
            if (! std::equal (a.rgb.begin() + static_cast<long> (at), a.rgb.begin() + static_cast<long> (at + 3),
                              b.rgb.begin() + static_cast<long> (at)))
                ++count;
        }
    }
    return count;
}

void host::writePng (int descriptor, const Picture& picture)
{
    // A descriptor of its own for stdio to close; the caller's stays open.
    const int own = ::fcntl (descriptor, F_DUPFD_CLOEXEC, 0);
    FILE* file = own >= 0 ? ::fdopen (own, "wb") : nullptr;
    if (file == nullptr)
    {
        if (own >= 0)
            ::close (own);
        throw std::runtime_error ("cannot write the picture");
    }
    const bool encoded = encodePng (file, picture);
    const bool flushed = std::fflush (file) == 0 && std::ferror (file) == 0;
    // Closing writes what stdio still holds, which on a full disk may be the part that fails.
    const bool closed = std::fclose (file) == 0;
    if (! encoded || ! flushed || ! closed)
        throw std::runtime_error ("cannot write the picture");
}

void host::writePng (const std::string& path, const Picture& picture)
{
    const int descriptor = ::open (path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        throw std::runtime_error ("cannot write " + path);
    try
    {
        writePng (descriptor, picture);
    }
    catch (const std::runtime_error&)
    {
        ::close (descriptor);
        throw std::runtime_error ("cannot write " + path);
    }
    if (::close (descriptor) != 0)
        throw std::runtime_error ("cannot write " + path);
}
