#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/CatalogTree.h"
#include "mainwindow/ListView.h"
#include "mainwindow/TFormSimCard.h"
#include "shell/AppPaths.h"
#include "shell/LocalTexts.h"
#include "shell/Log.h"
#include "store/CardCatalogMap.h"
#include "store/IniFile.h"
#include "tests/support/FakePacer.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"
#include "text/CodePage.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QToolButton>
#include <QtTest>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

using Kind = Prompter::Kind;
using Answer = Prompter::Answer;

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Two phone catalogs (three entries) and one message catalog.
const char* kPhoneFile =
    "[Catalog]\r\n1=Friends\r\n2=Work\r\n"
    "[Friends]\r\n1=Amy\\t0912\\ta@b.tw\\tgym\r\n2=Bob\\t0933\\t\\t\r\n"
    "[Work]\r\n1=Carl\\t02-1234\\t\\t\r\n";
const char* kMessageFile = "[Catalog]\r\n1=Inbox\r\n[Inbox]\r\n1=Hello\\t0912\r\n";

QColor labelColour(QLabel* l) { return l->palette().color(QPalette::WindowText); }

}  // namespace

class TFormSimCardTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ScratchDir> dir;
    ScriptedPrompter prompter;
    FakePacer pacer;
    int enderCalls = 0;
    QByteArray savedTmp;

    std::unique_ptr<TFormSimCard> makeForm(bool show = true)
    {
        auto form = std::make_unique<TFormSimCard>();
        if (show) {
            form->show();
            if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
        }
        return form;
    }
    // Closes with the first question answered `answer`; true when the window closed.
    bool closeWith(TFormSimCard& form, Answer answer)
    {
        prompter.answers.push_back(answer);
        return form.close();
    }
    std::string settings() const { return readFile(dir->file("Quillon.INI")); }
    long long setting(const char* key) const
    {
        IniFile ini(dir->file("Quillon.INI"));
        ini.setAutoSave(false);
        return ini.readInteger("FormSimCard", key, -1);
    }
    QTreeWidgetItem* node(CatalogTree* tree, const char* text)
    {
        return tree->findNode(QString::fromUtf8(text), Qt::CaseSensitive);
    }
    void rename(TFormSimCard& form, QTreeWidgetItem* item, const QString& text)
    {
        CatalogTree* tree = static_cast<CatalogTree*>(item->treeWidget());
        tree->setFocus();
        QVERIFY(tree->startRename(item));
        auto* editor = tree->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor commits through a queued call
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // and goes away
    }

private slots:
    void initTestCase()
    {
        qputenv("LC_ALL", "en_US.UTF-8");
        CodePage::setAnsi(950);
        Prompter::setCurrent(&prompter);
        Pacer::setCurrent(&pacer);
        TFormSimCard::setProcessEnder([this] { ++enderCalls; });
    }
    void init()
    {
        dir = std::make_unique<ScratchDir>();
        dir->write("QVSEstr2.INI", readFile(QUILLON_TEST_DATA "/mainwindow/QVSEstr2.INI"));
        // Working copies go to a temporary directory of this test only.
        QDir().mkpath(QString::fromStdString(dir->file("tmp")));
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(dir->file("tmp")));
        AppPaths::init();
        AppPaths::setApplicationDir(dir->path());
        AppPaths::setDataDir(dir->path());
        prompter = ScriptedPrompter();
        enderCalls = 0;
    }
    void cleanup()
    {
        if (savedTmp.isEmpty()) qunsetenv("TMPDIR");
        else qputenv("TMPDIR", savedTmp);
        AppPaths::init();
        AppPaths::setApplicationDir("");
        AppPaths::setDataDir("");
        dir.reset();
    }

    void createsWithDesignValuesWhenNothingIsStored()
    {
        auto form = makeForm();
        QVERIFY(form);
        FormWidgets& w = form->widgets();
        QCOMPARE(form->windowTitle(), QString("Quillon Test"));
        QCOMPARE(form->size(), QSize(1292, 748));
        QCOMPARE(w.barPanel[0]->text(), QString("Checking the reader"));
        QCOMPARE(w.tvPhone->nodeTexts(), (QStringList{"All", "Unfiled"}));
        QCOMPARE(w.tvMessage->nodeTexts(), (QStringList{"All", "Unfiled"}));
        QVERIFY(w.pnTop02_4_2->text().endsWith("  Corvane Labs, Inc."));
        QVERIFY(!w.mhContent->isVisible());
        QVERIFY(w.mfExport->isVisible() && !w.mfExport->isEnabled());
        QVERIFY(!w.mfPrint->isVisible());
        QCOMPARE(w.btnToSim->toolTip(), QString("Copy to the card"));
        QVERIFY(!w.btnToSim->icon().isNull());
        QVERIFY(w.btnPhone->isChecked() && !w.btnMessage->isChecked());
        QVERIFY(!w.PanelPCPhone->isHidden() && w.PanelPCMessage->isHidden());
        QCOMPARE(w.lbDate->text(), QString("(20070702)"));
        QCOMPARE(w.meSelectAll->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
        QCOMPARE(w.msRefresh->shortcut(), QKeySequence(Qt::Key_F5));
        QVERIFY(!dir->exists("Quillon.INI"));  // nothing is written before a close
        QVERIFY(form->findChild<QWidget*>("pnCilent_4"));
        QCOMPARE(w.etSIM_CheckBox->parentWidget(), static_cast<QWidget*>(w.etSim_Show->header()));
    }

    void createsWithoutLanguageFile()
    {
        QFile::remove(QString::fromStdString(dir->file("QVSEstr2.INI")));
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        QCOMPARE(form->windowTitle(), QString("Quillon"));
        QCOMPARE(w.pnClient_2_1->text().left(3), QString(" PC"));
        QCOMPARE(w.tvPhone->nodeTexts(), (QStringList{"All catalogs", "General"}));
        QVERIFY(closeWith(*form, Answer::Yes));
        QVERIFY(dir->exists("Quillon.INI"));
    }

    void statusHintsFollowTheMouse()
    {
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.tvPhone->setCurrentItem(node(w.tvPhone, "Work"));
        QTest::mouseMove(w.etPhone->viewport(), QPoint(60, 40));
        QCOMPARE(w.barPanel[2]->text(), QString("Drag entries to copy them"));
        QTest::mouseMove(w.tvPhone->viewport(), QPoint(30, 30));
        QCOMPARE(w.barPanel[2]->text(), QString("Catalog Work"));
        w.barPanel[2]->setText("other");
        QTest::mouseMove(w.tvPhone->viewport(), QPoint(32, 32));
        QCOMPARE(w.barPanel[2]->text(), QString("other"));  // only the list hint gives way
    }

    void fontDialogAndQuitWhileBusy()
    {
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        Prompter::FontSpec chosen;
        chosen.family = "DejaVu Serif";
        chosen.pointSize = 14;
        chosen.bold = true;
        prompter.fonts.push_back(chosen);
        w.mvFont->trigger();
        QCOMPARE(form->font().family(), QString("DejaVu Serif"));
        QVERIFY(form->font().bold());
        QCOMPARE(w.etPhone->font().pointSize(), 14);  // children follow the window font

        w.progressDlg->show();
        w.mfQuit->trigger();
        QVERIFY(prompter.shown.empty());
        QVERIFY(form->isVisible());
        w.progressDlg->hide();
    }

    void readsStoredSettings_data()
    {
        QTest::addColumn<QString>("values");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("pcWidth1");
        QTest::addColumn<int>("simMsgWidth1");
        QTest::newRow("normal") << "WindowState=0\r\nWidth=900\r\nHeight=600\r\nPCColWidth1=100\r\n" << false
                                << QSize(900, 600) << 100 << 500;
        QTest::newRow("minimised opens normal") << "WindowState=1\r\nWidth=0x3E8\r\nHeight=700\r\n" << false
                                                << QSize(1000, 700) << 125 << 500;
        QTest::newRow("written key spelling") << "SIMMsgColWidth1=321\r\nWidth=1000\r\nHeight=700\r\n" << false
                                              << QSize(1000, 700) << 125 << 321;
        QTest::newRow("width beyond column maximum") << "PCColWidth1=9999\r\nWidth=1000\r\nHeight=700\r\n"
                                                     << false << QSize(1000, 700) << 240 << 500;
        QTest::newRow("maximised") << "WindowState=2\r\nWidth=900\r\nHeight=600\r\n" << true << QSize() << 125 << 500;
    }
    void readsStoredSettings()
    {
        QFETCH(QString, values);
        QFETCH(bool, maximised);
        QFETCH(QSize, size);
        QFETCH(int, pcWidth1);
        QFETCH(int, simMsgWidth1);
        dir->write("Quillon.INI", "[FormSimCard]\r\n" + values.toStdString());
        auto form = makeForm(false);
        QCOMPARE(form->isMaximized() || (form->windowState() & Qt::WindowMaximized), maximised);
        QVERIFY(!(form->windowState() & Qt::WindowMinimized));
        if (!maximised) QCOMPARE(form->size(), size);
        QCOMPARE(form->widgets().etPhone->columnWidthAt(1), pcWidth1);
        QCOMPARE(form->widgets().etSimMessage->columnWidthAt(1), simMsgWidth1);
    }

    void pacingKeySwitchesPrescribedWaitsOff()
    {
        dir->write("Quillon.INI", "[FormSimCard]\r\nPacing=0\r\n");
        auto form = makeForm(false);
        QVERIFY(!Pacer::current().pacing());
        form.reset();
        Pacer::current().setPacing(true);
    }

    void readsCompanyLogoAndHelpFile()
    {
        dir->write("Company.ini", "[Str]\r\nCompany=  Acme Ltd  \r\nTitleString=Acme SIM Manager\r\n");
        dir->write("Tolmar2.CHM", "help");
        QImage logo(258, 45, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        QVERIFY(logo.save(QString::fromStdString(dir->file("Logo.bmp")), "BMP"));
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        QCOMPARE(form->windowTitle(), QString("Acme SIM Manager"));
        QVERIFY(w.pnTop02_4_2->text().endsWith("  Acme Ltd"));
        QVERIFY(!w.Image_Title->pixmap().isNull());
        QVERIFY(w.mhContent->isVisible() && w.N4->isVisible());
        w.mhContent->trigger();
        QCOMPARE(prompter.documents, (std::vector<std::string>{dir->file("Tolmar2.CHM")}));
    }

    void closeWritesSettingsUnlessCancelled()
    {
        auto form = makeForm();
        QVERIFY(!closeWith(*form, Answer::No));
        QVERIFY(form->isVisible());
        QVERIFY(!dir->exists("Quillon.INI"));
        QCOMPARE(prompter.shown.back().text, std::string("Quit the program?"));
        QCOMPARE(prompter.shown.back().caption, std::string("Question"));

        form->widgets().etPhone->setColumnWidthAt(2, 222);
        form->resize(1000, 650);
        QVERIFY(closeWith(*form, Answer::Yes));
        QCOMPARE(setting("PCColWidth2"), 222LL);
        QCOMPARE(setting("Width"), 1000LL);
        QCOMPARE(setting("Height"), 650LL);
        QCOMPARE(setting("WindowState"), 0LL);
        QCOMPARE(setting("SIMMsgColWidth4"), 120LL);
        QVERIFY(setting("SimWidth") > 100);
        QCOMPARE(prompter.shown.size(), size_t(2));  // nothing changed: no save question
        form.reset();
        QCOMPARE(enderCalls, 1);
    }

    void lifecycleLogLinesInOrder()
    {
        dir->write("Debug/Quillon.LOG", "");
        Log::start("Debug/Quillon.Log", false, dir->path(), dir->path());
        auto form = makeForm();
        QVERIFY(closeWith(*form, Answer::Yes));
        form.reset();
        const std::string log = readFile(Log::path());
        Log::reset();
        size_t at = 0;
        for (const char* line : {"FormCreate::Start", "FormCreate::GetStrings", "FormCreate::End",
                                 "FormSimCard::FormShow start", "FormSimCrad::btnPhoneClick start",
                                 "FormSimCrad::btnPhoneClick end", "FormSimCard::FormShow end", "Tread terminated",
                                 "FormDestory start", "FormDestory end"}) {
            const size_t found = log.find(std::string(line) + "\r\n", at);
            QVERIFY2(found != std::string::npos, line);
            at = found;
        }
    }

    void maximisedCloseKeepsNormalSize()
    {
        dir->write("Quillon.INI", "[FormSimCard]\r\nWidth=900\r\nHeight=600\r\n");
        auto form = makeForm();
        form->showMaximized();
        QVERIFY(closeWith(*form, Answer::Yes));
        QCOMPARE(setting("WindowState"), 2LL);
        QCOMPARE(setting("Width"), 900LL);
        QCOMPARE(setting("Height"), 600LL);
    }

    void closeSavesPcFilesWhenAsked()
    {
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        form->state().pcChanged = true;
        form->state().phoneCatalogs.append("Extra");
        int cardWrites = 0;
        form->cardWriter = [&] { ++cardWrites; };
        prompter.answers = {Answer::Yes, Answer::Yes};
        QVERIFY(form->close());
        QCOMPARE(prompter.shown.size(), size_t(2));
        const std::string& q = prompter.shown[1].text;
        QVERIFY(q.find("Save the changes?\rFiles:\r") == 0);
        QVERIFY(q.find(dir->file("phone.LPB")) != std::string::npos);
        QVERIFY(readFile(dir->file("phone.LPB")).find("Extra") != std::string::npos);
        QVERIFY(dir->exists("Message.LSM"));
        QCOMPARE(cardWrites, 1);
    }

    // A PC file that cannot be written keeps the window (and every unsaved change) open.
    void closeStaysOpenWhenAPcFileCannotBeWritten_data()
    {
        QTest::addColumn<bool>("phoneFails");
        QTest::newRow("phone file") << true;
        QTest::newRow("message file") << false;
    }
    void closeStaysOpenWhenAPcFileCannotBeWritten()
    {
        QFETCH(bool, phoneFails);
        auto form = makeForm();
        form->state().pcChanged = true;
        std::string& path = phoneFails ? form->state().phoneFilePath : form->state().messageFilePath;
        path = dir->file("no-such-dir/file");
        int cardWrites = 0;
        form->cardWriter = [&] { ++cardWrites; };
        prompter.answers = {Answer::Yes, Answer::Yes};
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QVERIFY(!form->state().closing);
        QCOMPARE(cardWrites, 0);
        QVERIFY(prompter.shown.back().text.find("Cannot create file") == 0);
        QVERIFY(!dir->exists("Quillon.INI"));

        path = dir->file(phoneFails ? "phone.LPB" : "Message.LSM");
        prompter.answers = {Answer::Yes, Answer::Yes};
        QVERIFY(form->close());
        QVERIFY(dir->exists(phoneFails ? "phone.LPB" : "Message.LSM"));
        QCOMPARE(cardWrites, 1);
    }

    void showsCatalogAndRoot()
    {
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.etPhone_Check->setChecked(true);
        w.tvPhone->setCurrentItem(node(w.tvPhone, "Friends"));
        QCOMPARE(w.etPhone->table().size(), size_t(2));
        QCOMPARE(w.pnClient_2_1->text(), QString(" PC--(Friends)-- 2 entries"));
        QCOMPARE(w.barPanel[2]->text(), QString("Catalog Friends"));
        QCOMPARE(form->state().currentCatalogName, std::string("Friends"));
        QVERIFY(!w.etPhone_Check->isChecked());

        w.tvPhone->setCurrentItem(node(w.tvPhone, "Work"));
        QCOMPARE(w.pnClient_2_1->text(), QString(" PC--(Work)-- 1 entry"));

        w.tvPhone->setCurrentItem(w.tvPhone->root());
        QCOMPARE(w.etPhone->table().size(), size_t(3));
        QCOMPARE(w.pnClient_2_1->text(), QString(" PC--(All)-- 3 entries"));
        QCOMPARE(w.etPhone->table().text(2, 4), std::string("Work"));
    }

    void newCatalog_data()
    {
        QTest::addColumn<QStringList>("answers");    // input box answers in order; "<cancel>" cancels
        QTest::addColumn<QStringList>("messages");   // messages shown
        QTest::addColumn<QString>("added");           // node added, "" none
        QTest::newRow("letters digits hyphen") << QStringList{"Team-2.b_x~"} << QStringList{} << "Team-2.b_x~";
        QTest::newRow("chinese") << QStringList{QString::fromUtf8("朋友")} << QStringList{} << QString::fromUtf8("朋友");
        QTest::newRow("space then good") << QStringList{"a b", "ab"}
                                         << QStringList{"A catalog name may hold only letters, digits, - . _ ~"} << "ab";
        QTest::newRow("slash") << QStringList{"a/b", "<cancel>"}
                               << QStringList{"A catalog name may hold only letters, digits, - . _ ~"} << "";
        QTest::newRow("case of existing") << QStringList{"FRIENDS", "<cancel>"}
                                          << QStringList{"That catalog exists already"} << "";
        QTest::newRow("root caption") << QStringList{"all", ""} << QStringList{"That catalog exists already"} << "";
    }
    void newCatalog()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, messages);
        QFETCH(QString, added);
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        for (const QString& a : answers)
            prompter.inputs.push_back(a == "<cancel>" ? std::nullopt : std::optional(CodePage::fromUtf8(a.toStdString())));
        form->state().pcChanged = false;
        w.mfNewFolder->trigger();
        QStringList shown;
        for (const auto& m : prompter.shown) shown << QString::fromStdString(m.text);
        QCOMPARE(shown, messages);
        for (const auto& m : prompter.shown) QCOMPARE(m.kind, Kind::Warning);
        QCOMPARE(prompter.prompts.size(), size_t(answers.size()));
        QCOMPARE(w.tvPhone->nodeTexts().size(), added.isEmpty() ? 4 : 5);
        QCOMPARE(form->state().phoneCatalogs.size(), size_t(added.isEmpty() ? 3 : 4));
        QCOMPARE(form->state().pcChanged, !added.isEmpty());
        if (added.isEmpty()) return;
        QCOMPARE(w.tvPhone->nodeTexts().last(), added);
        QCOMPARE(w.tvPhone->currentItem()->text(0), added);
        QCOMPARE(form->state().currentCatalogName, CodePage::fromUtf8(added.toStdString()));
        QCOMPARE(form->state().currentViewName, std::string("etphone"));
        QCOMPARE(labelColour(w.pnPCPH), QColor(Qt::red));
        QCOMPARE(w.etPhone->table().size(), size_t(0));
    }

    void renameCatalog_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");  // "" when accepted
        QTest::newRow("new name") << "Pals" << "";
        QTest::newRow("same name") << "Friends" << "That catalog exists already";
        QTest::newRow("other case") << "FRIENDS" << "That catalog exists already";
        QTest::newRow("other catalog") << "work" << "That catalog exists already";
        QTest::newRow("empty") << "" << "A catalog name may hold only letters, digits, - . _ ~";
        QTest::newRow("space") << "my pals" << "A catalog name may hold only letters, digits, - . _ ~";
    }
    void renameCatalog()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        QTreeWidgetItem* friends = node(w.tvPhone, "Friends");
        w.tvPhone->setCurrentItem(friends);
        form->state().pcChanged = false;
        rename(*form, friends, text);
        const bool accepted = message.isEmpty();
        QCOMPARE(prompter.shown.size(), size_t(accepted ? 0 : 1));
        if (!accepted) QCOMPARE(QString::fromStdString(prompter.lastText()), message);
        const QString expected = accepted ? text : "Friends";
        QCOMPARE(friends->text(0), expected);
        QVERIFY(form->state().phoneCatalogs.find(expected.toStdString()));
        QCOMPARE(form->state().pcChanged, accepted);
        QCOMPARE(w.etPhone->table().text(0, 4), expected.toStdString());
        QVERIFY(!w.tvPhone->editingMarker());
    }

    void renameMovesTheCardCatalogMapEntry()
    {
        dir->write("phone.LPB", kPhoneFile);
        dir->write("SimPhone.bat", "[8988]\r\nName=Friends\r\n[SimNum]\r\nFriends=8988\r\n");
        auto form = makeForm();
        form->lastCardNumber = [] { return std::string("8988"); };
        const std::string map = dir->file("tmp/TempPhone.bat");
        QCOMPARE(CardCatalogMap::read(map, "8988"), std::string("Friends"));
        rename(*form, node(form->widgets().tvPhone, "Friends"), "Pals");
        QCOMPARE(CardCatalogMap::read(map, "8988"), std::string("Pals"));
        QVERIFY(readFile(map).find("Friends=") == std::string::npos);
        form.reset();
        QVERIFY(!dir->exists("tmp/TempPhone.bat"));  // the working copies end with the window
    }

    void messageTreeRenameAndRightClick()
    {
        dir->write("Message.LSM", kMessageFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        QTest::mouseClick(w.btnMessage, Qt::LeftButton);
        QTreeWidgetItem* inbox = node(w.tvMessage, "Inbox");
        w.tvMessage->setCurrentItem(inbox);
        rename(*form, inbox, "unfiled");
        QCOMPARE(prompter.shown.size(), size_t(1));
        QCOMPARE(prompter.shown[0].kind, Kind::Plain);  // the message tree's box has no icon
        QCOMPARE(inbox->text(0), QString("Inbox"));
        rename(*form, inbox, "Mail");
        QCOMPARE(inbox->text(0), QString("Mail"));
        QCOMPARE(form->state().messageCatalogs.names(), (std::vector<std::string>{"Mail", "Unfiled"}));
        QCOMPARE(w.etPCMessage->table().text(0, 2), std::string("Mail"));

        // A right click selects a phone node but not a message node.
        const QPoint unfiledMsg = w.tvMessage->visualItemRect(node(w.tvMessage, "Unfiled")).center();
        QTest::mouseClick(w.tvMessage->viewport(), Qt::RightButton, {}, unfiledMsg);
        QCOMPARE(w.tvMessage->currentItem(), inbox);
        QTest::mouseClick(w.btnPhone, Qt::LeftButton);
        QTreeWidgetItem* unfiled = node(w.tvPhone, "Unfiled");
        QTest::mouseClick(w.tvPhone->viewport(), Qt::RightButton, {}, w.tvPhone->visualItemRect(unfiled).center());
        QCOMPARE(w.tvPhone->currentItem(), unfiled);
        QTest::keyClick(w.PopTreeView, Qt::Key_Escape);
    }

    void popupHidesEditForRootAndF2DoesNothingThere()
    {
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.tvPhone->setCurrentItem(w.tvPhone->root());
        form->catalogViews().PopTreeViewPopup();
        QVERIFY(!w.PopTreeView_Edit->isVisible());
        w.tvPhone->setFocus();
        QTest::keyClick(w.tvPhone, Qt::Key_F2);
        QVERIFY(!w.tvPhone->findChild<QLineEdit*>() || !w.tvPhone->findChild<QLineEdit*>()->isVisible());
        QVERIFY(!w.tvPhone->editingMarker());

        w.tvPhone->setCurrentItem(node(w.tvPhone, "Work"));
        form->catalogViews().PopTreeViewPopup();
        QVERIFY(w.PopTreeView_Edit->isVisible());
        QTest::keyClick(w.tvPhone, Qt::Key_F2);
        QVERIFY(w.tvPhone->editingMarker());
        QCOMPARE(form->state().currentCatalogName, std::string("Work"));
    }

    void deleteCatalogAndRoot()
    {
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.tvPhone->setCurrentItem(node(w.tvPhone, "Work"));
        prompter.answers = {Answer::No};
        form->catalogViews().deleteCatalog(StoreKind::Phone);
        QCOMPARE(prompter.lastText(), std::string("Delete the catalog Work?"));
        QCOMPARE(form->state().phoneCatalogs.size(), size_t(3));
        QVERIFY(!form->state().pcChanged);

        prompter.answers = {Answer::Yes};
        form->catalogViews().deleteCatalog(StoreKind::Phone);
        QCOMPARE(w.tvPhone->nodeTexts(), (QStringList{"All", "Friends", "Unfiled"}));
        QCOMPARE(form->state().phoneCatalogs.names(), (std::vector<std::string>{"Friends", "Unfiled"}));
        QVERIFY(form->state().pcChanged && form->state().cardChanged);

        w.tvPhone->setCurrentItem(w.tvPhone->root());
        prompter.answers = {Answer::Yes};
        form->catalogViews().deleteCatalog(StoreKind::Phone);
        QCOMPARE(prompter.lastText(), std::string("Delete every catalog under All?"));
        QCOMPARE(w.tvPhone->nodeTexts(), (QStringList{"All", "Unfiled"}));
        QCOMPARE(form->state().phoneCatalogs.names(), (std::vector<std::string>{"Unfiled"}));
        QCOMPARE(w.etPhone->table().size(), size_t(0));
        QVERIFY(form->state().phoneCatalogs[0].lines.empty());
    }

    void dropsAreAcceptedAndChangeNothing_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("PC rows onto the card view") << "etPhone" << "etSim_Show";
        QTest::newRow("catalog onto the phone tree") << "tvPhone" << "tvPhone";
        QTest::newRow("PC rows onto the phone tree") << "etPhone" << "tvPhone";
    }
    void dropsAreAcceptedAndChangeNothing()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.tvPhone->setCurrentItem(w.tvPhone->root());
        w.etPhone->checkAllRows(true);
        auto* from = form->findChild<QAbstractItemView*>(source);
        auto* to = form->findChild<QAbstractItemView*>(target);
        std::unique_ptr<QMimeData> mime(from->model()->mimeData({from->model()->index(1, 0, from->rootIndex())}));
        QVERIFY(mime);
        const QStringList nodesBefore = w.tvPhone->nodeTexts();
        const QPoint at(20, 20);
        const auto actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, mime.get(), Qt::LeftButton, {});
        QApplication::sendEvent(to->viewport(), &enter);
        QDragMoveEvent move(at, actions, mime.get(), Qt::LeftButton, {});
        QApplication::sendEvent(to->viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(QPointF(at), actions, mime.get(), Qt::LeftButton, {});
        QApplication::sendEvent(to->viewport(), &drop);
        QCOMPARE(w.tvPhone->nodeTexts(), nodesBefore);
        QCOMPARE(w.etPhone->table().size(), size_t(3));
        QCOMPARE(w.etSim_Show->table().size(), size_t(0));
        QCOMPARE(form->state().phoneCatalogs.entryCount(), size_t(3));
        QVERIFY(!form->state().cardChanged && !form->state().pcChanged);
        QVERIFY(prompter.shown.empty());
    }

    void enteringViewsSetsNameAndColours_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<bool>("cardRed");
        QTest::addColumn<bool>("phoneRed");
        QTest::addColumn<bool>("messageRed");
        QTest::newRow("etSim_Show") << "etSim_Show" << true << false << false;
        QTest::newRow("etPhone") << "etPhone" << false << true << false;
        QTest::newRow("etPCMessage") << "etPCMessage" << false << false << true;
    }
    void enteringViewsSetsNameAndColours()
    {
        QFETCH(QString, view);
        QFETCH(bool, cardRed);
        QFETCH(bool, phoneRed);
        QFETCH(bool, messageRed);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        auto* target = form->findChild<ListView*>(view);
        form->viewFocus().elTreeEnter(target);
        QCOMPARE(form->state().currentViewName, view.toLower().toStdString());
        const QColor red(Qt::red), black(Qt::black);
        QCOMPARE(labelColour(w.pnClient_3_1), cardRed ? red : black);
        QCOMPARE(labelColour(w.pnSimCont), cardRed ? red : black);
        QCOMPARE(labelColour(w.pnClient_2_1), cardRed ? black : red);
        QCOMPARE(labelColour(w.pnPCPH03_1), phoneRed ? red : black);
        QCOMPARE(labelColour(w.pnPCM03_1), messageRed ? red : black);
    }

    void leavingAPcViewDeselectsItButNotAShownCardView()
    {
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.tvPhone->setCurrentItem(w.tvPhone->root());
        w.etSim_Show->table().appendTexts({"A", "1", "0"});
        form->viewFocus().elTreeEnter(w.etPhone);
        w.etPhone->selectAllRows(true);
        form->viewFocus().elTreeEnter(w.etSim_Show);
        QCOMPARE(w.etPhone->table().selectedCount(), size_t(0));
        w.etSim_Show->selectAllRows(true);
        form->viewFocus().elTreeEnter(w.etPhone);
        QCOMPARE(w.etSim_Show->table().selectedCount(), size_t(1));
    }

    void selectAllAndInvert()
    {
        dir->write("phone.LPB", kPhoneFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.tvPhone->setCurrentItem(w.tvPhone->root());
        form->viewFocus().elTreeEnter(w.etPhone);
        w.etPhone->table().setChecked(0, true);
        w.meSelectNot->trigger();
        QCOMPARE(w.etPhone->table().selectedCount(), size_t(3));
        QCOMPARE(w.etPhone->table().checkedCount(), size_t(2));
        QVERIFY(!w.etPhone->table().row(0).checked);
        w.etPhone->selectAllRows(false);
        w.meSelectAll->trigger();
        QCOMPARE(w.etPhone->table().selectedCount(), size_t(3));
        QCOMPARE(w.etPhone->table().checkedCount(), size_t(3));
        QVERIFY(w.etPhone_Check->isChecked());

        // The card box also ticks the record row each shown row points at.
        w.etSim->table().appendTexts({"", ""});
        w.etSim->table().appendTexts({"B", "2"});
        w.etSim_Show->table().appendTexts({"B", "2", "1"});
        form->viewFocus().elTreeEnter(w.etSim_Show);
        w.meSelectAll->trigger();
        QVERIFY(w.etSim_Show->table().row(0).checked && w.etSim_Show->table().row(0).selected);
        QVERIFY(w.etSim->table().row(1).checked && !w.etSim->table().row(0).checked);
    }

    void modeButtonsSwitchPanels()
    {
        dir->write("Message.LSM", kMessageFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        QTest::mouseClick(w.btnMessage, Qt::LeftButton);
        QVERIFY(w.PanelPCPhone->isHidden() && !w.PanelPCMessage->isHidden());
        QVERIFY(w.etSim->isHidden() && w.etSim_Show->isHidden());
        QVERIFY(!w.etSimMessage_Show->isHidden());
        QVERIFY(w.btnMessage->isChecked() && !w.btnPhone->isChecked());
        QCOMPARE(form->state().currentViewName, std::string("etpcmessage"));
        QCOMPARE(w.barPanel[2]->text(), QString("0 card messages"));
        QCOMPARE(w.etSIM_CheckBox->parentWidget(), static_cast<QWidget*>(w.etSimMessage_Show->header()));
        QCOMPARE(w.etPCMessage->table().size(), size_t(1));  // the root of the message tree

        QTest::mouseClick(w.btnPhone, Qt::LeftButton);
        QVERIFY(!w.PanelPCPhone->isHidden() && w.PanelPCMessage->isHidden());
        QCOMPARE(w.barPanel[2]->text(), QString("0 card entries"));
        QCOMPARE(form->state().currentViewName, std::string("etphone"));
    }

    void headerGoesTo26AfterAColumnResize()
    {
        auto form = makeForm();
        ListView* v = form->widgets().etPhone;
        QCOMPARE(v->header()->height(), 30);
        v->header()->resizeSection(1, 150);
        QCOMPARE(v->header()->height(), 26);
        v->header()->resizeSection(2, 150);
        QCOMPARE(v->header()->height(), 26);
    }

    void rendersBothModes()
    {
        const QByteArray out = qgetenv("QUILLON_GUI_TEST_OUT");
        if (out.isEmpty()) QSKIP("QUILLON_GUI_TEST_OUT not set");
        QDir().mkpath(out);
        dir->write("phone.LPB", kPhoneFile);
        dir->write("Message.LSM", kMessageFile);
        auto form = makeForm();
        FormWidgets& w = form->widgets();
        w.tvPhone->setCurrentItem(w.tvPhone->root());
        w.etSim_Show->table().appendTexts({"Amy", "0912", "0"});
        QVERIFY(form->grab().save(out + "/mainwindow-phone.png"));
        QTest::mouseClick(w.btnMessage, Qt::LeftButton);
        QVERIFY(form->grab().save(out + "/mainwindow-message.png"));
    }
};

QTEST_MAIN(TFormSimCardTest)
#include "TFormSimCardTest.moc"
