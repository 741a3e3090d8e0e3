#pragma once
#include "store/Catalog.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The ordered catalogs of the PC phone book or of the PC message archive. Order is the order
// of the tree nodes and of writing. Names are looked up without regard to ASCII case.
class CatalogList {
public:
    std::size_t size() const { return catalogs_.size(); }
    bool empty() const { return catalogs_.empty(); }
    Catalog& operator[](std::size_t i) { return catalogs_[i]; }
    const Catalog& operator[](std::size_t i) const { return catalogs_[i]; }
    auto begin() { return catalogs_.begin(); }
    auto end() { return catalogs_.end(); }
    auto begin() const { return catalogs_.begin(); }
    auto end() const { return catalogs_.end(); }

    void clear() { catalogs_.clear(); }
    Catalog& append(std::string name, std::vector<std::string> lines = {});
    // Index of the first catalog named `name` without regard to case; -1 when none.
    int indexOf(std::string_view name) const;
    Catalog* find(std::string_view name);
    const Catalog* find(std::string_view name) const;
    // Appends an empty catalog `name` unless one of that name exists; true when appended.
    bool ensure(std::string_view name);
    void removeAt(std::size_t i);
    // Catalog names in order.
    std::vector<std::string> names() const;
    // Number of entry lines over all catalogs.
    std::size_t entryCount() const;

    // Name comparison used by the store: ASCII letters without case, double-byte
    // characters as they are.
    static bool sameName(std::string_view a, std::string_view b);

private:
    std::vector<Catalog> catalogs_;
};
