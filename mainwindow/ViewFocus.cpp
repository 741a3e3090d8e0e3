#include "mainwindow/ViewFocus.h"

#include "mainwindow/FormState.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/HeaderChecks.h"
#include "mainwindow/ListView.h"
#include "shell/LocalTexts.h"
#include "shell/app/QtText.h"

#include <QCheckBox>
#include <QLabel>

namespace {

void paint(std::initializer_list<QLabel*> labels, Qt::GlobalColor colour)
{
    for (QLabel* l : labels) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colour);
        l->setPalette(p);
    }
}

bool isRecordOrPcView(const std::string& name)
{
    return name == "etsim" || name == "etsimmessage" || name == "etphone" || name == "etpcmessage";
}

}  // namespace

ListView* ViewFocus::viewNamed(const std::string& viewName) const
{
    for (ListView* v : w_.listViews)
        if (v && v->objectName().toLower().toStdString() == viewName) return v;
    return nullptr;
}

void ViewFocus::elTreeEnter(ListView* view)
{
    // The record and PC views lose their selection when the focus moves on (the shown card
    // views keep theirs).
    if (isRecordOrPcView(s_.currentViewName))
        if (ListView* previous = viewNamed(s_.currentViewName)) previous->selectAllRows(false);
    s_.currentViewName = view->objectName().toLower().toStdString();
    colourLabels(s_.currentViewName);
    if (!view->hasFocus()) view->setFocus();
}

void ViewFocus::colourLabels(const std::string& name)
{
    const bool card = name.find("etsim") != std::string::npos;
    const bool phone = name == "etphone";
    const bool message = name == "etpcmessage";
    if (!card && !phone && !message) return;
    paint({w_.pnClient_3_1, w_.pnSimCont}, card ? Qt::red : Qt::black);
    paint({w_.pnClient_2_1}, card ? Qt::black : Qt::red);
    paint({w_.pnPCPH, w_.pnPCPH03_1}, phone ? Qt::red : Qt::black);
    paint({w_.pnPCM01_1, w_.pnPCM03_1}, message ? Qt::red : Qt::black);
}

void ViewFocus::etPhoneMouseMove() { w_.barPanel[2]->setText(toQ(LocalTexts::current().hint(29))); }

void ViewFocus::treeMouseMove()
{
    const LocalTexts& t = LocalTexts::current();
    if (w_.barPanel[2]->text() != toQ(t.hint(29))) return;
    const std::string hint = s_.currentCatalogName.empty() ? t.hint(48) : t.hintf(37, s_.currentCatalogName);
    w_.barPanel[2]->setText(toQ(hint));
}

void ViewFocus::meSelectAllClick()
{
    const std::string& name = s_.currentViewName;
    QCheckBox* box = nullptr;
    if (name == "etsim_show" || name == "etsimmessage_show") box = w_.etSIM_CheckBox;
    else if (name == "etphone") box = w_.etPhone_Check;
    else if (name == "etpcmessage") box = w_.etPCMessage_Check;
    if (!box) return;
    // The box first: applying it may move the focus into the view, and entering a view clears
    // its selection.
    checks_.setAndApply(box, true);
    viewNamed(name)->selectAllRows(true);
}

void ViewFocus::meSelectNotClick()
{
    const std::string& name = s_.currentViewName;
    if (name != "etsim_show" && name != "etsimmessage_show" && name != "etphone" && name != "etpcmessage") return;
    viewNamed(name)->invertRows();
}
