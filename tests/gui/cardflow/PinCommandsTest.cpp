// The SIM menu's PIN commands on the virtual card: the PIN dialogs are answered while they are
// on screen, as a person would.
#include "tests/gui/cardflow/CardFlowBench.h"

#include "dialogs/PinEdit.h"
#include "mainwindow/PinCommands.h"
#include "sim/SimPin.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const std::vector<std::pair<uint32_t, std::pair<std::string, std::string>>> kContacts = {
    {1, {"Ann", "0911"}}, {2, {"Bob", "0922"}}};

// A card with PIN 1234, its check off until the contacts are written.
CardImage pinCard()
{
    CardImage image = CardImage::blank(10, 5);
    image.chv.pin = ChvState::block("1234");
    return image;
}

// Answers the next modal dialog: types into its PIN fields (by object name) and clicks `button`.
void answerNextDialog(std::vector<std::pair<QString, QString>> fields, QString button, bool* seen = nullptr)
{
    QTimer::singleShot(0, [fields, button, seen] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        if (seen) *seen = true;
        for (const auto& [name, text] : fields)
            if (auto* edit = dialog->findChild<PinEdit*>(name)) QTest::keyClicks(edit, text);
        dialog->findChild<QPushButton*>(button)->click();
    });
}

}  // namespace

class PinCommandsTest : public QObject {
    Q_OBJECT

    struct Bench : CardFlowBench {
        explicit Bench(bool pinOn) : CardFlowBench(pinCard()), commands(*flow, connection, *progress, pin, window)
        {
            rig.setPhoneRecords(kContacts);
            chv().enabled = pinOn;
            // The verify prompt of the status pass, answered with `answer` (empty: cancelled).
            flow->openPinDialog = [this] {
                ++pinPrompts;
                pin.PinVerified = !answer.empty() && SimPin::SimCardVerifyCHV1(1, answer) == SimPin::kAccepted;
            };
        }
        ChvState& chv() { return rig.card.image().chv; }
        PinCommands commands;
        std::string answer = "1234";
        int pinPrompts = 0;
    };

private slots:
    void switchingTheCheckOffReloadsTheCard()
    {
        Bench b(true);
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(b.pinPrompts, 1);
        QVERIFY(b.w.msStop->isEnabled());
        const int resumes = b.poller.resumes;

        answerNextDialog({{"EditPin", "1234"}}, "btnOK");
        b.commands.msStopClick();
        QVERIFY(!b.chv().enabled);
        QVERIFY(!b.pin.PinEnabled);
        QCOMPARE(b.simShow().size(), size_t(2));
        QVERIFY(b.w.msStart->isEnabled());
        QVERIFY(!b.w.msStop->isEnabled());
        QVERIFY(!b.progress->isVisible());
        QVERIFY(b.poller.resumes > resumes);
        QVERIFY(b.connection.keepPolling);
        QCOMPARE(b.pinPrompts, 1);  // with the check off the card opens without a prompt
    }

    void switchingTheCheckOnAsksForThePinToOpenTheCard()
    {
        Bench b(false);
        QVERIFY(b.flow->handleNotice(true));
        QVERIFY(b.w.msStart->isEnabled());

        answerNextDialog({{"EditPin", "1234"}}, "btnOK");
        b.commands.msStartClick();
        QVERIFY(b.chv().enabled);
        QVERIFY(b.pin.PinEnabled);
        QCOMPARE(b.pinPrompts, 1);  // the status pass starts without a remembered PIN
        QCOMPARE(b.simShow().size(), size_t(2));
        QVERIFY(b.w.msStop->isEnabled());
    }

    void wrongPinKeepsTheCheckAndCancelLeavesTheCardAsItWas()
    {
        Bench b(true);
        QVERIFY(b.flow->handleNotice(true));
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QTest::keyClicks(dialog->findChild<PinEdit*>("EditPin"), "9999");
            dialog->findChild<QPushButton*>("btnOK")->click();  // refused: the dialog stays
            dialog->findChild<QPushButton*>("btnCancel")->click();
        });
        b.commands.msStopClick();
        QVERIFY(b.chv().enabled);
        QCOMPARE(b.prompter.shown.at(0).caption, std::string("Warning"));  // the refusal
        QVERIFY(!b.pin.insertNoticeBlock);  // Cancel outside verify mode does not block notices
        QCOMPARE(b.prompter.shown.size(), size_t(1));
        QVERIFY(b.connection.keepPolling);
    }

    void exitInThePinDialogClosesTheWindow()
    {
        Bench b(true);
        QVERIFY(b.flow->handleNotice(true));
        b.window.show();
        answerNextDialog({}, "btnClose");
        b.commands.msStopClick();
        QVERIFY(b.pin.closeRequested);
        QVERIFY(!b.window.isVisible());
        QVERIFY(b.connection.lastNoCardTime.has_value());
        QVERIFY(b.chv().enabled);
        b.pin.closeRequested = false;
    }

    void changingThePinAsksForTheNewOne()
    {
        Bench b(true);
        QVERIFY(b.flow->handleNotice(true));
        answerNextDialog({{"EditOld", "1234"}, {"EditNew", "5678"}, {"EditNew2", "5678"}}, "btnOK");
        b.answer = "5678";
        b.commands.msModifyClick();
        QCOMPARE(ChvState::text(b.chv().pin), std::string("5678"));
        QCOMPARE(b.pinPrompts, 2);  // the status pass asked for the new PIN
        QCOMPARE(b.simShow().size(), size_t(2));
        QVERIFY(!b.progress->isVisible());
        QVERIFY(b.connection.keepPolling);
    }

    void threeWrongPinsBlockTheCardAndTheStatusSaysSo()
    {
        Bench b(true);
        b.answer = "0000";
        for (int i = 0; i < 3; ++i) SimPin::SimCardVerifyCHV1(1, b.answer);
        QVERIFY(b.chv().blocked());
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(b.pinPrompts, 0);  // a blocked card is not asked for its PIN
        QCOMPARE(b.prompter.shown.at(0).text, std::string("PIN blocked"));
        QVERIFY(b.simShow().empty());
        QCOMPARE(b.pin.PinTriesLeft.load(), 0);
    }

    void withoutACardTheCommandsEndSilently()
    {
        Bench b(true);
        b.rig.reader.removeCard();
        for (auto command : {&PinCommands::msStartClick, &PinCommands::msStopClick, &PinCommands::msModifyClick}) {
            bool seen = false;
            answerNextDialog({}, "btnCancel", &seen);
            const int resumes = b.poller.resumes;
            (b.commands.*command)();
            QTest::qWait(0);  // let a pending answer run and find no dialog
            QVERIFY(!seen);
            QVERIFY(b.poller.resumes > resumes);
            QVERIFY(b.connection.keepPolling);
            QVERIFY(b.prompter.shown.empty());
        }
    }
};

QTEST_MAIN(PinCommandsTest)
#include "PinCommandsTest.moc"
