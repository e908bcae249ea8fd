#include <AAX_CBinaryDisplayDelegate.h>
#include <AAX_CNumberDisplayDelegate.h>

#include <gtest/gtest.h>

#include <limits>
#include <locale>

namespace
{
    using Display = AAX_CNumberDisplayDelegate<float, 3>;

    // A global C++ locale with a decimal comma, restored when the scope ends.
    class ScopedCommaLocale
    {
    public:
        ScopedCommaLocale() { std::locale::global (std::locale (std::locale::classic(), new CommaPunctuation)); }
        ~ScopedCommaLocale() { std::locale::global (previous); }

    private:
        struct CommaPunctuation : std::numpunct<char>
        {
            char do_decimal_point() const override { return ','; }
        };

        std::locale previous { std::locale() };
    };

    std::string text (float value, int32_t maxChars)
    {
        AAX_CString s ("stale");
        EXPECT_TRUE (Display().ValueToString (value, maxChars, &s));
        return s.Get();
    }

    void expectTextsAndValues()
    {
        AAX_CString s;
        EXPECT_TRUE (Display().ValueToString (0.5f, &s));
        EXPECT_EQ (s, "0.500");

        struct Case { float value; int32_t maxChars; const char* expected; };
        const Case cases[] = {
            { 12.345f, 3, "12" },       // the cut leaves "12." and the point goes too
            { 12.345f, 4, "12.3" },
            { 12.345f, 6, "12.345" },
            { 12.345f, 0, "" },
            { 12.345f, -5, "" },
            { 0.5f, 1, "0" },
            { 0.5f, 2, "0" },
            { 0.5f, 5, "0.500" },
            { 0.5f, 50, "0.500" },
            { -2.0f, 3, "-2" },
        };

        for (const auto& c : cases)
            EXPECT_EQ (text (c.value, c.maxChars), c.expected) << c.value << " in " << c.maxChars;

        struct Parse { const char* text; bool ok; float value; };
        const Parse parses[] = {
            { "0.5", true, 0.5f },
            { " -12.25 dB", true, -12.25f },
            { "1e300", true, std::numeric_limits<float>::max() },   // clamped, never narrowed out of range
            { "-1e300", true, std::numeric_limits<float>::lowest() },
            { "dB", false, 0.0f },
            { "", false, 0.0f },
        };

        for (const auto& p : parses)
        {
            float value = 99.0f;
            EXPECT_EQ (Display().StringToValue (AAX_CString (p.text), &value), p.ok) << p.text;
            EXPECT_EQ (value, p.value) << p.text;
        }
    }
}

TEST (AAX_CNumberDisplayDelegate, MakesAndReadsText)
{
    expectTextsAndValues();
}

TEST (AAX_CNumberDisplayDelegate, IgnoresACommaDecimalProcessLocale)
{
    const ScopedCommaLocale commaLocale;
    expectTextsAndValues();
}

TEST (AAX_CNumberDisplayDelegate, RefusesNullOutPointers)
{
    EXPECT_FALSE (Display().ValueToString (1.0f, nullptr));
    EXPECT_FALSE (Display().ValueToString (1.0f, 3, nullptr));
    EXPECT_FALSE (Display().StringToValue (AAX_CString ("1"), nullptr));
}

TEST (AAX_CBinaryDisplayDelegate, ShowsAndReadsItsTwoTexts)
{
    const AAX_CBinaryDisplayDelegate<bool> display ("off", "on");
    AAX_CString s;
    EXPECT_TRUE (display.ValueToString (false, 2, &s));
    EXPECT_EQ (s, "of");

    bool value = false;
    EXPECT_TRUE (display.StringToValue (AAX_CString ("on"), &value));
    EXPECT_TRUE (value);
    EXPECT_FALSE (display.StringToValue (AAX_CString ("maybe"), &value));
}
