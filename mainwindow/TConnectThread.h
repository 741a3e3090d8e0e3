#pragma once
#include "mainwindow/CardConnection.h"

#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

struct PinState;

// The poller: about every two seconds it asks the reader whether a card is in it and posts a
// card notice (inserted / removed) to the notifier on the window's thread. It touches only the
// atomics of the connection and PIN state; it never talks to the card beyond connecting.
class TConnectThread : public QThread, public PollerControl {
    Q_OBJECT
public:
    TConnectThread(QObject* notifier, CardConnection& connection, PinState& pin,
                   std::chrono::milliseconds pause = std::chrono::milliseconds(1000));
    ~TConnectThread() override;

    // A poller told to stop polls no more either: the window need not wait for it.
    bool suspended() const override { return suspended_ || stop_; }
    void resume() override;
    void nudge() override;
    // Ends the loop and waits for the thread.
    void stop();

protected:
    void run() override;

private:
    void poll();
    // Sleeps one pause; returns early when told to stop.
    void pause();
    void suspendUnlessPolling();
    bool stopping() const { return stop_; }

    QObject* notifier_;
    CardConnection& connection_;
    PinState& pin_;
    const std::chrono::milliseconds pause_;
    std::atomic<bool> suspended_{false};
    std::atomic<bool> stop_{false};
    bool resumeRequested_ = false;  // guarded by mutex_
    std::mutex mutex_;
    std::condition_variable wake_;
};
