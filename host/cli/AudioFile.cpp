// AudioFile.cpp: libsndfile streams from and to files, pipes and FIFOs, read as the header's rules (AudioHeader) allow.
#include "AudioFile.h"
#include "AudioHeader.h"
#include "FilePaths.h"
#include "InputRelay.h"
#include "Interruption.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace
{
    using SoundFile = std::unique_ptr<SNDFILE, int (*) (SNDFILE*)>;

    // A descriptor, closed when it is one this program opened, after libsndfile is done with it.
    struct Descriptor
    {
        Descriptor() = default;
        Descriptor (const Descriptor&) = delete;
        Descriptor& operator= (const Descriptor&) = delete;
        ~Descriptor() { close(); }

        // Answers close's error, or 0.
        int close() noexcept
        {
            const int closed = owned && ::close (number) != 0 ? errno : 0;
            owned = false;
            return closed;
        }

        int number = -1;
        bool owned = false;
    };

    // libsndfile's calls on a file of ours (a Derived holding a Descriptor
    // `descriptor`) that every one of them makes alike. Reading keeps the
    // first error in `ioError`: libsndfile takes a short count for the end.
    template <typename Derived>
    struct DescriptorCalls
    {
        static Derived& of (void* user) { return *static_cast<Derived*> (user); }

        static sf_count_t length (void* user)
        {
            struct stat status {};
            return ::fstat (of (user).descriptor.number, &status) == 0 ? status.st_size : -1;
        }

        static sf_count_t seek (sf_count_t offset, int whence, void* user)
        {
            return ::lseek (of (user).descriptor.number, offset, whence);
        }

        static sf_count_t tell (void* user)
        {
            return ::lseek (of (user).descriptor.number, 0, SEEK_CUR);
        }

        static sf_count_t readBytes (void* destination, sf_count_t bytes, void* user)
        {
            auto& file = of (user);
            for (;;)
            {
                const auto got = ::read (file.descriptor.number, destination, static_cast<size_t> (bytes));
                if (got >= 0)
                    return got;
                if (errno != EINTR)
                {
                    if (file.ioError == 0)
                        file.ioError = errno;
                    return 0;
                }
            }
        }

        // The error of the first read or write that failed; 0 when none did.
        int ioError = 0;
    };

    std::string lowerCase (std::string text)
    {
        std::transform (text.begin(), text.end(), text.begin(), [] (unsigned char c) { return static_cast<char> (std::tolower (c)); });
        return text;
    }

    // libsndfile's text for one of its own error numbers; given any other
    // (some of its encoders and decoders leave -1), sf_error_number and
    // sf_strerror print a complaint to standard output instead, so that one
    // gets `otherwise`.
    std::string libraryReason (int error, const std::string& otherwise)
    {
        return error > 0 ? sf_error_number (error) : otherwise;
    }

    // A regular file's bytes, from where its descriptor stood on.
    class FileBytes final : public host::HeaderBytes
    {
    public:
        FileBytes (int fileDescriptor, uint64_t startingAt) : descriptor (fileDescriptor), start (startingAt) {}

        size_t read (void* destination, size_t size, uint64_t at) override
        {
            const auto got = ::pread (descriptor, destination, size, static_cast<off_t> (start + at));
            return static_cast<size_t> (std::max<ssize_t> (got, 0));
        }

        uint64_t reach() const override { return std::numeric_limits<int64_t>::max() - start; }

    private:
        int descriptor;
        uint64_t start;
    };

    // The first bytes of a stream, read as far as its header needs and kept,
    // for they cannot be read again: they are passed on before the rest.
    class StreamHead final : public host::HeaderBytes
    {
    public:
        // Chunks before a WAV's audio (format, metadata) take far less.
        static constexpr size_t longestHeader = 1 << 20;

        explicit StreamHead (int streamDescriptor) : descriptor (streamDescriptor) {}

        size_t read (void* destination, size_t size, uint64_t at) override
        {
            const auto end = static_cast<size_t> (at) + size;
            while (bytes.size() < end && ! ended)
            {
                char more[4096];
                const auto got = ::read (descriptor, more, std::min (sizeof (more), end - bytes.size()));
                if (got < 0 && errno == EINTR)
                    continue;
                ended = got <= 0; // a failed read shows again, and is reported, where the stream is read
                bytes.append (more, static_cast<size_t> (std::max<ssize_t> (got, 0)));
            }
            const auto got = std::min (end, bytes.size()) - std::min (static_cast<size_t> (at), bytes.size());
            std::memcpy (destination, bytes.data() + std::min (static_cast<size_t> (at), bytes.size()), got);
            return got;
        }

        uint64_t reach() const override { return longestHeader; }

        std::string bytes;

    private:
        int descriptor;
        bool ended = false;
    };

    // WAV's sizes are 32-bit; the data may take all but room for the header's chunks.
    constexpr int64_t waveDataLimit = 0xFFFFFFFFll - 4096;

    // WAV for an output known to fit in it, else RF64.
    int containerFor (int format, std::optional<int64_t> frames, int channels)
    {
        if ((format & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV)
            return format;
        const int subtype = format & SF_FORMAT_SUBMASK;
        const int64_t bytesPerFrame = channels * (subtype == SF_FORMAT_PCM_16 ? 2 : subtype == SF_FORMAT_PCM_24 ? 3 : 4);
        const bool fits = frames && *frames <= waveDataLimit / bytesPerFrame;
        return fits ? format : SF_FORMAT_RF64 | subtype;
    }

    int sndfileDepth (host::SampleDepth depth)
    {
        switch (depth)
        {
            case host::SampleDepth::int16: return SF_FORMAT_PCM_16;
            case host::SampleDepth::int24: return SF_FORMAT_PCM_24;
            case host::SampleDepth::float32: break;
        }
        return SF_FORMAT_FLOAT;
    }

    std::string depthText (host::SampleDepth depth)
    {
        switch (depth)
        {
            case host::SampleDepth::int16: return "16-bit";
            case host::SampleDepth::int24: return "24-bit";
            case host::SampleDepth::float32: break;
        }
        return "32-bit float";
    }
}

std::optional<host::SampleDepth> host::sampleDepthFromText (const std::string& text)
{
    if (text == "16") return SampleDepth::int16;
    if (text == "24") return SampleDepth::int24;
    if (text == "float") return SampleDepth::float32;
    return std::nullopt;
}

host::OutputFormat host::outputFormatFor (const std::string& path, std::optional<SampleDepth> depth)
{
    const auto name = nameOf (path);
    const auto dot = name.find_last_of ('.');
    const auto extension = dot == std::string::npos ? std::string {} : lowerCase (name.substr (dot + 1));

    struct Container
    {
        const char* extension;
        int format;
        const char* name;
        bool holdsFloat;
    };
    static constexpr Container containers[] { { "wav", SF_FORMAT_WAV, "WAV", true },   { "aiff", SF_FORMAT_AIFF, "AIFF", true },
                                              { "aif", SF_FORMAT_AIFF, "AIFF", true }, { "flac", SF_FORMAT_FLAC, "FLAC", false } };

    if (extension == "ogg")
    {
        if (depth)
            throw std::invalid_argument ("an Ogg Vorbis file is lossy and has no bit depth to choose; leave out --bits, or write .wav, .aiff or .flac");
        return { SF_FORMAT_OGG | SF_FORMAT_VORBIS, "Ogg Vorbis", false, true };
    }
    for (const auto& container : containers)
    {
        if (extension != container.extension)
            continue;
        const auto chosen = depth.value_or (container.holdsFloat ? SampleDepth::float32 : SampleDepth::int24);
        if (chosen == SampleDepth::float32 && ! container.holdsFloat)
            throw std::invalid_argument (std::string (container.name) + " holds 16- or 24-bit samples, not float; use --bits 16 or 24, or write .wav or .aiff");
        return { container.format | sndfileDepth (chosen), depthText (chosen) + " " + container.name, chosen == SampleDepth::float32 };
    }
    throw std::invalid_argument ("cannot tell the format of " + path + " from its extension; write .wav, .aiff, .flac or .ogg");
}

std::optional<std::string> host::passthroughLoss (int inputFormat, const OutputFormat& output)
{
    if (output.lossy)
        return "the output is the input encoded as " + output.description + ", which is lossy";

    // Whole numbers of up to 24 bits, and 32-bit float, pass through 32-bit float unchanged.
    const auto integerBits = [] (int subtype) -> int {
        switch (subtype)
        {
            case SF_FORMAT_PCM_S8: case SF_FORMAT_PCM_U8: case SF_FORMAT_DPCM_8: return 8;
            case SF_FORMAT_PCM_16: case SF_FORMAT_ALAC_16: case SF_FORMAT_DWVW_12: case SF_FORMAT_DWVW_16: case SF_FORMAT_DPCM_16:
            case SF_FORMAT_ULAW: case SF_FORMAT_ALAW: case SF_FORMAT_IMA_ADPCM: case SF_FORMAT_MS_ADPCM: case SF_FORMAT_GSM610:
                return 16;
            case SF_FORMAT_PCM_24: case SF_FORMAT_ALAC_20: case SF_FORMAT_ALAC_24: case SF_FORMAT_DWVW_24: return 24;
            default: return 0; // not whole numbers that float holds
        }
    };
    const int input = inputFormat & SF_FORMAT_SUBMASK;
    const int outputBits = integerBits (output.sndfileFormat & SF_FORMAT_SUBMASK);
    if (outputBits > 0 && (integerBits (input) == 0 || integerBits (input) > outputBits))
        return "the output is the input rounded to " + std::to_string (outputBits) + "-bit integers";
    if (input == SF_FORMAT_PCM_32 || input == SF_FORMAT_ALAC_32)
        return "the output is the input rounded to 24 bits, as the effect takes 32-bit float samples";
    if (input == SF_FORMAT_DOUBLE)
        return "the output is the input rounded to 32-bit float, as the effect takes 32-bit float samples";
    return std::nullopt;
}

//==============================================================================
struct host::AudioFileReader::File : DescriptorCalls<File>
{
    Descriptor descriptor;
    std::optional<InputRelay> relay; // for a stream
    // A regular file whose WAV header was never finished is read through
    // these callbacks, which show its data size as "to the end of the file".
    std::optional<UnfinishedSize> unfinished;
    SoundFile handle { nullptr, sf_close };

    static sf_count_t read (void* destination, sf_count_t bytes, void* user)
    {
        auto& file = of (user);
        const auto at = tell (user);
        const auto got = readBytes (destination, bytes, user);
        file.unfinished->patch (static_cast<char*> (destination), static_cast<size_t> (got), at);
        return got;
    }

    static sf_count_t write (const void*, sf_count_t, void*) { return 0; }
};

host::AudioFileReader::AudioFileReader (const std::string& pathToRead)
    : path (pathToRead), file (std::make_unique<File>())
{
    // Opening a FIFO waits for a writer, and reading its header for the writer's first bytes.
    const UnboundedWait waiting;

    // Opened once, here, and handed to libsndfile: opening it a second time
    // to read the header would take bytes from a pipe's stream.
    const bool standardInput = path == "-";
    file->descriptor.number = standardInput ? STDIN_FILENO : ::open (path.c_str(), O_RDONLY | O_CLOEXEC);
    file->descriptor.owned = ! standardInput && file->descriptor.number >= 0;
    if (file->descriptor.number < 0)
        throw std::runtime_error ("cannot read " + path + ": " + std::strerror (errno));

    struct stat status {};
    const bool known = ::fstat (file->descriptor.number, &status) == 0;
    if (known && S_ISDIR (status.st_mode))
        throw std::runtime_error ("cannot read " + path + ": it is a folder, not an audio file");
    const bool regular = known && S_ISREG (status.st_mode);
    streamed = ! regular;

    DeclaredHeader header;
    if (regular)
    {
        const auto start = static_cast<uint64_t> (std::max<off_t> (::lseek (file->descriptor.number, 0, SEEK_CUR), 0));
        FileBytes bytes (file->descriptor.number, start);
        header = readDeclaredHeader (bytes);
        if (header.unfinished)
            header.unfinished->at += start; // libsndfile reads the file at its own offsets
        if (header.audioStart && static_cast<uint64_t> (status.st_size) > start + *header.audioStart)
        {
            // At least a frame's bytes: less is no audio.
            const auto after = static_cast<uint64_t> (status.st_size) - start - *header.audioStart;
            const auto held = header.unfinished ? after : std::min (after, header.audioBytes.value_or (0));
            if (held >= static_cast<uint64_t> (std::max (header.bytesPerFrame, 1)))
                audioInFile = held;
        }
    }
    else
    {
        // The relay passes on the bytes read to find the header first, with
        // a data size never filled in read as "to the end".
        StreamHead head (file->descriptor.number);
        header = readDeclaredHeader (head);
        if (auto refused = refusedFromAStream (head.bytes))
            throw std::runtime_error ("cannot read " + path + ": " + *refused);
        if (header.outOfReach)
            throw std::runtime_error ("cannot read " + path + ": its header runs past the first "
                                      + std::to_string (StreamHead::longestHeader >> 20) + " MB, further than kick_host reads ahead "
                                      + "in a pipe or FIFO; " + streamWayRound);
        if (header.unfinished)
            header.unfinished->patch (head.bytes.data(), head.bytes.size(), 0);
        file->relay.emplace (file->descriptor.number, std::move (head.bytes));
    }
    if (header.cutShort)
        throw std::runtime_error ("cannot read " + path + ": it ends inside its header, before any audio");

    SF_INFO info {};
    if (! streamed && header.unfinished)
    {
        file->unfinished = header.unfinished;
        static SF_VIRTUAL_IO io { File::length, File::seek, File::read, File::write, File::tell };
        file->handle.reset (sf_open_virtual (&io, SFM_READ, &info, file.get()));
    }
    else
    {
        // libsndfile closes the descriptor it is given when it cannot read
        // it, whatever it was told, so it is given a copy of its own to
        // close: the relay's pipe stays open until the relay is done with it,
        // and standard input stays open.
        const int copy = ::fcntl (streamed ? file->relay->descriptor() : file->descriptor.number, F_DUPFD_CLOEXEC, 0);
        if (copy < 0)
            throw std::runtime_error ("cannot read " + path + ": " + std::strerror (errno));
        file->handle.reset (sf_open_fd (copy, SFM_READ, &info, SF_TRUE));
    }
    if (const int error = sf_error (nullptr); file->handle == nullptr)
        throw std::runtime_error ("cannot read " + path + ": "
                                  + (error == SF_ERR_UNRECOGNISED_FORMAT ? std::string ("it is not audio libsndfile reads (no format it knows)")
                                                                         : libraryReason (error, "libsndfile could not open it"))
                                  + (streamed ? "; libsndfile reads some formats only from a file: if it is audio, " + streamWayRound : ""));
    if (streamed)
        if (auto refused = refusedFromAStream (info.format))
            throw std::runtime_error ("cannot read " + path + ": " + *refused);
    if (info.channels < 1 || info.samplerate < 1)
        throw std::runtime_error (path + " holds no audio");

    channels = info.channels;
    rate = info.samplerate;
    format = info.format;
    if (header.unfinished)
        unfinishedSize = header.unfinished->value;
    // MPEG declares no length: libsndfile estimates one from the bit rate.
    estimated = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG;

    // libsndfile answers SF_COUNT_MAX for a length it cannot know, and
    // through a pipe reckons one for some formats from the largest file
    // there can be; a stream's writer may have left a size it could not know.
    const int bytesPerFrame = header.bytesPerFrame > 0 ? header.bytesPerFrame : bytesPerFrameOf (info.format, info.channels);
    // A file can hold what a stream's writer left (a capture of a pipe), so
    // what its header states is weighed as a stream's is; what libsndfile
    // measures of a file is its length.
    const auto believed = [&] (std::optional<int64_t> frames, bool stated) -> std::optional<int64_t> {
        if (! frames || *frames < 0 || *frames == SF_COUNT_MAX || ((streamed || stated) && ! isClaimOnAStream (*frames, bytesPerFrame)))
            return std::nullopt;
        return frames;
    };
    const auto measured = believed (info.frames, false);
    if (header.unfinished)
    {
        // A file's audio runs to its end, which libsndfile measures; a stream's end is known once it is read.
        if (regular)
            declaredFrames = measured;
    }
    else if (const auto declared = believed (header.frames, true); measured || declared)
    {
        declaredFrames = std::max (measured.value_or (0), declared.value_or (0));
    }
}

host::AudioFileReader::~AudioFileReader() = default;

int host::AudioFileReader::read (float* const* destination, int maxFrames)
{
    interleaved.resize (static_cast<size_t> (maxFrames) * static_cast<size_t> (channels));
    std::optional<UnboundedWait> waiting;
    if (streamed)
        waiting.emplace();
    const auto got = static_cast<int> (sf_readf_float (file->handle.get(), interleaved.data(), maxFrames));
    waiting.reset();
    if (file->ioError != 0)
        throw std::runtime_error ("cannot read " + path + ": " + std::strerror (file->ioError));
    if (got <= 0 && sf_error (file->handle.get()) != SF_ERR_NO_ERROR)
        throw std::runtime_error ("cannot read " + path + ": " + libraryReason (sf_error (file->handle.get()), "libsndfile could not read it"));
    if (got <= 0 && streamed && file->relay->error() != 0)
        throw std::runtime_error ("cannot read " + path + ": " + std::strerror (file->relay->error()));
    // The last line against losing a file's audio: libsndfile finding none
    // where the header shows some is a failure, not an empty success.
    if (got <= 0 && frames == 0 && audioInFile.value_or (0) > 0)
        throw std::runtime_error ("cannot read " + path + ": libsndfile finds no audio in it, though "
                                  + std::to_string (*audioInFile) + " bytes of audio follow its header");

    // Channel by channel, so that the loops stay simple enough to vectorise.
    for (int channel = 0; channel < channels; ++channel)
    {
        const float* sample = interleaved.data() + channel;
        float* out = destination[channel];
        int64_t notFinite = 0;
        for (int frame = 0; frame < got; ++frame)
        {
            const float value = sample[static_cast<size_t> (frame) * static_cast<size_t> (channels)];
            out[frame] = value;
            notFinite += std::abs (value) <= std::numeric_limits<float>::max() ? 0 : 1; // false for NaN too
        }
        nonFinite += notFinite;
    }
    frames += std::max (got, 0);
    return std::max (got, 0);
}

void host::AudioFileReader::cancelRead() noexcept
{
    if (streamed)
        file->relay->cancel();
}

//==============================================================================
// libsndfile drops some write errors, such as those sf_close makes (FLAC's
// last frame, Ogg's last pages), so every write passes through here and the
// first that fails or falls short is kept.
struct host::AudioFileWriter::File : DescriptorCalls<File>
{
    Descriptor descriptor;
    SoundFile handle { nullptr, sf_close };

    static sf_count_t read (void* destination, sf_count_t bytes, void* user)
    {
        return readBytes (destination, bytes, user);
    }

    static sf_count_t write (const void* source, sf_count_t bytes, void* user)
    {
        auto& file = of (user);
        sf_count_t done = 0;
        while (done < bytes && file.ioError == 0)
        {
            const auto written = ::write (file.descriptor.number, static_cast<const char*> (source) + done, static_cast<size_t> (bytes - done));
            if (written > 0)
                done += written;
            else if (written == 0 || errno != EINTR)
                file.ioError = written == 0 ? EIO : errno;
        }
        return done;
    }
};

host::AudioFileWriter::AudioFileWriter (int descriptor, const OutputFormat& format, double sampleRate, int numChannels,
                                        std::optional<int64_t> expectedFrames, std::string nameInMessages)
    : name (std::move (nameInMessages)), file (std::make_unique<File>()), channels (numChannels),
      clips (! format.holdsOverFullScale)
{
    file->descriptor.number = descriptor;
    start (format, sampleRate, expectedFrames);
}

host::AudioFileWriter::AudioFileWriter (const std::string& path, const OutputFormat& format, double sampleRate, int numChannels,
                                        std::optional<int64_t> expectedFrames)
    : name (path), file (std::make_unique<File>()), channels (numChannels), clips (! format.holdsOverFullScale)
{
    file->descriptor.number = ::open (path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file->descriptor.number < 0)
        throw std::runtime_error ("cannot write " + name + ": " + std::strerror (errno));
    file->descriptor.owned = true;
    start (format, sampleRate, expectedFrames);
}

void host::AudioFileWriter::start (const OutputFormat& format, double sampleRate, std::optional<int64_t> expectedFrames)
{
    SF_INFO info {};
    info.samplerate = static_cast<int> (sampleRate);
    info.channels = channels;
    info.format = containerFor (format.sndfileFormat, expectedFrames, channels);
    if (sf_format_check (&info) == SF_FALSE)
        throw std::runtime_error ("cannot write " + name + " as " + format.description + " at " + std::to_string (info.samplerate)
                                  + " Hz with " + std::to_string (channels) + " channels");

    static SF_VIRTUAL_IO io { File::length, File::seek, File::read, File::write, File::tell };
    file->handle.reset (sf_open_virtual (&io, SFM_WRITE, &info, file.get()));
    if (file->handle == nullptr)
        throw failure (sf_error (nullptr));
    // Whole numbers saturate at full scale instead of wrapping round.
    sf_command (file->handle.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_RF64)
        sf_command (file->handle.get(), SFC_RF64_AUTO_DOWNGRADE, nullptr, SF_TRUE);
}

std::runtime_error host::AudioFileWriter::failure (int libraryError) const
{
    return std::runtime_error ("cannot write " + name + ": "
                               + (file->ioError != 0 ? std::strerror (file->ioError)
                                                        : libraryReason (libraryError, "libsndfile could not write it")));
}

host::AudioFileWriter::~AudioFileWriter() = default;

void host::AudioFileWriter::write (const float* const* source, int numFrames)
{
    interleaved.resize (static_cast<size_t> (numFrames) * static_cast<size_t> (channels));
    float blockPeak = 0.0f;
    for (int channel = 0; channel < channels; ++channel)
    {
        const float* in = source[channel];
        float* sample = interleaved.data() + channel;
        for (int frame = 0; frame < numFrames; ++frame)
        {
            blockPeak = std::max (blockPeak, std::abs (in[frame]));
            sample[static_cast<size_t> (frame) * static_cast<size_t> (channels)] = in[frame];
        }
    }
    largest = std::max (largest, blockPeak);

    if (clips && blockPeak > 1.0f)
    {
        for (auto& sample : interleaved)
        {
            if (std::abs (sample) > 1.0f)
            {
                ++clipped;
                sample = std::copysign (1.0f, sample);
            }
        }
    }

    if (sf_writef_float (file->handle.get(), interleaved.data(), numFrames) != numFrames || file->ioError != 0)
        throw failure (sf_error (file->handle.get()));
}

void host::AudioFileWriter::close()
{
    // The header's lengths and the last of the encoded audio are written
    // here, so a full disk can still fail now.
    const int error = sf_error (file->handle.get());
    const int closed = sf_close (file->handle.release());
    if (const int descriptorClosed = file->descriptor.close(); file->ioError == 0)
        file->ioError = descriptorClosed;
    if (error != SF_ERR_NO_ERROR || closed != 0 || file->ioError != 0)
        throw failure (error != SF_ERR_NO_ERROR ? error : closed);
}

//==============================================================================
host::AudioData host::readAudioFile (const std::string& path)
{
    AudioFileReader reader (path);
    AudioData audio { reader.sampleRate(), std::vector<std::vector<float>> (static_cast<size_t> (reader.numChannels())) };
    std::vector<std::vector<float>> block (audio.channels.size(), std::vector<float> (streamBlockFrames));
    std::vector<float*> pointers;
    for (auto& channel : block)
        pointers.push_back (channel.data());

    while (const int frames = reader.read (pointers.data(), streamBlockFrames))
        for (size_t c = 0; c < block.size(); ++c)
            audio.channels[c].insert (audio.channels[c].end(), block[c].begin(), block[c].begin() + frames);
    return audio;
}

void host::writeAudioFile (const std::string& path, const AudioData& audio, const OutputFormat& format)
{
    AudioFileWriter writer (path, format, audio.sampleRate, audio.numChannels(), audio.numFrames());
    std::vector<const float*> pointers;
    for (const auto& channel : audio.channels)
        pointers.push_back (channel.data());
    for (int64_t start = 0; start < audio.numFrames(); start += streamBlockFrames)
    {
        const auto frames = static_cast<int> (std::min<int64_t> (streamBlockFrames, audio.numFrames() - start));
        std::vector<const float*> at;
        for (const auto* channel : pointers)
            at.push_back (channel + start);
        writer.write (at.data(), frames);
    }
    writer.close();
}
