// FilePaths.h: a path split into its folder and its name (the one way every part of kick_host splits one), and what kind of file it names.
#pragma once

#include <optional>
#include <string>

namespace host
{
    // The folder part, before the last slash: "." for a bare name, "/" for a name in the root.
    std::string folderOf (const std::string& path);

    // The name part, after the last slash.
    std::string nameOf (const std::string& path);

    // What an existing file is when it is not a regular file, links followed:
    // "a folder", "a FIFO", "a device" or "a socket". Nothing for a regular
    // file or a path that names none.
    std::optional<std::string> specialFileKind (const std::string& path);
}
