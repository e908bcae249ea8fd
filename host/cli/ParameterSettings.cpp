// ParameterSettings.cpp: finding a parameter by name and reading a value the way the effect reads it.
#include "ParameterSettings.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace
{
    std::string trimmed (const std::string& text)
    {
        const auto first = text.find_first_not_of (" \t");
        if (first == std::string::npos)
            return {};
        return text.substr (first, text.find_last_not_of (" \t") - first + 1);
    }

    // The whole text as a finite number, or nothing.
    std::optional<double> number (const std::string& text)
    {
        if (text.empty())
            return std::nullopt;
        char* end = nullptr;
        errno = 0;
        const double value = std::strtod (text.c_str(), &end);
        if (end != text.c_str() + text.size() || errno != 0 || ! std::isfinite (value))
            return std::nullopt;
        return value;
    }

    std::string joined (const std::vector<std::string>& items)
    {
        std::string text;
        for (const auto& item : items)
            text += (text.empty() ? "" : ", ") + item;
        return text;
    }
}

host::ParameterSetting host::parseSetting (const std::string& text)
{
    const auto equals = text.find ('=');
    if (equals == std::string::npos)
        throw std::invalid_argument ("\"" + text + "\" is not a setting: write Name=value, such as \"Kick Sub=60\"");

    ParameterSetting setting { trimmed (text.substr (0, equals)), trimmed (text.substr (equals + 1)) };
    if (setting.name.empty() || setting.value.empty())
        throw std::invalid_argument ("\"" + text + "\" needs both a parameter name and a value");
    return setting;
}

host::ResolvedSetting host::resolveSetting (EffectInstance& instance, const ParameterSetting& setting)
{
    const auto parameter = instance.findParameterByName (setting.name);
    if (! parameter)
    {
        std::vector<std::string> names;
        for (const auto& each : instance.listParameters())
            names.push_back ("\"" + each.name + "\"");
        throw std::invalid_argument ("unknown parameter \"" + setting.name + "\"; the parameters are " + joined (names));
    }

    const auto& id = parameter->id;
    const auto lowest = number (instance.valueText (id, 0.0));
    const auto highest = number (instance.valueText (id, 1.0));

    if (lowest && highest)
    {
        const auto value = number (setting.value);
        if (! value)
            throw std::invalid_argument (setting.name + " takes a number, not \"" + setting.value + "\"");
        if (*value < *lowest || *value > *highest)
            throw std::invalid_argument (setting.name + " = " + setting.value + " is out of range: " + instance.valueText (id, 0.0)
                                         + " to " + instance.valueText (id, 1.0));

        const auto normalized = instance.normalizedFromText (id, setting.value);
        if (! normalized)
            throw std::invalid_argument (setting.name + " does not accept \"" + setting.value + "\"");
        return { id, *normalized, instance.valueText (id, *normalized) };
    }

    // A parameter of named choices: the value must be one of them.
    std::vector<std::string> choices;
    const int steps = std::max (parameter->steps, 2);
    for (int step = 0; step < steps; ++step)
    {
        const double normalized = double (step) / double (steps - 1);
        choices.push_back (instance.valueText (id, normalized));
        if (choices.back() == setting.value)
            return { id, normalized, choices.back() };
    }
    throw std::invalid_argument (setting.name + " has no choice \"" + setting.value + "\"; choose one of " + joined (choices));
}
