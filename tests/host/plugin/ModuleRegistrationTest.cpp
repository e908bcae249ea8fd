// The plug-in module as an AAX host first meets it: its exports, and every call it makes while it registers the effect.
#include "EffectSession.h"
#include "HostRegistration.h"
#include "PluginModule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
    // Lines of a command's output.
    std::vector<std::string> linesOf (const std::string& command)
    {
        std::unique_ptr<FILE, int (*) (FILE*)> pipe (::popen (command.c_str(), "r"), ::pclose);
        std::vector<std::string> lines;
        char line[1024];
        while (pipe != nullptr && std::fgets (line, sizeof (line), pipe.get()) != nullptr)
            lines.emplace_back (line);
        return lines;
    }

    std::string fourChars (const char (&code)[5])
    {
        const auto value = (uint32_t (uint8_t (code[0])) << 24) | (uint32_t (uint8_t (code[1])) << 16)
                         | (uint32_t (uint8_t (code[2])) << 8) | uint32_t (uint8_t (code[3]));
        return std::to_string (static_cast<int32_t> (value));
    }

    std::string call (const std::string& object, int position, const std::vector<std::string>& arguments = {})
    {
        std::ostringstream text;
        text << host::Call { object, position, arguments };
        return text.str();
    }

    // Addresses differ from run to run; everything else must match exactly.
    std::vector<std::string> normalised (const std::vector<host::Call>& calls)
    {
        const std::regex address ("0x[0-9a-f]+");
        std::vector<std::string> lines;
        for (const auto& each : calls)
        {
            std::ostringstream text;
            text << each;
            lines.push_back (std::regex_replace (text.str(), address, "<address>"));
        }
        return lines;
    }

    void append (std::vector<std::string>& lines, std::vector<std::string> more)
    {
        lines.insert (lines.end(), more.begin(), more.end());
    }

    std::vector<std::string> createComponent (const std::string& factoryClass, const std::string& name,
                                              std::initializer_list<const char*> versions)
    {
        std::vector<std::string> lines { call ("Host", 0, { "IID_IACFComponentFactory" }),
                                         call ("ComponentFactory", 3, { factoryClass, "(nil)", *versions.begin() }) };
        for (const auto* version : versions)
            lines.push_back (call (name, 0, { version }));
        return lines;
    }

    // One channel configuration: fields, property map, process procedure.
    std::vector<std::string> componentCalls (int number, int stemFormat, const char (&nativeID)[5], const char (&audioSuiteID)[5])
    {
        const auto component = "ComponentDescriptor" + std::to_string (number);
        const auto map = "PropertyMap" + std::to_string (number);
        const auto stem = std::to_string (stemFormat);

        auto lines = createComponent ("AAXCompID_AAXComponentDescriptor", component,
                                      { "IID_IAAXComponentDescriptorV1", "IID_IAAXComponentDescriptorV2", "IID_IAAXComponentDescriptorV3" });
        append (lines, { call (component, 5, { "0" }),              // audio in
                         call (component, 6, { "1" }),              // audio out
                         call (component, 7, { "2" }),              // buffer length
                         call (component, 11, { "3", "4", "1" }),   // bypass port
                         call (component, 13, { "4", "8", "0" }),   // parameters object
                         call (component, 13, { "5", "4", "0" }),   // prepared flag
                         call (component, 13, { "6", "8", "0" }) }); // meter taps
        append (lines, createComponent ("AAXCompID_AAXPropertyMap", map,
                                        { "IID_IAAXPropertyMapV1", "IID_IAAXPropertyMapV2", "IID_IAAXPropertyMapV3" }));
        append (lines, { call ("Host", 0, { "IID_IAAXDescriptionHostV1" }),
                         call (map, 4, { "11", fourChars ("V4nt") }),
                         call (map, 4, { "12", fourChars ("G0wk") }),
                         call (map, 4, { "60", "1" }),
                         call (map, 4, { "51", stem }),
                         call (map, 4, { "52", stem }),
                         call (map, 4, { "13", fourChars (nativeID) }),
                         call (map, 4, { "14", fourChars (audioSuiteID) }),
                         call (map, 4, { "304", "1" }),
                         call (component, 13, { "7", "8", "0" }),   // side-chain placeholder
                         call (component, 16, { "<address>", map, "(nil)", "(nil)", "(nil)" }),
                         call ("EffectDescriptor1", 3, { component }) });
        return lines;
    }

    std::vector<std::string> expectedRegistration()
    {
        std::vector<std::string> lines { call ("Host", 0, { "IID_IAAXDescriptionHostV1" }),
                                         call ("Host", 0, { "IID_IACFDefinition" }) };
        append (lines, createComponent ("AAXCompID_AAXCollection", "Collection1", { "IID_IAAXCollectionV1" }));
        lines.push_back (call ("DescriptionHost", 3, { "AAXATTR_ClientFeature_StemFormat", "<address>" }));
        append (lines, createComponent ("AAXCompID_AAXEffectDescriptor", "EffectDescriptor1",
                                        { "IID_IAAXEffectDescriptorV1", "IID_IAAXEffectDescriptorV2" }));
        append (lines, { call ("EffectDescriptor1", 4, { "VANTO Groundwork Kick" }),
                         call ("EffectDescriptor1", 4, { "VANTOGroundworkKick" }),
                         call ("EffectDescriptor1", 5, { "8192" }),
                         call ("EffectDescriptor1", 7, { "<address>", "1" }),   // window factory
                         call ("EffectDescriptor1", 7, { "<address>", "0" }) }); // parameters factory
        append (lines, componentCalls (1, 0x00000001, "jcbb", "jybb"));
        append (lines, componentCalls (2, 0x00010002, "jccc", "jycc"));
        append (lines, { call ("Collection1", 7, { "com.VANTO.VANTOGroundworkKick", "EffectDescriptor1" }),
                         call ("Collection1", 8, { "VANTO" }),
                         call ("Collection1", 9, { "VANTOGroundworkKick" }),
                         call ("Collection1", 9, { "VANTO Groundwork Kick" }),
                         call ("Collection1", 10, { "65536" }),
                         call ("Collection1", 0, { "IID_IACFPluginDefinition" }) });
        return lines;
    }

    class ModuleRegistration : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_EQ (entry.startup (testHost.hostUnknown()), host::resultOk);
            testHost.log().clear();
        }

        int32_t registerEffect()
        {
            host::IUnknownSlots* definition = nullptr;
            const auto result = entry.registerPlugin (testHost.hostUnknown(), &definition);
            if (definition != nullptr)
                definition->Release();
            return result;
        }

        void expectEverythingReturned()
        {
            EXPECT_EQ (entry.shutdown (testHost.hostUnknown()), host::resultOk);
            EXPECT_EQ (entry.canUnloadNow (nullptr), 0);
            for (const auto* object : testHost.objectsWithUnbalancedReferences())
                ADD_FAILURE() << object->name() << " holds " << object->referenceCount() << " references";
        }

        host::TestHost testHost;
        host::HostRegistration registration { testHost };
        host::PluginModule module { KICK_MODULE_PATH };
        const host::EntryPoints& entry = module.entryPoints();
    };
}

TEST (ModuleExports, OnlyTheSevenEntryPointsAndNoJuceOutside)
{
    std::set<std::string> exported;
    for (const auto& line : linesOf ("nm -D --defined-only " KICK_MODULE_PATH))
    {
        std::istringstream fields (line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            exported.insert (name);
    }
    EXPECT_EQ (exported, (std::set<std::string> { "ACFCanUnloadNow", "ACFGetClassFactory", "ACFGetSDKVersion", "ACFRegisterComponent",
                                                  "ACFRegisterPlugin", "ACFShutdown", "ACFStartup" }));

    // JUCE is inside the module: nothing of it is asked of the host's process.
    for (const auto& line : linesOf ("nm -D --undefined-only -C " KICK_MODULE_PATH))
        EXPECT_EQ (line.find ("juce"), std::string::npos) << line;
}

TEST_F (ModuleRegistration, CallsEveryRegistrationOperationInOrder)
{
    ASSERT_EQ (registerEffect(), host::resultOk);

    const auto actual = normalised (testHost.log().calls());
    const auto expected = expectedRegistration();
    for (size_t i = 0; i < std::max (actual.size(), expected.size()); ++i)
        ASSERT_EQ (i < actual.size() ? actual[i] : "<missing>", i < expected.size() ? expected[i] : "<unexpected>") << "call " << i;

    EXPECT_TRUE (testHost.services().traces().empty());
    expectEverythingReturned();
}

TEST_F (ModuleRegistration, RegistersTheSameEffectEachTimeAndKeepsNothing)
{
    ASSERT_EQ (registerEffect(), host::resultOk);
    const auto first = host::describeRegisteredEffect (testHost.log().calls());
    EXPECT_EQ (entry.canUnloadNow (nullptr), 0) << "the description's temporary processor is gone";

    testHost.log().clear();
    ASSERT_EQ (registerEffect(), host::resultOk);
    const auto second = host::describeRegisteredEffect (testHost.log().calls());

    ASSERT_TRUE (first && second);
    EXPECT_EQ (first->names, second->names);
    EXPECT_EQ (first->createParameters, second->createParameters);
    ASSERT_EQ (second->components.size(), 2u);
    EXPECT_EQ (second->components[0].properties, first->components[0].properties);
    EXPECT_EQ (second->components[1].properties, first->components[1].properties);
    expectEverythingReturned();
}

TEST_F (ModuleRegistration, HostWithoutStereoGetsOnlyTheMonoComponent)
{
    constexpr int32_t byProperty = 4, supported = 2, unsupported = 1;
    constexpr int32_t mono = 0x00000001, stereo = 0x00010002;
    auto& stemFormats = registration.addFeature (host::uids::AAXATTR_ClientFeature_StemFormat, byProperty);
    stemFormats.properties().AddProperty (mono, supported);
    stemFormats.properties().AddProperty (stereo, unsupported);
    testHost.log().clear();

    ASSERT_EQ (registerEffect(), host::resultOk);

    const auto effect = host::describeRegisteredEffect (testHost.log().calls());
    ASSERT_TRUE (effect);
    ASSERT_EQ (effect->components.size(), 1u);
    EXPECT_NE (effect->component (1, 1), nullptr);
    expectEverythingReturned();
}
