#include "shell/Log.h"
#include "sim/SimPin.h"

#include "SimTestCard.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

namespace {

class SimPinTest : public testing::Test {
protected:
    SimTestCard card;
    ChvState& chv() { return card.card.image().chv; }
    uint32_t need(uint32_t& attempts) { return SimPin::SimCardNeedCHV1(attempts); }
};

struct StateCase {
    bool enabled;
    uint8_t attempts;
    uint32_t result;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << std::string(c.enabled ? "enabled_" : "disabled_") + std::to_string(c.attempts); }

class NeedChv1 : public testing::TestWithParam<StateCase> {};

TEST_P(NeedChv1, ReportsTheStateAndTheAttemptsLeft)
{
    SimTestCard card;
    card.card.image().chv.enabled = GetParam().enabled;
    card.card.image().chv.attemptsLeft = GetParam().attempts;
    uint32_t attempts = 99;
    EXPECT_EQ(SimPin::SimCardNeedCHV1(attempts), GetParam().result);
    EXPECT_EQ(attempts, GetParam().attempts);
}

INSTANTIATE_TEST_SUITE_P(Cases, NeedChv1, testing::Values(
    StateCase{false, 3, SimPin::kCheckOff}, StateCase{false, 1, SimPin::kCheckOff},
    StateCase{true, 3, SimPin::kPinNeeded}, StateCase{true, 1, SimPin::kPinNeeded},
    StateCase{true, 0, SimPin::kBlocked}));

TEST_F(SimPinTest, WrongPinsCountDownUntilBlockedAndTheRightOneRestores)
{
    chv().enabled = true;
    uint32_t attempts = 0;
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "1111"), SimPin::kRefused);
    EXPECT_EQ(need(attempts), SimPin::kPinNeeded);
    EXPECT_EQ(attempts, 2u);
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "0000"), SimPin::kAccepted);
    EXPECT_EQ(need(attempts), SimPin::kPinNeeded);
    EXPECT_EQ(attempts, 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "9999"), SimPin::kRefused);
    EXPECT_EQ(need(attempts), SimPin::kBlocked);
    EXPECT_EQ(attempts, 0u);
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "0000"), SimPin::kRefused);
}

TEST_F(SimPinTest, VerifySendsTheDigitsThenFF)
{
    chv().enabled = true;
    chv().pin = ChvState::block("4321");
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "4321"), SimPin::kAccepted);
    EXPECT_EQ(card.reader.sent.back(), hexBytes("A0 20 00 01 08 34 33 32 31 FF FF FF FF"));
}

TEST_F(SimPinTest, AnEmptyPinIsRefusedWithoutSpendingAnAttempt)
{
    chv().enabled = true;
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, ""), SimPin::kRefused);
    EXPECT_EQ(SimPin::SimCardEnableCHV1(""), SimPin::kRefused);
    EXPECT_EQ(SimPin::SimCardDisableCHV1(""), SimPin::kRefused);
    EXPECT_TRUE(card.reader.sent.empty());
    EXPECT_EQ(chv().attemptsLeft, 3);
}

TEST_F(SimPinTest, ChangeTakesEffectOnlyWithTheRightOldPin)
{
    chv().enabled = true;
    EXPECT_EQ(SimPin::SimCardChangeCHV(1, SimPin::pinBlock("1234"), SimPin::pinBlock("5678")), SimPin::kRefused);
    EXPECT_EQ(SimPin::SimCardChangeCHV(1, SimPin::pinBlock("0000"), SimPin::pinBlock("5678")), SimPin::kAccepted);
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "0000"), SimPin::kRefused);
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "5678"), SimPin::kAccepted);
}

TEST_F(SimPinTest, DisableAndEnableSwitchTheCheck)
{
    chv().enabled = true;
    uint32_t attempts = 0;
    EXPECT_EQ(SimPin::SimCardDisableCHV1("1111"), SimPin::kRefused);
    EXPECT_EQ(need(attempts), SimPin::kPinNeeded);
    EXPECT_EQ(SimPin::SimCardDisableCHV1("0000"), SimPin::kAccepted);
    EXPECT_EQ(need(attempts), SimPin::kCheckOff);
    EXPECT_EQ(SimPin::SimCardEnableCHV1("0000"), SimPin::kAccepted);
    EXPECT_EQ(need(attempts), SimPin::kPinNeeded);
}

TEST_F(SimPinTest, NoIniAnswersUnreadableOnceWithoutTouchingTheCard)
{
    card.scratch.write("No.ini", "");
    uint32_t attempts = 7;
    EXPECT_EQ(need(attempts), SimPin::kUnreadable);
    EXPECT_TRUE(card.reader.sent.empty());
    EXPECT_FALSE(card.scratch.exists("No.ini"));
    EXPECT_EQ(need(attempts), SimPin::kCheckOff);
    EXPECT_EQ(attempts, 3u);
}

TEST_F(SimPinTest, ExchangeFailuresGiveUnreadableAndRefused)
{
    card.reader.failures[hexBytes("A0")] = 0x0016;
    uint32_t attempts = 0;
    EXPECT_EQ(need(attempts), SimPin::kUnreadable);
    EXPECT_EQ(SimPin::SimCardVerifyCHV1(1, "0000"), SimPin::kRefused);
    EXPECT_EQ(SimPin::SimCardChangeCHV(1, SimPin::pinBlock("0000"), SimPin::pinBlock("1")), SimPin::kRefused);
    EXPECT_EQ(SimPin::SimCardEnableCHV1("0000"), SimPin::kRefused);
}

TEST_F(SimPinTest, AShortHeaderIsUnreadable)
{
    card.reader.replies[hexBytes("A0 C0")] = hexBytes("00 00 00 00 3F 00 01 90 00");
    uint32_t attempts = 5;
    EXPECT_EQ(need(attempts), SimPin::kUnreadable);
    EXPECT_EQ(attempts, 5u);
}

TEST_F(SimPinTest, TheLogShowsNoPinDigits)
{
    card.scratch.write("Debug/Quillon.LOG", "");
    Log::start("Debug/Quillon.Log", true, card.scratch.path(), card.scratch.path());
    SimPin::SimCardVerifyCHV1(1, "2468");
    SimPin::SimCardChangeCHV(1, SimPin::pinBlock("1357"), SimPin::pinBlock("9753"));
    Log::reset();
    const std::string log = card.scratch.read("Debug/Quillon.LOG");
    EXPECT_NE(log.find("SimCardVerifyCHV1 start,iIndex=1,pcPinCode=****\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("SimCardChangeCHV::First param=152,second param="), std::string::npos) << log;
    for (const char* digits : {"2468", "32 34 36 38", "1357", "31 33 35 37", "39 37 35 33"})
        EXPECT_EQ(log.find(digits), std::string::npos) << digits;
    EXPECT_NE(log.find("pcInBuf=A0 20 00 01 08 ** ** ** ** ** ** ** **,"), std::string::npos);
}

}  // namespace
