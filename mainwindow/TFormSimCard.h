#pragma once
#include "mainwindow/CatalogViews.h"
#include "mainwindow/FormSettings.h"
#include "mainwindow/FormState.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/HeaderChecks.h"
#include "mainwindow/ModeSwitch.h"
#include "mainwindow/ViewFocus.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class PcStore;
class CardSide;
class QTreeWidgetItem;

// The program's main window. It owns the controls and the shared state; the behaviour of each
// concern lives in its own class (catalog trees, view focus, header checks, mode switch,
// settings) working on the widgets and the state.
class TFormSimCard : public QMainWindow {
    Q_OBJECT
public:
    // Runs the creation sequence: texts, settings, PC files, trees.
    explicit TFormSimCard(QWidget* parent = nullptr);
    // Runs the destruction sequence, ending with the process ender.
    ~TFormSimCard() override;

    static constexpr int kDesignWidth = 1292;
    static constexpr int kDesignHeight = 748;

    FormWidgets& widgets() { return w_; }
    FormState& state() { return s_; }
    const FormSettings& settings() const { return settings_; }
    CatalogViews& catalogViews() { return catalogs_; }
    ViewFocus& viewFocus() { return focus_; }
    HeaderChecks& headerChecks() { return checks_; }
    ModeSwitch& modeSwitch() { return modes_; }
    // The card side (views, poller, card flow); a child of the window.
    CardSide* cardSide() { return cardSide_; }
    PcStore& pcStore() { return *pcStore_; }

    // The last step of destruction ends every process named like the program (this one
    // included). Tests replace it; the default ends them through /proc.
    static void setProcessEnder(std::function<void()> ender);

    // Hooks of the card side, installed by the card flow when it is present.
    std::function<void()> cardWriter;     // writes the changed card lists to the card
    std::function<void()> pollerStopper;  // stops the background card poller
    std::function<void(ListView*, int)> cardEntryEditor;  // opens the entry dialog for a card row
    std::function<std::string()> lastCardNumber;  // number of the card read last ("" when none)

public slots:
    // The 0x040A request of a second copy: restore when minimised, otherwise raise and activate.
    void bringToFront();
    void mfQuitClick();
    void mvFontClick();
    void mhContentClick();
    void eltreeHeaderResize(ListView* view);
    void meDeleteClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    // False when the user cancelled the close.
    bool FormClose();
    void FormDestroy();

    void applyWindowFont();
    void applyTexts();
    void readSettings();
    void writeSettings();
    void readerFallback();
    void loadPcFiles();
    void connectLists();
    void connectTrees();
    void connectCommands();
    void disableLaterCommands();
    void updateDeleteItem();
    void cardRowDoubleClicked(ListView* view, int row);
    void phoneCatalogRenamed(const std::string& oldName, const std::string& newName);
    static void endProgramProcesses();

    static std::function<void()>& processEnder();

    FormWidgets w_;
    FormState s_;
    FormSettings settings_;
    std::unique_ptr<PcStore> pcStore_;
    HeaderChecks checks_{w_};
    ViewFocus focus_{w_, s_, checks_};
    CatalogViews catalogs_{w_, s_, checks_, focus_};
    ModeSwitch modes_{w_, checks_, focus_, catalogs_};
    bool shown_ = false;
    bool closeAccepted_ = false;
    CardSide* cardSide_ = nullptr;
};
