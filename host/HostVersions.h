// HostVersions.h: how many versions of an interface a host object offers (to play newer or older hosts), and number text for call logs.
#pragma once

#include "HostObject.h"

#include <cstdio>
#include <initializer_list>

namespace host
{
    enum class Versions
    {
        none,      // the interface is missing altogether
        firstOnly, // an old host: version 1 alone
        all
    };

    // The identifiers of `allVersions` (oldest first) that `versions` keeps.
    inline std::vector<Uid> offeredVersions (std::initializer_list<Uid> allVersions, Versions versions)
    {
        switch (versions)
        {
            case Versions::none: return {};
            case Versions::firstOnly: return { *allVersions.begin() };
            case Versions::all: break;
        }
        return allVersions;
    }

    // Makes `object` answer those versions itself.
    inline void offerVersions (RecordedObject& object, std::initializer_list<Uid> allVersions, Versions versions)
    {
        for (const auto& iid : offeredVersions (allVersions, versions))
            object.offer ({ iid });
    }

    // Makes lookups of those versions on `object` answer `target`.
    inline void forwardVersions (RecordedObject& object, RecordedObject& target,
                                 std::initializer_list<Uid> allVersions, Versions versions)
    {
        for (const auto& iid : offeredVersions (allVersions, versions))
            object.forward (iid, target.unknown());
    }

    // A floating-point argument as the call log writes it: shortest exact form.
    inline std::string numberText (double value)
    {
        char buffer[32];
        std::snprintf (buffer, sizeof (buffer), "%.17g", value);
        return buffer;
    }
}
