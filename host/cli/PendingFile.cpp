// PendingFile.cpp: a uniquely named file beside the destination, its owner, permissions and ACL, fsync and rename, all in the folder's descriptor.
#include "PendingFile.h"

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace
{
    // Hidden, and recognisable as this program's should one ever be left.
    constexpr const char* temporaryPrefix = ".kick_host-";
    constexpr int namesTried = 100;
    constexpr const char* accessControlList = "system.posix_acl_access";

    std::runtime_error cannotWrite (const std::string& path, int error)
    {
        return std::runtime_error ("cannot write " + path + ": " + std::strerror (error));
    }

    // Whether this process may act as the owner of any file (CAP_FOWNER), as
    // root usually may; when that cannot be told, it may, and rename will tell.
    bool mayActAsAnyOwner() noexcept
    {
        __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
        __user_cap_data_struct sets[_LINUX_CAPABILITY_U32S_3] {};
        if (::syscall (SYS_capget, &header, sets) != 0)
            return true;
        return (sets[CAP_TO_INDEX (CAP_FOWNER)].effective & CAP_TO_MASK (CAP_FOWNER)) != 0;
    }

    // In a sticky folder (as /tmp is) rename answers EPERM over a file that
    // is neither the user's nor in a folder of theirs.
    bool replaceableIn (int folder, const struct stat& file)
    {
        struct stat status {};
        if (::fstat (folder, &status) != 0 || (status.st_mode & S_ISVTX) == 0)
            return true;
        const uid_t user = ::geteuid();
        return file.st_uid == user || status.st_uid == user || mayActAsAnyOwner();
    }

    // What replaces a file keeps who may use it: its owner and group as far
    // as the user may give them (a group of theirs at least), its
    // permissions, and its access ACL, without which the owning group would
    // get the ACL's mask as its permissions. Extended attributes other than
    // the ACL are not carried over.
    void keepAccess (int file, const struct stat& existing, const std::string& path)
    {
        if (::fchown (file, existing.st_uid, existing.st_gid) != 0)
        {
            [[maybe_unused]] const int groupOnly = ::fchown (file, static_cast<uid_t> (-1), existing.st_gid);
        }
        // After the owner, which may clear the set-user-ID and set-group-ID bits.
        ::fchmod (file, existing.st_mode & 07777);

        const auto size = ::getxattr (path.c_str(), accessControlList, nullptr, 0);
        std::vector<char> value (size > 0 ? static_cast<size_t> (size) : 0);
        const auto got = value.empty() ? -1 : ::getxattr (path.c_str(), accessControlList, value.data(), value.size());
        if (got > 0)
            ::fsetxattr (file, accessControlList, value.data(), static_cast<size_t> (got), 0);
        else
            ::fremovexattr (file, accessControlList); // one the folder's default ACL gave it
    }
}

host::PendingFile::PendingFile (std::string destination)
    : target (std::move (destination))
{
    if (const auto problem = notARegularFile (target))
        throw std::runtime_error ("cannot write " + target + ": it " + *problem);
    struct stat existing {};
    const bool exists = ::stat (target.c_str(), &existing) == 0;
    if (exists && ::access (target.c_str(), W_OK) != 0)
        throw cannotWrite (target, errno);
    try
    {
        const auto renamedOver = linkTarget (target);
        folder.emplace (folderOf (renamedOver));
        name = nameOf (renamedOver);
    }
    catch (const std::system_error& error)
    {
        throw cannotWrite (target, error.code().value());
    }
    if (exists && ! replaceableIn (folder->descriptor(), existing))
        throw std::runtime_error ("cannot write " + target
                                  + ": it is another user's, in a folder (sticky, as /tmp is) where only a file's owner may replace it");

    // A name no other file has, as mkstemp makes one, but created with 0666
    // so that the umask sets its permissions as it does for any file the user creates.
    std::random_device random;
    for (int attempt = 0; attempt < namesTried && ! temporary; ++attempt)
    {
        char suffix[16];
        std::snprintf (suffix, sizeof (suffix), "%08x", random());
        try
        {
            temporary.emplace (folder->descriptor(), temporaryPrefix + std::string (suffix), 0666);
        }
        catch (const std::system_error& error)
        {
            if (error.code() != std::errc::file_exists)
                throw cannotWrite (target, error.code().value());
        }
    }
    if (! temporary)
        throw cannotWrite (target, EEXIST);
    if (exists)
        keepAccess (temporary->descriptor(), existing, target);
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
    if (const auto problem = notARegularFile (folder->descriptor(), name))
        throw std::runtime_error ("cannot write " + target + ": it " + *problem);
    if (::renameat (folder->descriptor(), temporary->name().c_str(), folder->descriptor(), name.c_str()) != 0)
        throw cannotWrite (target, errno);
    temporary->renamed();
}
