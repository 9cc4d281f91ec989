// Beam groups: which shared underlines a run of notes gets, where they are drawn, and
// how the group sets and clears its notes' beamed flags.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/beam_group.h"
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

using Segment = BeamGroup::Segment;

}  // namespace

// Readable failure messages.
void PrintTo(const BeamGroup::Segment& s, std::ostream* os)
{
    *os << "(" << s.start.x << "," << s.start.y << ")-(" << s.end.x << "," << s.end.y << ")";
}

namespace {

// A note of the given base length placed at `position`, its origin at (0, 0).
std::shared_ptr<Note> PlacedNote(int base, Point position, int dots = 0)
{
    auto note = std::make_shared<Note>();
    note->SetPitchCode(3);
    note->SetDuration(base);
    note->SetDots(dots);
    note->SetPosition(position);
    return note;
}

// The y of the underline of level k (1 eighth, 2 16th ...) below a note at y 0.
constexpr int Level(int k)
{
    return m::kNoteSize.cy + k * m::kLegerInterval;
}

constexpr int kW = m::kNoteSize.cx;

struct SegmentCase {
    std::string name;
    std::vector<int> bases;
    std::vector<int> dots;  // empty: no dots
    std::vector<Segment> expected;
};

TEST(BeamGroupTest, SegmentsFollowRunsAndLevels)
{
    const std::vector<SegmentCase> cases = {
        {"four eighths", {len::kEighth, len::kEighth, len::kEighth, len::kEighth}, {},
         {{{0, Level(1)}, {600 + kW, Level(1)}}}},
        {"eighth 16th 16th eighth", {len::kEighth, len::k16th, len::k16th, len::kEighth}, {},
         {{{0, Level(1)}, {600 + kW, Level(1)}}, {{200, Level(2)}, {400 + kW, Level(2)}}}},
        {"eighth quarter eighth: one segment under each eighth",
         {len::kEighth, len::kQuarter, len::kEighth}, {},
         {{{0, Level(1)}, {kW, Level(1)}}, {{400, Level(1)}, {400 + kW, Level(1)}}}},
        {"16th 16th eighth: the second level under the first two only",
         {len::k16th, len::k16th, len::kEighth}, {},
         {{{0, Level(1)}, {400 + kW, Level(1)}}, {{0, Level(2)}, {200 + kW, Level(2)}}}},
        {"dotted eighth and 16th: only the base length counts",
         {len::kEighth, len::k16th}, {1, 0},
         {{{0, Level(1)}, {200 + kW, Level(1)}}, {{200, Level(2)}, {200 + kW, Level(2)}}}},
        {"a single 128th gets all five levels", {len::k128th}, {},
         {{{0, Level(1)}, {kW, Level(1)}},
          {{0, Level(2)}, {kW, Level(2)}},
          {{0, Level(3)}, {kW, Level(3)}},
          {{0, Level(4)}, {kW, Level(4)}},
          {{0, Level(5)}, {kW, Level(5)}}}},
        {"quarters and longer get nothing", {len::kQuarter, len::kHalf}, {}, {}},
        {"a note without a length ends a run like a long one", {len::kEighth, 0, len::kEighth},
         {},
         {{{0, Level(1)}, {kW, Level(1)}}, {{400, Level(1)}, {400 + kW, Level(1)}}}},
        {"no notes", {}, {}, {}},
    };
    for (const SegmentCase& c : cases) {
        SCOPED_TRACE(c.name);
        BeamGroup group;
        for (std::size_t i = 0; i < c.bases.size(); ++i) {
            const int dots = c.dots.empty() ? 0 : c.dots[i];
            group.AddNote(PlacedNote(c.bases[i], {static_cast<int>(i) * 200, 0}, dots));
        }
        FakePainter painter;
        group.Layout(painter);
        EXPECT_EQ(group.GetSegments(), c.expected);
    }
}

TEST(BeamGroupTest, SegmentsStartAtTheFirstNotesHeightAndSizeWithTheStyle)
{
    BeamGroup group;
    group.SetStyle(std::make_shared<GraceNoteStyle>());
    group.SetStyle(nullptr);  // ignored
    group.AddNote(PlacedNote(len::k16th, {10, 30}));
    group.AddNote(PlacedNote(len::k16th, {150, -20}));
    FakePainter painter;
    group.Layout(painter);

    const int below1 = m::kGraceNoteSize.cy + m::kGraceLegerInterval;
    const int below2 = m::kGraceNoteSize.cy + 2 * m::kGraceLegerInterval;
    const int right = 150 + m::kGraceNoteSize.cx;
    EXPECT_EQ(group.GetSegments(),
              (std::vector<Segment>{{{10, 30 + below1}, {right, -20 + below1}},
                                    {{10, 30 + below2}, {right, -20 + below2}}}));
}

TEST(BeamGroupTest, LayingOutAgainRecomputesInsteadOfAdding)
{
    BeamGroup group;
    auto first = PlacedNote(len::kEighth, {0, 0});
    group.AddNote(first);
    group.AddNote(PlacedNote(len::kEighth, {200, 0}));
    FakePainter painter;
    group.Layout(painter);
    first->SetPosition({-100, 0});
    group.Layout(painter);
    EXPECT_EQ(group.GetSegments(),
              (std::vector<Segment>{{{-100, Level(1)}, {200 + kW, Level(1)}}}));
}

TEST(BeamGroupTest, DrawsEachSegmentMovedByTheGroupsPlaceAndNotTheNotes)
{
    BeamGroup group;
    group.AddNote(PlacedNote(len::kEighth, {0, 0}));
    group.AddNote(PlacedNote(len::k16th, {200, 0}));
    group.SetOrigin({1000, 2000});
    group.SetPosition({10, 20});
    group.SetOffset({1, 2});
    FakePainter painter;
    group.Layout(painter);
    group.Select();
    painter.Clear();
    group.Draw(painter);

    const int x = 1011;
    const int y = 2022;
    EXPECT_EQ(painter.DrawCalls(),
              (std::vector<PainterCall>{
                  {"DrawLegerLine", {x, y + Level(1), 200 + kW, color_index::kSelected}, u""},
                  {"DrawLegerLine", {x + 200, y + Level(2), kW, color_index::kSelected}, u""}}));

    BeamGroup grace;
    grace.SetStyle(std::make_shared<GraceNoteStyle>());
    grace.AddNote(PlacedNote(len::kEighth, {0, 0}));
    grace.Layout(painter);
    painter.Clear();
    grace.Draw(painter);
    EXPECT_EQ(painter.Names(), (std::vector<std::string>{"DrawGraceLegerLine"}));
}

TEST(BeamGroupTest, BeamedFlagsAreSetByAddingAndClearedOnlyByDestruction)
{
    auto kept = PlacedNote(len::kEighth, {0, 0});
    auto released = PlacedNote(len::kEighth, {200, 0});
    {
        BeamGroup group;
        group.AddNote(nullptr);  // ignored
        group.AddNote(released);
        EXPECT_TRUE(released->IsBeamed());
        FakePainter painter;
        group.Layout(painter);

        // Emptying leaves the flag so the owner can refill the group at once.
        group.ClearChildren();
        EXPECT_TRUE(group.GetNotes().empty());
        EXPECT_TRUE(group.GetSegments().empty());
        EXPECT_TRUE(released->IsBeamed());

        group.AddNote(kept);
        EXPECT_EQ(group.GetNotes().size(), 1u);
    }
    // The destroyed group releases what it still held.
    EXPECT_FALSE(kept->IsBeamed());
    EXPECT_TRUE(released->IsBeamed());
}

TEST(BeamGroupTest, ABeamedNoteDrawsNoUnderlinesOfItsOwnWhileTheGroupDrawsThem)
{
    auto note = PlacedNote(len::k16th, {0, 0});
    FakePainter painter;
    note->Layout(painter);
    auto group = std::make_shared<BeamGroup>();
    group->AddNote(note);
    group->Layout(painter);

    painter.Clear();
    note->Draw(painter);
    EXPECT_EQ(painter.Count("DrawLegerLine"), 0);
    painter.Clear();
    group->Draw(painter);
    EXPECT_EQ(painter.Count("DrawLegerLine"), 2);

    group.reset();
    painter.Clear();
    note->Draw(painter);
    EXPECT_EQ(painter.Count("DrawLegerLine"), 2);
}

}  // namespace
}  // namespace quaverly
