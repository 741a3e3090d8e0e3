#include "ketter/ReaderCommands.h"

#include "ketter/AspiAbi.h"
#include "ketter/AspiCommand.h"
#include "ketter/AspiScan.h"
#include "ketter/LastError.h"
#include "ketter/PassThrough.h"
#include "ketter/Platform.h"
#include "ketter/VendorCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Generation = Platform::Generation;

constexpr const char* kQueryFailed = "Query firmware version failed: %05lu";
constexpr const char* kNoMemory = "Cannot allocate enough memory: %05lu";
constexpr const char* kWriteFailed = "Write EEPROM Data failed: %05lu\nScsiStatus: %05u";
constexpr uint8_t kCdbLength = 10;

bool legacy() { return Platform::current() == Generation::Legacy; }

int descriptor(KetterHandle handle) { return static_cast<int>(handle); }

// The transfer area holds 256 data bytes; a longer command would run past it.
bool fitsTransferArea(uint32_t length) { return length <= PassThrough::kDataSize; }

uint32_t aspi(uint8_t direction, uint32_t length, uint8_t* buffer, const VendorCommand::Block& cdb)
{
    return AspiCommand::run(AspiScan::adapter(), AspiScan::target(), direction, length, buffer, cdb.data(), kCdbLength);
}

}  // namespace

KetterHandle ReaderCommands::open(const char* path)
{
    if (legacy()) return (path && AspiScan::run()) ? AspiScan::address() : -1;
    int fd = path ? ::open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd < 0) {
        LastError::record(path ? static_cast<uint32_t>(errno) : EINVAL, "Cannot open the device: %05lu\n");
        return 0;
    }
    if (fd == 0) {  // 0 means failure to the caller: move the descriptor
        int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
        ::close(fd);
        fd = moved;
    }
    return fd;
}

uint8_t* ReaderCommands::copyReply(const uint8_t* reply, uint32_t copied, uint32_t blockSize)
{
    auto* block = static_cast<uint8_t*>(std::calloc(blockSize, 1));
    if (!block) {
        LastError::record(ENOMEM, kNoMemory);
        return nullptr;
    }
    std::memcpy(block, reply, copied);
    return block;
}

uint8_t* ReaderCommands::passThroughInquiry(KetterHandle handle, uint32_t* length, bool nt6)
{
    if (length) *length = 0;
    auto cdb = VendorCommand::inquiry(nt6 ? Generation::Nt6 : Generation::NtClassic);
    PassThrough::prepare(cdb.data(), PassThrough::Direction::In, PassThrough::kInquiryLength,
                         PassThrough::kInquiryTimeoutSeconds);
    if (uint32_t error = PassThrough::send(descriptor(handle))) {
        LastError::record(error, kQueryFailed);
        return nullptr;
    }
    const auto& area = PassThrough::area();
    if (!nt6 && area.data[0] == 0xFF) return nullptr;
    uint8_t* block = copyReply(area.data.data(), area.received, area.received + 1);
    if (block && length) *length = area.received;
    return block;
}

uint8_t* ReaderCommands::aspiInquiry(uint32_t* length)
{
    uint8_t reply[PassThrough::kInquiryLength] = {};
    if (!aspi(SRB_DIR_IN, sizeof reply, reply, VendorCommand::inquiry(Generation::Legacy))) {
        LastError::record(EIO, kQueryFailed);
        return nullptr;
    }
    uint8_t* block = copyReply(reply, sizeof reply - 1, sizeof reply);
    if (block && length) *length = sizeof reply;
    return block;
}

uint8_t* ReaderCommands::inquiry(KetterHandle handle, uint32_t* length)
{
    Generation generation = Platform::current();
    if (generation == Generation::Legacy) return aspiInquiry(length);
    return passThroughInquiry(handle, length, generation == Generation::Nt6);
}

uint32_t ReaderCommands::read(KetterHandle handle, uint8_t* buffer, uint16_t length, uint8_t cdbByte5, uint8_t high,
                              uint8_t low)
{
    if (!buffer) return 0;
    Generation generation = Platform::current();
    auto cdb = VendorCommand::read(generation, length, cdbByte5, high, low);
    if (generation == Generation::Legacy) {
        std::memset(buffer, 0, length);
        return aspi(SRB_DIR_IN, length, buffer, cdb);
    }
    if (!fitsTransferArea(length)) {
        LastError::record(EINVAL, kQueryFailed);
        return 0;
    }
    PassThrough::prepare(cdb.data(), PassThrough::Direction::In, length, PassThrough::kDataTimeoutSeconds);
    if (uint32_t error = PassThrough::send(descriptor(handle))) {
        LastError::record(error, kQueryFailed);
        return 0;
    }
    std::memcpy(buffer, PassThrough::area().data.data(), length);
    return 1;
}

uint32_t ReaderCommands::write(KetterHandle handle, const uint8_t* buffer, uint16_t length, uint8_t cdbByte5,
                               uint8_t high, uint8_t low)
{
    if (!buffer) return 0;
    Generation generation = Platform::current();
    auto cdb = VendorCommand::write(generation, length, cdbByte5, high, low);
    uint32_t padded = VendorCommand::paddedLength(length);
    if (generation == Generation::Legacy) {
        std::vector<uint8_t> data(padded, 0);  // the pad byte is ours, not read past the caller's buffer
        std::memcpy(data.data(), buffer, length);
        return aspi(SRB_DIR_OUT, padded, data.data(), cdb);
    }
    if (!fitsTransferArea(padded)) {
        LastError::record(EINVAL, kWriteFailed);
        return 0;
    }
    PassThrough::prepare(cdb.data(), PassThrough::Direction::Out, padded, PassThrough::kDataTimeoutSeconds);
    std::memcpy(PassThrough::area().data.data(), buffer, length);
    if (uint32_t error = PassThrough::send(descriptor(handle))) {
        LastError::record(error, kWriteFailed, PassThrough::area().scsiStatus);
        return 0;
    }
    return 1;
}
