// Starts the real program as separate processes: the start-up log lines, the single-instance rule,
// a crashed first copy, and the missing reader service library.
#include "mainwindow/TFormSimCard.h"
#include "shell/AppPaths.h"
#include "shell/app/StartUp.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <filesystem>

class StartUpTest : public QObject {
    Q_OBJECT

    QString program() const { return QStringLiteral(QUILLON_BIN_DIR "/Quillon"); }

    // Environment for a copy of the program that keeps its files in `home`.
    QProcessEnvironment environment(const ScratchDir& home) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUILLON_HOME", QString::fromStdString(home.path()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.path()));
        env.insert("QUILLON_ANY_READER", "1");
        env.insert("LANG", "en_US.UTF-8");
        env.remove("QUILLON_VIRTUAL_CARD");
        return env;
    }

    static QString readLog(const ScratchDir& home)
    {
        return QString::fromLatin1(QByteArray::fromStdString(home.read("Debug/Quillon.LOG")));
    }

    // Waits until the log holds `line` (the first copy has reached that point).
    static bool waitForLog(const ScratchDir& home, const QString& line, int timeoutMs = 15000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            if (readLog(home).contains(line)) return true;
            QTest::qWait(50);
        }
        return false;
    }

    // Starts a copy keeping its files in `home` and waits until its window exists.
    bool startCopy(QProcess& copy, const ScratchDir& home) const
    {
        copy.setProcessEnvironment(environment(home));
        copy.start(program(), {});
        return copy.waitForStarted() && waitForLog(home, "CreateForm");
    }

    static void stopCopy(QProcess& copy)
    {
        copy.kill();
        copy.waitForFinished();
    }

private slots:
    void logStartsFreshWithBannerAndDirectories()
    {
        ScratchDir home;
        home.write("Debug/Quillon.LOG", "previous run\r\n");
        QProcess first;
        QVERIFY(startCopy(first, home));
        stopCopy(first);

        QStringList lines = readLog(home).split("\r\n");
        QVERIFY(lines.size() >= 7);
        QCOMPARE(lines[0], QStringLiteral("#### TEST Quillon log file ####"));
        QVERIFY(lines[1].startsWith("Log Time : "));
        QCOMPARE(lines[2], "FormCreate::Application path=" + QStringLiteral(QUILLON_BIN_DIR "/"));
        QVERIFY(lines[3].startsWith("FormCreate::Windows Temp path=/"));
        QVERIFY(lines[3].endsWith("/"));
        int into = lines.indexOf("Into CheckPrevInst");
        QVERIFY(into > 3);
        QCOMPARE(lines[into + 1], QStringLiteral("CheckPrevInst::End"));
        QVERIFY(lines.indexOf("CreateForm") > into + 1);
        QVERIFY(!readLog(home).contains("previous run"));
    }

    void secondCopyEndsAndBringsTheFirstForward()
    {
        ScratchDir home;
        home.write("Debug/Quillon.LOG", "");
        QProcess first;
        QVERIFY(startCopy(first, home));

        QProcess second;
        second.setProcessEnvironment(environment(home));
        QElapsedTimer clock;
        clock.start();
        second.start(program(), {});
        QVERIFY(second.waitForFinished(5000));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(waitForLog(home, "FormSimCard::BringToFront", 5000));
        QString log = readLog(home);
        // The first copy's line may land between the second copy's two lines.
        QVERIFY(log.indexOf("Into CheckPrevInst") >= 0);
        QVERIFY(log.indexOf("CheckPrevInst::Halt") > log.indexOf("Into CheckPrevInst"));
        QVERIFY(!log.contains("CheckPrevInst::End"));
        QVERIFY(!log.contains("CreateForm"));  // the second copy's fresh log has no window of its own
        QCOMPARE(first.state(), QProcess::Running);
        stopCopy(first);
    }

    void crashedFirstCopyBlocksNothing()
    {
        ScratchDir home;
        home.write("Debug/Quillon.LOG", "");
        QProcess first;
        QVERIFY(startCopy(first, home));
        ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
        first.waitForFinished();

        QProcess next;
        QVERIFY(startCopy(next, home));
        QVERIFY(!readLog(home).contains("CheckPrevInst::Halt"));
        stopCopy(next);
    }

    void missingReaderServiceIsReported()
    {
        ScratchDir appDir;
        ScriptedPrompter prompter;
        Prompter::setCurrent(&prompter);
        std::string saved = AppPaths::applicationDir();
        AppPaths::setApplicationDir(appDir.path());
        appDir.write("libQVSIMSC.so", "not a library");
        QVERIFY(!StartUp::loadReaderService());
        AppPaths::setApplicationDir(saved);
        Prompter::setCurrent(nullptr);
        QCOMPARE(prompter.shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(prompter.shown[0].caption), QStringLiteral("Warning"));
        QVERIFY(QString::fromStdString(prompter.shown[0].text).startsWith("Can not load QVSIMSC.DLL . ErrorCode="));
    }

    void bringToFrontRestoresAMinimisedWindow()
    {
        TFormSimCard form;
        QCOMPARE(form.objectName(), QStringLiteral("FormSimCard"));
        form.showMinimized();
        QVERIFY(form.isMinimized());
        form.bringToFront();
        QVERIFY(!form.isMinimized());
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
