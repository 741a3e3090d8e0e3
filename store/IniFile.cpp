#include "store/IniFile.h"

#include "store/DurableFile.h"
#include "text/CodePage.h"

#include <cerrno>
#include <cstdlib>

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Position of the "]" that closes a section line starting with "[": the last byte when it is
// one (a name may hold "]"), otherwise the first "]" outside a double-byte character (a Big5
// trail byte can be "]").
size_t closingBracket(std::string_view t)
{
    if (t.size() >= 2 && t.back() == ']') return t.size() - 1;
    const int cp = CodePage::ansi();
    for (size_t i = 1; i < t.size(); ++i) {
        if (t[i] == ']') return i;
        if (CodePage::isLeadByte(static_cast<uint8_t>(t[i]), cp)) ++i;
    }
    return std::string_view::npos;
}

}  // namespace

std::string IniFile::fold(std::string_view name)
{
    std::string out(name);
    int cp = CodePage::ansi();
    for (size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<uint8_t>(out[i]);
        if (CodePage::isLeadByte(c, cp)) {
            ++i;  // keep the trail byte, it may look like an ASCII letter
            continue;
        }
        if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
    }
    return out;
}

std::string IniFile::nameKey(std::string_view name) { return fold(trim(name)); }

IniFile::IniFile(std::string path) : path_(std::move(path))
{
    std::string text;
    const bool exists = DurableFile::exists(path_);
    loadedOk_ = !exists || DurableFile::read(path_, text);
    if (exists && loadedOk_) parse(text);
    dirty_ = false;
}

IniFile::~IniFile()
{
    if (autoSave_ && dirty_ && !path_.empty()) save();
}

IniFile::IniFile(IniFile&& o) noexcept { *this = std::move(o); }

IniFile& IniFile::operator=(IniFile&& o) noexcept
{
    if (this != &o) {
        if (autoSave_ && dirty_ && !path_.empty()) save();
        path_ = std::move(o.path_);
        preamble_ = std::move(o.preamble_);
        sections_ = std::move(o.sections_);
        sectionIndex_ = std::move(o.sectionIndex_);
        dirty_ = o.dirty_;
        loadedOk_ = o.loadedOk_;
        autoSave_ = o.autoSave_;
        sectionSpacing_ = o.sectionSpacing_;
        o.dirty_ = false;
        o.path_.clear();
    }
    return *this;
}

void IniFile::parse(std::string_view text)
{
    clear();
    Section* cur = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view t = trim(line);
        const size_t close = t.empty() || t.front() != '[' ? std::string_view::npos : closingBracket(t);
        if (close != std::string_view::npos) {
            std::string_view name = trim(t.substr(1, close - 1));
            std::string folded = nameKey(name);
            auto it = sectionIndex_.find(folded);
            if (it != sectionIndex_.end()) {
                cur = &sections_[it->second];  // a repeated section continues the first one
            } else {
                sectionIndex_.emplace(folded, sections_.size());
                sections_.push_back(Section{std::string(name), {}, {}, false});
                cur = &sections_.back();
            }
            continue;
        }
        Entry e;
        size_t eq = line.find('=');
        if (eq != std::string_view::npos && !t.empty() && t.front() != ';') {
            e.key = std::string(trim(line.substr(0, eq)));
            e.value = std::string(line.substr(eq + 1));
            e.isKey = !e.key.empty();
            if (!e.isKey) e.value = std::string(line);
        } else {
            e.value = std::string(line);
        }
        if (!cur) {
            preamble_.push_back(std::move(e));
            continue;
        }
        cur->indexed = false;  // the key index is built on the first look-up
        cur->entries.push_back(std::move(e));
    }
    dirty_ = true;
}

std::string IniFile::text() const
{
    std::string out;
    auto put = [&out](const Entry& e) {
        if (e.isKey) {
            out += e.key;
            out += '=';
        }
        out += e.value;
        out += "\r\n";
    };
    for (const auto& e : preamble_) put(e);
    for (const auto& s : sections_) {
        if (s.removed) continue;
        out += '[';
        out += s.name;
        out += "]\r\n";
        for (const auto& e : s.entries) put(e);
        const bool endsBlank = !s.entries.empty() && !s.entries.back().isKey && s.entries.back().value.empty();
        if (sectionSpacing_ && !endsBlank) out += "\r\n";
    }
    return out;
}

IniFile::Section* IniFile::find(std::string_view section)
{
    auto it = sectionIndex_.find(nameKey(section));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniFile::Section* IniFile::find(std::string_view section) const
{
    auto it = sectionIndex_.find(nameKey(section));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section& IniFile::findOrAdd(std::string_view section)
{
    if (Section* s = find(section)) return *s;
    sectionIndex_.emplace(nameKey(section), sections_.size());
    sections_.push_back(Section{std::string(section), {}, {}, false});
    return sections_.back();
}

const std::unordered_map<std::string, size_t>& IniFile::keyIndex(const Section& s)
{
    if (!s.indexed) reindex(s);
    return s.index;
}

void IniFile::reindex(const Section& s)
{
    s.indexed = true;
    s.index.clear();
    for (size_t i = 0; i < s.entries.size(); ++i)
        if (s.entries[i].isKey) s.index.try_emplace(nameKey(s.entries[i].key), i);
}

bool IniFile::sectionExists(std::string_view section) const { return find(section) != nullptr; }

bool IniFile::valueExists(std::string_view section, std::string_view key) const
{
    const Section* s = find(section);
    return s && keyIndex(*s).count(nameKey(key));
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const
{
    const Section* s = find(section);
    if (!s) return std::string(def);
    const auto& index = keyIndex(*s);
    auto it = index.find(nameKey(key));
    return it == index.end() ? std::string(def) : s->entries[it->second].value;
}

long long IniFile::readInteger(std::string_view section, std::string_view key, long long def) const
{
    std::string v(trim(readString(section, key, "")));
    if (v.empty()) return def;
    int base = 10;
    std::string digits = v;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.erase(0, 2);
    } else if (!digits.empty() && digits[0] == '$') {
        base = 16;
        digits.erase(0, 1);
    }
    if (digits.empty()) return def;
    char* end = nullptr;
    errno = 0;
    long long n = std::strtoll(digits.c_str(), &end, base);
    if (errno || !end || *end) return def;
    return negative ? -n : n;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::sections() const
{
    std::vector<std::string> out;
    for (const auto& s : sections_)
        if (!s.removed) out.push_back(s.name);
    return out;
}

std::vector<std::string> IniFile::keys(std::string_view section) const
{
    std::vector<std::string> out;
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            if (e.isKey) out.push_back(e.key);
    return out;
}

std::vector<std::pair<std::string, std::string>> IniFile::values(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> out;
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            if (e.isKey) out.emplace_back(e.key, e.value);
    return out;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& s = findOrAdd(section);
    std::string folded = nameKey(key);
    keyIndex(s);
    auto it = s.index.find(folded);
    if (it != s.index.end()) {
        if (s.entries[it->second].value == value) return;
        s.entries[it->second].value = std::string(value);
    } else {
        s.index.emplace(std::move(folded), s.entries.size());
        s.entries.push_back(Entry{std::string(key), std::string(value), true});
    }
    dirty_ = true;
}

void IniFile::writeInteger(std::string_view section, std::string_view key, long long value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void IniFile::addSection(std::string_view section)
{
    if (find(section)) return;
    findOrAdd(section);
    dirty_ = true;
}

void IniFile::eraseSection(std::string_view section)
{
    auto it = sectionIndex_.find(nameKey(section));
    if (it == sectionIndex_.end()) return;
    sections_[it->second].removed = true;
    sections_[it->second].entries.clear();
    sections_[it->second].index.clear();
    sectionIndex_.erase(it);
    dirty_ = true;
}

void IniFile::deleteKey(std::string_view section, std::string_view key)
{
    Section* s = find(section);
    if (!s) return;
    const auto& index = keyIndex(*s);
    auto it = index.find(nameKey(key));
    if (it == index.end()) return;
    s->entries.erase(s->entries.begin() + static_cast<std::ptrdiff_t>(it->second));
    reindex(*s);
    dirty_ = true;
}

void IniFile::clear()
{
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
    dirty_ = true;
}

bool IniFile::writeTo(const std::string& target) const { return DurableFile::writeFile(target, text()); }

bool IniFile::save(bool force)
{
    if (!dirty_ && !force) return true;
    if (path_.empty()) return false;
    // Written beside the file and renamed over it, so a failed write never leaves half a file.
    if (!DurableFile::replace(path_, text(), false)) return false;
    dirty_ = false;
    return true;
}
