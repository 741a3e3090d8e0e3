#include "store/PcStore.h"

#include "store/CatalogList.h"
#include "store/DurableFile.h"
#include "store/NameIndex.h"
#include "store/PcStoreFile.h"

#include <cerrno>
#include <cstring>

PcStore::PcStore(Binding state, std::string dataDir, std::string tempDir, Hints hints)
    : s_(state), dataDir_(dataDir), hints_(std::move(hints)), working_(std::move(dataDir), std::move(tempDir)) {
    if (hints_) defaultName_ = hints_(8);
    if (s_.phonePath.empty()) s_.phonePath = defaultPath(StoreKind::Phone);
    if (s_.messagePath.empty()) s_.messagePath = defaultPath(StoreKind::Message);
}

std::string PcStore::defaultPath(StoreKind kind) const {
    return dataDir_ + std::string(kind == StoreKind::Phone ? PcStoreFile::kPhoneFile : PcStoreFile::kMessageFile);
}

void PcStore::prepare() {
    for (StoreKind kind : {StoreKind::Phone, StoreKind::Message}) {
        const std::string path = defaultPath(kind);
        if (!DurableFile::recover(path) && !DurableFile::writeFile(path, {}))
            Prompter::current().message(Prompter::Kind::Warning, hints_(1), hints_(13));
    }
    // Without a readable file the lists still hold the default catalog.
    if (s_.phones.empty()) s_.phones.ensure(defaultName_);
    if (s_.messages.empty()) s_.messages.ensure(defaultName_);
    readNameIndex(defaultPath(StoreKind::Phone));
    load(StoreKind::Phone, defaultPath(StoreKind::Phone));
    load(StoreKind::Message, defaultPath(StoreKind::Message));
}

bool PcStore::load(StoreKind kind, const std::string& path) {
    CatalogList& list = kind == StoreKind::Phone ? s_.phones : s_.messages;
    if (PcStoreFile::load(path, kind, defaultName_, list) != PcStoreFile::Status::Loaded) return false;
    (kind == StoreKind::Phone ? s_.phonePath : s_.messagePath) = path;
    return true;
}

bool PcStore::readNameIndex(const std::string& path) { return PcStoreFile::readNameIndex(path, s_.pcNames, pump_); }

bool PcStore::write(StoreKind kind, const std::string& path) {
    const CatalogList& list = kind == StoreKind::Phone ? s_.phones : s_.messages;
    if (!PcStoreFile::write(path, list, defaultName_, pump_)) {
        const int err = errno;
        Prompter::current().message(Prompter::Kind::Error, errorCaption_,
                                    "Cannot create file \"" + path + "\". " + std::strerror(err));
        return false;
    }
    working_.commit(kind);
    return true;
}

bool PcStore::writeBoth() {
    return write(StoreKind::Phone, s_.phonePath) && write(StoreKind::Message, s_.messagePath);
}

std::string PcStore::pathsText() const {
    return hints_(77) + "\r" + s_.phonePath + "\r" + s_.messagePath;
}

Prompter::Answer PcStore::askToSave() {
    return Prompter::current().message(Prompter::Kind::Question, hints_(2), hints_(45) + "\r" + pathsText());
}

bool PcStore::beforeOpen() {
    if (!s_.pcChanged || askToSave() != Prompter::Answer::Yes) return true;
    if (!writeBoth()) return false;
    s_.pcChanged = false;
    return true;
}

bool PcStore::open(StoreKind mode, const std::string& path) {
    const bool loaded = load(mode, path);
    if (mode == StoreKind::Phone) {
        readNameIndex(path);
        s_.pcChanged = false;
    } else {
        readNameIndex(s_.phonePath);
    }
    working_.refresh(mode);
    return loaded;
}

bool PcStore::save(bool quiet) {
    if (!writeBoth()) return false;
    load(StoreKind::Phone, s_.phonePath);
    readNameIndex(s_.phonePath);
    load(StoreKind::Message, s_.messagePath);
    s_.pcChanged = false;
    if (!quiet) Prompter::current().message(Prompter::Kind::Information, hints_(2), hints_(7) + "\r" + pathsText());
    return true;
}

bool PcStore::saveAs(StoreKind mode, const std::string& path, bool quiet) {
    std::string& current = mode == StoreKind::Phone ? s_.phonePath : s_.messagePath;
    const std::string previous = current;
    current = path;
    if (save(quiet)) return true;
    current = previous;  // the file was not written there: keep working with the old one
    return false;
}

bool PcStore::confirmOverwrite(const std::string& path) {
    if (!DurableFile::exists(path)) return true;
    return Prompter::current().message(Prompter::Kind::Question, hints_(2), hints_(10)) == Prompter::Answer::Yes;
}

std::string PcStore::dialogFilter(StoreKind mode) const { return hints_(mode == StoreKind::Phone ? 33 : 34); }
