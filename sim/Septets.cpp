#include "sim/Septets.h"

#include <algorithm>

std::vector<uint8_t> Septets::unpack(const uint8_t* data, size_t size, size_t count)
{
    count = std::min(count, capacity(size));
    std::vector<uint8_t> out;
    out.reserve(count);
    for (size_t k = 0; k < count; ++k) {
        const size_t bit = k * 7;
        const size_t byte = bit / 8;
        const unsigned shift = bit % 8;
        unsigned value = data[byte] >> shift;
        if (shift > 1) value |= static_cast<unsigned>(data[byte + 1]) << (8 - shift);
        out.push_back(static_cast<uint8_t>(value & 0x7F));
    }
    return out;
}

std::vector<uint8_t> Septets::pack(const std::vector<uint8_t>& septets)
{
    std::vector<uint8_t> out(packedSize(septets.size()), 0);
    for (size_t k = 0; k < septets.size(); ++k) {
        const size_t bit = k * 7;
        const size_t byte = bit / 8;
        const unsigned shift = bit % 8;
        const unsigned value = septets[k] & 0x7Fu;
        out[byte] |= static_cast<uint8_t>(value << shift);
        if (shift > 1) out[byte + 1] |= static_cast<uint8_t>(value >> (8 - shift));
    }
    return out;
}
