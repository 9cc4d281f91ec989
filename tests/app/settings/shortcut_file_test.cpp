#include "app/settings/shortcut_file.h"

#include <gtest/gtest.h>

#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::ShortcutFile;
using brindle::ShortcutKey;
using namespace settings_test;

using Getter = ShortcutKey (ShortcutFile::*)() const;
using Setter = bool (ShortcutFile::*)(const ShortcutKey&);

struct Row {
    std::u16string_view section;
    Getter get;
    Setter set;  // null for the commands the shortcut dialog does not edit
};

// Every command section with its accessors, in the order of ShortcutFile::kSections.
const Row kRows[] = {
    {u"REST", &ShortcutFile::GetRestShortcut, &ShortcutFile::SetRestShortcut},
    {u"DO", &ShortcutFile::GetDoShortcut, &ShortcutFile::SetDoShortcut},
    {u"RE", &ShortcutFile::GetReShortcut, &ShortcutFile::SetReShortcut},
    {u"ME", &ShortcutFile::GetMeShortcut, &ShortcutFile::SetMeShortcut},
    {u"FA", &ShortcutFile::GetFaShortcut, &ShortcutFile::SetFaShortcut},
    {u"SOL", &ShortcutFile::GetSolShortcut, &ShortcutFile::SetSolShortcut},
    {u"LA", &ShortcutFile::GetLaShortcut, &ShortcutFile::SetLaShortcut},
    {u"SI", &ShortcutFile::GetSiShortcut, &ShortcutFile::SetSiShortcut},
    {u"DRUM", &ShortcutFile::GetDrumShortcut, &ShortcutFile::SetDrumShortcut},
    {u"DURATION WHOLE", &ShortcutFile::GetDurationWholeShortcut, &ShortcutFile::SetDurationWholeShortcut},
    {u"DURATION HALF", &ShortcutFile::GetDurationHalfShortcut, &ShortcutFile::SetDurationHalfShortcut},
    {u"DURATION QUARTER", &ShortcutFile::GetDurationQuarterShortcut, &ShortcutFile::SetDurationQuarterShortcut},
    {u"DURATION EIGHT", &ShortcutFile::GetDurationEightShortcut, &ShortcutFile::SetDurationEightShortcut},
    {u"DURATION SIXTEEN", &ShortcutFile::GetDurationSixteenShortcut, &ShortcutFile::SetDurationSixteenShortcut},
    {u"DURATION 32", &ShortcutFile::GetDuration32Shortcut, &ShortcutFile::SetDuration32Shortcut},
    {u"DURATION 64", &ShortcutFile::GetDuration64Shortcut, nullptr},
    {u"DURATION 128", &ShortcutFile::GetDuration128Shortcut, nullptr},
    {u"DURATION PLUS", &ShortcutFile::GetDurationPlusShortcut, nullptr},
    {u"DURATION MINUS", &ShortcutFile::GetDurationMinusShortcut, nullptr},
    {u"DOT ONE", &ShortcutFile::GetDotOneShortcut, &ShortcutFile::SetDotOneShortcut},
    {u"OCTIVE THREE PLUS", &ShortcutFile::GetOctaveThreePlusShortcut, nullptr},
    {u"OCTIVE TWO PLUS", &ShortcutFile::GetOctaveTwoPlusShortcut, &ShortcutFile::SetOctaveTwoPlusShortcut},
    {u"OCTIVE ONE PLUS", &ShortcutFile::GetOctaveOnePlusShortcut, &ShortcutFile::SetOctaveOnePlusShortcut},
    {u"OCTIVE NORMAL", &ShortcutFile::GetOctaveNormalShortcut, &ShortcutFile::SetOctaveNormalShortcut},
    {u"OCTIVE ONE MINUS", &ShortcutFile::GetOctaveOneMinusShortcut, &ShortcutFile::SetOctaveOneMinusShortcut},
    {u"OCTIVE TWO MINUS", &ShortcutFile::GetOctaveTwoMinusShortcut, &ShortcutFile::SetOctaveTwoMinusShortcut},
    {u"OCTIVE THREE MINUS", &ShortcutFile::GetOctaveThreeMinusShortcut, nullptr},
    {u"OCTIVE PLUS", &ShortcutFile::GetOctavePlusShortcut, nullptr},
    {u"OCTIVE MINUS", &ShortcutFile::GetOctaveMinusShortcut, nullptr},
    {u"TIE", &ShortcutFile::GetTieShortcut, &ShortcutFile::SetTieShortcut},
    {u"TRIPLET", &ShortcutFile::GetTripletShortcut, &ShortcutFile::SetTripletShortcut},
    {u"PRE GRACE", &ShortcutFile::GetPreGraceShortcut, nullptr},
    {u"POST GRACE", &ShortcutFile::GetPostGraceShortcut, nullptr},
    {u"SYMBOL DOUBLE SHARP", &ShortcutFile::GetDoubleSharpShortcut, nullptr},
    {u"SYMBOL SHARP", &ShortcutFile::GetSharpShortcut, &ShortcutFile::SetSharpShortcut},
    {u"SYMBOL NATURAL", &ShortcutFile::GetNaturalShortcut, &ShortcutFile::SetNaturalShortcut},
    {u"SYMBOL FLAT", &ShortcutFile::GetFlatShortcut, &ShortcutFile::SetFlatShortcut},
    {u"SYMBOL DOUBLE FLAT", &ShortcutFile::GetDoubleFlatShortcut, nullptr},
};

// What the filled fixture holds in the section at place i of the accessor order.
ShortcutKey FilledKey(int i)
{
    return ShortcutKey{i % 8, 65 + i, 16 + i, i % 2 == 0, i % 3 == 0};
}

TEST(ShortcutFileTest, EveryCommandAgainstEmptyAndFilledFiles)
{
    ASSERT_EQ(std::size(kRows), ShortcutFile::kSections.size());
    TempFolder folder;
    ShortcutFile empty;
    empty.SetFileName(PathText(folder / "missing.ini"));
    ShortcutFile filled;
    filled.SetFileName(Fixture("shortcut_filled.ini"));
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
        const Row& row = kRows[i];
        SCOPED_TRACE(Utf8(row.section));
        EXPECT_EQ(row.section, ShortcutFile::kSections[static_cast<std::size_t>(i)]);
        EXPECT_EQ((empty.*row.get)(), ShortcutKey{});
        EXPECT_EQ((filled.*row.get)(), FilledKey(i));
    }
}

TEST(ShortcutFileTest, SettersWriteTheSectionTheGetterReads)
{
    TempFolder folder;
    ShortcutFile file;
    file.SetFileName(PathText(folder / "Shortcut.ini"));
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
        const Row& row = kRows[i];
        if (!row.set)
            continue;
        SCOPED_TRACE(Utf8(row.section));
        const ShortcutKey key{3, 100 + i, 30 + i, true, i % 2 == 1};
        ASSERT_TRUE((file.*row.set)(key));
        EXPECT_EQ((file.*row.get)(), key);
        EXPECT_EQ(Stored(folder / "Shortcut.ini", row.section, u"System Key"), u"3");
        EXPECT_EQ(Stored(folder / "Shortcut.ini", row.section, u"Extend Scan Code"), u"TRUE");
    }
    // A command without a setter was never written.
    EXPECT_EQ(file.GetDuration64Shortcut(), ShortcutKey{});
}

TEST(ShortcutFileTest, PartialSectionsAndOnlyExactTrue)
{
    ShortcutFile file;
    file.SetFileName(Fixture("shortcut_filled.ini"));
    EXPECT_EQ(file.ReadShortcut(u"ONLY VIRTUAL"), (ShortcutKey{0, 65, 0, false, false}));
    EXPECT_EQ(file.ReadShortcut(u"LOWER CASE FLAG"), (ShortcutKey{0, 66, 0, false, false}));
}

TEST(ShortcutFileTest, WriteFailureIsReported)
{
    TempFolder folder;
    ShortcutFile file;
    file.SetFileName(PathText(folder / "missing-folder" / "Shortcut.ini"));
    EXPECT_FALSE(file.SetDoShortcut(ShortcutKey{0, 49, 2, false, false}));
}

}  // namespace
