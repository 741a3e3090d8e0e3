#include "store/CatalogList.h"
#include "store/CatalogRows.h"
#include "store/EntryLine.h"
#include "store/NameIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = CatalogRows::Kind;
using Lines = std::vector<std::string>;
const CatalogCaptions kNames{"Default", "All"};

std::vector<std::string> namesOf(const CatalogList& list) { return list.names(); }

// Fills a phone view the way the window does when the root is selected.
void showAll(Kind kind, RowTable& view, const CatalogList& list, const NameIndex& index = {}) {
    CatalogRows::showCatalog(kind, view, list, kNames.rootCaption, kNames, index);
}

}  // namespace

TEST(CatalogRows, PhoneRowsFillMissingFieldsAndNumberRows) {
    RowTable view;
    const std::vector<std::pair<std::string, Lines>> cases = {
        {R"(Ann\t0912\t\t)", {"Ann", "0912", "", "", "Work"}},
        {"Bob", {"Bob", "", "", "", "Work"}},
        {R"(two\nwords\t1)", {"two\r\nwords", "1", "", "", "Work"}},
        {R"(\t\t\t)", {"", "", "", "", "Work"}},  // the empty phone entry is still a row
    };
    for (const auto& [line, cols] : cases) {
        ASSERT_TRUE(CatalogRows::addPhoneRow(view, line, "Work", kNames));
        EXPECT_EQ(view.row(view.size() - 1).columns, cols) << line;
        EXPECT_EQ(view.row(view.size() - 1).caption, std::to_string(view.size()));
    }
    EXPECT_FALSE(CatalogRows::addPhoneRow(view, R"(\t)", "Work", kNames));
    EXPECT_EQ(view.size(), cases.size());
}

TEST(CatalogRows, RowsWithoutCatalogOrUnderTheRootGoToTheDefault) {
    RowTable phones, messages;
    for (const std::string c : {"", "All"}) {
        CatalogRows::addPhoneRow(phones, "x", c, kNames);
        CatalogRows::addMessageRow(messages, "x", c, kNames, NameIndex{});
    }
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(phones.text(i, 4), "Default");
        EXPECT_EQ(messages.text(i, 2), "Default");
    }
    CatalogRows::addPhoneRow(phones, "x", "all", kNames);  // root comparison is exact
    EXPECT_EQ(phones.text(2, 4), "all");
}

TEST(CatalogRows, MessageRowsFindTheSenderName) {
    NameIndex index;
    for (const char* l : {R"(Trailing\t+0912 \t\t)", R"(Spaced\t+ 0912\t\t)", R"(Plus\t+0912\t\t)",
                          R"(Later\t0912\t\t)", R"(Case\tAbc\t\t)"})
        index.add(l);
    struct Case { std::string line; Lines cols; };
    const std::vector<Case> cases = {
        {R"(hi\t0912)", {"hi", "0912", "Box", "Plus"}},
        {R"(\t0912)", {"", "0912", "Box", ""}},            // no text: no name
        {R"(hi\t0912 )", {"hi", "0912 ", "Box", "Trailing"}},
        {R"(hi\tabc)", {"hi", "abc", "Box", ""}},           // byte for byte
        {R"(a\nb\t5\tignored)", {"a\r\nb", "5", "Box", ""}},  // third field ignored
    };
    RowTable view;
    for (const auto& c : cases) {
        CatalogRows::addMessageRow(view, c.line, "Box", kNames, index);
        EXPECT_EQ(view.row(view.size() - 1).columns, c.cols) << c.line;
    }
}

TEST(CatalogRows, CardNameIndexComesFromTheCardViewRows) {
    RowTable sim;
    NameIndex index;
    index.add(R"(Old\t1)");
    index.buildFromCardView(sim);  // empty view: previous index stays
    EXPECT_EQ(index.lines(), Lines{R"(Old\t1)"});
    sim.appendTexts({"Ann", "+0912"});
    sim.appendTexts({"", ""});
    std::size_t calls = 0;
    index.buildFromCardView(sim, [&](std::size_t) { ++calls; });
    EXPECT_EQ(index.lines(), (Lines{R"(Ann\t+0912)", R"(\t)"}));
    EXPECT_EQ(calls, 2u);
    EXPECT_EQ(index.senderName("0912", "text"), "Ann");
    EXPECT_EQ(index.senderName("1", "text"), "");
}

TEST(CatalogRows, ShowCatalogPicksOneOrAll) {
    CatalogList list;
    list.append("A", {"a1", "a2"});
    list.append("B", {"b1"});
    RowTable view;
    CatalogRows::showCatalog(Kind::Phone, view, list, "B", kNames, {});
    ASSERT_EQ(view.size(), 1u);
    EXPECT_EQ(view.text(0, 0), "b1");
    showAll(Kind::Phone, view, list);
    ASSERT_EQ(view.size(), 3u);
    EXPECT_EQ(view.text(2, 4), "B");
    EXPECT_EQ(view.row(2).caption, "3");
    CatalogRows::showCatalog(Kind::Phone, view, list, "b", kNames, {});  // exact name only
    EXPECT_TRUE(view.empty());
}

TEST(CatalogRows, WriteBackOneCatalogReplacesItsLines) {
    CatalogList list;
    list.append("Work", {"old"});
    list.append("Home", {"h"});
    RowTable view;
    CatalogRows::addPhoneRow(view, R"(Ann\t1\tann@x\tline1\nline2)", "Work", kNames);
    CatalogRows::addPhoneRow(view, "Bob", "Work", kNames);
    EXPECT_TRUE(CatalogRows::writeBack(Kind::Phone, view, "WORK", list, {"All", "Work", "Home"}, kNames));
    EXPECT_EQ(list[0].lines, (Lines{R"(Ann\t1\tann@x\tline1\nline2)", R"(Bob\t\t\t)"}));
    EXPECT_EQ(list[1].lines, Lines{"h"});
    // unknown catalog: nothing stored; no tree: nothing at all
    EXPECT_TRUE(CatalogRows::writeBack(Kind::Phone, view, "Gone", list, {"All"}, kNames));
    EXPECT_FALSE(CatalogRows::writeBack(Kind::Phone, view, "Home", list, {}, kNames));
    EXPECT_EQ(list[1].lines, Lines{"h"});
}

TEST(CatalogRows, WriteBackAllOrdersCatalogsWithRowsDescendingThenEmptyOnes) {
    for (Kind kind : {Kind::Phone, Kind::Message}) {
        CatalogList list;
        list.append("A", {"a1", "a2"});
        list.append("B");
        list.append("C", {"c1"});
        RowTable view;
        showAll(kind, view, list);
        view.sortBy(0, RowTable::Order::Ascending);
        const int catalogViewColumn = static_cast<int>(CatalogRows::catalogColumn(kind)) + 1;
        view.setSortOrder(catalogViewColumn, RowTable::Order::Ascending);
        ASSERT_TRUE(CatalogRows::writeBack(kind, view, "All", list, {"All", "A", "B", "C"}, kNames));
        EXPECT_EQ(namesOf(list), (Lines{"C", "A", "B"}));
        const std::string third = kind == Kind::Message ? R"(\tA)" : R"(\t\t)";
        EXPECT_EQ(list[1].lines, (Lines{R"(a1\t)" + third, R"(a2\t)" + third}));
        EXPECT_TRUE(list[2].lines.empty());
        // the view is back in its own order and the catalog column keeps its direction
        EXPECT_EQ(view.sortColumn(), 0);
        EXPECT_EQ(view.sortOrder(catalogViewColumn), RowTable::Order::Ascending);
        EXPECT_EQ(view.text(0, 0), "a1");
    }
}

TEST(CatalogRows, WriteBackAllOnAnEmptyViewKeepsEveryCatalog) {
    CatalogList list;
    list.append("A", {"a1"});
    list.append("B", {"b1"});
    RowTable view;
    EXPECT_TRUE(CatalogRows::writeBack(Kind::Phone, view, "All", list, {"All", "A", "B"}, kNames));
    EXPECT_EQ(namesOf(list), (Lines{"A", "B"}));
    EXPECT_EQ(list[0].lines, Lines{"a1"});
}

TEST(CatalogRows, MessageLineKeepsThreeFieldsAndReadsBackWithoutTheThird) {
    RowTable view;
    CatalogRows::addMessageRow(view, "first\\nsecond\\t0912\\tsender", "Box", kNames, NameIndex{});
    const std::string line = CatalogRows::lineOf(Kind::Message, view, 0);
    EXPECT_EQ(line, R"(first\nsecond\t0912\tBox)");
    RowTable again;
    CatalogRows::addMessageRow(again, line, "Other", kNames, NameIndex{});
    EXPECT_EQ(again.row(0).columns, (Lines{"first\r\nsecond", "0912", "Other", ""}));
}
