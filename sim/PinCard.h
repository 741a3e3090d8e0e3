#pragma once
#include "sim/SimCommand.h"

#include <string>

// The PIN commands the PIN dialogs send to the card. Results: 0 accepted, non-zero refused.
class PinCard {
public:
    using PinBlock = SimCommand::PinBlock;

    virtual ~PinCard() = default;
    // CHV status (0 check off, 1 PIN needed, 2 blocked, 3 unreadable); fills the attempts left.
    virtual int needChv1(int& triesLeft) = 0;
    virtual int verifyChv1(const std::string& pin) = 0;
    virtual int enableChv1(const std::string& pin) = 0;
    virtual int disableChv1(const std::string& pin) = 0;
    virtual int changeChv1(const PinBlock& oldPin, const PinBlock& newPin) = 0;
};
