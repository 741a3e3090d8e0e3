#pragma once
#include "store/CatalogList.h"
#include "store/StoreKind.h"

#include <functional>
#include <string>
#include <string_view>

class IniFile;
class NameIndex;

// The PC phone file and the PC message file: INI text with the catalog names under [Catalog]
// (keys 1..n) and one section per catalog holding its entry lines (keys 1..m). Reading a list
// stops at the first missing or empty value.
class PcStoreFile {
public:
    enum class Status { Loaded, Missing, Unreadable };
    // Called between catalogs so the window stays responsive.
    using Pump = std::function<void()>;

    static constexpr std::string_view kCatalogSection = "Catalog";
    static constexpr std::string_view kPhoneFile = "phone.LPB";
    static constexpr std::string_view kMessageFile = "Message.LSM";

    // Lines the loader of a kind drops: the empty phone entry in the phone file; "\t2211" and
    // "\tkk" in the message file.
    static bool dropped(StoreKind kind, std::string_view line);

    // Loads the catalogs in file order and appends an empty `defaultName` catalog when none has
    // that name (none with an empty `defaultName`). `out` is replaced only when the file was
    // read (Loaded).
    static Status load(const std::string& path, StoreKind kind, const std::string& defaultName, CatalogList& out);
    static CatalogList parse(const IniFile& ini, StoreKind kind, const std::string& defaultName);

    // Rebuilds `index` from a phone file: every line except the empty phone entry, in file
    // order. False (index unchanged) when the file is missing or unreadable.
    static bool readNameIndex(const std::string& path, NameIndex& index, const Pump& pump = {});

    // The file text of a catalog list. Each catalog name is listed once (a repeated name, compared
    // as the INI file compares section names, adds its lines after the ones already in that
    // section); a blank name files its lines under `defaultName` and the name "Catalog" is
    // stored as "Catalog_"; empty lines are left out and line breaks that slipped into a line
    // are stored as the escape, so nothing written can cut off or overwrite what follows it.
    static std::string format(const CatalogList& list, const std::string& defaultName, const Pump& pump = {});

    // Writes the file beside the old one, flushes it, keeps the old one as path + "~" and gives
    // the new one the name. False (the old content still under its name) on any error.
    static bool write(const std::string& path, const CatalogList& list, const std::string& defaultName,
                      const Pump& pump = {});

    // The name a catalog is stored under (see format).
    static std::string sectionName(const std::string& name, const std::string& defaultName);

private:
    static std::vector<std::string> readList(const IniFile& ini, std::string_view section);
};
