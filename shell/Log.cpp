#include "shell/Log.h"

#include "shell/Prompter.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <vector>

namespace {

std::mutex logMutex;
std::string logFile;   // full path of the .LOG file
std::string logTitle;  // file name without directory and extension ("Quillon")

bool fileExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string withSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

// Appends one line; writes the banner first when the file is new. Errors are swallowed.
void appendLine(std::string_view text)
{
    bool isNew = !fileExists(logFile);
    FILE* f = std::fopen(logFile.c_str(), "ab");
    if (!f) return;
    if (isNew) {
        std::string banner = "#### TEST " + logTitle + " log file ####\r\n";
        std::fwrite(banner.data(), 1, banner.size(), f);
    }
    std::fwrite(text.data(), 1, text.size(), f);
    std::fwrite("\r\n", 1, 2, f);
    std::fclose(f);
}

}  // namespace

std::string Log::timeLine(int year, int month, int day, int hour, int minute, int second)
{
    int hour12 = hour % 12;
    if (hour12 == 0) hour12 = 12;
    char buf[96];
    std::snprintf(buf, sizeof buf, "Log Time : %d/%d/%d,%s %02d:%02d:%02d", year, month, day,
                  hour < 12 ? "AM" : "PM", hour12, minute, second);
    return buf;
}

void Log::start(std::string_view name, bool append, const std::string& baseDir, const std::string& fallbackDir)
{
    std::filesystem::path given{std::string(name)};
    std::string dir = given.parent_path().string();
    if (!dir.empty() && given.is_relative()) dir = withSlash(baseDir) + dir;
    if (dir.empty() || !isDirectory(dir)) dir = fallbackDir;
    std::string stem = given.stem().string();
    std::string failure;
    {
        std::lock_guard lock(logMutex);
        logFile = withSlash(dir) + stem + ".LOG";
        logTitle = stem;
        if (!fileExists(logFile) || append) return;
        if (std::remove(logFile.c_str()) != 0 && errno != ENOENT) {
            int err = errno;
            char desc[300];
            std::snprintf(desc, sizeof desc, "Error Code : %d, %s", err, std::strerror(err));
            failure = "Can not delete " + logFile + "!\r\n" + desc;
        }
    }
    // Outside the lock: whatever runs while the box is open may write log lines.
    if (!failure.empty()) Prompter::current().message(Prompter::Kind::Plain, "", failure);
    std::time_t now = std::time(nullptr);
    std::tm tm {};
    localtime_r(&now, &tm);
    std::lock_guard lock(logMutex);
    appendLine(timeLine(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec));
}

void Log::reset()
{
    std::lock_guard lock(logMutex);
    logFile.clear();
    logTitle.clear();
}

void Log::line(std::string_view text)
{
    std::lock_guard lock(logMutex);
    if (!fileExists(logFile)) return;
    appendLine(text);
}

void Log::format(const char* fmt, ...)
{
    if (!enabled()) return;
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, args);
        text.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    line(text);
}

std::string Log::path()
{
    std::lock_guard lock(logMutex);
    return logFile;
}

bool Log::enabled()
{
    std::lock_guard lock(logMutex);
    return fileExists(logFile);
}

std::string logHex(const void* data, size_t size)
{
    static const char digits[] = "0123456789ABCDEF";
    const auto* p = static_cast<const unsigned char*>(data);
    std::string out;
    out.reserve(size * 3);
    for (size_t i = 0; i < size; ++i) {
        if (i) out += ' ';
        out += digits[p[i] >> 4];
        out += digits[p[i] & 0x0F];
    }
    return out;
}
