#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Packed BCD numbers, two digits per byte, first digit in the low half.
class BcdNumber {
public:
    struct Dialling {
        std::string digits;
        size_t places = 0;  // nibbles read before the end mark (F) or the limit
    };

    // Dialling digits: 0-9, A "*", B "#"; C, D and E take a place but give no character;
    // F ends the number. At most `maxPlaces` nibbles are read.
    static Dialling decodeDialling(std::span<const uint8_t> bytes, size_t maxPlaces);
    // Decimal digits only: the first half above 9 ends the number.
    static std::string decodeDecimal(std::span<const uint8_t> bytes);
    // Encodes dialling digits ("0"-"9", "*", "#"); other characters are skipped, an odd count
    // is padded with F.
    static std::vector<uint8_t> encodeDialling(std::string_view digits);

    static char dialChar(uint8_t nibble);  // 0 for C, D, E, F
    static int dialNibble(char c);         // -1 for a character that cannot be dialled
};
