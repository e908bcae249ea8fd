// EveryStageEngaged.h: the settings of the benchmarks' "every stage engaged" case through the module, by the names and values a user types.
#pragma once

#include "ParameterSettings.h"

#include <vector>

namespace bench
{
    // Every stage of the chain switched on: 50 % of each, the sub on F, mid and width at 150 %.
    inline const std::vector<host::ParameterSetting> everyStageEngaged {
        { "Kick Harmonics", "50" }, { "Kick Pressure", "50" }, { "Kick Sub", "50" },   { "Kick Sub Freq", "F" },    { "Kick Air", "50" },
        { "Kick Mid", "150" },      { "Kick Trans", "50" },    { "Kick Comp", "50" }, { "Kick Width", "150" }
    };

    // Sets them as the host's automation does.
    inline void engage (host::EffectInstance& instance, const std::vector<host::ParameterSetting>& settings)
    {
        for (const auto& setting : host::resolveSettings (instance, settings))
            instance.automate (setting.id, setting.normalized);
    }
}
