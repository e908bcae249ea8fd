// PendingFile.h: a file written under a temporary name beside its destination and renamed over it only once complete.
#pragma once

#include "AbruptEnd.h"

#include <optional>
#include <string>

namespace host
{
    // Creating one proves the destination can be written before any work is
    // done; the destination itself stays exactly as it was until commit(),
    // and the temporary file is removed on every way out that is not one,
    // an abrupt end included (undoAbruptly).
    class PendingFile
    {
    public:
        // Throws std::runtime_error ("cannot write DESTINATION: reason") when
        // the folder takes no new file or the destination is not a writable
        // regular file (a FIFO, device or folder is never replaced).
        explicit PendingFile (std::string destination);
        ~PendingFile();
        PendingFile (const PendingFile&) = delete;
        PendingFile& operator= (const PendingFile&) = delete;

        const std::string& destination() const noexcept { return target; }
        // Where to write in the meantime.
        const std::string& path() const noexcept { return temporary; }

        // Puts the written file on disk when it is to replace an existing
        // destination, so that a crash after commit() leaves one or the
        // other whole: the slow part of committing. Throws when that fails.
        void sync();

        // Renames the written file over the destination. Throws when that
        // fails, or when the destination has become something other than a
        // regular file.
        void commit();

    private:
        std::string target;
        std::string renamedOver; // the target, or the file it links to
        std::string temporary;
        bool replacesExisting = false;
        std::optional<RemovedOnAbruptEnd> removedOnAbruptEnd;
    };
}
