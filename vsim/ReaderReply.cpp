#include "vsim/ReaderReply.h"

#include <algorithm>
#include <cstring>

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

char* ReaderReply::writeReaderList(const std::vector<std::string>& names, char* buffer)
{
    if (!buffer) return buffer;
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : "\n") + name;
    text.resize(std::min(text.size(), kListSize - 1));
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}
