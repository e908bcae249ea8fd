// Progress.cpp: percentages, or seconds of audio when the length is unknown, in steps that suit the stream.
#include "Progress.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace
{
    // Shorter jobs are over before progress would help.
    constexpr double secondsBeforeProgress = 10.0;
    // Away from a terminal, a line per this many percent, or seconds of audio.
    constexpr int64_t percentPerLine = 10;
    constexpr int64_t secondsPerLine = 60;
}

host::Progress::Progress (std::optional<int64_t> totalFrames, double sampleRate, bool onTerminal)
    : total (totalFrames), rate (sampleRate), terminal (onTerminal)
{
}

host::Progress::~Progress()
{
    if (terminal && lastStep >= 0)
        std::cerr << "\n";
}

void host::Progress::update (int64_t framesDone)
{
    const auto longEnough = static_cast<double> (total.value_or (framesDone)) > secondsBeforeProgress * rate;
    if (! longEnough)
        return;

    const auto value = total ? std::min<int64_t> (100, 100 * framesDone / std::max<int64_t> (*total, 1))
                             : static_cast<int64_t> (static_cast<double> (framesDone) / rate);
    const auto step = value / (terminal ? 1 : total ? percentPerLine : secondsPerLine);
    if (step == lastStep)
        return;
    lastStep = step;

    const auto text = "Rendering: " + std::to_string (value) + (total ? "%" : " s of audio");
    if (terminal)
        std::cerr << "\r" << text << std::flush;
    else
        std::cerr << text << std::endl;
}
