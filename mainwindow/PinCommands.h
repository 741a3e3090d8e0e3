#pragma once
#include <QObject>

class CardFlow;
class QWidget;
class TZProgerssDlg;
struct CardConnection;
struct PinState;

// The SIM menu's PIN commands: switch the PIN check on or off, change the PIN. Each runs around
// a card connection of its own with the poller stopped, and always lets the poller run again.
class PinCommands : public QObject {
    Q_OBJECT
public:
    PinCommands(CardFlow& flow, CardConnection& connection, TZProgerssDlg& progress, PinState& pin,
                QWidget& window);

public slots:
    void msStartClick();
    void msStopClick();
    void msModifyClick();

private:
    // The PIN dialog in `mode` around its own connection; then the card is read again.
    void switchPinCheck(int mode, int messageHint);
    // Empties the card lists and runs the status pass again.
    void reloadCard();

    CardFlow& flow_;
    CardConnection& connection_;
    TZProgerssDlg& progress_;
    PinState& pin_;
    QWidget& window_;
};
