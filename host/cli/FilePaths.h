// FilePaths.h: a path split into its folder and its name (the one way every part of kick_host splits one), the file its links lead to, whether it may be written as a destination, a folder held open to work in, and how messages show a path.
#pragma once

#include <optional>
#include <string>

namespace host
{
    // The folder part, before the last slash: "." for a bare name, "/" for a name in the root.
    std::string folderOf (const std::string& path);

    // The name part, after the last slash.
    std::string nameOf (const std::string& path);

    // Where a path leads once the links it names are followed, to a file
    // that does not exist yet too: the path itself when it is no link. A
    // relative link is read from the link's folder. Throws std::system_error
    // (ELOOP) after too many links.
    std::string linkTarget (const std::string& path);

    // Why an existing file, links followed, is no destination: "is a folder,
    // not a regular file" (or a FIFO, device or socket). Nothing for a
    // regular file or a path that names none.
    std::optional<std::string> notARegularFile (const std::string& path);
    // The same for a name in a folder open as `folder`.
    std::optional<std::string> notARegularFile (int folder, const std::string& name);

    // A folder open to work in by descriptor (openat, renameat, unlinkat),
    // so that what is made there stays with the folder should it be renamed
    // or moved meanwhile.
    class OpenFolder
    {
    public:
        // Throws std::system_error with open's error.
        explicit OpenFolder (const std::string& path);
        ~OpenFolder();
        OpenFolder (const OpenFolder&) = delete;
        OpenFolder& operator= (const OpenFolder&) = delete;

        int descriptor() const noexcept { return handle; }

    private:
        int handle;
    };

    // A path, or a message that holds one, as kick_host prints it: each
    // control character (a newline in a file's name above all) as its C
    // escape, such as "\n", so that a message stays one line and the name
    // can be told from what surrounds it.
    std::string printable (const std::string& text);
}
