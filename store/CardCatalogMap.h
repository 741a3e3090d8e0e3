#pragma once
#include <string>

// A working file mapping cards to catalogs: section <card number> key "Name" = catalog, and
// section "SimNum" key <catalog> = card number. A missing file reads as an empty map; writing
// into a missing file creates it. Failures are not reported.
class CardCatalogMap {
public:
    static constexpr const char* kNameKey = "Name";
    static constexpr const char* kOwnerSection = "SimNum";

    // The catalog recorded for `cardNumber`; empty when none.
    static std::string read(const std::string& file, const std::string& cardNumber);
    static void record(const std::string& file, const std::string& cardNumber, const std::string& catalog);
    static void forget(const std::string& file, const std::string& catalog);
    // Records `newName` for `cardNumber`, then forgets `oldName` (a catalog rename).
    static void rename(const std::string& file, const std::string& cardNumber, const std::string& oldName,
                       const std::string& newName);
};
