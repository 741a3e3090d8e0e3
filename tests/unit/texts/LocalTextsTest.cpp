#include "shell/LocalTexts.h"
#include "shell/Log.h"
#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t traditional = 0x0404;
constexpr uint16_t english = 0x0409;
constexpr uint16_t polish = 0x0415;

std::string crlf(std::initializer_list<const char*> lines)
{
    std::string s;
    for (const char* l : lines) s += std::string(l) + "\r\n";
    return s;
}

// A program directory with language files; LocalTexts::current() is loaded from it.
class LocalTextsTest : public ::testing::Test {
protected:
    void TearDown() override { texts().clear(); }
    static LocalTexts& texts() { return LocalTexts::current(); }
    void writeLang(const std::string& code, const std::string& body) { app.write("QVSEstr" + code + ".INI", body); }
    ScratchDir app;
};

TEST_F(LocalTextsTest, LoadsNumberedTextsOfTheSystemLanguage)
{
    writeLang("0", crlf({"[Hint]", "Hint1=Warning", "Hint11=Wrong PIN#13%d tries left", "Hint130=last"}));
    writeLang("2", crlf({"[Hint]", "Hint1=English"}));
    texts().load(app.path(), traditional);

    EXPECT_EQ(texts().code(), "0");
    EXPECT_EQ(texts().textFilePath(), app.path() + "QVSEstr0.INI");
    EXPECT_EQ(texts().helpFile(), app.path() + "Tolmar0.CHM");
    EXPECT_EQ(texts().hint(1), "Warning");
    EXPECT_EQ(texts().hint(11), "Wrong PIN\r%d tries left");
    EXPECT_EQ(texts().hintf(11, 2), "Wrong PIN\r2 tries left");
    EXPECT_EQ(texts().hint(130), "last");
}

TEST_F(LocalTextsTest, MissingKeysGiveTheirNumberAndQuestionMarks)
{
    writeLang("2", crlf({"[Hint]", "Hint2=Confirm"}));
    texts().load(app.path(), english);
    EXPECT_EQ(texts().hint(2), "Confirm");
    EXPECT_EQ(texts().hint(3), "3 ??");
    EXPECT_EQ(texts().hint(100), "100 ??");
    EXPECT_EQ(texts().hint(0), "");
    EXPECT_EQ(texts().hint(131), "");
}

TEST_F(LocalTextsTest, TotalLimitsTheNumberedTextsAndIsCappedAt130)
{
    struct Case {
        const char* total;
        int lastRead;
    };
    const Case cases[] = {{"Total=3", 3}, {"Total=500", 130}, {"Total=0", 0}, {"Total=abc", 130}, {"", 130}};
    for (const Case& c : cases) {
        std::string body = crlf({"[Hint]", c.total});
        for (int i = 1; i <= 131; ++i) body += "Hint" + std::to_string(i) + "=t" + std::to_string(i) + "\r\n";
        writeLang("2", body);
        texts().load(app.path(), english);
        SCOPED_TRACE(c.total);
        if (c.lastRead > 0) EXPECT_EQ(texts().hint(c.lastRead), "t" + std::to_string(c.lastRead));
        EXPECT_EQ(texts().hint(c.lastRead + 1), "");
    }
}

TEST_F(LocalTextsTest, InstallLogOverridesLanguageAndHelpFile)
{
    writeLang("X", crlf({"[Hint]", "Hint1=from X"}));
    writeLang("2", crlf({"[Hint]", "Hint1=from 2"}));
    struct Case {
        const char* installLog;
        const char* code;
        const char* help;
        const char* hint1;
    };
    const Case cases[] = {
        {"[Vars]\r\nlanguage=X\r\n", "X", "TolmarX.CHM", "from X"},
        {"[vars]\r\nLANGUAGE=X\r\nHelpSimCard=doc/Guide.chm\r\n", "X", "doc/Guide.chm", "from X"},
        // The file of the chosen code is missing: code 2 and its help file, even over HelpSimCard.
        {"[Vars]\r\nlanguage=Q\r\nHelpSimCard=doc/Guide.chm\r\n", "2", "Tolmar2.CHM", "from 2"},
        {"", "2", "Tolmar2.CHM", "from 2"},
    };
    for (const Case& c : cases) {
        app.write("install.log", c.installLog);
        texts().load(app.path(), traditional);
        SCOPED_TRACE(c.installLog);
        EXPECT_EQ(texts().code(), c.code);
        EXPECT_EQ(texts().helpFile(), app.path() + c.help);
        EXPECT_EQ(texts().hint(1), c.hint1);
        EXPECT_EQ(texts().textFilePath(), app.path() + "QVSEstr" + texts().code() + ".INI");
    }
}

TEST_F(LocalTextsTest, NoLanguageFileLeavesEverythingEmpty)
{
    texts().load(app.path(), traditional);
    EXPECT_FALSE(texts().fileLoaded());
    EXPECT_EQ(texts().code(), "2");
    EXPECT_EQ(texts().hint(79), "");
    EXPECT_FALSE(texts().mainWindowTexts().loaded());
    EXPECT_FALSE(texts().dialogTexts("FormPinCode").loaded());
}

TEST_F(LocalTextsTest, BrokenLinesUnknownSectionsAndOddBytesDoNotStopTheRest)
{
    std::string body = crlf({"garbage before any section", "[Hint", "Hint1=kept?", "[Unknown]", "Hint2=elsewhere",
                             "[Hint]", "no equals sign here", "=value without key", "Hint3=a=b", "Hint4=\xFF\x80\xFE",
                             "[FormSimCard]", "btnSave=Save"});
    body += "Hint5=no line end";
    writeLang("2", body);
    texts().load(app.path(), english);
    EXPECT_EQ(texts().hint(2), "2 ??");
    EXPECT_EQ(texts().hint(3), "a=b");
    EXPECT_EQ(texts().hint(4), "\xFF\x80\xFE");
    EXPECT_EQ(texts().mainWindowTexts().text("btnSave").value_or(""), "Save");
    EXPECT_EQ(texts().hintf(4, 1, "x"), "\xFF\x80\xFE");
}

TEST_F(LocalTextsTest, MainWindowCaptionsBreakLinesAndKeepDefaults)
{
    writeLang("2", crlf({"[formsimcard]", "FormSimCard=Quillon", "btnToSim=To#13card", "btnToSimHint=Copy to the card"}));
    texts().load(app.path(), english);
    FormTextSource src = texts().mainWindowTexts();
    EXPECT_EQ(src.text("btnToSim").value_or(""), "To\rcard");
    EXPECT_EQ(src.text("BTNTOSIMHINT").value_or(""), "Copy to the card");
    EXPECT_FALSE(src.text("btnToPC").has_value());
    EXPECT_EQ(src.text("btnToPC", "A#13B"), "A\rB");
}

struct DialogCase {
    const char* name;
    LocalTexts::DialogRule rule;
    bool deleteChosenFile;
    const char* expected;  // nullptr: key missing
};

class DialogRules : public LocalTextsTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogRules, ReadFileAndLineBreaksByRule)
{
    const DialogCase& c = GetParam();
    writeLang("0", crlf({"[dlgSetPassword]", "LabelOLD=Old#13PIN", "[FormPinCode]", "Label2=Code#13zero"}));
    writeLang("2", crlf({"[dlgSetPassword]", "LabelOLD=Old#13two", "[FormPinCode]", "Label2=Code#13two"}));
    texts().load(app.path(), traditional);
    if (c.deleteChosenFile) std::remove(app.file("QVSEstr0.INI").c_str());

    const char* form = c.rule == LocalTexts::DialogRule::CurrentPathRaw ? "dlgSetPassword" : "FormPinCode";
    const char* key = c.rule == LocalTexts::DialogRule::CurrentPathRaw ? "LabelOLD" : "Label2";
    std::optional<std::string> v = texts().dialogTexts(form, c.rule).text(key);
    if (c.expected) EXPECT_EQ(v.value_or("(missing)"), c.expected);
    else EXPECT_FALSE(v.has_value()) << *v;
}

const DialogCase dialogCases[] = {
    {"StandardBreaksLines", LocalTexts::DialogRule::Standard, false, "Code\rzero"},
    {"StandardFallsBackToCode2", LocalTexts::DialogRule::Standard, true, "Code\rtwo"},
    {"SetPasswordKeepsHash13", LocalTexts::DialogRule::CurrentPathRaw, false, "Old#13PIN"},
    {"SetPasswordHasNoFallback", LocalTexts::DialogRule::CurrentPathRaw, true, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Cases, DialogRules, ::testing::ValuesIn(dialogCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LocalTextsTest, StartupMessageUsesTheStartupTable)
{
    // Polish: the start-up message reads the file of code K, the windows that of code 2.
    writeLang("K", crlf({"[FormSIMCard]", "FormSIMCard=Title K", "[Hint]", "HINT79=No reader#13found"}));
    writeLang("2", crlf({"[FormSimCard]", "FormSimCard=Title 2", "[Hint]", "Hint79=two"}));
    LocalTexts::StartupMessage m = LocalTexts::startupMessage(app.path(), polish);
    EXPECT_EQ(m.caption, "Title K");
    EXPECT_EQ(m.text, "No reader\rfound");
    texts().load(app.path(), polish);
    EXPECT_EQ(texts().code(), "2");
    EXPECT_EQ(texts().hint(79), "two");
}

}  // namespace
