#include "dialogs/TdlgSetPassword.h"

#include "dialogs/DialogFont.h"
#include "dialogs/PinEdit.h"
#include "shell/LocalTexts.h"
#include "shell/Prompter.h"
#include "shell/app/FormTexts.h"
#include "shell/app/QtText.h"
#include "sim/PinCard.h"
#include "sim/SimPin.h"
#include "sim/PinState.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TdlgSetPassword::TdlgSetPassword(PinCard& card, PinState& state, QWidget* parent)
    : QDialog(parent), card_(card), state_(state)
{
    setObjectName("dlgSetPassword");
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8("設定密碼"));
    buildLayout();
    FormTexts::applyDialog(this, LocalTexts::DialogRule::CurrentPathRaw);
    setDialogFont(this);
}

void TdlgSetPassword::buildLayout()
{
    resize(260, 242);
    auto makeLabel = [this](const char* name, const char* text) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(name);
        return label;
    };
    auto makeEdit = [this](const char* name) {
        auto* edit = new PinEdit(this);
        edit->setObjectName(name);
        connect(edit, &PinEdit::enterPressed, this, [this, edit] { focusNextFrom(edit); });
        return edit;
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeLabel("LabelOLD", "輸入原本 PIN 碼"));
    layout->addWidget(editOld_ = makeEdit("EditOld"));
    layout->addWidget(makeLabel("LabelNEW", "輸入 PIN 碼"));
    layout->addWidget(editNew_ = makeEdit("EditNew"));
    layout->addWidget(makeLabel("LabelNew2", "再輸入一次新 PIN 碼以確認"));
    layout->addWidget(editNew2_ = makeEdit("EditNew2"));
    auto* ok = new QPushButton(QString::fromUtf8("確認"), this);
    ok->setObjectName("btnOK");
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(QString::fromUtf8("取消"), this);
    cancel->setObjectName("BtnCancel");
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TdlgSetPassword::btnOKClick);
    connect(cancel, &QPushButton::clicked, this, &TdlgSetPassword::BtnCancelClick);
}

void TdlgSetPassword::focusNextFrom(PinEdit* edit)
{
    edit->setFocus();
    focusNextChild();
}

void TdlgSetPassword::refused()
{
    int tries = 0;
    card_.needChv1(tries);
    state_.PinTriesLeft = tries;
    Prompter::current().message(Prompter::Kind::Plain, LocalTexts::current().hint(1), LocalTexts::current().hintf(11, tries));
    editOld_->clear();
    editOld_->setFocus();
}

void TdlgSetPassword::btnOKClick()
{
    if (editNew_->text().isEmpty()) {
        editNew_->setFocus();
        Prompter::current().beep();
        return;
    }
    if (editNew_->text() != editNew2_->text()) {
        editNew2_->setFocus();
        Prompter::current().beep();
        return;
    }
    // Verifying an empty PIN would only use up one of the card's attempts.
    if (editOld_->text().isEmpty()) {
        editOld_->setFocus();
        Prompter::current().beep();
        return;
    }
    std::string oldPin = fromQ(editOld_->text());
    if (card_.verifyChv1(oldPin) != 0) {
        refused();
        return;
    }
    if (card_.changeChv1(SimPin::pinBlock(oldPin), SimPin::pinBlock(fromQ(editNew_->text()))) != 0) {
        refused();
        return;
    }
    state_.PinVerified = false;
    accept();
}

void TdlgSetPassword::BtnCancelClick() { reject(); }
