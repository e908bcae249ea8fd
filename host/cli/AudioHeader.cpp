// AudioHeader.cpp: RIFF WAVE, RF64 and AIFF chunks walked to the audio, the rules a declared length is believed by, and libsndfile's formats a stream may carry.
#include "AudioHeader.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <iterator>

namespace
{
    // Fields of a RIFF, RF64 or AIFF header, in order from a position; a
    // field the input ends inside, or that lies beyond reach, says which.
    class Fields
    {
    public:
        enum class Got
        {
            all,
            ended,
            outOfReach
        };

        Fields (host::HeaderBytes& bytes, bool bigEndian) : input (bytes), bigEndian (bigEndian) {}

        Got number (size_t size, uint64_t& value)
        {
            std::array<unsigned char, 8> bytes {};
            const auto got = next (bytes.data(), size);
            value = 0;
            for (size_t i = 0; i < size; ++i)
                value |= uint64_t { bytes[bigEndian ? size - 1 - i : i] } << (8 * i);
            return got;
        }

        // Four characters, such as a chunk's ID.
        Got id (std::string& text)
        {
            std::array<char, 4> bytes {};
            const auto got = next (bytes.data(), bytes.size());
            text.assign (bytes.begin(), bytes.end());
            return got;
        }

        // Whether the input ends exactly at `end` (a byte just before it and
        // none at it); nothing when that lies beyond reach.
        std::optional<bool> endsAt (uint64_t end)
        {
            if (end + 1 > input.reach())
                return endsWithinReach() ? std::optional<bool> (false) : std::nullopt;
            char bytes[2];
            return end > 0 && input.read (bytes, 2, end - 1) == 1;
        }

        void skip (uint64_t bytes) { at += bytes; }
        uint64_t position() const noexcept { return at; }
        void moveTo (uint64_t position) { at = position; }

    private:
        // Whether the input ends before the end of reach, so that what lies
        // beyond reach is known all the same: nothing.
        bool endsWithinReach()
        {
            char last;
            return input.reach() == 0 || input.read (&last, 1, input.reach() - 1) == 0;
        }

        Got next (void* destination, size_t size)
        {
            if (at + size > input.reach())
                return endsWithinReach() ? Got::ended : Got::outOfReach;
            const bool whole = input.read (destination, size, at) == size;
            at += size;
            return whole ? Got::all : Got::ended;
        }

        host::HeaderBytes& input;
        bool bigEndian;
        uint64_t at = 0;
    };

    using Got = Fields::Got;

    bool printable (const std::string& id)
    {
        return std::all_of (id.begin(), id.end(), [] (unsigned char c) { return c >= 0x20 && c < 0x7F; });
    }

    // Chunks after an empty data chunk are believed for at most this many
    // links: a chain longer than that is taken for audio.
    constexpr int longestChain = 1024;

    // Whether what follows an empty data chunk, from `from` on, is a chain
    // of chunks (printable IDs, each size landing on the next) that ends
    // where the input ends: then the chunk was finished empty. An odd-sized
    // last chunk may end with or without its pad byte.
    bool chainEndsWithTheInput (host::HeaderBytes& input, uint64_t from)
    {
        Fields fields (input, false);
        fields.moveTo (from);
        for (int link = 0; link < longestChain; ++link)
        {
            const auto ends = fields.endsAt (fields.position());
            if (! ends || *ends)
                return ends.value_or (false);
            std::string id;
            uint64_t size = 0;
            if (fields.id (id) != Got::all || fields.number (4, size) != Got::all || ! printable (id))
                return false;
            const auto body = fields.position();
            if (size % 2 == 1 && fields.endsAt (body + size).value_or (false))
                return true;
            fields.moveTo (body + size + size % 2);
        }
        return false;
    }

    // WAVE's format tags whose samples are whole bytes: PCM, IEEE float, A-law and µ-law.
    bool uncompressedWaveTag (uint64_t tag)
    {
        return tag == 1 || tag == 3 || tag == 6 || tag == 7;
    }

    constexpr uint64_t waveExtensibleTag = 0xFFFE;

    // AIFF, and the AIFC compression types that store plain samples.
    bool uncompressedAiff (bool aifc, const std::string& compression)
    {
        return ! aifc || compression == "NONE" || compression == "sowt" || compression == "twos" || compression == "fl32"
               || compression == "FL32" || compression == "fl64" || compression == "FL64" || compression == "raw ";
    }
}

void host::UnfinishedSize::patch (char* bytes, size_t size, uint64_t offset) const
{
    for (size_t i = 0; i < width; ++i)
    {
        // All ones, but for RF64's 64-bit field, which libsndfile takes as signed.
        const char toTheEnd = width == 8 && i == width - 1 ? '\x7F' : '\xFF';
        const auto field = at + i;
        if (field >= offset && field - offset < size)
            bytes[field - offset] = toTheEnd;
    }
}

host::DeclaredHeader host::readDeclaredHeader (HeaderBytes& input)
{
    Fields fields (input, false);
    std::string container, type;
    uint64_t containerSize = 0;
    const auto gotContainer = fields.id (container);
    const bool rf64 = container == "RF64";
    const bool riff = container == "RIFF" || rf64;
    const bool form = container == "FORM";
    if (gotContainer != Got::all || (! riff && ! form))
        return {};
    DeclaredHeader header;
    header.recognised = true;
    auto got = fields.number (4, containerSize);
    if (got == Got::all)
        got = fields.id (type);
    if (got != Got::all)
    {
        (got == Got::outOfReach ? header.outOfReach : header.cutShort) = true;
        return header;
    }
    const bool aifc = form && type == "AIFC";
    const bool aiff = form && (type == "AIFF" || aifc);
    const bool wave = riff && type == "WAVE";
    if (! wave && ! aiff)
        return {};
    Fields chunks (input, aiff);
    chunks.moveTo (fields.position());

    uint64_t rf64DataSize = 0;
    std::optional<uint64_t> rf64DataSizeAt; // RF64 keeps the real size in its ds64 chunk
    std::optional<uint64_t> aiffFrames;
    for (;;)
    {
        std::string chunk;
        uint64_t size = 0;
        const auto chunkStart = chunks.position();
        got = chunks.id (chunk);
        if (got == Got::all)
            got = chunks.number (4, size);
        if (got != Got::all)
        {
            // The end of the chunks: past the audio (a stream's COMM may lie
            // beyond reach), or where an AIFF of no frames, which needs no
            // SSND, ends with its last chunk.
            if (header.audioStart || (aiffFrames == 0 && chunks.endsAt (chunkStart).value_or (false)))
                break;
            (got == Got::outOfReach ? header.outOfReach : header.cutShort) = true;
            return header;
        }
        const auto body = chunks.position();
        Got field = Got::all;

        // A ds64 too short to hold the data size is no ds64: its fields
        // would be read from the chunk after it.
        if (rf64 && chunk == "ds64" && size >= 16)
        {
            chunks.skip (8); // the RIFF size
            rf64DataSizeAt = chunks.position();
            field = chunks.number (8, rf64DataSize);
        }
        else if (wave && chunk == "fmt ")
        {
            uint64_t tag = 0, channels = 0, bits = 0, subTag = 0;
            field = chunks.number (2, tag);
            if (field == Got::all)
                field = chunks.number (2, channels);
            chunks.skip (10); // sample rate, bytes per second and block align: frames follow from channels and bits
            if (field == Got::all)
                field = chunks.number (2, bits);
            if (field == Got::all && tag == waveExtensibleTag && size >= 26)
            {
                chunks.skip (8); // extension size, valid bits, channel mask
                field = chunks.number (2, subTag); // the sub-format's GUID begins with its tag
            }
            const bool plain = uncompressedWaveTag (tag) || (tag == waveExtensibleTag && uncompressedWaveTag (subTag));
            header.bytesPerFrame = plain ? static_cast<int> (channels * ((bits + 7) / 8)) : 0;
        }
        else if (aiff && chunk == "COMM")
        {
            uint64_t channels = 0, frames = 0, bits = 0;
            field = chunks.number (2, channels);
            if (field == Got::all)
                field = chunks.number (4, frames);
            if (field == Got::all)
                field = chunks.number (2, bits);
            std::string compression;
            chunks.skip (10); // the sample rate
            if (field == Got::all && aifc)
                field = chunks.id (compression);
            aiffFrames = frames;
            header.bytesPerFrame = uncompressedAiff (aifc, compression) ? static_cast<int> (channels * ((bits + 7) / 8)) : 0;
        }
        else if (wave && chunk == "data")
        {
            const bool inDs64 = rf64 && size == 0xFFFFFFFFu && rf64DataSizeAt;
            const UnfinishedSize dataSize { inDs64 ? *rf64DataSizeAt : body - 4, inDs64 ? 8u : 4u, inDs64 ? rf64DataSize : size };
            const uint64_t allOnes = dataSize.width == 4 ? 0xFFFFFFFFu : ~uint64_t { 0 };
            header.audioStart = body;
            if (dataSize.value == allOnes || (dataSize.value == 0 && ! chainEndsWithTheInput (input, body)))
                header.unfinished = dataSize;
            else if (! rf64 || rf64DataSizeAt)
                header.audioBytes = dataSize.value;
            break;
        }
        else if (aiff && chunk == "SSND")
        {
            uint64_t offset = 0, blockSize = 0;
            field = chunks.number (4, offset);
            if (field == Got::all)
                field = chunks.number (4, blockSize);
            if (field == Got::all)
            {
                // The audio starts `offset` bytes after these two fields.
                header.audioStart = body + 8 + offset;
                header.audioBytes = size < 8 + offset ? 0 : size - 8 - offset;
                if (aiffFrames)
                    break;
            }
        }
        if (field != Got::all)
        {
            (field == Got::outOfReach ? header.outOfReach : header.cutShort) = true;
            return header;
        }
        chunks.moveTo (body + size + size % 2); // chunks start on even bytes
    }

    if (aiff && aiffFrames && *aiffFrames > 0)
        header.frames = static_cast<int64_t> (*aiffFrames);
    else if (wave && header.audioBytes && header.bytesPerFrame > 0
             && *header.audioBytes / static_cast<uint64_t> (header.bytesPerFrame) <= static_cast<uint64_t> (INT64_MAX))
        header.frames = static_cast<int64_t> (*header.audioBytes / static_cast<uint64_t> (header.bytesPerFrame));
    return header;
}

int host::bytesPerFrameOf (int sndfileFormat, int channels)
{
    switch (sndfileFormat & SF_FORMAT_SUBMASK)
    {
        case SF_FORMAT_PCM_S8: case SF_FORMAT_PCM_U8: case SF_FORMAT_ULAW: case SF_FORMAT_ALAW: return channels;
        case SF_FORMAT_PCM_16: return 2 * channels;
        case SF_FORMAT_PCM_24: return 3 * channels;
        case SF_FORMAT_PCM_32: case SF_FORMAT_FLOAT: return 4 * channels;
        case SF_FORMAT_DOUBLE: return 8 * channels;
        default: return 0;
    }
}

bool host::isClaimOnAStream (int64_t frames, int bytesPerFrame)
{
    // Writers to a pipe leave a 32-bit size at, or short of, its largest
    // value (signed or not): libsndfile a block short, sox up to 16 MB short
    // (an AIFF's 0x7F000000 bytes). Within 64 MB of a limit is no claim.
    constexpr int64_t nearALimit = int64_t { 64 } << 20;
    // A petabyte is beyond any stream's length.
    constexpr int64_t longest = int64_t { 1 } << 50;
    const int64_t perFrame = std::max (bytesPerFrame, 1);
    if (frames < 0 || frames > longest / perFrame)
        return false;
    const int64_t bytes = frames * perFrame;
    for (const int64_t limit : { int64_t { 0x7FFFFFFF }, int64_t { 0xFFFFFFFF } })
        if (bytes <= limit && bytes > limit - nearALimit)
            return false;
    return true;
}

namespace
{
    struct StreamRefusal
    {
        int format; // a major format, or a major format and subtype
        const char* name;
        const char* extension;
        const char* reason; // what libsndfile does with it through a pipe or FIFO
    };

    std::string refusal (const StreamRefusal& refused)
    {
        return std::string (refused.name) + " cannot be read from a pipe or FIFO, where " + refused.reason
               + "; name the file itself, or redirect it into standard input (--in - < FILE." + refused.extension + ")";
    }

    // Formats libsndfile opens through a pipe or FIFO but reads wrongly there.
    constexpr StreamRefusal misreadInStreams[] {
        { SF_FORMAT_FLAC, "FLAC", "flac", "libsndfile loses sync in it" },
        { SF_FORMAT_SDS, "MIDI sample dump (SDS)", "sds", "libsndfile misreads it, or waits for ever" },
        { SF_FORMAT_MPEG, "MP3", "mp3", "libsndfile's decoder reads past the end of libsndfile's own buffer" },
        { SF_FORMAT_RF64, "RF64", "wav", "libsndfile misplaces its audio by a few bytes" },
        { SF_FORMAT_CAF, "CAF", "caf", "libsndfile finds no audio in it" },
        { SF_FORMAT_AU | SF_FORMAT_G721_32, "AU in G.721 ADPCM", "au", "libsndfile finds no audio in it" },
        { SF_FORMAT_AU | SF_FORMAT_G723_24, "AU in G.723 ADPCM", "au", "libsndfile finds no audio in it" },
        { SF_FORMAT_AU | SF_FORMAT_G723_40, "AU in G.723 ADPCM", "au", "libsndfile finds no audio in it" },
    };

    // The formats libsndfile reads through a pipe or FIFO exactly as from a
    // file, each sample format it writes in them included, but for those above.
    constexpr int readInStreams[] { SF_FORMAT_WAV,   SF_FORMAT_WAVEX, SF_FORMAT_AIFF, SF_FORMAT_AU,    SF_FORMAT_AVR,
                                    SF_FORMAT_SVX,   SF_FORMAT_MAT4,  SF_FORMAT_MAT5, SF_FORMAT_MPC2K, SF_FORMAT_PAF,
                                    SF_FORMAT_PVF,   SF_FORMAT_IRCAM, SF_FORMAT_NIST, SF_FORMAT_W64,   SF_FORMAT_OGG };
}

std::optional<std::string> host::refusedFromAStream (const std::string& firstBytes)
{
    // FLAC's decoder loses sync as it opens; libsndfile reading an 8-bit
    // sample dump never ends; MPEG's decoder overruns libsndfile's buffer as
    // it opens (an ID3 tag, or a frame's sync bits, begins it).
    if (firstBytes.rfind ("fLaC", 0) == 0)
        return refusal (misreadInStreams[0]);
    if (firstBytes.size() >= 4 && firstBytes[0] == '\xF0' && firstBytes[1] == '\x7E' && firstBytes[3] == '\x01')
        return refusal (misreadInStreams[1]);
    if (firstBytes.rfind ("ID3", 0) == 0 || (firstBytes.size() >= 2 && firstBytes[0] == '\xFF' && (firstBytes[1] & '\xE0') == '\xE0'))
        return refusal (misreadInStreams[2]);
    return std::nullopt;
}

std::optional<std::string> host::refusedFromAStream (int sndfileFormat)
{
    const int major = sndfileFormat & SF_FORMAT_TYPEMASK;
    const int withSubtype = major | (sndfileFormat & SF_FORMAT_SUBMASK);
    for (const auto& refused : misreadInStreams)
        if (refused.format == major || refused.format == withSubtype)
            return refusal (refused);
    // Coded samples (ADPCM, G.72x, DWVW, GSM) are decoded through a pipe up
    // to the length the header declares, past the stream's end, where a file
    // ends them at its own: only samples stored as they are, and Ogg, which
    // ends with its pages, are read from a stream.
    const int subtype = sndfileFormat & SF_FORMAT_SUBMASK;
    if (major != SF_FORMAT_OGG && bytesPerFrameOf (sndfileFormat, 1) == 0)
    {
        SF_FORMAT_INFO coding { subtype, nullptr, nullptr };
        const std::string name = sf_command (nullptr, SFC_GET_FORMAT_INFO, &coding, sizeof (coding)) == 0 && coding.name != nullptr
                                     ? coding.name : "coded";
        return "audio in " + name + " cannot be read from a pipe or FIFO, where libsndfile decodes it past the stream's end, "
               "to the length its header declares; " + streamWayRound;
    }
    if (std::find (std::begin (readInStreams), std::end (readInStreams), major) != std::end (readInStreams))
        return std::nullopt;
    SF_FORMAT_INFO named { major, nullptr, nullptr };
    const std::string name = sf_command (nullptr, SFC_GET_FORMAT_INFO, &named, sizeof (named)) == 0 && named.name != nullptr ? named.name : "its format";
    return name + " is not known to be read from a pipe or FIFO as it is from a file; " + streamWayRound;
}
