// The in-process reader service over a virtual card: connection, reader list, answer to reset,
// and the caller's response buffer never written past its capacity.
#include "sim/ReaderBinding.h"
#include "vsim/Hex.h"
#include "vsim/ReaderReply.h"
#include "vsim/VirtualReaderService.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class VirtualReader : public testing::Test {
protected:
    VirtualCard card{CardImage::blank()};
    VirtualReaderService service{card};

    // Sends `apdu` with a buffer of `capacity` bytes followed by guard bytes; returns the result.
    uint32_t exchange(const std::string& apdu, uint32_t capacity, std::vector<uint8_t>& answer)
    {
        std::vector<uint8_t> cmd = Hex::bytes(apdu);
        std::vector<uint8_t> buf(capacity + 16, 0xEE);
        uint32_t len = capacity;
        uint32_t r = service.qvDoApdu(cmd.data(), static_cast<uint32_t>(cmd.size()), buf.data(), &len);
        for (size_t i = capacity; i < buf.size(); ++i) EXPECT_EQ(buf[i], 0xEE) << "written past capacity at " << i;
        answer.assign(buf.begin(), buf.begin() + std::min(len, capacity));
        if (r != 0) EXPECT_GT(len, capacity);
        return r;
    }
};

TEST_F(VirtualReader, ConnectsOnlyToItsReaderWhileTheCardIsIn)
{
    uint32_t ctx = service.initQVSC(nullptr, 0);
    EXPECT_NE(ctx, 0u);
    uint32_t handle = 0, proto = 0;
    EXPECT_EQ(service.qvConnect(ctx, "Quillon Virtual Reader 0", 2, 1, &handle, &proto), 0u);
    EXPECT_EQ(proto, 1u);
    EXPECT_EQ(service.qvDisconnect(handle, 0), 0u);
    EXPECT_NE(service.qvConnect(ctx, "Other Reader", 2, 1, &handle, &proto), 0u);
    service.removeCard();
    EXPECT_NE(service.qvConnect(ctx, "Quillon Virtual Reader 0", 2, 1, &handle, &proto), 0u);
    service.insertCard();
    EXPECT_EQ(service.qvConnect(ctx, "Quillon Virtual Reader 0", 2, 1, &handle, &proto), 0u);
}

TEST_F(VirtualReader, ListsItsReaderAsTheFirstLine)
{
    std::vector<char> buf(10240, 0);
    EXPECT_EQ(service.qvGetReaderList(buf.data()), buf.data());
    EXPECT_STREQ(buf.data(), "Quillon Virtual Reader 0");
}

TEST_F(VirtualReader, ResponseLengthHandling)
{
    const struct {
        const char* name;
        std::string apdu;
        uint32_t capacity;
        bool ok;
        std::string answer;
    } rows[] = {
        {"atr", "00 02 00 00 02 00 00", 300, true, "3B 02 14 50"},
        {"atr exact fit", "00 02 00 00 02 00 00", 4, true, "3B 02 14 50"},
        {"atr too small", "00 02 00 00 02 00 00", 3, false, ""},
        {"status words only", "A0 A4 00 00 02 3F 00", 2, true, "9F 16"},
        {"status words too small", "A0 A4 00 00 02 3F 00", 1, false, ""},
        {"zero capacity", "A0 A4 00 00 02 3F 00", 0, false, ""},
        {"header fits", "A0 C0 00 00 16", 24, true, ""},
        {"header one short", "A0 C0 00 00 16", 23, false, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<uint8_t> ans;
        if (std::string(r.apdu).substr(0, 5) == "A0 C0") exchange("A0 A4 00 00 02 3F 00", 300, ans);
        uint32_t res = exchange(r.apdu, r.capacity, ans);
        EXPECT_EQ(res == 0, r.ok);
        if (r.ok && !std::string(r.answer).empty()) EXPECT_EQ(Hex::format(ans), r.answer);
    }
}

TEST_F(VirtualReader, CardPulledGivesFailureNotAnAnswer)
{
    std::vector<uint8_t> ans;
    ASSERT_EQ(exchange("A0 A4 00 00 02 3F 00", 300, ans), 0u);
    service.removeCard();
    uint8_t buf[300];
    uint32_t len = sizeof buf;
    const uint8_t sel[] = {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
    uint32_t r = service.qvDoApdu(sel, sizeof sel, buf, &len);
    EXPECT_NE(r & 0xFFFF, 0u);  // the program keeps the low 16 bits
    EXPECT_EQ(len, 0u);
    EXPECT_NE(service.qvDoApdu(sel, sizeof sel, nullptr, &len), 0u);
}

// The program's binding talks to the virtual reader as to the library; the poller may connect
// from its own thread while exchanges run.
TEST_F(VirtualReader, ServesTheProgramsBindingFromTwoThreads)
{
    ReaderBinding::setService(&service);
    uint32_t ctx = ReaderBinding::SimCardInit(nullptr);
    EXPECT_EQ(ReaderBinding::QVGetReaderList(), "Quillon Virtual Reader 0");
    std::thread poller([&] {
        for (int i = 0; i < 200; ++i) EXPECT_TRUE(ReaderBinding::cardPresent(ctx, "Quillon Virtual Reader 0"));
    });
    const uint8_t sel[] = {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
    for (int i = 0; i < 200; ++i) {
        uint8_t buf[300];
        uint32_t len = sizeof buf;
        ASSERT_EQ(ReaderBinding::doApdu(sel, sizeof sel, buf, &len), 0u);
        ASSERT_EQ(len, 2u);
        EXPECT_EQ(buf[0], 0x9F);
    }
    poller.join();
    ReaderBinding::SimCardExit();
    ReaderBinding::setService(nullptr);
    EXPECT_EQ(card.count(VirtualCard::kSelect), 200u);
}

}  // namespace
