#include "store/DurableFile.h"
#include "store/PcStoreFile.h"

#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Crash {};

// Catalog lists big enough that the file takes several write calls.
CatalogList makeList(const std::string& tag, int catalogs, int entries) {
    CatalogList list;
    for (int c = 0; c < catalogs; ++c) {
        std::vector<std::string> lines;
        for (int e = 0; e < entries; ++e)
            lines.push_back(tag + std::to_string(c) + "-" + std::to_string(e) + "\\t09" + std::to_string(10000000 + e) + "\\t\\t");
        list.append(tag + std::to_string(c), std::move(lines));
    }
    list.append("D");
    return list;
}

bool sameContent(const CatalogList& a, const CatalogList& b) {
    if (a.names() != b.names()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].lines != b[i].lines) return false;
    return true;
}

// Interrupts the n-th file-system step: by a crash (throw) or by a failing call.
struct Interruption {
    enum class Mode { Crash, Fail } mode;
    int at;
    bool linksWork = true;
    int seen = 0;
    bool operator()(DurableFile::Step step) {
        if (!linksWork && step == DurableFile::Step::Link) return true;
        if (++seen != at) return false;
        if (mode == Mode::Crash) throw Crash{};
        return true;
    }
};

struct HookScope {
    ~HookScope() { DurableFile::setFaultHook({}); }
};

}  // namespace

TEST(DurableFile, InterruptedWritesLeaveOldOrNewContent) {
    const CatalogList oldList = makeList("old", 10, 400);  // about 160 KB: three write calls
    const CatalogList newList = makeList("new", 12, 300);
    for (bool linksWork : {true, false}) {
        for (auto mode : {Interruption::Mode::Crash, Interruption::Mode::Fail}) {
            int completedAt = 0;
            for (int n = 1; n < 40 && !completedAt; ++n) {
                ScratchDir dir;
                const std::string path = dir.file("phone.LPB");
                ASSERT_TRUE(PcStoreFile::write(path, oldList, "D"));
                HookScope scope;
                Interruption cut{mode, n, linksWork};
                DurableFile::setFaultHook(std::ref(cut));
                bool reported = false;
                try {
                    reported = PcStoreFile::write(path, newList, "D");
                } catch (const Crash&) {
                }
                DurableFile::setFaultHook({});
                if (cut.seen < n) completedAt = n;
                SCOPED_TRACE(::testing::Message() << "links " << linksWork << " mode " << int(mode) << " step " << n);
                if (mode == Interruption::Mode::Fail) {
                    // no recovery needed: the name holds what the result says
                    CatalogList now;
                    ASSERT_EQ(PcStoreFile::load(path, StoreKind::Phone, "D", now), PcStoreFile::Status::Loaded);
                    EXPECT_TRUE(sameContent(now, reported ? newList : oldList));
                    EXPECT_FALSE(dir.exists("phone.LPB.new"));
                    continue;
                }
                ASSERT_TRUE(DurableFile::recover(path));
                CatalogList now;
                ASSERT_EQ(PcStoreFile::load(path, StoreKind::Phone, "D", now), PcStoreFile::Status::Loaded);
                EXPECT_TRUE(sameContent(now, oldList) || sameContent(now, newList));
                EXPECT_FALSE(dir.exists("phone.LPB.new"));
            }
            EXPECT_GT(completedAt, 6) << "the write was interrupted at every step";
        }
    }
}

TEST(DurableFile, ReplaceKeepsThePreviousContentAsBackup) {
    ScratchDir dir;
    const std::string path = dir.file("f");
    ASSERT_TRUE(DurableFile::replace(path, "one", true));
    EXPECT_FALSE(dir.exists("f~"));
    ASSERT_TRUE(DurableFile::replace(path, "two", true));
    ASSERT_TRUE(DurableFile::replace(path, "three", true));
    EXPECT_EQ(dir.read("f"), "three");
    EXPECT_EQ(dir.read("f~"), "two");
    ASSERT_TRUE(DurableFile::replace(path, "four", false));
    EXPECT_EQ(dir.read("f~"), "two");
    EXPECT_FALSE(DurableFile::replace(dir.file("missing/dir/f"), "x", true));
}

TEST(DurableFile, RecoverRestoresAMissingFileFromItsBackup) {
    struct Case { bool file, backup, pending; const char* expect; };
    const std::vector<Case> cases = {
        {false, true, false, "backup"}, {true, true, false, "file"}, {false, false, true, nullptr},
        {true, false, true, "file"},    {false, false, false, nullptr},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        if (c.file) dir.write("f", "file");
        if (c.backup) dir.write("f~", "backup");
        if (c.pending) dir.write("f.new", "half");
        EXPECT_EQ(DurableFile::recover(dir.file("f")), c.expect != nullptr);
        if (c.expect) {
            EXPECT_EQ(dir.read("f"), c.expect);
        }
        EXPECT_FALSE(dir.exists("f.new"));
    }
}

TEST(DurableFile, CopyNeedsAReadableSource) {
    ScratchDir dir;
    dir.write("to", "old");
    EXPECT_FALSE(DurableFile::copy(dir.file("none"), dir.file("to"), true));
    EXPECT_EQ(dir.read("to"), "old");
    dir.write("from", "new");
    EXPECT_TRUE(DurableFile::copy(dir.file("from"), dir.file("to"), true));
    EXPECT_EQ(dir.read("to"), "new");
    EXPECT_EQ(dir.read("to~"), "old");
}
