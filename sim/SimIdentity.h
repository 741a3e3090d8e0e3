#pragma once
#include <array>
#include <cstdint>
#include <string>

// The card identification number (EF ICCID), the own number (EF MSISDN) and the
// service-centre address of the message parameters (EF SMSP).
class SimIdentity {
public:
    using Address = std::array<uint8_t, 12>;
    static constexpr size_t kTextMax = 63;  // callers keep name and number in 64-byte fields

    // Up to 20 digits; returns their count (0 on failure).
    static uint32_t GetSimCardNumber(std::string& number);
    // Name and number of record 1; returns the number's length (0 when nothing was read or
    // a pointer is missing).
    static uint32_t GetSimCardMSISDN(std::string* pcOWner, std::string* pcNumber);
    // The 12 address bytes of record 1 (length, type, 10 BCD bytes); returns the length byte + 2,
    // or 0 when no address is stored or it cannot be read.
    static uint32_t GetSimCardSMSP(Address* pcNumber);
};
