#include "engine/model/bar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "engine/layout/barline_mark_view.h"
#include "engine/model/accidental_sign.h"
#include "engine/model/augmentation_dots.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/beam_group.h"
#include "engine/model/beat_grouping.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/edit_mark.h"
#include "engine/model/int_clamp.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/pointer_list.h"
#include "engine/model/position_map.h"
#include "engine/model/score_painter.h"
#include "engine/model/time_position_mapper.h"
#include "engine/model/time_signature.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace id = notification_id;

namespace {

// The accidental a note shows, given what it is written with, what the last note of
// the same pitch in the bar was written with, and whether it is tied over.
int ShownAccidental(int written, int previous, bool tied)
{
    if (tied || written == previous)
        return 0;
    if (previous == 0)
        return written;
    if (written != 0) {
        // A sharp or flat after another alteration of the same pitch cancels it first.
        if (written == accidental_code::kSharp)
            return accidental_code::kNaturalSharp;
        if (written == accidental_code::kFlat)
            return accidental_code::kNaturalFlat;
        return written;
    }
    return previous == accidental_code::kNatural ? 0 : accidental_code::kNatural;
}

// The slot of a note's pitch in the bar's accidental table.
int AccidentalKey(const Note& note)
{
    const std::int64_t key = std::int64_t{note.GetPitchCode()} + 12 * std::int64_t{note.GetOctave()} + 60;
    return key > 0 ? static_cast<int>(std::min<std::int64_t>(key, 127)) : 0;
}

bool IsSpecial(const Note& note)
{
    const int code = note.GetPitchCode();
    return code >= pitch_code::kFirstSpecial && code <= pitch_code::kLastSpecial;
}

}  // namespace

Bar::Bar() : Bar(-1)
{
}

Bar::Bar(int index)
    : leftBarline_(std::make_shared<Barline>(barline_type::kStart)),
      rightBarline_(std::make_shared<Barline>(barline_type::kNormal)),
      widthMark_(std::make_shared<BarWidthMark>())
{
    SetIndex(index);
}

Bar::~Bar() = default;

// --- Lists ---

const std::shared_ptr<Barline>& Bar::GetBarline(int right) const
{
    return right != 0 ? rightBarline_ : leftBarline_;
}

void Bar::SetPositionMap(std::shared_ptr<PositionMap> map)
{
    positionMap_ = std::move(map);
}

void Bar::AddNote(NotePtr note)
{
    if (note)
        notes_.push_back(std::move(note));
}

void Bar::SortNotes()
{
    std::stable_sort(notes_.begin(), notes_.end(), [](const NotePtr& a, const NotePtr& b) {
        return a->GetStartTime() < b->GetStartTime();
    });
}

void Bar::RemoveNote(const Note* note)
{
    TakeEntry(notes_, note);
}

void Bar::RebuildBeamGroups()
{
    for (const std::shared_ptr<BeamGroup>& group : beamGroups_) {
        for (const NotePtr& note : group->GetNotes())
            note->SetBeamed(false);
        group->ClearChildren();
    }
    beamGroups_.clear();

    BeatGrouping grouping;
    if (positionMap_) {
        const auto [beats, beatType] = positionMap_->GetMeter();
        grouping.SetMeter(beats, beatType);
    }
    beamGroups_ = grouping.GroupBeams(notes_);
}

int Bar::AddTuplet(TupletPtr tuplet)
{
    if (!tuplet)
        return -1;
    tuplets_.push_back(std::move(tuplet));
    return static_cast<int>(tuplets_.size()) - 1;
}

void Bar::RemoveTuplet(const Tuplet* tuplet)
{
    TakeEntry(tuplets_, tuplet);
}

void Bar::AddDirection(DirectionPtr direction)
{
    if (!direction)
        return;
    directions_.push_back(std::move(direction));
    std::stable_sort(directions_.begin(), directions_.end(),
                     [](const DirectionPtr& a, const DirectionPtr& b) {
                         return a->GetIndex() < b->GetIndex();
                     });
}

void Bar::RemoveDirection(const DynamicMark* direction)
{
    TakeEntry(directions_, direction);
}

void Bar::SetVerseOffset(int verse, Point offset)
{
    if (verse >= 0 && verse < kVerseCount)
        verseOffsets_[static_cast<std::size_t>(verse)] = offset;
}

Point Bar::GetVerseOffset(int verse) const
{
    if (verse < 0 || verse >= kVerseCount)
        return {};
    return verseOffsets_[static_cast<std::size_t>(verse)];
}

std::vector<ScoreElement::ElementPtr> Bar::OwnedElements(bool withWidthMark) const
{
    std::vector<ElementPtr> owned;
    owned.reserve(notes_.size() + tuplets_.size() + otherMarks_.size() + directions_.size() +
                  barlineMarkViews_.size() + 3);
    owned.insert(owned.end(), notes_.begin(), notes_.end());
    owned.insert(owned.end(), tuplets_.begin(), tuplets_.end());
    owned.insert(owned.end(), otherMarks_.begin(), otherMarks_.end());
    owned.insert(owned.end(), directions_.begin(), directions_.end());
    owned.insert(owned.end(), barlineMarkViews_.begin(), barlineMarkViews_.end());
    if (decorator_)
        owned.push_back(decorator_);
    if (timeSignature_)
        owned.push_back(timeSignature_);
    if (withWidthMark)
        owned.push_back(widthMark_);
    return owned;
}

// --- Notifications ---

int Bar::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const ScoreElement* sender = notification.sender;

    switch (notification.id) {
        case id::kNoteDelete:
        case id::kChordNoteDelete:
        case id::kNoteSymbolDelete:
        case id::kSymbolMarkDelete:
        case id::kNoteSelected:
        case id::kNoteDeselected:
        case id::kNoteOffsetDrag:
        case id::kNoteOffsetChange:
            if (payload != nullptr) {
                if (auto note = FindEntry(notes_, sender))
                    payload->note = std::move(note);
            }
            break;
        case id::kTupletDelete:
            if (payload != nullptr) {
                if (auto tuplet = FindEntry(tuplets_, sender)) {
                    payload->note = tuplet->GetFirstNote();
                    payload->element = std::move(tuplet);
                }
            }
            break;
        case id::kTimeSignatureDelete:
            if (payload != nullptr)
                payload->element = timeSignature_;
            break;
        case id::kDynamicMarkDelete:
            if (payload != nullptr) {
                if (auto direction = FindEntry(directions_, sender))
                    payload->element = std::move(direction);
            }
            break;
        case id::kBarlineSymbolDelete:
            if (payload != nullptr) {
                if (sender != nullptr && sender == leftBarline_.get())
                    payload->owner = leftBarline_;
                else if (sender != nullptr && sender == rightBarline_.get())
                    payload->owner = rightBarline_;
            }
            break;
        case id::kBarNumberDelete:
            if (payload != nullptr)
                payload->element = decorator_;
            break;
        case id::kHandlePressed:
        case id::kHandleReleased:
        case id::kHandleDragged:
            if (sender != nullptr && sender == widthMark_.get())
                return OnWidthHandle(notification.id, payload);
            break;
        case id::kMoveDragStep:
        case id::kMoveRequest:
            if (payload != nullptr) {
                // A barline mark view's finished move is the mark's, with the row laid
                // out again so the bar makes its mark views afresh.
                if (notification.id == id::kMoveRequest) {
                    const auto view =
                        std::dynamic_pointer_cast<BarlineMarkView>(FindEntry(barlineMarkViews_, sender));
                    if (view && view->GetModelElement())
                        return NotifyModelMove(*payload, view->GetModelElement(),
                                               id::kTrackTiesChanged);
                }
                ElementPtr moved = FindEntry(tuplets_, sender);
                if (!moved)
                    moved = FindEntry(directions_, sender);
                if (!moved && decorator_ && sender == decorator_.get())
                    moved = decorator_;
                if (!moved && timeSignature_ && sender == timeSignature_.get())
                    moved = timeSignature_;
                if (moved)
                    payload->element = std::move(moved);
            }
            break;
        default:
            break;
    }
    notification.sender = this;
    return ScoreElement::Notify(notification);
}

float Bar::HoldManualAdjust(float adjust)
{
    return std::isnan(adjust) ? 0.0f : std::clamp(adjust, kMinManualAdjust, kMaxManualAdjust);
}

int Bar::OnWidthHandle(int handleId, const NotificationPayload* payload)
{
    switch (handleId) {
        case id::kHandlePressed:
            widthAtDragStart_ = widthNow_ = manualAdjust_;
            return 0;
        case id::kHandleDragged: {
            // The pointer's movement in map units, as a share of the bar's content; a
            // bar without a map or without content has nothing to share it over.
            if (payload == nullptr || !positionMap_)
                return 0;
            const double content =
                static_cast<double>(positionMap_->GetScale()) *
                static_cast<double>(positionMap_->GetTotalExtent());
            if (!(content > 0.0))
                return 0;
            const float before = widthNow_;
            widthNow_ = HoldManualAdjust(
                static_cast<float>(double{widthNow_} + payload->delta.x / content));
            return NotifyWidth(id::kBarWidthDrag, before, widthNow_);
        }
        case id::kHandleReleased: {
            if (widthAtDragStart_ == widthNow_)
                return 0;
            const float start = widthAtDragStart_;
            // A second release without a new press must not report the change again.
            widthAtDragStart_ = widthNow_;
            return NotifyWidth(id::kBarWidthRelease, start, widthNow_);
        }
        default:
            return 0;
    }
}

int Bar::NotifyWidth(int widthId, float from, float to)
{
    NotificationPayload payload;
    payload.oldWidth = from;
    payload.newWidth = to;
    return NotifyParent(widthId, &payload);
}

// --- Geometry ---

void Bar::InsertChild(int /*i*/, ElementPtr /*child*/)
{
}

Rect Bar::GetExtent(ScorePainter& /*painter*/)
{
    if (!positionMap_)
        return {};
    const std::int64_t width = std::int64_t{positionMap_->GetTotalExtent()} +
                               positionMap_->GetLeftMargin() + positionMap_->GetRightMargin();
    return {0, 0, ClampToInt(width), 0};
}

void Bar::SetOrigin(Point origin)
{
    ScoreElement::SetOrigin(origin);
    const Point childOrigin = GetChildOrigin();
    for (const ElementPtr& element : OwnedElements(false))
        element->SetOrigin(childOrigin);
    for (const auto& group : beamGroups_)
        group->SetOrigin(childOrigin);
    widthMark_->SetOrigin(childOrigin);
}

void Bar::SetPosition(Point position)
{
    ScoreElement::SetPosition(position);
    SetOrigin(GetOrigin());
}

bool Bar::HitTest(Point point) const
{
    const Rect r = GetRect().Moved(GetChildOrigin());
    return r.left <= point.x && point.x <= r.right && r.top <= point.y && point.y <= r.bottom;
}

// --- Keys and pointer ---

void Bar::OnKeyDown(int key, int flags)
{
    ScoreElement::OnKeyDown(key, flags);
    for (const ElementPtr& element : OwnedElements(false))
        element->OnKeyDown(key, flags);
}

void Bar::OnInputEvent(int first, int second)
{
    ScoreElement::OnInputEvent(first, second);
    for (const ElementPtr& element : OwnedElements(false))
        element->OnInputEvent(first, second);
}

void Bar::OnButtonDown(Point point, int flags, int& handled)
{
    for (const ElementPtr& element : OwnedElements(true)) {
        if (element->IsVisible())
            element->OnButtonDown(point, flags, handled);
    }
    NotificationPayload payload;
    payload.keepSelection = (flags & input_flag::kKeepSelection) != 0;
    if (HitTest(point)) {
        SetState(element_state::kSelected);
        NotifySelf(id::kBarSelected, &payload);
    } else if (GetState() == element_state::kSelected) {
        SetState(element_state::kNormal);
        NotifySelf(id::kBarDeselected, &payload);
    }
}

void Bar::OnPointerMove(Point point, int flags)
{
    for (const ElementPtr& element : OwnedElements(true)) {
        if (element->IsVisible())
            element->OnPointerMove(point, flags);
    }
}

void Bar::OnButtonUp(Point point, int flags)
{
    ScoreElement::OnButtonUp(point, flags);
    for (const ElementPtr& element : OwnedElements(true)) {
        if (element->IsVisible())
            element->OnButtonUp(point, flags);
    }
}

void Bar::OnDoubleClick(Point point, int flags, int& handled)
{
    ScoreElement::OnDoubleClick(point, flags, handled);
    for (const ElementPtr& element : OwnedElements(false)) {
        if (element->IsVisible())
            element->OnDoubleClick(point, flags, handled);
    }
    if (HitTest(point)) {
        SetState(element_state::kSelected);
        NotificationPayload payload;
        NotifySelf(id::kBarDoubleClicked, &payload);
    } else {
        SetState(element_state::kNormal);
    }
}

// --- Layout ---

int Bar::TimeToX(int time) const
{
    return TimePositionMapper(GetRect(), positionMap_.get()).TimeToX(time);
}

void Bar::Layout(ScorePainter& painter)
{
    ScoreElement::Layout(painter);
    UpdateShownAccidentals();
    LayoutNotes(painter);
    LayoutTuplets(painter);
    LayoutLyrics(painter);
    LayoutOtherMarks(painter);
    LayoutBeamGroups(painter);
    LayoutDirections(painter);
    LayoutBarlineMarkViews(painter);
    LayoutDecorator(painter);
    LayoutTimeSignature(painter);

    widthMark_->SetParent(this);
    widthMark_->SetOrigin(GetChildOrigin());
    widthMark_->SetPosition({GetRect().Width(), 0});
    widthMark_->Layout(painter);
}

void Bar::UpdateShownAccidentals()
{
    // What the last note of each pitch in the bar was written with.
    std::array<int, 128> written{};
    const auto show = [&written](Note& note) {
        if (IsSpecial(note))
            return;
        const int key = AccidentalKey(note);
        const int accidental = note.GetAccidental();
        note.SetShownAccidental(
            ShownAccidental(accidental, written[static_cast<std::size_t>(key)],
                            note.GetTiedFrom() != nullptr));
        written[static_cast<std::size_t>(key)] = accidental;
    };
    for (const NotePtr& note : notes_) {
        show(*note);
        for (const NotePtr& chordNote : note->GetChordMembers())
            show(*chordNote);
    }
}

void Bar::LayoutNotes(ScorePainter& painter)
{
    const int barLineHeight = painter.GetBarLineHeight();
    const Point childOrigin = GetChildOrigin();
    for (const NotePtr& note : notes_) {
        const Size size = note->GetStyle()->GetNoteSize(painter);
        const int y = (barLineHeight - size.cy) / 2;
        note->SetOrigin(childOrigin);
        note->SetPosition({TimeToX(note->GetStartTime()), y});
        for (const NotePtr& glyph : note->GetExtensionGlyphs())
            glyph->SetPosition({TimeToX(glyph->GetStartTime()), y});
        if (AugmentationDots* dots = note->GetDotsElementIfMade())
            dots->SetPosition({TimeToX(dots->GetStartTime()) + size.cx, y});
        note->SetParent(this);
        note->Layout(painter);
        for (const NotePtr& chordNote : note->GetChordMembers()) {
            AugmentationDots* dots = chordNote->GetDotsElementIfMade();
            if (dots == nullptr)
                continue;
            const Size chordSize = chordNote->GetStyle()->GetNoteSize(painter);
            const Point at = chordNote->GetPosition();
            dots->SetPosition({at.x + chordSize.cx, at.y});
        }
    }
}

void Bar::LayoutTuplets(ScorePainter& painter)
{
    const int barLineHeight = painter.GetBarLineHeight();
    const Size note = painter.GetNoteSize();
    const Point slurOffset = painter.GetFlatSlurOffset();
    for (const TupletPtr& tuplet : tuplets_) {
        const NotePtr& first = tuplet->GetFirstNote();
        if (first) {
            // The bracket runs from the first note to the start of the tuplet's last
            // unit, or to its last note when that starts later.
            std::int64_t end = tuplet->GetEndTime();
            if (tuplet->GetActualCount() > 0) {
                end -= std::int64_t{tuplet->GetUnitLength()} * tuplet->GetNormalCount() /
                       tuplet->GetActualCount();
            }
            if (!tuplet->GetNotes().empty())
                end = std::max<std::int64_t>(end, tuplet->GetNotes().back()->GetStartTime());
            tuplet->SetBracketStart(
                {TimeToX(first->GetStartTime()) + 2 * note.cx / 3, -first->GetHeightAbove(painter)});
            tuplet->SetBracketEnd({TimeToX(ClampToInt(end)) + note.cx / 3, 0});
        }
        tuplet->SetOrigin(GetChildOrigin());
        tuplet->SetPosition({slurOffset.x, (barLineHeight - note.cy) / 2 - slurOffset.y});
        tuplet->SetParent(this);
        tuplet->Layout(painter);
    }
}

void Bar::LayoutLyrics(ScorePainter& painter)
{
    const int noteWidth = painter.GetNoteSize().cx;
    noteWidth_ = noteWidth;
    emptyLyricSize_ = painter.MeasureLyric(u"");
    for (const NotePtr& note : notes_) {
        const int x = TimeToX(note->GetStartTime());
        for (int verse = 0; verse < kVerseCount; ++verse) {
            Lyric* lyric = note->GetLyricIfMade(verse);
            if (lyric == nullptr)
                continue;
            const int textWidth = painter.MeasureLyric(lyric->GetText()).cx;
            const Point offset = verseOffsets_[static_cast<std::size_t>(verse)];
            lyric->SetOrigin(GetChildOrigin());
            lyric->SetPosition({x - (textWidth - noteWidth) / 2 + offset.x, offset.y});
        }
    }
}

void Bar::PlaceNewLyric(const Note& note, int verse, ScoreElement& lyric) const
{
    if (verse < 0 || verse >= kVerseCount)
        return;
    const Point offset = verseOffsets_[static_cast<std::size_t>(verse)];
    lyric.SetOrigin(GetChildOrigin());
    lyric.SetPosition(
        {TimeToX(note.GetStartTime()) - (emptyLyricSize_.cx - noteWidth_) / 2 + offset.x, offset.y});
    lyric.SetRect({0, 0, emptyLyricSize_.cx, emptyLyricSize_.cy});
}

void Bar::LayoutOtherMarks(ScorePainter& painter)
{
    // Right-aligned at their time; a mark of the same time as the one placed just
    // before it goes to that mark's left.
    bool placedAny = false;
    int lastTime = 0;
    int lastLeft = 0;
    for (auto it = otherMarks_.rbegin(); it != otherMarks_.rend(); ++it) {
        const ElementPtr& mark = *it;
        mark->SetParent(this);
        mark->Layout(painter);
        const Rect rect = mark->GetRect();
        const int time = mark->GetIndex();
        const int right = placedAny && time == lastTime ? lastLeft : TimeToX(time);
        mark->SetOrigin(GetChildOrigin());
        mark->SetPosition({right - rect.right, 0});
        placedAny = true;
        lastTime = time;
        lastLeft = right - rect.right + rect.left;
    }
}

void Bar::LayoutBeamGroups(ScorePainter& painter)
{
    RebuildBeamGroups();
    for (const auto& group : beamGroups_) {
        group->SetParent(this);
        group->SetOrigin(GetChildOrigin());
        group->Layout(painter);
    }
}

void Bar::LayoutDirections(ScorePainter& painter)
{
    const int barLineHeight = painter.GetBarLineHeight();
    const int noteWidth = painter.GetNoteSize().cx;
    const Point offset = painter.GetDynamicMarkOffset();
    for (const DirectionPtr& direction : directions_) {
        direction->SetOrigin(GetChildOrigin());
        direction->SetPosition({TimeToX(direction->GetTimePosition()) + noteWidth / 2 + offset.x,
                                barLineHeight + offset.y});
        direction->SetParent(this);
        direction->Layout(painter);
    }
}

void Bar::LayoutBarlineMarkViews(ScorePainter& painter)
{
    barlineMarkViews_.clear();
    for (const auto* barline : {&leftBarline_, &rightBarline_}) {
        const std::shared_ptr<BarlineMark>& mark = (*barline)->GetMark();
        if (!BarlineMark::HasView(mark->GetValue()))
            continue;
        auto view = std::make_shared<BarlineMarkView>();
        view->BindModelElement(mark);
        view->SetOrigin(GetChildOrigin());
        // The right barline's mark stands at the bar's right edge.
        view->SetPosition({barline == &rightBarline_ ? GetRect().Width() : 0, 0});
        view->SetParent(this);
        view->Layout(painter);
        view->SetOffset(mark->GetOffset());
        barlineMarkViews_.push_back(std::move(view));
    }
}

void Bar::LayoutDecorator(ScorePainter& painter)
{
    if (!decorator_)
        return;
    const BarNumberFormat& properties = decorator_->GetProperties();
    decorator_->SetOrigin(GetChildOrigin());
    decorator_->SetPosition({properties.hOffset, properties.vOffset});
    decorator_->SetParent(this);
    decorator_->Layout(painter);
}

void Bar::LayoutTimeSignature(ScorePainter& painter)
{
    if (!timeSignature_ || timeSignature_->IsSystemPlaced())
        return;
    const TimeSignatureRecord value = timeSignature_->GetValue();
    const Size size = painter.MeasureTimeSignature(value.beats, value.beatType);
    const int barlineWidth =
        painter.MeasureBarLine(leftBarline_->GetType(), leftBarline_->GetMarkValue()).cx;
    timeSignature_->SetOrigin(GetChildOrigin());
    timeSignature_->SetPosition({barlineWidth, (painter.GetBarLineHeight() - size.cy) / 2});
    timeSignature_->SetParent(this);
    timeSignature_->Layout(painter);
}

// --- Drawing ---

void Bar::Draw(ScorePainter& painter)
{
    ScoreElement::Draw(painter);
    const auto draw = [&painter](const ElementPtr& element) {
        if (element && element->IsVisible())
            element->Draw(painter);
    };
    for (const NotePtr& note : notes_)
        draw(note);
    for (const TupletPtr& tuplet : tuplets_)
        draw(tuplet);
    for (const auto& group : beamGroups_)
        draw(group);
    for (const ElementPtr& mark : otherMarks_)
        draw(mark);
    for (const DirectionPtr& direction : directions_)
        draw(direction);
    for (const ElementPtr& view : barlineMarkViews_)
        draw(view);
    draw(decorator_);
    if (timeSignature_ && !timeSignature_->IsSystemPlaced())
        draw(timeSignature_);
    draw(widthMark_);
}

}  // namespace quaverly
