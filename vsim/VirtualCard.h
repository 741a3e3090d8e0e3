#pragma once
#include "vsim/CardImage.h"
#include "vsim/StatusWord.h"

#include <array>
#include <cstdint>
#include <vector>

// A GSM 11.11 SIM card in memory, answering command APDUs T=0 style: SELECT answers only
// 9F xx and the file header comes with GET RESPONSE.
//
//   VirtualCard card(CardImage::blank());          // or CardImageFile::load(...)
//   auto r = card.transmit({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00});   // -> 9F 16
//   r = card.transmit({0xA0, 0xC0, 0x00, 0x00, 0x16});                    // header, 90 00
//   card.count(0xDC);                              // UPDATE RECORD commands seen so far
//
// Commands: SELECT, STATUS, GET RESPONSE, READ/UPDATE BINARY, READ/UPDATE RECORD (next,
// previous, absolute), VERIFY/CHANGE/DISABLE/ENABLE/UNBLOCK CHV. Class A0 gets GSM status
// words, class 00 the ISO 7816-4 ones. Not thread-safe; VirtualReaderService serialises access.
class VirtualCard {
public:
    explicit VirtualCard(CardImage image = CardImage::blank());

    // Answers one command APDU with the response data followed by SW1 SW2. A removed card
    // answers nothing (empty vector).
    std::vector<uint8_t> transmit(const std::vector<uint8_t>& apdu);

    const std::vector<uint8_t>& atr() const { return image_.atr; }
    // Inserting powers the card up afresh (MF selected, PIN to be verified again).
    void insert();
    void remove() { inserted_ = false; }
    bool inserted() const { return inserted_; }
    void reset();

    // Commands received with instruction byte `ins` (whatever their outcome), and in all.
    uint32_t count(uint8_t ins) const { return counts_[ins]; }
    uint32_t total() const { return total_; }
    void clearCounts();

    const CardImage& image() const { return image_; }
    CardImage& image() { return image_; }
    // True once a command changed the files or the PIN state; cleared by markSaved().
    bool changed() const { return changed_; }
    void markSaved() { changed_ = false; }

    static constexpr uint8_t kSelect = 0xA4, kStatus = 0xF2, kGetResponse = 0xC0, kReadBinary = 0xB0,
                             kUpdateBinary = 0xD6, kReadRecord = 0xB2, kUpdateRecord = 0xDC,
                             kVerify = 0x20, kChange = 0x24, kDisable = 0x26, kEnable = 0x28,
                             kUnblock = 0x2C;

private:
    struct Command {
        uint8_t cla, ins, p1, p2, p3;
        const uint8_t* data;
        size_t dataLength;  // bytes after the header
    };
    using Reply = std::vector<uint8_t>;

    Reply dispatch(const Command& c);
    Reply select(const Command& c);
    Reply status(const Command& c);
    Reply getResponse(const Command& c);
    Reply readBinary(const Command& c);
    Reply updateBinary(const Command& c);
    Reply readRecord(const Command& c);
    Reply updateRecord(const Command& c);
    Reply chvCommand(const Command& c);

    Reply ok(std::vector<uint8_t> data = {}) const;
    Reply fail(CardError e) const;
    Reply chvReply(ChvState::Outcome o) const;
    Reply leading(const std::vector<uint8_t>& data, uint8_t p3) const;

    bool reachable(uint16_t id) const;
    uint16_t parentOf(uint16_t df) const;
    std::vector<uint8_t> directoryHeader(uint16_t df) const;
    // Checks that a file is selected, suits `records`, is usable for `access`; null + error otherwise.
    ElementaryFile* usableFile(bool records, bool update, CardError& error);
    // Resolves the record a READ/UPDATE RECORD addresses; 0 with `error` set when none.
    size_t recordNumber(const Command& c, const ElementaryFile& f, CardError& error) const;
    bool accessGranted(uint8_t condition) const;

    CardImage image_;
    bool inserted_ = true;
    bool iso_ = false;  // class of the command being answered
    bool changed_ = false;
    uint16_t currentDf_ = CardImage::kMf;
    int currentEf_ = -1;        // index into image_.files
    size_t currentRecord_ = 0;  // 0: none
    std::vector<uint8_t> waiting_;
    std::array<uint32_t, 256> counts_{};
    uint32_t total_ = 0;
};
