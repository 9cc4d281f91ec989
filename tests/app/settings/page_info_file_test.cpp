#include "app/settings/page_info_file.h"

#include <functional>
#include <gtest/gtest.h>

#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::PageInfo;
using brindle::PageInfoFile;
using brindle::ProfileFile;
using namespace settings_test;

TEST(PageInfoFileTest, EveryKeyAgainstEmptyAndFilledSections)
{
    struct Row {
        const char* key;
        std::function<int(const PageInfo&)> field;
        int filledValue;  // section [Second], the first paper of the fixture
    };
    const Row rows[] = {
        {"Width", [](const PageInfo& p) { return p.width; }, 176},
        {"Height", [](const PageInfo& p) { return p.height; }, 250},
        {"Left", [](const PageInfo& p) { return p.left; }, 15},
        {"Top", [](const PageInfo& p) { return p.top; }, 20},
        {"Right", [](const PageInfo& p) { return p.right; }, 10},
        {"Bottom", [](const PageInfo& p) { return p.bottom; }, 20},
    };
    // A section with no keys at all stands for the empty case.
    TempFolder folder;
    TempFolder::Write(folder / "bare.ini", "[Bare]\n");
    PageInfoFile bare;
    bare.SetFile(std::make_shared<ProfileFile>(PathText(folder / "bare.ini")));
    ASSERT_EQ(bare.Load(), 1);
    PageInfoFile filled;
    filled.SetFile(std::make_shared<ProfileFile>(Fixture("page_info.ini")));
    ASSERT_EQ(filled.Load(), 3);

    const PageInfo empty = bare.GetPaper(0);
    const PageInfo first = filled.GetPaper(0);
    EXPECT_EQ(empty.name, u"");
    EXPECT_EQ(first.name, u"B5");
    EXPECT_FALSE(bare.IsDefault(0));
    EXPECT_FALSE(filled.IsDefault(0));
    EXPECT_TRUE(empty.portrait);
    EXPECT_TRUE(first.portrait);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(row.field(empty), 0);
        EXPECT_EQ(row.field(first), row.filledValue);
    }
}

TEST(PageInfoFileTest, PapersInFileOrder)
{
    PageInfoFile file;
    file.SetFile(std::make_shared<ProfileFile>(Fixture("page_info.ini")));
    ASSERT_EQ(file.Load(), 3);
    EXPECT_EQ(file.GetPaperCount(), 3);
    EXPECT_EQ(file.GetPaper(0).name, u"B5");
    // Missing margins read 0, not the record's own defaults.
    const PageInfo a4 = file.GetPaper(1);
    EXPECT_EQ(a4, (PageInfo{u"A4 纸", 210, 297, true, 0, 0, 0, 0}));
    EXPECT_TRUE(file.IsDefault(1));
    // Wider than high and still portrait; "true" is not "TRUE".
    EXPECT_EQ(file.GetPaper(2), (PageInfo{u"Landscape", 297, 210, true, 1, 2, 3, 4}));
    EXPECT_FALSE(file.IsDefault(2));
}

TEST(PageInfoFileTest, OutOfRangeAndMissingFiles)
{
    PageInfoFile file;
    file.SetFile(std::make_shared<ProfileFile>(Fixture("page_info.ini")));
    EXPECT_EQ(file.GetPaper(0), (PageInfo{u"", 0, 0, true, 0, 0, 0, 0}));  // not loaded yet
    file.Load();
    for (const int index : {-1, 3, 100}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(file.GetPaper(index), (PageInfo{u"", 0, 0, true, 0, 0, 0, 0}));
        EXPECT_FALSE(file.IsDefault(index));
    }
    PageInfoFile none;
    EXPECT_EQ(none.Load(), 0);
    none.SetFile(std::make_shared<ProfileFile>(Fixture("missing.ini")));
    EXPECT_EQ(none.Load(), 0);
}

TEST(PageInfoTest, Defaults)
{
    PageInfo page;
    EXPECT_EQ(page, (PageInfo{u"", 210, 297, true, 15, 25, 10, 25}));
    page.left = page.top = page.right = page.bottom = 0;
    page.SetDefaultMargins();
    EXPECT_EQ(page, (PageInfo{u"", 210, 297, true, 15, 25, 10, 25}));
}

}  // namespace
