#include "sim/BcdNumber.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

namespace {

struct DiallingCase {
    const char* bcd;
    size_t maxPlaces;
    std::string digits;
    size_t places;
};

void PrintTo(const DiallingCase& c, std::ostream* os) { *os << caseHex(c.bcd) + "_max" + std::to_string(c.maxPlaces); }

class DecodeDialling : public testing::TestWithParam<DiallingCase> {};

TEST_P(DecodeDialling, ReadsLowHalfFirstUntilF)
{
    BcdNumber::Dialling d = BcdNumber::decodeDialling(hexBytes(GetParam().bcd), GetParam().maxPlaces);
    EXPECT_EQ(d.digits, GetParam().digits);
    EXPECT_EQ(d.places, GetParam().places);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeDialling, testing::Values(
    DiallingCase{"88 96 21 43 65 87 FF FF FF FF", 20, "886912345678", 12},
    DiallingCase{"21 F3", 20, "123", 3},
    DiallingCase{"A1 B2", 20, "1*2#", 4},
    DiallingCase{"1C 2D E3 F4", 20, "1234", 7},                        // C, D, E keep their place
    DiallingCase{"10 32 54 76 98 10 32 54 76 98", 20, "01234567890123456789", 20},
    DiallingCase{"10 32 54 76 98 10 32 54 76 98", 15, "012345678901234", 15}));

struct EncodeCase {
    std::string digits;
    const char* bcd;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << caseText(c.digits); }

class EncodeDialling : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeDialling, PacksPairsAndPadsWithF)
{
    EXPECT_EQ(BcdNumber::encodeDialling(GetParam().digits), hexBytes(GetParam().bcd));
    // and the bytes read back as the dialling characters of the text
    std::string dialled;
    for (char c : GetParam().digits)
        if (BcdNumber::dialNibble(c) >= 0) dialled += c;
    EXPECT_EQ(BcdNumber::decodeDialling(hexBytes(GetParam().bcd), 20).digits, dialled);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeDialling, testing::Values(
    EncodeCase{"0912345678", "90 21 43 65 87"}, EncodeCase{"123", "21 F3"}, EncodeCase{"*#1", "BA F1"},
    EncodeCase{"12-34 5", "21 43 F5"}, EncodeCase{"", ""}));

TEST(BcdNumber, DecimalDigitsStopAtTheFirstHalfAboveNine)
{
    EXPECT_EQ(BcdNumber::decodeDecimal(hexBytes("98 68 00 21 43 65 87 09 21 F3")), "8986001234567890123");
    EXPECT_EQ(BcdNumber::decodeDecimal(hexBytes("21 A3 45")), "123");  // the low half 3 comes before the A
    EXPECT_EQ(BcdNumber::decodeDecimal(hexBytes("FF 21")), "");
}

}  // namespace
