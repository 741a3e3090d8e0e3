#include "sim/SmsEncoder.h"

#include "sim/Septets.h"
#include "sim/SmsAlphabet.h"
#include "sim/SmsCoding.h"
#include "text/CodePage.h"

#include <algorithm>

namespace {

constexpr uint8_t kDeliver = 0x04;
constexpr uint8_t kSubmitRelativeValidity = 0x11;
constexpr uint8_t kNoReference = 0xFF;
constexpr uint8_t kNationalType = 0xA1;
constexpr uint8_t kUnknownType = 0x81;
constexpr uint8_t kValidityPeriod = 0x00;
constexpr uint8_t kBlank = 0x20;
constexpr size_t kMaxServiceCentre = 11;

using Bytes = std::vector<uint8_t>;

struct UserData {
    uint8_t coding = SmsCoding::kDefault;
    uint8_t length = 0;  // septets or bytes
    Bytes bytes;
};

bool isDigits(const std::string& number)
{
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Length, type and the digits in pairs, low half first, an odd count padded with F.
void appendAddress(Bytes& out, const std::string& digits, uint8_t type)
{
    out.push_back(static_cast<uint8_t>(digits.size()));
    out.push_back(type);
    for (size_t i = 0; i < digits.size(); i += 2) {
        const uint8_t low = static_cast<uint8_t>(digits[i] - '0');
        const uint8_t high = i + 1 < digits.size() ? static_cast<uint8_t>(digits[i + 1] - '0') : 0x0F;
        out.push_back(static_cast<uint8_t>(low | (high << 4)));
    }
}

// Septets, at most `limit`, never splitting an escape pair; padded with blanks to a multiple
// of eight and packed.
UserData septetData(const Bytes& septets, size_t limit)
{
    size_t count = 0;
    while (count < septets.size()) {
        const size_t width = septets[count] == SmsAlphabet::kEscape ? 2 : 1;
        if (count + width > limit) break;
        count += width;
    }
    Bytes padded(septets.begin(), septets.begin() + static_cast<std::ptrdiff_t>(count));
    padded.resize((count + 7) / 8 * 8, kBlank);
    return {SmsCoding::kDefault, static_cast<uint8_t>(count), Septets::pack(padded)};
}

// Big-endian UTF-16 units, at most `limit` bytes, never splitting a surrogate pair.
UserData ucs2Data(const std::string& ansiText, size_t limit)
{
    const std::u16string text = CodePage::toUtf16(ansiText);
    UserData data{SmsCoding::kUcs2, 0, {}};
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = (text[i] & 0xFC00) == 0xD800 && i + 1 < text.size();
        const size_t units = pair ? 2 : 1;
        if (data.bytes.size() + units * 2 > limit) break;
        for (size_t k = 0; k < units; ++k) {
            data.bytes.push_back(static_cast<uint8_t>(text[i + k] >> 8));
            data.bytes.push_back(static_cast<uint8_t>(text[i + k] & 0xFF));
        }
        i += units - 1;
    }
    data.length = static_cast<uint8_t>(data.bytes.size());
    return data;
}

// User data for the text within `room` bytes of the record.
UserData userData(const std::string& text, size_t room)
{
    const size_t limit = std::min(room, SmsEncoder::kMaxUserDataBytes);
    if (SmsEncoder::needsUcs2(text)) return ucs2Data(text, limit);
    return septetData(*SmsAlphabet::encode(text), std::min(SmsEncoder::kMaxSeptets, Septets::capacity(limit)));
}

// Everything in front of the user-data length byte, with the coding byte still to come.
Bytes header(uint8_t status, const ShortMsg& msg, const Bytes& serviceCentre)
{
    Bytes out{status};
    if (msg.number.empty()) {  // a message without a destination, to be sent
        out.insert(out.end(), {0x02, kUnknownType, 0xF0, kSubmitRelativeValidity, kNoReference, 0x00, kUnknownType});
        return out;
    }
    if (serviceCentre.empty()) out.push_back(0x00);
    out.insert(out.end(), serviceCentre.begin(), serviceCentre.end());
    if (status == 7) out.insert(out.end(), {kSubmitRelativeValidity, kNoReference});
    else out.push_back(kDeliver);
    appendAddress(out, msg.number, kNationalType);
    return out;
}

}  // namespace

uint8_t SmsEncoder::recordStatus(const ShortMsg& msg, bool serviceCentreKnown)
{
    if (msg.text.empty()) return 0;
    if (msg.number.empty()) return 7;
    if (msg.status == 1 || msg.status == 3 || msg.status == 7) return static_cast<uint8_t>(msg.status);
    if (msg.status == 0) return serviceCentreKnown ? 1 : 7;
    return 1;
}

bool SmsEncoder::needsUcs2(const std::string& ansiText)
{
    for (char c : ansiText)
        if (c == '`' || CodePage::isLeadByte(static_cast<uint8_t>(c))) return true;
    return !SmsAlphabet::encode(ansiText).has_value();
}

std::vector<uint8_t> SmsEncoder::usableServiceCentre(const std::vector<uint8_t>& stored)
{
    if (stored.empty() || stored[0] == 0 || stored[0] > kMaxServiceCentre || stored.size() < 1u + stored[0]) return {};
    return Bytes(stored.begin(), stored.begin() + 1 + stored[0]);
}

int SmsEncoder::build(const ShortMsg& msg, const std::vector<uint8_t>& serviceCentre,
                      const SmsTimeStamp::Stamp& stamp, size_t recordLength, std::vector<uint8_t>& record)
{
    if (!isDigits(msg.number) || msg.number.size() > kMaxDigits) return kSmsBadStatus;
    const Bytes centre = usableServiceCentre(serviceCentre);
    const uint8_t status = recordStatus(msg, !centre.empty());
    record.assign(recordLength, 0xFF);
    if (status == 0) {
        if (recordLength > 0) record[0] = 0x00;
        return kSmsOk;
    }
    Bytes out = header(status, msg, centre);
    const bool received = status != 7;
    const size_t fixed = out.size() + 2 + (received ? stamp.size() : 1) + 1;  // PID, coding, stamp or VP, length
    const UserData data = userData(msg.text, recordLength > fixed ? recordLength - fixed : 0);
    out.insert(out.end(), {0x00, data.coding});
    if (received) out.insert(out.end(), stamp.begin(), stamp.end());
    else out.push_back(kValidityPeriod);
    out.push_back(data.length);
    out.insert(out.end(), data.bytes.begin(), data.bytes.end());
    std::copy_n(out.begin(), std::min(out.size(), recordLength), record.begin());
    return kSmsOk;
}
