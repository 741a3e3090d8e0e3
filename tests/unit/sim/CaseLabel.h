#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Short printable names for parameterised cases: letters, digits, '-', '.', '+' kept, blanks
// become '_', any other byte is written as x and its two hex digits. Long texts are cut.
inline std::string caseText(std::string_view text, size_t max = 24)
{
    if (text.empty()) return "empty";
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        const bool alnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        if (alnum || b == '-' || b == '.' || b == '+') {
            out += c;
        } else if (b == ' ') {
            out += '_';
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "x%02X", b);
            out += hex;
        }
    }
    if (out.size() > max) out = out.substr(0, max) + "..";
    return out;
}

// Hex bytes written as "41 6E ...": the digits without blanks, long runs cut and their byte count added.
inline std::string caseHex(std::string_view hex, size_t maxDigits = 16)
{
    std::string digits;
    for (char c : hex)
        if (c != ' ') digits += c;
    if (digits.empty()) return "none";
    if (digits.size() <= maxDigits) return caseText(digits);
    return caseText(digits.substr(0, maxDigits)) + "_" + std::to_string(digits.size() / 2) + "bytes";
}
