// The Qt prompter shows a message asked for by another thread on the GUI thread, and waits for it.
#include "shell/app/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>

class QtPrompterTest : public QObject {
    Q_OBJECT
private slots:
    void messageFromAnotherThreadIsShownOnTheGuiThread()
    {
        QtPrompter prompter;
        std::atomic<int> answer{-1};
        QThread* boxThread = nullptr;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            boxThread = box->thread();
            box->button(QMessageBox::No)->click();
        });
        closer.start(10);
        QThread* worker = QThread::create([&] {
            answer = static_cast<int>(prompter.message(Prompter::Kind::Question, "Question", "From the poller?"));
        });
        worker->start();
        QTRY_VERIFY_WITH_TIMEOUT(worker->isFinished(), 5000);
        delete worker;
        QCOMPARE(answer.load(), static_cast<int>(Prompter::Answer::No));
        QCOMPARE(boxThread, QApplication::instance()->thread());
    }
};

QTEST_MAIN(QtPrompterTest)
#include "QtPrompterTest.moc"
