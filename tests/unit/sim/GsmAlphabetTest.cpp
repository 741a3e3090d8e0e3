#include "sim/GsmAlphabet.h"
#include "text/CodePage.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

namespace {

struct CodePageScope {
    explicit CodePageScope(int cp) { CodePage::setAnsi(cp); }
    ~CodePageScope() { CodePage::setAnsi(0); }
};

struct NameCase {
    int codePage;
    const char* gsm;   // name field
    std::string ansi;  // decoded text
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << std::to_string(c.codePage) + "_" + caseHex(c.gsm, 24); }

class DecodeName : public testing::TestWithParam<NameCase> {};

TEST_P(DecodeName, GivesTheTableAText)
{
    CodePageScope cp(GetParam().codePage);
    EXPECT_EQ(GsmAlphabet::decodeName(hexBytes(GetParam().gsm)), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeName, testing::Values(
    NameCase{950, "41 6E 6E 61 FF FF 41", "Anna"},
    NameCase{950, "00 02 11 14", "@$_^"},
    NameCase{950, "01 03 5F", "\xA2\x47\xA2\x44\xA1\xB1"},      // the Big5 forms of £ ¥ §
    NameCase{950, "24 40 04 7F 1E 41", " i???A"},                 // Latin letters Big5 lacks never pair with the next byte
    NameCase{950, "1B 28 1B 29 1B 2F 1B 3C 1B 3D 1B 3E 1B 40", "{}\\[~]|"},
    NameCase{950, "45 1B 65", "E\xA3\xE1"},                      // euro sign
    NameCase{950, "1B 41 42", "AB"},                             // unknown escape dropped
    NameCase{950, "41 1B", "A"},                                 // escape standing last
    NameCase{950, "41 1B FF 42", "A"},                           // escape before the padding
    NameCase{1252, "01 03 5F 1B 65", "\xA3\xA5\xA7\x80"},        // the same characters on 1252
    NameCase{1251, "41 04", "A?"}));                             // è does not exist on 1251

struct EncodeCase {
    int codePage;
    std::string ansi;
    size_t width;
    const char* gsm;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << std::to_string(c.codePage) + "_" + caseText(c.ansi) + "_" + std::to_string(c.width); }

class EncodeName : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeName, GivesTheTableCBytesWithinTheWidth)
{
    CodePageScope cp(GetParam().codePage);
    EXPECT_EQ(GsmAlphabet::encodeName(GetParam().ansi, GetParam().width), hexBytes(GetParam().gsm));
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeName, testing::Values(
    EncodeCase{950, "Anna", 14, "41 6E 6E 61"},
    EncodeCase{950, "@$_", 14, "00 02 11"},
    EncodeCase{950, "[\\]^{|}~", 16, "1B 3C 1B 2F 1B 3E 1B 14 1B 28 1B 40 1B 29 1B 3D"},
    EncodeCase{950, "\xA2\x47\xA2\x44\xA3\xE1", 14, "01 03 1B 65"},
    EncodeCase{950, "ab[", 3, "61 62"},                          // an escape pair only when both bytes fit
    EncodeCase{950, "abcdef", 4, "61 62 63 64"},
    EncodeCase{1252, "\xE9\xE8\xFC\xC4\xA3\x80\xA1\xBF", 14, "05 04 7E 5B 01 1B 65 40 60"}));

struct CanEncodeCase {
    int codePage;
    std::string ansi;
    bool gsm;
};

void PrintTo(const CanEncodeCase& c, std::ostream* os) { *os << std::to_string(c.codePage) + "_" + caseText(c.ansi); }

class CanEncode : public testing::TestWithParam<CanEncodeCase> {};

TEST_P(CanEncode, TellsWhetherTheNameNeedsUcs2)
{
    CodePageScope cp(GetParam().codePage);
    EXPECT_EQ(GsmAlphabet::canEncode(GetParam().ansi), GetParam().gsm);
}

INSTANTIATE_TEST_SUITE_P(Cases, CanEncode, testing::Values(
    CanEncodeCase{950, "Anna Smith-Jones (home)", true},
    CanEncodeCase{950, "a`b", false},                    // grave accent
    CanEncodeCase{950, "\xA4\xA4\xA4\xE5", false},       // Chinese
    CanEncodeCase{950, "\xA3\xE1 5", true},              // euro sign
    CanEncodeCase{950, "\xA2\x41", false},               // another Big5 character on A2
    CanEncodeCase{1252, "Jos\xE9", true},                // é is in the alphabet
    CanEncodeCase{1252, "M\xE1ria", false},              // á is not
    CanEncodeCase{1251, "\xCF\xF0\xE8", false},          // Cyrillic
    CanEncodeCase{1252, "a\tb", false}));                // a control character

TEST(GsmAlphabet, EveryEncodableLatinCharacterReadsBack)
{
    CodePageScope cp(1252);
    for (int c = 0x20; c <= 0xFF; ++c) {
        const std::string ansi(1, static_cast<char>(c));
        if (!GsmAlphabet::canEncode(ansi)) continue;
        std::vector<uint8_t> gsm = GsmAlphabet::encodeName(ansi, 2);
        ASSERT_FALSE(gsm.empty()) << c;
        if (gsm.size() == 1 && (gsm[0] == 0x24 || gsm[0] == 0x40)) continue;  // names read ¤ and ¡ as blank and i
        EXPECT_EQ(GsmAlphabet::decodeName(gsm), ansi) << std::hex << c;
    }
}

}  // namespace
