#pragma once
#include <QEvent>
#include <QObject>

#include <functional>

// The card notice the poller posts: inserted (the original's lParam 1) or removed (lParam 0).
class CardNoticeEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 0x8BC);
    explicit CardNoticeEvent(bool inserted) : QEvent(kType), inserted_(inserted) {}
    bool inserted() const { return inserted_; }

private:
    bool inserted_;
};

// Hidden object on the window's thread that turns the poller's notices into work there.
class CardNotifier : public QObject {
    Q_OBJECT
public:
    explicit CardNotifier(QObject* parent = nullptr);

    // Runs for every notice; false when the notice cannot be handled now (it is posted again).
    std::function<bool(bool inserted)> onNotice;
    static constexpr int kRetryMs = 200;

    // Posts a notice (safe from any thread).
    void post(bool inserted);

protected:
    bool event(QEvent* event) override;
};
