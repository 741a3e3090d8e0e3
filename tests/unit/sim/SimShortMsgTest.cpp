#include "sim/SimGeometry.h"
#include "sim/SimShortMsg.h"

#include "SimTestCard.h"
#include "SmsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kScaHex = "07 91 88 96 20 00 00 F0 FF FF FF FF";

// Answers the n-th command that starts with a prefix with a fixed reply or an exchange failure;
// every other command goes to the card.
class SequencedReader : public BentReader {
public:
    using BentReader::BentReader;

    struct Rule {
        std::vector<uint8_t> prefix;
        int occurrence;  // 1 = the first such command
        uint32_t status;
        std::vector<uint8_t> reply;
    };

    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override
    {
        const std::vector<uint8_t> apdu(command, command + length);
        for (Rule& rule : rules) {
            if (apdu.size() < rule.prefix.size() || !std::equal(rule.prefix.begin(), rule.prefix.end(), apdu.begin()))
                continue;
            if (--rule.occurrence != 0) continue;
            if (rule.status != 0) return rule.status;
            std::copy(rule.reply.begin(), rule.reply.end(), response);
            *responseLength = static_cast<uint32_t>(rule.reply.size());
            return 0;
        }
        return BentReader::qvDoApdu(command, length, response, responseLength);
    }

    std::vector<Rule> rules;
};

// The test card with a service-centre address in its message parameters and the sequenced
// reader in front of it.
struct MessageCard {
    explicit MessageCard(bool withServiceCentre = true) : reader(t.reader)
    {
        const std::string indicators = withServiceCentre ? "FD" : "FF";
        std::vector<uint8_t> smsp(40, 0xFF);
        smsp[12] = Hex::bytes(indicators)[0];
        const std::vector<uint8_t> sca = Hex::bytes(kScaHex);
        std::copy(sca.begin(), sca.end(), smsp.begin() + 25);
        t.setRecord(CardImage::kSmsp, 1, smsp);
        ReaderBinding::setService(&reader);
    }

    int64_t open()
    {
        int code = -7;
        const int64_t result = SimShortMsg::OpenSimShortMsgFile(code);
        lastCode = code;
        return result;
    }

    SimTestCard t;
    SequencedReader reader;
    int lastCode = 0;
};

const std::vector<uint8_t> kSelectMf = Hex::bytes("A0 A4 00 00 02 3F 00");
const std::vector<uint8_t> kSelectTelecom = Hex::bytes("A0 A4 00 00 02 7F 10");
const std::vector<uint8_t> kSelectSms = Hex::bytes("A0 A4 00 00 02 6F 3C");
const std::vector<uint8_t> kGetResponse = Hex::bytes("A0 C0");
// Header of a file of 30 records of 176 bytes, as GET RESPONSE returns it.
const std::string kSmsHeader = "00 00 14 A0 6F 3C 04 00 11 FF 44 01 02 01 B0";

TEST(SimShortMsg, OpensTheMessageFile)
{
    for (bool echo : {false, true}) {
        SCOPED_TRACE(echo ? "reader echoes the instruction byte" : "plain reader");
        MessageCard card;
        if (echo) card.reader.rules = {{kGetResponse, 2, 0, Hex::bytes("C0 " + kSmsHeader + " 90 00")}};
        EXPECT_EQ(card.open(), 30 * 65536 + 176);
        EXPECT_EQ(card.lastCode, -7);
        EXPECT_EQ(SimGeometry::message().recordLength, 176);
        EXPECT_EQ(SimGeometry::message().recordCount, 30);
        EXPECT_EQ(SimGeometry::message().fileSize, 30 * 176);
        EXPECT_EQ(Hex::format(SimShortMsg::serviceCentre()), "07 91 88 96 20 00 00 F0");
        EXPECT_EQ(card.t.pacer.sleeps, std::vector<unsigned>{2000});
    }
}

TEST(SimShortMsg, CardWithoutServiceCentreIsNotOpened)
{
    MessageCard card(false);
    EXPECT_EQ(card.open(), 0);
    EXPECT_EQ(card.lastCode, -7);
    EXPECT_TRUE(SimShortMsg::serviceCentre().empty());
    for (const auto& sent : card.t.reader.sent) EXPECT_NE(Hex::format(sent), Hex::format(kSelectSms));
}

TEST(SimShortMsg, OpeningFailuresGiveTheirErrorCodes)
{
    struct Case {
        const char* name;
        SequencedReader::Rule rule;
        int64_t result;
        int code;
    } const cases[] = {
        // The message parameters are read first: their SELECT 3F00 and 7F10 come before ours.
        {"master file exchange", {kSelectMf, 2, 0x1234, {}}, 0x1234, 1},
        {"master file refused 3F", {kSelectMf, 2, 0, {0x3F, 0x00}}, -1, 2},
        {"master file refused 41", {kSelectMf, 2, 0, {0x41, 0x00}}, -1, 2},
        {"master file refused 6F", {kSelectMf, 2, 0, {0x6F, 0x00}}, -1, 3},
        {"telecom exchange", {kSelectTelecom, 2, 0x0666, {}}, 0x0666, 4},
        {"telecom refused", {kSelectTelecom, 2, 0, {0x94, 0x04}}, -1, 5},
        {"message file exchange", {kSelectSms, 1, 0x0777, {}}, 0x0777, 6},
        {"message file refused", {kSelectSms, 1, 0, {0x94, 0x04}}, -1, 7},
        {"header exchange", {kGetResponse, 2, 0x0888, {}}, 0x0888, 8},
        {"header cut short", {kGetResponse, 2, 0, {0x00, 0x00, 0x14, 0xA0, 0x90, 0x00}}, -1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageCard card;
        card.reader.rules = {c.rule};
        EXPECT_EQ(card.open(), c.result);
        EXPECT_EQ(card.lastCode, c.code);
        const bool refused = c.result == -1 && c.code != 8;
        EXPECT_EQ(card.t.pacer.sleeps, refused ? std::vector<unsigned>{1000} : std::vector<unsigned>{});
    }
}

TEST(SimShortMsg, WrittenRecordsReadBackFromTheCard)
{
    struct Case {
        const char* name;
        ShortMsg written;
        int readResult;
        uint32_t status;   // as read back
        uint8_t coding;
        bool timed;
    } const cases[] = {
        {"received 7-bit", message("Hello {world}", "0912345678", 0), 0, 1, 0x00, true},
        {"unread Big5", message("\xA4\xA4\xA4\xE5 OK", "0912345678", 3), 0, 3, 0x08, true},
        {"to be sent with a number", message("Call me", "0987654321", 7), 0, 7, 0x00, false},
        {"to be sent without a number", message("Draft", "", 0), 0, 7, 0x00, false},
        {"empty text frees the record", message("", "0912345678", 1), 1001, 0, 0x00, false},
    };
    MessageCard card;
    ASSERT_GT(card.open(), 0);
    uint32_t record = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SimShortMsg::WriteSimShortMsg(record, c.written), kSmsWritten);
        ShortMsg back;
        back.text = "stale";
        EXPECT_EQ(SimShortMsg::ReadOneShortMsgByStructure(record, back), c.readResult);
        EXPECT_EQ(back.status, c.status);
        EXPECT_EQ(back.text, c.written.text);
        EXPECT_EQ(back.number, c.status == 0 ? "" : c.written.number);
        EXPECT_EQ(back.coding, c.coding);
        EXPECT_EQ(back.time != 0, c.timed);
        EXPECT_EQ(card.t.record(CardImage::kSms, record)[0], c.status);
        ++record;
    }
    EXPECT_EQ(card.t.reader.count(0xDC), std::size(cases));
}

TEST(SimShortMsg, RefusalsAndBadRecordNumbers)
{
    MessageCard card;
    ASSERT_GT(card.open(), 0);
    const ShortMsg msg = message("Hi", "0912", 1);
    EXPECT_EQ(SimShortMsg::WriteSimShortMsg(1, message("Hi", "09-12", 1)), kSmsBadStatus);
    EXPECT_EQ(SimShortMsg::WriteSimShortMsg(0, msg), SimShortMsg::kBadRecordNumber);
    EXPECT_EQ(SimShortMsg::WriteSimShortMsg(256, msg), SimShortMsg::kBadRecordNumber);
    ShortMsg read;
    EXPECT_EQ(SimShortMsg::ReadOneShortMsgByStructure(0, read), SimShortMsg::kBadRecordNumber);
    EXPECT_EQ(card.t.reader.count(0xDC), 0u);

    card.reader.rules = {{Hex::bytes("A0 DC 01"), 1, 0, {0x98, 0x04}}, {Hex::bytes("A0 DC 02"), 1, 0x0555, {}},
                         {Hex::bytes("A0 B2 03"), 1, 0x0666, {}}};
    EXPECT_EQ(SimShortMsg::WriteSimShortMsg(1, msg), 0x9804);
    EXPECT_EQ(SimShortMsg::WriteSimShortMsg(2, msg), 0x0555);
    read.text = "kept";
    EXPECT_EQ(SimShortMsg::ReadOneShortMsgByStructure(3, read), 0x0666);
    EXPECT_EQ(read.text, "kept");
}

TEST(SimShortMsg, DamagedRecordOnTheCardKeepsWhatWasDecoded)
{
    MessageCard card;
    ASSERT_GT(card.open(), 0);
    // Sender of 10 digits, then 160 bytes of UCS2 where only 156 are left in the record.
    card.t.setRecord(CardImage::kSms, 4, Hex::bytes("01 00 04 0A A1 90 21 43 65 87 00 08 42 30 51 21 03 54 23 A0"));
    ShortMsg msg;
    EXPECT_EQ(SimShortMsg::ReadOneShortMsgByStructure(4, msg), kSmsBadUserData);
    EXPECT_EQ(msg.number, "0912345678");
    EXPECT_EQ(msg.text, "");
}

TEST(SimShortMsg, DumpsRecordsWhileTheDebugFolderExists)
{
    MessageCard card;
    ASSERT_GT(card.open(), 0);
    ASSERT_EQ(SimShortMsg::WriteSimShortMsg(10, message("Hello", "0912", 1)), kSmsWritten);
    ShortMsg msg;
    SimShortMsg::ReadOneShortMsgByStructure(10, msg);
    EXPECT_FALSE(card.t.scratch.exists("Debug/0A.dat"));
    std::filesystem::create_directory(card.t.scratch.file("Debug"));
    SimShortMsg::ReadOneShortMsgByStructure(10, msg);
    const std::vector<uint8_t> stored = card.t.record(CardImage::kSms, 10);
    const std::string dump = card.t.scratch.read("Debug/0A.dat");
    ASSERT_EQ(dump.size(), stored.size() + 2);
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), reinterpret_cast<const uint8_t*>(dump.data())));
}

}  // namespace
