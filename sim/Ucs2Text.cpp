#include "sim/Ucs2Text.h"

#include "sim/AnsiChars.h"
#include "sim/GsmAlphabet.h"
#include "text/CodePage.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

std::mutex languageMutex;
std::string decoderLanguage;

// Appends characters until one cannot be converted.
class Collector {
public:
    // False (and nothing added) for the character 0, which ends a text, and for characters the
    // code page lacks.
    bool add(char16_t c)
    {
        if (c == 0) return false;
        std::optional<std::string> a = Ucs2Text::toAnsi(c);
        if (!a) return false;
        text += *a;
        return true;
    }
    std::string text;
};

std::string decodePlain(size_t count, int mode, std::span<const uint8_t> source, bool& intact)
{
    if (count > source.size()) intact = false;
    const size_t chars = std::min(count, source.size()) / 2;
    Collector out;
    for (size_t i = 0; i < chars; ++i) {
        auto c = static_cast<char16_t>(source[2 * i] << 8 | source[2 * i + 1]);
        if (c == 0xFFFF && mode != Ucs2Text::kMessageText) break;
        if (!out.add(c)) break;
    }
    return out.text;
}

// 81 and 82: `baseBytes` bytes of base, then one byte per character.
std::string decodePaged(uint8_t format, size_t count, std::span<const uint8_t> source, bool& intact)
{
    const size_t baseBytes = format == Ucs2Text::kHalfPage ? 1 : 2;
    if (source.size() < baseBytes) {
        intact = false;
        return {};
    }
    const unsigned base = format == Ucs2Text::kHalfPage ? source[0] * 128u : (source[0] << 8 | source[1]);
    std::span<const uint8_t> chars = source.subspan(baseBytes);
    if (count > chars.size()) intact = false;
    chars = chars.first(std::min(count, chars.size()));
    const std::string lang = Ucs2Text::languageCode();
    const bool rawHigh = format == Ucs2Text::kHalfPage && lang != "0" && lang != "1";
    Collector out;
    for (uint8_t b : chars) {
        if (b < 0x80 && format == Ucs2Text::kHalfPage)
            out.text += GsmAlphabet::decodeTableB(b);
        else if (b < 0x80) {
            if (!out.add(b)) break;
        } else if (rawHigh && b > 0x89)
            out.text += static_cast<char>(b);
        else if (!out.add(static_cast<char16_t>(base + (b - 0x80))))
            break;
    }
    return out.text;
}

}  // namespace

std::string Ucs2Text::decode(uint8_t format, size_t count, int mode, std::span<const uint8_t> source, bool* intact)
{
    bool whole = true;
    std::string text = format == kPlain ? decodePlain(count, mode, source, whole) : decodePaged(format, count, source, whole);
    if (intact) *intact = whole;
    return text;
}

size_t Ucs2Text::UC2Ansi(uint8_t format, size_t count, int mode, std::span<const uint8_t> source, char* destination,
                         size_t destinationSize, bool* intact)
{
    if (!destination || destinationSize == 0) return 0;
    std::string text = decode(format, count, mode, source, intact);
    std::string_view fit = AnsiChars::prefix(text, destinationSize - 1, CodePage::ansi());
    std::memcpy(destination, fit.data(), fit.size());
    destination[fit.size()] = '\0';
    return fit.size();
}

std::optional<std::string> Ucs2Text::toAnsi(char16_t c)
{
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    std::u16string u(1, c);
    const int cp = CodePage::ansi();
    if (!CodePage::canEncode(u, cp)) return std::nullopt;
    return CodePage::fromUtf16(u, cp);
}

std::u16string Ucs2Text::fromAnsi(std::string_view ansiChar) { return CodePage::toUtf16(ansiChar); }

void Ucs2Text::setLanguageCode(const std::string& code)
{
    std::lock_guard lock(languageMutex);
    decoderLanguage = code;
}

std::string Ucs2Text::languageCode()
{
    std::lock_guard lock(languageMutex);
    return decoderLanguage;
}
