#include "shell/HintFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// One parsed conversion: "%" flags width ["." precision] [length] conversion.
struct Spec {
    size_t length = 0;    // characters of the format it spans
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;  // 0 when the text after "%" is no conversion we take
};

constexpr int maxField = 512;  // width and precision beyond this are clamped

int readNumber(std::string_view fmt, size_t& i)
{
    int n = 0;
    while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
        n = std::min(n * 10 + (fmt[i] - '0'), maxField);
        ++i;
    }
    return n;
}

Spec parse(std::string_view fmt, size_t start)
{
    Spec s;
    size_t i = start + 1;
    while (i < fmt.size() && fmt[i] != '\0' && std::strchr("-+ 0#", fmt[i])) s.flags += fmt[i++];
    if (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') s.width = readNumber(fmt, i);
    if (i < fmt.size() && fmt[i] == '.') {
        ++i;
        s.precision = readNumber(fmt, i);
    }
    while (i < fmt.size() && (fmt[i] == 'h' || fmt[i] == 'l')) ++i;
    if (i < fmt.size() && fmt[i] != '\0' && std::strchr("diuxXcs%", fmt[i])) s.conversion = fmt[i++];
    s.length = i - start;
    return s;
}

bool isInteger(char c) { return c != 's' && c != '%'; }

std::string prefix(const Spec& s)
{
    std::string p = "%" + s.flags;
    if (s.width >= 0) p += std::to_string(s.width);
    if (s.precision >= 0) p += "." + std::to_string(s.precision);
    return p;
}

std::string render(const std::string& cfmt, const auto&... value)
{
    char buf[maxField * 2 + 64];
    int n = std::snprintf(buf, sizeof buf, cfmt.c_str(), value...);
    if (n < 0) return {};
    return std::string(buf, static_cast<size_t>(std::min<int>(n, sizeof buf - 1)));
}

std::string convertInteger(const Spec& s, long long v)
{
    switch (s.conversion) {
    case 'c': return render(prefix(s) + "c", static_cast<int>(static_cast<unsigned char>(v)));
    case 'u': return render(prefix(s) + "llu", static_cast<unsigned long long>(v));
    case 'x': return render(prefix(s) + "llx", static_cast<unsigned long long>(v));
    case 'X': return render(prefix(s) + "llX", static_cast<unsigned long long>(v));
    default: return render(prefix(s) + "lld", v);
    }
}

std::string convertText(const Spec& s, const std::string& text)
{
    std::string t = s.precision >= 0 && s.conversion == 's' ? text.substr(0, static_cast<size_t>(s.precision)) : text;
    if (s.width > 0 && t.size() < static_cast<size_t>(s.width)) {
        std::string pad(static_cast<size_t>(s.width) - t.size(), ' ');
        t = s.flags.find('-') != std::string::npos ? t + pad : pad + t;
    }
    return t;
}

std::string convert(const Spec& s, const HintFormat::Arg* arg)
{
    if (!arg) return {};
    if (const long long* v = std::get_if<long long>(arg))
        return isInteger(s.conversion) ? convertInteger(s, *v) : convertText(s, std::to_string(*v));
    return convertText(s, std::get<std::string>(*arg));
}

}  // namespace

std::string HintFormat::format(std::string_view fmt, const std::vector<Arg>& args)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < fmt.size();) {
        if (fmt[i] != '%') {
            out += fmt[i++];
            continue;
        }
        Spec s = parse(fmt, i);
        if (s.conversion == '%') {
            out += '%';
        } else if (s.conversion == 0) {
            out.append(fmt.substr(i, s.length));
        } else {
            out += convert(s, next < args.size() ? &args[next] : nullptr);
            ++next;
        }
        i += s.length;
    }
    return out;
}

std::string HintFormat::kinds(std::string_view fmt)
{
    std::string k;
    for (size_t i = 0; i < fmt.size();) {
        if (fmt[i] != '%') {
            ++i;
            continue;
        }
        Spec s = parse(fmt, i);
        if (s.conversion == 0) k += '?';
        else if (s.conversion != '%') k += isInteger(s.conversion) ? 'd' : 's';
        i += std::max<size_t>(s.length, 1);
    }
    return k;
}
