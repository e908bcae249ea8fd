// ParameterSettings.h: "Name=value" settings from the command line, checked against the effect's own parameters.
#pragma once

#include "EffectSession.h"

#include <string>
#include <vector>

namespace host
{
    struct ParameterSetting
    {
        std::string name;  // the host name, such as "Kick Sub", in any case
        std::string value; // a plain number ("60") or a choice ("A#", "bb", "on")
    };

    // Splits "Name=value" at its first '='; throws std::invalid_argument
    // when there is none or either side is empty.
    ParameterSetting parseSetting (const std::string& text);

    // What a parameter accepts, as the effect's own text conversion shows it.
    struct ParameterRange
    {
        std::vector<std::string> choices; // the named values in order; empty for a number
        std::string lowest, highest;      // the ends of a number's range, as the effect shows them
        int steps = 0;                    // how many evenly spaced values a number takes; 0 when it moves freely

        // The spacing of those values in plain units; 0 when it moves freely.
        double step() const;
    };

    ParameterRange rangeOf (EffectInstance& instance, const HostParameter& parameter);

    struct ResolvedSetting
    {
        std::string id;
        std::string name;      // as the effect names it
        double normalized = 0.0;
        std::string valueText; // as the effect shows the value
    };

    // The parameter and normalized value a setting means. Names and choices
    // match in any case, and a note's flat stands for its sharp ("Bb" is
    // "A#"). A number is plain decimal digits, with an optional sign and
    // decimal point (no exponent, no "0x20" nor "12abc"), and must be exactly
    // one of the parameter's values, decimal for decimal: within the range and
    // on a whole step ("60.0" is 60; "60.00000001" is refused).
    // Throws std::invalid_argument naming the problem and what is accepted,
    // and nothing else whatever the text: a number of any length is read
    // from its digits, never through a conversion that can throw.
    ResolvedSetting resolveSetting (EffectInstance& instance, const ParameterSetting& setting);

    // Every setting resolved; throws std::invalid_argument when one
    // parameter is set twice.
    std::vector<ResolvedSetting> resolveSettings (EffectInstance& instance, const std::vector<ParameterSetting>& settings);
}
