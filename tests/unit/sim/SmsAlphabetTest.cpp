#include "sim/Septets.h"
#include "sim/SmsAlphabet.h"
#include "sim/SmsEncoder.h"

#include "SmsTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> septetsOf(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

TEST(Septets, PackAndUnpackKnownBytes)
{
    struct Case {
        const char* text;
        const char* packed;
    } const cases[] = {
        {"Hello", "C8 32 9B FD 06"},
        {"hellohello", "E8 32 9B FD 46 97 D9 EC 37"},
        {"12345678", "31 D9 8C 56 B3 DD 70"},  // eight septets fill seven bytes exactly
        {"A", "41"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<uint8_t> packed = Hex::bytes(c.packed);
        EXPECT_EQ(Hex::format(Septets::pack(septetsOf(c.text))), c.packed);
        EXPECT_EQ(Septets::unpack(packed.data(), packed.size(), std::string(c.text).size()), septetsOf(c.text));
    }
}

TEST(Septets, RoundTripEveryLengthUpTo160)
{
    std::vector<uint8_t> septets;
    for (size_t n = 0; n <= 160; ++n) {
        const std::vector<uint8_t> packed = Septets::pack(septets);
        ASSERT_EQ(packed.size(), (n * 7 + 7) / 8);
        ASSERT_EQ(Septets::unpack(packed.data(), packed.size(), n), septets) << n;
        septets.push_back(static_cast<uint8_t>((n * 37 + 11) & 0x7F));
    }
}

TEST(Septets, UnpackStopsAtTheEndOfTheBytes)
{
    // Exactly sized heap buffers: a read past them shows under AddressSanitizer.
    for (size_t size = 0; size <= 9; ++size) {
        std::vector<uint8_t> bytes(size, 0xFF);
        const std::vector<uint8_t> septets = Septets::unpack(bytes.data(), bytes.size(), 160);
        EXPECT_EQ(septets.size(), size * 8 / 7) << size;
        for (uint8_t s : septets) EXPECT_EQ(s, 0x7F);
    }
}

struct DecodeCase {
    const char* name;
    int codePage;
    const char* septets;
    std::string expected;  // ANSI bytes
    bool reversible;       // encoding the text gives the septets back
};

const DecodeCase kDecodeCases[] = {
    {"plain letters", 1252, "48 65 6C 6C 6F", "Hello", true},
    {"at, dollar, underscore", 1252, "00 02 11", "@$_", true},
    {"latin letters", 1252, "04 05 7F 5B 7E 1E 09", "\xE8\xE9\xE0\xC4\xFC\xDF\xC7", true},
    {"currency and inverted marks", 1252, "01 03 24 40 60 5F", "\xA3\xA5\xA4\xA1\xBF\xA7", true},
    {"line breaks kept", 1252, "41 0D 0A 42", "A\r\nB", true},
    {"every escape pair", 1252, "1B 3C 1B 14 1B 28 1B 29 1B 2F 1B 3D 1B 3E 1B 40", "[^{}\\~]|", true},
    {"euro on 1252", 1252, "31 1B 65 32", "1\x80" "2", true},
    {"euro on Big5", 950, "31 1B 65", "1\xA3\xE1", false},
    {"pound and yen on Big5", 950, "01 03", "\xA2\x47\xA2\x44", false},
    {"greek on Big5", 950, "10", "\xA3\x47", false},
    {"greek missing from 1252", 1252, "10 41", "?A", false},
    {"unknown escape gives the plain character", 1252, "41 1B 42 43", "ABC", false},
    {"trailing escape dropped", 1252, "41 1B", "A", false},
    {"latin letters on Cyrillic 1251", 1251, "5B 41", "?A", false},
};

TEST(SmsAlphabet, DecodesSeptetsToTheCodePage)
{
    for (const DecodeCase& c : kDecodeCases) {
        SCOPED_TRACE(c.name);
        CodePageScope scope(c.codePage);
        EXPECT_EQ(SmsAlphabet::decode(Hex::bytes(c.septets)), c.expected);
    }
}

TEST(SmsAlphabet, EncodesWhatItDecodes)
{
    for (const DecodeCase& c : kDecodeCases) {
        if (!c.reversible) continue;
        SCOPED_TRACE(c.name);
        CodePageScope scope(c.codePage);
        const auto septets = SmsAlphabet::encode(c.expected);
        ASSERT_TRUE(septets.has_value());
        EXPECT_EQ(Hex::format(*septets), c.septets);
    }
}

TEST(SmsEncoder, ChoosesUcs2OnlyForTextsOutsideTheAlphabet)
{
    struct Case {
        const char* name;
        int codePage;
        std::string text;
        bool ucs2;
    } const cases[] = {
        {"ascii", 1252, "Hello, world! 100%", false},
        {"gsm latin and euro", 1252, "\xE8\xE9 \xA3 \x80 [x]", false},
        {"grave accent", 1252, "a`b", true},
        {"a acute is not in the alphabet", 1252, "\xE1", true},
        {"tab is not in the alphabet", 1252, "a\tb", true},
        {"Big5 double-byte", 950, "\xA4\xA4\xA4\xE5", true},
        {"euro on Big5 is double-byte", 950, "\xA3\xE1", true},
        {"ascii on Big5", 950, "OK", false},
        {"Cyrillic on 1251", 1251, "\xCF\xF0\xE8", true},
        {"empty", 1252, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CodePageScope scope(c.codePage);
        EXPECT_EQ(SmsEncoder::needsUcs2(c.text), c.ucs2);
    }
}

}  // namespace
