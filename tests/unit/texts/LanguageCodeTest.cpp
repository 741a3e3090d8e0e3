#include "shell/LanguageCode.h"
#include "shell/Log.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

struct LocaleCase {
    const char* locale;
    uint16_t langId;
    const char* startup;
    const char* window;
};

// Locale -> language id -> the two codes; rows where the two tables differ are the ones that matter.
const LocaleCase localeCases[] = {
    {"zh_TW.UTF-8", 0x0404, "0", "0"},  {"zh_CN.GB2312", 0x0804, "1", "1"}, {"zh_HK.BIG5-HKSCS", 0x0C04, "0", "0"},
    {"zh_SG.UTF-8", 0x1004, "0", "0"},  {"en_US.UTF-8", 0x0409, "2", "2"},  {"en_GB", 0x0809, "2", "2"},
    {"de_DE.UTF-8", 0x0407, "A", "A"},  {"es_ES.UTF-8", 0x0C0A, "C", "C"},  {"fr_CA.UTF-8", 0x0C0C, "9", "9"},
    {"he_IL.UTF-8", 0x040D, "H", "2"},  {"it_IT", 0x0410, "B", "B"},        {"ja_JP.eucJP", 0x0411, "3", "3"},
    {"ko_KR.UTF-8", 0x0412, "4", "4"},  {"nl_BE@euro", 0x0813, "I", "I"},   {"pl_PL.UTF-8", 0x0415, "K", "2"},
    {"pt_BR.UTF-8", 0x0416, "D", "D"},  {"ru_RU.KOI8-R", 0x0419, "F", "F"}, {"sq_AL.UTF-8", 0x041C, "G", "2"},
    {"th_TH.TIS-620", 0x041E, "5", "5"}, {"tr_TR.UTF-8", 0x041F, "J", "J"}, {"sv_SE.UTF-8", 0x041D, "2", "2"},
    {"C", 0x0409, "2", "2"},            {"POSIX", 0x0409, "2", "2"},        {"", 0x0409, "2", "2"},
};

class LocaleTable : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleTable, MapsLocaleToIdAndBothCodes)
{
    const LocaleCase& c = GetParam();
    uint16_t id = LanguageCode::langIdFromLocale(c.locale);
    EXPECT_EQ(id, c.langId) << c.locale;
    EXPECT_EQ(LanguageCode::startupCode(id), c.startup) << c.locale;
    EXPECT_EQ(LanguageCode::windowCode(id), c.window) << c.locale;
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleTable, ::testing::ValuesIn(localeCases));

TEST(LanguageCodeIds, ChineseSublanguageDecidesBetweenSimplifiedAndTraditional)
{
    // Only sublanguage 2 is simplified; an unusual sublanguage counts as traditional.
    EXPECT_EQ(LanguageCode::windowCode(0x0804), "1");
    EXPECT_EQ(LanguageCode::windowCode(0x1404), "0");
    EXPECT_EQ(LanguageCode::windowCode(0x7C04), "0");
    EXPECT_EQ(LanguageCode::windowCode(0x0000), "2");
}

TEST(LanguageCodeIds, FileNamesCarryTheCode)
{
    EXPECT_EQ(LanguageCode::textFileName("0"), "QVSEstr0.INI");
    EXPECT_EQ(LanguageCode::textFileName("XY"), "QVSEstrXY.INI");
    EXPECT_EQ(LanguageCode::helpFileName("2"), "Tolmar2.CHM");
}

// Sets or removes environment variables for one test and restores them afterwards.
class EnvGuard {
public:
    explicit EnvGuard(std::initializer_list<const char*> names)
    {
        for (const char* n : names) {
            const char* v = std::getenv(n);
            saved_.emplace_back(n, v ? std::optional<std::string>(v) : std::nullopt);
        }
    }
    ~EnvGuard()
    {
        for (auto& [n, v] : saved_) v ? ::setenv(n.c_str(), v->c_str(), 1) : ::unsetenv(n.c_str());
    }
    static void set(const char* name, const char* value) { value ? ::setenv(name, value, 1) : ::unsetenv(name); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

struct EnvCase {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    uint16_t expected;
};

TEST(LanguageCodeIds, SystemLanguageTakesFirstNonEmptyOfLcAllLcMessagesLang)
{
    const EnvCase cases[] = {
        {"ja_JP.UTF-8", "de_DE.UTF-8", "zh_TW.UTF-8", 0x0411},
        {"", "de_DE.UTF-8", "zh_TW.UTF-8", 0x0407},
        {nullptr, nullptr, "zh_CN.UTF-8", 0x0804},
        {nullptr, "", "pl_PL", 0x0415},
        {nullptr, nullptr, nullptr, 0x0409},
    };
    EnvGuard guard({"LC_ALL", "LC_MESSAGES", "LANG"});
    for (const EnvCase& c : cases) {
        EnvGuard::set("LC_ALL", c.lcAll);
        EnvGuard::set("LC_MESSAGES", c.lcMessages);
        EnvGuard::set("LANG", c.lang);
        EXPECT_EQ(LanguageCode::systemLangId(), c.expected) << (c.lang ? c.lang : "(none)");
    }
}

TEST(LanguageCodeLog, StartupCodeWritesTheThreeLanguageLines)
{
    ScratchDir dir;
    dir.write("Quillon.LOG", "");
    Log::start("Quillon.Log", true, dir.path(), dir.path());
    LanguageCode::startupCode(0x0C04);
    LanguageCode::windowCode(0x0404);  // the window table writes nothing
    std::string log = dir.read("Quillon.LOG");
    Log::reset();
    EXPECT_NE(log.find("Default Language = C04\r\nPrimary Language = 4\r\nSub Language = 3\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Default Language = 404"), std::string::npos) << log;
}

}  // namespace
