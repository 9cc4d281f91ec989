// Beam grouping: which short notes of a bar share their underlines, cut at the beats of
// the meter, and the bar's rebuild of its groups.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/bar.h"
#include "engine/model/beam_group.h"
#include "engine/model/beat_grouping.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/position_map.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
namespace len = note_length;

// One note of a sequence: its base length and dots, a rest or not, tuplet counts.
struct Item {
    int base;
    int dots = 0;
    bool rest = false;
    int actual = 0;
    int normal = 0;
};

// The notes of the items, one after the other from time 0.
std::vector<std::shared_ptr<Note>> Sequence(const std::vector<Item>& items)
{
    std::vector<std::shared_ptr<Note>> notes;
    int time = 0;
    for (const Item& item : items) {
        auto note = CreateNote(item.rest ? pitch_code::kRest : pitch_code::kFirstDegree + 2);
        note->SetDuration(item.base);
        note->SetDots(item.dots);
        note->SetTupletActual(item.actual);
        note->SetTupletNormal(item.normal);
        note->SetStartTime(time);
        time += GetNoteDuration(note.get());
        notes.push_back(note);
    }
    return notes;
}

// The groups as lists of note indices.
std::vector<std::vector<int>> Indices(const std::vector<std::shared_ptr<BeamGroup>>& groups,
                                      const std::vector<std::shared_ptr<Note>>& notes)
{
    std::vector<std::vector<int>> result;
    for (const auto& group : groups) {
        std::vector<int> indices;
        for (const auto& member : group->GetNotes()) {
            for (std::size_t i = 0; i < notes.size(); ++i) {
                if (notes[i] == member)
                    indices.push_back(static_cast<int>(i));
            }
        }
        result.push_back(indices);
    }
    return result;
}

struct BeamCase {
    const char* name;
    int beatType;
    std::vector<Item> items;
    std::vector<std::vector<int>> groups;
    std::vector<int> segments;  // underline segments of each group after its layout
};

TEST(BeamGroupingTest, ShortNotesShareUnderlinesWithinABeat)
{
    const int e = len::kEighth;
    const int s = len::k16th;
    const int q = len::kQuarter;
    const BeamCase cases[] = {
        // 4/4
        {"4/4: four eighths, two beats", 4, {{e}, {e}, {e}, {e}}, {{0, 1}, {2, 3}}, {1, 1}},
        {"4/4: eighth, quarter, eighths", 4, {{e}, {q}, {e}, {e}, {e}}, {{3, 4}}, {1}},
        {"4/4: two 16ths and an eighth", 4, {{s}, {s}, {e}}, {{0, 1, 2}}, {2}},
        {"4/4: eighth and 16ths over three beats", 4,
         {{e}, {s}, {s}, {e}, {s}, {s}, {s}, {s}},
         {{0, 1, 2}, {3, 4, 5}, {6, 7}},
         {2, 2, 2}},
        {"4/4: 16th, eighth, 16th", 4, {{s}, {e}, {s}}, {{0, 1, 2}}, {3}},
        {"4/4: dotted eighth and 16th", 4, {{e, 1}, {s}}, {{0, 1}}, {2}},
        {"4/4: eight 16ths cut at the beat", 4, {{s}, {s}, {s}, {s}, {s}, {s}, {s}, {s}},
         {{0, 1, 2, 3}, {4, 5, 6, 7}},
         {2, 2}},
        {"4/4: an eighth rest is grouped like a note", 4, {{e, 0, true}, {e}}, {{0, 1}}, {1}},
        {"4/4: triplet eighths", 4, {{e, 0, false, 3, 2}, {e, 0, false, 3, 2}, {e, 0, false, 3, 2}},
         {{0, 1, 2}},
         {1}},
        {"4/4: a lone eighth gets no group", 4, {{e}, {q}, {q, 1}}, {}, {}},
        {"4/4: no notes", 4, {}, {}, {}},
        // 2/4
        {"2/4: four eighths", 4, {{e}, {e}, {e}, {e}}, {{0, 1}, {2, 3}}, {1, 1}},
        {"2/4: four 16ths and two eighths", 4, {{s}, {s}, {s}, {s}, {e}, {e}},
         {{0, 1, 2, 3}, {4, 5}},
         {2, 1}},
        {"2/4: eighth, four 16ths, eighth", 4, {{e}, {s}, {s}, {s}, {s}, {e}},
         {{0, 1, 2}, {3, 4, 5}},
         {2, 2}},
        // 6/8: every eighth is a beat of its own
        {"6/8: six eighths stay apart", 8, {{e}, {e}, {e}, {e}, {e}, {e}}, {}, {}},
        {"6/8: 16th pairs within their eighth", 8, {{s}, {s}, {e}, {s}, {s}, {e}},
         {{0, 1}, {3, 4}},
         {2, 2}},
        {"6/8: a 16th pair, then 32nds", 8,
         {{s}, {s}, {len::k32nd}, {len::k32nd}, {len::k32nd}, {len::k32nd}},
         {{0, 1}, {2, 3, 4, 5}},
         {2, 3}},
        // No usable beat: nothing is grouped.
        {"beat type 0", 0, {{e}, {e}}, {}, {}},
        {"negative beat type", -8, {{e}, {e}}, {}, {}},
    };
    for (const BeamCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto notes = Sequence(c.items);
        BeatGrouping grouping;
        grouping.SetMeter(6, c.beatType);  // the beat count plays no part
        const auto groups = grouping.GroupBeams(notes);
        EXPECT_EQ(Indices(groups, notes), c.groups);
        ASSERT_EQ(groups.size(), c.segments.size());
        FakePainter painter;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            groups[i]->Layout(painter);
            EXPECT_EQ(static_cast<int>(groups[i]->GetSegments().size()), c.segments[i]) << "group " << i;
            for (const auto& note : groups[i]->GetNotes())
                EXPECT_TRUE(note->IsBeamed());
        }
    }
}

TEST(BeamGroupingTest, BarRebuildsItsGroupsByTheMeterOfItsMap)
{
    const int e = len::kEighth;
    Bar bar;
    const auto notes = Sequence({{e}, {e}, {e}, {e}});
    for (const auto& note : notes)
        bar.AddNote(note);

    bar.RebuildBeamGroups();  // no map: 4/4
    EXPECT_EQ(Indices(bar.GetBeamGroups(), notes), (std::vector<std::vector<int>>{{0, 1}, {2, 3}}));
    ASSERT_EQ(bar.GetBeamGroups().size(), 2u);
    const std::shared_ptr<BeamGroup> held = bar.GetBeamGroups()[0];

    auto map = std::make_shared<PositionMap>();
    map->SetMeter(6, 8);
    bar.SetPositionMap(map);
    bar.RebuildBeamGroups();
    EXPECT_TRUE(bar.GetBeamGroups().empty());
    for (const auto& note : notes)
        EXPECT_FALSE(note->IsBeamed());
    EXPECT_TRUE(held->GetNotes().empty()) << "a released group lets go of its notes";

    map->SetMeter(2, 2);
    bar.RebuildBeamGroups();
    EXPECT_EQ(Indices(bar.GetBeamGroups(), notes), (std::vector<std::vector<int>>{{0, 1, 2, 3}}));
    for (const auto& note : notes)
        EXPECT_TRUE(note->IsBeamed());
}

TEST(BeamGroupingTest, AReleasedGroupStillHeldNeverClearsTheNewGroupsFlags)
{
    const int e = len::kEighth;
    Bar bar;
    const auto notes = Sequence({{e}, {e}});
    for (const auto& note : notes)
        bar.AddNote(note);
    bar.RebuildBeamGroups();
    ASSERT_EQ(bar.GetBeamGroups().size(), 1u);
    std::shared_ptr<BeamGroup> held = bar.GetBeamGroups()[0];
    bar.RebuildBeamGroups();
    ASSERT_EQ(bar.GetBeamGroups().size(), 1u);
    held.reset();  // the old group goes now
    for (const auto& note : notes)
        EXPECT_TRUE(note->IsBeamed());
}

}  // namespace
}  // namespace quaverly
