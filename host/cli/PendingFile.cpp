// PendingFile.cpp: mkstemp beside the destination, fsync and rename.
#include "PendingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace
{
    // Hidden, and recognisable as this program's should one ever be left.
    constexpr const char* temporaryPrefix = ".kick_host-";

    std::string folderOf (const std::string& path)
    {
        const auto slash = path.find_last_of ('/');
        if (slash == std::string::npos)
            return ".";
        return slash == 0 ? "/" : path.substr (0, slash);
    }

    std::runtime_error cannotWrite (const std::string& path, int error)
    {
        return std::runtime_error ("cannot write " + path + ": " + std::strerror (error));
    }

    // The mode a newly created file gets (mkstemp makes its file private).
    mode_t creationMode()
    {
        const mode_t mask = ::umask (0);
        ::umask (mask);
        return 0666 & ~mask;
    }
}

host::PendingFile::PendingFile (std::string destination)
    : target (std::move (destination))
{
    mode_t mode = creationMode();
    struct stat existing {};
    if (::stat (target.c_str(), &existing) == 0)
    {
        if (S_ISDIR (existing.st_mode))
            throw cannotWrite (target, EISDIR);
        if (::access (target.c_str(), W_OK) != 0)
            throw cannotWrite (target, errno);
        mode = existing.st_mode & 07777;
        replacesExisting = true;
    }

    // A link is written through: the file it points to is replaced, not the link.
    char linked[PATH_MAX];
    if (struct stat link {}; ::lstat (target.c_str(), &link) == 0 && S_ISLNK (link.st_mode) && ::realpath (target.c_str(), linked) != nullptr)
        renamedOver = linked;
    else
        renamedOver = target;

    const auto folder = folderOf (renamedOver);
    std::string name = folder + "/" + temporaryPrefix + "XXXXXX";
    std::vector<char> pattern (name.begin(), name.end());
    pattern.push_back (0);
    const int descriptor = ::mkstemp (pattern.data());
    if (descriptor < 0)
        throw cannotWrite (target, errno);
    temporary = pattern.data();
    ::fchmod (descriptor, mode);
    ::close (descriptor);
}

host::PendingFile::~PendingFile()
{
    if (! temporary.empty())
        ::unlink (temporary.c_str());
}

void host::PendingFile::commit()
{
    if (replacesExisting)
    {
        const int descriptor = ::open (temporary.c_str(), O_RDONLY | O_CLOEXEC);
        const bool synced = descriptor >= 0 && ::fsync (descriptor) == 0;
        const int error = errno;
        if (descriptor >= 0)
            ::close (descriptor);
        if (! synced)
            throw cannotWrite (target, error);
    }
    if (::rename (temporary.c_str(), renamedOver.c_str()) != 0)
        throw cannotWrite (target, errno);
    temporary.clear();
}
