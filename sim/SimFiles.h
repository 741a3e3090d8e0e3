#pragma once
#include "sim/EfHeader.h"
#include "sim/SimCommand.h"
#include "sim/SimResponse.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Exchanges through the shared response buffer, file selection and status judgement.
class SimFiles {
public:
    static constexpr uint16_t kMasterFile = 0x3F00;
    static constexpr uint16_t kTelecom = 0x7F10;
    static constexpr uint16_t kAdn = 0x6F3A;
    static constexpr uint16_t kSms = 0x6F3C;
    static constexpr uint16_t kMsisdn = 0x6F40;
    static constexpr uint16_t kSmsp = 0x6F42;
    static constexpr uint16_t kExt1 = 0x6F4A;
    static constexpr uint16_t kIccid = 0x2FE2;

    // Response length announced to the reader service on every exchange.
    static constexpr uint32_t kCapacity = 300;
    // Result of an operation whose card data do not fit their own lengths or the buffers
    // (the fields decoded so far are kept). Never an exchange status.
    static constexpr uint16_t kDamagedData = 0xFFF0;

    // One exchange into the shared response buffer, filled with `fill` over its whole size
    // first when given. Returns the exchange status.
    static uint16_t exchange(const SimCommand::Bytes& command, std::optional<uint8_t> fill = std::nullopt);
    // The last response as received.
    static SimResponse response();

    static uint16_t select(uint16_t fileId);
    // SELECT 3F00, SELECT 7F10, SELECT `ef`; the status of the last one.
    static uint16_t selectTelecomFile(uint16_t ef);
    // GET RESPONSE with Le = byte 1 of the previous (SELECT) response.
    static uint16_t getResponse();
    // READ RECORD in absolute mode; the response buffer is FF-filled first.
    static uint16_t readRecord(uint8_t record, uint8_t length);
    static uint16_t updateRecord(uint8_t record, std::span<const uint8_t> data);
    static uint16_t readBinary(uint8_t length);
    // Copies `record` into the shared image buffer and sends it with UPDATE RECORD. Returns the
    // exchange status, or the card's status word when the exchange took place but the card
    // refused the update (never 0 for a refusal). Records longer than the buffer are not sent.
    static uint16_t writeRecord(uint8_t record, std::span<const uint8_t> bytes);

    // The record of the last READ RECORD response: it starts after an echoed instruction byte,
    // and bytes the card did not send count as FF. `whole` is false for a short response.
    static std::vector<uint8_t> receivedRecord(size_t length, bool& whole);

    // SW1 = 90, 91 or 9F.
    static bool isSuccess(uint8_t sw1) { return sw1 == 0x90 || sw1 == 0x91 || sw1 == 0x9F; }
    // SW1 of a response without data (byte 0 of the buffer, as after SELECT).
    static uint8_t leadingSw1() { return response().at(0); }
    // The status word ending the last response (0 when fewer than two bytes came).
    static uint16_t trailingStatusWord();

    // The elementary-file header of the last GET RESPONSE.
    static EfHeader elementaryHeader(bool allowShift) { return EfHeader::parseElementary(response().data(), allowShift); }
};
