#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The "system ANSI code page" of the program and conversions through iconv.
// Every text of the core is a byte string in this code page; windows convert at their boundary.
class CodePage {
public:
    // Current ANSI code page number (950, 936, 932, 949, 1251, 1252 ...).
    static int ansi();
    // Forces a code page (tests, QUILLON_CODEPAGE). 0 returns to the locale rule.
    static void setAnsi(int codePage);
    // The locale rule: zh_TW/zh_HK -> 950, zh_CN/zh_SG -> 936, ja -> 932, ko -> 949, ru -> 1251, else 1252.
    static int fromLocaleName(std::string_view locale);
    // Code page from QUILLON_CODEPAGE when set, otherwise from LC_ALL, LC_CTYPE, LANG.
    static int fromEnvironment();
    // iconv name of a Windows code page ("BIG5" for 950, "CP1252" ...).
    static const char* iconvName(int codePage);

    // True when the byte starts a double-byte character in the given code page.
    static bool isLeadByte(uint8_t byte, int codePage);
    static bool isLeadByte(uint8_t byte) { return isLeadByte(byte, ansi()); }

    // ANSI <-> UTF-16. Invalid input bytes become U+FFFD; characters the code page lacks become '?'.
    static std::u16string toUtf16(std::string_view ansiText, int codePage);
    static std::u16string toUtf16(std::string_view ansiText) { return toUtf16(ansiText, ansi()); }
    static std::string fromUtf16(std::u16string_view text, int codePage);
    static std::string fromUtf16(std::u16string_view text) { return fromUtf16(text, ansi()); }

    // ANSI <-> UTF-8, for files and command-line output.
    static std::string toUtf8(std::string_view ansiText, int codePage);
    static std::string toUtf8(std::string_view ansiText) { return toUtf8(ansiText, ansi()); }
    static std::string fromUtf8(std::string_view utf8, int codePage);
    static std::string fromUtf8(std::string_view utf8) { return fromUtf8(utf8, ansi()); }

    // True when every character of the UTF-16 text exists in the code page.
    static bool canEncode(std::u16string_view text, int codePage);
};
