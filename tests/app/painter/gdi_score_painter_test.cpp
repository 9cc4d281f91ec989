// The score's drawing device: set-up, units and offsets, the text and line paths,
// black-and-white mode, edit marks, metrics and spacing, flat slurs and tuplet brackets
// with their clipping, and dynamics marks.
#include "app/painter/gdi_score_painter.h"

#include "app/painter/draw_resource_table.h"
#include "platform/recording_device_context.h"
#include "tests/app/painter/painter_test_util.h"

#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using brindle::DrawResourceTable;
using brindle::GdiScorePainter;
using platform::Point;
using platform::RecordedCall;
using platform::RecordingDeviceContext;
using platform::Rgb;
using quaverly::Rect;
using quaverly::Size;

// A painter on a recording context, set up as the view does.
class PainterTest : public ::testing::Test {
protected:
    PainterTest() { painter_test::SetUpPainter(painter_, dc_, table_, 1.0f); }

    RecordingDeviceContext dc_;
    DrawResourceTable table_;
    GdiScorePainter painter_;
};

TEST_F(PainterTest, SetUpMakesTheBackgroundTransparent)
{
    GdiScorePainter fresh;
    EXPECT_FLOAT_EQ(fresh.GetScale(), 1.0f);
    EXPECT_EQ(fresh.GetOrigin(), (quaverly::Point{0, 0}));
    EXPECT_EQ(dc_.GetBkMode(), platform::BkMode::Transparent);
}

TEST_F(PainterTest, TextDrawnAtAPointHasItsTopLeftCornerThere)
{
    quaverly::LogFont font;
    font.SetFaceName(u"Arial");
    font.height = -12;
    painter_.DrawString(painter_.ScaledFont(font), 1234, 567,
                        platform::kTaTop | platform::kTaLeft, u"Text", 0);
    const auto calls = dc_.CallsOf("TextOut");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].points[0], (Point{1234, 567}));
    EXPECT_EQ(calls[0].align, platform::kTaTop | platform::kTaLeft);
    EXPECT_EQ(calls[0].font.height, -12);
    // The context gets back its alignment, colour and font.
    EXPECT_EQ(dc_.GetTextAlign(), platform::kTaTop | platform::kTaLeft);
    EXPECT_EQ(dc_.SelectedFont(), quaverly::LogFont{});
}

TEST_F(PainterTest, OriginIsAddedToEveryPointDrawnButNotToSizes)
{
    painter_.SetOrigin(1000, 2000);
    painter_.DrawGuideLine(100, 200, 300, 29);
    const auto moves = dc_.CallsOf("MoveTo");
    const auto lines = dc_.CallsOf("LineTo");
    ASSERT_EQ(moves.size(), 1u);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(moves[0].points[0], (Point{1100, 2200}));
    EXPECT_EQ(lines[0].points[1], (Point{1100, 2500}));
    EXPECT_EQ(lines[0].pen, (platform::Pen{platform::kPsSolid, 0, Rgb(0, 0, 255)}));

    painter_.DrawString(painter_.ScaledFont(0), 5, 6, platform::kTaBaseline, u"x", 0);
    EXPECT_EQ(dc_.CallsOf("TextOut").back().points[0], (Point{1005, 2006}));
    EXPECT_EQ(painter_.GetBarLineExtent(1), (Size{210, 700}));
}

TEST_F(PainterTest, FontHeightsAreScreenPixelsTimesTheScaleTruncated)
{
    struct Case {
        float scale;
        int key;
        double extra;
        int height;
    };
    const Case cases[] = {
        {26.458334f, 1, 1.0, -396},  // -15 x 26.46 = -396.9
        {26.458334f, 0, 1.0, -529},
        {26.458334f, 1, 0.7, -277},  // chord and grace notes
        {2.5f, 2, 1.0, -30},
        {1.0f, 9, 1.0, -11},
        {26.458334f, 11, 1.0, 0},    // no entry: the system's height
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.scale << " key " << c.key);
        painter_.SetScale(c.scale);
        EXPECT_EQ(painter_.ScaledFont(c.key, c.extra).height, c.height);
    }
}

// The painter keeps the table's fonts it looked up; a font set in the table afterwards, a
// new scale and another table are all seen at once.
TEST_F(PainterTest, ScaledFontsFollowTheTablesFontsTheScaleAndTheTable)
{
    namespace font_key = brindle::font_key;
    auto font = [](std::u16string_view face, int height) {
        quaverly::LogFont lf;
        lf.SetFaceName(face);
        lf.height = height;
        return lf;
    };
    painter_.SetScale(2.0f);
    EXPECT_EQ(painter_.ScaledFont(font_key::kLyric).height, 0);
    table_.SetFont(font_key::kLyric, font(u"SimSun", -12));
    EXPECT_EQ(painter_.ScaledFont(font_key::kLyric).FaceName(), u"SimSun");
    EXPECT_EQ(painter_.ScaledFont(font_key::kLyric).height, -24);
    table_.SetFont(font_key::kLyric, font(u"SimHei", -10));
    EXPECT_EQ(painter_.ScaledFont(font_key::kLyric).FaceName(), u"SimHei");
    painter_.SetScale(3.0f);
    EXPECT_EQ(painter_.ScaledFont(font_key::kLyric).height, -30);

    DrawResourceTable other;
    other.SetFont(font_key::kLyric, font(u"KaiTi", -8));
    painter_.SetResourceTable(&other);
    EXPECT_EQ(painter_.ScaledFont(font_key::kLyric).FaceName(), u"KaiTi");
    painter_.SetResourceTable(&table_);
    EXPECT_EQ(painter_.ScaledFont(font_key::kLyric).FaceName(), u"SimHei");
    table_.SetDefaultFonts();  // the music keys again
    EXPECT_EQ(painter_.ScaledFont(font_key::kNote), painter_.ScaledFont(table_.GetFont(font_key::kNote)));
}

TEST_F(PainterTest, PensAndBrushesAreMadePerCallAndTheContextsAreRestored)
{
    const platform::Pen pen{platform::kPsDashDot, 7, Rgb(1, 2, 3)};
    const platform::Brush brush = platform::Brush::Solid(Rgb(4, 5, 6));
    dc_.SelectPen(pen);
    dc_.SelectBrush(brush);
    dc_.SetTextColor(Rgb(7, 8, 9));
    painter_.SetScale(26.0f);
    painter_.DrawFlatSlur(0, 1000, 2000, 0);
    painter_.DrawCurve(0, 0, 50, 300, 400, 0, 0);
    painter_.DrawEditMarkC(0, 0, 0);
    painter_.DrawNumberedEditMark(0, 0, 3, 0);
    painter_.DrawDynamicMark(0, 0, 7, 0);
    EXPECT_EQ(dc_.SelectedPen(), pen);
    EXPECT_EQ(dc_.SelectedBrush(), brush);
    EXPECT_EQ(dc_.GetTextColor(), Rgb(7, 8, 9));
    EXPECT_EQ(dc_.SelectedFont(), quaverly::LogFont{});
}

TEST_F(PainterTest, ColourKeysBecomeColoursAndBlackInBlackAndWhiteMode)
{
    painter_.DrawFrameRect(Rect{0, 0, 100, 100}, 33);
    EXPECT_EQ(dc_.CallsOf("LineTo").back().pen.color, Rgb(100, 100, 255));
    painter_.DrawThinVerticalLine(0, 0, 500, 1);
    EXPECT_EQ(dc_.CallsOf("LineTo").back().pen,
              (platform::Pen{platform::kPsSolid, 30, Rgb(255, 0, 0)}));
    table_.SetBlackAndWhite(true);
    painter_.DrawThinVerticalLine(0, 0, 500, 1);
    EXPECT_EQ(dc_.CallsOf("LineTo").back().pen.color, Rgb(0, 0, 0));
}

// Every operation that draws only on screen, with arguments that draw something.
struct ScreenOnly {
    const char* name;
    std::function<void(GdiScorePainter&)> draw;
};

const ScreenOnly kScreenOnly[] = {
    {"DrawPageEdge", [](GdiScorePainter& p) { p.DrawPageEdge({0, 0, 1000, 1000}); }},
    {"DrawFrameRect", [](GdiScorePainter& p) { p.DrawFrameRect({0, 0, 1000, 1000}, 33); }},
    {"DrawOpenFrameRect",
     [](GdiScorePainter& p) { p.DrawOpenFrameRect({0, 0, 1000, 1000}, true, true, 34); }},
    {"DrawFrameRect2", [](GdiScorePainter& p) { p.DrawFrameRect2({0, 0, 1000, 1000}, 4); }},
    {"DrawTrackBaseLine", [](GdiScorePainter& p) { p.DrawTrackBaseLine(0, 0, 1000, 32); }},
    {"DrawGuideLine", [](GdiScorePainter& p) { p.DrawGuideLine(0, 0, 1000, 29); }},
    {"DrawGuideLine2", [](GdiScorePainter& p) { p.DrawGuideLine2(0, 0, 1000, 30); }},
    {"DrawEditMarkA", [](GdiScorePainter& p) { p.DrawEditMarkA(0, 0, 34); }},
    {"DrawEditCursor", [](GdiScorePainter& p) { p.DrawEditCursor({0, 0, 1000, 1000}, 1); }},
    {"DrawEditMarkC", [](GdiScorePainter& p) { p.DrawEditMarkC(0, 0, 34); }},
    {"DrawEditMarkD", [](GdiScorePainter& p) { p.DrawEditMarkD(0, 0, 34); }},
    {"DrawEditMarkE", [](GdiScorePainter& p) { p.DrawEditMarkE(0, 0, 34); }},
    {"DrawEditMarkF", [](GdiScorePainter& p) { p.DrawEditMarkF(0, 0, 34); }},
    {"DrawNumberedEditMark", [](GdiScorePainter& p) { p.DrawNumberedEditMark(0, 0, 4, 34); }},
};

TEST_F(PainterTest, ScreenOnlyOperationsDrawNothingInBlackAndWhiteMode)
{
    painter_.SetScale(26.0f);
    for (const ScreenOnly& op : kScreenOnly) {
        SCOPED_TRACE(op.name);
        dc_.Clear();
        table_.SetBlackAndWhite(false);
        op.draw(painter_);
        EXPECT_TRUE(dc_.PaintedAnything());
        dc_.Clear();
        table_.SetBlackAndWhite(true);
        op.draw(painter_);
        EXPECT_TRUE(dc_.Calls().empty());
    }
}

TEST_F(PainterTest, SizesAnswerInBlackAndWhiteModeToo)
{
    painter_.SetScale(26.0f);
    auto sizes = [this] {
        return std::vector<Size>{painter_.MeasureEditMarkA(), painter_.MeasureEditMarkB(),
                                 painter_.MeasureEditMarkC(), painter_.MeasureEditMarkD(),
                                 painter_.MeasureEditMarkE(), painter_.MeasureEditMarkF(),
                                 painter_.MeasureEditMarkG(), painter_.GetSmallMarkSize(),
                                 Size{painter_.GetEditMarkSize(), 0}};
    };
    const std::vector<Size> colour = sizes();
    table_.SetBlackAndWhite(true);
    EXPECT_EQ(sizes(), colour);
    EXPECT_EQ(colour[0], (Size{208, 208}));
}

TEST_F(PainterTest, PrintedMarksStillDrawInBlackInBlackAndWhiteMode)
{
    table_.SetBlackAndWhite(true);
    painter_.SetScale(26.0f);
    painter_.DrawThinVerticalLine(0, 0, 700, 0);
    painter_.DrawFlatSlur(0, 1000, 2000, 1);
    painter_.DrawCurve(0, 0, 0, 300, 400, 0, 3);
    painter_.DrawDynamicMark(0, 0, 14, 2);
    ASSERT_TRUE(dc_.PaintedAnything());
    for (const RecordedCall& c : dc_.Calls()) {
        SCOPED_TRACE(c.op);
        if (c.op == "LineTo" || c.op == "AngleArc") {
            EXPECT_EQ(c.pen.color, Rgb(0, 0, 0));
        } else if (c.op == "FillPath") {
            EXPECT_EQ(c.brush.color, Rgb(0, 0, 0));
        } else if (c.op == "TextOut") {
            EXPECT_EQ(c.textColor, Rgb(0, 0, 0));
        }
    }
}

TEST_F(PainterTest, EditMarkSizesAreScreenPixels)
{
    painter_.SetScale(26.0f);
    EXPECT_EQ(painter_.GetEditMarkSize(), 260);
    EXPECT_EQ(painter_.MeasureEditMarkE(), (Size{156, 156}));
    EXPECT_EQ(painter_.MeasureEditMarkA(), (Size{208, 208}));
    EXPECT_EQ(painter_.MeasureEditMarkF(), (Size{260, 260}));
    EXPECT_EQ(painter_.MeasureEditMarkG(), (Size{260, 260}));
    EXPECT_EQ(painter_.GetSmallMarkSize(), (Size{156, 100}));
    EXPECT_EQ(painter_.GetSlurEndSize(), (Size{260, 0}));
    painter_.SetScale(26.458334f);
    EXPECT_EQ(painter_.GetEditMarkSize(), 264);  // truncated
}

TEST_F(PainterTest, EditMarkShapes)
{
    painter_.SetScale(10.0f);  // marks A-D 80, E 60, F 100
    painter_.DrawEditMarkC(1000, 2000, 34);
    auto polygons = dc_.CallsOf("Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points,
              (std::vector<Point>{{1000, 2000}, {1080, 2000}, {1040, 2040}}));
    EXPECT_EQ(polygons[0].brush, platform::Brush::Solid(Rgb(100, 100, 255)));
    EXPECT_EQ(polygons[0].pen, (platform::Pen{platform::kPsSolid, 0, Rgb(100, 100, 255)}));

    dc_.Clear();
    painter_.DrawEditMarkD(1000, 2000, 0);
    EXPECT_EQ(dc_.CallsOf("Polygon")[0].points,
              (std::vector<Point>{{1000, 2000}, {1000, 2080}, {1040, 2040}}));

    dc_.Clear();
    painter_.DrawEditMarkE(1000, 2000, 0);
    const auto edges = dc_.CallsOf("LineTo");
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_EQ(edges[1].points[1], (Point{1060, 2000}));
    EXPECT_EQ(edges[2].points[1], (Point{1060, 2060}));

    // F: s = 60, p = 20, the bracket from xb = x + 50.
    dc_.Clear();
    painter_.DrawEditMarkF(1000, 2000, 34);
    const auto bracket = dc_.CallsOf("LineTo");
    ASSERT_EQ(bracket.size(), 3u);
    EXPECT_EQ(bracket[0].points, (std::vector<Point>{{1050, 2000}, {1110, 2000}}));
    EXPECT_EQ(bracket[1].points[1], (Point{1110, 2060}));
    EXPECT_EQ(bracket[2].points[1], (Point{1050, 2060}));
    EXPECT_EQ(bracket[0].pen.width, 20);
    const auto arrow = dc_.CallsOf("Polygon");
    ASSERT_EQ(arrow.size(), 1u);
    EXPECT_EQ(arrow[0].points, (std::vector<Point>{{1050, 2030}, {1050, 2090}, {1000, 2060}}));
    EXPECT_EQ(arrow[0].pen.width, 1);
}

TEST_F(PainterTest, NumberedEditMarkWritesItsNumberAboveTheMark)
{
    painter_.SetScale(10.0f);
    painter_.DrawNumberedEditMark(1000, 2000, 12, 34);
    const auto texts = dc_.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"12");
    EXPECT_EQ(texts[0].font.FaceName(), u"Arial");
    EXPECT_EQ(texts[0].font.height, -80);
    // The recording context's cells are one em (80) high.
    EXPECT_EQ(texts[0].points[0], (Point{1050, 2000 - 80}));
    EXPECT_EQ(texts[0].align, platform::kTaTop | platform::kTaLeft);
    EXPECT_EQ(dc_.CallsOf("Polygon").size(), 1u);
}

TEST_F(PainterTest, EditCursorDrawsItsPartsInTheCursorColour)
{
    painter_.SetScale(10.0f);  // mark B: 80 x 80
    painter_.DrawEditCursor(Rect{1000, 2000, 1400, 3000}, 1);
    const auto lines = dc_.CallsOf("LineTo");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{1000, 2000}, {1400, 2000}}));
    EXPECT_EQ(lines[0].pen, (platform::Pen{platform::kPsDot, 0, Rgb(100, 100, 255)}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{1200, 2000}, {1200, 2920}}));
    const auto arrow = dc_.CallsOf("Polygon");
    ASSERT_EQ(arrow.size(), 1u);
    EXPECT_EQ(arrow[0].points, (std::vector<Point>{{1180, 2880}, {1220, 2880}, {1200, 2920}}));
    // The box, in the element's colour.
    EXPECT_EQ(lines[2].pen, (platform::Pen{platform::kPsSolid, 0, Rgb(255, 0, 0)}));
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{1160, 3000}, {1160, 2920}}));
    EXPECT_EQ(lines[3].points[1], (Point{1240, 2920}));
    EXPECT_EQ(lines[4].points[1], (Point{1240, 3000}));
}

TEST_F(PainterTest, MetricGetters)
{
    struct Case {
        const char* name;
        std::function<int(GdiScorePainter&)> get;
        int value;
    };
    const Case cases[] = {
        {"GetBarLineHeight", [](GdiScorePainter& p) { return p.GetBarLineHeight(); }, 700},
        {"GetMetric99", [](GdiScorePainter& p) { return p.GetMetric99(); }, 1219},
        {"GetMetric100", [](GdiScorePainter& p) { return p.GetMetric100(); }, 1219},
        {"GetMetric101", [](GdiScorePainter& p) { return p.GetMetric101(); }, 2500},
        {"GetMetric102", [](GdiScorePainter& p) { return p.GetMetric102(); }, 186},
        {"GetMetric103", [](GdiScorePainter& p) { return p.GetMetric103(); }, 93},
        {"GetMetric104", [](GdiScorePainter& p) { return p.GetMetric104(); }, 744},
        {"GetMetric105", [](GdiScorePainter& p) { return p.GetMetric105(); }, 0},
        {"GetMetric106", [](GdiScorePainter& p) { return p.GetMetric106(); }, 372},
        {"GetMetric107", [](GdiScorePainter& p) { return p.GetMetric107(); }, 200},
        {"GetMetric108", [](GdiScorePainter& p) { return p.GetMetric108(); }, 200},
        {"GetMetric109", [](GdiScorePainter& p) { return p.GetMetric109(); }, 150},
        {"GetMetric110", [](GdiScorePainter& p) { return p.GetMetric110(); }, 200},
        {"GetMetric111", [](GdiScorePainter& p) { return p.GetMetric111(); }, 150},
        {"GetChordNoteInterval", [](GdiScorePainter& p) { return p.GetChordNoteInterval(); }, 130},
        {"GetGraceNoteInterval", [](GdiScorePainter& p) { return p.GetGraceNoteInterval(); }, 30},
        {"GetFlatSlurHeight", [](GdiScorePainter& p) { return p.GetFlatSlurHeight(); }, 260},
        {"GetFlatSlurHeight2", [](GdiScorePainter& p) { return p.GetFlatSlurHeight2(); }, 260},
        {"GetWedgeLineWidth", [](GdiScorePainter& p) { return p.GetWedgeLineWidth(); }, 31},
        {"GetWedgeSpread", [](GdiScorePainter& p) { return p.GetWedgeSpread(); }, 200},
        {"GetNoteSymbolSpacing", [](GdiScorePainter& p) { return p.GetNoteSymbolSpacing(); }, 150},
        {"GetFlatSlurOffset.y", [](GdiScorePainter& p) { return p.GetFlatSlurOffset().y; }, 0},
        {"GetJumpMarkOffset.y", [](GdiScorePainter& p) { return p.GetJumpMarkOffset().y; }, 200},
        {"GetDynamicMarkOffset.y", [](GdiScorePainter& p) { return p.GetDynamicMarkOffset().y; },
         100},
        {"GetWedgeOffset.y", [](GdiScorePainter& p) { return p.GetWedgeOffset().y; }, 300},
        {"GetWedgeOffset2.y", [](GdiScorePainter& p) { return p.GetWedgeOffset2().y; }, 0},
        {"GetNoteSymbolOffset.y", [](GdiScorePainter& p) { return p.GetNoteSymbolOffset().y; },
         -100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.get(painter_), c.value);
    }
}

TEST_F(PainterTest, NoteSizesAndIntervalsFollowTheMeasuredDigits)
{
    table_.SetNoteSize(Size{252, 289});
    table_.SetChordNoteSize(Size{250, 202});
    table_.SetGraceNoteSize(Size{176, 202});
    EXPECT_EQ(painter_.GetNoteSize(), (Size{252, 289}));
    EXPECT_EQ(painter_.GetChordNoteSize(), (Size{252, 289}));  // the normal size
    EXPECT_EQ(painter_.GetGraceNoteSize(), (Size{176, 202}));
    EXPECT_EQ(painter_.GetOctaveDotInterval(), 72);            // 289 x 0.25
    EXPECT_EQ(painter_.GetChordOctaveDotInterval(), 72);
    EXPECT_EQ(painter_.GetLegerInterval(), 57);                // 289 x 0.2
    EXPECT_EQ(painter_.GetChordLegerInterval(), 57);
    EXPECT_EQ(painter_.GetGraceOctaveDotInterval(), 60);       // 202 x 0.3
    EXPECT_EQ(painter_.GetGraceLegerInterval(), 50);           // 202 x 0.25
}

TEST_F(PainterTest, NoteSpacing)
{
    struct Case {
        int duration;
        double spacing;
    };
    const Case cases[] = {{1290240, 32}, {645120, 16}, {322560, 8}, {161280, 4},  {80640, 2},
                          {40320, 1},    {20160, 0.5}, {10080, 0.25}, {5040, 0.25}, {30240, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.duration);
        EXPECT_DOUBLE_EQ(painter_.GetNoteSpacing(c.duration), c.spacing);
    }
    EXPECT_DOUBLE_EQ(painter_.GetNoteSpacing(5040), painter_.GetNoteSpacing(10080));
    EXPECT_DOUBLE_EQ(painter_.GetCloseSpacing(), 0.25);
    EXPECT_DOUBLE_EQ(painter_.GetSpacingParam(), 0.5);
}

TEST_F(PainterTest, FlatSlurIsAFlatBracketWithArcEnds)
{
    painter_.DrawFlatSlur(1000, 5000, 2000, 0);
    const auto arcs = dc_.CallsOf("AngleArc");
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].points[0], (Point{1260, 5000}));
    EXPECT_EQ(arcs[0].radius, 260);
    EXPECT_FLOAT_EQ(arcs[0].startAngle, 90.0f);
    EXPECT_FLOAT_EQ(arcs[0].sweepAngle, 75.0f);
    EXPECT_EQ(arcs[1].points[0], (Point{2740, 5000}));
    EXPECT_FLOAT_EQ(arcs[1].sweepAngle, -75.0f);
    const auto lines = dc_.CallsOf("LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{1260, 4740}, {2740, 4740}}));
    EXPECT_EQ(lines[0].pen.width, 30);

    // Shorter than two radii: the curved band instead.
    dc_.Clear();
    painter_.DrawFlatSlur(1000, 5000, 519, 0);
    EXPECT_TRUE(dc_.CallsOf("AngleArc").empty());
    ASSERT_EQ(dc_.CallsOf("FillPath").size(), 1u);
    const auto curves = dc_.CallsOf("PolyBezierTo");
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0].points.front(), (Point{1000, 5000 - 50 - 30}));
    EXPECT_EQ(curves[0].points.back(), (Point{1519, 5000 - 50 - 30}));

    // Exactly two radii long: still the bracket, its two arcs meeting on one centre line
    // and the top edge shrunk to a point.
    dc_.Clear();
    painter_.DrawFlatSlur(1000, 5000, 520, 0);
    EXPECT_TRUE(dc_.CallsOf("FillPath").empty());
    const auto shortArcs = dc_.CallsOf("AngleArc");
    ASSERT_EQ(shortArcs.size(), 2u);
    EXPECT_EQ(shortArcs[0].points[0], (Point{1260, 5000}));
    EXPECT_EQ(shortArcs[1].points[0], (Point{1260, 5000}));
    const auto shortLines = dc_.CallsOf("LineTo");
    ASSERT_EQ(shortLines.size(), 1u);
    EXPECT_EQ(shortLines[0].points, (std::vector<Point>{{1260, 4740}, {1260, 4740}}));
}

TEST_F(PainterTest, CurveIgnoresItsMiddleX)
{
    painter_.DrawCurve(0, 1000, 123, 600, 800, 1000, 0);
    const std::vector<RecordedCall> first = dc_.CallsOf("PolyBezierTo");
    dc_.Clear();
    painter_.DrawCurve(0, 1000, 9999, 600, 800, 1000, 0);
    const std::vector<RecordedCall> second = dc_.CallsOf("PolyBezierTo");
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(first[0].points, second[0].points);
    EXPECT_EQ(first[1].points, second[1].points);
    // q = 200: the upper edge bulges 40 beyond y2.
    EXPECT_EQ(first[0].points, (std::vector<Point>{{0, 970}, {200, 560}, {600, 560}, {800, 970}}));
}

TEST_F(PainterTest, ClippedOperationsGiveBackTheCallersClip)
{
    struct Case {
        const char* name;
        std::function<void(GdiScorePainter&)> draw;
    };
    const Case cases[] = {
        {"DrawFlatSlurStart", [](GdiScorePainter& p) { p.DrawFlatSlurStart(100, 900, 600, 0); }},
        {"DrawFlatSlurEnd", [](GdiScorePainter& p) { p.DrawFlatSlurEnd(100, 900, 600, 0); }},
        {"DrawTuplet", [](GdiScorePainter& p) { p.DrawTuplet(100, 900, 600, 3, 0); }},
    };
    const platform::Region callers(platform::Rect{0, 0, 400, 2000});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // No clip before: none after.
        dc_.SelectClipRegion(nullptr);
        dc_.Clear();
        c.draw(painter_);
        EXPECT_FALSE(dc_.GetClipRegion().has_value());
        ASSERT_FALSE(dc_.CallsOf("AngleArc").empty());
        EXPECT_TRUE(dc_.CallsOf("AngleArc")[0].clip.has_value());
        // A clip before: the same clip after, and nothing drawn outside it.
        dc_.SelectClipRegion(&callers);
        dc_.Clear();
        c.draw(painter_);
        ASSERT_TRUE(dc_.GetClipRegion().has_value());
        EXPECT_EQ(*dc_.GetClipRegion(), callers);
        for (const RecordedCall& arc : dc_.CallsOf("AngleArc")) {
            ASSERT_TRUE(arc.clip.has_value());
            EXPECT_LE(arc.clip->Bounds().right, 400);
        }
    }
}

TEST_F(PainterTest, FlatSlurPiecesClipToTheirHalf)
{
    painter_.DrawFlatSlurStart(1000, 5000, 800, 0);
    auto arcs = dc_.CallsOf("AngleArc");
    ASSERT_EQ(arcs.size(), 2u);
    // A bracket twice as long, clipped across to x .. x + width; upwards the clip leaves
    // the bracket's height (260 + 1), its line width (30) and one pixel (1 at scale 1).
    const int top = 5000 - 261 - 30 - 1;
    EXPECT_EQ(arcs[1].points[0], (Point{1000 + 1600 - 260, 5000}));
    EXPECT_EQ(*arcs[0].clip, platform::Region(platform::Rect{1000, top, 1800, 5000}));

    dc_.Clear();
    painter_.DrawFlatSlurEnd(1000, 5000, 800, 0);
    arcs = dc_.CallsOf("AngleArc");
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].points[0], (Point{200 + 260, 5000}));
    EXPECT_EQ(*arcs[0].clip, platform::Region(platform::Rect{1000, top, 1800, 5000}));
}

TEST_F(PainterTest, TupletNumberSitsInAGapOfTheBracket)
{
    // The recording context measures "3" in key 2 (-12) as 6 wide; its visible height is
    // the ascent (10) less no leading.
    painter_.DrawTuplet(1000, 5000, 2000, 3, 0);
    const auto texts = dc_.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, u"3");
    EXPECT_FALSE(texts[0].clip.has_value());  // the number is not clipped
    const int h = 261, w = 6, hn = 10, xl = (2 * 1000 + 2000 - w) / 2;
    EXPECT_EQ(texts[0].points[0], (Point{xl, 5000 - h + hn / 2 + 50}));
    EXPECT_EQ(texts[0].align, platform::kTaBaseline | platform::kTaLeft);
    EXPECT_EQ(texts[0].font.FaceName(), u"Tansy Tuplet");
    const auto arcs = dc_.CallsOf("AngleArc");
    ASSERT_EQ(arcs.size(), 2u);
    // The break is the number's box widened by two pixels (2 units at scale 1) each side.
    const int margin = 2;
    const platform::Region expected = platform::Region::Combine(
        platform::Region(platform::Rect{1000, 5000 - 2 * h, 3000, 5000 + 2 * h}),
        platform::Region(platform::Rect{xl - margin, 5000 - hn / 2 - h,
                                        (2 * 1000 + 2000 + w) / 2 + margin, 5000 + hn / 2 - h}),
        platform::RegionCombine::Diff);
    EXPECT_EQ(*arcs[0].clip, expected);
}

TEST_F(PainterTest, DynamicMarksAreStringsOfMusicLetters)
{
    struct Case {
        int code;
        std::u16string text;
    };
    const Case cases[] = {
        {1, u"\u00e3"},  {3, u"\u00e3\u00e3\u00e3"},  {6, std::u16string(6, u'\u00e3')},
        {7, u"\u00e0"},  {12, std::u16string(6, u'\u00e0')},  {13, u"\u00e1\u00e3"},
        {14, u"\u00e1\u00e0"}, {15, u"\u00e5\u00e0"}, {16, u"\u00e5\u00e0\u00e3"},
        {17, u"\u00e5\u00e0\u00e3\u00e3"}, {18, u"\u00e0\u00e3"}, {19, u"\u00e4\u00e0"},
        {20, u"\u00e4\u00e0\u00e6"}, {21, u"\u00e5\u00e0\u00e6"},
        {22, u"\u00e5\u00e0\u00e0\u00e6\u00e6"}, {23, u"\u00e0\u00e6"},
    };
    painter_.SetScale(2.0f);  // key 0 at -40: the recording context's cell is 40 high
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        dc_.Clear();
        painter_.DrawDynamicMark(100, 200, c.code, 0);
        const auto texts = dc_.CallsOf("TextOut");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.text);
        EXPECT_EQ(texts[0].font.FaceName(), u"Tansy");
        const Size size = painter_.MeasureDynamicMark(c.code);
        EXPECT_EQ(size, (Size{20 * static_cast<int>(c.text.size()), 40 - 800}));
        EXPECT_EQ(texts[0].points[0], (Point{100, 200 + size.cy - 50}));
    }
    for (int code : {0, 24, -1}) {
        dc_.Clear();
        painter_.DrawDynamicMark(100, 200, code, 0);
        EXPECT_FALSE(dc_.PaintedAnything()) << code;
        EXPECT_EQ(painter_.MeasureDynamicMark(code).cx, 0);
    }
}

TEST(GdiScorePainter, WithoutAContextNothingHappensAndSizesAreZero)
{
    GdiScorePainter painter;
    painter.DrawFlatSlur(0, 0, 1000, 0);
    painter.DrawTuplet(0, 0, 1000, 3, 0);
    painter.DrawNumberedEditMark(0, 0, 3, 0);
    painter.DrawEditCursor(Rect{0, 0, 100, 100}, 0);
    EXPECT_EQ(painter.MeasureDynamicMark(7).cx, 0);
    EXPECT_EQ(painter.MeasureTupletNumber(3), (Size{}));
    // Without a table the built-in defaults apply.
    EXPECT_EQ(painter.GetBarLineHeight(), 700);
    EXPECT_DOUBLE_EQ(painter.GetNoteSpacing(161280), 4.0);
}

// Through the QPainter backend.
class PainterImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(painter_test::AddMusicFonts()); }
};

TEST_F(PainterImage, DynamicMarkHasAPositiveHeightAtScreenAndPrintScale)
{
    DrawResourceTable table;
    // Screen: an image at 96 dpi.
    {
        painter_test::PageImage page(200, 200);
        GdiScorePainter painter;
        painter.SetDC(&page.Dc());
        painter.SetResourceTable(&table);
        painter.SetScale(platform::HundredthsOfMmPerPixel(
            page.Dc().GetDeviceCaps(platform::DeviceCap::LogPixelsX)));
        for (int code = 1; code <= 23; ++code) {
            const Size s = painter.MeasureDynamicMark(code);
            EXPECT_GT(s.cy, 150) << code;
            EXPECT_GT(s.cx, 0) << code;
        }
    }
    // Print: an A4 page at 600 dpi, mapped as printing maps it (0.01 mm per screen pixel
    // of a page 794 pixels wide).
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPdfWriter writer(dir.filePath(QStringLiteral("print.pdf")));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    platform::QtDeviceContext dc(&writer);
    const int pageWidth = 794, pageHeight = 1123;
    const double r = static_cast<double>(dc.GetDeviceCaps(platform::DeviceCap::PhysicalWidth)) /
                     pageWidth;
    const float f = static_cast<float>(dc.GetDeviceCaps(platform::DeviceCap::HorzSize) * r *
                                       100.0 / dc.GetDeviceCaps(platform::DeviceCap::HorzRes));
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt(
        platform::Size{static_cast<int>(pageWidth * f), static_cast<int>(pageHeight * f)});
    dc.SetViewportExt(
        platform::Size{static_cast<int>(pageWidth * r), static_cast<int>(pageHeight * r)});
    EXPECT_NEAR(f, 26.46f, 0.1f);
    GdiScorePainter painter;
    painter.SetDC(&dc);
    painter.SetResourceTable(&table);
    painter.SetScale(f);
    for (int code = 1; code <= 23; ++code)
        EXPECT_GT(painter.MeasureDynamicMark(code).cy, 150) << code;
}

TEST_F(PainterImage, FlatSlurStartShowsTheLeftHalfAndKeepsTheCallersClip)
{
    painter_test::PaintedPage page(400, 200);
    GdiScorePainter& painter = page.Painter();
    // The caller clips to the left 300 pixels.
    const platform::Region callers(platform::Rect{0, 0, 300, 200});
    page.Dc().SelectClipRegion(&callers);
    // A slur piece 200 pixels wide from x = 50 at y = 100 (pixels).
    const double u = painter_test::kScreenScale;
    painter.DrawFlatSlurStart(static_cast<int>(50 * u), static_cast<int>(100 * u),
                              static_cast<int>(200 * u), 0);
    ASSERT_TRUE(page.Dc().GetClipRegion().has_value());
    EXPECT_EQ(*page.Dc().GetClipRegion(), callers);
    // Something drawn after it, outside the piece but inside the caller's clip, shows;
    // outside the caller's clip it does not.
    painter.DrawThinVerticalLine(static_cast<int>(280 * u), 0, static_cast<int>(200 * u), 0);
    painter.DrawThinVerticalLine(static_cast<int>(350 * u), 0, static_cast<int>(200 * u), 0);
    const QImage& img = page.Finish();
    using painter_test::InkIn;
    const int top = 100 - 10;  // the bracket's top edge: 260 = 9.8 pixels above y
    EXPECT_GT(InkIn(img, 60, top - 2, 240, top + 3), 100);  // the straight part
    EXPECT_GT(InkIn(img, 48, top, 56, 100), 0);             // the left end bends down
    EXPECT_EQ(InkIn(img, 251, 80, 270, 101), 0);            // nothing right of the piece
    EXPECT_GT(InkIn(img, 279, 0, 282, 200), 0);
    EXPECT_EQ(InkIn(img, 340, 0, 360, 200), 0);
}

// A piece of a tie broken at a line end shows its straight top as fully as the whole
// bracket does, wherever the tie falls between two pixel rows: the clip cuts off the
// other half of the bracket, never the top edge of its line.
TEST_F(PainterImage, BrokenTiePiecesKeepTheirTopLineAtAnyHeight)
{
    const double u = painter_test::kScreenScale;
    const int x = static_cast<int>(50 * u), width = static_cast<int>(200 * u);
    using Draw = void (GdiScorePainter::*)(int, int, int, int);
    struct Piece {
        const char* name;
        Draw draw;
        int wholeFrom;  // where the whole bracket that the piece is half of starts
    };
    const Piece pieces[] = {{"start", &GdiScorePainter::DrawFlatSlurStart, x},
                            {"end", &GdiScorePainter::DrawFlatSlurEnd, x - width}};
    for (const Piece& piece : pieces) {
        for (const double fraction : {0.0, 0.2, 0.4, 0.6, 0.8}) {
            SCOPED_TRACE(std::string(piece.name) + " " + std::to_string(fraction));
            const int y = static_cast<int>((100 + fraction) * u);
            auto straightInk = [&](bool whole) {
                painter_test::PaintedPage page(400, 200);
                GdiScorePainter& painter = page.Painter();
                if (whole)
                    painter.DrawFlatSlur(piece.wholeFrom, y, 2 * width, 0);
                else
                    (painter.*piece.draw)(x, y, width, 0);
                const int top = 100 - 10;  // 260 above y: 9.8 pixels
                return painter_test::InkIn(page.Finish(), 70, top - 3, 230, top + 3);
            };
            const int whole = straightInk(true);
            ASSERT_GT(whole, 100);
            EXPECT_GE(straightInk(false), whole * 9 / 10);
        }
    }
}

TEST_F(PainterImage, TupletBracketBreaksAroundItsNumber)
{
    const double u = painter_test::kScreenScale;
    const int x = static_cast<int>(20 * u), y = static_cast<int>(60 * u);
    const int width = static_cast<int>(160 * u);
    const int h = 261;
    Size number;
    // The tuplet, or its number alone where the tuplet puts it; page at zoom 2.
    auto render = [&](bool bracket) {
        painter_test::PaintedPage page(400, 200, 2.0);
        GdiScorePainter& painter = page.Painter();
        number = painter.MeasureTupletNumber(3);
        const int xl = (2 * x + width - number.cx) / 2;
        if (bracket)
            painter.DrawTuplet(x, y, width, 3, 0);
        else
            painter.DrawString(painter.ScaledFont(brindle::font_key::kTuplet), xl,
                               y - h + number.cy / 2 + 50,
                               platform::kTaBaseline | platform::kTaLeft, u"3", 0);
        return QImage(page.Finish());
    };
    const QImage tuplet = render(true);
    const QImage alone = render(false);
    auto px = [u](int units) { return static_cast<int>(units / u * 2.0); };
    const int xl = (2 * x + width - number.cx) / 2;
    const int gapLeft = px(xl) + 1, gapRight = px((2 * x + width + number.cx) / 2) - 1;
    const int gapTop = px(y - number.cy / 2 - h) + 1, gapBottom = px(y + number.cy / 2 - h) - 1;
    const int line = px(y - 260);
    using painter_test::InkIn;
    // The number is drawn, centred on the line.
    EXPECT_GT(InkIn(alone, gapLeft, gapTop, gapRight, gapBottom), 30);
    EXPECT_NEAR((gapTop + gapBottom) / 2.0, line, 3.0);
    // Inside the gap the bracket adds nothing to the number.
    for (int yy = gapTop; yy < gapBottom; ++yy)
        for (int xx = gapLeft; xx < gapRight; ++xx)
            ASSERT_EQ(tuplet.pixel(xx, yy), alone.pixel(xx, yy)) << xx << ", " << yy;
    // Either side of it the line runs.
    EXPECT_GT(InkIn(tuplet, px(x) + 40, line - 2, gapLeft - 4, line + 3), 20);
    EXPECT_GT(InkIn(tuplet, gapRight + 4, line - 2, px(x + width) - 40, line + 3), 20);
}

}  // namespace
