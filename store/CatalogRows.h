#pragma once
#include "store/CatalogCaptions.h"
#include "store/RowTable.h"
#include "store/StoreKind.h"

#include <string>
#include <vector>

class CatalogList;
class NameIndex;

// Turns entry lines into rows of the PC list views and rows back into catalog lines.
//
// Phone view columns: [0] name, [1] number, [2] e-mail, [3] remark, [4] catalog.
// Message view columns: [0] text (real CR LF), [1] number, [2] catalog, [3] sender name.
// Every row's caption is its row number (count before adding + 1).
class CatalogRows {
public:
    using Kind = StoreKind;

    // Text index of the catalog column of the kind's view (4 or 2).
    static std::size_t catalogColumn(Kind kind);

    // The row *add phone row* appends for `line` in `catalog` (captioned `rowNumber`).
    static Row phoneRow(std::string_view line, std::string catalog, const CatalogCaptions& names,
                        std::size_t rowNumber);
    static Row messageRow(std::string_view line, std::string catalog, const CatalogCaptions& names,
                          const NameIndex& pcNames, std::size_t rowNumber);
    // Appends a phone row; the free card entry (a lone separator) is never added. False when skipped.
    static bool addPhoneRow(RowTable& view, std::string_view line, std::string catalog, const CatalogCaptions& names);
    static void addMessageRow(RowTable& view, std::string_view line, std::string catalog,
                              const CatalogCaptions& names, const NameIndex& pcNames);

    // Refills a view (one reset) with the lines of the catalog named exactly `node`, or of all
    // catalogs in list order when `node` is the root caption.
    static void showCatalog(Kind kind, RowTable& view, const CatalogList& list, const std::string& node,
                            const CatalogCaptions& names, const NameIndex& pcNames);

    // The entry line of a view row: phone [0]\t[1]\t[2]\t[3]; message text (line breaks
    // escaped)\t[1]\t[2] (the catalog as third field). Phone fields get their line breaks
    // escaped as well so that a line never holds a real line break.
    static std::string lineOf(Kind kind, const RowTable& view, std::size_t row);

    // Copies the view's rows into the catalog list. `treeNodes` are the texts of all nodes of
    // the kind's tree in tree order, the root first; with no nodes nothing happens. `catalog`
    // is the current catalog name; the root caption selects the all-catalogs mode.
    // Returns true when the PC-changed flag is to be set (the tree had nodes).
    static bool writeBack(Kind kind, RowTable& view, const std::string& catalog, CatalogList& list,
                          const std::vector<std::string>& treeNodes, const CatalogCaptions& names);

private:
    static void writeBackOne(Kind kind, const RowTable& view, const std::string& catalog, CatalogList& list);
    static void writeBackAll(Kind kind, RowTable& view, CatalogList& list, const std::vector<std::string>& treeNodes);
    static std::string fileUnder(std::string catalog, const CatalogCaptions& names);
};
