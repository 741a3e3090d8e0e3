#include "mainwindow/PinCommands.h"

#include "dialogs/TFormPinCode.h"
#include "dialogs/TZProgerssDlg.h"
#include "dialogs/TdlgSetPassword.h"
#include "mainwindow/CardConnection.h"
#include "mainwindow/CardFlow.h"
#include "shell/LocalTexts.h"
#include "shell/Pacer.h"
#include "sim/PinState.h"
#include "sim/SimPinCard.h"

#include <QWidget>

PinCommands::PinCommands(CardFlow& flow, CardConnection& connection, TZProgerssDlg& progress, PinState& pin,
                         QWidget& window)
    : QObject(&window), flow_(flow), connection_(connection), progress_(progress), pin_(pin), window_(window)
{
    setObjectName("PinCommands");
}

void PinCommands::msStartClick() { switchPinCheck(TFormPinCode::SwitchOn, 38); }

void PinCommands::msStopClick() { switchPinCheck(TFormPinCode::SwitchOff, 39); }

void PinCommands::reloadCard()
{
    flow_.clearCardLists();
    flow_.DoShowStatus();
}

void PinCommands::switchPinCheck(int mode, int messageHint)
{
    if (flow_.running() || progress_.isVisible()) return;
    bool connected = false;
    flow_.withConnectedCard([&] {
        connected = true;
        SimPinCard card;
        TFormPinCode::ShowPinDialog(card, pin_, mode, LocalTexts::current().hint(messageHint), &window_);
    });
    if (!connected) return;  // no card: the command ends silently
    if (pin_.closeRequested) {
        if (mode == TFormPinCode::SwitchOff) {
            progress_.hide();
            connection_.lastNoCardTime = Pacer::current().tickCount();
        }
        window_.close();
        return;
    }
    if (mode == TFormPinCode::SwitchOff) pin_.PinEnabled = false;
    reloadCard();
    for (int i = 0; i < 5; ++i) {
        if (progress_.progress() < 100) progress_.setProgress(progress_.progress() + 1);
        Pacer::current().sleep(1000);
    }
    progress_.setProgress(100);
    progress_.hide();
}

void PinCommands::msModifyClick()
{
    if (flow_.running() || progress_.isVisible()) return;
    flow_.withConnectedCard([&] {
        SimPinCard card;
        TdlgSetPassword dialog(card, pin_, &window_);
        dialog.exec();
    });
    if (pin_.PinVerified) return;
    reloadCard();
    progress_.setProgress(100);
    Pacer::current().sleep(1000);
    Pacer::current().pump();
    progress_.hide();
}
