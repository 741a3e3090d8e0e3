#pragma once
#include "vsim/ChvState.h"
#include "vsim/ElementaryFile.h"

#include <cstdint>
#include <vector>

// Everything a virtual card holds: its answer to reset, its elementary files and its PIN.
// The directory tree is the MF 3F00 with every DF named as a parent of a file (7F10 ...).
struct CardImage {
    static constexpr uint16_t kMf = 0x3F00;
    static constexpr uint16_t kTelecom = 0x7F10;
    static constexpr uint16_t kIccid = 0x2FE2, kAdn = 0x6F3A, kSms = 0x6F3C, kMsisdn = 0x6F40,
                              kSmsp = 0x6F42, kExt1 = 0x6F4A;

    std::vector<uint8_t> atr{0x3B, 0x02, 0x14, 0x50};
    std::vector<ElementaryFile> files;
    ChvState chv;

    // An empty card (all records FF, PIN check off, PIN 0000) with the usual files:
    // ICCID (10 bytes), ADN (adnCount x 28), EXT1 (10 x 13), SMS (smsCount x 176),
    // MSISDN (2 x 28), SMSP (2 x 40).
    static CardImage blank(size_t adnCount = 250, size_t smsCount = 30);

    ElementaryFile* find(uint16_t id);
    const ElementaryFile* find(uint16_t id) const;
    // The DFs of the tree (MF first).
    std::vector<uint16_t> directories() const;
};
