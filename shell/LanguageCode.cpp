#include "shell/LanguageCode.h"

#include "shell/Log.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

constexpr uint16_t makeLangId(unsigned primary, unsigned sub) { return static_cast<uint16_t>((sub << 10) | primary); }
constexpr uint16_t englishUs = makeLangId(0x09, 0x01);

struct LanguageRow {
    const char* language;  // ISO 639 code as used in locale names
    unsigned primary;
};

// Primary language ids of the languages a locale name may carry.
constexpr LanguageRow languages[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
    {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"iw", 0x0D},
    {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"nb", 0x14},
    {"no", 0x14}, {"nn", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A},
    {"sr", 0x1A}, {"sk", 0x1B}, {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"ur", 0x20},
    {"id", 0x21}, {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27},
    {"fa", 0x29}, {"vi", 0x2A}, {"hy", 0x2B}, {"eu", 0x2D}, {"mk", 0x2F}, {"af", 0x36}, {"ka", 0x37},
    {"hi", 0x39}, {"ms", 0x3E}, {"kk", 0x3F},
};

struct TerritoryRow {
    const char* language;
    const char* territory;
    unsigned sub;
};

// Sublanguages other than the default (1) of the primary language.
constexpr TerritoryRow territories[] = {
    {"zh", "CN", 0x02}, {"zh", "HK", 0x03}, {"zh", "SG", 0x04}, {"zh", "MO", 0x05},
    {"en", "GB", 0x02}, {"en", "AU", 0x03}, {"en", "CA", 0x04}, {"en", "NZ", 0x05}, {"en", "IE", 0x06},
    {"en", "ZA", 0x07}, {"de", "CH", 0x02}, {"de", "AT", 0x03}, {"de", "LU", 0x04}, {"de", "LI", 0x05},
    {"es", "MX", 0x02}, {"es", "ES", 0x03}, {"es", "AR", 0x0B}, {"fr", "BE", 0x02}, {"fr", "CA", 0x03},
    {"fr", "CH", 0x04}, {"fr", "LU", 0x05}, {"it", "CH", 0x02}, {"nl", "BE", 0x02}, {"pt", "PT", 0x02},
    {"sv", "FI", 0x02}, {"nn", "", 0x02},   {"nn", "NO", 0x02}, {"sr", "", 0x02},   {"sr", "RS", 0x02},
};

struct CodeRow {
    unsigned primary;
    const char* startup;  // start-up message
    const char* window;   // everything else
};

constexpr CodeRow codes[] = {
    {0x07, "A", "A"}, {0x09, "2", "2"}, {0x0A, "C", "C"}, {0x0C, "9", "9"}, {0x0D, "H", "2"},
    {0x10, "B", "B"}, {0x11, "3", "3"}, {0x12, "4", "4"}, {0x13, "I", "I"}, {0x15, "K", "2"},
    {0x16, "D", "D"}, {0x19, "F", "F"}, {0x1C, "G", "2"}, {0x1E, "5", "5"}, {0x1F, "J", "J"},
};

const CodeRow* codeRow(uint16_t langId)
{
    unsigned p = LanguageCode::primary(langId);
    auto it = std::find_if(std::begin(codes), std::end(codes), [p](const CodeRow& r) { return r.primary == p; });
    return it == std::end(codes) ? nullptr : it;
}

// Chinese is decided by the sublanguage: simplified (2) is "1", every other one "0".
const char* chineseCode(uint16_t langId) { return LanguageCode::sub(langId) == 0x02 ? "1" : "0"; }

std::string lower(std::string_view s)
{
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::string upper(std::string_view s)
{
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

}  // namespace

uint16_t LanguageCode::langIdFromLocale(std::string_view locale)
{
    size_t end = locale.find_first_of(".@");
    std::string_view name = locale.substr(0, end);
    size_t sep = name.find_first_of("_-");
    std::string language = lower(name.substr(0, sep));
    std::string territory = sep == std::string_view::npos ? std::string() : upper(name.substr(sep + 1));

    auto lang = std::find_if(std::begin(languages), std::end(languages),
                             [&](const LanguageRow& r) { return language == r.language; });
    if (lang == std::end(languages)) return englishUs;
    unsigned sub = 0x01;
    for (const TerritoryRow& t : territories)
        if (language == t.language && territory == t.territory) sub = t.sub;
    if (language == "zh" && territory.empty()) sub = 0x02;
    return makeLangId(lang->primary, sub);
}

uint16_t LanguageCode::systemLangId()
{
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) return langIdFromLocale(v);
    }
    return englishUs;
}

std::string LanguageCode::startupCode(uint16_t langId)
{
    Log::format("Default Language = %X", static_cast<unsigned>(langId));
    Log::format("Primary Language = %X", primary(langId));
    Log::format("Sub Language = %X", sub(langId));
    if (primary(langId) == 0x04) return chineseCode(langId);
    const CodeRow* row = codeRow(langId);
    return row ? row->startup : fallback;
}

std::string LanguageCode::windowCode(uint16_t langId)
{
    if (primary(langId) == 0x04) return chineseCode(langId);
    const CodeRow* row = codeRow(langId);
    return row ? row->window : fallback;
}

std::string LanguageCode::textFileName(std::string_view code) { return "QVSEstr" + std::string(code) + ".INI"; }

std::string LanguageCode::helpFileName(std::string_view code) { return "Tolmar" + std::string(code) + ".CHM"; }
