#include "store/CardTextLimits.h"

#include "sim/GsmAlphabet.h"
#include "sim/SmsEncoder.h"
#include "text/CodePage.h"

#include <cstdint>

namespace {
constexpr char kGrave = 0x60;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string_view CardTextLimits::trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool CardTextLimits::needsWideCoding(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kGrave) return true;
        if (CodePage::isLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size()) return true;
    }
    return false;
}

int CardTextLimits::characterCount(std::string_view text)
{
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++count) {
        if (CodePage::isLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size()) ++i;
    }
    return count;
}

int CardTextLimits::escapeCount(std::string_view text)
{
    int count = 0;
    for (char c : text) {
        if (std::string_view("[\\]^{|}~").find(c) != std::string_view::npos) ++count;
    }
    return count;
}

bool CardTextLimits::nameNeedsWideCoding(std::string_view name)
{
    // The card writer also stores names in UCS2 when a character has no GSM code.
    return needsWideCoding(trimmed(name)) || !GsmAlphabet::canEncode(name);
}

bool CardTextLimits::nameTooLong(std::string_view name, int alphaLength)
{
    // Two bytes of the name part are kept free, as the phones expect.
    const int limit = alphaLength - 2;
    if (limit <= 0) return false;
    if (nameNeedsWideCoding(name)) {
        // UCS2: one marker byte, then two bytes per character.
        const int wideLimit = limit / 2;
        return wideLimit > 0 && characterCount(name) > wideLimit;
    }
    // GSM alphabet: an escaped character takes two bytes.
    return static_cast<int>(name.size()) + escapeCount(name) > limit;
}

bool CardTextLimits::messageTooLong(std::string_view text)
{
    const std::string_view t = trimmed(text);
    if (SmsEncoder::needsUcs2(std::string(t))) return characterCount(t) > kMessageWideChars;
    return static_cast<int>(t.size()) > kMessageBytes;
}
