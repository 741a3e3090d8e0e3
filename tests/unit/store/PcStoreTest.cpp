#include "store/PcStore.h"

#include "store/CardCatalogMap.h"
#include "store/CatalogList.h"
#include "store/NameIndex.h"
#include "store/PcStoreFile.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Answer = Prompter::Answer;

const std::string kPhoneText = "[Catalog]\r\n1=Friends\r\n[Friends]\r\n1=Ann\\t+0912\\t\\t\r\n";
const std::string kMessageText = "[Catalog]\r\n1=Inbox\r\n[Inbox]\r\n1=hi\\t0912\\tInbox\r\n";

// The window's state, a store over scratch directories and a scripted prompter.
struct Fixture {
    ScratchDir data, temp;
    CatalogList phones, messages;
    NameIndex names;
    std::string phonePath, messagePath;
    bool pcChanged = false;
    ScriptedPrompter prompter;
    PcStore store{{phones, messages, names, phonePath, messagePath, pcChanged}, data.path(), temp.path(),
                  [](int n) { return "H" + std::to_string(n); }};

    Fixture() { Prompter::setCurrent(&prompter); }
    ~Fixture() { Prompter::setCurrent(nullptr); }
    void writeDefaults() {
        data.write("phone.LPB", kPhoneText);
        data.write("Message.LSM", kMessageText);
    }
    Lines shownTexts() const {
        Lines out;
        for (const auto& s : prompter.shown) out.push_back(s.caption + ":" + s.text);
        return out;
    }
};

}  // namespace

TEST(PcStore, PrepareRecoversCreatesAndLoads) {
    struct Case { const char* name; bool file, backup; Lines phoneCatalogs; bool fileEmpty; };
    const std::vector<Case> cases = {
        {"file restored from its backup", false, true, {"Friends", "H8"}, false},
        {"nothing there: empty file, default catalog", false, false, {"H8"}, true},
        {"file present", true, true, {"Friends", "H8"}, false},
    };
    for (const auto& c : cases) {
        Fixture f;
        if (c.file) f.data.write("phone.LPB", kPhoneText);
        if (c.backup) f.data.write("phone.LPB~", kPhoneText);
        f.store.prepare();
        EXPECT_EQ(f.phones.names(), c.phoneCatalogs) << c.name;
        EXPECT_EQ(f.messages.names(), Lines{"H8"}) << c.name;
        EXPECT_EQ(f.data.read("phone.LPB").empty(), c.fileEmpty) << c.name;
        EXPECT_TRUE(f.data.exists("Message.LSM")) << c.name;
        EXPECT_EQ(f.names.size(), c.fileEmpty ? 0u : 1u) << c.name;
        EXPECT_EQ(f.phonePath, f.data.file("phone.LPB"));
        EXPECT_TRUE(f.prompter.shown.empty()) << c.name;
    }
}

TEST(PcStore, PrepareWarnsWhenAFileCannotBeCreated) {
    Fixture f;
    PcStore store{{f.phones, f.messages, f.names, f.phonePath, f.messagePath, f.pcChanged},
                  f.data.file("missing/"), f.temp.path(), [](int n) { return "H" + std::to_string(n); }};
    store.prepare();
    EXPECT_EQ(f.shownTexts(), (Lines{"H1:H13", "H1:H13"}));
    EXPECT_EQ(f.prompter.shown[0].kind, Prompter::Kind::Warning);
    EXPECT_EQ(f.phones.names(), Lines{"H8"});
}

TEST(PcStore, SaveWritesBothReloadsAndReports) {
    Fixture f;
    f.writeDefaults();
    f.store.prepare();
    f.phones[0].lines.push_back("Bob\\t1\\t\\t");
    f.pcChanged = true;
    ASSERT_TRUE(f.store.save());
    EXPECT_FALSE(f.pcChanged);
    EXPECT_EQ(f.names.size(), 2u);  // the index follows the saved file
    EXPECT_EQ(f.data.read("phone.LPB~"), kPhoneText);
    EXPECT_EQ(f.shownTexts(), Lines{"H2:H7\rH77\r" + f.phonePath + "\r" + f.messagePath});
    ASSERT_TRUE(f.store.save(true));  // quiet while a backup runs
    EXPECT_EQ(f.prompter.shown.size(), 1u);
}

TEST(PcStore, SaveAsChangesOnlyThePathOfTheMode) {
    Fixture f;
    f.writeDefaults();
    f.store.prepare();
    const std::string oldPhone = f.phonePath;
    ASSERT_TRUE(f.store.saveAs(StoreKind::Message, f.data.file("other.LSM"), true));
    EXPECT_EQ(f.phonePath, oldPhone);
    EXPECT_EQ(f.messagePath, f.data.file("other.LSM"));
    EXPECT_TRUE(f.data.exists("phone.LPB~"));  // phone file written again at its old path
    CatalogList back;
    PcStoreFile::load(f.messagePath, StoreKind::Message, "H8", back);
    EXPECT_EQ(back.names(), (Lines{"Inbox", "H8"}));
}

TEST(PcStore, FailedSaveAsKeepsTheOldPath) {
    Fixture f;
    f.writeDefaults();
    f.store.prepare();
    const std::string oldMessage = f.messagePath;
    f.pcChanged = true;
    EXPECT_FALSE(f.store.saveAs(StoreKind::Message, f.data.file("no/such/dir/other.LSM"), true));
    EXPECT_EQ(f.messagePath, oldMessage);
    EXPECT_TRUE(f.pcChanged);
}

TEST(PcStore, FailedWritesOfEitherFileAreReportedAndStopTheCommand) {
    for (StoreKind broken : {StoreKind::Phone, StoreKind::Message}) {
        Fixture f;
        f.writeDefaults();
        f.store.prepare();
        (broken == StoreKind::Phone ? f.phonePath : f.messagePath) = f.data.file("no/such/dir/file");
        f.pcChanged = true;
        EXPECT_FALSE(f.store.save());
        ASSERT_EQ(f.prompter.shown.size(), 1u);
        EXPECT_EQ(f.prompter.shown[0].kind, Prompter::Kind::Error);
        EXPECT_NE(f.prompter.shown[0].text.find("no/such/dir/file"), std::string::npos);
        EXPECT_TRUE(f.pcChanged);
    }
}

TEST(PcStore, OpenAsksToSaveOnlyWhenChanged) {
    struct Case { bool changed; std::deque<Answer> answers; std::size_t questions; bool written; bool changedAfter; };
    const std::vector<Case> cases = {
        {false, {}, 0, false, false},
        {true, {Answer::Yes}, 1, true, false},
        {true, {Answer::No}, 1, false, true},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.writeDefaults();
        f.store.prepare();
        f.phones[0].lines.clear();
        f.pcChanged = c.changed;
        f.prompter.answers = c.answers;
        EXPECT_TRUE(f.store.beforeOpen());
        EXPECT_EQ(f.prompter.shown.size(), c.questions);
        if (c.questions) {
            EXPECT_EQ(f.prompter.shown[0].text, "H45\rH77\r" + f.phonePath + "\r" + f.messagePath);
        }
        EXPECT_EQ(f.data.exists("phone.LPB~"), c.written);
        EXPECT_EQ(f.pcChanged, c.changedAfter);
        // message mode keeps the flag; phone mode clears it
        f.data.write("m2.LSM", "[Catalog]\r\n1=Old\r\n");
        EXPECT_TRUE(f.store.open(StoreKind::Message, f.data.file("m2.LSM")));
        EXPECT_EQ(f.messages.names(), (Lines{"Old", "H8"}));
        EXPECT_EQ(f.pcChanged, c.changedAfter);
        EXPECT_TRUE(f.store.open(StoreKind::Phone, f.data.file("phone.LPB")));
        EXPECT_FALSE(f.pcChanged);
    }
}

TEST(PcStore, OpenInPhoneModeRefreshesThePhoneMapOnly) {
    Fixture f;
    f.writeDefaults();
    CardCatalogMap::record(f.data.file("SimPhone.bat"), "1", "Saved");
    CardCatalogMap::record(f.data.file("SimMsg.bat"), "1", "SavedMsg");
    const auto& files = f.store.workingFiles();
    CardCatalogMap::record(files.temporaryFile(StoreKind::Phone), "1", "Changed");
    CardCatalogMap::record(files.temporaryFile(StoreKind::Message), "1", "ChangedMsg");
    f.data.write("new.LPB", "[Catalog]\r\n1=X\r\n[X]\r\n1=Zed\\t5\\t\\t\r\n");
    EXPECT_TRUE(f.store.open(StoreKind::Phone, f.data.file("new.LPB")));
    EXPECT_EQ(f.phonePath, f.data.file("new.LPB"));
    EXPECT_EQ(f.names.senderName("5", "x"), "Zed");
    EXPECT_EQ(CardCatalogMap::read(files.temporaryFile(StoreKind::Phone), "1"), "Saved");
    EXPECT_EQ(CardCatalogMap::read(files.temporaryFile(StoreKind::Message), "1"), "ChangedMsg");
    // a missing file changes nothing
    EXPECT_FALSE(f.store.open(StoreKind::Phone, f.data.file("gone.LPB")));
    EXPECT_EQ(f.phonePath, f.data.file("new.LPB"));
    EXPECT_EQ(f.phones.names(), (Lines{"X", "H8"}));
}

TEST(PcStore, OverwriteCheckAsksOnlyForExistingFiles) {
    Fixture f;
    EXPECT_TRUE(f.store.confirmOverwrite(f.data.file("new.LPB")));
    EXPECT_TRUE(f.prompter.shown.empty());
    f.data.write("old.LPB", "");
    f.prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(f.store.confirmOverwrite(f.data.file("old.LPB")));
    EXPECT_TRUE(f.store.confirmOverwrite(f.data.file("old.LPB")));
    EXPECT_EQ(f.shownTexts(), (Lines{"H2:H10", "H2:H10"}));
    EXPECT_EQ(f.store.dialogFilter(StoreKind::Phone), "H33");
    EXPECT_EQ(f.store.dialogFilter(StoreKind::Message), "H34");
}

TEST(PcStore, WritingCommitsTheWorkingFiles) {
    Fixture f;
    f.writeDefaults();
    f.store.prepare();
    const auto& files = f.store.workingFiles();
    CardCatalogMap::record(files.temporaryFile(StoreKind::Phone), "7", "Friends");
    ASSERT_TRUE(f.store.save(true));
    EXPECT_EQ(CardCatalogMap::read(f.data.file("SimPhone.bat"), "7"), "Friends");
}
