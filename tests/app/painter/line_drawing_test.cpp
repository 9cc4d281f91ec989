// The drawing device's lines and line marks against a recording context: bar lines and
// repeat dots, the brace and the bracket, wedges, trill and octave lines, ending brackets,
// arpeggios and glissandi; and, through the QPainter backend, what they look like.
#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "platform/music_glyphs.h"
#include "platform/recording_device_context.h"
#include "tests/app/painter/painter_test_util.h"

#include <QPointF>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using brindle::DrawResourceTable;
using brindle::GdiScorePainter;
using platform::Point;
using platform::RecordedCall;
using platform::Rgb;
using quaverly::Size;
namespace music = platform::music;

// A recording context whose music glyphs have widths of their own, so that each formula
// shows which glyph it measured.
class GlyphContext : public platform::RecordingDeviceContext {
public:
    std::map<char16_t, int> widths{
        {music::kOpenBracket, 40},  {music::kCloseBracket, 45}, {music::kTrill, 150},
        {music::kWavyLine, 100},    {music::kOctaveDash, 120},  {music::kOctaveEight, 110},
        {music::kOctaveVa, 90},     {music::kOctaveVb, 95},     {music::kFirstEnding, 130},
        {music::kSecondEnding, 130}, {music::kArpeggioArrowUp, 70},
        {music::kArpeggioArrowDown, 70}, {music::kOctaveHookUp, 30}, {music::kOctaveHookDown, 30},
    };

    platform::Size GetTextExtent(std::u16string_view text) override
    {
        const platform::Size cell = RecordingDeviceContext::GetTextExtent(text);
        if (text.size() == 1) {
            const auto it = widths.find(text[0]);
            if (it != widths.end())
                return {it->second, cell.cy};
        }
        return cell;
    }
};

std::string Pt(Point p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

// What a call put on the surface, in one short line: "line a b w", "box l,t r,b",
// "dot l,t r,b", "glyph code at x,y" (with "turned e" for a turned font).
std::vector<std::string> Shapes(const platform::RecordingDeviceContext& dc)
{
    std::vector<std::string> shapes;
    for (const RecordedCall& c : dc.Calls()) {
        std::ostringstream s;
        if (c.op == "LineTo" && !c.inPath) {
            s << "line " << Pt(c.points[0]) << " " << Pt(c.points[1]) << " w" << c.pen.width;
        } else if (c.op == "ExtTextOut" && (c.flags & platform::kEtoOpaque)) {
            s << "box " << Pt({c.rect.left, c.rect.top}) << " " << Pt({c.rect.right, c.rect.bottom});
        } else if (c.op == "Ellipse") {
            s << "dot " << Pt({c.rect.left, c.rect.top}) << " " << Pt({c.rect.right, c.rect.bottom});
        } else if (c.op == "TextOut") {
            s << "glyph ";
            for (char16_t ch : c.text)
                s << static_cast<int>(ch);
            s << " at " << Pt(c.points[0]);
            if (c.font.escapement != 0)
                s << " turned " << c.font.escapement;
        } else {
            continue;
        }
        shapes.push_back(s.str());
    }
    return shapes;
}

// The figures of a filled path: "M x,y", "L x,y", "B x,y x,y x,y", "fill".
std::vector<std::string> PathOf(const platform::RecordingDeviceContext& dc)
{
    std::vector<std::string> path;
    for (const RecordedCall& c : dc.Calls()) {
        if (c.op == "MoveTo") {
            path.push_back("M " + Pt(c.points[0]));
        } else if (c.op == "LineTo") {
            path.push_back("L " + Pt(c.points[1]));
        } else if (c.op == "PolyBezierTo") {
            path.push_back("B " + Pt(c.points[1]) + " " + Pt(c.points[2]) + " " + Pt(c.points[3]));
        } else if (c.op == "FillPath") {
            path.push_back("fill");
        }
    }
    return path;
}

using Lines = std::vector<std::string>;

// A painter on the glyph context at scale 10 (the music font at -200), set up as the view
// does.
class LineDrawing : public ::testing::Test {
protected:
    LineDrawing() { painter_test::SetUpPainter(painter_, dc_, table_, 10.0f); }

    Lines Draw(const std::function<void(GdiScorePainter&)>& draw)
    {
        dc_.Clear();
        draw(painter_);
        return Shapes(dc_);
    }

    GlyphContext dc_;
    DrawResourceTable table_;
    GdiScorePainter painter_;
};

TEST_F(LineDrawing, BarLineWidthsByKindAndRepeatSide)
{
    struct Case {
        int kind;
        int repeatSide;
        int width;
    };
    const Case cases[] = {
        {1, 0, 30},  {5, 0, 120}, {6, 0, 165}, {7, 0, 165}, {2, 0, 0},   {3, 0, 0},
        {4, 0, 0},   {0, 0, 0},   {8, 0, 0},   {1, 1, 250}, {6, 2, 385}, {7, 1, 385},
        {5, 2, 340}, {2, 1, 220}, {7, 3, 165}, {6, -1, 165},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " side " << c.repeatSide);
        EXPECT_EQ(painter_.MeasureBarLine(c.kind, c.repeatSide), (Size{c.width, 700}));
    }
    EXPECT_EQ(painter_.GetBarLineExtent(6), (Size{210, 700}));
}

TEST_F(LineDrawing, BarLinesByKind)
{
    struct Case {
        const char* name;
        int kind;
        int side;
        bool joined;
        bool blackAndWhite;
        Lines shapes;
    };
    const Case cases[] = {
        {"single", 1, 0, false, false, {"line 1000,2000 1000,2700 w30"}},
        {"single after a repeat", 1, 1, false, false, {"line 1210,2000 1210,2700 w30"}},
        {"single printed", 1, 0, false, true, {"box 985,2000 1015,2700"}},
        {"single printed after a repeat", 1, 1, false, true, {"box 1225,2000 1255,2700"}},
        {"double", 5, 0, false, false,
         {"line 1000,2000 1000,2700 w30", "line 1090,2000 1090,2700 w30"}},
        {"double after a repeat", 5, 1, false, false,
         {"line 1120,2000 1120,2700 w30", "line 1210,2000 1210,2700 w30"}},
        {"end", 6, 0, false, false, {"box 925,2000 1000,2700", "box 835,2000 865,2700"}},
        {"end joined", 6, 0, true, false, {"box 962,2000 1037,2700", "box 872,2000 902,2700"}},
        {"end printed", 6, 0, false, true, {"box 925,2000 1000,2700", "box 835,2000 865,2700"}},
        {"start", 7, 0, false, false, {"box 1000,2000 1075,2700", "box 1135,2000 1165,2700"}},
        {"start joined", 7, 0, true, false,
         {"box 963,2000 1038,2700", "box 1098,2000 1128,2700"}},
        {"start after a repeat", 7, 1, false, false,
         {"box 1210,2000 1285,2700", "box 1345,2000 1375,2700"}},
        {"kind 2", 2, 0, false, false, {}},
        {"kind 3", 3, 0, false, false, {}},
        {"kind 4", 4, 0, false, false, {}},
        {"kind 0", 0, 0, false, false, {}},
        {"kind 8", 8, 0, false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_.SetBlackAndWhite(c.blackAndWhite);
        const Lines shapes = Draw([&c](GdiScorePainter& p) {
            p.DrawBarLine(1000, 2000, 700, c.side, c.kind, c.joined, 1);
        });
        EXPECT_EQ(shapes, c.shapes);
        const platform::ColorRef ink = c.blackAndWhite ? Rgb(0, 0, 0) : Rgb(255, 0, 0);
        for (const RecordedCall& call : dc_.Calls()) {
            if (call.op == "LineTo") {
                EXPECT_EQ(call.pen, (platform::Pen{platform::kPsSolid, 30, ink}));
            } else if (call.op == "ExtTextOut") {
                EXPECT_EQ(call.bkColor, ink);
            }
        }
        // The background colour goes back to what it was.
        EXPECT_EQ(dc_.GetBkColor(), Rgb(255, 255, 255));
    }
}

TEST_F(LineDrawing, RepeatDotsSitAtAThirdAndTwoThirdsBesideTheBarLine)
{
    struct Case {
        const char* name;
        int side;
        int dotSide;
        bool joined;
        int left;  // of both dots; -1: none
    };
    const Case cases[] = {
        {"right of a start repeat", 0, 1, false, 1225},
        {"right, joined", 0, 1, true, 1188},
        {"right, after a repeat", 1, 1, false, 1435},
        {"left of an end repeat", 0, 2, false, 615},
        {"left, joined", 0, 2, true, 652},
        {"dot side 0", 0, 0, false, -1},
        {"dot side 3", 0, 3, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Lines shapes = Draw([&c](GdiScorePainter& p) {
            p.DrawRepeatBarLine(1000, 2000, 700, c.side, c.dotSide, c.joined, 3);
        });
        if (c.left < 0) {
            EXPECT_TRUE(shapes.empty());
            continue;
        }
        // Diameter 100; tops at 2000 + 233 - 50 and 233 below that.
        const std::string l = std::to_string(c.left), r = std::to_string(c.left + 100);
        EXPECT_EQ(shapes, (Lines{"dot " + l + ",2183 " + r + ",2283",
                                 "dot " + l + ",2416 " + r + ",2516"}));
        for (const RecordedCall& dot : dc_.CallsOf("Ellipse")) {
            EXPECT_EQ(dot.pen, (platform::Pen{platform::kPsSolid, 1, Rgb(255, 0, 0)}));
            EXPECT_EQ(dot.brush, platform::Brush::Solid(Rgb(255, 0, 0)));
        }
    }
}

TEST_F(LineDrawing, RepeatBarLineAndItsDotsFillTheMeasuredWidth)
{
    // A start repeat: thick-thin bar line at x, the dots one gap short of the width.
    const int x = 1000;
    const int start = painter_.MeasureBarLine(7, 1).cx;
    painter_.DrawRepeatBarLine(x, 0, 700, 0, 1, false, 0);
    const platform::Rect dot = dc_.CallsOf("Ellipse").front().rect;
    EXPECT_EQ(dot.right + 60, x + start);
    // An end repeat: the dots' left edge is where the measured width begins.
    dc_.Clear();
    const int end = painter_.MeasureBarLine(6, 2).cx;
    painter_.DrawRepeatBarLine(x, 0, 700, 0, 2, false, 0);
    EXPECT_EQ(dc_.CallsOf("Ellipse").front().rect.left, x - end);
}

TEST_F(LineDrawing, BraceIsAFilledPathLeftOfX)
{
    // e = 8 x 13 = 104 (e/13 = 8); h = 3150 (h/63 = 50); X = 5000 - 31.
    painter_.SetScale(13.0f);
    painter_.DrawSmoothSlur(5000, 1000, 6300, 3);
    EXPECT_EQ(PathOf(dc_), (Lines{
                               "M 4865,4150",
                               "B 5033,3350 4801,2000 4969,1100",
                               "L 4969,1050",
                               "B 4745,2150 5009,3350 4849,4150",
                               "L 4865,4150",
                               "M 4865,4150",
                               "B 5033,4950 4801,6300 4969,7200",
                               "L 4969,7250",
                               "B 4745,6150 5009,4900 4849,4150",
                               "L 4865,4150",
                               "fill",
                           }));
    const RecordedCall fill = dc_.CallsOf("FillPath").front();
    EXPECT_EQ(fill.brush, platform::Brush::Solid(Rgb(255, 0, 0)));
    EXPECT_EQ(dc_.CallsOf("BeginPath").size(), 1u);
    EXPECT_EQ(dc_.CallsOf("EndPath").size(), 1u);
}

TEST_F(LineDrawing, BracketIsAFilledSpineWithHooks)
{
    // X = 5000 - 77 = 4923, Y = 1000 - 31 = 969, L = 2000 + 62 = 2062.
    painter_.DrawSmoothSlurSegment(5000, 1000, 2000, 0);
    EXPECT_EQ(PathOf(dc_), (Lines{
                               "M 5078,814",
                               "B 5000,885 5000,885 4846,923",
                               "L 4846,3077",
                               "B 5000,3115 5000,3115 5078,3186",
                               "B 5078,3155 5000,3069 4923,3031",
                               "L 4923,969",
                               "B 5000,931 5078,845 5078,814",
                               "fill",
                           }));
}

TEST_F(LineDrawing, WedgesOpenAndClose)
{
    struct Case {
        const char* name;
        void (GdiScorePainter::*draw)(int, int, int, int, int);
        Lines shapes;
    };
    // Spread 200: half 100, quarter 50; line width 31.
    const Case cases[] = {
        {"crescendo", &GdiScorePainter::DrawCrescendo,
         {"line 1000,2000 5000,2000 w31", "line 1000,2000 5000,2200 w31"}},
        {"crescendo start", &GdiScorePainter::DrawCrescendoStart,
         {"line 1000,2000 5000,2050 w31", "line 1000,2000 5000,2150 w31"}},
        {"crescendo end", &GdiScorePainter::DrawCrescendoEnd,
         {"line 1000,1950 5000,2000 w31", "line 1000,2050 5000,2200 w31"}},
        {"decrescendo", &GdiScorePainter::DrawDecrescendo,
         {"line 1000,1900 5000,2100 w31", "line 1000,2100 5000,2100 w31"}},
        {"decrescendo start", &GdiScorePainter::DrawDecrescendoStart,
         {"line 1000,1900 5000,2050 w31", "line 1000,2100 5000,2150 w31"}},
        {"decrescendo end", &GdiScorePainter::DrawDecrescendoEnd,
         {"line 1000,1950 5000,2100 w31", "line 1000,2050 5000,2100 w31"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The right end lies 100 lower than the left.
        EXPECT_EQ(Draw([&c](GdiScorePainter& p) { (p.*c.draw)(1000, 2000, 5000, 2100, 4); }),
                  c.shapes);
        EXPECT_EQ(dc_.CallsOf("LineTo")[0].pen.color, Rgb(0, 0, 255));
    }
}

TEST_F(LineDrawing, TrillAndOctaveLines)
{
    // Widths: "(" 40, trill 150, wavy 100, dash 120, "8" 110, "va" 90, "vb" 95.
    struct Case {
        const char* name;
        void (GdiScorePainter::*draw)(int, int, int, int, int);
        Lines shapes;
    };
    const Case cases[] = {
        {"trill", &GdiScorePainter::DrawTrillLine,
         {"glyph 160 at 1000,2130", "glyph 246 at 1150,2050", "glyph 246 at 1250,2050",
          "glyph 246 at 1350,2050", "glyph 246 at 1450,2050"}},
        {"trill continued", &GdiScorePainter::DrawTrillLineContinued,
         {"glyph 42 at 1000,2220", "glyph 160 at 1040,2130", "glyph 43 at 1120,2220",
          "glyph 246 at 1230,2050", "glyph 246 at 1330,2050", "glyph 246 at 1430,2050"}},
        {"high octave start", &GdiScorePainter::DrawHighOctaveStart,
         {"glyph 248 at 1000,2180", "glyph 249 at 1110,2070", "glyph 247 at 1200,2000",
          "glyph 247 at 1320,2000", "glyph 247 at 1440,2000"}},
        {"high octave end", &GdiScorePainter::DrawHighOctaveEnd,
         {"glyph 42 at 1000,2250", "glyph 248 at 1040,2180", "glyph 43 at 1100,2250",
          "glyph 247 at 1190,2000", "glyph 247 at 1310,2000", "glyph 247 at 1430,2000",
          "glyph 244 at 1600,2040"}},
        {"high octave", &GdiScorePainter::DrawHighOctave,
         {"glyph 248 at 1000,2180", "glyph 249 at 1110,2070", "glyph 247 at 1200,2000",
          "glyph 247 at 1320,2000", "glyph 247 at 1440,2000", "glyph 244 at 1600,2040"}},
        {"low octave start", &GdiScorePainter::DrawLowOctaveStart,
         {"glyph 248 at 1000,2180", "glyph 250 at 1110,2070", "glyph 247 at 1205,2180",
          "glyph 247 at 1325,2180", "glyph 247 at 1445,2180"}},
        {"low octave end", &GdiScorePainter::DrawLowOctaveEnd,
         {"glyph 42 at 1000,2250", "glyph 248 at 1040,2180", "glyph 43 at 1100,2250",
          "glyph 247 at 1190,2180", "glyph 247 at 1310,2180", "glyph 247 at 1430,2180",
          "glyph 243 at 1600,2220"}},
        {"low octave", &GdiScorePainter::DrawLowOctave,
         {"glyph 248 at 1000,2180", "glyph 250 at 1110,2070", "glyph 247 at 1205,2180",
          "glyph 247 at 1325,2180", "glyph 247 at 1445,2180", "glyph 243 at 1600,2220"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Draw([&c](GdiScorePainter& p) { (p.*c.draw)(1000, 2000, 1600, 2040, 5); }),
                  c.shapes);
        for (const RecordedCall& t : dc_.CallsOf("TextOut")) {
            EXPECT_EQ(t.font.FaceName(), u"Tansy");
            EXPECT_EQ(t.font.height, -200);
            EXPECT_EQ(t.align, platform::kTaBaseline | platform::kTaLeft);
        }
    }
}

TEST_F(LineDrawing, ShortTrillLineShowsTheSignOnly)
{
    // The first wavy piece needs x1 + w(trill) + w(wavy) < x2.
    EXPECT_EQ(Draw([](GdiScorePainter& p) { p.DrawTrillLine(1000, 2000, 1250, 2000, 0); }),
              (Lines{"glyph 160 at 1000,2130"}));
    EXPECT_EQ(Draw([](GdiScorePainter& p) { p.DrawTrillLine(1000, 2000, 1251, 2000, 0); }),
              (Lines{"glyph 160 at 1000,2130", "glyph 246 at 1150,2050"}));
    // Ends the wrong way round: the sign, nothing else.
    EXPECT_EQ(Draw([](GdiScorePainter& p) { p.DrawTrillLine(1000, 2000, 0, 2000, 0); }),
              (Lines{"glyph 160 at 1000,2130"}));
}

TEST_F(LineDrawing, EndingBrackets)
{
    struct Case {
        const char* name;
        void (GdiScorePainter::*draw)(int, int, int, int, int);
        Lines shapes;
    };
    const Case cases[] = {
        {"first ending start", &GdiScorePainter::DrawFirstEndingStart,
         {"glyph 251 at 1050,2050", "line 1000,2250 1000,2000 w30",
          "line 1000,2000 4000,2010 w30"}},
        {"ending end", &GdiScorePainter::DrawEndingEnd,
         {"line 1000,2000 4000,2010 w30", "line 4000,2010 4000,2210 w30"}},
        {"ending end 2", &GdiScorePainter::DrawEndingEnd2,
         {"line 1000,2000 4000,2010 w30", "line 4000,2010 4000,2210 w30"}},
        {"first ending", &GdiScorePainter::DrawFirstEnding,
         {"glyph 251 at 1050,2050", "line 1000,2250 1000,2000 w30",
          "line 1000,2000 4000,2010 w30", "line 4000,2010 4000,2260 w30"}},
        {"second ending start", &GdiScorePainter::DrawSecondEndingStart,
         {"glyph 252 at 1050,2050", "line 1000,2200 1000,2000 w30",
          "line 1000,2000 4000,2010 w30"}},
        {"second ending", &GdiScorePainter::DrawSecondEnding,
         {"glyph 252 at 1050,2050", "line 1000,2250 1000,2000 w30",
          "line 1000,2000 4000,2010 w30"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Draw([&c](GdiScorePainter& p) { (p.*c.draw)(1000, 2000, 4000, 2010, 1); }),
                  c.shapes);
    }
}

TEST_F(LineDrawing, ArpeggiosAreTurnedWavyRowsWithTheirArrows)
{
    // Step 100 from the upper end 2000 while another piece fits above 3000.
    Lines row;
    for (int y = 2000; y + 100 < 3000; y += 100)
        row.push_back("glyph 246 at 1050," + std::to_string(y + 150) + " turned 900");
    ASSERT_EQ(row.size(), 9u);
    EXPECT_EQ(Draw([](GdiScorePainter& p) { p.DrawArpeggio(1000, 3000, 1000, 2000, 0); }), row);
    for (const RecordedCall& t : dc_.CallsOf("TextOut"))
        EXPECT_EQ(t.font.orientation, 900);

    Lines up = row;
    up.push_back("glyph 240 at 930,2000");
    EXPECT_EQ(Draw([](GdiScorePainter& p) { p.DrawArpeggioUpwards(1000, 2000, 1000, 3000, 0); }),
              up);
    // The downward arrow goes where the row stopped.
    Lines down = row;
    down.push_back("glyph 241 at 930,2900");
    EXPECT_EQ(
        Draw([](GdiScorePainter& p) { p.DrawArpeggioDownwards(1000, 3000, 1000, 2000, 0); }),
        down);
}

TEST_F(LineDrawing, GlissandoFollowsItsSlant)
{
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
        int escapement;
        int dx, dy;  // per piece, on the page
        int count;
    };
    const Case cases[] = {
        {"level", 1000, 2000, 1500, 2000, 0, 100, 0, 5},
        {"level, ends the other way", 1500, 2000, 1000, 2000, 0, 100, 0, 5},
        // 1 in 2 rising: 26.57 degrees; 89 and 44 per piece; tested on x.
        {"rising", 1000, 2000, 2000, 1500, 266, 89, -44, 11},
        {"rising, ends the other way", 2000, 1500, 1000, 2000, 266, 89, -44, 11},
        // 5 in 1 falling: -78.69 degrees; 19 and 98 per piece; tested on y.
        {"steep", 1000, 1000, 1200, 2000, -787, 19, 98, 10},
        {"vertical down", 1000, 1000, 1000, 1500, -900, 0, 100, 5},
        {"vertical up", 1000, 1500, 1000, 1000, 900, 0, -100, 5},
        {"a point", 1000, 1000, 1000, 1000, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lines expected;
        const int x0 = std::min(c.x1, c.x2);
        const int y0 = c.x1 <= c.x2 ? c.y1 : c.y2;
        for (int k = 0; k < c.count; ++k) {
            std::string line = "glyph 246 at " + std::to_string(x0 + k * c.dx) + "," +
                               std::to_string(y0 + k * c.dy + 50);
            if (c.escapement != 0)
                line += " turned " + std::to_string(c.escapement);
            expected.push_back(line);
        }
        EXPECT_EQ(Draw([&c](GdiScorePainter& p) { p.DrawGlissando(c.x1, c.y1, c.x2, c.y2, 0); }),
                  expected);
    }
}

// Loops that step by a measured glyph width end at once when the width is 0 or less (a
// font without the glyph, a scale that rounds it away); the signs still show.
TEST_F(LineDrawing, GlyphRowsWithoutWidthStop)
{
    struct Case {
        const char* name;
        std::function<void(GdiScorePainter&)> draw;
        Lines shapes;
    };
    const Case cases[] = {
        {"trill", [](GdiScorePainter& p) { p.DrawTrillLine(1000, 2000, 9000, 2000, 0); },
         {"glyph 160 at 1000,2130"}},
        {"trill continued",
         [](GdiScorePainter& p) { p.DrawTrillLineContinued(1000, 2000, 9000, 2000, 0); },
         {"glyph 42 at 1000,2220", "glyph 160 at 1040,2130", "glyph 43 at 1120,2220"}},
        {"high octave", [](GdiScorePainter& p) { p.DrawHighOctave(1000, 2000, 9000, 2000, 0); },
         {"glyph 248 at 1000,2180", "glyph 249 at 1110,2070", "glyph 244 at 9000,2000"}},
        {"low octave start",
         [](GdiScorePainter& p) { p.DrawLowOctaveStart(1000, 2000, 9000, 2000, 0); },
         {"glyph 248 at 1000,2180", "glyph 250 at 1110,2070"}},
        {"arpeggio", [](GdiScorePainter& p) { p.DrawArpeggio(1000, 2000, 1000, 9000, 0); }, {}},
        {"arpeggio downwards",
         [](GdiScorePainter& p) { p.DrawArpeggioDownwards(1000, 2000, 1000, 9000, 0); },
         {"glyph 241 at 930,2000"}},
        {"glissando", [](GdiScorePainter& p) { p.DrawGlissando(1000, 2000, 9000, 1000, 0); }, {}},
        {"vertical glissando",
         [](GdiScorePainter& p) { p.DrawGlissando(1000, 2000, 1000, 9000, 0); }, {}},
    };
    for (int width : {0, -5}) {
        dc_.widths[music::kWavyLine] = width;
        dc_.widths[music::kOctaveDash] = width;
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.name << ", width " << width);
            EXPECT_EQ(Draw(c.draw), c.shapes);
        }
    }
}

TEST_F(LineDrawing, GlissandoWithAStepTooSmallToMoveDrawsNothing)
{
    // One unit: 0.89 along x truncates to nothing, which would never reach the end.
    dc_.widths[music::kWavyLine] = 1;
    EXPECT_TRUE(
        Draw([](GdiScorePainter& p) { p.DrawGlissando(1000, 2000, 2000, 1500, 0); }).empty());
    // Two units move: 1 along x.
    dc_.widths[music::kWavyLine] = 2;
    EXPECT_EQ(Draw([](GdiScorePainter& p) { p.DrawGlissando(1000, 2000, 1010, 1995, 0); }).size(),
              10u);
}

// Every operation of the family, with arguments that draw.
struct Operation {
    const char* name;
    std::function<void(GdiScorePainter&, int)> draw;  // with a colour key
};

const Operation kOperations[] = {
    {"DrawBarLine 1", [](GdiScorePainter& p, int k) { p.DrawBarLine(1000, 2000, 700, 0, 1, false, k); }},
    {"DrawBarLine 5", [](GdiScorePainter& p, int k) { p.DrawBarLine(1000, 2000, 700, 1, 5, false, k); }},
    {"DrawBarLine 6", [](GdiScorePainter& p, int k) { p.DrawBarLine(1000, 2000, 700, 0, 6, true, k); }},
    {"DrawBarLine 7", [](GdiScorePainter& p, int k) { p.DrawBarLine(1000, 2000, 700, 1, 7, false, k); }},
    {"DrawRepeatBarLine 1",
     [](GdiScorePainter& p, int k) { p.DrawRepeatBarLine(1000, 2000, 700, 1, 1, true, k); }},
    {"DrawRepeatBarLine 2",
     [](GdiScorePainter& p, int k) { p.DrawRepeatBarLine(1000, 2000, 700, 0, 2, false, k); }},
    {"DrawSmoothSlur", [](GdiScorePainter& p, int k) { p.DrawSmoothSlur(5000, 1000, 4000, k); }},
    {"DrawSmoothSlurSegment",
     [](GdiScorePainter& p, int k) { p.DrawSmoothSlurSegment(5000, 1000, 4000, k); }},
    {"DrawCrescendoStart", [](GdiScorePainter& p, int k) { p.DrawCrescendoStart(0, 500, 3000, 500, k); }},
    {"DrawCrescendoEnd", [](GdiScorePainter& p, int k) { p.DrawCrescendoEnd(0, 500, 3000, 500, k); }},
    {"DrawCrescendo", [](GdiScorePainter& p, int k) { p.DrawCrescendo(0, 500, 3000, 500, k); }},
    {"DrawDecrescendoStart", [](GdiScorePainter& p, int k) { p.DrawDecrescendoStart(0, 500, 3000, 500, k); }},
    {"DrawDecrescendoEnd", [](GdiScorePainter& p, int k) { p.DrawDecrescendoEnd(0, 500, 3000, 500, k); }},
    {"DrawDecrescendo", [](GdiScorePainter& p, int k) { p.DrawDecrescendo(0, 500, 3000, 500, k); }},
    {"DrawTrillLine", [](GdiScorePainter& p, int k) { p.DrawTrillLine(0, 500, 3000, 500, k); }},
    {"DrawTrillLineContinued", [](GdiScorePainter& p, int k) { p.DrawTrillLineContinued(0, 500, 3000, 500, k); }},
    {"DrawHighOctaveStart", [](GdiScorePainter& p, int k) { p.DrawHighOctaveStart(0, 500, 3000, 500, k); }},
    {"DrawHighOctaveEnd", [](GdiScorePainter& p, int k) { p.DrawHighOctaveEnd(0, 500, 3000, 500, k); }},
    {"DrawHighOctave", [](GdiScorePainter& p, int k) { p.DrawHighOctave(0, 500, 3000, 500, k); }},
    {"DrawLowOctaveStart", [](GdiScorePainter& p, int k) { p.DrawLowOctaveStart(0, 500, 3000, 500, k); }},
    {"DrawLowOctaveEnd", [](GdiScorePainter& p, int k) { p.DrawLowOctaveEnd(0, 500, 3000, 500, k); }},
    {"DrawLowOctave", [](GdiScorePainter& p, int k) { p.DrawLowOctave(0, 500, 3000, 500, k); }},
    {"DrawFirstEndingStart", [](GdiScorePainter& p, int k) { p.DrawFirstEndingStart(0, 500, 3000, 500, k); }},
    {"DrawEndingEnd", [](GdiScorePainter& p, int k) { p.DrawEndingEnd(0, 500, 3000, 500, k); }},
    {"DrawFirstEnding", [](GdiScorePainter& p, int k) { p.DrawFirstEnding(0, 500, 3000, 500, k); }},
    {"DrawSecondEndingStart", [](GdiScorePainter& p, int k) { p.DrawSecondEndingStart(0, 500, 3000, 500, k); }},
    {"DrawEndingEnd2", [](GdiScorePainter& p, int k) { p.DrawEndingEnd2(0, 500, 3000, 500, k); }},
    {"DrawSecondEnding", [](GdiScorePainter& p, int k) { p.DrawSecondEnding(0, 500, 3000, 500, k); }},
    {"DrawArpeggio", [](GdiScorePainter& p, int k) { p.DrawArpeggio(0, 500, 0, 3000, k); }},
    {"DrawArpeggioUpwards", [](GdiScorePainter& p, int k) { p.DrawArpeggioUpwards(0, 500, 0, 3000, k); }},
    {"DrawArpeggioDownwards", [](GdiScorePainter& p, int k) { p.DrawArpeggioDownwards(0, 500, 0, 3000, k); }},
    {"DrawGlissando", [](GdiScorePainter& p, int k) { p.DrawGlissando(0, 500, 3000, 1500, k); }},
};

// The colour in which a recorded call puts paint on the surface.
std::vector<platform::ColorRef> InkOf(const RecordedCall& c)
{
    if (c.op == "LineTo" && !c.inPath)
        return {c.pen.color};
    if (c.op == "Ellipse")
        return {c.pen.color, c.brush.color};
    if (c.op == "FillPath")
        return {c.brush.color};
    if (c.op == "TextOut")
        return {c.textColor};
    if (c.op == "ExtTextOut")
        return {c.bkColor};
    return {};
}

TEST_F(LineDrawing, EveryOperationDrawsInItsKeysColourAndInBlackWhenPrinting)
{
    for (const bool print : {false, true}) {
        table_.SetBlackAndWhite(print);
        const platform::ColorRef ink = print ? Rgb(0, 0, 0) : Rgb(0, 102, 0);  // key 31
        for (const Operation& op : kOperations) {
            SCOPED_TRACE(::testing::Message() << op.name << (print ? ", printing" : ""));
            dc_.Clear();
            op.draw(painter_, 31);
            ASSERT_TRUE(dc_.PaintedAnything());
            for (const RecordedCall& c : dc_.Calls())
                for (platform::ColorRef colour : InkOf(c))
                    EXPECT_EQ(colour, ink) << c.op;
        }
    }
}

TEST_F(LineDrawing, EveryOperationMovesWithTheOriginAndGivesTheContextBack)
{
    const platform::Pen pen{platform::kPsDash, 3, Rgb(1, 2, 3)};
    const platform::Brush brush = platform::Brush::Solid(Rgb(4, 5, 6));
    quaverly::LogFont font;
    font.SetFaceName(u"Caller");
    auto shift = [](Point p) { return Point{p.x + 7000, p.y + 9000}; };
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        dc_.SelectPen(pen);
        dc_.SelectBrush(brush);
        dc_.SelectFont(font);
        dc_.SetTextColor(Rgb(7, 8, 9));
        dc_.SetBkColor(Rgb(10, 11, 12));
        dc_.SetTextAlign(platform::kTaRight);
        painter_.SetOrigin(0, 0);
        dc_.Clear();
        op.draw(painter_, 0);
        const std::vector<RecordedCall> plain = dc_.Calls();
        painter_.SetOrigin(7000, 9000);
        dc_.Clear();
        op.draw(painter_, 0);
        const std::vector<RecordedCall> moved = dc_.Calls();
        ASSERT_EQ(plain.size(), moved.size());
        for (std::size_t i = 0; i < plain.size(); ++i) {
            SCOPED_TRACE(plain[i].op);
            ASSERT_EQ(plain[i].points.size(), moved[i].points.size());
            for (std::size_t j = 0; j < plain[i].points.size(); ++j)
                EXPECT_EQ(shift(plain[i].points[j]), moved[i].points[j]);
            if (plain[i].op == "Ellipse" || plain[i].op == "ExtTextOut") {
                EXPECT_EQ(shift({plain[i].rect.left, plain[i].rect.top}),
                          (Point{moved[i].rect.left, moved[i].rect.top}));
                EXPECT_EQ(shift({plain[i].rect.right, plain[i].rect.bottom}),
                          (Point{moved[i].rect.right, moved[i].rect.bottom}));
            }
        }
        EXPECT_EQ(dc_.SelectedPen(), pen);
        EXPECT_EQ(dc_.SelectedBrush(), brush);
        EXPECT_EQ(dc_.SelectedFont(), font);
        EXPECT_EQ(dc_.GetTextColor(), Rgb(7, 8, 9));
        EXPECT_EQ(dc_.GetBkColor(), Rgb(10, 11, 12));
        EXPECT_EQ(dc_.GetTextAlign(), platform::kTaRight);
        EXPECT_FALSE(dc_.GetClipRegion().has_value());
    }
}

TEST(LineDrawingWithoutContext, NothingIsDrawnAndSizesStillAnswer)
{
    GdiScorePainter painter;
    for (const Operation& op : kOperations)
        op.draw(painter, 0);
    EXPECT_EQ(painter.MeasureBarLine(6, 2), (Size{385, 700}));
}

// Through the QPainter backend, with the music fonts.
class LineImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(painter_test::AddMusicFonts()); }

    static int U(double pixels) { return static_cast<int>(pixels * painter_test::kScreenScale); }

    painter_test::PaintedPage page_{400, 300};
    GdiScorePainter& painter_ = page_.Painter();
};

// Centre of the ink in a rectangle of the image, in pixels.
QPointF InkCentre(const QImage& image, int left, int top, int right, int bottom)
{
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (painter_test::Dark(image, x, y)) {
                sx += x + 0.5;
                sy += y + 0.5;
                ++n;
            }
    return n ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
}

TEST_F(LineImage, EndRepeatShowsDotsThinAndThickBar)
{
    // An end repeat at x = 200 px over y = 50 .. 150 px.
    painter_.DrawBarLine(U(200), U(50), U(100), 0, 6, false, 0);
    painter_.DrawRepeatBarLine(U(200), U(50), U(100), 0, 2, false, 0);
    const QImage& img = page_.Finish();
    using painter_test::InkIn;
    // Thick bar: 75 units, about 2.8 px left of x; the thin bar lies 2.3 px further left.
    EXPECT_GT(InkIn(img, 198, 60, 200, 140), 150);
    EXPECT_EQ(InkIn(img, 195, 60, 197, 140), 0);  // the gap
    EXPECT_GE(InkIn(img, 193, 60, 195, 140), 78);
    // The dots, 100 units (3.8 px) across, centred 335 units (12.7 px) left of x at a
    // third and two thirds of the height; nothing between them.
    const QPointF upper = InkCentre(img, 170, 60, 192, 100);
    const QPointF lower = InkCentre(img, 170, 100, 192, 140);
    EXPECT_NEAR(upper.x(), 200 - 12.7, 0.7);
    EXPECT_NEAR(lower.x(), 200 - 12.7, 0.7);
    EXPECT_NEAR(upper.y(), 50 + 33.3, 0.7);
    EXPECT_NEAR(lower.y(), 50 + 66.7, 0.7);
    EXPECT_EQ(InkIn(img, 170, 90, 192, 110), 0);
}

TEST_F(LineImage, ArpeggioRunsUpTheNotesAndGlissandoAlongItsSlant)
{
    painter_.DrawArpeggio(U(50), U(60), U(50), U(240), 0);
    painter_.DrawGlissando(U(150), U(240), U(350), U(60), 0);
    const QImage& img = page_.Finish();
    using painter_test::InkIn;
    // The arpeggio: one unbroken narrow band of ink beside x.
    for (int y = 70; y < 230; ++y)
        ASSERT_GT(InkIn(img, 40, y, 60, y + 1), 0) << y;
    EXPECT_EQ(InkIn(img, 0, 60, 38, 250), 0);
    EXPECT_EQ(InkIn(img, 62, 60, 140, 250), 0);
    // The glissando: ink near its line at a quarter, half and three quarters.
    for (const double t : {0.25, 0.5, 0.75}) {
        const int x = static_cast<int>(150 + 200 * t);
        const int y = static_cast<int>(240 - 180 * t);
        EXPECT_GT(InkIn(img, x - 8, y - 8, x + 8, y + 8), 5) << t;
    }
    // Nothing far off it.
    EXPECT_EQ(InkIn(img, 300, 200, 400, 300), 0);
    EXPECT_EQ(InkIn(img, 150, 40, 220, 120), 0);
}

}  // namespace
