// The effect's window in a host view under a virtual X display: it opens at its size, follows automation, and closes cleanly.
#include "../../../support/ModuleChecks.h"
#include "EffectSession.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace
{
    using namespace std::chrono_literals;

    // Where the harmonics knob sits in the 400 x 477 window, and how many of
    // its pixels change when it turns.
    constexpr host::Area harmonicsKnob { 15, 330, 90, 90 };
    constexpr int knobMoved = 50;
    // A capture ends as soon as the window is painted: only a window that
    // never paints waits this long, long enough for a loaded machine under a sanitizer.
    constexpr auto paintBound = 15s;

    // Opens the instance's window in a host view and waits until it has
    // painted: the view's X window, or 0 when there is no X display or the
    // window never paints.
    unsigned long shownWindow (host::EffectInstance& instance)
    {
        auto* container = instance.openWindow();
        if (container == nullptr || ! container->hasWindow())
            return 0;
        const auto windowID = reinterpret_cast<unsigned long> (container->GetPtr());
        return host::captureSettledWindow (windowID, paintBound) ? windowID : 0;
    }
    constexpr auto notShown = "no X display, or the window never painted";

    // The window once its knob has moved from where `before` shows it: polled,
    // since the message thread paints on its own schedule (a capture may catch
    // it between two repaints). Nothing when it does not move.
    std::optional<host::Picture> movedKnob (unsigned long windowID, const host::Picture& before)
    {
        for (const auto start = std::chrono::steady_clock::now(); std::chrono::steady_clock::now() - start < paintBound;
             std::this_thread::sleep_for (10ms))
        {
            const auto after = host::captureWindow (windowID);
            if (after && host::differingPixels (before, *after, harmonicsKnob) > knobMoved)
                return after;
        }
        return std::nullopt;
    }

    // Whether the editor in that window is alive: it follows automation.
    bool followsAutomation (host::EffectInstance& instance, unsigned long windowID, double harmonics)
    {
        const auto before = host::captureSettledWindow (windowID, paintBound);
        return before && instance.automate ("Kick_HarmonicsId", harmonics) == host::resultOk && movedKnob (windowID, *before);
    }

    // Whether the view comes to show nothing (the host's black) once the window's contents have left it.
    bool becomesEmpty (unsigned long windowID)
    {
        for (const auto start = std::chrono::steady_clock::now(); std::chrono::steady_clock::now() - start < paintBound;
             std::this_thread::sleep_for (10ms))
        {
            if (const auto shown = host::captureWindow (windowID); shown && host::isOneColour (*shown))
                return true;
        }
        return false;
    }

    // A view of the host's own for a window object, as EffectInstance::openWindow
    // makes for the instance's first window: handed to the window and sized
    // as it asks. The host closes it when it is done with the window; until
    // then it lies over the views made before it.
    class OwnView
    {
    public:
        OwnView (host::LoadedEffect& effect, host::IEffectGUIV1Slots& window)
            : view (effect.host().log(), host::Versions::all, host::HostViewContainer::Kind::x11Window)
        {
            if (! view.hasWindow() || window.SetViewContainer (&view.unknown()) != host::resultOk)
                return;
            host::ViewSize size {};
            if (window.GetViewSize (&size) == host::resultOk)
                view.SetViewSize (size);
            windowID = reinterpret_cast<unsigned long> (view.GetPtr());
        }

        // The view's X window; 0 when there is no display or the window refused the view.
        unsigned long id() const noexcept { return windowID; }
        int32_t referenceCount() const { return view.referenceCount(); }

    private:
        host::HostViewContainer view;
        unsigned long windowID = 0;
    };

    class ModuleWindow : public ::testing::Test
    {
    protected:
        ModuleWindow() { host::installLenientXErrorHandler(); }

        host::LoadedEffect effect { KICK_MODULE_PATH };
    };
}

TEST_F (ModuleWindow, OpensAtItsSizeFollowsAutomationAndClosesCleanly)
{
    {
        host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
        EXPECT_EQ (effect.liveObjects(), 2) << "a parameters object and a window object";

        auto* container = instance.openWindow();
        ASSERT_NE (container, nullptr);
        ASSERT_TRUE (container->hasWindow()) << "no X display";
        EXPECT_EQ (container->viewSize().horz, 400.0f);
        EXPECT_EQ (container->viewSize().vert, 477.0f);

        const auto windowID = reinterpret_cast<unsigned long> (container->GetPtr());
        const auto before = host::captureSettledWindow (windowID, paintBound).value_or (host::Picture {});
        ASSERT_EQ (before.width, 400);
        ASSERT_EQ (before.height, 477);

        ASSERT_EQ (instance.automate ("Kick_HarmonicsId", 1.0), host::resultOk);
        const auto moved = movedKnob (windowID, before);
        ASSERT_TRUE (moved) << "the knob did not follow the automation";
        const auto& after = *moved;
        EXPECT_EQ (host::differingPixels (before, after, { 0, 0, 400, 40 }), 0) << "the title bar changed";

        host::writePng (::testing::TempDir() + "module_window.png", after);
        instance.closeWindow();
    }
    testsupport::expectEverythingReturned (effect);
}

TEST_F (ModuleWindow, AHostMayReleaseTheWindowWhileItIsShowing)
{
    {
        host::EffectInstance instance (effect, 1, 44100.0f, host::EffectInstance::Window::wanted);
        ASSERT_NE (shownWindow (instance), 0u) << notShown;
        instance.automate ("Kick_WidthId", 0.9);
        // No SetViewContainer (null) first: the window object takes the view down itself.
    }
    testsupport::expectEverythingReturned (effect);
}

// Hosts return their two references in either order, with or without
// Uninitialize, the window attached, taken away or never shown. The window
// shows the processor that the parameters object owns, so it must be gone
// before the last reference to that object is.
TEST_F (ModuleWindow, EveryReleaseOrderTakesTheWindowDownBeforeTheProcessor)
{
    enum class View { attached, detached, neverSet };

    for (const bool parametersFirst : { true, false })
        for (const bool uninitialize : { true, false })
            for (const auto view : { View::attached, View::detached, View::neverSet })
            {
                SCOPED_TRACE (std::string (parametersFirst ? "parameters first" : "window first")
                              + (uninitialize ? ", uninitialised" : ", not uninitialised") + ", view "
                              + (view == View::attached ? "attached" : view == View::detached ? "detached" : "never set"));
                host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);

                if (view != View::neverSet)
                {
                    auto* container = instance.openWindow();
                    ASSERT_NE (container, nullptr);
                    ASSERT_TRUE (container->hasWindow()) << "no X display";
                    std::this_thread::sleep_for (20ms); // a refresh or two on the message thread
                }
                if (view == View::detached)
                    instance.closeWindow();

                instance.release ({ parametersFirst, uninitialize });
                EXPECT_EQ (effect.liveObjects(), 0);
            }

    testsupport::expectEverythingReturned (effect);
}

// Calls a host makes out of the usual order: the window initialised again
// while it shows (its new contents take the old ones' place), then offered a
// view once uninitialised (refused, as it has nothing to show).
TEST_F (ModuleWindow, InitialisedAgainItShowsAgainAndUninitialisedItRefusesAView)
{
    {
        host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
        const auto windowID = shownWindow (instance);
        ASSERT_NE (windowID, 0u) << notShown;

        auto& window = *instance.objects().gui();
        ASSERT_EQ (window.Initialize (instance.objects().controller().unknown()), host::resultOk);
        const auto shown = host::captureSettledWindow (windowID, paintBound);
        ASSERT_TRUE (shown) << "nothing painted after the second Initialize";
        EXPECT_FALSE (host::isOneColour (*shown));

        ASSERT_EQ (window.Uninitialize(), host::resultOk);
        EXPECT_NE (instance.objects().setViewContainer (host::HostViewContainer::Kind::x11Window), host::resultOk);
    }
    testsupport::expectEverythingReturned (effect);
}

// The window holds the instance's parameters object no longer, yet the host's
// view stays attached and the window is initialised again: it has nothing to
// show, so it attaches nothing and says it is not initialised. Reached two
// ways: through a controller that offers no parameters object, and after the
// host let the parameters object go and uninitialised the window.
TEST_F (ModuleWindow, InitialisedAgainWithoutAParametersObjectItAttachesNothing)
{
    {
        host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
        auto& objects = instance.objects();
        const auto windowID = shownWindow (instance);
        ASSERT_NE (windowID, 0u) << notShown;
        auto& window = *objects.gui();
        host::ViewSize size {};

        objects.controller().setEffectParameters (nullptr);
        EXPECT_EQ (window.Initialize (objects.controller().unknown()), testsupport::windowNotInitialised);
        EXPECT_NE (window.GetViewSize (&size), host::resultOk) << "contents without a parameters object";

        // Offered again, the parameters object brings the window back into the view.
        objects.controller().setEffectParameters (objects.parameters());
        ASSERT_EQ (window.Initialize (objects.controller().unknown()), host::resultOk);
        const auto shown = host::captureSettledWindow (windowID, paintBound);
        ASSERT_TRUE (shown) << "nothing painted after the parameters object came back";
        EXPECT_FALSE (host::isOneColour (*shown));
    }
    testsupport::expectEverythingReturned (effect);
}

TEST_F (ModuleWindow, InitialisedAgainOnceTheParametersObjectIsGoneItAttachesNothing)
{
    {
        host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
        auto& objects = instance.objects();
        ASSERT_NE (shownWindow (instance), 0u) << notShown;
        auto& window = *objects.gui();
        host::ViewSize size {};

        objects.releaseParameters();
        EXPECT_EQ (effect.liveObjects(), 2) << "the window still holds the parameters object";
        ASSERT_EQ (window.Uninitialize(), host::resultOk);
        EXPECT_EQ (effect.liveObjects(), 1) << "the window let the parameters object go";

        EXPECT_EQ (window.Initialize (objects.controller().unknown()), testsupport::windowNotInitialised);
        EXPECT_NE (window.GetViewSize (&size), host::resultOk) << "contents without a parameters object";
    }
    testsupport::expectEverythingReturned (effect);
}

// A host may make the next window object of an instance, and initialise it,
// before it lets the last one go. The instance has one editor: it shows in the
// window the host initialised or gave a view last, and the other's view stays
// empty until that window lets the editor go. Either window may go first, and
// the one left shows a live editor; the next instance sets up as usual.
TEST_F (ModuleWindow, ASecondWindowObjectTakesTheEditorAndEitherWindowMayGoFirst)
{
    for (const bool secondBeforeFirstView : { false, true })
        for (const bool firstGoesFirst : { true, false })
        {
            SCOPED_TRACE (std::string ("second window initialised ") + (secondBeforeFirstView ? "before" : "after")
                          + " the first got its view, " + (firstGoesFirst ? "first" : "second") + " released first");
            {
                std::optional<OwnView> secondView; // outlives every window that may hold it
                host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
                auto& objects = instance.objects();
                auto* second = objects.addWindow();
                ASSERT_NE (second, nullptr);

                if (secondBeforeFirstView)
                {
                    ASSERT_EQ (second->Initialize (objects.controller().unknown()), host::resultOk);
                }
                const auto firstView = shownWindow (instance);
                ASSERT_NE (firstView, 0u) << notShown;
                if (! secondBeforeFirstView)
                {
                    ASSERT_EQ (second->Initialize (objects.controller().unknown()), host::resultOk);
                }

                secondView.emplace (effect, *second);
                ASSERT_NE (secondView->id(), 0u) << "no X display, or the second window refused its view";
                ASSERT_TRUE (host::captureSettledWindow (secondView->id(), paintBound)) << "the second window never painted";
                EXPECT_TRUE (becomesEmpty (firstView)) << "the first window still shows contents";
                EXPECT_EQ (effect.liveObjects(), 3);

                if (firstGoesFirst)
                {
                    objects.releaseWindow();
                    EXPECT_TRUE (followsAutomation (instance, secondView->id(), 1.0)) << "the second window lost its editor";
                    objects.releaseWindow (*second);
                }
                else
                {
                    objects.releaseWindow (*second);
                    EXPECT_EQ (secondView->referenceCount(), 0);
                    secondView.reset();
                    EXPECT_TRUE (followsAutomation (instance, firstView, 1.0)) << "the first window did not show the editor again";
                }
            }
            EXPECT_EQ (effect.liveObjects(), 0);

            host::EffectInstance next (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
            EXPECT_NE (shownWindow (next), 0u) << "the next instance's window: " << notShown;
        }

    testsupport::expectEverythingReturned (effect);
}

// The two windows released with the usual calls, and without, in both orders,
// one shown and one never given a view: nothing is freed twice.
TEST_F (ModuleWindow, TwoWindowObjectsOnOneInstanceGoInEveryReleaseOrder)
{
    for (const bool parametersFirst : { true, false })
        for (const bool uninitialize : { true, false })
            for (const bool secondShown : { true, false })
            {
                SCOPED_TRACE (std::string (parametersFirst ? "parameters first" : "windows first")
                              + (uninitialize ? ", uninitialised" : ", not uninitialised")
                              + (secondShown ? ", second window shown" : ", first window shown"));
                {
                    std::optional<OwnView> secondView;
                    host::EffectInstance instance (effect, 2, 48000.0f, host::EffectInstance::Window::wanted);
                    auto& objects = instance.objects();
                    auto* second = objects.addWindow();
                    ASSERT_NE (second, nullptr);
                    ASSERT_EQ (second->Initialize (objects.controller().unknown()), host::resultOk);
                    if (secondShown)
                        secondView.emplace (effect, *second);
                    ASSERT_NE (secondShown ? secondView->id() : shownWindow (instance), 0u) << notShown;

                    instance.release ({ parametersFirst, uninitialize });
                    if (secondView)
                    {
                        EXPECT_EQ (secondView->referenceCount(), 0);
                    }
                }
                EXPECT_EQ (effect.liveObjects(), 0);
            }

    testsupport::expectEverythingReturned (effect);
}

