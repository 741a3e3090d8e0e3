#include "mainwindow/CatalogViews.h"

#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/CatalogNameRule.h"
#include "mainwindow/CatalogTree.h"
#include "mainwindow/FormState.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/HeaderChecks.h"
#include "mainwindow/ListView.h"
#include "mainwindow/ViewFocus.h"
#include "shell/LocalTexts.h"
#include "shell/Prompter.h"
#include "shell/app/QtText.h"
#include "store/CatalogRows.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace {

CatalogRows::Kind rowKind(StoreKind kind)
{
    return kind == StoreKind::Phone ? CatalogRows::Kind::Phone : CatalogRows::Kind::Message;
}

std::string hint(int n) { return LocalTexts::current().hint(n); }

}  // namespace

CatalogTree* CatalogViews::treeOf(StoreKind kind) const { return kind == StoreKind::Phone ? w_.tvPhone : w_.tvMessage; }

ListView* CatalogViews::listOf(StoreKind kind) const { return kind == StoreKind::Phone ? w_.etPhone : w_.etPCMessage; }

CatalogList& CatalogViews::catalogsOf(StoreKind kind) const
{
    return kind == StoreKind::Phone ? s_.phoneCatalogs : s_.messageCatalogs;
}

StoreKind CatalogViews::visibleKind() const
{
    return w_.PanelPCPhone->isHidden() ? StoreKind::Message : StoreKind::Phone;
}

bool CatalogViews::progressShown() const { return w_.progressDlg && w_.progressDlg->isVisible(); }

void CatalogViews::clearFocusedRows()
{
    for (ListView* v : {w_.etPhone, w_.etPCMessage, w_.etSimMessage, w_.etSim}) v->clearFocusedRow();
}

void CatalogViews::fillTree(StoreKind kind)
{
    QStringList names;
    for (const Catalog& c : catalogsOf(kind)) names << toQ(c.name);
    CatalogTree* tree = treeOf(kind);
    const QSignalBlocker quiet(tree);
    tree->fill(toQ(s_.captions.rootCaption), names);
}

QString CatalogViews::headerCaption(StoreKind kind) const
{
    const size_t rows = listOf(kind)->table().size();
    const LocalTexts& t = LocalTexts::current();
    const int word = t.code() == "2" && rows >= 2 ? 75 : 74;
    return s_.pcHeaderBaseCaption + "--(" + toQ(s_.currentCatalogName) + ")" + "-- " + QString::number(rows) + " " +
           toQ(t.hint(word));
}

void CatalogViews::showCatalog(StoreKind kind, QTreeWidgetItem* node)
{
    if (!node) return;
    ListView* view = listOf(kind);
    const std::string name = fromQ(node->text(0));
    CatalogRows::showCatalog(rowKind(kind), view->table(), catalogsOf(kind), name, s_.captions, s_.pcNameIndex);
    s_.currentCatalogName = name;
    w_.pnClient_2_1->setText(headerCaption(kind));
    w_.barPanel[2]->setText(toQ(LocalTexts::current().hintf(37, name)));
    checks_.setAndApply(kind == StoreKind::Phone ? w_.etPhone_Check : w_.etPCMessage_Check, false);
    clearFocusedRows();
}

void CatalogViews::select(StoreKind kind, QTreeWidgetItem* node)
{
    {
        const QSignalBlocker quiet(treeOf(kind));
        treeOf(kind)->setCurrentItem(node);
    }
    showCatalog(kind, node);
}

bool CatalogViews::treeHasName(CatalogTree* tree, const std::string& name) const
{
    for (const QString& text : tree->nodeTexts())
        if (CatalogList::sameName(fromQ(text), name)) return true;
    return false;
}

void CatalogViews::refuse(StoreKind kind, int n) const
{
    const auto box = kind == StoreKind::Phone ? Prompter::Kind::Warning : Prompter::Kind::Plain;
    Prompter::current().message(box, hint(1), hint(n));
}

std::string CatalogViews::askNewName(CatalogTree* tree)
{
    for (;;) {
        clearFocusedRows();
        std::optional<std::string> name = Prompter::current().input(fromQ(w_.mfNewFolder->text()), hint(30), "");
        if (!name || name->empty()) return {};
        int refusal = 0;
        if (!CatalogNameRule::allowed(*name)) refusal = 31;
        else if (treeHasName(tree, *name)) refusal = 32;
        if (refusal == 0) return *name;
        refuse(StoreKind::Phone, refusal);
    }
}

void CatalogViews::mfNewFolderClick()
{
    if (progressShown()) return;
    const StoreKind kind = visibleKind();
    CatalogTree* tree = treeOf(kind);
    const std::string name = askNewName(tree);
    if (name.empty()) return;
    QTreeWidgetItem* node = tree->addCatalogNode(toQ(name));
    tree->expandAll();
    catalogsOf(kind).append(name);
    s_.currentViewName = kind == StoreKind::Phone ? "etphone" : "etpcmessage";
    focus_.colourLabels(s_.currentViewName);
    tree->setFocus();
    s_.pcChanged = true;
    select(kind, node);
}

void CatalogViews::tvEditing(StoreKind kind, QTreeWidgetItem* node)
{
    s_.currentCatalogName = fromQ(node->text(0));
    treeOf(kind)->setEditingMarker(true);
}

void CatalogViews::relabelRows(StoreKind kind, const std::string& from, const std::string& to)
{
    RowTable& rows = listOf(kind)->table();
    const size_t column = CatalogRows::catalogColumn(rowKind(kind));
    for (size_t i = 0; i < rows.size(); ++i)
        if (CatalogList::sameName(rows.text(i, column), from)) rows.setText(i, column, to);
}

void CatalogViews::tvEdited(StoreKind kind, QTreeWidgetItem* node, const QString& text)
{
    CatalogTree* tree = treeOf(kind);
    tree->setEditingMarker(false);
    const std::string newName = fromQ(text);
    const std::string oldName = fromQ(node->text(0));
    // A name the PC files cannot hold is refused like a taken one; the old name stays.
    if (!CatalogNameRule::allowed(newName)) return refuse(kind, 31);
    if (treeHasName(tree, newName)) return refuse(kind, 32);
    if (Catalog* catalog = catalogsOf(kind).find(oldName)) catalog->name = newName;
    relabelRows(kind, oldName, newName);
    node->setText(0, text);
    if (kind == StoreKind::Phone && catalogRenamed) catalogRenamed(oldName, newName);
    s_.pcChanged = true;
    s_.currentCatalogName = newName;
}

void CatalogViews::tvExit(StoreKind kind) { treeOf(kind)->setEditingMarker(false); }

void CatalogViews::deleteCatalog(StoreKind kind)
{
    try {
        QTreeWidgetItem* node = treeOf(kind)->currentItem();
        if (!node) return;
        if (treeOf(kind)->isRoot(node)) deleteAll(kind);
        else deleteNode(kind, node);
    } catch (...) {
        // A failed delete leaves the window as it is and usable.
    }
}

void CatalogViews::deleteNode(StoreKind kind, QTreeWidgetItem* node)
{
    const std::string name = fromQ(node->text(0));
    if (s_.confirmDelete &&
        Prompter::current().message(Prompter::Kind::Question, hint(1), LocalTexts::current().hintf(25, name)) !=
            Prompter::Answer::Yes)
        return;
    s_.pcChanged = true;
    CatalogList& list = catalogsOf(kind);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].name == name) {
            list.removeAt(i);
            break;
        }
    delete node;
    s_.cardChanged = true;
}

void CatalogViews::deleteAll(StoreKind kind)
{
    const std::string root = s_.captions.rootCaption;
    if (s_.confirmDelete &&
        Prompter::current().message(Prompter::Kind::Question, hint(1), LocalTexts::current().hintf(26, root)) !=
            Prompter::Answer::Yes)
        return;
    s_.pcChanged = true;
    catalogsOf(kind).clear();
    s_.cardChanged = true;
    CatalogTree* tree = treeOf(kind);
    {
        const QSignalBlocker quiet(tree);
        tree->fill(toQ(root), {});
    }
    select(kind, tree->root());
    tree->addCatalogNode(toQ(s_.captions.defaultName));
    tree->expandAll();
    catalogsOf(kind).append(s_.captions.defaultName);
}

void CatalogViews::PopTreeViewPopup()
{
    CatalogTree* tree = nullptr;
    if (w_.btnPhone->isChecked()) tree = w_.tvPhone;
    else if (w_.btnMessage->isChecked()) tree = w_.tvMessage;
    w_.PopTreeView_Edit->setVisible(!(tree && tree->isRoot(tree->currentItem())));
}

void CatalogViews::PopTreeView_EditClick()
{
    CatalogTree* tree = w_.btnPhone->isChecked() ? w_.tvPhone : w_.tvMessage;
    tree->startRename(tree->currentItem());
}
