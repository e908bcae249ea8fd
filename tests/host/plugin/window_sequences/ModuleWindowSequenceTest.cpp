// The effect's windows driven through random sequences of their own calls and of the parameters object's teardown, with real X11 views.
#include "../../../support/ModuleChecks.h"
#include "EffectSession.h"
#include "VirtualDisplay.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace
{
    // Everything a host can do to an instance's windows, and to its
    // parameters object short of processing with it. A host may make a
    // second window object on the instance before it lets the first go.
    enum class Step
    {
        initialize,
        initializeWithoutAnOffer, // through a controller that offers no parameters object
        initializeWithoutAController,
        uninitialize,
        attachFirstView,
        attachSecondView,
        detach,
        releaseWindow,
        openWindow, // a window object made and initialised where there is none
        uninitializeParameters,
        releaseParameters
    };

    constexpr std::array stepNames { "Initialize", "Initialize, nothing offered", "Initialize (null)", "Uninitialize",
                                     "view 1", "view 2", "view null", "Release", "made and initialised",
                                     "parameters Uninitialize", "parameters Release" };
    constexpr int numSteps = static_cast<int> (stepNames.size());
    constexpr size_t numWindows = 2;

    constexpr bool isWindowStep (Step step) noexcept
    {
        return step != Step::uninitializeParameters && step != Step::releaseParameters;
    }

    // What the windows should answer, from what the host did so far: a
    // window shows only while it holds the parameters object, which it takes
    // from the controller at Initialize, and the controller offers only while
    // the host holds it. The instance has one editor, so one window at most
    // has contents: the one last initialised or given a view; when it lets
    // them go, another window that holds the parameters object and a view
    // takes them back.
    struct Expected
    {
        struct Window
        {
            bool alive = false;
            bool holdsParameters = false;
            bool hasView = false;
            bool hasContents = false;
        };

        std::array<Window, numWindows> windows { Window { true, true, false, true }, Window {} };
        bool hostHoldsParameters = true;

        int32_t apply (Step step, size_t target)
        {
            const auto result = applyTo (windows[target], step);
            settle();
            return result;
        }

        bool allows (Step step, size_t target) const noexcept
        {
            if (step == Step::openWindow)
                return ! windows[target].alive;
            return isWindowStep (step) ? windows[target].alive : hostHoldsParameters;
        }

    private:
        int32_t applyTo (Window& window, Step step)
        {
            switch (step)
            {
                case Step::openWindow:
                    window = Window { true };
                    [[fallthrough]];
                case Step::initialize:
                    window.holdsParameters = hostHoldsParameters;
                    window.hasContents = false;
                    if (! window.holdsParameters)
                        return testsupport::windowNotInitialised;
                    build (window);
                    return host::resultOk;
                case Step::initializeWithoutAnOffer:
                case Step::initializeWithoutAController:
                    window.holdsParameters = window.hasContents = false;
                    return testsupport::windowNotInitialised;
                case Step::uninitialize:
                    window.holdsParameters = window.hasContents = false;
                    return host::resultOk;
                case Step::attachFirstView:
                case Step::attachSecondView:
                    if (! window.holdsParameters)
                        return testsupport::windowNotInitialised;
                    window.hasView = true;
                    build (window);
                    return host::resultOk;
                case Step::detach:
                    window.hasView = window.hasContents = false;
                    return host::resultOk;
                case Step::releaseWindow:
                    window = Window {};
                    return host::resultOk;
                case Step::uninitializeParameters:
                    return host::resultOk;
                case Step::releaseParameters:
                    hostHoldsParameters = false;
                    return host::resultOk;
            }
            return host::resultOk;
        }

        void build (Window& builder)
        {
            for (auto& window : windows)
                window.hasContents = &window == &builder;
        }

        void settle()
        {
            for (const auto& window : windows)
                if (window.hasContents)
                    return;
            for (auto& window : windows)
                if (window.alive && window.holdsParameters && window.hasView)
                    return build (window);
        }
    };

    // 1000 sequences in shards that run side by side, each from its own seeds.
    constexpr int numShards = 8;
    constexpr int sequencesPerShard = 125;
    constexpr int longestSequence = 12;
    constexpr std::mt19937::result_type firstSeed = 22;

    // An X server of the test's own, named in DISPLAY while the test runs, for
    // the module's framework and the host's views alike: shards in processes
    // of their own then run side by side, each on its own display.
    class OwnDisplay
    {
    public:
        OwnDisplay()
        {
            if (const auto* previous = std::getenv ("DISPLAY"))
                previousName = previous;
            ::setenv ("DISPLAY", server.name().c_str(), 1);
        }

        ~OwnDisplay()
        {
            if (previousName)
                ::setenv ("DISPLAY", previousName->c_str(), 1);
            else
                ::unsetenv ("DISPLAY");
        }

        OwnDisplay (const OwnDisplay&) = delete;
        OwnDisplay& operator= (const OwnDisplay&) = delete;

    private:
        host::VirtualDisplay server;
        std::optional<std::string> previousName;
    };

    // Each sequence runs on a new instance beside another instance that lives
    // throughout, as on a host's other track: the module's framework then
    // stays up between sequences, and a sequence takes milliseconds, not the
    // framework's start. The host's two views, real X11 windows, serve every
    // sequence.
    class ModuleWindowSequences : public ::testing::TestWithParam<int>
    {
    protected:
        ModuleWindowSequences() { host::installLenientXErrorHandler(); }

        // Runs one sequence on a new instance, then lets the host release
        // whatever is left in an order the seed picks.
        void run (std::mt19937::result_type seed)
        {
            std::mt19937 random (seed);
            std::string taken;

            {
                host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
                auto& objects = instance.objects();
                std::array<host::IEffectGUIV1Slots*, numWindows> windows { objects.gui(), nullptr };
                Expected expected;
                const auto length = 1 + static_cast<int> (random() % longestSequence);

                for (int i = 0; i < length; ++i)
                {
                    const auto step = static_cast<Step> (random() % numSteps);
                    // The window drawn, or the other one when the step cannot act on it.
                    auto target = static_cast<size_t> (random() % numWindows);
                    if (! expected.allows (step, target))
                        target = numWindows - 1 - target;
                    if (! expected.allows (step, target))
                        continue;

                    taken += std::string (taken.empty() ? "" : ", ") + (isWindowStep (step) ? "window " + std::to_string (target + 1) + " " : "")
                             + stepNames[static_cast<size_t> (step)];
                    const auto expectedResult = expected.apply (step, target);
                    EXPECT_EQ (perform (objects, windows[target], step), expectedResult) << "after " << taken;

                    for (size_t w = 0; w < numWindows; ++w)
                        if (expected.windows[w].alive)
                        {
                            host::ViewSize size {};
                            EXPECT_EQ (windows[w]->GetViewSize (&size) == host::resultOk, expected.windows[w].hasContents)
                                << "window " << w + 1 << "'s contents after " << taken;
                        }
                }

                const bool parametersFirst = random() % 2 != 0;
                const bool uninitialize = random() % 2 != 0;
                taken += std::string (", released ") + (parametersFirst ? "parameters first" : "windows first")
                         + (uninitialize ? ", uninitialised" : "");
                instance.release ({ parametersFirst, uninitialize });
            }

            EXPECT_EQ (effect.liveObjects(), bystanderObjects) << "after " << taken;
            for (const auto& view : views)
                EXPECT_EQ (view.referenceCount(), 0) << "a view still held after " << taken;
            EXPECT_EQ (effect.host().objectsWithUnbalancedReferences(), heldBefore) << "a host object still held after " << taken;
        }

        int32_t perform (host::HostInstance& objects, host::IEffectGUIV1Slots*& window, Step step)
        {
            switch (step)
            {
                case Step::initialize:                   return window->Initialize (objects.controller().unknown());
                case Step::initializeWithoutAnOffer:     return initializeWithoutAnOffer (objects, *window);
                case Step::initializeWithoutAController: return window->Initialize (nullptr);
                case Step::uninitialize:                 return window->Uninitialize();
                case Step::attachFirstView:              return window->SetViewContainer (&views[0].unknown());
                case Step::attachSecondView:             return window->SetViewContainer (&views[1].unknown());
                case Step::detach:                       return window->SetViewContainer (nullptr);
                case Step::releaseWindow:                objects.releaseWindow (*std::exchange (window, nullptr), false); return host::resultOk;
                case Step::openWindow:                   return openWindow (objects, window);
                case Step::uninitializeParameters:       return objects.parameters()->Uninitialize();
                case Step::releaseParameters:            objects.releaseParameters (false); return host::resultOk;
            }
            return host::resultOk;
        }

        static int32_t initializeWithoutAnOffer (host::HostInstance& objects, host::IEffectGUIV1Slots& window)
        {
            auto& controller = objects.controller();
            controller.setEffectParameters (nullptr);
            const auto result = window.Initialize (controller.unknown());
            controller.setEffectParameters (objects.parameters());
            return result;
        }

        static int32_t openWindow (host::HostInstance& objects, host::IEffectGUIV1Slots*& window)
        {
            window = objects.addWindow();
            return window != nullptr ? window->Initialize (objects.controller().unknown()) : host::resultPointer;
        }

        OwnDisplay display;
        // Made before the module is loaded, so that the server, which resets
        // whenever its last client leaves, never does when the module's
        // framework lets its connection go; and they outlive every reference
        // a window may keep.
        host::CallLog viewCalls;
        std::array<host::HostViewContainer, 2> views { host::HostViewContainer { viewCalls, host::Versions::all, host::HostViewContainer::Kind::x11Window },
                                                       host::HostViewContainer { viewCalls, host::Versions::all, host::HostViewContainer::Kind::x11Window } };
        host::LoadedEffect effect { KICK_MODULE_PATH };
        std::optional<host::EffectInstance> bystander { std::in_place, effect, 2, 48000.0f };
        const int32_t bystanderObjects = effect.liveObjects();
        // What the started module and the bystander hold of the host (its
        // services; the bystander's controller and what it made of it).
        const std::vector<const host::RecordedObject*> heldBefore = effect.host().objectsWithUnbalancedReferences();
    };
}

// Every sequence starts from an instance whose two objects are initialised,
// as a host makes them; each is reproducible from its seed alone.
TEST_P (ModuleWindowSequences, NoSequenceOfWindowCallsCrashesOrKeepsAHostReference)
{
    ASSERT_TRUE (views[0].hasWindow() && views[1].hasWindow()) << "no X display";
    const auto shardSeed = firstSeed + static_cast<std::mt19937::result_type> (GetParam() * sequencesPerShard);

    for (int i = 0; i < sequencesPerShard; ++i)
    {
        const auto seed = shardSeed + static_cast<std::mt19937::result_type> (i);
        SCOPED_TRACE ("seed " + std::to_string (seed));
        run (seed);

        if (HasFailure())
            break;
    }
    bystander.reset();
    testsupport::expectEverythingReturned (effect);
}

INSTANTIATE_TEST_SUITE_P (Shards, ModuleWindowSequences, ::testing::Range (0, numShards));
