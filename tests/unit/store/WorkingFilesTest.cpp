#include "store/CardCatalogMap.h"
#include "store/CatalogList.h"
#include "store/WorkingFiles.h"

#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The program directory and the temporary directory, with the two catalog lists and the tree
// node texts the window would show for them.
struct Fixture {
    ScratchDir data, temp;
    WorkingFiles files{data.path(), temp.path()};
    CatalogList phones, messages;

    Fixture() {
        phones.append("D");
        messages.append("D");
    }
    static Lines nodes(const CatalogList& list) {
        Lines n{"All"};
        for (const auto& name : list.names()) n.push_back(name);
        return n;
    }
    WorkingFiles::Assignment read(const WorkingFiles::Card& card) {
        return files.assign(card, phones, nodes(phones), messages, nodes(messages));
    }
    std::string tempPhone() const { return files.temporaryFile(StoreKind::Phone); }
};

}  // namespace

TEST(WorkingFiles, FirstReadNamesTheCatalogsAfterTheCard) {
    struct Case { WorkingFiles::Card card; std::string expect; };
    const std::vector<Case> cases = {
        {{"8988600", "Ann", "0912"}, "Ann"},
        {{"8988600", "", "0912"}, "0912"},
        {{"8988600", "", ""}, "8988600"},
    };
    for (const auto& c : cases) {
        Fixture f;
        auto a = f.read(c.card);
        EXPECT_EQ(a.phone.catalog, c.expect);
        EXPECT_EQ(a.message.catalog, c.expect);
        EXPECT_TRUE(a.phone.added && a.message.added);
        EXPECT_EQ(f.phones.names(), (Lines{"D", c.expect}));
        EXPECT_EQ(f.messages.names(), (Lines{"D", c.expect}));
        EXPECT_EQ(CardCatalogMap::read(f.tempPhone(), "8988600"), c.expect);
        EXPECT_EQ(CardCatalogMap::read(f.files.temporaryFile(StoreKind::Message), "8988600"), c.expect);
    }
    Fixture none;
    auto a = none.read({"", "", ""});
    EXPECT_EQ(a.phone.catalog, "");
    EXPECT_EQ(none.phones.size(), 1u);
    EXPECT_FALSE(none.data.exists("SimPhone.bat") || none.temp.exists("TempPhone.bat"));
}

TEST(WorkingFiles, AnExistingCatalogOfTheNameIsReused) {
    Fixture f;
    f.phones.append("ANN");
    auto a = f.read({"1", "Ann", ""});
    EXPECT_FALSE(a.phone.added);
    EXPECT_TRUE(a.message.added);
    EXPECT_EQ(f.phones.names(), (Lines{"D", "ANN"}));
    EXPECT_EQ(CardCatalogMap::read(f.tempPhone(), "1"), "Ann");
}

TEST(WorkingFiles, RenamedCatalogStaysWithItsCardAfterSaving) {
    Fixture f;
    f.read({"1", "Ann", ""});
    f.phones[1].name = "Friends";
    f.files.renamePhoneCatalog("1", "Ann", "Friends");
    f.files.commit(StoreKind::Phone);  // Save writes both files
    f.files.commit(StoreKind::Message);
    f.files.end();
    EXPECT_FALSE(f.temp.exists("TempPhone.bat"));

    f.files.startUp();  // next run
    auto a = f.read({"1", "Ann", ""});
    EXPECT_EQ(a.phone.catalog, "Friends");
    EXPECT_FALSE(a.phone.added);
    EXPECT_EQ(f.phones.names(), (Lines{"D", "Friends"}));
    // the message map never heard of the rename: the old name, already there
    EXPECT_EQ(a.message.catalog, "Ann");
    EXPECT_FALSE(a.message.added);
    const std::string map = f.data.read("SimPhone.bat");
    EXPECT_EQ(map.find("Ann="), std::string::npos);
    EXPECT_NE(map.find("Friends=1"), std::string::npos);
}

TEST(WorkingFiles, MapChangesLiveInTheTemporaryCopyUntilCommitted) {
    Fixture f;
    CardCatalogMap::record(f.files.persistentFile(StoreKind::Phone), "1", "Saved");
    f.files.startUp();
    f.read({"2", "New", ""});
    EXPECT_EQ(CardCatalogMap::read(f.files.persistentFile(StoreKind::Phone), "2"), "");
    // Open in phone mode discards the changes
    f.files.refresh(StoreKind::Phone);
    EXPECT_EQ(CardCatalogMap::read(f.tempPhone(), "2"), "");
    EXPECT_EQ(CardCatalogMap::read(f.tempPhone(), "1"), "Saved");
    // commit keeps the previous persistent map as "~"
    f.read({"2", "New", ""});
    const std::string before = f.data.read("SimPhone.bat");
    f.files.commit(StoreKind::Phone);
    EXPECT_EQ(f.data.read("SimPhone.bat~"), before);
    EXPECT_EQ(CardCatalogMap::read(f.files.persistentFile(StoreKind::Phone), "2"), "New");
    // ending without saving leaves the persistent map alone
    f.read({"3", "Lost", ""});
    f.files.end();
    EXPECT_EQ(CardCatalogMap::read(f.files.persistentFile(StoreKind::Phone), "3"), "");
    EXPECT_FALSE(f.temp.exists("TempPhone.bat") || f.temp.exists("TempMsg.bat"));
}
