// ModuleInitialiser.h: keeps JUCE initialised for the wrapper's objects and, on Linux, runs its message thread.
#pragma once

// JUCE's message thread opens the X display, so it needs JUCE's X11 declarations.
#ifndef JUCE_GUI_BASICS_INCLUDE_XHEADERS
 #define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#endif

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <juce_audio_plugin_client/utility/juce_LinuxMessageThread.h>

#include <memory>
#include <mutex>

namespace kick
{
    // On macOS the host's run loop dispatches JUCE's messages. On Linux no
    // host loop does, so while any JUCE object of the module is alive a
    // thread of the module's own dispatches them (timers, repaints, window
    // events), as JUCE's Linux plug-in wrappers do. All initialisers share one
    // thread; it stops before JUCE shuts down with the last of them.
    //
    // JUCE counts its initialisers and the message thread's users apart. Were
    // one host thread to let the last instance go while another made a new
    // one, the thread could stop (which closes the message queue for good)
    // while JUCE stayed up: no timer or repaint would run again and every
    // wait for the message-manager lock would spin. So both counts change
    // together, one initialiser at a time.
    class ModuleJuceInitialiser
    {
    public:
        ModuleJuceInitialiser()
        {
            const std::lock_guard<std::mutex> guard (lifecycleLock());
            library = std::make_unique<Library>();
        }

        ~ModuleJuceInitialiser()
        {
            const std::lock_guard<std::mutex> guard (lifecycleLock());
            library.reset();
        }

    private:
        struct Library
        {
            juce::ScopedJuceInitialiser_GUI initialiser;
           #if JUCE_LINUX || JUCE_BSD
            juce::SharedResourcePointer<juce::MessageThread> messageThread;
           #endif
        };

        static std::mutex& lifecycleLock()
        {
            static std::mutex lock;
            return lock;
        }

        std::unique_ptr<Library> library;

        JUCE_DECLARE_NON_COPYABLE (ModuleJuceInitialiser)
    };
}
