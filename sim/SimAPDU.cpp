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

// The command as the log shows it: the data of the CHV commands (PINs) are masked.
std::string commandText(const uint8_t* command, uint32_t size)
{
    constexpr uint32_t kHeader = 5;
    const bool carriesPin = size > kHeader && command[0] == 0xA0 &&
                            (command[1] == 0x20 || command[1] == 0x24 || command[1] == 0x26 || command[1] == 0x28 ||
                             command[1] == 0x2C);
    if (!carriesPin) return logHex(command, size);
    std::string text = logHex(command, kHeader);
    for (uint32_t i = kHeader; i < size; ++i) text += " **";
    return text;
}

}  // namespace

uint16_t SimAPDU(const uint8_t* pcInBuf, uint32_t dwSize, uint8_t* pcOutBuf, uint32_t* length)
{
    const uint32_t capacity = *length;
    if (Log::enabled())
        Log::line("SimAPDU start pcInBuf=" + commandText(pcInBuf, dwSize) + ",dwSize=" + std::to_string(dwSize) +
                  ",pcOutBuf=" + leadingBytes(pcOutBuf, capacity));
    std::memset(pcOutBuf, 0, capacity);
    auto status = static_cast<uint16_t>(ReaderBinding::doApdu(pcInBuf, dwSize, pcOutBuf, length) & 0xFFFF);
    if (*length > capacity) *length = capacity;
    Log::line("SimAPDU end");
    return status;
}
