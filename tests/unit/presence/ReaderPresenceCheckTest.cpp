#include "shell/AppPaths.h"
#include "shell/Log.h"
#include "shell/Prompter.h"
#include "shell/ReaderPresenceCheck.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Shown {
    std::string caption;
    std::string text;
    bool operator==(const Shown&) const = default;
};

struct PresenceCase {
    const char* name;
    const char* library;  // nullptr: a file that does not exist
    const char* tree;     // fake sysfs tree seen by the real library
    const char* locale;
    std::vector<std::pair<std::string, std::string>> files;  // name, contents in the program's directory
    const char* anyReaderEnv;
    bool goesOn;
    std::vector<Shown> shown;
};

const std::string kHintEnglish = "[FormSIMCard]\r\nFormSIMCard=Quillon\r\n[Hint]\r\nHint79=Plug in the SIM reader.\r\n";
const std::string kHintPolish = "[formsimcard]\r\nFORMSIMCARD=Quillon PL\r\n[HINT]\r\nHINT79=Podlacz czytnik.\r\n";

class PresenceCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        Prompter::setCurrent(&prompter);
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        unsetenv("QUILLON_ANY_READER");
    }
    void TearDown() override
    {
        Prompter::setCurrent(nullptr);
        unsetenv("QUILLON_SYSFS_ROOT");
        unsetenv("QUILLON_ANY_READER");
        Log::reset();
        AppPaths::init();
    }
    ScriptedPrompter prompter;
};

TEST_F(PresenceCheck, EndsWithTheRightMessageOrGoesOn)
{
    const PresenceCase cases[] = {
        {"reader present", KETTER_LIBRARY, "two-readers", "en_US.UTF-8", {}, nullptr, true, {}},
        {"no reader, no language file", KETTER_LIBRARY, "no-reader", "en_US.UTF-8", {}, nullptr, false,
         {{"Tolmar", "Please plug in device!"}}},
        {"no reader, English file", KETTER_LIBRARY, "no-reader", "en_US.UTF-8", {{"QVSEstr2.INI", kHintEnglish}},
         nullptr, false, {{"Quillon", "Plug in the SIM reader."}}},
        {"no reader, Polish start-up file", KETTER_LIBRARY, "no-reader", "pl_PL.UTF-8",
         {{"QVSEstr2.INI", kHintEnglish}, {"QVSEstrK.INI", kHintPolish}}, nullptr, false,
         {{"Quillon PL", "Podlacz czytnik."}}},
        {"missing library", nullptr, "two-readers", "en_US.UTF-8", {}, nullptr, false,
         {{"Warning", "Get Ketter.dll error!"}}},
        {"incomplete library", INCOMPLETE_KETTER, "two-readers", "en_US.UTF-8", {}, nullptr, false,
         {{"Warning", "Get Ketter.dll error!"}}},
        {"no reader, opt-in by environment", KETTER_LIBRARY, "no-reader", "en_US.UTF-8", {}, "1", true, {}},
        {"no reader, opt-in set to 0", KETTER_LIBRARY, "no-reader", "en_US.UTF-8", {}, "0", false,
         {{"Tolmar", "Please plug in device!"}}},
        {"no reader, opt-in by install.log", KETTER_LIBRARY, "no-reader", "en_US.UTF-8",
         {{"install.log", "[Vars]\r\nanyreader=1\r\n"}}, nullptr, true, {}},
        {"missing library, opt-in", nullptr, "no-reader", "en_US.UTF-8", {}, "1", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        for (const auto& [name, contents] : c.files) dir.write(name, contents);
        AppPaths::setApplicationDir(dir.path());
        AppPaths::setDataDir(dir.path());
        setenv("LANG", c.locale, 1);
        setenv("QUILLON_SYSFS_ROOT", (std::string(QUILLON_TEST_DATA) + "/ketter/" + c.tree).c_str(), 1);
        if (c.anyReaderEnv)
            setenv("QUILLON_ANY_READER", c.anyReaderEnv, 1);
        else
            unsetenv("QUILLON_ANY_READER");
        prompter.shown.clear();

        EXPECT_EQ(ReaderPresenceCheck::run(c.library ? c.library : dir.file("libKetter.so")), c.goesOn);
        std::vector<Shown> shown;
        for (const auto& s : prompter.shown) shown.push_back({s.caption, s.text});
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(PresenceCheck, ProbeTellsTheOutcomes)
{
    setenv("QUILLON_SYSFS_ROOT", (std::string(QUILLON_TEST_DATA) + "/ketter/two-readers").c_str(), 1);
    EXPECT_EQ(ReaderPresenceCheck::probe(KETTER_LIBRARY), ReaderPresenceCheck::Outcome::ReaderPresent);
    EXPECT_EQ(ReaderPresenceCheck::probe(INCOMPLETE_KETTER), ReaderPresenceCheck::Outcome::LibraryIncomplete);
    EXPECT_EQ(ReaderPresenceCheck::probe("/nonexistent/libKetter.so"), ReaderPresenceCheck::Outcome::LibraryMissing);
    setenv("QUILLON_SYSFS_ROOT", (std::string(QUILLON_TEST_DATA) + "/ketter/no-reader").c_str(), 1);
    EXPECT_EQ(ReaderPresenceCheck::probe(KETTER_LIBRARY), ReaderPresenceCheck::Outcome::NoReader);
}

// Without a reader the three language lines go to the log before the message.
TEST_F(PresenceCheck, NoReaderLogsTheStartUpLanguage)
{
    ScratchDir dir;
    dir.write("Debug/Quillon.LOG", "");
    AppPaths::setApplicationDir(dir.path());
    AppPaths::setDataDir(dir.path());
    Log::start("Debug/Quillon.Log", false, dir.path(), dir.path());
    setenv("LANG", "pl_PL.UTF-8", 1);
    setenv("QUILLON_SYSFS_ROOT", (std::string(QUILLON_TEST_DATA) + "/ketter/no-reader").c_str(), 1);
    EXPECT_FALSE(ReaderPresenceCheck::run(KETTER_LIBRARY));
    std::string log = dir.read("Debug/Quillon.LOG");
    EXPECT_NE(log.find("Default Language = 415"), std::string::npos) << log;
    EXPECT_NE(log.find("Primary Language = 15"), std::string::npos) << log;
    EXPECT_NE(log.find("Sub Language = 1"), std::string::npos) << log;
}

}  // namespace
