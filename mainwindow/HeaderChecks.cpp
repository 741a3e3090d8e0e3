#include "mainwindow/HeaderChecks.h"

#include "mainwindow/FormWidgets.h"
#include "mainwindow/ListView.h"

#include <QCheckBox>

#include <charconv>

namespace {

// Text index of the record-row column of a card view: 2 for phone rows, 3 for message rows.
size_t recordColumnOf(const ListView* view) { return view->columnCount() == 4 ? 2 : 3; }

bool parseRecord(const std::string& text, size_t& out)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

void HeaderChecks::applyPc(ListView* view, QCheckBox* box, bool panelVisible)
{
    if (view->window()->isVisible() && panelVisible) view->setFocus();
    view->checkAllRows(box->isChecked());
}

void HeaderChecks::etPhone_CheckClick() { applyPc(w_.etPhone, w_.etPhone_Check, w_.PanelPCPhone->isVisible()); }

void HeaderChecks::etPCMessage_CheckClick()
{
    applyPc(w_.etPCMessage, w_.etPCMessage_Check, w_.PanelPCMessage->isVisible());
}

ListView* HeaderChecks::visibleCardView() const
{
    return !w_.etSim_Show->isHidden() ? w_.etSim_Show : w_.etSimMessage_Show;
}

void HeaderChecks::etSIM_CheckBoxClick()
{
    ListView* shown = visibleCardView();
    ListView* records = shown == w_.etSim_Show ? w_.etSim : w_.etSimMessage;
    if (shown->window()->isVisible()) shown->setFocus();
    const bool on = w_.etSIM_CheckBox->isChecked();
    shown->checkAllRows(on);
    const size_t column = recordColumnOf(shown);
    for (size_t i = 0; i < shown->table().size(); ++i) {
        size_t record = 0;
        if (parseRecord(shown->table().text(i, column), record) && record < records->table().size())
            records->table().setChecked(record, on);
    }
}

void HeaderChecks::setAndApply(QCheckBox* box, bool on)
{
    box->setChecked(on);
    if (box == w_.etPhone_Check) etPhone_CheckClick();
    else if (box == w_.etPCMessage_Check) etPCMessage_CheckClick();
    else if (box == w_.etSIM_CheckBox) etSIM_CheckBoxClick();
}

void HeaderChecks::btnSelectAllPCClick()
{
    const bool phone = !w_.PanelPCPhone->isHidden();
    ListView* view = phone ? w_.etPhone : w_.etPCMessage;
    if (view->window()->isVisible()) view->setFocus();
    setAndApply(phone ? w_.etPhone_Check : w_.etPCMessage_Check, true);
}

void HeaderChecks::btnSelectAllSIMClick()
{
    setAndApply(w_.etSIM_CheckBox, true);
    if (visibleCardView()->window()->isVisible()) visibleCardView()->setFocus();
}
