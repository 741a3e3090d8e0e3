#include "cli/CheckStore.h"

#include "store/CatalogList.h"
#include "store/IniFile.h"
#include "store/PcStoreFile.h"
#include "text/CodePage.h"

#include <iostream>

namespace {

StoreKind kindOf(const std::string& file) {
    const auto dot = file.find_last_of('.');
    const bool message = dot != std::string::npos && IniFile::fold(file.substr(dot)) == ".lsm";
    return message ? StoreKind::Message : StoreKind::Phone;
}

}  // namespace

int runCheckStore(const std::string& file, std::ostream& out, std::ostream& err) {
    CatalogList list;
    switch (PcStoreFile::load(file, kindOf(file), {}, list)) {
    case PcStoreFile::Status::Missing:
        err << "quillon-card: no such file: " << file << '\n';
        return 1;
    case PcStoreFile::Status::Unreadable:
        err << "quillon-card: cannot read " << file << '\n';
        return 1;
    case PcStoreFile::Status::Loaded:
        break;
    }
    out << "catalogs=" << list.size() << '\n' << "entries=" << list.entryCount() << '\n';
    for (const auto& c : list) out << "catalog=" << CodePage::toUtf8(c.name) << " entries=" << c.lines.size() << '\n';
    return 0;
}

int runCheckStore(const std::string& file) { return runCheckStore(file, std::cout, std::cerr); }

int runCheckStore(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.size() != 1) {
        err << "usage: quillon-card check-store FILE\n";
        return 2;
    }
    return runCheckStore(words[0], out, err);
}
