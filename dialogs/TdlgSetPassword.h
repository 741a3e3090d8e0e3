#pragma once
#include <QDialog>

class PinCard;
class PinEdit;
struct PinState;

// The change-PIN dialog: the old PIN, the new PIN twice.
class TdlgSetPassword : public QDialog {
    Q_OBJECT
public:
    TdlgSetPassword(PinCard& card, PinState& state, QWidget* parent = nullptr);

public slots:
    void btnOKClick();
    void BtnCancelClick();

private:
    void buildLayout();
    // Refreshes the attempts left, reports the refusal, empties the old PIN and focuses it.
    void refused();
    // Enter in a field moves the focus to the next control in tab order.
    void focusNextFrom(PinEdit* edit);

    PinCard& card_;
    PinState& state_;
    PinEdit* editOld_ = nullptr;
    PinEdit* editNew_ = nullptr;
    PinEdit* editNew2_ = nullptr;
};
