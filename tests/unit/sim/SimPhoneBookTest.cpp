#include "shell/Log.h"
#include "sim/SimFiles.h"
#include "sim/SimGeometry.h"
#include "sim/SimPhoneBook.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr uint16_t kAdn = 0x6F3A;
constexpr uint16_t kExt1 = 0x6F4A;

const char* kTwentyDigits = "41 FF FF FF FF FF FF FF FF FF FF FF FF FF 0B 81 10 32 54 76 98 10 32 54 76 98 FF 05";

class SimPhoneBookTest : public testing::Test {
protected:
    SimTestCard card;

    std::pair<std::string, std::string> read(uint32_t index, uint16_t expected = 0)
    {
        std::string name, number;
        EXPECT_EQ(SimPhoneBook::ReadSimPhoneBook(index, name, number), expected) << "record " << index;
        return {name, number};
    }
};

TEST_F(SimPhoneBookTest, OpenLearnsTheGeometryAlsoWhenTheReaderEchoes)
{
    for (bool echo : {false, true}) {
        card.reader.echoInstruction = echo;
        SimGeometry::phone() = {};
        ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0) << echo;
        EXPECT_EQ(SimGeometry::phone().recordLength, 28);
        EXPECT_EQ(SimGeometry::phone().nameWidth, 14);
        EXPECT_EQ(SimGeometry::phone().recordCount, 250);
    }
}

TEST_F(SimPhoneBookTest, RecordLengthZeroCountsTheFileSize)
{
    // GET RESPONSE: file size 01F4, record length 0
    card.reader.replies[hexBytes("A0 C0")] = hexBytes("00 00 01 F4 6F 3A 04 00 11 FF 44 01 02 01 00 90 00");
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    EXPECT_EQ(SimGeometry::phone().recordCount, 500);
    EXPECT_EQ(SimGeometry::phone().recordLength, 1);
    EXPECT_EQ(SimGeometry::phone().reportedLength, 0);
    EXPECT_EQ(SimGeometry::phone().nameWidth, -14);
    read(1, SimFiles::kDamagedData);  // a one-byte record has no room for a number
}

TEST_F(SimPhoneBookTest, OpenReturnsTheExchangeErrorOfTheSelect)
{
    card.reader.failures[hexBytes("A0 A4 00 00 02 6F 3A")] = 0x0016;
    EXPECT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0x0016);
    EXPECT_EQ(card.reader.count(0xC0), 0u);
}

struct Entry {
    int codePage;
    std::string name;
    std::string number;
    const char* bytes;  // record on the card ("" = not checked)
};

void PrintTo(const Entry& c, std::ostream* os) { *os << std::to_string(c.codePage) + "_" + caseText(c.name) + "_" + caseText(c.number); }

class SimPhoneBookRoundTrip : public testing::TestWithParam<Entry> {};

TEST_P(SimPhoneBookRoundTrip, WritesTheCardAndReadsItBack)
{
    SimTestCard card(CardImage::blank(), GetParam().codePage);
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    ASSERT_EQ(SimPhoneBook::WriteSimPhoneBook(7, GetParam().name, GetParam().number), 0);
    if (*GetParam().bytes) {
        EXPECT_EQ(card.record(kAdn, 7), hexBytes(GetParam().bytes));
    }
    for (bool echo : {false, true}) {
        card.reader.echoInstruction = echo;
        std::string name = "old", number = "old";
        ASSERT_EQ(SimPhoneBook::ReadSimPhoneBook(7, name, number), 0);
        EXPECT_EQ(name, GetParam().name) << echo;
        EXPECT_EQ(number, GetParam().number.substr(0, 20)) << echo;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SimPhoneBookRoundTrip, testing::Values(
    Entry{950, "Anna", "+886912345678",
          "41 6E 6E 61 FF FF FF FF FF FF FF FF FF FF 07 91 88 96 21 43 65 87 FF FF FF FF FF FF"},
    Entry{950, "\xA3\xE1" "uro", "1", "1B 65 75 72 6F FF FF FF FF FF FF FF FF FF 02 81 F1 FF FF FF FF FF FF FF FF FF FF FF"},
    Entry{950, "\xA4\xA4\xA4\xE5", "*31#0912", ""},
    Entry{950, "", "", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    Entry{1251, "\xCF\xF0\xE8", "123456789012345678901", ""},
    Entry{1252, "M\xE1ria", "0", ""}));

TEST_F(SimPhoneBookTest, TwentyDigitsWithAnExtensionReadTheExtensionRecord)
{
    card.setRecord(kAdn, 1, hexBytes(kTwentyDigits));
    card.setRecord(kAdn, 2, hexBytes("42 FF FF FF FF FF FF FF FF FF FF FF FF FF 02 81 F9"));
    card.setRecord(kExt1, 5, hexBytes("02 03 21 43 F5 FF FF FF FF FF FF FF FF"));
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    EXPECT_EQ(read(1), std::make_pair(std::string("A"), std::string("0123456789012345678912345")));
    EXPECT_EQ(card.reader.sent[card.reader.sent.size() - 1], hexBytes("A0 C0 00 00 0F"));  // phone book reselected
    EXPECT_EQ(read(2), std::make_pair(std::string("B"), std::string("9")));
}

TEST_F(SimPhoneBookTest, AnExtensionIdOutsideTheFileKeepsTheTwentyDigits)
{
    std::vector<uint8_t> record = hexBytes(kTwentyDigits);
    record.back() = 0x40;  // EXT1 has 10 records
    card.setRecord(kAdn, 1, record);
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    EXPECT_EQ(read(1, SimFiles::kDamagedData).second, "01234567890123456789");
    EXPECT_EQ(card.reader.count(0xB2), 1u);  // no extension record was read
}

TEST_F(SimPhoneBookTest, AFailedExtensionSelectKeepsTheNameOnly)
{
    card.setRecord(kAdn, 1, hexBytes(kTwentyDigits));
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    card.reader.failures[hexBytes("A0 A4 00 00 02 6F 4A")] = 0x0009;
    std::string name, number = "kept";
    EXPECT_EQ(SimPhoneBook::ReadSimPhoneBook(1, name, number), 0x0009);
    EXPECT_EQ(name, "A");
    EXPECT_EQ(number, "kept");
}

TEST_F(SimPhoneBookTest, ADamagedNameGivesWhatFitsAndAResultCode)
{
    card.setRecord(kAdn, 3, hexBytes("81 FF 00 41 42 43 44 45 46 47 48 49 4A 4B 02 81 F1"));
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    EXPECT_EQ(read(3, SimFiles::kDamagedData), std::make_pair(std::string("ABCDEFGHIJK"), std::string("1")));
}

TEST_F(SimPhoneBookTest, AShortResponseIsReportedAndReadsAsPadding)
{
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    card.reader.replies[hexBytes("A0 B2 04")] = hexBytes("41 42 90 00");
    EXPECT_EQ(read(4, SimFiles::kDamagedData), std::make_pair(std::string("AB"), std::string()));
}

TEST_F(SimPhoneBookTest, RecordNumbersOutsideOneByteAreRefusedWithoutAnExchange)
{
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    const size_t before = card.reader.sent.size();
    for (uint32_t index : {0u, 256u, 0x10001u}) {
        read(index, SimPhoneBook::kBadRecordNumber);
        EXPECT_EQ(SimPhoneBook::WriteSimPhoneBook(index, "A", "1"), SimPhoneBook::kBadRecordNumber);
    }
    EXPECT_EQ(card.reader.sent.size(), before);
}

TEST_F(SimPhoneBookTest, AWriteTheCardRefusesIsNotReportedAsDone)
{
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    card.file(kAdn).updateAccess = ElementaryFile::kNever;
    const uint16_t result = SimPhoneBook::WriteSimPhoneBook(1, "A", "1");
    EXPECT_NE(result, 0);
    EXPECT_EQ(result >> 8, 0x98);  // the card's security status word
}

TEST_F(SimPhoneBookTest, UpdateSendsExactlyOneRecord)
{
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    ASSERT_EQ(SimPhoneBook::WriteSimPhoneBook(2, "Anna", "1"), 0);
    EXPECT_EQ(card.reader.sent.back().size(), 5u + 28u);
    EXPECT_EQ(card.record(kAdn, 3), std::vector<uint8_t>(28, 0xFF));
}

TEST_F(SimPhoneBookTest, DumpsGoToTheDebugFolderWhenItExists)
{
    card.setRecord(kAdn, 1, hexBytes(kTwentyDigits));
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    read(2);
    EXPECT_FALSE(std::filesystem::exists(card.scratch.file("Debug")));
    std::filesystem::create_directory(card.scratch.file("Debug"));
    read(1);
    read(0x1A);
    for (const char* name : {"Phone_01.dat", "Phone_01_2_6f4a.dat", "Phone_01_2_a0c0.dat", "Phone_01_2.dat", "Phone_1A.dat"})
        EXPECT_TRUE(card.scratch.exists("Debug/" + std::string(name))) << name;
    const std::string dump = card.scratch.read("Debug/Phone_01.dat");
    std::vector<uint8_t> expected = hexBytes(kTwentyDigits);
    expected.push_back(0x90);
    expected.push_back(0x00);
    EXPECT_EQ(std::vector<uint8_t>(dump.begin(), dump.end()), expected);
}

TEST_F(SimPhoneBookTest, TraceLinesFollowEachOtherInTheLog)
{
    card.scratch.write("Debug/Quillon.LOG", "");
    Log::start("Debug/Quillon.Log", true, card.scratch.path(), card.scratch.path());
    ASSERT_EQ(SimPhoneBook::OpenSimPhoneFile(), 0);
    read(3);
    card.reader.failures[hexBytes("A0 B2")] = 0x0016;
    read(4, 0x0016);
    Log::reset();
    const std::string log = card.scratch.read("Debug/Quillon.LOG");
    size_t at = 0;
    for (const char* line : {"OpenSimPhoneFile start\r\n", "SimAPDU start pcInBuf=A0 A4 00 00 02 3F 00,dwSize=7,",
                             "SimAPDU start pcInBuf=A0 A4 00 00 02 6F 3A,dwSize=7,",
                             "Vexa Test wTotal=250,wFilesize=7000,wPhoneRecSize=28\r\n", "OpenSimPhoneFile end\r\n",
                             "ReadSimPhoneBook start,dwIndex=3,pcName=,pcTel=\r\n", "SimAPDU start pcInBuf=A0 B2 03 04 1C,",
                             "ReadSimPhoneBook end\r\n", "ReadSimPhoneBook start,dwIndex=4,", "ReadSimPhoneBook dwok=22\r\n"}) {
        const size_t found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << "\n" << log;
        at = found;
    }
}

}  // namespace
