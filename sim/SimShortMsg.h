#pragma once
#include "sim/ShortMsg.h"
#include "sim/SimIdentity.h"

#include <cstdint>
#include <vector>

// The card's message file (EF SMS under DF telecom): opening it, reading one record into a
// message and writing one record from a message.
class SimShortMsg {
public:
    // Result of a record number outside 1...255, or of a write before the file was opened
    // (nothing is sent).
    static constexpr int kBadRecordNumber = 0xFFF1;

    // Reads the service-centre address, selects EF SMS and sets the message geometry
    // (SimGeometry::message()). Returns record count x 65536 + record length; 0 when the card
    // holds no service-centre address (`errorCode` unchanged); the exchange status or -1 on
    // failure with `errorCode` 1-8 (1-2: the card is not reachable, 3-8: the file is not).
    static int64_t OpenSimShortMsgFile(int& errorCode);
    // READ RECORD of record `dwIndex` into the shared response buffer; `length` := bytes received.
    static uint16_t ReadDataFromSim(uint32_t dwIndex, uint32_t& length);
    // Reads and decodes record `dwIndex`. Returns 0, an exchange status, kBadRecordNumber or a
    // decode result 1001-1010 (`msg` then holds the fields decoded so far).
    static int ReadOneShortMsgByStructure(uint32_t dwIndex, ShortMsg& msg);
    // Writes `msg` into record `dwIndex` (an empty text frees the record). Returns 1000 when the
    // card took the record, 1001 when the number cannot be stored, otherwise the exchange status
    // or the refusing status word.
    static int WriteSimShortMsg(uint32_t dwIndex, const ShortMsg& msg);

    // Service-centre address found by the last OpenSimShortMsgFile (length byte first; empty
    // when none).
    static std::vector<uint8_t> serviceCentre();
};
