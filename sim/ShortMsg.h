#pragma once
#include <cstdint>
#include <string>

// One short message as the card's message file holds it, in the program's terms.
struct ShortMsg {
    std::string number;   // ASCII digits: the sender of a received message, the destination otherwise
    uint32_t coding = 0;  // data coding scheme byte
    double time = 0;      // service-centre time, local, days since 1899-12-30; 0 = none
    std::string text;     // ANSI text of the user data
    uint32_t status = 0;  // 1 received and read, 3 received and unread, 7 to be sent, 0 free
};

// Results of reading and writing one message record.
enum SmsResult : int {
    kSmsOk = 0,
    kSmsWritten = 1000,       // the card accepted the record
    kSmsBadStatus = 1001,     // reading: not a used record; writing: the number holds a non-digit
    kSmsBadScaLength = 1002,  // service-centre address longer than 32 bytes
    kSmsBadScaType = 1003,    // service-centre address type without its top bit
    kSmsTruncated = 1004,     // a header field lies beyond the bytes of the record
    kSmsBadAddressLength = 1005,
    kSmsBadAddressType = 1006,
    kSmsBadEvenPadding = 1007,  // even digit count, but the last high half is not a digit
    kSmsBadOddPadding = 1008,   // odd digit count, but the last high half is not F
    kSmsBadUserData = 1009,     // user data (or its header) run past the bytes of the record
    kSmsTooLong = 1010,         // user data length above 160
};
