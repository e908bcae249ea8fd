// FilePaths.cpp: splitting at the last slash, lstat and readlink, stat, a folder opened with O_PATH, and escapes for control characters.
#include "FilePaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <system_error>

std::string host::folderOf (const std::string& path)
{
    const auto slash = path.find_last_of ('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr (0, slash);
}

std::string host::nameOf (const std::string& path)
{
    const auto slash = path.find_last_of ('/');
    return slash == std::string::npos ? path : path.substr (slash + 1);
}

std::string host::linkTarget (const std::string& path)
{
    // As many as the kernel follows before it answers ELOOP.
    constexpr int linksFollowed = 40;
    auto target = path;
    for (int link = 0; link < linksFollowed; ++link)
    {
        struct stat status {};
        if (::lstat (target.c_str(), &status) != 0 || ! S_ISLNK (status.st_mode))
            return target;
        char content[PATH_MAX];
        const auto length = ::readlink (target.c_str(), content, sizeof (content) - 1);
        if (length <= 0)
            return target;
        const std::string next (content, static_cast<size_t> (length));
        target = next.front() == '/' ? next : folderOf (target) + "/" + next;
    }
    throw std::system_error (ELOOP, std::generic_category(), path);
}

namespace
{
    // `found`: whether there is a file to describe.
    std::optional<std::string> describeUnlessRegular (bool found, const struct stat& file)
    {
        if (! found || S_ISREG (file.st_mode))
            return std::nullopt;
        const char* kind = S_ISDIR (file.st_mode) ? "a folder" : S_ISFIFO (file.st_mode) ? "a FIFO" : S_ISSOCK (file.st_mode) ? "a socket" : "a device";
        return std::string ("is ") + kind + ", not a regular file";
    }
}

std::optional<std::string> host::notARegularFile (const std::string& path)
{
    struct stat file {};
    return describeUnlessRegular (::stat (path.c_str(), &file) == 0, file);
}

std::optional<std::string> host::notARegularFile (int folder, const std::string& name)
{
    struct stat file {};
    return describeUnlessRegular (::fstatat (folder, name.c_str(), &file, 0) == 0, file);
}

host::OpenFolder::OpenFolder (const std::string& path)
    : handle (::open (path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC))
{
    if (handle < 0)
        throw std::system_error (errno, std::generic_category(), path);
}

host::OpenFolder::~OpenFolder()
{
    ::close (handle);
}

std::string host::printable (const std::string& text)
{
    std::string shown;
    for (const char c : text)
    {
        const auto byte = static_cast<unsigned char> (c);
        if (byte >= 0x20 && byte != 0x7F)
        {
            shown += c;
            continue;
        }
        switch (c)
        {
            case '\n': shown += "\\n"; break;
            case '\t': shown += "\\t"; break;
            case '\r': shown += "\\r"; break;
            default:
            {
                char escape[8];
                std::snprintf (escape, sizeof (escape), "\\x%02X", byte);
                shown += escape;
            }
        }
    }
    return shown;
}
