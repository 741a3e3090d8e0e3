#pragma once
// A virtual card behind a reader service the tests can bend: it can put the instruction byte
// in front of response data, fail chosen commands, and it records every command sent.
#include "shell/AppPaths.h"
#include "shell/Pacer.h"
#include "sim/ReaderBinding.h"
#include "tests/support/FakePacer.h"
#include "tests/support/ScratchDir.h"
#include "text/CodePage.h"
#include "vsim/VirtualCard.h"
#include "vsim/VirtualReaderService.h"

#include <cstring>
#include <map>
#include <vector>

class BentReader : public ReaderService {
public:
    explicit BentReader(ReaderService& inner) : inner_(inner) {}

    uint32_t initQVSC(void* n, uint32_t i) override { return inner_.initQVSC(n, i); }
    uint32_t freeQVSC() override { return inner_.freeQVSC(); }
    uint32_t qvConnect(uint32_t c, const char* r, uint32_t s, uint32_t p, uint32_t* h, uint32_t* a) override
    {
        return inner_.qvConnect(c, r, s, p, h, a);
    }
    uint32_t qvDisconnect(uint32_t h, uint32_t d) override { return inner_.qvDisconnect(h, d); }
    char* qvGetReaderList(char* b) override { return inner_.qvGetReaderList(b); }

    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override
    {
        std::vector<uint8_t> apdu(command, command + length);
        sent.push_back(apdu);
        for (const auto& [prefix, status] : failures)
            if (startsWith(apdu, prefix)) return status;
        for (const auto& [prefix, reply] : replies)
            if (startsWith(apdu, prefix) && reply.size() <= *responseLength) {
                std::copy(reply.begin(), reply.end(), response);
                *responseLength = static_cast<uint32_t>(reply.size());
                return 0;
            }
        const uint32_t capacity = *responseLength;
        uint32_t status = inner_.qvDoApdu(command, length, response, responseLength);
        if (status == 0 && echoInstruction && *responseLength > 2 && *responseLength < capacity) {
            std::memmove(response + 1, response, *responseLength);
            response[0] = command[1];
            ++*responseLength;
        }
        return status;
    }

    // Commands sent with instruction byte `ins`.
    size_t count(uint8_t ins) const
    {
        size_t n = 0;
        for (const auto& c : sent) n += c.size() > 1 && c[1] == ins;
        return n;
    }

    bool echoInstruction = false;
    std::map<std::vector<uint8_t>, uint32_t> failures;             // command prefix -> exchange status
    std::map<std::vector<uint8_t>, std::vector<uint8_t>> replies;  // command prefix -> fixed response
    std::vector<std::vector<uint8_t>> sent;

private:
    static bool startsWith(const std::vector<uint8_t>& apdu, const std::vector<uint8_t>& prefix)
    {
        return apdu.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), apdu.begin());
    }

    ReaderService& inner_;
};

// The card, its service and the bent reader, installed for one test; data directory in a
// scratch directory, Big5 code page, instant pacer.
class SimTestCard {
public:
    explicit SimTestCard(CardImage image = CardImage::blank(), int codePage = 950)
        : card(std::move(image)), service(card), reader(service)
    {
        ReaderBinding::setService(&reader);
        AppPaths::setDataDir(scratch.path());
        CodePage::setAnsi(codePage);
        Pacer::setCurrent(&pacer);
    }
    ~SimTestCard()
    {
        ReaderBinding::setService(nullptr);
        Pacer::setCurrent(nullptr);
        CodePage::setAnsi(0);
    }
    SimTestCard(const SimTestCard&) = delete;
    SimTestCard& operator=(const SimTestCard&) = delete;

    ElementaryFile& file(uint16_t id) { return *card.image().find(id); }
    std::vector<uint8_t> record(uint16_t id, size_t n)
    {
        ElementaryFile& f = file(id);
        return {f.record(n), f.record(n) + f.recordLength};
    }
    void setRecord(uint16_t id, size_t n, const std::vector<uint8_t>& bytes)
    {
        ElementaryFile& f = file(id);
        std::vector<uint8_t> r(f.recordLength, 0xFF);
        std::copy_n(bytes.begin(), std::min(bytes.size(), r.size()), r.begin());
        std::copy(r.begin(), r.end(), f.record(n));
    }

    ScratchDir scratch;
    FakePacer pacer;
    VirtualCard card;
    VirtualReaderService service;
    BentReader reader;
};

// "41 6E 6E 61" -> bytes.
inline std::vector<uint8_t> hexBytes(const std::string& hex)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return out;
}
