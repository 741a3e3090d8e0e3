#pragma once
#include <QDialog>
#include <QString>

class PinCard;
class PinEdit;
class QLabel;
class QPushButton;
struct PinState;

// The PIN entry dialog: verifies the PIN, or switches the card's PIN check on or off with it.
class TFormPinCode : public QDialog {
    Q_OBJECT
public:
    enum Mode { Verify = 0, SwitchOn = 1, SwitchOff = 2 };
    // Modal results of the two leaving buttons.
    static constexpr int kCancelResult = 2;
    static constexpr int kExitResult = 5;

    TFormPinCode(PinCard& card, PinState& state, int mode, const std::string& message, QWidget* parent = nullptr);

    // Creates the dialog, shows it modally and destroys it; callers read the PIN state afterwards.
    static void ShowPinDialog(PinCard& card, PinState& state, int mode, const std::string& message,
                              QWidget* parent = nullptr);

    int mode() const { return mode_; }

public slots:
    void btnOKClick();
    void btnCancelClick();
    void btnCloseClick();
    // Esc leaves like the Cancel button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    // Empties the field, forgets the remembered PIN, shows the attempts left in the caption.
    void prepareShow();
    int sendPin(const std::string& pin);

    PinCard& card_;
    PinState& state_;
    int mode_;
    std::string message_;
    QString designCaption_;
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    PinEdit* editPin_ = nullptr;
};
