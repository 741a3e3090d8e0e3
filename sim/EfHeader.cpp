#include "sim/EfHeader.h"

namespace {

// Byte `position` (counted from 1, as GSM 11.11 counts them) or 0 when absent.
uint8_t headerByte(std::span<const uint8_t> data, size_t position)
{
    return position >= 1 && position <= data.size() ? data[position - 1] : 0;
}

constexpr size_t kFileSizeHigh = 3;
constexpr size_t kFileSizeLow = 4;
constexpr size_t kCharacteristics = 14;
constexpr size_t kRecordLength = 15;
constexpr size_t kChv1Status = 19;

}  // namespace

EfHeader EfHeader::parseElementary(std::span<const uint8_t> data, bool allowShift)
{
    EfHeader h;
    h.shifted = allowShift && !data.empty() && data[0] != 0;
    const size_t s = h.shifted ? 1 : 0;
    h.fileSize = static_cast<uint16_t>(headerByte(data, kFileSizeHigh + s) << 8 | headerByte(data, kFileSizeLow + s));
    h.recordLength = headerByte(data, kRecordLength + s);
    h.complete = data.size() >= kRecordLength + s;
    return h;
}

EfHeader EfHeader::parseMaster(std::span<const uint8_t> data)
{
    EfHeader h;
    h.fileSize = static_cast<uint16_t>(headerByte(data, kFileSizeHigh) << 8 | headerByte(data, kFileSizeLow));
    h.fileCharacteristics = headerByte(data, kCharacteristics);
    h.chv1Status = headerByte(data, kChv1Status);
    h.complete = data.size() >= kChv1Status;
    return h;
}
