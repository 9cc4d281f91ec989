#include "platform/device_context.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

Rect Intersect(const Rect& a, const Rect& b)
{
    return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// Appends the parts of `r` outside `cut` (at most four rectangles).
void Subtract(const Rect& r, const Rect& cut, std::vector<Rect>& out)
{
    const Rect overlap = Intersect(r, cut);
    if (overlap.IsEmpty()) {
        out.push_back(r);
        return;
    }
    if (r.top < overlap.top)
        out.push_back(Rect{r.left, r.top, r.right, overlap.top});
    if (overlap.bottom < r.bottom)
        out.push_back(Rect{r.left, overlap.bottom, r.right, r.bottom});
    if (r.left < overlap.left)
        out.push_back(Rect{r.left, overlap.top, overlap.left, overlap.bottom});
    if (overlap.right < r.right)
        out.push_back(Rect{overlap.right, overlap.top, r.right, overlap.bottom});
}

std::vector<Rect> Minus(std::vector<Rect> rects, const std::vector<Rect>& cuts)
{
    for (const Rect& cut : cuts) {
        std::vector<Rect> next;
        for (const Rect& r : rects)
            Subtract(r, cut, next);
        rects = std::move(next);
    }
    return rects;
}

std::int32_t RoundToInt(double v)
{
    return static_cast<std::int32_t>(std::lround(v));
}

// Device pixels per logical unit along one axis, from the viewport and window extents of
// that axis (`own`) and of the other one.
double AxisScale(MapMode mode, std::int32_t ownViewport, std::int32_t ownWindow,
                 std::int32_t otherViewport, std::int32_t otherWindow)
{
    if (mode == MapMode::Text)
        return 1.0;
    const double own = static_cast<double>(ownViewport) / ownWindow;
    if (mode == MapMode::Anisotropic)
        return own;
    const double other = static_cast<double>(otherViewport) / otherWindow;
    return std::copysign(std::min(std::fabs(own), std::fabs(other)), own);
}

}  // namespace

Region::Region(const Rect& r)
{
    if (!r.IsEmpty())
        rects_.push_back(r);
}

Region Region::Combine(const Region& a, const Region& b, RegionCombine mode)
{
    Region result;
    switch (mode) {
    case RegionCombine::Copy:
        return a;
    case RegionCombine::And:
        for (const Rect& x : a.rects_)
            for (const Rect& y : b.rects_)
                if (const Rect i = Intersect(x, y); !i.IsEmpty())
                    result.rects_.push_back(i);
        return result;
    case RegionCombine::Or:
        result.rects_ = a.rects_;
        for (const Rect& r : Minus(b.rects_, a.rects_))
            result.rects_.push_back(r);
        return result;
    case RegionCombine::Xor:
        result.rects_ = Minus(a.rects_, b.rects_);
        for (const Rect& r : Minus(b.rects_, a.rects_))
            result.rects_.push_back(r);
        return result;
    case RegionCombine::Diff:
        result.rects_ = Minus(a.rects_, b.rects_);
        return result;
    }
    return result;
}

bool Region::Contains(Point p) const
{
    return std::any_of(rects_.begin(), rects_.end(), [p](const Rect& r) { return r.Contains(p); });
}

Rect Region::Bounds() const
{
    if (rects_.empty())
        return Rect{};
    Rect b = rects_.front();
    for (const Rect& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

std::int64_t Region::Area() const
{
    std::int64_t area = 0;
    for (const Rect& r : rects_)
        area += static_cast<std::int64_t>(r.Width()) * r.Height();
    return area;
}

bool operator==(const Region& a, const Region& b)
{
    return Minus(a.rects_, b.rects_).empty() && Minus(b.rects_, a.rects_).empty();
}

double Mapping::ScaleX() const
{
    return AxisScale(mode, viewportExt.cx, windowExt.cx, viewportExt.cy, windowExt.cy);
}

double Mapping::ScaleY() const
{
    return AxisScale(mode, viewportExt.cy, windowExt.cy, viewportExt.cx, windowExt.cx);
}

Point Mapping::LPtoDP(Point p) const
{
    return Point{RoundToInt(ToDeviceX(p.x)), RoundToInt(ToDeviceY(p.y))};
}

Point Mapping::DPtoLP(Point p) const
{
    return Point{RoundToInt((p.x - viewportOrg.x) / ScaleX() + windowOrg.x),
                 RoundToInt((p.y - viewportOrg.y) / ScaleY() + windowOrg.y)};
}

float HundredthsOfMmPerPixel(int dpi)
{
    constexpr int kLowest = 24;
    constexpr int kHighest = 9600;
    if (dpi < kLowest || dpi > kHighest)
        dpi = 96;
    return 2540.0f / static_cast<float>(dpi);
}

float HundredthsOfMmPerPixel(const DeviceContext& dc)
{
    return HundredthsOfMmPerPixel(dc.GetDeviceCaps(DeviceCap::LogPixelsX));
}

template <class T>
T DeviceContext::ChangeMapping(T& field, T value)
{
    const T old = std::exchange(field, value);
    MappingChanged();
    return old;
}

MapMode DeviceContext::SetMapMode(MapMode mode)
{
    return ChangeMapping(mapping_.mode, mode);
}

// Extents of zero are refused, as the desktop refuses them: a mapping never divides by 0.
Size DeviceContext::SetWindowExt(Size ext)
{
    if (ext.cx == 0 || ext.cy == 0)
        return mapping_.windowExt;
    return ChangeMapping(mapping_.windowExt, ext);
}

Size DeviceContext::SetViewportExt(Size ext)
{
    if (ext.cx == 0 || ext.cy == 0)
        return mapping_.viewportExt;
    return ChangeMapping(mapping_.viewportExt, ext);
}

Point DeviceContext::SetWindowOrg(Point org)
{
    return ChangeMapping(mapping_.windowOrg, org);
}

Point DeviceContext::SetViewportOrg(Point org)
{
    return ChangeMapping(mapping_.viewportOrg, org);
}

quaverly::LogFont DeviceContext::SelectFont(const quaverly::LogFont& font)
{
    quaverly::LogFont old = std::exchange(state_.font, font);
    FontChanged();
    return old;
}

void DeviceContext::SelectClipRegion(const Region* region)
{
    if (region)
        state_.clip = *region;
    else
        state_.clip.reset();
    ClipChanged();
}

void DeviceContext::ExtSelectClipRegion(const Region& region, RegionCombine mode)
{
    if (mode == RegionCombine::Copy) {
        SelectClipRegion(&region);
        return;
    }
    const Region current = GetClipRegion().value_or(Region(DeviceBounds()));
    const Region combined = Region::Combine(current, region, mode);
    SelectClipRegion(&combined);
}

Rect DeviceContext::DeviceBounds() const
{
    return Rect{0, 0, GetDeviceCaps(DeviceCap::HorzRes), GetDeviceCaps(DeviceCap::VertRes)};
}

}  // namespace platform
