// PluginModule.cpp: the plug-in module: JUCE's AAX wrapper, compiled unchanged against our interface library.
#include "AAX_Registration.h"
#include "GuardedEffectParameters.h"
#include "GuardedRegistration.h"
#include "JucePluginDefines.h"
#include "MessageLockedEffectGUI.h"
#include "MessageThreadLock.h"
#include "ModuleInitialiser.h"

// The wrapper keeps JUCE initialised through ScopedJuceInitialiser_GUI
// members of its description function, its parameters object and its GUI
// object: exactly the lifetimes for which JUCE's Linux wrappers keep their
// message thread. Naming the module's initialiser there gives every one of
// them the message thread too. JUCE's own declaration was read above, so only
// the wrapper's uses are renamed.
#define ScopedJuceInitialiser_GUI ::kick::ModuleJuceInitialiser

// The wrapper's window object derives from AAX_CEffectGUI; here it derives
// from the module's base, whose host calls that build and attach the window
// hold the message thread, whose windows on one instance take turns with its
// editor, and which shows the host a face no exception crosses (see
// MessageLockedEffectGUI.h).
#define AAX_CEffectGUI ::kick::MessageLockedEffectGUI

// The wrapper takes its window down (peer and editor) inside an autorelease
// pool scope, which only macOS needs; the scope runs when the host takes the
// view away, uninitialises the window object or releases it for the last
// time. Here it holds the message thread instead (MessageThreadLock), so the
// window goes away between two messages, never in the middle of a paint or a
// timer callback.
#if JUCE_LINUX || JUCE_BSD
 #undef JUCE_AUTORELEASEPOOL
 #define JUCE_AUTORELEASEPOOL const ::MessageThreadLock JUCE_JOIN_MACRO (messageManagerLock_, __LINE__);
#endif

// The wrapper's description callback is called from the module's own (below),
// which registers creation procedures that let no exception reach the host.
#define GetEffectDescriptions describeWrappedEffect

// The copy in the build tree, beside the settings check that admits AAX.
#include <AAX/juce_AAX_Wrapper.cpp>

#undef GetEffectDescriptions
#undef AAX_CEffectGUI
#undef ScopedJuceInitialiser_GUI

namespace kick
{
    // The wrapper's parameters object, every host operation of it answering
    // an error for an exception instead of letting it reach the host.
    using GuardedProcessor = GuardedEffectParameters<AAXClasses::JuceAAX_Processor>;

    // What the wrapper's creation procedure does, making the guarded object:
    // first its hook that tells the framework whether a processor runs as an
    // AudioSuite instance, then the object. A failure answers no object.
    AAX_CEffectParameters* AAX_CALLBACK createGuardedProcessor() noexcept
    {
        try
        {
            using juce::PluginHostType;

            if (PluginHostType::jucePlugInIsRunningInAudioSuiteFn == nullptr)
            {
                PluginHostType::jucePlugInIsRunningInAudioSuiteFn = [] (juce::AudioProcessor& processor)
                {
                    for (auto* p : AAXClasses::activeProcessors)
                        if (&p->getPluginInstance() == &processor)
                            return p->isInAudioSuite();

                    return false;
                };
            }

            return new GuardedProcessor();
        }
        catch (...)
        {
            return nullptr;
        }
    }

    // The wrapper's window object; a failure to make it (its framework's
    // start included) answers no object.
    AAX_IEffectGUI* AAX_CALLBACK createGuardedWindow() noexcept
    {
        try
        {
            return AAXClasses::JuceAAX_GUI::Create();
        }
        catch (...)
        {
            return nullptr;
        }
    }
}

AAX_Result GetEffectDescriptions (AAX_ICollection* collection)
{
    if (collection == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    kick::CollectionWithCreation registering (*collection, { reinterpret_cast<void*> (&kick::createGuardedProcessor),
                                                             reinterpret_cast<void*> (&kick::createGuardedWindow) });
    return describeWrappedEffect (&registering);
}
