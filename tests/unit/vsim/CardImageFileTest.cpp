// Card image files: syntax errors named by file and line, save and load round trip, and the
// shipped demo cards.
#include "tests/support/ScratchDir.h"
#include "vsim/CardImageFile.h"
#include "vsim/Hex.h"
#include "vsim/VirtualCard.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct BadImage {
    const char* name;
    std::string text;
    std::string error;
};

void PrintTo(const BadImage& c, std::ostream* os) { *os << c.name; }

class CardImageErrors : public testing::TestWithParam<BadImage> {};

TEST_P(CardImageErrors, NameFileAndLine)
{
    CardImage img = CardImage::blank();
    const size_t filesBefore = img.files.size();
    std::string error;
    EXPECT_FALSE(CardImageFile::parse(GetParam().text, "x.card", img, error));
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(img.files.size(), filesBefore);  // a refused image leaves the target alone
}

const std::string kAdn = "ef 6F3A linear records=3 length=4\n";

INSTANTIATE_TEST_SUITE_P(
    Syntax, CardImageErrors,
    testing::Values(
        BadImage{"UnknownKeyword", "# comment\n\nrecrod 1 00\n", "x.card:3: unknown keyword 'recrod'"},
        BadImage{"RecordBeforeEf", "record 1 00\n", "x.card:1: no ef before this line"},
        BadImage{"RecordOutside", kAdn + "record 4 00\n", "x.card:2: record 4 outside 1..3"},
        BadImage{"RecordZero", kAdn + "record 0 00\n", "x.card:2: record 0 outside 1..3"},
        BadImage{"RecordTooLong", kAdn + "record 1 00 01 02 03 04\n", "x.card:2: record 1 has 5 bytes, more than 4"},
        BadImage{"BadHex", kAdn + "record 1 0G\n", "x.card:2: bad hex bytes"},
        BadImage{"OddHex", kAdn + "record 1 012\n", "x.card:2: bad hex bytes"},
        BadImage{"MissingLength", "ef 6F3A linear records=3\n", "x.card:1: missing length"},
        BadImage{"BadFileId", "ef 6G3A linear records=3 length=4\n", "x.card:1: bad file id '6G3A'"},
        BadImage{"UnknownStructure", "ef 6F3A heap size=3\n", "x.card:1: unknown structure 'heap'"},
        BadImage{"DuplicateFile", kAdn + kAdn, "x.card:2: file 6F3A defined twice"},
        BadImage{"DataInRecordFile", kAdn + "data 00\n", "x.card:2: data line in a record file"},
        BadImage{"DataPastSize", "ef 2FE2 transparent parent=3F00 size=2\ndata 01 02\ndata 03\n",
                 "x.card:3: data past the file size"},
        BadImage{"BadCondition", "ef 6F3A linear records=3 length=4 read=PIN\n",
                 "x.card:1: bad access condition 'PIN'"},
        BadImage{"UnknownAttribute", "ef 6F3A linear records=3 length=4 colour=red\n",
                 "x.card:1: unknown attribute 'colour'"},
        BadImage{"PinLetters", "chv1 pin=12a4\n", "x.card:1: pin must be 4 to 8 digits"},
        BadImage{"PukShort", "chv1 puk=1234\n", "x.card:1: puk must be 8 to 8 digits"},
        BadImage{"AttemptsTooMany", "chv1 attempts=16\n", "x.card:1: bad attempts '16'"},
        BadImage{"EnabledMaybe", "\r\nchv1 enabled=maybe\r\n", "x.card:2: expected yes or no, got 'maybe'"},
        BadImage{"EmptyAtr", "atr\n", "x.card:1: an answer to reset has 1 to 33 bytes"}));

TEST(CardImageFiles, MissingFileIsNamed)
{
    CardImage img;
    std::string error;
    EXPECT_FALSE(CardImageFile::load("/nonexistent/dir/a.card", img, error));
    EXPECT_EQ(error, "/nonexistent/dir/a.card: cannot be opened");
}

TEST(CardImageFiles, SaveAndLoadKeepEverything)
{
    CardImage img = CardImage::blank(5, 3);
    img.atr = Hex::bytes("3B 9F 95 80 1F");
    img.chv.enabled = true;
    img.chv.pin = ChvState::block("87654321");
    img.chv.puk = ChvState::block("11223344");
    img.chv.attemptsLeft = 1;
    img.chv.unblockAttemptsLeft = 7;
    img.find(CardImage::kAdn)->record(5)[3] = 0x00;
    img.find(CardImage::kSms)->record(1)[0] = 0x03;
    img.find(CardImage::kIccid)->body = Hex::bytes("98 68 00 71 02 03 45 67 89 F0");
    img.find(CardImage::kMsisdn)->invalidated = true;
    img.find(CardImage::kSmsp)->structure = ElementaryFile::Structure::Cyclic;
    img.find(CardImage::kExt1)->readAccess = ElementaryFile::kAdmin;

    ScratchDir dir;
    std::string error;
    ASSERT_TRUE(CardImageFile::save(img, dir.file("a.card"), error)) << error;
    EXPECT_FALSE(dir.exists("a.card.tmp"));
    CardImage back;
    ASSERT_TRUE(CardImageFile::load(dir.file("a.card"), back, error)) << error;

    EXPECT_EQ(back.atr, img.atr);
    EXPECT_EQ(back.chv.pin, img.chv.pin);
    EXPECT_EQ(back.chv.puk, img.chv.puk);
    EXPECT_EQ(back.chv.enabled, true);
    EXPECT_EQ(back.chv.attemptsLeft, 1);
    EXPECT_EQ(back.chv.unblockAttemptsLeft, 7);
    ASSERT_EQ(back.files.size(), img.files.size());
    for (size_t i = 0; i < img.files.size(); ++i) {
        const ElementaryFile &a = img.files[i], &b = back.files[i];
        SCOPED_TRACE(a.id);
        EXPECT_EQ(b.id, a.id);
        EXPECT_EQ(b.parent, a.parent);
        EXPECT_EQ(b.structure, a.structure);
        EXPECT_EQ(b.recordLength, a.recordLength);
        EXPECT_EQ(b.readAccess, a.readAccess);
        EXPECT_EQ(b.updateAccess, a.updateAccess);
        EXPECT_EQ(b.invalidated, a.invalidated);
        EXPECT_EQ(b.body, a.body);
    }
    EXPECT_EQ(CardImageFile::format(back), CardImageFile::format(img));
}

TEST(CardImageFiles, SaveIntoMissingDirectoryFails)
{
    std::string error;
    EXPECT_FALSE(CardImageFile::save(CardImage::blank(), "/nonexistent/dir/a.card", error));
    EXPECT_FALSE(error.empty());
}

std::string cardPath(const std::string& name) { return std::string(QUILLON_SOURCE_DIR) + "/vsim/cards/" + name; }

TEST(DemoCards, HoldTheRecordsTheDemoNeeds)
{
    CardImage img;
    std::string error;
    ASSERT_TRUE(CardImageFile::load(cardPath("demo.card"), img, error)) << error;
    EXPECT_FALSE(img.chv.enabled);

    const ElementaryFile* adn = img.find(CardImage::kAdn);
    ASSERT_TRUE(adn);
    EXPECT_GE(adn->recordCount(), 250u);
    std::set<uint8_t> nameFormats;
    size_t used = 0, extended = 0;
    for (size_t n = 1; n <= adn->recordCount(); ++n) {
        const uint8_t* r = adn->record(n);
        if (r[0] == 0xFF && r[adn->recordLength - 14] == 0xFF) continue;
        ++used;
        if (r[0] >= 0x80) nameFormats.insert(r[0]);
        if (r[adn->recordLength - 1] != 0xFF) ++extended;
    }
    EXPECT_GE(used, 24u);
    EXPECT_EQ(nameFormats, (std::set<uint8_t>{0x80, 0x81, 0x82}));
    EXPECT_GE(extended, 1u);

    const ElementaryFile* sms = img.find(CardImage::kSms);
    ASSERT_TRUE(sms);
    EXPECT_GE(sms->recordCount(), 30u);
    EXPECT_EQ(sms->recordLength, 176);
    std::set<uint8_t> statuses;
    for (size_t n = 1; n <= sms->recordCount(); ++n) statuses.insert(sms->record(n)[0]);
    EXPECT_EQ(statuses, (std::set<uint8_t>{0x00, 0x01, 0x03, 0x07}));

    for (uint16_t id : {CardImage::kIccid, CardImage::kMsisdn, CardImage::kSmsp, CardImage::kExt1}) {
        const ElementaryFile* f = img.find(id);
        ASSERT_TRUE(f) << id;
        EXPECT_NE(f->body[0], 0xFF) << id;
    }
}

TEST(DemoCards, PinCardAsksForPin1234)
{
    CardImage img;
    std::string error;
    ASSERT_TRUE(CardImageFile::load(cardPath("demo-pin.card"), img, error)) << error;
    VirtualCard card(img);
    auto send = [&](const std::string& apdu) { return Hex::format(card.transmit(Hex::bytes(apdu))); };
    send("A0 A4 00 00 02 7F 10");
    send("A0 A4 00 00 02 6F 3A");
    EXPECT_EQ(send("A0 B2 01 04 1C"), "98 04");
    EXPECT_EQ(send("A0 20 00 01 08 31 32 33 34 FF FF FF FF"), "90 00");
    EXPECT_EQ(send("A0 B2 01 04 1C").substr(0, 11), "41 6C 69 63");  // "Alic"
}

}  // namespace
