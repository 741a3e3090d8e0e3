#include "sim/SimIdentity.h"
#include "sim/Ucs2Text.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kIccid = 0x2FE2;
constexpr uint16_t kMsisdn = 0x6F40;
constexpr uint16_t kSmsp = 0x6F42;

class SimIdentityTest : public testing::Test {
protected:
    SimTestCard card;
};

struct IccidCase {
    const char* body;
    std::string digits;
};

void PrintTo(const IccidCase& c, std::ostream* os) { *os << caseText(c.digits); }

class CardNumber : public testing::TestWithParam<IccidCase> {};

TEST_P(CardNumber, ReadsDigitsUntilTheFirstHalfAboveNine)
{
    SimTestCard card;
    card.file(kIccid).body = hexBytes(GetParam().body);
    std::string number = "previous";
    EXPECT_EQ(SimIdentity::GetSimCardNumber(number), GetParam().digits.size());
    EXPECT_EQ(number, GetParam().digits);
}

INSTANTIATE_TEST_SUITE_P(Cases, CardNumber, testing::Values(
    IccidCase{"98 68 00 21 43 65 87 09 21 F3", "8986001234567890123"},
    IccidCase{"98 68 00 21 43 65 87 09 21 43", "89860012345678901234"},
    IccidCase{"FF FF FF FF FF FF FF FF FF FF", ""}));

TEST_F(SimIdentityTest, CardNumberFailuresGiveNothing)
{
    card.file(kIccid).body = hexBytes("98 68 00 21 43 65 87 09 21 43");
    card.reader.failures[hexBytes("A0 A4 00 00 02 2F E2")] = 0x0016;
    std::string number = "previous";
    EXPECT_EQ(SimIdentity::GetSimCardNumber(number), 0u);
    EXPECT_EQ(number, "");
    card.reader.failures.clear();
    // a card answering only a status word gives no digits from it
    card.reader.replies[hexBytes("A0 B0")] = hexBytes("94 04");
    EXPECT_EQ(SimIdentity::GetSimCardNumber(number), 0u);
}

struct MsisdnCase {
    int codePage;
    const char* record;
    std::string name;
    std::string number;
};

void PrintTo(const MsisdnCase& c, std::ostream* os) { *os << std::to_string(c.codePage) + "_" + caseText(c.number); }

class OwnNumber : public testing::TestWithParam<MsisdnCase> {};

TEST_P(OwnNumber, ReadsNameAndNumberOfRecordOne)
{
    SimTestCard card(CardImage::blank(), GetParam().codePage);
    card.setRecord(kMsisdn, 1, hexBytes(GetParam().record));
    Ucs2Text::setLanguageCode("0");
    std::string name = "x", number = "y";
    EXPECT_EQ(SimIdentity::GetSimCardMSISDN(&name, &number), GetParam().number.size());
    Ucs2Text::setLanguageCode("");
    EXPECT_EQ(name, GetParam().name);
    EXPECT_EQ(number, GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Cases, OwnNumber, testing::Values(
    MsisdnCase{950, "4D 79 20 63 61 72 64 FF FF FF FF FF FF FF 07 91 88 96 21 43 65 87", "My card", "886912345678"},
    MsisdnCase{950, "80 4E 2D 65 87 FF FF FF FF FF FF FF FF FF 03 81 21 A3", "\xA4\xA4\xA4\xE5", "123"},
    MsisdnCase{1251, "81 02 08 9F A0 FF FF FF FF FF FF FF FF FF 02 81 21", "\xCF\xD0", "12"},
    MsisdnCase{950, "", "", ""}));

TEST_F(SimIdentityTest, EchoingReadersGiveTheSameIdentity)
{
    card.setRecord(kMsisdn, 1, hexBytes("4D 65 FF FF FF FF FF FF FF FF FF FF FF FF 03 81 21 43"));
    card.setRecord(kSmsp, 1, hexBytes("FF FF FF FF FF FF FF FF FF FF FF FF FD FF FF FF FF FF FF FF FF FF FF FF FF "
                                      "05 91 88 96 21 F3 FF FF FF FF FF FF"));
    card.reader.echoInstruction = true;
    std::string name, number;
    EXPECT_EQ(SimIdentity::GetSimCardMSISDN(&name, &number), 4u);
    EXPECT_EQ(name + "/" + number, "Me/1234");
    SimIdentity::Address address{};
    EXPECT_EQ(SimIdentity::GetSimCardSMSP(&address), 7u);
    EXPECT_EQ(address[4], 0x21);
}

TEST_F(SimIdentityTest, OwnNumberNeedsBothOutputs)
{
    std::string name;
    EXPECT_EQ(SimIdentity::GetSimCardMSISDN(&name, nullptr), 0u);
    EXPECT_EQ(SimIdentity::GetSimCardMSISDN(nullptr, &name), 0u);
    EXPECT_TRUE(card.reader.sent.empty());
}

TEST_F(SimIdentityTest, OwnNumberFileMissingGivesNothing)
{
    card.reader.replies[hexBytes("A0 A4 00 00 02 6F 40")] = hexBytes("94 04");  // file not found
    std::string name = "x", number = "y";
    EXPECT_EQ(SimIdentity::GetSimCardMSISDN(&name, &number), 0u);
    EXPECT_EQ(name + number, "xy");
}

struct SmspCase {
    const char* record;  // 40 bytes: 12 name bytes, indicators, address, centre address ...
    uint32_t result;
    const char* address;
};

void PrintTo(const SmspCase& c, std::ostream* os) { *os << caseHex(c.record, 4) + "_" + std::to_string(c.result); }

class ServiceCentre : public testing::TestWithParam<SmspCase> {};

TEST_P(ServiceCentre, CopiesTheStoredAddress)
{
    SimTestCard card;
    card.setRecord(kSmsp, 1, hexBytes(GetParam().record));
    SimIdentity::Address address;
    address.fill(0xEE);
    EXPECT_EQ(SimIdentity::GetSimCardSMSP(&address), GetParam().result);
    std::vector<uint8_t> expected = *GetParam().address ? hexBytes(GetParam().address) : std::vector<uint8_t>(12, 0xEE);
    EXPECT_EQ(std::vector<uint8_t>(address.begin(), address.end()), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ServiceCentre, testing::Values(
    SmspCase{"FF FF FF FF FF FF FF FF FF FF FF FF FD FF FF FF FF FF FF FF FF FF FF FF FF "
             "07 91 88 96 21 43 65 87 FF FF FF FF 00 00 FF",
             9, "07 91 88 96 21 43 65 87 FF FF FF FF"},
    SmspCase{"", 0, ""},                                                        // indicators FF: no address
    SmspCase{"FF FF FF FF FF FF FF FF FF FF FF FF FD FF FF FF FF FF FF FF FF FF FF FF FF "
             "FF FF FF FF FF FF FF FF FF FF FF FF", 0, ""}));                     // length byte out of range

TEST_F(SimIdentityTest, ServiceCentreWithoutPointerSendsNothing)
{
    EXPECT_EQ(SimIdentity::GetSimCardSMSP(nullptr), 0u);
    EXPECT_TRUE(card.reader.sent.empty());
}

}  // namespace
