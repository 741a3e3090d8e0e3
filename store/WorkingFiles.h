#pragma once
#include "store/StoreKind.h"

#include <string>
#include <vector>

class CatalogList;

// The card catalog maps: the persistent pair SimPhone.bat / SimMsg.bat in the data directory
// and the copies TempPhone.bat / TempMsg.bat in the temporary directory that the program reads
// and changes while it runs. The copies reach the persistent pair only when the PC files are
// written (commit) and are deleted at the end. Every copy, rename and delete ignores failure.
class WorkingFiles {
public:
    // Identity texts of the card read last.
    struct Card {
        std::string number;     // card number (the map key)
        std::string ownName;    // name of the own-number record
        std::string ownNumber;  // number of the own-number record
    };
    // What assign() did on one side: the catalog of the card and whether it was new (the
    // window then adds its tree node).
    struct Assigned {
        std::string catalog;
        bool added = false;
    };
    struct Assignment {
        Assigned phone;
        Assigned message;
    };

    // Directories with a trailing "/".
    WorkingFiles(std::string dataDir, std::string tempDir);

    std::string persistentFile(StoreKind kind) const;
    std::string temporaryFile(StoreKind kind) const;

    // Copies both persistent files over their temporary copies.
    void startUp() const;
    // Open: phone mode copies the phone pair, message mode both pairs.
    void refresh(StoreKind mode) const;
    // After the PC file of `kind` was written: persistent -> "~", temporary -> persistent.
    void commit(StoreKind kind) const;
    // Deletes both temporary copies.
    void end() const;
    // A phone catalog was renamed: it now belongs to the card read last.
    void renamePhoneCatalog(const std::string& cardNumber, const std::string& oldName, const std::string& newName) const;

    // Gives the card a phone catalog and a message catalog, creating either when no tree node
    // (root included; `phoneNodes` / `messageNodes` in tree order) has its name without regard
    // to case, and records them in the temporary maps. Nothing happens when the card has no
    // own-number name, own number or card number.
    Assignment assign(const Card& card, CatalogList& phones, const std::vector<std::string>& phoneNodes,
                      CatalogList& messages, const std::vector<std::string>& messageNodes) const;

private:
    Assigned assignOne(StoreKind kind, const std::string& cardNumber, const std::string& candidate,
                       CatalogList& list, const std::vector<std::string>& nodes) const;

    std::string dataDir_;
    std::string tempDir_;
};
