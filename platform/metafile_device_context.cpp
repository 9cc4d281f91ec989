#include "platform/metafile_device_context.h"

#include "platform/atomic_file.h"
#include "platform/qt_device_context.h"
#include "platform/qt_string.h"
#include "platform/text_placement.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

namespace platform {
namespace {

// Record types of the format.
enum RecordType : std::uint32_t {
    kEmrHeader = 1,
    kEmrPolygon = 3,
    kEmrPolyBezierTo = 5,
    kEmrPolyLineTo = 6,
    kEmrSetWindowExtEx = 9,
    kEmrSetWindowOrgEx = 10,
    kEmrSetViewportExtEx = 11,
    kEmrSetViewportOrgEx = 12,
    kEmrEof = 14,
    kEmrSetMapMode = 17,
    kEmrSetBkMode = 18,
    kEmrSetPolyFillMode = 19,
    kEmrMoveToEx = 27,
    kEmrIntersectClipRect = 30,
    kEmrSelectObject = 37,
    kEmrCreateBrushIndirect = 39,
    kEmrDeleteObject = 40,
    kEmrEllipse = 42,
    kEmrRectangle = 43,
    kEmrLineTo = 54,
    kEmrBeginPath = 59,
    kEmrEndPath = 60,
    kEmrCloseFigure = 61,
    kEmrFillPath = 62,
    kEmrSelectClipPath = 67,
    kEmrExtSelectClipRgn = 75,
    kEmrPolygon16 = 86,
    kEmrPolyBezierTo16 = 88,
    kEmrPolyLineTo16 = 89,
    kEmrExtCreatePen = 95,
};

constexpr std::uint32_t kHeaderSize = 108;  // with both extensions of the header
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;

// Stock objects.
constexpr std::uint32_t kWhiteBrush = 0x80000000;
constexpr std::uint32_t kNullBrush = 0x80000005;
constexpr std::uint32_t kBlackPen = 0x80000007;
constexpr std::uint32_t kNullPen = 0x80000008;

// Pen style bits of an extended pen (round ends and round joins are 0).
constexpr std::uint32_t kPsGeometric = 0x00010000;
constexpr std::uint32_t kPsEndcapFlat = 0x00000200;

constexpr std::uint32_t kBsSolid = 0;
constexpr std::uint32_t kTransparentBkMode = 1;
constexpr std::uint32_t kAlternate = 1;
constexpr std::uint32_t kWinding = 2;
constexpr std::uint32_t kRgnCopy = 5;

// The reference surface is a whole number of five-inch steps wide and high, so that its
// millimetres are whole at every resolution; at least 20 x 15 inches, and the frame fits.
constexpr double kHundredthsMmPerInch = 2540.0;
constexpr int kInchStep = 5;
constexpr int kMmPerStep = 127;

int SurfaceInches(std::int32_t farEdge, int least)
{
    const int steps = static_cast<int>(
        std::ceil(std::max(0, farEdge) / (kHundredthsMmPerInch * kInchStep)));
    return std::max(least, steps * kInchStep);
}

std::int32_t Round(double v)
{
    return static_cast<std::int32_t>(std::lround(v));
}

Point Rounded(QPointF p)
{
    return Point{Round(p.x()), Round(p.y())};
}

bool FitsShort(const std::vector<Point>& points)
{
    constexpr std::int32_t lo = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int16_t>::max();
    return std::all_of(points.begin(), points.end(), [](const Point& p) {
        return p.x >= lo && p.x <= hi && p.y >= lo && p.y <= hi;
    });
}

Rect BoundsOf(const std::vector<Point>& points)
{
    Rect r{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const Point& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

Rect Normalized(const Rect& r)
{
    return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

bool SameMapping(const Mapping& a, const Mapping& b)
{
    return a.mode == b.mode && a.windowOrg == b.windowOrg && a.viewportOrg == b.viewportOrg &&
           a.windowExt == b.windowExt && a.viewportExt == b.viewportExt;
}

}  // namespace

// The records written so far (without the header, which is made at the end).
class MetafileDeviceContext::Records {
public:
    void Begin(std::uint32_t type)
    {
        start_ = bytes_.size();
        U32(type);
        U32(0);  // size, filled in by End
    }
    void End()
    {
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);
        const auto size = static_cast<std::uint32_t>(bytes_.size() - start_);
        for (int i = 0; i < 4; ++i)
            bytes_[start_ + 4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        ++count_;
    }
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void I16(std::int32_t v)
    {
        const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    void RectL(const Rect& r)
    {
        I32(r.left);
        I32(r.top);
        I32(r.right);
        I32(r.bottom);
    }
    void Points(const std::vector<Point>& points, bool shortForm)
    {
        for (const Point& p : points) {
            if (shortForm) {
                I16(p.x);
                I16(p.y);
            } else {
                I32(p.x);
                I32(p.y);
            }
        }
    }

    // A record of only 32-bit fields.
    void Simple(std::uint32_t type, std::initializer_list<std::int32_t> fields)
    {
        Begin(type);
        for (std::int32_t f : fields)
            I32(f);
        End();
    }
    // A record of a bounding box, a point count and the points, in the short form when
    // every point fits in 16 bits.
    void Poly(std::uint32_t type16, std::uint32_t type32, const std::vector<Point>& points)
    {
        const bool shortForm = FitsShort(points);
        Begin(shortForm ? type16 : type32);
        RectL(BoundsOf(points));
        U32(static_cast<std::uint32_t>(points.size()));
        Points(points, shortForm);
        End();
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::uint32_t Count() const { return count_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t start_ = 0;
    std::uint32_t count_ = 0;
};

MetafileDeviceContext::MetafileDeviceContext(Rect frameHundredthsMm, int referenceDpi)
    : frame_(Normalized(frameHundredthsMm)),
      dpi_(static_cast<int>(std::lround(2540.0 / HundredthsOfMmPerPixel(referenceDpi)))),
      records_(std::make_unique<Records>()),
      measureImage_(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    const int inchesX = SurfaceInches(frame_.right, 20);
    const int inchesY = SurfaceInches(frame_.bottom, 15);
    surfacePixels_ = Size{inchesX * dpi_, inchesY * dpi_};
    surfaceMm_ = Size{inchesX / kInchStep * kMmPerStep, inchesY / kInchStep * kMmPerStep};

    const int dotsPerMeter = static_cast<int>(std::lround(dpi_ / 0.0254));
    measureImage_.setDotsPerMeterX(dotsPerMeter);
    measureImage_.setDotsPerMeterY(dotsPerMeter);
    measureImage_.fill(Qt::transparent);
    measurer_ = std::make_unique<QtDeviceContext>(&measureImage_);

    // Dashes leave their gaps unpainted, as on the screen.
    records_->Simple(kEmrSetBkMode, {static_cast<std::int32_t>(kTransparentBkMode)});
    // The player starts in the text mapping with the alternate filling.
    writtenMapping_ = Mapping{};
    writtenClip_ = std::optional<Region>{};
    fillMode_ = kAlternate;
}

MetafileDeviceContext::~MetafileDeviceContext() = default;

int MetafileDeviceContext::GetDeviceCaps(DeviceCap cap) const
{
    switch (cap) {
    case DeviceCap::HorzSize: return surfaceMm_.cx;
    case DeviceCap::VertSize: return surfaceMm_.cy;
    case DeviceCap::HorzRes:
    case DeviceCap::PhysicalWidth: return surfacePixels_.cx;
    case DeviceCap::VertRes:
    case DeviceCap::PhysicalHeight: return surfacePixels_.cy;
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY: return dpi_;
    case DeviceCap::PhysicalOffsetX:
    case DeviceCap::PhysicalOffsetY: return 0;
    }
    return 0;
}

void MetafileDeviceContext::MappingChanged()
{
    const Mapping& m = GetMapping();
    measurer_->SetMapMode(m.mode);
    measurer_->SetWindowExt(m.windowExt);
    measurer_->SetViewportExt(m.viewportExt);
    measurer_->SetWindowOrg(m.windowOrg);
    measurer_->SetViewportOrg(m.viewportOrg);
}

void MetafileDeviceContext::FontChanged()
{
    measurer_->SelectFont(SelectedFont());
}

Size MetafileDeviceContext::GetTextExtent(std::u16string_view text)
{
    return measurer_->GetTextExtent(text);
}

TextMetrics MetafileDeviceContext::GetTextMetrics()
{
    return measurer_->GetTextMetrics();
}

AbcWidths MetafileDeviceContext::GetCharAbcWidths(char16_t ch)
{
    return measurer_->GetCharAbcWidths(ch);
}

// ---- the state of the picture ----

void MetafileDeviceContext::SyncMapping()
{
    const Mapping& m = GetMapping();
    if (writtenMapping_ && SameMapping(*writtenMapping_, m))
        return;
    records_->Simple(kEmrSetMapMode, {static_cast<std::int32_t>(m.mode)});
    if (m.mode != MapMode::Text) {
        // The window first: an isotropic viewport is fitted to the window's shape.
        records_->Simple(kEmrSetWindowExtEx, {m.windowExt.cx, m.windowExt.cy});
        records_->Simple(kEmrSetViewportExtEx, {m.viewportExt.cx, m.viewportExt.cy});
    }
    records_->Simple(kEmrSetWindowOrgEx, {m.windowOrg.x, m.windowOrg.y});
    records_->Simple(kEmrSetViewportOrgEx, {m.viewportOrg.x, m.viewportOrg.y});
    writtenMapping_ = m;
}

std::optional<Region> MetafileDeviceContext::EffectiveClip() const
{
    std::optional<Region> clip = GetClipRegion();
    auto within = [&clip](const Region& limit) {
        clip = clip ? Region::Combine(*clip, limit, RegionCombine::And) : limit;
    };
    if (temporaryClip_)
        within(*temporaryClip_);
    if (!frame_.IsEmpty()) {
        // Every device pixel that the frame touches; its right and bottom edges belong to it.
        const double perPixel = kHundredthsMmPerInch / dpi_;
        within(Region(Rect{static_cast<std::int32_t>(std::floor(frame_.left / perPixel)),
                           static_cast<std::int32_t>(std::floor(frame_.top / perPixel)),
                           static_cast<std::int32_t>(std::floor(frame_.right / perPixel)) + 1,
                           static_cast<std::int32_t>(std::floor(frame_.bottom / perPixel)) + 1}));
    }
    return clip;
}

bool MetafileDeviceContext::SyncClip()
{
    if (!Drawing())
        return false;
    SyncMapping();
    const std::optional<Region> clip = EffectiveClip();
    if (clip && clip->IsEmpty())
        return false;  // nothing would show: the drawing is left out
    if (writtenClip_ && *writtenClip_ == clip)
        return true;
    auto logical = [this](const Rect& device) {
        const Point a = DPtoLP(Point{device.left, device.top});
        const Point b = DPtoLP(Point{device.right, device.bottom});
        return Normalized(Rect{a.x, a.y, b.x, b.y});
    };
    // Rectangles in the logical units in force, which players agree on (they read the
    // device units of a region record differently): one rectangle intersected with no clip,
    // or a path of the region's rectangles selected as the clip.
    if (!clip || clip->Rects().size() == 1) {
        records_->Begin(kEmrExtSelectClipRgn);
        records_->U32(0);  // no region: back to no clipping
        records_->U32(kRgnCopy);
        records_->End();
        if (clip) {
            records_->Begin(kEmrIntersectClipRect);
            records_->RectL(logical(clip->Rects().front()));
            records_->End();
        }
    } else {
        records_->Simple(kEmrBeginPath, {});
        for (const Rect& device : clip->Rects()) {
            const Rect r = logical(device);
            records_->Simple(kEmrMoveToEx, {r.left, r.top});
            records_->Poly(kEmrPolyLineTo16, kEmrPolyLineTo,
                           {Point{r.right, r.top}, Point{r.right, r.bottom}, Point{r.left, r.bottom}});
            records_->Simple(kEmrCloseFigure, {});
        }
        writtenPosition_.reset();
        records_->Simple(kEmrEndPath, {});
        records_->Simple(kEmrSelectClipPath, {static_cast<std::int32_t>(kRgnCopy)});
    }
    writtenClip_ = clip;
    return true;
}

std::uint32_t MetafileDeviceContext::NewHandle()
{
    // Index 0 of the object table is the picture itself.
    std::size_t i = 1;
    while (i < handlesInUse_.size() && handlesInUse_[i])
        ++i;
    if (i >= handlesInUse_.size())
        handlesInUse_.resize(i + 1, false);
    handlesInUse_[i] = true;
    return static_cast<std::uint32_t>(i);
}

void MetafileDeviceContext::Select(std::uint32_t& slot, std::uint32_t object)
{
    records_->Simple(kEmrSelectObject, {static_cast<std::int32_t>(object)});
    if (slot != 0) {
        records_->Simple(kEmrDeleteObject, {static_cast<std::int32_t>(slot)});
        handlesInUse_[slot] = false;
    }
    slot = (object & 0x80000000u) ? 0 : object;
}

void MetafileDeviceContext::SyncPen(const Pen& pen)
{
    PenKey key;
    if (pen.style == kPsNull) {
        key = PenKey{kPsNull, 0, 0};
    } else if (pen.width > 1) {
        // Geometric: solid, round ends and joins.
        key = PenKey{kPsSolid, pen.width, pen.color};
    } else if (pen.style == kPsSolid) {
        // Cosmetic: one device pixel.
        key = PenKey{kPsSolid, 0, pen.color};
    } else {
        // A dashed or dotted line one device pixel wide: geometric with flat ends, so that
        // its dashes keep their length at any scale the picture is shown at.
        const double perPixel = 1.0 / std::fabs(GetMapping().ScaleY());
        key = PenKey{pen.style, std::max(1, Round(perPixel)), pen.color};
    }
    if (writtenPen_ && *writtenPen_ == key)
        return;
    if (key.style == kPsNull) {
        Select(penHandle_, kNullPen);
    } else {
        std::uint32_t style = static_cast<std::uint32_t>(key.style);
        if (key.width > 0)
            style |= kPsGeometric | (key.style == kPsSolid ? 0u : kPsEndcapFlat);
        const std::uint32_t handle = NewHandle();
        records_->Begin(kEmrExtCreatePen);
        records_->U32(handle);
        records_->U32(0);  // no bitmap: offset and size of its header and bits
        records_->U32(0);
        records_->U32(0);
        records_->U32(0);
        records_->U32(style);
        records_->U32(key.width > 0 ? static_cast<std::uint32_t>(key.width) : 1u);
        records_->U32(kBsSolid);
        records_->U32(key.color);
        records_->U32(0);  // hatch
        records_->U32(0);  // no style entries
        records_->End();
        Select(penHandle_, handle);
    }
    writtenPen_ = key;
}

void MetafileDeviceContext::SyncBrush(const Brush& brush)
{
    const Brush key = brush.kind == Brush::Kind::Null ? Brush::Null() : brush;
    if (writtenBrush_ && *writtenBrush_ == key)
        return;
    if (key.kind == Brush::Kind::Null) {
        Select(brushHandle_, kNullBrush);
    } else {
        const std::uint32_t handle = NewHandle();
        records_->Simple(kEmrCreateBrushIndirect,
                         {static_cast<std::int32_t>(handle), static_cast<std::int32_t>(kBsSolid),
                          static_cast<std::int32_t>(key.color), 0});
        Select(brushHandle_, handle);
    }
    writtenBrush_ = key;
}

void MetafileDeviceContext::SyncFillMode(std::uint32_t mode)
{
    if (fillMode_ == mode)
        return;
    records_->Simple(kEmrSetPolyFillMode, {static_cast<std::int32_t>(mode)});
    fillMode_ = mode;
}

void MetafileDeviceContext::SyncPosition()
{
    if (writtenPosition_ && *writtenPosition_ == current_)
        return;
    records_->Simple(kEmrMoveToEx, {current_.x, current_.y});
    writtenPosition_ = current_;
}

// ---- bounds ----

double MetafileDeviceContext::PenReach() const
{
    const Pen& pen = SelectedPen();
    if (pen.style == kPsNull)
        return 0;
    const double pixels = pen.width <= 1 ? 1.0 : pen.width * std::fabs(GetMapping().ScaleY());
    return std::max(1.0, pixels) / 2.0;
}

Rect MetafileDeviceContext::DeviceBox(double left, double top, double right, double bottom,
                                      double padPixels) const
{
    const Mapping& m = GetMapping();
    const double x1 = m.ToDeviceX(left), x2 = m.ToDeviceX(right);
    const double y1 = m.ToDeviceY(top), y2 = m.ToDeviceY(bottom);
    Rect device{static_cast<std::int32_t>(std::floor(std::min(x1, x2) - padPixels)),
                static_cast<std::int32_t>(std::floor(std::min(y1, y2) - padPixels)),
                static_cast<std::int32_t>(std::ceil(std::max(x1, x2) + padPixels)),
                static_cast<std::int32_t>(std::ceil(std::max(y1, y2) + padPixels))};
    // At least one pixel.
    device.right = std::max(device.right, device.left + 1);
    device.bottom = std::max(device.bottom, device.top + 1);
    if (const std::optional<Region> clip = EffectiveClip()) {
        const Rect c = clip->Bounds();
        device = Rect{std::max(device.left, c.left), std::max(device.top, c.top),
                      std::min(device.right, c.right), std::min(device.bottom, c.bottom)};
    }
    return device;
}

Rect MetafileDeviceContext::AddBounds(double left, double top, double right, double bottom,
                                      double padPixels)
{
    const Rect device = DeviceBox(left, top, right, bottom, padPixels);
    if (device.IsEmpty())
        return device;
    if (boundsRight_ < boundsLeft_) {
        boundsLeft_ = device.left;
        boundsTop_ = device.top;
        boundsRight_ = device.right - 1;
        boundsBottom_ = device.bottom - 1;
        return device;
    }
    boundsLeft_ = std::min(boundsLeft_, device.left);
    boundsTop_ = std::min(boundsTop_, device.top);
    boundsRight_ = std::max(boundsRight_, device.right - 1);
    boundsBottom_ = std::max(boundsBottom_, device.bottom - 1);
    return device;
}

Rect MetafileDeviceContext::AddBounds(const QPainterPath& logical, double padPixels)
{
    const QRectF r = logical.boundingRect();
    return AddBounds(r.left(), r.top(), r.right(), r.bottom(), padPixels);
}

void MetafileDeviceContext::WriteFillPath(const Rect& device)
{
    // The bounds of the area, device pixels, inclusive.
    records_->Begin(kEmrFillPath);
    records_->RectL(Rect{device.left, device.top, device.right - 1, device.bottom - 1});
    records_->End();
}

// ---- records of figures ----

void MetafileDeviceContext::WriteFigures(const QPainterPath& path, bool startWithMove,
                                         bool closeEach)
{
    std::vector<Point> lines;
    std::vector<Point> curves;
    auto flush = [&] {
        if (lines.size() == 1) {
            records_->Simple(kEmrLineTo, {lines.front().x, lines.front().y});
        } else if (!lines.empty()) {
            records_->Poly(kEmrPolyLineTo16, kEmrPolyLineTo, lines);
        }
        if (!curves.empty())
            records_->Poly(kEmrPolyBezierTo16, kEmrPolyBezierTo, curves);
        const std::vector<Point>& last = lines.empty() ? curves : lines;
        if (!last.empty())
            writtenPosition_ = last.back();
        lines.clear();
        curves.clear();
    };
    bool figureOpen = false;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.isMoveTo()) {
            flush();
            if (figureOpen && closeEach)
                records_->Simple(kEmrCloseFigure, {});
            figureOpen = true;
            if (i == 0 && !startWithMove)
                continue;
            const Point p = Rounded(e);
            records_->Simple(kEmrMoveToEx, {p.x, p.y});
            writtenPosition_ = p;
        } else if (e.isLineTo()) {
            if (!curves.empty())
                flush();
            lines.push_back(Rounded(e));
        } else if (e.isCurveTo()) {
            if (!lines.empty())
                flush();
            curves.push_back(Rounded(e));
            curves.push_back(Rounded(path.elementAt(i + 1)));
            curves.push_back(Rounded(path.elementAt(i + 2)));
            i += 2;
        }
    }
    flush();
    if (figureOpen && closeEach)
        records_->Simple(kEmrCloseFigure, {});
}

void MetafileDeviceContext::FillArea(const QPainterPath& logical, ColorRef color, bool winding)
{
    if (logical.isEmpty() || !SyncClip())
        return;
    SyncBrush(Brush::Solid(color));
    SyncFillMode(winding ? kWinding : kAlternate);
    const Rect device = AddBounds(logical, 0);
    records_->Simple(kEmrBeginPath, {});
    WriteFigures(logical, true, true);
    records_->Simple(kEmrEndPath, {});
    WriteFillPath(device);
}

// ---- text ----

void MetafileDeviceContext::DrawRun(double x, double y, unsigned align, const QString& text,
                                    bool fillCell)
{
    const QFont& font = measurer_->CurrentQFont();
    const TextMetrics tm = measurer_->GetTextMetrics();
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    const QPointF origin = AlignedTextOffset(align, width, tm.ascent, tm.descent);

    QTransform place;
    place.translate(x, y);
    if (SelectedFont().escapement != 0)
        place.rotate(-SelectedFont().escapement / 10.0);

    if (fillCell && width > 0) {
        QPainterPath cell;
        cell.addRect(QRectF(origin.x(), origin.y() - tm.ascent, width, tm.ascent + tm.descent));
        FillArea(place.map(cell), GetBkColor(), false);
    }
    QPainterPath glyphs;
    glyphs.addText(origin, font, text);
    FillArea(place.map(glyphs), GetTextColor(), true);
}

void MetafileDeviceContext::FillLogicalRect(const Rect& r, ColorRef color)
{
    const Rect n = Normalized(r);
    if (n.IsEmpty())
        return;
    QPainterPath area;
    area.addRect(QRectF(n.left, n.top, n.Width(), n.Height()));
    FillArea(area, color, false);
}

void MetafileDeviceContext::SetTemporaryClip(const Rect& logical)
{
    const Point a = LPtoDP(Point{logical.left, logical.top});
    const Point b = LPtoDP(Point{logical.right, logical.bottom});
    temporaryClip_ = Region(Normalized(Rect{a.x, a.y, b.x, b.y}));
}

void MetafileDeviceContext::ClearTemporaryClip()
{
    temporaryClip_.reset();
}

void MetafileDeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text)
{
    if (!Drawing() || text.empty())
        return;
    DrawRun(x, y, GetTextAlign(), ToQString(text), GetBkMode() == BkMode::Opaque);
}

void MetafileDeviceContext::ExtTextOut(std::int32_t x, std::int32_t y, unsigned options,
                                       const Rect* rect, std::u16string_view text)
{
    if (!Drawing())
        return;
    const bool opaque = rect && (options & kEtoOpaque);
    if (opaque)
        FillLogicalRect(*rect, GetBkColor());
    if (text.empty())
        return;
    if (rect && (options & kEtoClipped))
        SetTemporaryClip(*rect);
    DrawRun(x, y, GetTextAlign(), ToQString(text), GetBkMode() == BkMode::Opaque && !opaque);
    ClearTemporaryClip();
}

std::int32_t MetafileDeviceContext::DrawText(std::u16string_view text, Rect& rect,
                                             unsigned format)
{
    const TextMetrics tm = measurer_->GetTextMetrics();
    const DrawTextLayout layout =
        LayOutDrawText(text, rect, format, measurer_->CurrentQFont(), tm.ascent + tm.descent);
    if ((format & kDtCalcRect) || !Drawing())
        return layout.height;
    if (layout.clip)
        SetTemporaryClip(rect);
    const bool fillCells = GetBkMode() == BkMode::Opaque;
    for (const DrawTextLine& line : layout.lines)
        DrawRun(line.x, line.y, kTaLeft | kTaTop, line.text, fillCells);
    ClearTemporaryClip();
    return layout.height;
}

// ---- lines, shapes and paths ----

Point MetafileDeviceContext::MoveTo(std::int32_t x, std::int32_t y)
{
    return std::exchange(current_, Point{x, y});
}

void MetafileDeviceContext::AddSegments(const QPainterPath& segments)
{
    if (!Drawing())
        return;
    if (pathOpen_) {
        // Into the path, started at the current position when it is empty.
        if (path_.elementCount() == 0)
            path_.moveTo(segments.elementAt(0));
        for (int i = 1; i < segments.elementCount(); ++i) {
            const QPainterPath::Element& e = segments.elementAt(i);
            if (e.isCurveTo()) {
                path_.cubicTo(e, segments.elementAt(i + 1), segments.elementAt(i + 2));
                i += 2;
            } else {
                path_.lineTo(e);
            }
        }
        return;
    }
    if (SelectedPen().style == kPsNull || !SyncClip())
        return;
    SyncPen(SelectedPen());
    AddBounds(segments, PenReach());
    SyncPosition();
    WriteFigures(segments, false, false);
}

void MetafileDeviceContext::LineTo(std::int32_t x, std::int32_t y)
{
    QPainterPath segment(QPointF(current_.x, current_.y));
    segment.lineTo(x, y);
    AddSegments(segment);
    current_ = Point{x, y};
}

void MetafileDeviceContext::PolyBezierTo(std::span<const Point> points)
{
    QPainterPath curve(QPointF(current_.x, current_.y));
    Point end = current_;
    for (std::size_t i = 0; i + 2 < points.size(); i += 3) {
        curve.cubicTo(QPointF(points[i].x, points[i].y), QPointF(points[i + 1].x, points[i + 1].y),
                      QPointF(points[i + 2].x, points[i + 2].y));
        end = points[i + 2];
    }
    if (curve.elementCount() > 1)
        AddSegments(curve);
    current_ = end;
}

void MetafileDeviceContext::AngleArc(std::int32_t x, std::int32_t y, std::int32_t radius,
                                     float startAngle, float sweepAngle)
{
    // The arc as Bezier segments (a quarter circle at most each), joined to the current
    // position by a line; every player draws these alike.
    const QRectF box(x - radius, y - radius, 2.0 * radius, 2.0 * radius);
    QPainterPath arc(QPointF(current_.x, current_.y));
    arc.arcTo(box, startAngle, sweepAngle);
    AddSegments(arc);
    current_ = Rounded(arc.currentPosition());
}

void MetafileDeviceContext::AddShape(std::uint32_t type, const Rect& r)
{
    if (!Drawing())
        return;
    if (pathOpen_) {
        const QRectF box(r.left, r.top, r.Width(), r.Height());
        if (type == kEmrRectangle)
            path_.addRect(box);
        else
            path_.addEllipse(box);
        return;
    }
    if (!SyncClip())
        return;
    SyncPen(SelectedPen());
    SyncBrush(SelectedBrush());
    AddBounds(std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom), PenReach());
    records_->Begin(type);
    records_->RectL(r);
    records_->End();
}

void MetafileDeviceContext::Rectangle(const Rect& r)
{
    AddShape(kEmrRectangle, r);
}

void MetafileDeviceContext::Ellipse(const Rect& r)
{
    AddShape(kEmrEllipse, r);
}

void MetafileDeviceContext::Polygon(std::span<const Point> points)
{
    if (!Drawing() || points.size() < 2)
        return;
    const std::vector<Point> corners(points.begin(), points.end());
    if (pathOpen_) {
        QPolygonF polygon;
        for (const Point& p : corners)
            polygon << QPointF(p.x, p.y);
        path_.addPolygon(polygon);
        path_.closeSubpath();
        return;
    }
    if (!SyncClip())
        return;
    SyncPen(SelectedPen());
    SyncBrush(SelectedBrush());
    SyncFillMode(kAlternate);
    const Rect box = BoundsOf(corners);
    AddBounds(box.left, box.top, box.right, box.bottom, PenReach());
    records_->Poly(kEmrPolygon16, kEmrPolygon, corners);
}

// The path is kept here and written when it is filled, in a bracket of its own: text and
// fills drawn while it is open draw at once, as on the screen.
void MetafileDeviceContext::BeginPath()
{
    path_ = QPainterPath();
    pathOpen_ = true;
}

void MetafileDeviceContext::CloseFigure()
{
    if (pathOpen_)
        path_.closeSubpath();
}

void MetafileDeviceContext::EndPath()
{
    pathOpen_ = false;
}

void MetafileDeviceContext::AbortPath()
{
    pathOpen_ = false;
    path_ = QPainterPath();
}

void MetafileDeviceContext::FillPath()
{
    pathOpen_ = false;
    if (Drawing() && SelectedBrush().kind != Brush::Kind::Null)
        FillArea(path_, SelectedBrush().color, false);
    path_ = QPainterPath();
}

// ---- the file ----

std::vector<std::uint8_t> MetafileDeviceContext::Finish()
{
    if (finished_)
        return finishedBytes_;
    // The stock objects back in place of ours, which are deleted.
    if (penHandle_ != 0)
        Select(penHandle_, kBlackPen);
    if (brushHandle_ != 0)
        Select(brushHandle_, kWhiteBrush);
    records_->Begin(kEmrEof);
    records_->U32(0);   // no palette entries
    records_->U32(16);  // where they would start
    records_->U32(20);  // the size of this record
    records_->End();

    const bool drawn = boundsRight_ >= boundsLeft_;
    const Rect bounds = drawn ? Rect{boundsLeft_, boundsTop_, boundsRight_, boundsBottom_}
                              : Rect{0, 0, -1, -1};
    Rect frame = frame_;
    if (frame.IsEmpty() && drawn) {
        const double perPixel = kHundredthsMmPerInch / dpi_;
        frame = Rect{Round(bounds.left * perPixel), Round(bounds.top * perPixel),
                     Round((bounds.right + 1) * perPixel), Round((bounds.bottom + 1) * perPixel)};
    }

    Records header;
    header.Begin(kEmrHeader);
    header.RectL(bounds);
    header.RectL(frame);
    header.U32(kSignature);
    header.U32(kVersion);
    header.U32(static_cast<std::uint32_t>(kHeaderSize + records_->Bytes().size()));
    header.U32(records_->Count() + 1);
    // Handles (16 bits) and a reserved 16-bit field.
    header.U32(static_cast<std::uint32_t>(std::max<std::size_t>(1, handlesInUse_.size())));
    header.U32(0);  // no description
    header.U32(0);
    header.U32(0);  // no palette
    header.I32(surfacePixels_.cx);
    header.I32(surfacePixels_.cy);
    header.I32(surfaceMm_.cx);
    header.I32(surfaceMm_.cy);
    header.U32(0);  // no pixel format
    header.U32(0);
    header.U32(0);  // no OpenGL
    header.U32(static_cast<std::uint32_t>(surfaceMm_.cx) * 1000u);
    header.U32(static_cast<std::uint32_t>(surfaceMm_.cy) * 1000u);
    header.End();

    finishedBytes_ = header.Bytes();
    finishedBytes_.insert(finishedBytes_.end(), records_->Bytes().begin(), records_->Bytes().end());
    finished_ = true;
    records_.reset();
    return finishedBytes_;
}

bool SaveMetafile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < kHeaderSize)
        return false;  // not a finished picture
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace platform
