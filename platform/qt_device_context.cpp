#include "platform/qt_device_context.h"

#include "platform/font_mapper.h"
#include "platform/qt_string.h"
#include "platform/text_placement.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRawFont>
#include <QRegion>
#include <QTextLayout>

#include <cmath>
#include <cstring>
#include <numbers>
#include <type_traits>

namespace platform {
namespace {

QColor ToQColor(ColorRef c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QRectF ToQRect(const Rect& r)
{
    return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The default font of a context is 16 device pixels high, whatever the mapping.
constexpr double kDefaultEmPixels = 16.0;

// Lines along an axis up to this many device pixels wide are drawn on whole pixels.
constexpr double kMaxSnappedWidth = 3.0;

// What a context keeps of its measuring at most: past these it starts afresh, so that a
// context living long and meeting many fonts or texts stays small.
constexpr std::size_t kMaxFonts = 64;
constexpr std::size_t kMaxTextsPerFont = 4096;

// Font records compared byte for byte: a plain record without padding.
static_assert(std::has_unique_object_representations_v<quaverly::LogFont>);
bool SameRecord(const quaverly::LogFont& a, const quaverly::LogFont& b)
{
    return std::memcmp(&a, &b, sizeof(quaverly::LogFont)) == 0;
}

// How far the glyph outlines may stray from the ink boxes measured for them (whole
// pixels of a font 64 times as large, glyph positions to 1/64 of a unit), logical units.
constexpr double kInkSlack = 1.0 / 16.0;

std::u16string_view ViewOf(const QString& s)
{
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}


}  // namespace

QtDeviceContext::QtDeviceContext(QPaintDevice* device)
    : device_(device), ownPainter_(std::make_unique<QPainter>(device))
{
    painter_ = ownPainter_.get();
    Init();
}

QtDeviceContext::QtDeviceContext(QPainter* painter) : device_(painter->device()), painter_(painter)
{
    painter_->save();  // the caller's painter gets its state back at the end
    Init();
}

QtDeviceContext::~QtDeviceContext()
{
    if (ownPainter_) {
        if (ownPainter_->isActive())
            ownPainter_->end();
    } else {
        painter_->restore();
    }
}

void QtDeviceContext::Init()
{
    base_ = painter_->worldTransform();
    const QPaintEngine* engine = painter_->paintEngine();
    outlines_ = engine && engine->type() == QPaintEngine::SVG;
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
    MappingChanged();
}

void QtDeviceContext::MappingChanged()
{
    const Mapping& m = GetMapping();
    const double sx = m.ScaleX();
    const double sy = m.ScaleY();
    const QTransform mapping(sx, 0, 0, sy, m.viewportOrg.x - m.windowOrg.x * sx,
                             m.viewportOrg.y - m.windowOrg.y * sy);
    painter_->setWorldTransform(mapping * base_);
    const double perUnit = DevicePixelsPerUnit();
    defaultEm_ = static_cast<int>(std::lround(kDefaultEmPixels / (perUnit > 0.0 ? perUnit : 1.0)));
    fontDirty_ = true;  // a font of default height follows the mapping
}

double QtDeviceContext::DevicePixelsPerUnit() const
{
    return std::fabs(GetMapping().ScaleY()) * std::sqrt(std::fabs(base_.determinant()));
}

int QtDeviceContext::GetDeviceCaps(DeviceCap cap) const
{
    auto* paged = dynamic_cast<QPagedPaintDevice*>(device_);
    QRect full(0, 0, device_->width(), device_->height());
    QRect paint = full;
    if (paged) {
        const QPageLayout layout = paged->pageLayout();
        full = layout.fullRectPixels(device_->logicalDpiX());
        paint = layout.paintRectPixels(device_->logicalDpiX());
    }
    switch (cap) {
    case DeviceCap::HorzSize: return device_->widthMM();
    case DeviceCap::VertSize: return device_->heightMM();
    case DeviceCap::HorzRes: return device_->width();
    case DeviceCap::VertRes: return device_->height();
    case DeviceCap::LogPixelsX: return device_->logicalDpiX();
    case DeviceCap::LogPixelsY: return device_->logicalDpiY();
    case DeviceCap::PhysicalWidth: return full.width();
    case DeviceCap::PhysicalHeight: return full.height();
    case DeviceCap::PhysicalOffsetX: return paint.left() - full.left();
    case DeviceCap::PhysicalOffsetY: return paint.top() - full.top();
    }
    return 0;
}

// Ascent and descent in whole logical units, as text metrics give them, so that text is
// placed by the same numbers that measuring returns.
QtDeviceContext::FontEntry::FontEntry(const quaverly::LogFont& r, int em, const QFont& f)
    : record(r),
      defaultEm(em),
      font(f),
      metrics(f),
      line{std::round(metrics.ascent()), std::round(metrics.descent())}
{
}

QtDeviceContext::FontEntry& QtDeviceContext::CurrentFont()
{
    if (fontDirty_ || font_ == nullptr) {
        const int defaultEm = defaultEm_;
        const quaverly::LogFont& selected = SelectedFont();
        auto matches = [&](const FontEntry* entry) {
            return entry != nullptr && entry->defaultEm == defaultEm &&
                   SameRecord(entry->record, selected);
        };
        // Measuring mostly goes back to the font measured last.
        if (!matches(font_)) {
            font_ = nullptr;
            for (const auto& entry : fonts_) {
                if (matches(entry.get())) {
                    font_ = entry.get();
                    break;
                }
            }
        }
        if (font_ == nullptr) {
            if (fonts_.size() >= kMaxFonts)
                fonts_.clear();
            fonts_.push_back(std::make_unique<FontEntry>(
                selected, defaultEm, FontMapper::ToQFont(selected, defaultEm)));
            font_ = fonts_.back().get();
        }
        fontDirty_ = false;
    }
    return *font_;
}

const QFont& QtDeviceContext::CurrentQFont()
{
    return CurrentFont().font;
}

QtDeviceContext::LineMetrics QtDeviceContext::Metrics()
{
    return CurrentFont().line;
}

double QtDeviceContext::Advance(std::u16string_view text)
{
    FontEntry& entry = CurrentFont();
    if (auto it = entry.advances.find(text); it != entry.advances.end())
        return it->second;
    const double advance = entry.metrics.horizontalAdvance(ToQString(text));
    if (entry.advances.size() >= kMaxTextsPerFont)
        entry.advances.clear();
    entry.advances.emplace(std::u16string(text), advance);
    return advance;
}

double QtDeviceContext::Advance(const QString& text)
{
    return Advance(ViewOf(text));
}

Size QtDeviceContext::GetTextExtent(std::u16string_view text)
{
    const double advance = Advance(text);
    const LineMetrics m = Metrics();
    return Size{static_cast<std::int32_t>(std::lround(advance)),
                static_cast<std::int32_t>(m.ascent + m.descent)};
}

TextMetrics QtDeviceContext::GetTextMetrics()
{
    FontEntry& entry = CurrentFont();
    if (entry.textMetrics)
        return *entry.textMetrics;
    const QFont& font = entry.font;
    const QFontMetricsF& fm = entry.metrics;
    const LineMetrics m = entry.line;
    TextMetrics tm;
    tm.ascent = static_cast<std::int32_t>(m.ascent);
    tm.descent = static_cast<std::int32_t>(m.descent);
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = std::max(0, tm.height - font.pixelSize());
    tm.externalLeading = static_cast<std::int32_t>(std::lround(std::max(0.0, fm.leading())));
    tm.aveCharWidth = static_cast<std::int32_t>(std::lround(fm.averageCharWidth()));
    tm.maxCharWidth = static_cast<std::int32_t>(std::lround(fm.maxWidth()));
    const std::int32_t weight = SelectedFont().weight;
    tm.weight = weight <= 0 ? 400 : weight;
    entry.textMetrics = tm;
    return tm;
}

AbcWidths QtDeviceContext::GetCharAbcWidths(char16_t ch)
{
    FontEntry& entry = CurrentFont();
    if (auto it = entry.abcWidths.find(ch); it != entry.abcWidths.end())
        return it->second;
    const QFontMetricsF& fm = entry.metrics;
    const QChar c(ch);
    const double advance = fm.horizontalAdvance(c);
    const double a = fm.leftBearing(c);
    const double cw = fm.rightBearing(c);
    const AbcWidths widths{a, advance - a - cw, cw};
    entry.abcWidths.emplace(ch, widths);
    return widths;
}

void QtDeviceContext::DrawRun(double x, double y, unsigned align, const QString& text,
                              bool fillCell)
{
    const QFont& font = CurrentQFont();
    const LineMetrics m = Metrics();
    const double width = Advance(text);

    const QPointF offset = AlignedTextOffset(align, width, m.ascent, m.descent);
    const double dx = offset.x();
    const double dy = offset.y();

    // The text's own origin on a whole pixel, as the desktop places text: a glyph drawn
    // twice (a column of dots) looks the same each time.
    const bool turned = SelectedFont().escapement != 0;
    if (turned || outlines_) {
        // The glyphs are placed about the origin: the painter moves there (and turns).
        painter_->save();
        if (turned) {
            painter_->translate(SnappedPoint(QPointF(x, y)));
            painter_->rotate(-SelectedFont().escapement / 10.0);
        } else {
            const QPointF origin = SnappedPoint(QPointF(x + dx, y + dy));
            painter_->translate(origin.x() - dx, origin.y() - dy);
        }
        if (outlines_) {
            if (fillCell) {
                QPainterPath area;
                area.addRect(QRectF(dx, dy - m.ascent, width, m.ascent + m.descent));
                FillClipped(area, ToQColor(GetBkColor()));
            }
            QPainterPath glyphs;
            glyphs.setFillRule(Qt::WindingFill);
            glyphs.addText(QPointF(dx, dy), font, text);
            FillClipped(glyphs, ToQColor(GetTextColor()));
        } else {
            PaintRun(QPointF(dx, dy), width, m, text, fillCell);
        }
        painter_->restore();
        return;
    }
    // Otherwise the text goes to its origin directly (on a printer or a PDF its glyph
    // positions kept to 1/64 of a logical unit): saving, moving and restoring the
    // painter for every text makes a printer's engine write its whole state out each
    // time, and costs the screen a copy of that state per glyph. The painter keeps the
    // font and pen afterwards (nothing else here draws with them).
    PaintRun(SnappedPoint(QPointF(x + dx, y + dy)), width, m, text, fillCell);
}

void QtDeviceContext::PaintRun(QPointF baselineOrigin, double width, const LineMetrics& m,
                               const QString& text, bool fillCell)
{
    if (fillCell)
        painter_->fillRect(QRectF(baselineOrigin.x(), baselineOrigin.y() - m.ascent, width,
                                  m.ascent + m.descent),
                           ToQColor(GetBkColor()));
    painter_->setFont(CurrentQFont());
    painter_->setPen(ToQColor(GetTextColor()));
    DrawShaped(baselineOrigin, text);
}

void QtDeviceContext::FillClipped(QPainterPath area, const QColor& color)
{
    if (painter_->hasClipping())
        area = area.intersected(painter_->clipPath());
    painter_->fillPath(area, color);
}

std::optional<QRectF> QtDeviceContext::InkBox(const QString& text)
{
    FontEntry& entry = CurrentFont();
    const std::u16string_view key = ViewOf(text);
    if (auto it = entry.inkBoxes.find(key); it != entry.inkBoxes.end())
        return it->second;
    // Synthesized slants and weights, stretched glyphs and drawn lines are not in the
    // glyphs' own boxes: such text has no box here.
    const QFont& font = entry.font;
    std::optional<QRectF> ink;
    const QTextLayout* shaped = Shaped(text);
    if (shaped && !font.italic() && font.weight() <= QFont::Normal && !font.underline() &&
        !font.strikeOut() && !font.overline() &&
        (font.stretch() == QFont::AnyStretch || font.stretch() == QFont::Unstretched)) {
        constexpr double kLarge = 64.0;
        const double baseline = shaped->lineAt(0).ascent();
        QRectF box;
        for (const QGlyphRun& run : shaped->glyphRuns()) {
            QRawFont large = run.rawFont();
            large.setPixelSize(large.pixelSize() * kLarge);
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < glyphs.size() && g < positions.size(); ++g) {
                const QRectF glyph = large.boundingRect(glyphs[g]);
                if (glyph.isEmpty())
                    continue;
                box |= QRectF(positions[g].x() + glyph.x() / kLarge,
                              positions[g].y() - baseline + glyph.y() / kLarge,
                              glyph.width() / kLarge, glyph.height() / kLarge);
            }
        }
        ink = box;
    }
    if (entry.inkBoxes.size() >= kMaxTextsPerFont)
        entry.inkBoxes.clear();
    entry.inkBoxes.emplace(std::u16string(key), ink);
    return ink;
}

void QtDeviceContext::DrawShaped(QPointF baselineOrigin, const QString& text)
{
    if (const QTextLayout* shaped = Shaped(text))
        shaped->draw(painter_, QPointF(baselineOrigin.x(),
                                       baselineOrigin.y() - shaped->lineAt(0).ascent()));
    else
        painter_->drawText(baselineOrigin, text);
}

const QTextLayout* QtDeviceContext::Shaped(const QString& text)
{
    FontEntry& entry = CurrentFont();
    const std::u16string_view key = ViewOf(text);
    if (auto it = entry.shaped.find(key); it != entry.shaped.end())
        return it->second.get();
    if (entry.shaped.size() >= kMaxTextsPerFont)
        entry.shaped.clear();
    // Tabs, line breaks and right-to-left text a layout treats in its own way: such text
    // is shaped afresh each time by the painter.
    for (const QChar c : text) {
        const QChar::Direction direction = c.direction();
        if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029 ||
            c.unicode() == 0xFFFC || direction == QChar::DirR || direction == QChar::DirAL ||
            direction == QChar::DirRLE || direction == QChar::DirRLO ||
            direction == QChar::DirRLI || direction == QChar::DirFSI) {
            entry.shaped.emplace(std::u16string(key), nullptr);
            return nullptr;
        }
    }
    auto layout = std::make_unique<QTextLayout>(text, entry.font, device_);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(painter_->layoutDirection());
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setPosition(QPointF(0, 0));
    layout->endLayout();
    return entry.shaped.emplace(std::u16string(key), std::move(layout)).first->second.get();
}

void QtDeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text)
{
    if (text.empty())
        return;
    DrawRun(x, y, GetTextAlign(), ToQString(text), GetBkMode() == BkMode::Opaque);
}

void QtDeviceContext::ExtTextOut(std::int32_t x, std::int32_t y, unsigned options,
                                 const Rect* rect, std::u16string_view text)
{
    if (rect && (options & kEtoOpaque))
        FillSnapped(ToQRect(*rect), ToQColor(GetBkColor()));
    if (text.empty())
        return;
    painter_->save();
    if (rect && (options & kEtoClipped))
        painter_->setClipRect(ToQRect(*rect), Qt::IntersectClip);
    DrawRun(x, y, GetTextAlign(), ToQString(text),
            GetBkMode() == BkMode::Opaque && !(rect && (options & kEtoOpaque)));
    painter_->restore();
}

std::int32_t QtDeviceContext::DrawText(std::u16string_view text, Rect& rect, unsigned format)
{
    const LineMetrics m = Metrics();
    const double lineHeight = m.ascent + m.descent;
    const DrawTextLayout layout =
        LayOutDrawText(text, rect, format, CurrentQFont(), lineHeight,
                       [this](const QString& line) { return Advance(line); });
    if (format & kDtCalcRect)
        return layout.height;
    const bool fillCells = GetBkMode() == BkMode::Opaque;
    // The painter's state is saved only for the clip: a printer or PDF engine writes its
    // whole state out again at every clip and every restore. There the clip is left out
    // when the glyphs' outlines (and the cells filled behind them) lie inside the
    // rectangle, where it would cut nothing; the raster engine always gets it.
    bool clip = layout.clip;
    if (clip && !outlines_ && painter_->paintEngine()->type() != QPaintEngine::Raster) {
        const QRectF box = ToQRect(rect);
        bool inside = true;
        for (const DrawTextLine& line : layout.lines) {
            const QPointF origin = SnappedPoint(QPointF(line.x, line.y + m.ascent));
            const std::optional<QRectF> ink = InkBox(line.text);
            if (!ink) {
                inside = false;
                break;
            }
            QRectF covered = ink->translated(origin);
            if (fillCells)
                covered |= QRectF(origin.x(), origin.y() - m.ascent, Advance(line.text), lineHeight);
            inside = covered.left() - kInkSlack >= box.left() &&
                     covered.right() + kInkSlack <= box.right() &&
                     covered.top() - kInkSlack >= box.top() &&
                     covered.bottom() + kInkSlack <= box.bottom();
            if (!inside)
                break;
        }
        clip = !inside;
    }
    if (clip) {
        painter_->save();
        painter_->setClipRect(ToQRect(rect), Qt::IntersectClip);
    }
    for (const DrawTextLine& line : layout.lines)
        DrawRun(line.x, line.y, kTaLeft | kTaTop, line.text, fillCells);
    if (clip)
        painter_->restore();
    return layout.height;
}

QPen QtDeviceContext::MakePen() const
{
    const Pen& selected = SelectedPen();
    if (selected.style == kPsNull)
        return QPen(Qt::NoPen);
    const QColor color = ToQColor(selected.color);
    const double devicePixels = selected.width * DevicePixelsPerUnit();
    if (selected.width <= 1 || devicePixels < 1.0) {
        QPen pen(color, 0);  // cosmetic: one device pixel
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        if (selected.width <= 1) {
            switch (selected.style) {
            case kPsDash: pen.setStyle(Qt::DashLine); break;
            case kPsDot: pen.setStyle(Qt::DotLine); break;
            case kPsDashDot: pen.setStyle(Qt::DashDotLine); break;
            case kPsDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
            default: pen.setCapStyle(Qt::SquareCap); break;
            }
        }
        return pen;
    }
    QPen pen(color, selected.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

void QtDeviceContext::StrokeShape(const QPainterPath& shape)
{
    const QPen pen = MakePen();
    if (pen.style() == Qt::NoPen)
        return;
    if (outlines_ && painter_->hasClipping()) {
        // The line's outline, made where the pen's width is measured (device pixels for a
        // cosmetic pen), clipped and filled.
        QPainterPathStroker stroker(pen);
        if (pen.isCosmetic()) {
            const QTransform& world = painter_->worldTransform();
            stroker.setWidth(std::max(1.0, pen.widthF()));
            FillClipped(world.inverted().map(stroker.createStroke(world.map(shape))), pen.color());
        } else {
            FillClipped(stroker.createStroke(shape), pen.color());
        }
        return;
    }
    painter_->save();
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
    painter_->drawPath(shape);
    painter_->restore();
}

void QtDeviceContext::FillShape(const QPainterPath& shape)
{
    if (SelectedBrush().kind == Brush::Kind::Null)
        return;
    if (outlines_) {
        FillClipped(shape, ToQColor(SelectedBrush().color));
        return;
    }
    painter_->fillPath(shape, QBrush(ToQColor(SelectedBrush().color)));
}

Point QtDeviceContext::MoveTo(std::int32_t x, std::int32_t y)
{
    const Point old{static_cast<std::int32_t>(std::lround(current_.x())),
                    static_cast<std::int32_t>(std::lround(current_.y()))};
    current_ = QPointF(x, y);
    if (pathOpen_)
        path_.moveTo(current_);
    return old;
}

template <class Add>
void QtDeviceContext::AddSegment(Add add)
{
    if (pathOpen_) {
        if (path_.elementCount() == 0)
            path_.moveTo(current_);
        add(path_);
        return;
    }
    QPainterPath segment(current_);
    add(segment);
    StrokeShape(segment);
}

void QtDeviceContext::AddShape(const QPainterPath& shape)
{
    if (pathOpen_) {
        path_.addPath(shape);
        return;
    }
    FillShape(shape);
    StrokeShape(shape);
}

void QtDeviceContext::LineTo(std::int32_t x, std::int32_t y)
{
    const QPointF to(x, y);
    if (pathOpen_ || !StrokeAxisLine(current_, to))
        AddSegment([&](QPainterPath& target) { target.lineTo(to); });
    current_ = to;
}

QPointF QtDeviceContext::SnappedPoint(QPointF logical) const
{
    const QTransform& world = painter_->worldTransform();
    const QPointF device = world.map(logical);
    const QPointF snapped(std::round(device.x()), std::round(device.y()));
    return world.inverted().map(snapped);
}

void QtDeviceContext::FillSnapped(const QRectF& logical, const QColor& color)
{
    if (outlines_) {
        QPainterPath area;
        area.addRect(logical.normalized());
        FillClipped(area, color);
        return;
    }
    const QRectF device = painter_->worldTransform().mapRect(logical);
    double left = std::round(device.left());
    double top = std::round(device.top());
    double right = std::round(device.right());
    double bottom = std::round(device.bottom());
    // Never thinner than one pixel: a thin bar keeps its place.
    if (device.width() > 0 && right <= left)
        right = left + 1;
    if (device.height() > 0 && bottom <= top)
        bottom = top + 1;
    InDevicePixels([&] { painter_->fillRect(QRectF(left, top, right - left, bottom - top), color); });
}

template <class Draw>
void QtDeviceContext::InDevicePixels(Draw draw)
{
    // On whole pixels smoothing changes nothing but the time it takes. The mapping and
    // the hint are put back by hand: a saved copy of the painter's whole state costs
    // more than the shape.
    const QTransform world = painter_->worldTransform();
    const bool smooth = painter_->testRenderHint(QPainter::Antialiasing);
    painter_->setWorldTransform(QTransform());
    painter_->setRenderHint(QPainter::Antialiasing, smoothSnapped_);
    draw();
    painter_->setRenderHint(QPainter::Antialiasing, smooth);
    painter_->setWorldTransform(world);
}

// Thin lines at fractional places come out as grey bands two pixels wide, and lines a
// little apart run together; a thin line along an axis is drawn on whole device pixels
// instead, its width rounded to whole pixels (one at least). At these widths the caps
// are squared off: a round cap of a pixel or two is a square one.
bool QtDeviceContext::StrokeAxisLine(QPointF from, QPointF to)
{
    const QTransform& world = painter_->worldTransform();
    if (world.isRotating() || outlines_)
        return false;
    QPen pen = MakePen();
    if (pen.style() == Qt::NoPen)
        return true;
    const QPointF a = world.map(from);
    const QPointF b = world.map(to);
    const bool horizontal = std::fabs(a.y() - b.y()) < 1e-6;
    const bool vertical = std::fabs(a.x() - b.x()) < 1e-6;
    if (horizontal == vertical)
        return false;  // slanted, or a single point
    const double width =
        pen.isCosmetic() ? 1.0 : std::max(1.0, std::round(pen.widthF() * DevicePixelsPerUnit()));
    if (width > kMaxSnappedWidth)
        return false;  // a wide line keeps its round caps; its edges hardly blur
    // The pen's centre line: on a pixel's middle for odd widths, on its edge for even ones.
    auto centre = [width](double v) {
        return static_cast<long>(width) % 2 == 1 ? std::floor(v) + 0.5 : std::round(v);
    };
    // Round and square caps reach half the width past the ends.
    const double reach = pen.capStyle() == Qt::FlatCap ? 0.0 : width / 2.0;
    QPointF p, q;
    if (horizontal) {
        const double y = centre(a.y());
        p = QPointF(std::round(std::min(a.x(), b.x()) - reach), y);
        q = QPointF(std::round(std::max(a.x(), b.x()) + reach), y);
    } else {
        const double x = centre(a.x());
        p = QPointF(x, std::round(std::min(a.y(), b.y()) - reach));
        q = QPointF(x, std::round(std::max(a.y(), b.y()) + reach));
    }
    if (p == q)
        return true;
    pen.setCosmetic(false);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    // The line now covers whole pixels only (a dotted one whole pixels on and off), so
    // it is drawn without smoothing: the same picture, at a fraction of the cost. A solid
    // one is the rectangle of those pixels.
    if (pen.style() == Qt::SolidLine && !smoothSnapped_) {
        const double half = width / 2.0;
        const QRectF pixels = horizontal ? QRectF(p.x(), p.y() - half, q.x() - p.x(), width)
                                         : QRectF(p.x() - half, p.y(), width, q.y() - p.y());
        const QColor color = pen.color();
        InDevicePixels([&] { painter_->fillRect(pixels, color); });
        return true;
    }
    const QPen saved = painter_->pen();
    painter_->setPen(pen);
    InDevicePixels([&] { painter_->drawLine(p, q); });
    painter_->setPen(saved);
    return true;
}

void QtDeviceContext::PolyBezierTo(std::span<const Point> points)
{
    AddSegment([&](QPainterPath& target) {
        for (std::size_t i = 0; i + 2 < points.size(); i += 3) {
            target.cubicTo(QPointF(points[i].x, points[i].y),
                           QPointF(points[i + 1].x, points[i + 1].y),
                           QPointF(points[i + 2].x, points[i + 2].y));
            current_ = QPointF(points[i + 2].x, points[i + 2].y);
        }
    });
}

void QtDeviceContext::AngleArc(std::int32_t x, std::int32_t y, std::int32_t radius,
                               float startAngle, float sweepAngle)
{
    const QRectF box(x - radius, y - radius, 2.0 * radius, 2.0 * radius);
    // The arc joins the current position with a line to its start.
    AddSegment([&](QPainterPath& target) { target.arcTo(box, startAngle, sweepAngle); });
    const double end = (startAngle + sweepAngle) * std::numbers::pi / 180.0;
    current_ = QPointF(x + radius * std::cos(end), y - radius * std::sin(end));
}

void QtDeviceContext::Rectangle(const Rect& r)
{
    QPainterPath shape;
    shape.addRect(ToQRect(r));
    AddShape(shape);
}

void QtDeviceContext::Ellipse(const Rect& r)
{
    QPainterPath shape;
    shape.addEllipse(ToQRect(r));
    AddShape(shape);
}

void QtDeviceContext::Polygon(std::span<const Point> points)
{
    if (points.size() < 2)
        return;
    QPolygonF polygon;
    for (const Point& p : points)
        polygon << QPointF(p.x, p.y);
    QPainterPath shape;
    shape.setFillRule(Qt::OddEvenFill);
    shape.addPolygon(polygon);
    shape.closeSubpath();
    AddShape(shape);
}

void QtDeviceContext::BeginPath()
{
    path_ = QPainterPath();
    path_.setFillRule(Qt::OddEvenFill);
    pathOpen_ = true;
}

void QtDeviceContext::CloseFigure()
{
    if (pathOpen_)
        path_.closeSubpath();
}

void QtDeviceContext::EndPath()
{
    pathOpen_ = false;
}

void QtDeviceContext::AbortPath()
{
    pathOpen_ = false;
    path_ = QPainterPath();
}

void QtDeviceContext::FillPath()
{
    pathOpen_ = false;
    FillShape(path_);
    path_ = QPainterPath();
}

void QtDeviceContext::ClipChanged()
{
    const std::optional<Region>& region = GetState().clip;
    if (!region) {
        painter_->setClipping(false);
        return;
    }
    QRegion device;
    for (const Rect& r : region->Rects())
        device += QRect(r.left, r.top, r.Width(), r.Height());
    // The region is in device pixels: set it with the device transform.
    const QTransform world = painter_->worldTransform();
    painter_->setWorldTransform(base_);
    painter_->setClipRegion(device, Qt::ReplaceClip);
    painter_->setWorldTransform(world);
}

}  // namespace platform
