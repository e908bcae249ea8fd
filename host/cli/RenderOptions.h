// RenderOptions.h: kick_host's command line, refused as a whole before any work when it is ambiguous or unsafe.
#pragma once

#include "AudioFile.h"
#include "ParameterSettings.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace host
{
    // A command line the program cannot follow; it ends with exit code 2.
    struct UsageError : std::invalid_argument
    {
        using std::invalid_argument::invalid_argument;
    };

    struct RenderOptions
    {
        std::string modulePath;
        std::string input;  // empty: the built-in pattern
        std::string output;
        OutputFormat format;
        std::string screenshot;
        std::vector<ParameterSetting> settings;
        bool list = false;
        bool help = false;
    };

    extern const char* const renderUsage;

    // Throws UsageError for an unknown option or a missing or empty value; a file
    // option, --module or --bits given twice; --list with options it would
    // ignore; --screenshot naming the same file as --in or --out (by device
    // and inode, links followed; a file not made yet by its folder's and its
    // name, where its links lead, so that a folder reached by two paths,
    // through a bind mount too, is one; for --in -, the file standard input
    // is); --out or --screenshot naming "-"
    // (standard output) or an existing file that is not a regular one (links
    // followed); an output extension or depth the writer does not take; a
    // --screenshot whose name does not end in .png.
    RenderOptions parseRenderOptions (int argc, const char* const* argv, const std::string& defaultModulePath);
}
