#include "store/CardViews.h"
#include "store/FreeRecordSearch.h"

#include "shell/LocalTexts.h"
#include "tests/support/ScriptedPrompter.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string line(const std::string& a, const std::string& b) { return a + "\\t" + b; }

// Four tables and the views over them, with the card-full text and a prompter that records.
class CardViewsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CodePage::setAnsi(950);
        Prompter::setCurrent(&prompter);
        LocalTexts::current().setHint(1, "Warning");
        LocalTexts::current().setHint(12, "The card is full");
        views.geometry = {10, 10, 14};
    }
    void TearDown() override
    {
        Prompter::setCurrent(nullptr);
        LocalTexts::current().clear();
        CodePage::setAnsi(0);
    }

    // Reads a 10-record phone book in which records 4 and 7 are free.
    void readPhoneBookWithGaps()
    {
        for (int record = 1; record <= 10; ++record) {
            const bool free = record == 4 || record == 7;
            ASSERT_EQ(views.addCardPhoneRow(free ? "\\t" : line("Name" + std::to_string(record), "09" + std::to_string(record))),
                      CardViews::AddResult::Added);
        }
    }

    std::vector<std::string> texts(const RowTable& t, std::size_t column)
    {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < t.size(); ++i) out.push_back(t.text(i, column));
        return out;
    }

    ScriptedPrompter prompter;
    RowTable sim, simShow, msg, msgShow;
    CardViews views{sim, simShow, msg, msgShow};
};

TEST_F(CardViewsFixture, CardReadBuildsOneRecordRowPerRecordAndShowsTheUsedOnes)
{
    readPhoneBookWithGaps();
    ASSERT_EQ(sim.size(), 10u);
    ASSERT_EQ(simShow.size(), 8u);
    EXPECT_EQ(sim.row(3).caption, "4");
    EXPECT_TRUE(FreeRecordSearch::isBlank(sim.row(3)));
    // The shown row for record 5 points at record row 4 (0-based), both as text and as link.
    EXPECT_EQ(simShow.text(3, 0), "Name5");
    EXPECT_EQ(simShow.text(3, 2), "4");
    EXPECT_EQ(simShow.row(3).link, 4);
    EXPECT_EQ(simShow.row(3).caption, "4");
}

TEST_F(CardViewsFixture, FullCardFillsTheFreeRecordsThenStopsWithTheWarning)
{
    readPhoneBookWithGaps();
    views.phoneCursor = 0;
    CardCheckModeScope check(views);
    EXPECT_EQ(views.addCardPhoneRow(line("Ann", "0911")), CardViews::AddResult::Added);
    EXPECT_EQ(views.phoneCursor, 3u);
    EXPECT_EQ(views.addCardPhoneRow(line("Bob", "0922")), CardViews::AddResult::Added);
    EXPECT_EQ(views.phoneCursor, 6u);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(views.addCardPhoneRow(line("Cat", "0933")), CardViews::AddResult::CardFull);

    EXPECT_EQ(texts(sim, 0)[3], "Ann");
    EXPECT_EQ(texts(sim, 0)[6], "Bob");
    EXPECT_EQ(sim.size(), 10u);
    EXPECT_EQ(sim.row(3).caption, "4") << "a reused record row keeps its caption";
    ASSERT_EQ(simShow.size(), 10u);
    EXPECT_EQ(simShow.text(8, 2), "3");
    EXPECT_EQ(simShow.text(9, 2), "6");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, Prompter::Kind::Warning);
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(prompter.shown[0].text, "The card is full");
    EXPECT_FALSE(views.checkMode) << "the card-full stop switches the check mode off";
    const auto names = texts(sim, 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), std::string("Cat")), 0);
}

TEST_F(CardViewsFixture, SearchWrapsOnceFromTheCursor)
{
    readPhoneBookWithGaps();
    views.phoneCursor = 5;  // record 7 first, then record 4 after the wrap
    EXPECT_EQ(views.addCardPhoneRow(line("Ann", "0911")), CardViews::AddResult::Added);
    EXPECT_EQ(sim.text(6, 0), "Ann");
    EXPECT_EQ(views.addCardPhoneRow(line("Bob", "0922")), CardViews::AddResult::Added);
    EXPECT_EQ(sim.text(3, 0), "Bob");
    EXPECT_EQ(views.phoneCursor, 3u);
}

struct PhoneCheckCase {
    const char* what;
    std::string line;
    bool checkMode;
    CardViews::AddResult result;
    std::string duplicates;
    std::string longNames;
};

TEST_F(CardViewsFixture, TransferChecksRefuseDuplicatesAndLongNamesOnlyInCheckMode)
{
    const PhoneCheckCase cases[] = {
        {"same name and number", line("Name1", "091"), true, CardViews::AddResult::Refused, "Name1,", ""},
        {"name differs only in case, number with separators", line("NAME1", "0-9 1"), true,
         CardViews::AddResult::Refused, "NAME1,", ""},
        {"same name, other number", line("Name1", "0912"), true, CardViews::AddResult::Added, "", ""},
        {"13-character name", line("Thirteen-char", "1"), true, CardViews::AddResult::Refused, "", "Thirteen-char,"},
        {"duplicate without check mode", line("Name1", "091"), false, CardViews::AddResult::Added, "", ""},
        {"long name without check mode", line("Thirteen-char", "1"), false, CardViews::AddResult::Added, "", ""},
    };
    for (const auto& c : cases) {
        sim.clear();
        simShow.clear();
        views.reports.clear();
        views.geometry.phoneCapacity = 250;
        ASSERT_EQ(views.addCardPhoneRow(line("Name1", "091")), CardViews::AddResult::Added);
        views.checkMode = c.checkMode;
        EXPECT_EQ(views.addCardPhoneRow(c.line), c.result) << c.what;
        EXPECT_EQ(views.reports.text(CardReportLists::Kind::Duplicate), c.duplicates) << c.what;
        EXPECT_EQ(views.reports.text(CardReportLists::Kind::LongName), c.longNames) << c.what;
        EXPECT_EQ(sim.size(), c.result == CardViews::AddResult::Added ? 2u : 1u) << c.what;
        views.checkMode = false;
    }
}

TEST_F(CardViewsFixture, RecordRowKeepsOnlyDialableCharactersAndIgnoresFurtherFields)
{
    views.geometry.phoneCapacity = 5;
    views.addCardPhoneRow("Ann\\t+886 (912) 345-678\\tann@example.org\\tremark");
    ASSERT_EQ(sim.size(), 1u);
    EXPECT_EQ(sim.row(0).columns, (std::vector<std::string>{"Ann", "+886912345678"}));
    EXPECT_EQ(simShow.row(0).columns, (std::vector<std::string>{"Ann", "+886912345678", "0"}));
}

TEST_F(CardViewsFixture, MessagesGetTheirSenderFromTheCardNameIndex)
{
    views.geometry.phoneCapacity = 5;
    views.addCardPhoneRow(line("Ann", "+0912"));
    views.addCardPhoneRow(line("NoNumber", ""));
    views.addCardPhoneRow(line("Bob", "0933"));
    views.cardNameIndex.buildFromCardView(sim);
    ASSERT_EQ(views.cardNameIndex.size(), 3u);

    views.addCardMessageRow(line("Hello", "0912"));
    views.addCardMessageRow(line("", "0933"));       // no text: no sender
    views.addCardMessageRow(line("Draft", ""));      // no number: no sender
    views.addCardMessageRow(line("Hi", "0912 "));    // numbers compare exactly
    EXPECT_EQ(texts(msg, 2), (std::vector<std::string>{"Ann", "", "", ""}));
    ASSERT_EQ(msgShow.size(), 4u) << "a line with a number is not an empty line";
    EXPECT_EQ(msgShow.row(0).columns, (std::vector<std::string>{"Hello", "0912", "Ann", "0"}));
    EXPECT_EQ(msgShow.row(1).link, 1);
}

TEST_F(CardViewsFixture, LongMessagesAreRefusedOnlyInCheckMode)
{
    const std::string longText(141, 'x');
    views.checkMode = true;
    EXPECT_EQ(views.addCardMessageRow(line(longText, "0912")), CardViews::AddResult::Refused);
    EXPECT_EQ(views.addCardMessageRow(line(std::string(140, 'x'), "0912")), CardViews::AddResult::Added);
    EXPECT_EQ(views.reports.text(CardReportLists::Kind::LongMessage), longText + ",");
    EXPECT_EQ(views.reports.take(CardReportLists::Kind::LongMessage), longText + ",");
    EXPECT_TRUE(views.reports.empty(CardReportLists::Kind::LongMessage));
    views.checkMode = false;
    EXPECT_EQ(views.addCardMessageRow(line(longText, "0912")), CardViews::AddResult::Added);
    EXPECT_EQ(msg.size(), 2u);
}

TEST_F(CardViewsFixture, ReadMessagesKeepTheirStatusAndShowOnlyTexts)
{
    views.geometry.messageCapacity = 3;
    views.addReadMessage("Hello", "0912", "1");
    views.addReadMessage("", "", "0");
    views.addReadMessage("", "0933", "3");
    ASSERT_EQ(msg.size(), 3u);
    EXPECT_EQ(texts(msg, 3), (std::vector<std::string>{"1", "0", "3"}));
    ASSERT_EQ(msgShow.size(), 1u);
    EXPECT_EQ(msgShow.text(0, 3), "0");
    // The card is now full of records; a fourth message reuses the free record.
    views.messageCursor = 0;
    EXPECT_EQ(views.addCardMessageRow(line("New", "0944")), CardViews::AddResult::Added);
    EXPECT_EQ(msg.text(1, 0), "New");
    EXPECT_EQ(msg.row(1).caption, "2");
    EXPECT_EQ(msgShow.text(1, 3), "1");
}

TEST_F(CardViewsFixture, AnUndecodableUsedMessageRecordIsNeverTakenForAFreeOne)
{
    views.geometry.messageCapacity = 3;
    views.addReadMessage("Hello", "0912", "1");
    views.addReadMessage("", "", "3");  // used, but its text could not be decoded
    views.addReadMessage("", "", "0");  // free
    views.messageCursor = 0;
    EXPECT_EQ(views.addCardMessageRow(line("New", "0944")), CardViews::AddResult::Added);
    EXPECT_EQ(msg.text(1, 3), "3");
    EXPECT_EQ(msg.text(1, 0), "");
    EXPECT_EQ(msg.text(2, 0), "New");
    EXPECT_NE(views.addCardMessageRow(line("More", "0955")), CardViews::AddResult::Added);  // the card is full
    EXPECT_EQ(msg.text(1, 3), "3");
}

TEST_F(CardViewsFixture, CheckModeScopeEndsWithTheCommand)
{
    {
        CardCheckModeScope scope(views);
        EXPECT_TRUE(views.checkMode);
    }
    EXPECT_FALSE(views.checkMode);
}

}  // namespace
