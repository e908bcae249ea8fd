// Shared helpers for the host-wrapper tests: the positions a test host object was called at.
#pragma once

#include <TestHost.h>

#include <vector>

namespace wrapper_test
{
    // Positions of the calls made on `object` since the log was last cleared,
    // interface lookups (position 0) left out.
    inline std::vector<int> positionsCalled (host::TestHost& testHost, const std::string& object)
    {
        std::vector<int> positions;
        for (const auto& call : testHost.log().callsTo (object))
            if (call.position != 0)
                positions.push_back (call.position);
        return positions;
    }

    // The arguments of the last call made on `object`.
    inline std::vector<std::string> lastArguments (host::TestHost& testHost, const std::string& object)
    {
        const auto calls = testHost.log().callsTo (object);
        return calls.empty() ? std::vector<std::string> {} : calls.back().arguments;
    }
}
