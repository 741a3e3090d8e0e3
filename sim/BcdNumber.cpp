#include "sim/BcdNumber.h"

#include <algorithm>

namespace {

constexpr uint8_t kEnd = 0x0F;

uint8_t nibbleAt(std::span<const uint8_t> bytes, size_t place)
{
    const uint8_t b = bytes[place / 2];
    return place % 2 == 0 ? (b & 0x0F) : (b >> 4);
}

}  // namespace

char BcdNumber::dialChar(uint8_t nibble)
{
    if (nibble <= 9) return static_cast<char>('0' + nibble);
    if (nibble == 0x0A) return '*';
    if (nibble == 0x0B) return '#';
    return 0;
}

int BcdNumber::dialNibble(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c == '*') return 0x0A;
    if (c == '#') return 0x0B;
    return -1;
}

BcdNumber::Dialling BcdNumber::decodeDialling(std::span<const uint8_t> bytes, size_t maxPlaces)
{
    Dialling out;
    const size_t limit = std::min(maxPlaces, bytes.size() * 2);
    for (; out.places < limit; ++out.places) {
        const uint8_t n = nibbleAt(bytes, out.places);
        if (n == kEnd) break;
        if (char c = dialChar(n)) out.digits += c;
    }
    return out;
}

std::string BcdNumber::decodeDecimal(std::span<const uint8_t> bytes)
{
    std::string digits;
    for (size_t place = 0; place < bytes.size() * 2; ++place) {
        const uint8_t n = nibbleAt(bytes, place);
        if (n > 9) break;
        digits += static_cast<char>('0' + n);
    }
    return digits;
}

std::vector<uint8_t> BcdNumber::encodeDialling(std::string_view digits)
{
    std::vector<uint8_t> out;
    bool high = false;
    for (char c : digits) {
        const int n = dialNibble(c);
        if (n < 0) continue;
        if (high)
            out.back() = static_cast<uint8_t>((out.back() & 0x0F) | (n << 4));
        else
            out.push_back(static_cast<uint8_t>(0xF0 | n));
        high = !high;
    }
    return out;
}
