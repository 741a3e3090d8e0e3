#include "store/RowTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every notification as a short text so tests can compare sequences.
struct Recorder : RowTableObserver {
    std::vector<std::string> log;
    void aboutToReset() override { log.push_back("aboutToReset"); }
    void reset() override { log.push_back("reset"); }
    void aboutToInsertRows(std::size_t f, std::size_t n) override { log.push_back("aboutToInsert " + s(f, n)); }
    void rowsInserted(std::size_t f, std::size_t n) override { log.push_back("inserted " + s(f, n)); }
    void aboutToRemoveRows(std::size_t f, std::size_t n) override { log.push_back("aboutToRemove " + s(f, n)); }
    void rowsRemoved(std::size_t f, std::size_t n) override { log.push_back("removed " + s(f, n)); }
    void rowsChanged(std::size_t f, std::size_t l) override { log.push_back("changed " + s(f, l)); }
    void aboutToSort() override { log.push_back("aboutToSort"); }
    void sorted() override { log.push_back("sorted"); }
    void updatesSuspended(bool on) override { log.push_back(on ? "suspend" : "resume"); }
    static std::string s(std::size_t a, std::size_t b) { return std::to_string(a) + "," + std::to_string(b); }
};

Row makeRow(std::string caption, std::vector<std::string> cols) {
    Row r;
    r.caption = std::move(caption);
    r.columns = std::move(cols);
    return r;
}

std::vector<std::string> captions(const RowTable& t) {
    std::vector<std::string> out;
    for (const auto& r : t.rows()) out.push_back(r.caption);
    return out;
}

std::vector<std::string> column(const RowTable& t, std::size_t c) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < t.size(); ++i) out.push_back(t.text(i, c));
    return out;
}

}  // namespace

TEST(RowTable, AppendNumbersRowsAndReportsOnce) {
    RowTable t;
    Recorder rec;
    t.setObserver(&rec);
    t.appendTexts({"a"});
    t.appendTexts({"b", "x"});
    std::vector<Row> batch;
    for (int i = 0; i < 3; ++i) batch.push_back(makeRow("c" + std::to_string(i), {}));
    t.appendRows(std::move(batch));
    EXPECT_EQ(captions(t), (std::vector<std::string>{"1", "2", "c0", "c1", "c2"}));
    EXPECT_EQ(rec.log, (std::vector<std::string>{"aboutToInsert 0,1", "inserted 0,1", "aboutToInsert 1,1",
                                                 "inserted 1,1", "aboutToInsert 2,3", "inserted 2,3"}));
    EXPECT_EQ(t.text(0, 5), "");  // a missing text reads as empty
    EXPECT_EQ(t.nextCaption(), "6");
}

TEST(RowTable, FocusFollowsItsRowThroughInsertRemoveAndSort) {
    RowTable t;
    for (const char* n : {"d", "b", "a", "c"}) t.appendTexts({n});
    t.setFocusedRow(1);  // "b"
    t.insert(0, makeRow("0", {"e"}));
    EXPECT_EQ(t.text(static_cast<std::size_t>(t.focusedRow()), 0), "b");
    t.remove(0);
    EXPECT_EQ(t.text(static_cast<std::size_t>(t.focusedRow()), 0), "b");
    t.sortBy(1, RowTable::Order::Ascending);
    EXPECT_EQ(t.focusedRow(), 1);
    EXPECT_EQ(t.text(1, 0), "b");
    t.remove(1);
    EXPECT_EQ(t.focusedRow(), -1);
    t.setFocusedRow(7);
    EXPECT_EQ(t.focusedRow(), -1);
}

TEST(RowTable, TopRowStaysInsideTheTable) {
    RowTable t;
    for (int i = 0; i < 5; ++i) t.appendTexts({});
    t.setTopRow(9);
    EXPECT_EQ(t.topRow(), 4u);
    t.removeRows(2, 10);
    EXPECT_EQ(t.size(), 2u);
    EXPECT_EQ(t.topRow(), 1u);
    t.clear();
    EXPECT_EQ(t.topRow(), 0u);
}

struct SortCase {
    const char* name;
    int column;
    RowTable::Order order;
    std::vector<std::string> expectCaptions;
};

class RowTableSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(RowTableSort, OrdersRowsStably) {
    // captions are numbers (10 must come after 9), text column 0 has case and ties
    RowTable t;
    t.append(makeRow("10", {"beta"}));
    t.append(makeRow("9", {"Alpha"}));
    t.append(makeRow("2", {"alpha"}));
    t.append(makeRow("33", {"beta"}));
    t.append(makeRow("1", {}));
    const auto& c = GetParam();
    t.sortBy(c.column, c.order);
    EXPECT_EQ(captions(t), c.expectCaptions);
    EXPECT_EQ(t.sortColumn(), c.column);
    EXPECT_EQ(t.sortOrder(c.column), c.order);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowTableSort,
    ::testing::Values(
        SortCase{"CaptionUp", 0, RowTable::Order::Ascending, {"1", "2", "9", "10", "33"}},
        SortCase{"CaptionDown", 0, RowTable::Order::Descending, {"33", "10", "9", "2", "1"}},
        // "Alpha" and "alpha" differ only in case: upper-case byte first, never interleaved
        SortCase{"TextUp", 1, RowTable::Order::Ascending, {"1", "9", "2", "10", "33"}},
        SortCase{"TextDownKeepsTiesInOrder", 1, RowTable::Order::Descending, {"10", "33", "2", "9", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RowTable, EachColumnKeepsItsDirectionAndSortReusesIt) {
    RowTable t;
    for (const char* n : {"b", "c", "a"}) t.appendTexts({n, n});
    t.setSortOrder(2, RowTable::Order::Descending);
    t.sortBy(1, RowTable::Order::Ascending);
    EXPECT_EQ(t.sortOrder(2), RowTable::Order::Descending);
    t.setSortColumn(2);
    t.sort();
    EXPECT_EQ(column(t, 1), (std::vector<std::string>{"c", "b", "a"}));
}

TEST(RowTable, SortReportsOnceAndUnsortedDoesNothing) {
    RowTable t;
    Recorder rec;
    for (const char* n : {"b", "a"}) t.appendTexts({n});
    t.setObserver(&rec);
    t.sort();  // no sort column yet
    EXPECT_TRUE(rec.log.empty());
    t.sortBy(1, RowTable::Order::Ascending);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"aboutToSort", "sorted"}));
}

TEST(RowTable, CheckSelectInvertAndRemoveSelected) {
    RowTable t;
    Recorder rec;
    for (int i = 0; i < 6; ++i) t.appendTexts({std::to_string(i)});
    t.setObserver(&rec);
    t.setChecked(1, true);
    t.setChecked(2, true);
    t.setChecked(5, true);
    t.selectChecked();
    EXPECT_EQ(t.selectedCount(), 3u);
    t.invert();
    EXPECT_EQ(t.checkedCount(), 3u);
    EXPECT_FALSE(t.row(1).checked);
    EXPECT_TRUE(t.row(1).selected == false && t.row(0).selected);
    t.invert();
    rec.log.clear();
    EXPECT_EQ(t.removeSelected(), 3u);
    EXPECT_EQ(column(t, 0), (std::vector<std::string>{"0", "3", "4"}));
    // runs of selected rows go in one notification each, from the last
    EXPECT_EQ(rec.log, (std::vector<std::string>{"aboutToRemove 5,1", "removed 5,1", "aboutToRemove 1,2",
                                                 "removed 1,2"}));
    t.checkAll(true);
    t.selectAll(true);
    EXPECT_EQ(t.checkedCount(), 3u);
    EXPECT_EQ(t.selectedCount(), 3u);
}

TEST(RowTable, TextEditsGrowRowsAndNotify) {
    RowTable t;
    Recorder rec;
    t.appendTexts({"x"});
    t.setObserver(&rec);
    t.setText(0, 3, "d");
    EXPECT_EQ(t.row(0).columns, (std::vector<std::string>{"x", "", "", "d"}));
    t.clearColumns(0, 2);
    EXPECT_EQ(t.row(0).columns, (std::vector<std::string>{"", ""}));
    t.setLink(0, 7);
    EXPECT_EQ(t.row(0).link, 7);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"changed 0,0", "changed 0,0", "changed 0,0"}));
}

TEST(RowTable, UpdateGuardNestsAndResumesOnException) {
    RowTable t;
    Recorder rec;
    t.setObserver(&rec);
    try {
        RowTable::UpdateGuard outer(t);
        RowTable::UpdateGuard inner(t);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(rec.log, (std::vector<std::string>{"suspend", "resume"}));
}
