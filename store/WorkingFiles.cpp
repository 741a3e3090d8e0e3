#include "store/WorkingFiles.h"

#include "store/CardCatalogMap.h"
#include "store/CatalogList.h"
#include "store/DurableFile.h"

#include <algorithm>

WorkingFiles::WorkingFiles(std::string dataDir, std::string tempDir)
    : dataDir_(std::move(dataDir)), tempDir_(std::move(tempDir)) {}

std::string WorkingFiles::persistentFile(StoreKind kind) const {
    return dataDir_ + (kind == StoreKind::Phone ? "SimPhone.bat" : "SimMsg.bat");
}

std::string WorkingFiles::temporaryFile(StoreKind kind) const {
    return tempDir_ + (kind == StoreKind::Phone ? "TempPhone.bat" : "TempMsg.bat");
}

void WorkingFiles::startUp() const {
    refresh(StoreKind::Message);
}

void WorkingFiles::refresh(StoreKind mode) const {
    DurableFile::copy(persistentFile(StoreKind::Phone), temporaryFile(StoreKind::Phone), false);
    if (mode == StoreKind::Message)
        DurableFile::copy(persistentFile(StoreKind::Message), temporaryFile(StoreKind::Message), false);
}

void WorkingFiles::commit(StoreKind kind) const {
    DurableFile::copy(temporaryFile(kind), persistentFile(kind), true);
}

void WorkingFiles::end() const {
    for (StoreKind kind : {StoreKind::Phone, StoreKind::Message}) DurableFile::removeQuietly(temporaryFile(kind));
}

void WorkingFiles::renamePhoneCatalog(const std::string& cardNumber, const std::string& oldName,
                                      const std::string& newName) const {
    CardCatalogMap::rename(temporaryFile(StoreKind::Phone), cardNumber, oldName, newName);
}

WorkingFiles::Assigned WorkingFiles::assignOne(StoreKind kind, const std::string& cardNumber,
                                               const std::string& candidate, CatalogList& list,
                                               const std::vector<std::string>& nodes) const {
    const std::string file = temporaryFile(kind);
    Assigned a;
    a.catalog = CardCatalogMap::read(file, cardNumber);
    if (a.catalog.empty()) a.catalog = candidate;
    const bool known = std::any_of(nodes.begin(), nodes.end(),
                                   [&](const std::string& n) { return CatalogList::sameName(n, a.catalog); });
    if (!known) {
        list.append(a.catalog);
        a.added = true;
    }
    CardCatalogMap::record(file, cardNumber, a.catalog);
    return a;
}

WorkingFiles::Assignment WorkingFiles::assign(const Card& card, CatalogList& phones,
                                              const std::vector<std::string>& phoneNodes, CatalogList& messages,
                                              const std::vector<std::string>& messageNodes) const {
    Assignment out;
    std::string candidate = !card.ownName.empty() ? card.ownName : !card.ownNumber.empty() ? card.ownNumber : card.number;
    if (candidate.empty()) return out;
    out.phone = assignOne(StoreKind::Phone, card.number, candidate, phones, phoneNodes);
    out.message = assignOne(StoreKind::Message, card.number, out.phone.catalog, messages, messageNodes);
    return out;
}
