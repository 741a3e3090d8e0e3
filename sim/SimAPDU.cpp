#include "sim/SimAPDU.h"

#include "shell/Log.h"
#include "sim/ReaderBinding.h"

#include <cstring>

namespace {

// The response buffer as the log shows it: its bytes up to the first zero.
std::string leadingBytes(const uint8_t* buffer, uint32_t capacity)
{
    const void* zero = std::memchr(buffer, 0, capacity);
    size_t n = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - buffer) : capacity;
    return logHex(buffer, n);
}

}  // namespace

uint16_t SimAPDU(const uint8_t* pcInBuf, uint32_t dwSize, uint8_t* pcOutBuf, uint32_t* length)
{
    const uint32_t capacity = *length;
    if (Log::enabled())
        Log::line("SimAPDU start pcInBuf=" + logHex(pcInBuf, dwSize) + ",dwSize=" + std::to_string(dwSize) +
                  ",pcOutBuf=" + leadingBytes(pcOutBuf, capacity));
    std::memset(pcOutBuf, 0, capacity);
    auto status = static_cast<uint16_t>(ReaderBinding::doApdu(pcInBuf, dwSize, pcOutBuf, length) & 0xFFFF);
    if (*length > capacity) *length = capacity;
    Log::line("SimAPDU end");
    return status;
}
