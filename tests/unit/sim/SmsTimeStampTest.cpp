#include "sim/SmsTimeStamp.h"

#include "vsim/Hex.h"

#include <gtest/gtest.h>

namespace {

int gLocalOffset = 0;
int fixedOffset(int64_t) { return gLocalOffset; }

std::string hexOf(const SmsTimeStamp::Stamp& stamp) { return Hex::format({stamp.begin(), stamp.end()}); }

double decodeHex(const std::string& hex, int localOffset)
{
    gLocalOffset = localOffset;
    const std::vector<uint8_t> bytes = Hex::bytes(hex);
    return SmsTimeStamp::decode(bytes.data(), fixedOffset);
}

struct DecodeCase {
    const char* name;
    const char* stamp;
    int localOffset;  // seconds east of UTC
    const char* expected;
};

// Stamps are written as stored: each byte holds two digits, the low half first.
const DecodeCase kDecodeCases[] = {
    {"same zone keeps the time", "42 30 51 21 03 54 23", 8 * 3600, "2024-03-15 12:30:45"},
    {"east zone to UTC", "42 30 51 21 03 54 23", 0, "2024-03-15 04:30:45"},
    {"west zone to UTC", "42 30 51 21 03 54 0A", 0, "2024-03-15 17:30:45"},
    {"quarter hours, India to UTC", "42 30 51 21 03 54 22", 0, "2024-03-15 07:00:45"},
    {"zone to another zone", "42 30 51 21 03 54 0A", -3 * 3600, "2024-03-15 14:30:45"},
    {"back over a leap day", "42 30 10 20 00 00 23", 0, "2024-02-29 18:00:00"},
    {"forward over a year end", "99 21 13 32 00 00 0A", 0, "2000-01-01 04:00:00"},
    {"zero seconds keep their time", "42 30 51 21 03 00 00", 0, "2024-03-15 12:30:00"},
    {"year 70 is 2070", "07 10 10 00 00 00 00", 0, "2070-01-01 00:00:00"},
    {"year 71 is 1971", "17 10 10 00 00 00 00", 0, "1971-01-01 00:00:00"},
    {"month 13", "42 31 51 21 03 54 00", 0, ""},
    {"30 February", "42 20 03 21 03 54 00", 0, ""},
    {"hour 24", "42 30 51 42 03 54 00", 0, ""},
    {"a half that is no digit", "42 30 51 21 0A 54 00", 0, ""},
    {"zone that is no digit", "42 30 51 21 03 54 A0", 0, ""},
};

TEST(SmsTimeStamp, DecodesToLocalTime)
{
    for (const DecodeCase& c : kDecodeCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SmsTimeStamp::format(decodeHex(c.stamp, c.localOffset)), c.expected);
    }
}

TEST(SmsTimeStamp, EncodedStampsReadBackInAnyZone)
{
    const int64_t utc = 1710505845;  // 2024-03-15 12:30:45 UTC
    const int zones[] = {0, 8 * 3600, 5 * 3600 + 1800, -(3 * 3600 + 1800), 13 * 3600 + 2700, -11 * 3600};
    for (int zone : zones) {
        SCOPED_TRACE(zone);
        const std::string stamp = hexOf(SmsTimeStamp::encode(utc, zone));
        EXPECT_EQ(SmsTimeStamp::format(decodeHex(stamp, 0)), "2024-03-15 12:30:45");
        EXPECT_EQ(SmsTimeStamp::format(decodeHex(stamp, zone)),
                  SmsTimeStamp::format(SmsTimeStamp::fromSeconds(utc + zone)));
    }
}

TEST(SmsTimeStamp, EncodesDigitsLowHalfFirstWithSignedZone)
{
    const int64_t utc = 1710505845;
    EXPECT_EQ(hexOf(SmsTimeStamp::encode(utc, 8 * 3600)), "42 30 51 02 03 54 23");
    EXPECT_EQ(hexOf(SmsTimeStamp::encode(utc, -5 * 3600)), "42 30 51 70 03 54 0A");
}

TEST(SmsTimeStamp, FormatsNoTimeAsEmpty)
{
    EXPECT_EQ(SmsTimeStamp::format(0), "");
    EXPECT_EQ(SmsTimeStamp::format(SmsTimeStamp::fromSeconds(0)), "1970-01-01 00:00:00");
}

}  // namespace
