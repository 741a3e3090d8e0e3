// Applying the language file to windows by object name: captions, tool tips, column titles,
// line breaks, the dialog rules and a file in a double-byte code page.
#include "shell/LocalTexts.h"
#include "shell/app/ColumnTitles.h"
#include "shell/app/FormTexts.h"
#include "shell/app/QtPrompter.h"
#include "tests/support/ScratchDir.h"
#include "text/CodePage.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

// A list that keeps its titles itself, as the program's list view does.
class TitledList : public QWidget, public ColumnTitles {
public:
    TitledList(const char* name, QStringList titles, QWidget* parent) : QWidget(parent), titles_(std::move(titles))
    {
        setObjectName(QLatin1String(name));
    }
    int titledColumnCount() const override { return static_cast<int>(titles_.size()); }
    QString columnTitle(int i) const override { return titles_.value(i); }
    void setColumnTitle(int i, const QString& t) override { titles_[i] = t; }

private:
    QStringList titles_;
};

template <class W>
W* named(QWidget* parent, const char* name, const QString& text = {})
{
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_same_v<W, QLabel>) w->setText(text);
    return w;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The value of `key` in `section` of a UTF-8 file, or "" when missing.
std::string utf8Value(const std::string& path, const std::string& section, const std::string& key)
{
    IniFile ini;
    ini.parse(readFile(path));
    return ini.readString(section, key);
}

const char* const mainFile =
    "[FormSimCard]\r\n"
    "FormSimCard=Quillon SIM Manager\r\n"
    "pnPCPH=Catalogs\r\n"
    "btnToSim=To card\r\n"
    "btnToSimHint=Copy the checked entries#13to the card\r\n"
    "btnSelectAllPC=Select all\r\n"
    "btnSelectAllPCHint=not a speed button\r\n"
    "mFile=&File\r\n"
    "mfOpen=&Open PC file...\r\n"
    "gbSim=SIM card\r\n"
    "EditName=an edit field keeps its text\r\n"
    "etSIMPhonH0=No.\r\n"
    "etSIMPhonH1=Name\r\n"
    "etPCPhonH1=Name\r\n"
    "etPCPhonH5=Catalog\r\n"
    "[Hint]\r\nHint1=Warning\r\n";

}  // namespace

class FormTextsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchDir> dir;

    const ScratchDir& app() const { return *dir; }

    void load(const std::string& body, uint16_t langId = 0x0409, const char* code = "2")
    {
        dir->write(std::string("QVSEstr") + code + ".INI", body);
        LocalTexts::current().load(app().path(), langId);
    }

private slots:
    void init() { dir = std::make_unique<ScratchDir>(); }

    void cleanup()
    {
        LocalTexts::current().clear();
        CodePage::setAnsi(0);
    }

    void mainWindowCaptionsToolTipsAndColumns()
    {
        load(mainFile);
        QWidget form;
        form.setObjectName("FormSimCard");
        form.setWindowTitle("built-in");
        auto* label = named<QLabel>(&form, "pnPCPH", "Catalog");
        auto* toSim = named<QToolButton>(&form, "btnToSim", "ToSim");
        auto* cut = named<QToolButton>(&form, "btnCut", "Cut");
        auto* selectAll = named<QPushButton>(&form, "btnSelectAllPC", "Select");
        auto* check = named<QCheckBox>(&form, "etPhone_Check", "all");
        auto* edit = named<QLineEdit>(&form, "EditName");
        edit->setText("typed");
        auto* menu = named<QMenu>(&form, "mFile");
        auto* open = menu->addAction("Open");
        open->setObjectName("mfOpen");
        auto* box = named<QGroupBox>(&form, "gbSim");
        auto* simShow = new TitledList("etSim_Show", {"    No", "N", "P", "Index"}, &form);
        auto* sim = new TitledList("etSim", {"    No", "N", "P"}, &form);
        auto* pc = named<QTreeWidget>(&form, "etPhone");
        pc->setHeaderLabels({"    No", "N", "P", "M", "R", "C"});

        FormTexts::applyMainWindow(&form);

        QCOMPARE(form.windowTitle(), QString("Quillon SIM Manager"));
        QCOMPARE(QString::fromStdString(LocalTexts::current().applicationTitle()), QString("Quillon SIM Manager"));
        QCOMPARE(label->text(), QString("Catalogs"));
        QCOMPARE(toSim->text(), QString("To card"));
        QCOMPARE(toSim->toolTip(), QString("Copy the checked entries\nto the card"));
        QCOMPARE(cut->text(), QString("Cut"));
        QCOMPARE(cut->toolTip(), QString("Cut"));  // no key: the caption
        QCOMPARE(selectAll->text(), QString("Select all"));
        QVERIFY(selectAll->toolTip().isEmpty());
        QCOMPARE(check->text(), QString("all"));
        QCOMPARE(edit->text(), QString("typed"));
        QCOMPARE(menu->title(), QString("&File"));
        QCOMPARE(open->text(), QString("&Open PC file..."));
        QCOMPARE(box->title(), QString("SIM card"));

        const QString seven(7, ' ');
        QCOMPARE(sim->columnTitle(0), seven + "No.");
        QCOMPARE(sim->columnTitle(1), QString("Name"));
        QCOMPARE(sim->columnTitle(2), QString("P"));
        QCOMPARE(simShow->columnTitle(0), seven + "No.");
        QCOMPARE(simShow->columnTitle(1), seven + "Name");
        QCOMPARE(simShow->columnTitle(2), seven + "P");
        QCOMPARE(simShow->columnTitle(3), QString("Index"));
        QCOMPARE(pc->headerItem()->text(0), seven + "    No");
        QCOMPARE(pc->headerItem()->text(1), QString("Name"));
        QCOMPARE(pc->headerItem()->text(4), QString("R"));
        QCOMPARE(pc->headerItem()->text(5), QString("Catalog"));
    }

    void withoutLanguageFileNothingChanges()
    {
        LocalTexts::current().load(app().path(), 0x0409);
        QWidget form;
        form.setObjectName("FormSimCard");
        form.setWindowTitle("built-in");
        auto* toSim = named<QToolButton>(&form, "btnToSim", "ToSim");
        auto* sim = new TitledList("etSim", {"    No", "N", "P"}, &form);
        FormTexts::applyMainWindow(&form);
        QCOMPARE(form.windowTitle(), QString("built-in"));
        QCOMPARE(toSim->text(), QString("ToSim"));
        QVERIFY(toSim->toolTip().isEmpty());
        QCOMPARE(sim->columnTitle(0), QString("    No"));
    }

    void dialogRules_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::newRow("pin dialog breaks lines") << "FormPinCode" << 0 << "Enter PIN" << "First\nSecond";
        QTest::newRow("change-PIN dialog keeps #13") << "dlgSetPassword" << 1 << "Change PIN" << "First#13Second";
    }

    void dialogRules()
    {
        QFETCH(QString, form);
        QFETCH(int, rule);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        load("[FormPinCode]\r\nFormPinCode=Enter PIN\r\nLabel1=First#13Second\r\n"
             "[dlgSetPassword]\r\ndlgSetPassword=Change PIN\r\nLabel1=First#13Second\r\n");
        QDialog dialog;
        dialog.setObjectName(form);
        auto* l = named<QLabel>(&dialog, "Label1", "built-in");
        auto* other = named<QLabel>(&dialog, "Label2", "kept");
        FormTexts::applyDialog(&dialog, static_cast<LocalTexts::DialogRule>(rule));
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(l->text(), label);
        QCOMPARE(other->text(), QString("kept"));
    }

    void wizardTabsTakeTheirPageCaptions()
    {
        load("[FormExportData]\r\nFormExportData=Export\r\ntab_01=Choose the data\r\nrbPhone=Phone book\r\n");
        QDialog wizard;
        wizard.setObjectName("FormExportData");
        auto* tabs = new QTabWidget(&wizard);
        auto* page = new QWidget;
        page->setObjectName("tab_01");
        tabs->addTab(page, "built-in");
        auto* rb = new QPushButton("rb", page);
        rb->setObjectName("rbPhone");
        FormTexts::applyDialog(&wizard);
        QCOMPARE(tabs->tabText(0), QString("Choose the data"));
        QCOMPARE(rb->text(), QString("Phone book"));
        QCOMPARE(wizard.windowTitle(), QString("Export"));
    }

    void big5FileShowsChineseAndSurvivesInvalidBytes()
    {
        CodePage::setAnsi(950);
        // "輸入 PIN 碼" in Big5, then a value with a lead byte that has no valid trail byte.
        load("[FormPinCode]\r\nFormPinCode=\xBF\xE9\xA4\x4A PIN \xBD\x58\r\nLabel1=\x81\x20" "bad\r\n"
             "broken line\r\nLabel2=ok\r\n",
             0x0404, "0");
        QDialog dialog;
        dialog.setObjectName("FormPinCode");
        auto* l1 = named<QLabel>(&dialog, "Label1", "x");
        auto* l2 = named<QLabel>(&dialog, "Label2", "x");
        FormTexts::applyDialog(&dialog);
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("輸入 PIN 碼"));
        QVERIFY(l1->text().endsWith("bad"));
        QCOMPARE(l2->text(), QString("ok"));
    }

    // The shipped files, read in their own code page, show the texts of their UTF-8 sources.
    void shippedFilesShowTheirTexts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<int>("langId");
        QTest::newRow("traditional") << "0" << 950 << 0x0404;
        QTest::newRow("simplified") << "1" << 936 << 0x0804;
        QTest::newRow("english") << "2" << 1252 << 0x0409;
    }

    void shippedFilesShowTheirTexts()
    {
        QFETCH(QString, code);
        QFETCH(int, codePage);
        QFETCH(int, langId);
        const std::string c = code.toStdString();
        const std::string source = std::string(QUILLON_SOURCE_DIR) + "/lang/utf8/QVSEstr" + c + ".ini";
        dir->write("QVSEstr" + c + ".INI", readFile(std::string(QUILLON_SOURCE_DIR) + "/lang/QVSEstr" + c + ".INI"));
        CodePage::setAnsi(codePage);
        LocalTexts::current().load(app().path(), static_cast<uint16_t>(langId));
        QCOMPARE(QString::fromStdString(LocalTexts::current().code()), code);

        QWidget form;
        form.setObjectName("FormSimCard");
        auto* toSim = named<QToolButton>(&form, "btnToSim", "x");
        auto* label = named<QLabel>(&form, "pnPCPH", "x");
        FormTexts::applyMainWindow(&form);
        QCOMPARE(form.windowTitle(), QString::fromUtf8(utf8Value(source, "FormSimCard", "FormSimCard")));
        QCOMPARE(toSim->text(), QString::fromUtf8(utf8Value(source, "FormSimCard", "btnToSim")));
        QCOMPARE(toSim->toolTip(), QString::fromUtf8(utf8Value(source, "FormSimCard", "btnToSimHint")));
        QCOMPARE(label->text(), QString::fromUtf8(utf8Value(source, "FormSimCard", "pnPCPH")));
        QCOMPARE(FormTexts::screenText(LocalTexts::current().hint(79)), QString::fromUtf8(utf8Value(source, "Hint", "Hint79")));
        QVERIFY(FormTexts::screenText(LocalTexts::current().hintf(11, 2)).contains("2"));
    }

    // Message texts join lines with CR; the box shows them as separate lines and never as markup.
    void messageBoxShowsLineBreaksAndPlainText()
    {
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = box->text();
            format = box->textFormat();
            box->accept();
        });
        QtPrompter prompter;
        prompter.message(Prompter::Kind::Plain, "Caption", "Save?\r<b>PC files:</b>\rphone.LPB");
        QCOMPARE(shown, QString("Save?\n<b>PC files:</b>\nphone.LPB"));
        QCOMPARE(format, Qt::PlainText);
    }
};

QTEST_MAIN(FormTextsTest)
#include "FormTextsTest.moc"
