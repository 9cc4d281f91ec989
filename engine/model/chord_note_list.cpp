#include "engine/model/chord_note_list.h"

#include <algorithm>
#include <utility>

#include "engine/model/note.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace id = notification_id;

ChordNoteList::ChordNoteList() : NoteList(id::kChordNoteDelete, id::kChordNoteSymbolMarkDelete)
{
}

ChordNoteList::~ChordNoteList() = default;

void ChordNoteList::AddNote(NotePtr note)
{
    if (!note)
        return;
    note->SetChordMember(true);
    AppendNote(std::move(note));
}

void ChordNoteList::SortNotes()
{
    SortNotesBy([](const NotePtr& a, const NotePtr& b) {
        if (a->GetOctave() != b->GetOctave())
            return a->GetOctave() < b->GetOctave();
        return a->GetPitchCode() < b->GetPitchCode();
    });
}

void ChordNoteList::RemoveNote(const Note* note)
{
    if (const NotePtr removed = TakeNote(note))
        removed->SetChordMember(false);
}

// --- Measures, placing, layout ---

Rect ChordNoteList::GetExtent(ScorePainter& painter)
{
    int width = 0;
    int height = 0;
    for (const NotePtr& note : GetNotes()) {
        const Rect extent = note->GetExtent(painter);
        width += extent.Width();
        height = std::max(height, extent.Height());
    }
    return {0, 0, width, height};
}

void ChordNoteList::PlaceNotes()
{
    const Point at = GetChildOrigin();
    for (const NotePtr& note : GetNotes())
        note->SetOrigin(at);
}

void ChordNoteList::Layout(ScorePainter& painter)
{
    NoteList::Layout(painter);
    // Between two notes of the stack lies, besides the chord interval, the room of their
    // octave dots: the lower note's dots above it and this note's dots below it. The
    // owning note (the list's parent) is the lowest of the stack.
    const auto* owner = dynamic_cast<const Note*>(GetParent());
    int roomAbove = owner != nullptr ? owner->GetHeightAbove(painter) : 0;
    int stacked = 0;
    for (const NotePtr& note : GetNotes()) {
        const Rect extent = note->GetExtent(painter);
        stacked += extent.top - extent.bottom - painter.GetChordNoteInterval() - roomAbove -
                   note->GetDepthBelow(painter);
        note->SetOrigin(GetChildOrigin());
        const Point offset = note->GetOffset();
        note->SetPosition({offset.x, offset.y + stacked});
        note->Layout(painter);
        note->SetParent(this);
        roomAbove = note->GetHeightAbove(painter);
    }
}

bool ChordNoteList::HitTest(Point) const
{
    return false;
}

}  // namespace quaverly
