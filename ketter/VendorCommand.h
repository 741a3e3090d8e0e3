#pragma once
#include "ketter/Platform.h"

#include <array>
#include <cstdint>

// The reader's three vendor command blocks. NT 6 sends them with opcode 0xEE and the classic
// opcode in byte 2; the other generations send the classic opcode with the marker 0x46 in byte 2.
class VendorCommand {
public:
    using Block = std::array<uint8_t, 10>;

    static constexpr uint8_t kInquiryOpcode = 0x08;
    static constexpr uint8_t kReadOpcode = 0x08;
    static constexpr uint8_t kWriteOpcode = 0x0A;
    static constexpr uint8_t kNt6Opcode = 0xEE;
    static constexpr uint8_t kMarker = 0x46;

    static Block inquiry(Platform::Generation generation);
    static Block read(Platform::Generation generation, uint16_t length, uint8_t cdbByte5, uint8_t high, uint8_t low);
    // The length bytes carry `length` itself, not the padded length of the data phase.
    static Block write(Platform::Generation generation, uint16_t length, uint8_t cdbByte5, uint8_t high, uint8_t low);

    // Selector byte: the low four bits of `high` in the upper half, plus `low`, kept to 8 bits.
    static uint8_t selector(uint8_t high, uint8_t low);
    // Length of the data phase of a write: rounded up to even.
    static uint32_t paddedLength(uint16_t length);

private:
    static Block frame(Platform::Generation generation, uint8_t opcode, const char* signature);
};
