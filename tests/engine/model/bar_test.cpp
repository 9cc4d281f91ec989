// The bar's lists and its position map.
#include <memory>

#include <gtest/gtest.h>

#include "engine/model/bar.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/position_map.h"
#include "engine/model/tuplet.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

std::shared_ptr<Note> NoteAt(int start)
{
    auto note = CreateNote(pitch_code::kFirstDegree);
    note->SetStartTime(start);
    return note;
}

TEST(BarTest, IndexFromTheConstructor)
{
    EXPECT_EQ(Bar().GetIndex(), -1);
    EXPECT_EQ(Bar(7).GetIndex(), 7);
}

TEST(BarTest, ExtentComesFromThePositionMap)
{
    fakes::FakePainter painter;
    Bar bar;
    EXPECT_EQ(bar.GetExtent(painter), (Rect{0, 0, 0, 0})) << "no map yet";

    auto map = std::make_shared<PositionMap>();
    map->SetLeftMargin(200);
    map->SetRightMargin(100);
    map->AddSegment({0, 161280, 0, 900});
    map->AddExtraWidth(0, 50);
    bar.SetPositionMap(map);
    EXPECT_EQ(bar.GetPositionMap(), map);
    EXPECT_EQ(bar.GetExtent(painter), (Rect{0, 0, 1250, 0}));
}

TEST(BarTest, SetPositionMapReleasesThePreviousMap)
{
    Bar bar;
    auto first = std::make_shared<PositionMap>();
    std::weak_ptr<PositionMap> watch = first;
    bar.SetPositionMap(std::move(first));
    EXPECT_FALSE(watch.expired());
    bar.SetPositionMap(std::make_shared<PositionMap>());
    EXPECT_TRUE(watch.expired());
    bar.SetPositionMap(nullptr);
    EXPECT_EQ(bar.GetPositionMap(), nullptr);
}

TEST(BarTest, NotesSortStablyByStartAndRemoveByIdentity)
{
    Bar bar;
    auto late = NoteAt(161280);
    auto early = NoteAt(0);
    auto chordA = NoteAt(80640);
    auto chordB = NoteAt(80640);
    bar.AddNote(late);
    bar.AddNote(chordA);
    bar.AddNote(nullptr);
    bar.AddNote(early);
    bar.AddNote(chordB);
    bar.SortNotes();
    EXPECT_EQ(bar.GetNotes(), (std::vector<std::shared_ptr<Note>>{early, chordA, chordB, late}));

    const auto stranger = NoteAt(0);
    bar.RemoveNote(stranger.get());
    bar.RemoveNote(nullptr);
    EXPECT_EQ(bar.GetNotes().size(), 4u);
    bar.RemoveNote(chordA.get());
    EXPECT_EQ(bar.GetNotes(), (std::vector<std::shared_ptr<Note>>{early, chordB, late}));
}

TEST(BarTest, TupletsAppendWithTheirPositionAndRemoveByIdentity)
{
    Bar bar;
    auto first = std::make_shared<Tuplet>(3, 2);
    auto second = std::make_shared<Tuplet>(5, 4);
    EXPECT_EQ(bar.AddTuplet(first), 0);
    EXPECT_EQ(bar.AddTuplet(second), 1);
    EXPECT_EQ(bar.AddTuplet(nullptr), -1);
    bar.RemoveTuplet(nullptr);
    const Tuplet stranger;
    bar.RemoveTuplet(&stranger);
    EXPECT_EQ(bar.GetTuplets().size(), 2u);
    bar.RemoveTuplet(first.get());
    EXPECT_EQ(bar.GetTuplets(), (std::vector<std::shared_ptr<Tuplet>>{second}));
}

}  // namespace
}  // namespace quaverly
