#include "readersvc/ReaderRouter.h"

#include "vsim/ReaderReply.h"

#include <algorithm>

ReaderRouter::ReaderRouter(std::vector<Member> members) : members_(std::move(members)) {}

uint32_t ReaderRouter::initQVSC(void* notify, uint32_t index)
{
    uint32_t context = 0;
    for (Member& m : members_) {
        uint32_t c = m.service->initQVSC(notify, index);
        if (context == 0) context = c;
    }
    return context;
}

uint32_t ReaderRouter::freeQVSC()
{
    for (Member& m : members_) m.service->freeQVSC();
    std::lock_guard<std::mutex> lock(mutex_);
    handles_.clear();
    active_ = nullptr;
    return 0;
}

ReaderRouter::Member* ReaderRouter::owner(const std::string& reader)
{
    for (Member& m : members_) {
        std::vector<std::string> names = m.readersOf();
        if (std::find(names.begin(), names.end(), reader) != names.end()) return &m;
    }
    return nullptr;
}

uint32_t ReaderRouter::qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                                 uint32_t* card, uint32_t* activeProtocol)
{
    if (!reader) return ReaderReply::kInvalidParameter;
    Member* m = owner(reader);
    if (!m) m = members_.empty() ? nullptr : &members_.back();  // let the last one report the error
    if (!m) return ReaderReply::kUnknownReader;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (active_ && active_ != m) active_->forget();
        active_ = m;
    }
    uint32_t handle = 0;
    uint32_t r = m->service->qvConnect(context, reader, shareMode, protocols, &handle, activeProtocol);
    if (r == 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        handles_[handle] = m;
        if (card) *card = handle;
    }
    return r;
}

uint32_t ReaderRouter::qvDisconnect(uint32_t card, uint32_t disposition)
{
    Member* m = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = handles_.find(card);
        if (it == handles_.end()) return ReaderReply::kInvalidHandle;
        m = it->second;
        handles_.erase(it);
    }
    return m->service->qvDisconnect(card, disposition);
}

char* ReaderRouter::qvGetReaderList(char* buffer)
{
    std::vector<std::string> names;
    for (Member& m : members_)
        for (const std::string& name : m.readersOf()) names.push_back(name);
    return ReaderReply::writeReaderList(names, buffer);
}

ReaderRouter::Member* ReaderRouter::apduTarget()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (active_) return active_;
    for (Member& m : members_)
        if (!m.readersOf().empty()) return active_ = &m;
    return nullptr;
}

uint32_t ReaderRouter::qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength)
{
    Member* m = apduTarget();
    if (!m) {
        if (responseLength) *responseLength = 0;
        return ReaderReply::kNoSmartcard;
    }
    return m->service->qvDoApdu(command, length, response, responseLength);
}
