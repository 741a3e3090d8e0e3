#include "mainwindow/TFormSimCard.h"

#include "mainwindow/CardSide.h"

#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/CatalogTree.h"
#include "mainwindow/FormBranding.h"
#include "mainwindow/FormLayout.h"
#include "mainwindow/FormMenus.h"
#include "mainwindow/ListView.h"
#include "mainwindow/WindowSettings.h"
#include "shell/AppPaths.h"
#include "shell/LocalTexts.h"
#include "shell/Log.h"
#include "shell/Pacer.h"
#include "shell/ProcessTerminator.h"
#include "shell/Prompter.h"
#include "shell/app/FormTexts.h"
#include "shell/app/QtText.h"
#include "sim/ReaderBinding.h"
#include "store/IniFile.h"
#include "store/CardCatalogMap.h"
#include "store/PcStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

std::string hint(int n) { return LocalTexts::current().hint(n); }

// Without a language file the numbered texts are empty; catalogs still need real names, since
// the PC files cannot hold an empty one.
std::string orDefault(std::string text, const char* fallback) { return text.empty() ? fallback : text; }

}  // namespace

std::function<void()>& TFormSimCard::processEnder()
{
    static std::function<void()> ender = &TFormSimCard::endProgramProcesses;
    return ender;
}

// Ends every process running the program. Only the program itself does this: any other
// executable hosting the window (a test, a tool) ends nothing.
void TFormSimCard::endProgramProcesses()
{
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (ProcessTerminator::comparable(fromQ(self)) != "QUILLON") return;
    for (int i = 0; i < 64; ++i) {
        const pid_t pid = ProcessTerminator::find("Quillon");
        if (pid <= 0 || !ProcessTerminator::terminate(pid)) return;
    }
}

void TFormSimCard::setProcessEnder(std::function<void()> ender) { processEnder() = std::move(ender); }

TFormSimCard::TFormSimCard(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("FormSimCard");
    setWindowTitle("Quillon");
    resize(kDesignWidth, kDesignHeight);
    FormLayout::build(this, w_);
    FormMenus::build(this, w_);
    FormCreate();
}

TFormSimCard::~TFormSimCard() { FormDestroy(); }

void TFormSimCard::FormCreate()
{
    Log::line("FormCreate::Start");
    s_ = FormState{};
    applyWindowFont();
    Log::line("FormCreate::GetStrings");
    applyTexts();
    if (LocalTexts::current().code() == "3") {
        QFont f = font();
        f.setPixelSize(20);
        f.setBold(true);
        w_.pnTop02_4_1->setFont(f);
    }
    FormBranding::applyCompany(this, w_, AppPaths::applicationDir());

    s_.serviceContext = ReaderBinding::SimCardInit(this);
    s_.confirmDelete = true;
    s_.captions.defaultName = orDefault(hint(8), "General");
    s_.captions.rootCaption = orDefault(hint(9), "All catalogs");

    PcStore::Binding binding{s_.phoneCatalogs, s_.messageCatalogs, s_.pcNameIndex,
                             s_.phoneFilePath,  s_.messageFilePath, s_.pcChanged};
    pcStore_ = std::make_unique<PcStore>(binding, AppPaths::dataDir(), AppPaths::tempDir(), hint);
    pcStore_->setDefaultCatalogName(s_.captions.defaultName);
    pcStore_->setErrorCaption(LocalTexts::current().applicationTitle());
    pcStore_->setPump([] { Pacer::current().pump(); });
    catalogs_.catalogRenamed = [this](const std::string& from, const std::string& to) { phoneCatalogRenamed(from, to); };

    s_.settingsPath = AppPaths::dataDir() + FormSettings::kFileName;
    readSettings();
    loadPcFiles();
    w_.barPanel[0]->setText(toQ(hint(4)));
    readerFallback();
    FormBranding::showHelpItem(w_, LocalTexts::current().helpFile());
    w_.btnPhone->setChecked(true);
    pcStore_->workingFiles().startUp();

    w_.progressDlg = new TZProgerssDlg(this);
    w_.progressDlg->setObjectName("ZProgerssDlg");
    w_.progressDlg->hide();

    w_.mfExport->setVisible(true);
    w_.mfImport->setVisible(true);
    FormBranding::loadLogo(w_, AppPaths::applicationDir());
    connectLists();
    connectTrees();
    connectCommands();
    disableLaterCommands();
    cardSide_ = new CardSide(*this);
    Log::line("FormCreate::End");
}

void TFormSimCard::applyWindowFont()
{
    // The system's general font at a cell height of 16 pixels.
    QFont f(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    f.setPixelSize(13);
    setFont(f);
}

void TFormSimCard::applyTexts()
{
    LocalTexts::current().load();
    FormTexts::applyMainWindow(this);
    if (LocalTexts::current().code() == "F") w_.pnTop02_4_1->setFont(QFont("System"));
    s_.pcHeaderBaseCaption = w_.pnClient_2_1->text();
}

void TFormSimCard::readSettings()
{
    IniFile ini(s_.settingsPath);
    ini.setAutoSave(false);
    settings_ = FormSettings::read(ini, WindowSettings::designValues(w_));
    WindowSettings::apply(this, w_, settings_);
    s_.readerName = settings_.reader;
    Pacer::current().setPacing(settings_.pacing);
}

void TFormSimCard::readerFallback()
{
    if (!s_.readerName.empty()) return;
    try {
        const std::string list = ReaderBinding::QVGetReaderList();
        s_.readerName = list.substr(0, list.find_first_of("\r\n"));
    } catch (...) {
        s_.readerName.clear();
    }
}

void TFormSimCard::loadPcFiles()
{
    s_.phoneFilePath = pcStore_->defaultPath(StoreKind::Phone);
    s_.messageFilePath = pcStore_->defaultPath(StoreKind::Message);
    pcStore_->prepare();
    catalogs_.fillTree(StoreKind::Phone);
    catalogs_.fillTree(StoreKind::Message);
    s_.pcChanged = false;
}

void TFormSimCard::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TFormSimCard::FormShow()
{
    w_.lbDate->setText("(20070702)");
    Log::line("FormSimCard::FormShow start");
    s_.settingsPath = AppPaths::dataDir() + FormSettings::kFileName;
    QMetaObject::invokeMethod(cardSide_, &CardSide::wakePoller, Qt::QueuedConnection);
    modes_.btnPhoneClick();
    Log::line("FormSimCard::FormShow end");
}

void TFormSimCard::closeEvent(QCloseEvent* event)
{
    if (closeAccepted_ || FormClose()) {
        closeAccepted_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

bool TFormSimCard::FormClose()
{
    Prompter& p = Prompter::current();
    const Prompter::Answer a = p.message(Prompter::Kind::Question, hint(2), hint(22));
    if (a != Prompter::Answer::Yes && a != Prompter::Answer::Ok) {
        s_.closeRequested = false;
        return false;
    }
    s_.closing = true;
    if ((s_.pcChanged || s_.cardChanged) && pcStore_->askToSave() == Prompter::Answer::Yes) {
        // A failed write is reported by the store and the old file stays under its name; the
        // window stays open so the changes it holds are not lost with it.
        if (!pcStore_->write(StoreKind::Phone, s_.phoneFilePath) ||
            !pcStore_->write(StoreKind::Message, s_.messageFilePath)) {
            s_.closing = false;
            return false;
        }
        if (cardWriter) cardWriter();
    }
    if (pollerStopper) pollerStopper();
    Log::line("Tread terminated");
    writeSettings();
    return true;
}

void TFormSimCard::writeSettings()
{
    settings_ = WindowSettings::capture(this, w_, settings_);
    settings_.reader = s_.readerName;
    IniFile ini(s_.settingsPath);
    ini.setAutoSave(false);
    settings_.write(ini);
    if (!ini.save()) Log::line("FormClose settings not written=" + s_.settingsPath);
}

void TFormSimCard::FormDestroy()
{
    Log::line("FormDestory start");
    if (pollerStopper) pollerStopper();
    if (pcStore_) pcStore_->workingFiles().end();
    ReaderBinding::SimCardExit();
    Log::line("FormDestory end");
    if (processEnder()) processEnder()();
}

void TFormSimCard::bringToFront()
{
    Log::line("FormSimCard::BringToFront");
    if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TFormSimCard::mfQuitClick()
{
    if (w_.progressDlg && w_.progressDlg->isVisible()) return;
    close();
}

void TFormSimCard::mvFontClick()
{
    Prompter::FontSpec spec;
    spec.family = fromQ(font().family());
    spec.pointSize = font().pointSize() > 0 ? font().pointSize() : font().pixelSize() * 3 / 4;
    spec.bold = font().bold();
    spec.italic = font().italic();
    if (!Prompter::current().chooseFont(spec)) return;
    QFont f(toQ(spec.family), spec.pointSize);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    setFont(f);
}

void TFormSimCard::mhContentClick()
{
    const std::string& help = LocalTexts::current().helpFile();
    if (!help.empty() && QFileInfo(QString::fromStdString(help)).isFile()) Prompter::current().openDocument(help);
}

void TFormSimCard::eltreeHeaderResize(ListView* view)
{
    if (view->headerHeight() != 26) view->setHeaderHeight(26);
}

void TFormSimCard::meDeleteClick()
{
    if (w_.tvPhone->hasFocus()) catalogs_.deleteCatalog(StoreKind::Phone);
    else if (w_.tvMessage->hasFocus()) catalogs_.deleteCatalog(StoreKind::Message);
}

// Deleting rows is not built yet: the item only deletes catalogs, so it is enabled only while a
// catalog tree has the focus.
void TFormSimCard::updateDeleteItem()
{
    w_.meDelete->setEnabled(w_.tvPhone->hasFocus() || w_.tvMessage->hasFocus());
}

void TFormSimCard::cardRowDoubleClicked(ListView* view, int row)
{
    if (cardEntryEditor) cardEntryEditor(view, row);
    for (ListView* v : {w_.etPhone, w_.etPCMessage, w_.etSimMessage, w_.etSim}) v->clearFocusedRow();
    if (view == w_.etSim_Show) w_.etSim_Show->clearFocusedRow();
}

void TFormSimCard::phoneCatalogRenamed(const std::string& oldName, const std::string& newName)
{
    const std::string card = lastCardNumber ? lastCardNumber() : std::string();
    if (!card.empty()) pcStore_->workingFiles().renamePhoneCatalog(card, oldName, newName);
    else CardCatalogMap::forget(pcStore_->workingFiles().temporaryFile(StoreKind::Phone), oldName);
}

void TFormSimCard::connectLists()
{
    for (ListView* v : w_.listViews) {
        connect(v, &ListView::entered, this, [this](ListView* view) { focus_.elTreeEnter(view); });
        connect(v, &ListView::headerResized, this, &TFormSimCard::eltreeHeaderResize);
    }
    for (ListView* v : {w_.etPhone, w_.etPCMessage})
        connect(v, &ListView::mouseMovedOver, this, [this] { focus_.etPhoneMouseMove(); });
    for (ListView* v : {w_.etSim_Show, w_.etSimMessage_Show})
        connect(v, &ListView::rowDoubleClicked, this, &TFormSimCard::cardRowDoubleClicked);
    connect(w_.etPhone_Check, &QCheckBox::clicked, this, [this] { checks_.etPhone_CheckClick(); });
    connect(w_.etPCMessage_Check, &QCheckBox::clicked, this, [this] { checks_.etPCMessage_CheckClick(); });
    connect(w_.etSIM_CheckBox, &QCheckBox::clicked, this, [this] { checks_.etSIM_CheckBoxClick(); });
    connect(w_.btnSelectAllPC, &QPushButton::clicked, this, [this] { checks_.btnSelectAllPCClick(); });
    connect(w_.btnSelectAllSIM, &QPushButton::clicked, this, [this] { checks_.btnSelectAllSIMClick(); });
}

void TFormSimCard::connectTrees()
{
    for (StoreKind kind : {StoreKind::Phone, StoreKind::Message}) {
        CatalogTree* tree = catalogs_.treeOf(kind);
        connect(tree, &QTreeWidget::currentItemChanged, this,
                [this, kind](QTreeWidgetItem* now) { catalogs_.showCatalog(kind, now); });
        connect(tree, &CatalogTree::editingStarted, this,
                [this, kind](QTreeWidgetItem* node) { catalogs_.tvEditing(kind, node); });
        connect(tree, &CatalogTree::edited, this,
                [this, kind](QTreeWidgetItem* node, const QString& text) { catalogs_.tvEdited(kind, node, text); });
        connect(tree, &CatalogTree::exited, this, [this, kind] { catalogs_.tvExit(kind); });
        connect(tree, &CatalogTree::mouseMovedOver, this, [this] { focus_.treeMouseMove(); });
        connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint& at) {
            catalogs_.PopTreeViewPopup();
            w_.PopTreeView->popup(tree->viewport()->mapToGlobal(at));
        });
    }
    connect(qApp, &QApplication::focusChanged, this, [this] { updateDeleteItem(); });
}

void TFormSimCard::connectCommands()
{
    connect(w_.mfQuit, &QAction::triggered, this, &TFormSimCard::mfQuitClick);
    connect(w_.btnExit, &QToolButton::clicked, this, &TFormSimCard::mfQuitClick);
    connect(w_.mfNewFolder, &QAction::triggered, this, [this] { catalogs_.mfNewFolderClick(); });
    connect(w_.meSelectAll, &QAction::triggered, this, [this] { focus_.meSelectAllClick(); });
    connect(w_.meSelectNot, &QAction::triggered, this, [this] { focus_.meSelectNotClick(); });
    connect(w_.meDelete, &QAction::triggered, this, &TFormSimCard::meDeleteClick);
    connect(w_.mvFont, &QAction::triggered, this, &TFormSimCard::mvFontClick);
    connect(w_.mhContent, &QAction::triggered, this, &TFormSimCard::mhContentClick);
    connect(w_.PopTreeView_Edit, &QAction::triggered, this, [this] { catalogs_.PopTreeView_EditClick(); });
    connect(w_.btnPhone, &QToolButton::clicked, this, [this] { modes_.btnPhoneClick(); });
    connect(w_.btnMessage, &QToolButton::clicked, this, [this] { modes_.btnMessageClick(); });
}

// Commands whose behaviour is not part of this window yet stay visible but disabled.
void TFormSimCard::disableLaterCommands()
{
    for (QAction* a : {w_.mfOpen, w_.mfSave, w_.mfSaveAs, w_.mfSIMSave, w_.mfExport, w_.mfImport, w_.meCut,
                       w_.meCopy, w_.mePaste, w_.msStart, w_.msStop, w_.msModify, w_.msVerify, w_.msRefresh,
                       w_.msBackup})
        a->setEnabled(false);
    for (QToolButton* b : {w_.btnToSim, w_.btnToPC, w_.btnSave, w_.btnCopy, w_.btnPaste, w_.btnCut, w_.btnDelete,
                           w_.btnAdd, w_.btnRefresh, w_.bnBackup, w_.btnToSim_SmallBtn, w_.btnToPC_SmallBtn})
        b->setEnabled(false);
    updateDeleteItem();
}
