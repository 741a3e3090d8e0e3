#include "mainwindow/CatalogTree.h"

#include "mainwindow/DragAcceptance.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>

CatalogTree::CatalogTree(const QString& objectName, QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(objectName);
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // F2 renames the selected node, whether or not the popup's shortcut got to it first.
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    DragAcceptance::enable(this);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
}

void CatalogTree::fill(const QString& rootCaption, const QStringList& names)
{
    clear();
    auto* top = new QTreeWidgetItem(this, QStringList{rootCaption});
    top->setFlags(top->flags() & ~Qt::ItemIsEditable);
    for (const QString& name : names) addCatalogNode(name);
    expandAll();
}

QStringList CatalogTree::nodeTexts() const
{
    QStringList texts;
    QTreeWidgetItem* top = root();
    if (!top) return texts;
    texts.append(top->text(0));
    for (int i = 0; i < top->childCount(); ++i) texts.append(top->child(i)->text(0));
    return texts;
}

QTreeWidgetItem* CatalogTree::findNode(const QString& text, Qt::CaseSensitivity cs) const
{
    QTreeWidgetItem* top = root();
    if (!top) return nullptr;
    if (top->text(0).compare(text, cs) == 0) return top;
    for (int i = 0; i < top->childCount(); ++i)
        if (top->child(i)->text(0).compare(text, cs) == 0) return top->child(i);
    return nullptr;
}

QTreeWidgetItem* CatalogTree::addCatalogNode(const QString& name)
{
    QTreeWidgetItem* top = root();
    if (!top) return nullptr;
    auto* node = new QTreeWidgetItem(top, QStringList{name});
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

bool CatalogTree::startRename(QTreeWidgetItem* item)
{
    if (!item || isRoot(item)) return false;
    setCurrentItem(item);
    return edit(indexFromItem(item), QAbstractItemView::AllEditTriggers, nullptr);  // renaming only on request
}

bool CatalogTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    QTreeWidgetItem* item = itemFromIndex(index);
    if (!item || isRoot(item)) return false;
    if (!QTreeWidget::edit(index, trigger, event)) return false;
    renaming_ = QPersistentModelIndex(index);
    emit editingStarted(item);
    return true;
}

// The editor's text goes to the owner instead of into the node.
void CatalogTree::commitData(QWidget* editor)
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    QTreeWidgetItem* item = renaming_.isValid() ? itemFromIndex(renaming_) : nullptr;
    renaming_ = QPersistentModelIndex();
    if (line && item) emit edited(item, line->text());
}

void CatalogTree::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    QWidget* now = QApplication::focusWidget();
    if (now && isAncestorOf(now)) return;  // the in-place editor took the focus
    editingMarker_ = false;
    emit exited();
}

void CatalogTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && !selectOnRightClick_) return;
    QTreeWidget::mousePressEvent(event);
}

void CatalogTree::mouseMoveEvent(QMouseEvent* event)
{
    QTreeWidget::mouseMoveEvent(event);
    emit mouseMovedOver();
}

// Drops are welcome (the cursor says so) but leave every node as it is.
void CatalogTree::dragEnterEvent(QDragEnterEvent* event) { DragAcceptance::accept(event); }

void CatalogTree::dragMoveEvent(QDragMoveEvent* event) { DragAcceptance::accept(event); }

void CatalogTree::dropEvent(QDropEvent* event) { DragAcceptance::ignoreDrop(event); }
