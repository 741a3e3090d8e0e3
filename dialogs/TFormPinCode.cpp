#include "dialogs/TFormPinCode.h"

#include "dialogs/DialogFont.h"
#include "dialogs/PinEdit.h"
#include "shell/LocalTexts.h"
#include "shell/Prompter.h"
#include "shell/app/FormTexts.h"
#include "shell/app/QtText.h"
#include "sim/PinCard.h"
#include "sim/PinState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormPinCode::TFormPinCode(PinCard& card, PinState& state, int mode, const std::string& message, QWidget* parent)
    : QDialog(parent), card_(card), state_(state), mode_(mode), message_(message)
{
    setObjectName("FormPinCode");
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8("輸入 PIN 碼"));
    buildLayout();
    FormTexts::applyDialog(this, LocalTexts::DialogRule::Standard);
    designCaption_ = windowTitle();
    setDialogFont(this);
}

void TFormPinCode::buildLayout()
{
    resize(327, 260);
    label1_ = new QLabel(QString::fromUtf8(
        "你的Sim卡有用Pin碼鎖住,要先解開Pin碼才能讀取Sim卡上的資料,請你輸入Sim卡的Pin碼,"
        "請注意Pin碼只能輸入錯誤三次,若連續錯誤三次,Sim卡會被鎖住.此時只能用PUK碼解開."), this);
    label1_->setObjectName("Label1");
    label1_->setWordWrap(true);
    auto* label2 = new QLabel(QString::fromUtf8("PIN 碼"), this);
    label2->setObjectName("Label2");
    label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editPin_ = new PinEdit(this);
    editPin_->setObjectName("EditPin");
    label3_ = new QLabel(QString::fromUtf8(" 偵測不到SIM卡,請重新正確插入SIM卡\r\n,或按\"取消鍵/離開鍵\"脫離此畫面/軟體!"), this);
    label3_->setObjectName("Label3");
    label3_->setVisible(false);
    auto* ok = new QPushButton(QString::fromUtf8("確定"), this);
    ok->setObjectName("btnOK");
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(QString::fromUtf8("取消"), this);
    cancel->setObjectName("btnCancel");
    cancel->setAutoDefault(false);
    auto* close = new QPushButton(QString::fromUtf8(" 離開"), this);
    close->setObjectName("btnClose");
    close->setAutoDefault(false);

    auto* pinRow = new QHBoxLayout;
    pinRow->addWidget(label2);
    pinRow->addWidget(editPin_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_, 1);
    layout->addLayout(pinRow);
    layout->addWidget(label3_);
    layout->addLayout(buttons);

    connect(editPin_, &PinEdit::enterPressed, this, &TFormPinCode::btnOKClick);
    connect(ok, &QPushButton::clicked, this, &TFormPinCode::btnOKClick);
    connect(cancel, &QPushButton::clicked, this, &TFormPinCode::btnCancelClick);
    connect(close, &QPushButton::clicked, this, &TFormPinCode::btnCloseClick);
}

void TFormPinCode::showEvent(QShowEvent* event)
{
    prepareShow();
    QDialog::showEvent(event);
}

void TFormPinCode::prepareShow()
{
    state_.insertNoticeBlock = false;
    editPin_->clear();
    state_.RememberedPin.clear();
    setWindowTitle(designCaption_ + "(" + QString::number(state_.PinTriesLeft) + ")");
    if (!message_.empty()) label1_->setText(toQ(message_));
    if (state_.PinTriesLeft == 0) label3_->setVisible(true);
}

int TFormPinCode::sendPin(const std::string& pin)
{
    switch (mode_) {
    case Verify: return card_.verifyChv1(pin);
    case SwitchOn: return card_.enableChv1(pin);
    case SwitchOff: return card_.disableChv1(pin);
    default: return 1;
    }
}

void TFormPinCode::btnOKClick()
{
    std::string pin = fromQ(editPin_->text());
    if (editPin_->text().trimmed().isEmpty()) {
        Prompter::current().message(Prompter::Kind::Plain, LocalTexts::current().hint(2), LocalTexts::current().hint(43));
        return;
    }
    int tries = 0;
    if (sendPin(pin) == 0) {
        state_.PinVerified = true;
        state_.RememberedPin = pin;
        card_.needChv1(tries);
        state_.PinTriesLeft = tries;
        accept();
        return;
    }
    card_.needChv1(tries);
    state_.PinTriesLeft = tries;
    Prompter::current().message(Prompter::Kind::Plain, LocalTexts::current().hint(1), LocalTexts::current().hintf(11, tries));
    prepareShow();
    editPin_->setFocus();
}

void TFormPinCode::btnCancelClick()
{
    state_.PinVerified = false;
    if (mode_ == Verify) state_.insertNoticeBlock = true;
    done(kCancelResult);
}

void TFormPinCode::btnCloseClick()
{
    state_.insertNoticeBlock = true;
    state_.closeRequested = true;
    done(kExitResult);
}

void TFormPinCode::reject() { btnCancelClick(); }

void TFormPinCode::ShowPinDialog(PinCard& card, PinState& state, int mode, const std::string& message, QWidget* parent)
{
    TFormPinCode dialog(card, state, mode, message, parent);
    dialog.exec();
}
