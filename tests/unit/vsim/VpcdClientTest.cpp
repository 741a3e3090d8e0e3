// The vpcd card client: message framing, control codes, and the injected faults.
#include "vsim/Hex.h"
#include "vsim/VpcdClient.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace {

CardImage image()
{
    CardImage img = CardImage::blank(5, 3);
    img.find(CardImage::kAdn)->record(2)[0] = 0x42;
    return img;
}

// The driver's side of a connection to a client serving on the other end of a socket pair.
class Vpcd : public testing::Test {
protected:
    void start(CardFaults faults = {})
    {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        driver = fds[0];
        client = std::make_unique<VpcdClient>(card, faults);
        server = std::thread([this, fd = fds[1]] {
            end = client->serve(fd);
            ::close(fd);
        });
    }
    void TearDown() override
    {
        if (client) client->stop();
        if (driver >= 0) ::close(driver);
        if (server.joinable()) server.join();
    }
    std::string ask(const std::string& hex)
    {
        std::vector<uint8_t> reply;
        if (!VpcdClient::writeMessage(driver, Hex::bytes(hex)) || !VpcdClient::readMessage(driver, reply))
            return "closed";
        return Hex::format(reply);
    }
    std::string readAdn(uint8_t record)
    {
        ask("A0 A4 00 00 02 7F 10");
        ask("A0 A4 00 00 02 6F 3A");
        return ask("A0 B2 0" + std::to_string(record) + " 04 1C");
    }

    VirtualCard card{image()};
    std::unique_ptr<VpcdClient> client;
    std::thread server;
    int driver = -1;
    VpcdClient::End end = VpcdClient::End::Stopped;
};

TEST_F(Vpcd, ControlCodesAndApdus)
{
    start();
    ASSERT_TRUE(VpcdClient::writeMessage(driver, {0x01}));  // power on: no answer
    ASSERT_TRUE(VpcdClient::writeMessage(driver, {0x00}));  // power off: no answer
    EXPECT_EQ(ask("04"), "3B 02 14 50");                     // the first answer is the ATR's
    EXPECT_EQ(ask("A0 A4 00 00 02 3F 00"), "9F 16");
    std::string rec = readAdn(2);
    EXPECT_EQ(rec.substr(0, 5), "42 FF");
    EXPECT_EQ(rec.size(), 30u * 3 - 1);
}

TEST_F(Vpcd, ResetForgetsTheVerifiedPin)
{
    card.image().chv.enabled = true;
    card.image().chv.pin = ChvState::block("1234");
    start();
    EXPECT_EQ(ask("A0 20 00 01 08 31 32 33 34 FF FF FF FF"), "90 00");
    EXPECT_EQ(readAdn(2).substr(0, 2), "42");
    ASSERT_TRUE(VpcdClient::writeMessage(driver, {0x02}));
    EXPECT_EQ(readAdn(2), "98 04");
}

TEST_F(Vpcd, ClosedDriverEndsServing)
{
    start();
    ::close(driver);
    driver = -1;
    server.join();
    EXPECT_EQ(end, VpcdClient::End::Disconnected);
}

struct FaultCase {
    const char* name;
    CardFaults faults;
    std::string command;  // after selecting EF ADN
    std::string expected;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class Faults : public testing::TestWithParam<FaultCase> {};

TEST_P(Faults, ChangeTheAnswer)
{
    VirtualCard card(image());
    FaultyCard faulty(card, GetParam().faults);
    for (const char* sel : {"A0 A4 00 00 02 7F 10", "A0 A4 00 00 02 6F 3A"}) faulty.transmit(Hex::bytes(sel));
    EXPECT_EQ(Hex::format(faulty.transmit(Hex::bytes(GetParam().command))), GetParam().expected);
}

const std::string kHeader = "00 00 00 8C 6F 3A 04 00 11 FF 44 01 02 01 1C";
const std::string kRecord2 = "42 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";

INSTANTIATE_TEST_SUITE_P(
    Injected, Faults,
    testing::Values(FaultCase{"None", {}, "A0 C0 00 00 0F", kHeader + " 90 00"},
                    FaultCase{"EchoOnHeader", {.echoInstruction = true}, "A0 C0 00 00 0F", "C0 " + kHeader + " 90 00"},
                    FaultCase{"EchoOnRecord", {.echoInstruction = true}, "A0 B2 02 04 1C", "B2 " + kRecord2 + " 90 00"},
                    FaultCase{"ZeroRecordLength", {.zeroRecordLength = true}, "A0 C0 00 00 0F",
                              kHeader.substr(0, kHeader.size() - 2) + "00 90 00"},
                    FaultCase{"ErrorAtRecord", {.errorAtRecord = 2}, "A0 B2 02 04 1C", "6F 00"},
                    FaultCase{"ErrorAtOtherRecord", {.errorAtRecord = 3}, "A0 B2 02 04 1C", kRecord2 + " 90 00"},
                    FaultCase{"ShortResponse", {.shortResponses = true}, "A0 C0 00 00 0F",
                              kHeader.substr(0, 7 * 3 - 1) + " 90 00"}));

TEST_F(Vpcd, PulledAfterTheGivenNumberOfApdus)
{
    start({.pullAfter = 3});
    EXPECT_EQ(ask("04"), "3B 02 14 50");  // control codes do not count
    EXPECT_EQ(ask("A0 A4 00 00 02 3F 00"), "9F 16");
    EXPECT_EQ(ask("A0 A4 00 00 02 7F 10"), "9F 16");
    EXPECT_EQ(ask("A0 A4 00 00 02 6F 3A"), "9F 0F");
    EXPECT_EQ(ask("A0 C0 00 00 0F"), "closed");
    server.join();
    EXPECT_EQ(end, VpcdClient::End::Pulled);
}

}  // namespace
