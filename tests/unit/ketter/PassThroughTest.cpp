#include "ketter/LastError.h"
#include "ketter/PassThrough.h"
#include "ketter/Platform.h"
#include "ketter/ketter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using Generation = Platform::Generation;

// What the fake driver saw and how it answers.
struct Driver {
    int calls = 0;
    sg_io_hdr_t header{};
    std::vector<uint8_t> cdb;
    std::vector<uint8_t> dataOut;
    std::vector<uint8_t> reply;  // bytes the device returns
    int error = 0;               // errno of a failing ioctl
    uint8_t scsiStatus = 0;
    unsigned short hostStatus = 0;
};
Driver driver;

int fakeTransport(int, sg_io_hdr_t* h)
{
    ++driver.calls;
    driver.header = *h;
    driver.cdb.assign(h->cmdp, h->cmdp + h->cmd_len);
    auto* data = static_cast<uint8_t*>(h->dxferp);
    if (h->dxfer_direction == SG_DXFER_TO_DEV) driver.dataOut.assign(data, data + h->dxfer_len);
    if (driver.error) {
        errno = driver.error;
        return -1;
    }
    size_t n = std::min<size_t>(driver.reply.size(), h->dxfer_len);
    if (h->dxfer_direction == SG_DXFER_FROM_DEV) std::memcpy(data, driver.reply.data(), n);
    h->resid = static_cast<int>(h->dxfer_len - n);
    h->status = driver.scsiStatus;
    h->host_status = driver.hostStatus;
    return 0;
}

class PassThroughCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver = Driver{};
        LastError::clear();
        PassThrough::setTransport(fakeTransport);
    }
    void TearDown() override
    {
        PassThrough::setTransport(nullptr);
        Platform::clearForced();
    }
};

TEST_F(PassThroughCommands, InquiryReplyBlock)
{
    const struct {
        Generation generation;
        std::vector<uint8_t> reply;
        bool result;
        uint32_t length;
    } cases[] = {
        {Generation::Nt6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, true, 10},
        {Generation::Nt6, {0xFF, 0x01}, true, 2},
        {Generation::NtClassic, {0xFF, 0x01}, false, 0},
        {Generation::NtClassic, {0x31, 0x2E, 0x30}, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.generation));
        Platform::force(c.generation);
        driver.reply = c.reply;
        uint32_t length = 77;
        uint8_t* block = SIM_InquiryFunctions(5, &length);
        EXPECT_EQ(block != nullptr, c.result);
        EXPECT_EQ(length, c.length);
        EXPECT_EQ(driver.header.dxfer_len, 255u);
        EXPECT_EQ(driver.header.timeout, 2000u);
        EXPECT_EQ(driver.header.dxfer_direction, SG_DXFER_FROM_DEV);
        if (block) {
            EXPECT_EQ(std::vector<uint8_t>(block, block + length), c.reply);
            EXPECT_EQ(block[length], 0);  // one byte more than reported, and it is zero
        }
        std::free(block);
    }
    EXPECT_EQ(LastError::text(), "");
}

TEST_F(PassThroughCommands, ReadCopiesTheReplyAndSendsTheReadBlock)
{
    Platform::force(Generation::Nt6);
    driver.reply = {0xA0, 0xA1, 0xA2, 0xA3};
    uint8_t buffer[4] = {};
    EXPECT_EQ(SIM_ReadData(3, buffer, 4, 0x7A, 0x12, 0x03), 1u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), driver.reply);
    EXPECT_EQ(driver.cdb, (std::vector<uint8_t>{0xEE, 0x23, 0x08, 0x00, 0x04, 0x7A, 'S', 'I', 'M', ' '}));
    EXPECT_EQ(driver.header.timeout, 10000u);
    EXPECT_EQ(driver.header.dxfer_len, 4u);
}

TEST_F(PassThroughCommands, WriteOfOddLengthIsPaddedWithAZeroByte)
{
    Platform::force(Generation::NtClassic);
    const uint8_t data[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(SIM_WriteData(3, data, 5, 0x00, 0x01, 0xF5), 1u);
    EXPECT_EQ(driver.header.dxfer_direction, SG_DXFER_TO_DEV);
    EXPECT_EQ(driver.header.dxfer_len, 6u);
    EXPECT_EQ(driver.header.timeout, 10000u);
    EXPECT_EQ(driver.dataOut, (std::vector<uint8_t>{1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(driver.cdb, (std::vector<uint8_t>{0x0A, 0x05, 0x46, 0x00, 0x05, 0x00, 'S', 'I', 'M', ' '}));
}

TEST_F(PassThroughCommands, BadScsiStatusAloneCountsAsDone)
{
    Platform::force(Generation::Nt6);
    driver.scsiStatus = 0x02;
    uint8_t buffer[2] = {};
    EXPECT_EQ(SIM_ReadData(3, buffer, 2, 0, 0, 0), 1u);
}

TEST_F(PassThroughCommands, FailuresAreRecordedWithTheirTexts)
{
    Platform::force(Generation::Nt6);
    uint8_t buffer[300] = {};
    uint32_t length = 9;
    const struct {
        const char* name;
        int error;
        unsigned short hostStatus;
        uint8_t scsiStatus;
        std::function<uint32_t()> call;
        uint32_t code;
        const char* text;
    } cases[] = {
        {"inquiry", EIO, 0, 0, [&] { return uint32_t(SIM_InquiryFunctions(3, &length) != nullptr); }, EIO,
         "Query firmware version failed: 00005"},
        {"read", ENODEV, 0, 0, [&] { return SIM_ReadData(3, buffer, 8, 0, 0, 0); }, ENODEV,
         "Query firmware version failed: 00019"},
        {"read timed out", 0, 0x03, 0, [&] { return SIM_ReadData(3, buffer, 8, 0, 0, 0); }, ETIMEDOUT,
         "Query firmware version failed: 00110"},
        {"write", 0, 0x07, 0x02, [&] { return SIM_WriteData(3, buffer, 8, 0, 0, 0); }, EIO,
         "Write EEPROM Data failed: 00005\nScsiStatus: 00002"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        driver = Driver{};
        driver.error = c.error;
        driver.hostStatus = c.hostStatus;
        driver.scsiStatus = c.scsiStatus;
        EXPECT_EQ(c.call(), 0u);
        EXPECT_EQ(LastError::code(), c.code);
        EXPECT_EQ(LastError::text(), c.text);
    }
    EXPECT_EQ(length, 0u);
}

TEST_F(PassThroughCommands, RefusedWithoutSendingAnything)
{
    Platform::force(Generation::Nt6);
    uint8_t buffer[300] = {};
    const struct {
        const char* name;
        std::function<uint32_t()> call;
        const char* text;
    } cases[] = {
        {"read without buffer", [] { return SIM_ReadData(3, nullptr, 4, 0, 0, 0); }, ""},
        {"write without buffer", [] { return SIM_WriteData(3, nullptr, 4, 0, 0, 0); }, ""},
        {"read past the transfer area", [&] { return SIM_ReadData(3, buffer, 257, 0, 0, 0); },
         "Query firmware version failed: 00022"},
        {"write past the transfer area", [&] { return SIM_WriteData(3, buffer, 257, 0, 0, 0); },
         "Write EEPROM Data failed: 00022\nScsiStatus: 00000"},
    };
    for (const auto& c : cases) {
        LastError::clear();
        EXPECT_EQ(c.call(), 0u) << c.name;
        EXPECT_EQ(LastError::text(), c.text) << c.name;
    }
    EXPECT_EQ(driver.calls, 0);
    EXPECT_EQ(SIM_WriteData(3, buffer, 255, 0, 0, 0), 1u);  // 255 bytes pad to exactly 256
    EXPECT_EQ(driver.header.dxfer_len, 256u);
}

TEST_F(PassThroughCommands, OpenFailureGivesZeroAndRecordsTheCode)
{
    Platform::force(Generation::Nt6);
    EXPECT_EQ(OpenRV570X("/nonexistent/sdz"), 0);
    EXPECT_EQ(LastError::code(), uint32_t(ENOENT));
    EXPECT_EQ(LastError::text(), "Cannot open the device: 00002\n");
}

TEST_F(PassThroughCommands, OpenGivesADescriptorTheCallerCloses)
{
    Platform::force(Generation::NtClassic);
    KetterHandle handle = OpenRV570X("/dev/null");
    ASSERT_GT(handle, 0);
    EXPECT_EQ(::close(static_cast<int>(handle)), 0);
}

}  // namespace
