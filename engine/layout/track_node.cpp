#include "engine/layout/track_node.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/layout/line_mark_geometry.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/tie_view_group.h"
#include "engine/model/bar.h"
#include "engine/model/header_text.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/int_clamp.h"
#include "engine/model/line_mark.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "engine/model/score_painter.h"
#include "engine/model/tie.h"

namespace quaverly {

namespace id = notification_id;

namespace {

// The first entry of a list of views that is the sender, as a shared pointer.
template <class T>
std::shared_ptr<T> FindView(const std::vector<std::shared_ptr<T>>& views, const ScoreElement* sender)
{
    for (const auto& view : views) {
        if (view && view.get() == sender)
            return view;
    }
    return nullptr;
}

// How much room the bar at `next` can give to the bar before it that is widened by
// hand: the room between its margins, less what a narrowing of its own already takes
// (the row's last bar takes what is left, so only its natural room counts). A bar
// widened further than that would push the bars after it past the row's end, and the
// last one off the page.
double RoomToGive(std::size_t next, const std::vector<std::shared_ptr<Bar>>& bars,
                  const std::vector<double>& columns, double ratio)
{
    const std::shared_ptr<PositionMap>& map = bars[next]->GetPositionMap();
    if (!map)
        return 0.0;
    const bool last = next + 1 == bars.size();
    const double narrowing =
        last ? 0.0 : std::clamp(static_cast<double>(map->GetColumnAdjust()), -1.0, 0.0);
    return std::max(0.0, columns[next] * ratio * (1.0 + narrowing));
}

}  // namespace

TrackNode::TrackNode()
    : positionMark_(std::make_shared<LayoutMarkA>()),
      spacingMark_(std::make_shared<CursorLineMark>())
{
    SetVisible(true);
    for (auto& mark : verseMarks_)
        mark = std::make_shared<LayoutMarkF>();
}

TrackNode::~TrackNode() = default;

void TrackNode::SetPart(std::shared_ptr<Part> part)
{
    part_ = std::move(part);
    marks_.SetPart(part_);
}

void TrackNode::SetBarRange(int first, int end)
{
    firstBar_ = first;
    endBar_ = end;
    marks_.SetBarRange(first, end);
}

std::shared_ptr<Bar> TrackNode::GetBar(int i) const
{
    if (!part_ || i < 0 || i >= GetChildCount())
        return nullptr;
    return GetPartBar(*part_, firstBar_ + i);
}

std::vector<std::shared_ptr<Bar>> TrackNode::RangeBars() const
{
    std::vector<std::shared_ptr<Bar>> bars;
    const int count = GetChildCount();
    for (int i = 0; i < count; ++i) {
        if (auto bar = GetBar(i))
            bars.push_back(std::move(bar));
    }
    return bars;
}

void TrackNode::SetInstrumentName(std::shared_ptr<InstrumentNameText> name)
{
    name_ = std::move(name);
}

void TrackNode::ClearInstrumentName()
{
    name_.reset();
}

const std::shared_ptr<LayoutMarkF>& TrackNode::GetVerseMark(int verse) const
{
    static const std::shared_ptr<LayoutMarkF> none;
    if (verse < 0 || verse >= kVerseCount)
        return none;
    return verseMarks_[static_cast<std::size_t>(verse)];
}

int TrackNode::StaffSize() const
{
    if (!part_)
        return 0;
    const double size = part_->GetStaffSize();
    if (!(size > 0.0))
        return 0;  // not set yet (or nonsense): no room below the bar line
    return TruncToInt(size);
}

int TrackNode::VerseOffset(int verse) const
{
    if (!part_)
        return 0;
    const int offset = part_->GetVerseOffset(verse);
    return offset == kUnset ? 0 : offset;
}

void TrackNode::ShowVerseMarks(bool visible)
{
    int highest = 0;
    for (const auto& bar : RangeBars()) {
        for (const auto& note : bar->GetNotes()) {
            if (!note)
                continue;
            for (int verse = highest + 1; verse < kVerseCount; ++verse) {
                if (!note->GetLyricText(verse).empty())
                    highest = verse;
            }
        }
    }
    for (int verse = 0; verse <= highest; ++verse)
        verseMarks_[static_cast<std::size_t>(verse)]->SetVisible(visible);
}

// --- Children: the part's bars of the range ---

int TrackNode::GetChildCount() const
{
    return std::max(endBar_ - firstBar_, 0);
}

ScoreElement::ElementPtr TrackNode::GetChild(int i) const
{
    if (!part_ || i < 0 || i >= GetChildCount())
        return nullptr;
    return part_->GetChild(firstBar_ + i);
}

void TrackNode::InsertChild(int, ElementPtr) {}

void TrackNode::RemoveChild(int) {}

void TrackNode::Select()
{
    SetState(element_state::kSelected);
}

void TrackNode::Deselect()
{
    SetState(element_state::kNormal);
}

Rect TrackNode::GetExtent(ScorePainter& painter)
{
    if (!IsVisible())
        return {};
    return {0, 0, 0, ClampToInt(static_cast<long long>(StaffSize()) + painter.GetBarLineHeight())};
}

std::vector<ScoreElement::ElementPtr> TrackNode::OwnedElements() const
{
    std::vector<ElementPtr> owned;
    for (const auto& view : marks_.GetTieViews())
        owned.push_back(view);
    for (const auto& view : marks_.GetLineMarkViews())
        owned.push_back(view);
    owned.push_back(positionMark_);
    owned.push_back(spacingMark_);
    for (const auto& mark : verseMarks_)
        owned.push_back(mark);
    if (name_)
        owned.push_back(name_);
    return owned;
}

void TrackNode::PlaceOwned()
{
    const Point a = GetAbsolutePoint();
    for (const auto& bar : RangeBars())
        bar->SetOrigin(a);
    for (const auto& view : marks_.GetTieViews())
        view->SetOrigin(a);
    for (const auto& view : marks_.GetLineMarkViews())
        view->SetOrigin(a);
    positionMark_->SetOrigin(a);
    spacingMark_->SetOrigin(a);
    for (const auto& mark : verseMarks_)
        mark->SetOrigin(a);
}

void TrackNode::SetOrigin(Point origin)
{
    ScoreElement::SetOrigin(origin);
    PlaceOwned();
}

void TrackNode::SetPosition(Point position)
{
    ScoreElement::SetPosition(position);
    PlaceOwned();
}

// --- Events ---

void TrackNode::OnKeyDown(int key, int flags)
{
    for (const auto& bar : RangeBars())
        bar->OnKeyDown(key, flags);
    for (const auto& element : OwnedElements())
        element->OnKeyDown(key, flags);
}

void TrackNode::OnInputEvent(int first, int second)
{
    for (const auto& bar : RangeBars())
        bar->OnInputEvent(first, second);
    for (const auto& element : OwnedElements())
        element->OnInputEvent(first, second);
}

void TrackNode::OnButtonDown(Point point, int flags, int& handled)
{
    for (const auto& element : OwnedElements())
        element->OnButtonDown(point, flags, handled);
    StorePointerPosition(point);
    for (const auto& bar : RangeBars()) {
        if (bar->IsVisible())
            bar->OnButtonDown(point, flags, handled);
    }
    if (!HitTest(point))
        Deselect();
}

void TrackNode::OnPointerMove(Point point, int flags)
{
    StorePointerPosition(point);
    for (const auto& bar : RangeBars()) {
        if (bar->IsVisible())
            bar->OnPointerMove(point, flags);
    }
    for (const auto& element : OwnedElements())
        element->OnPointerMove(point, flags);
}

void TrackNode::OnButtonUp(Point point, int flags)
{
    StorePointerPosition(point);
    for (const auto& bar : RangeBars()) {
        if (bar->IsVisible())
            bar->OnButtonUp(point, flags);
    }
    for (const auto& element : OwnedElements())
        element->OnButtonUp(point, flags);
}

void TrackNode::OnDoubleClick(Point point, int flags, int& handled)
{
    StorePointerPosition(point);
    for (const auto& bar : RangeBars()) {
        if (bar->IsVisible())
            bar->OnDoubleClick(point, flags, handled);
    }
    if (HitTest(point) && (flags & input_flag::kKeepSelection) != 0)
        Select();
    else
        Deselect();
}

bool TrackNode::HitTest(Point point) const
{
    if (ScoreElement::HitTest(point))
        return true;
    const auto bars = RangeBars();
    return std::any_of(bars.begin(), bars.end(),
                       [point](const std::shared_ptr<Bar>& bar) { return bar->HitTest(point); });
}

// --- Layout and drawing ---

int TrackNode::MarksBelowBottom(ScorePainter& painter, const std::vector<std::shared_ptr<Bar>>& bars) const
{
    const long long barLine = painter.GetBarLineHeight();
    long long bottom = 0;
    if (part_) {
        // A wedge's lines spread half the spread each way from its place, plus half the
        // line's width.
        const long long wedge = barLine + painter.GetWedgeOffset().y + painter.GetWedgeSpread() / 2 +
                                (painter.GetWedgeLineWidth() + 1) / 2;
        for (const std::shared_ptr<LineMark>& mark : part_->GetLineMarks()) {
            if (mark && (mark->GetKind() == line_mark_kind::kCresc ||
                         mark->GetKind() == line_mark_kind::kDecresc) &&
                marks_.SegmentOnRow(*mark) >= 0) {
                bottom = std::max(bottom, wedge);
                break;
            }
        }
    }
    const long long dynamics = barLine + painter.GetDynamicMarkOffset().y;
    for (const auto& bar : bars) {
        for (const Bar::DirectionPtr& mark : bar->GetDirections()) {
            if (mark)
                bottom = std::max(bottom, dynamics + painter.MeasureDynamicMark(mark->GetDynamicsCode()).cy);
        }
    }
    return ClampToInt(bottom);
}

void TrackNode::PlaceVerses(ScorePainter& painter)
{
    int a = painter.GetBarLineHeight();
    const int lineHeight = painter.MeasureLyric(u"").cy;
    const Point origin = GetAbsolutePoint();
    const auto bars = RangeBars();
    // The first verse line starts below the wedges and dynamics of the row, clear of
    // them, wherever its own offset would put it higher: the marks sit at fixed places
    // under the bar lines, and lyrics drawn through them cannot be read.
    const int marksBottom = MarksBelowBottom(painter, bars);
    for (int verse = 0; verse < kVerseCount; ++verse) {
        int c = VerseOffset(verse);
        if (verse == 0 && marksBottom > 0) {
            const long long clear = static_cast<long long>(marksBottom) + kMarkClearance;
            if (static_cast<long long>(a) + c < clear)
                c = ClampToInt(clear - a);
        }
        for (const auto& bar : bars)
            bar->SetVerseOffset(verse, {0, ClampToInt(static_cast<long long>(a) + c)});
        a = ClampToInt(static_cast<long long>(a) + c + lineHeight);
        const auto& mark = verseMarks_[static_cast<std::size_t>(verse)];
        mark->SetOrigin(origin);
        mark->SetPosition({0, a});
        mark->SetParent(this);
        mark->Layout(painter);
    }
}

std::vector<double> TrackNode::ColumnExtents() const
{
    // Each column's widest map among the visible rows of the line that show the same
    // bars: the rows then share their barlines even where their bars hold different
    // lengths (an overfull bar beside an empty one, bars left over a meter change).
    std::vector<const TrackNode*> rows{this};
    if (const ScoreElement* line = GetParent()) {
        for (int t = 0; t < line->GetChildCount(); ++t) {
            const auto row = std::dynamic_pointer_cast<const TrackNode>(line->GetChild(t));
            if (row && row.get() != this && row->IsVisible() && row->GetBarRange() == GetBarRange())
                rows.push_back(row.get());
        }
    }
    std::vector<double> extents(static_cast<std::size_t>(std::max(GetChildCount(), 0)), 0.0);
    for (std::size_t c = 0; c < extents.size(); ++c) {
        for (const TrackNode* row : rows) {
            const auto bar = row->GetBar(static_cast<int>(c));
            if (const auto& map = bar ? bar->GetPositionMap() : nullptr)
                extents[c] = std::max(extents[c], static_cast<double>(map->GetTotalExtent()));
        }
    }
    return extents;
}

void TrackNode::Layout(ScorePainter& painter)
{
    PlaceVerses(painter);

    const Rect rect = GetRect();
    const long long width = rect.Width();
    // The bars of the range with the widest extent of their columns.
    std::vector<std::shared_ptr<Bar>> bars;
    std::vector<double> columns;
    const std::vector<double> extents = ColumnExtents();
    for (std::size_t c = 0; c < extents.size(); ++c) {
        if (auto bar = GetBar(static_cast<int>(c))) {
            bars.push_back(std::move(bar));
            columns.push_back(extents[c]);
        }
    }
    double extentSum = 0;
    long long marginSum = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (const auto& map = bars[i]->GetPositionMap()) {
            extentSum += columns[i];
            marginSum += static_cast<long long>(map->GetLeftMargin()) + map->GetRightMargin();
        }
    }
    if (bars.empty() || marginSum == 0 || extentSum == 0) {
        // Nothing placed, so nothing may hang on the bars: no pieces of an earlier layout
        // stay to be drawn.
        marks_.Clear();
        return;
    }

    const double ratio = static_cast<double>(width - marginSum) / extentSum;
    const Point origin = GetAbsolutePoint();
    const int height = painter.GetBarLineHeight();
    long long x = 0;
    long long carry = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        Bar& bar = *bars[i];
        const std::shared_ptr<PositionMap>& map = bar.GetPositionMap();
        double extent = 0.0;
        double adjust = 0.0;
        double margins = 0.0;
        if (map) {
            map->SetScale(static_cast<float>(ratio));
            extent = columns[i];
            adjust = map->GetColumnAdjust();
            margins = static_cast<double>(map->GetLeftMargin()) + map->GetRightMargin();
        }
        long long barWidth = 0;
        double widening = adjust * extent * ratio;
        if (i + 1 == bars.size()) {
            barWidth = width - x;  // the last bar ends the row exactly at its width
        } else {
            widening = std::min(widening, RoomToGive(i + 1, bars, columns, ratio));
            barWidth = TruncToInt(margins + extent * ratio + widening -
                                  static_cast<double>(carry));
        }
        bar.SetRect({0, 0, ClampToInt(barWidth), height});
        bar.SetOrigin(origin);
        bar.SetPosition({ClampToInt(x), 0});
        bar.SetParent(this);
        bar.Layout(painter);
        x += barWidth - bar.GetRect().left;
        carry = TruncToInt(widening);
    }

    marks_.BuildTieViews(*this, painter);
    marks_.BuildLineMarkViews(*this, painter);
    if (name_)
        name_->SetParent(this);
    LayoutExtras(painter);
}

void TrackNode::LayoutExtras(ScorePainter& painter)
{
    const int h = painter.GetBarLineHeight();
    const Point origin = GetAbsolutePoint();
    positionMark_->SetParent(this);
    positionMark_->SetOrigin(origin);
    positionMark_->SetPosition({0, h});
    positionMark_->Layout(painter);
    spacingMark_->SetParent(this);
    spacingMark_->SetOrigin(origin);
    spacingMark_->SetPosition({0, ClampToInt(static_cast<long long>(h) + StaffSize())});
    spacingMark_->Layout(painter);
}

void TrackNode::Draw(ScorePainter& painter)
{
    for (const auto& bar : RangeBars()) {
        if (bar->IsVisible())
            bar->Draw(painter);
    }
    const Rect rect = GetRect();
    const Rect placed = rect.Moved(GetAbsolutePoint());
    const int h = painter.GetBarLineHeight();
    for (const auto& view : marks_.GetTieViews())
        view->Draw(painter);
    for (const auto& view : marks_.GetLineMarkViews())
        view->Draw(painter);
    if (showBaseLine_)
        painter.DrawTrackBaseLine(placed.left, placed.top + h, rect.Width(),
                                  color_index::kTrackBaseLine);
    if (GetState() == element_state::kSelected)
        painter.DrawFrameRect(placed, color_index::kSelectedTrack);
    positionMark_->Draw(painter);
    spacingMark_->Draw(painter);
    for (const auto& mark : verseMarks_)
        mark->Draw(painter);
    if (name_)
        name_->Draw(painter);
}

// --- Notifications ---

int TrackNode::SendChange(int changeId, NotificationPayload& payload)
{
    return NotifySelf(changeId, &payload);
}

int TrackNode::OnHandle(int handleId, const ScoreElement* sender, const NotificationPayload* payload)
{
    const Point delta = payload != nullptr ? payload->delta : Point{};
    if (sender == positionMark_.get()) {
        if (handleId == id::kHandlePressed) {
            dragStartOffset_ = GetOffset();
        } else if (handleId == id::kHandleDragged) {
            NotificationPayload change;
            change.oldOffset = GetOffset();
            SetOffset({GetOffset().x, ClampToInt(static_cast<long long>(GetOffset().y) + delta.y)});
            change.newOffset = GetOffset();
            SendChange(id::kTrackPositionDrag, change);
        } else if (GetOffset() != dragStartOffset_) {
            NotificationPayload change;
            change.oldOffset = dragStartOffset_;
            change.newOffset = GetOffset();
            SendChange(id::kTrackPositionRelease, change);
        }
        return 1;
    }
    if (sender == spacingMark_.get()) {
        if (handleId == id::kHandlePressed) {
            dragTotal_ = 0;
            dragStartSpacing_ = part_ ? TruncToInt(part_->GetStaffSize()) : 0;
        } else if (handleId == id::kHandleDragged) {
            dragTotal_ = ClampToInt(static_cast<long long>(dragTotal_) + delta.y);
            NotificationPayload change;
            change.oldStaffSize = dragStartSpacing_;
            change.newStaffSize = ClampToInt(static_cast<long long>(dragStartSpacing_) + dragTotal_);
            change.part = part_;
            SendChange(id::kStaffSpacingDrag, change);
        } else if (const int moved = std::exchange(dragTotal_, 0); part_ && moved != 0) {
            // The size the steps asked for: their commands may not have run yet, and a
            // step gives the part only a share of the change while the pointer moves.
            // A fractional size that the drag left alone is no change.
            NotificationPayload change;
            change.oldStaffSize = dragStartSpacing_;
            change.newStaffSize = ClampToInt(static_cast<long long>(dragStartSpacing_) + moved);
            change.part = part_;
            SendChange(id::kStaffSpacingRelease, change);
        }
        return 1;
    }
    for (int verse = 0; verse < kVerseCount; ++verse) {
        if (sender != verseMarks_[static_cast<std::size_t>(verse)].get())
            continue;
        const int current = part_ ? part_->GetVerseOffset(verse) : 0;
        if (handleId == id::kHandlePressed) {
            dragTotal_ = 0;
            dragStartVerseOffset_ = current;
        } else if (handleId == id::kHandleDragged) {
            dragTotal_ = ClampToInt(static_cast<long long>(dragTotal_) + delta.y);
            NotificationPayload change;
            change.verse = verse;
            change.oldVerseOffset = dragStartVerseOffset_;
            change.newVerseOffset =
                ClampToInt(static_cast<long long>(dragStartVerseOffset_) + dragTotal_);
            change.part = part_;
            SendChange(id::kVerseOffsetDrag, change);
        } else if (const int moved = std::exchange(dragTotal_, 0); part_ && moved != 0) {
            // The offset the steps asked for, whether or not their commands ran.
            NotificationPayload change;
            change.verse = verse;
            change.oldVerseOffset = dragStartVerseOffset_;
            change.newVerseOffset =
                ClampToInt(static_cast<long long>(dragStartVerseOffset_) + moved);
            change.part = part_;
            SendChange(id::kVerseOffsetRelease, change);
        }
        return 1;
    }
    return 0;
}

int TrackNode::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const ScoreElement* sender = notification.sender;
    const int barCount = GetChildCount();
    // The bar of the range that sent the record: its index in the part and the bar.
    const auto senderBar = [&](bool lastMatch) -> std::pair<int, ElementPtr> {
        std::pair<int, ElementPtr> found{-1, nullptr};
        for (int i = 0; i < barCount; ++i) {
            ElementPtr bar = GetChild(i);
            if (bar && bar.get() == sender) {
                found = {firstBar_ + i, std::move(bar)};
                if (!lastMatch)
                    break;
            }
        }
        return found;
    };

    switch (notification.id) {
        case id::kEditLyric:
            if (payload != nullptr) {
                if (const auto [index, bar] = senderBar(true); bar)
                    payload->barIndex = index;
            }
            break;
        case id::kNoteDelete:
        case id::kBarSelected:
        case id::kBarDeselected:
        case id::kBarDoubleClicked:
            if (payload != nullptr) {
                if (auto [index, bar] = senderBar(false); bar) {
                    payload->barIndex = index;
                    payload->bar = std::move(bar);
                }
            }
            break;
        case id::kTupletDelete:
        case id::kTimeSignatureDelete:
        case id::kBarlineMarkDelete:
        case id::kBarNumberDelete:
        case id::kBarWidthDrag:
        case id::kBarWidthRelease:
        case id::kGraceListDrag:
        case id::kGraceListRelease:
        case id::kChordNoteDrag:
        case id::kChordNoteRelease:
            if (payload != nullptr) {
                if (auto [index, bar] = senderBar(false); bar)
                    payload->bar = std::move(bar);
            }
            break;
        case id::kDynamicMarkDelete:
            if (payload != nullptr) {
                if (auto [index, bar] = senderBar(true); bar)
                    payload->bar = std::move(bar);
            }
            break;
        case id::kTieDelete:
            if (payload != nullptr) {
                if (const auto view = FindView(marks_.GetTieViews(), sender)) {
                    if (const auto& tie = view->GetTie()) {
                        payload->element = tie;
                        payload->note = tie->GetStart().note;
                        payload->owner = tie->GetStart().owner;
                    }
                    payload->part = part_;
                }
            }
            break;
        case id::kInstrumentNameDelete:
            if (payload != nullptr && name_ && sender == name_.get())
                payload->element = name_;
            break;
        case id::kLineMarkMoveDrag:
        case id::kLineMarkMoveRelease:
        case id::kLineMarkReshapeDrag:
        case id::kLineMarkReshapeRelease:
            if (payload != nullptr) {
                if (auto view = FindView(marks_.GetLineMarkViews(), sender))
                    payload->view = std::move(view);
            }
            break;
        case id::kHandlePressed:
        case id::kHandleReleased:
        case id::kHandleDragged:
            OnHandle(notification.id, sender, payload);
            break;
        case id::kMoveDragStep:
        case id::kMoveRequest:
            if (payload != nullptr) {
                if (auto view = FindView(marks_.GetTieViews(), sender)) {
                    // A tie view's finished move is the tie's, with the row's tie views
                    // made afresh.
                    if (notification.id == id::kMoveRequest && view->GetTie())
                        return NotifyModelMove(*payload, view->GetTie(), id::kTrackTiesChanged);
                    payload->element = std::move(view);
                } else if (name_ && sender == name_.get()) {
                    payload->element = name_;
                }
            }
            break;
        default:
            break;
    }
    notification.sender = this;
    return ScoreElement::Notify(notification);
}

}  // namespace quaverly
