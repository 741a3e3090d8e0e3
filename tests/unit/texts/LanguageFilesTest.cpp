// Checks every shipped language file: it decodes in its code page, it holds every numbered text
// the program uses, and each of those takes exactly the arguments the program passes.
#include "shell/HintFormat.h"
#include "store/IniFile.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

struct ShippedFile {
    const char* code;
    int codePage;
};

const ShippedFile shippedFiles[] = {{"0", 950}, {"1", 936}, {"2", 1252}};

// Numbered text -> the kinds of the arguments the program formats it with ('d' integer,
// 's' text; "" for a text shown as it is).
const std::map<int, std::string> usedHints = {
    {1, ""},    {2, ""},    {4, ""},    {5, ""},    {6, ""},    {7, ""},    {8, ""},    {9, ""},    {10, ""},
    {11, "d"},  {12, ""},   {13, ""},   {14, "dd"}, {15, "d"},  {16, "d"},  {17, ""},   {18, "dd"}, {19, "d"},
    {20, "d"},  {21, ""},   {22, ""},   {23, ""},   {24, ""},   {25, "s"},  {26, "s"},  {27, ""},   {28, "d"},
    {29, ""},   {30, ""},   {31, ""},   {32, ""},   {33, ""},   {34, ""},   {36, "s"},  {37, "s"},  {38, ""},
    {39, ""},   {40, ""},   {41, ""},   {43, ""},   {44, ""},   {45, ""},   {46, ""},   {47, ""},   {48, ""},
    {49, ""},   {50, ""},   {51, ""},   {52, "dd"}, {53, "dd"}, {54, ""},   {55, ""},   {56, ""},   {58, ""},
    {60, ""},   {62, ""},   {64, ""},   {65, ""},   {66, ""},   {67, ""},   {68, ""},   {69, ""},   {70, ""},
    {71, ""},   {73, ""},   {74, ""},   {75, ""},   {76, ""},   {77, ""},   {78, ""},   {79, ""},   {80, ""},
    {81, "d"},  {82, "s"},  {83, "d"},  {84, ""},   {85, "d"},  {86, "d"},  {87, ""},   {88, ""},   {89, ""},
    {90, ""},   {91, ""},   {92, ""},   {93, "s"},  {94, ""},   {95, ""},   {96, ""},   {97, ""},   {98, ""},
    {99, ""},   {100, ""},
};

// Texts that replace a file dialog's filter: "description|pattern" pairs.
const int filterHints[] = {33, 34, 54};

// Every window's section with its caption key, and the main window's column keys.
const char* const windows[] = {"FormSimCard",    "FormPinCode",    "dlgSetPassword", "FormEnterPhone",
                               "FormEnterMessage", "FormExportData", "FormImportData"};
const std::pair<const char*, int> columnKeys[] = {
    {"etSIMPhonH", 3}, {"etSIMMsgH", 4}, {"etPCPhonH", 6}, {"etPCMsgH", 5}};

class ShippedLanguageFile : public ::testing::TestWithParam<ShippedFile> {
protected:
    void SetUp() override
    {
        path = std::string(QUILLON_SOURCE_DIR) + "/lang/QVSEstr" + GetParam().code + ".INI";
        file = std::make_unique<IniFile>(path);
        file->setAutoSave(false);
        ASSERT_TRUE(file->sectionExists("Hint")) << path;
    }
    std::string hint(int n) const { return file->readString("Hint", "Hint" + std::to_string(n)); }

    std::string path;
    std::unique_ptr<IniFile> file;
};

TEST_P(ShippedLanguageFile, DecodesCleanlyInItsCodePage)
{
    std::u16string text = CodePage::toUtf16(file->text(), GetParam().codePage);
    EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos) << path;
}

TEST_P(ShippedLanguageFile, EveryUsedHintExistsAndTakesTheArgumentsPassed)
{
    long long total = file->readInteger("Hint", "Total", 130);
    EXPECT_GE(total, usedHints.rbegin()->first);
    for (const auto& [n, kinds] : usedHints) {
        std::string key = "Hint" + std::to_string(n);
        EXPECT_TRUE(file->valueExists("Hint", key)) << path << " lacks " << key;
        EXPECT_EQ(HintFormat::kinds(hint(n)), kinds) << path << " " << key << "=" << hint(n);
    }
}

TEST_P(ShippedLanguageFile, FilterHintsHaveDescriptionPatternPairs)
{
    for (int n : filterHints) {
        std::string f = hint(n);
        size_t pieces = 1 + static_cast<size_t>(std::count(f.begin(), f.end(), '|'));
        EXPECT_EQ(pieces % 2, 0u) << "Hint" << n << "=" << f;
        EXPECT_EQ(f.find("||"), std::string::npos) << "Hint" << n;
        EXPECT_NE(f.find("|*."), std::string::npos) << "Hint" << n;
    }
}

TEST_P(ShippedLanguageFile, EveryWindowHasItsCaptionAndTheListsTheirTitles)
{
    for (const char* w : windows) EXPECT_TRUE(file->valueExists(w, w)) << path << " [" << w << "]";
    for (auto [prefix, count] : columnKeys)
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(file->valueExists("FormSimCard", prefix + std::to_string(i))) << path << " " << prefix << i;
}

TEST_P(ShippedLanguageFile, IsItsUtf8SourceInItsCodePageWithCrLfLines)
{
    std::string sourcePath = std::string(QUILLON_SOURCE_DIR) + "/lang/utf8/QVSEstr" + GetParam().code + ".ini";
    IniFile source(sourcePath);
    source.setAutoSave(false);
    ASSERT_TRUE(source.sectionExists("Hint")) << sourcePath;
    EXPECT_EQ(CodePage::fromUtf8(source.text(), GetParam().codePage), file->text()) << "run lang/utf8/convert.sh";
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguageFile, ::testing::ValuesIn(shippedFiles),
                         [](const auto& info) { return std::string("code") + info.param.code; });

}  // namespace
