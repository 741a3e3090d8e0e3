#include "store/CardTextLimits.h"

#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Big5 characters (two bytes each): "中" A4 A4, "文" A4 E5.
const std::string kZhong = "\xA4\xA4";

std::string repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

class Big5Limits : public ::testing::Test {
protected:
    void SetUp() override { CodePage::setAnsi(950); }
    void TearDown() override { CodePage::setAnsi(0); }
};

struct NameCase {
    const char* what;
    std::string name;
    int alphaLength;
    bool tooLong;
};

TEST_F(Big5Limits, NameLimitsFollowTheCardsAlphaLength)
{
    const NameCase cases[] = {
        {"12 ASCII characters fit X=14", std::string(12, 'a'), 14, false},
        {"13 ASCII characters do not", std::string(13, 'a'), 14, true},
        {"two tildes leave room for 10", "~abcdefgh~", 14, false},
        {"two tildes and 11 characters", "~abcdefghi~", 14, true},
        {"six double-byte characters", repeat(kZhong, 6), 14, false},
        {"seven double-byte characters", repeat(kZhong, 7), 14, true},
        {"one double-byte and five ASCII", kZhong + "abcde", 14, false},
        {"one double-byte and six ASCII", kZhong + "abcdef", 14, true},
        {"grave accent makes six the limit", "abcde`", 14, false},
        {"grave accent with seven characters", "abcdef`", 14, true},
        {"X=2 never refuses", std::string(40, 'a'), 2, false},
        {"X=0 never refuses", repeat(kZhong, 30), 0, false},
        {"blanks count in the stored length", " abcdefghijk ", 14, true},
        {"escapes alone overflowing the field", std::string(13, '~'), 14, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CardTextLimits::nameTooLong(c.name, c.alphaLength), c.tooLong) << c.what;
    }
}

struct MessageCase {
    const char* what;
    std::string text;
    bool tooLong;
};

TEST_F(Big5Limits, MessageLimitsCountBytesOrWideCharacters)
{
    const MessageCase cases[] = {
        {"140 single-byte characters", std::string(140, 'x'), false},
        {"141 single-byte characters", std::string(141, 'x'), true},
        {"140 characters between blanks", "   " + std::string(140, 'x') + "  ", false},
        {"70 double-byte characters", repeat(kZhong, 70), false},
        {"71 double-byte characters", repeat(kZhong, 71), true},
        {"mixed text of 70 characters", repeat(kZhong, 35) + std::string(35, 'x'), false},
        {"mixed text of 71 characters", repeat(kZhong, 35) + std::string(36, 'x'), true},
        {"grave accent switches to UCS2 counting", "`" + std::string(70, 'x'), true},
        {"empty text", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CardTextLimits::messageTooLong(c.text), c.tooLong) << c.what;
    }
}

struct SingleByteCase {
    const char* what;
    int codePage;
    std::string name;
    bool tooLong;
};

TEST(CardTextLimitsSingleByte, CharactersOutsideTheGsmAlphabetCountAsUcs2)
{
    const SingleByteCase cases[] = {
        {"twelve a-umlauts have GSM codes", 1252, std::string(12, '\xE4'), false},
        {"six a-acutes fit in UCS2", 1252, std::string(6, '\xE1'), false},
        {"seven a-acutes do not", 1252, "abcdef\xE1", true},
        {"six Cyrillic letters fit", 1251, "\xC8\xE2\xE0\xED\xEE\xE2", false},
        {"seven Cyrillic letters do not", 1251, "\xC8\xE2\xE0\xED\xEE\xE2\xE0", true},
    };
    for (const auto& c : cases) {
        CodePage::setAnsi(c.codePage);
        EXPECT_EQ(CardTextLimits::nameTooLong(c.name, 14), c.tooLong) << c.what;
    }
    CodePage::setAnsi(1251);
    EXPECT_TRUE(CardTextLimits::messageTooLong(std::string(71, '\xE0')));
    EXPECT_FALSE(CardTextLimits::messageTooLong(std::string(70, '\xE0')));
    CodePage::setAnsi(0);
}

}  // namespace
