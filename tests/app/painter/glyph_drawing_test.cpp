// The drawing device's note and glyph operations: note digits at normal, chord and grace
// size, augmentation and octave dots, accidentals, duration underlines, the marks under
// grace notes, jump marks and note symbols; on the recording context (exact characters,
// alignments and points) and through the QPainter backend (where the ink lands).
#include "app/painter/gdi_score_painter.h"

#include "app/painter/draw_resource_table.h"
#include "platform/music_glyphs.h"
#include "platform/recording_device_context.h"
#include "tests/app/painter/painter_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

namespace music = platform::music;
using brindle::DrawResourceTable;
using brindle::GdiScorePainter;
using platform::Point;
using platform::RecordedCall;
using platform::RecordingDeviceContext;
using platform::Rgb;
using quaverly::Size;

constexpr unsigned kCentre = platform::kTaBaseline | platform::kTaCenter;
constexpr unsigned kLeft = platform::kTaBaseline | platform::kTaLeft;
constexpr unsigned kRight = platform::kTaBaseline | platform::kTaRight;

// A painter at scale 10 on the recording context, which measures a character as half an
// em wide and one em high with the ascent 0.8 em and no leading. So key 0 ("Tansy", -200)
// is 100 wide and 200 high with a visible height of 160; key 1 ("Tansy Number", -150)
// 75 wide, 150 high. The note sizes and the offsets are set to distinct values.
class GlyphTest : public ::testing::Test {
protected:
    static constexpr Size kNote{252, 289};
    static constexpr Size kChord{250, 202};
    static constexpr Size kGrace{176, 202};

    GlyphTest()
    {
        brindle::LayoutMetrics m = table_.GetMetrics();
        m.noteDashOffset = {11, -13};
        m.accidentalOffset = {-17, 19};
        m.noteLeftLegerBulge = 7;
        m.noteRightLegerBulge = 9;
        m.chordAccidentalOffset = {5, -6};
        m.graceLegerThickness = 25;
        m.graceLegerBulge = 4;
        table_.SetMetrics(m);
        table_.SetNoteSize(kNote);
        table_.SetChordNoteSize(kChord);
        table_.SetGraceNoteSize(kGrace);
        painter_test::SetUpPainter(painter_, dc_, table_, 10.0f);
    }

    std::vector<RecordedCall> Texts() const { return dc_.CallsOf("TextOut"); }

    RecordingDeviceContext dc_;
    DrawResourceTable table_;
    GdiScorePainter painter_;
};

// A drawn glyph: its text, reference point and alignment.
struct Glyph {
    std::u16string text;
    Point at;
    unsigned align;
};

void ExpectGlyphs(const std::vector<RecordedCall>& texts, const std::vector<Glyph>& expected)
{
    ASSERT_EQ(texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts[i].text, expected[i].text);
        EXPECT_EQ(texts[i].points[0], expected[i].at);
        EXPECT_EQ(texts[i].align, expected[i].align);
    }
}

TEST_F(GlyphTest, NoteCodesDrawTheirCharacterWithTheBaselineAtTheBoxBottom)
{
    struct Code {
        int code;
        char16_t ch;
    };
    const Code codes[] = {{1, u'0'},  {2, u'1'},  {3, u'2'},  {4, u'3'},  {5, u'4'},
                          {6, u'5'},  {7, u'6'},  {8, u'7'},  {9, u'-'},  {10, u'X'},
                          {11, music::kUnpitched1}, {12, music::kUnpitched2},
                          {13, music::kUnpitched3}};
    // Normal and chord notes share the box of the normal digit; the dash is moved by the
    // dash offset. Chord digits are 0.7 as high and as wide as full-size ones.
    struct Variant {
        const char* name;
        std::function<void(GdiScorePainter&, int)> draw;
        Point at;  // of the box (1000, 2000)
        int height;
        int width;
        bool dash;
    };
    const Variant variants[] = {
        {"note", [](GdiScorePainter& p, int c) { p.DrawNote(1000, 2000, c, 0); },
         {1000 + 126, 2000 + 289}, -150, 0, true},
        {"chord", [](GdiScorePainter& p, int c) { p.DrawChordNote(1000, 2000, c, 0); },
         {1000 + 126, 2000 + 289}, -105, 75, true},
        {"grace", [](GdiScorePainter& p, int c) { p.DrawGraceNote(1000, 2000, c, 0); },
         {1000 + 88, 2000 + 202}, -105, 0, false},
    };
    for (const Variant& v : variants) {
        for (const Code& c : codes) {
            SCOPED_TRACE(::testing::Message() << v.name << " code " << c.code);
            dc_.Clear();
            v.draw(painter_, c.code);
            if (c.code == 9 && !v.dash) {
                EXPECT_TRUE(dc_.Calls().empty());  // no dash at grace size
                continue;
            }
            const Point at = c.code == 9 ? Point{v.at.x + 11, v.at.y - 13} : v.at;
            ExpectGlyphs(Texts(), {{std::u16string(1, c.ch), at, kCentre}});
            EXPECT_EQ(Texts()[0].font.FaceName(), u"Tansy Number");
            EXPECT_EQ(Texts()[0].font.height, v.height);
            EXPECT_EQ(Texts()[0].font.width, v.width);
        }
        for (int code : {0, 14, -1, 100}) {
            SCOPED_TRACE(::testing::Message() << v.name << " code " << code);
            dc_.Clear();
            v.draw(painter_, code);
            EXPECT_TRUE(dc_.Calls().empty());
        }
    }
}

TEST_F(GlyphTest, CodeOneDrawsZeroExactlyTheNoteHeightBelowY)
{
    painter_.SetOrigin(300, 400);
    painter_.DrawNote(0, 0, 1, 0);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, u"0");
    EXPECT_EQ(Texts()[0].points[0], (Point{300 + kNote.cx / 2, 400 + kNote.cy}));
}

TEST_F(GlyphTest, ChordNoteSizeIsTheNormalSize)
{
    EXPECT_EQ(painter_.GetChordNoteSize(), painter_.GetNoteSize());
    EXPECT_EQ(painter_.GetChordNoteSize(), kNote);
    EXPECT_EQ(painter_.GetGraceNoteSize(), kGrace);
}

TEST_F(GlyphTest, AugmentationDots)
{
    struct Variant {
        const char* name;
        std::function<Size(GdiScorePainter&, int)> measure;
        std::function<void(GdiScorePainter&, int)> draw;
        int step;
        int firstX;  // dot 0, drawn from x = 1000
        int y;       // baseline, drawn from y = 2000
        int height;  // of the font
        Size three;  // measured for three dots
    };
    const Variant variants[] = {
        // step trunc(0.5 x 252); baseline at y + 20 + trunc(8 x 289 / 10)
        {"note", [](GdiScorePainter& p, int n) { return p.MeasureDots(n); },
         [](GdiScorePainter& p, int n) { p.DrawDots(1000, 2000, n, 0); }, 126, 1100,
         2000 + 20 + 231, -150, {3 * 126 + 100, 150}},
        // step trunc(0.5 x 250); baseline at y + 20 + 289 - trunc(2 x 202 / 10); full size
        {"chord", [](GdiScorePainter& p, int n) { return p.MeasureChordDots(n); },
         [](GdiScorePainter& p, int n) { p.DrawChordDots(1000, 2000, n, 0); }, 125, 1100,
         2000 + 20 + 289 - 40, -150, {3 * 125 + 100, 150}},
        // step trunc(0.5 x 176); grace dot offset (50, 0); baseline y + trunc(8 x 202 / 10)
        {"grace", [](GdiScorePainter& p, int n) { return p.MeasureGraceDots(n); },
         [](GdiScorePainter& p, int n) { p.DrawGraceDots(1000, 2000, n, 0); }, 88, 1050,
         2000 + 161, -105, {3 * 88 + 50, 105}},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        EXPECT_EQ(v.measure(painter_, 3), v.three);
        dc_.Clear();
        v.draw(painter_, 3);
        ExpectGlyphs(Texts(), {{u".", {v.firstX, v.y}, kCentre},
                               {u".", {v.firstX + v.step, v.y}, kCentre},
                               {u".", {v.firstX + 2 * v.step, v.y}, kCentre}});
        for (const RecordedCall& c : Texts())
            EXPECT_EQ(c.font.height, v.height);
        for (int count : {0, -1}) {
            dc_.Clear();
            v.draw(painter_, count);
            EXPECT_TRUE(dc_.Calls().empty()) << count;
        }
    }
}

TEST_F(GlyphTest, OctaveDotsAboveAndBelow)
{
    struct Variant {
        const char* name;
        std::function<void(GdiScorePainter&, int)> draw;
        int x;         // drawn from x = 1000
        int interval;
        int high;      // offset y of the dots above
        int low;       // and below
        int height;
    };
    const Variant variants[] = {
        {"note", [](GdiScorePainter& p, int n) { p.DrawOctaveDots(1000, 2000, n, 0); },
         1000 + 126, 72, 75, 80, -150},   // interval trunc(289 x 0.25)
        {"chord", [](GdiScorePainter& p, int n) { p.DrawChordOctaveDots(1000, 2000, n, 0); },
         1000 + 126, 72, 140, 60, -150},
        {"grace", [](GdiScorePainter& p, int n) { p.DrawGraceOctaveDots(1000, 2000, n, 0); },
         1000 + 88, 60, 40, 60, -105},    // interval trunc(202 x 0.3)
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        dc_.Clear();
        v.draw(painter_, 2);
        ExpectGlyphs(Texts(), {{u".", {v.x, 2000 + v.high}, kCentre},
                               {u".", {v.x, 2000 + v.high + v.interval}, kCentre}});
        EXPECT_EQ(Texts()[0].font.height, v.height);
        // Two low dots use the low offset.
        dc_.Clear();
        v.draw(painter_, -2);
        ExpectGlyphs(Texts(), {{u".", {v.x, 2000 + v.low}, kCentre},
                               {u".", {v.x, 2000 + v.low + v.interval}, kCentre}});
        dc_.Clear();
        v.draw(painter_, 0);
        EXPECT_TRUE(dc_.Calls().empty());
    }
    EXPECT_EQ(painter_.GetOctaveDotInterval(), 72);
    EXPECT_EQ(painter_.GetChordOctaveDotInterval(), 72);
    EXPECT_EQ(painter_.GetGraceOctaveDotInterval(), 60);
}

TEST_F(GlyphTest, AccidentalsAtNormalSize)
{
    // (w, h) = (width of the sharp, trunc(10 x scale)) = (100, 100); the offset (-17, 19).
    const std::u16string natural(1, music::kNatural), flat(1, music::kFlat);
    const std::u16string sharp(1, music::kSharp);
    const int baseline = 2000 + 100 + 19;
    const Point first{1000 - 17, baseline}, single{1000 + 100 - 17, baseline};
    struct Case {
        int accidental;
        std::vector<Glyph> glyphs;
    };
    const Case cases[] = {
        {-3, {{natural, first, kRight}, {flat, single, kRight}}},
        {-2, {{std::u16string(1, music::kDoubleFlat), single, kRight}}},
        {-1, {{flat, single, kRight}}},
        {0, {}},
        {1, {{sharp, single, kRight}}},
        {2, {{std::u16string(1, music::kDoubleSharp), single, kRight}}},
        {3, {{natural, first, kRight}, {sharp, single, kRight}}},
        {4, {{natural, single, kRight}}},
        {5, {}},
        {-4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.accidental);
        dc_.Clear();
        painter_.DrawAccidental(1000, 2000, c.accidental, 0);
        ExpectGlyphs(Texts(), c.glyphs);
        for (const RecordedCall& t : Texts()) {
            EXPECT_EQ(t.font.FaceName(), u"Tansy");
            EXPECT_EQ(t.font.height, -200);
        }
        const bool drawn = !c.glyphs.empty();
        EXPECT_EQ(painter_.MeasureAccidental(c.accidental), (Size{drawn ? 100 : 0, 100}));
    }
    // The height is trunc(10 x scale), with or without a glyph.
    painter_.SetScale(2.6458f);
    EXPECT_EQ(painter_.MeasureAccidental(0), (Size{0, 26}));
    EXPECT_EQ(painter_.MeasureAccidental(1).cy, 26);
}

TEST_F(GlyphTest, AccidentalsAtChordAndGraceSize)
{
    const std::u16string natural(1, music::kNatural), flat(1, music::kFlat);
    const std::u16string sharp(1, music::kSharp);
    // Chord: h = trunc(10 x 10 x 0.7) = 70, lowered by H - chord H = 87, offset (5, -6);
    // the glyph starts at x + 5, a pair's first glyph ends there.
    const int chordBaseline = 2000 + 70 + 87 - 6;
    const Point chordAt{1005, chordBaseline};
    // Grace: h = 70, no offset, the glyph starts at x.
    const Point graceAt{1000, 2000 + 70};
    struct Case {
        int accidental;
        std::vector<Glyph> chord;
        std::vector<Glyph> grace;
    };
    const Case cases[] = {
        {-3, {{natural, chordAt, kRight}, {flat, chordAt, kLeft}}, {}},
        {-2, {{std::u16string(1, music::kDoubleFlat), chordAt, kLeft}},
         {{std::u16string(1, music::kDoubleFlat), graceAt, kLeft}}},
        {-1, {{flat, chordAt, kLeft}}, {{flat, graceAt, kLeft}}},
        {0, {}, {}},
        {1, {{sharp, chordAt, kLeft}}, {{sharp, graceAt, kLeft}}},
        {2, {{std::u16string(1, music::kDoubleSharp), chordAt, kLeft}},
         {{std::u16string(1, music::kDoubleSharp), graceAt, kLeft}}},
        {3, {{natural, chordAt, kRight}, {sharp, chordAt, kLeft}}, {}},
        {4, {{natural, chordAt, kLeft}}, {{natural, graceAt, kLeft}}},
        {7, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.accidental);
        dc_.Clear();
        painter_.DrawChordAccidental(1000, 2000, c.accidental, 0);
        ExpectGlyphs(Texts(), c.chord);
        for (const RecordedCall& t : Texts()) {
            EXPECT_EQ(t.font.height, -140);
            EXPECT_EQ(t.font.width, 100);  // as wide as the full-size glyphs
        }
        EXPECT_EQ(painter_.MeasureChordAccidental(c.accidental),
                  (Size{c.chord.empty() ? 0 : 100, 70}));

        dc_.Clear();
        painter_.DrawGraceAccidental(1000, 2000, c.accidental, 0);
        ExpectGlyphs(Texts(), c.grace);
        for (const RecordedCall& t : Texts()) {
            EXPECT_EQ(t.font.height, -140);
            EXPECT_EQ(t.font.width, 0);
        }
        // Measured as the chord size measures, though -3 and 3 draw nothing.
        EXPECT_EQ(painter_.MeasureGraceAccidental(c.accidental),
                  (Size{c.chord.empty() ? 0 : 70, 70}));
    }
}

TEST_F(GlyphTest, DurationUnderlines)
{
    struct Case {
        const char* name;
        std::function<void(GdiScorePainter&)> draw;
        Point from, to;
        int width;
    };
    const Case cases[] = {
        {"note", [](GdiScorePainter& p) { p.DrawLegerLine({1000, 2000}, 300, 1); },
         {1000 - 7, 2000}, {1300 + 9, 2000}, 30},
        {"chord", [](GdiScorePainter& p) { p.DrawChordLegerLine({1000, 2000}, 300, 1); },
         {1000 - 7, 2000}, {1300 + 9, 2000}, 30},
        {"grace", [](GdiScorePainter& p) { p.DrawGraceLegerLine({1000, 2000}, 300, 1); },
         {1000 - 4, 2000}, {1300 + 4, 2000}, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dc_.Clear();
        c.draw(painter_);
        const auto lines = dc_.CallsOf("LineTo");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].points, (std::vector<Point>{c.from, c.to}));
        EXPECT_EQ(lines[0].pen, (platform::Pen{platform::kPsSolid, c.width, Rgb(255, 0, 0)}));
    }
    EXPECT_EQ(painter_.GetLegerInterval(), 57);       // trunc(289 x 0.2)
    EXPECT_EQ(painter_.GetChordLegerInterval(), 57);
    EXPECT_EQ(painter_.GetGraceLegerInterval(), 50);  // trunc(202 x 0.25)
}

TEST_F(GlyphTest, GraceMarksMeetAtTheMiddleOfTheirSpan)
{
    painter_.DrawCommaMark({1000, 2000, 1401, 2100}, 0);
    painter_.DrawDashMark({1000, 2000, 1401, 2100}, 0);
    ExpectGlyphs(Texts(), {{std::u16string(1, music::kGraceComma), {1200, 2000}, kLeft},
                           {std::u16string(1, music::kGraceDash), {1200, 2000}, kRight}});
    EXPECT_EQ(Texts()[0].font.FaceName(), u"Tansy");
}

TEST_F(GlyphTest, JumpMarks)
{
    struct Case {
        int kind;
        char16_t glyph;  // 0: none
        int height;      // 10 or 15 screen pixels
    };
    const Case cases[] = {{0, 0, 0},
                          {1, 0, 0},
                          {2, 0, 0},
                          {3, music::kDaCapo, 100},
                          {4, music::kDalSegno, 100},
                          {5, music::kFine, 100},
                          {6, music::kCoda, 150},
                          {7, music::kToCoda, 150},
                          {8, music::kSegno, 150},
                          {9, 0, 0},
                          {-1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        dc_.Clear();
        painter_.DrawJumpMark(1000, 2000, c.kind, 0);
        if (c.glyph == 0) {
            EXPECT_TRUE(dc_.Calls().empty());
            EXPECT_EQ(painter_.MeasureJumpMark(c.kind), (Size{0, 0}));
            continue;
        }
        ExpectGlyphs(Texts(), {{std::u16string(1, c.glyph), {1000, 2000 + c.height}, kLeft}});
        EXPECT_EQ(painter_.MeasureJumpMark(c.kind), (Size{100, c.height}));
    }
}

TEST_F(GlyphTest, NoteSymbolsStandOnTheirBaselines)
{
    struct Case {
        int code;
        char16_t glyph;
        int baseline;
    };
    const Case cases[] = {{2, music::kAccent, 250},         {3, music::kStaccato, 250},
                          {4, music::kTenuto, 150},         {6, music::kStaccatissimo, 350},
                          {14, music::kFermata, 300},       {19, music::kTrill, 250},
                          {20, music::kTurn, 250},          {21, music::kDelayedTurn, 250},
                          {24, music::kMordent, 150},       {25, music::kInvertedMordent, 150}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        dc_.Clear();
        painter_.DrawNoteSymbol(1000, 2000, c.code, 0);
        ExpectGlyphs(Texts(), {{std::u16string(1, c.glyph), {1000, 2000 + c.baseline}, kLeft}});
        // Width of the glyph and the visible height of the font.
        EXPECT_EQ(painter_.MeasureNoteSymbol(c.code), (Size{100, 160}));
    }
    for (int code : {0, 1, 5, 26, -3}) {
        dc_.Clear();
        painter_.DrawNoteSymbol(1000, 2000, code, 0);
        EXPECT_TRUE(dc_.Calls().empty()) << code;
        EXPECT_EQ(painter_.MeasureNoteSymbol(code), (Size{})) << code;
    }
}

// Every glyph operation, with arguments that draw.
const std::vector<std::pair<const char*, std::function<void(GdiScorePainter&)>>> kGlyphOps = {
    {"DrawNote", [](GdiScorePainter& p) { p.DrawNote(0, 0, 3, 1); }},
    {"DrawDots", [](GdiScorePainter& p) { p.DrawDots(0, 0, 2, 1); }},
    {"DrawOctaveDots", [](GdiScorePainter& p) { p.DrawOctaveDots(0, 0, -1, 1); }},
    {"DrawAccidental", [](GdiScorePainter& p) { p.DrawAccidental(0, 0, 3, 1); }},
    {"DrawLegerLine", [](GdiScorePainter& p) { p.DrawLegerLine({0, 0}, 100, 1); }},
    {"DrawChordNote", [](GdiScorePainter& p) { p.DrawChordNote(0, 0, 3, 1); }},
    {"DrawChordDots", [](GdiScorePainter& p) { p.DrawChordDots(0, 0, 1, 1); }},
    {"DrawChordOctaveDots", [](GdiScorePainter& p) { p.DrawChordOctaveDots(0, 0, 1, 1); }},
    {"DrawChordAccidental", [](GdiScorePainter& p) { p.DrawChordAccidental(0, 0, -1, 1); }},
    {"DrawGraceNote", [](GdiScorePainter& p) { p.DrawGraceNote(0, 0, 3, 1); }},
    {"DrawGraceAccidental", [](GdiScorePainter& p) { p.DrawGraceAccidental(0, 0, 1, 1); }},
    {"DrawGraceDots", [](GdiScorePainter& p) { p.DrawGraceDots(0, 0, 1, 1); }},
    {"DrawGraceOctaveDots", [](GdiScorePainter& p) { p.DrawGraceOctaveDots(0, 0, 1, 1); }},
    {"DrawGraceLegerLine", [](GdiScorePainter& p) { p.DrawGraceLegerLine({0, 0}, 100, 1); }},
    {"DrawCommaMark", [](GdiScorePainter& p) { p.DrawCommaMark({0, 0, 100, 100}, 1); }},
    {"DrawDashMark", [](GdiScorePainter& p) { p.DrawDashMark({0, 0, 100, 100}, 1); }},
    {"DrawJumpMark", [](GdiScorePainter& p) { p.DrawJumpMark(0, 0, 8, 1); }},
    {"DrawNoteSymbol", [](GdiScorePainter& p) { p.DrawNoteSymbol(0, 0, 14, 1); }},
};

TEST_F(GlyphTest, GlyphsDrawInTheKeysColourOrBlackAndLeaveTheContextAsItWas)
{
    dc_.SetTextColor(Rgb(7, 8, 9));
    dc_.SetTextAlign(platform::kTaBottom | platform::kTaRight);
    const platform::Pen pen{platform::kPsDash, 3, Rgb(1, 2, 3)};
    dc_.SelectPen(pen);
    for (const bool blackAndWhite : {false, true}) {
        table_.SetBlackAndWhite(blackAndWhite);
        const platform::ColorRef expected = blackAndWhite ? Rgb(0, 0, 0) : Rgb(255, 0, 0);
        for (const auto& [name, draw] : kGlyphOps) {
            SCOPED_TRACE(::testing::Message() << name << (blackAndWhite ? " b/w" : ""));
            dc_.Clear();
            draw(painter_);
            ASSERT_TRUE(dc_.PaintedAnything());
            for (const RecordedCall& c : dc_.Calls()) {
                if (c.op == "TextOut") {
                    EXPECT_EQ(c.textColor, expected);
                } else if (c.op == "LineTo") {
                    EXPECT_EQ(c.pen.color, expected);
                }
            }
            EXPECT_EQ(dc_.GetTextColor(), Rgb(7, 8, 9));
            EXPECT_EQ(dc_.GetTextAlign(), platform::kTaBottom | platform::kTaRight);
            EXPECT_EQ(dc_.SelectedPen(), pen);
            EXPECT_EQ(dc_.SelectedFont(), quaverly::LogFont{});
        }
    }
}

TEST(GlyphDrawing, WithoutAContextNothingIsDrawnAndGlyphSizesAreZero)
{
    GdiScorePainter painter;
    for (const auto& [name, draw] : kGlyphOps)
        draw(painter);  // nothing to crash on
    EXPECT_EQ(painter.MeasureDots(2).cy, 0);
    EXPECT_EQ(painter.MeasureAccidental(1).cx, 0);
    EXPECT_EQ(painter.MeasureChordAccidental(1).cx, 0);
    EXPECT_EQ(painter.MeasureGraceAccidental(1).cx, 0);
    EXPECT_EQ(painter.MeasureJumpMark(6).cx, 0);
    EXPECT_EQ(painter.MeasureNoteSymbol(3), (Size{}));
}

// Through the QPainter backend, with the note sizes measured as the view measures them.
class GlyphImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(painter_test::AddMusicFonts()); }

    // Ink bounds of an image: left, top, right, bottom (exclusive); empty when blank.
    static QRect InkBounds(const QImage& image)
    {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (painter_test::Dark(image, x, y))
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    // Draws with a painter at zoom 4 on an image 400 x 400 pixels, returns the image.
    static QImage Render(const std::function<void(GdiScorePainter&, DrawResourceTable&)>& draw)
    {
        painter_test::PaintedPage page(400, 400, 4.0, painter_test::NoteSizes::Measured);
        draw(page.Painter(), page.Table());
        return QImage(page.Finish());
    }

    static constexpr double kZoom = 4.0;
    static int Px(int units) { return static_cast<int>(units / painter_test::kScreenScale * kZoom); }
};

TEST_F(GlyphImage, ANoteDigitStandsOnTheBottomOfItsBox)
{
    const int x = 500, y = 500;
    Size note;
    const QImage image = Render([&](GdiScorePainter& p, DrawResourceTable&) {
        note = p.GetNoteSize();
        p.DrawNote(x, y, 6, 0);  // "5"
    });
    const QRect ink = InkBounds(image);
    ASSERT_FALSE(ink.isEmpty());
    // The digit is 289 high (729/1000 of an em of 396); the box leaves room above it for
    // the octave dots.
    EXPECT_NEAR(ink.top(), Px(y + note.cy - 289), 2);
    EXPECT_NEAR(ink.bottom() + 1, Px(y + note.cy), 2);
    EXPECT_GE(ink.left(), Px(x) - 1);
    EXPECT_LE(ink.right() + 1, Px(x + note.cx) + 1);
}

TEST_F(GlyphImage, OctaveDotsClearTheDigitAboveAndBelow)
{
    const int x = 500, y = 1200;
    Size note;
    int interval = 0;
    const QImage above = Render([&](GdiScorePainter& p, DrawResourceTable&) {
        note = p.GetNoteSize();
        interval = p.GetOctaveDotInterval();
        p.DrawOctaveDots(x, y - 2 * interval, 2, 0);  // placed as the note places them
    });
    const QRect high = InkBounds(above);
    ASSERT_FALSE(high.isEmpty());
    EXPECT_LT(high.bottom(), Px(y));  // above the digit's top
    EXPECT_GT(high.height(), Px(interval));  // two dots, one above the other

    const QImage below = Render([&](GdiScorePainter& p, DrawResourceTable&) {
        p.DrawOctaveDots(x, y + note.cy + interval, -1, 0);
    });
    const QRect low = InkBounds(below);
    ASSERT_FALSE(low.isEmpty());
    EXPECT_GT(low.top(), Px(y + note.cy));  // below the digit's bottom
    // Centred under the digit.
    EXPECT_NEAR((low.left() + low.right() + 1) / 2.0, Px(x + note.cx / 2), 2.0);
}

TEST_F(GlyphImage, ASharpStandsLeftOfItsNote)
{
    const int x = 1500, y = 1000;
    Size accidental;
    const QImage image = Render([&](GdiScorePainter& p, DrawResourceTable&) {
        accidental = p.MeasureAccidental(1);
        // As the note places its accidental: left of the note, half its height higher.
        p.DrawAccidental(x - accidental.cx, y - accidental.cy / 2, 1, 0);
    });
    const QRect ink = InkBounds(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.right(), Px(x));
    EXPECT_GE(ink.left(), Px(x - accidental.cx) - 2);
}

}  // namespace
