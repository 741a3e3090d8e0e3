#include "sim/GsmAlphabet.h"

#include "sim/AnsiChars.h"
#include "text/CodePage.h"

#include <algorithm>
#include <array>

namespace {

// A GSM character that does not stand for itself. `big5` is the Big5 form names use on a
// Big5 system (0 when the single Latin-1 byte is used).
struct GsmChar {
    uint8_t gsm;
    char16_t unicode;
    uint16_t big5;
};

constexpr std::array<GsmChar, 33> kChars{{
    {0x00, u'@', 0},      {0x01, 0x00A3, 0xA247}, {0x02, u'$', 0},  {0x03, 0x00A5, 0xA244}, {0x04, 0x00E8, 0},
    {0x05, 0x00E9, 0},    {0x06, 0x00F9, 0},      {0x07, 0x00EC, 0}, {0x08, 0x00F2, 0},      {0x09, 0x00C7, 0},
    {0x0B, 0x00D8, 0},    {0x0C, 0x00F8, 0},      {0x0E, 0x00C5, 0}, {0x0F, 0x00E5, 0},      {0x11, u'_', 0},
    {0x14, u'^', 0},      {0x1C, 0x00C6, 0},      {0x1D, 0x00E6, 0}, {0x1E, 0x00DF, 0},      {0x1F, 0x00C9, 0},
    {0x24, 0x00A4, 0},    {0x40, 0x00A1, 0},      {0x5B, 0x00C4, 0}, {0x5C, 0x00D6, 0},      {0x5D, 0x00D1, 0},
    {0x5E, 0x00DC, 0},    {0x5F, 0x00A7, 0xA1B1}, {0x60, 0x00BF, 0}, {0x7B, 0x00E4, 0},      {0x7C, 0x00F6, 0},
    {0x7D, 0x00F1, 0},    {0x7E, 0x00FC, 0},      {0x7F, 0x00E0, 0},
}};

// Names read ¤ as a blank and ¡ as "i".
constexpr std::array<GsmChar, 2> kNameOverrides{{{0x24, u' ', 0}, {0x40, u'i', 0}}};

// Second bytes of the escape pairs.
constexpr std::array<GsmChar, 9> kEscapes{{
    {0x28, u'{', 0}, {0x29, u'}', 0}, {0x2F, u'\\', 0}, {0x3C, u'[', 0}, {0x3D, u'~', 0},
    {0x3E, u']', 0}, {0x40, u'|', 0}, {0x14, u'^', 0},  {0x65, 0x20AC, 0xA3E1},
}};

// Big5 characters names may hold in the default alphabet; every other double-byte character
// needs UCS2.
struct Big5Code {
    uint16_t big5;
    uint8_t first;
    uint8_t second;  // 0: single byte
};
constexpr std::array<Big5Code, 3> kBig5Codes{{{0xA247, 0x01, 0}, {0xA244, 0x03, 0}, {0xA3E1, 0x1B, 0x65}}};

template <size_t N>
const GsmChar* byGsm(const std::array<GsmChar, N>& table, uint8_t gsm)
{
    auto it = std::find_if(table.begin(), table.end(), [gsm](const GsmChar& c) { return c.gsm == gsm; });
    return it == table.end() ? nullptr : &*it;
}

template <size_t N>
const GsmChar* byUnicode(const std::array<GsmChar, N>& table, char16_t u)
{
    auto it = std::find_if(table.begin(), table.end(), [u](const GsmChar& c) { return c.unicode == u; });
    return it == table.end() ? nullptr : &*it;
}

// One decoded character in the system code page.
std::string toAnsi(const GsmChar& c, bool useBig5)
{
    const int cp = CodePage::ansi();
    if (useBig5 && c.big5 && cp == 950)
        return {static_cast<char>(c.big5 >> 8), static_cast<char>(c.big5 & 0xFF)};
    if (c.unicode < 0x80) return std::string(1, static_cast<char>(c.unicode));
    // A Latin-1 byte on a double-byte code page would pair up with the next byte as a lead byte.
    if (c.unicode <= 0xFF && cp == 1252) return std::string(1, static_cast<char>(c.unicode));
    std::u16string u(1, c.unicode);
    return CodePage::canEncode(u, cp) ? CodePage::fromUtf16(u, cp) : std::string("?");
}

std::string decodeTableA(uint8_t gsm)
{
    if (const GsmChar* c = byGsm(kNameOverrides, gsm)) return toAnsi(*c, true);
    if (const GsmChar* c = byGsm(kChars, gsm)) return toAnsi(*c, true);
    return std::string(1, static_cast<char>(gsm));
}

bool isPlainAscii(uint8_t b)
{
    return (b >= 0x20 && b < 0x7F && b != '`') || b == '\n' || b == '\r';
}

std::vector<uint8_t> encodeUnicode(char16_t u)
{
    if (const GsmChar* e = byUnicode(kEscapes, u)) return {GsmAlphabet::kEscape, e->gsm};
    if (const GsmChar* c = byUnicode(kChars, u)) return {c->gsm};
    if (u < 0x80 && isPlainAscii(static_cast<uint8_t>(u))) return {static_cast<uint8_t>(u)};
    return {};
}

}  // namespace

std::string GsmAlphabet::decodeName(std::span<const uint8_t> field)
{
    std::string out;
    for (size_t i = 0; i < field.size() && field[i] != kPadding; ++i) {
        if (field[i] != kEscape) {
            out += decodeTableA(field[i]);
            continue;
        }
        if (i + 1 >= field.size()) break;
        if (const GsmChar* e = byGsm(kEscapes, field[i + 1])) {
            out += toAnsi(*e, true);
            ++i;
        }
    }
    return out;
}

std::string GsmAlphabet::decodeTableB(uint8_t gsm)
{
    if (const GsmChar* c = byGsm(kChars, gsm)) return toAnsi(*c, false);
    return std::string(1, static_cast<char>(gsm));
}

std::vector<uint8_t> GsmAlphabet::encodeChar(std::string_view ansiChar, int codePage)
{
    if (ansiChar.empty()) return {};
    const auto first = static_cast<uint8_t>(ansiChar[0]);
    if (ansiChar.size() == 2) {
        const auto code = static_cast<uint16_t>(first << 8 | static_cast<uint8_t>(ansiChar[1]));
        for (const Big5Code& b : kBig5Codes)
            if (b.big5 == code) return b.second ? std::vector<uint8_t>{b.first, b.second} : std::vector<uint8_t>{b.first};
        return {};
    }
    if (first < 0x80) return encodeUnicode(first);
    std::u16string u = CodePage::toUtf16(ansiChar, codePage);
    return u.size() == 1 ? encodeUnicode(u[0]) : std::vector<uint8_t>{};
}

bool GsmAlphabet::canEncode(std::string_view text)
{
    const int cp = CodePage::ansi();
    for (size_t at = 0; at < text.size();) {
        size_t n = AnsiChars::length(text, at, cp);
        if (encodeChar(text.substr(at, n), cp).empty()) return false;
        at += n;
    }
    return true;
}

std::vector<uint8_t> GsmAlphabet::encodeName(std::string_view text, size_t width)
{
    const int cp = CodePage::ansi();
    std::vector<uint8_t> out;
    for (size_t at = 0; at < text.size();) {
        size_t n = AnsiChars::length(text, at, cp);
        std::vector<uint8_t> code = encodeChar(text.substr(at, n), cp);
        if (out.size() + code.size() > width) break;
        out.insert(out.end(), code.begin(), code.end());
        at += n;
    }
    return out;
}
