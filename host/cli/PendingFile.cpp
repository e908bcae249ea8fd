// PendingFile.cpp: a uniquely named file beside the destination, fsync and rename.
#include "PendingFile.h"
#include "FilePaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <system_error>

namespace
{
    // Hidden, and recognisable as this program's should one ever be left.
    constexpr const char* temporaryPrefix = ".kick_host-";
    constexpr int namesTried = 100;

    std::runtime_error cannotWrite (const std::string& path, int error)
    {
        return std::runtime_error ("cannot write " + path + ": " + std::strerror (error));
    }

    // A FIFO, device or folder is never replaced by a renamed file.
    void refuseSpecialFile (const std::string& target, const std::string& path)
    {
        if (const auto problem = host::notARegularFile (path))
            throw std::runtime_error ("cannot write " + target + ": it " + *problem);
    }
}

host::PendingFile::PendingFile (std::string destination)
    : target (std::move (destination))
{
    refuseSpecialFile (target, target);
    struct stat existing {};
    const bool exists = ::stat (target.c_str(), &existing) == 0;
    if (exists && ::access (target.c_str(), W_OK) != 0)
        throw cannotWrite (target, errno);
    try
    {
        renamedOver = linkTarget (target);
    }
    catch (const std::system_error& error)
    {
        throw cannotWrite (target, error.code().value());
    }

    // A name no other file has, as mkstemp makes one, but created with 0666
    // so that the umask sets its permissions as it does for any file the user creates.
    std::random_device random;
    for (int attempt = 0; attempt < namesTried && ! temporary; ++attempt)
    {
        char suffix[16];
        std::snprintf (suffix, sizeof (suffix), "%08x", random());
        try
        {
            temporary.emplace (folderOf (renamedOver) + "/" + temporaryPrefix + suffix, 0666);
        }
        catch (const std::system_error& error)
        {
            if (error.code() != std::errc::file_exists)
                throw cannotWrite (target, error.code().value());
        }
    }
    if (! temporary)
        throw cannotWrite (target, EEXIST);
    // What replaces a file keeps its permissions.
    if (exists)
        ::fchmod (temporary->descriptor(), existing.st_mode & 07777);
}

void host::PendingFile::sync()
{
    const int synced = ::fsync (temporary->descriptor()) == 0 ? 0 : errno;
    const int closed = temporary->close();
    if (synced != 0 || closed != 0)
        throw cannotWrite (target, synced != 0 ? synced : closed);
}

void host::PendingFile::commit()
{
    // Again, as the name may have been given to something else during the render.
    refuseSpecialFile (target, renamedOver);
    if (::rename (temporary->path().c_str(), renamedOver.c_str()) != 0)
        throw cannotWrite (target, errno);
    temporary->renamed();
}
