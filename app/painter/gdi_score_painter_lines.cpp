// The drawing device's lines and line marks: bar lines and repeat dots, the brace and the
// bracket that join staves, wedges, trill and octave lines, ending brackets, arpeggios and
// glissandi. Every point is in 0.01 mm of the page and gets the origin added on its way to
// the context; the glyphs come from the music font (font key 0), baseline-left.
#include "app/painter/gdi_score_painter.h"

#include "platform/music_glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

namespace brindle {
namespace {

namespace music = platform::music;

// Bar-line kinds.
constexpr int kSingleBarLine = 1;
constexpr int kDoubleBarLine = 5;
constexpr int kEndBarLine = 6;    // thin-thick
constexpr int kStartBarLine = 7;  // thick-thin

// Repeat sides and dot sides.
constexpr int kRepeatAfter = 1;
constexpr int kRepeatBefore = 2;
constexpr int kDotsRight = 1;  // of a start repeat
constexpr int kDotsLeft = 2;   // of an end repeat

// n x num / den in 64 bits, truncated toward zero.
int Part(int n, int num, int den)
{
    return static_cast<int>(static_cast<std::int64_t>(n) * num / den);
}

constexpr char16_t kNone = 0;

}  // namespace

// A line of music glyphs: a sign at its start (with a suffix, or between brackets when the
// line goes on from the line before), a row of one glyph, and an optional hook at its end.
// Vertical offsets are from y1 (the hook's from y2).
struct GdiScorePainter::GlyphLineSpec {
    bool bracketed = false;
    int bracketDy = 0;
    int closeShift = 0;  // the closing bracket moves this far back over the sign
    char16_t sign = 0;
    int signDy = 0;
    char16_t suffix = 0;  // none when 0
    int suffixDy = 0;
    char16_t row = 0;
    int rowDy = 0;
    char16_t end = 0;  // none when 0
    int endDy = 0;
};

// --- Helpers ---

void GdiScorePainter::Glyph(const quaverly::LogFont& font, int x, int y, char16_t code,
                            int colorKey)
{
    const char16_t text[1] = {code};
    DrawString(font, x, y, kBaselineLeft, {text, 1}, colorKey);
}

int GdiScorePainter::GlyphWidth(const quaverly::LogFont& font, char16_t code)
{
    const char16_t text[1] = {code};
    return MeasureString(font, {text, 1}).cx;
}

int GdiScorePainter::GlyphRow(const quaverly::LogFont& font, char16_t code, int startX,
                              int endX, int y, int colorKey)
{
    const int step = GlyphWidth(font, code);
    int x = startX;
    if (step <= 0)
        return x;
    while (static_cast<std::int64_t>(x) + step < endX) {
        Glyph(font, x, y, code, colorKey);
        x += step;
    }
    return x;
}

void GdiScorePainter::GlyphLine(int x1, int y1, int x2, int y2, const GlyphLineSpec& spec,
                                int colorKey)
{
    if (!dc_)
        return;
    const quaverly::LogFont font = ScaledFont(font_key::kMusic);
    const int sign = GlyphWidth(font, spec.sign);
    int rowStart = x1;
    if (spec.bracketed) {
        const int bracket = GlyphWidth(font, music::kOpenBracket);
        Glyph(font, x1, y1 + spec.bracketDy, music::kOpenBracket, colorKey);
        Glyph(font, x1 + bracket, y1 + spec.signDy, spec.sign, colorKey);
        Glyph(font, x1 + bracket + sign - spec.closeShift, y1 + spec.bracketDy,
              music::kCloseBracket, colorKey);
        // The closing bracket counts as wide as the opening one.
        rowStart = x1 + 2 * bracket + sign;
    } else {
        Glyph(font, x1, y1 + spec.signDy, spec.sign, colorKey);
        rowStart = x1 + sign;
        if (spec.suffix != kNone) {
            Glyph(font, x1 + sign, y1 + spec.suffixDy, spec.suffix, colorKey);
            rowStart += GlyphWidth(font, spec.suffix);
        }
    }
    GlyphRow(font, spec.row, rowStart, x2, y1 + spec.rowDy, colorKey);
    if (spec.end != kNone)
        Glyph(font, x2, y2 + spec.endDy, spec.end, colorKey);
}

void GdiScorePainter::EndingLine(int x1, int y1, int x2, int y2, char16_t number,
                                 int startHook, int endHook, int colorKey)
{
    if (number != kNone)
        Glyph(ScaledFont(font_key::kMusic), x1 + 50, y1 + 50, number, colorKey);
    const int width = Table().GetEndingLineWidth();
    constexpr int kSolid = platform::kPsSolid;
    if (startHook > 0 && endHook > 0)
        Polyline({{x1, y1 + startHook}, {x1, y1}, {x2, y2}, {x2, y2 + endHook}}, kSolid, width,
                 colorKey);
    else if (startHook > 0)
        Polyline({{x1, y1 + startHook}, {x1, y1}, {x2, y2}}, kSolid, width, colorKey);
    else if (endHook > 0)
        Polyline({{x1, y1}, {x2, y2}, {x2, y2 + endHook}}, kSolid, width, colorKey);
    else
        Polyline({{x1, y1}, {x2, y2}}, kSolid, width, colorKey);
}

int GdiScorePainter::ArpeggioRow(int x1, int y1, int y2, int colorKey)
{
    int ya = std::min(y1, y2);
    const int yb = std::max(y1, y2);
    if (!dc_)
        return ya;
    const quaverly::LogFont upright = ScaledFont(font_key::kMusic);
    const int step = GlyphWidth(upright, music::kWavyLine);
    if (step <= 0)
        return ya;
    quaverly::LogFont turned = upright;
    turned.escapement = 900;
    turned.orientation = 900;
    while (static_cast<std::int64_t>(ya) + step < yb) {
        Glyph(turned, x1 + 50, ya + 150, music::kWavyLine, colorKey);
        ya += step;
    }
    return ya;
}

// --- Bar lines ---

quaverly::Size GdiScorePainter::MeasureBarLine(int barlineType, int repeatMark)
{
    const LayoutMetrics& m = Table().GetMetrics();
    int width = 0;
    switch (barlineType) {
    case kSingleBarLine: width = m.thinBarLineWidth; break;
    case kDoubleBarLine: width = m.thinBarLineWidth + m.barLineGap + m.thinBarLineWidth; break;
    case kEndBarLine: width = m.thinBarLineWidth + m.barLineGap + m.thickBarLineWidth; break;
    case kStartBarLine: width = m.thickBarLineWidth + m.barLineGap + m.thinBarLineWidth; break;
    default: break;
    }
    if (repeatMark == kRepeatAfter || repeatMark == kRepeatBefore)
        width += m.barLineGap + 2 * m.repeatDotSize + m.barLineGap;
    return {width, m.barLineHeight};
}

void GdiScorePainter::DrawBarLine(int x, int y, int height, int side, int barlineType,
                                  bool joined, int color)
{
    const LayoutMetrics& m = Table().GetMetrics();
    const int thin = m.thinBarLineWidth;
    const int thick = m.thickBarLineWidth;
    const int gap = m.barLineGap;
    if (side == kRepeatAfter)
        x += GetBarLineExtent(barlineType).cx;
    switch (barlineType) {
    case kSingleBarLine:
        if (BlackAndWhite()) {
            // Printed and exported: a filled bar of the thin width.
            const int left = side == kRepeatAfter ? x + thin / 2 : x - thin / 2;
            FillBox({left, y, left + thin, y + height}, color);
        } else {
            Line({x, y}, {x, y + height}, platform::kPsSolid, thin, color);
        }
        break;
    case kDoubleBarLine: {
        const int first = side == kRepeatAfter ? x - gap - thin : x;
        Line({first, y}, {first, y + height}, platform::kPsSolid, thin, color);
        Line({first + gap + thin, y}, {first + gap + thin, y + height}, platform::kPsSolid, thin,
             color);
        break;
    }
    case kEndBarLine:
        if (joined)
            x += thick / 2;
        FillBox({x - thick, y, x, y + height}, color);
        FillBox({x - thick - gap - thin, y, x - thick - gap, y + height}, color);
        break;
    case kStartBarLine:
        if (joined)
            x -= thick / 2;
        FillBox({x, y, x + thick, y + height}, color);
        FillBox({x + thick + gap, y, x + thick + gap + thin, y + height}, color);
        break;
    default:
        break;  // kinds 2 to 4 and unknown kinds: nothing
    }
}

void GdiScorePainter::DrawRepeatBarLine(int x, int y, int height, int side, int repeatMark,
                                        bool joined, int color)
{
    if (!dc_)
        return;
    const LayoutMetrics& m = Table().GetMetrics();
    const int thin = m.thinBarLineWidth;
    const int thick = m.thickBarLineWidth;
    const int gap = m.barLineGap;
    const int d = 2 * m.repeatDotSize;
    if (side == kRepeatAfter)
        x += GetBarLineExtent(0).cx;
    int left = 0;
    if (repeatMark == kDotsRight) {
        if (joined)
            x -= thick / 2;
        left = x + thick + thin + 2 * gap;
    } else if (repeatMark == kDotsLeft) {
        if (joined)
            x += thick / 2;
        left = x - thick - thin - 3 * gap - d;
    } else {
        return;
    }
    const platform::ColorRef colour = Color(color);
    const platform::Pen savedPen = dc_->SelectPen(platform::Pen{platform::kPsSolid, 1, colour});
    const platform::Brush savedBrush = dc_->SelectBrush(platform::Brush::Solid(colour));
    const int top = y + height / 3 - d / 2;
    for (const int dotTop : {top, top + height / 3})
        dc_->Ellipse(At(quaverly::Rect{left, dotTop, left + d, dotTop + d}));
    dc_->SelectBrush(savedBrush);
    dc_->SelectPen(savedPen);
}

// --- The brace and the bracket that join staves ---

void GdiScorePainter::DrawSmoothSlur(int x, int y, int height, int color)
{
    if (!dc_)
        return;
    // A curly brace left of x over y .. y + height, its point at mid-height.
    const int e = Pixels(8);
    const int X = x - 31;
    const int h = height / 2;
    auto at = [this](int px, int py) { return At(px, py); };
    auto ex = [e](int num) { return Part(e, num, 13); };
    auto hy = [h](int num) { return Part(h, num, 63); };
    const platform::Brush saved = dc_->SelectBrush(platform::Brush::Solid(Color(color)));
    dc_->BeginPath();
    const platform::Point tip = at(X - e, y + h);
    // Upper half.
    dc_->MoveTo(tip.x, tip.y);
    const std::array<platform::Point, 3> up1{at(X + ex(8), y + hy(47)), at(X - ex(21), y + hy(20)),
                                             at(X, y + hy(2))};
    dc_->PolyBezierTo(up1);
    const platform::Point upperEnd = at(X, y + hy(1));
    dc_->LineTo(upperEnd.x, upperEnd.y);
    const std::array<platform::Point, 3> up2{at(X - ex(28), y + hy(23)),
                                             at(X + ex(5), y + hy(47)), at(X - ex(15), y + h)};
    dc_->PolyBezierTo(up2);
    dc_->LineTo(tip.x, tip.y);
    // Lower half.
    dc_->MoveTo(tip.x, tip.y);
    const std::array<platform::Point, 3> low1{at(X + ex(8), y + hy(79)),
                                              at(X - ex(21), y + hy(106)), at(X, y + hy(124))};
    dc_->PolyBezierTo(low1);
    const platform::Point lowerEnd = at(X, y + hy(125));
    dc_->LineTo(lowerEnd.x, lowerEnd.y);
    const std::array<platform::Point, 3> low2{at(X - ex(28), y + hy(103)),
                                              at(X + ex(5), y + hy(78)), at(X - ex(15), y + h)};
    dc_->PolyBezierTo(low2);
    dc_->LineTo(tip.x, tip.y);
    dc_->EndPath();
    dc_->FillPath();
    dc_->SelectBrush(saved);
}

void GdiScorePainter::DrawSmoothSlurSegment(int x, int y, int height, int color)
{
    if (!dc_)
        return;
    // A square bracket left of x: a spine 77 wide with hooks reaching right at both ends.
    const int X = x - 77;
    const int Y = y - 31;
    const int L = height + 62;
    auto at = [this](int px, int py) { return At(px, py); };
    const platform::Brush saved = dc_->SelectBrush(platform::Brush::Solid(Color(color)));
    dc_->BeginPath();
    const platform::Point start = at(X + 155, Y - 155);
    dc_->MoveTo(start.x, start.y);
    const std::array<platform::Point, 3> topHook{at(X + 77, Y - 84), at(X + 77, Y - 84),
                                                 at(X - 77, Y - 46)};
    dc_->PolyBezierTo(topHook);
    const platform::Point spineBottom = at(X - 77, Y + L + 46);
    dc_->LineTo(spineBottom.x, spineBottom.y);
    const std::array<platform::Point, 3> bottomHook{at(X + 77, Y + L + 84), at(X + 77, Y + L + 84),
                                                    at(X + 155, Y + L + 155)};
    dc_->PolyBezierTo(bottomHook);
    const std::array<platform::Point, 3> bottomInner{at(X + 155, Y + L + 124),
                                                     at(X + 77, Y + L + 38), at(X, Y + L)};
    dc_->PolyBezierTo(bottomInner);
    const platform::Point spineTop = at(X, Y);
    dc_->LineTo(spineTop.x, spineTop.y);
    const std::array<platform::Point, 3> topInner{at(X + 77, Y - 38), at(X + 155, Y - 124),
                                                  at(X + 155, Y - 155)};
    dc_->PolyBezierTo(topInner);
    dc_->EndPath();
    dc_->FillPath();
    dc_->SelectBrush(saved);
}

// --- Wedges: two lines each, opening (crescendo) or closing (decrescendo); the start and
// end pieces of a wedge broken at a line end open or close half-way. ---

void GdiScorePainter::Wedge(int x1, int y1, int x2, int y2, int startHalf, int endHalf,
                            int colorKey)
{
    const int width = Table().GetMetrics().wedgeLineWidth;
    Line({x1, y1 - startHalf}, {x2, y2 - endHalf}, platform::kPsSolid, width, colorKey);
    Line({x1, y1 + startHalf}, {x2, y2 + endHalf}, platform::kPsSolid, width, colorKey);
}

void GdiScorePainter::DrawCrescendoStart(int x1, int y1, int x2, int y2, int color)
{
    const int s = Table().GetMetrics().wedgeSpread;
    Wedge(x1, y1, x2, y2, 0, s / 4, color);
}

void GdiScorePainter::DrawCrescendoEnd(int x1, int y1, int x2, int y2, int color)
{
    const int s = Table().GetMetrics().wedgeSpread;
    Wedge(x1, y1, x2, y2, s / 4, s / 2, color);
}

void GdiScorePainter::DrawCrescendo(int x1, int y1, int x2, int y2, int color)
{
    const int s = Table().GetMetrics().wedgeSpread;
    Wedge(x1, y1, x2, y2, 0, s / 2, color);
}

void GdiScorePainter::DrawDecrescendoStart(int x1, int y1, int x2, int y2, int color)
{
    const int s = Table().GetMetrics().wedgeSpread;
    Wedge(x1, y1, x2, y2, s / 2, s / 4, color);
}

void GdiScorePainter::DrawDecrescendoEnd(int x1, int y1, int x2, int y2, int color)
{
    const int s = Table().GetMetrics().wedgeSpread;
    Wedge(x1, y1, x2, y2, s / 4, 0, color);
}

void GdiScorePainter::DrawDecrescendo(int x1, int y1, int x2, int y2, int color)
{
    const int s = Table().GetMetrics().wedgeSpread;
    Wedge(x1, y1, x2, y2, s / 2, 0, color);
}

// --- Trill and octave lines ---

void GdiScorePainter::DrawTrillLine(int x1, int y1, int x2, int y2, int color)
{
    GlyphLineSpec spec;
    spec.sign = music::kTrill;
    spec.signDy = 130;
    spec.row = music::kWavyLine;
    spec.rowDy = 50;
    GlyphLine(x1, y1, x2, y2, spec, color);
}

void GdiScorePainter::DrawTrillLineContinued(int x1, int y1, int x2, int y2, int color)
{
    GlyphLineSpec spec;
    spec.bracketed = true;
    spec.bracketDy = 220;
    spec.closeShift = 70;
    spec.sign = music::kTrill;
    spec.signDy = 130;
    spec.row = music::kWavyLine;
    spec.rowDy = 50;
    GlyphLine(x1, y1, x2, y2, spec, color);
}

namespace {

// An octave line: "8va" above the notes, "8vb" below; a continued piece shows "(8)".
// (A template so that it may fill the painter's private record without naming it.)
template <class Spec>
Spec OctaveLine(bool high, bool continued, bool hooked)
{
    Spec spec;
    spec.sign = music::kOctaveEight;
    spec.signDy = 180;
    if (continued) {
        spec.bracketed = true;
        spec.bracketDy = 250;
        spec.closeShift = 50;
    } else {
        spec.suffix = high ? music::kOctaveVa : music::kOctaveVb;
        spec.suffixDy = 70;
    }
    spec.row = music::kOctaveDash;
    spec.rowDy = high ? 0 : 180;
    if (hooked) {
        spec.end = high ? music::kOctaveHookDown : music::kOctaveHookUp;
        spec.endDy = high ? 0 : 180;
    }
    return spec;
}

}  // namespace

void GdiScorePainter::DrawHighOctaveStart(int x1, int y1, int x2, int y2, int color)
{
    GlyphLine(x1, y1, x2, y2, OctaveLine<GlyphLineSpec>(true, false, false), color);
}

void GdiScorePainter::DrawHighOctaveEnd(int x1, int y1, int x2, int y2, int color)
{
    GlyphLine(x1, y1, x2, y2, OctaveLine<GlyphLineSpec>(true, true, true), color);
}

void GdiScorePainter::DrawHighOctave(int x1, int y1, int x2, int y2, int color)
{
    GlyphLine(x1, y1, x2, y2, OctaveLine<GlyphLineSpec>(true, false, true), color);
}

void GdiScorePainter::DrawLowOctaveStart(int x1, int y1, int x2, int y2, int color)
{
    GlyphLine(x1, y1, x2, y2, OctaveLine<GlyphLineSpec>(false, false, false), color);
}

void GdiScorePainter::DrawLowOctaveEnd(int x1, int y1, int x2, int y2, int color)
{
    GlyphLine(x1, y1, x2, y2, OctaveLine<GlyphLineSpec>(false, true, true), color);
}

void GdiScorePainter::DrawLowOctave(int x1, int y1, int x2, int y2, int color)
{
    GlyphLine(x1, y1, x2, y2, OctaveLine<GlyphLineSpec>(false, false, true), color);
}

// --- Ending brackets ---

void GdiScorePainter::DrawFirstEndingStart(int x1, int y1, int x2, int y2, int color)
{
    EndingLine(x1, y1, x2, y2, music::kFirstEnding, 250, 0, color);
}

void GdiScorePainter::DrawEndingEnd(int x1, int y1, int x2, int y2, int color)
{
    EndingLine(x1, y1, x2, y2, kNone, 0, 200, color);
}

void GdiScorePainter::DrawFirstEnding(int x1, int y1, int x2, int y2, int color)
{
    EndingLine(x1, y1, x2, y2, music::kFirstEnding, 250, 250, color);
}

void GdiScorePainter::DrawSecondEndingStart(int x1, int y1, int x2, int y2, int color)
{
    EndingLine(x1, y1, x2, y2, music::kSecondEnding, 200, 0, color);
}

void GdiScorePainter::DrawEndingEnd2(int x1, int y1, int x2, int y2, int color)
{
    DrawEndingEnd(x1, y1, x2, y2, color);
}

void GdiScorePainter::DrawSecondEnding(int x1, int y1, int x2, int y2, int color)
{
    EndingLine(x1, y1, x2, y2, music::kSecondEnding, 250, 0, color);
}

// --- Arpeggios and the glissando ---

void GdiScorePainter::DrawArpeggio(int x1, int y1, int, int y2, int color)
{
    ArpeggioRow(x1, y1, y2, color);
}

void GdiScorePainter::DrawArpeggioUpwards(int x1, int y1, int, int y2, int color)
{
    ArpeggioRow(x1, y1, y2, color);
    Glyph(ScaledFont(font_key::kMusic), x1 - 70, std::min(y1, y2), music::kArpeggioArrowUp, color);
}

void GdiScorePainter::DrawArpeggioDownwards(int x1, int y1, int, int y2, int color)
{
    const int end = ArpeggioRow(x1, y1, y2, color);
    Glyph(ScaledFont(font_key::kMusic), x1 - 70, end, music::kArpeggioArrowDown, color);
}

void GdiScorePainter::DrawGlissando(int x1, int y1, int x2, int y2, int color)
{
    if (!dc_)
        return;
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    // The slant, counter-clockwise on the page; a vertical line stands at 90 degrees.
    const double a = y1 == y2 ? 0.0
                              : std::atan2(static_cast<double>(y1) - y2,
                                           static_cast<double>(x2) - x1);
    const quaverly::LogFont upright = ScaledFont(font_key::kMusic);
    const int step = GlyphWidth(upright, music::kWavyLine);
    if (step <= 0)
        return;
    const int dx = static_cast<int>(step * std::cos(a));
    const int dy = static_cast<int>(step * std::sin(a));
    const bool alongX = std::abs(a) <= std::numbers::pi / 4;
    // A step that does not move along the tested axis would never reach the end.
    if ((alongX ? dx : std::abs(dy)) <= 0)
        return;
    quaverly::LogFont turned = upright;
    turned.escapement = static_cast<std::int32_t>(std::lround(a * 1800.0 / std::numbers::pi));
    turned.orientation = turned.escapement;
    std::int64_t x = x1;
    std::int64_t y = y1;
    auto nextFits = [&] {
        if (alongX)
            return x + dx <= x2;
        return dy > 0 ? y - dy >= y2 : y - dy <= y2;
    };
    while (nextFits()) {
        Glyph(turned, static_cast<int>(x), static_cast<int>(y) + 50, music::kWavyLine, color);
        x += dx;
        y -= dy;
    }
}

}  // namespace brindle
