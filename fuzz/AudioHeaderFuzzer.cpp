// The bytes before an input's audio, read by kick_host's header rules as a
// file and as a stream. Any bytes must give an answer within the input, and
// the same answer both ways whenever the stream's reach covers them: a pipe
// must never be believed differently from the file it came from.

#include "AudioHeader.h"
#include "FuzzSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace
{
    // The input's bytes, as far as `limit`, as kick_host keeps a stream's head.
    class Bytes final : public host::HeaderBytes
    {
    public:
        Bytes (const std::uint8_t* data, std::size_t size, uint64_t limit) : data (data), size (size), limit (limit) {}

        size_t read (void* destination, size_t wanted, uint64_t at) override
        {
            FUZZ_EXPECT (at + wanted <= limit); // nothing beyond reach is asked for
            const auto got = at >= size ? 0 : std::min<uint64_t> (wanted, size - at);
            std::memcpy (destination, data + at, got);
            return got;
        }

        uint64_t reach() const override { return limit; }

    private:
        const std::uint8_t* data;
        std::size_t size;
        uint64_t limit;
    };

    bool same (const host::DeclaredHeader& a, const host::DeclaredHeader& b)
    {
        const auto field = [] (const std::optional<host::UnfinishedSize>& u) {
            return u ? std::to_string (u->at) + "/" + std::to_string (u->width) + "/" + std::to_string (u->value) : std::string ("-");
        };
        return a.recognised == b.recognised && a.cutShort == b.cutShort && a.outOfReach == b.outOfReach && a.frames == b.frames
               && field (a.unfinished) == field (b.unfinished) && a.audioStart == b.audioStart && a.audioBytes == b.audioBytes
               && a.bytesPerFrame == b.bytesPerFrame;
    }
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    Bytes file (data, size, UINT64_MAX / 2);
    const auto fromFile = host::readDeclaredHeader (file);
    FUZZ_EXPECT (! fromFile.outOfReach);
    FUZZ_EXPECT (! fromFile.frames || *fromFile.frames >= 0);
    if (fromFile.unfinished)
    {
        // The field lies within the input, and is patched there alone.
        FUZZ_EXPECT (fromFile.unfinished->at + fromFile.unfinished->width <= size);
        std::string bytes (reinterpret_cast<const char*> (data), size);
        fromFile.unfinished->patch (bytes.data(), bytes.size(), 0);
        FUZZ_EXPECT (bytes.compare (0, fromFile.unfinished->at, reinterpret_cast<const char*> (data), fromFile.unfinished->at) == 0);
    }

    // A stream whose reach covers the input answers as the file does; one
    // that does not may fall short of reach, but never finds the input cut
    // short where the file is not.
    Bytes whole (data, size, size + 1);
    FUZZ_EXPECT (same (host::readDeclaredHeader (whole), fromFile));
    Bytes half (data, size, size / 2);
    FUZZ_EXPECT (! host::readDeclaredHeader (half).cutShort || fromFile.cutShort);

    if (fromFile.frames)
        (void) host::isClaimOnAStream (*fromFile.frames, fromFile.bytesPerFrame);
    return 0;
}
