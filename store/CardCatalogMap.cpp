#include "store/CardCatalogMap.h"

#include "store/DurableFile.h"
#include "store/IniFile.h"

std::string CardCatalogMap::read(const std::string& file, const std::string& cardNumber) {
    if (!DurableFile::exists(file)) return {};
    IniFile ini(file);
    ini.setAutoSave(false);
    return ini.readString(cardNumber, kNameKey);
}

void CardCatalogMap::record(const std::string& file, const std::string& cardNumber, const std::string& catalog) {
    IniFile ini(file);
    if (!ini.loadedOk()) return ini.setAutoSave(false);
    ini.writeString(cardNumber, kNameKey, catalog);
    ini.writeString(kOwnerSection, catalog, cardNumber);
    ini.save();
}

void CardCatalogMap::forget(const std::string& file, const std::string& catalog) {
    IniFile ini(file);
    if (!ini.loadedOk()) return ini.setAutoSave(false);
    ini.deleteKey(kOwnerSection, catalog);
    ini.save();
}

void CardCatalogMap::rename(const std::string& file, const std::string& cardNumber, const std::string& oldName,
                            const std::string& newName) {
    record(file, cardNumber, newName);
    if (IniFile::nameKey(oldName) != IniFile::nameKey(newName)) forget(file, oldName);
}
