#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The GSM 7-bit default alphabet of phone book names, in the system ANSI code page.
// Decoding (table A) and the variant used inside the 81 UCS2 format (table B) give the
// Latin-1 characters as their bytes on Big5 and 1252 systems and the Big5 forms of a few
// characters on Big5; other code pages get each character's own code (or "?").
class GsmAlphabet {
public:
    static constexpr uint8_t kEscape = 0x1B;
    static constexpr uint8_t kPadding = 0xFF;

    // Table A over a name field: stops at the first FF, resolves escape pairs.
    static std::string decodeName(std::span<const uint8_t> field);
    // Table B: one GSM character (below 80).
    static std::string decodeTableB(uint8_t gsm);

    // GSM code of one ANSI character (one byte, or an escape pair); empty when the character is
    // not in the default alphabet and the text must be written in UCS2.
    static std::vector<uint8_t> encodeChar(std::string_view ansiChar, int codePage);
    // True when every character of `text` has a GSM code.
    static bool canEncode(std::string_view text);
    // Table C over a name: at most `width` bytes, an escape pair only when both bytes fit.
    static std::vector<uint8_t> encodeName(std::string_view text, size_t width);
};
