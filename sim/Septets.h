#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// GSM 7-bit packing: eight septets in seven bytes, the bit stream read least significant bit
// first (septet k is bits 7k ... 7k+6).
class Septets {
public:
    // Bytes needed to hold `count` packed septets.
    static size_t packedSize(size_t count) { return (count * 7 + 7) / 8; }
    // Number of whole septets that fit in `bytes` bytes.
    static size_t capacity(size_t bytes) { return bytes * 8 / 7; }

    // The first `count` septets of `data`; septets whose bits lie beyond `size` are not produced.
    static std::vector<uint8_t> unpack(const uint8_t* data, size_t size, size_t count);
    // Packs the septets (only their low seven bits are used) into packedSize(n) bytes.
    static std::vector<uint8_t> pack(const std::vector<uint8_t>& septets);
};
