// The symbol preview: where the note, the guide lines and the symbol go for each
// placement and offset at a fixed scale (measured by the recording context's fixed
// rules), what the setters keep, the scale of a screen with and without a size, and the
// note font read from the font file.
#include "app/dialogs/symbol_preview_wnd.h"

#include <gtest/gtest.h>

#include <limits>

#include "app/dialogs/data_folder.h"
#include "platform/recording_device_context.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"
#include "tests/app/dialogs/test_folder.h"

namespace {

using brindle::CSymbolPreviewWnd;
using platform::Point;
using platform::RecordingDeviceContext;
using platform::Rect;

constexpr float kScale = 10.0f;  // 0.01 mm per pixel: 22 mm is 220 pixels
constexpr Rect kClient{0, 0, 400, 500};

class SymbolPreviewTest : public ::testing::Test {
protected:
    SymbolPreviewTest()
    {
        data.Write("settings/Font.ini", "[NOTE FONT]\r\nFace Name=Tansy Number\r\nHeight=-16\r\n");
        preview.ReadReferenceFont(data.Data());  // "5": 24 × 48 by the fixed rules
        quaverly::LogFont font;
        font.height = -20;  // "A": 30 × 60
        font.SetFaceName(u"Tansy");
        preview.SetFont(font);
        preview.SetText(u"A");
    }

    CSymbolPreviewWnd::Layout Arrange()
    {
        RecordingDeviceContext dc;
        return preview.Arrange(dc, kClient, kScale);
    }

    dialog_test::TestFolder data{dialog_test::TestFolder::Names::SettingsFiles};
    CSymbolPreviewWnd preview;
};

TEST_F(SymbolPreviewTest, NoteStandsAtTheReferencePointWithGuidesThroughItsCentre)
{
    const auto layout = Arrange();
    EXPECT_EQ(layout.note, (Point{220, 150}));
    EXPECT_EQ(layout.noteSize, (platform::Size{24, 48}));
    EXPECT_EQ(layout.symbolSize, (platform::Size{30, 60}));
    EXPECT_EQ(layout.horizontalGuide, 150 + 24);
    EXPECT_EQ(layout.verticalGuide, 220 + 12);

    // The client's own left and bottom edges count.
    RecordingDeviceContext dc;
    const auto moved = preview.Arrange(dc, {30, 10, 430, 410}, kScale);
    EXPECT_EQ(moved.note, (Point{250, 60}));
}

TEST_F(SymbolPreviewTest, SymbolRectanglePerPlacement)
{
    const struct {
        int placement;
        Point at;
    } cases[] = {
        {0, {217, 90}},   // centred above: its bottom on the note's top
        {1, {217, 198}},  // centred below: its top on the note's bottom
        {2, {190, 144}},  // left, centred on the note's height
        {3, {244, 144}},  // right: its left edge on the note's right edge
        {4, {220, 150}},  // anything else: on the note's corner
        {-1, {220, 150}},
    };
    for (const auto& c : cases) {
        preview.SetPlacement(c.placement);
        EXPECT_EQ(Arrange().symbol, c.at) << c.placement;
    }
}

TEST_F(SymbolPreviewTest, HalvesRoundTowardZero)
{
    quaverly::LogFont narrow;
    narrow.height = -20;
    narrow.width = 21;  // narrower than the note by 3
    preview.SetFont(narrow);
    preview.SetPlacement(0);
    EXPECT_EQ(Arrange().symbol.x, 221);  // -(21 - 24) / 2 = 1
    narrow.width = 25;
    preview.SetFont(narrow);
    EXPECT_EQ(Arrange().symbol.x, 220);  // -(25 - 24) / 2 = 0
}

TEST_F(SymbolPreviewTest, OffsetsMoveTheSymbolThreeTimesTheirDistance)
{
    preview.SetPlacement(0);
    preview.SetHorizontalOffset(100);  // 1 mm to the right: 3 mm on the screen
    EXPECT_EQ(preview.HorizontalOffset(), 300);
    EXPECT_EQ(Arrange().symbol, (Point{247, 90}));
    preview.SetVerticalOffset(100);  // up
    EXPECT_EQ(Arrange().symbol, (Point{247, 60}));
    preview.SetHorizontalOffset(-15);
    preview.SetVerticalOffset(-15);
    // The offset and the shift are truncated together: -4.5 - 3 and -60 + 4.5.
    EXPECT_EQ(Arrange().symbol, (Point{220 - 7, 150 - 55}));
}

TEST_F(SymbolPreviewTest, DrawsGreyDottedGuidesTheGreyNoteAndTheSymbol)
{
    preview.SetPlacement(3);
    RecordingDeviceContext dc;
    preview.Draw(dc, kClient, kScale);
    const auto lines = dc.CallsOf("LineTo");
    const auto moves = dc.CallsOf("MoveTo");
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].points[0], (Point{0, 174}));
    EXPECT_EQ(lines[0].points.back(), (Point{400, 174}));
    EXPECT_EQ(moves[1].points[0], (Point{232, 0}));
    EXPECT_EQ(lines[1].points.back(), (Point{232, 500}));
    for (const auto& line : lines)
        EXPECT_EQ(line.pen, (platform::Pen{platform::kPsDot, 0, CSymbolPreviewWnd::kGrey}));

    const auto texts = dc.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, u"5");
    EXPECT_EQ(texts[0].points[0], (Point{220, 150}));
    EXPECT_EQ(texts[0].textColor, CSymbolPreviewWnd::kGrey);
    EXPECT_EQ(texts[0].font.FaceName(), u"Tansy Number");
    EXPECT_EQ(texts[0].font.height, -48);
    EXPECT_EQ(texts[1].text, u"A");
    EXPECT_EQ(texts[1].points[0], (Point{244, 144}));
    EXPECT_EQ(texts[1].textColor, 0u);
    EXPECT_EQ(texts[1].align, platform::kTaLeft | platform::kTaTop);
    EXPECT_EQ(texts[1].font.FaceName(), u"Tansy");
    EXPECT_EQ(texts[1].bkMode, platform::BkMode::Transparent);
    // Colour and alignment are given back.
    EXPECT_EQ(dc.GetTextColor(), 0u);
}

TEST_F(SymbolPreviewTest, AnEmptyCharacterDrawsOnlyTheNoteAndTheGuides)
{
    preview.SetText(u"");
    RecordingDeviceContext dc;
    preview.Draw(dc, kClient, kScale);
    const auto texts = dc.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"5");
    EXPECT_EQ(dc.CallsOf("LineTo").size(), 2u);
}

TEST_F(SymbolPreviewTest, SetFontKeepsAnAntialiasedDefaultSetFontThreeTimesAsHigh)
{
    quaverly::LogFont font;
    font.height = -13;
    font.width = 5;
    font.charSet = 134;
    font.quality = 3;
    font.weight = 700;
    const int before = preview.RepaintRequests();
    preview.SetFont(font);
    EXPECT_EQ(preview.RepaintRequests(), before + 1);
    EXPECT_EQ(preview.SymbolFont().height, -39);
    EXPECT_EQ(preview.SymbolFont().width, 5);
    EXPECT_EQ(preview.SymbolFont().weight, 700);
    EXPECT_EQ(preview.SymbolFont().charSet, 1);
    EXPECT_EQ(preview.SymbolFont().quality, 4);
    // Values from a damaged file are held to the int range.
    font.height = std::numeric_limits<int>::min();
    preview.SetFont(font);
    EXPECT_EQ(preview.SymbolFont().height, std::numeric_limits<int>::min());
    preview.SetVerticalOffset(std::numeric_limits<int>::max());
    EXPECT_EQ(preview.VerticalOffset(), std::numeric_limits<int>::max());
    // and drawn no larger than 2000 pixels.
    RecordingDeviceContext dc;
    preview.Draw(dc, kClient, kScale);
    const auto texts = dc.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].font.height, -2000);
    QImage picture = (preview.resize(300, 300), preview.Render());
    EXPECT_FALSE(picture.isNull());
}

TEST_F(SymbolPreviewTest, ReferenceFontIsTheNoteFontThreeTimesAsHigh)
{
    EXPECT_EQ(preview.ReferenceFont().FaceName(), u"Tansy Number");
    EXPECT_EQ(preview.ReferenceFont().height, -48);
    EXPECT_EQ(preview.ReferenceFont().quality, 4);
}

TEST(SymbolPreviewScale, ScreenSizeOrElseLogicalResolution)
{
    const struct {
        int mm;
        int pixels;
        int dpi;
        float scale;
    } cases[] = {
        {338, 1280, 96, 338 * 100.0f / 1280},
        {508, 1920, 120, 508 * 100.0f / 1920},
        {0, 1280, 96, 2540.0f / 96},     // size unknown: the logical resolution
        {0, 1280, 120, 2540.0f / 120},
        {338, 0, 96, 2540.0f / 96},
        {-3, 1280, 144, 2540.0f / 144},
        {1, 100000, 96, 2540.0f / 96},  // a size no screen has
        {0, 0, 0, 2540.0f / 96},        // nothing known at all
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(CSymbolPreviewWnd::ScreenScale(c.mm, c.pixels, c.dpi), c.scale) << c.mm << " " << c.pixels;
}

TEST(SymbolPreviewScale, ABadScaleNeverDividesByZero)
{
    CSymbolPreviewWnd preview;
    RecordingDeviceContext dc;
    const auto layout = preview.Arrange(dc, kClient, 0.0f);
    EXPECT_EQ(layout.note.x, static_cast<int>(2200 / (2540.0 / 96)));
    preview.resize(200, 200);
    EXPECT_FALSE(preview.Render().isNull());
    EXPECT_GT(preview.Scale(), 0.0f);
}

}  // namespace
