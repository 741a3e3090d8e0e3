#pragma once
#include <atomic>
#include <string>

// The card's PIN state as the windows know it. Only the GUI thread changes it; the poller reads
// the insert-notice block, so the flags are atomic.
struct PinState {
    std::atomic<int> PinTriesLeft{3};       // attempts left, as last read from the card
    std::atomic<bool> PinVerified{false};   // the PIN was accepted since the card was connected
    std::atomic<bool> PinEnabled{false};    // the card's PIN check is on
    std::atomic<bool> insertNoticeBlock{false};  // the poller does not report a new card while set
    std::atomic<bool> closeRequested{false};     // the user chose Exit in the PIN dialog
    std::string RememberedPin;              // last accepted PIN, to verify again after re-insertion

    static PinState& current();
};
