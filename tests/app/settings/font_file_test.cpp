#include "app/settings/font_file.h"

#include <functional>
#include <gtest/gtest.h>

#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::FontFile;
using quaverly::LogFont;
using namespace settings_test;

TEST(FontFileTest, EveryKeyAgainstEmptyAndFilledSection)
{
    struct Row {
        const char* key;
        std::function<int(const LogFont&)> field;
        int emptyValue;
        int filledValue;  // [TITLE FONT] of the fixture
    };
    const Row rows[] = {
        {"Height", [](const LogFont& f) { return f.height; }, 0, -15},
        {"Weight", [](const LogFont& f) { return f.weight; }, 400, 700},
        {"Italic", [](const LogFont& f) { return f.italic; }, 0, 1},
        {"Width", [](const LogFont& f) { return f.width; }, 0, 5},
        {"Escapement", [](const LogFont& f) { return f.escapement; }, 0, 900},
        {"Orientation", [](const LogFont& f) { return f.orientation; }, 0, 450},
        {"Underline", [](const LogFont& f) { return f.underline; }, 0, 1},
        {"StrikeOut", [](const LogFont& f) { return f.strikeOut; }, 0, 1},
        {"CharSet", [](const LogFont& f) { return f.charSet; }, 1, 134},
        {"OutPrecision", [](const LogFont& f) { return f.outPrecision; }, 0, 3},
        {"ClipPrecision", [](const LogFont& f) { return f.clipPrecision; }, 0, 2},
        {"Quality", [](const LogFont& f) { return f.quality; }, 4, 4},  // the file says 0
        {"PitchAndFamily", [](const LogFont& f) { return f.pitchAndFamily; }, 0, 49},
    };
    TempFolder folder;
    FontFile empty;
    empty.SetFileName(PathText(folder / "missing.ini"));
    FontFile filled;
    filled.SetFileName(Fixture("font_filled.ini"));
    const LogFont emptyFont = empty.GetFont(brindle::kTitleFont);
    const LogFont filledFont = filled.GetFont(brindle::kTitleFont);
    EXPECT_EQ(emptyFont.FaceName(), u"");
    EXPECT_EQ(filledFont.FaceName(), u"字体 5");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(row.field(emptyFont), row.emptyValue);
        EXPECT_EQ(row.field(filledFont), row.filledValue);
    }
}

TEST(FontFileTest, EachKindReadsItsSection)
{
    FontFile file;
    file.SetFileName(Fixture("font_filled.ini"));
    for (int kind = 0; kind < 11; ++kind) {
        SCOPED_TRACE(kind);
        const LogFont font = file.GetFont(kind);
        EXPECT_EQ(font.FaceName(), u"字体 " + brindle::ProfileFile::FormatInt(kind));
        EXPECT_EQ(font.height, -(10 + kind));
    }
    EXPECT_EQ(file.GetFont(brindle::kBarIndexFont).height, -21);
    // Outside 0-11: the font of a missing section.
    const LogFont outside = file.GetFont(12);
    EXPECT_EQ(outside.FaceName(), u"");
    EXPECT_EQ(outside.weight, 400);
    EXPECT_EQ(outside.charSet, 1);
    EXPECT_EQ(outside.quality, 4);
    EXPECT_FALSE(file.SetFont(-1, outside));
}

TEST(FontFileTest, OddValuesOfAHandEditedFile)
{
    FontFile file;
    file.SetFileName(Fixture("font_filled.ini"));
    const LogFont lyric = file.GetFont(brindle::kLyricFont);
    EXPECT_EQ(lyric.italic, 0);       // "1" is not "TRUE"
    EXPECT_EQ(lyric.charSet, 134);    // 390: the low byte
    EXPECT_EQ(lyric.underline, 1);    // 257: the low byte
    EXPECT_EQ(lyric.quality, 4);
    const LogFont bar = file.GetFont(brindle::kBarIndexFont);
    EXPECT_EQ(bar.FaceName(), u"A face name far longer than thi");
    EXPECT_EQ(bar.FaceName().size(), 31u);
}

TEST(FontFileTest, WritesTheFourteenKeysInOrder)
{
    FontFile fixture;
    fixture.SetFileName(Fixture("font_filled.ini"));
    LogFont font = fixture.GetFont(brindle::kTitleFont);
    font.SetFaceName(u"黑体");

    TempFolder folder;
    FontFile file;
    file.SetFileName(PathText(folder / "Font.ini"));
    ASSERT_TRUE(file.SetFont(brindle::kTitleFont, font));
    EXPECT_EQ(TempFolder::Read(folder / "Font.ini"),
              "[TITLE FONT]\nFace Name=\xE9\xBB\x91\xE4\xBD\x93\nHeight=-15\nWeight=700\nItalic=TRUE\nWidth=5\n"
              "Escapement=900\nOrientation=450\nUnderline=1\nStrikeOut=1\nCharSet=134\nOutPrecision=3\n"
              "ClipPrecision=2\nQuality=4\nPitchAndFamily=49\n");
    EXPECT_EQ(file.GetFont(brindle::kTitleFont), font);

    // A written quality other than 4 still reads as 4.
    font.quality = 0;
    ASSERT_TRUE(file.SetFont(brindle::kCommonFont, font));
    EXPECT_EQ(Stored(folder / "Font.ini", u"COMMON FONT", u"Quality"), u"0");
    EXPECT_EQ(file.GetFont(brindle::kCommonFont).quality, 4);
}

TEST(FontFileTest, WriteFailureIsReported)
{
    TempFolder folder;
    FontFile file;
    file.SetFileName(PathText(folder / "missing-folder" / "Font.ini"));
    EXPECT_FALSE(file.SetFont(brindle::kTitleFont, LogFont{}));
}

}  // namespace
