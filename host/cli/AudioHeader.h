// AudioHeader.h: what an input's header declares and how much of it is believed: lengths, data sizes never filled in, headers cut short, and the formats a pipe may carry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace host
{
    // The bytes a header is read from: a regular file's, or the first bytes
    // of a stream, which are kept to be passed on, up to a limit.
    class HeaderBytes
    {
    public:
        virtual ~HeaderBytes() = default;
        // Copies the bytes from `at` on; answers how many there were, fewer
        // than `size` where the input ends. Only bytes within reach() are asked for.
        virtual size_t read (void* destination, size_t size, uint64_t at) = 0;
        // The end of the bytes that may be read.
        virtual uint64_t reach() const = 0;
    };

    // A WAV data size that its writer never filled in: 0, as a recorder
    // leaves it until it finishes, or all ones, "unknown", as a writer to a
    // pipe leaves it. Where it lies in the input, and how wide it is.
    struct UnfinishedSize
    {
        uint64_t at = 0;
        size_t width = 4; // 8 in RF64's ds64 chunk
        uint64_t value = 0;

        // Shows the field, where it lies within `bytes` (which start at
        // `offset` in the input), as all ones: "to the end", which libsndfile
        // measures in a file and follows to its end in a stream.
        void patch (char* bytes, size_t size, uint64_t offset) const;
    };

    // What a RIFF WAVE, RF64 or AIFF header declares, read as far as the
    // start of its audio. libsndfile quietly shortens a declared length the
    // file cannot hold, so a truncated file is recognised from this.
    struct DeclaredHeader
    {
        bool recognised = false; // one of those containers
        bool cutShort = false;   // the input ends inside it, before any audio
        bool outOfReach = false; // its audio starts past the bytes that may be read
        std::optional<int64_t> frames; // the length a finished header declares
        std::optional<UnfinishedSize> unfinished;
        std::optional<uint64_t> audioStart;
        std::optional<uint64_t> audioBytes; // the audio chunk's declared size, when finished
        int bytesPerFrame = 0; // of uncompressed samples, from channels and bits; 0 otherwise
    };

    // An empty data chunk is finished only when the chunks after it form a
    // chain that ends where the input does; where that cannot be told,
    // the reading that keeps the audio wins.
    DeclaredHeader readDeclaredHeader (HeaderBytes& input);

    // The bytes a frame of `sndfileFormat` takes in `channels`, when its
    // samples are uncompressed; 0 otherwise.
    int bytesPerFrameOf (int sndfileFormat, int channels);

    // Whether a length declared before a stream was written (and kept in a
    // file that captured the stream) can be a claim:
    // not one whose size in bytes lies near a size field's limit (as a writer
    // to a pipe leaves it) or beyond any plausible length (as libsndfile
    // reckons a stream's from the largest file there can be).
    bool isClaimOnAStream (int64_t frames, int bytesPerFrame);

    // Why a format libsndfile recognises cannot be read through a pipe or
    // FIFO as it is from a file; nothing when it can. From the stream's first
    // bytes, for the formats libsndfile must not even be given there, and
    // from the format libsndfile found (SF_FORMAT_*) for the rest.
    std::optional<std::string> refusedFromAStream (const std::string& firstBytes);
    std::optional<std::string> refusedFromAStream (int sndfileFormat);

    // What a user of a stream libsndfile cannot read does instead.
    inline const std::string streamWayRound = "name the file itself, or redirect it into standard input (--in - < FILE)";
}
