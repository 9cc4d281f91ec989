// Grace-note lists: order of the notes, placement before and after the owning note,
// the shared underlines of short grace notes, the mark under them and what can be hit.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/beam_group.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
namespace m = fakes::fake_metrics;
namespace len = note_length;

struct GraceSpec {
    int base = len::kEighth;
    int accidental = 0;
    int octave = 0;
};

std::shared_ptr<Note> MakeGrace(const GraceSpec& spec, int start = 0)
{
    auto note = std::make_shared<Note>();
    note->SetStyle(std::make_shared<GraceNoteStyle>());
    note->SetPitchCode(4);
    note->SetDuration(spec.base);
    note->SetAccidental(spec.accidental);
    note->SetOctave(spec.octave);
    note->SetStartTime(start);
    return note;
}

// An owning note at origin (1000, 2000), position (50, 30): its lists get the origin
// (1050, 2030).
std::shared_ptr<Note> MakeOwner()
{
    auto owner = std::make_shared<Note>();
    owner->SetPitchCode(5);
    owner->SetOrigin({1000, 2000});
    owner->SetPosition({50, 30});
    return owner;
}

constexpr Point kListOrigin{1050, 2030};
constexpr int kGraceW = m::kGraceNoteSize.cx;  // 84
constexpr int kGraceH = m::kGraceNoteSize.cy;  // 168
constexpr int kB = m::kGraceNoteInterval;      // 30
constexpr int kMarkH = m::kSmallMarkSize.cy;   // 100
constexpr int kAccW = m::kGraceAccidentalSize.cx;

TEST(GraceNoteListTest, PlacesNotesAndItselfBeforeOrAfterTheOwner)
{
    struct Case {
        std::string name;
        GraceSide side;
        std::vector<GraceSpec> notes;
        Point listPosition;
        std::vector<int> noteX;  // positions; y is always 0
        Rect rect;
    };
    // y of the list: half the owner's height, minus the grace note, the mark and the
    // depth below the grace notes.
    constexpr int kTop = m::kNoteSize.cy / 2 - kGraceH - kMarkH;
    const std::vector<Case> cases = {
        {"one before: ends 50 left of the owner",
         GraceSide::kBefore,
         {{len::kQuarter}},
         {-kGraceW - 50, kTop},
         {0},
         {0, kGraceH, kGraceW, kGraceH + kMarkH}},
        {"two before: the last ends 50 plus one interval left",
         GraceSide::kBefore,
         {{len::kQuarter}, {len::kQuarter}},
         {-2 * (kGraceW + kB) - 50, kTop},
         {0, kGraceW + kB},
         {0, kGraceH, 2 * (kGraceW + kB), kGraceH + kMarkH}},
        {"one before with an accidental: the symbol still ends 50 left",
         GraceSide::kBefore,
         {{len::kQuarter, accidental_code::kSharp}},
         {-(kAccW + kGraceW) - 50, kTop},
         {kAccW},
         {0, kGraceH, kAccW + kGraceW, kGraceH + kMarkH}},
        {"an eighth lowers the mark by its underline",
         GraceSide::kBefore,
         {{len::kEighth}},
         {-kGraceW - 50, kTop - m::kGraceLegerInterval},
         {0},
         {0, m::kGraceLegerInterval + kGraceH, kGraceW,
          m::kGraceLegerInterval + kGraceH + kMarkH}},
        {"octave dots below count too, the deepest note decides",
         GraceSide::kBefore,
         {{len::kQuarter, 0, -2}, {len::k16th}},
         {-2 * (kGraceW + kB) - 50, kTop - 2 * m::kGraceOctaveDotInterval},
         {0, kGraceW + kB},
         {0, 2 * m::kGraceOctaveDotInterval + kGraceH, 2 * (kGraceW + kB),
          2 * m::kGraceOctaveDotInterval + kGraceH + kMarkH}},
        {"two after: at the owner's height to the right, the interval kept",
         GraceSide::kAfter,
         {{len::kQuarter}, {len::kQuarter, accidental_code::kFlat}},
         {m::kNoteSize.cy, kTop},
         {0, kGraceW + kB + kAccW},
         {0, kGraceH, 2 * (kGraceW + kB) + kAccW, kGraceH + kMarkH}},
        {"one after",
         GraceSide::kAfter,
         {{len::kQuarter}},
         {m::kNoteSize.cy, kTop},
         {0},
         {0, kGraceH, kGraceW + kB, kGraceH + kMarkH}},
        {"empty before",
         GraceSide::kBefore,
         {},
         {-50, kTop},
         {},
         {0, kGraceH, 0, kGraceH + kMarkH}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto owner = MakeOwner();
        const auto& list =
            c.side == GraceSide::kBefore ? owner->GetGraceListA() : owner->GetGraceListB();
        EXPECT_EQ(list->GetSide(), c.side);
        for (const GraceSpec& spec : c.notes)
            list->AddNote(MakeGrace(spec));
        FakePainter painter;
        owner->Layout(painter);

        EXPECT_EQ(list->GetPosition(), c.listPosition);
        EXPECT_EQ(list->GetOrigin(), kListOrigin);
        EXPECT_EQ(list->GetRect(), c.rect);
        EXPECT_EQ(list->GetParent(), owner.get());
        ASSERT_EQ(list->GetNotes().size(), c.noteX.size());
        const Point placed = OffsetPoint(kListOrigin, c.listPosition);
        for (std::size_t i = 0; i < c.noteX.size(); ++i) {
            const auto& note = list->GetNotes()[i];
            EXPECT_EQ(note->GetPosition(), (Point{c.noteX[i], 0}));
            EXPECT_EQ(note->GetOrigin(), placed);
            EXPECT_EQ(note->GetParent(), list.get());
        }
    }
}

TEST(GraceNoteListTest, TheListsOffsetCarriesItsNotesWhereverItIsPlaced)
{
    auto owner = MakeOwner();
    const auto& list = owner->GetGraceListA();
    auto grace = MakeGrace({len::kEighth});
    list->AddNote(grace);
    list->SetOffset({-40, 0});
    FakePainter painter;
    owner->Layout(painter);
    const Point placed = list->GetAbsolutePoint();
    EXPECT_EQ(grace->GetOrigin(), placed);
    EXPECT_EQ(list->GetBeamGroup()->GetOrigin(), placed);

    // Moving the owner without a new layout keeps the notes with the list.
    owner->SetPosition({150, 30});
    EXPECT_EQ(grace->GetOrigin(), list->GetAbsolutePoint());
    EXPECT_EQ(list->GetBeamGroup()->GetOrigin(), list->GetAbsolutePoint());
}

TEST(GraceNoteListTest, ShortGraceNotesShareUnderlinesAndTheMarkIsDrawnUnderThem)
{
    for (const GraceSide side : {GraceSide::kBefore, GraceSide::kAfter}) {
        SCOPED_TRACE(side == GraceSide::kBefore ? "before" : "after");
        auto owner = MakeOwner();
        const auto& list =
            side == GraceSide::kBefore ? owner->GetGraceListA() : owner->GetGraceListB();
        auto first = MakeGrace({len::k16th});
        auto quarter = MakeGrace({len::kQuarter});
        auto last = MakeGrace({len::kEighth});
        list->AddNote(first);
        list->AddNote(quarter);
        list->AddNote(last);
        FakePainter painter;
        owner->Layout(painter);

        EXPECT_EQ(list->GetBeamGroup()->GetNotes(),
                  (std::vector<std::shared_ptr<Note>>{first, last}));
        EXPECT_TRUE(first->IsBeamed());
        EXPECT_FALSE(quarter->IsBeamed());
        EXPECT_EQ(list->GetBeamGroup()->GetParent(), list.get());

        // Laid out again: the group is refilled, not doubled.
        owner->Layout(painter);
        EXPECT_EQ(list->GetBeamGroup()->GetNotes().size(), 2u);

        painter.Clear();
        list->Draw(painter);
        std::vector<std::string> names;
        for (const PainterCall& call : painter.DrawCalls())
            names.push_back(call.name);
        const std::string mark = side == GraceSide::kBefore ? "DrawCommaMark" : "DrawDashMark";
        // Three grace notes, each its symbol (no accidental) but no underlines of its
        // own; the shared underlines (one at the first level, one at the second under the
        // 16th); the mark.
        EXPECT_EQ(names, (std::vector<std::string>{"DrawGraceNote", "DrawGraceNote",
                                                   "DrawGraceNote", "DrawGraceLegerLine",
                                                   "DrawGraceLegerLine", mark}));
        const Rect strip = list->GetRect().Moved(list->GetAbsolutePoint());
        EXPECT_EQ(painter.DrawCalls().back().ints,
                  (std::vector<int>{strip.left, strip.top, strip.right, strip.bottom,
                                    color_index::kNormal}));
    }
}

TEST(GraceNoteListTest, AnEmptyListDrawsNothingAndCannotBeHit)
{
    auto owner = MakeOwner();
    FakePainter painter;
    owner->Layout(painter);
    const auto& list = owner->GetGraceListA();
    painter.Clear();
    list->Draw(painter);
    EXPECT_TRUE(painter.DrawCalls().empty());
    EXPECT_EQ(list->GetRect().Width(), 0);
    const Rect strip = list->GetRect().Moved(list->GetAbsolutePoint());
    EXPECT_FALSE(list->HitTest({strip.left, strip.top}));

    list->AddNote(MakeGrace({len::kQuarter}));
    owner->Layout(painter);
    const Rect filled = list->GetRect().Moved(list->GetAbsolutePoint());
    EXPECT_TRUE(list->HitTest({filled.left, filled.top}));
    EXPECT_TRUE(list->HitTest({filled.right, filled.bottom}));
    EXPECT_FALSE(list->HitTest({filled.right + 1, filled.bottom}));
}

TEST(GraceNoteListTest, ExtentAddsNotesAndIntervalsAndTheMarkHeight)
{
    GraceNoteList list(GraceSide::kBefore);
    FakePainter painter;
    EXPECT_EQ(list.GetExtent(painter), (Rect{0, 0, 0, kMarkH}));
    list.AddNote(MakeGrace({len::kEighth, accidental_code::kSharp}));
    list.AddNote(MakeGrace({len::kEighth}));
    EXPECT_EQ(list.GetExtent(painter),
              (Rect{0, 0, kAccW + kGraceW + kB + kGraceW + kB, kGraceH + kMarkH}));
}

TEST(GraceNoteListTest, SortsStablyOnStartTimeAndRemovesTheFirstEntry)
{
    GraceNoteList list(GraceSide::kAfter);
    EXPECT_EQ(list.GetAxisMask(), drag_axis::kX);
    auto late = MakeGrace({}, 200);
    auto early = MakeGrace({}, 100);
    auto alsoEarly = MakeGrace({}, 100);
    list.AddNote(late);
    list.AddNote(nullptr);  // ignored
    list.AddNote(early);
    list.AddNote(alsoEarly);
    EXPECT_EQ(list.GetNotes(), (std::vector<std::shared_ptr<Note>>{late, early, alsoEarly}));
    list.SortNotes();
    EXPECT_EQ(list.GetNotes(), (std::vector<std::shared_ptr<Note>>{early, alsoEarly, late}));

    list.RemoveNote(alsoEarly.get());
    list.RemoveNote(nullptr);
    Note stranger;
    list.RemoveNote(&stranger);
    EXPECT_EQ(list.GetNotes(), (std::vector<std::shared_ptr<Note>>{early, late}));
}

}  // namespace
}  // namespace quaverly
