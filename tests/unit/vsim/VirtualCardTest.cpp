// The virtual SIM card: status words, file headers, records, PIN counting and access rules.
#include "vsim/Hex.h"
#include "vsim/VirtualCard.h"

#include <gtest/gtest.h>

namespace {

std::string send(VirtualCard& card, const std::string& apdu) { return Hex::format(card.transmit(Hex::bytes(apdu))); }

// A blank card whose ADN record 1 holds a name and record 250 the last byte pattern.
CardImage sampleImage(bool pinOn)
{
    CardImage img = CardImage::blank();
    img.chv.enabled = pinOn;
    img.chv.pin = ChvState::block("1234");
    img.chv.puk = ChvState::block("87654321");
    ElementaryFile* adn = img.find(CardImage::kAdn);
    adn->record(1)[0] = 0x41;
    adn->record(250)[27] = 0x05;
    ElementaryFile* iccid = img.find(CardImage::kIccid);
    iccid->body = Hex::bytes("98 68 00 71 02 03 45 67 89 F0");
    return img;
}

const std::string kSelMf = "A0 A4 00 00 02 3F 00";
const std::string kSelTelecom = "A0 A4 00 00 02 7F 10";
const std::string kSelAdn = "A0 A4 00 00 02 6F 3A";
const std::string kVerify1234 = "A0 20 00 01 08 31 32 33 34 FF FF FF FF";
const std::string kVerify9999 = "A0 20 00 01 08 39 39 39 39 FF FF FF FF";

struct Exchange {
    const char* name;
    bool pinOn;
    std::vector<std::string> before;  // sent first, answers not checked
    std::string command;
    std::string expected;             // whole answer: data then SW1 SW2
};

void PrintTo(const Exchange& c, std::ostream* os) { *os << c.name; }

class CardStatusWords : public testing::TestWithParam<Exchange> {};

TEST_P(CardStatusWords, AnswersAsGsmCard)
{
    const Exchange& e = GetParam();
    VirtualCard card(sampleImage(e.pinOn));
    for (const std::string& c : e.before) send(card, c);
    EXPECT_EQ(send(card, e.command), e.expected);
}

const std::string kFf26 = "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";

INSTANTIATE_TEST_SUITE_P(
    Commands, CardStatusWords,
    testing::Values(
        Exchange{"SelectMf", false, {}, kSelMf, "9F 16"},
        Exchange{"SelectTelecom", false, {kSelMf}, kSelTelecom, "9F 16"},
        Exchange{"SelectAdn", false, {kSelMf, kSelTelecom}, kSelAdn, "9F 0F"},
        Exchange{"SelectIccidFromMf", false, {kSelMf}, "A0 A4 00 00 02 2F E2", "9F 0F"},
        Exchange{"SelectAdnFromMfNotFound", false, {kSelMf}, kSelAdn, "94 04"},
        Exchange{"SelectUnknownFile", false, {kSelMf, kSelTelecom}, "A0 A4 00 00 02 6F 99", "94 04"},
        Exchange{"SelectIsoClassNotFound", false, {kSelMf}, "00 A4 00 00 02 6F 99", "6A 82"},
        Exchange{"SelectIsoClassWaiting", false, {}, "00 A4 00 00 02 3F 00", "61 16"},
        Exchange{"SelectWrongP3", false, {}, "A0 A4 00 00 03 3F 00 00", "67 00"},
        Exchange{"SelectDataMissing", false, {}, "A0 A4 00 00 02 3F", "67 00"},
        Exchange{"SelectWrongP1", false, {}, "A0 A4 01 00 02 3F 00", "6B 00"},
        Exchange{"TooShort", false, {}, "A0 A4 00 00", "67 00"},
        Exchange{"UnknownInstruction", false, {}, "A0 FE 00 00 00", "6D 00"},
        Exchange{"WrongClass", false, {}, "80 A4 00 00 02 3F 00", "6E 00"},
        Exchange{"GetResponseNothingWaiting", false, {}, "A0 C0 00 00 0F", "6F 00"},
        Exchange{"GetResponseTooLong", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 C0 00 00 10", "67 00"},
        Exchange{"GetResponseAfterOtherCommand", false, {kSelMf, kSelTelecom, kSelAdn, "A0 B2 01 04 1C"},
                 "A0 C0 00 00 0F", "6F 00"},
        Exchange{"GetResponseAdnHeader", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 C0 00 00 0F",
                 "00 00 1B 58 6F 3A 04 00 11 FF 44 01 02 01 1C 90 00"},
        Exchange{"GetResponseShorterThanHeader", false, {kSelMf}, "A0 C0 00 00 04", "00 00 10 00 90 00"},
        Exchange{"ReadRecordNoEfSelected", false, {kSelMf}, "A0 B2 01 04 1C", "94 00"},
        Exchange{"ReadRecordFirst", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 B2 01 04 1C",
                 "41 " + kFf26 + " FF 90 00"},
        Exchange{"ReadRecordLast", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 B2 FA 04 1C",
                 "FF " + kFf26 + " 05 90 00"},
        Exchange{"ReadRecordPastEnd", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 B2 FB 04 1C", "94 02"},
        Exchange{"ReadRecordZero", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 B2 00 04 1C", "94 02"},
        Exchange{"ReadRecordIsoPastEnd", false, {kSelMf, kSelTelecom, kSelAdn}, "00 B2 FB 04 1C", "6A 83"},
        Exchange{"ReadRecordWrongLength", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 B2 01 04 1B", "67 00"},
        Exchange{"ReadRecordBadMode", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 B2 01 05 1C", "6B 00"},
        Exchange{"ReadRecordNextAfterFirst", false, {kSelMf, kSelTelecom, kSelAdn, "A0 B2 FA 04 1C"},
                 "A0 B2 00 02 1C", "94 02"},
        Exchange{"ReadRecordOnTransparent", false, {kSelMf, "A0 A4 00 00 02 2F E2"}, "A0 B2 01 04 0A", "94 08"},
        Exchange{"ReadBinaryIccid", true, {kSelMf, "A0 A4 00 00 02 2F E2"}, "A0 B0 00 00 0A",
                 "98 68 00 71 02 03 45 67 89 F0 90 00"},
        Exchange{"ReadBinaryOffset", false, {kSelMf, "A0 A4 00 00 02 2F E2"}, "A0 B0 00 08 02", "89 F0 90 00"},
        Exchange{"ReadBinaryTooLong", false, {kSelMf, "A0 A4 00 00 02 2F E2"}, "A0 B0 00 00 0B", "67 00"},
        Exchange{"ReadBinaryOffsetOutside", false, {kSelMf, "A0 A4 00 00 02 2F E2"}, "A0 B0 00 0A 01", "6B 00"},
        Exchange{"ReadBinaryOnRecordFile", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 B0 00 00 0A", "94 08"},
        Exchange{"UpdateBinaryIccidNever", false, {kSelMf, "A0 A4 00 00 02 2F E2"}, "A0 D6 00 00 01 00", "98 04"},
        Exchange{"UpdateRecordWrongLength", false, {kSelMf, kSelTelecom, kSelAdn},
                 "A0 DC 01 04 02 00 00", "67 00"},
        Exchange{"UpdateRecordDataShort", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 DC 01 04 1C 00", "67 00"},
        Exchange{"StatusOfTelecom", false, {kSelMf, kSelTelecom, kSelAdn}, "A0 F2 00 00 06",
                 "00 00 10 00 7F 10 90 00"}));

// Header bytes counted from 1: 14 file characteristics, 19 CHV1 status.
struct MfHeaderCase {
    bool pinOn;
    int wrongAttempts;
    uint8_t characteristics;
    uint8_t chv1Status;
};

void PrintTo(const MfHeaderCase& c, std::ostream* os)
{
    *os << (c.pinOn ? "PinOn" : "PinOff") << "_wrong" << c.wrongAttempts;
}

class MfHeader : public testing::TestWithParam<MfHeaderCase> {};

TEST_P(MfHeader, ShowsPinStateAndAttemptsLeft)
{
    const MfHeaderCase& c = GetParam();
    VirtualCard card(sampleImage(c.pinOn));
    for (int i = 0; i < c.wrongAttempts; ++i) send(card, kVerify9999);
    ASSERT_EQ(send(card, kSelMf), "9F 16");
    std::vector<uint8_t> h = card.transmit(Hex::bytes("A0 C0 00 00 16"));
    ASSERT_EQ(h.size(), 24u);
    EXPECT_EQ(h[4], 0x3F);
    EXPECT_EQ(h[5], 0x00);
    EXPECT_EQ(h[6], 0x01);  // MF
    EXPECT_EQ(h[13], c.characteristics);
    EXPECT_EQ(h[18], c.chv1Status);
    EXPECT_EQ(h[14], 1);  // one DF below the MF: 7F10
    EXPECT_EQ(h[15], 1);  // one EF: ICCID
}

INSTANTIATE_TEST_SUITE_P(PinStates, MfHeader,
                         testing::Values(MfHeaderCase{false, 0, 0x93, 0x83}, MfHeaderCase{true, 0, 0x13, 0x83},
                                         MfHeaderCase{true, 1, 0x13, 0x82}, MfHeaderCase{true, 3, 0x13, 0x80}));

TEST(EfHeaders, GiveSizeRecordLengthAndStructureOfEachFile)
{
    struct Row {
        std::string fid;
        bool underTelecom;
        size_t size;
        uint8_t structure;
        uint8_t recordLength;
    };
    const Row rows[] = {{"6F 3A", true, 250 * 28, 1, 28}, {"6F 4A", true, 10 * 13, 1, 13},
                        {"6F 3C", true, 30 * 176, 1, 176}, {"6F 40", true, 2 * 28, 1, 28},
                        {"6F 42", true, 2 * 40, 1, 40},   {"2F E2", false, 10, 0, 0}};
    VirtualCard card(sampleImage(false));
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fid);
        send(card, kSelMf);
        if (r.underTelecom) send(card, kSelTelecom);
        ASSERT_EQ(send(card, "A0 A4 00 00 02 " + r.fid), "9F 0F");
        std::vector<uint8_t> h = card.transmit(Hex::bytes("A0 C0 00 00 0F"));
        ASSERT_EQ(h.size(), 17u);
        EXPECT_EQ(h[0], 0x00);
        EXPECT_EQ(h[1], 0x00);
        EXPECT_EQ(size_t(h[2]) << 8 | h[3], r.size);
        EXPECT_EQ(Hex::format({h[4], h[5]}), r.fid);
        EXPECT_EQ(h[6], 0x04);
        EXPECT_EQ(h[13], r.structure);
        EXPECT_EQ(h[14], r.recordLength);
        EXPECT_EQ(Hex::format({h[15], h[16]}), "90 00");
    }
}

// A sequence of PIN commands and the answer to each, from a card with PIN 1234 and PUK 87654321.
struct PinScript {
    const char* name;
    bool pinOn;
    std::vector<std::pair<std::string, std::string>> steps;
};

void PrintTo(const PinScript& c, std::ostream* os) { *os << c.name; }

class PinCommands : public testing::TestWithParam<PinScript> {};

TEST_P(PinCommands, CountAttemptsAndBlock)
{
    VirtualCard card(sampleImage(GetParam().pinOn));
    for (const auto& [command, answer] : GetParam().steps) EXPECT_EQ(send(card, command), answer) << command;
}

const std::string kDisable1234 = "A0 26 00 01 08 31 32 33 34 FF FF FF FF";
const std::string kEnable1234 = "A0 28 00 01 08 31 32 33 34 FF FF FF FF";
const std::string kEnable9999 = "A0 28 00 01 08 39 39 39 39 FF FF FF FF";
const std::string kChange1234To5678 = "A0 24 00 01 10 31 32 33 34 FF FF FF FF 35 36 37 38 FF FF FF FF";
const std::string kVerify5678 = "A0 20 00 01 08 35 36 37 38 FF FF FF FF";
const std::string kUnblockTo1111 = "A0 2C 00 00 10 38 37 36 35 34 33 32 31 31 31 31 31 FF FF FF FF";
const std::string kUnblockWrong = "A0 2C 00 00 10 30 30 30 30 30 30 30 30 31 31 31 31 FF FF FF FF";
const std::string kVerify1111 = "A0 20 00 01 08 31 31 31 31 FF FF FF FF";

INSTANTIATE_TEST_SUITE_P(
    Sequences, PinCommands,
    testing::Values(
        PinScript{"VerifyRight", true, {{kVerify1234, "90 00"}}},
        PinScript{"WrongThenRightResetsCount",
                  true,
                  {{kVerify9999, "98 04"}, {kVerify9999, "98 04"}, {kVerify1234, "90 00"}, {kVerify9999, "98 04"},
                   {kVerify9999, "98 04"}, {kVerify1234, "90 00"}}},
        PinScript{"ThirdWrongBlocks",
                  true,
                  {{kVerify9999, "98 04"}, {kVerify9999, "98 04"}, {kVerify9999, "98 40"}, {kVerify1234, "98 40"},
                   {kDisable1234, "98 40"}}},
        PinScript{"IsoClassCountsDown",
                  true,
                  {{"00 20 00 01 08 39 39 39 39 FF FF FF FF", "63 C2"},
                   {"00 20 00 01 08 39 39 39 39 FF FF FF FF", "63 C1"},
                   {"00 20 00 01 08 39 39 39 39 FF FF FF FF", "69 83"}}},
        PinScript{"VerifyWhileDisabled", false, {{kVerify1234, "98 08"}}},
        PinScript{"DisableThenEnable",
                  true,
                  {{kDisable1234, "90 00"}, {kDisable1234, "98 08"}, {kEnable9999, "98 04"}, {kEnable1234, "90 00"},
                   {kEnable1234, "98 08"}}},
        PinScript{"ChangeThenVerifyNew",
                  true,
                  {{kChange1234To5678, "90 00"}, {kVerify1234, "98 04"}, {kVerify5678, "90 00"}}},
        PinScript{"ChangeWhileDisabled", false, {{kChange1234To5678, "98 08"}}},
        PinScript{"UnblockSetsNewPin",
                  true,
                  {{kVerify9999, "98 04"}, {kVerify9999, "98 04"}, {kVerify9999, "98 40"}, {kUnblockWrong, "98 04"},
                   {kUnblockTo1111, "90 00"}, {kVerify1234, "98 04"}, {kVerify1111, "90 00"}}},
        PinScript{"Chv2NotInitialised", true, {{"A0 20 00 02 08 31 32 33 34 FF FF FF FF", "98 02"}}},
        PinScript{"WrongChvNumber", true, {{"A0 20 00 03 08 31 32 33 34 FF FF FF FF", "6B 00"}}},
        PinScript{"DisableNamesOnlyChv1", true, {{"A0 26 00 02 08 31 32 33 34 FF FF FF FF", "6B 00"}}},
        PinScript{"VerifyWrongLength", true, {{"A0 20 00 01 04 31 32 33 34", "67 00"}}},
        PinScript{"ChangeWrongLength", true, {{"A0 24 00 01 08 31 32 33 34 FF FF FF FF", "67 00"}}}));

TEST(PinCommands, UnblockCodeBlocksAfterTenWrongAttempts)
{
    VirtualCard card(sampleImage(true));
    for (int i = 0; i < 9; ++i) ASSERT_EQ(send(card, kUnblockWrong), "98 04") << i;
    EXPECT_EQ(send(card, kUnblockWrong), "98 40");
    EXPECT_EQ(send(card, kUnblockTo1111), "98 40");
}

// Each file of the telecom directory is guarded by CHV1 for reading and updating.
TEST(AccessConditions, RecordsNeedVerifiedPinWhenCheckIsOn)
{
    const struct {
        std::string fid;
        std::string read;
    } files[] = {{"6F 3A", "A0 B2 01 04 1C"}, {"6F 4A", "A0 B2 01 04 0D"}, {"6F 3C", "A0 B2 01 04 B0"},
                 {"6F 40", "A0 B2 01 04 1C"}, {"6F 42", "A0 B2 01 04 28"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.fid);
        VirtualCard card(sampleImage(true));
        send(card, kSelMf);
        send(card, kSelTelecom);
        ASSERT_EQ(send(card, "A0 A4 00 00 02 " + f.fid), "9F 0F");
        EXPECT_EQ(send(card, f.read), "98 04");
        std::string update = "A0 DC 01 04 " + f.read.substr(12);
        for (size_t i = 0; i < Hex::bytes(f.read)[4]; ++i) update += " 00";
        EXPECT_EQ(send(card, update), "98 04");
        EXPECT_EQ(send(card, kVerify1234), "90 00");
        std::string after = send(card, f.read);
        EXPECT_EQ(after.substr(after.size() - 5), "90 00");
        EXPECT_EQ(send(card, update), "90 00");
        card.insert();  // power cycle: the verification is forgotten
        send(card, kSelMf);
        send(card, kSelTelecom);
        send(card, "A0 A4 00 00 02 " + f.fid);
        EXPECT_EQ(send(card, f.read), "98 04");
    }
}

TEST(AccessConditions, IccidReadableWithoutPinAndNeverWritable)
{
    VirtualCard card(sampleImage(true));
    send(card, kSelMf);
    send(card, "A0 A4 00 00 02 2F E2");
    EXPECT_EQ(send(card, "A0 B0 00 00 02"), "98 68 90 00");
    send(card, kVerify1234);
    EXPECT_EQ(send(card, "A0 D6 00 00 01 11"), "98 04");
}

TEST(AccessConditions, InvalidatedFileRefusesReading)
{
    CardImage img = sampleImage(false);
    img.find(CardImage::kMsisdn)->invalidated = true;
    VirtualCard card(img);
    send(card, kSelMf);
    send(card, kSelTelecom);
    send(card, "A0 A4 00 00 02 6F 40");
    std::vector<uint8_t> h = card.transmit(Hex::bytes("A0 C0 00 00 0F"));
    EXPECT_EQ(h[11], 0x00);  // file status: invalidated
    EXPECT_EQ(send(card, "A0 B2 01 04 1C"), "98 10");
}

TEST(Records, UpdateIsReadBackCountedAndMarksChange)
{
    VirtualCard card(sampleImage(false));
    send(card, kSelMf);
    send(card, kSelTelecom);
    send(card, "A0 A4 00 00 02 6F 3C");
    card.clearCounts();
    std::vector<uint8_t> rec(176);
    for (size_t i = 0; i < rec.size(); ++i) rec[i] = static_cast<uint8_t>(i * 7);
    for (uint8_t n : {1, 30}) {
        std::vector<uint8_t> apdu = {0xA0, 0xDC, n, 0x04, 176};
        apdu.insert(apdu.end(), rec.begin(), rec.end());
        ASSERT_EQ(Hex::format(card.transmit(apdu)), "90 00");
    }
    EXPECT_TRUE(card.changed());
    EXPECT_EQ(card.count(VirtualCard::kUpdateRecord), 2u);
    EXPECT_EQ(card.total(), 2u);
    for (const char* read : {"A0 B2 01 04 B0", "A0 B2 1E 04 B0"}) {
        std::vector<uint8_t> back = card.transmit(Hex::bytes(read));
        ASSERT_EQ(back.size(), 178u);
        EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.end() - 2), rec);
    }
    EXPECT_EQ(Hex::format(card.transmit(Hex::bytes("A0 B2 02 04 B0"))).substr(0, 5), "FF FF");
    EXPECT_EQ(card.count(VirtualCard::kReadRecord), 3u);
}

TEST(Records, NextAndPreviousModesWalkTheFile)
{
    VirtualCard card(sampleImage(false));
    send(card, kSelMf);
    send(card, kSelTelecom);
    send(card, kSelAdn);
    EXPECT_EQ(send(card, "A0 B2 00 02 1C").substr(0, 2), "41");       // next from none: record 1
    EXPECT_EQ(send(card, "A0 B2 00 03 1C"), "94 02");                  // before record 1: none
    EXPECT_EQ(send(card, "A0 B2 00 04 1C").substr(0, 2), "41");       // current record is still 1
    send(card, kSelAdn);                                               // selection forgets the record
    EXPECT_EQ(send(card, "A0 B2 00 03 1C").substr(81), "05 90 00");  // previous from none: last
}

TEST(Insertion, RemovedCardAnswersNothing)
{
    VirtualCard card(sampleImage(false));
    card.remove();
    EXPECT_TRUE(card.transmit(Hex::bytes(kSelMf)).empty());
    card.insert();
    EXPECT_EQ(send(card, kSelMf), "9F 16");
}

}  // namespace
