#include "store/CatalogList.h"

#include "store/IniFile.h"

Catalog& CatalogList::append(std::string name, std::vector<std::string> lines) {
    catalogs_.push_back(Catalog{std::move(name), std::move(lines)});
    return catalogs_.back();
}

bool CatalogList::sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && IniFile::fold(a) == IniFile::fold(b);
}

int CatalogList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < catalogs_.size(); ++i)
        if (sameName(catalogs_[i].name, name)) return static_cast<int>(i);
    return -1;
}

Catalog* CatalogList::find(std::string_view name) {
    const int i = indexOf(name);
    return i < 0 ? nullptr : &catalogs_[static_cast<std::size_t>(i)];
}

const Catalog* CatalogList::find(std::string_view name) const {
    const int i = indexOf(name);
    return i < 0 ? nullptr : &catalogs_[static_cast<std::size_t>(i)];
}

bool CatalogList::ensure(std::string_view name) {
    if (indexOf(name) >= 0) return false;
    append(std::string(name));
    return true;
}

void CatalogList::removeAt(std::size_t i) {
    if (i < catalogs_.size()) catalogs_.erase(catalogs_.begin() + static_cast<std::ptrdiff_t>(i));
}

std::vector<std::string> CatalogList::names() const {
    std::vector<std::string> out;
    out.reserve(catalogs_.size());
    for (const auto& c : catalogs_) out.push_back(c.name);
    return out;
}

std::size_t CatalogList::entryCount() const {
    std::size_t n = 0;
    for (const auto& c : catalogs_) n += c.lines.size();
    return n;
}
