#pragma once
#include "sim/ShortMsg.h"
#include "sim/SmsTimeStamp.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes one record of the card's message file: the status byte followed by an SMS-DELIVER
// (status 1 or 3) or an SMS-SUBMIT (status 7). Every offset taken from the record is checked
// against its size; a record that fails a check keeps the fields decoded so far.
class SmsDecoder {
public:
    // Returns 0 or one of the SmsResult codes 1001-1010.
    static int decode(const uint8_t* record, size_t size, ShortMsg& msg,
                      SmsTimeStamp::LocalOffset localOffset = SmsTimeStamp::systemOffset);

private:
    SmsDecoder(const uint8_t* record, size_t size, ShortMsg& msg, SmsTimeStamp::LocalOffset localOffset)
        : record_(record), size_(size), msg_(msg), localOffset_(localOffset) {}

    int decodeDeliver();
    int decodeSubmit();
    // Service-centre address at byte 1; `end` := the byte after it.
    int readServiceCentre(size_t& end);
    // Address whose length byte is at `p` + 1; `p` := its last byte. Fills msg_.number.
    int readAddress(size_t& p);
    // Digits of `count` nibbles from `bytes` bytes at `pos`, low half first, up to a half above 9.
    void readDigits(size_t pos, size_t bytes, size_t count);
    // User data length at `pos`, the user data after it.
    int readUserData(size_t pos, bool hasHeader);
    std::string decodeText(size_t start, size_t length, size_t headerBytes) const;
    std::string decodePacked81(size_t start) const;

    bool has(size_t pos, size_t count = 1) const { return pos <= size_ && count <= size_ - pos; }
    uint8_t at(size_t pos) const { return record_[pos]; }

    const uint8_t* record_;
    size_t size_;
    ShortMsg& msg_;
    SmsTimeStamp::LocalOffset localOffset_;
};
