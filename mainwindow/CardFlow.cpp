#include "mainwindow/CardFlow.h"

#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/ListView.h"
#include "shell/LocalTexts.h"
#include "shell/Log.h"
#include "shell/Pacer.h"
#include "shell/Prompter.h"
#include "shell/app/QtText.h"
#include "sim/PinState.h"
#include "sim/ReaderBinding.h"
#include "sim/SimAPDU.h"
#include "sim/SimIdentity.h"
#include "sim/SimPin.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace {
const char* const kTag = "Tag";

std::string hint(int n) { return LocalTexts::current().hint(n); }
Pacer& pacer() { return Pacer::current(); }
}  // namespace

// One card sequence: the poller is stopped for it, and however the sequence ends the card is
// let go, the poller runs again and the critical section is left.
class CardFlow::SequenceGuard {
public:
    explicit SequenceGuard(CardFlow& flow) : flow_(flow) { ++flow_.depth_; }
    ~SequenceGuard()
    {
        ReaderBinding::QVDisconnect(flow_.connection_.card);
        flow_.restartPoller();
        --flow_.depth_;
    }
    SequenceGuard(const SequenceGuard&) = delete;
    SequenceGuard& operator=(const SequenceGuard&) = delete;

private:
    CardFlow& flow_;
};

CardFlow::CardFlow(FormWidgets& widgets, TZProgerssDlg& progress, CardViews& views, CardConnection& connection,
                   PinState& pin, PollerControl& poller, QObject* parent)
    : QObject(parent), w_(widgets), progress_(progress), views_(views), connection_(connection), pin_(pin),
      poller_(poller), phoneDriver_(views, *this), messageDriver_(views, *this)
{
    setObjectName("CardFlow");
    readMessages = [this] { return messageDriver_.read(); };
}

CardFlow::~CardFlow() = default;

// --- status texts, progress, marks -------------------------------------------------------

void CardFlow::setCardState(const std::string& text) { w_.barPanel[0]->setText(toQ(text)); }
std::string CardFlow::cardState() const { return fromQ(w_.barPanel[0]->text()); }
void CardFlow::setInfo(const std::string& text) { w_.barPanel[2]->setText(toQ(text)); }

void CardFlow::setProgress(int value) { progress_.setProgress(value); }

void CardFlow::advanceProgress(int amount)
{
    if (progress_.progress() < progressLimit_) setProgress(std::min(progress_.progress() + amount, progressLimit_));
}

void CardFlow::setBusy(bool on)
{
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void CardFlow::progressSteps(int count, unsigned pauseMs, bool pump)
{
    for (int i = 0; i < count; ++i) {
        if (progress_.progress() < 100) setProgress(progress_.progress() + 1);
        if (pump) pacer().pump();
        pacer().sleep(pauseMs);
    }
}

// Five slow steps, then full, then the dialog goes.
void CardFlow::finishProgress()
{
    progressSteps(5, 1000, true);
    setProgress(100);
    pacer().sleep(1000);
    pacer().pump();
    progress_.hide();
}

bool CardFlow::cardStateIsNoCard() const
{
    const std::string state = cardState();
    return state == hint(5) || state == hint(5) + ".";
}

void CardFlow::warnWhenNoCard(int text)
{
    if (cardStateIsNoCard()) Prompter::current().message(Prompter::Kind::Plain, hint(2), hint(text));
}

int CardFlow::phoneMark() const { return w_.btnPhone->property(kTag).toInt(); }
int CardFlow::messageMark() const { return w_.btnMessage->property(kTag).toInt(); }
void CardFlow::setMark(bool phone, int value) { (phone ? w_.btnPhone : w_.btnMessage)->setProperty(kTag, value); }

void CardFlow::clearCardLists()
{
    views_.clearPhone();
    views_.clearMessages();
    setMark(true, 0);
    setMark(false, 0);
}

int CardFlow::answerToReset()
{
    const uint8_t query[] = {0x00, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00};
    uint8_t response[512] = {};
    uint32_t length = sizeof response;
    // The card is asked with the poller keeping still, like every other card command.
    stopPoller();
    const bool answered = SimAPDU(query, sizeof query, response, &length) == 0 && length != 0;
    restartPoller();
    return answered ? response[0] : -1;
}

// --- the poller ----------------------------------------------------------------------------

void CardFlow::stopPoller()
{
    connection_.keepPolling = false;
    poller_.nudge();
    // The poller suspends itself within moments of being nudged; check often.
    while (!poller_.suspended()) pacer().wait(kPollerCheckMs);
}

void CardFlow::restartPoller()
{
    connection_.keepPolling = true;
    poller_.resume();
}

void CardFlow::wakePoller() { poller_.resume(); }

// --- notices -------------------------------------------------------------------------------

bool CardFlow::handleNotice(bool inserted)
{
    if (running() || progress_.isVisible()) return false;
    // A card put back within moments of a no-card pass would not be examined (the status pass
    // does nothing then) and would never be reported again: handle it a little later instead.
    if (inserted && cardPassGuarded()) return false;
    connection_.noticePending = false;
    if (inserted) cardInserted();
    else cardRemoved();
    return true;
}

void CardFlow::cardInserted()
{
    connection_.cardPresent = true;
    const int first = answerToReset();
    if (first < 0) return;
    if (first == 0x3F || first == 0x3B) Log::line("Vexa OK");
    else Log::line("Not SIM Card=" + std::to_string(first));
    DoShowStatus();
    finishProgress();
    warnWhenNoCard(79);
}

void CardFlow::cardRemoved()
{
    connection_.cardPresent = false;
    DoShowStatus();
    finishProgress();
    warnWhenNoCard(79);
}

// --- the status pass -----------------------------------------------------------------------

bool CardFlow::cardPassGuarded()
{
    return connection_.lastNoCardTime && pacer().tickCount() - *connection_.lastNoCardTime < 3000;
}

void CardFlow::DoShowStatus()
{
    Log::line("DoShowStatus start");
    std::lock_guard<std::recursive_mutex> lock(section_);
    if (cardPassGuarded()) return;
    SequenceGuard sequence(*this);
    setProgress(0);
    progress_.setAutoHide(true);
    progress_.show();
    pin_.RememberedPin.clear();
    connection_.keepPolling = false;
    poller_.nudge();
    progressSteps(3, 100, true);
    stopPoller();
    progressSteps(5, 100, true);
    Log::line("DoShowStatus::Check MSG Data");
    if (!connection_.cardPresent) {
        showNoCard();
    } else {
        if (!connectCard() || !checkPin()) return;
        readIdentity();
        loadByMode();
    }
    updateMenus();
    Log::line("DoShowStatus end");
}

void CardFlow::showNoCard()
{
    setCardState(hint(5));
    clearCardLists();
    w_.etSim->setEnabled(true);
    w_.etSimMessage->setEnabled(true);
    pin_.RememberedPin.clear();
    progress_.hide();
    connection_.lastNoCardTime = pacer().tickCount();
}

bool CardFlow::connectCard()
{
    Log::line("DoShowStatus::Into QVConnect");
    setProgress(8);
    pacer().sleep(1000);
    uint32_t protocol = 0;
    const uint32_t result = ReaderBinding::QVConnect(connection_.context, connection_.readerName, &connection_.card,
                                                     &protocol);
    setProgress(9);
    if (result == 0) return true;
    Log::line("DoShowStatus::MSG Data dwOK=" + std::to_string(result));
    return false;
}

// PIN state of the card; false when the pass ends here.
bool CardFlow::checkPin()
{
    if (pin_.RememberedPin.empty()) pin_.PinVerified = false;
    setCardState("");
    Log::line("Into SimCardNeedCHV1");
    setProgress(10);
    pacer().sleep(1000);
    uint32_t tries = 0;
    const uint32_t need = SimPin::SimCardNeedCHV1(tries);
    pin_.PinTriesLeft = static_cast<int>(tries);
    setProgress(11);
    switch (need) {
    case SimPin::kCheckOff:
        setCardState(hint(6));
        pin_.PinEnabled = false;
        return true;
    case SimPin::kBlocked:
        setCardState(hint(6));
        Prompter::current().message(Prompter::Kind::Plain, hint(2), hint(97));
        return false;
    case SimPin::kUnreadable:
        setCardState(hint(5) + ".");
        return false;
    default:
        setCardState(hint(6));
        pin_.PinEnabled = true;
        return verifyPin();
    }
}

bool CardFlow::verifyPin()
{
    if (pin_.PinVerified && !pin_.RememberedPin.empty() &&
        SimPin::SimCardVerifyCHV1(1, pin_.RememberedPin) == SimPin::kAccepted) {
        return true;
    }
    // Without a PIN dialog the card cannot be opened: it counts as refused.
    if (openPinDialog) openPinDialog();
    if (pin_.closeRequested) {
        if (closeWindow) closeWindow();
        return false;
    }
    pacer().pump();
    if (pin_.PinVerified) return true;
    connection_.cardPresent = false;
    DoShowStatus();
    return false;
}

void CardFlow::readIdentity()
{
    setProgress(12);
    setBusy(true);
    Log::line("Get SimCardNumber");
    SimIdentity::GetSimCardNumber(cardNumber_);
    ownerName_.clear();
    ownNumber_.clear();
    SimIdentity::GetSimCardMSISDN(&ownerName_, &ownNumber_);
    Log::line("Check Catalog");
    if (pickCardCatalog) pickCardCatalog(cardNumber_);
    setProgress(13);
}

void CardFlow::loadByMode()
{
    const auto readPhone = [this](int limit) {
        progressLimit_ = limit;
        if (phoneDriver_.read()) setMark(true, kLoaded);
    };
    const auto buildIndex = [this](int limit) {
        progressLimit_ = limit;
        views_.cardNameIndex.buildFromCardView(views_.phoneRecords(), [this](std::size_t) {
            advanceProgress(1);
            pacer().pump();
        });
    };
    const auto readMessagesTo = [this](int limit) {
        progressLimit_ = limit;
        if (readMessages && readMessages()) setMark(false, kLoaded);
    };
    if (w_.bnBackup->property(kTag).toInt() == kLoaded) {
        readPhone(60);
        buildIndex(70);
        readMessagesTo(90);
    } else if (w_.btnPhone->isChecked() && phoneMark() == 0 && views_.phoneRecords().empty()) {
        readPhone(80);
        buildIndex(90);
    } else {
        setProgress(20);
        pacer().pump();
        pacer().sleep(100);
        if (messageMark() == 0 && views_.messageRecords().empty()) readMessagesTo(90);
    }
    progressLimit_ = 100;
    setBusy(false);
    w_.etSim->setEnabled(true);
    w_.etSimMessage->setEnabled(true);
}

void CardFlow::updateMenus()
{
    const bool present = connection_.cardPresent;
    w_.msStart->setEnabled(present && !pin_.PinEnabled);
    w_.msStop->setEnabled(!w_.msStart->isEnabled() && pin_.PinEnabled);
    w_.msModify->setEnabled(w_.msStop->isEnabled());
    w_.msVerify->setEnabled(present);
}

// --- commands ------------------------------------------------------------------------------

void CardFlow::msRefreshClick()
{
    if (progress_.isVisible() || running()) return;
    const std::string state = cardState();
    if (state == hint(4) || (!pin_.insertNoticeBlock && state == hint(5))) {
        Prompter::current().message(Prompter::Kind::Information, hint(2), hint(65));
        return;
    }
    if (!pin_.insertNoticeBlock) w_.btnRefresh->setProperty(kTag, 1);
    setCardState("");
    if (cardChanged && cardChanged() &&
        Prompter::current().message(Prompter::Kind::Question, hint(2), hint(76)) != Prompter::Answer::Yes) {
        return;
    }
    connection_.cardPresent = true;
    clearCardLists();
    const int first = answerToReset();
    if (first < 0) return;
    if (first != 0x3F && first != 0x3B) {
        Log::line("Not SIM Card=" + std::to_string(first));
        setCardState(hint(5) + ".");
        return;
    }
    Log::line("Vexa OK");
    DoShowStatus();
    progressSteps(5, 1000, false);
    Log::line("msRefreshClick hide");
    setProgress(100);
    pacer().pump();
    progress_.hide();
    warnWhenNoCard(5);
}

void CardFlow::withConnectedCard(const std::function<void()>& body)
{
    ++depth_;
    stopPoller();
    uint32_t protocol = 0;
    if (ReaderBinding::QVConnect(connection_.context, connection_.readerName, &connection_.card, &protocol) == 0) {
        body();
        ReaderBinding::QVDisconnect(connection_.card);
    }
    restartPoller();
    --depth_;
}

void CardFlow::msVerifyClick()
{
    if (running()) return;
    withConnectedCard([this] {
        if (openPinDialog) openPinDialog();
    });
    if (pin_.closeRequested && closeWindow) closeWindow();
}

void CardFlow::writeCard()
{
    if (running() || !connection_.cardPresent) return;
    withConnectedCard([this] {
        if (phoneMark() == kLoaded) phoneDriver_.write();
        if (messageMark() == kLoaded) messageDriver_.write();
    });
}

void CardFlow::modeCardStep(bool phone)
{
    if (phone) pin_.RememberedPin.clear();
    // The pressed button tells the status pass which file the mode needs.
    w_.btnPhone->setChecked(phone);
    w_.btnMessage->setChecked(!phone);
    if ((phone ? phoneMark() : messageMark()) != 0 || !connection_.cardPresent) return;
    DoShowStatus();
    if (phone) progressSteps(5, 1000, true);
}
