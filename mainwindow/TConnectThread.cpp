#include "mainwindow/TConnectThread.h"

#include "mainwindow/CardNotifier.h"
#include "sim/PinState.h"
#include "sim/ReaderBinding.h"

#include <QCoreApplication>

TConnectThread::TConnectThread(QObject* notifier, CardConnection& connection, PinState& pin,
                               std::chrono::milliseconds pause)
    : notifier_(notifier), connection_(connection), pin_(pin), pause_(pause)
{
    setObjectName("TConnectThread");
}

TConnectThread::~TConnectThread() { stop(); }

void TConnectThread::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    wait();
}

void TConnectThread::resume()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        resumeRequested_ = true;
    }
    wake_.notify_all();
}

void TConnectThread::nudge()
{
    std::lock_guard<std::mutex> lock(mutex_);
    wake_.notify_all();
}

void TConnectThread::run()
{
    while (!stopping()) {
        pause();
        if (stopping()) break;
        if (connection_.keepPolling) poll();
        suspendUnlessPolling();
        pause();
    }
}

void TConnectThread::poll()
{
    const bool present = ReaderBinding::cardPresent(connection_.context, connection_.readerName);
    if (present) {
        if (!connection_.cardPresent && !pin_.insertNoticeBlock && !connection_.noticePending.exchange(true)) {
            QCoreApplication::postEvent(notifier_, new CardNoticeEvent(true));
        }
        return;
    }
    pin_.insertNoticeBlock = false;
    if (connection_.cardPresent && !connection_.noticePending.exchange(true)) {
        pin_.PinVerified = false;
        QCoreApplication::postEvent(notifier_, new CardNoticeEvent(false));
    }
}

void TConnectThread::pause()
{
    std::unique_lock<std::mutex> lock(mutex_);
    // A cleared keep-polling flag cuts the pause short so the window need not wait for it.
    wake_.wait_for(lock, pause_, [this] { return stop_.load() || !connection_.keepPolling; });
}

void TConnectThread::suspendUnlessPolling()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (connection_.keepPolling || stop_) return;
    resumeRequested_ = false;
    suspended_ = true;
    wake_.wait(lock, [this] { return stop_.load() || resumeRequested_; });
    resumeRequested_ = false;
    suspended_ = false;
}
