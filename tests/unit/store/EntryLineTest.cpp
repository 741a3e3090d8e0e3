#include "store/EntryLine.h"

#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct CodePageScope {
    explicit CodePageScope(int cp) { CodePage::setAnsi(cp); }
    ~CodePageScope() { CodePage::setAnsi(0); }
};

std::vector<std::string> takeAll(std::string line, int times) {
    std::vector<std::string> out;
    for (int i = 0; i < times; ++i) out.push_back(EntryLine::takeNextField(line));
    return out;
}

}  // namespace

struct TakeCase {
    const char* line;
    std::vector<std::string> fields;  // four takes
};

TEST(EntryLine, TakeNextFieldSplitsAtSeparatorsAndDecodesBreaks) {
    CodePageScope cp(1252);
    const std::vector<TakeCase> cases = {
        {R"(Ann\t0912\t\t)", {"Ann", "0912", "", ""}},
        {"OnlyName", {"OnlyName", "", "", ""}},
        {"", {"", "", "", ""}},
        {R"(two\nlines\tx)", {"two\r\nlines", "x", "", ""}},
        {"tab\there\\tb", {"tab\there", "b", "", ""}},  // a real tab is content
        {R"(a\tb\tc\td\te)", {"a", "b", "c", "d"}},      // extra fields stay in the line
        {R"(back\slash\t\\t)", {"back\\slash", "\\", "", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(takeAll(c.line, 4), c.fields) << c.line;
}

TEST(EntryLine, TakeNextFieldLeavesTheRestOfTheLine) {
    std::string line = R"(a\tb\tc)";
    EXPECT_EQ(EntryLine::takeNextField(line), "a");
    EXPECT_EQ(line, R"(b\tc)");
    EXPECT_EQ(EntryLine::takeNextField(line), "b");
    EXPECT_EQ(EntryLine::takeNextField(line), "c");
    EXPECT_EQ(line, "");
}

TEST(EntryLine, Big5TrailByteBackslashIsNotASeparator) {
    CodePageScope cp(950);
    // Each of these three characters ends with the byte 0x5C.
    const std::string xu = CodePage::fromUtf8("許功蓋", 950);
    ASSERT_EQ(xu.size(), 6u);
    ASSERT_EQ(xu[1], '\\');
    const std::string name = xu + "to";  // trail 0x5C followed by 't'
    const std::string text = xu + "n";   // trail 0x5C followed by 'n'
    std::string line = name + "\\t0912\\t" + text + "\\t";
    EXPECT_EQ(takeAll(line, 3), (std::vector<std::string>{name, "0912", text}));
    EXPECT_EQ(EntryLine::decodeLineBreaks(text), text);
    EXPECT_EQ(EntryLine::fields(xu + "\\t" + xu, 2), (std::vector<std::string>{xu, xu}));
}

TEST(EntryLine, LineBreakEscapesRoundTripOnlyPairs) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"one\r\ntwo", R"(one\ntwo)"},
        {"lone\rcr and lone\nlf", "lone\rcr and lone\nlf"},
        {"\r\n\r\n", R"(\n\n)"},
        {"end\r", "end\r"},
    };
    for (const auto& [plain, stored] : cases) {
        EXPECT_EQ(EntryLine::encodeLineBreaks(plain), stored);
        EXPECT_EQ(EntryLine::decodeLineBreaks(stored), plain);
    }
}

TEST(EntryLine, StripTrailingBlanksCutsBytesUpTo32) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Ann  ", "Ann"}, {"Ann\x01\x1f \t", "Ann"}, {"  in side ", "  in side"}, {"   ", ""}, {"", ""},
        {"x\xff", "x\xff"}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(EntryLine::stripTrailingBlanks(in), out);
        char buf[16] = {};
        std::memcpy(buf, in.data(), in.size());
        buf[15] = 'Z';  // beyond the terminator: must stay untouched
        EntryLine::stripTrailingBlanks(buf);
        EXPECT_EQ(std::string(buf), out);
        EXPECT_EQ(buf[15], 'Z');
    }
}

TEST(EntryLine, KeepDialableCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"+886 (2) 1234-5678", "+886212345678"},
        {"*31#0912", "*31#0912"},
        {"no digits", "no digits"},
        {"", ""},
        {std::string("12\0" "34", 5), "12"},  // the scan stops at a zero byte
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(EntryLine::keepDialable(in), out);
    // Only the first 127 bytes count, also when nothing is dialable.
    EXPECT_EQ(EntryLine::keepDialable(std::string(127, '1') + "99"), std::string(127, '1'));
    EXPECT_EQ(EntryLine::keepDialable(std::string(200, 'x')), std::string(127, 'x'));
}

TEST(EntryLine, JoinAndFieldsAreInverse) {
    const std::vector<std::string> f = {"Ann", "0912", "", "r"};
    EXPECT_EQ(EntryLine::join(f), R"(Ann\t0912\t\tr)");
    EXPECT_EQ(EntryLine::fields(EntryLine::join(f), 4), f);
    EXPECT_EQ(EntryLine::join({"", "", "", ""}), EntryLine::kEmptyPhone);
    EXPECT_EQ(EntryLine::join({"", ""}), EntryLine::kEmptyCardPhone);
}
