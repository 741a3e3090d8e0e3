/* A reader driver library that lacks GET_BLOCK_STATUS; its FindDeviceEntry would report a reader. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

EXPORT char* FindDeviceEntry(const char* vendorId)
{
    (void)vendorId;
    return strdup("/dev/sdz");
}
EXPORT intptr_t OpenRV570X(const char* path) { return path ? 3 : 0; }
EXPORT uint8_t* SIM_InquiryFunctions(intptr_t handle, uint32_t* length)
{
    (void)handle;
    *length = 0;
    return NULL;
}
EXPORT uint32_t SIM_ReadData(intptr_t h, uint8_t* b, uint16_t l, uint8_t c5, uint8_t hi, uint8_t lo)
{
    (void)h, (void)b, (void)l, (void)c5, (void)hi, (void)lo;
    return 0;
}
EXPORT uint32_t SIM_WriteData(intptr_t h, const uint8_t* b, uint16_t l, uint8_t c5, uint8_t hi, uint8_t lo)
{
    (void)h, (void)b, (void)l, (void)c5, (void)hi, (void)lo;
    return 0;
}
