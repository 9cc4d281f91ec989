// Measured boxes against the ink: every measure operation of the drawing device, drawn by
// its drawing twin on an image at 96 dpi, must hold all of the twin's ink (one pixel of
// tolerance), wherever the point falls between the pixels. Where the drawing is meant to
// stand outside the box (the first glyph of an accidental pair, the lowered chord
// accidental) the row says by how much the box moves or grows.
//
// The second half holds the gaps that keep neighbouring glyphs apart: octave dots, digits,
// underlines, tuplet numbers and brackets, ending numbers and hooks.
#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "platform/music_glyphs.h"
#include "tests/app/painter/painter_test_util.h"
#include "tests/support/ink_bounds.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using painter_test::Face;

using brindle::GdiScorePainter;
using quaverly::Rect;
using quaverly::Size;

constexpr double kUnitsPerPixel = painter_test::kScreenScale;

// The table of the page being drawn, for the rows that read its stored sizes.
const brindle::DrawResourceTable* g_table = nullptr;

// A pixel counts as ink when it is at least a quarter dark.
bool Inked(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 192;
}

// The bounding box of the ink in the columns from `fromX` to `toX` (all by default), in
// pixels; empty without ink.
std::optional<QRect> InkBounds(const QImage& image, int fromX = 0, int toX = INT_MAX)
{
    const int left = std::max(fromX, 0);
    const int right = std::min(toX, image.width());
    return test_support::InkBounds(image, QRect(left, 0, std::max(right - left, 0), image.height()),
                                   [&](int x, int y) { return Inked(image, x, y); });
}

// One measure operation and its drawing twin, at the point (x, y) of the page.
struct InkCase {
    std::string name;
    // The box the measure gives, placed where the twin draws it.
    std::function<Rect(GdiScorePainter&, int x, int y)> box;
    std::function<void(GdiScorePainter&, int x, int y)> draw;
    // The twin also draws beside the box on purpose (the bracket either side of a tuplet
    // number): only the ink in the box's columns counts.
    bool boxColumnsOnly = false;
};

Rect At(int x, int y, Size s)
{
    return {x, y, x + s.cx, y + s.cy};
}

std::vector<InkCase> AllCases()
{
    std::vector<InkCase> cases;
    auto add = [&cases](std::string name, auto box, auto draw) {
        cases.push_back({std::move(name), box, draw});
    };

    // Note digits at the three sizes: the note box (the chord digit stands in the box of
    // the normal note).
    for (int code = 1; code <= 13; ++code) {
        const std::string n = std::to_string(code);
        add(
            "note " + n, [](GdiScorePainter& p, int x, int y) { return At(x, y, p.GetNoteSize()); },
            [code](GdiScorePainter& p, int x, int y) { p.DrawNote(x, y, code, 0); });
        add(
            "chord note " + n,
            [](GdiScorePainter& p, int x, int y) { return At(x, y, p.GetChordNoteSize()); },
            [code](GdiScorePainter& p, int x, int y) { p.DrawChordNote(x, y, code, 0); });
        if (code != 9)  // grace notes draw no dash
            add(
                "grace note " + n,
                [](GdiScorePainter& p, int x, int y) { return At(x, y, p.GetGraceNoteSize()); },
                [code](GdiScorePainter& p, int x, int y) { p.DrawGraceNote(x, y, code, 0); });
    }

    // Augmentation dots at the three sizes.
    for (int count = 1; count <= 3; ++count) {
        const std::string n = std::to_string(count);
        add(
            "dots " + n,
            [count](GdiScorePainter& p, int x, int y) { return At(x, y, p.MeasureDots(count)); },
            [count](GdiScorePainter& p, int x, int y) { p.DrawDots(x, y, count, 0); });
        add(
            "chord dots " + n,
            [count](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureChordDots(count));
            },
            [count](GdiScorePainter& p, int x, int y) { p.DrawChordDots(x, y, count, 0); });
        add(
            "grace dots " + n,
            [count](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureGraceDots(count));
            },
            [count](GdiScorePainter& p, int x, int y) { p.DrawGraceDots(x, y, count, 0); });
    }

    // Accidentals. A pair draws its first glyph left of the box, one box width further;
    // a chord accidental stands lower by the difference of the note heights.
    for (int value = -3; value <= 4; ++value) {
        if (value == 0)
            continue;
        const std::string n = std::to_string(value);
        const bool pair = value == -3 || value == 3;
        add(
            "accidental " + n,
            [value, pair](GdiScorePainter& p, int x, int y) {
                Rect r = At(x, y, p.MeasureAccidental(value));
                if (pair)
                    r.left -= r.Width();
                return r;
            },
            [value](GdiScorePainter& p, int x, int y) { p.DrawAccidental(x, y, value, 0); });
        add(
            "chord accidental " + n,
            [value, pair](GdiScorePainter& p, int x, int y) {
                Rect r = At(x, y, p.MeasureChordAccidental(value));
                if (pair)
                    r.left -= r.Width();
                const int lower = p.GetNoteSize().cy - g_table->GetChordNoteSize().cy;
                r.top += lower;
                r.bottom += lower;
                return r;
            },
            [value](GdiScorePainter& p, int x, int y) { p.DrawChordAccidental(x, y, value, 0); });
        if (!pair)
            add(
                "grace accidental " + n,
                [value](GdiScorePainter& p, int x, int y) {
                    return At(x, y, p.MeasureGraceAccidental(value));
                },
                [value](GdiScorePainter& p, int x, int y) {
                    p.DrawGraceAccidental(x, y, value, 0);
                });
    }

    for (int kind = 3; kind <= 8; ++kind)
        add(
            "jump mark " + std::to_string(kind),
            [kind](GdiScorePainter& p, int x, int y) { return At(x, y, p.MeasureJumpMark(kind)); },
            [kind](GdiScorePainter& p, int x, int y) { p.DrawJumpMark(x, y, kind, 0); });

    for (int code : {2, 3, 4, 6, 14, 19, 20, 21, 24, 25})
        add(
            "note symbol " + std::to_string(code),
            [code](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureNoteSymbol(code));
            },
            [code](GdiScorePainter& p, int x, int y) { p.DrawNoteSymbol(x, y, code, 0); });

    for (int code = 1; code <= 23; ++code)
        add(
            "dynamic mark " + std::to_string(code),
            [code](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureDynamicMark(code));
            },
            [code](GdiScorePainter& p, int x, int y) { p.DrawDynamicMark(x, y, code, 0); });

    for (int key = -7; key <= 7; ++key)
        add(
            "key signature " + std::to_string(key),
            [key](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureKeySignature(key));
            },
            [key](GdiScorePainter& p, int x, int y) { p.DrawKeySignature(x, y, key, 0); });

    for (const auto& [beats, beatType] :
         std::vector<std::pair<int, int>>{{2, 4}, {3, 4}, {6, 8}, {12, 8}, {3, 16}, {9, 16}})
        add(
            "time signature " + std::to_string(beats) + "/" + std::to_string(beatType),
            [beats, beatType](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureTimeSignature(beats, beatType));
            },
            [beats, beatType](GdiScorePainter& p, int x, int y) {
                p.DrawTimeSignature(x, y, beats, beatType, 0);
            });

    for (int unit : {645120, 322560, 161280, 80640, 40320, 20160})
        add(
            "tempo mark " + std::to_string(unit),
            [unit](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureTempoMark(unit, 120));
            },
            [unit](GdiScorePainter& p, int x, int y) { p.DrawTempoMark(x, y, unit, 120, 0); });

    // The tuplet number: its box is the gap the bracket leaves for it, centred over the span
    // at the height of the bracket.
    constexpr int kTupletSpan = 3000;
    for (int number : {3, 5, 12}) {
        add(
            "tuplet number " + std::to_string(number),
            [number](GdiScorePainter& p, int x, int y) {
                const Size s = p.MeasureTupletNumber(number);
                const int h = p.GetFlatSlurHeight2() + 1;
                const int left = (2 * x + kTupletSpan - s.cx) / 2;
                return Rect{left, y - s.cy / 2 - h, left + s.cx, y + s.cy / 2 - h};
            },
            [number](GdiScorePainter& p, int x, int y) {
                p.DrawTuplet(x, y, kTupletSpan, number, 0);
            });
        cases.back().boxColumnsOnly = true;
    }

    // Texts in the fonts the view sets from the font file.
    using Measure = Size (GdiScorePainter::*)(std::u16string_view);
    using Draw = void (GdiScorePainter::*)(int, int, std::u16string_view, int);
    struct TextPair {
        const char* name;
        Measure measure;
        Draw draw;
    };
    const TextPair texts[] = {
        {"title", &GdiScorePainter::MeasureTitle, &GdiScorePainter::DrawTitle},
        {"subtitle", &GdiScorePainter::MeasureSubtitle, &GdiScorePainter::DrawSubtitle},
        {"poet", &GdiScorePainter::MeasurePoetText, &GdiScorePainter::DrawPoetText},
        {"composer", &GdiScorePainter::MeasureComposerText, &GdiScorePainter::DrawComposerText},
        {"expression", &GdiScorePainter::MeasureExpressionText,
         &GdiScorePainter::DrawExpressionText},
        {"default font", &GdiScorePainter::MeasureDefaultFontText,
         &GdiScorePainter::DrawDefaultFontText},
        {"instrument", &GdiScorePainter::MeasureInstrumentName,
         &GdiScorePainter::DrawInstrumentName},
        {"lyric", &GdiScorePainter::MeasureLyric, &GdiScorePainter::DrawLyric},
    };
    for (const TextPair& t : texts)
        add(
            std::string(t.name) + " text",
            [t](GdiScorePainter& p, int x, int y) { return At(x, y, (p.*t.measure)(u"春眠 Ag")); },
            [t](GdiScorePainter& p, int x, int y) { (p.*t.draw)(x, y, u"春眠 Ag", 0); });

    for (int number : {7, 128})
        add(
            "bar number " + std::to_string(number),
            [number](GdiScorePainter& p, int x, int y) {
                return At(x, y, p.MeasureBarIndex(quaverly::BarNumberFormat{}, number));
            },
            [number](GdiScorePainter& p, int x, int y) {
                p.DrawBarIndex(x, y, quaverly::BarNumberFormat{}, number, 0);
            });

    add(
        "user symbol",
        [](GdiScorePainter& p, int x, int y) {
            quaverly::ExtendSymbol s;
            s.text = u"rit.";
            s.font = Face(u"Times New Roman", -16);
            return At(x, y, p.MeasureExtendSymbol(s));
        },
        [](GdiScorePainter& p, int x, int y) {
            quaverly::ExtendSymbol s;
            s.text = u"rit.";
            s.font = Face(u"Times New Roman", -16);
            p.DrawExtendSymbol(x, y, s, 0);
        });

    // Bar lines: the measured width stands where each kind is drawn from its x (a single
    // line centred on it, a double line from it, the end line ending at it, the start line
    // starting at it); with repeat dots, the end repeat ends at x and the start repeat
    // starts at it.
    struct BarRow {
        const char* name;
        int kind;
        int dots;  // 0 none, 2 left of an end repeat, 1 right of a start repeat
    };
    const BarRow bars[] = {{"single", 1, 0}, {"double", 5, 0},     {"end", 6, 0},
                           {"start", 7, 0},  {"end repeat", 6, 2}, {"start repeat", 7, 1}};
    for (const BarRow& bar : bars)
        add(
            std::string("bar line, ") + bar.name,
            [bar](GdiScorePainter& p, int x, int y) {
                const Size s = p.MeasureBarLine(bar.kind, bar.dots);
                const int thin = g_table->GetMetrics().thinBarLineWidth;
                int left = x;
                if (bar.kind == 1)
                    left = x - s.cx / 2;
                else if (bar.kind == 5)
                    left = x - thin / 2;
                else if (bar.kind == 6)
                    left = x - s.cx;
                return Rect{left, y, left + s.cx, y + s.cy};
            },
            [bar](GdiScorePainter& p, int x, int y) {
                p.DrawBarLine(x, y, p.GetBarLineHeight(), 0, bar.kind, false, 0);
                if (bar.dots != 0)
                    p.DrawRepeatBarLine(x, y, p.GetBarLineHeight(), 0, bar.dots, false, 0);
            });

    // Edit marks (mark F and the numbered mark draw beyond their size on purpose).
    add(
        "edit mark A",
        [](GdiScorePainter& p, int x, int y) { return At(x, y, p.MeasureEditMarkA()); },
        [](GdiScorePainter& p, int x, int y) { p.DrawEditMarkA(x, y, 0); });
    add(
        "edit mark C",
        [](GdiScorePainter& p, int x, int y) { return At(x, y, p.MeasureEditMarkC()); },
        [](GdiScorePainter& p, int x, int y) { p.DrawEditMarkC(x, y, 0); });
    add(
        "edit mark D",
        [](GdiScorePainter& p, int x, int y) { return At(x, y, p.MeasureEditMarkD()); },
        [](GdiScorePainter& p, int x, int y) { p.DrawEditMarkD(x, y, 0); });
    add(
        "edit mark E",
        [](GdiScorePainter& p, int x, int y) { return At(x, y, p.MeasureEditMarkE()); },
        [](GdiScorePainter& p, int x, int y) { p.DrawEditMarkE(x, y, 0); });

    // The grace marks in the strip GetSmallMarkSize gives under two grace notes.
    for (int mark = 0; mark < 2; ++mark)
        add(
            mark == 0 ? "grace comma" : "grace dash",
            [](GdiScorePainter& p, int x, int y) {
                const Size s = p.GetSmallMarkSize();
                return Rect{x, y, x + 2 * p.GetGraceNoteSize().cx, y + s.cy};
            },
            [mark](GdiScorePainter& p, int x, int y) {
                const Size s = p.GetSmallMarkSize();
                const Rect r{x, y, x + 2 * p.GetGraceNoteSize().cx, y + s.cy};
                if (mark == 0)
                    p.DrawCommaMark(r, 0);
                else
                    p.DrawDashMark(r, 0);
            });
    return cases;
}

// Where a box lies on the image, in pixels; (x, y) page units from the image's corner.
struct PixelBox {
    double left, top, right, bottom;
};

PixelBox ToPixels(const Rect& r, double zoom)
{
    const double f = zoom / kUnitsPerPixel;
    return {r.left * f, r.top * f, r.right * f, r.bottom * f};
}

// A page at `zoom` with the text fonts the view sets from the font file.
void SetTextFonts(brindle::DrawResourceTable& table)
{
    table.SetFont(brindle::font_key::kTitle, Face(u"宋体", -24, 700));
    table.SetFont(brindle::font_key::kSubtitle, Face(u"宋体", -16));
    table.SetFont(brindle::font_key::kPoet, Face(u"宋体", -12));
    table.SetFont(brindle::font_key::kComposer, Face(u"宋体", -12));
    table.SetFont(brindle::font_key::kExpression, Face(u"楷体", -14));
    table.SetFont(brindle::font_key::kLyric, Face(u"宋体", -14));
    table.SetFont(brindle::font_key::kBarIndex, Face(u"Arial", -11));
    table.SetFont(brindle::font_key::kInstrumentName, Face(u"黑体", -12));
}

// Draws one case with its point `shift` pixels off the pixel grid and compares.
void ExpectInkInBox(const InkCase& c, double zoom, double shift)
{
    constexpr int kImage = 200;
    painter_test::PaintedPage page(static_cast<int>(kImage * zoom), static_cast<int>(kImage * zoom),
                                   zoom, painter_test::NoteSizes::Measured);
    SetTextFonts(page.Table());
    g_table = &page.Table();
    const int x = static_cast<int>((40 + shift) * kUnitsPerPixel);
    const int y = static_cast<int>((80 + shift) * kUnitsPerPixel);
    const Rect box = c.box(page.Painter(), x, y);
    c.draw(page.Painter(), x, y);
    const PixelBox b = ToPixels(box, zoom);
    const std::optional<QRect> ink =
        c.boxColumnsOnly ? InkBounds(page.Finish(), static_cast<int>(std::ceil(b.left)),
                                     static_cast<int>(std::floor(b.right)))
                         : InkBounds(page.Finish());
    g_table = nullptr;
    ASSERT_TRUE(ink.has_value()) << "no ink";
    // A pixel of ink lies in the box when its centre is within one pixel of it.
    EXPECT_GE(ink->left() + 0.5, b.left - 1.0) << "left";
    EXPECT_LE(ink->right() + 0.5, b.right + 1.0) << "right";
    EXPECT_GE(ink->top() + 0.5, b.top - 1.0) << "top";
    EXPECT_LE(ink->bottom() + 0.5, b.bottom + 1.0) << "bottom";
}

TEST(InkBox, EveryMeasuredBoxHoldsTheInkOfItsTwin)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const InkCase& c : AllCases()) {
        for (const double zoom : {1.0, 2.0}) {
            // Quarter-pixel steps: the box holds the ink wherever the point falls.
            for (const double shift : {0.0, 0.25, 0.5, 0.75}) {
                SCOPED_TRACE(::testing::Message()
                             << c.name << ", zoom " << zoom << ", " << shift << " px off");
                ExpectInkInBox(c, zoom, shift);
            }
        }
    }
}

}  // namespace
