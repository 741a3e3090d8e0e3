#include "sim/SimIdentity.h"

#include "shell/Log.h"
#include "sim/AnsiChars.h"
#include "sim/BcdNumber.h"
#include "sim/SimDebugDump.h"
#include "sim/SimFiles.h"
#include "sim/Ucs2Text.h"
#include "text/CodePage.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kIccidBytes = 10;
constexpr size_t kMsisdnFixed = 14;
constexpr size_t kSmspFixed = 28;
constexpr size_t kNumberBytes = 10;
constexpr uint8_t kNoAddress = 0x02;       // parameter indicators: service-centre address absent
constexpr uint8_t kMaxAddressLength = 11;  // type byte and 10 BCD bytes

// Selects `ef` under DF telecom and reads record 1; the record is empty when any step fails.
// Readers that put the instruction byte in front of the data are understood.
std::vector<uint8_t> readFirstRecord(uint16_t ef)
{
    if (SimFiles::selectTelecomFile(ef) != 0 || !SimFiles::isSuccess(SimFiles::leadingSw1())) return {};
    if (SimFiles::getResponse() != 0) return {};
    const uint8_t length = SimFiles::elementaryHeader(true).recordLength;
    if (ef == SimFiles::kMsisdn) Log::line("bLen=" + std::to_string(length));
    if (length == 0 || SimFiles::readRecord(1, length) != 0) return {};
    bool whole = false;
    std::vector<uint8_t> record = SimFiles::receivedRecord(length, whole);
    return whole ? record : std::vector<uint8_t>{};
}

std::string msisdnName(std::span<const uint8_t> field)
{
    if (field.empty()) return {};
    const uint8_t format = field[0];
    if (format == Ucs2Text::kPlain) return Ucs2Text::decode(format, field.size() - 1, Ucs2Text::kOwnNumber, field.subspan(1));
    if ((format == Ucs2Text::kHalfPage || format == Ucs2Text::kFullBase) && field.size() >= 2)
        return Ucs2Text::decode(format, field[1], Ucs2Text::kOwnNumber, field.subspan(2));
    auto end = std::find(field.begin(), field.end(), 0xFF);
    return std::string(field.begin(), end);
}

std::string capped(const std::string& text)
{
    return std::string(AnsiChars::prefix(text, SimIdentity::kTextMax, CodePage::ansi()));
}

}  // namespace

uint32_t SimIdentity::GetSimCardNumber(std::string& number)
{
    Log::line("GetSimCardNumber start=pc=" + number);
    number.clear();
    SimFiles::select(SimFiles::kMasterFile);
    if (SimFiles::select(SimFiles::kIccid) != 0) return 0;
    if (SimFiles::readBinary(kIccidBytes) != 0) return 0;
    std::span<const uint8_t> data = SimFiles::response().data();
    number = BcdNumber::decodeDecimal(data.first(std::min(data.size(), kIccidBytes)));
    Log::line("GetSimCardNumber end=ip=" + std::to_string(number.size()));
    return static_cast<uint32_t>(number.size());
}

uint32_t SimIdentity::GetSimCardMSISDN(std::string* pcOWner, std::string* pcNumber)
{
    if (!pcOWner || !pcNumber) return 0;
    Log::line("GetSimCardMSISDN start::pcOWner=" + *pcOWner + ",pcNumber=" + *pcNumber);
    std::vector<uint8_t> record = readFirstRecord(SimFiles::kMsisdn);
    if (record.size() < kMsisdnFixed) return 0;
    if (SimDebugDump::enabled()) SimDebugDump::save("Test.dat", SimFiles::response().bytes());
    const size_t x = record.size() - kMsisdnFixed;
    std::span<const uint8_t> bytes(record);
    const std::string number = capped(BcdNumber::decodeDecimal(bytes.subspan(x + 2, kNumberBytes)));
    const std::string name = capped(msisdnName(bytes.first(x)));
    *pcOWner = name;
    *pcNumber = number;
    Log::line("GetSimCardMSISDN end::cBuf=" + number + ",cName=" + name);
    return static_cast<uint32_t>(number.size());
}

uint32_t SimIdentity::GetSimCardSMSP(Address* pcNumber)
{
    if (!pcNumber) return 0;
    Log::line("GetSimCardSMSP start=pcNumber=" + logHex(pcNumber->data(), pcNumber->size()));
    std::vector<uint8_t> record = readFirstRecord(SimFiles::kSmsp);
    if (record.size() < kSmspFixed) return 0;
    const size_t y = record.size() - kSmspFixed;
    if (record[y] & kNoAddress) return 0;
    const uint8_t length = record[y + 13];
    if (length > kMaxAddressLength) return 0;
    std::copy_n(record.begin() + static_cast<std::ptrdiff_t>(y + 13), pcNumber->size(), pcNumber->begin());
    Log::line("GetSimCardSMSP end");
    return length + 2u;
}
