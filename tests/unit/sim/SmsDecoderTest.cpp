#include "sim/SmsDecoder.h"

#include "SmsTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int kTaipei = 8 * 3600;
int taipeiOffset(int64_t) { return kTaipei; }

// A received message "Hello" from 0912345678, sent 2024-03-15 12:30:45 +08:00.
const std::string kScaHex = "07 91 88 96 20 00 00 F0";
const std::string kOaHex = "0A A1 90 21 43 65 87";
const std::string kStampHex = "42 30 51 21 03 54 23";
const std::string kHelloHex = "05 C8 32 9B FD 06";
const std::string kDeliverHead = "01 " + kScaHex + " 04 " + kOaHex + " 00 ";  // up to the coding byte

struct Expected {
    int result;
    uint32_t status;
    std::string number;
    uint32_t coding;
    std::string time;
    std::string text;
};

struct Case {
    const char* name;
    std::string record;  // hex
    Expected expected;
    size_t padTo = 176;
    int codePage = 1252;
};

const Case kCases[] = {
    {"received 7-bit", kDeliverHead + "00 " + kStampHex + " " + kHelloHex,
     {0, 1, "0912345678", 0x00, "2024-03-15 12:30:45", "Hello"}},
    {"unread, odd digit count", "03 00 04 05 A1 21 43 F5 00 00 " + kStampHex + " " + kHelloHex,
     {0, 3, "12345", 0x00, "2024-03-15 12:30:45", "Hello"}},
    {"UCS2 on Big5", kDeliverHead + "08 " + kStampHex + " 04 4E 2D 65 87",
     {0, 1, "0912345678", 0x08, "2024-03-15 12:30:45", "\xA4\xA4\xA4\xE5"}, 176, 950},
    {"8-bit copied", kDeliverHead + "04 " + kStampHex + " 03 41 42 43",
     {0, 1, "0912345678", 0x04, "2024-03-15 12:30:45", "ABC"}},
    {"flash message in the GSM alphabet", kDeliverHead + "F0 " + kStampHex + " 03 00 00 00",
     {0, 1, "0912345678", 0xF0, "2024-03-15 12:30:45", "@@@"}},
    {"unknown coding gives no text", kDeliverHead + "40 " + kStampHex + " " + kHelloHex,
     {0, 1, "0912345678", 0x40, "2024-03-15 12:30:45", ""}},
    {"7-bit after a user data header", "01 00 44 " + kOaHex + " 00 00 " + kStampHex + " 09 05 00 03 2A 02 01 90 69",
     {0, 1, "0912345678", 0x00, "2024-03-15 12:30:45", "Hi"}},
    {"UCS2 after a user data header", "01 00 44 " + kOaHex + " 00 08 " + kStampHex + " 0A 05 00 03 2A 02 01 4E 2D 65 87",
     {0, 1, "0912345678", 0x08, "2024-03-15 12:30:45", "\xA4\xA4\xA4\xE5"}, 176, 950},
    // "Google" in the GSM alphabet: no digits to show, the message itself still reads
    {"alphanumeric sender", "01 00 04 0B D0 C7 F7 FB CC 2E 03 00 00 " + kStampHex + " " + kHelloHex,
     {0, 1, "", 0x00, "2024-03-15 12:30:45", "Hello"}},
    {"sender of length 0 keeps its type byte", "01 00 04 00 81 00 00 " + kStampHex + " " + kHelloHex,
     {0, 1, "", 0x00, "2024-03-15 12:30:45", "Hello"}},
    {"to be sent, no destination", "07 02 81 F0 11 FF 00 81 00 00 00 " + kHelloHex, {0, 7, "", 0x00, "", "Hello"}},
    {"to be sent, relative validity", "07 00 11 FF " + kOaHex + " 00 00 AA " + kHelloHex,
     {0, 7, "0912345678", 0x00, "", "Hello"}},
    {"to be sent, no validity period", "07 00 01 FF " + kOaHex + " 00 00 " + kHelloHex,
     {0, 7, "0912345678", 0x00, "", "Hello"}},
    {"to be sent, absolute validity", "07 00 19 FF " + kOaHex + " 00 00 " + kStampHex + " " + kHelloHex,
     {0, 7, "0912345678", 0x00, "", "Hello"}},
    // Result codes: the fields read before the failed check are kept.
    {"free record", "00", {1001, 0, "", 0, "", ""}},
    {"unknown status", "05 " + kScaHex + " 04 " + kOaHex, {1001, 0, "", 0, "", ""}},
    {"service centre too long", "01 21 91 88", {1002, 1, "", 0, "", ""}},
    {"service centre type", "01 07 11 88 96 20 00 00 F0 04 " + kOaHex, {1003, 1, "", 0, "", ""}},
    {"record ends inside the header", "01 " + kScaHex + " 04 0A A1 90 21", {1004, 1, "0912", 0, "", ""}, 0},
    {"record ends before the time stamp", kDeliverHead + "00 42 30", {1004, 1, "0912345678", 0, "", ""}, 0},
    {"sender too long", "01 00 04 28 A1 90 21", {1005, 1, "", 0, "", ""}},
    {"sender type", "01 00 04 0A 21 90 21 43 65 87 00 00", {1006, 1, "", 0, "", ""}},
    {"even count, last half no digit", "01 00 04 0A A1 90 21 43 65 A7 00 00", {1007, 1, "091234567", 0, "", ""}},
    {"odd count, last half not F", "01 00 04 09 A1 90 21 43 65 87 00 00", {1008, 1, "091234567", 0, "", ""}},
    {"user data past the record", kDeliverHead + "00 " + kStampHex + " 50 C8 32 9B",
     {1009, 1, "0912345678", 0, "2024-03-15 12:30:45", ""}, 0},
    {"user data header longer than the data", "01 00 44 " + kOaHex + " 00 04 " + kStampHex + " 03 07 41 42",
     {1009, 1, "0912345678", 0x04, "2024-03-15 12:30:45", ""}},
    {"user data length above 160", kDeliverHead + "00 " + kStampHex + " A1 " + kHelloHex.substr(3),
     {1010, 1, "0912345678", 0, "2024-03-15 12:30:45", ""}},
};

TEST(SmsDecoder, DecodesRecordsAndReportsDamage)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CodePageScope scope(c.codePage);
        const std::vector<uint8_t> record = smsRecord(c.record, c.padTo);
        ShortMsg msg;
        EXPECT_EQ(SmsDecoder::decode(record.data(), record.size(), msg, taipeiOffset), c.expected.result);
        EXPECT_EQ(msg.status, c.expected.status);
        EXPECT_EQ(msg.number, c.expected.number);
        EXPECT_EQ(msg.coding, c.expected.coding);
        EXPECT_EQ(SmsTimeStamp::format(msg.time), c.expected.time);
        EXPECT_EQ(msg.text, c.expected.text);
    }
}

TEST(SmsDecoder, EveryShortenedRecordStaysInsideItsBytes)
{
    // Each prefix lives in a buffer of exactly its size, so a read past it shows under
    // AddressSanitizer; without it the results still have to report the damage.
    for (const Case& c : kCases) {
        if (c.expected.result != 0) continue;
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> full = Hex::bytes(c.record);
        for (size_t size = 0; size < full.size(); ++size) {
            const std::vector<uint8_t> prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
            ShortMsg msg;
            const int result = SmsDecoder::decode(prefix.data(), prefix.size(), msg, taipeiOffset);
            EXPECT_TRUE(result == 1001 || result == 1004 || result == 1009 || (result == 0 && msg.text.empty()))
                << "size " << size << " result " << result;
        }
    }
}

}  // namespace
