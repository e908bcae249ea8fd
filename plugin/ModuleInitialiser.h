// ModuleInitialiser.h: keeps JUCE initialised for the wrapper's objects and, on Linux, runs its message thread.
#pragma once

// JUCE's message thread opens the X display, so it needs JUCE's X11 declarations.
#ifndef JUCE_GUI_BASICS_INCLUDE_XHEADERS
 #define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#endif

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <juce_audio_plugin_client/utility/juce_LinuxMessageThread.h>

namespace kick
{
    // On macOS the host's run loop dispatches JUCE's messages. On Linux no
    // host loop does, so while any JUCE object of the module is alive a
    // thread of the module's own dispatches them (timers, repaints, window
    // events), as JUCE's Linux plug-in wrappers do. All initialisers share one
    // thread; it stops before JUCE shuts down with the last of them.
    class ModuleJuceInitialiser
    {
    public:
        ModuleJuceInitialiser() = default;

    private:
        juce::ScopedJuceInitialiser_GUI juceInitialiser;
       #if JUCE_LINUX || JUCE_BSD
        juce::SharedResourcePointer<juce::MessageThread> messageThread;
       #endif

        JUCE_DECLARE_NON_COPYABLE (ModuleJuceInitialiser)
    };
}
