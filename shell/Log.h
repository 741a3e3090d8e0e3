#pragma once
#include <string>
#include <string_view>

// Plain-text trace, written only while its file exists (create the file to switch tracing on,
// delete it to switch it off, even while the program runs). Each line opens and closes the file.
class Log {
public:
    // Fixes the log file name. `name` is like "Debug/Quillon.Log"; a relative directory part is
    // taken against `baseDir`, and when it is not an existing directory `fallbackDir` (the
    // executable's directory) is used. The extension becomes ".LOG". Without `append` an
    // existing file is deleted and a fresh trace started with the banner and the time line.
    static void start(std::string_view name, bool append, const std::string& baseDir,
                      const std::string& fallbackDir);
    // Forgets the log file: no line is written until the next start.
    static void reset();
    static void line(std::string_view text);
    static void format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
    // Full path of the log file ("" before start).
    static std::string path();
    // True when the log file exists now.
    static bool enabled();
    // Builds "Log Time : 2007/7/2,PM 03:04:05" for the given broken-down time.
    static std::string timeLine(int year, int month, int day, int hour, int minute, int second);
};

// Hexadecimal dump of a byte buffer for log lines ("A0 A4 00 00 02").
std::string logHex(const void* data, size_t size);
