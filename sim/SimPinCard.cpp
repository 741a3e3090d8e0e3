#include "sim/SimPinCard.h"

#include "sim/SimPin.h"

int SimPinCard::needChv1(int& triesLeft)
{
    uint32_t tries = 0;
    uint32_t need = SimPin::SimCardNeedCHV1(tries);
    triesLeft = static_cast<int>(tries);
    return static_cast<int>(need);
}

int SimPinCard::verifyChv1(const std::string& pin) { return static_cast<int>(SimPin::SimCardVerifyCHV1(1, pin)); }
int SimPinCard::enableChv1(const std::string& pin) { return static_cast<int>(SimPin::SimCardEnableCHV1(pin)); }
int SimPinCard::disableChv1(const std::string& pin) { return static_cast<int>(SimPin::SimCardDisableCHV1(pin)); }

int SimPinCard::changeChv1(const PinBlock& oldPin, const PinBlock& newPin)
{
    return static_cast<int>(SimPin::SimCardChangeCHV(1, oldPin, newPin));
}
