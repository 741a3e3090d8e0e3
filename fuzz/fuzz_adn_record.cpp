// Phone book records: the record's length gives the name width, as on the card.
#include "FuzzInput.h"
#include "sim/PhoneRecordCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    const int nameWidth = static_cast<int>(input.record.size()) - static_cast<int>(PhoneRecordCodec::kFixedBytes);
    const PhoneRecordCodec::Decoded decoded = PhoneRecordCodec::decode(input.record, nameWidth);
    PhoneRecordCodec::encode(decoded.name, decoded.number(), input.record.size(), nameWidth);
    return 0;
}
