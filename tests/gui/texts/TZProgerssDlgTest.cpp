// The progress dialog: its start state and the timer that hides it when the gauge is full.
#include "dialogs/TZProgerssDlg.h"
#include "shell/LocalTexts.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

class TZProgerssDlgTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { LocalTexts::current().clear(); }

    void startsHiddenWithStatusTextAndEmptyGauge()
    {
        LocalTexts::current().setHint(56, "Please wait...");
        LocalTexts::current().setApplicationTitle("Quillon SIM");
        QWidget owner;
        TZProgerssDlg dlg(&owner);
        QCOMPARE(dlg.objectName(), QString("ZProgerssDlg"));
        QCOMPARE(dlg.windowTitle(), QString("Quillon SIM"));
        QCOMPARE(dlg.status(), QString("Please wait..."));
        QCOMPARE(dlg.progress(), 0);
        QCOMPARE(dlg.GaugeMain->minimum(), 0);
        QCOMPARE(dlg.GaugeMain->maximum(), 100);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.autoHide());
        QCOMPARE(dlg.Timer_Hide->interval(), 1000);
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(dlg.size(), QSize(313, 76));
    }

    void gaugeStaysWithinRange_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        QTest::newRow("inside") << 42 << 42;
        QTest::newRow("above") << 130 << 100;
        QTest::newRow("below") << -5 << 0;
    }

    void gaugeStaysWithinRange()
    {
        QFETCH(int, set);
        QFETCH(int, expected);
        TZProgerssDlg dlg;
        dlg.setProgress(set);
        QCOMPARE(dlg.progress(), expected);
    }

    void tickHidesOnlyAFullGauge_data()
    {
        QTest::addColumn<int>("gauge");
        QTest::addColumn<bool>("visibleAfter");
        QTest::newRow("full") << 100 << false;
        QTest::newRow("one short") << 99 << true;
        QTest::newRow("empty") << 0 << true;
    }

    void tickHidesOnlyAFullGauge()
    {
        QFETCH(int, gauge);
        QFETCH(bool, visibleAfter);
        TZProgerssDlg dlg;
        dlg.show();
        dlg.setAutoHide(true);
        dlg.setProgress(gauge);
        dlg.Timer_HideTimer();
        QCOMPARE(dlg.isVisible(), visibleAfter);
        QCOMPARE(dlg.autoHide(), visibleAfter);  // the timer stops once it hid the dialog
    }

    void runningTimerHidesWithinASecond()
    {
        TZProgerssDlg dlg;
        dlg.show();
        dlg.setAutoHide(true);
        dlg.setProgress(99);
        QTest::qWait(1100);
        QVERIFY(dlg.isVisible());
        dlg.setProgress(100);
        QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 1500);
        QVERIFY(!dlg.autoHide());
    }

    void userCannotDismissIt()
    {
        TZProgerssDlg dlg;
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.close());
        QVERIFY(dlg.isVisible());
        dlg.hide();
        QVERIFY(!dlg.isVisible());
    }

    void hidingByOtherCodeKeepsTheTimer()
    {
        TZProgerssDlg dlg;
        dlg.show();
        dlg.setAutoHide(true);
        dlg.setProgress(50);
        dlg.hide();
        QVERIFY(dlg.autoHide());
        dlg.setProgress(100);
        dlg.show();
        QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 1500);
    }
};

QTEST_MAIN(TZProgerssDlgTest)
#include "TZProgerssDlgTest.moc"
