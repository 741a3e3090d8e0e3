#include "store/CardPhoneBookDriver.h"

#include "tests/unit/cardviews/CardDriverFixture.h"

#include "sim/SimPhoneBook.h"
#include "store/EntryLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PhoneDriverTest : public CardDriverFixture {
protected:
    void SetUp() override
    {
        CardDriverFixture::SetUp();
        rig.setPhoneRecords({{1, {"Ann", "+886912345678"}}, {2, {"Bob", "0922"}}, {5, {"Cat", "*31#"}}});
    }

    CardPhoneBookDriver driver{views, host};
};

TEST_F(PhoneDriverTest, ReadFillsOneRowPerRecordAndShowsTheUsedOnes)
{
    ASSERT_TRUE(driver.read());
    ASSERT_EQ(sim.size(), 10u);
    ASSERT_EQ(simShow.size(), 3u);
    EXPECT_EQ(sim.row(0).columns, (std::vector<std::string>{"Ann", "+886912345678"}));
    EXPECT_EQ(sim.row(4).columns, (std::vector<std::string>{"Cat", "*31#"}));
    EXPECT_EQ(sim.text(2, 0), "");
    EXPECT_EQ(simShow.text(2, 2), "4");
    EXPECT_EQ(views.geometry.phoneCapacity, 10);
    EXPECT_EQ(views.geometry.alphaLength, 14);
    EXPECT_EQ(host.info, "3 contacts");
    EXPECT_EQ(host.progress, 10) << "one step per record for a card of under 50 records";
    EXPECT_TRUE(host.states.empty());
}

TEST_F(PhoneDriverTest, FailedRecordReadKeepsTheRowsReadSoFar)
{
    rig.failRecord = 4;
    ASSERT_TRUE(driver.read()) << "the loop ran, so the phone book counts as loaded";
    EXPECT_EQ(sim.size(), 3u);
    EXPECT_EQ(simShow.size(), 2u);
    EXPECT_EQ(driver.imageSize(), 3u);
    // The card still answers its PIN state, so the state text stays.
    EXPECT_TRUE(host.states.empty());
}

TEST_F(PhoneDriverTest, PhoneBookOfMoreThanAThousandRecordsIsNotLoaded)
{
    CardTestRig big(CardImage::blank(1001, 5));
    ASSERT_FALSE(driver.read());
    EXPECT_EQ(sim.size(), 0u);
    EXPECT_EQ(host.states, (std::vector<std::string>{"Too many records"}));
    EXPECT_EQ(big.card.count(VirtualCard::kReadRecord), 0u);
}

TEST_F(PhoneDriverTest, WriteSendsOnlyTheChangedRecordsAndReadsThemBack)
{
    ASSERT_TRUE(driver.read());
    rig.card.clearCounts();
    sim.setColumns(1, {"Bobby", "0922"});    // changed name
    sim.setColumns(2, {"Dan", "0933"});      // free record used
    sim.setColumns(4, {"", ""});             // record emptied
    const auto result = driver.write();
    EXPECT_EQ(result.written, 3u);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 3u);
    EXPECT_EQ(host.info, "Contacts written");
    // The views were read again from the card.
    EXPECT_EQ(sim.text(1, 0), "Bobby");
    EXPECT_EQ(sim.text(2, 1), "0933");
    EXPECT_EQ(simShow.size(), 3u);

    rig.card.clearCounts();
    EXPECT_EQ(driver.write().written, 0u);
    EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 0u) << "nothing changed, nothing written";
}

TEST_F(PhoneDriverTest, WriteStopsAtTheFirstRefusedRecord)
{
    ASSERT_TRUE(driver.read());
    sim.setColumns(1, {"Bobby", "0922"});
    sim.setColumns(3, {"Eve", "0955"});
    rig.card.image().find(CardImage::kAdn)->updateAccess = ElementaryFile::kNever;
    rig.card.clearCounts();
    const auto result = driver.write();
    EXPECT_EQ(result.written, 0u);
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 1u);
    EXPECT_EQ(sim.text(1, 0), "Bobby") << "no re-read when nothing was written";
}

// Records past a failed read were never seen: rows added there must not overwrite them.
TEST_F(PhoneDriverTest, WriteNeverTouchesRecordsTheReadDidNotReach)
{
    rig.failRecord = 4;
    ASSERT_TRUE(driver.read());
    ASSERT_EQ(views.addCardPhoneRow("Zed\\t0999"), CardViews::AddResult::Added);  // record 4
    ASSERT_EQ(views.addCardPhoneRow("Yan\\t0888"), CardViews::AddResult::Added);  // record 5 holds Cat
    sim.setColumns(0, {"Anne", "+886912345678"});
    rig.failRecord = 0;
    rig.card.clearCounts();
    const auto result = driver.write();
    EXPECT_EQ(result.written, 1u) << "only the changed record that was read";
    EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 1u);
    std::string name, number;
    ASSERT_EQ(SimPhoneBook::ReadSimPhoneBook(5, name, number), 0u);
    EXPECT_EQ(name, "Cat");
    EXPECT_EQ(number, "*31#");
}

// A record whose text reads back differently from the card's bytes (escape-like text, a
// number with characters that are not dialled) is still unchanged when the user left it alone.
TEST_F(PhoneDriverTest, UntouchedRecordsAreNotRewrittenWhateverTheirText)
{
    const struct {
        const char* name;
        const char* number;
    } cases[] = {{"A\\tB", "0911"}, {"Line\\nTwo", "0922"}, {"Back\\\\slash", "0933"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rig.setPhoneRecords({{2, {c.name, c.number}}});
        ASSERT_TRUE(driver.read());
        rig.card.clearCounts();
        EXPECT_EQ(driver.write().written, 0u);
        EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 0u);
        std::string name, number;
        ASSERT_EQ(SimPhoneBook::ReadSimPhoneBook(2, name, number), 0u);
        EXPECT_EQ(EntryLine::stripTrailingBlanks(name), c.name);
    }
}

}  // namespace
