#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The program's language: a Windows-style language id derived from the locale, and the
// one-character language code that names the language files and the help file.
class LanguageCode {
public:
    // Language id of a locale name such as "zh_TW.UTF-8" (primary language in the low 10 bits,
    // sublanguage in the next 6). "C", "POSIX", empty and unknown languages give English (US).
    static uint16_t langIdFromLocale(std::string_view locale);
    // Language id of the process: the first non-empty of LC_ALL, LC_MESSAGES, LANG.
    static uint16_t systemLangId();

    static unsigned primary(uint16_t langId) { return langId & 0x3FFu; }
    static unsigned sub(uint16_t langId) { return langId >> 10; }

    // Code used by the start-up message only; writes the three language lines to the log.
    static std::string startupCode(uint16_t langId);
    // Code used by the windows.
    static std::string windowCode(uint16_t langId);

    // "QVSEstr" + code + ".INI"
    static std::string textFileName(std::string_view code);
    // "Tolmar" + code + ".CHM"
    static std::string helpFileName(std::string_view code);
    // The code used when the file for the chosen one is missing.
    static constexpr const char* fallback = "2";
};
