// FilePaths.cpp: splitting at the last slash.
#include "FilePaths.h"

#include <sys/stat.h>

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

std::optional<std::string> host::specialFileKind (const std::string& path)
{
    struct stat file {};
    if (::stat (path.c_str(), &file) != 0 || S_ISREG (file.st_mode))
        return std::nullopt;
    if (S_ISDIR (file.st_mode))
        return "a folder";
    if (S_ISFIFO (file.st_mode))
        return "a FIFO";
    if (S_ISSOCK (file.st_mode))
        return "a socket";
    return "a device";
}
