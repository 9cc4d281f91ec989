#include "app/settings/extend_symbol_file.h"

#include <functional>
#include <gtest/gtest.h>

#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::ExtendSymbol;
using brindle::ExtendSymbolFile;
using brindle::ShortcutKey;
using quaverly::LogFont;
using namespace settings_test;

TEST(ExtendSymbolFileTest, EveryKeyAgainstEmptyAndFilledSections)
{
    struct Row {
        const char* key;
        std::function<int(const ExtendSymbol&)> field;
        int emptyValue;
        int filledValue;  // section S2 of the fixture
    };
    const Row rows[] = {
        {"Height", [](const ExtendSymbol& s) { return s.font.height; }, 0, -20},
        {"Weight", [](const ExtendSymbol& s) { return s.font.weight; }, 400, 700},
        {"Italic", [](const ExtendSymbol& s) { return s.font.italic; }, 0, 1},
        {"Width", [](const ExtendSymbol& s) { return s.font.width; }, 0, 3},
        {"Escapement", [](const ExtendSymbol& s) { return s.font.escapement; }, 0, 10},
        {"Orientation", [](const ExtendSymbol& s) { return s.font.orientation; }, 0, 20},
        {"Underline", [](const ExtendSymbol& s) { return s.font.underline; }, 0, 1},
        {"StrikeOut", [](const ExtendSymbol& s) { return s.font.strikeOut; }, 0, 1},
        {"CharSet", [](const ExtendSymbol& s) { return s.font.charSet; }, 1, 2},
        {"OutPrecision", [](const ExtendSymbol& s) { return s.font.outPrecision; }, 0, 3},
        {"ClipPrecision", [](const ExtendSymbol& s) { return s.font.clipPrecision; }, 0, 4},
        {"Quality", [](const ExtendSymbol& s) { return s.font.quality; }, 4, 4},  // the file says 0
        {"PitchAndFamily", [](const ExtendSymbol& s) { return s.font.pitchAndFamily; }, 0, 5},
        {"Placement", [](const ExtendSymbol& s) { return s.placement; }, 0, 2},
        {"H Offset", [](const ExtendSymbol& s) { return s.hOffset; }, 0, -150},
        {"V Offset", [](const ExtendSymbol& s) { return s.vOffset; }, 0, 300},
    };
    ExtendSymbolFile file;
    file.SetFileName(Fixture("extend_symbols.ini"));
    const ExtendSymbol missing = file.ReadSymbol(u"NOT THERE");
    const ExtendSymbol filled = file.ReadSymbol(u"s2");
    EXPECT_EQ(missing.name, u"NOT THERE");
    EXPECT_EQ(missing.charText, u"");
    EXPECT_EQ(missing.font.FaceName(), u"");
    EXPECT_EQ(filled.charText, u"简谱");
    EXPECT_EQ(filled.font.FaceName(), u"Tansy");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(row.field(missing), row.emptyValue);
        EXPECT_EQ(row.field(filled), row.filledValue);
    }
    EXPECT_EQ(file.GetShortcut(u"NOT THERE"), ShortcutKey{});
    EXPECT_EQ(file.GetShortcut(u"S2"), (ShortcutKey{3, 112, 59, true, true}));
}

TEST(ExtendSymbolFileTest, SymbolsByIndexInFileOrder)
{
    ExtendSymbolFile file;
    file.SetFileName(Fixture("extend_symbols.ini"));
    ASSERT_EQ(file.GetSymbolCount(), 3);
    EXPECT_EQ(file.GetSymbol(0).name, u"S1");
    EXPECT_EQ(file.GetSymbol(0).charText, u"A");
    EXPECT_EQ(file.GetSymbol(1).name, u"S2");
    EXPECT_EQ(file.GetSymbol(1).charText, u"简谱");
    // A character outside the alphabet counts as 0 ("Q!A=" reads as "QAA="): a wrong
    // character, no error and no lost text.
    EXPECT_EQ(file.GetSymbol(2).name, u"S3");
    EXPECT_EQ(file.GetSymbol(2).charText, u"@");
    for (const int index : {-1, 3, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(file.GetSymbol(index), ExtendSymbol{});
    }
    TempFolder folder;
    ExtendSymbolFile none;
    none.SetFileName(PathText(folder / "missing.ini"));
    EXPECT_EQ(none.GetSymbolCount(), 0);
    EXPECT_EQ(none.GetSymbol(0), ExtendSymbol{});
}

TEST(ExtendSymbolFileTest, WriteReadDeleteWithShortcut)
{
    TempFolder folder;
    const auto path = folder / "ExtendSymbol.ini";
    ExtendSymbolFile file;
    file.SetFileName(PathText(path));

    ExtendSymbol symbol;
    symbol.name = u"渐强";
    symbol.charText = u"\U000F0041";
    symbol.font.SetFaceName(u"Tansy");
    symbol.font.height = -20;
    symbol.font.weight = 400;
    symbol.font.charSet = 2;
    symbol.font.quality = 4;
    symbol.placement = 1;
    symbol.hOffset = 10;
    symbol.vOffset = -20;
    ASSERT_TRUE(file.SetSymbol(symbol));
    ASSERT_TRUE(file.SetShortcut(u"渐强", ShortcutKey{1, 65, 30, false, false}));
    ExtendSymbol other = symbol;
    other.name = u"A";
    other.charText = u"A";
    ASSERT_TRUE(file.SetSymbol(other));

    EXPECT_EQ(Stored(path, u"渐强", u"Char Name"), u"gNtB3A==");
    EXPECT_EQ(Stored(path, u"A", u"Char Name"), u"QQA=");
    ASSERT_EQ(file.GetSymbolCount(), 2);
    EXPECT_EQ(file.GetSymbol(0), symbol);
    EXPECT_EQ(file.GetSymbol(1), other);
    EXPECT_EQ(file.GetShortcut(u"渐强"), (ShortcutKey{1, 65, 30, false, false}));

    // Deleting a symbol takes its shortcut with it.
    ASSERT_TRUE(file.DeleteSymbol(symbol));
    EXPECT_EQ(file.GetSymbolCount(), 1);
    EXPECT_EQ(file.GetShortcut(u"渐强"), ShortcutKey{});
    EXPECT_EQ(Stored(path, u"渐强", u"Virtual Key"), std::nullopt);
    EXPECT_TRUE(file.DeleteSymbol(u"never there"));
}

TEST(ExtendSymbolFileTest, RefusedWritesAreReported)
{
    TempFolder folder;
    ExtendSymbolFile file;
    file.SetFileName(PathText(folder / "ExtendSymbol.ini"));
    ExtendSymbol unnamed;
    unnamed.charText = u"x";
    EXPECT_FALSE(file.SetSymbol(unnamed));
    ExtendSymbol bracket;
    bracket.name = u"a]b";
    EXPECT_FALSE(file.SetSymbol(bracket));
    ExtendSymbolFile nowhere;
    nowhere.SetFileName(PathText(folder / "missing-folder" / "ExtendSymbol.ini"));
    ExtendSymbol fine;
    fine.name = u"ok";
    EXPECT_FALSE(nowhere.SetSymbol(fine));
    EXPECT_FALSE(nowhere.SetShortcut(u"ok", ShortcutKey{}));
}

}  // namespace
