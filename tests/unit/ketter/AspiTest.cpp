#include "ketter/AspiCommand.h"
#include "ketter/AspiManager.h"
#include "ketter/AspiScan.h"
#include "ketter/KetterOutput.h"
#include "ketter/LastError.h"
#include "ketter/Platform.h"
#include "ketter/ketter.h"
#include "tests/unit/ketter/fakeaspi/FakeAspi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> boxes;
std::vector<std::string> debugLines;

void record(KetterOutput::Channel channel, const std::string& caption, const std::string& text)
{
    if (channel == KetterOutput::Channel::ErrorBox)
        boxes.push_back(caption + ": " + text);
    else
        debugLines.push_back(text);
}

class Aspi : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeAspi().reset();
        boxes.clear();
        debugLines.clear();
        LastError::clear();
        AspiScan::forget();
        KetterOutput::setSink(record);
        AspiManager::setLibraryPath(FAKE_ASPI_PATH);
        Platform::force(Platform::Generation::Legacy);
    }
    void TearDown() override
    {
        TermASPI();
        fakeAspi().reset();
        AspiManager::setLibraryPath("");
        AspiCommand::setWaitMs(0);
        KetterOutput::setSink(nullptr);
        Platform::clearForced();
    }
    // Two adapters, the reader on adapter 1 at target 3; manager ready.
    static void readerAtAdapter1Target3()
    {
        fakeAspi().supportInfo = (SS_COMP << 8) | 2;
        fakeAspi().adapterUnique3 = {8, 8};
        fakeAspi().targets = {{1, 3}};
        ASSERT_EQ(InitASPI(), 1u);
    }
    // Manager ready and the reader found at adapter 0, target 0.
    static void openReader()
    {
        fakeAspi().targets = {{0, 0, DTYPE_DASD, DTYPE_DASD}};
        ASSERT_EQ(InitASPI(), 1u);
        ASSERT_EQ(OpenRV570X("reader"), 0);
    }
};

TEST_F(Aspi, InitPreparesTimeoutsAndTheManagersBuffer)
{
    EXPECT_EQ(InitASPI(), 1u);
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(fakeAspi().timeouts);
    EXPECT_EQ(fakeAspi().timeouts->SRB_HaId, 0xFF);
    EXPECT_EQ(fakeAspi().timeouts->SRB_Target, 0xFF);
    EXPECT_EQ(fakeAspi().timeouts->SRB_Lun, 0xFF);
    EXPECT_EQ(fakeAspi().timeouts->SRB_Flags, SRB_DIR_OUT);
    EXPECT_EQ(fakeAspi().timeouts->SRB_Timeout, 30u);
    EXPECT_EQ(fakeAspi().bufferRequests, (std::vector<uint32_t>{0x80000}));
    EXPECT_TRUE(AspiManager::bufferFromManager());
    EXPECT_NE(TermASPI(), 0u);
    EXPECT_EQ(fakeAspi().buffersFreed, 1);
    EXPECT_EQ(TermASPI(), 0u);  // nothing left to unload
}

TEST_F(Aspi, WithoutManagerBuffersInitFallsBackToItsOwn)
{
    fakeAspi().bufferFails = true;
    EXPECT_EQ(InitASPI(), 1u);
    EXPECT_EQ(fakeAspi().bufferRequests, (std::vector<uint32_t>{0x80000, 0x40000, 0x20000}));
    EXPECT_FALSE(AspiManager::bufferFromManager());
    EXPECT_NE(AspiManager::buffer().AB_BufPointer, nullptr);
    EXPECT_EQ(AspiManager::buffer().AB_BufLen, 0x10000u);
    EXPECT_NE(TermASPI(), 0u);
    EXPECT_EQ(fakeAspi().buffersFreed, 0);
}

TEST_F(Aspi, InitFailuresShowTheErrorBox)
{
    const struct {
        const char* name;
        const char* library;
        uint32_t supportInfo;
        const char* box;
    } cases[] = {
        {"no manager", "/nonexistent/libWNASPI32.so", SS_COMP << 8,
         "Sim Card R/W: Unable to initialize ASPI for Win32 (7e/1)."},
        {"not a manager", "libm.so.6", SS_COMP << 8,
         "Sim Card R/W: This program requires ASPI for Win32 (i.e. WNASPI32.DLL) to run properly."},
        {"manager error", FAKE_ASPI_PATH, SS_ERR << 8, "Sim Card R/W: Unable to initialize ASPI for Win32 (0/4)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        AspiManager::setLibraryPath(c.library);
        fakeAspi().supportInfo = c.supportInfo;
        EXPECT_EQ(InitASPI(), 0u);
        EXPECT_EQ(boxes, std::vector<std::string>{c.box});
        TermASPI();
    }
}

TEST_F(Aspi, ScanFindsTheFirstDirectAccessTarget)
{
    const struct {
        const char* name;
        uint32_t supportInfo;
        std::vector<uint8_t> unique3;
        std::vector<FakeAspiTarget> targets;
        intptr_t address;
        size_t probed;
    } cases[] = {
        {"no adapters", SS_NO_ADAPTERS << 8, {8}, {{0, 0}}, -1, 0},
        {"unique byte 15 probes 8", (SS_COMP << 8) | 1, {15}, {}, -1, 8},
        {"unique byte 16 probes 16", (SS_COMP << 8) | 1, {16}, {}, -1, 16},
        {"CD-ROM skipped", (SS_COMP << 8) | 1, {8}, {{0, 1, DTYPE_CDROM, DTYPE_CDROM}, {0, 2, DTYPE_DASD, DTYPE_DASD}}, 2, 3},
        {"adapter 1 target 3", (SS_COMP << 8) | 2, {8, 8}, {{1, 3}, {1, 5}}, 19, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakeAspi().reset();
        fakeAspi().supportInfo = c.supportInfo;
        fakeAspi().adapterUnique3 = c.unique3;
        fakeAspi().targets = c.targets;
        ASSERT_EQ(InitASPI(), 1u);
        EXPECT_EQ(OpenRV570X("reader"), c.address);
        EXPECT_EQ(fakeAspi().probed.size(), c.probed);
        TermASPI();
    }
}

TEST_F(Aspi, FoundReaderIsReportedOnTheDebugOutput)
{
    readerAtAdapter1Target3();
    EXPECT_EQ(OpenRV570X(nullptr), -1);
    EXPECT_TRUE(debugLines.empty());
    EXPECT_EQ(OpenRV570X("reader"), 19);
    EXPECT_EQ(debugLines, (std::vector<std::string>{"[1:3] QUILLON SIM READER 1.0\n", "AdaptID is 1, TargetID is 3\n"}));
}

TEST_F(Aspi, OpenBeforeInitFindsNothing)
{
    fakeAspi().targets = {{0, 0}};
    EXPECT_EQ(OpenRV570X("reader"), -1);
    EXPECT_TRUE(fakeAspi().probed.empty());
}

TEST_F(Aspi, RetryRule)
{
    const FakeAspiOutcome ok{};
    const FakeAspiOutcome failed{SS_ERR, 0, 0};
    const FakeAspiOutcome unitAttention{SS_ERR, STATUS_CHKCOND, KEY_UNITATT};
    const FakeAspiOutcome otherSense{SS_ERR, STATUS_CHKCOND, 0x03};
    const FakeAspiOutcome later{SS_COMP, 0, 0, true};
    const FakeAspiOutcome never{SS_PENDING, 0, 0, false, true};
    const struct {
        const char* name;
        std::deque<FakeAspiOutcome> outcomes;
        uint32_t result;
        size_t sent;
    } cases[] = {
        {"done at once", {ok}, 1, 1},
        {"done on another thread", {later}, 1, 1},
        {"unit attention is final", {unitAttention, ok}, 0, 1},
        {"other check condition retried", {otherSense, ok}, 1, 2},
        {"failure retried once", {failed, ok}, 1, 2},
        {"two failures", {failed, failed, ok}, 0, 2},
        {"pending too long is retried", {never, ok}, 1, 2},
        {"pending twice", {never, never}, 0, 2},
    };
    AspiCommand::setWaitMs(50);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakeAspi().reset();
        openReader();
        fakeAspi().outcomes = c.outcomes;
        fakeAspi().reply = {0x11, 0x22, 0x33};
        uint8_t buffer[3] = {9, 9, 9};
        EXPECT_EQ(SIM_ReadData(0, buffer, 3, 0x01, 0x12, 0x03), c.result);
        EXPECT_EQ(fakeAspi().vendorCommands().size(), c.sent);
        std::vector<uint8_t> expected = c.result ? std::vector<uint8_t>{0x11, 0x22, 0x33} : std::vector<uint8_t>{0, 0, 0};
        EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 3), expected);
        TermASPI();
    }
}

TEST_F(Aspi, LegacyCommandsUseTheRememberedAddress)
{
    readerAtAdapter1Target3();
    ASSERT_EQ(OpenRV570X("reader"), 19);

    const uint8_t data[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(SIM_WriteData(0, data, 5, 0x02, 0x01, 0xF5), 1u);
    fakeAspi().reply.assign(255, 0x5A);
    uint32_t length = 0;
    uint8_t* block = SIM_InquiryFunctions(0, &length);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(length, 255u);
    EXPECT_EQ(block[253], 0x5A);
    EXPECT_EQ(block[254], 0);  // 254 reply bytes are copied into the 255-byte block
    std::free(block);

    auto sent = fakeAspi().vendorCommands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].adapter, 1);
    EXPECT_EQ(sent[0].target, 3);
    EXPECT_EQ(sent[0].flags & (SRB_DIR_IN | SRB_DIR_OUT), SRB_DIR_OUT);
    EXPECT_EQ(sent[0].data, (std::vector<uint8_t>{1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(sent[0].cdb, (std::vector<uint8_t>{0x0A, 0x05, 0x46, 0x00, 0x05, 0x02, 'S', 'I', 'M', ' '}));
    EXPECT_EQ(sent[1].flags & (SRB_DIR_IN | SRB_DIR_OUT), SRB_DIR_IN);
    EXPECT_EQ(sent[1].cdb, (std::vector<uint8_t>{0x08, 0x00, 0x46, 0x00, 0xFF, 0x00, 'I', 'N', 'Q', 'U'}));
}

TEST_F(Aspi, FailedLegacyInquiryKeepsTheLengthAndRecordsTheText)
{
    openReader();
    fakeAspi().outcomes = {{SS_ERR, 0, 0}, {SS_ERR, 0, 0}};
    uint32_t length = 42;
    EXPECT_EQ(SIM_InquiryFunctions(0, &length), nullptr);
    EXPECT_EQ(length, 42u);
    EXPECT_EQ(LastError::text().rfind("Query firmware version failed: ", 0), 0u);
}

}  // namespace
