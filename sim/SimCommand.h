#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Command APDUs of the SIM application (class A0): header CLA INS P1 P2 P3, then the data.
class SimCommand {
public:
    using Bytes = std::vector<uint8_t>;
    using PinBlock = std::array<uint8_t, 8>;

    static constexpr uint8_t kClass = 0xA0;
    static constexpr uint8_t kSelect = 0xA4;
    static constexpr uint8_t kGetResponse = 0xC0;
    static constexpr uint8_t kReadRecord = 0xB2;
    static constexpr uint8_t kUpdateRecord = 0xDC;
    static constexpr uint8_t kReadBinary = 0xB0;
    static constexpr uint8_t kVerifyChv = 0x20;
    static constexpr uint8_t kChangeChv = 0x24;
    static constexpr uint8_t kDisableChv = 0x26;
    static constexpr uint8_t kEnableChv = 0x28;
    // P2 of the record commands: absolute record number.
    static constexpr uint8_t kAbsolute = 0x04;

    static Bytes select(uint16_t fileId);
    static Bytes getResponse(uint8_t le);
    static Bytes readRecord(uint8_t record, uint8_t length);
    static Bytes updateRecord(uint8_t record, std::span<const uint8_t> data);
    static Bytes readBinary(uint8_t length);
    static Bytes verifyChv(uint8_t chv, const PinBlock& pin);
    static Bytes changeChv(uint8_t chv, const PinBlock& oldPin, const PinBlock& newPin);
    static Bytes disableChv1(const PinBlock& pin);
    static Bytes enableChv1(const PinBlock& pin);
    // The reader's answer-to-reset query.
    static Bytes answerToReset();

private:
    static Bytes build(uint8_t ins, uint8_t p1, uint8_t p2, uint8_t p3, std::span<const uint8_t> data = {});
};
