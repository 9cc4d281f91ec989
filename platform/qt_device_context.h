// The drawing context on QPainter: images (memory contexts and measuring), widgets (the
// screen), printers or PDF writers, and SVG generators. Logical units map to the painter's
// coordinates by the context's mapping; fonts, pens and brushes are made from the selected
// records at the moment of drawing. On an SVG generator text is drawn as glyph outlines
// (the picture does not need the program's fonts) and the clip is applied to the shapes
// themselves, as the generator writes no clipping.
#pragma once

#include "platform/device_context.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QTextLayout>
#include <QTransform>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPaintDevice;
class QPainter;

namespace platform {

class QtDeviceContext : public DeviceContext {
public:
    // Draws on `device` (a QImage, a widget in its paint event, a QPrinter, a QPdfWriter)
    // with a painter of its own, ended when the context is destroyed. Not owned.
    explicit QtDeviceContext(QPaintDevice* device);
    // Draws with a painter that is already active; not owned. The painter's transform at
    // this moment is the device space the mapping maps into; the painter's state is given
    // back when the context is destroyed.
    explicit QtDeviceContext(QPainter* painter);
    ~QtDeviceContext() override;

    QtDeviceContext(const QtDeviceContext&) = delete;
    QtDeviceContext& operator=(const QtDeviceContext&) = delete;

    QPainter* Painter() const { return painter_; }
    // Lines along an axis and rectangles are put on whole device pixels and drawn
    // without smoothing, which gives the same picture in less time; `smooth` draws them
    // smoothed all the same (to compare the two).
    void SetSmoothSnappedShapes(bool smooth) { smoothSnapped_ = smooth; }
    // The Qt font the selected record gives.
    const QFont& CurrentQFont();

    int GetDeviceCaps(DeviceCap cap) const override;

    Size GetTextExtent(std::u16string_view text) override;
    TextMetrics GetTextMetrics() override;
    AbcWidths GetCharAbcWidths(char16_t ch) override;

    void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) override;
    void ExtTextOut(std::int32_t x, std::int32_t y, unsigned options, const Rect* rect,
                    std::u16string_view text) override;
    std::int32_t DrawText(std::u16string_view text, Rect& rect, unsigned format) override;

    Point MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void PolyBezierTo(std::span<const Point> points) override;
    void AngleArc(std::int32_t x, std::int32_t y, std::int32_t radius, float startAngle,
                  float sweepAngle) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& r) override;
    void Polygon(std::span<const Point> points) override;

    void BeginPath() override;
    void CloseFigure() override;
    void EndPath() override;
    void AbortPath() override;
    void FillPath() override;

protected:
    void MappingChanged() override;
    void FontChanged() override { fontDirty_ = true; }
    void ClipChanged() override;

private:
    struct LineMetrics {
        double ascent;
        double descent;
    };

    // Hashing for text keys that a string view finds without making a string.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const
        {
            return std::hash<std::u16string_view>{}(s);
        }
    };

    // A font record made into a Qt font, with what has been measured in it so far. The
    // numbers depend on the record and the default em height alone (the Qt font is made
    // from these), so they hold for the life of the context; measuring the same text
    // again in the same font is a look-up instead of shaping it again.
    struct FontEntry {
        quaverly::LogFont record;
        int defaultEm = 0;
        QFont font;
        QFontMetricsF metrics;
        LineMetrics line{};
        std::optional<TextMetrics> textMetrics;
        std::unordered_map<std::u16string, double, TextHash, std::equal_to<>> advances;
        std::unordered_map<std::u16string, std::optional<QRectF>, TextHash, std::equal_to<>>
            inkBoxes;
        // Text shaped once and drawn again from the layout: the painter would shape it
        // anew for every drawing. Null for text left to the painter.
        std::unordered_map<std::u16string, std::unique_ptr<QTextLayout>, TextHash,
                           std::equal_to<>>
            shaped;
        std::unordered_map<char16_t, AbcWidths> abcWidths;

        FontEntry(const quaverly::LogFont& r, int em, const QFont& f);
    };

    void Init();
    // The entry of the selected font, made the first time the record is used.
    FontEntry& CurrentFont();
    LineMetrics Metrics();
    // The advance width of a line of text in the selected font.
    double Advance(std::u16string_view text);
    double Advance(const QString& text);
    // Draws a line of text in the selected font with its baseline origin at the point.
    void DrawShaped(QPointF baselineOrigin, const QString& text);
    // The same in the text colour through the painter's font and pen, over its cell
    // (`width` long) in the background colour when `fillCell`.
    void PaintRun(QPointF baselineOrigin, double width, const LineMetrics& m, const QString& text,
                  bool fillCell);
    const QTextLayout* Shaped(const QString& text);
    // The box the glyph outlines of a line of text cover, about its baseline origin; none
    // when the outlines are not the glyphs' own (synthesized, stretched, decorated text).
    std::optional<QRectF> InkBox(const QString& text);
    // Draws one line of text with its reference point at (x, y) and the given alignment.
    void DrawRun(double x, double y, unsigned align, const QString& text, bool fillCell);
    QPen MakePen() const;
    // The logical point nearest to `logical` that falls on a whole device pixel.
    QPointF SnappedPoint(QPointF logical) const;
    // Runs `draw` in device pixels, smoothed only when asked.
    template <class Draw>
    void InDevicePixels(Draw draw);
    // Fills a rectangle with its edges on whole device pixels.
    void FillSnapped(const QRectF& logical, const QColor& color);
    // Strokes a line along an axis on whole device pixels with the selected pen; false
    // for a slanted line, which is left to the path.
    bool StrokeAxisLine(QPointF from, QPointF to);
    void StrokeShape(const QPainterPath& shape);
    // Fills an area of the current coordinates within the clip.
    void FillClipped(QPainterPath area, const QColor& color);
    void FillShape(const QPainterPath& shape);
    // A segment from the current position: `add` puts it into the open path (started at
    // the current position when empty), or into a path of its own that is stroked at once.
    template <class Add>
    void AddSegment(Add add);
    // A closed shape: into the open path, or filled and outlined at once.
    void AddShape(const QPainterPath& shape);
    double DevicePixelsPerUnit() const;

    QPaintDevice* device_ = nullptr;
    QPainter* painter_ = nullptr;
    std::unique_ptr<QPainter> ownPainter_;
    QTransform base_;

    std::vector<std::unique_ptr<FontEntry>> fonts_;
    FontEntry* font_ = nullptr;
    bool fontDirty_ = true;
    int defaultEm_ = 0;  // the em height of a font of default height, logical units
    bool outlines_ = false;  // text as outlines, the clip applied to the shapes
    bool smoothSnapped_ = false;

    QPointF current_;
    bool pathOpen_ = false;
    QPainterPath path_;
};

}  // namespace platform
