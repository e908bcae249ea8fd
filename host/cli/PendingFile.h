// PendingFile.h: a file written under a temporary name beside its destination and renamed over it only once complete.
#pragma once

#include "AbruptEnd.h"
#include "FilePaths.h"

#include <optional>
#include <string>

namespace host
{
    // Creating one proves the destination can be written and replaced
    // before any work is done; the destination itself stays exactly as it
    // was until commit(), and the temporary file is removed on every way out
    // that is not one, an abrupt end included (undoAbruptly). All of it is
    // done in the destination's folder as it was opened, wherever that
    // folder is renamed or moved to meanwhile.
    class PendingFile
    {
    public:
        // Throws std::runtime_error ("cannot write DESTINATION: reason") when
        // the folder takes no new file, the destination is not a writable
        // regular file (a FIFO, device or folder is never replaced), or the
        // folder lets only the destination's owner replace it (sticky). A link
        // is written through: the file it leads to is replaced, or created
        // when it does not exist yet, and the link stays. A replacement
        // keeps the replaced file's owner and group where the system allows,
        // its permissions and its access ACL.
        explicit PendingFile (std::string destination);
        PendingFile (const PendingFile&) = delete;
        PendingFile& operator= (const PendingFile&) = delete;

        const std::string& destination() const noexcept { return target; }
        // Where to write in the meantime: the temporary file, open for
        // writing, which is never opened again by its name.
        int descriptor() const noexcept { return temporary->descriptor(); }

        // Puts the written file on disk and closes it, so that a crash after
        // commit() leaves the old file or the new one whole: the slow part of
        // committing. Throws when either fails.
        void sync();

        // Renames the synced file over the destination. Throws when that
        // fails, or when the destination has become something other than a
        // regular file.
        void commit();

    private:
        std::string target;
        std::optional<OpenFolder> folder; // of the file the target's links lead to
        std::string name;                 // that file's name there
        std::optional<TemporaryFile> temporary;
    };
}
