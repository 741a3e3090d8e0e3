#pragma once
#include "sim/ReaderService.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// Joins several reader services into one: the reader list is theirs one after the other,
// QVConnect goes to the service that lists the reader, and APDUs to the service of the reader
// named last (the first service with a reader before any was named).
class ReaderRouter : public ReaderService {
public:
    // `readersOf` gives a service's reader names; `forget` tells a service that the reader
    // named last now belongs to another service.
    struct Member {
        ReaderService* service;
        std::function<std::vector<std::string>()> readersOf;
        std::function<void()> forget;
    };

    explicit ReaderRouter(std::vector<Member> members);

    uint32_t initQVSC(void* notify, uint32_t index) override;
    uint32_t freeQVSC() override;
    uint32_t qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                       uint32_t* card, uint32_t* activeProtocol) override;
    uint32_t qvDisconnect(uint32_t card, uint32_t disposition) override;
    char* qvGetReaderList(char* buffer) override;
    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override;

private:
    Member* owner(const std::string& reader);
    Member* apduTarget();

    std::vector<Member> members_;
    std::mutex mutex_;
    Member* active_ = nullptr;
    std::map<uint32_t, Member*> handles_;
};
