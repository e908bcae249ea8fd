// The library's host services against the test host's, in one process: the
// host declares its tables of operations on its own, so each call landing at
// the right position proves both sides agree.
#include "TestHost.h"

#include "AAX_Assert.h"
#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_VHostServices.h"
#include "IACFUnknown.h"

#include <gtest/gtest.h>

namespace
{
    constexpr int32_t normalPriority = 0x04000000;
    constexpr int32_t highPriority = 0x08000000;

    // The host object as the library receives it.
    IACFUnknown* asLibraryUnknown (host::TestHost& testHost)
    {
        return reinterpret_cast<IACFUnknown*> (testHost.hostUnknown());
    }

    host::HostServices& madeServices (host::TestHost& testHost, size_t index)
    {
        return dynamic_cast<host::HostServices&> (*testHost.factory().created (host::uids::AAXCompID_HostServices).at (index));
    }

    class InstalledHostServices : public ::testing::Test
    {
    protected:
        void SetUp() override { AAX_CHostServices::Set (asLibraryUnknown (testHost)); }
        void TearDown() override { AAX_CHostServices::Set (nullptr); }

        host::TestHost testHost;
    };
}

TEST_F (InstalledHostServices, EachVersionIsMadeSeparatelyThroughTheFactory)
{
    const auto factoryCalls = testHost.log().callsTo ("ComponentFactory");
    const std::string nullOuter = host::CallLog::text (static_cast<const void*> (nullptr));
    ASSERT_EQ (factoryCalls.size(), 3u);
    EXPECT_EQ (factoryCalls[0], (host::Call { "ComponentFactory", 3, { "AAXCompID_HostServices", nullOuter, "IID_IAAXHostServicesV1" } }));
    EXPECT_EQ (factoryCalls[1], (host::Call { "ComponentFactory", 3, { "AAXCompID_HostServices", nullOuter, "IID_IAAXHostServicesV2" } }));
    EXPECT_EQ (factoryCalls[2], (host::Call { "ComponentFactory", 3, { "AAXCompID_HostServices", nullOuter, "IID_IAAXHostServicesV3" } }));

    // The factory itself was borrowed and returned; each version is held once.
    EXPECT_EQ (testHost.factory().referenceCount(), 0);
    for (size_t version = 0; version < 3; ++version)
        EXPECT_EQ (madeServices (testHost, version).referenceCount(), 1);
}

TEST_F (InstalledHostServices, TracesReachTheHostFormattedAndCutTo511Characters)
{
    AAX_CHostServices::Trace (highPriority, "%s %d", "level", 7);
    AAX_CHostServices::Trace (normalPriority, "%s", std::string (600, 'x').c_str());

    const auto traces = testHost.services().traces();
    ASSERT_EQ (traces.size(), 2u);
    EXPECT_EQ (traces[0], (host::TraceLine { highPriority, "level 7" }));
    EXPECT_EQ (traces[1], (host::TraceLine { normalPriority, std::string (511, 'x') }));
    // Trace is position 4 of version 1.
    EXPECT_EQ (madeServices (testHost, 0).name(), testHost.log().calls().back().object);
    EXPECT_EQ (testHost.log().calls().back().position, 4);
}

TEST_F (InstalledHostServices, AssertionsReachTheHostWithTheirSourceAndAnswer)
{
    const int expectedLine = __LINE__ + 1;
    AAX_ASSERT (0 < 0);

    const auto assertions = testHost.services().assertions();
    ASSERT_EQ (assertions.size(), 1u);
    EXPECT_EQ (assertions[0].file, __FILE__);
    EXPECT_EQ (assertions[0].line, expectedLine);
    EXPECT_EQ (assertions[0].expression, "0 < 0");
    EXPECT_EQ (assertions[0].flags, 1);
    EXPECT_EQ (testHost.log().calls().back().position, 6);

    // The host's answer comes back to the caller.
    madeServices (testHost, 2).setAnswer (-5);
    EXPECT_EQ (AAX_CHostServices::HandleAssertFailure ("file.cpp", 12, "0 < numSteps", 1), -5);
}

TEST_F (InstalledHostServices, ASecondStartKeepsTheFirstAndRemovalReturnsEveryReference)
{
    host::TestHost secondHost;
    AAX_CHostServices::Set (asLibraryUnknown (secondHost));
    EXPECT_TRUE (secondHost.log().calls().empty());

    AAX_CHostServices::Trace (highPriority, "first");
    EXPECT_EQ (testHost.services().traces().size(), 1u);

    AAX_CHostServices::Set (nullptr);
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());

    // Removed: dropped silently, and assertions answer 0.
    AAX_CHostServices::Trace (highPriority, "dropped");
    EXPECT_EQ (AAX_CHostServices::HandleAssertFailure ("file.cpp", 1, "false", 1), 0);
    EXPECT_EQ (testHost.services().traces().size(), 1u);
    AAX_CHostServices::Set (nullptr);
}

TEST_F (InstalledHostServices, CheckedResultTracesBeforeItThrows)
{
    EXPECT_THROW (AAX_CheckedResult { AAX_ERROR_UNIMPLEMENTED }, AAX::Exception::ResultError);
    EXPECT_NO_THROW (AAX_CheckedResult { AAX_SUCCESS });

    const auto traces = testHost.services().traces();
    ASSERT_EQ (traces.size(), 1u);
    EXPECT_EQ (traces[0], (host::TraceLine { normalPriority, "AAX_CheckedResult - throwing AAX_ERROR_UNIMPLEMENTED (-20009)" }));
}

TEST (HostServicesVersions, MissingVersionsAnswerNullObjectOrUnimplemented)
{
    struct Expected
    {
        int highestVersion;
        AAX_Result trace, stackTrace, assertFailure;
    };

    const Expected cases[] {
        { 3, AAX_SUCCESS, AAX_SUCCESS, AAX_SUCCESS },
        { 2, AAX_SUCCESS, AAX_SUCCESS, AAX_ERROR_NULL_OBJECT },
        { 1, AAX_SUCCESS, AAX_ERROR_UNIMPLEMENTED, AAX_ERROR_NULL_OBJECT },
        { 0, AAX_ERROR_NULL_OBJECT, AAX_ERROR_UNIMPLEMENTED, AAX_ERROR_NULL_OBJECT },
    };

    for (const auto& expected : cases)
    {
        host::TestHost testHost;
        testHost.setHostServicesVersion (expected.highestVersion);
        {
            const AAX_VHostServices services (asLibraryUnknown (testHost));
            EXPECT_EQ (services.Trace (highPriority, "t"), expected.trace) << expected.highestVersion;
            EXPECT_EQ (services.StackTrace (highPriority, normalPriority, "s"), expected.stackTrace) << expected.highestVersion;
            EXPECT_EQ (services.HandleAssertFailure ("f", 1, "e", 1), expected.assertFailure) << expected.highestVersion;
        }
        EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty()) << expected.highestVersion;
    }

    // With version 2 present, StackTrace lands at position 5 with its arguments.
    host::TestHost testHost;
    AAX_VHostServices (asLibraryUnknown (testHost)).StackTrace (highPriority, normalPriority, "stack");
    const auto calls = testHost.log().callsTo ("HostServices");
    ASSERT_FALSE (calls.empty());
    EXPECT_EQ (calls.back(), (host::Call { "HostServices", 5, { "134217728", "67108864", "stack" } }));
}

TEST (HostServicesVersions, ACreationThatFailsYetHandsOutAnObjectIsNeitherUsedNorKept)
{
    host::TestHost testHost;
    testHost.factory().setCreationResult (host::resultInvalidArgument);
    const AAX_VHostServices services (asLibraryUnknown (testHost));

    ASSERT_EQ (testHost.factory().created (host::uids::AAXCompID_HostServices).size(), 3u);
    EXPECT_EQ (services.Trace (highPriority, "t"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (services.StackTrace (highPriority, normalPriority, "s"), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (services.HandleAssertFailure ("f", 1, "e", 1), AAX_ERROR_NULL_OBJECT);
    for (const auto& call : testHost.log().callsTo ("HostServices"))
        EXPECT_EQ (call.position, 0); // the factory's interface lookup only
    // Every version was returned at once, not held until the services go.
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
}

TEST (HostServicesVersions, NoHostObjectMeansNoServices)
{
    const AAX_VHostServices services (nullptr);
    EXPECT_EQ (services.Trace (highPriority, "t"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (services.StackTrace (highPriority, normalPriority, "s"), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (services.HandleAssertFailure ("f", 1, "e", 1), AAX_ERROR_NULL_OBJECT);
}
