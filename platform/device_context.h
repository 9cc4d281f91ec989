// The drawing context: a small, backend-neutral drawing interface in the shape of the
// desktop's device contexts (fonts from logical-font records, text extent and metrics, text
// alignment, pens and brushes, lines, shapes, paths with Bezier and arc segments, clip
// regions, mapping modes with window and viewport extents). The score's drawing device
// is written against it; backends draw with QPainter (images, widgets, printers) or record
// the calls for tests.
#pragma once

#include "engine/model/log_font.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as the desktop packs it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
           (static_cast<ColorRef>(b) << 16);
}
constexpr std::uint8_t RedOf(ColorRef c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(ColorRef c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(ColorRef c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

// Pen styles.
inline constexpr int kPsSolid = 0;
inline constexpr int kPsDash = 1;
inline constexpr int kPsDot = 2;
inline constexpr int kPsDashDot = 3;
inline constexpr int kPsDashDotDot = 4;
inline constexpr int kPsNull = 5;

// A pen: width in logical units. Width 0 is a cosmetic pen one device pixel wide, in any
// style; a wider pen is geometric, solid, with round ends and round joins, and never thinner
// than one device pixel.
struct Pen {
    int style = kPsSolid;
    std::int32_t width = 0;
    ColorRef color = 0;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    enum class Kind { Null, Solid };
    Kind kind = Kind::Solid;
    ColorRef color = Rgb(255, 255, 255);

    static Brush Solid(ColorRef c) { return Brush{Kind::Solid, c}; }
    static Brush Null() { return Brush{Kind::Null, 0}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

// Text alignment flags.
inline constexpr unsigned kTaLeft = 0;
inline constexpr unsigned kTaRight = 2;
inline constexpr unsigned kTaCenter = 6;
inline constexpr unsigned kTaTop = 0;
inline constexpr unsigned kTaBottom = 8;
inline constexpr unsigned kTaBaseline = 24;
inline constexpr unsigned kTaHorizontalMask = 6;
inline constexpr unsigned kTaVerticalMask = 24;

// Formatting flags of DrawText.
inline constexpr unsigned kDtLeft = 0x0;
inline constexpr unsigned kDtCenter = 0x1;
inline constexpr unsigned kDtRight = 0x2;
inline constexpr unsigned kDtVCenter = 0x4;
inline constexpr unsigned kDtBottom = 0x8;
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtSingleLine = 0x20;
inline constexpr unsigned kDtNoClip = 0x100;
inline constexpr unsigned kDtCalcRect = 0x400;
inline constexpr unsigned kDtNoPrefix = 0x800;
inline constexpr unsigned kDtEditControl = 0x2000;

// Options of ExtTextOut.
inline constexpr unsigned kEtoOpaque = 0x2;
inline constexpr unsigned kEtoClipped = 0x4;

enum class BkMode { Transparent = 1, Opaque = 2 };

enum class MapMode { Text = 1, Isotropic = 7, Anisotropic = 8 };

// Device capability indexes.
enum class DeviceCap {
    HorzSize = 4,    // width of the drawing surface in millimetres
    VertSize = 6,
    HorzRes = 8,     // width in device pixels
    VertRes = 10,
    LogPixelsX = 88,  // logical dots per inch
    LogPixelsY = 90,
    PhysicalWidth = 110,    // whole paper, device pixels (printers; else the surface)
    PhysicalHeight = 111,
    PhysicalOffsetX = 112,  // unprintable margin left of the drawing surface (printers)
    PhysicalOffsetY = 113,
};

enum class RegionCombine { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

// Text metrics of the selected font, logical units.
struct TextMetrics {
    std::int32_t height = 0;  // ascent + descent
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    std::int32_t internalLeading = 0;  // height - em height
    std::int32_t externalLeading = 0;
    std::int32_t aveCharWidth = 0;
    std::int32_t maxCharWidth = 0;
    std::int32_t weight = 0;
};

// Widths of one character: left bearing, ink width, right bearing (logical units).
struct AbcWidths {
    double a = 0;
    double b = 0;
    double c = 0;
};

// A region of device pixels made of rectangles that do not overlap.
class Region {
public:
    Region() = default;
    explicit Region(const Rect& r);

    static Region Combine(const Region& a, const Region& b, RegionCombine mode);

    bool IsEmpty() const { return rects_.empty(); }
    bool Contains(Point p) const;
    Rect Bounds() const;
    const std::vector<Rect>& Rects() const { return rects_; }
    std::int64_t Area() const;

    // Same set of pixels, however the rectangles are cut.
    friend bool operator==(const Region& a, const Region& b);

private:
    std::vector<Rect> rects_;
};

// Logical-to-device mapping: the desktop's mapping modes with window and viewport origins
// and extents. In the isotropic mode one logical unit is as long in x as in y: the smaller
// of the two viewport/window ratios applies to both axes, each keeping its sign.
class Mapping {
public:
    MapMode mode = MapMode::Text;
    Point windowOrg;
    Point viewportOrg;
    Size windowExt{1, 1};
    Size viewportExt{1, 1};

    double ScaleX() const;  // device pixels per logical unit, signed
    double ScaleY() const;
    Point LPtoDP(Point p) const;
    Point DPtoLP(Point p) const;
    double ToDeviceX(double x) const { return (x - windowOrg.x) * ScaleX() + viewportOrg.x; }
    double ToDeviceY(double y) const { return (y - windowOrg.y) * ScaleY() + viewportOrg.y; }
};

// Hundredths of a millimetre that one pixel covers at a logical resolution of `dpi` dots
// per inch; 96 dpi stands in for a resolution that makes no sense (none, zero, negative,
// or far outside what screens and printers report).
float HundredthsOfMmPerPixel(int dpi);

class DeviceContext;
// The same for a context's logical horizontal resolution.
float HundredthsOfMmPerPixel(const DeviceContext& dc);

// What a context draws with: the selected objects, the text state and the clip (device
// pixels; none means no clipping).
struct DrawingState {
    quaverly::LogFont font;
    Pen pen;
    Brush brush;
    ColorRef textColor = 0;
    ColorRef bkColor = Rgb(255, 255, 255);
    BkMode bkMode = BkMode::Opaque;
    unsigned align = kTaLeft | kTaTop;
    std::optional<Region> clip;
};

// The mapping and the drawing state are kept here for every backend; a backend hears of
// their changes through MappingChanged, FontChanged and ClipChanged.
class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    // Surface.
    virtual int GetDeviceCaps(DeviceCap cap) const = 0;

    // Mapping.
    MapMode SetMapMode(MapMode mode);
    Size SetWindowExt(Size ext);
    Size SetViewportExt(Size ext);
    Point SetWindowOrg(Point org);
    Point SetViewportOrg(Point org);
    const Mapping& GetMapping() const { return mapping_; }
    Point LPtoDP(Point p) const { return mapping_.LPtoDP(p); }
    Point DPtoLP(Point p) const { return mapping_.DPtoLP(p); }

    // Selected objects; each returns the one it replaces.
    quaverly::LogFont SelectFont(const quaverly::LogFont& font);
    Pen SelectPen(const Pen& pen) { return std::exchange(state_.pen, pen); }
    Brush SelectBrush(const Brush& brush) { return std::exchange(state_.brush, brush); }
    const quaverly::LogFont& SelectedFont() const { return state_.font; }
    const Pen& SelectedPen() const { return state_.pen; }
    const Brush& SelectedBrush() const { return state_.brush; }

    // Text state; each setter returns the value it replaces.
    unsigned SetTextAlign(unsigned align) { return std::exchange(state_.align, align); }
    unsigned GetTextAlign() const { return state_.align; }
    ColorRef SetTextColor(ColorRef color) { return std::exchange(state_.textColor, color); }
    ColorRef GetTextColor() const { return state_.textColor; }
    ColorRef SetBkColor(ColorRef color) { return std::exchange(state_.bkColor, color); }
    ColorRef GetBkColor() const { return state_.bkColor; }
    BkMode SetBkMode(BkMode mode) { return std::exchange(state_.bkMode, mode); }
    BkMode GetBkMode() const { return state_.bkMode; }

    // All of the drawing state as it stands.
    const DrawingState& GetState() const { return state_; }

    // Measuring with the selected font (logical units). The extent's height is the cell
    // height (ascent + descent).
    virtual Size GetTextExtent(std::u16string_view text) = 0;
    virtual TextMetrics GetTextMetrics() = 0;
    virtual AbcWidths GetCharAbcWidths(char16_t ch) = 0;

    // Text output. The point is placed on the text by the text alignment; a font with an
    // escapement turns the text about that point (tenths of a degree, counter-clockwise).
    virtual void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) = 0;
    // kEtoOpaque fills `rect` with the background colour first; kEtoClipped clips the
    // text to it. `rect` may be null when neither is given.
    virtual void ExtTextOut(std::int32_t x, std::int32_t y, unsigned options, const Rect* rect,
                            std::u16string_view text) = 0;
    // Text in a rectangle by the kDt* flags; returns the height of the text. With
    // kDtCalcRect nothing is drawn and `rect` gets the bottom (and, for a single line, the
    // right edge) that the text needs.
    virtual std::int32_t DrawText(std::u16string_view text, Rect& rect, unsigned format) = 0;

    // Lines and shapes with the selected pen (outline) and brush (inside). While a path is
    // open, MoveTo, LineTo, PolyBezierTo, AngleArc, CloseFigure, Rectangle, Ellipse and
    // Polygon add to the path instead of drawing.
    virtual Point MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
    // Cubic Bezier segments from the current position, three points each.
    virtual void PolyBezierTo(std::span<const Point> points) = 0;
    // A line from the current position to the start of the arc, then the arc of the circle
    // about (x, y): angles in degrees counter-clockwise from the positive x axis as seen on
    // the surface (90 is the top of the circle); the current position ends at the arc's end.
    virtual void AngleArc(std::int32_t x, std::int32_t y, std::int32_t radius, float startAngle,
                          float sweepAngle) = 0;
    virtual void Rectangle(const Rect& r) = 0;
    virtual void Ellipse(const Rect& r) = 0;
    virtual void Polygon(std::span<const Point> points) = 0;

    // Paths: figures filled with the selected brush, alternate filling.
    virtual void BeginPath() = 0;
    virtual void CloseFigure() = 0;
    virtual void EndPath() = 0;
    virtual void AbortPath() = 0;
    virtual void FillPath() = 0;

    // Clipping, in device pixels. No region means no clipping.
    std::optional<Region> GetClipRegion() const { return state_.clip; }
    void SelectClipRegion(const Region* region);
    // Combines `region` with the clip in force (the whole surface when there is none).
    void ExtSelectClipRegion(const Region& region, RegionCombine mode);

    // The whole surface in device pixels.
    Rect DeviceBounds() const;

protected:
    // Called after every change of the mapping, of the selected font, of the clip.
    virtual void MappingChanged() {}
    virtual void FontChanged() {}
    virtual void ClipChanged() {}

private:
    // Sets one field of the mapping and tells the backend; returns the old value.
    template <class T>
    T ChangeMapping(T& field, T value);

    Mapping mapping_;
    DrawingState state_;
};

}  // namespace platform
