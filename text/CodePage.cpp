#include "text/CodePage.h"

#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::atomic<int> forcedCodePage{0};

// One conversion through iconv. Unconvertible or invalid input is replaced by `replacement`
// (already in the target encoding) and the conversion goes on after the offending bytes.
std::string convert(std::string_view in, const char* from, const char* to, std::string_view replacement,
                    size_t inStep, bool* lossless = nullptr)
{
    if (lossless) *lossless = true;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        if (lossless) *lossless = false;
        return std::string(in);
    }
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    std::vector<char> buf(in.size() * 4 + 16);
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: skip one input unit and put the replacement.
        if (lossless) *lossless = false;
        out.append(replacement);
        size_t skip = std::min(inStep, srcLeft);
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

std::string u16ToBytes(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::u16string bytesToU16(const std::string& bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    return text;
}

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

}  // namespace

int CodePage::ansi()
{
    int forced = forcedCodePage.load();
    if (forced) return forced;
    static const int fromEnv = fromEnvironment();
    return fromEnv;
}

void CodePage::setAnsi(int codePage) { forcedCodePage.store(codePage); }

int CodePage::fromLocaleName(std::string_view locale)
{
    if (startsWith(locale, "zh_TW") || startsWith(locale, "zh_HK") || startsWith(locale, "zh_MO")) return 950;
    if (startsWith(locale, "zh")) return 936;
    if (startsWith(locale, "ja")) return 932;
    if (startsWith(locale, "ko")) return 949;
    if (startsWith(locale, "ru")) return 1251;
    return 1252;
}

int CodePage::fromEnvironment()
{
    if (const char* cp = std::getenv("QUILLON_CODEPAGE"); cp && *cp) {
        int n = std::atoi(cp);
        if (n > 0) return n;
    }
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) return fromLocaleName(v);
    }
    return 1252;
}

const char* CodePage::iconvName(int codePage)
{
    switch (codePage) {
    case 950: return "BIG5";
    case 936: return "GBK";
    case 932: return "CP932";
    case 949: return "CP949";
    case 65001: return "UTF-8";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 874: return "CP874";
    default: return "CP1252";
    }
}

bool CodePage::isLeadByte(uint8_t byte, int codePage)
{
    switch (codePage) {
    case 950: return byte >= 0x81 && byte <= 0xFE;
    case 936: return byte >= 0x81 && byte <= 0xFE;
    case 949: return byte >= 0x81 && byte <= 0xFE;
    case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    default: return false;
    }
}

std::u16string CodePage::toUtf16(std::string_view ansiText, int codePage)
{
    static const std::string replacement = u16ToBytes(u"\uFFFD");
    return bytesToU16(convert(ansiText, iconvName(codePage), "UTF-16LE", replacement, 1));
}

std::string CodePage::fromUtf16(std::u16string_view text, int codePage)
{
    return convert(u16ToBytes(text), "UTF-16LE", iconvName(codePage), "?", 2);
}

std::string CodePage::toUtf8(std::string_view ansiText, int codePage)
{
    return convert(ansiText, iconvName(codePage), "UTF-8", "\xEF\xBF\xBD", 1);
}

std::string CodePage::fromUtf8(std::string_view utf8, int codePage)
{
    return convert(utf8, "UTF-8", iconvName(codePage), "?", 1);
}

bool CodePage::canEncode(std::u16string_view text, int codePage)
{
    bool lossless = true;
    convert(u16ToBytes(text), "UTF-16LE", iconvName(codePage), "?", 2, &lossless);
    return lossless;
}
