#pragma once
#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/CardFlow.h"
#include "mainwindow/FormLayout.h"
#include "mainwindow/FormMenus.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/ListView.h"
#include "sim/PinState.h"
#include "tests/support/FakePacer.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/unit/cardviews/CardTestRig.h"

#include "shell/app/QtText.h"

#include <QMainWindow>
#include <QToolButton>

#include <memory>

// A poller that suspends as soon as it is nudged and counts how often it was let go.
struct StillPoller : PollerControl {
    bool suspended() const override { return asleep; }
    void resume() override
    {
        ++resumes;
        asleep = false;
    }
    void nudge() override { asleep = true; }
    int resumes = 0;
    bool asleep = false;  // suspends as soon as it is nudged
};

// The main window's widgets, the card views over them and the card flow, on a virtual card,
// with a scripted prompter and a fake clock.
struct CardFlowBench {
    explicit CardFlowBench(CardImage image = CardImage::blank(10, 5)) : rig(std::move(image))
    {
        Pacer::setCurrent(&pacer);
        Prompter::setCurrent(&prompter);
        FormLayout::build(&window, w);
        FormMenus::build(&window, w);
        w.btnPhone->setChecked(true);
        progress = new TZProgerssDlg(&window);
        views = std::make_unique<CardViews>(w.etSim->table(), w.etSim_Show->table(), w.etSimMessage->table(),
                                            w.etSimMessage_Show->table());
        connection.readerName = VirtualReaderService::kReaderName;
        flow = std::make_unique<CardFlow>(w, *progress, *views, connection, pin, poller);
        flow->setCardState(LocalTexts::current().hint(4));
        rig.onApdu = [this] { unguardedApdus += poller.asleep ? 0 : 1; };
    }
    ~CardFlowBench()
    {
        flow.reset();
        Prompter::setCurrent(nullptr);
        Pacer::setCurrent(nullptr);
    }

    RowTable& sim() { return w.etSim->table(); }
    RowTable& simShow() { return w.etSim_Show->table(); }
    int readRecords() const { return static_cast<int>(rig.card.count(VirtualCard::kReadRecord)); }

    CardTestRig rig;
    FakePacer pacer;
    ScriptedPrompter prompter;
    QMainWindow window;
    FormWidgets w;
    TZProgerssDlg* progress = nullptr;
    std::unique_ptr<CardViews> views;
    CardConnection connection;
    PinState pin;
    StillPoller poller;
    int unguardedApdus = 0;  // card commands sent while the poller was running
    std::unique_ptr<CardFlow> flow;
};
