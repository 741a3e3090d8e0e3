#include "sim/PhoneRecordCodec.h"

#include "sim/AnsiChars.h"
#include "sim/BcdNumber.h"
#include "sim/GsmAlphabet.h"
#include "sim/Ucs2Text.h"
#include "text/CodePage.h"

#include <algorithm>

namespace {

constexpr size_t kTypeSearch = 6;  // bytes after the type byte that may hold a displaced type

// Record byte `i`, FF outside the record.
uint8_t byteAt(std::span<const uint8_t> record, size_t i) { return i < record.size() ? record[i] : 0xFF; }

std::vector<uint8_t> bytesAt(std::span<const uint8_t> record, size_t from, size_t count)
{
    std::vector<uint8_t> out(count);
    for (size_t i = 0; i < count; ++i) out[i] = byteAt(record, from + i);
    return out;
}

// A type-of-number byte has its top bit set; FF marks an unused field. Any other type (national,
// network specific, ...) stands in its place, so its digit bytes must not be read as a late type byte.
bool isTypeByte(uint8_t b) { return (b & 0x80) != 0 && b != 0xFF; }

void decodeNumber(std::span<const uint8_t> record, size_t nameWidth, PhoneRecordCodec::Decoded& out)
{
    size_t lengthAt = nameWidth;
    uint8_t type = byteAt(record, lengthAt + 1);
    if (!isTypeByte(type)) {
        for (size_t k = lengthAt + 2; k < lengthAt + 2 + kTypeSearch; ++k) {
            if (PhoneRecordCodec::isNumberType(byteAt(record, k))) {
                lengthAt = k - 1;
                type = byteAt(record, k);
                break;
            }
        }
    }
    out.international = PhoneRecordCodec::isInternational(type);
    std::vector<uint8_t> bcd = bytesAt(record, lengthAt + 2, PhoneRecordCodec::kBcdBytes);
    if (std::all_of(bcd.begin(), bcd.end(), [](uint8_t b) { return b == 0xFF; })) return;
    BcdNumber::Dialling d = BcdNumber::decodeDialling(bcd, PhoneRecordCodec::kMainPlaces);
    out.digits = d.digits;
    out.places = d.places;
}

// UCS2 name: 80 and its characters while both bytes fit the field.
void encodeUcs2Name(std::string_view name, std::span<uint8_t> field)
{
    if (field.empty()) return;
    field[0] = Ucs2Text::kPlain;
    const int cp = CodePage::ansi();
    size_t pos = 1;
    for (size_t at = 0; at < name.size();) {
        const size_t n = AnsiChars::length(name, at, cp);
        std::u16string units = Ucs2Text::fromAnsi(name.substr(at, n));
        if (pos + 2 * units.size() > field.size()) return;
        for (char16_t u : units) {
            field[pos++] = static_cast<uint8_t>(u >> 8);
            field[pos++] = static_cast<uint8_t>(u & 0xFF);
        }
        at += n;
    }
}

}  // namespace

std::string PhoneRecordCodec::decodeName(std::span<const uint8_t> field, bool& intact)
{
    if (field.empty()) return {};
    const uint8_t format = field[0];
    std::string name;
    if (format == Ucs2Text::kPlain) {
        name = Ucs2Text::decode(format, field.size() - 1, Ucs2Text::kPhoneName, field.subspan(1));
    } else if (format == Ucs2Text::kHalfPage || format == Ucs2Text::kFullBase) {
        bool whole = field.size() >= 2;
        if (whole) name = Ucs2Text::decode(format, field[1], Ucs2Text::kPhoneName, field.subspan(2), &whole);
        intact = intact && whole;
    } else {
        name = GsmAlphabet::decodeName(field);
    }
    return std::string(AnsiChars::prefix(name, kNameMax, CodePage::ansi()));
}

PhoneRecordCodec::Decoded PhoneRecordCodec::decode(std::span<const uint8_t> record, int nameWidth)
{
    Decoded out;
    if (nameWidth < 0 || record.size() < static_cast<size_t>(nameWidth) + kFixedBytes) {
        out.intact = false;
        return out;
    }
    const auto x = static_cast<size_t>(nameWidth);
    out.name = decodeName(record.first(x), out.intact);
    decodeNumber(record, x, out);
    out.extension = record[x + 13];
    return out;
}

void PhoneRecordCodec::addExtension(Decoded& decoded, std::span<const uint8_t> extensionRecord)
{
    std::vector<uint8_t> bcd = bytesAt(extensionRecord, 2, kBcdBytes);
    decoded.digits += BcdNumber::decodeDialling(bcd, kExtensionPlaces).digits;
}

void PhoneRecordCodec::encodeName(std::string_view name, std::span<uint8_t> field)
{
    if (!GsmAlphabet::canEncode(name)) {
        encodeUcs2Name(name, field);
        return;
    }
    std::vector<uint8_t> gsm = GsmAlphabet::encodeName(name, field.size());
    std::copy(gsm.begin(), gsm.end(), field.begin());
}

std::vector<uint8_t> PhoneRecordCodec::encode(std::string_view name, std::string_view number, size_t recordLength,
                                              int nameWidth)
{
    if (nameWidth < 0 || recordLength < static_cast<size_t>(nameWidth) + kFixedBytes) return {};
    std::vector<uint8_t> record(recordLength, 0xFF);
    if (name.empty() && number.empty()) return record;
    const auto x = static_cast<size_t>(nameWidth);
    encodeName(name, std::span<uint8_t>(record).first(x));
    std::string_view kept = number.substr(0, kNumberTextLimit);
    const bool international = !kept.empty() && kept.front() == '+';
    if (international) kept.remove_prefix(1);
    std::vector<uint8_t> bcd = BcdNumber::encodeDialling(kept);
    if (!bcd.empty()) record[x] = static_cast<uint8_t>(bcd.size() + 1);
    record[x + 1] = international ? kTypeInternational : kTypeUnknown;
    std::copy(bcd.begin(), bcd.end(), record.begin() + static_cast<std::ptrdiff_t>(x + 2));
    return record;
}
