#include "cli/CardTool.h"
#include "cli/CheckStore.h"

#include "tests/support/ScratchDir.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

struct Result {
    int status;
    std::string out, err;
};

Result check(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = CardTool::run(args, out, err);
    return {status, out.str(), err.str()};
}

std::string dataFile(const char* name) { return std::string(QUILLON_TEST_DATA) + "/store/" + name; }

}  // namespace

TEST(CheckStore, CountsCatalogsAndEntriesInUtf8) {
    CodePage::setAnsi(950);
    struct Case { const char* file; std::string out; };
    const Case cases[] = {
        {"phone_cp950.LPB",
         "catalogs=4\nentries=4\ncatalog=家人 entries=2\ncatalog=Work entries=1\ncatalog=許功蓋 entries=1\n"
         "catalog=Empty entries=0\n"},
        // message files drop their placeholder lines, not the empty phone entry
        {"message_cp950.LSM", "catalogs=2\nentries=4\ncatalog=Inbox entries=3\ncatalog=許功蓋 entries=1\n"},
    };
    for (const auto& c : cases) {
        const Result r = check({"check-store", dataFile(c.file)});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.file;
    }
    CodePage::setAnsi(0);
}

TEST(CheckStore, UnreadableFilesAndBadArgumentsFail) {
    ScratchDir dir;
    struct Case { std::vector<std::string> args; int status; };
    const Case cases[] = {
        {{"check-store", dir.file("missing.LPB")}, 1},
        {{"check-store", dir.path()}, 1},  // a directory
        {{"check-store"}, 2},
        {{"check-store", "a", "b"}, 2},
    };
    for (const auto& c : cases) {
        const Result r = check(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    // an empty file is a valid store without catalogs
    dir.write("empty.LPB", "");
    std::ostringstream out, err;
    EXPECT_EQ(runCheckStore(dir.file("empty.LPB"), out, err), 0);
    EXPECT_EQ(out.str(), "catalogs=0\nentries=0\n");
}
