#include "platform/recording_device_context.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

RecordingDeviceContext::RecordingDeviceContext()
{
    // A screen of 1920 x 1080 pixels at 96 dpi.
    caps_[DeviceCap::HorzRes] = 1920;
    caps_[DeviceCap::VertRes] = 1080;
    caps_[DeviceCap::HorzSize] = 508;
    caps_[DeviceCap::VertSize] = 286;
    caps_[DeviceCap::LogPixelsX] = 96;
    caps_[DeviceCap::LogPixelsY] = 96;
    caps_[DeviceCap::PhysicalWidth] = 1920;
    caps_[DeviceCap::PhysicalHeight] = 1080;
    caps_[DeviceCap::PhysicalOffsetX] = 0;
    caps_[DeviceCap::PhysicalOffsetY] = 0;
}

std::vector<RecordedCall> RecordingDeviceContext::CallsOf(std::string_view op) const
{
    std::vector<RecordedCall> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [op](const RecordedCall& c) { return c.op == op; });
    return found;
}

bool RecordingDeviceContext::PaintedAnything() const
{
    return std::any_of(calls_.begin(), calls_.end(), [](const RecordedCall& c) {
        if (c.inPath)
            return false;
        if (c.op == "TextOut" || c.op == "DrawText")
            return !c.text.empty() && !(c.flags & kDtCalcRect);
        if (c.op == "ExtTextOut")
            return !c.text.empty() || (c.flags & kEtoOpaque);
        return c.op == "LineTo" || c.op == "PolyBezierTo" || c.op == "AngleArc" ||
               c.op == "Rectangle" || c.op == "Ellipse" || c.op == "Polygon" ||
               c.op == "FillPath";
    });
}

int RecordingDeviceContext::GetDeviceCaps(DeviceCap cap) const
{
    const auto it = caps_.find(cap);
    return it == caps_.end() ? 0 : it->second;
}

DeviceContext* RecordingDeviceContext::Measurer()
{
    if (measurer_)
        measurer_->SelectFont(SelectedFont());
    return measurer_;
}

double RecordingDeviceContext::Em() const
{
    const std::int32_t height = SelectedFont().height;
    if (height < 0)
        return -static_cast<double>(height);
    if (height > 0)
        return height;
    return 16.0;
}

double RecordingDeviceContext::Advance() const
{
    const std::int32_t width = SelectedFont().width;
    return width > 0 ? width : Em() / 2.0;
}

Size RecordingDeviceContext::GetTextExtent(std::u16string_view text)
{
    if (DeviceContext* measurer = Measurer())
        return measurer->GetTextExtent(text);
    const double width = Advance() * static_cast<double>(text.size());
    return Size{static_cast<std::int32_t>(std::lround(width)),
                static_cast<std::int32_t>(std::lround(Em()))};
}

TextMetrics RecordingDeviceContext::GetTextMetrics()
{
    if (DeviceContext* measurer = Measurer())
        return measurer->GetTextMetrics();
    TextMetrics tm;
    tm.height = static_cast<std::int32_t>(std::lround(Em()));
    tm.ascent = static_cast<std::int32_t>(std::lround(Em() * 0.8));
    tm.descent = tm.height - tm.ascent;
    tm.aveCharWidth = static_cast<std::int32_t>(std::lround(Advance()));
    tm.maxCharWidth = tm.aveCharWidth;
    const std::int32_t weight = SelectedFont().weight;
    tm.weight = weight <= 0 ? 400 : weight;
    return tm;
}

AbcWidths RecordingDeviceContext::GetCharAbcWidths(char16_t ch)
{
    if (DeviceContext* measurer = Measurer())
        return measurer->GetCharAbcWidths(ch);
    return AbcWidths{0.0, Advance(), 0.0};
}

RecordedCall& RecordingDeviceContext::Record(std::string op)
{
    RecordedCall call;
    static_cast<DrawingState&>(call) = GetState();
    call.op = std::move(op);
    call.inPath = pathOpen_;
    calls_.push_back(std::move(call));
    return calls_.back();
}

void RecordingDeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text)
{
    RecordedCall& c = Record("TextOut");
    c.inPath = false;
    c.points = {Point{x, y}};
    c.text = text;
}

void RecordingDeviceContext::ExtTextOut(std::int32_t x, std::int32_t y, unsigned options,
                                        const Rect* rect, std::u16string_view text)
{
    RecordedCall& c = Record("ExtTextOut");
    c.inPath = false;
    c.points = {Point{x, y}};
    c.flags = options;
    if (rect)
        c.rect = *rect;
    c.text = text;
}

std::int32_t RecordingDeviceContext::DrawText(std::u16string_view text, Rect& rect,
                                              unsigned format)
{
    RecordedCall& c = Record("DrawText");
    c.inPath = false;
    c.rect = rect;
    c.text = text;
    c.flags = format;
    const std::int32_t height = GetTextExtent(u" ").cy;
    if (format & kDtCalcRect) {
        rect.right = rect.left + GetTextExtent(text).cx;
        rect.bottom = rect.top + height;
    }
    return height;
}

Point RecordingDeviceContext::MoveTo(std::int32_t x, std::int32_t y)
{
    RecordedCall& c = Record("MoveTo");
    c.points = {Point{x, y}};
    const Point old = current_;
    current_ = Point{x, y};
    return old;
}

void RecordingDeviceContext::LineTo(std::int32_t x, std::int32_t y)
{
    RecordedCall& c = Record("LineTo");
    c.points = {current_, Point{x, y}};
    current_ = Point{x, y};
}

void RecordingDeviceContext::PolyBezierTo(std::span<const Point> points)
{
    RecordedCall& c = Record("PolyBezierTo");
    c.points.push_back(current_);
    c.points.insert(c.points.end(), points.begin(), points.end());
    if (!points.empty())
        current_ = points.back();
}

void RecordingDeviceContext::AngleArc(std::int32_t x, std::int32_t y, std::int32_t radius,
                                      float startAngle, float sweepAngle)
{
    RecordedCall& c = Record("AngleArc");
    c.points = {Point{x, y}};
    c.radius = radius;
    c.startAngle = startAngle;
    c.sweepAngle = sweepAngle;
    const double end = (startAngle + sweepAngle) * std::numbers::pi / 180.0;
    current_ = Point{static_cast<std::int32_t>(std::lround(x + radius * std::cos(end))),
                     static_cast<std::int32_t>(std::lround(y - radius * std::sin(end)))};
}

void RecordingDeviceContext::Rectangle(const Rect& r)
{
    Record("Rectangle").rect = r;
}

void RecordingDeviceContext::Ellipse(const Rect& r)
{
    Record("Ellipse").rect = r;
}

void RecordingDeviceContext::Polygon(std::span<const Point> points)
{
    Record("Polygon").points.assign(points.begin(), points.end());
}

void RecordingDeviceContext::BeginPath()
{
    pathOpen_ = true;
    Record("BeginPath");
}

void RecordingDeviceContext::CloseFigure()
{
    Record("CloseFigure");
}

void RecordingDeviceContext::EndPath()
{
    Record("EndPath");
    pathOpen_ = false;
}

void RecordingDeviceContext::AbortPath()
{
    Record("AbortPath");
    pathOpen_ = false;
}

void RecordingDeviceContext::FillPath()
{
    pathOpen_ = false;
    Record("FillPath");
}

}  // namespace platform
