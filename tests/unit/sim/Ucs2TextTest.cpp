#include "sim/Ucs2Text.h"
#include "text/CodePage.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct Ucs2Case {
    int codePage;
    const char* language;
    uint8_t format;
    size_t count;
    const char* source;  // the bytes after the format byte
    std::string ansi;
    bool intact;
};

void PrintTo(const Ucs2Case& c, std::ostream* os)
{
    *os << c.codePage << "_lang" << c.language << "_" << caseText(std::string(1, static_cast<char>(c.format)))
        << "_count" << c.count << "_" << caseHex(c.source);
}

class Ucs2Decode : public testing::TestWithParam<Ucs2Case> {
protected:
    void TearDown() override
    {
        CodePage::setAnsi(0);
        Ucs2Text::setLanguageCode("");
    }
};

TEST_P(Ucs2Decode, GivesTheTextInTheCodePage)
{
    const Ucs2Case& c = GetParam();
    CodePage::setAnsi(c.codePage);
    Ucs2Text::setLanguageCode(c.language);
    bool intact = !c.intact;
    EXPECT_EQ(Ucs2Text::decode(c.format, c.count, Ucs2Text::kPhoneName, hexBytes(c.source), &intact), c.ansi);
    EXPECT_EQ(intact, c.intact);
}

INSTANTIATE_TEST_SUITE_P(Cases, Ucs2Decode, testing::Values(
    // 80: big-endian characters up to FFFF
    Ucs2Case{950, "0", 0x80, 7, "4E 2D 65 87 FF FF FF", "\xA4\xA4\xA4\xE5", true},
    Ucs2Case{950, "0", 0x80, 4, "00 41 00 42 00 43", "AB", true},
    Ucs2Case{1252, "2", 0x80, 6, "00 41 04 1F 00 42", "A", true},         // stops at a character 1252 lacks
    Ucs2Case{950, "0", 0x80, 8, "00 41 00 42", "AB", false},               // count beyond the data
    // 81: base x 128, GSM characters below 80 (table B)
    Ucs2Case{1251, "0", 0x81, 3, "08 9F A0 41", "\xCF\xD0" "A", true},
    Ucs2Case{1251, "2", 0x81, 3, "08 9F 81 41", "\x9F\xA8" "A", true},     // above 89 copied as it is; 81 is U+0401
    Ucs2Case{1252, "0", 0x81, 4, "00 01 03 24 40", "\xA3\xA5\xA4\xA1", true},
    Ucs2Case{1251, "0", 0x81, 9, "08 9F A0", "\xCF\xD0", false},
    // 82: 16-bit base, bytes below 80 as they are
    Ucs2Case{1251, "2", 0x82, 3, "04 10 41 9F 80", "A\xDF\xC0", true},
    Ucs2Case{950, "0", 0x82, 2, "4E 00 AD 41", "\xA4\xA4" "A", true},
    Ucs2Case{950, "0", 0x82, 2, "4E", "", false}));                       // base cut off

TEST(Ucs2Text, MessageTextsDoNotStopAtFFFFButNamesDo)
{
    CodePage::setAnsi(1252);
    const std::vector<uint8_t> src = hexBytes("00 41 FF FF 00 42");
    EXPECT_EQ(Ucs2Text::decode(0x80, 6, Ucs2Text::kPhoneName, src), "A");
    EXPECT_EQ(Ucs2Text::decode(0x80, 6, Ucs2Text::kOwnNumber, src), "A");
    EXPECT_EQ(Ucs2Text::decode(0x80, 6, Ucs2Text::kMessageText, src), "A");  // FFFF is not in 1252 either
    CodePage::setAnsi(0);
}

struct BoundCase {
    size_t destinationSize;
    std::string expected;
};

void PrintTo(const BoundCase& c, std::ostream* os) { *os << "size" + std::to_string(c.destinationSize); }

class UC2AnsiBounds : public testing::TestWithParam<BoundCase> {};

TEST_P(UC2AnsiBounds, NeverWritesPastTheDestinationNorSplitsACharacter)
{
    CodePage::setAnsi(950);
    // A B 中 文
    const std::vector<uint8_t> src = hexBytes("00 41 00 42 4E 2D 65 87");
    std::array<char, 16> buffer;
    buffer.fill('#');
    const size_t n = GetParam().destinationSize;
    size_t written = Ucs2Text::UC2Ansi(0x80, src.size(), Ucs2Text::kMessageText, src, buffer.data(), n);
    EXPECT_EQ(written, GetParam().expected.size());
    EXPECT_EQ(std::string(buffer.data()), GetParam().expected);
    for (size_t i = n; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], '#') << "byte " << i;
    CodePage::setAnsi(0);
}

INSTANTIATE_TEST_SUITE_P(Cases, UC2AnsiBounds, testing::Values(
    BoundCase{16, "AB\xA4\xA4\xA4\xE5"}, BoundCase{7, "AB\xA4\xA4\xA4\xE5"}, BoundCase{6, "AB\xA4\xA4"},
    BoundCase{4, "AB"}, BoundCase{1, ""}));

}  // namespace
