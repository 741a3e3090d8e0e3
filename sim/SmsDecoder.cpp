#include "sim/SmsDecoder.h"

#include "sim/Septets.h"
#include "sim/SmsAlphabet.h"
#include "sim/SmsCoding.h"
#include "text/CodePage.h"

#include <algorithm>

namespace {

constexpr size_t kMaxScaLength = 32;
constexpr size_t kMaxDigits = 32;
constexpr size_t kMaxUserDataLength = 160;
constexpr size_t kStampSize = 7;
// Coding 81 reads no further than this byte of the record.
constexpr size_t kPacked81Limit = 510;

constexpr uint8_t kHeaderIndicator = 0x40;  // TP-UDHI in the first octet

// Type of number 101: the address field holds 7-bit packed characters, not digits.
bool isAlphanumeric(uint8_t type) { return (type & 0x70) == 0x50; }

bool isUsedStatus(uint8_t status) { return status == 1 || status == 3 || status == 7; }

// Big-endian UCS2 up to the first FFFF, converted to the code page.
std::string ucs2ToAnsi(const uint8_t* data, size_t bytes)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        const char16_t c = static_cast<char16_t>((data[i] << 8) | data[i + 1]);
        if (c == 0xFFFF) break;
        text.push_back(c);
    }
    return CodePage::fromUtf16(text);
}

// Bytes up to the first zero: the text ends there.
std::string upToZero(const uint8_t* data, size_t bytes)
{
    const uint8_t* end = std::find(data, data + bytes, 0);
    return std::string(data, end);
}

// Length of the validity period field for the format bits of an SMS-SUBMIT first octet.
size_t validityPeriodLength(uint8_t firstOctet)
{
    switch ((firstOctet >> 3) & 0x03) {
    case 0: return 0;
    case 2: return 1;
    default: return kStampSize;
    }
}

}  // namespace

int SmsDecoder::decode(const uint8_t* record, size_t size, ShortMsg& msg, SmsTimeStamp::LocalOffset localOffset)
{
    if (size == 0 || !isUsedStatus(record[0])) return kSmsBadStatus;
    msg.status = record[0];
    SmsDecoder decoder(record, size, msg, localOffset);
    return record[0] == 7 ? decoder.decodeSubmit() : decoder.decodeDeliver();
}

int SmsDecoder::readServiceCentre(size_t& end)
{
    if (!has(1)) return kSmsTruncated;
    const size_t length = at(1);
    if (length != 0) {
        if (length > kMaxScaLength) return kSmsBadScaLength;
        if (!has(2)) return kSmsTruncated;
        if (!(at(2) & 0x80)) return kSmsBadScaType;
    }
    end = length + 2;
    return has(end) ? kSmsOk : kSmsTruncated;
}

int SmsDecoder::decodeDeliver()
{
    size_t p = 0;
    if (int r = readServiceCentre(p)) return r;
    const uint8_t first = at(p);
    if (first & 0x10) ++p;
    if (int r = readAddress(p)) return r;
    if (!has(p + 2)) return kSmsTruncated;
    msg_.coding = at(p + 2);
    if ((first & 0x03) == 0) {
        if (!has(p + 3, kStampSize)) return kSmsTruncated;
        msg_.time = SmsTimeStamp::decode(record_ + p + 3, localOffset_);
        return readUserData(p + 3 + kStampSize, first & kHeaderIndicator);
    }
    if (!has(p + 3)) return kSmsTruncated;
    return readUserData(at(p + 3) == 0xFF ? p + 4 : p + 3, first & kHeaderIndicator);
}

int SmsDecoder::decodeSubmit()
{
    size_t p = 0;
    if (int r = readServiceCentre(p)) return r;
    const uint8_t first = at(p);
    ++p;  // the message reference; the destination address follows
    if (int r = readAddress(p)) return r;
    if (!has(p + 2)) return kSmsTruncated;
    msg_.coding = at(p + 2);
    return readUserData(p + 3 + validityPeriodLength(first), first & kHeaderIndicator);
}

int SmsDecoder::readAddress(size_t& p)
{
    if (!has(p + 1)) return kSmsTruncated;
    const size_t digits = at(p + 1);
    if (digits == 0 || digits == 0xFF) {  // no number; the type byte is still there
        p += 2;
        return kSmsOk;
    }
    if (digits > kMaxDigits) return kSmsBadAddressLength;
    if (!has(p + 2)) return kSmsTruncated;
    if (!(at(p + 2) & 0x80)) return kSmsBadAddressType;
    const size_t bytes = (digits + 1) / 2;
    const size_t available = std::min(bytes, size_ - std::min(size_, p + 3));
    if (isAlphanumeric(at(p + 2))) {  // a sender name in 7-bit characters: no digits, no padding rules
        msg_.number.clear();
        if (available < bytes) return kSmsTruncated;
        p += 2 + bytes;
        return kSmsOk;
    }
    readDigits(p + 3, available, digits);
    if (available < bytes) return kSmsTruncated;
    p += 2 + bytes;
    const uint8_t lastHigh = at(p) >> 4;
    if (digits % 2 == 0 && lastHigh > 9) return kSmsBadEvenPadding;
    if (digits % 2 == 1 && lastHigh != 0x0F) return kSmsBadOddPadding;
    return kSmsOk;
}

void SmsDecoder::readDigits(size_t pos, size_t bytes, size_t count)
{
    msg_.number.clear();
    for (size_t i = 0; i < bytes * 2 && msg_.number.size() < count; ++i) {
        const uint8_t half = (i % 2 == 0) ? (at(pos + i / 2) & 0x0F) : (at(pos + i / 2) >> 4);
        if (half > 9) break;
        msg_.number.push_back(static_cast<char>('0' + half));
    }
}

int SmsDecoder::readUserData(size_t pos, bool hasHeader)
{
    if (!has(pos)) return kSmsTruncated;
    const size_t length = at(pos);
    if (length > kMaxUserDataLength) return kSmsTooLong;
    const size_t start = pos + 1;
    const SmsCoding::Kind kind = SmsCoding::of(static_cast<uint8_t>(msg_.coding));
    if (kind == SmsCoding::Packed81) {
        msg_.text = (has(start + 2) && at(start + 2) != 0xFF) ? decodePacked81(start) : std::string();
        return kSmsOk;
    }
    if (kind == SmsCoding::Unknown) return kSmsOk;
    const size_t bytes = kind == SmsCoding::Gsm ? Septets::packedSize(length) : length;
    if (!has(start, bytes)) return kSmsBadUserData;
    const size_t headerBytes = (hasHeader && bytes > 0) ? at(start) + 1u : 0;
    if (headerBytes > bytes) return kSmsBadUserData;
    msg_.text = decodeText(start, length, headerBytes);
    return kSmsOk;
}

std::string SmsDecoder::decodeText(size_t start, size_t length, size_t headerBytes) const
{
    const uint8_t* data = record_ + start;
    switch (SmsCoding::of(static_cast<uint8_t>(msg_.coding))) {
    case SmsCoding::Gsm: {
        std::vector<uint8_t> septets = Septets::unpack(data, Septets::packedSize(length), length);
        const size_t skip = std::min(septets.size(), (headerBytes * 8 + 6) / 7);
        septets.erase(septets.begin(), septets.begin() + static_cast<std::ptrdiff_t>(skip));
        return SmsAlphabet::decode(septets);
    }
    case SmsCoding::EightBit: return upToZero(data + headerBytes, length - headerBytes);
    case SmsCoding::Ucs2: return ucs2ToAnsi(data + headerBytes, length - headerBytes);
    default: return {};
    }
}

std::string SmsDecoder::decodePacked81(size_t start) const
{
    const size_t limit = std::min(size_, kPacked81Limit);
    size_t end = start;
    while (end < limit && at(end) != 0xFF) ++end;
    const size_t bytes = end - start;
    const std::vector<uint8_t> septets = Septets::unpack(record_ + start, bytes, Septets::capacity(bytes));
    return upToZero(septets.data(), septets.size());
}
