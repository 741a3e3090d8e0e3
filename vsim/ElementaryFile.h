#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// One elementary file of the virtual card: its place in the tree, its structure, its access
// conditions and its body (for record files the records one after the other).
struct ElementaryFile {
    enum class Structure : uint8_t { Transparent = 0x00, LinearFixed = 0x01, Cyclic = 0x03 };
    // Access condition levels as coded in the file header: 0 always, 1 CHV1, 2 CHV2, 4..E admin, F never.
    static constexpr uint8_t kAlways = 0x0, kChv1 = 0x1, kChv2 = 0x2, kAdmin = 0x4, kNever = 0xF;

    uint16_t id = 0;
    uint16_t parent = 0x7F10;
    Structure structure = Structure::LinearFixed;
    uint8_t recordLength = 0;  // 0 for transparent files
    uint8_t readAccess = kChv1;
    uint8_t updateAccess = kChv1;
    bool invalidated = false;
    std::vector<uint8_t> body;

    // A record file of `count` records of `length` bytes, all FF.
    static ElementaryFile records(uint16_t id, uint16_t parent, size_t count, uint8_t length);
    // A transparent file of `size` bytes, all FF.
    static ElementaryFile transparent(uint16_t id, uint16_t parent, size_t size);

    bool isRecordFile() const { return structure != Structure::Transparent; }
    size_t recordCount() const;
    // Record `number` (1-based); no check: callers test the range first.
    uint8_t* record(size_t number) { return body.data() + (number - 1) * recordLength; }
    const uint8_t* record(size_t number) const { return body.data() + (number - 1) * recordLength; }
    // The 15-byte GSM 11.11 header returned by GET RESPONSE after selecting this file.
    std::vector<uint8_t> header() const;
};
