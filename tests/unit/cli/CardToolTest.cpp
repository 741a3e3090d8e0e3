#include "CardToolProcess.h"

#include <gtest/gtest.h>

namespace {

const std::string kHelloSms =
    "01 07 91 88 96 20 00 00 F0 04 0A A1 90 21 43 65 87 00 00 42 30 51 21 03 54 23 05 C8 32 9B FD 06";

std::string repeat(const std::string& unit, size_t times)
{
    std::string s;
    for (size_t i = 0; i < times; ++i) s += unit;
    return s;
}

TEST(CardTool, DecodesEachRecordKind)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string expected;
    } const cases[] = {
        {"received message", {"decode", "sms", kHelloSms},
         "result=0\nstatus=1\nnumber=0912345678\ndcs=00\ntime=2024-03-15 04:30:45\ntext=Hello\n"},
        {"damaged message keeps what it read", {"decode", "sms", "01 00 04 0A A1 90 21 43 65 A7 00 00"},
         "result=1007\nstatus=1\nnumber=091234567\ndcs=00\ntime=\ntext=\n"},
        {"line breaks", {"decode", "sms", "07 00 01 FF 00 81 00 00 06 C1 86 42 A8 18 02"},
         "result=0\nstatus=7\nnumber=\ndcs=00\ntime=\ntext=A\\nB\\nC\n"},
        {"phone record", {"decode", "adn", "416E6E61" + repeat("FF", 10) + "0791889621436587FFFFFFFFFF05"},
         "name=Anna\nnumber=+886912345678\next=5\n"},
        {"phone record without extension", {"decode", "adn", repeat("FF", 28)}, "name=\nnumber=\next=\n"},
        {"extension", {"decode", "ext1", "02 06 10 32 54 76 98 FF FF FF FF FF FF"}, "digits=0123456789\n"},
        {"own number", {"decode", "msisdn", "4F776E6572" + repeat("FF", 9) + "0791889621436587FFFFFFFFFFFF"},
         "name=Owner\nnumber=886912345678\n"},
        {"message parameters", {"decode", "smsp", repeat("FF", 12) + "FD" + repeat("FF", 12) + "0791889620000000F0FFFFFF000000"},
         "sca=0791889620000000F0FFFFFF\nnumber=+886902000000\n"},
        {"message parameters without address", {"decode", "smsp", repeat("FF", 40)}, "sca=\nnumber=\n"},
        {"card number", {"decode", "iccid", "98 68 00 21 43 65 87 09 21 F3"}, "iccid=8986001234567890123\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CardToolRun run = CardToolRun::of(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.expected);
    }
}

TEST(CardTool, EncodedRecordsDecodeBack)
{
    struct Case {
        const char* name;
        std::string codePage;
        std::string text;
        std::string number;
        std::string status;
        std::string dcs;
    } const cases[] = {
        {"GSM text with escapes", "1252", "Price: 5\xE2\x82\xAC [net]", "0912345678", "3", "00"},
        {"Big5 text in UCS2", "950", "\xE4\xB8\xAD\xE6\x96\x87 ok", "0912345678", "1", "08"},
        {"Cyrillic in UCS2", "1251", "\xD0\x9F\xD1\x80\xD0\xB8", "123", "7", "08"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string env = "TZ=UTC QUILLON_CODEPAGE=" + c.codePage;
        const CardToolRun encoded = CardToolRun::of({"encode", "sms", "--record-length", "176", "--text", c.text,
                                                     "--number", c.number, "--status", c.status, "--sca", "0791889620000000F0"},
                                                    env);
        ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
        ASSERT_EQ(encoded.value("hex").size(), 352u);
        const CardToolRun decoded = CardToolRun::of({"decode", "sms", encoded.value("hex")}, env);
        EXPECT_EQ(decoded.value("result"), "0");
        EXPECT_EQ(decoded.value("text"), c.text);
        EXPECT_EQ(decoded.value("number"), c.number);
        EXPECT_EQ(decoded.value("status"), c.status);
        EXPECT_EQ(decoded.value("dcs"), c.dcs);
    }
}

TEST(CardTool, EncodesAPhoneRecord)
{
    const CardToolRun run = CardToolRun::of({"encode", "adn", "--record-length", "28", "--name", "Anna", "--number", "+886912345678"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "hex=416E6E61" + repeat("FF", 10) + "0791889621436587FFFFFFFFFFFF\n");
}

TEST(CardTool, BadArgumentsExitWithTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"decode"},
        {"decode", "sms"},
        {"decode", "sms", "01", "extra"},
        {"decode", "vcard", "01"},
        {"decode", "sms", "0G"},
        {"decode", "sms", "012"},
        {"decode", "sms", ""},
        {"decode", "adn", repeat("FF", 13)},
        {"decode", "smsp", repeat("FF", 27)},
        {"encode", "adn", "--name", "A"},
        {"encode", "sms", "--record-length", "0", "--text", "x"},
        {"encode", "sms", "--record-length", "256", "--text", "x"},
        {"encode", "sms", "--record-length", "17x", "--text", "x"},
        {"encode", "sms", "--record-length", "176"},
        {"encode", "sms", "--record-length", "176", "--text", "x", "--number", "09-12"},
        {"encode", "sms", "--record-length", "176", "--text", "x", "--colour", "red"},
        {"encode", "sms", "--record-length", "176", "--text"},
        {"encode", "sms", "--record-length", "176", "--text", "x", "--sca", "ZZ"},
        {"read", "everything"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CardToolRun run = CardToolRun::of(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: quillon-card"), std::string::npos);
    }
}

}  // namespace

namespace {

const std::string kCardEnv =
    std::string("TZ=UTC QUILLON_CODEPAGE=950 QUILLON_VIRTUAL_CARD='") + QUILLON_TEST_DATA + "/sms/messages.card'";

TEST(CardTool, ReadsTheMessagesOfAVirtualCard)
{
    const CardToolRun run = CardToolRun::of({"read", "messages", "--pin", "1234"}, kCardEnv);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "iccid=8986001234567890123\nowner=Owner\nown_number=886912345678\nsca=07918896200000F0FFFFFFFF\n"
              "\nrecord=1\nstatus=1\nnumber=0912345678\ndcs=08\ntime=2024-03-15 04:30:45\ntext=\xE4\xB8\xAD\xE6\x96\x87\n"
              "\nrecord=3\nstatus=7\nnumber=0987654321\ndcs=00\ntime=\ntext=Call me\n"
              "\nrecord=4\nstatus=1\nnumber=091234567\ndcs=00\ntime=\ntext=\n"
              "\nrecord=5\nstatus=3\nnumber=123\ndcs=00\ntime=2024-03-16 10:05:42\ntext=1\xE2\x82\xAC\\nB\n");
}

TEST(CardTool, CardFailuresExitWithOne)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string message;
    } const cases[] = {
        {"PIN needed", {"read", "identity"}, "needs its PIN"},
        {"PIN refused", {"read", "identity", "--pin", "9999"}, "PIN was refused"},
        {"no such reader", {"read", "messages", "--pin", "1234", "--reader", "nobody"}, "\"nobody\" failed, status"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CardToolRun run = CardToolRun::of(c.args, kCardEnv);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

}  // namespace
