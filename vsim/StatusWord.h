#pragma once
#include <cstdint>

// Why the card refused a command. The status word sent back depends on the class byte:
// GSM 11.11 commands (class A0) get the GSM words, ISO 7816-4 commands (class 00) the ISO ones.
enum class CardError {
    WrongLength,         // 67 00
    WrongParameters,     // 6B 00
    UnknownInstruction,  // 6D 00
    WrongClass,          // 6E 00
    NoResponseData,      // 6F 00 / 69 85: GET RESPONSE with nothing waiting
    NoFileSelected,      // 94 00 / 69 86
    OutOfRange,          // 94 02 / 6A 83: record or offset outside the file
    FileNotFound,        // 94 04 / 6A 82
    FileInconsistent,    // 94 08 / 69 81: command does not suit the file's structure
    ChvNotInitialised,   // 98 02 / 69 84
    AccessDenied,        // 98 04 / 69 82: access condition not fulfilled
    ChvWrong,            // 98 04 / 63 Cx: wrong code, x attempts left
    ChvContradiction,    // 98 08 / 69 85: e.g. enabling a code that is already on
    Invalidated,         // 98 10 / 62 83
    ChvBlocked,          // 98 40 / 69 83
};

class StatusWord {
public:
    static constexpr uint16_t kOk = 0x9000;
    // The status word for `error`; `attemptsLeft` only matters for ChvWrong in the ISO set.
    static uint16_t of(CardError error, bool iso, uint8_t attemptsLeft = 0);
    // The word announcing `length` bytes waiting for GET RESPONSE (9F xx, or 61 xx for ISO).
    static uint16_t responseWaiting(uint8_t length, bool iso);
};
