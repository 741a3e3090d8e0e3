#include "ketter/VendorCommand.h"

#include <cstring>

VendorCommand::Block VendorCommand::frame(Platform::Generation generation, uint8_t opcode, const char* signature)
{
    Block block{};
    bool nt6 = generation == Platform::Generation::Nt6;
    block[0] = nt6 ? kNt6Opcode : opcode;
    block[2] = nt6 ? opcode : kMarker;
    std::memcpy(block.data() + 6, signature, 4);
    return block;
}

VendorCommand::Block VendorCommand::inquiry(Platform::Generation generation)
{
    Block block = frame(generation, kInquiryOpcode, "INQU");
    block[4] = 0xFF;
    return block;
}

namespace {
void fillData(VendorCommand::Block& block, uint16_t length, uint8_t cdbByte5, uint8_t high, uint8_t low)
{
    block[1] = VendorCommand::selector(high, low);
    block[3] = static_cast<uint8_t>(length >> 8);
    block[4] = static_cast<uint8_t>(length & 0xFF);
    block[5] = cdbByte5;
}
}  // namespace

VendorCommand::Block VendorCommand::read(Platform::Generation generation, uint16_t length, uint8_t cdbByte5,
                                         uint8_t high, uint8_t low)
{
    Block block = frame(generation, kReadOpcode, "SIM ");
    fillData(block, length, cdbByte5, high, low);
    return block;
}

VendorCommand::Block VendorCommand::write(Platform::Generation generation, uint16_t length, uint8_t cdbByte5,
                                          uint8_t high, uint8_t low)
{
    Block block = frame(generation, kWriteOpcode, "SIM ");
    fillData(block, length, cdbByte5, high, low);
    return block;
}

uint8_t VendorCommand::selector(uint8_t high, uint8_t low)
{
    return static_cast<uint8_t>(((high & 0x0F) << 4) + low);
}

uint32_t VendorCommand::paddedLength(uint16_t length) { return (length + 1u) & ~1u; }
