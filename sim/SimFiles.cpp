#include "sim/SimFiles.h"

#include "sim/SimAPDU.h"
#include "sim/SimBuffers.h"

#include <algorithm>

namespace {
uint32_t lastReceived = 0;
}  // namespace

uint16_t SimFiles::exchange(const SimCommand::Bytes& command, std::optional<uint8_t> fill)
{
    auto& buffer = SimBuffers::response();
    if (fill) buffer.fill(*fill);
    uint32_t length = kCapacity;
    uint16_t status = SimAPDU(command.data(), static_cast<uint32_t>(command.size()), buffer.data(), &length);
    lastReceived = status == 0 ? length : 0;
    return status;
}

SimResponse SimFiles::response() { return SimResponse(SimBuffers::response().data(), lastReceived); }

uint16_t SimFiles::select(uint16_t fileId) { return exchange(SimCommand::select(fileId)); }

uint16_t SimFiles::selectTelecomFile(uint16_t ef)
{
    select(kMasterFile);
    select(kTelecom);
    return select(ef);
}

uint16_t SimFiles::getResponse() { return exchange(SimCommand::getResponse(response().at(1))); }

uint16_t SimFiles::readRecord(uint8_t record, uint8_t length)
{
    return exchange(SimCommand::readRecord(record, length), 0xFF);
}

uint16_t SimFiles::updateRecord(uint8_t record, std::span<const uint8_t> data)
{
    return exchange(SimCommand::updateRecord(record, data));
}

uint16_t SimFiles::writeRecord(uint8_t record, std::span<const uint8_t> bytes)
{
    auto& image = SimBuffers::image();
    if (bytes.size() > image.size()) return kDamagedData;
    std::copy(bytes.begin(), bytes.end(), image.begin());
    uint16_t status = updateRecord(record, std::span<const uint8_t>(image.data(), bytes.size()));
    const uint16_t sw = trailingStatusWord();
    if (status == 0 && response().received() >= 2 && !isSuccess(static_cast<uint8_t>(sw >> 8))) status = sw;
    return status;
}

uint16_t SimFiles::readBinary(uint8_t length) { return exchange(SimCommand::readBinary(length)); }

uint16_t SimFiles::trailingStatusWord()
{
    auto bytes = response().bytes();
    if (bytes.size() < 2) return 0;
    return static_cast<uint16_t>(bytes[bytes.size() - 2] << 8 | bytes[bytes.size() - 1]);
}

std::vector<uint8_t> SimFiles::receivedRecord(size_t length, bool& whole)
{
    std::span<const uint8_t> data = response().data();
    const size_t start = !data.empty() && data[0] == SimCommand::kReadRecord ? 1 : 0;
    std::span<const uint8_t> rest = data.size() > start ? data.subspan(start) : std::span<const uint8_t>{};
    whole = rest.size() >= length;
    std::vector<uint8_t> record(length, 0xFF);
    std::copy_n(rest.begin(), std::min(length, rest.size()), record.begin());
    return record;
}
