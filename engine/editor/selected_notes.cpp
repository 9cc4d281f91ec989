#include "engine/editor/selected_notes.h"

#include "engine/commands/refresh_commands.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note.h"

namespace quaverly {

namespace {

// Calls `visit` with the place of every note of the bar, in the order NotesOfBar gives.
template <class Visit>
void ForEachNoteOfBar(const Bar& bar, const std::shared_ptr<Bar>& owner, const Visit& visit)
{
    const auto visitList = [&visit](const auto& list, const std::shared_ptr<Note>& entry,
                                    NoteRole role) {
        if (!list)
            return;
        for (const auto& note : list->GetNotes())
            if (note)
                visit(NotePlace{note, entry, list, role});
    };
    for (const auto& entry : bar.GetNotes()) {
        if (!entry)
            continue;
        visit(NotePlace{entry, entry, owner, NoteRole::kMain});
        // Lists not made yet hold no notes.
        if (entry->GetGraceListAIfMade() != nullptr)
            visitList(entry->GetGraceListA(), entry, NoteRole::kGraceBefore);
        if (entry->GetGraceListBIfMade() != nullptr)
            visitList(entry->GetGraceListB(), entry, NoteRole::kGraceAfter);
        if (entry->GetChordNotesIfMade() != nullptr)
            visitList(entry->GetChordNotes(), entry, NoteRole::kChord);
    }
}

}  // namespace

std::vector<NotePlace> NotesOfBar(const Bar& bar, const std::shared_ptr<Bar>& owner)
{
    std::vector<NotePlace> places;
    ForEachNoteOfBar(bar, owner, [&places](NotePlace place) { places.push_back(std::move(place)); });
    return places;
}

std::vector<SelectedNote> SelectedNotesOfLine(const std::shared_ptr<SystemNode>& line,
                                              SelectionScope scope)
{
    std::vector<SelectedNote> selected;
    if (!line)
        return selected;
    const int firstBar = line->GetBarRange().first;
    for (int t = 0; t < line->GetChildCount(); ++t) {
        const auto track = line->GetTrack(t);
        if (!track)
            continue;
        for (int b = 0; b < track->GetChildCount(); ++b) {
            const auto bar = track->GetBar(b);
            if (!bar)
                continue;
            // Looked at in place: a search over a whole score must not copy every note.
            ForEachNoteOfBar(*bar, bar, [&](const NotePlace& place) {
                if (place.note->GetState() != element_state::kSelected)
                    return;
                if (scope == SelectionScope::kMainNotes && place.role != NoteRole::kMain)
                    return;
                selected.push_back({line, track, bar, firstBar + b, place});
            });
        }
    }
    return selected;
}

std::vector<SelectedNote> SelectedNotesOfLayout(const ScoreElement& layout, SelectionScope scope)
{
    std::vector<SelectedNote> selected;
    for (int p = 0; p < layout.GetChildCount(); ++p) {
        const auto page = layout.GetChild(p);
        for (int l = 0; page && l < page->GetChildCount(); ++l) {
            auto found = SelectedNotesOfLine(
                std::dynamic_pointer_cast<SystemNode>(page->GetChild(l)), scope);
            selected.insert(selected.end(), found.begin(), found.end());
        }
    }
    return selected;
}

std::unique_ptr<EditCommand> MakeLineRelayout(ScoreEditor* editor,
                                              const std::shared_ptr<ScoreElement>& line)
{
    auto relayout = std::make_unique<RelayoutFromElementCommand>(editor);
    relayout->SetStartElement(line);
    return relayout;
}

bool IsDegreeCode(int code)
{
    return code >= pitch_code::kFirstDegree && code <= pitch_code::kLastDegree;
}

bool IsPitchedNote(const Note& note)
{
    return IsDegreeCode(note.GetPitchCode());
}

}  // namespace quaverly
