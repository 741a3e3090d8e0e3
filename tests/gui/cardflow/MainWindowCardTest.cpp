// The main window with its card side on a virtual card: the poller notices the card, the card
// views fill, and taking the card out empties them with a warning.
#include "dialogs/TZProgerssDlg.h"
#include "mainwindow/CardSide.h"
#include "mainwindow/CatalogTree.h"
#include "mainwindow/ListView.h"
#include "mainwindow/TFormSimCard.h"
#include "shell/AppPaths.h"
#include "tests/support/FakePacer.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/unit/cardviews/CardTestRig.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

#include <memory>

class MainWindowCardTest : public QObject {
    Q_OBJECT
private slots:
    void cardComesAndGoesInTheWindow()
    {
        ScratchDir dir;
        QDir().mkpath(QString::fromStdString(dir.file("tmp")));
        qputenv("TMPDIR", QByteArray::fromStdString(dir.file("tmp")));
        AppPaths::init();
        AppPaths::setApplicationDir(dir.path());
        AppPaths::setDataDir(dir.path());
        ScriptedPrompter prompter;
        FakePacer pacer;
        Prompter::setCurrent(&prompter);
        Pacer::setCurrent(&pacer);
        TFormSimCard::setProcessEnder([] {});

        CardTestRig rig;
        rig.setPhoneRecords({{1, {"Ann", "0911"}}, {4, {"Bob", "0922"}}});
        uint8_t* own = rig.card.image().find(CardImage::kMsisdn)->record(1);
        const uint8_t ownRecord[] = {'M', 'i', 'n', 'e'};
        std::copy(std::begin(ownRecord), std::end(ownRecord), own);
        rig.reader.removeCard();
        CardTestRig::setHints();
        {
            TFormSimCard form;
            CardTestRig::setHints();
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            FormWidgets& w = form.widgets();
            QVERIFY(form.cardSide());
            QCOMPARE(form.cardSide()->connection().readerName, std::string(VirtualReaderService::kReaderName));

            rig.reader.insertCard();
            QTRY_COMPARE_WITH_TIMEOUT(w.etSim_Show->table().size(), size_t(2), 5000);
            QCOMPARE(w.etSim->table().size(), size_t(10));
            QCOMPARE(w.barPanel[0]->text(), QString("Card ready"));
            QTRY_VERIFY_WITH_TIMEOUT(!w.progressDlg->isVisible(), 5000);
            // The card's own-number name becomes its catalog on both sides.
            QVERIFY(w.tvPhone->nodeTexts().contains("Mine"));
            QVERIFY(w.tvMessage->nodeTexts().contains("Mine"));
            QVERIFY(form.state().phoneCatalogs.find("Mine"));

            rig.reader.removeCard();
            QTRY_VERIFY_WITH_TIMEOUT(w.etSim->table().empty(), 5000);
            QCOMPARE(w.barPanel[0]->text(), QString("No card"));
            QTRY_VERIFY_WITH_TIMEOUT(!prompter.shown.empty(), 5000);
            QCOMPARE(prompter.shown.back().text, std::string("Card removed"));
            prompter.answers.push_back(Prompter::Answer::Yes);
            QVERIFY(form.close());
        }
        Prompter::setCurrent(nullptr);
        Pacer::setCurrent(nullptr);
        AppPaths::init();
        AppPaths::setApplicationDir("");
        AppPaths::setDataDir("");
    }
};

QTEST_MAIN(MainWindowCardTest)
#include "MainWindowCardTest.moc"
