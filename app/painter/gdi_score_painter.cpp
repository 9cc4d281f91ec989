#include "app/painter/gdi_score_painter.h"

#include "platform/music_glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace brindle {
namespace {

namespace music = platform::music;

// Dynamics marks 1 to 23 as strings of music-font letters; any other code is empty.
std::u16string DynamicText(int code)
{
    constexpr char16_t f = music::kDynamicF;
    constexpr char16_t m = music::kDynamicM;
    constexpr char16_t p = music::kDynamicP;
    constexpr char16_t r = music::kDynamicR;
    constexpr char16_t s = music::kDynamicS;
    constexpr char16_t z = music::kDynamicZ;
    if (code >= 1 && code <= 6)
        return std::u16string(static_cast<std::size_t>(code), p);  // p ... pppppp
    if (code >= 7 && code <= 12)
        return std::u16string(static_cast<std::size_t>(code - 6), f);  // f ... ffffff
    switch (code) {
    case 13: return {m, p};
    case 14: return {m, f};
    case 15: return {s, f};
    case 16: return {s, f, p};
    case 17: return {s, f, p, p};
    case 18: return {f, p};
    case 19: return {r, f};
    case 20: return {r, f, z};
    case 21: return {s, f, z};
    case 22: return {s, f, f, z, z};
    case 23: return {f, z};
    default: return {};
    }
}

const DrawResourceTable& DefaultTable()
{
    static const DrawResourceTable table;
    return table;
}

}  // namespace

// Selects a font for the length of one operation.
class GdiScorePainter::FontScope {
public:
    FontScope(platform::DeviceContext& dc, const quaverly::LogFont& font)
        : dc_(dc), saved_(dc.SelectFont(font))
    {
    }
    ~FontScope() { dc_.SelectFont(saved_); }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    platform::DeviceContext& dc_;
    quaverly::LogFont saved_;
};

// Limits drawing to a region for the length of one operation: the region within the clip
// the caller had, which is selected again afterwards (no clip when the caller had none).
class GdiScorePainter::ClipScope {
public:
    ClipScope(platform::DeviceContext& dc, const platform::Region& region)
        : dc_(dc), saved_(dc.GetClipRegion())
    {
        const platform::Region clip =
            saved_ ? platform::Region::Combine(*saved_, region, platform::RegionCombine::And)
                   : region;
        dc_.SelectClipRegion(&clip);
    }
    ~ClipScope() { dc_.SelectClipRegion(saved_ ? &*saved_ : nullptr); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    platform::DeviceContext& dc_;
    std::optional<platform::Region> saved_;
};

std::u16string GdiScorePainter::Decimal(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

void GdiScorePainter::SetTransparentBackground()
{
    if (dc_)
        dc_->SetBkMode(platform::BkMode::Transparent);
}

const DrawResourceTable& GdiScorePainter::Table() const
{
    return table_ ? *table_ : DefaultTable();
}

platform::ColorRef GdiScorePainter::Color(int colorKey) const
{
    return Table().GetColor(colorKey);
}

platform::Rect GdiScorePainter::At(const quaverly::Rect& r) const
{
    return {r.left + xOffset_, r.top + yOffset_, r.right + xOffset_, r.bottom + yOffset_};
}

platform::Region GdiScorePainter::DeviceRegion(const quaverly::Rect& r) const
{
    const platform::Point a = dc_->LPtoDP(At(r.left, r.top));
    const platform::Point b = dc_->LPtoDP(At(r.right, r.bottom));
    return platform::Region(platform::Rect{std::min(a.x, b.x), std::min(a.y, b.y),
                                           std::max(a.x, b.x), std::max(a.y, b.y)});
}

quaverly::LogFont GdiScorePainter::ScaledFont(const quaverly::LogFont& font,
                                              double extraScale) const
{
    quaverly::LogFont scaled = font;
    scaled.height =
        static_cast<std::int32_t>(font.height * static_cast<double>(scale_) * extraScale);
    return scaled;
}

quaverly::LogFont GdiScorePainter::ScaledFont(int fontKey, double extraScale) const
{
    return ScaledFont(TableFont(fontKey), extraScale);
}

quaverly::LogFont GdiScorePainter::TableFont(int fontKey) const
{
    const DrawResourceTable& table = Table();
    const std::uint64_t generation = table.GetFontGeneration();
    if (tableFonts_.table != &table || tableFonts_.generation != generation)
        tableFonts_ = TableFonts{&table, generation, {}};
    if (fontKey < 0 || static_cast<std::size_t>(fontKey) >= tableFonts_.fonts.size())
        return table.GetFont(fontKey);
    std::optional<quaverly::LogFont>& font = tableFonts_.fonts[static_cast<std::size_t>(fontKey)];
    if (!font)
        font = table.GetFont(fontKey);
    return *font;
}

void GdiScorePainter::DrawString(const quaverly::LogFont& scaledFont, int x, int y,
                                 unsigned align, std::u16string_view text, int colorKey)
{
    if (!dc_)
        return;
    FontScope font(*dc_, scaledFont);
    const unsigned savedAlign = dc_->SetTextAlign(align);
    const platform::ColorRef savedColor = dc_->SetTextColor(Color(colorKey));
    const platform::Point p = At(x, y);
    dc_->TextOut(p.x, p.y, text);
    dc_->SetTextColor(savedColor);
    dc_->SetTextAlign(savedAlign);
}

quaverly::Size GdiScorePainter::MeasureString(const quaverly::LogFont& scaledFont,
                                              std::u16string_view text)
{
    if (!dc_)
        return {};
    FontScope font(*dc_, scaledFont);
    const platform::Size extent = dc_->GetTextExtent(text);
    return {extent.cx, extent.cy};
}

platform::TextMetrics GdiScorePainter::FontMetrics(const quaverly::LogFont& scaledFont)
{
    if (!dc_)
        return {};
    FontScope font(*dc_, scaledFont);
    return dc_->GetTextMetrics();
}

int GdiScorePainter::VisibleHeight(const quaverly::LogFont& scaledFont)
{
    const platform::TextMetrics tm = FontMetrics(scaledFont);
    return tm.ascent - tm.internalLeading;
}

void GdiScorePainter::DrawStringInRect(const quaverly::LogFont& scaledFont,
                                       const quaverly::Rect& rect, unsigned format,
                                       std::u16string_view text, int colorKey)
{
    if (!dc_)
        return;
    FontScope font(*dc_, scaledFont);
    const platform::ColorRef savedColor = dc_->SetTextColor(Color(colorKey));
    platform::Rect box = At(rect);
    dc_->DrawText(text, box, format);
    dc_->SetTextColor(savedColor);
}

void GdiScorePainter::Polyline(std::initializer_list<quaverly::Point> points, int style,
                               int width, int colorKey)
{
    if (!dc_ || points.size() < 2)
        return;
    const platform::Pen saved = dc_->SelectPen(platform::Pen{style, width, Color(colorKey)});
    bool first = true;
    for (const quaverly::Point& p : points) {
        const platform::Point q = At(p.x, p.y);
        if (first)
            dc_->MoveTo(q.x, q.y);
        else
            dc_->LineTo(q.x, q.y);
        first = false;
    }
    dc_->SelectPen(saved);
}

void GdiScorePainter::Line(quaverly::Point a, quaverly::Point b, int style, int width,
                           int colorKey)
{
    Polyline({a, b}, style, width, colorKey);
}

void GdiScorePainter::Outline(const quaverly::Rect& r, int style, int colorKey)
{
    Polyline({{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom},
              {r.left, r.bottom}},
             style, 0, colorKey);
}

void GdiScorePainter::FillBox(const quaverly::Rect& rect, int colorKey)
{
    if (!dc_)
        return;
    const platform::ColorRef saved = dc_->SetBkColor(Color(colorKey));
    const platform::Rect box = At(rect);
    dc_->ExtTextOut(box.left, box.top, platform::kEtoOpaque, &box, u"");
    dc_->SetBkColor(saved);
}

void GdiScorePainter::FilledPolygon(std::initializer_list<quaverly::Point> points,
                                    int penWidth, int colorKey)
{
    if (!dc_)
        return;
    const platform::ColorRef color = Color(colorKey);
    const platform::Pen savedPen =
        dc_->SelectPen(platform::Pen{platform::kPsSolid, penWidth, color});
    const platform::Brush savedBrush = dc_->SelectBrush(platform::Brush::Solid(color));
    std::vector<platform::Point> corners;
    for (const quaverly::Point& p : points)
        corners.push_back(At(p.x, p.y));
    dc_->Polygon(corners);
    dc_->SelectBrush(savedBrush);
    dc_->SelectPen(savedPen);
}

// A flat bracket: a straight top edge one radius above the end points, its ends bent down
// along circles of that radius. A span shorter than two radii is drawn as the curved band.
void GdiScorePainter::FlatBracket(int x1, int y1, int x2, int y2, int colorKey)
{
    if (!dc_)
        return;
    const LayoutMetrics& m = Table().GetMetrics();
    const int r = m.flatSlurHeight;
    if (x2 - x1 < 2 * r) {
        Band(x1, y1 - 50, y1 - 50 - (x2 - x1) / 3, x2, y2 - 50, colorKey);
        return;
    }
    const platform::Pen saved =
        dc_->SelectPen(platform::Pen{platform::kPsSolid, m.bracketLineWidth, Color(colorKey)});
    const platform::Point leftTop = At(x1 + r, y1 - r);
    const platform::Point leftCentre = At(x1 + r, y1);
    const platform::Point rightTop = At(x2 - r, y2 - r);
    const platform::Point rightCentre = At(x2 - r, y2);
    dc_->MoveTo(leftTop.x, leftTop.y);
    dc_->AngleArc(leftCentre.x, leftCentre.y, r, 90.0f, 75.0f);
    dc_->MoveTo(leftTop.x, leftTop.y);
    dc_->LineTo(rightTop.x, rightTop.y);
    dc_->AngleArc(rightCentre.x, rightCentre.y, r, 90.0f, -75.0f);
    dc_->SelectPen(saved);
}

// The slur: a filled crescent from (x1, y1) to (x3, y3) bulging to y2, 30 thick at the ends.
void GdiScorePainter::Band(int x1, int y1, int y2, int x3, int y3, int colorKey)
{
    if (!dc_)
        return;
    const int q = (x3 - x1) / 4;
    const platform::Brush saved = dc_->SelectBrush(platform::Brush::Solid(Color(colorKey)));
    dc_->BeginPath();
    const platform::Point start = At(x1, y1 - 30);
    dc_->MoveTo(start.x, start.y);
    const std::array<platform::Point, 3> upper{At(x1 + q, y2 - 40), At(x3 - q, y2 - 40),
                                               At(x3, y3 - 30)};
    dc_->PolyBezierTo(upper);
    const platform::Point end = At(x3, y3);
    dc_->LineTo(end.x, end.y);
    const std::array<platform::Point, 3> lower{At(x3 - q, y2), At(x1 + q, y2), At(x1, y1)};
    dc_->PolyBezierTo(lower);
    dc_->LineTo(start.x, start.y);
    dc_->EndPath();
    dc_->FillPath();
    dc_->SelectBrush(saved);
}

// --- The interface, in slot order ---

void GdiScorePainter::DrawPageEdge(const quaverly::Rect& rect)
{
    if (BlackAndWhite())
        return;
    Outline(rect, platform::kPsDot, 0);
}

void GdiScorePainter::DrawFrameRect(const quaverly::Rect& rect, int color)
{
    if (BlackAndWhite())
        return;
    Outline(rect, platform::kPsDot, color);
}

void GdiScorePainter::DrawOpenFrameRect(const quaverly::Rect& rect, bool closedLeft,
                                        bool closedRight, int color)
{
    if (BlackAndWhite())
        return;
    constexpr int kWidth = 46;
    Line({rect.left, rect.top}, {rect.right, rect.top}, platform::kPsSolid, kWidth, color);
    Line({rect.left, rect.bottom}, {rect.right, rect.bottom}, platform::kPsSolid, kWidth, color);
    if (closedLeft)
        Line({rect.left, rect.top}, {rect.left, rect.bottom}, platform::kPsSolid, kWidth, color);
    if (closedRight)
        Line({rect.right, rect.top}, {rect.right, rect.bottom}, platform::kPsSolid, kWidth, color);
}

void GdiScorePainter::DrawFrameRect2(const quaverly::Rect& rect, int color)
{
    DrawFrameRect(rect, color);
}

void GdiScorePainter::DrawTrackBaseLine(int x, int y, int length, int color)
{
    if (BlackAndWhite())
        return;
    Line({x, y}, {x + length, y}, platform::kPsDot, 0, color);
}

void GdiScorePainter::DrawThinVerticalLine(int x, int y, int height, int color)
{
    Line({x, y}, {x, y + height}, platform::kPsSolid, Table().GetMetrics().thinBarLineWidth, color);
}

void GdiScorePainter::DrawGuideLine(int x, int y, int length, int color)
{
    if (BlackAndWhite())
        return;
    Line({x, y}, {x, y + length}, platform::kPsSolid, 0, color);
}

void GdiScorePainter::DrawGuideLine2(int x, int y, int length, int color)
{
    DrawGuideLine(x, y, length, color);
}

quaverly::Size GdiScorePainter::GetBarLineExtent(int)
{
    const LayoutMetrics& m = Table().GetMetrics();
    return {m.thickBarLineWidth + m.barLineGap + m.thickBarLineWidth, m.barLineHeight};
}

quaverly::Point GdiScorePainter::GetJumpMarkOffset()
{
    return Table().GetMetrics().jumpMarkOffset;
}

int GdiScorePainter::GetFlatSlurHeight()
{
    return Table().GetMetrics().flatSlurHeight;
}

quaverly::Point GdiScorePainter::GetFlatSlurOffset()
{
    return Table().GetMetrics().flatSlurOffset;
}

platform::Region GdiScorePainter::SlurPieceClip(int x, int y, int length, int height) const
{
    // The clip cuts the bracket across; upwards it leaves room for the whole width of the
    // bracket's line and one pixel, so the top edge shows wherever it falls on the pixels.
    const int above = height + 1 + Table().GetMetrics().bracketLineWidth + Pixels(1);
    return DeviceRegion({x, y - above, x + length, y});
}

void GdiScorePainter::DrawFlatSlurStart(int x, int y, int length, int color)
{
    if (!dc_)
        return;
    // Only the left half of a bracket twice as long shows.
    ClipScope clip(*dc_, SlurPieceClip(x, y, length, GetFlatSlurHeight2()));
    FlatBracket(x, y, x + 2 * length, y, color);
}

void GdiScorePainter::DrawFlatSlurEnd(int x, int y, int length, int color)
{
    if (!dc_)
        return;
    // Only the right half of a bracket twice as long shows.
    ClipScope clip(*dc_, SlurPieceClip(x, y, length, GetFlatSlurHeight()));
    FlatBracket(x - length, y, x + length, y, color);
}

void GdiScorePainter::DrawFlatSlur(int x, int y, int length, int color)
{
    FlatBracket(x, y, x + length, y, color);
}

int GdiScorePainter::GetFlatSlurHeight2()
{
    return Table().GetMetrics().flatSlurHeight2;
}

quaverly::Size GdiScorePainter::MeasureTupletNumber(int actual)
{
    const quaverly::LogFont font = ScaledFont(font_key::kTuplet);
    return {MeasureString(font, Decimal(actual)).cx, VisibleHeight(font)};
}

void GdiScorePainter::DrawTuplet(int x, int y, int width, int actual, int color)
{
    if (!dc_)
        return;
    const int h = GetFlatSlurHeight2() + 1;
    const quaverly::Size number = MeasureTupletNumber(actual);
    const int w = number.cx;
    const int hn = number.cy;
    const int xl = (2 * x + width - w) / 2;
    // The number first, then the bracket clipped so that it breaks around the number.
    DrawString(ScaledFont(font_key::kTuplet), xl, y - h + hn / 2 + 50, kBaselineLeft,
               Decimal(actual), color);
    // The break is the number's box and two pixels more on either side: the digits' side
    // bearings alone would leave the bracket touching them.
    const int margin = Pixels(2);
    const platform::Region span = DeviceRegion({x, y - 2 * h, x + width, y + 2 * h});
    const platform::Region gap = DeviceRegion(
        {xl - margin, y - hn / 2 - h, (2 * x + width + w) / 2 + margin, y + hn / 2 - h});
    ClipScope clip(*dc_, platform::Region::Combine(span, gap, platform::RegionCombine::Diff));
    FlatBracket(x, y, x + width, y, color);
}

quaverly::Size GdiScorePainter::GetSlurEndSize()
{
    return {Pixels(10), 0};
}

quaverly::Size GdiScorePainter::GetSlurEndSize2()
{
    return GetSlurEndSize();
}

quaverly::Size GdiScorePainter::GetNoteSize()
{
    return Table().GetNoteSize();
}

int GdiScorePainter::GetOctaveDotInterval()
{
    return static_cast<int>(Table().GetNoteSize().cy * Table().GetMetrics().noteOctaveDotInterval);
}

int GdiScorePainter::GetLegerInterval()
{
    return static_cast<int>(Table().GetNoteSize().cy * Table().GetMetrics().noteLegerInterval);
}

int GdiScorePainter::GetChordNoteInterval()
{
    return Table().GetMetrics().chordInterval;
}

quaverly::Size GdiScorePainter::GetChordNoteSize()
{
    return GetNoteSize();
}

int GdiScorePainter::GetChordOctaveDotInterval()
{
    return GetOctaveDotInterval();
}

int GdiScorePainter::GetChordLegerInterval()
{
    return GetLegerInterval();
}

void GdiScorePainter::DrawChordLegerLine(quaverly::Point start, int width, int color)
{
    DrawLegerLine(start, width, color);
}

int GdiScorePainter::GetGraceNoteInterval()
{
    return Table().GetMetrics().graceNoteInterval;
}

quaverly::Size GdiScorePainter::GetGraceNoteSize()
{
    return Table().GetGraceNoteSize();
}

int GdiScorePainter::GetGraceOctaveDotInterval()
{
    return static_cast<int>(Table().GetGraceNoteSize().cy *
                            Table().GetMetrics().graceOctaveDotInterval);
}

int GdiScorePainter::GetGraceLegerInterval()
{
    return static_cast<int>(Table().GetGraceNoteSize().cy *
                            Table().GetMetrics().graceLegerInterval);
}

quaverly::Size GdiScorePainter::MeasureEditMarkA()
{
    return {Pixels(8), Pixels(8)};
}

void GdiScorePainter::DrawEditMarkA(int x, int y, int color)
{
    if (BlackAndWhite())
        return;
    const quaverly::Size s = MeasureEditMarkA();
    Outline({x, y, x + s.cx, y + s.cy}, platform::kPsSolid, color);
}

int GdiScorePainter::GetEditMarkSize()
{
    return Pixels(10);
}

quaverly::Size GdiScorePainter::MeasureEditMarkB()
{
    return MeasureEditMarkA();
}

void GdiScorePainter::DrawEditCursor(const quaverly::Rect& rect, int color)
{
    if (BlackAndWhite())
        return;
    const quaverly::Size s = MeasureEditMarkB();
    const int w = s.cx;
    const int h = s.cy;
    const int mid = rect.left + (rect.right - rect.left) / 2;
    const int cursor = quaverly::color_index::kEditMark;
    Line({rect.left, rect.top}, {rect.right, rect.top}, platform::kPsDot, 0, cursor);
    Line({mid, rect.top}, {mid, rect.bottom - h}, platform::kPsDot, 0, cursor);
    FilledPolygon({{mid - w / 4, rect.bottom - 3 * h / 2},
                   {mid + w / 4, rect.bottom - 3 * h / 2},
                   {mid, rect.bottom - h}},
                  0, cursor);
    Outline({mid - w / 2, rect.bottom - h, mid - w / 2 + w, rect.bottom}, platform::kPsSolid,
            color);
}

quaverly::Size GdiScorePainter::MeasureEditMarkC()
{
    return MeasureEditMarkA();
}

void GdiScorePainter::DrawEditMarkC(int x, int y, int color)
{
    if (BlackAndWhite())
        return;
    const quaverly::Size s = MeasureEditMarkC();
    FilledPolygon({{x, y}, {x + s.cx, y}, {x + s.cx / 2, y + s.cy / 2}}, 0, color);
}

quaverly::Size GdiScorePainter::MeasureEditMarkD()
{
    return MeasureEditMarkA();
}

void GdiScorePainter::DrawEditMarkD(int x, int y, int color)
{
    if (BlackAndWhite())
        return;
    const quaverly::Size s = MeasureEditMarkD();
    FilledPolygon({{x, y}, {x, y + s.cy}, {x + s.cx / 2, y + s.cy / 2}}, 0, color);
}

quaverly::Size GdiScorePainter::MeasureEditMarkE()
{
    return {Pixels(6), Pixels(6)};
}

void GdiScorePainter::DrawEditMarkE(int x, int y, int color)
{
    if (BlackAndWhite())
        return;
    const quaverly::Size s = MeasureEditMarkE();
    Outline({x, y, x + s.cx, y + s.cy}, platform::kPsSolid, color);
}

quaverly::Size GdiScorePainter::MeasureEditMarkF()
{
    return {Pixels(10), Pixels(10)};
}

void GdiScorePainter::DrawEditMarkF(int x, int y, int color)
{
    if (BlackAndWhite())
        return;
    // A bracket open to the left, and an arrowhead pointing left at its lower end.
    const int s = Pixels(6);
    const int p = Pixels(2);
    const int xb = static_cast<int>(x + 2.5 * p);
    Polyline({{xb, y}, {xb + s, y}, {xb + s, y + s}, {xb, y + s}}, platform::kPsSolid, p, color);
    FilledPolygon({{xb, y + s - 3 * p / 2},
                   {xb, y + s + 3 * p / 2},
                   {static_cast<int>(xb - 2.5 * p), y + s}},
                  1, color);
}

quaverly::Size GdiScorePainter::MeasureEditMarkG()
{
    return MeasureEditMarkF();
}

void GdiScorePainter::DrawNumberedEditMark(int x, int y, int number, int color)
{
    if (BlackAndWhite())
        return;
    DrawEditMarkF(x, y, color);
    quaverly::LogFont font;
    font.SetFaceName(u"Arial");
    font.height = -Pixels(8);
    const std::u16string text = Decimal(number);
    const int h = MeasureString(font, text).cy;
    DrawString(font, static_cast<int>(x + 5 * scale_), y - h, kTopLeft, text, color);
}

int GdiScorePainter::GetBarLineHeight()
{
    return Table().GetMetrics().barLineHeight;
}

int GdiScorePainter::GetMetric99()
{
    return Table().GetMetrics().metric99;
}

int GdiScorePainter::GetMetric100()
{
    return Table().GetMetrics().metric100;
}

int GdiScorePainter::GetMetric101()
{
    return Table().GetMetrics().metric101;
}

int GdiScorePainter::GetMetric102()
{
    return Table().GetMetrics().metric102;
}

int GdiScorePainter::GetMetric103()
{
    return Table().GetMetrics().metric103;
}

int GdiScorePainter::GetMetric104()
{
    return Table().GetMetrics().metric104;
}

int GdiScorePainter::GetMetric105()
{
    return Table().GetMetrics().metric105;
}

int GdiScorePainter::GetMetric106()
{
    return Table().GetMetrics().metric106;
}

int GdiScorePainter::GetMetric107()
{
    return Table().GetMetrics().metric107;
}

int GdiScorePainter::GetMetric108()
{
    return Table().GetMetrics().metric108;
}

int GdiScorePainter::GetMetric109()
{
    return Table().GetMetrics().metric109;
}

int GdiScorePainter::GetMetric110()
{
    return Table().GetMetrics().metric110;
}

int GdiScorePainter::GetMetric111()
{
    return Table().GetMetrics().metric111;
}

quaverly::Point GdiScorePainter::GetDynamicMarkOffset()
{
    return Table().GetMetrics().dynamicMarkOffset;
}

GdiScorePainter::Overhang GdiScorePainter::InkOverhang(const quaverly::LogFont& scaledFont,
                                                       std::u16string_view text)
{
    if (!dc_ || text.empty())
        return {};
    FontScope font(*dc_, scaledFont);
    const platform::AbcWidths first = dc_->GetCharAbcWidths(text.front());
    const platform::AbcWidths last = dc_->GetCharAbcWidths(text.back());
    return {static_cast<int>(std::ceil(std::max(0.0, -first.a))),
            static_cast<int>(std::ceil(std::max(0.0, -last.c)))};
}

double GdiScorePainter::InkWidth(const quaverly::LogFont& scaledFont, char16_t glyph)
{
    if (!dc_)
        return 0.0;
    FontScope font(*dc_, scaledFont);
    return dc_->GetCharAbcWidths(glyph).b;
}

quaverly::Size GdiScorePainter::MeasureDynamicMark(int code)
{
    // The cell is taller than the marks: its upper 800 are left out. The letters keep the
    // spacing they are made with for combining, so the tail of a p or the hooks of an f
    // reach past the ends of the string: the box is widened by those overhangs.
    const quaverly::LogFont font = ScaledFont(font_key::kMusic);
    const std::u16string text = DynamicText(code);
    const quaverly::Size extent = MeasureString(font, text);
    const Overhang over = InkOverhang(font, text);
    return {extent.cx + over.left + over.right, extent.cy - 800};
}

void GdiScorePainter::DrawDynamicMark(int x, int y, int code, int color)
{
    const std::u16string text = DynamicText(code);
    if (text.empty())
        return;
    const quaverly::LogFont font = ScaledFont(font_key::kMusic);
    const int h = MeasureDynamicMark(code).cy;
    // The string starts right of x by its left overhang, so its ink starts at x.
    DrawString(font, x + InkOverhang(font, text).left, y + h - 50, kBaselineLeft, text, color);
}

int GdiScorePainter::GetWedgeLineWidth()
{
    return Table().GetMetrics().wedgeLineWidth;
}

quaverly::Point GdiScorePainter::GetWedgeOffset()
{
    return Table().GetMetrics().wedgeOffset;
}

quaverly::Point GdiScorePainter::GetWedgeOffset2()
{
    return Table().GetMetrics().wedgeOffset2;
}

int GdiScorePainter::GetWedgeSpread()
{
    return Table().GetMetrics().wedgeSpread;
}

void GdiScorePainter::DrawCurve(int x1, int y1, int, int y2, int x3, int y3, int color)
{
    Band(x1, y1, y2, x3, y3, color);
}

int GdiScorePainter::GetNoteSymbolSpacing()
{
    return Table().GetMetrics().noteSymbolSpacing;
}

quaverly::Point GdiScorePainter::GetNoteSymbolOffset()
{
    return Table().GetMetrics().noteSymbolOffset;
}

quaverly::Size GdiScorePainter::GetSmallMarkSize()
{
    return {Pixels(6), 100};
}

double GdiScorePainter::GetNoteSpacing(int duration)
{
    return Table().GetSpacingFactor(duration) * Table().GetMetrics().spacingUnit;
}

double GdiScorePainter::GetCloseSpacing()
{
    return Table().GetCloseScale() * Table().GetMetrics().spacingUnit;
}

double GdiScorePainter::GetSpacingParam()
{
    return Table().GetSpacingParam();
}

bool GdiScorePainter::IsAreaDrawn(const quaverly::Rect& area) const
{
    if (dc_ == nullptr)
        return true;
    const std::optional<platform::Region> clip = dc_->GetClipRegion();
    if (!clip)
        return true;
    const platform::Point a = dc_->LPtoDP(At(area.left, area.top));
    const platform::Point b = dc_->LPtoDP(At(area.right, area.bottom));
    // A pixel of slack for the rounding of the mapping.
    const int left = std::min(a.x, b.x) - 1;
    const int right = std::max(a.x, b.x) + 1;
    const int top = std::min(a.y, b.y) - 1;
    const int bottom = std::max(a.y, b.y) + 1;
    for (const platform::Rect& r : clip->Rects())
        if (r.left < right && left < r.right && r.top < bottom && top < r.bottom)
            return true;
    return false;
}
}  // namespace brindle
