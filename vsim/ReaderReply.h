#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What a reader service does with a card's answer: the pseudo-command that asks for the answer
// to reset, copying a response into the caller's buffer without ever writing past its capacity,
// and the PC/SC result codes the service returns.
class ReaderReply {
public:
    static constexpr uint32_t kOk = 0;
    static constexpr uint32_t kInvalidHandle = 0x80100003;
    static constexpr uint32_t kInvalidParameter = 0x80100004;
    static constexpr uint32_t kInsufficientBuffer = 0x80100008;
    static constexpr uint32_t kUnknownReader = 0x80100009;
    static constexpr uint32_t kNoSmartcard = 0x8010000C;
    static constexpr uint32_t kCommError = 0x80100013;
    static constexpr uint32_t kNoService = 0x8010001D;
    static constexpr uint32_t kReaderUnavailable = 0x80100017;
    static constexpr uint32_t kRemovedCard = 0x80100069;

    // True for 00 02 00 00 02 00 00, the request for the card's answer to reset.
    static bool isAtrQuery(const uint8_t* command, uint32_t length);
    // Copies `reply` to `out` when it fits in *outLength (the capacity) and sets *outLength to
    // its size. When it does not fit nothing is written, *outLength is set to the size needed
    // and kInsufficientBuffer is returned.
    static uint32_t deliver(const std::vector<uint8_t>& reply, uint8_t* out, uint32_t* outLength);
    // Writes the names one per line, zero-terminated, into a reader-list buffer of kListSize
    // bytes (cut short rather than overrun); returns `buffer`.
    static char* writeReaderList(const std::vector<std::string>& names, char* buffer);

    static constexpr size_t kListSize = 10240;
};
