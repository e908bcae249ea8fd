#include "PlainXml.h"

#include <cstdint>

namespace
{
    // Code points a character reference may name: what a string can hold,
    // without the zero that would end it.
    constexpr std::uint32_t highestCodePoint = 0x10ffff;
    constexpr std::uint32_t firstSurrogate = 0xd800, lastSurrogate = 0xdfff;

    // The reader's own limits on a reference's digits.
    constexpr int maxDecimalDigits = 12;
    constexpr int maxHexDigits = 8;

    // A non-recursive reading of the text, one construct at a time.
    class Scanner
    {
    public:
        explicit Scanner (std::string_view textToScan) noexcept : text (textToScan) {}

        bool document (int maxDepth) noexcept
        {
            if (! prolog())
                return false;

            for (int depth = 0;;)
            {
                // At an element's start tag.
                bool empty = false;

                if (! startTag (empty))
                    return false;

                if (! empty && ++depth > maxDepth)
                    return false;

                // Content and close tags, until the next element starts.
                for (;;)
                {
                    if (depth == 0)
                        return true;

                    if (! content())
                        return false;

                    if (! startsWith ("</"))
                        break;

                    if (! closeTag())
                        return false;

                    --depth;
                }
            }
        }

    private:
        std::string_view text;
        std::size_t position = 0;

        bool atEnd() const noexcept { return position >= text.size(); }
        char peek() const noexcept { return atEnd() ? '\0' : text[position]; }

        bool startsWith (std::string_view prefix) const noexcept
        {
            return text.substr (position, prefix.size()) == prefix;
        }

        bool skipPast (std::string_view prefix) noexcept
        {
            if (! startsWith (prefix))
                return false;

            position += prefix.size();
            return true;
        }

        // Moves past the next occurrence of the terminator.
        bool skipThrough (std::string_view terminator) noexcept
        {
            const auto end = text.find (terminator, position);

            if (end == std::string_view::npos)
                return false;

            position = end + terminator.size();
            return true;
        }

        static bool isSpace (char c) noexcept { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

        static bool isNameCharacter (char c) noexcept
        {
            const auto byte = static_cast<unsigned char> (c);
            return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9')
                || c == '_' || c == '-' || c == ':' || c == '.' || byte >= 0x80;
        }

        static int hexDigitValue (char c) noexcept
        {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            return -1;
        }

        bool skipSpace() noexcept
        {
            const auto start = position;

            while (! atEnd() && isSpace (peek()))
                ++position;

            return position > start;
        }

        bool name() noexcept
        {
            const auto start = position;

            while (! atEnd() && isNameCharacter (peek()))
                ++position;

            return position > start;
        }

        // White space, comments and processing instructions (the XML
        // declaration among them) before the element.
        bool prolog() noexcept
        {
            for (;;)
            {
                skipSpace();

                if (skipPast ("<!--"))
                {
                    if (! skipThrough ("-->"))
                        return false;
                }
                else if (skipPast ("<?"))
                {
                    if (! skipThrough ("?>"))
                        return false;
                }
                else
                {
                    return true;
                }
            }
        }

        // '&' and what follows: a predefined entity or a character reference.
        bool reference() noexcept
        {
            ++position;

            for (const auto entity : { "amp;", "lt;", "gt;", "quot;", "apos;" })
                if (skipPast (entity))
                    return true;

            if (! skipPast ("#"))
                return false;

            const bool hex = skipPast ("x");
            const int base = hex ? 16 : 10;
            const int maxDigits = hex ? maxHexDigits : maxDecimalDigits;
            std::uint64_t codePoint = 0;
            int digits = 0;

            for (; digits <= maxDigits && ! atEnd() && peek() != ';'; ++digits, ++position)
            {
                const auto digit = hexDigitValue (peek());

                if (digit < 0 || digit >= base)
                    return false;

                codePoint = codePoint * (std::uint64_t) base + (std::uint64_t) digit;
            }

            if (digits == 0 || digits > maxDigits || ! skipPast (";"))
                return false;

            return codePoint != 0 && codePoint <= highestCodePoint
                && ! (codePoint >= firstSurrogate && codePoint <= lastSurrogate);
        }

        // '<' name, attributes, then '>' or, for an element without content, '/>'.
        bool startTag (bool& empty) noexcept
        {
            if (! skipPast ("<") || ! name())
                return false;

            for (;;)
            {
                const bool spaced = skipSpace();

                if (skipPast ("/>"))
                {
                    empty = true;
                    return true;
                }

                if (skipPast (">"))
                {
                    empty = false;
                    return true;
                }

                if (! spaced || ! attribute())
                    return false;
            }
        }

        // name = "value" or name = 'value'; a value holds no '<'.
        bool attribute() noexcept
        {
            if (! name())
                return false;

            skipSpace();

            if (! skipPast ("="))
                return false;

            skipSpace();
            const auto quote = peek();

            if (quote != '"' && quote != '\'')
                return false;

            for (++position; ! atEnd() && peek() != quote;)
            {
                if (peek() == '<')
                    return false;

                if (peek() != '&')
                    ++position;
                else if (! reference())
                    return false;
            }

            if (atEnd())
                return false;

            ++position;
            return true;
        }

        // '</', a name, optional space, '>'.
        bool closeTag() noexcept
        {
            if (! skipPast ("</") || ! name())
                return false;

            skipSpace();
            return skipPast (">");
        }

        // Text, comments and CDATA sections, up to the next tag: an element's
        // start or a close tag. A processing instruction here is refused.
        bool content() noexcept
        {
            while (! atEnd())
            {
                if (peek() == '&')
                {
                    if (! reference())
                        return false;
                }
                else if (peek() != '<')
                {
                    ++position;
                }
                else if (skipPast ("<!--"))
                {
                    if (! skipThrough ("-->"))
                        return false;
                }
                else if (skipPast ("<![CDATA["))
                {
                    if (! skipThrough ("]]>"))
                        return false;
                }
                else
                {
                    return startsWith ("</") || (text.size() > position + 1 && isNameCharacter (text[position + 1]));
                }
            }

            return false; // the text ends inside an element
        }
    };
}

bool PlainXml::isPlainDocument (std::string_view text, int maxDepth) noexcept
{
    return Scanner (text).document (maxDepth);
}
