#pragma once
#include <cstdint>
#include <string>

// The library's last error record: a system error code and a formatted text. Every failing step
// writes it; no export returns it (tests and debugging read it).
class LastError {
public:
    // Stores `code` and the text made from `format`, whose conversions take `code` first and
    // `extra` second ("Write EEPROM Data failed: %05lu\nScsiStatus: %05u").
    static void record(uint32_t code, const char* format, unsigned extra = 0);
    // Stores only the code, keeping the text.
    static void setCode(uint32_t code);
    static uint32_t code();
    static std::string text();
    // Clears both (tests).
    static void clear();
};
