#include "cli/EncodeCommand.h"

#include "cli/CliError.h"
#include "cli/CliOptions.h"
#include "cli/DecodeCommand.h"
#include "sim/PhoneRecordCodec.h"
#include "sim/SmsEncoder.h"
#include "text/CodePage.h"

namespace {

constexpr long kMaxRecordLength = 255;

}  // namespace

void EncodeCommand::run(const std::vector<std::string>& words, KeyValueWriter& out)
{
    if (words.empty()) throw CliError::usage("encode needs a record kind: adn or sms");
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "adn") return adn(rest, out);
    if (words[0] == "sms") return sms(rest, out);
    throw CliError::usage("unknown record kind: " + words[0]);
}

void EncodeCommand::adn(const std::vector<std::string>& words, KeyValueWriter& out)
{
    const CliOptions options(words, 0, {"record-length", "name", "number"});
    const long length = options.requiredNumber("record-length", static_cast<long>(PhoneRecordCodec::kFixedBytes),
                                               kMaxRecordLength);
    const std::string name = CodePage::fromUtf8(options.value("name"));
    const std::string number = CodePage::fromUtf8(options.value("number"));
    out.hex("hex", PhoneRecordCodec::encode(name, number, static_cast<size_t>(length),
                                           static_cast<int>(length) - static_cast<int>(PhoneRecordCodec::kFixedBytes)));
}

void EncodeCommand::sms(const std::vector<std::string>& words, KeyValueWriter& out)
{
    const CliOptions options(words, 0, {"record-length", "text", "number", "status", "sca"});
    const long length = options.requiredNumber("record-length", 1, kMaxRecordLength);
    ShortMsg msg;
    msg.text = CodePage::fromUtf8(options.required("text"));
    msg.number = options.value("number");
    msg.status = static_cast<uint32_t>(options.number("status", 0, 255, 0));
    const std::vector<uint8_t> sca =
        options.has("sca") ? DecodeCommand::hexArgument(options.value("sca"), 1, 12) : std::vector<uint8_t>{};
    std::vector<uint8_t> record;
    if (SmsEncoder::build(msg, sca, SmsTimeStamp::now(), static_cast<size_t>(length), record) != kSmsOk)
        throw CliError::usage("--number must be at most 32 decimal digits: " + msg.number);
    out.hex("hex", record);
}
