// The card flow of the main window reading the demo card through libQVSIMSC.so, pcscd, vpcd and
// quillon-vsim gives exactly the card lists it gives on the same card image in-process.
#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/CardFlow.h"
#include "mainwindow/FormLayout.h"
#include "mainwindow/FormMenus.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/ListView.h"
#include "shell/LocalTexts.h"
#include "sim/PinState.h"
#include "sim/ReaderBinding.h"
#include "sim/ReaderServiceLibrary.h"
#include "tests/support/FakePacer.h"
#include "tests/support/ScriptedPrompter.h"
#include "vsim/CardImageFile.h"
#include "vsim/VirtualReaderService.h"

#include <QApplication>
#include <QMainWindow>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kState = E2E_STATE_DIR;

struct StillPoller : PollerControl {
    bool suspended() const override { return true; }
    void resume() override {}
};

using Texts = std::vector<std::vector<std::string>>;

Texts texts(const RowTable& t)
{
    Texts out;
    for (const Row& r : t.rows()) out.push_back(r.columns);
    return out;
}

struct Lists {
    Texts phone;
    Texts messages;
    std::string cardNumber;
};

// Inserts the card of `service`'s reader `reader` and switches to message mode once.
Lists readThrough(ReaderService& service, const std::string& reader)
{
    ReaderBinding::setService(&service);
    FakePacer pacer;
    pacer.setPacing(false);
    Pacer::setCurrent(&pacer);
    QMainWindow window;
    FormWidgets w;
    FormLayout::build(&window, w);
    FormMenus::build(&window, w);
    w.btnPhone->setChecked(true);
    TZProgerssDlg progress(&window);
    CardViews views(w.etSim->table(), w.etSim_Show->table(), w.etSimMessage->table(), w.etSimMessage_Show->table());
    CardConnection connection;
    connection.context = service.initQVSC(nullptr, 0);
    connection.readerName = reader;
    PinState pin;
    StillPoller poller;
    CardFlow flow(w, progress, views, connection, pin, poller);
    flow.handleNotice(true);
    flow.modeCardStep(false);
    Pacer::setCurrent(nullptr);
    ReaderBinding::setService(nullptr);
    return {texts(w.etSim->table()), texts(w.etSimMessage->table()), flow.cardNumber()};
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(CardFlowEndToEnd, PcscReaderGivesTheListsOfTheInProcessCard)
{
    const std::string skip = readFile(kState + "/skip");
    if (!skip.empty()) GTEST_SKIP() << "no pcscd with the virtual reader: " << skip;
    int argc = 1;
    char name[] = "e2e_cardflow";
    char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ScriptedPrompter prompter;
    Prompter::setCurrent(&prompter);
    LocalTexts::current().setHint(5, "No card");
    LocalTexts::current().setHint(6, "Card ready");

    CardImage image;
    std::string error;
    ASSERT_TRUE(CardImageFile::load(kState + "/card.card", image, error)) << error;
    VirtualCard card(image);
    VirtualReaderService local(card);
    const Lists expected = readThrough(local, VirtualReaderService::kReaderName);
    ASSERT_GE(expected.phone.size(), 250u);
    ASSERT_FALSE(expected.messages.empty());

    ReaderServiceLibrary library;
    ASSERT_TRUE(library.load(std::string(QUILLON_BIN_DIR) + "/libQVSIMSC.so", error)) << error;
    const Lists actual = readThrough(library, "Virtual PCD 00 00");
    EXPECT_EQ(actual.cardNumber, expected.cardNumber);
    EXPECT_EQ(actual.phone, expected.phone);
    EXPECT_EQ(actual.messages, expected.messages);
    EXPECT_TRUE(prompter.shown.empty());
    Prompter::setCurrent(nullptr);
    LocalTexts::current().clear();
}

}  // namespace
