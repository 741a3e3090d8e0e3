#pragma once
#include <cstdint>

// The six calls of the reader service library, as an interface: the program binds it to
// libQVSIMSC.so (ReaderServiceLibrary); tests bind it to a virtual card in the same process.
class ReaderService {
public:
    virtual ~ReaderService() = default;
    virtual uint32_t initQVSC(void* notify, uint32_t index) = 0;
    virtual uint32_t freeQVSC() = 0;
    virtual uint32_t qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                               uint32_t* card, uint32_t* activeProtocol) = 0;
    virtual uint32_t qvDisconnect(uint32_t card, uint32_t disposition) = 0;
    // Fills `buffer` (10 240 bytes) with the reader names, one per line; returns `buffer`.
    virtual char* qvGetReaderList(char* buffer) = 0;
    virtual uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) = 0;
};
