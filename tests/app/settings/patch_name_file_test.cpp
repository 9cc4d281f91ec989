#include "app/settings/patch_name_file.h"

#include <gtest/gtest.h>

#include "app/settings/expression_style_list.h"
#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::ExpressionStyleList;
using brindle::PatchNameFile;
using brindle::ProfileFile;
using namespace settings_test;

std::vector<std::u16string> Patches(const PatchNameFile& file)
{
    std::vector<std::u16string> names;
    for (int i = 0; i < file.GetPatchCount(); ++i)
        names.push_back(file.GetPatchName(i));
    return names;
}

std::vector<std::u16string> Percussion(const PatchNameFile& file)
{
    std::vector<std::u16string> names;
    for (int i = 0; i < file.GetPercussionCount(); ++i)
        names.push_back(file.GetPercussionName(i));
    return names;
}

TEST(PatchNameFileTest, SectionsChosenByLanguage)
{
    struct Case {
        const char* fixture;
        int language;
        std::vector<std::u16string> patches;
        std::vector<std::u16string> percussion;
        int offset;
    };
    const Case cases[] = {
        // Patch item 1 is missing: an empty name at its place.
        {"patch_names.ini", 2052, {u"大钢琴", u"", u"小提琴"}, {u"原声大鼓", u"大鼓"}, 35},
        {"patch_names.ini", 1033, {u"大钢琴", u"", u"小提琴"}, {u"原声大鼓", u"大鼓"}, 35},
        {"patch_names.ini", 1028, {u"大鋼琴", u"小提琴"}, {u"大鼓"}, 36},
        {"patch_names_simplified_only.ini", 1028, {}, {}, 0},
        {"missing.ini", 2052, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + " " + std::to_string(c.language));
        const PatchNameFile file(std::make_shared<ProfileFile>(Fixture(c.fixture)), c.language);
        EXPECT_EQ(Patches(file), c.patches);
        EXPECT_EQ(Percussion(file), c.percussion);
        EXPECT_EQ(file.GetPercussionOffset(), c.offset);
        EXPECT_EQ(file.GetPatchName(99), u"");
        EXPECT_EQ(file.GetPercussionName(-1), u"");
    }
}

TEST(PatchNameFileTest, SectionNamesAndItemKeys)
{
    const PatchNameFile taiwan(std::make_shared<ProfileFile>(), PatchNameFile::kTaiwanLanguageId);
    EXPECT_EQ(taiwan.GetPatchSection(), u"PATCH SECTION 1028");
    EXPECT_EQ(taiwan.GetPercussionSection(), u"PERCUSSION SECTION 1028");
    const PatchNameFile other(nullptr, 2052);
    EXPECT_EQ(other.GetPatchSection(), u"PATCH SECTION");
    EXPECT_EQ(other.GetPercussionSection(), u"PERCUSSION SECTION");
    EXPECT_EQ(other.GetPatchCount(), 0);
    EXPECT_EQ(PatchNameFile::ItemKey(0), u"Item 0");
    EXPECT_EQ(PatchNameFile::ItemKey(127), u"Item 127");
    // The system's language gives one of the known identifiers.
    const int system = PatchNameFile::SystemDefaultLangId();
    EXPECT_TRUE(system == 1033 || system == 1028 || system == 2052 || system == 3076 || system == 4100 ||
                system == 5124);
}

// Counts and the offset come from a file anyone can edit: the lists the dialogs loop
// over stay within what MIDI can address.
TEST(PatchNameFileTest, CountsAreBounded)
{
    struct Case {
        const char* patchCount;
        const char* percussionCount;
        const char* offset;
        int patches;
        int percussion;
        int percussionOffset;
    };
    const Case cases[] = {
        {"3", "2", "35", 3, 2, 35},
        {"2147483647", "2147483647", "0", 128, 128, 0},
        {"-5", "-5", "-5", 0, 0, 0},
        {"99999999999999999999", "47", "2147483647", 128, 1, 127},
        {"128", "47", "100", 128, 28, 100},
        {"129", "", "", 128, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.patchCount) + " " + c.percussionCount + " " + c.offset);
        TempFolder folder;
        const auto path = folder / "patches.ini";
        TempFolder::Write(path, std::string("[PATCH SECTION]\nPatch Count=") + c.patchCount +
                                    "\n[PERCUSSION SECTION]\nPercussion Count=" + c.percussionCount +
                                    "\nPercussion Offset=" + c.offset + "\n");
        const PatchNameFile file(std::make_shared<ProfileFile>(PathText(path)), 2052);
        EXPECT_EQ(file.GetPatchCount(), c.patches);
        EXPECT_EQ(file.GetPercussionCount(), c.percussion);
        EXPECT_EQ(file.GetPercussionOffset(), c.percussionOffset);
    }
}

TEST(ExpressionStyleListTest, CountIsBounded)
{
    struct Case {
        const char* count;
        int expected;
    };
    const Case cases[] = {{"20", 20}, {"1024", 1024}, {"2147483647", 1024}, {"-5", 0}, {"x", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        TempFolder folder;
        const auto path = folder / "expression.ini";
        TempFolder::Write(path, std::string("[EXPRESSION STYLE]\nCount=") + c.count + "\nItem 0=Largo\n");
        ExpressionStyleList list;
        list.SetFile(std::make_shared<ProfileFile>(PathText(path)));
        EXPECT_EQ(list.GetCount(), c.expected);
        EXPECT_EQ(list.GetItem(0), u"Largo");
    }
}

TEST(ExpressionStyleListTest, CountAndItems)
{
    ExpressionStyleList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetItem(0), u"");
    list.SetFile(std::make_shared<ProfileFile>(Fixture("expression.ini")));
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetItem(0), u"广板");
    EXPECT_EQ(list.GetItem(1), u"");
    EXPECT_EQ(list.GetItem(2), u"急板");
    list.SetFile(std::make_shared<ProfileFile>(Fixture("missing.ini")));
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
