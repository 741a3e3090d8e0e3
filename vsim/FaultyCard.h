#pragma once
#include "vsim/VirtualCard.h"

#include <cstdint>
#include <vector>

// Faults a card or reader may show, for testing how the program copes with them.
struct CardFaults {
    bool echoInstruction = false;   // READ RECORD and GET RESPONSE data preceded by the instruction byte
    bool zeroRecordLength = false;  // EF headers report record length 0
    uint32_t errorAtRecord = 0;     // READ RECORD of this record number answers 6F 00 (0: never)
    uint32_t pullAfter = 0;         // the card is pulled after this many APDUs (0: never)
    bool shortResponses = false;    // response data cut to half its length
};

// A VirtualCard answering with the chosen faults.
class FaultyCard {
public:
    FaultyCard(VirtualCard& card, CardFaults faults) : card_(card), faults_(faults) {}

    std::vector<uint8_t> transmit(const std::vector<uint8_t>& apdu);
    // True once pullAfter APDUs were answered: the holder should take the card away.
    bool pulled() const { return faults_.pullAfter != 0 && answered_ >= faults_.pullAfter; }
    VirtualCard& card() { return card_; }

private:
    VirtualCard& card_;
    CardFaults faults_;
    uint32_t answered_ = 0;
};
