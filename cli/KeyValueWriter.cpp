#include "cli/KeyValueWriter.h"

#include "text/CodePage.h"
#include "vsim/Hex.h"

#include <algorithm>

void KeyValueWriter::text(const std::string& key, const std::string& ansiValue)
{
    plain(key, CodePage::toUtf8(escapeLineBreaks(ansiValue)));
}

void KeyValueWriter::plain(const std::string& key, const std::string& value)
{
    if (pendingBlank_) out_ << '\n';
    pendingBlank_ = false;
    out_ << key << '=' << value << '\n';
}

void KeyValueWriter::hex(const std::string& key, const std::vector<uint8_t>& bytes)
{
    plain(key, hexText(bytes));
}

std::string KeyValueWriter::hexText(const std::vector<uint8_t>& bytes)
{
    std::string s = Hex::format(bytes);
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

std::string KeyValueWriter::escapeLineBreaks(const std::string& value)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\r' && value[i] != '\n') {
            out += value[i];
            continue;
        }
        out += "\\n";
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    }
    return out;
}
