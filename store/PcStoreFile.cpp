#include "store/PcStoreFile.h"

#include "store/DurableFile.h"
#include "store/EntryLine.h"
#include "store/IniFile.h"
#include "store/NameIndex.h"

#include <unordered_map>

namespace {

// A line as it may be stored: every real line break becomes the escape.
std::string storable(const std::string& line) {
    if (line.find_first_of("\r\n") == std::string::npos) return line;
    std::string out = EntryLine::encodeLineBreaks(line);
    std::string clean;
    for (char c : out) {
        if (c == '\r' || c == '\n') clean += EntryLine::kLineBreak;
        else clean += c;
    }
    return clean;
}

bool openIni(const std::string& path, IniFile& ini, PcStoreFile::Status& status) {
    if (!DurableFile::exists(path)) {
        status = PcStoreFile::Status::Missing;
        return false;
    }
    ini = IniFile(path);
    ini.setAutoSave(false);
    status = ini.loadedOk() ? PcStoreFile::Status::Loaded : PcStoreFile::Status::Unreadable;
    return ini.loadedOk();
}

}  // namespace

bool PcStoreFile::dropped(StoreKind kind, std::string_view line) {
    if (kind == StoreKind::Phone) return line == EntryLine::kEmptyPhone;
    return line == "\\t2211" || line == "\\tkk";
}

std::vector<std::string> PcStoreFile::readList(const IniFile& ini, std::string_view section) {
    // Files written by the program hold the keys 1, 2, ... in order: take them in one pass and
    // look the rest up by key.
    auto pairs = ini.values(section);
    std::vector<std::string> out;
    bool inOrder = true;  // keys 1 .. k-1 were the first k-1 keys of the section
    for (std::size_t k = 1;; ++k) {
        const std::string key = std::to_string(k);
        std::string value;
        if (inOrder && k > pairs.size()) break;  // no key left to look for
        if (inOrder && pairs[k - 1].first == key) value = std::move(pairs[k - 1].second);
        else {
            value = ini.readString(section, key);
            inOrder = false;
        }
        if (value.empty()) break;
        out.push_back(std::move(value));
    }
    return out;
}

CatalogList PcStoreFile::parse(const IniFile& ini, StoreKind kind, const std::string& defaultName) {
    CatalogList list;
    for (auto& name : readList(ini, kCatalogSection)) {
        auto lines = readList(ini, name);
        std::erase_if(lines, [kind](const std::string& l) { return dropped(kind, l); });
        list.append(std::move(name), std::move(lines));
    }
    if (!defaultName.empty()) list.ensure(defaultName);
    return list;
}

PcStoreFile::Status PcStoreFile::load(const std::string& path, StoreKind kind, const std::string& defaultName,
                                      CatalogList& out) {
    IniFile ini;
    Status status;
    if (openIni(path, ini, status)) out = parse(ini, kind, defaultName);
    return status;
}

bool PcStoreFile::readNameIndex(const std::string& path, NameIndex& index, const Pump& pump) {
    IniFile ini;
    Status status;
    if (!openIni(path, ini, status)) return false;
    index.clear();
    for (const auto& name : readList(ini, kCatalogSection)) {
        for (auto& line : readList(ini, name))
            if (!dropped(StoreKind::Phone, line)) index.add(std::move(line));
        if (pump) pump();
    }
    return true;
}

std::string PcStoreFile::format(const CatalogList& list, const std::string& defaultName, const Pump& pump) {
    IniFile ini;
    ini.setAutoSave(false);
    ini.setSectionSpacing(true);
    ini.addSection(kCatalogSection);
    std::unordered_map<std::string, std::size_t> written;  // section key -> lines already in it
    for (const auto& catalog : list) {
        if (pump) pump();
        const std::string name = sectionName(catalog.name, defaultName);
        auto [it, first] = written.try_emplace(IniFile::nameKey(name), 0);
        if (first) ini.writeString(kCatalogSection, std::to_string(written.size()), name);
        for (const auto& line : catalog.lines)
            if (!line.empty()) ini.writeString(name, std::to_string(++it->second), storable(line));
    }
    if (pump) pump();
    return ini.text();
}

std::string PcStoreFile::sectionName(const std::string& name, const std::string& defaultName) {
    if (IniFile::nameKey(name).empty()) return defaultName;
    // The name list has the section [Catalog] to itself.
    if (IniFile::nameKey(name) == IniFile::nameKey(kCatalogSection)) return name + "_";
    return name;
}

bool PcStoreFile::write(const std::string& path, const CatalogList& list, const std::string& defaultName,
                        const Pump& pump) {
    return DurableFile::replace(path, format(list, defaultName, pump), true);
}
