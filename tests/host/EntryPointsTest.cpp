// The module as a host sees it: loaded with dlopen, found through its seven
// entry points, started, asked to register and shut down.
#include "PluginModule.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

namespace
{
    constexpr int32_t normalPriority = 0x04000000;
    constexpr int32_t highPriority = 0x08000000;

    void chooseDescription (const char* behaviour)
    {
        ::setenv ("AAX_TEST_MODULE_BEHAVIOUR", behaviour, 1);
    }

    // Sentinel for out pointers that must stay as the host passed them.
    host::IUnknownSlots* const untouched = reinterpret_cast<host::IUnknownSlots*> (std::uintptr_t { 0x5A5A });

    // A collection component as the host makes it at registration: it answers
    // the collection interface and the plug-in definition the module hands back.
    class RegistrationCollection final : public host::HostObject<host::IUnknownSlots>
    {
    public:
        explicit RegistrationCollection (host::CallLog& log) : HostObject ("Collection", log)
        {
            offer ({ host::uids::IID_IAAXCollectionV1, host::uids::IID_IACFPluginDefinition });
        }
    };

    // A host object whose every lookup throws: the exception has to stop at
    // the module's entry point.
    class ThrowingHostObject final : public host::HostObject<host::IUnknownSlots>
    {
    public:
        explicit ThrowingHostObject (host::CallLog& log) : HostObject ("Throwing", log) {}
        int32_t QueryInterface (const host::Uid&, void**) override { throw std::runtime_error ("host fault"); }
    };

    class LoadedModule : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            chooseDescription ("succeed");
            ASSERT_EQ (entry.startup (testHost.hostUnknown()), host::resultOk);
        }

        void TearDown() override
        {
            EXPECT_EQ (entry.shutdown (testHost.hostUnknown()), host::resultOk);
            EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty()) << "the module kept host references";
        }

        host::TestHost testHost;
        host::PluginModule module { AAX_TEST_MODULE_PATH };
        const host::EntryPoints& entry = module.entryPoints();
    };
}

TEST (ModuleExports, ExactlyTheSevenEntryPointsAreVisible)
{
    std::unique_ptr<FILE, int (*) (FILE*)> pipe (::popen ("nm -D --defined-only " AAX_TEST_MODULE_PATH, "r"), ::pclose);
    ASSERT_NE (pipe, nullptr);

    std::set<std::string> exported;
    char line[512];
    while (std::fgets (line, sizeof (line), pipe.get()) != nullptr)
    {
        std::istringstream fields (line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            exported.insert (name);
    }

    EXPECT_EQ (exported, (std::set<std::string> { "ACFRegisterPlugin", "ACFRegisterComponent", "ACFGetClassFactory",
                                                  "ACFCanUnloadNow", "ACFStartup", "ACFShutdown", "ACFGetSDKVersion" }));
}

TEST_F (LoadedModule, AnswersItsVersionAndHasNoComponentsOrClassFactory)
{
    uint64_t version = 0;
    EXPECT_EQ (entry.getSDKVersion (&version), host::resultOk);
    EXPECT_EQ (version, 0x0000020300C96BF5u);

    host::IUnknownSlots* component = untouched;
    EXPECT_EQ (entry.registerComponent (testHost.hostUnknown(), 0, &component), host::resultOk);
    EXPECT_EQ (component, nullptr);

    void* factory = &version;
    EXPECT_EQ (entry.getClassFactory (testHost.hostUnknown(), host::uids::IID_IACFUnknown, host::uids::IID_IACFComponentFactory, &factory), -20009);
    EXPECT_EQ (factory, nullptr);
}

TEST_F (LoadedModule, NullOutPointersAreRefusedInsteadOfWrittenThrough)
{
    EXPECT_EQ (entry.getSDKVersion (nullptr), host::resultPointer);
    EXPECT_EQ (entry.registerComponent (testHost.hostUnknown(), 0, nullptr), host::resultPointer);
    EXPECT_EQ (entry.getClassFactory (testHost.hostUnknown(), host::uids::IID_IACFUnknown, host::uids::IID_IACFUnknown, nullptr), host::resultPointer);

    const auto callsBefore = testHost.log().calls().size();
    EXPECT_EQ (entry.registerPlugin (testHost.hostUnknown(), nullptr), host::resultPointer);
    EXPECT_EQ (testHost.log().calls().size(), callsBefore) << "nothing of registration may run";
}

TEST_F (LoadedModule, StartsOnceAndShutsDownCleanly)
{
    // The second start keeps the first host's services.
    host::TestHost secondHost;
    EXPECT_EQ (entry.startup (secondHost.hostUnknown()), host::resultOk);
    EXPECT_TRUE (secondHost.log().calls().empty());
    EXPECT_EQ (testHost.factory().created (host::uids::AAXCompID_HostServices).size(), 3u);

    // A start with no host object removes the services, as a shutdown does;
    // shutting down twice is harmless.
    EXPECT_EQ (entry.startup (nullptr), host::resultOk);
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
    EXPECT_EQ (entry.shutdown (nullptr), host::resultOk);
    EXPECT_EQ (entry.startup (testHost.hostUnknown()), host::resultOk);
}

TEST_F (LoadedModule, CanUnloadOnlyWhenNoObjectIsAlive)
{
    EXPECT_EQ (entry.canUnloadNow (testHost.hostUnknown()), 0);

    host::IUnknownSlots* definition = untouched;
    chooseDescription ("hold-objects:2");
    entry.registerPlugin (testHost.hostUnknown(), &definition);
    EXPECT_EQ (entry.canUnloadNow (testHost.hostUnknown()), 2);

    chooseDescription ("release-objects");
    entry.registerPlugin (testHost.hostUnknown(), &definition);
    EXPECT_EQ (entry.canUnloadNow (testHost.hostUnknown()), 0);
}

TEST_F (LoadedModule, RegistrationHandsBackTheCollectionsPluginDefinition)
{
    testHost.factory().registerClass (host::uids::AAXCompID_AAXCollection, [this] {
        return std::make_unique<RegistrationCollection> (testHost.log());
    });

    host::IUnknownSlots* definition = untouched;
    EXPECT_EQ (entry.registerPlugin (testHost.hostUnknown(), &definition), host::resultOk);

    const auto collections = testHost.factory().created (host::uids::AAXCompID_AAXCollection);
    ASSERT_EQ (collections.size(), 1u);
    EXPECT_EQ (definition, &collections[0]->unknown());
    // The only reference the module kept is the one it handed to the host.
    EXPECT_EQ (collections[0]->referenceCount(), 1);
    definition->Release();
    EXPECT_TRUE (testHost.services().traces().empty());
}

TEST_F (LoadedModule, RegistrationTurnsEveryFailureIntoAResultAndATraceLine)
{
    struct Case
    {
        const char* behaviour;
        int32_t answer;
        std::vector<host::TraceLine> traces;
    };

    const Case cases[] {
        { "error:-20009", -20009, { { normalPriority, "AAX_CheckedResult - throwing AAX_ERROR_UNIMPLEMENTED (-20009)" },
                                    { highPriority, "AAXRegisterPlugin exception caught: AAX_ERROR_UNIMPLEMENTED (-20009)" } } },
        { "error:1", 1, { { normalPriority, "AAX_CheckedResult - throwing <unknown error code> (1)" },
                          { highPriority, "AAXRegisterPlugin exception caught: <unknown error code> (1)" } } },
        { "throw-result:-20040", -20040, { { highPriority, "AAXRegisterPlugin exception caught: AAX_ERROR_INVALID_PATH (-20040)" } } },
        { "throw-any", -20042, { { highPriority, "AAXRegisterPlugin exception caught: description failed" } } },
        { "throw-std", -20042, { { highPriority, "AAXRegisterPlugin exception caught: out of descriptions" } } },
        { "throw-other", -20042, { { highPriority, "AAXRegisterPlugin exception caught: unknown" } } },
    };

    for (const auto& c : cases)
    {
        testHost.services().clear();
        chooseDescription (c.behaviour);

        host::IUnknownSlots* definition = untouched;
        EXPECT_EQ (entry.registerPlugin (testHost.hostUnknown(), &definition), c.answer) << c.behaviour;
        EXPECT_EQ (definition, untouched) << c.behaviour << ": a failed description leaves the out pointer alone";
        EXPECT_EQ (testHost.services().traces(), c.traces) << c.behaviour;
    }
}

TEST_F (LoadedModule, RegistrationWithoutAPluginDefinitionAnswersNullObject)
{
    // This host makes no collection component at all.
    host::IUnknownSlots* definition = untouched;
    EXPECT_EQ (entry.registerPlugin (testHost.hostUnknown(), &definition), -20004);
    EXPECT_EQ (definition, nullptr);
    EXPECT_EQ (testHost.services().traces(),
               (std::vector<host::TraceLine> { { normalPriority, "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)" },
                                               { highPriority, "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT (-20004)" } }));
}

TEST_F (LoadedModule, AnExceptionFromTheHostStopsAtTheEntryPoint)
{
    ThrowingHostObject throwingHost (testHost.log());
    EXPECT_EQ (entry.shutdown (nullptr), host::resultOk);
    EXPECT_EQ (entry.startup (&throwingHost), host::resultUnexpected);
}

TEST (ModuleLoading, AMissingModuleOrEntryPointIsReported)
{
    EXPECT_THROW (host::PluginModule ("/nonexistent/module.so"), std::runtime_error);
    // libm loads fine but is no plug-in module.
    EXPECT_THROW (host::PluginModule ("libm.so.6"), std::runtime_error);
}
