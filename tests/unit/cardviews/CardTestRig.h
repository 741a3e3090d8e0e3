#pragma once
#include "shell/LocalTexts.h"
#include "sim/ReaderBinding.h"
#include "sim/SimPhoneBook.h"
#include "sim/SimShortMsg.h"
#include "store/CardDriverHost.h"
#include "vsim/VirtualReaderService.h"

#include <algorithm>
#include <functional>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// A virtual card in a virtual reader, bound as the program's reader service, with a fault
// switch: READ RECORD of one record number can be made to fail at the exchange level.
class CardTestRig : public ReaderService {
public:
    explicit CardTestRig(CardImage image = CardImage::blank(10, 5)) : card(std::move(image)), reader(card)
    {
        ReaderBinding::setService(this);
        setHints();
    }
    ~CardTestRig() override
    {
        ReaderBinding::setService(nullptr);
        LocalTexts::current().clear();
    }

    // Texts with the arguments the program passes, so tests can read the values back.
    static void setHints()
    {
        LocalTexts& t = LocalTexts::current();
        const std::pair<int, const char*> hints[] = {
            {1, "Warning"}, {2, "Question"}, {4, "Checking"}, {5, "No card"}, {6, "Card ready"},
            {12, "Card full"}, {14, "Reading %d/%d"}, {15, "%d contacts"}, {16, "Writing %d"},
            {17, "Contacts written"}, {18, "Message %d/%d"}, {19, "%d messages"}, {20, "Writing message %d"},
            {21, "Messages written"}, {65, "Too many records"}, {79, "Card removed"}, {95, "SMS open failed"},
            {96, "SMS file error"}, {97, "PIN blocked"}};
        for (const auto& [n, text] : hints) t.setHint(n, text);
    }

    // Writes phone-book records straight through the program's writer, then forgets the counts.
    void setPhoneRecords(const std::vector<std::pair<uint32_t, std::pair<std::string, std::string>>>& records)
    {
        SimPhoneBook::OpenSimPhoneFile();
        for (const auto& [index, entry] : records) SimPhoneBook::WriteSimPhoneBook(index, entry.first, entry.second);
        card.clearCounts();
    }

    // Gives the card a service-centre address; without one the message file is not read.
    void setServiceCentre()
    {
        uint8_t* record = card.image().find(CardImage::kSmsp)->record(1);
        record[12] = 0xFD;  // parameter indicators: the address is present
        const uint8_t address[12] = {0x07, 0x91, 0x88, 0x96, 0x00, 0x00, 0x00, 0xF0, 0xFF, 0xFF, 0xFF, 0xFF};
        std::copy(std::begin(address), std::end(address), record + 25);
    }

    // Writes messages (record, text, number) through the program's writer, then forgets the counts.
    void setMessages(const std::vector<std::pair<uint32_t, std::pair<std::string, std::string>>>& messages)
    {
        setServiceCentre();
        int error = 0;
        SimShortMsg::OpenSimShortMsgFile(error);
        for (const auto& [index, entry] : messages) {
            ShortMsg msg;
            msg.text = entry.first;
            msg.number = entry.second;
            msg.status = 1;
            SimShortMsg::WriteSimShortMsg(index, msg);
        }
        card.clearCounts();
    }

    uint32_t initQVSC(void* n, uint32_t i) override { return reader.initQVSC(n, i); }
    uint32_t freeQVSC() override { return reader.freeQVSC(); }
    uint32_t qvConnect(uint32_t c, const char* r, uint32_t s, uint32_t p, uint32_t* h, uint32_t* a) override
    {
        ++connects;
        return reader.qvConnect(c, r, s, p, h, a);
    }
    uint32_t qvDisconnect(uint32_t c, uint32_t d) override { return reader.qvDisconnect(c, d); }
    char* qvGetReaderList(char* b) override { return reader.qvGetReaderList(b); }
    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override
    {
        ++apdus;
        if (onApdu) onApdu();
        if (failRecord != 0 && length >= 4 && command[1] == VirtualCard::kReadRecord && command[2] == failRecord) {
            *responseLength = 0;
            return 0x80100069;  // the card was removed
        }
        return reader.qvDoApdu(command, length, response, responseLength);
    }

    VirtualCard card;
    VirtualReaderService reader;
    uint8_t failRecord = 0;  // READ RECORD of this record fails; 0 = none
    int connects = 0;
    int apdus = 0;
    std::function<void()> onApdu;  // runs before every card command
};

// Records what a card driver shows.
struct RecordingHost : CardDriverHost {
    void setCardState(const std::string& text) override { states.push_back(text); }
    void setInfo(const std::string& text) override { info = text; }
    void advanceProgress(int amount) override { progress += amount; }
    std::vector<std::string> states;
    std::string info;
    int progress = 0;
};
