// A drawing context for tests: it draws nothing and records every drawing call with the
// state in force (font, pen, brush, colours, alignment, clip). Measuring follows simple
// fixed rules, or is handed to another context (for example a QtDeviceContext on an image)
// when one is given.
#pragma once

#include "platform/device_context.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One drawing call with the drawing state in force when it was made.
struct RecordedCall : DrawingState {
    // "TextOut", "ExtTextOut", "DrawText", "MoveTo", "LineTo", "PolyBezierTo", "AngleArc",
    // "Rectangle", "Ellipse", "Polygon", "BeginPath", "CloseFigure", "EndPath",
    // "AbortPath", "FillPath", "SelectClipRegion".
    std::string op;
    std::vector<Point> points;  // logical coordinates as given (AngleArc: the centre)
    Rect rect;                  // ExtTextOut, DrawText, Rectangle, Ellipse
    std::u16string text;
    unsigned flags = 0;  // ExtTextOut options, DrawText format
    std::int32_t radius = 0;
    float startAngle = 0;
    float sweepAngle = 0;
    bool inPath = false;  // went into a path under construction
};

class RecordingDeviceContext : public DeviceContext {
public:
    RecordingDeviceContext();

    // Measuring without a measurer: a font's em is -height (or the height when positive, or
    // 16 when 0); every character is half an em wide (the width when one is given); ascent
    // 0.8 em, descent the rest of the em; no leading.
    void SetMeasurer(DeviceContext* measurer) { measurer_ = measurer; }
    void SetDeviceCaps(DeviceCap cap, int value) { caps_[cap] = value; }

    const std::vector<RecordedCall>& Calls() const { return calls_; }
    std::vector<RecordedCall> CallsOf(std::string_view op) const;
    // True when some call put paint on the surface (text, lines, shapes, fills).
    bool PaintedAnything() const;
    void Clear() { calls_.clear(); }

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
    void ClipChanged() override { Record("SelectClipRegion"); }

private:
    RecordedCall& Record(std::string op);
    // The measurer with the selected font; null when there is none.
    DeviceContext* Measurer();
    double Em() const;
    // The advance of every character by the fixed rules.
    double Advance() const;

    DeviceContext* measurer_ = nullptr;
    std::map<DeviceCap, int> caps_;
    std::vector<RecordedCall> calls_;

    Point current_;
    bool pathOpen_ = false;
};

}  // namespace platform
