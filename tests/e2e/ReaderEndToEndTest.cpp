// libQVSIMSC.so against the real pcscd, with quillon-vsim serving the demo card through the
// vsmartcard-vpcd driver: reader list, connection, answer to reset, file selection, records,
// a card pulled and put back, and pcscd going away and coming back.
#include "sim/ReaderServiceLibrary.h"
#include "vsim/Hex.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

const char* const kReader = "Virtual PCD 00 00";
const std::string kState = E2E_STATE_DIR;
const std::string kBin = QUILLON_BIN_DIR;

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool run(const std::string& command) { return std::system(command.c_str()) == 0; }

bool waitCard(bool present, int ms = 15000, const std::string& reader = kReader)
{
    return run(kBin + "/e2e_wait_card \"" + reader + "\" " + (present ? "present " : "absent ") + std::to_string(ms));
}

// Stops the process whose PID is in STATE/<name>.pid when it is still `comm`.
void stopByPidFile(const std::string& name, const std::string& comm)
{
    std::string pid = readFile(kState + "/" + name + ".pid");
    while (!pid.empty() && (pid.back() == '\n')) pid.pop_back();
    if (pid.empty()) return;
    std::string actual = readFile("/proc/" + pid + "/comm");
    if (actual == comm + "\n") ::kill(std::stoi(pid), SIGTERM);
    for (int i = 0; i < 50 && ::kill(std::stoi(pid), 0) == 0; ++i) usleep(100000);
}

// Starts quillon-vsim with `options`, its PID in STATE/<name>.pid.
void startVsim(const std::string& name = "vsim", const std::string& options = "")
{
    ASSERT_TRUE(run(kBin + "/quillon-vsim --image " + kState + "/card.card " + options + " >> " + kState + "/" +
                    name + ".log 2>&1 & echo $! > " + kState + "/" + name + ".pid"));
}

class EndToEnd : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        loaded = lib().load(kBin + "/libQVSIMSC.so", error);
        ASSERT_TRUE(loaded) << error;
        context = lib().initQVSC(nullptr, 0);
    }
    static ReaderServiceLibrary& lib()
    {
        static ReaderServiceLibrary l;
        return l;
    }
    void SetUp() override
    {
        std::string skip = readFile(kState + "/skip");
        if (!skip.empty()) GTEST_SKIP() << "no pcscd with the virtual reader: " << skip;
        ASSERT_TRUE(waitCard(true)) << "the virtual card is not in \"" << kReader << "\"";
        connect();
    }
    uint32_t connect(const char* reader = kReader)
    {
        uint32_t card = 0, proto = 0;
        uint32_t r = lib().qvConnect(context, reader, 2, 1, &card, &proto);
        if (r == 0) lib().qvDisconnect(card, 0);
        return r;
    }
    // Exchanges `apdu`; the answer in hex, or "error" when the exchange failed.
    std::string send(const std::string& apdu, uint32_t capacity = 300)
    {
        std::vector<uint8_t> cmd = Hex::bytes(apdu);
        std::vector<uint8_t> buf(capacity + 8, 0xEE);
        uint32_t len = capacity;
        uint32_t r = lib().qvDoApdu(cmd.data(), static_cast<uint32_t>(cmd.size()), buf.data(), &len);
        for (size_t i = capacity; i < buf.size(); ++i) EXPECT_EQ(buf[i], 0xEE) << "overrun at " << i;
        if ((r & 0xFFFF) != 0) return "error";
        return Hex::format(std::vector<uint8_t>(buf.begin(), buf.begin() + len));
    }
    void selectAdn()
    {
        send("A0 A4 00 00 02 3F 00");
        send("A0 A4 00 00 02 7F 10");
        ASSERT_EQ(send("A0 A4 00 00 02 6F 3A"), "9F 0F");
    }

    static inline bool loaded = false;
    static inline uint32_t context = 0;
};

TEST_F(EndToEnd, ListsTheVirtualReaderAndConnects)
{
    std::vector<char> buf(10240, 0);
    lib().qvGetReaderList(buf.data());
    std::string list(buf.data());
    EXPECT_NE(("\n" + list + "\n").find(std::string("\n") + kReader + "\n"), std::string::npos) << list;
    uint32_t card = 0, proto = 0;
    ASSERT_EQ(lib().qvConnect(context, kReader, 2, 1, &card, &proto), 0u);
    EXPECT_EQ(proto, 1u);  // T=0
    EXPECT_EQ(lib().qvDisconnect(card, 0), 0u);
    EXPECT_NE(lib().qvConnect(context, "No Such Reader 00 00", 2, 1, &card, &proto) & 0xFFFF, 0u);
    EXPECT_EQ(connect(), 0u);
}

TEST_F(EndToEnd, AnswerToResetAndFileHeaders)
{
    EXPECT_EQ(send("00 02 00 00 02 00 00"), "3B 02 14 50");
    EXPECT_EQ(send("00 02 00 00 02 00 00", 3), "error");
    EXPECT_EQ(send("A0 A4 00 00 02 3F 00"), "9F 16");  // T=0: no automatic GET RESPONSE
    std::string mf = send("A0 C0 00 00 16");
    ASSERT_EQ(mf.size(), 24u * 3 - 1);
    EXPECT_EQ(mf.substr(13 * 3, 2), "93");  // PIN check off
    EXPECT_EQ(mf.substr(18 * 3, 2), "83");  // three attempts
    selectAdn();
    EXPECT_EQ(send("A0 C0 00 00 0F"), "00 00 1B 58 6F 3A 04 00 11 FF 44 01 02 01 1C 90 00");
}

TEST_F(EndToEnd, RecordsReadAndWritten)
{
    selectAdn();
    EXPECT_EQ(send("A0 B2 01 04 1C").substr(0, 11), "41 6C 69 63");  // "Alic"
    std::string pattern;
    for (int i = 0; i < 28; ++i) pattern += (i ? " " : "") + Hex::format({static_cast<uint8_t>(i + 0x30)});
    EXPECT_EQ(send("A0 DC 0B 04 1C " + pattern), "90 00");
    EXPECT_EQ(send("A0 B2 0B 04 1C"), pattern + " 90 00");
    EXPECT_EQ(send("A0 B2 FB 04 1C"), "94 02");
    EXPECT_EQ(send("A0 B2 01 04 1C", 29), "error");  // 30 bytes do not fit
}

// The first exchange after the card came back reaches it, whether or not an exchange failed
// while it was out.
TEST_F(EndToEnd, CardPulledAndPutBack)
{
    struct Case {
        bool exchangeWhileOut;
        const char* first;
        const char* answer;
    };
    for (const Case& c : {Case{true, "00 02 00 00 02 00 00", "3B 02 14 50"},
                          Case{false, "00 02 00 00 02 00 00", "3B 02 14 50"},
                          Case{false, "A0 A4 00 00 02 3F 00", "9F 16"}}) {
        SCOPED_TRACE(std::string(c.first) + (c.exchangeWhileOut ? ", exchange while out" : ""));
        selectAdn();
        stopByPidFile("vsim", "quillon-vsim");
        ASSERT_TRUE(waitCard(false)) << "the card did not leave the reader";
        EXPECT_NE(connect() & 0xFFFF, 0u);
        if (c.exchangeWhileOut) {
            EXPECT_EQ(send("A0 B2 01 04 1C"), "error");
        }
        startVsim();
        ASSERT_TRUE(waitCard(true)) << "the card did not come back";
        EXPECT_EQ(connect(), 0u);
        EXPECT_EQ(send(c.first), c.answer);
        EXPECT_EQ(send("A0 A4 00 00 02 3F 00"), "9F 16");
    }
}

// A second card with faults in the driver's second reader: the library passes the echoed
// instruction byte on untouched, and the card pulled mid-sequence ends in a failure.
TEST_F(EndToEnd, FaultyCardInSecondReader)
{
    const char* second = "Virtual PCD 00 01";
    startVsim("faulty", "--port 35964 --echo-ins --pull-after 5");
    ASSERT_TRUE(waitCard(true, 15000, second)) << "no card in " << second;
    ASSERT_EQ(connect(second), 0u);
    send("A0 A4 00 00 02 3F 00");
    send("A0 A4 00 00 02 7F 10");
    EXPECT_EQ(send("A0 A4 00 00 02 6F 3A"), "9F 0F");
    EXPECT_EQ(send("A0 C0 00 00 0F").substr(0, 14), "C0 00 00 1B 58");
    EXPECT_EQ(send("A0 B2 01 04 1C").substr(0, 5), "B2 41");
    EXPECT_EQ(send("A0 B2 02 04 1C"), "error");  // pulled after five
    EXPECT_TRUE(waitCard(false, 5000, second));
    stopByPidFile("faulty", "quillon-vsim");
    EXPECT_EQ(connect(), 0u);  // the first reader is untouched
    EXPECT_EQ(send("A0 A4 00 00 02 3F 00"), "9F 16");
}

TEST_F(EndToEnd, ServiceComesBackAfterPcscdRestarts)
{
    if (readFile(kState + "/pcscd.pid").empty()) GTEST_SKIP() << "pcscd was already running; it is not ours to stop";
    EXPECT_EQ(send("A0 A4 00 00 02 3F 00"), "9F 16");
    stopByPidFile("pcscd", "pcscd");
    EXPECT_EQ(send("A0 A4 00 00 02 3F 00"), "error");
    EXPECT_NE(connect() & 0xFFFF, 0u);
    ASSERT_TRUE(run("pcscd -f >> " + kState + "/pcscd.log 2>&1 & echo $! > " + kState + "/pcscd.pid"));
    // quillon-vsim keeps trying to reach vpcd for a while; start a fresh one if it gave up.
    if (!waitCard(true, 8000)) {
        stopByPidFile("vsim", "quillon-vsim");
        startVsim();
    }
    ASSERT_TRUE(waitCard(true)) << "the card did not come back after the restart";
    EXPECT_EQ(connect(), 0u);
    EXPECT_EQ(send("A0 A4 00 00 02 3F 00"), "9F 16");
}

}  // namespace
