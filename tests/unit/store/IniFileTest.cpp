#include "store/IniFile.h"

#include "tests/support/ScratchDir.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

IniFile parsed(const std::string& text) {
    IniFile ini;
    ini.parse(text);
    return ini;
}

}  // namespace

TEST(IniFile, ParsesAnyLineEndAndKeepsValuesRaw) {
    for (const std::string eol : {"\r\n", "\n"}) {
        for (const bool finalEol : {true, false}) {
            std::string text = "[Catalog]" + eol + "1=Family" + eol + "2= spaced = value " + eol + eol + "[Family]" +
                               eol + R"(1=Ann\t0912\t\t)";
            if (finalEol) text += eol;
            IniFile ini = parsed(text);
            EXPECT_EQ(ini.readString("Catalog", "1"), "Family");
            EXPECT_EQ(ini.readString("Catalog", "2"), " spaced = value ");
            EXPECT_EQ(ini.readString("Family", "1"), R"(Ann\t0912\t\t)") << "final line end " << finalEol;
            EXPECT_EQ(ini.sections(), (Strings{"Catalog", "Family"}));
        }
    }
}

TEST(IniFile, NamesIgnoreCaseAndSurroundingBlanksButKeepTheirSpelling) {
    IniFile ini = parsed("[ MixedCase ]\r\n  Key One =v1\r\nkey=first\r\nKEY=second\r\n[mixedcase]\r\nlater=v2\r\n");
    struct Case { const char* section; const char* key; const char* value; };
    for (const Case& c : {Case{"mixedcase", "key one", "v1"}, Case{"MIXEDCASE", "KEY", "first"},
                          Case{"  MixedCase", "later ", "v2"}, Case{"MixedCase", "absent", "def"}})
        EXPECT_EQ(ini.readString(c.section, c.key, "def"), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(ini.sections(), Strings{"MixedCase"});  // a repeated section continues the first
    EXPECT_EQ(ini.keys("mixedcase"), (Strings{"Key One", "key", "KEY", "later"}));
    ini.writeString("MIXEDCASE", "KEY ONE", "new");
    EXPECT_EQ(ini.keys("mixedcase").front(), "Key One");
    EXPECT_EQ(ini.readString("MixedCase", "Key One"), "new");
    IniFile fresh = parsed("[s]\nA=1\nb=2\na=3\n");
    fresh.deleteKey("S", "a");  // the first of the two
    EXPECT_EQ(fresh.values("s"), (std::vector<std::pair<std::string, std::string>>{{"b", "2"}, {"a", "3"}}));
    EXPECT_EQ(fresh.readString("s", "A"), "3");
}

TEST(IniFile, WritingKeepsOrderAndProducesCrLfText) {
    IniFile ini;
    ini.writeString("B", "2", R"(x\ty)");
    ini.writeString("A", "1", "a");
    ini.writeString("b", "1", "z");
    ini.writeInteger("A", "n", -5);
    EXPECT_EQ(ini.text(), "[B]\r\n2=x\\ty\r\n1=z\r\n[A]\r\n1=a\r\nn=-5\r\n");
    ini.deleteKey("b", "2");
    ini.eraseSection("a");
    EXPECT_EQ(ini.text(), "[B]\r\n1=z\r\n");
    EXPECT_FALSE(ini.sectionExists("A"));
    // a section written again after its removal starts empty at the end
    ini.writeString("A", "k", "v");
    EXPECT_EQ(ini.text(), "[B]\r\n1=z\r\n[A]\r\nk=v\r\n");
}

TEST(IniFile, ReadsNumbersInDecimalAndHex) {
    IniFile ini = parsed("[S]\nd=42\nh=0x1F\nd2=$10\nneg=-7\nbad=12a\nempty=\n");
    struct Case { const char* key; long long value; };
    for (const Case& c : {Case{"d", 42}, Case{"h", 31}, Case{"d2", 16}, Case{"neg", -7}, Case{"bad", 99},
                          Case{"empty", 99}, Case{"none", 99}})
        EXPECT_EQ(ini.readInteger("S", c.key, 99), c.value) << c.key;
    EXPECT_TRUE(ini.readBool("S", "d", false));
}

TEST(IniFile, SectionNamesHoldingBrackets) {
    CodePage::setAnsi(950);
    // 0xA4 0x5D ends in "]"; 0xA4 0x41 has a trail byte that looks like "A"
    const std::string bracket = "\xA4\x5D";
    const std::string letterA = "\xA4\x41";
    IniFile ini = parsed("[" + bracket + "] old comment\r\n1=one\r\n[" + letterA + "]\r\n1=two\r\n[a]b]\r\n1=three\r\n");
    EXPECT_EQ(ini.readString(bracket, "1"), "one");
    EXPECT_EQ(ini.readString(letterA, "1"), "two");
    EXPECT_FALSE(ini.sectionExists("\xA4\x61"));  // trail byte not folded
    EXPECT_EQ(ini.readString("a]b", "1"), "three");
    // written names read back the same
    IniFile again = parsed(ini.text());
    EXPECT_EQ(again.sections(), (Strings{bracket, letterA, "a]b"}));
    CodePage::setAnsi(0);
}

TEST(IniFile, ManyKeysStayFindable) {
    IniFile ini;
    for (int i = 1; i <= 20000; ++i) ini.writeString("Big", std::to_string(i), "v" + std::to_string(i));
    IniFile again = parsed(ini.text());
    for (int i : {1, 777, 19999, 20000}) EXPECT_EQ(again.readString("big", std::to_string(i)), "v" + std::to_string(i));
    EXPECT_FALSE(again.valueExists("Big", "20001"));
}

TEST(IniFile, FileLifecycle) {
    ScratchDir dir;
    const std::string path = dir.file("s.ini");
    {
        IniFile ini(path);
        EXPECT_TRUE(ini.loadedOk());
        EXPECT_FALSE(ini.dirty());
        ini.writeString("FormSimCard", "Top", "10");
    }  // written on destruction
    EXPECT_EQ(dir.read("s.ini"), "[FormSimCard]\r\nTop=10\r\n");
    {
        IniFile ini(path);
        ini.setAutoSave(false);
        ini.writeString("FormSimCard", "Top", "20");
    }
    EXPECT_EQ(dir.read("s.ini"), "[FormSimCard]\r\nTop=10\r\n");
    {
        IniFile ini(path);
        ini.writeString("FormSimCard", "Top", "10");  // unchanged value: not dirty
        EXPECT_FALSE(ini.dirty());
        ini.writeString("X", "k", "v");
        EXPECT_TRUE(ini.save());
        EXPECT_FALSE(ini.dirty());
        EXPECT_TRUE(ini.writeTo(dir.file("copy.ini")));
    }
    EXPECT_EQ(dir.read("copy.ini"), dir.read("s.ini"));
    EXPECT_FALSE(dir.exists("s.ini.new"));
    IniFile unwritable(dir.file("no/such/dir.ini"));
    unwritable.writeString("a", "b", "c");
    EXPECT_FALSE(unwritable.save());
    unwritable.setAutoSave(false);
}
