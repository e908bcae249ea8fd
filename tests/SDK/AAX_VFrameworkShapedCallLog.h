// The host call log a framework-shaped registration leaves (see AAX_VFrameworkShapedRegistration.h), and the
// log as recorded, reduced to what the two can share.
#pragma once

#include <TestHost.h>

#include <string>
#include <vector>

namespace framework_shaped
{
    // Procedure addresses differ between module and test, and out-pointer
    // addresses between runs: both are written as placeholders.
    inline const std::string procedure = "<procedure>";
    inline const std::string outPointer = "<out>";

    inline std::vector<host::Call> expectedCalls()
    {
        const auto null = host::CallLog::text (static_cast<const void*> (nullptr));
        const auto component = [&] (const std::string& descriptor, const std::string& map, int32_t stemFormat,
                                     int32_t nativeID, int32_t audioSuiteID) {
            const auto property = [&] (int32_t id, int32_t value) {
                return host::Call { map, 4, { std::to_string (id), std::to_string (value) } };
            };
            return std::vector<host::Call> {
                { "FeatureInfo", 3, { outPointer } },
                { descriptor, 5, { "0" } }, { descriptor, 6, { "1" } }, { descriptor, 7, { "2" } },
                { descriptor, 11, { "3", "4", "1" } },
                { descriptor, 13, { "4", "8", "0" } }, { descriptor, 13, { "5", "4", "0" } }, { descriptor, 13, { "6", "8", "0" } },
                property (11, 'V4nt'), property (12, 'G0wk'), property (60, 1), property (51, stemFormat),
                property (52, stemFormat), property (13, nativeID), property (14, audioSuiteID), property (304, 1),
                { descriptor, 13, { "7", "8", "0" } },
                { descriptor, 16, { procedure, map, null, null, null } },
                { "EffectDescriptor1", 3, { descriptor } },
            };
        };

        std::vector<host::Call> calls {
            { "DescriptionHost", 3, { "AAXATTR_ClientFeature_StemFormat", outPointer } },
            { "EffectDescriptor1", 4, { "VANTO Groundwork Kick" } },
            { "EffectDescriptor1", 4, { "VANTOGroundworkKick" } },
            { "EffectDescriptor1", 5, { "8192" } },
            { "EffectDescriptor1", 7, { procedure, "1" } },
            { "EffectDescriptor1", 7, { procedure, "0" } },
        };
        for (const auto& part : { component ("ComponentDescriptor1", "PropertyMap1", 0x00000001, 'jcbb', 'jybb'),
                                  component ("ComponentDescriptor2", "PropertyMap2", 0x00010002, 'jccc', 'jycc') })
            calls.insert (calls.end(), part.begin(), part.end());
        calls.insert (calls.end(), {
            { "Collection1", 7, { "com.VANTO.VANTOGroundworkKick", "EffectDescriptor1" } },
            { "Collection1", 8, { "VANTO" } },
            { "Collection1", 9, { "VANTOGroundworkKick" } },
            { "Collection1", 9, { "VANTO Groundwork Kick" } },
            { "Collection1", 10, { "65536" } },
        });
        return calls;
    }

    // The calls of the description itself: no interface lookups, component
    // creation or host services; addresses replaced by their placeholders.
    inline std::vector<host::Call> recordedCalls (host::TestHost& testHost)
    {
        const auto null = host::CallLog::text (static_cast<const void*> (nullptr));
        std::vector<host::Call> calls;
        for (auto call : testHost.log().calls())
        {
            if (call.position == 0 || call.object == "ComponentFactory" || call.object == "HostServices")
                continue;
            if (call.object == "DescriptionHost" || call.object == "FeatureInfo")
                call.arguments.back() = outPointer;
            const bool registersProcedure = (call.object == "EffectDescriptor1" && call.position == 7)
                                         || (call.object.rfind ("ComponentDescriptor", 0) == 0 && call.position == 16);
            if (registersProcedure && call.arguments.front() != null)
                call.arguments.front() = procedure;
            calls.push_back (std::move (call));
        }
        return calls;
    }
}
