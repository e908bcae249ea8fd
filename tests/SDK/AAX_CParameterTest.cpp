#include "AAX_CParameterTestDoubles.h"

#include <AAX_CBinaryTaperDelegate.h>
#include <AAX_CLinearTaperDelegate.h>
#include <AAX_CNumberDisplayDelegate.h>
#include <AAX_CParameter.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{
    using Strings = std::vector<std::string>;
    using Taper = AAX_CLinearTaperDelegate<float, 0>;
    using Display = AAX_CNumberDisplayDelegate<float, 3>;

    std::unique_ptr<AAX_CParameter<float>> makeParameter (const char* id = "Gain", float min = 0.0f, float max = 1.0f, float defaultValue = 0.25f)
    {
        return std::make_unique<AAX_CParameter<float>> (id, AAX_CString ("Output Gain"), defaultValue, Taper (min, max), Display(), true);
    }

    float valueOf (const AAX_IParameter& p)
    {
        float value = std::numeric_limits<float>::quiet_NaN();
        EXPECT_TRUE (p.GetValueAsFloat (&value));
        return value;
    }
}

TEST (AAX_CParameter, StartsAtItsDefaultAndConvertsOnlyItsOwnType)
{
    const auto p = makeParameter ("Gain", -24.0f, 24.0f, 6.0f);
    EXPECT_EQ (p->GetNumberOfSteps(), 128u);
    EXPECT_EQ (p->GetType(), AAX_eParameterType_Continuous);
    EXPECT_EQ (valueOf (*p), 6.0f);
    EXPECT_EQ (p->GetNormalizedDefaultValue(), 0.625);

    p->SetOrientation (AAX_eParameterOrientation_RightMinLeftMax | AAX_eParameterOrientation_TopMinBottomMax
                       | AAX_eParameterOrientation_RotarySingleDotMode | AAX_eParameterOrientation_RotaryRightMinLeftMax);
    EXPECT_EQ (p->GetOrientation(), 0x13);

    bool b = true;
    double d = 7.0;
    EXPECT_FALSE (p->GetValueAsBool (&b));
    EXPECT_FALSE (p->GetNormalizedValueFromDouble (1.0, &d));
    EXPECT_FALSE (p->SetValueWithDouble (1.0));
    EXPECT_TRUE (b);
    EXPECT_EQ (d, 7.0);
    EXPECT_EQ (valueOf (*p), 6.0f);

    // Null out pointers are refused, not written through.
    EXPECT_FALSE (p->GetValueAsFloat (nullptr));
    EXPECT_FALSE (p->GetValueAsString (nullptr));
    EXPECT_FALSE (p->GetNormalizedValueFromFloat (1.0f, nullptr));
    EXPECT_FALSE (p->GetFloatFromNormalizedValue (1.0, nullptr));
    EXPECT_FALSE (p->GetNormalizedValueFromString (AAX_CString ("1"), nullptr));

    EXPECT_TRUE (p->GetNormalizedValueFromFloat (12.0f, &d));
    EXPECT_EQ (d, 0.75);
}

TEST (AAX_CParameter, MakesAndReadsValueTexts)
{
    const auto p = makeParameter ("Gain", -24.0f, 24.0f, 6.0f);

    AAX_CString s;
    EXPECT_TRUE (p->GetValueString (2, &s));   // the host cuts the text itself
    EXPECT_EQ (s, "6.000");
    EXPECT_TRUE (p->GetStringFromNormalizedValue (0.75, 3, s));
    EXPECT_EQ (s, "12");

    double n = -1.0;
    EXPECT_TRUE (p->GetNormalizedValueFromString (AAX_CString ("12 dB"), &n));
    EXPECT_EQ (n, 0.75);

    EXPECT_FALSE (p->SetValueFromString (AAX_CString ("loud")));
    EXPECT_EQ (valueOf (*p), 6.0f);
    EXPECT_TRUE (p->SetValueWithString (AAX_CString ("1e300")));   // clamped by the display, then by the taper
    EXPECT_EQ (valueOf (*p), 24.0f);
}

TEST (AAX_CParameter, ConvertsStepsWithTheStepSizeOfItsCount)
{
    const auto p = makeParameter();

    for (uint32_t steps : { 2u, 3u, 128u, 2048u })
    {
        p->SetNumberOfSteps (steps);
        const double stepSize = 1.0 / (steps - 1);

        for (uint32_t step = 0; step < steps; ++step)
        {
            const double normalized = p->GetNormalizedValueFromStep (step);
            ASSERT_EQ (normalized, std::min (step * stepSize, 1.0));
            ASSERT_EQ (p->GetStepValueFromNormalizedValue (normalized), step) << steps << " steps";
        }
    }

    p->SetNumberOfSteps (128);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (0.5), 64u);
    EXPECT_EQ (p->GetNormalizedValueFromStep (127), 1.0);
    EXPECT_EQ (p->GetNormalizedValueFromStep (200), 1.0);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (7.0), 127u);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (-3.0), 0u);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (std::numeric_limits<double>::infinity()), 127u);

    p->SetNumberOfSteps (3);
    p->SetStepValue (1);
    EXPECT_EQ (valueOf (*p), 0.5f);
    EXPECT_EQ (p->GetStepValue(), 1u);

    p->SetNumberOfSteps (1);
    EXPECT_EQ (p->GetNormalizedValueFromStep (1), 0.0);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (1.0), 0u);
    p->SetStepValue (0);
    EXPECT_EQ (valueOf (*p), 0.5f);
}

TEST (AAX_CParameter, ReportsAndIgnoresZeroSteps)
{
    ScopedAssertionRecorder host;
    const auto p = makeParameter();
    p->SetNumberOfSteps (5);
    p->SetNumberOfSteps (0);

    EXPECT_EQ (p->GetNumberOfSteps(), 5u);
    ASSERT_EQ (host.reports.size(), 1u);
    EXPECT_EQ (host.reports[0].expression, "0 < numSteps");
}

TEST (AAX_CParameter, KeepsIdentifiersOfUpTo31Characters)
{
    ScopedAssertionRecorder host;
    const std::string id31 (31, 'a');
    const std::string id32 = id31 + "b";

    const auto kept = makeParameter (id31.c_str());
    EXPECT_EQ (kept->Identifier(), id31);
    EXPECT_TRUE (host.reports.empty());

    const auto cut = makeParameter (id32.c_str());
    EXPECT_EQ (cut->Identifier(), id31);
    ASSERT_EQ (host.reports.size(), 1u);
    EXPECT_EQ (host.reports[0].expression, "len < eParemeterDefaultMaxIdentifierSize");
    const std::string suffix = "SDK/AAX/Interfaces/AAX_CParameter.h";
    EXPECT_EQ (host.reports[0].file.substr (host.reports[0].file.size() - suffix.size()), suffix);

    const std::unique_ptr<AAX_IParameterValue> value (cut->CloneValue());
    EXPECT_EQ (std::string (value->Identifier()), id31);
    EXPECT_EQ (host.reports.size(), 1u);

    const auto unnamed = makeParameter (nullptr);
    EXPECT_STREQ (unnamed->Identifier(), "");
}

TEST (AAX_CParameter, PicksTheLongestShortenedNameThatFits)
{
    const auto p = makeParameter();
    p->SetName (AAX_CString ("Output Gain!"));   // 12 characters
    EXPECT_EQ (p->ShortenedName (3), "Output Gain!");   // nothing stored: the full name

    p->AddShortenedName ("OGai");
    p->AddShortenedName (AAX_CString ("Out Gain"));

    const std::pair<int32_t, const char*> cases[] = {
        { 12, "Output Gain!" }, { 40, "Output Gain!" }, { -1, "Output Gain!" },
        { 11, "Out Gain" }, { 9, "Out Gain" }, { 8, "Out Gain" },
        { 7, "OGai" }, { 5, "OGai" }, { 4, "OGai" }, { 2, "OGai" }, { 0, "OGai" },
    };

    for (const auto& [length, expected] : cases)
        EXPECT_EQ (p->ShortenedName (length), expected) << length;

    p->AddShortenedName ("Gain");   // replaces the other 4-character name
    EXPECT_EQ (p->ShortenedName (5), "Gain");

    p->ClearShortenedNames();
    EXPECT_EQ (p->ShortenedName (5), "Output Gain!");
}

TEST (AAX_CParameter, PostsRequestsToTheHostAndStoresOnlyItsUpdates)
{
    RecordingAutomationDelegate host;
    const auto p = makeParameter ("Gain", 0.0f, 1.0f, 0.25f);
    p->SetAutomationDelegate (&host);
    EXPECT_EQ (host.calls, (Strings { "register Gain" }));
    host.calls.clear();

    p->SetNormalizedValue (0.5);
    EXPECT_EQ (host.calls, (Strings { "touch Gain", "set Gain 0.5", "release Gain" }));
    EXPECT_EQ (valueOf (*p), 0.25f);

    host.calls.clear();
    p->UpdateNormalizedValue (0.5);
    EXPECT_EQ (valueOf (*p), 0.5f);
    EXPECT_EQ (host.calls, (Strings { "current Gain 0.5" }));

    host.calls.clear();
    p->UpdateNormalizedValue (0.5);
    EXPECT_TRUE (host.calls.empty());

    p->SetNormalizedValue (1.7);   // constrained before it is posted
    p->SetValueWithFloat (0.75f);
    p->SetToDefaultValue();
    p->Touch();
    p->Release();
    EXPECT_EQ (host.calls, (Strings { "touch Gain", "set Gain 1", "release Gain",
                                      "touch Gain", "set Gain 0.75", "release Gain",
                                      "touch Gain", "set Gain 0.25", "release Gain",
                                      "touch Gain", "release Gain" }));
    EXPECT_EQ (valueOf (*p), 0.5f);

    host.calls.clear();
    p->SetDisplayDelegate (*std::make_unique<AAX_CNumberDisplayDelegate<float, 1>>());
    EXPECT_EQ (host.calls, (Strings { "current Gain 0.5" }));
    AAX_CString text;
    p->GetValueString (&text);
    EXPECT_EQ (text, "0.5");
}

TEST (AAX_CParameter, NotifiesTheHostAfterATaperChangeInBothKeepModes)
{
    RecordingAutomationDelegate host;
    const auto p = makeParameter ("Gain", 0.0f, 1.0f, 0.5f);
    p->SetAutomationDelegate (&host);
    host.calls.clear();

    // Keeping the real value: 0.5 is re-posted under [0, 2] and the next
    // update is stored and reported even though the value has not changed.
    Taper wider (0.0f, 2.0f);
    p->SetTaperDelegate (wider, true);
    EXPECT_EQ (host.calls, (Strings { "touch Gain", "set Gain 0.25", "release Gain" }));
    host.calls.clear();
    p->UpdateNormalizedValue (0.25);
    EXPECT_EQ (host.calls, (Strings { "current Gain 0.25" }));
    host.calls.clear();
    p->UpdateNormalizedValue (0.25);
    EXPECT_TRUE (host.calls.empty());

    // Keeping the normalized position: the real value moves at once, reported once.
    Taper gain (-24.0f, 24.0f);
    p->SetTaperDelegate (gain, false);
    EXPECT_EQ (valueOf (*p), -12.0f);
    EXPECT_EQ (host.calls, (Strings { "current Gain 0.25" }));

    // A taper for another value type is not taken.
    AAX_CBinaryTaperDelegate<bool> binary;
    p->SetTaperDelegate (binary, false);
    EXPECT_EQ (valueOf (*p), -12.0f);
}

TEST (AAX_CParameter, AppliesChangesAtOnceWithoutAHost)
{
    const auto p = makeParameter ("Gain", 0.0f, 1.0f, 0.5f);
    Taper wider (0.0f, 2.0f);
    p->SetTaperDelegate (wider, true);
    EXPECT_EQ (valueOf (*p), 0.5f);
    EXPECT_EQ (p->GetNormalizedValue(), 0.25);

    p->SetNormalizedValue (std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ (valueOf (*p), 0.0f);
}

TEST (AAX_CParameter, UnregistersFromItsHostWhenDetachedOrDestroyed)
{
    RecordingAutomationDelegate first, second;
    auto p = makeParameter();

    p->SetAutomationDelegate (&first);
    p->SetAutomationDelegate (&second);
    EXPECT_EQ (first.calls, (Strings { "register Gain", "unregister Gain" }));

    p->SetAutomationDelegate (nullptr);
    EXPECT_EQ (second.calls, (Strings { "register Gain", "unregister Gain" }));

    // Detached: changes apply at once, and destruction calls no delegate.
    p->SetNormalizedValue (1.0);
    EXPECT_EQ (valueOf (*p), 1.0f);
    p.reset();
    EXPECT_EQ (second.calls.size(), 2u);

    RecordingAutomationDelegate host;
    makeParameter()->SetAutomationDelegate (&host);
    EXPECT_EQ (host.calls, (Strings { "register Gain", "unregister Gain" }));
}
