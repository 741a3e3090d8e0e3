#pragma once
#include <QTreeWidget>

#include <string>
#include <vector>

// A catalog tree: one root node (all catalogs) with one child node per catalog. Child nodes can
// be renamed in place; the new name is handed to the owner, which decides whether it is taken
// (the tree never changes a name on its own). Drags are accepted and drops change nothing.
class CatalogTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CatalogTree(const QString& objectName, QWidget* parent = nullptr);

    // Replaces every node: the root with `rootCaption` and one child per name, expanded.
    void fill(const QString& rootCaption, const QStringList& names);
    QTreeWidgetItem* root() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }
    bool isRoot(const QTreeWidgetItem* item) const { return item && item == root(); }
    // Texts of every node in tree order, the root first.
    QStringList nodeTexts() const;
    QTreeWidgetItem* findNode(const QString& text, Qt::CaseSensitivity cs) const;
    QTreeWidgetItem* addCatalogNode(const QString& name);

    // Set while a node is being renamed; cleared by the owner when the rename ends and by
    // the tree when the focus leaves it.
    bool editingMarker() const { return editingMarker_; }
    void setEditingMarker(bool on) { editingMarker_ = on; }
    // Starts renaming `item` (the root is never renamed).
    bool startRename(QTreeWidgetItem* item);
    // Whether a right click selects the node under the mouse.
    void setSelectOnRightClick(bool on) { selectOnRightClick_ = on; }

signals:
    // A node's rename begins (the root never gets here).
    void editingStarted(QTreeWidgetItem* item);
    // The user confirmed `text` as the new name of `item` (may equal the old one).
    void edited(QTreeWidgetItem* item, const QString& text);
    // The focus left the tree (not to its own in-place editor).
    void exited();
    void mouseMovedOver();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool editingMarker_ = false;
    bool selectOnRightClick_ = true;
    QPersistentModelIndex renaming_;  // the node being renamed; invalid once it is gone
};
