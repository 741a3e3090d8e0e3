#include "readersvc/PcscReaderService.h"

#include "vsim/ReaderReply.h"

#include <cstring>

namespace {
constexpr size_t kMaxResponse = 258 + 2;  // 256 data bytes, SW1 SW2, some slack
constexpr uint32_t kTokenBit = 0x80000000u;

// A failure whose low 16 bits are zero would read as success to a caller that keeps only those.
uint32_t result(LONG rv)
{
    auto r = static_cast<uint32_t>(rv);
    return (r != 0 && (r & 0xFFFF) == 0) ? ReaderReply::kCommError : r;
}
}  // namespace

PcscReaderService::~PcscReaderService() { freeQVSC(); }

bool PcscReaderService::contextLost(LONG rv)
{
    return rv == SCARD_E_NO_SERVICE || rv == SCARD_E_INVALID_HANDLE;
}

LONG PcscReaderService::ensureContext()
{
    if (hasContext_) return SCARD_S_SUCCESS;
    LONG rv = SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context_);
    hasContext_ = rv == SCARD_S_SUCCESS;
    return rv;
}

void PcscReaderService::dropApduCard()
{
    if (hasApduCard_) SCardDisconnect(apduCard_, SCARD_LEAVE_CARD);
    hasApduCard_ = false;
}

void PcscReaderService::dropStaleApduCard()
{
    if (!hasApduCard_) return;
    char name[MAX_READERNAME];
    DWORD nameLength = sizeof name, state = 0, proto = 0;
    BYTE atr[MAX_ATR_SIZE];
    DWORD atrLength = sizeof atr;
    if (SCardStatus(apduCard_, name, &nameLength, &state, &proto, atr, &atrLength) != SCARD_S_SUCCESS) dropApduCard();
}

void PcscReaderService::dropContext()
{
    dropApduCard();
    for (auto& [token, handle] : handles_) SCardDisconnect(handle, SCARD_LEAVE_CARD);
    handles_.clear();
    if (hasContext_) SCardReleaseContext(context_);
    hasContext_ = false;
}

template <class Step> LONG PcscReaderService::withContext(Step step)
{
    LONG rv = ensureContext();
    if (rv == SCARD_S_SUCCESS) rv = step();
    if (!contextLost(rv)) return rv;
    dropContext();
    rv = ensureContext();
    return rv == SCARD_S_SUCCESS ? step() : rv;
}

uint32_t PcscReaderService::initQVSC(void*, uint32_t)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return ensureContext() == SCARD_S_SUCCESS ? kContextToken : 0;
}

uint32_t PcscReaderService::freeQVSC()
{
    std::lock_guard<std::mutex> lock(mutex_);
    dropContext();
    return 0;
}

LONG PcscReaderService::listReaders(std::vector<std::string>& names)
{
    names.clear();
    DWORD size = 0;
    LONG rv = SCardListReaders(context_, nullptr, nullptr, &size);
    if (rv != SCARD_S_SUCCESS) return rv;
    std::vector<char> multi(size + 1, '\0');
    rv = SCardListReaders(context_, nullptr, multi.data(), &size);
    if (rv != SCARD_S_SUCCESS) return rv;
    for (const char* p = multi.data(); *p; p += std::strlen(p) + 1) names.emplace_back(p);
    return rv;
}

std::vector<std::string> PcscReaderService::readers()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> names;
    withContext([&] { return listReaders(names); });
    return names;
}

char* PcscReaderService::qvGetReaderList(char* buffer)
{
    return ReaderReply::writeReaderList(readers(), buffer);
}

uint32_t PcscReaderService::qvConnect(uint32_t, const char* reader, uint32_t shareMode, uint32_t protocols,
                                      uint32_t* card, uint32_t* activeProtocol)
{
    if (!reader) return ReaderReply::kInvalidParameter;
    std::lock_guard<std::mutex> lock(mutex_);
    if (reader_ != reader) {
        dropApduCard();
        reader_ = reader;
    }
    SCARDHANDLE handle = 0;
    DWORD proto = 0;
    LONG rv = withContext([&] { return SCardConnect(context_, reader, shareMode, protocols, &handle, &proto); });
    dropStaleApduCard();
    if (rv != SCARD_S_SUCCESS) return result(rv);
    const uint32_t token = kTokenBit | nextToken_++;
    handles_[token] = handle;
    if (card) *card = token;
    if (activeProtocol) *activeProtocol = static_cast<uint32_t>(proto);
    return 0;
}

uint32_t PcscReaderService::qvDisconnect(uint32_t card, uint32_t disposition)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = handles_.find(card);
    if (it == handles_.end()) return ReaderReply::kInvalidHandle;
    LONG rv = SCardDisconnect(it->second, disposition);
    handles_.erase(it);
    return result(rv);
}

void PcscReaderService::forgetReader()
{
    std::lock_guard<std::mutex> lock(mutex_);
    dropApduCard();
    reader_.clear();
}

LONG PcscReaderService::connectApduCard()
{
    if (hasApduCard_) return SCARD_S_SUCCESS;
    if (reader_.empty()) {
        std::vector<std::string> names;
        LONG rv = listReaders(names);
        if (rv != SCARD_S_SUCCESS) return rv;
        if (names.empty()) return SCARD_E_NO_READERS_AVAILABLE;
        reader_ = names.front();
    }
    LONG rv = SCardConnect(context_, reader_.c_str(), SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1,
                           &apduCard_, &apduProtocol_);
    hasApduCard_ = rv == SCARD_S_SUCCESS;
    return rv;
}

LONG PcscReaderService::transmit(const uint8_t* command, uint32_t length, std::vector<uint8_t>& reply)
{
    LONG rv = connectApduCard();
    if (rv != SCARD_S_SUCCESS) return rv;
    reply.assign(kMaxResponse, 0);
    DWORD got = static_cast<DWORD>(reply.size());
    const SCARD_IO_REQUEST* pci = apduProtocol_ == SCARD_PROTOCOL_T1 ? SCARD_PCI_T1 : SCARD_PCI_T0;
    rv = SCardTransmit(apduCard_, pci, command, length, nullptr, reply.data(), &got);
    if (rv == SCARD_W_RESET_CARD && SCardReconnect(apduCard_, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1,
                                                   SCARD_LEAVE_CARD, &apduProtocol_) == SCARD_S_SUCCESS) {
        got = static_cast<DWORD>(reply.size());
        rv = SCardTransmit(apduCard_, pci, command, length, nullptr, reply.data(), &got);
    }
    if (rv != SCARD_S_SUCCESS) {
        if (!contextLost(rv)) dropApduCard();
        return rv;
    }
    reply.resize(got);
    return rv;
}

LONG PcscReaderService::readAtr(std::vector<uint8_t>& atr)
{
    LONG rv = connectApduCard();
    if (rv != SCARD_S_SUCCESS) return rv;
    char name[MAX_READERNAME];
    DWORD nameLength = sizeof name, state = 0, proto = 0;
    atr.assign(MAX_ATR_SIZE, 0);
    DWORD atrLength = MAX_ATR_SIZE;
    rv = SCardStatus(apduCard_, name, &nameLength, &state, &proto, atr.data(), &atrLength);
    if (rv != SCARD_S_SUCCESS) {
        if (!contextLost(rv)) dropApduCard();
        return rv;
    }
    atr.resize(atrLength);
    return rv;
}

uint32_t PcscReaderService::qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response,
                                     uint32_t* responseLength)
{
    if (!command || !response || !responseLength) return ReaderReply::kInvalidParameter;
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<uint8_t> reply;
    LONG rv = withContext([&] {
        return ReaderReply::isAtrQuery(command, length) ? readAtr(reply) : transmit(command, length, reply);
    });
    if (rv != SCARD_S_SUCCESS) {
        *responseLength = 0;
        return result(rv);
    }
    return ReaderReply::deliver(reply, response, responseLength);
}
