// Scores for the layout tests: a score of some parts with some empty bars each, and
// small helpers to fill the bars and read their layout back.
#pragma once

#include <memory>

#include "engine/layout/layout_engine.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "engine/model/score.h"
#include "engine/model/time_position_mapper.h"
#include "engine/model/tuplet.h"
#include "tests/support/fake_painter.h"

namespace quaverly::layout_test {

inline std::shared_ptr<Score> MakeScore(int parts, int bars)
{
    auto score = std::make_shared<Score>();
    for (int p = 0; p < parts; ++p) {
        auto container = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        for (int b = 0; b < bars; ++b)
            part->AppendChild(std::make_shared<Bar>(b));
        container->AppendChild(part);
        score->AppendChild(container);
    }
    return score;
}

inline std::shared_ptr<Bar> BarOf(const Score& score, int part, int bar)
{
    return std::dynamic_pointer_cast<Bar>(score.GetChild(part)->GetChild(0)->GetChild(bar));
}

// Appends a note of that base length; start times are the layout's business.
inline std::shared_ptr<Note> AddNote(Bar& bar, int base, int dots = 0,
                                     int pitch = pitch_code::kFirstDegree + 2)
{
    auto note = CreateNote(pitch);
    note->SetDuration(base);
    note->SetDots(dots);
    bar.AddNote(note);
    return note;
}

// Appends `count` notes of one value.
inline void AddNotes(Bar& bar, int count, int base)
{
    for (int i = 0; i < count; ++i)
        AddNote(bar, base);
}

// Appends a tuplet of `actual` notes of one value in the time of `normal`.
inline std::shared_ptr<Tuplet> AddTuplet(Bar& bar, int actual, int normal, int base)
{
    auto tuplet = std::make_shared<Tuplet>(actual, normal);
    tuplet->SetFirstNote(AddNote(bar, base));
    for (int i = 1; i < actual; ++i)
        AddNote(bar, base);
    bar.AddTuplet(tuplet);
    return tuplet;
}

inline void Lay(const std::shared_ptr<Score>& score, ScorePainter& painter, int first, int end)
{
    LayoutColumnState state;
    state.painter = &painter;
    state.score = score;
    state.firstBar = first;
    state.endBar = end;
    LayoutScore(state);
}

// The x of a time in the bar's rectangle, as the bar's own layout computes it.
inline int XOf(const Bar& bar, int time)
{
    return TimePositionMapper(bar.GetRect(), bar.GetPositionMap().get()).TimeToX(time);
}

}  // namespace quaverly::layout_test
