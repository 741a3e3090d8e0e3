#include "sim/SmsAlphabet.h"

#include "text/CodePage.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

namespace {

// GSM 03.38 default alphabet; 1B (the escape) is left as a blank here and handled apart.
constexpr std::array<char16_t, 128> kBasic = {
    u'@',    u'\u00A3', u'$',     u'\u00A5', u'\u00E8', u'\u00E9', u'\u00F9', u'\u00EC',
    u'\u00F2', u'\u00C7', u'\n',  u'\u00D8', u'\u00F8', u'\r',    u'\u00C5', u'\u00E5',
    u'\u0394', u'_',     u'\u03A6', u'\u0393', u'\u039B', u'\u03A9', u'\u03A0', u'\u03A8',
    u'\u03A3', u'\u0398', u'\u039E', u' ',    u'\u00C6', u'\u00E6', u'\u00DF', u'\u00C9',
    u' ', u'!', u'"', u'#', u'\u00A4', u'%', u'&', u'\'', u'(', u')', u'*', u'+', u',', u'-', u'.', u'/',
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u':', u';', u'<', u'=', u'>', u'?',
    u'\u00A1', u'A', u'B', u'C', u'D', u'E', u'F', u'G', u'H', u'I', u'J', u'K', u'L', u'M', u'N', u'O',
    u'P', u'Q', u'R', u'S', u'T', u'U', u'V', u'W', u'X', u'Y', u'Z', u'\u00C4', u'\u00D6', u'\u00D1', u'\u00DC', u'\u00A7',
    u'\u00BF', u'a', u'b', u'c', u'd', u'e', u'f', u'g', u'h', u'i', u'j', u'k', u'l', u'm', u'n', u'o',
    u'p', u'q', u'r', u's', u't', u'u', u'v', u'w', u'x', u'y', u'z', u'\u00E4', u'\u00F6', u'\u00F1', u'\u00FC', u'\u00E0',
};

struct Extension {
    uint8_t follower;
    char16_t character;
};

constexpr std::array<Extension, 9> kExtensions = {{
    {0x14, u'^'}, {0x28, u'{'}, {0x29, u'}'}, {0x2F, u'\\'}, {0x3C, u'['},
    {0x3D, u'~'}, {0x3E, u']'}, {0x40, u'|'}, {0x65, u'\u20AC'},
}};

// Character -> septets (one, or the escape and its follower).
const std::unordered_map<char16_t, std::vector<uint8_t>>& reverseTable()
{
    static const auto table = [] {
        std::unordered_map<char16_t, std::vector<uint8_t>> t;
        for (uint8_t s = 0; s < kBasic.size(); ++s)
            if (s != SmsAlphabet::kEscape) t.emplace(kBasic[s], std::vector<uint8_t>{s});
        for (const Extension& e : kExtensions)
            t.emplace(e.character, std::vector<uint8_t>{SmsAlphabet::kEscape, e.follower});
        return t;
    }();
    return table;
}

// Full-width forms for the currency signs that double-byte code pages (Big5) only have so.
constexpr std::array<std::pair<char16_t, char16_t>, 2> kFullWidth = {{{u'\u00A3', u'\uFFE1'}, {u'\u00A5', u'\uFFE5'}}};

std::string toAnsi(std::u16string text)
{
    const int codePage = CodePage::ansi();
    if (!CodePage::canEncode(text, codePage)) {
        for (const auto& [plain, wide] : kFullWidth)
            if (!CodePage::canEncode(std::u16string(1, plain), codePage)) std::replace(text.begin(), text.end(), plain, wide);
    }
    return CodePage::fromUtf16(text, codePage);
}

}  // namespace

char16_t SmsAlphabet::character(uint8_t septet)
{
    return kBasic[septet & 0x7F];
}

char16_t SmsAlphabet::extension(uint8_t follower)
{
    for (const Extension& e : kExtensions)
        if (e.follower == follower) return e.character;
    return 0;
}

std::string SmsAlphabet::decode(const std::vector<uint8_t>& septets)
{
    std::u16string text;
    text.reserve(septets.size());
    for (size_t i = 0; i < septets.size(); ++i) {
        if (septets[i] != kEscape) {
            text.push_back(character(septets[i]));
            continue;
        }
        if (++i == septets.size()) break;
        const char16_t extended = extension(septets[i]);
        text.push_back(extended ? extended : character(septets[i]));
    }
    return toAnsi(std::move(text));
}

std::optional<std::vector<uint8_t>> SmsAlphabet::encode(std::string_view ansiText)
{
    const auto& table = reverseTable();
    std::vector<uint8_t> septets;
    septets.reserve(ansiText.size());
    for (char16_t c : CodePage::toUtf16(ansiText)) {
        const auto it = table.find(c);
        if (it == table.end()) return std::nullopt;
        septets.insert(septets.end(), it->second.begin(), it->second.end());
    }
    return septets;
}
