// AudioFile.h: audio files streamed with libsndfile: a reader that finds what is wrong with its input, a writer that says what it had to clip.
#pragma once

#include "AudioStream.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace host
{
    // Sample formats a user may ask for; the default keeps everything.
    enum class SampleDepth
    {
        float32,
        int24,
        int16
    };

    // "16", "24" or "float"; nothing for any other text.
    std::optional<SampleDepth> sampleDepthFromText (const std::string& text);

    struct OutputFormat
    {
        int sndfileFormat = 0;
        std::string description;   // such as "32-bit float WAV"
        bool holdsOverFullScale = false; // false: samples beyond full scale are clipped
        bool lossy = false;
    };

    // The container follows the path's extension (.wav, .aif/.aiff, .flac,
    // .ogg, in any case); the depth is the one asked for, else the deepest the
    // container holds (float for WAV and AIFF, 24-bit for FLAC; Ogg Vorbis is
    // lossy and has none). Throws std::invalid_argument naming the accepted
    // extensions, or the depths the container can hold.
    OutputFormat outputFormatFor (const std::string& path, std::optional<SampleDepth> depth);

    // What an output in `format` loses of an input in `inputFormat` (a
    // libsndfile format) that passes the effect unchanged, as the effect
    // takes 32-bit float samples; nothing when it keeps every sample as it was.
    std::optional<std::string> passthroughLoss (int inputFormat, const OutputFormat& format);

    // Reads any format libsndfile knows, block by block, from a file, a pipe
    // or a FIFO ("-" is standard input); from a pipe or FIFO, only the
    // formats libsndfile reads there as from a file (AudioHeader.h). Throws
    // std::runtime_error with the reason when the file is missing,
    // unreadable, a folder, not audio, cut inside its header, a format or a
    // header a stream cannot carry, and when reading fails part-way or finds
    // no audio where the header shows some. Opening, and reading anything but a regular
    // file, are waits for input (UnboundedWait) that a signal ends at once;
    // anything but a regular file is read through an InputRelay, so that
    // cancelRead() releases a read its stalled writer holds.
    class AudioFileReader final : public AudioSource
    {
    public:
        explicit AudioFileReader (const std::string& path);
        ~AudioFileReader() override;
        AudioFileReader (const AudioFileReader&) = delete;
        AudioFileReader& operator= (const AudioFileReader&) = delete;

        int numChannels() const override { return channels; }
        double sampleRate() const override { return rate; }
        // What the header declares, which a truncated file falls short of;
        // nothing when the length is not known before reading (libsndfile
        // cannot measure some formats through a pipe, such as Ogg Vorbis, and
        // a stream's length that is no claim is not one). Recognising a
        // truncated input from its header takes WAV, RF64 or AIFF; other
        // inputs are as long as libsndfile finds them. A WAV whose header was
        // never finished is read to its end: in a file that is its length,
        // in a stream it is not known.
        std::optional<int64_t> lengthInFrames() const override { return declaredFrames; }
        int read (float* const* destination, int maxFrames) override;
        void cancelRead() noexcept override;

        // Whether lengthInFrames is an estimate rather than a count a
        // shorter input falls short of (MPEG's, from its bit rate).
        bool lengthIsEstimate() const noexcept { return estimated; }
        // Its container and sample format, as libsndfile names them (SF_FORMAT_*).
        int sndfileFormat() const noexcept { return format; }
        // The data size a WAV header was left with by a writer that never
        // finished it (0, or all ones), which was read as "to the end" instead.
        std::optional<uint64_t> unfinishedHeader() const noexcept { return unfinishedSize; }

        int64_t framesRead() const noexcept { return frames; }
        // Samples that were NaN or infinite.
        int64_t nonFiniteSamples() const noexcept { return nonFinite; }

    private:
        std::string path;
        struct File;
        std::unique_ptr<File> file;
        int channels = 0;
        double rate = 0.0;
        std::optional<int64_t> declaredFrames;
        int format = 0;
        bool estimated = false;
        std::optional<uint64_t> unfinishedSize;
        std::optional<uint64_t> audioInFile; // the bytes of audio, a frame or more, a regular file's header shows it holds
        bool streamed = false; // a pipe, FIFO or device, whose reads wait for its writer
        int64_t frames = 0;
        int64_t nonFinite = 0;
        std::vector<float> interleaved;
    };

    // Writes audio in the given format through a descriptor open for
    // writing, which stays open, or to a file it creates (or empties). In a
    // format that cannot hold samples beyond full scale it clips them and
    // counts them. A WAV file is plain WAV when `expectedFrames` fit in WAV's
    // 4 GB, and RF64 when they would not or are unknown (libsndfile turns
    // RF64 back into WAV on closing if it stayed within 4 GB, though in WAV's
    // extensible form). Every write is checked, the ones libsndfile makes as
    // it closes the file included. Throws std::runtime_error naming
    // `nameInMessages` (the file the user sees) when the file cannot be
    // created or written.
    class AudioFileWriter final : public AudioSink
    {
    public:
        AudioFileWriter (int descriptor, const OutputFormat& format, double sampleRate, int numChannels,
                         std::optional<int64_t> expectedFrames, std::string nameInMessages);
        AudioFileWriter (const std::string& path, const OutputFormat& format, double sampleRate, int numChannels,
                         std::optional<int64_t> expectedFrames);
        ~AudioFileWriter() override;
        AudioFileWriter (const AudioFileWriter&) = delete;
        AudioFileWriter& operator= (const AudioFileWriter&) = delete;

        void write (const float* const* source, int numFrames) override;
        // Completes the file (its header's lengths, the last encoded audio);
        // throws when that fails. Does not sync: the file's owner does.
        void close();

        // The largest magnitude handed to the writer, before any clipping.
        float peakBeforeClipping() const noexcept { return largest; }
        // The largest magnitude the file holds, after any clipping.
        float peak() const noexcept { return clips ? std::min (largest, 1.0f) : largest; }
        int64_t clippedSamples() const noexcept { return clipped; }

    private:
        void start (const OutputFormat& format, double sampleRate, std::optional<int64_t> expectedFrames);
        // "cannot write NAME: reason": the failed write's, else libsndfile's for its error number.
        std::runtime_error failure (int libraryError) const;

        std::string name;
        struct File;
        std::unique_ptr<File> file;
        int channels = 0;
        bool clips = false;
        float largest = 0.0f;
        int64_t clipped = 0;
        std::vector<float> interleaved;
    };

    // Whole files at once, for tests and benchmarks.
    struct AudioData
    {
        double sampleRate = 0.0;
        std::vector<std::vector<float>> channels; // all of the same length

        int numChannels() const noexcept { return static_cast<int> (channels.size()); }
        int64_t numFrames() const noexcept { return channels.empty() ? 0 : static_cast<int64_t> (channels.front().size()); }
    };

    AudioData readAudioFile (const std::string& path);
    void writeAudioFile (const std::string& path, const AudioData& audio, const OutputFormat& format);
}
