// RenderOptions.cpp: parsing kick_host's options and refusing the combinations that would lose or hide something.
#include "RenderOptions.h"
#include "FilePaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <system_error>
#include <utility>

const char* const host::renderUsage =
    "Usage: kick_host [options]\n"
    "Renders audio through the VANTO Groundwork Kick plug-in module.\n"
    "\n"
    "  --in FILE            audio to process (mono or stereo, any format libsndfile reads), from\n"
    "                       a file, a pipe or a FIFO (FLAC from a file only), or - for standard\n"
    "                       input; without it a built-in kick pattern is rendered at audible\n"
    "                       settings. The output is as long as the input: pad the input with\n"
    "                       silence to keep the effect's ring after its last sample\n"
    "  --out FILE           where to write the result (default: kick_render.wav), a new or\n"
    "                       regular file; its extension picks the format: .wav, .aiff, .flac or\n"
    "                       .ogg. It may be the input: the file is replaced only once the render\n"
    "                       is complete\n"
    "  --bits 16|24|float   sample format of the output (default: float for .wav and .aiff,\n"
    "                       which keeps samples above full scale; 24 for .flac)\n"
    "  --set \"Name=value\"   set a parameter by its host name, in any case, e.g. --set \"Kick Sub=60\"\n"
    "                       or --set \"Kick Sub Freq=Bb\"; once per parameter, may be repeated. A\n"
    "                       number is plain decimal digits with an optional sign and point (60,\n"
    "                       60.0; not 6e1), exactly one of the values --list shows it takes\n"
    "  --screenshot FILE    also write a PNG picture of the effect's window to FILE, which must end\n"
    "                       in .png (when DISPLAY is not set, on a virtual display of its own\n"
    "                       that it stops when it ends)\n"
    "  --list               list the parameters with their values and what they accept, then stop\n"
    "  --module PATH        the plug-in module to load (default: the one built with this program)\n"
    "  --help               show this text\n"
    "\n"
    "Exit codes: 0 done, 1 failed, 2 bad command line or setting; neither failure replaces a file\n"
    "(but for a picture that cannot be renamed into place after the output was, which it says).\n"
    "Stopped by SIGINT, SIGTERM, SIGHUP or SIGPIPE, it removes its temporary files and ends by\n"
    "that signal, every destination as it was: after the block it is processing, or at once\n"
    "while it waits for input, for the X display or for a reader of its output. A second signal\n"
    "always ends it at once. A signal that comes once the finished files are being renamed into\n"
    "place is too late: the run completes, and ends with 0.\n";

namespace
{
    // "-" is standard input, which may be a file too.
    bool statusOf (const std::string& path, struct stat& status)
    {
        return path == "-" ? ::fstat (STDIN_FILENO, &status) == 0 : ::stat (path.c_str(), &status) == 0;
    }

    bool hasExtension (const std::string& name, const std::string& extension)
    {
        return name.size() > extension.size()
               && std::equal (extension.begin(), extension.end(), name.end() - static_cast<long> (extension.size()),
                              [] (char a, unsigned char b) { return a == std::tolower (b); });
    }

    // A file as the system tells files apart: by device and inode, and for
    // one not made yet, its folder's and its name there. Two paths to one
    // folder that no reading of their text joins, such as a bind mount makes,
    // come to the same.
    struct FileIdentity
    {
        dev_t device = 0;
        ino_t inode = 0;
        std::string name; // in that folder, for a file not made yet

        bool operator== (const FileIdentity& other) const
        {
            return device == other.device && inode == other.inode && name == other.name;
        }
    };

    // The file a path names, links followed; for a file not made yet, where
    // its links lead. Nothing when neither the file nor that folder exists,
    // or when its links loop (which writing it refuses), or for standard
    // input that is no file.
    std::optional<FileIdentity> identityOf (const std::string& path)
    {
        struct stat status {};
        if (statusOf (path, status))
            return FileIdentity { status.st_dev, status.st_ino, {} };
        if (path == "-")
            return std::nullopt;
        std::string target;
        try
        {
            target = host::linkTarget (path);
        }
        catch (const std::system_error&)
        {
            return std::nullopt;
        }
        if (::stat (host::folderOf (target).c_str(), &status) != 0)
            return std::nullopt;
        return FileIdentity { status.st_dev, status.st_ino, host::nameOf (target) };
    }

    bool sameFile (const std::string& a, const std::string& b)
    {
        const auto first = identityOf (a), second = identityOf (b);
        return first && second && *first == *second;
    }
}

host::RenderOptions host::parseRenderOptions (int argc, const char* const* argv, const std::string& defaultModulePath)
{
    RenderOptions options;
    options.modulePath = defaultModulePath;
    options.output = "kick_render.wav";
    std::optional<SampleDepth> depth;
    std::map<std::string, int> given;

    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        auto value = [&] () -> std::string {
            if (i + 1 >= argc)
                throw UsageError (option + " needs a value");
            if (*argv[i + 1] == 0)
                throw UsageError (option + " needs a value, not an empty one");
            return argv[++i];
        };
        auto once = [&] {
            if (++given[option] > 1)
                throw UsageError (option + " is given twice; give it once");
        };

        if (option == "--in") { once(); options.input = value(); }
        else if (option == "--out") { once(); options.output = value(); }
        else if (option == "--screenshot") { once(); options.screenshot = value(); }
        else if (option == "--module") { once(); options.modulePath = value(); }
        else if (option == "--bits")
        {
            once();
            const auto text = value();
            depth = sampleDepthFromText (text);
            if (! depth)
                throw UsageError ("--bits takes 16, 24 or float, not \"" + text + "\"");
        }
        else if (option == "--set")
        {
            ++given[option];
            try
            {
                options.settings.push_back (parseSetting (value()));
            }
            catch (const std::invalid_argument& error)
            {
                throw UsageError (error.what());
            }
        }
        else if (option == "--list") options.list = true;
        else if (option == "--help" || option == "-h") options.help = true;
        else throw UsageError ("unknown option " + option + " (see --help)");
    }
    if (options.help)
        return options;

    if (options.list)
    {
        for (const auto& [option, count] : given)
            if (option != "--module")
                throw UsageError ("--list lists the parameters and renders nothing; it takes no " + option);
        return options;
    }

    // What is written goes only to a regular file, new or replaced: never to
    // standard output, nor over a FIFO, device or folder that happens to have the name.
    for (const auto& [option, path] : { std::pair<const char*, const std::string&> { "--out", options.output },
                                        std::pair<const char*, const std::string&> { "--screenshot", options.screenshot } })
    {
        if (path.empty()) // no picture asked for
            continue;
        if (path == "-")
            throw UsageError (std::string (option) + " - would write to standard output, which kick_host does not do; name a file");
        if (const auto problem = notARegularFile (path))
            throw UsageError (std::string (option) + " " + path + " " + *problem + "; name a regular file, new or existing");
    }

    for (const auto* other : { &options.input, &options.output })
        if (! options.screenshot.empty() && ! other->empty() && sameFile (options.screenshot, *other))
            throw UsageError ("--screenshot " + options.screenshot + " names the same file as "
                              + (other == &options.input ? "--in " : "--out ") + *other + "; give the picture a file of its own");
    // The picture is a PNG whatever its name says; a name that says otherwise would mislead.
    if (const auto name = nameOf (options.screenshot); ! options.screenshot.empty() && ! hasExtension (name, ".png"))
        throw UsageError ("--screenshot " + options.screenshot + " names no .png file; the picture is a PNG, so name it one (such as window.png)");

    try
    {
        options.format = outputFormatFor (options.output, depth);
    }
    catch (const std::invalid_argument& error)
    {
        throw UsageError (error.what());
    }
    return options;
}
