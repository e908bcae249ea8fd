// kick_host reads every format libsndfile writes the same from a file, from standard input redirected from it, from a pipe and from a FIFO, or refuses it before any output; and it believes of a header only what the input can have known.
#include "AudioFile.h"
#include "AudioHeader.h"
#include "support/KickHostRun.h"

#include <gtest/gtest.h>

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace
{
    using namespace kick_host_run;

    // A format libsndfile writes here, as one short file of it.
    struct WrittenFormat
    {
        int format = 0;
        int channels = 2;
        int sampleRate = 44100;
        std::string name; // for the test's name: letters and digits
    };

    constexpr int writtenFrames = 2400;

    // Bytes in memory that libsndfile writes as a file.
    struct MemoryFile
    {
        std::string bytes;
        sf_count_t at = 0;

        static MemoryFile& of (void* user) { return *static_cast<MemoryFile*> (user); }
        static sf_count_t length (void* user) { return static_cast<sf_count_t> (of (user).bytes.size()); }
        static sf_count_t tell (void* user) { return of (user).at; }
        static sf_count_t seek (sf_count_t offset, int whence, void* user)
        {
            auto& file = of (user);
            file.at = std::max<sf_count_t> (0, (whence == SEEK_SET ? 0 : whence == SEEK_CUR ? file.at : length (user)) + offset);
            return file.at;
        }
        static sf_count_t read (void* destination, sf_count_t bytes, void* user)
        {
            auto& file = of (user);
            const auto got = std::clamp<sf_count_t> (length (user) - file.at, 0, bytes);
            std::memcpy (destination, file.bytes.data() + file.at, static_cast<size_t> (got));
            file.at += got;
            return got;
        }
        static sf_count_t write (const void* source, sf_count_t bytes, void* user)
        {
            auto& file = of (user);
            if (file.bytes.size() < static_cast<size_t> (file.at + bytes))
                file.bytes.resize (static_cast<size_t> (file.at + bytes));
            std::memcpy (file.bytes.data() + file.at, source, static_cast<size_t> (bytes));
            file.at += bytes;
            return bytes;
        }
    };

    // A decaying tone with a little of everything in it, different in each channel; empty when libsndfile cannot write the format.
    std::string written (const WrittenFormat& format)
    {
        SF_INFO info { 0, format.sampleRate, format.channels, format.format, 0, 0 };
        static SF_VIRTUAL_IO io { MemoryFile::length, MemoryFile::seek, MemoryFile::read, MemoryFile::write, MemoryFile::tell };
        MemoryFile file;
        {
            std::unique_ptr<SNDFILE, int (*) (SNDFILE*)> out (sf_open_virtual (&io, SFM_WRITE, &info, &file), sf_close);
            if (out == nullptr)
                return {};
            std::vector<float> samples;
            for (int i = 0; i < writtenFrames; ++i)
                for (int c = 0; c < format.channels; ++c)
                    samples.push_back (0.6f * std::exp (-float (i) / 900.0f) * std::sin (float (i) * (0.05f + 0.03f * float (c))));
            if (sf_writef_float (out.get(), samples.data(), writtenFrames) != writtenFrames)
                return {};
        }
        return file.bytes;
    }

    std::string lettersAndDigits (const char* text)
    {
        std::string kept;
        for (const char* c = text; *c != 0; ++c)
            if (std::isalnum (static_cast<unsigned char> (*c)))
                kept += *c;
        return kept;
    }

    // Every major format libsndfile writes here with each sample format it
    // takes, in stereo at 44.1 kHz where it can, else mono, else at a rate it
    // takes. But Sound Designer II: on this system its description is a
    // second file beside it (the resource fork), found by the file's name,
    // which no single stream of bytes carries.
    std::vector<WrittenFormat> formatsWrittenHere()
    {
        int majors = 0, subtypes = 0;
        sf_command (nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &majors, sizeof (majors));
        sf_command (nullptr, SFC_GET_FORMAT_SUBTYPE_COUNT, &subtypes, sizeof (subtypes));
        std::vector<WrittenFormat> formats;
        for (int m = 0; m < majors; ++m)
        {
            SF_FORMAT_INFO major {};
            major.format = m;
            sf_command (nullptr, SFC_GET_FORMAT_MAJOR, &major, sizeof (major));
            if (major.format == SF_FORMAT_SD2)
                continue;
            for (int s = 0; s < subtypes; ++s)
            {
                SF_FORMAT_INFO subtype {};
                subtype.format = s;
                sf_command (nullptr, SFC_GET_FORMAT_SUBTYPE, &subtype, sizeof (subtype));
                for (const auto& [channels, rate] : { std::pair { 2, 44100 }, { 1, 44100 }, { 2, 48000 }, { 1, 8000 } })
                {
                    SF_INFO info { 0, rate, channels, major.format | subtype.format, 0, 0 };
                    if (sf_format_check (&info) == SF_FALSE)
                        continue;
                    const WrittenFormat format { info.format, channels, rate,
                                                 lettersAndDigits (major.name) + "_" + lettersAndDigits (subtype.name) };
                    if (! written (format).empty())
                        formats.push_back (format);
                    break;
                }
            }
        }
        return formats;
    }

    // What libsndfile reads from the file, as 32-bit float, interleaved.
    std::vector<float> audioOf (const std::string& path, int& channels)
    {
        SF_INFO info {};
        std::unique_ptr<SNDFILE, int (*) (SNDFILE*)> in (sf_open (path.c_str(), SFM_READ, &info), sf_close);
        if (in == nullptr)
            return {};
        channels = info.channels;
        std::vector<float> samples, block (4096 * static_cast<size_t> (info.channels));
        while (const auto got = sf_readf_float (in.get(), block.data(), 4096))
            samples.insert (samples.end(), block.begin(), block.begin() + got * info.channels);
        return samples;
    }

    std::vector<float> interleaved (const host::AudioData& audio)
    {
        std::vector<float> samples;
        for (int64_t i = 0; i < audio.numFrames(); ++i)
            for (const auto& channel : audio.channels)
                samples.push_back (channel[static_cast<size_t> (i)]);
        return samples;
    }

    // The seconds the "Input:" line shows; NaN when it shows none.
    double lengthShown (const std::string& output)
    {
        const auto line = output.substr (output.find ("Input: "), output.find ('\n', output.find ("Input: ")) - output.find ("Input: "));
        const auto hz = line.find (" Hz, ");
        if (hz == std::string::npos || contains (line, "length not known"))
            return std::nan ("");
        const auto number = line.find_first_of ("0123456789", hz + 5);
        return number == std::string::npos ? std::nan ("") : std::strtod (line.c_str() + number, nullptr);
    }

    void PrintTo (const WrittenFormat& format, std::ostream* out)
    {
        *out << format.name << " in " << format.channels << " channels at " << format.sampleRate << " Hz";
    }

    class StreamFormats : public ::testing::TestWithParam<WrittenFormat>
    {
    };
}

// Exit 0 only with the file's audio, sample for sample (the output is 32-bit
// float, which the effect passes on unchanged with nothing set); any other
// exit with nothing written. A stream that is refused says why and how to
// read it all the same. libsndfile must read the file itself, which is the reference.
TEST_P (StreamFormats, AreReadAsFromTheFileOrRefusedBeforeAnyOutput)
{
    const auto& format = GetParam();
    const Folder folder;
    const auto in = folder / "in";
    std::ofstream (in, std::ios::binary) << written (format);
    ASSERT_EQ (::mkfifo ((folder / "fifo").c_str(), 0666), 0);
    int channels = 0;
    const auto reference = audioOf (in, channels);
    const bool fileIsRead = channels == 1 || channels == 2;

    // Bounded: a read that hangs ends as a failure of this test, not of the suite.
    const std::string bound = "timeout -s KILL " + std::to_string (patience.count()) + " ";
    const struct
    {
        std::string name, input, prefix;
        bool stream;
    } ways[] {
        { "a file", in, bound, false },
        { "standard input redirected from the file", "- < '" + in + "'", bound, false },
        { "a pipe", "-", "cat '" + in + "' | " + bound, true },
        { "a FIFO", folder / "fifo", "cat '" + in + "' > '" + folder / "fifo" + "' & " + bound, true },
    };
    std::vector<int> streamExits;
    for (const auto& way : ways)
    {
        const auto out = folder / "out.wav";
        const auto run = kickHost ("--in " + way.input + " --out " + out, way.prefix);
        const bool written = ::access (out.c_str(), F_OK) == 0;
        if (run.exitCode == 0)
        {
            ASSERT_TRUE (written) << way.name << "\n" << run.output;
            EXPECT_TRUE (interleaved (host::readAudioFile (out)) == reference) << way.name << ": not the file's audio\n" << run.output;
            // A length is either unknown or one the input can have: no made-up hours, no made-up truncation.
            const auto length = lengthShown (run.output);
            EXPECT_TRUE (length < 1.0 || std::isnan (length)) << way.name << "\n" << run.output;
            EXPECT_FALSE (contains (run.output, "warning")) << way.name << "\n" << run.output;
        }
        else
        {
            EXPECT_FALSE (written) << way.name << ": exit " << run.exitCode << " with an output\n" << run.output;
            EXPECT_EQ (run.exitCode, 1) << way.name << "\n" << run.output;
            EXPECT_TRUE (contains (run.output, "kick_host: cannot read ")) << way.name << "\n" << run.output;
            if (way.stream)
                EXPECT_TRUE (contains (run.output, "(--in - < FILE")) << way.name << ": no way round\n" << run.output;
            else
                EXPECT_FALSE (fileIsRead) << way.name << ": libsndfile reads the file\n" << run.output;
        }
        if (way.stream)
            streamExits.push_back (run.exitCode);
        ::unlink (out.c_str());
    }
    EXPECT_EQ (streamExits.front(), streamExits.back()) << "a pipe and a FIFO answer differently";
}

INSTANTIATE_TEST_SUITE_P (EveryFormatLibsndfileWrites, StreamFormats, ::testing::ValuesIn (formatsWrittenHere()),
                          [] (const ::testing::TestParamInfo<WrittenFormat>& info) { return info.param.name; });

//==============================================================================
namespace
{
    std::string littleEndian (uint64_t value, int bytes)
    {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char> (value >> (8 * i));
        return text;
    }

    // The start of a 16-bit stereo 44.1 kHz WAV up to its data chunk's size,
    // as a writer leaves it: `riffSize` and `dataSize` as given, `blockAlign`
    // whatever it wrote, and `between` (other chunks) before the data chunk.
    std::string waveHeader (uint32_t riffSize, uint32_t dataSize, const std::string& between = {}, uint16_t blockAlign = 4)
    {
        return "RIFF" + littleEndian (riffSize, 4) + "WAVEfmt " + littleEndian (16, 4) + littleEndian (1, 2) + littleEndian (2, 2)
               + littleEndian (44100, 4) + littleEndian (176400, 4) + littleEndian (blockAlign, 2) + littleEndian (16, 2) + between + "data"
               + littleEndian (dataSize, 4);
    }

    // 12,032 bytes of audio: 3,008 frames.
    std::string rampAudio()
    {
        std::string bytes;
        for (int i = 0; i < 47; ++i)
            for (int b = 0; b < 256; ++b)
                bytes += static_cast<char> (b);
        return bytes;
    }

    struct Rendered
    {
        Run run;
        bool written = false;
        int64_t frames = -1;
    };

    // `bytes` as a file and through a pipe, rendered to out_file.wav and out_pipe.wav with `arguments`.
    std::pair<Rendered, Rendered> fileAndPipe (const Folder& folder, const std::string& bytes, const std::string& arguments = {})
    {
        std::ofstream (folder / "in.wav", std::ios::binary) << bytes;
        std::pair<Rendered, Rendered> results;
        for (auto* result : { &results.first, &results.second })
        {
            const bool piped = result == &results.second;
            const auto out = folder / (piped ? "out_pipe.wav" : "out_file.wav");
            result->run = kickHost ("--in " + (piped ? std::string ("-") : folder / "in.wav") + " --out " + out + arguments,
                                    piped ? "cat '" + folder / "in.wav" + "' |" : "");
            result->written = ::access (out.c_str(), F_OK) == 0;
            if (result->written)
                result->frames = host::readAudioFile (out).numFrames();
        }
        return results;
    }

    // The message after "cannot read NAME: ", which names the input differently each way.
    std::string reason (const std::string& output)
    {
        const auto at = output.find ("kick_host: cannot read ");
        if (at == std::string::npos)
            return {};
        const auto colon = output.find (": ", at + 23);
        return output.substr (colon, output.find ('\n', colon) - colon);
    }
}

// A header longer than a stream's reader keeps in memory is refused with the
// reason, never rendered empty; the same bytes from a file are read whole.
TEST (StreamHeaders, AHeaderOverAMegabyteOnAPipeIsRefusedAndFromAFileIsRead)
{
    const Folder folder;
    const auto bytes = waveHeader (0, 0, "junk" + littleEndian (2u << 20, 4) + std::string (2u << 20, '\0')) + rampAudio();
    const auto [file, pipe] = fileAndPipe (folder, bytes);
    ASSERT_EQ (file.run.exitCode, 0) << file.run.output;
    EXPECT_EQ (file.frames, 3008);
    EXPECT_EQ (pipe.run.exitCode, 1) << pipe.run.output;
    EXPECT_FALSE (pipe.written);
    EXPECT_TRUE (contains (pipe.run.output, "kick_host: cannot read -: its header runs past the first 1 MB")) << pipe.run.output;
    EXPECT_TRUE (contains (pipe.run.output, "(--in - < FILE")) << pipe.run.output;
}

// An empty data chunk is finished only when what follows it is a chain of
// chunks that ends where the input does; otherwise what follows is audio.
TEST (StreamHeaders, AnUnfinishedWavWhoseAudioStartsLikeAChunkIsRenderedNotEmptied)
{
    const Folder folder;
    const auto audio = "ABCD" + rampAudio(); // "ABCD" and a size of 0x03020100 that lands nowhere
    const auto bytes = waveHeader (0, 0) + audio;
    const auto [file, pipe] = fileAndPipe (folder, bytes);
    for (const auto* each : { &file, &pipe })
    {
        ASSERT_EQ (each->run.exitCode, 0) << each->run.output;
        EXPECT_EQ (each->frames, 3009) << each->run.output;
        EXPECT_TRUE (contains (each->run.output, "was never finished")) << each->run.output;
    }

    // In place, as a user mends a recording: the file keeps its audio.
    std::ofstream (folder / "p.wav", std::ios::binary) << bytes;
    const auto inPlace = kickHost ("--in " + folder / "p.wav" + " --out " + folder / "p.wav --set \"Kick Sub=60\"");
    ASSERT_EQ (inPlace.exitCode, 0) << inPlace.output;
    EXPECT_EQ (host::readAudioFile (folder / "p.wav").numFrames(), 3009);

    // A chain of chunks that ends with the input: finished and empty, both ways.
    const std::string list = "LIST" + littleEndian (12, 4) + "INFOICMT" + littleEndian (0, 4);
    const std::string odd = "note" + littleEndian (3, 4) + "abc"; // its pad byte is the input's end
    for (const auto& after : { list, list + odd, odd })
    {
        const auto [finishedFile, finishedPipe] = fileAndPipe (folder, waveHeader (0, 0) + after);
        for (const auto* each : { &finishedFile, &finishedPipe })
        {
            ASSERT_EQ (each->run.exitCode, 0) << each->run.output;
            EXPECT_EQ (each->frames, 0) << each->run.output;
            EXPECT_FALSE (contains (each->run.output, "never finished")) << each->run.output;
        }
    }
    // One whose size runs past the end, or short of it: audio.
    for (const auto& after : { "LIST" + littleEndian (400, 4) + std::string (392, 'x'), "LIST" + littleEndian (8, 4) + std::string (392, 'x') })
    {
        const auto [audioFile, audioPipe] = fileAndPipe (folder, waveHeader (0, 0) + after);
        for (const auto* each : { &audioFile, &audioPipe })
        {
            ASSERT_EQ (each->run.exitCode, 0) << each->run.output;
            EXPECT_EQ (each->frames, 100) << each->run.output;
            EXPECT_TRUE (contains (each->run.output, "was never finished")) << each->run.output;
        }
    }
}

// A writer to a pipe cannot know the length: sizes near a field's limit, or
// beyond any plausible length, are no claim. The length shows as unknown,
// the progress in seconds read, and no truncation is made up. Frames follow
// from channels and bits, not from a block align that may lie.
TEST (StreamHeaders, LengthsAStreamCannotHaveKnownAreNotClaimed)
{
    const Folder folder;
    // 12 s of 16-bit stereo at 44.1 kHz: long enough for progress.
    std::string twelveSeconds;
    for (int i = 0; i < 12 * 44100; ++i)
        twelveSeconds += littleEndian (static_cast<uint16_t> (i * 7), 2) + littleEndian (static_cast<uint16_t> (i * 3), 2);

    // As sox writes to a pipe: its largest block-aligned size. Captured in a
    // file, the same header is no claim either: the file is whole.
    const auto [soxFile, sox] = fileAndPipe (folder, waveHeader (0xFFFFFFF8u, 0xFFFFFFD4u) + twelveSeconds);
    ASSERT_EQ (soxFile.run.exitCode, 0) << soxFile.run.output;
    EXPECT_FALSE (contains (soxFile.run.output, "warning")) << soxFile.run.output;
    EXPECT_EQ (soxFile.frames, 12 * 44100);
    ASSERT_EQ (sox.run.exitCode, 0) << sox.run.output;
    EXPECT_TRUE (contains (sox.run.output, "Input: -, 2 channels at 44100 Hz, length not known until it is read")) << sox.run.output;
    EXPECT_TRUE (contains (sox.run.output, "Rendering: 10 s of audio")) << sox.run.output;
    EXPECT_FALSE (contains (sox.run.output, "%")) << sox.run.output;
    EXPECT_FALSE (contains (sox.run.output, "warning")) << sox.run.output;
    EXPECT_EQ (sox.frames, 12 * 44100);

    // W64 through a pipe: libsndfile makes up a length of nearly 2^63 bytes.
    {
        SF_INFO info { 0, 44100, 2, SF_FORMAT_W64 | SF_FORMAT_PCM_16, 0, 0 };
        ASSERT_EQ (sf_format_check (&info), SF_TRUE);
        const auto w64 = folder / "in.w64";
        {
            std::unique_ptr<SNDFILE, int (*) (SNDFILE*)> out (sf_open (w64.c_str(), SFM_WRITE, &info), sf_close);
            std::vector<short> samples (2 * 12 * 44100, 1000);
            sf_writef_short (out.get(), samples.data(), 12 * 44100);
        }
        const auto run = kickHost ("--in - --out " + folder / "w64.wav", "cat '" + w64 + "' |");
        ASSERT_EQ (run.exitCode, 0) << run.output;
        EXPECT_TRUE (contains (run.output, "length not known until it is read")) << run.output;
        EXPECT_FALSE (contains (run.output, "%")) << run.output;
        EXPECT_FALSE (contains (run.output, "warning")) << run.output;
        EXPECT_EQ (host::readAudioFile (folder / "w64.wav").numFrames(), 12 * 44100);
    }

    // sox's AIFF to a pipe declares 0x7F000000 bytes, 16 MB short of the limit.
    EXPECT_FALSE (host::isClaimOnAStream (0x7F000000 / 4, 4));
    EXPECT_TRUE (host::isClaimOnAStream (12 * 44100, 4));

    // A block align of 1: 12,032 bytes of 16-bit stereo are 3,008 frames, both ways.
    const auto [file, pipe] = fileAndPipe (folder, waveHeader (12068, 12032, {}, 1) + rampAudio());
    for (const auto* each : { &file, &pipe })
    {
        ASSERT_EQ (each->run.exitCode, 0) << each->run.output;
        EXPECT_FALSE (contains (each->run.output, "truncated")) << each->run.output;
        EXPECT_EQ (each->frames, 3008);
    }
}

// Cut inside its header, an input has no audio to render: the same refusal
// from a file and from a stream, and no output.
TEST (StreamHeaders, AnInputCutInsideItsHeaderIsRefusedTheSameFromAFileAndAStream)
{
    const Folder folder;
    const auto whole = waveHeader (12068, 12032) + rampAudio();
    for (const size_t length : { 6, 12, 20, 40, 43 })
    {
        const auto [file, pipe] = fileAndPipe (folder, whole.substr (0, length));
        EXPECT_EQ (file.run.exitCode, 1) << length << " bytes\n" << file.run.output;
        EXPECT_EQ (pipe.run.exitCode, 1) << length << " bytes\n" << pipe.run.output;
        EXPECT_FALSE (file.written || pipe.written) << length << " bytes";
        EXPECT_EQ (reason (file.run.output), reason (pipe.run.output)) << length << " bytes\n" << file.run.output << pipe.run.output;
    }

    // A whole header and less than a frame after it: no audio, and truncated, both ways.
    const auto [file, pipe] = fileAndPipe (folder, whole.substr (0, 46));
    for (const auto* each : { &file, &pipe })
    {
        ASSERT_EQ (each->run.exitCode, 0) << each->run.output;
        EXPECT_EQ (each->frames, 0);
        EXPECT_TRUE (contains (each->run.output, "is truncated: its header declares 3008 frames but it holds 0")) << each->run.output;
    }
}

// Coded samples (ADPCM, G.72x, DWVW) are decoded through a pipe to the length
// the header declares, past the stream's end: a stream cut short, or one whose
// writer could not know its length, would render audio that is not there.
// Through a pipe they are refused before any output, whole or cut; from the
// file they are read.
TEST (StreamHeaders, CodedSamplesAreReadOnlyFromAFile)
{
    const Folder folder;
    for (const int format : { SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, SF_FORMAT_WAV | SF_FORMAT_G721_32,
                              SF_FORMAT_W64 | SF_FORMAT_IMA_ADPCM, SF_FORMAT_AIFF | SF_FORMAT_IMA_ADPCM, SF_FORMAT_AIFF | SF_FORMAT_DWVW_16 })
    {
        SF_INFO info { 0, 44100, 2, format, 0, 0 };
        if (sf_format_check (&info) != SF_TRUE)
            continue;
        SCOPED_TRACE (format);
        const auto whole = written ({ format, 2, 44100, "coded" });
        for (const auto& bytes : { whole, whole.substr (0, whole.size() / 2) })
        {
            const auto [file, pipe] = fileAndPipe (folder, bytes);
            EXPECT_EQ (pipe.run.exitCode, 1) << pipe.run.output;
            EXPECT_FALSE (pipe.written);
            EXPECT_TRUE (contains (pipe.run.output, "(--in - < FILE")) << pipe.run.output;
            if (bytes.size() == whole.size())
            {
                EXPECT_EQ (file.run.exitCode, 0) << file.run.output;
            }
        }
    }
}
