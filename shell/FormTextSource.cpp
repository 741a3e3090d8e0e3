#include "shell/FormTextSource.h"

FormTextSource::FormTextSource(std::shared_ptr<const IniFile> file, std::string section, bool breakLines)
    : file_(std::move(file)), section_(std::move(section)), breakLines_(breakLines)
{
}

std::optional<std::string> FormTextSource::text(std::string_view key) const
{
    if (!file_ || !file_->valueExists(section_, key)) return std::nullopt;
    std::string v = file_->readString(section_, key);
    return breakLines_ ? breakLines(v) : v;
}

std::string FormTextSource::text(std::string_view key, std::string_view def) const
{
    std::optional<std::string> v = text(key);
    if (v) return *v;
    return breakLines_ ? breakLines(def) : std::string(def);
}

std::string FormTextSource::breakLines(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value.compare(i, 3, "#13") == 0) {
            out += '\r';
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}
