#pragma once
#include <cstdint>
#include <span>

// The file header that GET RESPONSE returns after a SELECT.
struct EfHeader {
    // Elementary file header (file size, record length). With `allowShift`, a first byte other
    // than 00 (bytes 1-2 are reserved and 00) means the reader put the instruction byte in
    // front, and every offset moves one byte on. `complete` is false when the data end before
    // the record length.
    static EfHeader parseElementary(std::span<const uint8_t> data, bool allowShift);
    // Master file header: file characteristics and CHV1 status; never shifted.
    static EfHeader parseMaster(std::span<const uint8_t> data);

    bool complete = false;
    bool shifted = false;
    uint16_t fileSize = 0;
    uint8_t recordLength = 0;
    uint8_t fileCharacteristics = 0;
    uint8_t chv1Status = 0;
};
