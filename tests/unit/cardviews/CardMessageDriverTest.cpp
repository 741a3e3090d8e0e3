#include "store/CardMessageDriver.h"

#include "tests/unit/cardviews/CardDriverFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MessageDriverTest : public CardDriverFixture {
protected:
    void SetUp() override
    {
        CardDriverFixture::SetUp();
        rig.setMessages({{1, {"Hello", "0912345678"}}, {3, {"Second one", "0933"}}});
        views.cardNameIndex.add("Ann\\t+0912345678");
    }
    std::vector<std::string> column(const RowTable& t, std::size_t c)
    {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < t.size(); ++i) out.push_back(t.text(i, c));
        return out;
    }

    CardMessageDriver driver{views, host};
};

TEST_F(MessageDriverTest, ReadFillsOneRowPerRecordWithSenderAndStatus)
{
    ASSERT_TRUE(driver.read());
    ASSERT_EQ(msg.size(), 5u);
    EXPECT_EQ(column(msg, 0), (std::vector<std::string>{"Hello", "", "Second one", "", ""}));
    EXPECT_EQ(column(msg, 2), (std::vector<std::string>{"Ann", "", "", "", ""}));
    EXPECT_EQ(column(msg, 3)[1], "0");
    EXPECT_NE(column(msg, 3)[0], "0");
    ASSERT_EQ(msgShow.size(), 2u);
    EXPECT_EQ(msgShow.text(1, 3), "2");
    EXPECT_EQ(views.geometry.messageCapacity, 5);
    EXPECT_EQ(host.info, "2 messages");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MessageDriverTest, CardWithoutServiceCentreIsNotRead)
{
    rig.card.image().find(CardImage::kSmsp)->record(1)[12] = 0xFF;
    EXPECT_FALSE(driver.read());
    EXPECT_TRUE(msg.empty());
    EXPECT_EQ(rig.card.count(VirtualCard::kReadRecord), 1u) << "only the parameters record";
}

TEST_F(MessageDriverTest, UnreachableMessageFileIsReported)
{
    rig.card.image().find(CardImage::kSms)->id = 0x6F99;  // EF SMS missing
    EXPECT_FALSE(driver.read());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "SMS file error");
    EXPECT_EQ(prompter.shown[0].caption, "Question");
}

TEST_F(MessageDriverTest, FailedRecordReadKeepsTheRowsReadSoFar)
{
    rig.failRecord = 3;
    ASSERT_TRUE(driver.read());
    EXPECT_EQ(msg.size(), 2u);
    EXPECT_EQ(msgShow.size(), 1u);
}

TEST_F(MessageDriverTest, WriteSendsOnlyChangedRecordsAndReadsThemBack)
{
    ASSERT_TRUE(driver.read());
    msg.setColumns(0, {"Hello again", "0912345678", "Ann", "1"});
    msg.setColumns(1, {"New draft", "0944", "", ""});
    msg.setColumns(2, {"", "", "", ""});  // deleted
    rig.card.clearCounts();
    const auto result = driver.write();
    EXPECT_EQ(result.written, 3u);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 3u);
    EXPECT_EQ(column(msg, 0), (std::vector<std::string>{"Hello again", "New draft", "", "", ""}));
    EXPECT_EQ(msgShow.size(), 2u);

    rig.card.clearCounts();
    EXPECT_EQ(driver.write().written, 0u);
    EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 0u);
}

// Records past a failed read were never seen: a message added there must not overwrite one.
TEST_F(MessageDriverTest, WriteNeverTouchesRecordsTheReadDidNotReach)
{
    rig.failRecord = 3;
    ASSERT_TRUE(driver.read());
    ASSERT_EQ(views.addCardMessageRow("Draft\\t0944"), CardViews::AddResult::Added);  // record 3
    rig.failRecord = 0;
    rig.card.clearCounts();
    EXPECT_EQ(driver.write().written, 0u);
    EXPECT_EQ(rig.card.count(VirtualCard::kUpdateRecord), 0u);
    ASSERT_TRUE(driver.read());
    EXPECT_EQ(msg.text(2, 0), "Second one");
}

}  // namespace
