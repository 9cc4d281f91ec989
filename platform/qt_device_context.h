// The drawing context on QPainter: images (memory contexts and measuring), widgets (the
// screen) and printers or PDF writers. Logical units map to the painter's coordinates by
// the context's mapping; fonts, pens and brushes are made from the selected records at the
// moment of drawing.
#pragma once

#include "platform/device_context.h"

#include <QFont>
#include <QPainterPath>
#include <QTransform>

#include <memory>

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
    // The Qt font the selected record gives.
    const QFont& CurrentQFont();

    int GetDeviceCaps(DeviceCap cap) const override;

    quaverly::LogFont SelectFont(const quaverly::LogFont& font) override;
    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;

    unsigned SetTextAlign(unsigned align) override;
    unsigned GetTextAlign() const override { return align_; }
    ColorRef SetTextColor(ColorRef color) override;
    ColorRef GetTextColor() const override { return textColor_; }
    ColorRef SetBkColor(ColorRef color) override;
    ColorRef GetBkColor() const override { return bkColor_; }
    BkMode SetBkMode(BkMode mode) override;
    BkMode GetBkMode() const override { return bkMode_; }

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

    std::optional<Region> GetClipRegion() const override { return clip_; }
    void SelectClipRegion(const Region* region) override;

protected:
    void MappingChanged() override;

private:
    struct LineMetrics {
        double ascent;
        double descent;
    };

    void Init();
    LineMetrics Metrics();
    // Draws one line of text with its reference point at (x, y) and the given alignment.
    void DrawRun(double x, double y, unsigned align, const QString& text, bool fillCell);
    QPen MakePen() const;
    void StrokeShape(const QPainterPath& shape);
    void FillShape(const QPainterPath& shape);
    double DevicePixelsPerUnit() const;

    QPaintDevice* device_ = nullptr;
    QPainter* painter_ = nullptr;
    std::unique_ptr<QPainter> ownPainter_;
    QTransform base_;

    quaverly::LogFont font_;
    QFont qfont_;
    bool fontDirty_ = true;
    Pen pen_;
    Brush brush_;
    unsigned align_ = kTaLeft | kTaTop;
    ColorRef textColor_ = 0;
    ColorRef bkColor_ = Rgb(255, 255, 255);
    BkMode bkMode_ = BkMode::Opaque;

    QPointF current_;
    bool pathOpen_ = false;
    QPainterPath path_;
    std::optional<Region> clip_;
};

}  // namespace platform
