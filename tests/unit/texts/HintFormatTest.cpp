#include "shell/HintFormat.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<HintFormat::Arg>;

struct FormatCase {
    const char* name;
    const char* format;
    Args args;
    std::string expected;
};

class HintFormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(HintFormatTable, Formats)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(HintFormat::format(c.format, c.args), c.expected);
}

const FormatCase formatCases[] = {
    {"IntegersInOrder", "Reading record %d of %d", {3LL, 250LL}, "Reading record 3 of 250"},
    {"String", "Delete the catalog \"%s\"?", {std::string("Family")}, "Delete the catalog \"Family\"?"},
    {"WidthAndFlags", "[%5d][%-4s][%03d]", {42LL, std::string("ab"), 7LL}, "[   42][ab  ][007]"},
    {"Precision", "%.3s|%.4d", {std::string("abcdef"), 5LL}, "abc|0005"},
    {"HexAndUnsigned", "%X %x %u", {255LL, 171LL, 9LL}, "FF ab 9"},
    {"LengthModifiers", "%ld-%lld-%hd", {1LL, 2LL, 3LL}, "1-2-3"},
    {"PercentLiteral", "100%% done", {}, "100% done"},
    {"NumberForString", "%s left", {2LL}, "2 left"},
    {"TextForNumber", "%d tries", {std::string("two")}, "two tries"},
    {"MissingArgumentPrintsNothing", "%d of %d", {1LL}, "1 of "},
    {"ExtraArgumentsIgnored", "plain", {1LL, std::string("x")}, "plain"},
    {"WriteConversionCopied", "a%nb", {1LL}, "a%nb"},
    {"FloatCopiedAndNotConsuming", "%.2f then %d", {8LL}, "%.2f then 8"},
    {"TrailingPercent", "50%", {}, "50%"},
    {"HugeWidthClamped", "%999999999d|", {1LL}, std::string(511, ' ') + "1|"},
    {"MultibyteTextKept", "\xA6\x57\xBA\xD9 %s", {std::string("\xA4\xA4")}, "\xA6\x57\xBA\xD9 \xA4\xA4"},
};

INSTANTIATE_TEST_SUITE_P(Cases, HintFormatTable, ::testing::ValuesIn(formatCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HintFormatKinds, ListsTheArgumentKindsAFormatConsumes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"%d/%d", "dd"},  {"%s", "s"},        {"no conversion", ""}, {"100%%", ""},
        {"%5.2f", "?"},   {"%-3s:%ld", "sd"}, {"%n", "?"},          {"end %", "?"},
        {"%c%X%u%i", "dddd"},
    };
    for (auto [fmt, kinds] : cases) EXPECT_EQ(HintFormat::kinds(fmt), kinds) << fmt;
}

}  // namespace
