#pragma once
#include "sim/ReaderService.h"

#include <PCSC/winscard.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// The reader service over pcsc-lite. QVConnect opens (and the caller closes) a connection to
// test for a card; APDUs go through a connection of their own to the reader last named by
// QVConnect (the first reader when none was named), opened on demand and kept. A context lost
// with pcscd (no service, invalid handle) is established again and the call tried once more;
// a card pulled or a reader unplugged gives a non-zero result.
class PcscReaderService : public ReaderService {
public:
    PcscReaderService() = default;
    ~PcscReaderService() override;
    PcscReaderService(const PcscReaderService&) = delete;
    PcscReaderService& operator=(const PcscReaderService&) = delete;

    uint32_t initQVSC(void* notify, uint32_t index) override;
    uint32_t freeQVSC() override;
    uint32_t qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                       uint32_t* card, uint32_t* activeProtocol) override;
    uint32_t qvDisconnect(uint32_t card, uint32_t disposition) override;
    char* qvGetReaderList(char* buffer) override;
    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override;

    // The reader names pcscd reports (empty without pcscd).
    std::vector<std::string> readers();
    // Names the reader that APDUs go to, without connecting (the router's QVConnect to another
    // service makes the choice).
    void forgetReader();

    static constexpr uint32_t kContextToken = 0x50C5;

private:
    LONG ensureContext();
    void dropContext();
    void dropApduCard();
    // Drops the APDU connection when its card has been taken out (or reset) since it was opened,
    // so that the next exchange reaches the card now in the reader. Every QVConnect checks this.
    void dropStaleApduCard();
    LONG listReaders(std::vector<std::string>& names);
    LONG connectApduCard();
    LONG transmit(const uint8_t* command, uint32_t length, std::vector<uint8_t>& reply);
    LONG readAtr(std::vector<uint8_t>& atr);
    static bool contextLost(LONG rv);
    // Runs `step` and, when the context was lost, establishes it again and runs `step` once more.
    template <class Step> LONG withContext(Step step);

    std::mutex mutex_;
    SCARDCONTEXT context_ = 0;
    bool hasContext_ = false;
    std::string reader_;  // reader named last
    SCARDHANDLE apduCard_ = 0;
    bool hasApduCard_ = false;
    DWORD apduProtocol_ = SCARD_PROTOCOL_T0;
    std::map<uint32_t, SCARDHANDLE> handles_;  // tokens given out by QVConnect
    uint32_t nextToken_ = 1;
};
