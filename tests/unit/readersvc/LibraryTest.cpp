// libQVSIMSC.so loaded as the program loads it, serving the virtual card named by
// QUILLON_VIRTUAL_CARD: reader list, connection, exchanges, buffer capacity and saving back.
#include "sim/ReaderServiceLibrary.h"
#include "tests/support/ScratchDir.h"
#include "vsim/CardImageFile.h"
#include "vsim/Hex.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

const char* const kReader = "Quillon Virtual Reader 0";

class Library : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        ASSERT_TRUE(lib().load(std::string(QUILLON_BIN_DIR) + "/libQVSIMSC.so", error)) << error;
    }
    static ReaderServiceLibrary& lib()
    {
        static ReaderServiceLibrary l;
        return l;
    }
    // Starts the service with a copy of the demo card.
    void start(bool save)
    {
        dir.write("card.card", readDemo());
        setenv("QUILLON_VIRTUAL_CARD", dir.file("card.card").c_str(), 1);
        setenv("QUILLON_VIRTUAL_CARD_SAVE", save ? "1" : "0", 1);
        context = lib().initQVSC(nullptr, 0);
    }
    void TearDown() override
    {
        lib().freeQVSC();
        unsetenv("QUILLON_VIRTUAL_CARD");
        unsetenv("QUILLON_VIRTUAL_CARD_SAVE");
    }
    static std::string readDemo()
    {
        std::ifstream in(std::string(QUILLON_BIN_DIR) + "/cards/demo.card", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string firstReader()
    {
        std::vector<char> buf(10240, 0);
        lib().qvGetReaderList(buf.data());
        std::string list(buf.data());
        return list.substr(0, list.find('\n'));
    }
    // Exchanges `apdu` with a buffer of `capacity` bytes and guard bytes behind it.
    uint32_t exchange(const std::string& apdu, std::string& answer, uint32_t capacity = 300)
    {
        std::vector<uint8_t> cmd = Hex::bytes(apdu);
        std::vector<uint8_t> buf(capacity + 8, 0xEE);
        uint32_t len = capacity;
        uint32_t r = lib().qvDoApdu(cmd.data(), static_cast<uint32_t>(cmd.size()), buf.data(), &len);
        for (size_t i = capacity; i < buf.size(); ++i) EXPECT_EQ(buf[i], 0xEE) << "overrun at " << i;
        answer = r == 0 ? Hex::format(std::vector<uint8_t>(buf.begin(), buf.begin() + len)) : "";
        return r;
    }

    ScratchDir dir;
    uint32_t context = 0;
};

TEST_F(Library, ServesTheVirtualCardAsFirstReader)
{
    start(false);
    EXPECT_NE(context, 0u);
    EXPECT_EQ(firstReader(), kReader);
    uint32_t card = 0, proto = 0;
    ASSERT_EQ(lib().qvConnect(context, kReader, 2, 1, &card, &proto), 0u);
    EXPECT_EQ(lib().qvDisconnect(card, 0), 0u);
    std::string ans;
    ASSERT_EQ(exchange("00 02 00 00 02 00 00", ans), 0u);
    EXPECT_EQ(ans, "3B 02 14 50");
    for (const char* sel : {"A0 A4 00 00 02 3F 00", "A0 A4 00 00 02 7F 10"}) exchange(sel, ans);
    ASSERT_EQ(exchange("A0 A4 00 00 02 6F 3A", ans), 0u);
    EXPECT_EQ(ans, "9F 0F");
    ASSERT_EQ(exchange("A0 C0 00 00 0F", ans), 0u);
    EXPECT_EQ(ans.substr(0, 11), "00 00 1B 58");  // 250 records of 28 bytes
    ASSERT_EQ(exchange("A0 B2 01 04 1C", ans), 0u);
    EXPECT_EQ(ans.substr(0, 11), "41 6C 69 63");  // "Alic"
}

TEST_F(Library, RemovalFileTakesTheCardOutUntilItIsDeleted)
{
    start(false);
    uint32_t card = 0, proto = 0;
    std::string ans;
    ASSERT_EQ(lib().qvConnect(context, kReader, 2, 1, &card, &proto), 0u);
    dir.write("card.card.removed", "");
    EXPECT_NE(lib().qvConnect(context, kReader, 2, 1, &card, &proto), 0u);
    EXPECT_NE(exchange("A0 A4 00 00 02 3F 00", ans), 0u);
    std::remove(dir.file("card.card.removed").c_str());
    ASSERT_EQ(lib().qvConnect(context, kReader, 2, 1, &card, &proto), 0u);
    ASSERT_EQ(exchange("A0 A4 00 00 02 3F 00", ans), 0u);
    EXPECT_EQ(ans.substr(0, 2), "9F");
}

TEST_F(Library, ResponseLargerThanCapacityIsRefused)
{
    start(false);
    std::string ans;
    for (const char* sel : {"A0 A4 00 00 02 3F 00", "A0 A4 00 00 02 7F 10", "A0 A4 00 00 02 6F 3C"})
        exchange(sel, ans);
    EXPECT_NE(exchange("A0 B2 01 04 B0", ans, 177), 0u);  // 176 bytes + SW1 SW2 need 178
    EXPECT_EQ(exchange("A0 B2 01 04 B0", ans, 178), 0u);
    EXPECT_EQ(ans.substr(0, 2), "01");
    EXPECT_NE(exchange("00 02 00 00 02 00 00", ans, 2), 0u);
}

TEST_F(Library, ChangesAreSavedBackOnlyWhenAsked)
{
    for (bool save : {false, true}) {
        SCOPED_TRACE(save);
        start(save);
        std::string ans;
        for (const char* sel : {"A0 A4 00 00 02 3F 00", "A0 A4 00 00 02 7F 10", "A0 A4 00 00 02 6F 3A"})
            exchange(sel, ans);
        std::string update = "A0 DC 03 04 1C";
        for (int i = 0; i < 28; ++i) update += " 5A";
        ASSERT_EQ(exchange(update, ans), 0u);
        ASSERT_EQ(ans, "90 00");
        CardImage img;
        std::string error;
        ASSERT_TRUE(CardImageFile::load(dir.file("card.card"), img, error)) << error;
        EXPECT_EQ(img.find(CardImage::kAdn)->record(3)[0] == 0x5A, save);
        lib().freeQVSC();
    }
}

TEST_F(Library, UnusableImageServesNoVirtualReader)
{
    dir.write("bad.card", "recrod 1 00\n");
    setenv("QUILLON_VIRTUAL_CARD", dir.file("bad.card").c_str(), 1);
    lib().initQVSC(nullptr, 0);
    EXPECT_NE(firstReader(), kReader);
    uint32_t card = 0, proto = 0;
    EXPECT_NE(lib().qvConnect(context, kReader, 2, 1, &card, &proto), 0u);
}

}  // namespace
