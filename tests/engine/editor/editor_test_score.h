// Scores for the fragment and score-data tests: parts of empty bars, and notes placed
// at their start times with what hangs on them.
#pragma once

#include <memory>

#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/container_element.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/tie.h"

namespace quaverly::editor_test {

inline std::shared_ptr<Part> AddPart(Score& score, int bars)
{
    auto container = std::make_shared<ContainerElement>();
    auto part = std::make_shared<Part>();
    for (int b = 0; b < bars; ++b)
        part->AppendChild(std::make_shared<Bar>(b));
    container->AppendChild(part);
    score.AppendChild(container);
    return part;
}

inline std::shared_ptr<Score> MakeScore(int parts, int bars)
{
    auto score = std::make_shared<Score>();
    for (int p = 0; p < parts; ++p)
        AddPart(*score, bars);
    return score;
}

inline std::shared_ptr<Part> PartOf(const Score& score, int part)
{
    const auto container = score.GetChild(part);
    return container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
}

inline std::shared_ptr<Bar> BarOf(const Score& score, int part, int bar)
{
    const auto p = PartOf(score, part);
    return p ? std::dynamic_pointer_cast<Bar>(p->GetChild(bar)) : nullptr;
}

struct NoteSpec {
    int code = pitch_code::kFirstDegree;
    int start = 0;
    int duration = note_length::kQuarter;
    int octave = 0;
    int dots = 0;
    int accidental = 0;
};

inline std::shared_ptr<Note> MakeNote(const NoteSpec& spec)
{
    auto note = CreateNote(spec.code);
    note->SetOctave(spec.octave);
    note->SetDuration(spec.duration);
    note->SetDots(spec.dots);
    note->SetAccidental(spec.accidental);
    note->SetStartTime(spec.start);
    return note;
}

// Adds the note to the bar, keeping the bar's start-time order.
inline std::shared_ptr<Note> AddNote(Bar& bar, const NoteSpec& spec)
{
    auto note = MakeNote(spec);
    bar.AddNote(note);
    bar.SortNotes();
    return note;
}

inline std::shared_ptr<Note> AddChordNote(Note& main, const NoteSpec& spec)
{
    auto note = MakeNote(spec);
    note->SetStyle(std::make_shared<ChordNoteStyle>());
    main.GetChordNotes()->AddNote(note);
    return note;
}

inline std::shared_ptr<Note> AddGraceNote(GraceNoteList& list, const NoteSpec& spec)
{
    auto note = MakeNote(spec);
    note->SetStyle(std::make_shared<GraceNoteStyle>());
    list.AddNote(note);
    return note;
}

inline std::shared_ptr<Tie> AddTie(Part& part, const std::shared_ptr<Bar>& fromBar,
                                const std::shared_ptr<Note>& from,
                                const std::shared_ptr<Bar>& toBar,
                                const std::shared_ptr<Note>& to)
{
    auto tie = std::make_shared<Tie>();
    tie->SetStart({fromBar, from});
    tie->SetEnd({toBar, to});
    part.AddTie(tie);
    return tie;
}

}  // namespace quaverly::editor_test
