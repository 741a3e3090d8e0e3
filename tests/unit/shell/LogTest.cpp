#include "shell/Log.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override { Prompter::setCurrent(&prompter); }
    void TearDown() override
    {
        Log::reset();
        Prompter::setCurrent(nullptr);
    }
    ScratchDir home;  // plays the program's directory
    ScriptedPrompter prompter;
};

TEST_F(LogTest, FreshStartReplacesOldTraceWithBannerAndTimeLine)
{
    home.write("Debug/Quillon.LOG", "old run\r\n");
    Log::start("Debug/Quillon.Log", false, home.path(), home.path());
    Log::line("FormCreate::Application path=/x/");
    Log::format("Default Language = %X", 0x404);

    auto got = lines(home.read("Debug/Quillon.LOG"));
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], "#### TEST Quillon log file ####");
    EXPECT_TRUE(std::regex_match(got[1], std::regex(R"(Log Time : \d{4}/\d{1,2}/\d{1,2},(AM|PM) \d\d:\d\d:\d\d)")))
        << got[1];
    EXPECT_EQ(got[2], "FormCreate::Application path=/x/");
    EXPECT_EQ(got[3], "Default Language = 404");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(LogTest, AppendModeKeepsTheOldTrace)
{
    home.write("Debug/Quillon.LOG", "old run\r\n");
    Log::start("Debug/Quillon.Log", true, home.path(), home.path());
    Log::line("next");
    EXPECT_EQ(home.read("Debug/Quillon.LOG"), "old run\r\nnext\r\n");
}

TEST_F(LogTest, WithoutDebugFolderTheExecutableDirectoryIsUsed)
{
    ScratchDir exeDir;
    exeDir.write("Quillon.LOG", "");
    Log::start("Debug/Quillon.Log", true, home.path(), exeDir.path());
    EXPECT_EQ(Log::path(), exeDir.file("Quillon.LOG"));
    Log::line("hello");
    EXPECT_EQ(exeDir.read("Quillon.LOG"), "hello\r\n");
    EXPECT_FALSE(home.exists("Debug"));
}

TEST_F(LogTest, MissingFileMeansNoTracing)
{
    std::filesystem::create_directories(home.file("Debug"));
    Log::start("Debug/Quillon.Log", false, home.path(), home.path());
    Log::line("nothing");
    Log::format("%s %d", "nothing", 1);
    EXPECT_FALSE(Log::enabled());
    EXPECT_FALSE(home.exists("Debug/Quillon.LOG"));
}

TEST_F(LogTest, DeletingAndRecreatingTheFileSwitchesTracingWhileRunning)
{
    home.write("Debug/Quillon.LOG", "");
    Log::start("Debug/Quillon.Log", true, home.path(), home.path());
    Log::line("one");
    std::filesystem::remove(home.file("Debug/Quillon.LOG"));
    Log::line("lost");
    EXPECT_FALSE(home.exists("Debug/Quillon.LOG"));
    home.write("Debug/Quillon.LOG", "");
    Log::line("two");
    EXPECT_EQ(home.read("Debug/Quillon.LOG"), "two\r\n");  // existing file: no banner
}

TEST_F(LogTest, VanishedDirectoryOrNonFileNeverDisturbsTheProgram)
{
    home.write("Debug/Quillon.LOG", "");
    Log::start("Debug/Quillon.Log", true, home.path(), home.path());
    std::filesystem::remove_all(home.file("Debug"));
    Log::line("into nowhere");
    EXPECT_FALSE(home.exists("Debug"));

    // A directory where the log file should be is not a log file.
    std::filesystem::create_directories(home.file("Debug/Quillon.LOG"));
    Log::start("Debug/Quillon.Log", false, home.path(), home.path());
    Log::line("still nothing");
    EXPECT_TRUE(std::filesystem::is_directory(home.file("Debug/Quillon.LOG")));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(LogTimeLine, TwelveHourClockWithoutLeadingZerosInTheDate)
{
    struct Case {
        int y, mo, d, h, mi, s;
        const char* expected;
    } cases[] = {
        {2007, 7, 2, 15, 4, 5, "Log Time : 2007/7/2,PM 03:04:05"},
        {2026, 12, 11, 0, 0, 9, "Log Time : 2026/12/11,AM 12:00:09"},
        {2026, 1, 31, 12, 30, 0, "Log Time : 2026/1/31,PM 12:30:00"},
        {2026, 1, 31, 11, 59, 59, "Log Time : 2026/1/31,AM 11:59:59"},
    };
    for (const auto& c : cases) EXPECT_EQ(Log::timeLine(c.y, c.mo, c.d, c.h, c.mi, c.s), c.expected);
}

TEST(LogHex, DumpsBytesAsUpperCaseHex)
{
    const unsigned char bytes[] = {0xA0, 0xA4, 0x00, 0x0F};
    EXPECT_EQ(logHex(bytes, sizeof bytes), "A0 A4 00 0F");
    EXPECT_EQ(logHex(bytes, 0), "");
}

}  // namespace
