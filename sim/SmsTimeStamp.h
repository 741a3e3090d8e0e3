#pragma once
#include <array>
#include <cstdint>
#include <string>

// The 7-byte service-centre time stamp of a short message: year, month, day, hour, minute,
// second, time zone, each two decimal digits with the low half first. The zone counts quarter
// hours east of UTC; bit 3 of its byte is the sign (set = west).
// Times are kept as days since 1899-12-30 (whole days plus the fraction of the day).
class SmsTimeStamp {
public:
    using Stamp = std::array<uint8_t, 7>;
    // Offset of local time from UTC, in seconds, at a given UTC instant.
    using LocalOffset = int (*)(int64_t utcSeconds);

    // The system's local offset (TZ rules).
    static int systemOffset(int64_t utcSeconds);

    // The stamp converted to local time; 0 when its digits do not form a valid date and time.
    static double decode(const uint8_t* stamp, LocalOffset localOffset = systemOffset);
    // A stamp for a UTC instant seen from a zone `offsetSeconds` east of UTC.
    static Stamp encode(int64_t utcSeconds, int offsetSeconds);
    // A stamp of the current time in the local zone.
    static Stamp now();

    // Days since 1899-12-30 of a local time given in seconds since 1970-01-01.
    static double fromSeconds(int64_t seconds);
    // "YYYY-MM-DD hh:mm:ss" of a time (rounded to the second); "" for 0.
    static std::string format(double time);
};
