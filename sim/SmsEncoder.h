#pragma once
#include "sim/ShortMsg.h"
#include "sim/SmsTimeStamp.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Builds the record that stores a message in the card's message file: the status byte, then
// an SMS-DELIVER for a received message (status 1 or 3) or an SMS-SUBMIT for one to be sent
// (status 7; validity period in the relative format), so that every record written reads back.
// Texts in the GSM default alphabet are packed as septets, anything else is written in UCS2.
class SmsEncoder {
public:
    static constexpr size_t kMaxSeptets = 160;
    static constexpr size_t kMaxUserDataBytes = 140;
    static constexpr size_t kMaxDigits = 32;

    // `serviceCentre`: the address as stored in the message parameters (length byte, type,
    // digits) or empty when none is known. `stamp`: the time written into a received message.
    // Returns 0, or kSmsBadStatus when the number holds a non-digit or is too long; `record`
    // then stays untouched.
    static int build(const ShortMsg& msg, const std::vector<uint8_t>& serviceCentre,
                     const SmsTimeStamp::Stamp& stamp, size_t recordLength, std::vector<uint8_t>& record);

    // The status the record gets: 0 (free) for an empty text, 7 without a number, otherwise the
    // message's own status; a message without a readable status becomes 1 (received) when a
    // service centre is known and 7 otherwise.
    static uint8_t recordStatus(const ShortMsg& msg, bool serviceCentreKnown);
    // True when the text needs UCS2: a double-byte character, a grave accent, or any character
    // outside the GSM default alphabet.
    static bool needsUcs2(const std::string& ansiText);
    // Service-centre bytes (length byte first) when `stored` holds a usable address; else empty.
    static std::vector<uint8_t> usableServiceCentre(const std::vector<uint8_t>& stored);
};
