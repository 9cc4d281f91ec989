// Note entry and note editing: typed notes and MIDI chords entered at the cursor, grace
// and chord notes added, and the pitch, value, octave, dots, accidental, tuplet, tie and
// size of the selected notes changed.
//
// Entry marks its start with notice 21 and always ends with notices that make the host
// run the queue (so notice 22 follows and the host hands over its next input), also
// when nothing could be entered.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "engine/commands/add_element_command.h"
#include "engine/commands/add_tie_command.h"
#include "engine/commands/cursor_commands.h"
#include "engine/commands/enter_note_command.h"
#include "engine/commands/input_position_commands.h"
#include "engine/commands/insert_note_command.h"
#include "engine/commands/make_tuplet_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/replace_note_command.h"
#include "engine/commands/replace_note_data_command.h"
#include "engine/commands/set_note_duration_command.h"
#include "engine/commands/set_note_field_command.h"
#include "engine/editor/score_data_exporter.h"
#include "engine/editor/score_editor.h"
#include "engine/editor/selected_notes.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/element_path.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/pitch_speller.h"
#include "engine/model/tie.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace {

// The fields SetSelectedNoteField changes.
namespace note_field {
constexpr int kValue = 0;
constexpr int kOctave = 1;
constexpr int kDots = 2;
constexpr int kAccidental = 3;
}  // namespace note_field

constexpr int kHighestMidiKey = 127;

// Grace modes of the entry records.
constexpr int kGraceBefore = 1;
constexpr int kGraceAfter = 2;
// Bit 0 of the entry flags (Ctrl): overwrite the notes at the cursor.
constexpr int kOverwriteFlag = 1;

// Notice 3, then notice 1: the note edits report the document first.
void NotifyEdited(const ScoreEditor& editor)
{
    editor.NotifyListener(EditorNoticeCode::DocumentModified);
    editor.NotifyListener(EditorNoticeCode::ContentChanged);
}

// A new note with the values; empty for a code that makes no note or a value of 0 or less.
std::shared_ptr<Note> MakeNote(const NoteInputValues& values)
{
    if (values.duration <= 0)
        return nullptr;
    auto note = CreateNote(values.pitch);
    if (note)
        SetNotePropertiesCommand::Apply(*note, values);
    return note;
}

// Rests, scale degrees and unpitched symbols are notes of three different classes.
int NoteClassOf(int code)
{
    if (code == pitch_code::kRest)
        return 0;
    if (IsDegreeCode(code))
        return 1;
    return code >= pitch_code::kFirstSpecial && code <= pitch_code::kLastSpecial ? 2 : -1;
}

// Lower: a lower octave, or the same octave and a lower degree.
bool IsLower(const NoteInputValues& a, const NoteInputValues& b)
{
    return a.octave < b.octave || (a.octave == b.octave && a.pitch < b.pitch);
}

void SwapPitch(NoteInputValues& a, NoteInputValues& b)
{
    std::swap(a.pitch, b.pitch);
    std::swap(a.octave, b.octave);
    std::swap(a.accidental, b.accidental);
}

// The first note of the bar that starts at the time.
std::shared_ptr<Note> FindNoteAtTime(const Bar& bar, int time)
{
    for (const auto& note : bar.GetNotes())
        if (note && note->GetStartTime() == time)
            return note;
    return nullptr;
}

// The room left in the bar: its length under the meter in force less the played length
// of every note.
std::int64_t RemainingBarTime(const ScoreEditor& editor, const Bar& bar, int barIndex)
{
    std::int64_t remaining = input_position::BarLength(editor, barIndex);
    for (const auto& note : bar.GetNotes())
        remaining -= GetNoteDuration(note.get());
    return remaining;
}

// The time a new note of the value and dots takes at the time: inside a tuplet of the bar
// it is scaled by the tuplet's ratio.
std::int64_t NewNoteDuration(const Bar& bar, int time, int value, int dots)
{
    std::int64_t duration = GetDottedLength(value, dots);
    for (const auto& tuplet : bar.GetTuplets()) {
        if (!tuplet || tuplet->GetActualCount() <= 0 || tuplet->GetNormalCount() <= 0)
            continue;
        if (tuplet->GetStartTime() <= time && time < tuplet->GetEndTime())
            duration = duration * tuplet->GetNormalCount() / tuplet->GetActualCount();
    }
    return duration;
}

// A note of the chord: small, with the main note's value and dots.
std::shared_ptr<Note> MakeChordNote(NoteInputValues values, const NoteInputValues& main)
{
    values.duration = main.duration;
    values.dots = main.dots;
    auto note = MakeNote(values);
    if (note)
        note->SetStyle(SharedChordNoteStyle());
    return note;
}

// A note of the lowest pitch carrying the other pitches as its chord notes.
std::shared_ptr<Note> BuildChordNote(const std::vector<NoteInputValues>& pitches)
{
    if (pitches.empty())
        return nullptr;
    auto lowest = std::min_element(pitches.begin(), pitches.end(), IsLower);
    auto note = MakeNote(*lowest);
    if (!note)
        return nullptr;
    const NoteInputValues main = SetNotePropertiesCommand::ValuesOf(*note);
    for (auto it = pitches.begin(); it != pitches.end(); ++it) {
        if (it == lowest)
            continue;
        if (auto chord = MakeChordNote(*it, main))
            note->GetChordNotes()->AddNote(chord);
    }
    note->GetChordNotes()->SortNotes();
    return note;
}

// Gives the note, its chord notes and its grace notes the start time.
void SetEntryStart(Note& note, int time)
{
    note.SetStartTime(time);
    for (const auto& chord : note.GetChordMembers())
        chord->SetStartTime(time);
}

// The selected bar notes, each once, in layout order, with the notes selected on them
// (grace and chord notes) counting for their bar note.
std::vector<SelectedNote> SelectedEntries(const ScoreElement& layout)
{
    std::vector<SelectedNote> entries;
    std::set<const Note*> seen;
    for (SelectedNote selected : SelectedNotesOfLayout(layout, SelectionScope::kAllNotes)) {
        if (!seen.insert(selected.place.entry.get()).second)
            continue;
        selected.place = {selected.place.entry, selected.place.entry, selected.bar, NoteRole::kMain};
        entries.push_back(std::move(selected));
    }
    return entries;
}

// The bar note of the part after the given one: the next note of its bar, else the first
// note of a later bar.
std::pair<std::shared_ptr<Bar>, std::shared_ptr<Note>> NextEntry(const Part& part, int barIndex,
                                                                 const Note& entry)
{
    for (int b = barIndex; b < part.GetChildCount(); ++b) {
        const auto bar = std::dynamic_pointer_cast<Bar>(part.GetChild(b));
        if (!bar)
            continue;
        const auto& notes = bar->GetNotes();
        auto it = notes.begin();
        if (b == barIndex) {
            it = std::find_if(notes.begin(), notes.end(),
                              [&entry](const auto& note) { return note.get() == &entry; });
            if (it == notes.end())
                return {};
            ++it;
        }
        if (it != notes.end())
            return {bar, *it};
    }
    return {};
}

bool SamePitch(const Note& a, const Note& b)
{
    return a.GetPitchCode() == b.GetPitchCode() && a.GetOctave() == b.GetOctave() &&
           a.GetAccidental() == b.GetAccidental();
}

}  // namespace

// --- Entry ---

int ScoreEditor::CursorKey() const
{
    const int bar = GetCursorBarIndex();
    return bar >= 0 ? ScoreDataExporter::KeyFifthsAt(*score, bar) : 0;
}

void ScoreEditor::InputNote(int typeCode, int octave, int value, int dots, int accidental,
                            int graceKind, int flags)
{
    NotifyListener(EditorNoticeCode::InputBusy);
    const std::size_t queuedBefore = history.PendingCount();
    const NoteInputValues values{typeCode, octave, dots, value, accidental};
    // A plain entry only queues commands, which report what they change.
    bool onlyQueued = false;
    if (graceKind == kGraceBefore || graceKind == kGraceAfter) {
        AddGraceNotes({values}, graceKind == kGraceBefore);
    } else if ((flags & kOverwriteFlag) != 0) {
        OverwriteNoteAtCursor(MakeNote(values));
    } else if (input_position::CursorBar(*this)) {
        // Every selected note is in the selection list: with the list empty the search
        // through the whole score (which would make each entry cost more in a longer
        // score) is spared.
        if (!selectedElements.empty() &&
            !SelectedNotesOfLayout(*layout, SelectionScope::kMainNotes).empty())
            SetSelectedPitch(typeCode);
        else if (!AddChordNotesAtCursor({values}))
            onlyQueued = InsertNoteAtCursor(MakeNote(values));
    }
    // Also when nothing could be entered the content notice goes out: the host waits for
    // the run it brings about before it hands over its next input. Only an entry marks
    // the document modified.
    enteringNote_ = onlyQueued;
    if (history.PendingCount() > queuedBefore)
        NotifyDocumentChanged();
    else
        NotifyListener(EditorNoticeCode::ContentChanged);
    enteringNote_ = false;
}

void ScoreEditor::InputChord(const std::vector<int>* keys, int value, int dots, int graceKind,
                             int flags)
{
    NotifyListener(EditorNoticeCode::InputBusy);
    const std::size_t queuedBefore = history.PendingCount();
    std::vector<int> sorted;
    if (keys != nullptr)
        for (const int key : *keys)
            if (key >= 0 && key <= kHighestMidiKey)
                sorted.push_back(key);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());

    // Every key is spelled in the key in force at the cursor's bar.
    const PitchSpeller speller(CursorKey());
    std::vector<NoteInputValues> pitches;
    for (const int key : sorted) {
        const SpelledPitch spelled = speller.Spell(key);
        pitches.push_back({spelled.PitchCode(), spelled.octave - 5, dots, value, spelled.accidental});
    }
    if (!pitches.empty()) {
        if (graceKind == kGraceBefore || graceKind == kGraceAfter)
            AddGraceNotes(pitches, graceKind == kGraceBefore);
        else if ((flags & kOverwriteFlag) != 0)
            OverwriteNoteAtCursor(BuildChordNote(pitches));
        else if (!AddChordNotesAtCursor(pitches))
            InsertNoteAtCursor(BuildChordNote(pitches));
    }
    if (history.PendingCount() > queuedBefore)
        NotifyEdited(*this);
    else
        NotifyListener(EditorNoticeCode::ContentChanged);
}

bool ScoreEditor::InsertNoteAtCursor(const std::shared_ptr<Note>& note)
{
    const auto bar = input_position::CursorBar(*this);
    const auto line = CursorLine();
    if (!note || !bar || !line)
        return false;
    const int barIndex = GetCursorBarIndex();
    const int barCount = GetBarCount();
    int entryTime = cursor.timeInBar;
    // A note that does not fit the last bar gets a new bar first (up to the entry limit).
    if (RemainingBarTime(*this, *bar, barIndex) <
            NewNoteDuration(*bar, cursor.timeInBar, note->GetDuration(), note->GetDots()) &&
        barIndex + 1 == barCount && barCount < input_position::kMaxBarsByEntry) {
        BeginGroup(false);
        AddBarInsertion(barCount, 1, line);
        AddCommand(std::make_unique<PageStepCommand>(this));
        AddCommand(std::make_unique<PlaceCursorCommand>(this));
        EndGroup();
        // At the end of the bar the cursor steps into the new bar before the note goes in.
        if (cursor.timeInBar >= input_position::BarLength(*this, barIndex))
            entryTime = 0;
    }
    SetEntryStart(*note, entryTime);
    auto enter = std::make_unique<EnterNoteCommand>(this);
    enter->SetNote(note);
    BeginGroup(true);
    AddCommand(std::move(enter));
    EndGroup();
    return true;
}

bool ScoreEditor::OverwriteNoteAtCursor(const std::shared_ptr<Note>& note)
{
    const auto bar = input_position::CursorBar(*this);
    const auto line = CursorLine();
    if (!note || !bar || !line)
        return false;
    const int barIndex = GetCursorBarIndex();
    SetEntryStart(*note, cursor.timeInBar);
    // Undone last step first: the note goes, then the notes it replaced come back.
    BeginReverseGroup(false);
    auto room = std::make_unique<SetNoteDurationCommand>(this);
    room->SetNote(note);
    room->SetBar(bar);
    room->SetBarIndex(barIndex);
    AddCommand(std::move(room));
    auto insert = std::make_unique<InsertNoteCommand>(this);
    insert->SetNote(note);
    insert->SetBarIndex(barIndex);
    insert->SetBar(bar);
    AddCommand(std::move(insert));
    AddCommand(MakeLineRelayout(this, line));
    auto advance = std::make_unique<AdvanceInputTimeCommand>(this);
    advance->SetCursor(cursor);
    advance->SetNote(note);
    advance->SetBar(bar);
    AddCommand(std::move(advance));
    AddCommand(std::make_unique<PlaceCursorCommand>(this));
    EndGroup();
    return true;
}

bool ScoreEditor::AddChordNotesAtCursor(const std::vector<NoteInputValues>& pitches)
{
    const auto bar = input_position::CursorBar(*this);
    const auto line = CursorLine();
    if (!bar || !line || pitches.empty())
        return false;
    // Only scale degrees stack: a rest or an unpitched symbol is entered as a note of its
    // own.
    const auto main = FindNoteAtTime(*bar, cursor.timeInBar);
    if (!main || !IsPitchedNote(*main))
        return false;
    for (const NoteInputValues& pitch : pitches)
        if (!IsDegreeCode(pitch.pitch))
            return false;
    // A pitch the note already sounds, itself or as one of its chord notes, is not stacked
    // on it again: typing it changes nothing.
    const auto same = [](const NoteInputValues& a, const NoteInputValues& b) {
        return a.pitch == b.pitch && a.octave == b.octave && a.accidental == b.accidental;
    };
    std::vector<NoteInputValues> sounding{SetNotePropertiesCommand::ValuesOf(*main)};
    for (const auto& chord : main->GetChordMembers())
        if (chord)
            sounding.push_back(SetNotePropertiesCommand::ValuesOf(*chord));
    std::vector<NoteInputValues> added;
    for (const NoteInputValues& pitch : pitches) {
        const auto held = [&](const NoteInputValues& other) { return same(other, pitch); };
        if (std::none_of(sounding.begin(), sounding.end(), held) && std::none_of(added.begin(), added.end(), held))
            added.push_back(pitch);
    }
    if (added.empty())
        return true;

    const NoteInputValues before = SetNotePropertiesCommand::ValuesOf(*main);
    NoteInputValues lowest = before;
    std::vector<std::shared_ptr<Note>> chords;
    for (NoteInputValues pitch : added) {
        // The lowest pitch is always the chord's main note.
        if (IsLower(pitch, lowest))
            SwapPitch(pitch, lowest);
        if (auto chord = MakeChordNote(pitch, before)) {
            chord->SetStartTime(main->GetStartTime());
            chords.push_back(std::move(chord));
        }
    }
    BeginGroup(false);
    if (!(lowest == before)) {
        auto exchange = std::make_unique<SetNotePropertiesCommand>();
        exchange->SetNote(main.get());
        exchange->SetOldValues(before);
        exchange->SetNewValues(lowest);
        AddCommand(std::move(exchange));
    }
    for (const auto& chord : chords) {
        auto add = std::make_unique<AddChordNoteCommand>();
        add->SetTarget(main->GetChordNotes());
        add->SetItem(chord);
        AddCommand(std::move(add));
    }
    AddCommand(MakeLineRelayout(this, line));
    EndGroup();
    return true;
}

void ScoreEditor::AddGraceNotes(const std::vector<NoteInputValues>& notes, bool before)
{
    const auto line = CursorLine();
    if (!line)
        return;
    bool added = false;
    BeginGroup(false);
    for (const SelectedNote& target : SelectedNotesOfLine(line, SelectionScope::kMainNotes)) {
        if (target.place.note->GetPitchCode() == pitch_code::kRest)
            continue;
        const auto& list = before ? target.place.note->GetGraceListA()
                                  : target.place.note->GetGraceListB();
        // Each grace note starts where the ones already in the list end.
        std::int64_t start = 0;
        for (const auto& grace : list->GetNotes())
            start += GetNoteDuration(grace.get());
        for (const NoteInputValues& values : notes) {
            auto grace = values.pitch == pitch_code::kRest ? nullptr : MakeNote(values);
            if (!grace)
                continue;
            grace->SetStyle(SharedGraceNoteStyle());
            grace->SetStartTime(ClampToInt(start));
            start += GetNoteDuration(grace.get());
            auto add = std::make_unique<AddGraceNoteCommand>();
            add->SetTarget(list);
            add->SetItem(grace);
            AddCommand(std::move(add));
            added = true;
        }
    }
    if (added)
        AddCommand(MakeLineRelayout(this, line));
    EndGroup();
}

// --- Editing the selected notes ---

bool ScoreEditor::SetSelectedPitch(int typeCode)
{
    if (NoteClassOf(typeCode) < 0)
        return false;
    const auto selected = SelectedNotesOfLayout(*layout, SelectionScope::kMainNotes);
    for (const SelectedNote& entry : selected) {
        const auto& note = entry.place.note;
        BeginGroup(false);
        if (NoteClassOf(note->GetPitchCode()) == NoteClassOf(typeCode)) {
            auto set = std::make_unique<SetPitchCommand>();
            set->SetNote(note);
            set->SetOldValue(note->GetPitchCode());
            set->SetNewValue(typeCode);
            AddCommand(std::move(set));
        } else {
            auto replace = std::make_unique<ReplaceNoteCommand>();
            replace->SetBar(entry.bar);
            replace->SetPart(entry.track ? entry.track->GetPart() : nullptr);
            replace->SetOldNote(note);
            replace->SetNewNote(MakeReplacementNote(*note, typeCode));
            AddCommand(std::move(replace));
        }
        AddCommand(MakeLineRelayout(this, entry.line));
        EndGroup();
    }
    return !selected.empty();
}

bool ScoreEditor::SetSelectedNoteField(int field, int value)
{
    if (field == note_field::kValue && value <= 0)
        return false;
    const auto selected = SelectedNotesOfLayout(*layout, SelectionScope::kMainNotes);
    for (const SelectedNote& entry : selected) {
        const auto& note = entry.place.note;
        if (note->GetPitchCode() == pitch_code::kRest)
            continue;
        std::unique_ptr<EditCommand> command;
        const auto make = [&note, value](auto set, int old) {
            set->SetNote(note);
            set->SetOldValue(old);
            set->SetNewValue(value);
            return std::unique_ptr<EditCommand>(std::move(set));
        };
        switch (field) {
            case note_field::kValue:
                command = make(std::make_unique<SetNoteValueCommand>(), note->GetDuration());
                break;
            case note_field::kOctave:
                command = make(std::make_unique<SetOctaveCommand>(), note->GetOctave());
                break;
            case note_field::kDots:
                command = make(std::make_unique<SetDotsCommand>(), note->GetDots());
                break;
            default:
                command = make(std::make_unique<SetAccidentalCommand>(), note->GetAccidental());
                break;
        }
        BeginGroup(false);
        AddCommand(std::move(command));
        AddCommand(MakeLineRelayout(this, entry.line));
        EndGroup();
    }
    return !selected.empty();
}

void ScoreEditor::SetNotePitch(int typeCode)
{
    if (SetSelectedPitch(typeCode))
        NotifyEdited(*this);
}

void ScoreEditor::SetNoteValue(int value)
{
    if (SetSelectedNoteField(note_field::kValue, value))
        NotifyEdited(*this);
}

void ScoreEditor::SetOctave(int octave)
{
    if (SetSelectedNoteField(note_field::kOctave, octave))
        NotifyEdited(*this);
}

void ScoreEditor::SetDots(int dots)
{
    if (SetSelectedNoteField(note_field::kDots, dots))
        NotifyEdited(*this);
}

void ScoreEditor::SetAccidental(int accidental)
{
    if (SetSelectedNoteField(note_field::kAccidental, accidental))
        NotifyEdited(*this);
}

void ScoreEditor::MakeTuplet(int actual, int normal)
{
    if (actual < 1 || normal < 1 || actual > note_limits::kMaxTupletCount ||
        normal > note_limits::kMaxTupletCount)
        return;
    std::vector<SelectedNote> entries = SelectedEntries(*layout);
    if (entries.empty()) {
        const auto bar = input_position::CursorBar(*this);
        const auto note = bar ? FindNoteAtTime(*bar, cursor.timeInBar) : nullptr;
        if (!note)
            return;
        entries.push_back({CursorLine(), nullptr, bar, GetCursorBarIndex(),
                           {note, note, bar, NoteRole::kMain}});
    }
    bool made = false;
    const Note* previous = nullptr;
    for (const SelectedNote& entry : entries) {
        const auto& notes = entry.bar->GetNotes();
        const auto at = std::find(notes.begin(), notes.end(), entry.place.note);
        // A run goes on while the next selected note follows the last one in its bar; the
        // tuplet starts at the run's first note.
        const bool continues = at != notes.begin() && at != notes.end() && (at - 1)->get() == previous;
        previous = entry.place.note.get();
        if (continues || entry.place.note->GetTupletActual() > 0)
            continue;
        auto make = std::make_unique<MakeTupletCommand>(this);
        make->SetCursor(cursor);
        make->SetBar(entry.bar);
        make->SetFirstNote(entry.place.note);
        make->SetTuplet(std::make_shared<Tuplet>(actual, normal));
        BeginGroup(false);
        AddCommand(std::move(make));
        AddCommand(MakeLineRelayout(this, entry.line));
        EndGroup();
        made = true;
    }
    if (made)
        NotifyEdited(*this);
}

void ScoreEditor::ToggleTie()
{
    std::vector<SelectedNote> entries = SelectedEntries(*layout);
    if (entries.empty()) {
        const auto line = CursorLine();
        const auto bar = input_position::CursorBar(*this);
        const auto note = bar ? FindNoteAtTime(*bar, cursor.timeInBar) : nullptr;
        if (!note || !line)
            return;
        entries.push_back({line, line->GetTrack(cursor.track), bar, GetCursorBarIndex(),
                           {note, note, bar, NoteRole::kMain}});
    }
    bool changed = false;
    for (const SelectedNote& entry : entries) {
        const auto& note = entry.place.note;
        const auto part = entry.track ? entry.track->GetPart() : nullptr;
        if (!part || note->GetPitchCode() == pitch_code::kRest)
            continue;
        std::unique_ptr<EditCommand> command;
        if (note->GetTiedTo() != nullptr) {
            // Tied already: the tie goes.
            for (const auto& tie : part->GetTies()) {
                if (tie && tie->GetStart().note == note) {
                    command = MakeTieRemoval(this, part, tie);
                    break;
                }
            }
        } else {
            // Untied: a tie to the next note when it has the same pitch.
            const auto [nextBar, next] = NextEntry(*part, entry.barIndex, *note);
            if (next && SamePitch(*note, *next) && next->GetTiedFrom() == nullptr) {
                auto add = std::make_unique<AddTieCommand>(this);
                add->SetCursor(cursor);
                add->SetTie(std::make_shared<Tie>());
                add->SetPart(part);
                add->SetStart({entry.bar, note});
                add->SetEnd({nextBar, next});
                command = std::move(add);
            }
        }
        if (!command)
            continue;
        BeginGroup(false);
        AddCommand(std::move(command));
        auto refresh = std::make_unique<RefreshNoteElementCommand>();
        refresh->SetTarget(note);
        AddCommand(std::move(refresh));
        AddCommand(MakeLineRelayout(this, entry.line));
        EndGroup();
        changed = true;
    }
    if (changed)
        NotifyEdited(*this);
}

void ScoreEditor::SetSelectedNoteStyle(int kind)
{
    // The selected notes, and for a selected bar note also its grace and chord notes.
    std::vector<std::shared_ptr<Note>> notes;
    std::vector<std::shared_ptr<SystemNode>> lines;
    std::set<const Note*> seen;
    for (const SelectedNote& selected : SelectedNotesOfLayout(*layout, SelectionScope::kAllNotes)) {
        std::vector<std::shared_ptr<Note>> found{selected.place.note};
        if (selected.place.role == NoteRole::kMain) {
            for (const NotePlace& place : NotesOfBar(*selected.bar, selected.bar))
                if (place.entry == selected.place.note && place.role != NoteRole::kMain)
                    found.push_back(place.note);
        }
        for (const auto& note : found) {
            const auto& style = note->GetStyle();
            if ((style && style->GetKind() == kind) || !seen.insert(note.get()).second)
                continue;
            notes.push_back(note);
            if (std::find(lines.begin(), lines.end(), selected.line) == lines.end())
                lines.push_back(selected.line);
        }
    }
    if (notes.empty())
        return;
    std::shared_ptr<const NoteStyle> style;
    if (kind == note_style_kind::kNormal)
        style = SharedNormalNoteStyle();
    else
        style = SharedChordNoteStyle();
    BeginGroup(false);
    for (const auto& note : notes) {
        auto replace = std::make_unique<ReplaceNoteDataCommand>();
        replace->SetNote(note);
        replace->SetOldStyle(note->GetStyle());
        replace->SetNewStyle(style);
        AddCommand(std::move(replace));
    }
    for (const auto& line : lines)
        AddCommand(MakeLineRelayout(this, line));
    EndGroup();
    NotifyEdited(*this);
}

void ScoreEditor::EnlargeNote()
{
    SetSelectedNoteStyle(note_style_kind::kNormal);
}

void ScoreEditor::ShrinkNote()
{
    SetSelectedNoteStyle(note_style_kind::kChord);
}

}  // namespace quaverly
