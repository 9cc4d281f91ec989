// Chord-note lists: membership marks, stacking order whatever the insertion order,
// placement above the owning note, extent, drawing and what can be hit.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/chord_note_list.h"
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

std::shared_ptr<Note> MakeChordNote(int pitch, int octave, int accidental = 0)
{
    auto note = std::make_shared<Note>();
    note->SetStyle(std::make_shared<ChordNoteStyle>());
    note->SetPitchCode(pitch);
    note->SetOctave(octave);
    note->SetAccidental(accidental);
    note->SetDuration(len::kEighth);
    return note;
}

// An owning note at origin (1000, 2000), position (50, 30).
std::shared_ptr<Note> MakeOwner()
{
    auto owner = std::make_shared<Note>();
    owner->SetPitchCode(2);
    owner->SetOrigin({1000, 2000});
    owner->SetPosition({50, 30});
    return owner;
}

// One step of the stack: a chord note's height and the chord interval.
constexpr int kStep = m::kNoteSize.cy + m::kChordNoteInterval;

TEST(ChordNoteListTest, StacksLowestFirstWhateverTheInsertionOrder)
{
    const std::array<std::shared_ptr<Note>, 3> notes = {
        MakeChordNote(3, 0),  // lowest: octave 0, pitch 3
        MakeChordNote(5, 0),  // octave 0, pitch 5
        MakeChordNote(2, 1),  // highest: octave 1, even with a lower pitch code
    };
    std::array<int, 3> order = {0, 1, 2};
    do {
        SCOPED_TRACE(testing::Message() << order[0] << order[1] << order[2]);
        auto owner = MakeOwner();
        const auto& list = owner->GetChordNotes();
        for (const int i : order)
            list->AddNote(notes[static_cast<std::size_t>(i)]);
        list->SortNotes();
        FakePainter painter;
        owner->Layout(painter);

        ASSERT_EQ(list->GetNotes().size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& note = list->GetNotes()[i];
            EXPECT_EQ(note, notes[i]);
            EXPECT_EQ(note->GetOrigin(), (Point{1050, 2030}));
            EXPECT_EQ(note->GetPosition(), (Point{0, -kStep * static_cast<int>(i + 1)}));
            EXPECT_EQ(note->GetParent(), list.get());
        }
        EXPECT_EQ(list->GetParent(), owner.get());
        for (const auto& note : notes)
            list->RemoveNote(note.get());
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(ChordNoteListTest, OctaveDotsBetweenTwoNotesWidenTheirStep)
{
    // Each step grows by the dots above the note below it (the owner's for the first
    // chord note) and the dots below the note itself; chord notes draw no underlines, so
    // an eighth's underlines take no room.
    struct Case {
        int ownerOctave;
        std::vector<int> chordOctaves;  // as they stack, lowest first
        std::vector<int> positions;     // y of each chord note's position
    };
    constexpr int d = m::kOctaveDotInterval;
    const Case cases[] = {
        {0, {0}, {-kStep}},
        {2, {0}, {-kStep - 2 * d}},
        {0, {-1}, {-kStep - d}},
        {1, {-2}, {-kStep - 3 * d}},
        {-3, {0}, {-kStep}},  // dots below the owner take no room here
        {0, {1, 2}, {-kStep, -2 * kStep - d}},
        {1, {-1, 1}, {-kStep - 2 * d, -2 * kStep - 2 * d}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "owner octave " << c.ownerOctave);
        auto owner = MakeOwner();
        owner->SetOctave(c.ownerOctave);
        std::vector<std::shared_ptr<Note>> notes;
        for (const int octave : c.chordOctaves) {
            notes.push_back(MakeChordNote(3, octave));
            owner->GetChordNotes()->AddNote(notes.back());
        }
        FakePainter painter;
        owner->Layout(painter);
        for (std::size_t i = 0; i < notes.size(); ++i)
            EXPECT_EQ(notes[i]->GetPosition(), (Point{0, c.positions[i]})) << "note " << i;
    }

    // Without an owning note the first step has only the chord note's own dots.
    ChordNoteList list;
    auto low = MakeChordNote(3, -1);
    list.AddNote(low);
    FakePainter painter;
    list.Layout(painter);
    EXPECT_EQ(low->GetPosition(), (Point{0, -kStep - d}));
    list.RemoveNote(low.get());
}

TEST(ChordNoteListTest, EqualNotesKeepTheirOrderAndOffsetsMoveThroughThePosition)
{
    ChordNoteList list;
    auto first = MakeChordNote(4, 0);
    auto second = MakeChordNote(4, 0, accidental_code::kSharp);
    list.AddNote(first);
    list.AddNote(second);
    list.SortNotes();
    EXPECT_EQ(list.GetNotes(), (std::vector<std::shared_ptr<Note>>{first, second}));

    second->SetOffset({10, -20});
    list.SetOrigin({300, 400});
    list.SetPosition({5, 6});
    FakePainter painter;
    list.Layout(painter);
    EXPECT_EQ(first->GetPosition(), (Point{0, -kStep}));
    EXPECT_EQ(second->GetPosition(), (Point{10, -2 * kStep - 20}));
    EXPECT_EQ(second->GetOrigin(), (Point{305, 406}));
    EXPECT_EQ(list.GetRect(), Rect{});

    // Extent: the widths side by side (the sharp adds its width), the tallest height.
    EXPECT_EQ(list.GetExtent(painter),
              (Rect{0, 0, 2 * m::kNoteSize.cx + m::kChordAccidentalSize.cx, m::kNoteSize.cy}));
    EXPECT_EQ(ChordNoteList().GetExtent(painter), Rect{});
}

TEST(ChordNoteListTest, MembershipFollowsTheListAndAnAbsentNoteIsLeftAlone)
{
    ChordNoteList list;
    auto member = MakeChordNote(3, 0);
    list.AddNote(nullptr);  // ignored
    list.AddNote(member);
    EXPECT_TRUE(member->IsChordMember());
    EXPECT_EQ(list.GetNotes().size(), 1u);

    // Removing a note that is not in the list changes nothing, not even its mark.
    auto stranger = MakeChordNote(5, 0);
    stranger->SetChordMember(true);
    list.RemoveNote(stranger.get());
    list.RemoveNote(nullptr);
    EXPECT_TRUE(stranger->IsChordMember());
    EXPECT_EQ(list.GetNotes().size(), 1u);

    list.RemoveNote(member.get());
    EXPECT_FALSE(member->IsChordMember());
    EXPECT_TRUE(list.GetNotes().empty());
    list.RemoveNote(member.get());  // a second removal does nothing
    EXPECT_FALSE(member->IsChordMember());
}

TEST(ChordNoteListTest, ARemovedNoteDrawsItsOwnUnderlinesAgain)
{
    auto owner = MakeOwner();
    auto note = MakeChordNote(3, 0);
    note->SetStyle(std::make_shared<NormalNoteStyle>());
    owner->GetChordNotes()->AddNote(note);
    FakePainter painter;
    owner->Layout(painter);
    painter.Clear();
    note->Draw(painter);
    EXPECT_EQ(painter.Count("DrawLegerLine"), 0);

    owner->GetChordNotes()->RemoveNote(note.get());
    painter.Clear();
    note->Draw(painter);
    EXPECT_EQ(painter.Count("DrawLegerLine"), 1);
}

TEST(ChordNoteListTest, DrawnWithTheOwnerAndNeverHit)
{
    auto owner = MakeOwner();
    owner->GetChordNotes()->AddNote(MakeChordNote(3, 0));
    owner->GetChordNotes()->AddNote(MakeChordNote(6, 0));
    FakePainter painter;
    owner->Layout(painter);
    painter.Clear();
    owner->Draw(painter);
    const auto chordNotes = painter.CallsNamed("DrawChordNote");
    ASSERT_EQ(chordNotes.size(), 2u);
    EXPECT_EQ(chordNotes[0].ints, (std::vector<int>{1050, 2030 - kStep, 3, 0}));
    EXPECT_EQ(chordNotes[1].ints, (std::vector<int>{1050, 2030 - 2 * kStep, 6, 0}));
    // Chord members draw no underlines although they are eighths.
    EXPECT_EQ(painter.Count("DrawChordLegerLine"), 0);

    const auto& list = owner->GetChordNotes();
    EXPECT_FALSE(list->HitTest(list->GetAbsolutePoint()));
    EXPECT_EQ(list->GetAxisMask(), drag_axis::kBoth);
}

}  // namespace
}  // namespace quaverly
