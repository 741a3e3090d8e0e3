#include "mainwindow/ModeSwitch.h"

#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/CatalogTree.h"
#include "mainwindow/CatalogViews.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/HeaderChecks.h"
#include "mainwindow/ListView.h"
#include "mainwindow/ViewFocus.h"
#include "shell/LocalTexts.h"
#include "shell/Log.h"
#include "shell/Pacer.h"
#include "shell/app/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QToolButton>

namespace {

// Hourglass for the length of a switch, restored however it ends.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

StoreKind ModeSwitch::shownMode() const { return w_.etSim->isHidden() ? StoreKind::Message : StoreKind::Phone; }

void ModeSwitch::setButtons(StoreKind mode)
{
    w_.btnPhone->setChecked(mode == StoreKind::Phone);
    w_.btnMessage->setChecked(mode == StoreKind::Message);
}

void ModeSwitch::showPanels(StoreKind mode)
{
    const bool phone = mode == StoreKind::Phone;
    w_.PanelPCPhone->setVisible(phone);
    w_.etSim->setVisible(phone);
    w_.etSim_Show->setVisible(phone);
    w_.PanelPCMessage->setVisible(!phone);
    w_.etSimMessage->setVisible(!phone);
    w_.etSimMessage_Show->setVisible(!phone);
    (phone ? w_.etSim_Show : w_.etSimMessage_Show)->setCornerCheckBox(w_.etSIM_CheckBox);
}

void ModeSwitch::switchTo(StoreKind mode)
{
    const bool phone = mode == StoreKind::Phone;
    if (w_.progressDlg && w_.progressDlg->isVisible()) {
        setButtons(shownMode());
        return;
    }
    if (phone) Log::line("FormSimCrad::btnPhoneClick start");
    BusyCursor busy;
    showPanels(mode);
    checks_.setAndApply(phone ? w_.etPhone_Check : w_.etPCMessage_Check, false);
    checks_.setAndApply(w_.etSIM_CheckBox, false);
    focus_.elTreeEnter(catalogs_.listOf(mode));
    CatalogTree* tree = catalogs_.treeOf(mode);
    QTreeWidgetItem* node = tree->currentItem() ? tree->currentItem() : tree->root();
    if (node) catalogs_.select(mode, node);

    Pacer::current().pump();
    if (cardStep) cardStep(mode);
    if (w_.progressDlg) w_.progressDlg->setProgress(100);
    if (phone) {
        Pacer::current().sleep(1000);
        Pacer::current().pump();
        Log::line("btnPhoneClick hide");
    }
    if (w_.progressDlg) w_.progressDlg->hide();
    setButtons(mode);
    const ListView* shown = phone ? w_.etSim_Show : w_.etSimMessage_Show;
    w_.barPanel[2]->setText(toQ(LocalTexts::current().hintf(phone ? 15 : 19, shown->table().size())));
    if (phone) Log::line("FormSimCrad::btnPhoneClick end");
}
