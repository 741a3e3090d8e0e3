#pragma once
#include "sim/PinCard.h"

// The PIN commands on the card in the reader, through the card's CHV1 operations.
class SimPinCard : public PinCard {
public:
    int needChv1(int& triesLeft) override;
    int verifyChv1(const std::string& pin) override;
    int enableChv1(const std::string& pin) override;
    int disableChv1(const std::string& pin) override;
    int changeChv1(const PinBlock& oldPin, const PinBlock& newPin) override;
};
