#pragma once
#include <cstdint>

// How the user data of a message are coded, from its data coding scheme byte.
class SmsCoding {
public:
    enum Kind {
        Gsm,       // GSM default alphabet, packed septets
        EightBit,  // bytes copied as they are
        Ucs2,      // big-endian UCS2
        Packed81,  // coding 81: packed septets up to the first FF, untranslated
        Unknown,   // no text
    };

    static Kind of(uint8_t coding);

    static constexpr uint8_t kDefault = 0x00;
    static constexpr uint8_t kUcs2 = 0x08;
};
