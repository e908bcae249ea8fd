// Transport, view-container, page-table and automation-delegate wrappers against the test host.
#include "AAX_VWrapperTestSupport.h"

#include <AAX_CLinearTaperDelegate.h>
#include <AAX_CNumberDisplayDelegate.h>
#include <AAX_CParameter.h>
#include <AAX_CString.h>
#include <AAX_Errors.h>
#include <AAX_VAutomationDelegate.h>
#include <AAX_VPageTable.h>
#include <AAX_VTransport.h>
#include <AAX_VViewContainer.h>

#include <HostController.h>
#include <HostPageTable.h>
#include <HostViewContainer.h>

#include <gtest/gtest.h>

using host::Versions;
using wrapper_test::positionsCalled;

namespace
{
    IACFUnknown* asModuleSees (host::IUnknownSlots& object) { return reinterpret_cast<IACFUnknown*> (&object); }

    host::HostController::Offer transportOnly (Versions versions)
    {
        host::HostController::Offer offer;
        offer.transport = versions;
        return offer;
    }
}

TEST (AAX_VTransport, OperationsReachTheirPositionsAndMissingVersionsAnswerAsDocumented)
{
    host::TestHost testHost;
    host::HostController instance (testHost);
    instance.transport().tempo = 93.5;
    instance.transport().frameRate = AAX_eFrameRate_2997DropFrame;
    AAX_VTransport transport (asModuleSees (*instance.unknown()));
    testHost.log().clear();

    double tempo = 0;
    int32_t numerator = 0, denominator = 0, bars = 0, beats = 0, offset = 0, metronome = 0;
    bool flag = true;
    int64_t position = 0, start = 0, end = 0;
    uint32_t ticks = 0;
    AAX_EFrameRate rate = AAX_eFrameRate_Undeclared;
    AAX_EFeetFramesRate feetFrames = AAX_eFeetFramesRate_24;

    EXPECT_EQ (0, transport.GetCurrentTempo (&tempo));
    EXPECT_EQ (0, transport.GetCurrentMeter (&numerator, &denominator));
    EXPECT_EQ (0, transport.IsTransportPlaying (&flag));
    EXPECT_EQ (0, transport.GetCurrentTickPosition (&position));
    EXPECT_EQ (0, transport.GetCurrentLoopPosition (&flag, &start, &end));
    EXPECT_EQ (0, transport.GetCurrentNativeSampleLocation (&position));
    EXPECT_EQ (0, transport.GetCustomTickPosition (&position, 4410));
    EXPECT_EQ (0, transport.GetBarBeatPosition (&bars, &beats, &position, 8820));
    EXPECT_EQ (0, transport.GetTicksPerQuarter (&ticks));
    EXPECT_EQ (0, transport.GetCurrentTicksPerBeat (&ticks));
    EXPECT_EQ (0, transport.GetTimelineSelectionStartPosition (&position));
    EXPECT_EQ (0, transport.GetTimeCodeInfo (&rate, &offset));
    EXPECT_EQ (0, transport.GetFeetFramesInfo (&feetFrames, &position));
    EXPECT_EQ (0, transport.IsMetronomeEnabled (&metronome));

    EXPECT_EQ ((std::vector<int> { 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16 }), positionsCalled (testHost, "Transport"));
    EXPECT_EQ (93.5, tempo);
    EXPECT_EQ (AAX_eFrameRate_2997DropFrame, rate);
    EXPECT_EQ ("8820", testHost.log().callsTo ("Transport")[7].arguments[3]);

    for (const auto versions : { Versions::firstOnly, Versions::none })
    {
        host::TestHost olderHost;
        host::HostController olderInstance (olderHost, transportOnly (versions));
        const AAX_VTransport olderTransport (asModuleSees (*olderInstance.unknown()));
        const auto firstVersionAnswer = versions == Versions::none ? AAX_ERROR_NULL_OBJECT : AAX_SUCCESS;

        EXPECT_EQ (firstVersionAnswer, olderTransport.GetCurrentTempo (&tempo));
        EXPECT_EQ (firstVersionAnswer, olderTransport.GetCurrentTicksPerBeat (&ticks));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, olderTransport.GetTimelineSelectionStartPosition (&position));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, olderTransport.GetTimeCodeInfo (&rate, &offset));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, olderTransport.GetFeetFramesInfo (&feetFrames, &position));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, olderTransport.IsMetronomeEnabled (&metronome));
    }
}

TEST (AAX_VViewContainer, OperationsReachTheirPositionsAndAMissingContainerGivesNeutralAnswers)
{
    host::TestHost testHost;
    auto& hostContainer = testHost.adopt (std::make_unique<host::HostViewContainer> (testHost.log(), Versions::all,
                                                                                     host::HostViewContainer::Kind::headless));
    hostContainer.modifiers = AAX_eModifiers_Shift | AAX_eModifiers_Alt;
    {
        AAX_VViewContainer container (asModuleSees (hostContainer.unknown()));
        testHost.log().clear();
        const AAX_CParamID ids[] { "Gain", "Drive" };
        uint32_t modifiers = 0;

        EXPECT_EQ (AAX_eViewContainer_Type_NULL, container.GetType());
        EXPECT_EQ (nullptr, container.GetPtr());
        EXPECT_EQ (0, container.GetModifiers (&modifiers));
        EXPECT_EQ (0, container.SetViewSize (AAX_Point { 477.0f, 400.0f }));
        EXPECT_EQ (0, container.HandleParameterMouseDown ("Gain", 1));
        EXPECT_EQ (0, container.HandleParameterMouseDrag ("Gain", 1));
        EXPECT_EQ (0, container.HandleParameterMouseUp ("Gain", 1));
        EXPECT_EQ (0, container.HandleMultipleParametersMouseDown (ids, 2, 0));
        EXPECT_EQ (0, container.HandleMultipleParametersMouseDrag (ids, 2, 0));
        EXPECT_EQ (0, container.HandleMultipleParametersMouseUp (ids, 2, 0));

        EXPECT_EQ ((std::vector<int> { 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 }), positionsCalled (testHost, "ViewContainer"));
        EXPECT_EQ (uint32_t (AAX_eModifiers_Shift | AAX_eModifiers_Alt), modifiers);
        EXPECT_EQ (477.0f, hostContainer.viewSize().vert);
        EXPECT_EQ (400.0f, hostContainer.viewSize().horz);
    }
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());

    // Without version 1 there is no view: type 0, null, -20009, but a size request succeeds.
    for (IACFUnknown* hostObject : { static_cast<IACFUnknown*> (nullptr), asModuleSees (*testHost.hostUnknown()) })
    {
        AAX_VViewContainer missing (hostObject);
        uint32_t modifiers = 0;
        const AAX_CParamID ids[] { "Gain" };
        EXPECT_EQ (0, missing.GetType());
        EXPECT_EQ (nullptr, missing.GetPtr());
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, missing.GetModifiers (&modifiers));
        EXPECT_EQ (AAX_SUCCESS, missing.SetViewSize (AAX_Point { 10.0f, 10.0f }));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, missing.HandleParameterMouseDown ("Gain", 0));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, missing.HandleParameterMouseUp ("Gain", 0));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, missing.HandleMultipleParametersMouseDrag (ids, 1, 0));
    }

    auto& olderContainer = testHost.adopt (std::make_unique<host::HostViewContainer> (testHost.log(), Versions::firstOnly,
                                                                                      host::HostViewContainer::Kind::headless));
    AAX_VViewContainer older (asModuleSees (olderContainer.unknown()));
    const AAX_CParamID ids[] { "Gain" };
    EXPECT_EQ (0, older.HandleParameterMouseDrag ("Gain", 0));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, older.HandleMultipleParametersMouseUp (ids, 1, 0));
}

TEST (AAX_VPageTable, OperationsReachTheirPositionsAndMissingVersionsAnswerUnimplemented)
{
    host::TestHost testHost;
    auto& hostTable = testHost.adopt (std::make_unique<host::HostPageTable> (testHost.log(), Versions::all));
    AAX_VPageTable table (asModuleSees (hostTable.unknown()));
    testHost.log().clear();
    AAX_CString text ("Gn");
    AAX_CBoolean empty = 0;
    int32_t count = 0;

    EXPECT_EQ (0, table.Clear());
    EXPECT_EQ (0, table.Empty (&empty));
    EXPECT_EQ (0, table.GetNumPages (&count));
    EXPECT_EQ (0, table.InsertPage (1));
    EXPECT_EQ (0, table.RemovePage (1));
    EXPECT_EQ (0, table.GetNumMappedParameterIDs (1, &count));
    EXPECT_EQ (0, table.ClearMappedParameter (1, 2));
    EXPECT_EQ (0, table.GetMappedParameterID (1, 2, &text));
    EXPECT_EQ (0, table.MapParameterID ("Gain", 1, 2));
    EXPECT_EQ (0, table.GetNumParametersWithNameVariations (&count));
    EXPECT_EQ (0, table.GetNameVariationParameterIDAtIndex (0, &text));
    EXPECT_EQ (0, table.GetNumNameVariationsForParameter ("Gain", &count));
    EXPECT_EQ (0, table.GetParameterNameVariationAtIndex ("Gain", 0, &text, &count));
    EXPECT_EQ (0, table.GetParameterNameVariationOfLength ("Gain", 2, &text));
    EXPECT_EQ (0, table.ClearParameterNameVariations());
    EXPECT_EQ (0, table.ClearNameVariationsForParameter ("Gain"));
    EXPECT_EQ (0, table.SetParameterNameVariation ("Gain", text, 2));

    EXPECT_EQ ((std::vector<int> { 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19 }),
               positionsCalled (testHost, "PageTable"));
    EXPECT_EQ ((std::vector<std::string> { "Gain", "1", "2" }), testHost.log().callsTo ("PageTable")[8].arguments);
    EXPECT_EQ (1, empty);

    // A missing first version answers -20009 too, unlike the other wrappers.
    const AAX_VPageTable missing (nullptr);
    EXPECT_FALSE (missing.IsSupported());
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, AAX_VPageTable (nullptr).Clear());
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, missing.GetNumPages (&count));
    auto& olderTable = testHost.adopt (std::make_unique<host::HostPageTable> (testHost.log(), Versions::firstOnly));
    AAX_VPageTable older (asModuleSees (olderTable.unknown()));
    EXPECT_TRUE (older.IsSupported());
    EXPECT_EQ (0, older.InsertPage (0));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, older.ClearParameterNameVariations());
}

namespace
{
    // An effect-parameters object reduced to what the host's automation pump
    // calls: position 29, UpdateParameterNormalizedValue.
    struct ConfirmedValues
    {
        const void* const* table;
        std::vector<std::pair<std::string, double>> updates;

        static int32_t update (ConfirmedValues* self, const char* id, double value, int32_t)
        {
            self->updates.emplace_back (id, value);
            return 0;
        }

        static uint32_t oneReference (ConfirmedValues*) { return 1; }

        static const void* const* makeTable()
        {
            static const void* slots[30] {};
            slots[1] = slots[2] = reinterpret_cast<const void*> (&oneReference);
            slots[29] = reinterpret_cast<const void*> (&update);
            return slots;
        }

        ConfirmedValues() : table (makeTable()) {}
    };
}

TEST (AAX_VAutomationDelegate, OneGestureIsTouchSetRequestReleaseAndTheHostConfirmsLater)
{
    host::TestHost testHost;
    host::HostController instance (testHost);
    ConfirmedValues parameters;
    instance.setEffectParameters (&parameters);
    {
        AAX_VAutomationDelegate delegate (asModuleSees (*instance.unknown()));
        AAX_CParameter<float> gain ("Gain", AAX_CString ("Gain"), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                                    AAX_CNumberDisplayDelegate<float, 2>(), true);
        gain.SetAutomationDelegate (&delegate);
        testHost.log().clear();

        gain.SetNormalizedValue (0.25);
        EXPECT_EQ ((std::vector<int> { 7, 5, 8 }), positionsCalled (testHost, "AutomationDelegate"));
        EXPECT_EQ ((std::vector<std::string> { "Gain", "0.25" }), testHost.log().callsTo ("AutomationDelegate")[1].arguments);
        EXPECT_TRUE (parameters.updates.empty());

        EXPECT_EQ (1, instance.pumpAutomation());
        ASSERT_EQ (1u, parameters.updates.size());
        EXPECT_EQ ("Gain", parameters.updates[0].first);
        EXPECT_EQ (0.25, parameters.updates[0].second);
        EXPECT_EQ (0, instance.pumpAutomation());

        AAX_CBoolean touched = 1;
        EXPECT_EQ (0, delegate.GetTouchState ("Gain", &touched));
        EXPECT_EQ (0, touched);
        EXPECT_EQ (0, delegate.PostCurrentValue ("Gain", 0.5));
        EXPECT_EQ ((std::vector<std::string> { "Gain" }), instance.automationDelegate().registered());
        gain.SetAutomationDelegate (nullptr);
        EXPECT_TRUE (instance.automationDelegate().registered().empty());
        EXPECT_EQ ((std::vector<int> { 7, 5, 8, 9, 6, 4 }), positionsCalled (testHost, "AutomationDelegate"));
    }
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());

    host::HostController::Offer noAutomation;
    noAutomation.automationDelegate = Versions::none;
    host::HostController older (testHost, noAutomation);
    AAX_VAutomationDelegate missing (asModuleSees (*older.unknown()));
    AAX_CBoolean touched = 0;
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, missing.RegisterParameter ("Gain"));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, missing.PostSetValueRequest ("Gain", 0.5));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, missing.GetTouchState ("Gain", &touched));
}

TEST (HostController, AnswersTheInstancesOwnEffectParametersObject)
{
    host::TestHost testHost;
    host::HostController instance (testHost);
    ConfirmedValues parameters;
    instance.setEffectParameters (&parameters);

    void* answered = nullptr;
    EXPECT_EQ (host::resultOk, instance.unknown()->QueryInterface (host::uids::IID_IAAXEffectParametersV1, &answered));
    EXPECT_EQ (static_cast<void*> (&parameters), answered);

    // Once the instance lets its parameters object go, lookups must not reach it.
    instance.setEffectParameters (nullptr);
    answered = &parameters;
    EXPECT_EQ (host::resultNoInterface, instance.unknown()->QueryInterface (host::uids::IID_IAAXEffectParametersV1, &answered));
    EXPECT_EQ (nullptr, answered);
}

TEST (AAX_VViewContainer, AWindowedHostContainerIsHWNDTypedAndCarriesItsWindowElseItIsHeadless)
{
    host::TestHost testHost;
    auto& hostContainer = testHost.adopt (std::make_unique<host::HostViewContainer> (testHost.log(), Versions::all,
                                                                                     host::HostViewContainer::Kind::x11Window));
    AAX_VViewContainer container (asModuleSees (hostContainer.unknown()));

    // Without an X server (no DISPLAY) the host falls back to a headless container.
    if (hostContainer.hasWindow())
    {
        EXPECT_EQ (AAX_eViewContainer_Type_HWND, container.GetType());
        EXPECT_NE (nullptr, container.GetPtr());
        EXPECT_EQ (0, container.SetViewSize (AAX_Point { 477.0f, 400.0f }));
    }
    else
    {
        EXPECT_EQ (AAX_eViewContainer_Type_NULL, container.GetType());
        EXPECT_EQ (nullptr, container.GetPtr());
    }
}
