// VirtualDisplay.h: an Xvfb server of this process's own, for a window to be shown and pictured where no display is set.
#pragma once

#include "AbruptEnd.h"

#include <sys/types.h>

#include <optional>
#include <string>

namespace host
{
    // Xvfb started as this process's child on the first free display number from :200.
    // It runs in a process group of its own, so that a terminal's Ctrl-C
    // reaches only this process, which decides when the server goes; it
    // ends with this process should that die without stopping it; an abrupt
    // end stops it too (undoAbruptly).
    class VirtualDisplay
    {
    public:
        // Waits until the server accepts connections. Throws
        // std::runtime_error when it cannot be started.
        VirtualDisplay();
        // Stops the server and waits for it to end.
        ~VirtualDisplay();
        VirtualDisplay (const VirtualDisplay&) = delete;
        VirtualDisplay& operator= (const VirtualDisplay&) = delete;

        // As DISPLAY names it, such as ":1".
        const std::string& name() const noexcept { return display; }

    private:
        // Whether the server took that number and is ready; throws when Xvfb cannot be run at all.
        bool start (int number);
        // Answers the server's exit code, or -1 when a signal ended it.
        int stop() noexcept;

        pid_t server = -1;
        std::string display;
        std::optional<StoppedOnAbruptEnd> stoppedOnAbruptEnd;
    };
}
