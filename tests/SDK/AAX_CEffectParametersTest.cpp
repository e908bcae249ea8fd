// The effect-parameters base: host operations at their positions, unknown identifiers, automation, chunks and lifecycle.
#include "AAX_CEffectParametersTestSupport.h"

#include <AAX_CBinaryDisplayDelegate.h>
#include <AAX_CBinaryTaperDelegate.h>
#include <AAX_UIDs.h>

#include <HostInstance.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

using namespace chunk_test;

namespace
{
    struct Published
    {
        const char* identifier;
        float value;
    };

    // This plug-in's eleven parameters with their normalized defaults, as the framework publishes them.
    const std::vector<Published> kickParameters {
        { "powerId", 1.0f }, { "graphModeId", 1.0f / 3.0f }, { "Kick_HarmonicsId", 0.0f }, { "Kick_PressureId", 0.0f },
        { "Kick_SubId", 0.0f }, { "Kick_SubFreqId", 0.0f }, { "Kick_AirId", 0.0f }, { "Kick_MidsId", 0.5f },
        { "Kick_TransId", 0.0f }, { "Kick_CompressionId", 0.0f }, { "Kick_WidthId", 0.5f }
    };

    constexpr AAX_CFieldIndex bypassPort = 3;

    // Publishes the eleven parameters and the bypass at initialisation, as the framework's wrapper does.
    class KickLikeEffect : public TestEffect
    {
    public:
        AAX_Result EffectInit() override
        {
            for (const auto& parameter : kickParameters)
                add (floatParameter (parameter.identifier, parameter.value));

            add (floatParameter (cDefaultMasterBypassID, 0.0f));
            mPacketDispatcher.RegisterPacket (cDefaultMasterBypassID, bypassPort);
            return AAX_SUCCESS;
        }
    };

    void* createKickLikeEffect() { return static_cast<AAX_IACFEffectParameters_V4*> (new KickLikeEffect()); }

    KickLikeEffect& moduleObject (host::HostInstance& instance)
    {
        return static_cast<KickLikeEffect&> (*reinterpret_cast<AAX_IACFEffectParameters_V4*> (instance.parameters()));
    }

    double normalizedValue (host::HostInstance& instance, const char* identifier)
    {
        double value = -1.0;
        EXPECT_EQ (instance.parameters()->GetParameterNormalizedValue (identifier, &value), AAX_SUCCESS);
        return value;
    }

    struct AAX_CEffectParametersHosted : ::testing::Test
    {
        AAX_CEffectParametersHosted() : instance (testHost, { createKickLikeEffect, nullptr }) {}

        void TearDown() override
        {
            instance.release();
            EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
            EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), liveObjectsBefore);
        }

        host::HostAutomationDelegate& automation() { return instance.controller().automationDelegate(); }

        acfUInt32 liveObjectsBefore = CACFUnknown::GetActiveObjectCount();
        host::TestHost testHost;
        host::HostInstance instance;
    };

    // The controls chunk of the eleven parameters at their defaults, bypass left out.
    std::vector<uint8_t> kickGoldenData()
    {
        return hex ("01 01 01 01")
             + hex ("64 5F 70 6F 77 65 72 49 64 00 00 00  3F F0 00 00 00 00 00 00")
             + hex ("64 5F 67 72 61 70 68 4D 6F 64 65 49 64 00 00 00  3F D5 55 55 60 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 48 61 72 6D 6F 6E 69 63 73 49 64 00 00  00 00 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 50 72 65 73 73 75 72 65 49 64 00 00 00  00 00 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 53 75 62 49 64 00 00 00 00  00 00 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 53 75 62 46 72 65 71 49 64 00 00 00 00  00 00 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 41 69 72 49 64 00 00 00 00  00 00 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 4D 69 64 73 49 64 00 00 00  3F E0 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 54 72 61 6E 73 49 64 00 00  00 00 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 43 6F 6D 70 72 65 73 73 69 6F 6E 49 64 00 00 00 00  00 00 00 00 00 00 00 00")
             + hex ("64 5F 4B 69 63 6B 5F 57 69 64 74 68 49 64 00 00  3F E0 00 00 00 00 00 00");
    }
}

//==============================================================================
TEST_F (AAX_CEffectParametersHosted, RegistersEveryParameterAtInitializeAndUnregistersThemBeforeTheWrappersGo)
{
    ASSERT_NE (instance.parameters(), nullptr);
    EXPECT_TRUE (automation().registered().empty());
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);

    std::vector<std::string> expected;
    for (const auto& parameter : kickParameters)
        expected.push_back (parameter.identifier);
    expected.push_back (cDefaultMasterBypassID);
    EXPECT_EQ (automation().registered(), expected);

    int32_t count = 0;
    AAX_CString bypass;
    EXPECT_EQ (instance.parameters()->GetNumberOfParameters (&count), AAX_SUCCESS);
    EXPECT_EQ (count, 12);
    EXPECT_EQ (instance.parameters()->GetMasterBypassParameter (static_cast<AAX_IString*> (&bypass)), AAX_SUCCESS);
    EXPECT_EQ (bypass, cDefaultMasterBypassID);

    EXPECT_EQ (instance.parameters()->Uninitialize(), AAX_SUCCESS);
    EXPECT_TRUE (automation().registered().empty()) << "each parameter reached the host's delegate on its way out";
    EXPECT_EQ (automation().referenceCount(), 0);
    EXPECT_EQ (moduleObject (instance).Controller(), nullptr);
    EXPECT_EQ (moduleObject (instance).Transport(), nullptr);
    EXPECT_EQ (instance.generateCoefficients(), AAX_ERROR_NULL_OBJECT) << "no packets to a controller that is gone";
}

TEST_F (AAX_CEffectParametersHosted, AnswersAtTheHostsPositions)
{
    auto& effect = *instance.parameters();
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);

    int32_t value = -1;
    uint32_t id = 1;
    EXPECT_EQ (effect.GetParameterValueInfo ("powerId", 0, &value), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (value, 0);
    EXPECT_EQ (effect.GetParameterIndex ("Kick_MidsId", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 7);
    EXPECT_EQ (effect.GetParameterNumberOfSteps ("powerId", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 128);
    EXPECT_EQ (effect.GetNumberOfChunks (&value), AAX_SUCCESS);
    EXPECT_EQ (value, 1);
    EXPECT_EQ (effect.GetChunkIDFromIndex (0, &id), AAX_SUCCESS);
    EXPECT_EQ (id, ControlsChunkID);
    EXPECT_EQ (effect.GetNumberOfChanges (&value), AAX_SUCCESS);
    EXPECT_EQ (value, 0);
    EXPECT_EQ (effect.TimerWakeup(), AAX_SUCCESS);
    EXPECT_EQ (effect.GetCurveData (0, nullptr, 0, nullptr), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.GetCustomData (0, 0, nullptr, &id), AAX_SUCCESS);
    EXPECT_EQ (id, 0u);
    EXPECT_EQ (effect.DoMIDITransfers(), AAX_SUCCESS);
    EXPECT_EQ (effect.RenderAudio_Hybrid (nullptr), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.GetCurveDataMeterIds (0, nullptr, nullptr), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.GetCurveDataDisplayRange (0, nullptr, nullptr, nullptr, nullptr), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect.UpdatePageTable (0, 0, nullptr, nullptr), AAX_SUCCESS) << "no host page table: nothing to update";

    uint8_t field[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    EXPECT_EQ (effect.ResetFieldData (0, field, sizeof (field)), AAX_SUCCESS);
    EXPECT_EQ (std::count (std::begin (field), std::end (field), 0), 8);

    // All four versions answer the same object, with a reference each.
    for (const auto& iid : { host::uids::IID_IAAXEffectParametersV1, host::uids::IID_IAAXEffectParametersV2,
                             host::uids::IID_IAAXEffectParametersV3, host::uids::IID_IAAXEffectParametersV4 })
    {
        void* answer = nullptr;
        EXPECT_EQ (effect.QueryInterface (iid, &answer), host::resultOk);
        EXPECT_EQ (answer, &effect);
        EXPECT_EQ (effect.Release(), 1u);
    }

    void* answer = &effect;
    EXPECT_EQ (effect.QueryInterface (host::uids::IID_IAAXEffectGUIV1, &answer), host::resultNoInterface);
    EXPECT_EQ (answer, nullptr);
}

// Each operation through the host's table, with answers that tell apart the
// operations sharing a signature (default and current value, request and update, touch and release).
TEST_F (AAX_CEffectParametersHosted, ReachesEveryParameterOperationAtItsPosition)
{
    auto& effect = *instance.parameters();
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    auto& registry = moduleObject (instance).registry();
    registry.GetParameterByID ("Kick_MidsId")->SetOrientation (AAX_eParameterOrientation_TopMinBottomMax);

    uint8_t flag = 0;
    int32_t integer = -1;
    double value = -1.0;
    AAX_CString text;
    const auto asHostString = [] (AAX_CString& string) { return static_cast<AAX_IString*> (&string); };

    EXPECT_EQ (effect.NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &integer, sizeof (integer)), AAX_SUCCESS);
    EXPECT_EQ (effect.GetParameterIsAutomatable ("powerId", &flag), AAX_SUCCESS);
    EXPECT_EQ (flag, 1);
    EXPECT_EQ (effect.GetParameterName ("Kick_SubFreqId", asHostString (text)), AAX_SUCCESS);
    EXPECT_EQ (text, "Kick_SubFreqId");
    EXPECT_EQ (effect.GetParameterNameOfLength ("Kick_SubFreqId", asHostString (text), 4), AAX_SUCCESS);
    EXPECT_EQ (text, "Kick");

    EXPECT_EQ (effect.SetParameterDefaultNormalizedValue ("Kick_AirId", 0.25), AAX_SUCCESS);
    EXPECT_EQ (effect.GetParameterDefaultNormalizedValue ("Kick_AirId", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 0.25);
    EXPECT_EQ (normalizedValue (instance, "Kick_AirId"), 0.0) << "the default is not the value";

    EXPECT_EQ (effect.GetParameterType ("Kick_MidsId", &integer), AAX_SUCCESS);
    EXPECT_EQ (integer, AAX_eParameterType_Continuous);
    EXPECT_EQ (effect.GetParameterOrientation ("Kick_MidsId", &integer), AAX_SUCCESS);
    EXPECT_EQ (integer, AAX_eParameterOrientation_TopMinBottomMax);
    void* parameter = nullptr;
    EXPECT_EQ (effect.GetParameter ("Kick_MidsId", &parameter), AAX_SUCCESS);
    EXPECT_EQ (parameter, registry.GetParameterByID ("Kick_MidsId"));
    EXPECT_EQ (effect.GetParameterIDFromIndex (7, asHostString (text)), AAX_SUCCESS);
    EXPECT_EQ (text, "Kick_MidsId");

    const AAX_CString quarter ("0.25");
    EXPECT_EQ (effect.GetParameterValueFromString ("Kick_MidsId", &value, static_cast<const AAX_IString*> (&quarter)), AAX_SUCCESS);
    EXPECT_EQ (value, 0.25);
    EXPECT_EQ (effect.GetParameterStringFromValue ("Kick_MidsId", 0.25, asHostString (text), 16), AAX_SUCCESS);
    EXPECT_EQ (text, "0.250");
    EXPECT_EQ (effect.GetParameterValueString ("Kick_MidsId", asHostString (text), 16), AAX_SUCCESS);
    EXPECT_EQ (text, "0.500");

    EXPECT_EQ (effect.SetParameterNormalizedRelative ("Kick_MidsId", 0.25), AAX_SUCCESS);
    EXPECT_EQ (normalizedValue (instance, "Kick_MidsId"), 0.5) << "a request, not yet a value";
    EXPECT_EQ (instance.pumpAutomation(), 1);
    EXPECT_EQ (normalizedValue (instance, "Kick_MidsId"), 0.75);

    EXPECT_EQ (effect.TouchParameter ("Kick_MidsId"), AAX_SUCCESS);
    automation().GetTouchState ("Kick_MidsId", &flag);
    EXPECT_EQ (flag, 1);
    EXPECT_EQ (effect.UpdateParameterTouch ("Kick_MidsId", 0), AAX_SUCCESS);
    automation().GetTouchState ("Kick_MidsId", &flag);
    EXPECT_EQ (flag, 1) << "the host's touch state is only reported, never acted on";
    EXPECT_EQ (effect.ReleaseParameter ("Kick_MidsId"), AAX_SUCCESS);
    automation().GetTouchState ("Kick_MidsId", &flag);
    EXPECT_EQ (flag, 0);

    uint32_t size = 0;
    EXPECT_EQ (effect.GetChunkSize (ControlsChunkID, &size), AAX_SUCCESS);
    ChunkBuffer chunk (size);
    EXPECT_EQ (effect.GetChunk (ControlsChunkID, chunk.record()), AAX_SUCCESS);
    EXPECT_EQ (chunk.record()->fSize, static_cast<int32_t> (kickGoldenData().size()));

    uint8_t packet[64] = {};
    EXPECT_EQ (effect.SetCustomData (0, 0, nullptr), AAX_SUCCESS);
    EXPECT_EQ (effect.UpdateMIDINodes (0, packet), AAX_SUCCESS);
    EXPECT_EQ (effect.UpdateControlMIDINodes (0, packet), AAX_SUCCESS);
}

TEST_F (AAX_CEffectParametersHosted, ChangesAValueOnlyWhenTheHostConfirmsItAndCountsRealChanges)
{
    auto& effect = *instance.parameters();
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);

    EXPECT_EQ (effect.SetParameterNormalizedValue ("Kick_SubId", 0.75), AAX_SUCCESS);
    EXPECT_EQ (normalizedValue (instance, "Kick_SubId"), 0.0) << "a request, not yet a value";
    EXPECT_EQ (instance.pumpAutomation(), 1);
    EXPECT_EQ (normalizedValue (instance, "Kick_SubId"), 0.75);

    int32_t changes = -1;
    effect.GetNumberOfChanges (&changes);
    EXPECT_EQ (changes, 1);

    EXPECT_EQ (effect.UpdateParameterNormalizedValue ("Kick_SubId", 0.75, 0), AAX_SUCCESS);
    effect.GetNumberOfChanges (&changes);
    EXPECT_EQ (changes, 1) << "the same value is no change";

    EXPECT_EQ (effect.UpdateParameterNormalizedRelative ("Kick_SubId", 0.5), AAX_SUCCESS);
    EXPECT_EQ (normalizedValue (instance, "Kick_SubId"), 1.0);
    EXPECT_EQ (effect.UpdateParameterNormalizedValue ("Kick_SubId", 1.5, 0), AAX_SUCCESS);
    EXPECT_EQ (effect.UpdateParameterNormalizedValue ("unknown", 0.5, 0), AAX_ERROR_INVALID_PARAMETER_ID);
    effect.GetNumberOfChanges (&changes);
    EXPECT_EQ (changes, 2) << "a value beyond the range that leaves the stored one is no change";

    // A value the parameter stores rounded (0.3 is no float) confirmed again is no change either.
    EXPECT_EQ (effect.UpdateParameterNormalizedValue ("Kick_SubId", 0.3, 0), AAX_SUCCESS);
    EXPECT_EQ (effect.UpdateParameterNormalizedValue ("Kick_SubId", 0.3, 0), AAX_SUCCESS);
    effect.GetNumberOfChanges (&changes);
    EXPECT_EQ (changes, 3);
}

TEST_F (AAX_CEffectParametersHosted, PostsTheBypassPacketIntoTheFieldBlock)
{
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    EXPECT_EQ (instance.generateCoefficients(), AAX_SUCCESS);

    const auto asBytes = [] (float value) {
        std::vector<uint8_t> bytes (sizeof (value));
        std::memcpy (bytes.data(), &value, sizeof (value));
        return bytes;
    };
    EXPECT_EQ (instance.fieldBlock().port (bypassPort), asBytes (0.0f));

    instance.parameters()->UpdateParameterNormalizedValue (cDefaultMasterBypassID, 1.0, 0);
    EXPECT_EQ (instance.generateCoefficients(), AAX_SUCCESS);
    EXPECT_EQ (instance.fieldBlock().port (bypassPort), asBytes (1.0f));
    EXPECT_EQ (instance.generateCoefficients(), AAX_SUCCESS);
    EXPECT_EQ (instance.fieldBlock().postCount(), 2) << "nothing changed, nothing posted";
}

TEST_F (AAX_CEffectParametersHosted, PostsTheSamePacketsAfterTheHookRegisteredThemAgain)
{
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    EXPECT_EQ (instance.generateCoefficients(), AAX_SUCCESS);
    ASSERT_EQ (instance.parameters()->Uninitialize(), AAX_SUCCESS);
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);   // the hook registers the bypass packet a second time

    EXPECT_EQ (instance.generateCoefficients(), AAX_SUCCESS);
    EXPECT_EQ (instance.fieldBlock().postCount(), 1) << "the packet was posted and nothing changed since";

    instance.parameters()->UpdateParameterNormalizedValue (cDefaultMasterBypassID, 1.0, 0);
    EXPECT_EQ (instance.generateCoefficients(), AAX_SUCCESS);
    EXPECT_EQ (instance.fieldBlock().postCount(), 2) << "one post per change, not one per registration";
}

TEST_F (AAX_CEffectParametersHosted, SavesTheElevenParametersAndRestoresThemThroughTheAutomationPump)
{
    auto& effect = *instance.parameters();
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);

    AAX_Result result = AAX_ERROR_UNIMPLEMENTED;
    const auto saved = saveControlsChunk (moduleObject (instance), &result);
    ASSERT_EQ (result, AAX_SUCCESS);
    EXPECT_EQ (saved->data(), kickGoldenData()) << "the bypass is not in the chunk";

    // Header: size and version native, the chunk ID as the host stored it, the zero-filled name.
    const auto* header = saved->bytes();
    EXPECT_EQ (std::vector<uint8_t> (header, header + 8), hex ("1C 01 00 00  FF FF FF FF"));
    EXPECT_EQ (std::vector<uint8_t> (header + 20, header + 24), text ("kcle"));
    EXPECT_EQ (std::vector<uint8_t> (header + 24, header + 56), text ("Complete Controls State") + std::vector<uint8_t> (9, 0));

    uint8_t equal = 0;
    EXPECT_EQ (effect.CompareActiveChunk (saved->record(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1);

    effect.UpdateParameterNormalizedValue ("Kick_AirId", 0.25, 0);
    effect.UpdateParameterNormalizedValue (cDefaultMasterBypassID, 1.0, 0);
    EXPECT_EQ (effect.CompareActiveChunk (saved->record(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 0);

    EXPECT_EQ (effect.SetChunk (ControlsChunkID, saved->record()), AAX_SUCCESS);
    EXPECT_EQ (normalizedValue (instance, "Kick_AirId"), 0.25) << "restoring asks the host";
    instance.pumpAutomation();
    EXPECT_EQ (normalizedValue (instance, "Kick_AirId"), 0.0);
    EXPECT_EQ (normalizedValue (instance, cDefaultMasterBypassID), 1.0) << "the bypass is never restored";
    EXPECT_EQ (effect.CompareActiveChunk (saved->record(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1) << "nor compared";
}

TEST_F (AAX_CEffectParametersHosted, ServesChunkRequestsFromTwoThreadsAtOnce)
{
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    const auto expected = kickGoldenData();

    const auto save = [this, &expected] {
        for (int round = 0; round < 200; ++round)
        {
            AAX_Result result = AAX_ERROR_UNIMPLEMENTED;
            const auto chunk = saveControlsChunk (moduleObject (instance), &result);
            ASSERT_EQ (result, AAX_SUCCESS);
            ASSERT_EQ (chunk->data(), expected);
        }
    };

    std::thread other (save);
    save();
    other.join();
}

TEST (AAX_CEffectParametersLifecycle, ReturnsEveryHostReferenceWhenInitializedTwiceOrReleasedWithoutUninitialize)
{
    const auto liveObjectsBefore = CACFUnknown::GetActiveObjectCount();
    host::TestHost testHost;
    host::HostController controller (testHost);

    auto* object = static_cast<host::IUnknownSlots*> (createKickLikeEffect());
    void* answer = nullptr;
    ASSERT_EQ (object->QueryInterface (host::uids::IID_IAAXEffectParametersV1, &answer), host::resultOk);
    auto* effect = static_cast<host::IEffectParametersV1Slots*> (answer);

    EXPECT_EQ (effect->Initialize (controller.unknown()), AAX_SUCCESS);
    EXPECT_EQ (effect->Initialize (controller.unknown()), AAX_SUCCESS);
    EXPECT_EQ (controller.automationDelegate().registered().size(), 12u) << "the first registration was undone";

    EXPECT_EQ (effect->Release(), 0u);
    EXPECT_TRUE (controller.automationDelegate().registered().empty());
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), liveObjectsBefore);
}

//==============================================================================
struct AAX_CEffectParametersUnit : ::testing::Test
{
    AAX_CEffectParametersUnit()
    {
        effect.add (floatParameter ("Gain", 0.9f));
        auto stepped = floatParameter ("Steps", 0.0f);
        stepped->SetNumberOfSteps (0x80000000u);
        effect.add (std::move (stepped));
    }

    TestEffect effect;
};

TEST_F (AAX_CEffectParametersUnit, AnswersUnknownIdentifiersAsEachOperationDefines)
{
    AAX_CString text ("untouched");
    double value = -1.0;
    int32_t index = 5;

    EXPECT_EQ (effect.GetParameterName ("nope", &text), AAX_SUCCESS);
    EXPECT_EQ (text, "");
    text = "untouched";
    EXPECT_EQ (effect.GetParameterNameOfLength ("nope", &text, 8), AAX_SUCCESS);
    EXPECT_EQ (text, "");

    EXPECT_EQ (effect.GetParameterNormalizedValue ("nope", &value), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (effect.GetParameterNormalizedValue (nullptr, &value), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (value, -1.0);
    EXPECT_EQ (effect.SetParameterNormalizedRelative ("nope", 0.1), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (effect.GetParameterIndex ("nope", &index), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (index, -1);

    for (const int32_t outside : { -1, 2 })
    {
        text = "untouched";
        EXPECT_EQ (effect.GetParameterIDFromIndex (outside, &text), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ (text, "");
    }

    // Null out pointers change nothing.
    EXPECT_EQ (effect.GetParameterNormalizedValue ("Gain", nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (effect.GetNumberOfParameters (nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (effect.GetParameterNameOfLength ("Gain", nullptr, 4), AAX_ERROR_INVALID_STRING_CONVERSION);
}

TEST_F (AAX_CEffectParametersUnit, ReportsStepCountsOnlyWithinTheSignedRange)
{
    int32_t steps = 7;
    EXPECT_EQ (effect.GetParameterNumberOfSteps ("Gain", &steps), AAX_SUCCESS);
    EXPECT_EQ (steps, 128);
    steps = 7;
    EXPECT_EQ (effect.GetParameterNumberOfSteps ("Steps", &steps), AAX_ERROR_SIGNED_INT_OVERFLOW);
    EXPECT_EQ (steps, 7);
}

TEST_F (AAX_CEffectParametersUnit, ClampsRelativeChanges)
{
    double value = 0.0;
    EXPECT_EQ (effect.SetParameterNormalizedRelative ("Gain", 0.3), AAX_SUCCESS);
    effect.GetParameterNormalizedValue ("Gain", &value);
    EXPECT_EQ (value, 1.0);
    EXPECT_EQ (effect.SetParameterNormalizedRelative ("Gain", -2.0), AAX_SUCCESS);
    effect.GetParameterNormalizedValue ("Gain", &value);
    EXPECT_EQ (value, 0.0);
}

TEST_F (AAX_CEffectParametersUnit, PicksTheLongestNameLineThatFits)
{
    auto threshold = floatParameter ("Threshold", 0.0f);
    threshold->SetName (AAX_CString ("Threshold\nThresh\nThr"));
    effect.add (std::move (threshold));

    const std::vector<std::pair<int32_t, const char*>> expected {
        { -1, "" }, { 0, "" }, { 2, "Th" }, { 3, "Thr" }, { 5, "Thr" }, { 6, "Thresh" }, { 8, "Thresh" }, { 9, "Threshold" }, { 40, "Threshold" }
    };

    const auto nameOfLength = [this] (const char* identifier, int32_t length) {
        AAX_CString text ("untouched");
        EXPECT_EQ (effect.GetParameterNameOfLength (identifier, &text, length), AAX_SUCCESS);
        return std::string (text.Get());
    };

    for (const auto& [length, name] : expected)
        EXPECT_EQ (nameOfLength ("Threshold", length), name) << "length " << length;

    // Of two lines that fit equally well, the first wins.
    auto level = floatParameter ("Level", 0.0f);
    level->SetName (AAX_CString ("Level\nLvl\nVol"));
    effect.add (std::move (level));
    EXPECT_EQ (nameOfLength ("Level", 3), "Lvl");

    // Variants come from the first 255 bytes of the name only.
    auto longName = floatParameter ("Long", 0.0f);
    longName->SetName (AAX_CString (std::string (300, 'a').c_str()));
    effect.add (std::move (longName));
    EXPECT_EQ (nameOfLength ("Long", 300), std::string (255, 'a'));
}

TEST_F (AAX_CEffectParametersUnit, FollowsThePreviewStateWithABoolParameterOnly)
{
    const uint32_t on = 1, off = 0;
    EXPECT_EQ (effect.NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &on, sizeof (on)), AAX_SUCCESS)
        << "without a preview parameter nothing happens";

    auto preview = std::make_unique<AAX_CParameter<bool>> (cPreviewID, AAX_CString ("Preview"), false, AAX_CBinaryTaperDelegate<bool>(),
                                                           AAX_CBinaryDisplayDelegate<bool> ("off", "on"));
    auto* previewParameter = preview.get();
    effect.add (std::move (preview));
    bool previewing = false;

    EXPECT_EQ (effect.NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &on, sizeof (on)), AAX_SUCCESS);
    previewParameter->GetValueAsBool (&previewing);
    EXPECT_TRUE (previewing);

    // Null or short data is ignored.
    EXPECT_EQ (effect.NotificationReceived (AAX_eNotificationEvent_ASPreviewState, nullptr, sizeof (off)), AAX_SUCCESS);
    EXPECT_EQ (effect.NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &off, 2), AAX_SUCCESS);
    previewParameter->GetValueAsBool (&previewing);
    EXPECT_TRUE (previewing);

    EXPECT_EQ (effect.NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &off, sizeof (off)), AAX_SUCCESS);
    previewParameter->GetValueAsBool (&previewing);
    EXPECT_FALSE (previewing);
}

TEST_F (AAX_CEffectParametersUnit, KeepsTheFirstOfTwoParametersWithOneIdentifier)
{
    auto second = floatParameter ("Gain", 0.1f);
    effect.registry().AddParameter (second.get());   // refused: still ours
    EXPECT_EQ (effect.registry().NumParameters(), 2);

    double value = 0.0;
    effect.GetParameterNormalizedValue ("Gain", &value);
    EXPECT_FLOAT_EQ (value, 0.9);
}

//==============================================================================
TEST_F (AAX_CEffectParametersUnit, AnswersChunkRequestsOnlyInTheSizeThenDataProtocol)
{
    ChunkBuffer chunk (64);
    uint32_t size = 9;
    AAX_CTypeID id = 1;

    TestEffect empty;
    EXPECT_EQ (saveControlsChunk (empty)->data(), hex ("01 01 01 01")) << "no parameters: the header word alone";

    EXPECT_EQ (effect.GetChunk (ControlsChunkID, chunk.record()), AAX_ERROR_INCORRECT_CHUNK_SIZE) << "no size request yet";
    EXPECT_EQ (effect.GetChunkSize ('juce', &size), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (size, 0u);
    EXPECT_EQ (effect.GetChunk ('juce', chunk.record()), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (effect.SetChunk ('juce', chunk.record()), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (effect.GetChunkIDFromIndex (1, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
    EXPECT_EQ (id, 0u);
    EXPECT_EQ (effect.GetChunkSize (ControlsChunkID, nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (effect.SetChunk (ControlsChunkID, nullptr), AAX_ERROR_NULL_ARGUMENT);

    EXPECT_EQ (effect.GetChunkSize (ControlsChunkID, &size), AAX_SUCCESS);
    EXPECT_EQ (size, 4u + 2 * 16);
    effect.add (floatParameter ("Late", 0.0f));
    chunk.record()->fSize = 0;
    EXPECT_EQ (effect.GetChunk (ControlsChunkID, chunk.record()), AAX_ERROR_INCORRECT_CHUNK_SIZE) << "the size changed since";
    EXPECT_EQ (chunk.record()->fSize, 0);
}

TEST_F (AAX_CEffectParametersUnit, ComparesChunksAtFloatPrecisionAndNeverEqualsNaN)
{
    const auto saved = saveControlsChunk (effect);
    AAX_CBoolean equal = 0;

    EXPECT_EQ (effect.CompareActiveChunk (saved->record(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1);

    ChunkBuffer foreign (hex ("00"));
    foreign.record()->fChunkID = 'juce';
    EXPECT_EQ (effect.CompareActiveChunk (foreign.record(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1) << "another chunk is not ours to judge";

    effect.SetParameterNormalizedValue ("Gain", 0.5);
    EXPECT_EQ (effect.CompareActiveChunk (saved->record(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 0);

    AAX_CChunkDataParser nan;
    nan.AddDouble ("Gain", 0.5);
    nan.AddDouble ("Steps", std::numeric_limits<double>::quiet_NaN());
    ChunkBuffer withNaN (static_cast<size_t> (nan.GetChunkDataSize()));
    nan.GetChunkData (withNaN.record());
    withNaN.record()->fChunkID = ControlsChunkID;
    EXPECT_EQ (effect.CompareActiveChunk (withNaN.record(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 0);
}

TEST_F (AAX_CEffectParametersUnit, RestoresFromDamagedChunksOnlyWhatFits)
{
    const auto saved = saveControlsChunk (effect);   // Gain 0.9, Steps 0
    effect.SetParameterNormalizedValue ("Gain", 0.2);
    effect.SetParameterNormalizedValue ("Steps", 0.4);

    // Cut inside the second entry: the first is restored, the second keeps its value.
    auto data = saved->data();
    data.resize (data.size() - 3);
    ChunkBuffer cut (data);
    EXPECT_EQ (effect.SetChunk (ControlsChunkID, cut.record()), AAX_SUCCESS);

    double gain = 0.0, steps = 0.0;
    effect.GetParameterNormalizedValue ("Gain", &gain);
    effect.GetParameterNormalizedValue ("Steps", &steps);
    EXPECT_FLOAT_EQ (gain, 0.9);
    EXPECT_FLOAT_EQ (steps, 0.4);

    // Values beyond the float range land on its end and then on the parameter's range.
    AAX_CChunkDataParser huge;
    huge.AddDouble ("Gain", 1e300);
    ChunkBuffer hugeChunk (static_cast<size_t> (huge.GetChunkDataSize()));
    huge.GetChunkData (hugeChunk.record());
    EXPECT_EQ (effect.SetChunk (ControlsChunkID, hugeChunk.record()), AAX_SUCCESS);
    effect.GetParameterNormalizedValue ("Gain", &gain);
    EXPECT_EQ (gain, 1.0);
}
