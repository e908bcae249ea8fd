// FilePaths.h: a path split into its folder and its name, the one way every part of kick_host splits one.
#pragma once

#include <string>

namespace host
{
    // The folder part, before the last slash: "." for a bare name, "/" for a name in the root.
    std::string folderOf (const std::string& path);

    // The name part, after the last slash.
    std::string nameOf (const std::string& path);
}
