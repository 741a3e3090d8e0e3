#include "cli/RecordFields.h"

#include "sim/BcdNumber.h"
#include "sim/PhoneRecordCodec.h"
#include "sim/SmsTimeStamp.h"

#include <algorithm>

void RecordFields::phoneEntry(KeyValueWriter& out, const std::string& name, const std::string& number)
{
    out.text("name", name);
    out.plain("number", number);
}

void RecordFields::message(KeyValueWriter& out, const ShortMsg& msg)
{
    out.plain("status", std::to_string(msg.status));
    out.plain("number", msg.number);
    out.hex("dcs", {static_cast<uint8_t>(msg.coding)});
    out.plain("time", SmsTimeStamp::format(msg.time));
    out.text("text", msg.text);
}

void RecordFields::serviceCentre(KeyValueWriter& out, const std::vector<uint8_t>& stored)
{
    out.hex("sca", stored);
    out.plain("number", serviceCentreNumber(stored));
}

std::string RecordFields::serviceCentreNumber(const std::vector<uint8_t>& stored)
{
    if (stored.size() < 2 || stored[0] < 2) return {};
    const size_t end = std::min<size_t>(stored.size(), 1u + stored[0]);
    const std::vector<uint8_t> bcd(stored.begin() + 2, stored.begin() + static_cast<std::ptrdiff_t>(end));
    const std::string digits = BcdNumber::decodeDialling(bcd, bcd.size() * 2).digits;
    return (PhoneRecordCodec::isInternational(stored[1]) ? "+" : "") + digits;
}
