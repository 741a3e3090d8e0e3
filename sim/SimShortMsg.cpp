#include "sim/SimShortMsg.h"

#include "shell/Log.h"
#include "shell/Pacer.h"
#include "sim/SimBuffers.h"
#include "sim/SimDebugDump.h"
#include "sim/SimFiles.h"
#include "sim/SimGeometry.h"
#include "sim/SmsDecoder.h"
#include "sim/SmsEncoder.h"

#include <algorithm>
#include <string>

namespace {

std::vector<uint8_t> storedServiceCentre;

bool validRecord(uint32_t index) { return index >= 1 && index <= 0xFF; }

struct SelectStep {
    uint16_t fileId;
    int exchangeCode;  // error code when the exchange fails
    int statusCode;    // error code when SW1 is not a success (0: 2 or 3 by SW1)
    const char* exchangeLog;
    const char* statusLog;
};

const SelectStep kSelectSteps[] = {
    {SimFiles::kMasterFile, 1, 0, "OpenSimShortMsgFile::GetSimCardSMSP Error::dwok=",
     "OpenSimShortMsgFile::First parma is not $90,$91,$9F::baOutBuf[0]="},
    {SimFiles::kTelecom, 4, 5, "OpenSimShortMsgFile::select $7f10::dwok=",
     "OpenSimShortMsgFile::select $7f10::First parma is not $90,$91,$9F::baOutBuf[0]="},
    {SimFiles::kSms, 6, 7, "OpenSimShortMsgFile::select $6f3c::dwok=",
     "OpenSimShortMsgFile::select $6f3c::First parma is not $90,$91,$9F::baOutBuf[0]="},
};

// One checked SELECT of the opening sequence; 0 when it succeeded, else the operation's result.
int64_t checkedSelect(const SelectStep& step, int& errorCode)
{
    const uint16_t status = SimFiles::select(step.fileId);
    if (status != 0) {
        Log::line(step.exchangeLog + std::to_string(status));
        errorCode = step.exchangeCode;
        return status;
    }
    const uint8_t sw1 = SimFiles::leadingSw1();
    if (SimFiles::isSuccess(sw1)) return 0;
    Pacer::current().sleep(1000);
    Pacer::current().pump();
    Log::line(step.statusLog + std::to_string(sw1));
    errorCode = step.statusCode ? step.statusCode : (sw1 == 0x3F || sw1 == 0x41 ? 2 : 3);
    return -1;
}

// The header of the selected message file into the message geometry; 0 or the result.
int64_t readGeometry(int& errorCode)
{
    const uint16_t status = SimFiles::getResponse();
    const EfHeader h = SimFiles::elementaryHeader(true);
    if (status != 0 || !h.complete) {
        Log::line("OpenSimShortMsgFile::Get resopnce error dwok=" + std::to_string(status));
        errorCode = 8;
        return status != 0 ? status : -1;
    }
    SimGeometry::Message& g = SimGeometry::message();
    Log::line("OpenSimShortMsgFile::wMessageRecSize=" + std::to_string(h.recordLength));
    g.recordLength = SimGeometry::usableLength(h.recordLength);
    g.fileSize = h.fileSize;
    g.recordCount = SimGeometry::recordCount(h.fileSize, h.recordLength);
    Log::line("OpenSimShortMsgFile::wTotalMessageRec=" + std::to_string(g.recordCount));
    return 0;
}

// The record bytes of the last READ RECORD response (without the status word).
std::span<const uint8_t> receivedRecord()
{
    const std::span<const uint8_t> data = SimFiles::response().data();
    return data.first(std::min<size_t>(data.size(), SimGeometry::message().recordLength));
}

}  // namespace

int64_t SimShortMsg::OpenSimShortMsgFile(int& errorCode)
{
    Log::line("OpenSimShortMsgFile::start");
    storedServiceCentre.clear();
    SimIdentity::Address address{};
    if (SimIdentity::GetSimCardSMSP(&address) == 0) return 0;
    storedServiceCentre = SmsEncoder::usableServiceCentre({address.begin(), address.end()});
    for (const SelectStep& step : kSelectSteps)
        if (int64_t result = checkedSelect(step, errorCode)) return result;
    if (int64_t result = readGeometry(errorCode)) return result;
    Pacer::current().sleep(2000);
    Pacer::current().pump();
    Log::line("OpenSimShortMsgFile::end");
    const SimGeometry::Message& g = SimGeometry::message();
    return static_cast<int64_t>(g.recordCount) * 65536 + g.recordLength;
}

uint16_t SimShortMsg::ReadDataFromSim(uint32_t dwIndex, uint32_t& length)
{
    Log::line("ReadDataFromSim start dwIndex=" + std::to_string(dwIndex));
    const uint16_t status = SimFiles::readRecord(static_cast<uint8_t>(dwIndex),
                                                 static_cast<uint8_t>(SimGeometry::message().recordLength));
    if (status == 0) length = static_cast<uint32_t>(SimFiles::response().received());
    Log::line("ReadDataFromSim end");
    return status;
}

int SimShortMsg::ReadOneShortMsgByStructure(uint32_t dwIndex, ShortMsg& msg)
{
    Log::line("Into ReadOneShortMsgByStructure dwIndex=" + std::to_string(dwIndex));
    if (!validRecord(dwIndex)) return kBadRecordNumber;
    uint32_t length = 0;
    const uint16_t status = ReadDataFromSim(dwIndex, length);
    Log::line("dwIndex=" + std::to_string(dwIndex) + ",Result=" + std::to_string(status));
    if (status != 0) {
        Log::line("ReadDataFromSim Error and exit");
        return status;
    }
    if (SimDebugDump::enabled()) {
        Log::line("dwLen=" + std::to_string(length));
        SimDebugDump::save(SimDebugDump::hexByte(dwIndex) + ".dat", SimFiles::response().bytes());
    }
    msg = ShortMsg{};
    const std::span<const uint8_t> record = receivedRecord();
    const int result = SmsDecoder::decode(record.data(), record.size(), msg);
    Log::line("ReadOneShortMsgByStructure End");
    return result;
}

int SimShortMsg::WriteSimShortMsg(uint32_t dwIndex, const ShortMsg& msg)
{
    Log::line("WriteSimShortMsg start,dwIndex=" + std::to_string(dwIndex) + ",iStatus=" + std::to_string(msg.status));
    const uint16_t recordLength = SimGeometry::message().recordLength;
    if (!validRecord(dwIndex) || recordLength == 0) return kBadRecordNumber;
    std::vector<uint8_t> record;
    const int built = SmsEncoder::build(msg, storedServiceCentre, SmsTimeStamp::now(),
                                        std::min<size_t>(recordLength, SimBuffers::kSize), record);
    if (built != kSmsOk) return built;
    const int result = SimFiles::writeRecord(static_cast<uint8_t>(dwIndex), record);
    Log::line("WriteSimShortMsg end,dwok=" + std::to_string(result));
    return result == 0 ? kSmsWritten : result;
}

std::vector<uint8_t> SimShortMsg::serviceCentre() { return storedServiceCentre; }
