#include "vsim/Hex.h"

#include <stdexcept>

namespace {
int digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

bool Hex::parse(const std::string& text, std::vector<uint8_t>& out)
{
    out.clear();
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) return false;
        int hi = digit(text[i]), lo = digit(text[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<uint8_t>(hi << 4 | lo));
        i += 2;
    }
    return true;
}

std::vector<uint8_t> Hex::bytes(const std::string& text)
{
    std::vector<uint8_t> out;
    if (!parse(text, out)) throw std::invalid_argument("not hex: " + text);
    return out;
}

std::string Hex::format(const std::vector<uint8_t>& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i) s += ' ';
        s += digits[bytes[i] >> 4];
        s += digits[bytes[i] & 0x0F];
    }
    return s;
}
