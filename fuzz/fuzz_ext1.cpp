// Extension records of the phone book.
#include "FuzzInput.h"
#include "sim/PhoneRecordCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    PhoneRecordCodec::Decoded decoded;
    decoded.digits = "12345678901234567890";
    PhoneRecordCodec::addExtension(decoded, input.record);
    return 0;
}
