// HostUid.h: the host's own 16-byte identifier type, built from the text form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace host
{
    // Bytes as they travel between host and module: the first three fields
    // little-endian, the last eight bytes as written.
    struct Uid
    {
        std::array<uint8_t, 16> bytes {};

        // Parses the braced text form; a malformed text is a programming
        // error, reported at compile time in constant expressions.
        static constexpr Uid fromText (std::string_view text)
        {
            if (text.size() != 38 || text[0] != '{' || text[37] != '}'
                || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-')
                throw std::invalid_argument ("malformed identifier text");

            // Byte positions in memory of the 16 hexadecimal pairs, in text order.
            constexpr int order[16] = { 3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15 };
            Uid uid;
            size_t position = 1;
            for (int pair = 0; pair < 16; ++pair)
            {
                if (text[position] == '-')
                    ++position;
                uid.bytes[static_cast<size_t> (order[pair])] =
                    static_cast<uint8_t> (hexDigit (text[position]) * 16 + hexDigit (text[position + 1]));
                position += 2;
            }
            return uid;
        }

        // The braced text form, upper-case.
        std::string toText() const;

        constexpr bool operator== (const Uid& other) const noexcept
        {
            for (size_t i = 0; i < bytes.size(); ++i)
                if (bytes[i] != other.bytes[i])
                    return false;
            return true;
        }
        constexpr bool operator!= (const Uid& other) const noexcept { return ! (*this == other); }
        bool operator< (const Uid& other) const noexcept { return bytes < other.bytes; }

    private:
        static constexpr int hexDigit (char c)
        {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            throw std::invalid_argument ("malformed identifier text");
        }
    };

    static_assert (sizeof (Uid) == 16, "an identifier crosses the interface as 16 bytes");
}
