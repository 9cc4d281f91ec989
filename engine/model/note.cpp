#include "engine/model/note.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "engine/model/accidental_sign.h"
#include "engine/model/augmentation_dots.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/duration_dash.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/lyric.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_symbol.h"
#include "engine/model/note_time.h"
#include "engine/model/pointer_list.h"
#include "engine/model/rest.h"
#include "engine/model/score_painter.h"
#include "engine/model/symbol_mark.h"

namespace quaverly {

namespace id = notification_id;

namespace {

// Appends the entry and keeps the list stably sorted on the key (equal keys keep their
// insertion order). A null entry is ignored.
template <class T, class Key>
void AddSorted(std::vector<std::shared_ptr<T>>& list, std::shared_ptr<T> entry, Key key)
{
    if (!entry)
        return;
    list.push_back(std::move(entry));
    std::stable_sort(list.begin(), list.end(),
                     [&key](const auto& a, const auto& b) { return key(*a) < key(*b); });
}

}  // namespace

Note::Note() : style_(SharedNormalNoteStyle()) {}

Note::~Note()
{
    // A tie clears both links before it goes; never leave a partner pointing here.
    if (tiedTo_ != nullptr && tiedTo_->tiedFrom_ == this)
        tiedTo_->tiedFrom_ = nullptr;
    if (tiedFrom_ != nullptr && tiedFrom_->tiedTo_ == this)
        tiedFrom_->tiedTo_ = nullptr;
}

// --- The note family's operations and values ---

int Note::GetPitchCode() const
{
    return pitchCode_;
}

void Note::SetPitchCode(int code)
{
    pitchCode_ = code;
}

void Note::SetDuration(int duration)
{
    duration_ = std::clamp(duration, 0, note_limits::kMaxBaseDuration);
    RebuildExtensionGlyphs();
}

int Note::GetDuration() const
{
    return duration_;
}

void Note::SetDots(int count)
{
    count = std::clamp(count, 0, note_limits::kMaxDots);
    if (count > 0 || dots_)
        GetDotsElement()->SetCount(count);
    RebuildExtensionGlyphs();
}

int Note::GetDots() const
{
    return dots_ ? dots_->GetCount() : 0;
}

void Note::SetAccidental(int accidental)
{
    const bool known =
        accidental >= accidental_code::kNaturalFlat && accidental <= accidental_code::kNatural;
    accidental_ = known ? accidental : accidental_code::kNone;
    SetShownAccidental(accidental_);
}

int Note::GetShownAccidental() const
{
    return accidentalSign_ ? accidentalSign_->GetAccidental() : accidental_code::kNone;
}

void Note::SetShownAccidental(int accidental)
{
    if (accidental != accidental_code::kNone || accidentalSign_)
        GetAccidentalSign()->SetAccidental(accidental);
}

void Note::SetOctave(int octave)
{
    octave_ = std::clamp(octave, -note_limits::kMaxOctave, note_limits::kMaxOctave);
}

void Note::SetTupletActual(int count)
{
    tupletActual_ = std::clamp(count, 0, note_limits::kMaxTupletCount);
}

void Note::SetTupletNormal(int count)
{
    tupletNormal_ = std::clamp(count, 0, note_limits::kMaxTupletCount);
}

void Note::SetStyle(std::shared_ptr<const NoteStyle> style)
{
    if (!style)
        return;
    style_ = std::move(style);
    if (accidentalSign_)
        accidentalSign_->SetStyle(style_);
    if (dots_)
        dots_->SetStyle(style_);
}

void Note::RebuildExtensionGlyphs()
{
    extensionGlyphs_.clear();
    const int dots = GetDots();
    if (duration_ <= kTicksPerQuarter) {
        // A quarter or less shows its dots as dots.
        if (dots_)
            dots_->SetDrawnCount(dots);
        return;
    }
    // One glyph per further quarter of the dotted length; a double-dotted half shows
    // its last dot as a dot, every other longer value only glyphs.
    const int glyphs = GetDottedLength(duration_, dots) / kTicksPerQuarter - 1;
    for (int i = 0; i < glyphs; ++i) {
        NotePtr glyph;
        if (pitchCode_ == pitch_code::kRest)
            glyph = std::make_shared<Rest>();
        else
            glyph = std::make_shared<DurationDash>();
        glyph->MarkExtensionGlyph();
        glyph->SetOrigin(GetOrigin());  // glyphs share the note's origin
        extensionGlyphs_.push_back(std::move(glyph));
    }
    if (dots_)
        dots_->SetDrawnCount(duration_ == note_length::kHalf && dots == 2 ? 1 : 0);
}

// --- Sub-elements ---

void Note::AdoptSubElement(ScoreElement& element, Point origin, bool parent) const
{
    element.SetOrigin(origin);
    if (parent)
        element.SetParent(const_cast<Note*>(this));
}

void Note::SetLyricText(int verse, std::u16string text)
{
    if (verse < 0 || verse >= kVerseCount)
        return;
    if (text.empty() && !lyrics_[static_cast<std::size_t>(verse)])
        return;
    GetLyric(verse)->SetText(std::move(text));
}

std::shared_ptr<Lyric> Note::GetLyric(int verse) const
{
    if (verse < 0 || verse >= kVerseCount)
        return nullptr;
    auto& lyric = lyrics_[static_cast<std::size_t>(verse)];
    if (!lyric) {
        lyric = std::make_shared<Lyric>();
        AdoptSubElement(*lyric, GetOrigin(), laidOut_ && !chordMember_);
        if (const auto* bar = laidOut_ ? dynamic_cast<const Bar*>(GetParent()) : nullptr)
            bar->PlaceNewLyric(*this, verse, *lyric);
    }
    return lyric;
}

Lyric* Note::GetLyricIfMade(int verse) const
{
    if (verse < 0 || verse >= kVerseCount)
        return nullptr;
    return lyrics_[static_cast<std::size_t>(verse)].get();
}

const std::u16string& Note::GetLyricText(int verse) const
{
    static const std::u16string empty;
    const Lyric* lyric = GetLyricIfMade(verse);
    return lyric != nullptr ? lyric->GetText() : empty;
}

const std::shared_ptr<AugmentationDots>& Note::GetDotsElement() const
{
    if (!dots_) {
        dots_ = std::make_shared<AugmentationDots>(style_);
        dots_->SetColor(selected_ ? color_index::kSelected : color_index::kNormal);
        AdoptSubElement(*dots_, GetOrigin(), laidOut_);
    }
    return dots_;
}

const std::shared_ptr<AccidentalSign>& Note::GetAccidentalSign() const
{
    if (!accidentalSign_) {
        accidentalSign_ = std::make_shared<AccidentalSign>(style_);
        accidentalSign_->SetColor(selected_ ? color_index::kSelected : color_index::kNormal);
        AdoptSubElement(*accidentalSign_, GetChildOrigin(), laidOut_);
    }
    return accidentalSign_;
}

const std::shared_ptr<GraceNoteList>& Note::GetGraceListA() const
{
    if (!graceBefore_) {
        graceBefore_ = std::make_shared<GraceNoteList>(GraceSide::kBefore);
        AdoptSubElement(*graceBefore_, GetChildOrigin(), laidOut_);
    }
    return graceBefore_;
}

const std::shared_ptr<GraceNoteList>& Note::GetGraceListB() const
{
    if (!graceAfter_) {
        graceAfter_ = std::make_shared<GraceNoteList>(GraceSide::kAfter);
        AdoptSubElement(*graceAfter_, GetChildOrigin(), laidOut_);
    }
    return graceAfter_;
}

const std::shared_ptr<ChordNoteList>& Note::GetChordNotes() const
{
    if (!chordNotes_) {
        chordNotes_ = std::make_shared<ChordNoteList>();
        AdoptSubElement(*chordNotes_, GetChildOrigin(), laidOut_);
    }
    return chordNotes_;
}

namespace {

const std::vector<Note::NotePtr>& NotesOf(const NoteList* list)
{
    static const std::vector<Note::NotePtr> none;
    return list != nullptr ? list->GetNotes() : none;
}

}  // namespace

const std::vector<Note::NotePtr>& Note::GetGraceNotesBefore() const
{
    return NotesOf(graceBefore_.get());
}

const std::vector<Note::NotePtr>& Note::GetGraceNotesAfter() const
{
    return NotesOf(graceAfter_.get());
}

const std::vector<Note::NotePtr>& Note::GetChordMembers() const
{
    return NotesOf(chordNotes_.get());
}

void Note::AddOrnament(std::shared_ptr<NoteSymbol> symbol)
{
    AddSorted(ornaments_, std::move(symbol), [](const NoteSymbol& s) { return s.GetOrder(); });
}

void Note::RemoveOrnament(const NoteSymbol* symbol)
{
    TakeEntry(ornaments_, symbol);
}

void Note::AddSymbol(std::shared_ptr<SymbolMark> symbol)
{
    AddSorted(symbols_, std::move(symbol), [](const SymbolMark& s) { return s.GetIndex(); });
}

void Note::RemoveSymbol(const SymbolMark* symbol)
{
    TakeEntry(symbols_, symbol);
}

// --- Measures ---

int Note::GetUnderlineCount() const
{
    if (duration_ <= 0 || duration_ >= kTicksPerQuarter)
        return 0;
    const auto ratio = static_cast<unsigned>(kTicksPerQuarter / duration_);
    return std::bit_width(ratio) - 1;
}

int Note::GetHeightAbove(ScorePainter& painter) const
{
    if (octave_ <= 0)
        return 0;
    return octave_ * style_->GetOctaveDotInterval(painter);
}

int Note::GetDepthBelow(ScorePainter& painter) const
{
    int depth = 0;
    const int lines = chordMember_ ? 0 : GetUnderlineCount();
    if (lines > 0)
        depth += lines * style_->GetLegerInterval(painter);
    if (octave_ < 0)
        depth += -octave_ * style_->GetOctaveDotInterval(painter);
    return depth;
}

Rect Note::GetExtent(ScorePainter& painter)
{
    const Size accidental = style_->MeasureAccidental(painter, accidental_);
    const Size note = style_->GetNoteSize(painter);
    return {0, 0, note.cx + accidental.cx, note.cy};
}

// --- Placing ---

void Note::PlaceSubElements(bool includeGlyphs)
{
    const Point origin = GetOrigin();
    const Point childOrigin = GetChildOrigin();
    if (includeGlyphs) {
        for (const NotePtr& glyph : extensionGlyphs_)
            glyph->SetOrigin(origin);
    }
    if (dots_)
        dots_->SetOrigin(origin);
    if (accidentalSign_)
        accidentalSign_->SetOrigin(childOrigin);
    for (const auto& symbol : ornaments_)
        symbol->SetOrigin(childOrigin);
    for (const auto& symbol : symbols_)
        symbol->SetOrigin(childOrigin);
    for (ScoreElement* list : NoteLists()) {
        if (list != nullptr)
            list->SetOrigin(childOrigin);
    }
    for (const auto& lyric : lyrics_) {
        if (lyric)
            lyric->SetOrigin(origin);
    }
}

void Note::SetOrigin(Point origin)
{
    EditableElement::SetOrigin(origin);
    PlaceSubElements(true);
}

void Note::SetPosition(Point position)
{
    EditableElement::SetPosition(position);
    // The glyphs and the dots keep the note's origin; the bar places them by time.
    PlaceSubElements(false);
}

// --- Layout and drawing ---

void Note::Layout(ScorePainter& painter)
{
    EditableElement::Layout(painter);
    laidOut_ = true;

    const Size accidental = style_->MeasureAccidental(painter, accidental_);
    const Size note = style_->GetNoteSize(painter);
    const Point childOrigin = GetChildOrigin();

    if (accidentalSign_) {
        accidentalSign_->SetPosition({-accidental.cx, -(accidental.cy / 2)});
        accidentalSign_->Layout(painter);
        accidentalSign_->SetParent(this);
    }

    for (const NotePtr& glyph : extensionGlyphs_) {
        glyph->SetParent(this);
        glyph->Layout(painter);
    }

    if (dots_) {
        dots_->Layout(painter);
        dots_->SetParent(this);
    }

    // Marks stack upward from the symbol offset, each centred over the note.
    const Point markOffset = painter.GetNoteSymbolOffset();
    int stacked = 0;
    for (const auto& symbol : ornaments_) {
        const Size size = painter.MeasureNoteSymbol(symbol->GetSymbolCode());
        stacked += painter.GetNoteSymbolSpacing() + size.cy;
        symbol->SetOrigin(childOrigin);
        symbol->SetPosition({markOffset.x - (size.cx - note.cx) / 2, markOffset.y - stacked});
        symbol->SetParent(this);
        symbol->Layout(painter);
    }

    for (const auto& symbol : symbols_) {
        symbol->SetParent(this);
        symbol->Layout(painter);
        const Rect r = symbol->GetRect();
        const ExtendSymbol& data = symbol->GetSymbolData();
        Point at;
        switch (data.placement) {
            case symbol_placement::kAbove:
                at = {(r.left + note.cx - r.right) / 2, r.top - r.bottom};
                break;
            case symbol_placement::kBelow:
                at = {(r.left + note.cx - r.right) / 2, note.cy};
                break;
            case symbol_placement::kLeft:
                at = {r.left - r.right, (r.top - r.bottom + note.cy) / 2};
                break;
            case symbol_placement::kRight:
                at = {note.cx, (r.top - r.bottom + note.cy) / 2};
                break;
            default:
                break;
        }
        at.x += data.hOffset;
        at.y -= data.vOffset;
        symbol->SetOrigin(childOrigin);
        symbol->SetPosition(at);
    }

    for (const auto& list : {graceBefore_, graceAfter_}) {
        if (list) {
            list->SetParent(this);
            list->SetOrigin(childOrigin);
        }
    }
    if (graceBefore_)
        graceBefore_->Layout(painter);
    if (graceAfter_)
        graceAfter_->Layout(painter);

    if (!chordMember_) {
        for (const auto& lyric : lyrics_) {
            if (!lyric)
                continue;
            lyric->SetParent(this);
            lyric->SetOrigin(GetOrigin());
            lyric->Layout(painter);
        }
    }

    // The parent first: the chord list makes room for this note's octave dots.
    if (chordNotes_) {
        chordNotes_->SetParent(this);
        chordNotes_->Layout(painter);
    }

    SetRect({0, 0, note.cx, note.cy});
}

void Note::DrawUnderlines(ScorePainter& painter, Point at, Size note, int interval) const
{
    if (chordMember_ || beamed_)
        return;
    const int lines = GetUnderlineCount();
    for (int i = 1; i <= lines; ++i)
        style_->DrawLegerLine(painter, {at.x, at.y + note.cy + i * interval}, note.cx, GetColor());
}

void Note::DrawExtensionGlyphs(ScorePainter& painter) const
{
    if (chordMember_)
        return;
    for (const NotePtr& glyph : extensionGlyphs_) {
        if (glyph->IsVisible())
            glyph->Draw(painter);
    }
}

void Note::DrawDotsElement(ScorePainter& painter) const
{
    if (dots_ && dots_->GetCount() > 0)
        dots_->Draw(painter);
}

void Note::Draw(ScorePainter& painter)
{
    EditableElement::Draw(painter);

    const Point at = GetChildOrigin();  // the note's own offset is not applied
    const Size note = style_->GetNoteSize(painter);
    const int legerInterval = style_->GetLegerInterval(painter);
    const int dotInterval = style_->GetOctaveDotInterval(painter);
    const int color = GetColor();

    DrawUnderlines(painter, at, note, legerInterval);

    if (octave_ > 0) {
        style_->DrawOctaveDots(painter, at.x, at.y - octave_ * dotInterval, octave_, color);
    } else if (octave_ < 0) {
        // Below the underlines, which keep their room even when a beam draws them.
        const int underlines = chordMember_ ? 0 : GetUnderlineCount() * legerInterval;
        style_->DrawOctaveDots(painter, at.x, at.y + note.cy + underlines + dotInterval, octave_,
                               color);
    }

    DrawExtensionGlyphs(painter);
    DrawDotsElement(painter);
    if (accidentalSign_ && accidentalSign_->IsVisible())
        accidentalSign_->Draw(painter);
    for (const auto& symbol : ornaments_) {
        if (symbol->IsVisible())
            symbol->Draw(painter);
    }
    for (const auto& symbol : symbols_) {
        if (symbol->IsVisible())
            symbol->Draw(painter);
    }
    for (ScoreElement* list : NoteLists()) {
        if (list != nullptr && list->IsVisible())
            list->Draw(painter);
    }

    style_->DrawNote(painter, at.x, at.y, pitchCode_, color);

    for (const auto& lyric : lyrics_) {
        if (lyric && lyric->IsVisible())
            lyric->Draw(painter);
    }
}

bool Note::HitTest(Point point) const
{
    const Rect placed = GetRect().Moved(GetChildOrigin());
    return placed.left <= point.x && point.x <= placed.right && placed.top <= point.y &&
           point.y <= placed.bottom;
}

// --- Requests sent up the tree ---

void Note::DeleteSelected()
{
    NotificationPayload going;
    going.subject = this;
    NotifySelf(id::kNoteGoingAway, &going);
    NotificationPayload removal;
    NotifySelf(id::kNoteDelete, &removal);
}

void Note::MoveBy(Point delta, int flags)
{
    EditableElement::MoveBy(delta, flags);
    NotificationPayload payload;
    NotifySelf(id::kNoteDragStep, &payload);
}

void Note::Select()
{
    EditableElement::Select();
    NotificationPayload selected;
    NotifySelf(id::kNoteSelected, &selected);
    NotificationPayload info;
    info.noteProperties = {startTime_, duration_, octave_, GetDots(), accidental_};
    NotifySelf(id::kNoteSelectedInfo, &info);
    selected_ = true;
    if (accidentalSign_)
        accidentalSign_->SetColor(color_index::kSelected);
    if (dots_)
        dots_->SetColor(color_index::kSelected);
}

void Note::Deselect()
{
    EditableElement::Deselect();
    NotificationPayload payload;
    NotifySelf(id::kNoteDeselected, &payload);
    selected_ = false;
    if (accidentalSign_)
        accidentalSign_->SetColor(color_index::kNormal);
    if (dots_)
        dots_->SetColor(color_index::kNormal);
}

void Note::NudgeLeft()
{
    NudgeBy(id::kNoteOffsetChange, {-kNudgeStep, 0});
}

void Note::NudgeRight()
{
    NudgeBy(id::kNoteOffsetChange, {kNudgeStep, 0});
}

void Note::NudgeUp()
{
    NudgeBy(id::kNoteOffsetChange, {0, -kNudgeStep});
}

void Note::NudgeDown()
{
    NudgeBy(id::kNoteOffsetChange, {0, kNudgeStep});
}

// --- Records passing through ---

int Note::FindLyric(const ScoreElement* element) const
{
    for (int verse = 0; verse < kVerseCount; ++verse) {
        if (element != nullptr && lyrics_[static_cast<std::size_t>(verse)].get() == element)
            return verse;
    }
    return -1;
}

std::shared_ptr<ScoreElement> Note::FindMovableSubElement(const ScoreElement* element) const
{
    if (auto glyph = FindEntry(extensionGlyphs_, element))
        return glyph;
    if (auto lyric = FindEntry(lyrics_, element))
        return lyric;
    if (auto symbol = FindEntry(ornaments_, element))
        return symbol;
    return FindEntry(symbols_, element);
}

int Note::Notify(ElementNotification& notification)
{
    NotificationPayload* payload = notification.payload;
    const ScoreElement* sender = notification.sender;
    const auto graceList = [&]() -> std::shared_ptr<ScoreElement> {
        if (sender != nullptr && graceBefore_.get() == sender)
            return graceBefore_;
        if (sender != nullptr && graceAfter_.get() == sender)
            return graceAfter_;
        return nullptr;
    };

    switch (notification.id) {
        case id::kEditLyric:
            if (const int verse = FindLyric(sender); payload != nullptr && verse >= 0) {
                payload->verse = verse;
                payload->time = startTime_;
            }
            break;
        case id::kGraceNoteDelete:
            if (payload != nullptr) {
                if (auto list = graceList())
                    payload->owner = std::move(list);
            }
            break;
        case id::kChordNoteDelete:
            if (payload != nullptr)
                payload->owner = GetChordNotes();
            break;
        case id::kLyricDelete:
            if (payload != nullptr && FindLyric(sender) >= 0)
                payload->element = FindMovableSubElement(sender);
            break;
        case id::kNoteSymbolDelete:
            if (payload != nullptr) {
                if (auto symbol = FindEntry(ornaments_, sender))
                    payload->element = std::move(symbol);
            }
            break;
        case id::kSymbolMarkDelete:
            if (payload != nullptr) {
                if (auto symbol = FindEntry(symbols_, sender))
                    payload->element = std::move(symbol);
            }
            break;
        case id::kMoveDragStep:
        case id::kMoveRequest: {
            const bool step = notification.id == id::kMoveDragStep;
            const Point from = payload != nullptr ? payload->oldOffset : GetOffset();
            const Point to = payload != nullptr ? payload->newOffset : GetOffset();
            const bool nudge = payload != nullptr && payload->nudge;
            if (sender == this) {
                // The note's own move becomes its offset record; this record ends here.
                return SendMove(step ? id::kNoteOffsetDrag : id::kNoteOffsetChange, from,
                                        to, nudge);
            }
            // A grace list's own move reaches the note with no element filled in; moves
            // passed up from inside the list (a grace note's marks and lyrics) carry
            // their element and go on as they are.
            auto list = graceList();
            if (list && (payload == nullptr || !payload->element)) {
                NotificationPayload moved;
                moved.oldOffset = from;
                moved.newOffset = to;
                moved.nudge = nudge;
                moved.element = std::move(list);
                return NotifySelf(step ? id::kGraceListDrag : id::kGraceListRelease, &moved);
            }
            if (payload != nullptr) {
                if (auto element = FindMovableSubElement(sender))
                    payload->element = std::move(element);
            }
            break;
        }
        default:
            break;
    }
    notification.sender = this;
    return EditableElement::Notify(notification);
}

// --- Keys and pointer ---

std::array<ScoreElement*, 3> Note::NoteLists() const
{
    return {graceBefore_.get(), graceAfter_.get(), chordNotes_.get()};
}

std::vector<std::shared_ptr<ScoreElement>> Note::KeyTargets() const
{
    std::vector<std::shared_ptr<ScoreElement>> targets;
    targets.insert(targets.end(), ornaments_.begin(), ornaments_.end());
    targets.insert(targets.end(), symbols_.begin(), symbols_.end());
    for (const auto& lyric : lyrics_) {
        if (lyric)
            targets.push_back(lyric);
    }
    if (graceBefore_)
        targets.push_back(graceBefore_);
    if (graceAfter_)
        targets.push_back(graceAfter_);
    if (chordNotes_)
        targets.push_back(chordNotes_);
    return targets;
}

std::vector<std::shared_ptr<ScoreElement>> Note::PointerTargets() const
{
    std::vector<std::shared_ptr<ScoreElement>> targets;
    if (!chordMember_)
        targets.insert(targets.end(), extensionGlyphs_.begin(), extensionGlyphs_.end());
    const auto keys = KeyTargets();
    targets.insert(targets.end(), keys.begin(), keys.end());
    std::erase_if(targets, [](const auto& target) { return !target->IsVisible(); });
    return targets;
}

void Note::OnKeyDown(int key, int flags)
{
    EditableElement::OnKeyDown(key, flags);
    for (const auto& target : KeyTargets())
        target->OnKeyDown(key, flags);
}

void Note::OnInputEvent(int first, int second)
{
    EditableElement::OnInputEvent(first, second);
    for (const auto& target : KeyTargets())
        target->OnInputEvent(first, second);
}

void Note::OnButtonDown(Point point, int flags, int& handled)
{
    for (const auto& target : PointerTargets())
        target->OnButtonDown(point, flags, handled);
    EditableElement::OnButtonDown(point, flags, handled);
}

void Note::OnPointerMove(Point point, int flags)
{
    if (extensionGlyph_) {
        EditableElement::OnPointerMove(point, flags);
        return;
    }
    ScoreElement::OnPointerMove(point, flags);
    // One move per step: the offset follows the pointer and the step is reported as
    // the note's own drag (1061), never also as a generic move.
    if (IsGrabbed() && IsButtonDown()) {
        const Point last = GetLastPointer();
        const Point from = GetOffset();
        const Point to =
            OffsetPoint(from, MaskedDelta({point.x - last.x, point.y - last.y}, flags));
        SetOffset(to);
        SetLastPointer(point);
        SendMove(id::kNoteOffsetDrag, from, to);
    }
    for (const auto& target : PointerTargets())
        target->OnPointerMove(point, flags);
}

void Note::OnButtonUp(Point point, int flags)
{
    EditableElement::OnButtonUp(point, flags);
    if (extensionGlyph_)
        return;
    if (ReleaseEndsMove())
        SendMove(id::kNoteOffsetChange, GetDragStart(), GetOffset());
    for (const auto& target : PointerTargets())
        target->OnButtonUp(point, flags);
}

void Note::OnDoubleClick(Point point, int flags, int& handled)
{
    EditableElement::OnDoubleClick(point, flags, handled);
    for (const auto& lyric : lyrics_) {
        if (lyric && lyric->IsVisible())
            lyric->OnDoubleClick(point, flags, handled);
    }
}

}  // namespace quaverly
