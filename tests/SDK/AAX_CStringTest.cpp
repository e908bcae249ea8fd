#include <AAX_CString.h>

#include <gtest/gtest.h>

#include <locale>

namespace
{
    // A global C++ locale whose numbers use a decimal comma and digit grouping,
    // as many hosts' processes run with; restored when the scope ends.
    class ScopedCommaLocale
    {
    public:
        ScopedCommaLocale() { std::locale::global (std::locale (std::locale::classic(), new CommaPunctuation)); }
        ~ScopedCommaLocale() { std::locale::global (previous); }

    private:
        struct CommaPunctuation : std::numpunct<char>
        {
            char do_decimal_point() const override { return ','; }
            char do_thousands_sep() const override { return '.'; }
            std::string do_grouping() const override { return "\3"; }
        };

        std::locale previous { std::locale() };
    };
}

TEST (AAX_CString, TreatsNullAsEmptyAndComparesBytewise)
{
    AAX_CString text (static_cast<const char*> (nullptr));
    EXPECT_EQ (text.Length(), 0u);
    text = "x";
    text.Set (nullptr);
    EXPECT_TRUE (text == static_cast<const char*> (nullptr));

    const AAX_CString name ("Power");
    AAX_IString& target = text;
    target = static_cast<const AAX_IString&> (name);
    EXPECT_TRUE (text == "Power");
    EXPECT_TRUE (text != "power");
    EXPECT_TRUE (text != AAX_CString ("Powe"));
    EXPECT_EQ (text.MaxLength(), 0xFFFFFFFEu);
}

TEST (AAX_CString, EditsClipAtTheEndOfTheText)
{
    AAX_CString text ("abcdef");
    text.Erase (4, 100);
    EXPECT_EQ (text, "abcd");
    text.Erase (4, 1);
    text.Erase (0xFFFFFFFFu, 0xFFFFFFFFu);
    EXPECT_EQ (text, "abcd");
    text.Erase (1, 2);
    EXPECT_EQ (text, "ad");

    const AAX_CString source ("Threshold");
    AAX_CString out ("untouched");
    source.SubString (6, 100, &out);
    EXPECT_EQ (out, "old");
    source.SubString (9, 1, &out);
    EXPECT_EQ (out, "");
    source.SubString (0xFFFFFFFFu, 0xFFFFFFFFu, &out);
    EXPECT_EQ (out, "");
    source.SubString (0, 1, nullptr);   // must not crash

    EXPECT_EQ (source[8], 'd');
    EXPECT_EQ (source[9], '\0');
    EXPECT_EQ (source[0xFFFFFFFFu], '\0');
}

TEST (AAX_CString, AppendsFixedNumbers)
{
    AAX_CString text ("Gain ");
    text.AppendNumber (1.0, 3);
    EXPECT_EQ (text, "Gain 1.000");

    const std::pair<double, const char*> cases[] = { { 0.5, "0.500" }, { -2.0, "-2.000" }, { 12.3456, "12.346" }, { -0.0004, "-0.000" } };
    for (const auto& [value, expected] : cases)
    {
        AAX_CString s;
        s.AppendNumber (value, 3);
        EXPECT_EQ (s, expected) << value;
    }
}

TEST (AAX_CString, ReadsALeadingNumber)
{
    struct Case { const char* text; bool ok; double value; };
    const Case cases[] = {
        { "", false, 0.0 },
        { "abc", false, 0.0 },
        { " 2.5 dB", true, 2.5 },
        { "1.5dB", true, 1.5 },
        { "-24", true, -24.0 },
        { "1e999", false, 0.0 },   // out of range is not a value
        { "   ", false, 0.0 },
    };

    for (const auto& c : cases)
    {
        double value = 123.0;
        EXPECT_EQ (AAX_CString (c.text).ToDouble (&value), c.ok) << c.text;
        EXPECT_EQ (value, c.value) << c.text;
    }

    EXPECT_FALSE (AAX_CString ("1").ToDouble (nullptr));
}

TEST (AAX_CString, ConversionsIgnoreTheProcessLocale)
{
    const ScopedCommaLocale commaLocale;

    AAX_CString text;
    text.AppendNumber (1234.5, 2);
    EXPECT_EQ (text, "1234.50");

    double value = 0.0;
    EXPECT_TRUE (AAX_CString ("2.75").ToDouble (&value));
    EXPECT_EQ (value, 2.75);
    EXPECT_TRUE (AAX_CString ("2,75").ToDouble (&value));
    EXPECT_EQ (value, 2.0);
}
