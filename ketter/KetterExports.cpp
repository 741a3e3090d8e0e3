// The exported C interface of libKetter.so; everything else in the library is hidden.
#include "ketter/ketter.h"

#include "ketter/AspiManager.h"
#include "ketter/DeviceDiscovery.h"
#include "ketter/Platform.h"
#include "ketter/ReaderCommands.h"

extern "C" {

KETTER_API char* FindDeviceEntry(const char*) { return DeviceDiscovery::find(Platform::current()); }

KETTER_API KetterHandle OpenRV570X(const char* path) { return ReaderCommands::open(path); }

KETTER_API uint8_t* SIM_InquiryFunctions(KetterHandle handle, uint32_t* length)
{
    return ReaderCommands::inquiry(handle, length);
}

KETTER_API uint32_t SIM_ReadData(KetterHandle handle, uint8_t* buffer, uint16_t length, uint8_t cdbByte5,
                                 uint8_t cdbByte1High, uint8_t cdbByte1Low)
{
    return ReaderCommands::read(handle, buffer, length, cdbByte5, cdbByte1High, cdbByte1Low);
}

KETTER_API uint32_t SIM_WriteData(KetterHandle handle, const uint8_t* buffer, uint16_t length, uint8_t cdbByte5,
                                  uint8_t cdbByte1High, uint8_t cdbByte1Low)
{
    return ReaderCommands::write(handle, buffer, length, cdbByte5, cdbByte1High, cdbByte1Low);
}

KETTER_API uint32_t GET_BLOCK_STATUS(const uint8_t* bitmap, uint32_t index)
{
    return bitmap[index / 8] & (1u << (index % 8));
}

KETTER_API uint32_t InitASPI(void) { return AspiManager::init(); }

KETTER_API uint32_t TermASPI(void) { return AspiManager::term(); }

}  // extern "C"
