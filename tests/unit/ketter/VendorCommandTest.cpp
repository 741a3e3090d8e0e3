#include "ketter/VendorCommand.h"
#include "ketter/ketter.h"

#include <gtest/gtest.h>

namespace {

using Generation = Platform::Generation;
using Block = VendorCommand::Block;

struct BlockCase {
    const char* name;
    Block actual;
    Block expected;
};

TEST(VendorCommandBlocks, ByteForByteForEachGeneration)
{
    const BlockCase cases[] = {
        {"inquiry classic", VendorCommand::inquiry(Generation::NtClassic),
         {0x08, 0x00, 0x46, 0x00, 0xFF, 0x00, 'I', 'N', 'Q', 'U'}},
        {"inquiry nt6", VendorCommand::inquiry(Generation::Nt6), {0xEE, 0x00, 0x08, 0x00, 0xFF, 0x00, 'I', 'N', 'Q', 'U'}},
        {"inquiry legacy", VendorCommand::inquiry(Generation::Legacy),
         {0x08, 0x00, 0x46, 0x00, 0xFF, 0x00, 'I', 'N', 'Q', 'U'}},
        {"read classic", VendorCommand::read(Generation::NtClassic, 0x0123, 0x7A, 0x12, 0x03),
         {0x08, 0x23, 0x46, 0x01, 0x23, 0x7A, 'S', 'I', 'M', ' '}},
        {"read nt6", VendorCommand::read(Generation::Nt6, 0x0123, 0x7A, 0x12, 0x03),
         {0xEE, 0x23, 0x08, 0x01, 0x23, 0x7A, 'S', 'I', 'M', ' '}},
        {"read legacy", VendorCommand::read(Generation::Legacy, 0x0100, 0x00, 0x01, 0xF5),
         {0x08, 0x05, 0x46, 0x01, 0x00, 0x00, 'S', 'I', 'M', ' '}},
        {"write classic length 5", VendorCommand::write(Generation::NtClassic, 5, 0x02, 0x01, 0xF5),
         {0x0A, 0x05, 0x46, 0x00, 0x05, 0x02, 'S', 'I', 'M', ' '}},
        {"write nt6 length 5", VendorCommand::write(Generation::Nt6, 5, 0x02, 0x12, 0x03),
         {0xEE, 0x23, 0x0A, 0x00, 0x05, 0x02, 'S', 'I', 'M', ' '}},
        {"write legacy", VendorCommand::write(Generation::Legacy, 0xFFFF, 0xFF, 0x0F, 0x0F),
         {0x0A, 0xFF, 0x46, 0xFF, 0xFF, 0xFF, 'S', 'I', 'M', ' '}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST(VendorCommandBlocks, SelectorKeepsTheLowNibbleOfHighAndDropsTheCarry)
{
    const struct {
        uint8_t high, low, selector;
    } cases[] = {{0x12, 0x03, 0x23}, {0x01, 0xF5, 0x05}, {0x00, 0x00, 0x00}, {0xFF, 0x10, 0x00}, {0x0A, 0x0B, 0xAB}};
    for (const auto& c : cases)
        EXPECT_EQ(VendorCommand::selector(c.high, c.low), c.selector) << int(c.high) << "/" << int(c.low);
}

TEST(VendorCommandBlocks, WriteDataPhaseIsRoundedUpToEven)
{
    const struct {
        uint16_t length;
        uint32_t padded;
    } cases[] = {{0, 0}, {1, 2}, {5, 6}, {6, 6}, {255, 256}, {0xFFFF, 0x10000}};
    for (const auto& c : cases) EXPECT_EQ(VendorCommand::paddedLength(c.length), c.padded) << c.length;
}

TEST(BlockStatus, ReturnsTheBitsOwnValue)
{
    const uint8_t bitmap[] = {0x05, 0x80};
    const struct {
        uint32_t index, value;
    } cases[] = {{0, 1}, {1, 0}, {2, 4}, {3, 0}, {8, 0}, {15, 128}};
    for (const auto& c : cases) EXPECT_EQ(GET_BLOCK_STATUS(bitmap, c.index), c.value) << c.index;
}

}  // namespace
