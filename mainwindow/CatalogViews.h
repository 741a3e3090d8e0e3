#pragma once
#include "store/StoreKind.h"

#include <QString>

#include <functional>
#include <string>

class CatalogList;
class CatalogTree;
class HeaderChecks;
class ListView;
class QTreeWidgetItem;
class ViewFocus;
struct FormState;
struct FormWidgets;

// The two catalog trees and the PC lists they fill: showing a catalog (or all of them at the
// root), new catalog, in-place rename, delete catalog and the tree popup.
class CatalogViews {
public:
    CatalogViews(FormWidgets& w, FormState& s, HeaderChecks& checks, ViewFocus& focus)
        : w_(w), s_(s), checks_(checks), focus_(focus) {}

    // Fills a tree from its catalog list: the root and one node per catalog.
    void fillTree(StoreKind kind);
    // Shows the catalog of `node` in the kind's PC list (all catalogs for the root).
    void showCatalog(StoreKind kind, QTreeWidgetItem* node);
    // Makes `node` the selected node and shows it.
    void select(StoreKind kind, QTreeWidgetItem* node);
    void mfNewFolderClick();
    void tvEditing(StoreKind kind, QTreeWidgetItem* node);
    void tvEdited(StoreKind kind, QTreeWidgetItem* node, const QString& text);
    void tvExit(StoreKind kind);
    // Deletes the selected catalog of the kind's tree, or every catalog when the root is selected.
    void deleteCatalog(StoreKind kind);
    void PopTreeViewPopup();
    void PopTreeView_EditClick();

    // Told when a phone catalog got a new name (old, new), so the card catalog map can follow.
    std::function<void(const std::string&, const std::string&)> catalogRenamed;

    // The PC header caption: base caption, catalog name, row count and its word.
    QString headerCaption(StoreKind kind) const;

    CatalogTree* treeOf(StoreKind kind) const;
    ListView* listOf(StoreKind kind) const;
    CatalogList& catalogsOf(StoreKind kind) const;
    // The kind the visible PC panel shows.
    StoreKind visibleKind() const;

private:
    // True when some node of the tree, root included, has `name` without regard to case.
    bool treeHasName(CatalogTree* tree, const std::string& name) const;
    // The name a new catalog gets from the user; empty when the user gave up.
    std::string askNewName(CatalogTree* tree);
    void refuse(StoreKind kind, int hint) const;
    void relabelRows(StoreKind kind, const std::string& from, const std::string& to);
    void deleteNode(StoreKind kind, QTreeWidgetItem* node);
    void deleteAll(StoreKind kind);
    void clearFocusedRows();
    bool progressShown() const;

    FormWidgets& w_;
    FormState& s_;
    HeaderChecks& checks_;
    ViewFocus& focus_;
};
