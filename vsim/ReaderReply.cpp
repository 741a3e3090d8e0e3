#include "vsim/ReaderReply.h"

#include <algorithm>

bool ReaderReply::isAtrQuery(const uint8_t* command, uint32_t length)
{
    static constexpr uint8_t kQuery[] = {0x00, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00};
    return command && length == sizeof kQuery && std::equal(kQuery, kQuery + sizeof kQuery, command);
}

uint32_t ReaderReply::deliver(const std::vector<uint8_t>& reply, uint8_t* out, uint32_t* outLength)
{
    if (!out || !outLength) return kInvalidParameter;
    const uint32_t capacity = *outLength;
    *outLength = static_cast<uint32_t>(reply.size());
    if (reply.size() > capacity) return kInsufficientBuffer;
    std::copy(reply.begin(), reply.end(), out);
    return kOk;
}
