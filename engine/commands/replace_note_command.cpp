#include "engine/commands/replace_note_command.h"

#include <algorithm>

#include "engine/commands/set_note_properties_command.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/part.h"
#include "engine/model/tuplet.h"

namespace quaverly {

std::shared_ptr<Note> MakeReplacementNote(const Note& old, int pitchCode)
{
    auto note = CreateNote(pitchCode);
    if (!note)
        return nullptr;
    NoteInputValues values = SetNotePropertiesCommand::ValuesOf(old);
    values.pitch = pitchCode;
    SetNotePropertiesCommand::Apply(*note, values);
    note->SetStartTime(old.GetStartTime());
    note->SetTupletActual(old.GetTupletActual());
    note->SetTupletNormal(old.GetTupletNormal());
    note->SetStyle(old.GetStyle());
    for (int verse = 0; verse < kVerseCount; ++verse) {
        if (const std::u16string& text = old.GetLyricText(verse); !text.empty())
            note->SetLyricText(verse, text);
    }
    for (const auto& ornament : old.GetOrnaments())
        note->AddOrnament(ornament);
    for (const auto& symbol : old.GetSymbols())
        note->AddSymbol(symbol);
    if (pitchCode != pitch_code::kRest) {
        for (const auto& grace : old.GetGraceNotesBefore())
            note->GetGraceListA()->AddNote(grace);
        for (const auto& grace : old.GetGraceNotesAfter())
            note->GetGraceListB()->AddNote(grace);
        for (const auto& chord : old.GetChordMembers())
            note->GetChordNotes()->AddNote(chord);
    }
    return note;
}

void ReplaceNoteCommand::Swap(const std::shared_ptr<Note>& from, const std::shared_ptr<Note>& to)
{
    if (!bar_ || !from || !to)
        return;
    const auto& notes = bar_->GetNotes();
    if (std::find(notes.begin(), notes.end(), from) == notes.end())
        return;
    const bool selected = from->GetState() == element_state::kSelected;
    if (selected)
        from->Deselect();
    for (const auto& tuplet : bar_->GetTuplets()) {
        if (tuplet && tuplet->GetFirstNote() == from)
            tuplet->SetFirstNote(to);
    }
    MoveTies(from, to);
    to->SetStartTime(from->GetStartTime());
    bar_->RemoveNote(from.get());
    bar_->AddNote(to);
    bar_->SortNotes();
    to->SetParent(bar_.get());
    if (selected)
        to->Select();
}

void ReplaceNoteCommand::MoveTies(const std::shared_ptr<Note>& from, const std::shared_ptr<Note>& to)
{
    if (!part_)
        return;
    if (to->GetPitchCode() == pitch_code::kRest) {
        heldTies_.clear();
        for (const auto& tie : std::vector<std::shared_ptr<Tie>>(part_->GetTies())) {
            if (tie && (tie->GetStart().note == from || tie->GetEnd().note == from)) {
                heldTies_.push_back({tie, tie->GetStart(), tie->GetEnd()});
                part_->RemoveTie(tie);
                tie->ClearChildren();
            }
        }
        return;
    }
    if (from->GetPitchCode() == pitch_code::kRest) {
        // Back from a rest: the ties taken out then come back as they were.
        for (const HeldTie& held : heldTies_) {
            held.tie->SetStart(held.start);
            held.tie->SetEnd(held.end);
            part_->AddTie(held.tie);
        }
        heldTies_.clear();
    }
    for (const auto& tie : part_->GetTies()) {
        if (!tie)
            continue;
        if (tie->GetStart().note == from)
            tie->SetStart({tie->GetStart().owner, to});
        if (tie->GetEnd().note == from)
            tie->SetEnd({tie->GetEnd().owner, to});
    }
}

}  // namespace quaverly
