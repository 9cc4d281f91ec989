#include "engine/layout/system_node.h"

#include <algorithm>

#include "engine/layout/barline_view.h"
#include "engine/layout/layout_mark_view.h"
#include "engine/layout/page_node.h"
#include "engine/model/drawn_area.h"
#include "engine/layout/part_group_view.h"
#include "engine/layout/system_start_line.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/expression_text.h"
#include "engine/model/header_text.h"
#include "engine/model/int_clamp.h"
#include "engine/model/key_signature.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/position_map.h"
#include "engine/model/score.h"
#include "engine/model/score_painter.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/time_signature.h"

namespace quaverly {

namespace id = notification_id;

namespace {

template <class T>
std::shared_ptr<T> FindEntry(const std::vector<std::shared_ptr<T>>& list, const ScoreElement* sender)
{
    for (const auto& entry : list) {
        if (entry && entry.get() == sender)
            return entry;
    }
    return nullptr;
}

template <class T>
void AppendAll(std::vector<ScoreElement::ElementPtr>& out, const std::vector<std::shared_ptr<T>>& list)
{
    for (const auto& entry : list) {
        if (entry)
            out.push_back(entry);
    }
}

}  // namespace

SystemNode::SystemNode(std::shared_ptr<Score> score)
    : indentMark_(std::make_shared<LayoutMarkC>()),
      rightEndMark_(std::make_shared<LayoutMarkC>()),
      score_(std::move(score))
{
}

SystemNode::~SystemNode() = default;

void SystemNode::SetRightOffset(Point offset)
{
    rightOffset_ = HoldUserOffset(offset);
}

void SystemNode::SetBarRange(int first, int end)
{
    firstBar_ = first;
    endBar_ = end;
    for (const auto& track : Tracks())
        track->SetBarRange(first, end);
}

void SystemNode::SetBarsPerLineMarkVisible(bool visible)
{
    if (barsPerLineMark_)
        barsPerLineMark_->SetVisible(visible);
}

std::vector<std::shared_ptr<TrackNode>> SystemNode::Tracks() const
{
    std::vector<std::shared_ptr<TrackNode>> tracks;
    for (const ElementPtr& child : Children()) {
        if (auto track = std::dynamic_pointer_cast<TrackNode>(child))
            tracks.push_back(std::move(track));
    }
    return tracks;
}

std::shared_ptr<TrackNode> SystemNode::GetTrack(int i) const
{
    return std::dynamic_pointer_cast<TrackNode>(GetChild(i));
}

std::shared_ptr<TrackNode> SystemNode::FirstVisibleTrack() const
{
    const auto tracks = Tracks();
    for (const auto& track : tracks) {
        if (track->IsVisible())
            return track;
    }
    return tracks.empty() ? nullptr : tracks.front();
}

int SystemNode::FindTrackAt(Point point) const
{
    const int count = GetChildCount();
    for (int i = 0; i < count; ++i) {
        const ElementPtr track = GetChild(i);
        const int y = track->GetOrigin().y + track->GetPosition().y;
        const Rect rect = track->GetRect();
        if (y + rect.top <= point.y && point.y < y + rect.bottom)
            return i;
    }
    return -1;
}

int SystemNode::LeftInset(ScorePainter& painter) const
{
    const int groupRoom = partGroupViews_.empty() ? 0 : painter.GetSlurEndSize().cx;
    return ClampToInt(static_cast<long long>(groupRoom) + GetOffset().x);
}

Rect SystemNode::GetExtraRect(ScorePainter& painter)
{
    return {0, 0, ClampToInt(static_cast<long long>(LeftInset(painter)) + rightOffset_.x), 0};
}

void SystemNode::LayoutExtras(ScorePainter& painter)
{
    for (const auto& track : Tracks())
        track->LayoutExtras(painter);
}

void SystemNode::BroadcastValue(int value)
{
    ContainerElement::BroadcastValue(value);
    indentMark_->SetVisible(value != 0);
    rightEndMark_->SetVisible(value != 0);
}

void SystemNode::CreateTracks()
{
    ClearChildren();
    if (!score_)
        return;
    int k = 0;
    const int containers = score_->GetChildCount();
    for (int c = 0; c < containers; ++c) {
        const ElementPtr container = score_->GetChild(c);
        const int parts = container ? container->GetChildCount() : 0;
        for (int p = 0; p < parts; ++p) {
            auto part = std::dynamic_pointer_cast<Part>(container->GetChild(p));
            if (!part)
                continue;
            auto track = std::make_shared<TrackNode>();
            track->SetPart(std::move(part));
            track->SetBarRange(firstBar_, endBar_);
            InsertChild(k++, std::move(track));
        }
    }
}

// --- Placing ---

std::vector<ScoreElement::ElementPtr> SystemNode::LineElements() const
{
    std::vector<ElementPtr> elements;
    AppendAll(elements, keySignatures_);
    AppendAll(elements, tempoMarks_);
    AppendAll(elements, expressionTexts_);
    AppendAll(elements, partGroupViews_);
    AppendAll(elements, startLines_);
    AppendAll(elements, barlineViews_);
    return elements;
}

std::vector<ScoreElement::ElementPtr> SystemNode::Marks() const
{
    std::vector<ElementPtr> marks{indentMark_, rightEndMark_};
    if (lineBreakMark_)
        marks.push_back(lineBreakMark_);
    if (barsPerLineMark_)
        marks.push_back(barsPerLineMark_);
    return marks;
}

void SystemNode::PlaceOwned()
{
    const Point p = GetChildOrigin();
    for (const ElementPtr& element : LineElements())
        element->SetOrigin(p);
    for (const auto& signature : timeSignatures_)
        signature->SetOrigin(p);
    if (const auto track = FirstVisibleTrack()) {
        const Point q = OffsetPoint(OffsetPoint(p, track->GetPosition()), track->GetOffset());
        indentMark_->SetOrigin(q);
        rightEndMark_->SetOrigin({q.x + track->GetRect().Width(), q.y});
    } else {
        indentMark_->SetOrigin(p);
        rightEndMark_->SetOrigin(p);
    }
    if (lineBreakMark_)
        lineBreakMark_->SetOrigin(p);
    if (barsPerLineMark_)
        barsPerLineMark_->SetOrigin(p);
    const Point nameOrigin = OffsetPoint(p, GetOffset());
    for (const auto& track : Tracks()) {
        if (const auto& name = track->GetInstrumentName())
            name->SetOrigin(nameOrigin);
    }
}

void SystemNode::SetOrigin(Point origin)
{
    ContainerElement::SetOrigin(origin);
    PlaceOwned();
}

void SystemNode::SetPosition(Point position)
{
    ContainerElement::SetPosition(position);
    PlaceOwned();
}

// --- Events and drawing ---

void SystemNode::OnKeyDown(int key, int flags)
{
    ContainerElement::OnKeyDown(key, flags);
    for (const ElementPtr& element : LineElements())
        element->OnKeyDown(key, flags);
    for (const ElementPtr& mark : Marks())
        mark->OnKeyDown(key, flags);
}

void SystemNode::OnInputEvent(int first, int second)
{
    ContainerElement::OnInputEvent(first, second);
    for (const ElementPtr& element : LineElements())
        element->OnInputEvent(first, second);
    for (const ElementPtr& mark : Marks())
        mark->OnInputEvent(first, second);
}

void SystemNode::OnButtonDown(Point point, int flags, int& handled)
{
    ContainerElement::OnButtonDown(point, flags, handled);
    for (const ElementPtr& element : LineElements())
        element->OnButtonDown(point, flags, handled);
    for (const ElementPtr& mark : Marks())
        mark->OnButtonDown(point, flags, handled);
}

void SystemNode::OnPointerMove(Point point, int flags)
{
    ContainerElement::OnPointerMove(point, flags);
    for (const ElementPtr& element : LineElements())
        element->OnPointerMove(point, flags);
    for (const ElementPtr& mark : Marks())
        mark->OnPointerMove(point, flags);
}

void SystemNode::OnButtonUp(Point point, int flags)
{
    ContainerElement::OnButtonUp(point, flags);
    for (const ElementPtr& element : LineElements())
        element->OnButtonUp(point, flags);
    for (const ElementPtr& mark : Marks())
        mark->OnButtonUp(point, flags);
}

void SystemNode::Draw(ScorePainter& painter)
{
    // A pass that draws part of the page draws the rows that can reach it; what a row
    // draws reaches past its rectangle no further than what a line draws.
    ForEachVisibleChild([&painter](ScoreElement& row) {
        if (IsAreaDrawn(painter, PageNode::InkReach(row.GetRect().Moved(row.GetAbsolutePoint()))))
            row.Draw(painter);
    });
    for (const ElementPtr& element : LineElements())
        element->Draw(painter);
    // The opening time signature the line placed: its bar leaves it to the line.
    for (const auto& signature : timeSignatures_) {
        if (signature->IsSystemPlaced())
            signature->Draw(painter);
    }
    for (const ElementPtr& mark : Marks())
        mark->Draw(painter);
}

// --- Layout ---

void SystemNode::Layout(ScorePainter& painter)
{
    const auto tracks = Tracks();
    const Point p = GetChildOrigin();

    // 1. A line of one row begins at its first bar's left edge when that bar opens
    // with a plain start.
    if (tracks.size() == 1) {
        const int count = tracks.front()->GetChildCount();
        for (int i = 0; i < count; ++i) {
            const auto bar = tracks.front()->GetBar(i);
            if (!bar || !bar->GetPositionMap())
                continue;
            const bool plainStart = i == 0 && bar->GetBarline(0)->GetType() == 0;
            bar->GetPositionMap()->SetLeftMargin(plainStart ? 0 : painter.GetMetric107());
        }
    }

    // 2. Part-group views.
    partGroupViews_.clear();
    if (score_) {
        for (const auto& group : score_->GetPartGroups()) {
            if (!group)
                continue;
            auto view = std::make_shared<PartGroupView>();
            view->BindModelElement(group);
            view->SetOffset(group->GetOffset());
            partGroupViews_.push_back(std::move(view));
        }
    }

    // 3. The start line, for a line that shows more than one row.
    startLines_.clear();
    const auto visibleCount = std::count_if(
        tracks.begin(), tracks.end(), [](const auto& track) { return track->IsVisible(); });
    if (score_ && score_->GetChildCount() > 1 && visibleCount > 1) {
        auto line = std::make_shared<SystemStartLine>();
        line->BindModelElement(score_->GetStartLineElement());
        for (const auto& track : tracks) {
            if (track->IsVisible())
                line->AppendTrack(track);
        }
        startLines_.push_back(std::move(line));
    }

    // 4. Barline views; 5. the rows stacked; 6. the rows laid out.
    LayoutBarlineViews();
    StackTracks(painter);
    ContainerElement::Layout(painter);

    // 7. Signatures, tempo marks and expression texts.
    LayoutSystemMarks(painter);

    // 8. Part-group views over their visible rows; 9. the start line.
    LayoutPartGroupViews(painter);
    for (const auto& line : startLines_) {
        line->SetOrigin(p);
        line->SetParent(this);
        line->Layout(painter);
    }

    // 10. Barlines.
    JoinRepeatBarlines(painter);

    // 11. Everything the line placed has the line as its parent.
    for (const ElementPtr& element : LineElements())
        element->SetParent(this);
    for (const auto& signature : timeSignatures_)
        signature->SetParent(this);

    // 12. Handles.
    for (const auto& mark : {indentMark_, rightEndMark_}) {
        mark->SetParent(this);
        mark->Layout(painter);
    }
    PlaceOwned();

    // 13, 14. The layout marks at the line's right end.
    const int width = GetRect().Width();
    lineBreakMark_.reset();
    if (score_ && score_->GetLineBreaks().count(endBar_) != 0) {
        lineBreakMark_ = std::make_shared<LineBreakMarkView>();
        lineBreakMark_->SetBarIndex(endBar_);
        lineBreakMark_->SetParent(this);
        lineBreakMark_->SetOrigin(p);
        lineBreakMark_->SetPosition({width, 0});
        lineBreakMark_->Layout(painter);
    }
    barsPerLineMark_.reset();
    if (score_) {
        const std::map<int, int> barsPerLine = score_->GetBarsPerLine();
        const auto entry = barsPerLine.find(GetIndex());
        if (entry != barsPerLine.end()) {
            barsPerLineMark_ = std::make_shared<BarsPerLineMarkView>();
            barsPerLineMark_->SetLineIndex(entry->first);
            barsPerLineMark_->SetBarsPerLine(entry->second);
            barsPerLineMark_->SetParent(this);
            barsPerLineMark_->SetOrigin(p);
            barsPerLineMark_->SetPosition({width, 0});
            barsPerLineMark_->Layout(painter);
        }
    }

    // 15. Instrument names; 16. the rows' handles.
    LayoutInstrumentNames(painter);
    LayoutExtras(painter);
}

void SystemNode::LayoutBarlineViews()
{
    const auto tracks = Tracks();
    // Joined pairs, as indices among the visible rows (the barline views hold the bars
    // of the visible rows only).
    std::vector<std::pair<int, int>> pairs;
    int visibleIndex = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (!tracks[i]->IsVisible())
            continue;
        if (i + 1 < tracks.size() && tracks[i + 1]->IsVisible()) {
            const auto& upper = tracks[i]->GetPart();
            const auto& lower = tracks[i + 1]->GetPart();
            if (upper && lower && upper->GetStaffLink() == staff_link::kFirstOfPair &&
                lower->GetStaffLink() == staff_link::kSecondOfPair)
                pairs.emplace_back(visibleIndex, visibleIndex + 1);
        }
        ++visibleIndex;
    }

    barlineViews_.clear();
    const int columns = std::max(endBar_ - firstBar_, 0);
    for (int c = 0; c < columns; ++c) {
        auto left = std::make_shared<BarlineView>(barline_side::kLeft);
        auto right = std::make_shared<BarlineView>(barline_side::kRight);
        for (const auto& track : tracks) {
            if (!track->IsVisible())
                continue;
            const auto bar = track->GetBar(c);
            if (!bar)
                continue;
            for (const auto& view : {left, right}) {
                const auto& barline = bar->GetBarline(view->GetSide());
                BarlineViewEntry entry;
                entry.bar = bar;
                entry.barline = barline;
                entry.type = barline->GetType();
                entry.markValue = barline->GetMarkValue();
                entry.symbols = barline->GetSymbols();
                view->AppendBar(std::move(entry));
            }
        }
        for (const auto& [first, last] : pairs) {
            left->AppendJoinedPair(first, last);
            right->AppendJoinedPair(first, last);
        }
        barlineViews_.push_back(std::move(left));
        barlineViews_.push_back(std::move(right));
    }
}

void SystemNode::StackTracks(ScorePainter& painter)
{
    const auto tracks = Tracks();
    long long total = 0;
    for (const auto& track : tracks) {
        const Rect extent = track->GetExtent(painter);
        total += static_cast<long long>(extent.Height()) + track->GetOffset().y;
    }
    Rect rect = GetRect();
    rect.bottom = ClampToInt(total);
    SetRect(rect);

    const int inset = LeftInset(painter);
    const int rowWidth = ClampToInt(static_cast<long long>(rect.Width()) - inset + rightOffset_.x);
    const Point p = GetChildOrigin();
    long long y = 0;
    for (const auto& track : tracks) {
        if (!track->IsVisible())
            continue;
        const Rect extent = track->GetExtent(painter);
        track->SetRect({extent.left, extent.top, rowWidth, extent.bottom});
        track->SetOrigin(p);
        track->SetPosition({inset, ClampToInt(y)});
        y += static_cast<long long>(extent.Height()) + track->GetOffset().y;
    }
}

void SystemNode::LayoutSystemMarks(ScorePainter& painter)
{
    keySignatures_.clear();
    timeSignatures_.clear();
    tempoMarks_.clear();
    expressionTexts_.clear();
    if (!score_)
        return;
    const BarRange range{firstBar_, endBar_};
    for (const auto& key : score_->GetKeySignatureList()) {
        if (key && range.Contains(key->GetValue().bar))
            keySignatures_.push_back(key);
    }
    const auto first = FirstVisibleTrack();
    if (firstBar_ == 0 && first) {
        if (const auto bar = first->GetBar(0)) {
            if (const auto& signature = bar->GetTimeSignature()) {
                signature->SetSystemPlaced(true);
                timeSignatures_.push_back(signature);
            }
        }
        // The opening signature is shown once, in the marks row; the other parts' bar 0
        // leave theirs to the line too, since the bar columns keep no room for it there.
        for (const auto& track : Tracks()) {
            const auto bar = track->GetBar(0);
            if (bar && bar->GetTimeSignature())
                bar->GetTimeSignature()->SetSystemPlaced(true);
        }
    }
    for (const auto& tempo : score_->GetTempoMarkList()) {
        if (tempo && range.Contains(tempo->GetValue().position))
            tempoMarks_.push_back(tempo);
    }
    for (const auto& text : score_->GetExpressionTextList()) {
        if (text && range.Contains(text->GetValue().position))
            expressionTexts_.push_back(text);
    }
    if (!first)
        return;

    const Point p = GetChildOrigin();
    const auto place = [&](ScoreElement& element, Point position) {
        element.SetOrigin(p);
        element.SetPosition(position);
        element.Layout(painter);
    };
    int hE = 0;
    int hT = 0;
    for (int b = firstBar_; b < endBar_; ++b) {
        const auto bar = first->GetBar(b - firstBar_);
        if (!bar)
            continue;
        const int x0 = bar->GetOrigin().x + bar->GetPosition().x - p.x;
        const int y0 = bar->GetOrigin().y + bar->GetPosition().y - p.y;
        int wE = 0;
        for (const auto& text : expressionTexts_) {
            if (text->GetValue().position != b)
                continue;
            const Size size = painter.MeasureExpressionText(text->GetValue().text);
            const int g = painter.GetMetric106();
            place(*text, {x0, y0 - g - size.cy});
            hE = g + size.cy;
            wE = size.cx;
        }
        int d = 0;
        for (const auto& tempo : tempoMarks_) {
            const TempoMarkRecord value = tempo->GetValue();
            if (value.position != b)
                continue;
            const Size size = painter.MeasureTempoMark(value.beatUnit, value.perMinute);
            const int g = painter.GetMetric106();
            d -= g + size.cy;
            place(*tempo, {x0 + wE, y0 + d});
            hT = g + size.cy;
        }
        const int base = -painter.GetMetric102() - std::max(hE, hT);

        std::shared_ptr<KeySignature> key;
        for (const auto& entry : keySignatures_) {
            if (entry->GetValue().bar == b) {
                key = entry;
                break;
            }
        }
        const std::shared_ptr<TimeSignature> time =
            b == 0 && !timeSignatures_.empty() ? timeSignatures_.front() : nullptr;
        const Size timeSize =
            time ? painter.MeasureTimeSignature(time->GetValue().beats, time->GetValue().beatType)
                 : Size{};
        if (key) {
            const Size keySize = painter.MeasureKeySignature(key->GetValue().fifths);
            if (time) {
                const int timeX = x0 + painter.GetMetric103() + keySize.cx;
                if (timeSize.cy < keySize.cy) {
                    place(*key, {x0, y0 + base - keySize.cy});
                    place(*time, {timeX, y0 + base - (keySize.cy + timeSize.cy) / 2});
                } else {
                    place(*key, {x0, y0 + base - (keySize.cy + timeSize.cy) / 2});
                    place(*time, {timeX, y0 + base - timeSize.cy});
                }
            } else {
                place(*key, {x0, y0 + base - keySize.cy});
            }
        } else if (time) {
            // The opening signature stands on the marks row on its own when bar 0 has
            // no key: its bar leaves it to the line, so it must be placed here.
            place(*time, {x0, y0 + base - timeSize.cy});
        }
    }
}

void SystemNode::LayoutPartGroupViews(ScorePainter& painter)
{
    const auto tracks = Tracks();
    const Point p = GetChildOrigin();
    for (const auto& view : partGroupViews_) {
        view->ClearChildren();
        const auto& group = view->GetPartGroup();
        if (group) {
            const int last = std::min(group->GetLastPart(), static_cast<int>(tracks.size()) - 1);
            for (int j = std::max(group->GetFirstPart(), 0); j <= last; ++j) {
                if (tracks[static_cast<std::size_t>(j)]->IsVisible())
                    view->AppendTrack(tracks[static_cast<std::size_t>(j)]);
            }
        }
        view->SetOrigin(p);
        view->SetParent(this);
        view->Layout(painter);
    }
}

void SystemNode::JoinRepeatBarlines(ScorePainter& painter)
{
    const std::size_t count = barlineViews_.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        BarlineView& view = *barlineViews_[i];
        view.SetJoined(false);
        BarlineView& next = *barlineViews_[i + 1];
        if (view.GetSide() == barline_side::kRight && view.GetType() == 2 &&
            next.GetSide() == barline_side::kLeft && next.GetType() == 1) {
            view.SetJoined(true);
            next.SetJoined(true);
            ++i;
        }
    }
    const Point p = GetChildOrigin();
    for (const auto& view : barlineViews_) {
        view->SetOrigin(p);
        view->Layout(painter);
    }
}

void SystemNode::LayoutInstrumentNames(ScorePainter& painter)
{
    const Point origin = OffsetPoint(GetChildOrigin(), GetOffset());
    const int h = painter.GetBarLineHeight();
    for (const auto& track : Tracks()) {
        const auto& name = track->GetInstrumentName();
        if (!name)
            continue;
        name->Layout(painter);
        const Rect r = name->GetRect();
        name->SetOrigin(origin);
        name->SetPosition({r.left - r.right,
                           track->GetPosition().y + track->GetOffset().y +
                               (r.top + h - r.bottom) / 2});
    }
}

// --- Notifications ---

int SystemNode::OnHandle(int handleId, const ScoreElement* sender, const NotificationPayload* payload)
{
    const Point delta = payload != nullptr ? payload->delta : Point{};
    if (sender == indentMark_.get()) {
        if (handleId == id::kHandlePressed) {
            dragStartOffset_ = GetOffset();
        } else if (handleId == id::kHandleDragged) {
            NotificationPayload change;
            change.oldOffset = GetOffset();
            SetOffset({ClampToInt(static_cast<long long>(GetOffset().x) + delta.x), GetOffset().y});
            change.newOffset = GetOffset();
            NotifySelf(id::kSystemIndentDrag, &change);
        } else if (GetOffset() != dragStartOffset_) {
            NotificationPayload change;
            change.oldOffset = dragStartOffset_;
            change.newOffset = GetOffset();
            NotifySelf(id::kSystemIndentRelease, &change);
        }
    } else if (sender == rightEndMark_.get()) {
        if (handleId == id::kHandlePressed) {
            dragStartRightOffset_ = rightOffset_;
        } else if (handleId == id::kHandleDragged) {
            NotificationPayload change;
            change.oldOffset = rightOffset_;
            SetRightOffset({AddCoordinates(rightOffset_.x, delta.x), rightOffset_.y});
            change.newOffset = rightOffset_;
            NotifySelf(id::kSystemRightEndDrag, &change);
        } else if (rightOffset_ != dragStartRightOffset_) {
            NotificationPayload change;
            change.oldOffset = dragStartRightOffset_;
            change.newOffset = rightOffset_;
            NotifySelf(id::kSystemRightEndRelease, &change);
        }
    }
    return 0;
}

int SystemNode::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const ScoreElement* sender = notification.sender;
    const auto tracks = Tracks();
    const auto senderTrack = [&](bool lastMatch) -> std::pair<int, ElementPtr> {
        std::pair<int, ElementPtr> found{-1, nullptr};
        const int count = GetChildCount();
        for (int i = 0; i < count; ++i) {
            ElementPtr child = GetChild(i);
            if (child && child.get() == sender) {
                found = {i, std::move(child)};
                if (!lastMatch)
                    break;
            }
        }
        return found;
    };

    switch (notification.id) {
        case id::kEditLyric:
            if (payload != nullptr) {
                if (const auto [index, track] = senderTrack(true); track)
                    payload->trackIndex = index;
            }
            break;
        case id::kTieDelete:
        case id::kInstrumentNameDelete:
        case id::kTrackTiesChanged:
        case id::kTrackPositionRelease:
            if (payload != nullptr) {
                if (auto [index, track] = senderTrack(false); track)
                    payload->track = std::move(track);
            }
            break;
        case id::kKeySignatureDelete:
        case id::kTempoMarkDelete:
        case id::kExpressionTextDelete:
            if (payload != nullptr) {
                ElementPtr found = FindEntry(keySignatures_, sender);
                if (!found)
                    found = FindEntry(tempoMarks_, sender);
                if (!found)
                    found = FindEntry(expressionTexts_, sender);
                if (found)
                    payload->element = std::move(found);
            }
            break;
        case id::kTimeSignatureDelete:
            // The opening time signature is the line's to place: its record climbs from
            // here, past the bar that holds it, which must still be named.
            if (payload != nullptr) {
                if (auto signature = FindEntry(timeSignatures_, sender)) {
                    for (const auto& track : Tracks()) {
                        const auto bar = track->GetBar(0);
                        if (bar && bar->GetTimeSignature() == signature) {
                            payload->bar = bar;
                            break;
                        }
                    }
                    payload->element = std::move(signature);
                }
            }
            break;
        case id::kPartGroupDelete:
            if (payload != nullptr) {
                if (const auto view = FindEntry(partGroupViews_, sender))
                    payload->element = view->GetPartGroup();
            }
            break;
        case id::kLineMarkDelete:
        case id::kBarSelected:
        case id::kBarDeselected:
        case id::kBarDoubleClicked:
        case id::kLineMarkMoveDrag:
        case id::kLineMarkMoveRelease:
            if (payload != nullptr) {
                if (const auto [index, track] = senderTrack(false); track)
                    payload->trackIndex = index;
            }
            break;
        case id::kPartGroupBoundDrag:
            if (payload != nullptr)
                payload->newPartIndex = FindTrackAt(payload->pointer);
            break;
        case id::kMoveDragStep:
        case id::kMoveRequest:
            if (payload != nullptr) {
                // A part-group view's finished move is the group's, which the views of
                // every line show: they are laid out again.
                if (notification.id == id::kMoveRequest) {
                    if (const auto view = FindEntry(partGroupViews_, sender);
                        view && view->GetPartGroup()) {
                        return NotifyModelMove(*payload, view->GetPartGroup(),
                                               id::kPartGroupOffsetChanged);
                    }
                }
                for (const ElementPtr& element : LineElements()) {
                    if (element.get() == sender) {
                        payload->element = element;
                        break;
                    }
                }
                if (auto signature = FindEntry(timeSignatures_, sender))
                    payload->element = std::move(signature);
            }
            break;
        case id::kHandlePressed:
        case id::kHandleReleased:
        case id::kHandleDragged:
            OnHandle(notification.id, sender, payload);
            break;
        default:
            break;
    }
    notification.sender = this;
    return ContainerElement::Notify(notification);
}

}  // namespace quaverly
