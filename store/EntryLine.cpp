#include "store/EntryLine.h"

#include "text/CodePage.h"

std::size_t EntryLine::findPair(std::string_view text, std::string_view pair, std::size_t from) {
    const int cp = CodePage::ansi();
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (text[i] == pair[0] && text[i + 1] == pair[1]) return i;
        if (CodePage::isLeadByte(static_cast<unsigned char>(text[i]), cp)) ++i;
    }
    return std::string_view::npos;
}

std::string EntryLine::takeNextField(std::string_view& line) {
    const std::size_t sep = findPair(line, kSeparator);
    if (sep == std::string_view::npos) {
        std::string field = decodeLineBreaks(line);
        line = {};
        return field;
    }
    std::string field = decodeLineBreaks(line.substr(0, sep));
    line.remove_prefix(sep + kSeparator.size());
    return field;
}

std::string EntryLine::takeNextField(std::string& line) {
    std::string_view rest = line;
    std::string field = takeNextField(rest);
    line.erase(0, line.size() - rest.size());
    return field;
}

std::vector<std::string> EntryLine::fields(std::string_view line, std::size_t count) {
    std::vector<std::string> out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) out.push_back(takeNextField(line));
    return out;
}

std::string EntryLine::join(const std::vector<std::string>& texts) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i) out += kSeparator;
        out += texts[i];
    }
    return out;
}

std::string EntryLine::encodeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += kLineBreak;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string EntryLine::decodeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at; (at = findPair(text, kLineBreak, from)) != std::string_view::npos; from = at + 2) {
        out.append(text.substr(from, at - from));
        out += "\r\n";
    }
    out.append(text.substr(from));
    return out;
}

void EntryLine::stripTrailingBlanks(char* buffer) {
    std::size_t n = std::char_traits<char>::length(buffer);
    while (n > 0 && static_cast<unsigned char>(buffer[n - 1]) <= 32) buffer[--n] = '\0';
}

std::string EntryLine::stripTrailingBlanks(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && static_cast<unsigned char>(text[n - 1]) <= 32) --n;
    return std::string(text.substr(0, n));
}

std::string EntryLine::keepDialable(std::string_view text) {
    std::string_view in = text.substr(0, std::min(text.size(), kDialableMax));
    in = in.substr(0, std::min(in.size(), in.find('\0')));
    std::string out;
    for (char c : in)
        if ((c >= '0' && c <= '9') || c == '*' || c == '#' || c == '+') out += c;
    return out.empty() ? std::string(in) : out;
}
