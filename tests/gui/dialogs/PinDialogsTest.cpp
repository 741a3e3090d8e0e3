// The PIN entry and change-PIN dialogs against the in-process virtual card.
#include "dialogs/PinEdit.h"
#include "dialogs/TFormPinCode.h"
#include "dialogs/TdlgSetPassword.h"
#include "shell/LocalTexts.h"
#include "sim/PinState.h"
#include "sim/ReaderBinding.h"
#include "sim/SimPinCard.h"
#include "tests/support/ScriptedPrompter.h"
#include "vsim/VirtualCard.h"
#include "vsim/VirtualReaderService.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class PinDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<VirtualCard> card;
    std::unique_ptr<VirtualReaderService> service;
    ScriptedPrompter prompter;
    SimPinCard pinCard;
    PinState state;

    ChvState& chv() { return card->image().chv; }

    // A card whose PIN check is on with PIN 1234.
    void newCard(uint8_t attemptsLeft = 3)
    {
        CardImage image = CardImage::blank(10, 2);
        image.chv.pin = ChvState::block("1234");
        image.chv.enabled = true;
        image.chv.attemptsLeft = attemptsLeft;
        service.reset();
        card = std::make_unique<VirtualCard>(image);
        service = std::make_unique<VirtualReaderService>(*card);
        ReaderBinding::setService(service.get());
        prompter = ScriptedPrompter();
        state.PinTriesLeft = attemptsLeft;
        state.PinVerified = false;
        state.insertNoticeBlock = false;
        state.closeRequested = false;
        state.RememberedPin.clear();
    }

    static PinEdit* field(QWidget* dialog, const char* name) { return dialog->findChild<PinEdit*>(name); }

private slots:
    void initTestCase()
    {
        Prompter::setCurrent(&prompter);
        LocalTexts::current().setHint(1, "Wrong PIN");
        LocalTexts::current().setHint(2, "PIN");
        LocalTexts::current().setHint(11, "The card refused the PIN. Attempts left: %d");
        LocalTexts::current().setHint(43, "Please type the PIN.");
    }

    void cleanupTestCase()
    {
        ReaderBinding::setService(nullptr);
        Prompter::setCurrent(nullptr);
    }

    void pinFieldTakesOnlyUpToEightDigits()
    {
        newCard();
        TFormPinCode dialog(pinCard, state, TFormPinCode::Verify, "");
        dialog.show();
        PinEdit* edit = field(&dialog, "EditPin");
        QVERIFY(edit);
        QTest::keyClicks(edit, "1a2b-3 ");
        QCOMPARE(edit->text(), QStringLiteral("123"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QTest::keyClicks(edit, "3456789");
        QCOMPARE(edit->text(), QStringLiteral("12345678"));
        edit->clear();
        edit->insert("12x4");  // pasted text goes through the same rule
        QVERIFY(!edit->text().contains('x'));
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
    }

    void rightPinVerifiesAndIsRemembered()
    {
        newCard();
        state.RememberedPin = "old";
        TFormPinCode dialog(pinCard, state, TFormPinCode::Verify, "");
        dialog.show();
        QVERIFY(state.RememberedPin.empty());  // forgotten whenever the dialog shows
        QVERIFY(dialog.windowTitle().endsWith("(3)"));
        QTest::keyClicks(field(&dialog, "EditPin"), "1234");
        QTest::keyClick(field(&dialog, "EditPin"), Qt::Key_Return);  // Enter submits
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(state.PinVerified);
        QCOMPARE(state.RememberedPin, std::string("1234"));
        QVERIFY(chv().verified());
        QVERIFY(prompter.shown.empty());
    }

    void wrongPinReportsTheAttemptsLeft()
    {
        newCard();
        TFormPinCode dialog(pinCard, state, TFormPinCode::Verify, "");
        dialog.show();
        QTest::keyClicks(field(&dialog, "EditPin"), "9999");
        dialog.btnOKClick();
        QCOMPARE(prompter.shown.size(), size_t(1));
        QCOMPARE(prompter.shown[0].caption, std::string("Wrong PIN"));
        QCOMPARE(prompter.shown[0].text, std::string("The card refused the PIN. Attempts left: 2"));
        QCOMPARE(state.PinTriesLeft.load(), 2);
        QVERIFY(dialog.windowTitle().endsWith("(2)"));
        QVERIFY(field(&dialog, "EditPin")->text().isEmpty());
        QVERIFY(dialog.isVisible());
        QVERIFY(!state.PinVerified);
        QCOMPARE(int(chv().attemptsLeft), 2);
    }

    void emptyPinSendsNothing()
    {
        newCard();
        TFormPinCode dialog(pinCard, state, TFormPinCode::Verify, "");
        dialog.show();
        dialog.btnOKClick();
        QCOMPARE(prompter.shown.size(), size_t(1));
        QCOMPARE(prompter.shown[0].caption, std::string("PIN"));
        QCOMPARE(prompter.shown[0].text, std::string("Please type the PIN."));
        QCOMPARE(card->count(0x20), 0u);
        QVERIFY(dialog.isVisible());
    }

    void noAttemptLeftShowsTheReinsertHint()
    {
        newCard(0);
        TFormPinCode dialog(pinCard, state, TFormPinCode::Verify, "");
        dialog.show();
        QVERIFY(dialog.findChild<QLabel*>("Label3")->isVisible());
        QVERIFY(dialog.windowTitle().endsWith("(0)"));

        newCard(3);
        TFormPinCode fresh(pinCard, state, TFormPinCode::Verify, "");
        fresh.show();
        QVERIFY(!fresh.findChild<QLabel*>("Label3")->isVisible());
    }

    void leavingButtonsSetTheirFlags_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("block");
        QTest::addColumn<bool>("close");
        QTest::newRow("cancel verify") << 0 << "btnCancel" << 2 << true << false;
        QTest::newRow("cancel switch on") << 1 << "btnCancel" << 2 << false << false;
        QTest::newRow("cancel switch off") << 2 << "btnCancel" << 2 << false << false;
        QTest::newRow("exit verify") << 0 << "btnClose" << 5 << true << true;
        QTest::newRow("exit switch off") << 2 << "btnClose" << 5 << true << true;
    }

    void leavingButtonsSetTheirFlags()
    {
        QFETCH(int, mode);
        QFETCH(QString, button);
        QFETCH(int, result);
        QFETCH(bool, block);
        QFETCH(bool, close);
        newCard();
        state.PinVerified = true;
        TFormPinCode dialog(pinCard, state, mode, "");
        dialog.show();
        dialog.findChild<QPushButton*>(button)->click();
        QCOMPARE(dialog.result(), result);
        QCOMPARE(state.insertNoticeBlock.load(), block);
        QCOMPARE(state.closeRequested.load(), close);
        if (button == "btnCancel") QVERIFY(!state.PinVerified);
    }

    void switchingThePinCheckChangesTheCard()
    {
        newCard();
        TFormPinCode off(pinCard, state, TFormPinCode::SwitchOff, "Switch the PIN check off");
        off.show();
        QCOMPARE(off.findChild<QLabel*>("Label1")->text(), QStringLiteral("Switch the PIN check off"));
        QTest::keyClicks(field(&off, "EditPin"), "1234");
        off.btnOKClick();
        QVERIFY(!chv().enabled);

        TFormPinCode on(pinCard, state, TFormPinCode::SwitchOn, "");
        on.show();
        QTest::keyClicks(field(&on, "EditPin"), "1234");
        on.btnOKClick();
        QVERIFY(chv().enabled);
    }

    void changeDialogChecksTheNewPinFirst()
    {
        newCard();
        TdlgSetPassword dialog(pinCard, state);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QTest::keyClicks(field(&dialog, "EditOld"), "1234");
        dialog.btnOKClick();
        QCOMPARE(prompter.beeps, 1);
        QCOMPARE(QApplication::focusWidget(), field(&dialog, "EditNew"));

        QTest::keyClicks(field(&dialog, "EditNew"), "5678");
        QTest::keyClicks(field(&dialog, "EditNew2"), "5679");
        dialog.btnOKClick();
        QCOMPARE(prompter.beeps, 2);
        QCOMPARE(QApplication::focusWidget(), field(&dialog, "EditNew2"));
        QCOMPARE(card->count(0x20) + card->count(0x24), 0u);
        QVERIFY(prompter.shown.empty());
    }

    // An empty old PIN would cost the card an attempt for nothing.
    void changeDialogWithoutOldPinSendsNothing()
    {
        newCard();
        TdlgSetPassword dialog(pinCard, state);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QTest::keyClicks(field(&dialog, "EditNew"), "5678");
        QTest::keyClicks(field(&dialog, "EditNew2"), "5678");
        dialog.btnOKClick();
        QCOMPARE(prompter.beeps, 1);
        QCOMPARE(QApplication::focusWidget(), field(&dialog, "EditOld"));
        QCOMPARE(card->count(0x20) + card->count(0x24), 0u);
        QCOMPARE(int(chv().attemptsLeft), 3);
        QVERIFY(dialog.isVisible());
    }

    void changeDialogEnterMovesOn()
    {
        newCard();
        TdlgSetPassword dialog(pinCard, state);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        field(&dialog, "EditOld")->setFocus();
        QTest::keyClick(field(&dialog, "EditOld"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), field(&dialog, "EditNew"));
        QVERIFY(dialog.isVisible());
    }

    void wrongOldPinIsReportedAndEmptied()
    {
        newCard();
        TdlgSetPassword dialog(pinCard, state);
        dialog.show();
        QTest::keyClicks(field(&dialog, "EditOld"), "1111");
        QTest::keyClicks(field(&dialog, "EditNew"), "5678");
        QTest::keyClicks(field(&dialog, "EditNew2"), "5678");
        dialog.btnOKClick();
        QCOMPARE(prompter.lastText(), std::string("The card refused the PIN. Attempts left: 2"));
        QVERIFY(field(&dialog, "EditOld")->text().isEmpty());
        QCOMPARE(card->count(0x24), 0u);
        QCOMPARE(ChvState::text(chv().pin), std::string("1234"));
    }

    void successfulChangeAsksForTheNewPinAgain()
    {
        newCard();
        state.PinVerified = true;
        TdlgSetPassword dialog(pinCard, state);
        dialog.show();
        QTest::keyClicks(field(&dialog, "EditOld"), "1234");
        QTest::keyClicks(field(&dialog, "EditNew"), "5678");
        QTest::keyClicks(field(&dialog, "EditNew2"), "5678");
        dialog.btnOKClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ChvState::text(chv().pin), std::string("5678"));
        QVERIFY(!state.PinVerified);
        QVERIFY(prompter.shown.empty());
    }
};

QTEST_MAIN(PinDialogsTest)
#include "PinDialogsTest.moc"
