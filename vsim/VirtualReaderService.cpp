#include "vsim/VirtualReaderService.h"

#include "vsim/ReaderReply.h"


VirtualReaderService::VirtualReaderService(VirtualCard& card, std::string readerName)
    : card_(card), name_(std::move(readerName))
{
}

uint32_t VirtualReaderService::initQVSC(void*, uint32_t) { return kContext; }

uint32_t VirtualReaderService::freeQVSC() { return 0; }

uint32_t VirtualReaderService::qvConnect(uint32_t, const char* reader, uint32_t, uint32_t, uint32_t* card,
                                         uint32_t* activeProtocol)
{
    if (!reader || name_ != reader) return ReaderReply::kUnknownReader;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!card_.inserted()) return ReaderReply::kNoSmartcard;
    if (card) *card = kCardHandle;
    if (activeProtocol) *activeProtocol = 1;  // T=0
    return ReaderReply::kOk;
}

uint32_t VirtualReaderService::qvDisconnect(uint32_t card, uint32_t)
{
    return card == kCardHandle ? ReaderReply::kOk : ReaderReply::kInvalidHandle;
}

char* VirtualReaderService::qvGetReaderList(char* buffer)
{
    return ReaderReply::writeReaderList({name_}, buffer);
}

uint32_t VirtualReaderService::qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response,
                                        uint32_t* responseLength)
{
    if (!command || !response || !responseLength) return ReaderReply::kInvalidParameter;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!card_.inserted()) {
        *responseLength = 0;
        return ReaderReply::kRemovedCard;
    }
    if (ReaderReply::isAtrQuery(command, length)) return ReaderReply::deliver(card_.atr(), response, responseLength);
    return ReaderReply::deliver(card_.transmit(std::vector<uint8_t>(command, command + length)), response,
                                responseLength);
}

void VirtualReaderService::insertCard()
{
    std::lock_guard<std::mutex> lock(mutex_);
    card_.insert();
}

void VirtualReaderService::removeCard()
{
    std::lock_guard<std::mutex> lock(mutex_);
    card_.remove();
}
