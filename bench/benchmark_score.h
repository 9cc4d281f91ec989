// The score the layout benchmarks measure: 4 parts of N bars, each bar one of five
// patterns (quarters, eighths with accidentals, a triplet, sixteenths with lyrics, an
// empty bar) chosen by part and bar so that every column mixes them.
#pragma once

#include <memory>

#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/tie.h"
#include "engine/model/tuplet.h"

namespace bench {

inline constexpr int kParts = 4;

// Whether every fourth bar's first note is tied to the last note of the bar before.
enum class BarTies { None, EveryFourthBar };

inline std::shared_ptr<quaverly::Note> AddNote(quaverly::Bar& bar, int base, int pitch)
{
    auto note = quaverly::CreateNote(pitch);
    note->SetDuration(base);
    bar.AddNote(note);
    return note;
}

// One of the five bar patterns, chosen by part and bar.
inline void FillBar(quaverly::Bar& bar, int part, int index)
{
    namespace len = quaverly::note_length;
    const int pitch = 2 + (index + part) % 7;
    switch ((index + part) % 5) {
        case 0:
            for (int i = 0; i < 4; ++i)
                AddNote(bar, len::kQuarter, 2 + (pitch + i) % 7);
            break;
        case 1:
            for (int i = 0; i < 8; ++i)
                AddNote(bar, len::kEighth, pitch)->SetAccidental(i % 3 == 0 ? 1 : 0);
            break;
        case 2: {
            auto tuplet = std::make_shared<quaverly::Tuplet>(3, 2);
            tuplet->SetFirstNote(AddNote(bar, len::kEighth, pitch));
            AddNote(bar, len::kEighth, pitch);
            AddNote(bar, len::kEighth, pitch);
            bar.AddTuplet(tuplet);
            AddNote(bar, len::kQuarter, pitch);
            AddNote(bar, len::kHalf, pitch);
            break;
        }
        case 3:
            for (int i = 0; i < 16; ++i)
                AddNote(bar, len::k16th, 2 + i % 7)->SetLyricText(0, i % 2 == 0 ? u"yue" : u"a");
            break;
        default:
            break;  // an empty bar, spaced by its rests
    }
}

// Appends the kParts parts of `bars` bars to the score; its signatures are the caller's.
inline void AppendParts(quaverly::Score& score, int bars, BarTies ties)
{
    using namespace quaverly;
    for (int p = 0; p < kParts; ++p) {
        auto container = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        std::shared_ptr<Bar> previous;
        for (int b = 0; b < bars; ++b) {
            auto bar = std::make_shared<Bar>(b);
            FillBar(*bar, p, b);
            part->AppendChild(bar);
            if (ties == BarTies::EveryFourthBar && previous && b % 4 == 0 &&
                !previous->GetNotes().empty() && !bar->GetNotes().empty()) {
                auto tie = std::make_shared<Tie>();
                tie->SetStart({previous, previous->GetNotes().back()});
                tie->SetEnd({bar, bar->GetNotes().front()});
                previous->GetNotes().back()->SetTiedTo(bar->GetNotes().front().get());
                bar->GetNotes().front()->SetTiedFrom(previous->GetNotes().back().get());
                part->AddTie(tie);
            }
            previous = bar;
        }
        container->AppendChild(part);
        score.AppendChild(container);
    }
}

}  // namespace bench
