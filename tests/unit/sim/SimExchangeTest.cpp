#include "shell/Log.h"
#include "sim/EfHeader.h"
#include "sim/SimAPDU.h"
#include "sim/SimCommand.h"
#include "sim/SimGeometry.h"
#include "sim/SimPin.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct CommandCase {
    const char* what;
    std::function<SimCommand::Bytes()> build;
    const char* bytes;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << caseText(c.what); }

class CommandBytes : public testing::TestWithParam<CommandCase> {};

TEST_P(CommandBytes, HeaderThenData) { EXPECT_EQ(GetParam().build(), hexBytes(GetParam().bytes)) << GetParam().what; }

INSTANTIATE_TEST_SUITE_P(Cases, CommandBytes, testing::Values(
    CommandCase{"select", [] { return SimCommand::select(0x6F3A); }, "A0 A4 00 00 02 6F 3A"},
    CommandCase{"get response", [] { return SimCommand::getResponse(0x0F); }, "A0 C0 00 00 0F"},
    CommandCase{"read record", [] { return SimCommand::readRecord(5, 0x1C); }, "A0 B2 05 04 1C"},
    CommandCase{"update record", [] { return SimCommand::updateRecord(3, hexBytes("01 02 03")); }, "A0 DC 03 04 03 01 02 03"},
    CommandCase{"read binary", [] { return SimCommand::readBinary(10); }, "A0 B0 00 00 0A"},
    CommandCase{"verify", [] { return SimCommand::verifyChv(1, SimPin::pinBlock("1234")); },
                "A0 20 00 01 08 31 32 33 34 FF FF FF FF"},
    CommandCase{"verify, long PIN", [] { return SimCommand::verifyChv(1, SimPin::pinBlock("1234567890")); },
                "A0 20 00 01 08 31 32 33 34 35 36 37 38"},
    CommandCase{"change", [] { return SimCommand::changeChv(1, SimPin::pinBlock("0000"), SimPin::pinBlock("98765")); },
                "A0 24 00 01 10 30 30 30 30 FF FF FF FF 39 38 37 36 35 FF FF FF"},
    CommandCase{"disable", [] { return SimCommand::disableChv1(SimPin::pinBlock("1")); }, "A0 26 00 01 08 31 FF FF FF FF FF FF FF"},
    CommandCase{"enable", [] { return SimCommand::enableChv1(SimPin::pinBlock("1")); }, "A0 28 00 01 08 31 FF FF FF FF FF FF FF"},
    CommandCase{"answer to reset", [] { return SimCommand::answerToReset(); }, "00 02 00 00 02 00 00"}));

// A service whose answer the test decides.
class RawService : public ReaderService {
public:
    uint32_t initQVSC(void*, uint32_t) override { return 1; }
    uint32_t freeQVSC() override { return 0; }
    uint32_t qvConnect(uint32_t, const char*, uint32_t, uint32_t, uint32_t*, uint32_t*) override { return 0; }
    uint32_t qvDisconnect(uint32_t, uint32_t) override { return 0; }
    char* qvGetReaderList(char* b) override { return b; }
    uint32_t qvDoApdu(const uint8_t*, uint32_t, uint8_t* response, uint32_t* length) override
    {
        seenCapacity = *length;
        seenFirstByte = response[0];
        for (size_t i = 0; i < reply.size() && i < *length; ++i) response[i] = reply[i];
        *length = claimed;
        return result;
    }
    std::vector<uint8_t> reply;
    uint32_t claimed = 0;
    uint32_t result = 0;
    uint32_t seenCapacity = 0;
    uint8_t seenFirstByte = 0xAA;
};

class SimApduTest : public testing::Test {
protected:
    void SetUp() override { ReaderBinding::setService(&service); }
    void TearDown() override
    {
        ReaderBinding::setService(nullptr);
        Log::reset();
    }
    RawService service;
};

TEST_F(SimApduTest, ZeroFillsTheCapacityAndKeepsTheLowSixteenBits)
{
    std::vector<uint8_t> buffer(512, 0xEE);
    service.reply = hexBytes("90 00");
    service.claimed = 2;
    service.result = 0x80100069;  // a PC/SC error code
    uint32_t length = 300;
    const auto cmd = SimCommand::select(0x3F00);
    EXPECT_EQ(SimAPDU(cmd.data(), static_cast<uint32_t>(cmd.size()), buffer.data(), &length), 0x0069);
    EXPECT_EQ(service.seenCapacity, 300u);
    EXPECT_EQ(service.seenFirstByte, 0x00);
    EXPECT_EQ(buffer[299], 0x00);
    EXPECT_EQ(buffer[300], 0xEE);  // beyond the capacity nothing is touched
}

TEST_F(SimApduTest, ALengthBeyondTheCapacityIsCutToIt)
{
    std::vector<uint8_t> buffer(512, 0);
    service.claimed = 5000;
    uint32_t length = 300;
    const auto cmd = SimCommand::readRecord(1, 0x1C);
    EXPECT_EQ(SimAPDU(cmd.data(), static_cast<uint32_t>(cmd.size()), buffer.data(), &length), 0);
    EXPECT_EQ(length, 300u);
}

TEST_F(SimApduTest, LogsTheCommandInHexadecimal)
{
    ScratchDir dir;
    dir.write("Debug/Quillon.LOG", "");
    Log::start("Debug/Quillon.Log", true, dir.path(), dir.path());
    std::vector<uint8_t> buffer(512, 0);
    buffer[0] = 0x9F;
    buffer[1] = 0x0F;
    uint32_t length = 300;
    const auto cmd = SimCommand::select(0x7F10);
    SimAPDU(cmd.data(), static_cast<uint32_t>(cmd.size()), buffer.data(), &length);
    const std::string log = dir.read("Debug/Quillon.LOG");
    EXPECT_NE(log.find("SimAPDU start pcInBuf=A0 A4 00 00 02 7F 10,dwSize=7,pcOutBuf=9F 0F\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("SimAPDU end\r\n"), std::string::npos);
}

struct HeaderCase {
    const char* data;
    bool allowShift;
    bool complete;
    bool shifted;
    uint16_t fileSize;
    uint8_t recordLength;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << caseHex(c.data, 6) + (c.allowShift ? "_shift" : "_noshift"); }

class ElementaryHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(ElementaryHeader, FindsSizeAndRecordLength)
{
    const HeaderCase& c = GetParam();
    EfHeader h = EfHeader::parseElementary(hexBytes(c.data), c.allowShift);
    EXPECT_EQ(h.complete, c.complete);
    EXPECT_EQ(h.shifted, c.shifted);
    EXPECT_EQ(h.fileSize, c.fileSize);
    EXPECT_EQ(h.recordLength, c.recordLength);
}

INSTANTIATE_TEST_SUITE_P(Cases, ElementaryHeader, testing::Values(
    HeaderCase{"00 00 1B 58 6F 3A 04 00 11 FF 44 01 02 01 1C", true, true, false, 0x1B58, 0x1C},
    HeaderCase{"C0 00 00 1B 58 6F 3A 04 00 11 FF 44 01 02 01 1C", true, true, true, 0x1B58, 0x1C},
    HeaderCase{"C0 00 00 1B 58 6F 3A 04 00 11 FF 44 01 02 01 1C", false, true, false, 0x001B, 0x01},
    HeaderCase{"C0 00 00 1B 58 6F 3A 04 00 11 FF 44 01 02 01", true, false, true, 0x1B58, 0x00},
    HeaderCase{"00 00 01 F4", true, false, false, 0x01F4, 0x00}));

TEST(SimGeometry, RecordLengthZeroDividesByOne)
{
    EXPECT_EQ(SimGeometry::recordCount(500, 0), 500);
    EXPECT_EQ(SimGeometry::recordCount(7000, 28), 250);
    EXPECT_EQ(SimGeometry::nameWidth(0), -14);
    EXPECT_EQ(SimGeometry::usableLength(0), 1);
}

}  // namespace
