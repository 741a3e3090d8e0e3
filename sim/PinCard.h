#pragma once
#include <array>
#include <cstdint>
#include <string>

// The PIN commands the PIN dialogs send to the card. Results: 0 accepted, non-zero refused.
class PinCard {
public:
    using PinBlock = std::array<uint8_t, 8>;

    virtual ~PinCard() = default;
    // CHV status (0 check off, 1 PIN needed, 2 blocked, 3 unreadable); fills the attempts left.
    virtual int needChv1(int& triesLeft) = 0;
    virtual int verifyChv1(const std::string& pin) = 0;
    virtual int enableChv1(const std::string& pin) = 0;
    virtual int disableChv1(const std::string& pin) = 0;
    virtual int changeChv1(const PinBlock& oldPin, const PinBlock& newPin) = 0;

    // The PIN's characters first, then FF up to 8 bytes (longer texts are cut at 8).
    static PinBlock block(const std::string& pin)
    {
        PinBlock b;
        b.fill(0xFF);
        for (size_t i = 0; i < pin.size() && i < b.size(); ++i) b[i] = static_cast<uint8_t>(pin[i]);
        return b;
    }
};
