// PendingFile.cpp: a uniquely named file beside the destination, fsync and rename.
#include "PendingFile.h"
#include "FilePaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>

namespace
{
    // Hidden, and recognisable as this program's should one ever be left.
    constexpr const char* temporaryPrefix = ".kick_host-";

    std::runtime_error cannotWrite (const std::string& path, int error)
    {
        return std::runtime_error ("cannot write " + path + ": " + std::strerror (error));
    }

    // A FIFO, device or folder is never replaced by a renamed file.
    void refuseSpecialFile (const std::string& target, const std::string& path)
    {
        if (const auto kind = host::specialFileKind (path))
            throw std::runtime_error ("cannot write " + target + ": it is " + *kind + ", not a regular file");
    }

    // A new file under a name no other file has, as mkstemp makes one, but
    // created with 0666 so that the umask sets its permissions as it does
    // for any file the user creates.
    int createUnique (const std::string& folder, std::string& name)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt)
        {
            char suffix[16];
            std::snprintf (suffix, sizeof (suffix), "%08x", random());
            name = folder + "/" + temporaryPrefix + suffix;
            const int descriptor = ::open (name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor >= 0 || errno != EEXIST)
                return descriptor;
        }
        errno = EEXIST;
        return -1;
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
    replacesExisting = exists;

    // A link is written through: the file it points to is replaced, not the link.
    char linked[PATH_MAX];
    if (struct stat link {}; ::lstat (target.c_str(), &link) == 0 && S_ISLNK (link.st_mode) && ::realpath (target.c_str(), linked) != nullptr)
        renamedOver = linked;
    else
        renamedOver = target;

    const int descriptor = createUnique (host::folderOf (renamedOver), temporary);
    if (descriptor < 0)
    {
        const int error = errno;
        temporary.clear();
        throw cannotWrite (target, error);
    }
    try
    {
        removedOnAbruptEnd.emplace (temporary);
    }
    catch (const std::length_error&)
    {
        ::close (descriptor);
        ::unlink (temporary.c_str());
        throw;
    }
    // What replaces a file keeps its permissions.
    if (exists)
        ::fchmod (descriptor, existing.st_mode & 07777);
    ::close (descriptor);
}

host::PendingFile::~PendingFile()
{
    if (! temporary.empty())
        ::unlink (temporary.c_str());
}

void host::PendingFile::sync()
{
    if (! replacesExisting)
        return;
    const int descriptor = ::open (temporary.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = descriptor >= 0 && ::fsync (descriptor) == 0;
    const int error = errno;
    if (descriptor >= 0)
        ::close (descriptor);
    if (! synced)
        throw cannotWrite (target, error);
}

void host::PendingFile::commit()
{
    // Again, as the name may have been given to something else during the render.
    refuseSpecialFile (target, renamedOver);
    if (::rename (temporary.c_str(), renamedOver.c_str()) != 0)
        throw cannotWrite (target, errno);
    temporary.clear();
    removedOnAbruptEnd.reset();
}
