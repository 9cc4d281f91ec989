// The drawing resource table: defaults, lookups of missing keys, black-and-white mode,
// the fonts taken from the font file and the measured note sizes.
#include "app/painter/draw_resource_table.h"

#include "app/settings/font_file.h"
#include "platform/text_encoding.h"
#include "tests/app/painter/painter_test_util.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using brindle::DrawResourceTable;
using platform::Rgb;

TEST(DrawResourceTable, DefaultColours)
{
    struct Case {
        int key;
        platform::ColorRef color;
    };
    const Case cases[] = {
        {0, Rgb(0, 0, 0)},       {1, Rgb(255, 0, 0)},     {2, Rgb(120, 120, 120)},
        {3, Rgb(255, 0, 0)},     {4, Rgb(0, 0, 255)},     {5, Rgb(0, 0, 0)},
        {7, Rgb(0, 0, 0)},       {9, Rgb(0, 0, 0)},       {11, Rgb(0, 0, 0)},
        {12, Rgb(0, 0, 0)},      {13, Rgb(0, 0, 0)},      {15, Rgb(0, 0, 0)},
        {16, Rgb(0, 0, 0)},      {17, Rgb(0, 0, 0)},      {18, Rgb(0, 51, 153)},
        {19, Rgb(0, 51, 153)},   {20, Rgb(0, 51, 153)},   {21, Rgb(0, 51, 153)},
        {22, Rgb(0, 0, 0)},      {28, Rgb(0, 0, 0)},      {29, Rgb(0, 0, 255)},
        {30, Rgb(0, 0, 255)},    {31, Rgb(0, 102, 0)},    {32, Rgb(180, 180, 180)},
        {33, Rgb(100, 100, 255)}, {34, Rgb(100, 100, 255)},
    };
    const DrawResourceTable table;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_TRUE(table.HasColor(c.key));
        EXPECT_EQ(table.GetColor(c.key), c.color);
    }
    // As the desktop packs them: 0x00BBGGRR.
    EXPECT_EQ(table.GetColor(1), 0x0000FFu);
    EXPECT_EQ(table.GetColor(18), 0x993300u);
}

TEST(DrawResourceTable, MissingKeysReadAsBlackZeroFontAndNoFactorWithoutBeingAdded)
{
    const DrawResourceTable table;
    for (int key : {6, 8, 10, 14, 35, -1}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(table.GetColor(key), Rgb(0, 0, 0));
        EXPECT_FALSE(table.HasColor(key));
    }
    const quaverly::LogFont font = table.GetFont(11);
    EXPECT_EQ(font, quaverly::LogFont{});
    EXPECT_TRUE(font.FaceName().empty());
    EXPECT_EQ(font.height, 0);
    EXPECT_FALSE(table.HasFont(11));
    EXPECT_EQ(table.GetSpacingFactor(30240), 0.0);
    EXPECT_EQ(table.GetSpacingFactor(30240), 0.0);
}

TEST(DrawResourceTable, BlackAndWhiteModeMakesEveryKeyBlack)
{
    DrawResourceTable table;
    EXPECT_FALSE(table.IsBlackAndWhite());
    table.SetBlackAndWhite(true);
    for (int key = -2; key <= 40; ++key)
        EXPECT_EQ(table.GetColor(key), Rgb(0, 0, 0)) << key;
    table.SetBlackAndWhite(false);
    EXPECT_EQ(table.GetColor(33), Rgb(100, 100, 255));
    EXPECT_EQ(table.GetColor(2), Rgb(120, 120, 120));
}

TEST(DrawResourceTable, BuiltInFonts)
{
    struct Case {
        int key;
        const char16_t* face;
        int height;
        int weight;
    };
    const Case cases[] = {
        {0, u"Tansy", -20, 400},       {1, u"Tansy Number", -15, 400},
        {2, u"Tansy Tuplet", -12, 700}, {8, u"Tansy Times", -12, 700},
        {9, u"Arial", -11, 700},
    };
    const DrawResourceTable table;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const quaverly::LogFont f = table.GetFont(c.key);
        EXPECT_EQ(f.FaceName(), c.face);
        EXPECT_EQ(f.height, c.height);
        EXPECT_EQ(f.weight, c.weight);
        EXPECT_EQ(f.charSet, 1);
        EXPECT_EQ(f.quality, 4);
        EXPECT_EQ(f.width, 0);
        EXPECT_EQ(f.italic, 0);
    }
    for (int key : {3, 4, 5, 6, 7, 10, 11, 12, 13, 14})
        EXPECT_FALSE(table.HasFont(key)) << key;
}

TEST(DrawResourceTable, DefaultMetrics)
{
    const DrawResourceTable table;
    const brindle::LayoutMetrics& m = table.GetMetrics();
    using quaverly::Point;
    EXPECT_EQ(m.noteDotOffset, (Point{100, 20}));
    EXPECT_EQ(m.noteHighOctaveOffset, (Point{0, 75}));
    EXPECT_EQ(m.noteLowOctaveOffset, (Point{0, 80}));
    EXPECT_DOUBLE_EQ(m.noteOctaveDotInterval, 0.25);
    EXPECT_DOUBLE_EQ(m.noteLegerInterval, 0.2);
    EXPECT_EQ(m.chordHighOctaveOffset, (Point{0, 140}));
    EXPECT_EQ(m.chordLowOctaveOffset, (Point{0, 60}));
    EXPECT_DOUBLE_EQ(table.GetChordNoteScale(), 0.7);
    EXPECT_DOUBLE_EQ(table.GetGraceNoteScale(), 0.7);
    EXPECT_EQ(m.graceDotOffset, (Point{50, 0}));
    EXPECT_EQ(m.graceHighOctaveOffset, (Point{0, 40}));
    EXPECT_EQ(m.graceLowOctaveOffset, (Point{0, 60}));
    EXPECT_DOUBLE_EQ(m.graceOctaveDotInterval, 0.3);
    EXPECT_DOUBLE_EQ(m.graceLegerInterval, 0.25);
    EXPECT_EQ(m.timeSignatureBarThickness, 40);
    EXPECT_EQ(m.barLineHeight, 700);
    EXPECT_EQ(m.thinBarLineWidth, 30);
    EXPECT_EQ(m.thickBarLineWidth, 75);
    EXPECT_EQ(m.barLineGap, 60);
    EXPECT_EQ(m.repeatDotSize, 50);
    EXPECT_EQ(table.GetEndingLineWidth(), 30);
    EXPECT_EQ(m.flatSlurHeight, 260);
    EXPECT_EQ(m.flatSlurHeight2, 260);
    EXPECT_EQ(m.jumpMarkOffset, (Point{0, 200}));
    EXPECT_EQ(m.dynamicMarkOffset, (Point{0, 100}));
    EXPECT_EQ(m.wedgeOffset, (Point{0, 300}));
    EXPECT_EQ(m.wedgeLineWidth, 31);
    EXPECT_EQ(m.wedgeSpread, 200);
    EXPECT_EQ(m.noteSymbolSpacing, 150);
    EXPECT_EQ(m.noteSymbolOffset, (Point{0, -100}));
    EXPECT_DOUBLE_EQ(m.spacingUnit, 0.5);
    EXPECT_DOUBLE_EQ(table.GetCloseScale(), 0.5);
    EXPECT_DOUBLE_EQ(table.GetSpacingParam(), 0.5);
    EXPECT_FALSE(table.IsBlackAndWhite());
    EXPECT_EQ(table.GetNoteSize(), (quaverly::Size{}));

    // Every metric, in the table's order, so that none is left at zero by mistake.
    const brindle::LayoutMetrics all{
        .noteDashOffset = {0, 0},
        .accidentalOffset = {0, 0},
        .noteDotOffset = {100, 20},
        .noteDotInterval = 0.5,
        .noteHighOctaveOffset = {0, 75},
        .noteLowOctaveOffset = {0, 80},
        .noteOctaveDotInterval = 0.25,
        .noteLegerInterval = 0.2,
        .noteLegerThickness = 30,
        .noteLeftLegerBulge = 0,
        .noteRightLegerBulge = 0,
        .timeSignatureBarThickness = 40,
        .chordInterval = 130,
        .chordNoteScale = 0.7,
        .chordAccidentalOffset = {0, 0},
        .chordHighOctaveOffset = {0, 140},
        .chordLowOctaveOffset = {0, 60},
        .graceNoteScale = 0.7,
        .graceNoteInterval = 30,
        .graceDotOffset = {50, 0},
        .graceDotInterval = 0.5,
        .graceHighOctaveOffset = {0, 40},
        .graceLowOctaveOffset = {0, 60},
        .graceOctaveDotInterval = 0.3,
        .graceLegerInterval = 0.25,
        .graceLegerThickness = 30,
        .graceLegerBulge = 0,
        .metric107 = 200,
        .metric108 = 200,
        .metric109 = 150,
        .barLineHeight = 700,
        .metric99 = 1219,
        .metric100 = 1219,
        .metric101 = 2500,
        .metric102 = 186,
        .metric103 = 93,
        .metric104 = 744,
        .metric105 = 0,
        .metric106 = 372,
        .thinBarLineWidth = 30,
        .thickBarLineWidth = 75,
        .barLineGap = 60,
        .repeatDotSize = 50,
        .flatSlurOffset = {0, 0},
        .flatSlurHeight = 260,
        .bracketLineWidth = 30,
        .flatSlurHeight2 = 260,
        .metric111 = 150,
        .metric110 = 200,
        .jumpMarkOffset = {0, 200},
        .dynamicMarkOffset = {0, 100},
        .wedgeOffset = {0, 300},
        .wedgeOffset2 = {0, 0},
        .wedgeLineWidth = 31,
        .wedgeSpread = 200,
        .noteSymbolSpacing = 150,
        .noteSymbolOffset = {0, -100},
        .spacingUnit = 0.5,
    };
    EXPECT_TRUE(m == all);
}

TEST(DrawResourceTable, SpacingFactors)
{
    struct Case {
        int duration;
        double factor;
    };
    const Case cases[] = {{1290240, 64}, {645120, 32}, {322560, 16}, {161280, 8}, {80640, 4},
                          {40320, 2},    {20160, 1},   {10080, 0.5}, {5040, 0.5}, {30240, 0},
                          {0, 0},        {-161280, 0}};
    const DrawResourceTable table;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.duration);
        EXPECT_DOUBLE_EQ(table.GetSpacingFactor(c.duration), c.factor);
    }
}

TEST(DrawResourceTable, TextFontsComeFromTheFontFile)
{
    TempFolder folder;
    brindle::FontFile file;
    file.SetFileName(platform::PathToUtf16(folder / "Font.ini"));
    // Every section of the file with a height of its own: -(kind + 20).
    for (int kind = 0; kind < brindle::FontFile::kFontKindCount; ++kind) {
        quaverly::LogFont lf;
        lf.SetFaceName(u"宋体");
        lf.height = -(kind + 20);
        lf.weight = 400;
        lf.charSet = 134;
        ASSERT_TRUE(file.SetFont(kind, lf));
    }
    DrawResourceTable table;
    const DrawResourceTable defaults;
    table.ApplyFontFile(file);
    struct Case {
        int key;
        int kind;
    };
    const Case cases[] = {{3, brindle::kTitleFont},      {4, brindle::kSubtitleFont},
                          {5, brindle::kComposerFont},   {6, brindle::kComposerFont},
                          {10, brindle::kExpressionFont}, {11, brindle::kCommonFont},
                          {12, brindle::kLyricFont},     {13, brindle::kBarIndexFont},
                          {14, brindle::kInstrumentNameFont}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const quaverly::LogFont f = table.GetFont(c.key);
        EXPECT_EQ(f.height, -(c.kind + 20));
        EXPECT_EQ(f.FaceName(), u"宋体");
        EXPECT_EQ(f.quality, 4);
    }
    // The music keys keep their built-in fonts, whatever the file says.
    for (int key : {0, 1, 2, 8, 9})
        EXPECT_EQ(table.GetFont(key), defaults.GetFont(key)) << key;
}

TEST(DrawResourceTable, MeasuredNoteSizes)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    painter_test::PageImage page(100, 100);
    DrawResourceTable table;
    table.MeasureNoteSizes(page.Dc(), painter_test::kScreenScale);
    // "Tansy Number" at 15 pixels: an em of 396; "0" is 1303/2048 em wide, and the note's
    // box is the digits' 729/1000 em and 76/1000 em of room above them high.
    const quaverly::Size note = table.GetNoteSize();
    EXPECT_NEAR(note.cx, 396 * 1303 / 2048, 2);
    EXPECT_NEAR(note.cy, 396 * 805 / 1000, 2);
    // Chord notes: 0.7 the height, stretched to the full width; grace notes: 0.7 both ways.
    const quaverly::Size chord = table.GetChordNoteSize();
    EXPECT_NEAR(chord.cy, 277 * 805 / 1000, 2);
    EXPECT_NEAR(chord.cx, note.cx, note.cx / 20);
    const quaverly::Size grace = table.GetGraceNoteSize();
    EXPECT_NEAR(grace.cy, 277 * 805 / 1000, 2);
    EXPECT_NEAR(grace.cx, 277 * 1303 / 2048, 2);
    // The context keeps the font it had.
    EXPECT_EQ(page.Dc().SelectFont(quaverly::LogFont{}), quaverly::LogFont{});
}

}  // namespace
