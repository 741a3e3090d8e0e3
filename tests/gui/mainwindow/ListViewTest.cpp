#include "mainwindow/ListHeader.h"
#include "mainwindow/ListView.h"
#include "mainwindow/RowTableModel.h"
#include "text/CodePage.h"

#include <QCheckBox>
#include <QMimeData>
#include <QtTest>

namespace {

void fill(ListView& view, const std::vector<std::vector<std::string>>& rows)
{
    for (const auto& texts : rows) view.table().appendTexts(texts);
}

std::vector<std::string> column(const RowTable& t, size_t c)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < t.size(); ++i) out.push_back(t.text(i, c));
    return out;
}

int selectedRowCount(const ListView& view) { return static_cast<int>(view.selectionModel()->selectedRows().size()); }

}  // namespace

class ListViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CodePage::setAnsi(950); }

    void layoutFollowsColumnTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("header");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("hidden");        // data index of a hidden column, -1 none
        QTest::addColumn<int>("movedIndex");    // a column shown away from its data index
        QTest::addColumn<int>("movedPosition");
        QTest::addColumn<int>("widthOf1");
        QTest::newRow("etPhone") << "etPhone" << 30 << 26 << 6 << -1 << 5 << 5 << 125;
        QTest::newRow("etPCMessage") << "etPCMessage" << 26 << 26 << 5 << 2 << 1 << 3 << 500;
        QTest::newRow("etSim") << "etSim" << 30 << 26 << 3 << -1 << 2 << 2 << 120;
        QTest::newRow("etSim_Show") << "etSim_Show" << 30 << 26 << 4 << 3 << 3 << 3 << 120;
        QTest::newRow("etSimMessage") << "etSimMessage" << 26 << 26 << 5 << 2 << 3 << 1 << 500;
        QTest::newRow("etSimMessage_Show") << "etSimMessage_Show" << 30 << 28 << 5 << 4 << 3 << 1 << 500;
    }
    void layoutFollowsColumnTable()
    {
        QFETCH(QString, name);
        QFETCH(int, header);
        QFETCH(int, rowHeight);
        QFETCH(int, columns);
        QFETCH(int, hidden);
        QFETCH(int, movedIndex);
        QFETCH(int, movedPosition);
        QFETCH(int, widthOf1);
        ListView view(ListViewDesign::forName(name.toStdString()));
        view.resize(900, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.objectName(), name);
        QCOMPARE(view.header()->height(), header);
        QCOMPARE(view.model()->columnCount(), columns);
        if (hidden >= 0) QVERIFY(view.header()->isSectionHidden(hidden));
        QCOMPARE(view.columnPosition(movedIndex), movedPosition);
        QCOMPARE(view.columnWidthAt(1), widthOf1);
        view.table().appendTexts({"a", "b"});
        QCOMPARE(view.sizeHintForRow(0), rowHeight);
        QVERIFY(view.uniformRowHeights());
        QCOMPARE(view.selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    void modelShowsCaptionTextsAndCheckBoxes()
    {
        ListView view(ListViewDesign::forName("etPhone"));
        fill(view, {{"Amy", "0912"}, {CodePage::fromUtf8("王小明"), "0933", "w@x.tw"}});
        QAbstractItemModel* m = view.model();
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->index(1, 0).data().toString(), QString("2"));
        QCOMPARE(m->index(1, 1).data().toString(), QString::fromUtf8("王小明"));
        QCOMPARE(m->index(1, 3).data().toString(), QString("w@x.tw"));
        QCOMPARE(m->index(0, 3).data().toString(), QString());
        QCOMPARE(m->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(!m->index(0, 1).data(Qt::CheckStateRole).isValid());
        QVERIFY(m->setData(m->index(0, 0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(view.table().row(0).checked);
        view.table().setChecked(1, true);
        QCOMPARE(m->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        view.table().setText(0, 0, "Ann");
        QCOMPARE(m->index(0, 1).data().toString(), QString("Ann"));
    }

    void selectionFollowsTableBothWays()
    {
        ListView view(ListViewDesign::forName("etPhone"));
        fill(view, {{"a"}, {"b"}, {"c"}, {"d"}});
        view.selectAllRows(true);
        QCOMPARE(selectedRowCount(view), 4);
        view.selectAllRows(false);
        QCOMPARE(selectedRowCount(view), 0);

        // The user's selection reaches the table.
        view.selectionModel()->select(view.model()->index(1, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(view.table().row(1).selected);
        QCOMPARE(view.table().selectedCount(), size_t(1));

        view.table().setChecked(2, true);
        view.invertRows();
        std::vector<bool> selected, checked;
        for (const Row& r : view.table().rows()) selected.push_back(r.selected), checked.push_back(r.checked);
        QCOMPARE(selected, (std::vector<bool>{true, false, true, true}));
        QCOMPARE(checked, (std::vector<bool>{true, true, false, true}));
        QCOMPARE(selectedRowCount(view), 3);
        QVERIFY(!view.selectionModel()->isRowSelected(1, {}));
    }

    void selectionSurvivesSortAndBatchedFill()
    {
        ListView view(ListViewDesign::forName("etPhone"));
        fill(view, {{"c"}, {"a"}, {"b"}});
        view.table().setSelected(0, true);  // "c"
        view.sortByColumnIndex(1, Qt::AscendingOrder);
        QCOMPARE(column(view.table(), 0), (std::vector<std::string>{"a", "b", "c"}));
        QVERIFY(view.selectionModel()->isRowSelected(2, {}));
        QCOMPARE(selectedRowCount(view), 1);

        {
            RowTable::UpdateGuard guard(view.table());
            for (int i = 0; i < 500; ++i) view.table().appendTexts({"x" + std::to_string(i)});
            view.table().setSelected(400, true);
        }
        QCOMPARE(view.model()->rowCount(), 503);
        QVERIFY(view.updatesEnabled());
        QCOMPARE(selectedRowCount(view), 2);
        QVERIFY(view.selectionModel()->isRowSelected(400, {}));
    }

    void topRowFollowsScrolling()
    {
        ListView view(ListViewDesign::forName("etSim"));
        view.resize(400, 300);
        for (int i = 0; i < 200; ++i) view.table().appendTexts({"n" + std::to_string(i), "1"});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.table().scrollTo(150);
        QVERIFY(view.table().topRow() > 100);
        QVERIFY(view.table().topRow() <= 150);
        view.scrollToTop();
        QCOMPARE(view.table().topRow(), size_t(0));
    }

    void headerClickSorts_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QStringList>("captions");  // resulting order of row captions
        // Rows: 1 "beta", 2 "Alpha", ..., 10 "alpha2"; column 0 sorts as numbers.
        QTest::newRow("numbers ascending after reversing") << 0 << 1 << QStringList{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"};
        QTest::newRow("numbers twice") << 0 << 2 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QTest::newRow("names without case") << 1 << 1 << QStringList{"2", "10", "1", "3", "4", "5", "6", "7", "8", "9"};
    }
    void headerClickSorts()
    {
        QFETCH(int, section);
        QFETCH(int, clicks);
        QFETCH(QStringList, captions);
        ListView view(ListViewDesign::forName("etPhone"));
        view.resize(900, 400);
        const char* names[10] = {"beta", "Alpha", "gamma", "gamma", "gamma", "gamma", "gamma", "gamma", "gamma", "alpha2"};
        for (const char* n : names) view.table().appendTexts({n});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (int i = 0; i < clicks; ++i) {
            const int x = view.header()->sectionViewportPosition(section) + view.header()->sectionSize(section) / 2;
            QTest::mouseClick(view.header()->viewport(), Qt::LeftButton, {}, QPoint(x, 10));
        }
        QStringList got;
        for (const Row& r : view.table().rows()) got << QString::fromStdString(r.caption);
        QCOMPARE(got, captions);
        QCOMPARE(view.model()->index(0, 0).data().toString(), captions.first());
    }

    void widthsStayWithinColumnLimits()
    {
        ListView view(ListViewDesign::forName("etPhone"));
        view.setColumnWidthAt(1, 1000);  // max 240
        QCOMPARE(view.columnWidthAt(1), 240);
        QCOMPARE(view.header()->sectionSize(1), 240);
        view.setColumnWidthAt(0, 5);  // min 90
        QCOMPARE(view.columnWidthAt(0), 90);
        QSignalSpy resized(&view, &ListView::headerResized);
        view.header()->resizeSection(2, 999);  // a user drag beyond 360
        QCOMPARE(view.header()->sectionSize(2), 360);
        QCOMPARE(view.columnWidthAt(2), 360);
        QVERIFY(resized.count() >= 1);

        ListView hidden(ListViewDesign::forName("etPCMessage"));
        hidden.setColumnWidthAt(2, 333);
        QCOMPARE(hidden.columnWidthAt(2), 333);  // hidden, still remembered
    }

    void cornerCheckBoxSitsOnHeaderLeft()
    {
        ListView view(ListViewDesign::forName("etPhone"));
        auto* box = new QCheckBox;
        view.setCornerCheckBox(box);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(box->parentWidget(), static_cast<QWidget*>(view.header()));
        QVERIFY(box->geometry().left() < 10);
        QVERIFY(box->geometry().bottom() < view.header()->height());
        view.setHeaderHeight(26);
        QCOMPARE(view.header()->height(), 26);
    }

    void dropChangesNothing()
    {
        ListView view(ListViewDesign::forName("etSim"));
        fill(view, {{"A", "1"}});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QMimeData* mime = view.model()->mimeData({view.model()->index(0, 0)});
        QDragEnterEvent enter(QPoint(20, 40), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(QPoint(20, 40), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(QPointF(20, 40), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &drop);
        QCOMPARE(view.table().size(), size_t(1));
        QCOMPARE(view.table().text(0, 0), std::string("A"));
        delete mime;
    }
};

QTEST_MAIN(ListViewTest)
#include "ListViewTest.moc"
