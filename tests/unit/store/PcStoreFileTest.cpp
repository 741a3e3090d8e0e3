#include "store/PcStoreFile.h"

#include "store/DurableFile.h"
#include "store/NameIndex.h"
#include "tests/support/ScratchDir.h"
#include "text/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct CodePageScope {
    explicit CodePageScope(int cp) { CodePage::setAnsi(cp); }
    ~CodePageScope() { CodePage::setAnsi(0); }
};

std::string big5(const char* utf8) { return CodePage::fromUtf8(utf8, 950); }

CatalogList loaded(const ScratchDir& dir, const std::string& text, StoreKind kind = StoreKind::Phone) {
    dir.write("f.LPB", text);
    CatalogList list;
    EXPECT_EQ(PcStoreFile::load(dir.file("f.LPB"), kind, "D", list), PcStoreFile::Status::Loaded);
    return list;
}

std::string dataFile(const char* name) { return std::string(QUILLON_TEST_DATA) + "/store/" + name; }

}  // namespace

TEST(PcStoreFile, WritesTheDocumentedLayout) {
    CatalogList list;
    list.append("Family", {R"(Ann\t0912345678\t\t)"});
    list.append("D");
    EXPECT_EQ(PcStoreFile::format(list, "D"),
              "[Catalog]\r\n1=Family\r\n2=D\r\n\r\n[Family]\r\n1=Ann\\t0912345678\\t\\t\r\n\r\n");
}

struct LoadCase {
    const char* name;
    std::string text;
    StoreKind kind;
    Lines catalogs;
    Lines firstLines;
};

TEST(PcStoreFile, LoaderStopsAtGapsAndDropsPlaceholderLines) {
    ScratchDir dir;
    const std::vector<LoadCase> cases = {
        {"gap in the catalog keys", "[Catalog]\r\n1=A\r\n2=B\r\n4=C\r\n[A]\r\n1=a\r\n", StoreKind::Phone,
         {"A", "B", "D"}, {"a"}},
        {"empty line ends a section", "[Catalog]\n1=A\n[A]\n1=a1\n2=a2\n3=\n4=a4\n", StoreKind::Phone,
         {"A", "D"}, {"a1", "a2"}},
        {"empty name ends the list", "[Catalog]\n1=A\n2=\n3=B\n", StoreKind::Phone, {"A", "D"}, {}},
        {"phone drops the empty entry only", "[Catalog]\n1=A\n[A]\n1=\\t\\t\\t\n2=\\tkk\n3=\\t\n", StoreKind::Phone,
         {"A", "D"}, {R"(\tkk)", R"(\t)"}},
        {"messages drop kk and 2211", "[Catalog]\n1=A\n[A]\n1=\\tkk\n2=\\t2211\n3=\\t\\t\\t\n4=x\\t2211\n",
         StoreKind::Message, {"A", "D"}, {R"(\t\t\t)", R"(x\t2211)"}},
        {"default exists in other case", "[Catalog]\n1=d\n2=A\n", StoreKind::Phone, {"d", "A"}, {}},
        {"a name listed twice", "[Catalog]\n1=A\n2=A\n[A]\n1=a\n", StoreKind::Phone, {"A", "A", "D"}, {"a"}},
        {"no catalog section", "", StoreKind::Phone, {"D"}, {}},
        {"keys out of order", "[Catalog]\n1=A\n[A]\n3=c\n1=a\n2=b\n", StoreKind::Phone, {"A", "D"}, {"a", "b", "c"}},
        {"repeated key: the first counts", "[Catalog]\n1=A\n[A]\n1=a\n1=x\n2=b\n", StoreKind::Phone, {"A", "D"},
         {"a", "b"}},
    };
    for (const auto& c : cases) {
        CatalogList list = loaded(dir, c.text, c.kind);
        EXPECT_EQ(list.names(), c.catalogs) << c.name;
        EXPECT_EQ(list[0].lines, c.firstLines) << c.name;
    }
}

TEST(PcStoreFile, MissingFileLeavesTheListAlone) {
    ScratchDir dir;
    CatalogList list;
    list.append("Keep", {"x"});
    EXPECT_EQ(PcStoreFile::load(dir.file("none.LPB"), StoreKind::Phone, "D", list), PcStoreFile::Status::Missing);
    EXPECT_EQ(list.names(), Lines{"Keep"});
    NameIndex index;
    index.add("x\\t1");
    EXPECT_FALSE(PcStoreFile::readNameIndex(dir.file("none.LPB"), index));
    EXPECT_EQ(index.size(), 1u);
}

TEST(PcStoreFile, EmptyCatalogsAreListedWithoutSectionAndComeBack) {
    ScratchDir dir;
    CatalogList list;
    list.append("Empty");
    list.append("Full", {"f"});
    ASSERT_TRUE(PcStoreFile::write(dir.file("p.LPB"), list, "D"));
    const std::string text = dir.read("p.LPB");
    EXPECT_NE(text.find("1=Empty\r\n"), std::string::npos);
    EXPECT_EQ(text.find("[Empty]"), std::string::npos);
    CatalogList back;
    PcStoreFile::load(dir.file("p.LPB"), StoreKind::Phone, "D", back);
    EXPECT_EQ(back.names(), (Lines{"Empty", "Full", "D"}));
}

TEST(PcStoreFile, Cp950FilesRoundTrip) {
    CodePageScope cp(950);
    ScratchDir dir;
    struct Case { const char* file; StoreKind kind; Lines names; std::size_t entries; };
    const std::vector<Case> cases = {
        {"phone_cp950.LPB", StoreKind::Phone, {big5("家人"), "Work", big5("許功蓋"), "Empty", "D"}, 4},
        {"message_cp950.LSM", StoreKind::Message, {"Inbox", big5("許功蓋"), "D"}, 4},
    };
    for (const auto& c : cases) {
        CatalogList list;
        ASSERT_EQ(PcStoreFile::load(dataFile(c.file), c.kind, "D", list), PcStoreFile::Status::Loaded) << c.file;
        EXPECT_EQ(list.names(), c.names) << c.file;
        EXPECT_EQ(list.entryCount(), c.entries) << c.file;
        ASSERT_TRUE(PcStoreFile::write(dir.file("out"), list, "D"));
        CatalogList back;
        PcStoreFile::load(dir.file("out"), c.kind, "D", back);
        EXPECT_EQ(back.names(), list.names()) << c.file;
        for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(back[i].lines, list[i].lines) << c.file;
    }
}

TEST(PcStoreFile, NameIndexTakesEveryListedLineButTheEmptyEntry) {
    CodePageScope cp(950);
    NameIndex index;
    int pumps = 0;
    ASSERT_TRUE(PcStoreFile::readNameIndex(dataFile("phone_cp950.LPB"), index, [&] { ++pumps; }));
    EXPECT_EQ(index.size(), 4u);
    EXPECT_EQ(pumps, 4);  // once per listed catalog
    EXPECT_EQ(index.senderName("886212345678", "hi"), big5("陳功"));
    EXPECT_EQ(index.senderName("0912345678", "hi"), big5("許大同"));
}

TEST(PcStoreFile, WriterNeverLetsOneCatalogCutOffOrOverwriteAnother) {
    ScratchDir dir;
    CatalogList list;
    list.append("A", {"a1", "a2", "a3"});
    list.append("", {"nameless"});         // blank name: filed under the default
    list.append("a", {"second a"});        // same section as "A": appended, listed once
    list.append("catalog", {"c1"});        // would overwrite the name list
    list.append("B", {"b1", "", "b3"});    // an empty line would end the section
    list.append("M", {"x\r\ny\nz\rw"});    // real line breaks would split the value
    list.append("D", {"d"});
    ASSERT_TRUE(PcStoreFile::write(dir.file("p.LPB"), list, "D"));
    CatalogList back;
    PcStoreFile::load(dir.file("p.LPB"), StoreKind::Message, "D", back);
    EXPECT_EQ(back.names(), (Lines{"A", "D", "catalog_", "B", "M"}));
    EXPECT_EQ(back.find("A")->lines, (Lines{"a1", "a2", "a3", "second a"}));
    EXPECT_EQ(back.find("D")->lines, (Lines{"nameless", "d"}));
    EXPECT_EQ(back.find("catalog_")->lines, Lines{"c1"});
    EXPECT_EQ(back.find("B")->lines, (Lines{"b1", "b3"}));
    EXPECT_EQ(back.find("M")->lines, Lines{R"(x\ny\nz\nw)"});
}
