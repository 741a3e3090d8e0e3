#pragma once
#include <array>
#include <cstdint>
#include <string>

// The card holder verification code CHV1 (the PIN) with its unblocking code: the code, whether
// the check is on, the attempts left, and whether it was verified since the last reset.
class ChvState {
public:
    using Block = std::array<uint8_t, 8>;
    enum class Outcome { Ok, Wrong, Blocked, Contradiction };

    static constexpr uint8_t kMaxAttempts = 3;
    static constexpr uint8_t kMaxUnblockAttempts = 10;

    // A code text ("1234") as the 8-byte block the card compares: the digits, then FF.
    static Block block(const std::string& code);
    // The block back as text (stops at the first FF).
    static std::string text(const Block& block);

    Block pin = block("0000");
    Block puk = block("00000000");
    bool enabled = false;
    uint8_t attemptsLeft = kMaxAttempts;
    uint8_t unblockAttemptsLeft = kMaxUnblockAttempts;

    bool verified() const { return verified_; }
    // True when files guarded by CHV1 may be used now.
    bool satisfied() const { return !enabled || verified_; }
    bool blocked() const { return attemptsLeft == 0; }
    // Header bytes: bit 8 = initialised, bits 1-4 = attempts left.
    uint8_t statusByte() const { return static_cast<uint8_t>(0x80 | (attemptsLeft & 0x0F)); }
    uint8_t unblockStatusByte() const { return static_cast<uint8_t>(0x80 | (unblockAttemptsLeft & 0x0F)); }

    Outcome verify(const Block& code);
    Outcome change(const Block& oldCode, const Block& newCode);
    Outcome disable(const Block& code);
    Outcome enable(const Block& code);
    Outcome unblock(const Block& unblockCode, const Block& newCode);
    // Power cycle: the verification is forgotten.
    void reset() { verified_ = false; }

private:
    Outcome present(const Block& code);

    bool verified_ = false;
};
