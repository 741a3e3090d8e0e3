#include "shell/Log.h"
#include "sim/ReaderBinding.h"
#include "sim/ReaderServiceLibrary.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace {

class ReaderBindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Prompter::setCurrent(&prompter);
        home.write("Quillon.LOG", "");
        Log::start("Quillon.Log", true, home.path(), home.path());
    }
    void TearDown() override
    {
        ReaderBinding::setService(nullptr);
        Prompter::setCurrent(nullptr);
        Log::reset();
    }
    std::string log() const { return home.read("Quillon.LOG"); }

    ScratchDir home;
    ScriptedPrompter prompter;
};

TEST_F(ReaderBindingTest, WrappersCallTheLibraryAndWriteTheirLogLines)
{
    ReaderServiceLibrary lib;
    std::string error;
    ASSERT_TRUE(lib.load(FAKE_LIB_DIR "/libtest_qvsimsc_full.so", error)) << error;
    ReaderBinding::setService(&lib);

    uint32_t context = ReaderBinding::SimCardInit(nullptr);
    EXPECT_EQ(context, 0x1234u);
    std::string readers = ReaderBinding::QVGetReaderList();
    EXPECT_EQ(readers, "Fake Reader 0\nFake Reader 1\n");
    uint32_t card = 0, proto = 0;
    EXPECT_EQ(ReaderBinding::QVConnect(context, "Fake Reader 0", &card, &proto), 0u);
    EXPECT_EQ(card, 77u);
    ReaderBinding::QVDisconnect(card);
    EXPECT_NE(ReaderBinding::QVConnect(context, "Other", &card, &proto), 0u);
    EXPECT_TRUE(ReaderBinding::cardPresent(context, "Fake Reader 0"));
    EXPECT_FALSE(ReaderBinding::cardPresent(context, "Fake Reader 1"));

    uint8_t cmd[] = {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
    uint8_t resp[300] = {};
    uint32_t len = sizeof resp;
    EXPECT_EQ(ReaderBinding::doApdu(cmd, sizeof cmd, resp, &len), 0u);
    EXPECT_EQ(len, 3u);
    EXPECT_EQ(resp[0], 7);
    ReaderBinding::SimCardExit();

    EXPECT_EQ(log(),
              "SimCardInit dwIndex=0\r\nSimCardInit end\r\n"
              "QVGetReaderList start\r\nQVGetReaderList end\r\n"
              "QVConnect start::pcReader=Fake Reader 0\r\nQVConnect end\r\n"
              "QVDisconnect start\r\nQVDisconnect end\r\n"
              "QVConnect start::pcReader=Other\r\nQVConnect end\r\n"
              "SimCardExit start\r\nSimCardExit end\r\n");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ReaderBindingTest, MissingEntryPointWarnsAndFails)
{
    ReaderServiceLibrary lib;
    std::string error;
    ASSERT_TRUE(lib.load(FAKE_LIB_DIR "/libtest_qvsimsc_partial.so", error)) << error;
    ReaderBinding::setService(&lib);

    uint8_t cmd[] = {0xA0, 0xC0, 0x00, 0x00, 0x0F};
    uint8_t resp[300] = {};
    uint32_t len = sizeof resp;
    EXPECT_NE(ReaderBinding::doApdu(cmd, sizeof cmd, resp, &len), 0u);
    EXPECT_NE(ReaderBinding::doApdu(cmd, sizeof cmd, resp, &len), 0u);  // said once, not at every call
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "QVSIMSC.DLL error.");
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    // The other entry points still work.
    EXPECT_EQ(ReaderBinding::SimCardInit(nullptr), 0x1234u);
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(ReaderBindingTest, UnloadableFilesReportTheLoaderError)
{
    home.write("broken.so", "this is not a shared library");
    for (std::string path : {home.file("missing.so"), home.file("broken.so")}) {
        ReaderServiceLibrary lib;
        std::string error;
        EXPECT_FALSE(lib.load(path, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_FALSE(lib.loaded());
    }
}

TEST_F(ReaderBindingTest, NoServiceInstalledFailsQuietly)
{
    uint32_t card = 0, proto = 0;
    EXPECT_NE(ReaderBinding::QVConnect(1, "r", &card, &proto), 0u);
    EXPECT_EQ(ReaderBinding::QVGetReaderList(), "");
    uint8_t resp[4];
    uint32_t len = sizeof resp;
    EXPECT_NE(ReaderBinding::doApdu(resp, 1, resp, &len), 0u);
}

}  // namespace
