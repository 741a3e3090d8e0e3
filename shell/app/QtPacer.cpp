#include "shell/app/QtPacer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

void QtPacer::sleep(unsigned milliseconds)
{
    if (pacing()) wait(milliseconds);
}

void QtPacer::wait(unsigned milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        qint64 left = deadline.remainingTime();
        if (left > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}

void QtPacer::pump() { QCoreApplication::processEvents(); }

uint32_t QtPacer::tickCount()
{
    static QElapsedTimer clock = [] { QElapsedTimer t; t.start(); return t; }();
    return static_cast<uint32_t>(clock.elapsed());
}
