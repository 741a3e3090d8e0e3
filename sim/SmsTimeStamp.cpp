#include "sim/SmsTimeStamp.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

using namespace std::chrono;

constexpr int64_t kSecondsPerDay = 86400;
constexpr double kUnixEpochDay = 25569.0;  // 1970-01-01 counted from 1899-12-30

// Two decimal digits stored low half first; -1 when a half is not a digit.
int swappedDigits(uint8_t byte)
{
    const int tens = byte & 0x0F;
    const int units = byte >> 4;
    return (tens > 9 || units > 9) ? -1 : tens * 10 + units;
}

uint8_t toSwapped(int value)
{
    return static_cast<uint8_t>((value / 10) | ((value % 10) << 4));
}

// Seconds since 1970-01-01 of the stamp's own wall-clock time; false when it is not a real time.
bool wallClockSeconds(const uint8_t* stamp, int64_t& seconds)
{
    int v[6];
    for (int i = 0; i < 6; ++i)
        if ((v[i] = swappedDigits(stamp[i])) < 0) return false;
    const year_month_day date{year{v[0] <= 70 ? 2000 + v[0] : 1900 + v[0]}, month{static_cast<unsigned>(v[1])},
                              day{static_cast<unsigned>(v[2])}};
    if (!date.ok() || v[3] > 23 || v[4] > 59 || v[5] > 59) return false;
    seconds = sys_days{date}.time_since_epoch().count() * kSecondsPerDay + v[3] * 3600 + v[4] * 60 + v[5];
    return true;
}

// Zone of the stamp in seconds east of UTC; false when its digits are not decimal.
bool zoneSeconds(uint8_t byte, int& seconds)
{
    const int quarters = swappedDigits(byte & 0xF7);
    if (quarters < 0) return false;
    seconds = quarters * 900 * ((byte & 0x08) ? -1 : 1);
    return true;
}

struct Civil {
    year_month_day date;
    int64_t secondOfDay;
    int hour() const { return static_cast<int>(secondOfDay / 3600); }
    int minute() const { return static_cast<int>(secondOfDay / 60 % 60); }
    int second() const { return static_cast<int>(secondOfDay % 60); }
    int monthNumber() const { return static_cast<int>(static_cast<unsigned>(date.month())); }
    int dayNumber() const { return static_cast<int>(static_cast<unsigned>(date.day())); }
};

// Calendar date and time of day of a count of seconds since 1970-01-01.
Civil split(int64_t seconds)
{
    const int64_t secondOfDay = ((seconds % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
    return {year_month_day{sys_days{days{(seconds - secondOfDay) / kSecondsPerDay}}}, secondOfDay};
}

}  // namespace

int SmsTimeStamp::systemOffset(int64_t utcSeconds)
{
    const time_t t = static_cast<time_t>(utcSeconds);
    tm local{};
    localtime_r(&t, &local);
    return static_cast<int>(local.tm_gmtoff);
}

double SmsTimeStamp::decode(const uint8_t* stamp, LocalOffset localOffset)
{
    int64_t wallClock = 0;
    int zone = 0;
    if (!wallClockSeconds(stamp, wallClock) || !zoneSeconds(stamp[6], zone)) return 0;
    const int64_t utc = wallClock - zone;
    return fromSeconds(utc + localOffset(utc));
}

SmsTimeStamp::Stamp SmsTimeStamp::encode(int64_t utcSeconds, int offsetSeconds)
{
    const Civil c = split(utcSeconds + offsetSeconds);
    Stamp stamp{toSwapped(static_cast<int>(c.date.year()) % 100), toSwapped(c.monthNumber()), toSwapped(c.dayNumber()),
                toSwapped(c.hour()), toSwapped(c.minute()), toSwapped(c.second()),
                toSwapped(std::abs(offsetSeconds) / 900 % 80)};
    if (offsetSeconds < 0) stamp[6] |= 0x08;
    return stamp;
}

SmsTimeStamp::Stamp SmsTimeStamp::now()
{
    const int64_t utc = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    return encode(utc, systemOffset(utc));
}

double SmsTimeStamp::fromSeconds(int64_t seconds)
{
    return kUnixEpochDay + static_cast<double>(seconds) / kSecondsPerDay;
}

std::string SmsTimeStamp::format(double time)
{
    if (time == 0) return {};
    const Civil c = split(std::llround((time - kUnixEpochDay) * kSecondsPerDay));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", static_cast<int>(c.date.year()), c.monthNumber(),
                  c.dayNumber(), c.hour(), c.minute(), c.second());
    return text;
}
