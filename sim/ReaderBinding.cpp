#include "sim/ReaderBinding.h"

#include "shell/Log.h"

#include <atomic>
#include <vector>

namespace {
std::atomic<ReaderService*> installed{nullptr};
constexpr size_t kReaderListSize = 10240;
}  // namespace

void ReaderBinding::setService(ReaderService* service) { installed.store(service); }

ReaderService* ReaderBinding::service() { return installed.load(); }

uint32_t ReaderBinding::SimCardInit(void* notify)
{
    Log::line("SimCardInit dwIndex=0");
    ReaderService* s = service();
    uint32_t context = s ? s->initQVSC(notify, 0) : 0;
    Log::line("SimCardInit end");
    return context;
}

void ReaderBinding::SimCardExit()
{
    Log::line("SimCardExit start");
    if (ReaderService* s = service()) s->freeQVSC();
    Log::line("SimCardExit end");
}

uint32_t ReaderBinding::QVConnect(uint32_t context, const std::string& reader, uint32_t* card,
                                  uint32_t* activeProtocol)
{
    Log::line("QVConnect start::pcReader=" + reader);
    ReaderService* s = service();
    uint32_t r = s ? s->qvConnect(context, reader.c_str(), kShareShared, kProtocolT0, card, activeProtocol)
                   : kNoService;
    Log::line("QVConnect end");
    return r;
}

void ReaderBinding::QVDisconnect(uint32_t card)
{
    Log::line("QVDisconnect start");
    if (ReaderService* s = service()) s->qvDisconnect(card, kLeaveCard);
    Log::line("QVDisconnect end");
}

std::string ReaderBinding::QVGetReaderList()
{
    Log::line("QVGetReaderList start");
    std::vector<char> buf(kReaderListSize + 1, '\0');
    if (ReaderService* s = service()) s->qvGetReaderList(buf.data());
    buf[kReaderListSize] = '\0';
    Log::line("QVGetReaderList end");
    return std::string(buf.data());
}

uint32_t ReaderBinding::doApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength)
{
    ReaderService* s = service();
    return s ? s->qvDoApdu(command, length, response, responseLength) : kNoService;
}

bool ReaderBinding::cardPresent(uint32_t context, const std::string& reader)
{
    ReaderService* s = service();
    if (!s) return false;
    uint32_t card = 0, proto = 0;
    if (s->qvConnect(context, reader.c_str(), kShareShared, kProtocolT0, &card, &proto) != 0) return false;
    s->qvDisconnect(card, kLeaveCard);
    return true;
}
