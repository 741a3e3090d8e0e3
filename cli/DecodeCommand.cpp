#include "cli/DecodeCommand.h"

#include "cli/CliError.h"
#include "cli/CliOptions.h"
#include "cli/OneFileCard.h"
#include "cli/RecordFields.h"
#include "sim/BcdNumber.h"
#include "sim/PhoneRecordCodec.h"
#include "sim/SimIdentity.h"
#include "sim/SmsDecoder.h"
#include "vsim/Hex.h"

#include <algorithm>

namespace {

constexpr size_t kMaxRecord = 255;
constexpr size_t kMaxMessageRecord = 512;
constexpr size_t kIccidBytes = 10;

struct Kind {
    const char* name;
    size_t minSize;
    size_t maxSize;
    void (*decode)(const std::vector<uint8_t>&, KeyValueWriter&);
};

}  // namespace

std::vector<uint8_t> DecodeCommand::hexArgument(const std::string& text, size_t minSize, size_t maxSize)
{
    std::vector<uint8_t> bytes;
    if (!Hex::parse(text, bytes)) throw CliError::usage("not a hexadecimal byte string: " + text);
    if (bytes.size() < minSize || bytes.size() > maxSize)
        throw CliError::usage("expected " + std::to_string(minSize) + " to " + std::to_string(maxSize) +
                              " bytes, got " + std::to_string(bytes.size()));
    return bytes;
}

void DecodeCommand::run(const std::vector<std::string>& words, KeyValueWriter& out)
{
    static const Kind kinds[] = {
        {"adn", PhoneRecordCodec::kFixedBytes, kMaxRecord, adn},
        {"ext1", 1, kMaxRecord, ext1},
        {"msisdn", 14, kMaxRecord, msisdn},
        {"smsp", 28, kMaxRecord, smsp},
        {"iccid", 1, kMaxRecord, iccid},
        {"sms", 1, kMaxMessageRecord, sms},
    };
    const CliOptions options(words, 2, {});
    for (const Kind& kind : kinds) {
        if (options.positional(0) != kind.name) continue;
        kind.decode(hexArgument(options.positional(1), kind.minSize, kind.maxSize), out);
        return;
    }
    throw CliError::usage("unknown record kind: " + options.positional(0));
}

void DecodeCommand::adn(const std::vector<uint8_t>& record, KeyValueWriter& out)
{
    const int nameWidth = static_cast<int>(record.size() - PhoneRecordCodec::kFixedBytes);
    const PhoneRecordCodec::Decoded decoded = PhoneRecordCodec::decode(record, nameWidth);
    RecordFields::phoneEntry(out, decoded.name, decoded.number());
    out.plain("ext", decoded.extension == PhoneRecordCodec::kNoExtension ? "" : std::to_string(decoded.extension));
}

void DecodeCommand::ext1(const std::vector<uint8_t>& record, KeyValueWriter& out)
{
    PhoneRecordCodec::Decoded decoded;
    PhoneRecordCodec::addExtension(decoded, record);
    out.plain("digits", decoded.digits);
}

void DecodeCommand::msisdn(const std::vector<uint8_t>& record, KeyValueWriter& out)
{
    const OneFileCard card(CardImage::kMsisdn, record);
    std::string name;
    std::string number;
    SimIdentity::GetSimCardMSISDN(&name, &number);
    RecordFields::phoneEntry(out, name, number);
}

void DecodeCommand::smsp(const std::vector<uint8_t>& record, KeyValueWriter& out)
{
    const OneFileCard card(CardImage::kSmsp, record);
    SimIdentity::Address address{};
    const bool stored = SimIdentity::GetSimCardSMSP(&address) != 0;
    RecordFields::serviceCentre(out, stored ? std::vector<uint8_t>(address.begin(), address.end()) : std::vector<uint8_t>{});
}

void DecodeCommand::iccid(const std::vector<uint8_t>& record, KeyValueWriter& out)
{
    const std::span<const uint8_t> bytes(record.data(), std::min(record.size(), kIccidBytes));
    out.plain("iccid", BcdNumber::decodeDecimal(bytes));
}

void DecodeCommand::sms(const std::vector<uint8_t>& record, KeyValueWriter& out)
{
    ShortMsg msg;
    const int result = SmsDecoder::decode(record.data(), record.size(), msg);
    out.plain("result", std::to_string(result));
    RecordFields::message(out, msg);
}
