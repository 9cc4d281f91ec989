#include "engine/layout/barline_view.h"

#include <algorithm>

#include "engine/model/barline.h"
#include "engine/model/score_painter.h"
#include "engine/model/symbol_mark.h"

namespace quaverly {

namespace {

inline constexpr int kBarlineColor = 16;

bool Contains(const Rect& rect, Point point)
{
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y &&
           point.y <= rect.bottom;
}

// The style and mark value of a row's barline as they are now: an edit that retypes a
// barline without laying its line out again (the final barline moving on to an appended
// bar) shows at once. An entry without a model barline keeps the values it was given.
int TypeOf(const BarlineViewEntry& entry)
{
    const auto* barline = dynamic_cast<const Barline*>(entry.barline.get());
    return barline ? barline->GetType() : entry.type;
}

int MarkValueOf(const BarlineViewEntry& entry)
{
    const auto* barline = dynamic_cast<const Barline*>(entry.barline.get());
    return barline ? barline->GetMarkValue() : entry.markValue;
}

}  // namespace

BarlineView::BarlineView(int side) : side_(side)
{
    SetAxisMask(0);
    EditableElement::SetColor(kBarlineColor);
    SetNormalColor(kBarlineColor);
}

void BarlineView::AppendBar(BarlineViewEntry entry)
{
    if (entry.bar)
        bars_.push_back(std::move(entry));
}

void BarlineView::AppendJoinedPair(int first, int last)
{
    pairs_.emplace_back(first, last);
}

int BarlineView::GetType() const
{
    return bars_.empty() ? 0 : MarkValueOf(bars_.front());
}

template <class F>
void BarlineView::ForEachSymbol(F&& f)
{
    for (const BarlineViewEntry& entry : bars_) {
        for (const std::shared_ptr<SymbolMark>& symbol : entry.symbols) {
            if (symbol)
                f(*symbol);
        }
    }
}

void BarlineView::SetOrigin(Point origin)
{
    EditableElement::SetOrigin(origin);
    ForEachSymbol([origin](SymbolMark& symbol) { symbol.SetOrigin(origin); });
}

void BarlineView::OnKeyDown(int key, int flags)
{
    EditableElement::OnKeyDown(key, flags);
    ForEachSymbol([&](SymbolMark& symbol) { symbol.OnKeyDown(key, flags); });
}

void BarlineView::OnInputEvent(int first, int second)
{
    EditableElement::OnInputEvent(first, second);
    ForEachSymbol([&](SymbolMark& symbol) { symbol.OnInputEvent(first, second); });
}

void BarlineView::OnButtonDown(Point point, int flags, int& handled)
{
    EditableElement::OnButtonDown(point, flags, handled);
    ForEachSymbol([&](SymbolMark& symbol) { symbol.OnButtonDown(point, flags, handled); });
}

void BarlineView::OnPointerMove(Point point, int flags)
{
    EditableElement::OnPointerMove(point, flags);
    ForEachSymbol([&](SymbolMark& symbol) { symbol.OnPointerMove(point, flags); });
}

void BarlineView::OnButtonUp(Point point, int flags)
{
    EditableElement::OnButtonUp(point, flags);
    ForEachSymbol([&](SymbolMark& symbol) { symbol.OnButtonUp(point, flags); });
}

int BarlineView::SetState(int state)
{
    for (const BarlineViewEntry& entry : bars_) {
        if (entry.barline)
            entry.barline->SetState(state);
    }
    return EditableElement::SetState(state);
}

int BarlineView::SetColor(int color)
{
    for (const BarlineViewEntry& entry : bars_) {
        if (entry.barline)
            entry.barline->SetColor(color);
    }
    return EditableElement::SetColor(color);
}

bool BarlineView::HitTest(Point point) const
{
    const Point at = GetAbsolutePoint();
    const auto hits = [&](const Rect& rect) { return Contains(rect.Moved(at), point); };
    return std::any_of(barlineRects_.begin(), barlineRects_.end(), hits) ||
           std::any_of(joiningRects_.begin(), joiningRects_.end(), hits);
}

void BarlineView::Layout(ScorePainter& painter)
{
    barlineRects_.clear();
    joiningRects_.clear();
    if (bars_.empty())
        return;
    const int height = painter.GetBarLineHeight();
    const int width = painter.GetBarLineExtent(0).cx;
    const Point origin = GetOrigin();
    for (const BarlineViewEntry& entry : bars_) {
        const ScoreElement& bar = *entry.bar;
        int x = bar.GetOrigin().x + bar.GetPosition().x - origin.x;
        if (side_ == barline_side::kRight)
            x += bar.GetRect().Width() - width;
        const int y = bar.GetOrigin().y + bar.GetPosition().y - origin.y;
        barlineRects_.push_back({x, y, x + width, y + height});
        if (entry.barline)
            entry.barline->SetParent(entry.bar.get());
    }
    // A joined group's piece spans the whole gap from its first row's barline down to
    // its last row's, so a group of three or more rows is joined all the way.
    const int count = static_cast<int>(barlineRects_.size());
    for (const auto& [first, last] : pairs_) {
        if (first < 0 || last >= count || first >= last)
            continue;
        const Rect& top = barlineRects_[first];
        const Rect& bottom = barlineRects_[last];
        joiningRects_.push_back({top.left, top.bottom, top.right, bottom.top});
    }
    LayoutSymbols(painter);
}

void BarlineView::LayoutSymbols(ScorePainter& painter)
{
    const int extent = painter.GetBarLineExtent(5).cy;
    for (const BarlineViewEntry& entry : bars_) {
        // Each row's symbols stack around its own barline, not on those of the rows above.
        int above = 0;
        int below = 0;
        int left = 0;
        int right = 0;
        const Point barPoint = entry.bar->GetChildOrigin();
        for (const std::shared_ptr<SymbolMark>& symbol : entry.symbols) {
            if (!symbol)
                continue;
            symbol->SetParent(entry.barline ? entry.barline.get() : this);
            symbol->Layout(painter);
            const Rect rect = symbol->GetRect();
            const ExtendSymbol& data = symbol->GetSymbolData();
            const int w = rect.Width();
            const int h = rect.Height();
            Point at;
            switch (data.placement) {
            case symbol_placement::kAbove:
                at = {-w / 2, -h - above};
                above += h;
                break;
            case symbol_placement::kBelow:
                at = {-w / 2, below + extent};
                below += h;
                break;
            case symbol_placement::kLeft:
                at = {-w - left, (extent - h) / 2};
                left += w;
                break;
            case symbol_placement::kRight:
                at = {right, (extent - h) / 2};
                right += w;
                break;
            default:
                break;
            }
            at.x += data.hOffset;
            at.y -= data.vOffset;
            symbol->SetOrigin(barPoint);
            symbol->SetPosition(at);
        }
    }
}

void BarlineView::Draw(ScorePainter& painter)
{
    if (bars_.empty())
        return;
    const Point at = GetAbsolutePoint();
    const int type = TypeOf(bars_.front());
    const int mark = MarkValueOf(bars_.front());
    const int color = GetColor();
    const bool selected = GetState() == element_state::kSelected;
    for (const Rect& local : barlineRects_) {
        const Rect rect = local.Moved(at);
        painter.DrawBarLine(rect.left, rect.top, rect.Height(), side_, type, joined_, color);
        painter.DrawRepeatBarLine(rect.left, rect.top, rect.Height(), side_, mark, joined_,
                                  color);
        if (selected)
            painter.DrawFrameRect(rect, color);
    }
    for (const Rect& local : joiningRects_) {
        const Rect rect = local.Moved(at);
        painter.DrawBarLine(rect.left, rect.top, rect.Height(), side_, type, joined_, color);
        if (selected)
            painter.DrawFrameRect(rect, color);
    }
    ForEachSymbol([&painter](SymbolMark& symbol) { symbol.Draw(painter); });
}

}  // namespace quaverly
