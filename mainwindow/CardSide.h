#pragma once
#include "mainwindow/CardConnection.h"

#include <QObject>

#include <memory>

class CardFlow;
class CardNotifier;
class CardViews;
class TConnectThread;
class TFormSimCard;

// Everything of the main window that follows the card in the reader: the card views over the
// window's card lists, the hidden notifier, the poller thread and the card flow, wired into the
// window's commands and hooks. Created at the end of the window's creation; it starts the poller.
class CardSide : public QObject {
    Q_OBJECT
public:
    explicit CardSide(TFormSimCard& window);
    ~CardSide() override;

    CardFlow& flow() { return *flow_; }
    CardViews& views() { return *views_; }
    CardConnection& connection() { return connection_; }
    TConnectThread& poller() { return *poller_; }

public slots:
    // The window's start-up request (the original's 0x040A with 12345): let the poller run.
    void wakePoller();
    // Stops the poller for good (the window is closing).
    void stopPoller();
    // Writes the loaded card lists back to the card (changed records only).
    void writeCard();

private:
    // Gives the card read last its phone and message catalogs, adding tree nodes when new.
    void assignCardCatalogs();
    void connectCommands();
    void installHooks();

    TFormSimCard& window_;
    CardConnection connection_;
    std::unique_ptr<CardViews> views_;
    CardNotifier* notifier_ = nullptr;
    std::unique_ptr<TConnectThread> poller_;
    std::unique_ptr<CardFlow> flow_;
};
