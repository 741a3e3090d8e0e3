#include "shell/Log.h"
#include "sim/PhoneRecordCodec.h"
#include "text/CodePage.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

namespace {

constexpr size_t kLength = 28;  // name width 14
constexpr int kWidth = 14;

class PhoneRecordCodecTest : public testing::Test {
protected:
    void TearDown() override { CodePage::setAnsi(0); }
};

std::vector<uint8_t> padded(const std::string& hex, size_t length = kLength)
{
    std::vector<uint8_t> r = hexBytes(hex);
    r.resize(length, 0xFF);
    return r;
}

TEST_F(PhoneRecordCodecTest, AnnaIsWrittenByteForByte)
{
    CodePage::setAnsi(950);
    EXPECT_EQ(PhoneRecordCodec::encode("Anna", "+886912345678", kLength, kWidth),
              hexBytes("41 6E 6E 61 FF FF FF FF FF FF FF FF FF FF 07 91 88 96 21 43 65 87 FF FF FF FF FF FF"));
}

struct RoundTrip {
    int codePage;
    std::string name;
    std::string number;
    const char* nameBytes;  // expected start of the name field
    std::string readName;
    std::string readNumber;
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << std::to_string(c.codePage) + "_" + caseText(c.name) + "_" + caseText(c.number); }

class PhoneRecordRoundTrip : public testing::TestWithParam<RoundTrip> {
protected:
    void TearDown() override { CodePage::setAnsi(0); }
};

TEST_P(PhoneRecordRoundTrip, WritesAndReadsBack)
{
    const RoundTrip& c = GetParam();
    CodePage::setAnsi(c.codePage);
    std::vector<uint8_t> record = PhoneRecordCodec::encode(c.name, c.number, kLength, kWidth);
    ASSERT_EQ(record.size(), kLength);
    std::vector<uint8_t> start = hexBytes(c.nameBytes);
    EXPECT_TRUE(std::equal(start.begin(), start.end(), record.begin())) << logHex(record.data(), record.size());
    PhoneRecordCodec::Decoded d = PhoneRecordCodec::decode(record, kWidth);
    EXPECT_EQ(d.name, c.readName);
    EXPECT_EQ(d.number(), c.readNumber);
    EXPECT_TRUE(d.intact);
}

INSTANTIATE_TEST_SUITE_P(Cases, PhoneRecordRoundTrip, testing::Values(
    RoundTrip{950, "Anna", "+886912345678", "41 6E 6E 61 FF", "Anna", "+886912345678"},
    RoundTrip{950, "\xA3\xE1 5", "123", "1B 65 20 35 FF", "\xA3\xE1 5", "123"},            // euro sign
    RoundTrip{950, "\xA4\xA4\xA4\xE5", "0912", "80 4E 2D 65 87 FF", "\xA4\xA4\xA4\xE5", "0912"},
    RoundTrip{950, "a`", "*31#", "80 00 61 00 60 FF", "a`", "*31#"},                      // grave accent
    RoundTrip{950, "[x]", "", "1B 3C 78 1B 3E FF", "[x]", ""},
    RoundTrip{950, std::string(14, '\xA4'), "5", "80 4E 2D 4E 2D 4E 2D 4E 2D 4E 2D 4E 2D FF", std::string(12, '\xA4'),
              "5"},  // UCS2: six characters fit the field
    RoundTrip{1251, "\xCF\xF0\xE8", "5", "80 04 1F 04 40 04 38 FF", "\xCF\xF0\xE8", "5"},  // Cyrillic
    RoundTrip{1252, "M\xE1ria", "5", "80 00 4D 00 E1 00 72", "M\xE1ria", "5"},
    RoundTrip{1252, "Jos\xE9", "5", "4A 6F 73 05 FF", "Jos\xE9", "5"}));

TEST_F(PhoneRecordCodecTest, GsmNameIsCutAtTheFieldWidth)
{
    CodePage::setAnsi(950);
    std::vector<uint8_t> r = PhoneRecordCodec::encode("Fifteen letters", "", kLength, kWidth);
    EXPECT_EQ(PhoneRecordCodec::decode(r, kWidth).name, "Fifteen letter");
}

struct NumberCut {
    std::string number;
    std::string stored;
};

void PrintTo(const NumberCut& c, std::ostream* os) { *os << caseText(c.number); }

class PhoneNumberCut : public testing::TestWithParam<NumberCut> {};

TEST_P(PhoneNumberCut, KeepsTheFirstTwentyCharacters)
{
    std::vector<uint8_t> r = PhoneRecordCodec::encode("N", GetParam().number, kLength, kWidth);
    PhoneRecordCodec::Decoded d = PhoneRecordCodec::decode(r, kWidth);
    EXPECT_EQ(d.number(), GetParam().stored);
    EXPECT_EQ(r[kWidth], (d.digits.size() + 1) / 2 + 1);  // length byte: BCD bytes + type byte
}

INSTANTIATE_TEST_SUITE_P(Cases, PhoneNumberCut, testing::Values(
    NumberCut{"123456789012345678901", "12345678901234567890"},
    NumberCut{"+123456789012345678901", "+1234567890123456789"},
    NumberCut{"12345", "12345"}));

TEST_F(PhoneRecordCodecTest, EmptyEntryIsAllFF)
{
    EXPECT_EQ(PhoneRecordCodec::encode("", "", 40, 26), std::vector<uint8_t>(40, 0xFF));
    std::vector<uint8_t> nameOnly = PhoneRecordCodec::encode("A", "", kLength, kWidth);
    EXPECT_EQ(nameOnly[kWidth], 0xFF);
    EXPECT_EQ(nameOnly[kWidth + 1], PhoneRecordCodec::kTypeUnknown);
}

struct ReadCase {
    const char* record;
    std::string name;
    std::string number;
    bool intact;
    uint8_t extension;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << caseText(c.name) + "_" + caseText(c.number); }

class PhoneRecordRead : public testing::TestWithParam<ReadCase> {
protected:
    void TearDown() override { CodePage::setAnsi(0); }
};

TEST_P(PhoneRecordRead, DecodesTheFieldsItCan)
{
    CodePage::setAnsi(950);
    PhoneRecordCodec::Decoded d = PhoneRecordCodec::decode(padded(GetParam().record), kWidth);
    EXPECT_EQ(d.name, GetParam().name);
    EXPECT_EQ(d.number(), GetParam().number);
    EXPECT_EQ(d.intact, GetParam().intact);
    EXPECT_EQ(d.extension, GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Cases, PhoneRecordRead, testing::Values(
    ReadCase{"", "", "", true, 0xFF},                                                              // all FF
    // the type byte two places late
    ReadCase{"42 FF FF FF FF FF FF FF FF FF FF FF FF FF 07 FF FF 91 21 43 65 FF", "B", "+123456", true, 0xFF},
    // a national number (type A1): its digit bytes 90 and 81 are not taken for a late type byte
    ReadCase{"43 FF FF FF FF FF FF FF FF FF FF FF FF FF 07 A1 90 81 21 43 65 F7", "C", "09181234567", true, 0xFF},
    // 81 with a count running past the name field: what fits, flagged
    ReadCase{"81 C8 00 41 42 43 44 45 46 47 48 49 4A 4B 02 81 21 FF", "ABCDEFGHIJK", "12", false, 0xFF},
    ReadCase{"82 02 4E 00 AD 41 FF FF FF FF FF FF FF FF 02 81 F9", "\xA4\xA4" "A", "9", true, 0xFF},
    ReadCase{"41 FF FF FF FF FF FF FF FF FF FF FF FF FF 0B 81 10 32 54 76 98 10 32 54 76 98 FF 05",
             "A", "01234567890123456789", true, 0x05}));

TEST_F(PhoneRecordCodecTest, ExtensionAddsUpToFifteenDigits)
{
    PhoneRecordCodec::Decoded d = PhoneRecordCodec::decode(
        padded("41 FF FF FF FF FF FF FF FF FF FF FF FF FF 0B 91 10 32 54 76 98 10 32 54 76 98 FF 05"), kWidth);
    ASSERT_TRUE(d.wantsExtension());
    PhoneRecordCodec::addExtension(d, hexBytes("02 0A 21 43 65 87 09 21 43 65 87 09 FF"));
    EXPECT_EQ(d.number(), "+01234567890123456789123456789012345");
}

TEST_F(PhoneRecordCodecTest, RecordsShorterThanTheFixedPartDecodeNothing)
{
    for (int width : {-14, -1}) {
        std::vector<uint8_t> r(static_cast<size_t>(width + 14), 0x41);
        PhoneRecordCodec::Decoded d = PhoneRecordCodec::decode(r, width);
        EXPECT_FALSE(d.intact);
        EXPECT_EQ(d.name, "");
        EXPECT_TRUE(PhoneRecordCodec::encode("A", "1", r.size(), width).empty());
    }
}

TEST_F(PhoneRecordCodecTest, ArbitraryRecordsStayInsideTheirBytes)
{
    // Every record length from 0 to 60 filled with bytes that look like formats, counts and
    // type bytes; run under the sanitizers this shows any read outside the record.
    CodePage::setAnsi(950);
    const uint8_t pattern[] = {0x81, 0xFE, 0x82, 0x80, 0x91, 0x1B, 0x4E, 0xFF, 0x11, 0x00, 0xA3, 0x0B};
    for (size_t length = 0; length <= 60; ++length) {
        for (size_t shift = 0; shift < sizeof pattern; ++shift) {
            std::vector<uint8_t> record(length);
            for (size_t i = 0; i < length; ++i) record[i] = pattern[(i + shift) % sizeof pattern];
            const int width = static_cast<int>(length) - 14;
            PhoneRecordCodec::Decoded d = PhoneRecordCodec::decode(record, width);
            EXPECT_LE(d.name.size(), PhoneRecordCodec::kNameMax);
            EXPECT_LE(d.digits.size(), PhoneRecordCodec::kMainPlaces);
            if (width < 0) {
                EXPECT_FALSE(d.intact);
            }
        }
    }
}

}  // namespace
