// ParameterSettings.h: "Name=value" settings from the command line, checked against the effect's own parameters.
#pragma once

#include "EffectSession.h"

#include <string>

namespace host
{
    struct ParameterSetting
    {
        std::string name;  // the host name, such as "Kick Sub"
        std::string value; // a plain value ("60") or a choice ("A#", "On")
    };

    // Splits "Name=value" at its first '='; throws std::invalid_argument
    // when there is none or either side is empty.
    ParameterSetting parseSetting (const std::string& text);

    struct ResolvedSetting
    {
        std::string id;
        double normalized = 0.0;
        std::string valueText; // as the effect shows the value
    };

    // The parameter and normalized value a setting means. Throws
    // std::invalid_argument naming the problem: an unknown name (listing the
    // names), a number outside the parameter's range, text that is not a
    // number, or a choice the parameter does not have (listing its choices).
    ResolvedSetting resolveSetting (EffectInstance& instance, const ParameterSetting& setting);
}
