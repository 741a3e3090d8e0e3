#pragma once
#include "store/CatalogCaptions.h"
#include "store/CatalogList.h"
#include "store/NameIndex.h"

#include <QString>

#include <cstdint>
#include <string>

// The run-time state the main window shares between its parts: flags, the catalog lists and
// the names the commands act on. Texts are ANSI bytes unless they are QStrings.
struct FormState {
    // Set by every change of the PC catalogs / the card views; closing asks to save while set.
    bool pcChanged = false;
    bool cardChanged = false;
    // The window is being closed (card work stops); a dialog asked the program to close.
    bool closing = false;
    bool closeRequested = false;
    // Deleting asks for confirmation while on.
    bool confirmDelete = true;

    // The catalog shown in the PC view and the lower-case name of the list view entered last.
    std::string currentCatalogName;
    std::string currentViewName;
    // Caption of the PC header before a catalog name is appended to it.
    QString pcHeaderBaseCaption;

    CatalogCaptions captions;  // default catalog name and root caption
    CatalogList phoneCatalogs;
    CatalogList messageCatalogs;
    NameIndex pcNameIndex;  // gives PC message rows their sender name
    std::string phoneFilePath;
    std::string messageFilePath;

    std::string settingsPath;
    std::string readerName;
    uint32_t serviceContext = 0;
};
