#include "sim/SmsDecoder.h"
#include "sim/SmsEncoder.h"

#include "SmsTestSupport.h"

#include <gtest/gtest.h>

namespace {

int utcOffset(int64_t) { return 0; }

const std::vector<uint8_t> kSca = Hex::bytes("07 91 88 96 20 00 00 F0 FF FF FF FF");  // as stored, 12 bytes
const SmsTimeStamp::Stamp kStamp{0x42, 0x30, 0x51, 0x21, 0x03, 0x54, 0x00};
const std::string kStampHex = "42 30 51 21 03 54 00";
const std::string kHelloPadded = "05 C8 32 9B FD 06 81 40";  // "Hello" and three blanks of padding

std::string built(const ShortMsg& msg, const std::vector<uint8_t>& sca, size_t length = 176)
{
    std::vector<uint8_t> record;
    EXPECT_EQ(SmsEncoder::build(msg, sca, kStamp, length, record), 0);
    EXPECT_EQ(record.size(), length);
    return Hex::format(record);
}

TEST(SmsEncoder, WritesTheHeaderOfEachCase)
{
    struct Case {
        const char* name;
        ShortMsg msg;
        std::vector<uint8_t> sca;
        std::string prefix;  // then FF to the end of the record
    } const cases[] = {
        {"received, service centre known", message("Hello", "0912345678", 0), kSca,
         "01 07 91 88 96 20 00 00 F0 04 0A A1 90 21 43 65 87 00 00 " + kStampHex + " " + kHelloPadded},
        {"unread kept", message("Hello", "0912345678", 3), kSca,
         "03 07 91 88 96 20 00 00 F0 04 0A A1 90 21 43 65 87 00 00 " + kStampHex + " " + kHelloPadded},
        {"received without service centre", message("Hello", "0912345678", 1), {},
         "01 00 04 0A A1 90 21 43 65 87 00 00 " + kStampHex + " " + kHelloPadded},
        {"to be sent by default without service centre", message("Hello", "0912345678", 0), {},
         "07 00 11 FF 0A A1 90 21 43 65 87 00 00 00 " + kHelloPadded},
        {"to be sent with service centre", message("Hello", "0912345678", 7), kSca,
         "07 07 91 88 96 20 00 00 F0 11 FF 0A A1 90 21 43 65 87 00 00 00 " + kHelloPadded},
        {"no number", message("Hello", "", 1), kSca, "07 02 81 F0 11 FF 00 81 00 00 00 " + kHelloPadded},
        {"odd digit count padded with F", message("Hello", "123", 1), {},
         "01 00 04 03 A1 21 F3 00 00 " + kStampHex + " " + kHelloPadded},
        {"unreadable status becomes received", message("Hello", "123", 9), {},
         "01 00 04 03 A1 21 F3 00 00 " + kStampHex + " " + kHelloPadded},
        {"unusable service centre ignored", message("Hello", "123", 1), Hex::bytes("FF 91 88"),
         "01 00 04 03 A1 21 F3 00 00 " + kStampHex + " " + kHelloPadded},
        {"UCS2 on 1252", message("\xE1", "123", 1), {}, "01 00 04 03 A1 21 F3 00 08 " + kStampHex + " 02 00 E1"},
        {"empty text frees the record", message("", "0912345678", 1), kSca, "00"},
    };
    CodePageScope scope(1252);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string record = built(c.msg, c.sca);
        ASSERT_EQ(record.substr(0, c.prefix.size()), c.prefix);
        for (size_t i = c.prefix.size(); i < record.size(); i += 3) ASSERT_EQ(record.substr(i + 1, 2), "FF") << i;
    }
}

TEST(SmsEncoder, RefusesNumbersItCannotStore)
{
    for (const std::string& number : {std::string("0912-345"), std::string("+886912345678"), std::string(33, '1')}) {
        SCOPED_TRACE(number);
        std::vector<uint8_t> record{0xAB};
        EXPECT_EQ(SmsEncoder::build(message("Hi", number, 1), kSca, kStamp, 176, record), kSmsBadStatus);
        EXPECT_EQ(record, std::vector<uint8_t>{0xAB});
    }
}

std::string repeat(const std::string& unit, size_t times)
{
    std::string s;
    for (size_t i = 0; i < times; ++i) s += unit;
    return s;
}

TEST(SmsEncoder, RecordsReadBackAsWritten)
{
    const std::string gsm160 = repeat("0123456789ABCDEF", 10);
    const std::string big5x70 = repeat("\xA4\xA4", 70);
    struct Case {
        const char* name;
        int codePage;
        ShortMsg msg;
        std::vector<uint8_t> sca;
        size_t recordLength;
        uint32_t coding;
        std::string text;  // as read back
        uint32_t status;
    } const cases[] = {
        {"full 160 characters", 1252, message(gsm160, "0912345678", 1), kSca, 176, 0x00, gsm160, 1},
        {"161st character cut", 1252, message(gsm160 + "X", "0912345678", 1), kSca, 176, 0x00, gsm160, 1},
        {"escape pairs count two", 1252, message(repeat("{", 81), "0912345678", 1), kSca, 176, 0x00, repeat("{", 80), 1},
        {"an escape pair is not split", 1252, message("a" + repeat("}", 80), "0912345678", 1), kSca, 176, 0x00,
         "a" + repeat("}", 79), 1},
        {"euro and brackets in 7 bits", 1252, message("[\x80 5]", "0912345678", 3), kSca, 176, 0x00, "[\x80 5]", 3},
        {"70 UCS2 characters", 950, message(big5x70, "0912345678", 1), kSca, 176, 0x08, big5x70, 1},
        {"71st UCS2 character cut", 950, message(big5x70 + "\xA4\xE5", "0912345678", 1), kSca, 176, 0x08, big5x70, 1},
        {"euro on Big5 in UCS2", 950, message("\xA3\xE1", "0912345678", 1), kSca, 176, 0x08, "\xA3\xE1", 1},
        {"Cyrillic on 1251 in UCS2", 1251, message("\xCF\xF0\xE8", "0912345678", 1), kSca, 176, 0x08, "\xCF\xF0\xE8", 1},
        {"a acute in UCS2", 1252, message("\xE1", "0912345678", 1), kSca, 176, 0x08, "\xE1", 1},
        {"line breaks", 1252, message("a\r\nb", "0912345678", 1), kSca, 176, 0x00, "a\r\nb", 1},
        {"to be sent with a number", 1252, message("Hello", "0912345678", 7), {}, 176, 0x00, "Hello", 7},
        {"to be sent with a number and centre", 1252, message(gsm160, "09123456789012345678", 7), kSca, 176, 0x00,
         gsm160, 7},
        {"short record cuts the text", 1252, message(gsm160, "0912345678", 1), kSca, 40, 0x00, gsm160.substr(0, 14), 1},
        {"short record cuts UCS2", 950, message(big5x70, "0912345678", 1), kSca, 40, 0x08, repeat("\xA4\xA4", 6), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CodePageScope scope(c.codePage);
        std::vector<uint8_t> record;
        ASSERT_EQ(SmsEncoder::build(c.msg, c.sca, kStamp, c.recordLength, record), 0);
        ASSERT_EQ(record.size(), c.recordLength);
        ShortMsg back;
        EXPECT_EQ(SmsDecoder::decode(record.data(), record.size(), back, utcOffset), 0);
        EXPECT_EQ(back.text, c.text);
        EXPECT_EQ(back.number, c.msg.number);
        EXPECT_EQ(back.status, c.status);
        EXPECT_EQ(back.coding, c.coding);
        EXPECT_EQ(SmsTimeStamp::format(back.time), c.status == 7 ? "" : "2024-03-15 12:30:45");
    }
}

}  // namespace
