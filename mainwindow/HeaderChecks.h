#pragma once

class ListView;
class QCheckBox;
struct FormWidgets;

// The header check boxes of the lists: each gives every row of its list the box's state. The
// card box works on the visible card view and also ticks the record row each row points at.
class HeaderChecks {
public:
    explicit HeaderChecks(FormWidgets& w) : w_(w) {}

    void etPhone_CheckClick();
    void etPCMessage_CheckClick();
    void etSIM_CheckBoxClick();
    // The two select-all buttons: tick the box of the mode's list and apply it.
    void btnSelectAllPCClick();
    void btnSelectAllSIMClick();
    // Sets a box without running its handler, then applies it.
    void setAndApply(QCheckBox* box, bool on);

    // The card view shown in the current mode.
    ListView* visibleCardView() const;

private:
    void applyPc(ListView* view, QCheckBox* box, bool panelVisible);

    FormWidgets& w_;
};
