#pragma once
#include "mainwindow/CardConnection.h"
#include "store/CardDriverHost.h"
#include "store/CardMessageDriver.h"
#include "store/CardPhoneBookDriver.h"
#include "store/CardViews.h"

#include <QObject>

#include <functional>
#include <mutex>
#include <string>

class QWidget;
class TZProgerssDlg;
struct FormWidgets;
struct PinState;

// The card connection flow of the main window: what happens when a card comes or goes, the
// status pass that checks the PIN and loads the card lists, refresh, verify and the card side of
// the two mode buttons. It works on the window's widgets (by component) and shared state, and
// reaches the rest of the window through the hooks below.
class CardFlow : public QObject, public CardDriverHost {
    Q_OBJECT
public:
    CardFlow(FormWidgets& widgets, TZProgerssDlg& progress, CardViews& views, CardConnection& connection,
             PinState& pin, PollerControl& poller, QObject* parent = nullptr);
    ~CardFlow() override;

    // Hooks into the rest of the window; each may stay empty.
    std::function<void()> openPinDialog;               // PIN dialog in verify mode
    std::function<void()> closeWindow;                 // the PIN dialog asked to end the program
    std::function<void(const std::string&)> pickCardCatalog;  // catalog of the card with this number
    std::function<bool()> cardChanged;                 // the card lists hold unsaved changes
    std::function<bool()> windowClosing;               // the window is being closed
    std::function<bool()> readMessages;                // reads the card messages; true when loaded

    // Card notices from the poller. False when a card sequence runs (retry later).
    bool handleNotice(bool inserted);
    void cardInserted();
    void cardRemoved();
    void DoShowStatus();
    void msRefreshClick();
    void msVerifyClick();
    // The card side of a switch to phone or message mode, run after the mode's panels are
    // shown: the first switch to a mode whose card file is not loaded yet loads it.
    void modeCardStep(bool phone);
    // Writes the loaded card lists back (changed records only), with the poller stopped.
    void writeCard();
    // The window's start-up request: make sure the poller runs.
    void wakePoller();

    bool running() const { return depth_ > 0; }
    // Read marks: 10 when the file was loaded from the card, 0 when not.
    static constexpr int kLoaded = 10;
    // Interval of the checks whether the poller has suspended itself.
    static constexpr unsigned kPollerCheckMs = 10;
    int phoneMark() const;
    int messageMark() const;

    // Identity of the card last checked.
    const std::string& cardNumber() const { return cardNumber_; }
    const std::string& ownerName() const { return ownerName_; }
    const std::string& ownNumber() const { return ownNumber_; }

    // CardDriverHost
    void setCardState(const std::string& text) override;
    void setInfo(const std::string& text) override;
    void advanceProgress(int amount) override;
    void setBusy(bool on) override;
    bool closing() const override { return windowClosing && windowClosing(); }
    std::string cardState() const;

    CardPhoneBookDriver& phoneDriver() { return phoneDriver_; }
    CardMessageDriver& messageDriver() { return messageDriver_; }

private:
    // The PIN commands run their own card sequences with the flow's helpers.
    friend class PinCommands;
    class SequenceGuard;
    void stopPoller();
    // Runs `body` with the poller stopped and the card connected; the poller runs again
    // afterwards whatever happened, also when no card answered.
    void withConnectedCard(const std::function<void()>& body);
    void restartPoller();
    bool cardPassGuarded();
    void showNoCard();
    bool connectCard();
    bool checkPin();
    bool verifyPin();
    void readIdentity();
    void loadByMode();
    void updateMenus();
    void setProgress(int value);
    void progressSteps(int count, unsigned pauseMs, bool pump);
    void finishProgress();
    void warnWhenNoCard(int hint);
    // Answer to reset: its first byte, or -1 when the exchange failed.
    int answerToReset();
    bool cardStateIsNoCard() const;
    void setMark(bool phone, int value);
    void clearCardLists();

    FormWidgets& w_;
    TZProgerssDlg& progress_;
    CardViews& views_;
    CardConnection& connection_;
    PinState& pin_;
    PollerControl& poller_;
    CardPhoneBookDriver phoneDriver_;
    CardMessageDriver messageDriver_;
    std::recursive_mutex section_;
    int progressLimit_ = 100;
    int depth_ = 0;
    std::string cardNumber_;
    std::string ownerName_;
    std::string ownNumber_;
};
