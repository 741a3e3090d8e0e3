#include "sim/SimPhoneBook.h"

#include "shell/Log.h"
#include "shell/Pacer.h"
#include "sim/PhoneRecordCodec.h"
#include "sim/SimDebugDump.h"
#include "sim/SimFiles.h"
#include "sim/SimGeometry.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint8_t kExtensionLength = 0x0D;

bool validRecord(uint32_t index) { return index >= 1 && index <= 0xFF; }

void dump(const std::string& name)
{
    if (SimDebugDump::enabled()) SimDebugDump::save(name, SimFiles::response().bytes());
}

// Extension digits from EF EXT1 record `decoded.extension`. The phone book is selected again
// afterwards.
uint16_t readExtension(uint32_t index, PhoneRecordCodec::Decoded& decoded)
{
    const std::string prefix = "Phone_" + SimDebugDump::hexByte(index);
    uint16_t status = SimFiles::select(SimFiles::kExt1);
    dump(prefix + "_2_6f4a.dat");
    if (status == 0) {
        status = SimFiles::getResponse();
        dump(prefix + "_2_a0c0.dat");
    }
    if (status == 0) {
        const EfHeader h = SimFiles::elementaryHeader(true);
        const uint16_t count = SimGeometry::recordCount(h.fileSize, h.recordLength);
        if (decoded.extension == 0 || (h.complete && decoded.extension > count)) status = SimFiles::kDamagedData;
    }
    if (status == 0) {
        status = SimFiles::readRecord(decoded.extension, kExtensionLength);
        dump(prefix + "_2.dat");
    }
    if (status == 0) {
        bool whole = true;
        PhoneRecordCodec::addExtension(decoded, SimFiles::receivedRecord(kExtensionLength, whole));
        if (!whole) decoded.intact = false;
    }
    SimPhoneBook::OpenSimPhoneFile();
    return status;
}

}  // namespace

uint16_t SimPhoneBook::OpenSimPhoneFile()
{
    Log::line("OpenSimPhoneFile start");
    uint16_t status = SimFiles::selectTelecomFile(SimFiles::kAdn);
    if (status == 0) status = SimFiles::getResponse();
    const EfHeader h = SimFiles::elementaryHeader(true);
    if (status == 0 && !h.complete) status = SimFiles::kDamagedData;
    if (status != 0) {
        Log::line("OpenSimPhoneFile dwok=" + std::to_string(status));
        return status;
    }
    SimGeometry::Phone& g = SimGeometry::phone();
    g.reportedLength = h.recordLength;
    g.nameWidth = SimGeometry::nameWidth(h.recordLength);
    g.recordLength = SimGeometry::usableLength(h.recordLength);
    g.recordCount = SimGeometry::recordCount(h.fileSize, h.recordLength);
    Log::line("Vexa Test wTotal=" + std::to_string(g.recordCount) + ",wFilesize=" + std::to_string(h.fileSize) +
              ",wPhoneRecSize=" + std::to_string(g.recordLength));
    Log::line("OpenSimPhoneFile end");
    return 0;
}

uint16_t SimPhoneBook::ReadSimPhoneBook(uint32_t dwIndex, std::string& name, std::string& number)
{
    Pacer::current().pump();
    Log::line("ReadSimPhoneBook start,dwIndex=" + std::to_string(dwIndex) + ",pcName=" + name + ",pcTel=" + number);
    if (!validRecord(dwIndex)) return kBadRecordNumber;
    const SimGeometry::Phone g = SimGeometry::phone();
    uint16_t status = SimFiles::readRecord(static_cast<uint8_t>(dwIndex), static_cast<uint8_t>(g.recordLength));
    if (status != 0) {
        Log::line("ReadSimPhoneBook dwok=" + std::to_string(status));
        return status;
    }
    if (SimDebugDump::enabled()) {
        Log::line("dwLen=" + std::to_string(SimFiles::response().received()));
        dump("Phone_" + SimDebugDump::hexByte(dwIndex) + ".dat");
    }
    bool whole = true;
    PhoneRecordCodec::Decoded decoded = PhoneRecordCodec::decode(SimFiles::receivedRecord(g.recordLength, whole), g.nameWidth);
    name = decoded.name;
    if (decoded.wantsExtension()) status = readExtension(dwIndex, decoded);
    if (status != 0 && status != SimFiles::kDamagedData) {
        Log::line("ReadSimPhoneBook dwok=" + std::to_string(status));
        return status;
    }
    number = decoded.number();
    Pacer::current().pump();
    Log::line("ReadSimPhoneBook end");
    return whole && decoded.intact && status == 0 ? 0 : SimFiles::kDamagedData;
}

uint16_t SimPhoneBook::WriteSimPhoneBook(uint32_t dwIndex, std::string_view name, std::string_view number)
{
    Log::line("WriteSimPhoneBook start,dwIndex=" + std::to_string(dwIndex) + ",pcName=" + std::string(name) +
              ",pcTel=" + std::string(number));
    if (!validRecord(dwIndex)) return kBadRecordNumber;
    const SimGeometry::Phone g = SimGeometry::phone();
    std::vector<uint8_t> record = PhoneRecordCodec::encode(name, number, g.recordLength, g.nameWidth);
    if (record.empty()) return SimFiles::kDamagedData;
    const uint16_t status = SimFiles::writeRecord(static_cast<uint8_t>(dwIndex), record);
    Log::line("WriteSimPhoneBook end,dwok=" + std::to_string(status));
    return status;
}
