// ParameterSettings.cpp: finding a parameter by name and reading a value exactly as the effect reads it.
#include "ParameterSettings.h"
#include "FormattedNumber.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <utility>

namespace
{
    std::string trimmed (const std::string& text)
    {
        const auto first = text.find_first_not_of (" \t");
        if (first == std::string::npos)
            return {};
        return text.substr (first, text.find_last_not_of (" \t") - first + 1);
    }

    // A user's text as messages repeat it: a value of any length would bury the message.
    std::string brief (const std::string& text)
    {
        constexpr size_t longest = 40;
        return text.size() <= longest ? text : text.substr (0, longest) + "...";
    }

    bool sameText (const std::string& a, const std::string& b)
    {
        return a.size() == b.size()
               && std::equal (a.begin(), a.end(), b.begin(),
                              [] (unsigned char x, unsigned char y) { return std::tolower (x) == std::tolower (y); });
    }

    // A number exactly as written, in decimal: compared and stepped without
    // rounding, so that no number a few digits away from a value passes for it.
    struct Decimal
    {
        bool negative = false;
        std::string whole;    // digits, without leading zeros
        std::string fraction; // digits, without trailing zeros

        bool isZero() const noexcept { return whole.empty() && fraction.empty(); }
        // The shortest plain text of the number, such as "60" for "+060.0".
        std::string text() const
        {
            return (negative ? "-" : "") + (whole.empty() ? std::string ("0") : whole) + (fraction.empty() ? "" : "." + fraction);
        }
    };

    // The one form every number takes: an optional sign, then digits with at
    // most one decimal point among them and a digit on at least one side of
    // it ("60", "-3", "60.0", ".5"); no exponent, no hexadecimal, no "inf" or
    // "nan", nothing after it. A scan in one pass, so that no length of text
    // costs more than its reading.
    std::optional<Decimal> plainDecimal (const std::string& text)
    {
        Decimal number;
        size_t at = 0;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            number.negative = text[at++] == '-';
        const auto digits = [&] {
            const auto start = at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                ++at;
            return text.substr (start, at - start);
        };
        number.whole = digits();
        const bool point = at < text.size() && text[at] == '.';
        if (point)
        {
            ++at;
            number.fraction = digits();
        }
        if (at != text.size() || (number.whole.empty() && number.fraction.empty()))
            return std::nullopt;

        number.whole.erase (0, std::min (number.whole.find_first_not_of ('0'), number.whole.size()));
        number.fraction.erase (number.fraction.find_last_not_of ('0') + 1);
        number.negative = number.negative && ! number.isZero();
        return number;
    }

    // Below zero, zero or above zero as a is less than, equal to or greater than b.
    int compare (const Decimal& a, const Decimal& b)
    {
        if (a.negative != b.negative)
            return a.negative ? -1 : 1;
        const auto magnitude = [] (const Decimal& x, const Decimal& y) {
            if (x.whole.size() != y.whole.size())
                return x.whole.size() < y.whole.size() ? -1 : 1;
            if (const int wholes = x.whole.compare (y.whole); wholes != 0)
                return wholes;
            return x.fraction.compare (y.fraction);
        };
        const int order = magnitude (a, b);
        return a.negative ? -order : order;
    }

    // Digits as a whole number, when there are few enough for one.
    std::optional<long long> wholeNumber (const std::string& digits)
    {
        if (digits.size() > 18)
            return std::nullopt;
        long long number = 0;
        for (const char digit : digits)
            number = number * 10 + (digit - '0');
        return number;
    }

    // The whole part of 0.DIGITS times `factor`, and whether the product is
    // whole: the digits multiplied from the last, in one pass.
    std::pair<long long, bool> fractionTimes (const std::string& digits, long long factor)
    {
        long long carry = 0;
        bool whole = true;
        for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit)
        {
            const long long product = (*digit - '0') * factor + carry;
            whole = whole && product % 10 == 0;
            carry = product / 10;
        }
        return { carry, whole };
    }

    // Where a number within the range lies among its `steps` evenly spaced values.
    struct StepPosition
    {
        long long below = 0; // the index of the value at or below it
        bool onAStep = false; // it is that value
    };

    // Counted in whole numbers from the number's digits, however many:
    // with n = steps - 1 and every number scaled by 10^d for the decimals d of
    // the range's ends, the index is floor ((value - lowest) * n / (highest - lowest)).
    // The value's digits beyond d are a fraction f below 1, whose f * n is all
    // that it adds. Nothing when the ends have too many digits to count with.
    std::optional<StepPosition> stepPosition (const Decimal& value, const Decimal& lowest, const Decimal& highest, int steps)
    {
        const auto decimals = std::max (lowest.fraction.size(), highest.fraction.size());
        const auto scaledEnd = [decimals] (const Decimal& end) -> std::optional<long long> {
            const auto magnitude = wholeNumber (end.whole + end.fraction + std::string (decimals - end.fraction.size(), '0'));
            return magnitude ? std::optional<long long> (end.negative ? -*magnitude : *magnitude) : std::nullopt;
        };
        const auto first = scaledEnd (lowest), last = scaledEnd (highest);
        const auto head = value.fraction.substr (0, std::min (decimals, value.fraction.size()));
        const auto magnitude = wholeNumber (value.whole + head + std::string (decimals - head.size(), '0'));
        if (! first || ! last || ! magnitude || *last <= *first)
            return std::nullopt;

        // value * 10^d = floor + f, with f in [0, 1): of a negative value, 1 - its digits' fraction.
        const long long n = steps - 1;
        const auto tail = value.fraction.substr (head.size());
        const auto [tailTimesN, tailWhole] = fractionTimes (tail, n);
        const bool hasTail = ! tail.empty();
        const __int128 floor = value.negative ? -static_cast<__int128> (*magnitude) - (hasTail ? 1 : 0) : *magnitude;
        const long long fractionTimesN = ! hasTail ? 0 : value.negative ? n - tailTimesN - (tailWhole ? 0 : 1) : tailTimesN;

        const __int128 span = *last - *first;
        const __int128 scaledTimesN = (floor - *first) * n + fractionTimesN;
        return StepPosition { static_cast<long long> (scaledTimesN / span), tailWhole && scaledTimesN % span == 0 };
    }

    // The number in a double, near enough for messages and for checking the
    // effect's text of it; never throws, however many digits it has.
    double approximately (const std::string& text)
    {
        return std::strtod (text.c_str(), nullptr);
    }

    std::string joined (const std::vector<std::string>& items)
    {
        std::string text;
        for (const auto& item : items)
            text += (text.empty() ? "" : ", ") + item;
        return text;
    }

    std::string plain (double value)
    {
        return host::formattedNumber ("%g", value);
    }

    // How far the effect's text of a value may be from it: half its last shown digit.
    double displayTolerance (const std::string& shown)
    {
        const auto point = shown.find ('.');
        const auto decimals = point == std::string::npos ? 0 : static_cast<int> (shown.size() - point - 1);
        return 0.5 * std::pow (10.0, -decimals) + 1e-9;
    }

    // "Bb" for "A#": the flat of the next note up, for a note name with a sharp.
    std::optional<std::string> flatFor (const std::string& choice)
    {
        if (choice.size() != 2 || choice[1] != '#' || choice[0] < 'A' || choice[0] > 'G')
            return std::nullopt;
        const char next = choice[0] == 'G' ? 'A' : static_cast<char> (choice[0] + 1);
        return std::string { next, 'b' };
    }

    host::HostParameter findParameter (host::EffectInstance& instance, const std::string& name)
    {
        const auto parameters = instance.listParameters();
        for (const auto& parameter : parameters)
            if (sameText (parameter.name, name))
                return parameter;

        std::vector<std::string> names;
        for (const auto& each : parameters)
            names.push_back ("\"" + each.name + "\"");
        throw std::invalid_argument ("unknown parameter \"" + brief (name) + "\"; the parameters are " + joined (names));
    }

    host::ResolvedSetting resolveChoice (const host::HostParameter& parameter, const host::ParameterRange& range, const std::string& value)
    {
        const auto last = static_cast<double> (range.choices.size() - 1);
        bool hasSharps = false;
        for (size_t index = 0; index < range.choices.size(); ++index)
        {
            const auto& choice = range.choices[index];
            const auto flat = flatFor (choice);
            hasSharps = hasSharps || flat.has_value();
            if (sameText (choice, value) || (flat && sameText (*flat, value)))
                return { parameter.id, parameter.name, static_cast<double> (index) / last, choice };
        }
        throw std::invalid_argument (parameter.name + " has no choice \"" + brief (value) + "\"; choose one of " + joined (range.choices)
                                     + (hasSharps ? " (or the flat for a sharp, such as Bb for A#)" : ""));
    }

    host::ResolvedSetting resolveNumber (host::EffectInstance& instance, const host::HostParameter& parameter,
                                         const host::ParameterRange& range, const std::string& text)
    {
        const auto lowest = plainDecimal (range.lowest), highest = plainDecimal (range.highest);
        const auto accepted = " from " + range.lowest + " to " + range.highest
                              + (range.steps >= 2 ? " in steps of " + plain (range.step()) : std::string {}) + ", such as "
                              + plain (std::round ((approximately (range.lowest) + approximately (range.highest)) / 2.0));
        const auto value = plainDecimal (text);
        if (! value)
            throw std::invalid_argument (parameter.name + " takes a number, not \"" + brief (text) + "\": a plain decimal number" + accepted);

        if (compare (*value, *lowest) < 0 || compare (*value, *highest) > 0)
            throw std::invalid_argument (parameter.name + " = " + brief (text) + " is out of range: " + range.lowest + " to " + range.highest);

        if (range.steps >= 2)
        {
            const auto position = stepPosition (*value, *lowest, *highest, range.steps);
            if (! position)
                throw std::invalid_argument (parameter.name + " = " + brief (text) + " cannot be checked against its steps; write a number" + accepted);
            if (! position->onAStep)
            {
                const auto valueAt = [&range] (long long index) { return plain (approximately (range.lowest) + double (index) * range.step()); };
                throw std::invalid_argument (parameter.name + " moves in steps of " + plain (range.step()) + ": " + brief (text) + " is between "
                                             + valueAt (position->below) + " and " + valueAt (position->below + 1));
            }
        }

        // The effect converts the number itself; what it shows for the result
        // must be the number read here, or the two read it differently.
        const auto normalized = instance.normalizedFromText (parameter.id, value->text());
        const auto shown = normalized ? instance.valueText (parameter.id, *normalized) : std::string {};
        const auto shownValue = plainDecimal (shown);
        if (! shownValue || std::abs (approximately (shown) - approximately (value->text())) > displayTolerance (shown))
            throw std::invalid_argument (parameter.name + " = " + brief (text) + " is read by the effect as \"" + shown + "\"; write a plain decimal number" + accepted);
        return { parameter.id, parameter.name, *normalized, shown };
    }
}

host::ParameterSetting host::parseSetting (const std::string& text)
{
    const auto equals = text.find ('=');
    if (equals == std::string::npos)
        throw std::invalid_argument ("\"" + brief (text) + "\" is not a setting: write Name=value, such as \"Kick Sub=60\"");

    ParameterSetting setting { trimmed (text.substr (0, equals)), trimmed (text.substr (equals + 1)) };
    if (setting.name.empty() || setting.value.empty())
        throw std::invalid_argument ("\"" + brief (text) + "\" needs both a parameter name and a value");
    return setting;
}

host::ParameterRange host::rangeOf (EffectInstance& instance, const HostParameter& parameter)
{
    ParameterRange range { {}, instance.valueText (parameter.id, 0.0), instance.valueText (parameter.id, 1.0), 0 };
    const int steps = parameter.steps;

    // A number's range ends show as numbers; a choice's as names.
    if (plainDecimal (range.lowest) && plainDecimal (range.highest))
    {
        range.steps = steps >= 2 ? steps : 0;
        return range;
    }
    for (int step = 0; step < std::max (steps, 2); ++step)
        range.choices.push_back (instance.valueText (parameter.id, double (step) / double (std::max (steps, 2) - 1)));
    return range;
}

double host::ParameterRange::step() const
{
    return steps >= 2 ? (approximately (highest) - approximately (lowest)) / (steps - 1) : 0.0;
}

host::ResolvedSetting host::resolveSetting (EffectInstance& instance, const ParameterSetting& setting)
{
    const auto parameter = findParameter (instance, setting.name);
    const auto range = rangeOf (instance, parameter);
    return range.choices.empty() ? resolveNumber (instance, parameter, range, setting.value)
                                 : resolveChoice (parameter, range, setting.value);
}

std::vector<host::ResolvedSetting> host::resolveSettings (EffectInstance& instance, const std::vector<ParameterSetting>& settings)
{
    std::vector<ResolvedSetting> resolved;
    for (size_t i = 0; i < settings.size(); ++i)
    {
        auto setting = resolveSetting (instance, settings[i]);
        for (size_t j = 0; j < resolved.size(); ++j)
            if (resolved[j].id == setting.id)
                throw std::invalid_argument (setting.name + " is set twice: \"" + brief (settings[j].name + "=" + settings[j].value)
                                             + "\" and \"" + brief (settings[i].name + "=" + settings[i].value) + "\"; set it once");
        resolved.push_back (std::move (setting));
    }
    return resolved;
}
