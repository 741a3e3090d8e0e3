#pragma once
#include "ketter/ketter.h"

#include <cstdint>

// The reader's commands for each platform generation: open, inquiry, data read, data write.
class ReaderCommands {
public:
    static KetterHandle open(const char* path);
    static uint8_t* inquiry(KetterHandle handle, uint32_t* length);
    static uint32_t read(KetterHandle handle, uint8_t* buffer, uint16_t length, uint8_t cdbByte5, uint8_t high,
                         uint8_t low);
    static uint32_t write(KetterHandle handle, const uint8_t* buffer, uint16_t length, uint8_t cdbByte5,
                          uint8_t high, uint8_t low);

private:
    static uint8_t* passThroughInquiry(KetterHandle handle, uint32_t* length, bool nt6);
    static uint8_t* aspiInquiry(uint32_t* length);
    static uint8_t* copyReply(const uint8_t* reply, uint32_t copied, uint32_t blockSize);
};
