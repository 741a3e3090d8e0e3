#pragma once
#include <cstdint>

// Geometry of the opened card files, kept process-wide after a file is opened.
class SimGeometry {
public:
    struct Phone {
        uint16_t recordLength = 0;    // 1 when the card reports 0
        int nameWidth = 0;            // reported record length - 14 (negative for short records)
        uint16_t reportedLength = 0;  // as the card reported it
        uint16_t recordCount = 0;
    };
    struct Message {
        uint16_t recordLength = 0;  // 1 when the card reports 0
        uint16_t fileSize = 0;
        uint16_t recordCount = 0;
    };

    static Phone& phone();
    static Message& message();

    // Record length used for divisions: 0 becomes 1.
    static uint16_t usableLength(uint16_t reported) { return reported == 0 ? 1 : reported; }
    static uint16_t recordCount(uint16_t fileSize, uint16_t reportedLength)
    {
        return static_cast<uint16_t>(fileSize / usableLength(reportedLength));
    }
    // Width of the alpha identifier in front of the 14 fixed bytes of a dialling-number record.
    static int nameWidth(uint16_t reportedLength) { return static_cast<int>(reportedLength) - 14; }
};
