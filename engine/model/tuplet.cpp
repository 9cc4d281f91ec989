#include "engine/model/tuplet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

int HoldCount(int count)
{
    return std::clamp(count, 0, note_limits::kMaxTupletCount);
}

void WriteCounts(Note& note, int actual, int normal)
{
    note.SetTupletActual(actual);
    note.SetTupletNormal(normal);
}

}  // namespace

Tuplet::Tuplet() : Tuplet(0, 0) {}

Tuplet::Tuplet(int actual, int normal)
{
    SetCounts(actual, normal);
}

void Tuplet::SetCounts(int actual, int normal)
{
    actual_ = HoldCount(actual);
    normal_ = HoldCount(normal);
    bracketHeight_ = 0;
    SetAxisMask(drag_axis::kY);
}

void Tuplet::SetActualCount(int actual)
{
    actual_ = HoldCount(actual);
}

void Tuplet::SetNormalCount(int normal)
{
    normal_ = HoldCount(normal);
}

void Tuplet::SetFirstNote(std::shared_ptr<Note> note)
{
    if (note)
        WriteCounts(*note, actual_, normal_);
    firstNote_ = std::move(note);
}

void Tuplet::AddNote(std::shared_ptr<Note> note)
{
    if (!note)
        return;
    WriteCounts(*note, actual_, normal_);
    notes_.push_back(std::move(note));
}

int Tuplet::GetStartTime() const
{
    return firstNote_ ? firstNote_->GetStartTime() : 0;
}

int Tuplet::GetUnitLength() const
{
    if (!firstNote_)
        return 0;
    const double base = firstNote_->GetDuration();
    const int dots = firstNote_->GetDots();
    double total = base;
    for (int k = 1; k <= dots; ++k)
        total = std::trunc(base / std::pow(2.0, k) + total);
    return ClampToInt(static_cast<std::int64_t>(total));
}

int Tuplet::GetEndTime() const
{
    return ClampToInt(static_cast<std::int64_t>(GetUnitLength()) * normal_ + GetStartTime());
}

void Tuplet::ClearChildren()
{
    EditableElement::ClearChildren();
    if (firstNote_)
        WriteCounts(*firstNote_, 0, 0);
    for (const auto& note : notes_)
        WriteCounts(*note, 0, 0);
    firstNote_.reset();
    notes_.clear();
}

void Tuplet::DeleteSelected()
{
    NotificationPayload payload;
    NotifySelf(notification_id::kTupletDelete, &payload);
}

bool Tuplet::HitTest(Point point) const
{
    const Point at = GetAbsolutePoint();
    const Rect r = GetRect();
    const int x1 = bracketStart_.x;
    const int y = bracketStart_.y;
    const int x2 = bracketEnd_.x;
    const int d = bracketHeight_;

    // The number, centred over the bracket and standing on it.
    const int hx = r.left + (x1 + x2 + r.left - r.right) / 2 + at.x;
    const int vy = r.top + y + at.y - (r.bottom - r.top) / 2 - d;
    const bool inNumber = hx <= point.x && point.x <= hx + r.Width() && vy <= point.y &&
                          point.y <= vy + r.Height();
    // The bracket.
    const bool onBracket = at.x + x1 <= point.x && point.x <= at.x + x2 &&
                           y + at.y - d <= point.y && point.y <= y + at.y;
    return inNumber || onBracket;
}

void Tuplet::Layout(ScorePainter& painter)
{
    EditableElement::Layout(painter);
    const Size number = painter.MeasureTupletNumber(actual_);
    bracketHeight_ = painter.GetFlatSlurHeight2();
    SetRect({0, 0, number.cx, number.cy});
}

void Tuplet::Draw(ScorePainter& painter)
{
    EditableElement::Draw(painter);
    const Point at = GetAbsolutePoint();
    painter.DrawTuplet(bracketStart_.x + at.x, bracketStart_.y + at.y,
                       bracketEnd_.x - bracketStart_.x, actual_, GetColor());
}

}  // namespace quaverly
