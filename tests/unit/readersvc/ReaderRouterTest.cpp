// Several reader services joined into one: the list, connections and where APDUs go.
#include "readersvc/ReaderRouter.h"
#include "vsim/Hex.h"
#include "vsim/ReaderReply.h"
#include "vsim/VirtualReaderService.h"

#include <gtest/gtest.h>

namespace {

// Two virtual readers whose cards differ in their answer to reset, so an answer shows its source.
class Router : public testing::Test {
protected:
    Router()
    {
        cardA.image().atr = Hex::bytes("3B 0A");
        cardB.image().atr = Hex::bytes("3B 0B");
    }
    VirtualCard cardA{CardImage::blank()}, cardB{CardImage::blank()};
    VirtualReaderService a{cardA, "Reader A"}, b{cardB, "Reader B"};
    int forgottenA = 0;
    ReaderRouter router{{{&a, [] { return std::vector<std::string>{"Reader A"}; }, [this] { ++forgottenA; }},
                         {&b, [] { return std::vector<std::string>{"Reader B"}; }, [] {}}}};

    std::string atr()
    {
        const uint8_t q[] = {0x00, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00};
        uint8_t buf[300];
        uint32_t len = sizeof buf;
        if (router.qvDoApdu(q, sizeof q, buf, &len) != 0) return "error";
        return Hex::format(std::vector<uint8_t>(buf, buf + len));
    }
    uint32_t connect(const char* reader, uint32_t* handle)
    {
        uint32_t proto = 0;
        return router.qvConnect(1, reader, 2, 1, handle, &proto);
    }
};

TEST_F(Router, ListsEveryServicesReadersInOrder)
{
    std::vector<char> buf(ReaderReply::kListSize, 0);
    router.qvGetReaderList(buf.data());
    EXPECT_STREQ(buf.data(), "Reader A\nReader B");
}

TEST_F(Router, ApdusGoToTheReaderNamedLast)
{
    EXPECT_EQ(atr(), "3B 0A");  // nothing named yet: the first reader
    uint32_t h = 0;
    ASSERT_EQ(connect("Reader B", &h), 0u);
    EXPECT_EQ(router.qvDisconnect(h, 0), 0u);
    EXPECT_EQ(atr(), "3B 0B");
    ASSERT_EQ(connect("Reader A", &h), 0u);
    EXPECT_EQ(atr(), "3B 0A");
    ASSERT_EQ(connect("Reader B", &h), 0u);
    EXPECT_EQ(forgottenA, 2);  // A was told twice that it no longer serves the APDUs
}

TEST_F(Router, FailuresStayFailures)
{
    uint32_t h = 0;
    EXPECT_NE(connect("Reader C", &h), 0u);
    EXPECT_NE(router.qvDisconnect(12345, 0), 0u);
    b.removeCard();
    EXPECT_NE(connect("Reader B", &h), 0u);
    EXPECT_EQ(atr(), "error");  // named last, and empty
    EXPECT_NE(connect(nullptr, &h), 0u);
}

TEST(RouterWithoutReaders, ApduFailsCleanly)
{
    ReaderRouter router{{}};
    const uint8_t sel[] = {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
    uint8_t buf[300];
    uint32_t len = sizeof buf;
    EXPECT_NE(router.qvDoApdu(sel, sizeof sel, buf, &len), 0u);
    EXPECT_EQ(len, 0u);
}

}  // namespace
