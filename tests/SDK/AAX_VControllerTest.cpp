// The controller wrapper against the test host: positions, missing versions and page-table copies.
#include "AAX_VWrapperTestSupport.h"

#include <AAX_CString.h>
#include <AAX_Errors.h>
#include <AAX_IPageTable.h>
#include <AAX_VController.h>

#include <HostController.h>
#include <HostPageTable.h>

#include <gtest/gtest.h>

#include <memory>

using host::Versions;
using wrapper_test::lastArguments;
using wrapper_test::positionsCalled;

namespace
{
    IACFUnknown* asModuleSees (host::IUnknownSlots* object) { return reinterpret_cast<IACFUnknown*> (object); }

    struct ControllerFixture
    {
        explicit ControllerFixture (host::HostController::Offer offer = {})
            : hostController (testHost, offer),
              controller (std::make_unique<AAX_VController> (asModuleSees (hostController.unknown())))
        {
            testHost.log().clear();
        }

        std::size_t pageTablesMade() { return testHost.factory().created (host::uids::AAXCompID_PageTable).size(); }

        host::TestHost testHost;
        host::HostController hostController;
        std::unique_ptr<AAX_VController> controller;
    };

    host::HostController::Offer firstVersionsOnly()
    {
        host::HostController::Offer offer;
        offer.controller = offer.pageTableController = Versions::firstOnly;
        return offer;
    }

    host::HostController::Offer nothingOffered()
    {
        host::HostController::Offer offer;
        offer.controller = offer.pageTableController = offer.transport = offer.automationDelegate = Versions::none;
        offer.componentFactory = false;
        return offer;
    }
}

TEST (AAX_VController, EveryOperationReachesItsPositionWithItsArguments)
{
    ControllerFixture f;
    AAX_CString text;
    AAX_CSampleRate rate = 0;
    AAX_EStemFormat format = AAX_eStemFormat_None;
    int32_t samples = 0;
    AAX_CPropertyValue value = 0;
    AAX_CTimeOfDay timeOfDay = 0;
    AAX_EProperty properties[1] {};
    AAX_CPropertyValue values[1] {};
    const char payload[4] {};
    float meter = 0;
    uint32_t count = 0;
    AAX_CBoolean flag = 0;
    AAX_CFieldIndex port = 0;
    AAX_CTransportCounter timestamp = 0;
    AAX_CTargetPlatform platform = 0;

    auto& c = *f.controller;
    EXPECT_EQ (0, c.GetEffectID (&text));
    EXPECT_EQ (0, c.GetSampleRate (&rate));
    EXPECT_EQ (0, c.GetInputStemFormat (&format));
    EXPECT_EQ (0, c.GetOutputStemFormat (&format));
    EXPECT_EQ (0, c.GetSignalLatency (&samples));
    EXPECT_EQ (0, c.GetCycleCount (AAX_eProperty_ProductID, &value));
    EXPECT_EQ (0, c.GetTODLocation (&timeOfDay));
    EXPECT_EQ (0, c.SetSignalLatency (256));
    EXPECT_EQ (0, c.SetCycleCount (properties, values, 1));
    EXPECT_EQ (0, c.PostPacket (3, payload, 4));
    EXPECT_EQ (0, c.SendNotification ('Note', payload, 4));
    EXPECT_EQ (0, c.SendNotification ('Note'));
    EXPECT_EQ (0, c.GetCurrentMeterValue ('Metr', &meter));
    EXPECT_EQ (0, c.GetMeterPeakValue ('Metr', &meter));
    EXPECT_EQ (0, c.ClearMeterPeakValue ('Metr'));
    EXPECT_EQ (0, c.GetMeterCount (&count));
    EXPECT_EQ (0, c.GetMeterClipped ('Metr', &flag));
    EXPECT_EQ (0, c.ClearMeterClipped ('Metr'));
    EXPECT_EQ (0, c.GetNextMIDIPacket (&port, nullptr));
    EXPECT_EQ (0, c.GetHybridSignalLatency (&samples));
    EXPECT_EQ (0, c.GetCurrentAutomationTimestamp (&timestamp));
    EXPECT_EQ (0, c.GetHostName (&text));
    EXPECT_EQ (0, c.GetPlugInTargetPlatform (&platform));
    EXPECT_EQ (0, c.GetIsAudioSuite (&flag));

    EXPECT_EQ ((std::vector<int> { 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 20, 13, 14, 15, 18, 16, 17, 19, 21, 22, 23, 24, 25 }),
               positionsCalled (f.testHost, "Controller"));

    EXPECT_EQ (48000.0f, rate);
    EXPECT_EQ (AAX_eStemFormat_Stereo, format);
    EXPECT_EQ (256, f.hostController.controller().signalLatency);
    // The short notification form passes no data.
    EXPECT_EQ ((std::vector<std::string> { std::to_string ('Note'), host::CallLog::text (static_cast<const void*> (nullptr)), "0" }),
               f.testHost.log().callsTo ("Controller")[11].arguments);
}

TEST (AAX_VController, OlderHostAnswersUnimplementedForNewerOperationsAndStillForwardsTheFirstVersion)
{
    ControllerFixture f (firstVersionsOnly());
    auto& c = *f.controller;
    AAX_CString text;
    int32_t samples = 0;
    AAX_CTargetPlatform platform = 0;

    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.SendNotification ('Note'));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.GetHostName (&text));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.GetHybridSignalLatency (&samples));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.GetPlugInTargetPlatform (&platform));

    // Both flag-like answers are written even when unanswered: callers read them unchecked.
    AAX_CTransportCounter timestamp = 77;
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.GetCurrentAutomationTimestamp (&timestamp));
    EXPECT_EQ (0, timestamp);
    AAX_CBoolean isAudioSuite = 0xAA;
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.GetIsAudioSuite (&isAudioSuite));
    EXPECT_EQ (0, isAudioSuite);
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.GetIsAudioSuite (nullptr));

    EXPECT_EQ (0, c.SetSignalLatency (64));
    EXPECT_EQ ((std::vector<int> { 10 }), positionsCalled (f.testHost, "Controller"));

    // The page-table controller's second version holds the file-based copies.
    EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (c.CreateTableCopyForEffectFromFile ("t.xml", AAX_eTextEncoding_UTF8, 1, 2, 3, 4, 5)));
    EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (c.CreateTableCopyForLayoutFromFile ("t.xml", AAX_eTextEncoding_UTF8, "L", 4, 5)));
    EXPECT_EQ (0u, f.pageTablesMade());
}

TEST (AAX_VController, WithoutAnyHostInterfaceEveryOperationAnswersWithoutThrowing)
{
    for (const bool nullHostObject : { false, true })
    {
        ControllerFixture f (nothingOffered());
        if (nullHostObject)
            f.controller = std::make_unique<AAX_VController> (nullptr);
        auto& c = *f.controller;
        AAX_CSampleRate rate = 0;
        AAX_CBoolean flag = 1;

        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, c.GetSampleRate (&rate));
        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, c.SetSignalLatency (1));
        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, c.PostPacket (0, nullptr, 0));
        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, c.GetMeterClipped ('Metr', &flag));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.SendNotification ('Note', nullptr, 0));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, c.GetIsAudioSuite (&flag));
        EXPECT_EQ (0, flag);
        EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (c.CreateTableCopyForEffect (1, 2, 3, 4, 5)));
        EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (c.CreateTableCopyForLayout ("e", "l", 4, 5)));
        EXPECT_TRUE (positionsCalled (f.testHost, "Controller").empty());
    }
}

TEST (AAX_VController, PageTableCopyWrapsAFreshHostTableThatTheCallerOwns)
{
    ControllerFixture f;
    std::unique_ptr<AAX_IPageTable> table (f.controller->CreateTableCopyForEffect ('Mfr1', 'Prd1', 'Plg1', 'PgTL', 24));
    ASSERT_NE (nullptr, table);
    ASSERT_EQ (1u, f.pageTablesMade());
    auto* hostTable = f.testHost.factory().created (host::uids::AAXCompID_PageTable).front();

    // The empty table is asked of the factory as version 2 and handed to the host last.
    EXPECT_EQ ((std::vector<std::string> { "AAXCompID_PageTable", host::CallLog::text (static_cast<const void*> (nullptr)), "IID_IAAXPageTableV2" }),
               lastArguments (f.testHost, "ComponentFactory"));
    const auto copyArguments = lastArguments (f.testHost, "PageTableController");
    ASSERT_EQ (6u, copyArguments.size());
    EXPECT_EQ (std::to_string ('Mfr1'), copyArguments[0]);
    EXPECT_EQ ("24", copyArguments[4]);
    EXPECT_EQ (host::CallLog::text (static_cast<const void*> (&hostTable->unknown())), copyArguments[5]);

    // The wrapper holds both versions of that table.
    EXPECT_EQ (0, table->InsertPage (0));
    int32_t pages = 0;
    EXPECT_EQ (0, table->GetNumPages (&pages));
    EXPECT_EQ (1, pages);
    EXPECT_EQ (0, table->ClearParameterNameVariations());
    EXPECT_EQ ((std::vector<int> { 6, 5, 17 }), positionsCalled (f.testHost, "PageTable"));
    EXPECT_EQ (2, hostTable->referenceCount());

    table.reset();
    f.controller.reset();
    EXPECT_TRUE (f.testHost.objectsWithUnbalancedReferences().empty());
}

TEST (AAX_VController, EachPageTableCopyPassesItsArgumentsInOrder)
{
    ControllerFixture f;
    std::unique_ptr<AAX_IPageTable> byLayout (f.controller->CreateTableCopyForLayout ("com.effect", "Layout", 7, 8));
    std::unique_ptr<AAX_IPageTable> fromFile (f.controller->CreateTableCopyForEffectFromFile ("/p.xml", AAX_eTextEncoding_UTF8, 1, 2, 3, 4, 5));
    std::unique_ptr<AAX_IPageTable> layoutFromFile (f.controller->CreateTableCopyForLayoutFromFile ("/q.xml", AAX_eTextEncoding_UTF8, "L2", 6, 9));
    ASSERT_TRUE (byLayout && fromFile && layoutFromFile);

    const auto calls = f.testHost.log().callsTo ("PageTableController");
    ASSERT_EQ (3u, calls.size());
    EXPECT_EQ (4, calls[0].position);
    EXPECT_EQ ((std::vector<std::string> { "com.effect", "Layout", "7", "8" }),
               std::vector<std::string> (calls[0].arguments.begin(), calls[0].arguments.end() - 1));
    EXPECT_EQ (5, calls[1].position);
    EXPECT_EQ ((std::vector<std::string> { "/p.xml", "0", "1", "2", "3", "4", "5" }),
               std::vector<std::string> (calls[1].arguments.begin(), calls[1].arguments.end() - 1));
    EXPECT_EQ (6, calls[2].position);
    EXPECT_EQ ((std::vector<std::string> { "/q.xml", "0", "L2", "6", "9" }),
               std::vector<std::string> (calls[2].arguments.begin(), calls[2].arguments.end() - 1));
}

TEST (AAX_VController, FailedPageTableCopyAnswersNullAndReturnsEveryReference)
{
    // The host refuses the copy: the fresh table is released.
    {
        ControllerFixture f;
        f.hostController.pageTableController().copyResult = AAX_ERROR_INVALID_PATH;
        EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (f.controller->CreateTableCopyForEffect (1, 2, 3, 4, 5)));
        EXPECT_EQ (1u, f.pageTablesMade());
        f.controller.reset();
        EXPECT_TRUE (f.testHost.objectsWithUnbalancedReferences().empty());
    }
    // No component factory: no table to fill, so the host is not asked at all.
    {
        host::HostController::Offer offer;
        offer.componentFactory = false;
        ControllerFixture f (offer);
        EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (f.controller->CreateTableCopyForLayout ("e", "l", 1, 2)));
        EXPECT_TRUE (f.testHost.log().callsTo ("PageTableController").empty());
    }
    // No page-table controller: the factory is not touched.
    {
        host::HostController::Offer offer;
        offer.pageTableController = Versions::none;
        ControllerFixture f (offer);
        EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (f.controller->CreateTableCopyForEffect (1, 2, 3, 4, 5)));
        EXPECT_TRUE (f.testHost.log().callsTo ("ComponentFactory").empty());
    }
}

namespace
{
    // A factory that hands out a table and yet reports failure.
    class FailingFactory final : public host::HostObject<host::IComponentFactorySlots>
    {
    public:
        FailingFactory (host::CallLog& log, host::HostPageTable& tableToHandOut)
            : HostObject ("FailingFactory", log), table (tableToHandOut)
        {
            offer ({ host::uids::IID_IACFComponentFactory });
        }

        int32_t CreateInstance (const host::Uid&, host::IUnknownSlots*, const host::Uid& iid, void** out) override
        {
            table.unknown().QueryInterface (iid, out);
            return host::resultInvalidArgument;
        }

    private:
        host::HostPageTable& table;
    };
}

TEST (AAX_VController, ObjectFromAFailedCreationIsReleasedAndNotUsed)
{
    host::HostController::Offer offer;
    offer.componentFactory = false;
    ControllerFixture f (offer);
    auto& table = f.testHost.adopt (std::make_unique<host::HostPageTable> (f.testHost.log(), Versions::all));
    auto& factory = f.testHost.adopt (std::make_unique<FailingFactory> (f.testHost.log(), table));
    f.hostController.controller().forward (host::uids::IID_IACFComponentFactory, factory);
    f.controller = std::make_unique<AAX_VController> (asModuleSees (f.hostController.unknown()));

    EXPECT_EQ (nullptr, std::unique_ptr<AAX_IPageTable> (f.controller->CreateTableCopyForEffect (1, 2, 3, 4, 5)));
    EXPECT_TRUE (f.testHost.log().callsTo ("PageTableController").empty());
    EXPECT_EQ (0, table.referenceCount());
}
