// Command-line settings read against the real module's parameters: exactly the numbers the effect reads, names and choices in any case, flats.
#include "ParameterSettings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <typeinfo>

namespace
{
    class ParameterSettings : public ::testing::Test
    {
    protected:
        host::ResolvedSetting resolve (const std::string& name, const std::string& value)
        {
            return host::resolveSetting (instance, { name, value });
        }

        std::string refusal (const std::string& name, const std::string& value)
        {
            try
            {
                resolve (name, value);
            }
            catch (const std::invalid_argument& error)
            {
                return error.what();
            }
            return "accepted";
        }

        host::LoadedEffect effect { KICK_MODULE_PATH };
        host::EffectInstance instance { effect, 2, 48000.0f };
    };
}

TEST_F (ParameterSettings, NumbersAreAcceptedOnlyAsTheWholeTextTheEffectReads)
{
    // The effect's own conversion reads a leading number and ignores the
    // rest, so each of these would set something other than what was typed;
    // an exponent is no plain decimal either, whatever it comes to. A number
    // of any length is read in one pass (a recursive pattern match once
    // overflowed the stack on a long one) and compared digit by digit.
    const std::string tooLong (100000, '1');
    for (const std::string text : { "0x20", "12abc", "1,5", "5e", "5e+", "e5", ".", "+", ".e1", "1.2.3", "1e2.5", " 5", "nan", "inf", "--5",
                                    "60 %", "", "3.2e1", ".32E+2", "3200e-2", "6e1" })
        EXPECT_EQ (refusal ("Kick Sub", text).rfind ("Kick Sub takes a number, not \"" + text
                                                     + "\": a plain decimal number from 0.00 to 100.00 in steps of 1", 0),
                   0u)
            << text << ": " << refusal ("Kick Sub", text);
    // The message shows its start, not all of it.
    EXPECT_EQ (refusal ("Kick Sub", tooLong), "Kick Sub = " + tooLong.substr (0, 40) + "... is out of range: 0.00 to 100.00")
        << refusal ("Kick Sub", tooLong).substr (0, 200);

    const struct
    {
        const char* text;
        const char* shown;
    } accepted[] { { "32", "32.00" }, { "+32", "32.00" }, { "32.", "32.00" }, { "32.000", "32.00" }, { "032", "32.00" }, { "-0", "0.00" }, { "0", "0.00" }, { "100", "100.00" } };
    for (const auto& each : accepted)
        EXPECT_EQ (resolve ("Kick Sub", each.text).valueText, each.shown) << each.text;
    EXPECT_NEAR (resolve ("Kick Sub", "32").normalized, 0.32, 1e-6) << "the effect's own conversion, in single precision";
}

TEST_F (ParameterSettings, AFractionOnAWholeStepParameterIsRefusedWithTheStep)
{
    EXPECT_EQ (refusal ("Kick Sub", "33.333"), "Kick Sub moves in steps of 1: 33.333 is between 33 and 34");
    EXPECT_EQ (refusal ("Kick Mid", ".5"), "Kick Mid moves in steps of 1: .5 is between 0 and 1");
    EXPECT_EQ (refusal ("Kick Width", "200.5"), "Kick Width = 200.5 is out of range: 0.00 to 200.00");
}

// The values around a number are found from its digits, not from a double,
// which rounds a number a hair below a value onto it and has no room for
// one with hundreds of digits.
TEST_F (ParameterSettings, ANumberBetweenTwoValuesIsToldTheTwoItReallyLiesBetween)
{
    EXPECT_EQ (refusal ("Kick Sub", "99.99999999999999999999"), "Kick Sub moves in steps of 1: 99.99999999999999999999 is between 99 and 100");
    EXPECT_EQ (refusal ("Kick Mid", "199.9999999999999999"), "Kick Mid moves in steps of 1: 199.9999999999999999 is between 199 and 200");
    EXPECT_EQ (refusal ("Kick Sub", "0.00000000000000000001"), "Kick Sub moves in steps of 1: 0.00000000000000000001 is between 0 and 1");
    EXPECT_EQ (refusal ("Kick Sub", "0." + std::string (400, '0') + "1"),
               "Kick Sub moves in steps of 1: 0." + std::string (38, '0') + "... is between 0 and 1");
    EXPECT_EQ (refusal ("Kick Sub", "+99." + std::string (400, '9')), "Kick Sub moves in steps of 1: +99." + std::string (36, '9') + "... is between 99 and 100");
    EXPECT_EQ (refusal ("Kick Sub", "60." + std::string (30, '0') + "1"), "Kick Sub moves in steps of 1: 60." + std::string (30, '0') + "1 is between 60 and 61");
    EXPECT_EQ (resolve ("Kick Sub", "60." + std::string (400, '0')).valueText, "60.00");
}

// Whatever the text, a setting is accepted or refused with a message that
// names the parameter: no other exception, nor a library's bare text such as
// "stod", may come out of it. Texts are strung together from the tokens the
// number reader reacts to, runs of digits beyond a double's reach among them.
TEST_F (ParameterSettings, AnyTextIsAcceptedOrRefusedNamingTheParameter)
{
    const std::string tokens[] { "0", "1", "5", "9", ".", "-", "+", "e", "E", " ", "x", "100", "200",
                                 std::string (30, '0'), std::string (30, '9'), std::string (320, '0'), std::string (25, '1') };
    std::mt19937 random (26);
    std::uniform_int_distribution<size_t> token (0, std::size (tokens) - 1), length (1, 8);
    int numbers = 0;
    for (const auto& parameter : instance.listParameters())
    {
        if (! host::rangeOf (instance, parameter).choices.empty())
            continue;
        ++numbers;
        for (int attempt = 0; attempt < 300; ++attempt)
        {
            std::string text;
            for (auto count = length (random); count > 0; --count)
                text += tokens[token (random)];
            try
            {
                resolve (parameter.name, text);
            }
            catch (const std::invalid_argument& error)
            {
                EXPECT_EQ (std::string (error.what()).rfind (parameter.name + " ", 0), 0u) << text << ": " << error.what();
            }
            catch (const std::exception& error)
            {
                ADD_FAILURE() << parameter.name << " = " << text << ": " << typeid (error).name() << " \"" << error.what() << "\"";
            }
        }
    }
    EXPECT_GE (numbers, 5);
}

TEST_F (ParameterSettings, NamesAndChoicesMatchInAnyCaseAndFlatsStandForTheirSharps)
{
    EXPECT_EQ (resolve ("kick sub", "60").id, "Kick_SubId");
    EXPECT_EQ (resolve ("KICK COMP", "5").name, "Kick Comp");
    EXPECT_EQ (resolve ("master bypass", "on").valueText, "On");

    const struct
    {
        const char* flat;
        const char* sharp;
    } notes[] { { "Db", "C#" }, { "Eb", "D#" }, { "Gb", "F#" }, { "Ab", "G#" }, { "Bb", "A#" }, { "bb", "A#" } };
    for (const auto& each : notes)
    {
        EXPECT_EQ (resolve ("Kick Sub Freq", each.flat).valueText, each.sharp) << each.flat;
        EXPECT_EQ (resolve ("Kick Sub Freq", each.flat).normalized, resolve ("Kick Sub Freq", each.sharp).normalized) << each.flat;
    }
    EXPECT_NE (refusal ("Kick Sub Freq", "Cb").find ("has no choice \"Cb\""), std::string::npos) << "only flats of the listed sharps";
}

TEST_F (ParameterSettings, EveryListedChoiceIsAcceptedAndSetsThatChoice)
{
    int choiceParameters = 0;
    for (const auto& parameter : instance.listParameters())
    {
        const auto range = host::rangeOf (instance, parameter);
        choiceParameters += range.choices.empty() ? 0 : 1;
        for (const auto& choice : range.choices)
        {
            const auto resolved = resolve (parameter.name, choice);
            EXPECT_EQ (resolved.valueText, choice) << parameter.name;
            EXPECT_EQ (instance.valueText (parameter.id, resolved.normalized), choice) << parameter.name;
        }
    }
    EXPECT_EQ (choiceParameters, 4) << "Power, Graph mode, Kick Sub Freq and Master Bypass";
    EXPECT_EQ (host::rangeOf (instance, *instance.findParameterByName ("Graph mode")).choices,
               (std::vector<std::string> { "Wave", "Freq", "Spec", "Osc" }));
}

TEST_F (ParameterSettings, OneParameterSetTwiceIsRefused)
{
    EXPECT_THROW (host::resolveSettings (instance, { { "Kick Sub", "10" }, { "Kick Air", "10" }, { "kick sub", "10" } }),
                  std::invalid_argument);
    EXPECT_EQ (host::resolveSettings (instance, { { "Kick Sub", "10" }, { "Kick Air", "10" } }).size(), 2u);
}
