#pragma once
#include "sim/SimCommand.h"

#include <cstdint>
#include <string>
#include <string_view>

// Operations on the card holder verification code CHV1 (the PIN).
class SimPin {
public:
    enum Need : uint32_t { kCheckOff = 0, kPinNeeded = 1, kBlocked = 2, kUnreadable = 3 };
    enum Answer : uint32_t { kAccepted = 0, kRefused = 1 };

    // PIN state; `attemptsLeft` gets the attempts-left nibble of the CHV1 status whenever the
    // header was read. A file "No.ini" in the data directory makes one query answer kUnreadable
    // without touching the card (the file is deleted).
    static uint32_t SimCardNeedCHV1(uint32_t& attemptsLeft);
    // An empty PIN is refused without an exchange (a wrong PIN would cost an attempt).
    static uint32_t SimCardVerifyCHV1(uint32_t chv, std::string_view pin);
    static uint32_t SimCardChangeCHV(uint32_t chv, const SimCommand::PinBlock& oldPin, const SimCommand::PinBlock& newPin);
    static uint32_t SimCardEnableCHV1(std::string_view pin);
    static uint32_t SimCardDisableCHV1(std::string_view pin);

    // The PIN's first 8 characters, then FF.
    static SimCommand::PinBlock pinBlock(std::string_view pin);
    // The PIN as the log shows it: one "*" per character.
    static std::string masked(std::string_view pin);
    static std::string noIniPath();
};
