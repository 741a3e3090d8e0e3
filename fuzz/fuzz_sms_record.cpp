// Message records: decode, then write the decoded message again and decode what was written.
#include "FuzzInput.h"
#include "sim/SmsDecoder.h"
#include "sim/SmsEncoder.h"

#include <cstdlib>

namespace {
int utc(int64_t) { return 0; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    ShortMsg msg;
    const int result = SmsDecoder::decode(input.record.data(), input.record.size(), msg, utc);
    if (result != 0 && (result < kSmsBadStatus || result > kSmsTooLong)) std::abort();
    const size_t length = input.record.empty() ? 176 : input.record.size() % 256;
    std::vector<uint8_t> written;
    if (SmsEncoder::build(msg, input.record, SmsTimeStamp::encode(0, 0), length, written) != kSmsOk) return 0;
    if (written.size() != length) std::abort();
    ShortMsg back;
    SmsDecoder::decode(written.data(), written.size(), back, utc);
    return 0;
}
