#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Hexadecimal byte texts: "A0 A4 00 00 02" or "A0A4000002" (blanks optional between bytes).
class Hex {
public:
    // Parses `text`; false when it holds anything but hex digit pairs and blanks.
    static bool parse(const std::string& text, std::vector<uint8_t>& out);
    // Parses text known to be valid (tests, constants); throws std::invalid_argument otherwise.
    static std::vector<uint8_t> bytes(const std::string& text);
    // Upper-case pairs separated by one blank.
    static std::string format(const std::vector<uint8_t>& bytes);
};
