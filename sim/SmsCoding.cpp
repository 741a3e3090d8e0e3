#include "sim/SmsCoding.h"

SmsCoding::Kind SmsCoding::of(uint8_t coding)
{
    if ((coding & 0xC0) == 0x00) {
        switch ((coding >> 2) & 0x03) {
        case 1: return EightBit;
        case 2: return Ucs2;
        default: return Gsm;
        }
    }
    if ((coding & 0xF0) == 0xF0) return (coding & 0x04) ? EightBit : Gsm;
    if (coding == 0x81) return Packed81;
    return Unknown;
}
