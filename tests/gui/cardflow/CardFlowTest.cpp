#include "tests/gui/cardflow/CardFlowBench.h"

#include "mainwindow/CardNotifier.h"
#include "mainwindow/TConnectThread.h"
#include "sim/SimPin.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

const std::vector<std::pair<uint32_t, std::pair<std::string, std::string>>> kContacts = {
    {1, {"Ann", "+886912345678"}}, {2, {"Bob", "0922"}}, {5, {"Cat", "*31#"}}};

std::string panel(CardFlowBench& b, int i) { return fromQ(b.w.barPanel[i]->text()); }

}  // namespace

class CardFlowTest : public QObject {
    Q_OBJECT
private slots:
    void insertionFillsThePhoneViewsAndTheStatusBar()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.rig.card.image().find(CardImage::kIccid)->body = {0x98, 0x68, 0x00, 0x21, 0x43, 0x65, 0x87, 0x09, 0x21, 0xF3};
        std::string pickedFor;
        b.flow->pickCardCatalog = [&](const std::string& number) { pickedFor = number; };
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(panel(b, 0), std::string("Card ready"));
        QCOMPARE(panel(b, 2), std::string("3 contacts"));
        QCOMPARE(b.sim().size(), size_t(10));
        QCOMPARE(b.simShow().size(), size_t(3));
        QCOMPARE(b.flow->phoneMark(), CardFlow::kLoaded);
        QCOMPARE(b.flow->messageMark(), 0);
        QVERIFY(b.prompter.shown.empty());
        QVERIFY(!b.progress->isVisible());
        QVERIFY(b.connection.keepPolling);
        QVERIFY(b.poller.resumes > 0);
        QVERIFY(b.w.msStart->isEnabled());
        QVERIFY(!b.w.msStop->isEnabled());
        QCOMPARE(b.views->cardNameIndex.size(), size_t(10));
        QCOMPARE(b.flow->cardNumber(), std::string("8986001234567890123"));
        QCOMPARE(pickedFor, b.flow->cardNumber());
    }

    void removalEmptiesTheViewsAndWarns()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        QVERIFY(b.flow->handleNotice(true));
        b.rig.reader.removeCard();
        QVERIFY(b.flow->handleNotice(false));
        QCOMPARE(panel(b, 0), std::string("No card"));
        QVERIFY(b.sim().empty());
        QVERIFY(b.simShow().empty());
        QCOMPARE(b.flow->phoneMark(), 0);
        QCOMPARE(b.prompter.shown.size(), size_t(1));
        QCOMPARE(b.prompter.shown[0].text, std::string("Card removed"));
        QCOMPARE(b.prompter.shown[0].caption, std::string("Question"));
    }

    void secondPassWithinThreeSecondsOfANoCardPassDoesNothing()
    {
        CardFlowBench b;
        b.connection.cardPresent = false;
        b.flow->DoShowStatus();
        b.sim().appendTexts({"kept", "1"});
        b.pacer.now += 2999;
        b.flow->DoShowStatus();
        QCOMPARE(b.sim().size(), size_t(1));
        b.pacer.now += 1;
        b.flow->DoShowStatus();
        QVERIFY(b.sim().empty());
    }

    void cardPutBackQuicklyIsExaminedOnceTheGuardHasPassed()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        QVERIFY(b.flow->handleNotice(false));  // a no-card pass
        b.prompter.shown.clear();
        b.pacer.now = *b.connection.lastNoCardTime + 1000;
        QVERIFY(!b.flow->handleNotice(true));
        QVERIFY(b.simShow().empty());
        QVERIFY(b.prompter.shown.empty());
        b.pacer.now += 2000;
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(b.simShow().size(), size_t(3));
        QCOMPARE(panel(b, 0), std::string("Card ready"));
    }

    void refreshRefusesANonSimCard()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.rig.card.image().atr = {0x12, 0x34};
        b.flow->setCardState("Card ready");
        b.flow->msRefreshClick();
        QCOMPARE(panel(b, 0), std::string("No card."));
        QCOMPARE(b.readRecords(), 0);
        QVERIFY(b.prompter.shown.empty());
    }

    void refreshBeforeTheFirstCheckOnlyExplains()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.flow->msRefreshClick();  // the status bar still shows the initial text
        QCOMPARE(b.prompter.shown.size(), size_t(1));
        QCOMPARE(b.prompter.shown[0].kind, Prompter::Kind::Information);
        QCOMPARE(b.prompter.shown[0].text, std::string("Too many records"));
        QCOMPARE(b.readRecords(), 0);
    }

    void refreshRereadsTheCard()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        QVERIFY(b.flow->handleNotice(true));
        b.rig.setPhoneRecords({{3, {"Dan", "0933"}}});
        b.pacer.now += 10000;
        b.flow->msRefreshClick();
        QCOMPARE(b.simShow().size(), size_t(4));
        QCOMPARE(panel(b, 0), std::string("Card ready"));
    }

    void modeSwitchLoadsEachFileOnce()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        int messageReads = 0;
        b.flow->readMessages = [&] { ++messageReads; return true; };
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(messageReads, 0);

        b.flow->modeCardStep(false);
        QCOMPARE(messageReads, 1);
        const int cardReads = b.readRecords();
        QCOMPARE(b.flow->messageMark(), CardFlow::kLoaded);
        QVERIFY(b.w.btnMessage->isChecked());
        QVERIFY(!b.w.btnPhone->isChecked());

        b.flow->modeCardStep(true);
        b.flow->modeCardStep(false);
        QCOMPARE(messageReads, 1);
        QCOMPARE(b.readRecords(), cardReads);
    }

    void messageModeShowsTheCardMessagesWithTheirSenders()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.rig.setMessages({{2, {"Hello", "886912345678"}}});
        QVERIFY(b.flow->handleNotice(true));
        b.pacer.now += 10000;
        b.flow->modeCardStep(false);
        QCOMPARE(b.w.etSimMessage->table().size(), size_t(5));
        QCOMPARE(b.w.etSimMessage_Show->table().size(), size_t(1));
        QCOMPARE(b.w.etSimMessage_Show->table().text(0, 2), std::string("Ann"));
        QCOMPARE(panel(b, 2), std::string("1 messages"));
        QCOMPARE(b.flow->messageMark(), CardFlow::kLoaded);
    }

    void writeCardSendsOnlyChangedRecordsOfTheLoadedLists()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        QVERIFY(b.flow->handleNotice(true));
        b.sim().setColumns(2, {"Dan", "0933"});
        b.rig.card.clearCounts();
        const int resumes = b.poller.resumes;
        b.flow->writeCard();
        QCOMPARE(b.rig.card.count(VirtualCard::kUpdateRecord), 1u);
        QCOMPARE(b.simShow().size(), size_t(4));
        QCOMPARE(b.poller.resumes, resumes + 1);

        b.rig.card.clearCounts();
        b.flow->windowClosing = [] { return true; };
        b.sim().setColumns(3, {"Eve", "0944"});
        b.flow->writeCard();
        QCOMPARE(b.rig.card.count(VirtualCard::kUpdateRecord), 1u);
        QCOMPARE(b.simShow().size(), size_t(4));  // not read again while the window closes
    }

    void phoneBookOfMoreThanAThousandRecordsIsRefused()
    {
        CardFlowBench b(CardImage::blank(1001, 5));
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(panel(b, 0), std::string("Too many records"));
        QVERIFY(b.sim().empty());
        QCOMPARE(b.flow->phoneMark(), 0);
    }

    void failedRecordReadKeepsTheRowsReadSoFar()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.rig.failRecord = 4;
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(b.sim().size(), size_t(3));
        QCOMPARE(b.simShow().size(), size_t(2));
        QCOMPARE(b.flow->phoneMark(), CardFlow::kLoaded);
        QCOMPARE(panel(b, 0), std::string("Card ready"));
    }

    void pinCheck_data()
    {
        QTest::addColumn<bool>("dialog");      // a PIN dialog that verifies with the given PIN
        QTest::addColumn<QString>("pinTyped");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("shown");
        QTest::newRow("no dialog: refused") << false << "" << 3 << "No card" << 0;
        QTest::newRow("right PIN") << true << "1234" << 3 << "Card ready" << 3;
        QTest::newRow("wrong PIN") << true << "9999" << 3 << "No card" << 0;
        QTest::newRow("blocked") << true << "1234" << 0 << "Card ready" << 0;
    }
    void pinCheck()
    {
        QFETCH(bool, dialog);
        QFETCH(QString, pinTyped);
        QFETCH(int, attempts);
        QFETCH(QString, state);
        QFETCH(int, shown);
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.rig.card.image().chv.pin = ChvState::block("1234");
        b.rig.card.image().chv.enabled = true;
        b.rig.card.image().chv.attemptsLeft = static_cast<uint8_t>(attempts);
        int dialogs = 0;
        if (dialog) {
            b.flow->openPinDialog = [&] {
                ++dialogs;
                b.pin.PinVerified = SimPin::SimCardVerifyCHV1(1, pinTyped.toStdString()) == SimPin::kAccepted;
            };
        }
        QVERIFY(b.flow->handleNotice(true));
        QCOMPARE(QString::fromStdString(panel(b, 0)), state);
        QCOMPARE(b.simShow().size(), size_t(shown));
        QCOMPARE(dialogs, dialog && attempts > 0 ? 1 : 0);
        QCOMPARE(b.pin.PinEnabled.load(), attempts > 0);
        if (attempts == 0) {
            QCOMPARE(b.prompter.shown.size(), size_t(1));
            QCOMPARE(b.prompter.shown[0].text, std::string("PIN blocked"));
        }
        if (state == "No card") QVERIFY(!b.connection.cardPresent);
        if (state == "Card ready" && shown > 0) QVERIFY(b.w.msStop->isEnabled());
    }

    void pollerNoticesInsertionAndRemoval()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.rig.reader.removeCard();
        CardNotifier notifier;
        int notices = 0;
        notifier.onNotice = [&](bool inserted) {
            ++notices;
            return b.flow->handleNotice(inserted);
        };
        TConnectThread poller(&notifier, b.connection, b.pin, std::chrono::milliseconds(10));
        CardFlow flow(b.w, *b.progress, *b.views, b.connection, b.pin, poller);
        b.flow.reset();
        notifier.onNotice = [&](bool inserted) {
            ++notices;
            return flow.handleNotice(inserted);
        };
        poller.start();
        QTest::qWait(100);
        QCOMPARE(notices, 0);

        b.rig.reader.insertCard();
        QTRY_COMPARE_WITH_TIMEOUT(notices, 1, 3000);
        QCOMPARE(b.w.etSim_Show->table().size(), size_t(3));
        QVERIFY(b.connection.cardPresent);

        b.rig.reader.removeCard();
        QTRY_COMPARE_WITH_TIMEOUT(notices, 2, 3000);
        QVERIFY(b.w.etSim->table().empty());
        QTest::qWait(100);
        QCOMPARE(notices, 2);
        poller.stop();
    }

    // The window talks to the card only while the poller keeps still.
    void cardCommandsRunWithThePollerSuspended_data()
    {
        QTest::addColumn<bool>("refresh");
        QTest::newRow("card inserted") << false;
        QTest::newRow("refresh") << true;
    }
    void cardCommandsRunWithThePollerSuspended()
    {
        QFETCH(bool, refresh);
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        b.unguardedApdus = 0;  // the set-up wrote the card directly
        if (refresh) {
            QVERIFY(b.flow->handleNotice(true));
            b.pacer.now += 10000;
            b.unguardedApdus = 0;
            b.flow->msRefreshClick();
        } else {
            QVERIFY(b.flow->handleNotice(true));
        }
        QCOMPARE(b.simShow().size(), size_t(3));
        QVERIFY(b.rig.apdus > 0);
        QCOMPARE(b.unguardedApdus, 0);
        QVERIFY(!b.poller.asleep);
    }

    // A notice still queued when the window stopped the poller for good must not leave the
    // window waiting for a poller that will never suspend again.
    void noticeAfterThePollerStoppedDoesNotHang()
    {
        CardFlowBench b;
        b.rig.setPhoneRecords(kContacts);
        CardNotifier notifier;
        TConnectThread poller(&notifier, b.connection, b.pin, std::chrono::milliseconds(10));
        CardFlow flow(b.w, *b.progress, *b.views, b.connection, b.pin, poller);
        poller.start();
        QTest::qWait(30);
        poller.stop();
        QVERIFY(poller.suspended());

        std::atomic<bool> handled{false};
        std::thread watchdog([&] {
            for (int i = 0; i < 300 && !handled; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!handled) std::abort();  // the flow hangs in its wait for the poller
        });
        const bool ok = flow.handleNotice(true);
        handled = true;
        watchdog.join();
        QVERIFY(ok);
        QCOMPARE(b.w.etSim_Show->table().size(), size_t(3));
    }
};

QTEST_MAIN(CardFlowTest)
#include "CardFlowTest.moc"
