#pragma once
#include "sim/ReaderService.h"

#include <cstdint>
#include <string>

// The program's side of the reader service: the process-wide service and the logging
// wrappers through which every call to it goes.
class ReaderBinding {
public:
    // Installs the service (not owned); nullptr leaves the program without one.
    static void setService(ReaderService* service);
    static ReaderService* service();

    // InitQVSC with the notification handle and index 0; the result is the context.
    static uint32_t SimCardInit(void* notify);
    static void SimCardExit();
    // 0 when a card is in `reader`.
    static uint32_t QVConnect(uint32_t context, const std::string& reader, uint32_t* card,
                              uint32_t* activeProtocol);
    static void QVDisconnect(uint32_t card);
    // Reader names, one per line.
    static std::string QVGetReaderList();
    // One APDU exchange without logging (SimAPDU logs around it).
    static uint32_t doApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength);

    // Same as QVConnect followed by QVDisconnect; the poller's presence test. Does not log.
    static bool cardPresent(uint32_t context, const std::string& reader);

    static constexpr uint32_t kShareShared = 2;
    static constexpr uint32_t kProtocolT0 = 1;
    static constexpr uint32_t kLeaveCard = 0;
    static constexpr uint32_t kNoService = 0xFFFFFFFEu;
};
