#pragma once
#include "vsim/VirtualCard.h"
#include "vsim/VirtualReaderService.h"

#include <cstdint>
#include <vector>

// A virtual card whose record file `id` holds exactly one record, installed as the reader
// service while the object lives: the card operations then decode a record given on the
// command line exactly as they decode one read from a card.
class OneFileCard {
public:
    // `record` must hold 1-255 bytes (checked by the caller).
    OneFileCard(uint16_t id, const std::vector<uint8_t>& record);
    ~OneFileCard();
    OneFileCard(const OneFileCard&) = delete;
    OneFileCard& operator=(const OneFileCard&) = delete;

private:
    static CardImage imageWith(uint16_t id, const std::vector<uint8_t>& record);

    VirtualCard card_;
    VirtualReaderService service_;
};
