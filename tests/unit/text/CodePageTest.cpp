#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct RoundTrip {
    int codePage;
    std::string ansi;
    std::u16string utf16;
};

class CodePageRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(CodePageRoundTrip, ConvertsBothWays)
{
    const auto& c = GetParam();
    EXPECT_EQ(CodePage::toUtf16(c.ansi, c.codePage), c.utf16);
    EXPECT_EQ(CodePage::fromUtf16(c.utf16, c.codePage), c.ansi);
    EXPECT_TRUE(CodePage::canEncode(c.utf16, c.codePage));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageRoundTrip,
    ::testing::Values(RoundTrip{950, "\xA4\xA4\xA4\xE5", u"\u4E2D\u6587"},           // 中文 in Big5
                      RoundTrip{950, "A\xB9\x71\xB8\xDC" "1", u"A\u96FB\u8A711"},  // A電話1: trail byte 0x71 is 'q'
                      RoundTrip{936, "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},         // 中文 in GBK
                      RoundTrip{1252, "caf\xE9 \x80", u"caf\u00E9 \u20AC"},
                      RoundTrip{1251, "\xCF\xF0\xE8", u"\u041F\u0440\u0438"},
                      RoundTrip{1252, "", u""}));

TEST(CodePage, LeadBytesFollowTheCodePage)
{
    struct Case {
        int codePage;
        uint8_t byte;
        bool lead;
    } cases[] = {
        {950, 0xA4, true},  {950, 0x81, true},  {950, 0x80, false}, {950, 0x41, false}, {950, 0xFF, false},
        {936, 0xD6, true},  {932, 0x82, true},  {932, 0xA0, false}, {1252, 0xE9, false}, {1251, 0xCF, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodePage::isLeadByte(c.byte, c.codePage), c.lead) << c.codePage << " " << int(c.byte);
}

TEST(CodePage, LocaleNamesMapToCodePages)
{
    struct Case {
        const char* locale;
        int codePage;
    } cases[] = {{"zh_TW.UTF-8", 950}, {"zh_HK", 950}, {"zh_CN.UTF-8", 936}, {"zh_SG", 936},
                 {"ja_JP.UTF-8", 932}, {"ko_KR", 949},  {"ru_RU.UTF-8", 1251}, {"en_US.UTF-8", 1252},
                 {"C", 1252},          {"", 1252}};
    for (const auto& c : cases) EXPECT_EQ(CodePage::fromLocaleName(c.locale), c.codePage) << c.locale;
}

TEST(CodePage, EnvironmentOverrideWins)
{
    ::setenv("LANG", "zh_TW.UTF-8", 1);
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_CTYPE");
    ::unsetenv("QUILLON_CODEPAGE");
    EXPECT_EQ(CodePage::fromEnvironment(), 950);
    ::setenv("QUILLON_CODEPAGE", "1251", 1);
    EXPECT_EQ(CodePage::fromEnvironment(), 1251);
    ::setenv("QUILLON_CODEPAGE", "junk", 1);
    EXPECT_EQ(CodePage::fromEnvironment(), 950);
    ::unsetenv("QUILLON_CODEPAGE");
}

TEST(CodePage, BadInputIsReplacedNotDropped)
{
    // A lone Big5 lead byte at the end and a character Big5 lacks.
    std::u16string decoded = CodePage::toUtf16("A\xA4", 950);
    ASSERT_EQ(decoded.size(), 2u);
    EXPECT_EQ(decoded[0], u'A');
    EXPECT_EQ(decoded[1], u'\uFFFD');
    EXPECT_EQ(CodePage::fromUtf16(u"x\u0416y", 1252), "x?y");
    EXPECT_FALSE(CodePage::canEncode(u"\u0416", 1252));
    EXPECT_EQ(CodePage::toUtf8("\xA4\xA4", 950), "\xE4\xB8\xAD");
    EXPECT_EQ(CodePage::fromUtf8("\xE4\xB8\xAD", 950), "\xA4\xA4");
}

TEST(CodePage, ForcedCodePageIsUsedByDefaultOverloads)
{
    CodePage::setAnsi(950);
    EXPECT_EQ(CodePage::ansi(), 950);
    EXPECT_TRUE(CodePage::isLeadByte(0xA4));
    CodePage::setAnsi(1252);
    EXPECT_FALSE(CodePage::isLeadByte(0xA4));
    EXPECT_EQ(CodePage::toUtf16("\xA4"), u"\u00A4");
    CodePage::setAnsi(0);
}

}  // namespace
