#include "mainwindow/CardSide.h"

#include "dialogs/TFormPinCode.h"
#include "mainwindow/CardFlow.h"
#include "mainwindow/CardNotifier.h"
#include "mainwindow/CatalogTree.h"
#include "mainwindow/ListView.h"
#include "mainwindow/PinCommands.h"
#include "mainwindow/TConnectThread.h"
#include "mainwindow/TFormSimCard.h"
#include "sim/PinState.h"
#include "shell/app/QtText.h"
#include "sim/SimPinCard.h"
#include "store/PcStore.h"
#include "store/WorkingFiles.h"

#include <QAction>
#include <QToolButton>

CardSide::CardSide(TFormSimCard& window) : QObject(&window), window_(window)
{
    setObjectName("CardSide");
    FormWidgets& w = window.widgets();
    connection_.context = window.state().serviceContext;
    connection_.readerName = window.state().readerName;
    views_ = std::make_unique<CardViews>(w.etSim->table(), w.etSim_Show->table(), w.etSimMessage->table(),
                                         w.etSimMessage_Show->table());
    notifier_ = new CardNotifier(this);
    poller_ = std::make_unique<TConnectThread>(notifier_, connection_, PinState::current());
    flow_ = std::make_unique<CardFlow>(w, *w.progressDlg, *views_, connection_, PinState::current(), *poller_);
    notifier_->onNotice = [this](bool inserted) { return flow_->handleNotice(inserted); };
    installHooks();
    connectCommands();
    connection_.keepPolling = true;
    poller_->start();
}

CardSide::~CardSide() { stopPoller(); }

void CardSide::installHooks()
{
    CardFlow& flow = *flow_;
    flow.openPinDialog = [this] {
        SimPinCard card;
        TFormPinCode::ShowPinDialog(card, PinState::current(), TFormPinCode::Verify, "", &window_);
    };
    flow.closeWindow = [this] { window_.close(); };
    flow.cardChanged = [this] { return window_.state().cardChanged; };
    flow.pickCardCatalog = [this](const std::string&) { assignCardCatalogs(); };
    flow.windowClosing = [this] { return window_.state().closing; };
    window_.modeSwitch().cardStep = [this](StoreKind mode) { flow_->modeCardStep(mode == StoreKind::Phone); };
    window_.pollerStopper = [this] { stopPoller(); };
    window_.cardWriter = [this] { writeCard(); };
    window_.lastCardNumber = [this] { return flow_->cardNumber(); };
}

void CardSide::assignCardCatalogs()
{
    FormWidgets& w = window_.widgets();
    const auto nodes = [](const CatalogTree* tree) {
        std::vector<std::string> names;
        for (const QString& text : tree->nodeTexts()) names.push_back(fromQ(text));
        return names;
    };
    const WorkingFiles::Card card{flow_->cardNumber(), flow_->ownerName(), flow_->ownNumber()};
    FormState& state = window_.state();
    const WorkingFiles::Assignment assigned = window_.pcStore().workingFiles().assign(
        card, state.phoneCatalogs, nodes(w.tvPhone), state.messageCatalogs, nodes(w.tvMessage));
    for (const auto& [tree, side] : {std::pair{w.tvPhone, assigned.phone}, std::pair{w.tvMessage, assigned.message}}) {
        if (!side.added) continue;
        tree->addCatalogNode(toQ(side.catalog));
        tree->expandAll();
    }
}

void CardSide::connectCommands()
{
    FormWidgets& w = window_.widgets();
    connect(w.msRefresh, &QAction::triggered, flow_.get(), &CardFlow::msRefreshClick);
    connect(w.btnRefresh, &QToolButton::clicked, flow_.get(), &CardFlow::msRefreshClick);
    connect(w.msVerify, &QAction::triggered, flow_.get(), &CardFlow::msVerifyClick);
    auto* pinCommands = new PinCommands(*flow_, connection_, *w.progressDlg, PinState::current(), window_);
    connect(w.msStart, &QAction::triggered, pinCommands, &PinCommands::msStartClick);
    connect(w.msStop, &QAction::triggered, pinCommands, &PinCommands::msStopClick);
    connect(w.msModify, &QAction::triggered, pinCommands, &PinCommands::msModifyClick);
    w.msRefresh->setEnabled(true);
    w.btnRefresh->setEnabled(true);
}

void CardSide::wakePoller() { flow_->wakePoller(); }

void CardSide::stopPoller()
{
    if (poller_) poller_->stop();
}

void CardSide::writeCard() { flow_->writeCard(); }
