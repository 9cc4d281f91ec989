// Editing the selected notes through the exported factory: pitch, value, octave, dots
// and accidental (one undo step per note, rests left alone but for the pitch), tuplets
// on runs of notes, ties to the next note of the same pitch, and the note size.
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/chord_note_list.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note_style.h"
#include "engine/model/rest.h"
#include "engine/model/tuplet.h"
#include "tests/engine/editor/editor_ops_fixture.h"

namespace quaverly {
namespace {

using Codes = std::vector<int>;
constexpr int kQuarter = note_length::kQuarter;
constexpr int kEighth = note_length::kEighth;

class EditorNoteEditTest : public editor_test::EditorOpsFixture {
protected:
    // Bar 0 holds 1, a rest and 5 (quarters), all three selected.
    void SelectedRow()
    {
        NewScore();
        CursorOnBar(0);
        TypeAll({2, 1, 6});
        for (std::size_t i = 0; i < 3; ++i)
            NoteAt(0, i)->Select();
        listener.codes.clear();
    }
};

TEST_F(EditorNoteEditTest, FieldSettersChangeEveryNoteButTheRestsOneUndoStepEach)
{
    struct Case {
        const char* name;
        std::function<void(api::ScoreEditor&)> set;
        std::function<int(const Note&)> read;
        int before;
        int after;
    };
    const Case cases[] = {
        {"octave", [](api::ScoreEditor& e) { e.SetOctave(2); },
         [](const Note& n) { return n.GetOctave(); }, 0, 2},
        {"value", [](api::ScoreEditor& e) { e.SetNoteValue(kEighth); },
         [](const Note& n) { return n.GetDuration(); }, kQuarter, kEighth},
        {"dots", [](api::ScoreEditor& e) { e.SetDots(2); },
         [](const Note& n) { return n.GetDots(); }, 0, 2},
        {"accidental", [](api::ScoreEditor& e) { e.SetAccidental(-1); },
         [](const Note& n) { return n.GetAccidental(); }, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SelectedRow();
        const std::size_t steps = Editor().history.UndoCount();
        c.set(*handle);
        EXPECT_EQ(Notices(), (Codes{3, 1}));
        Run();
        EXPECT_EQ(c.read(*NoteAt(0, 0)), c.after);
        EXPECT_EQ(c.read(*NoteAt(0, 1)), c.before);  // the rest
        EXPECT_EQ(c.read(*NoteAt(0, 2)), c.after);
        EXPECT_EQ(Editor().history.UndoCount(), steps + 2);
        handle->Undo();
        Run();
        EXPECT_EQ(c.read(*NoteAt(0, 0)), c.after);
        EXPECT_EQ(c.read(*NoteAt(0, 2)), c.before);
    }
}

TEST_F(EditorNoteEditTest, SettersWithoutASelectionOrWithABadValueDoNothing)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3});
    handle->SetOctave(1);
    handle->SetNotePitch(5);
    handle->MakeTuplet(3, 2);  // at the cursor: past the notes, no note there
    handle->ShrinkNote();
    EXPECT_TRUE(listener.codes.empty());
    NoteAt(0, 0)->Select();
    listener.codes.clear();
    handle->SetNoteValue(0);
    handle->SetNotePitch(9);   // the dash is no note
    handle->MakeTuplet(0, 2);
    EXPECT_TRUE(listener.codes.empty());
    Run();
    EXPECT_EQ(NoteAt(0, 0)->GetDuration(), kQuarter);
    EXPECT_EQ(CodesOf(0), (Codes{2, 3}));
}

TEST_F(EditorNoteEditTest, APitchChangeReplacesARestByANoteAndBack)
{
    SelectedRow();
    handle->SetNotePitch(4);
    EXPECT_EQ(Notices(), (Codes{3, 1}));
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{4, 4, 4}));
    const auto former = NoteAt(0, 1);
    EXPECT_EQ(std::dynamic_pointer_cast<Rest>(former), nullptr);
    EXPECT_EQ(former->GetState(), element_state::kSelected);
    EXPECT_EQ(GetNoteDuration(former.get()), kQuarter);

    handle->SetNotePitch(1);
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{1, 1, 1}));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NE(std::dynamic_pointer_cast<Rest>(NoteAt(0, i)), nullptr);

    // Three notes, three steps: undone they give back the very same notes.
    for (int i = 0; i < 3; ++i)
        handle->Undo();
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{4, 4, 4}));
    EXPECT_EQ(NoteAt(0, 1), former);
}

TEST_F(EditorNoteEditTest, ATieOnARestGoesAndComesBackWithTheNote)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 2});
    NoteAt(0, 0)->Select();
    handle->ToggleTie();
    Run();
    ASSERT_EQ(PartAt(0)->GetTies().size(), 1u);
    handle->SetNotePitch(1);  // the tied note becomes a rest: the tie goes
    Run();
    EXPECT_TRUE(PartAt(0)->GetTies().empty());
    EXPECT_EQ(NoteAt(0, 1)->GetTiedFrom(), nullptr);
    handle->Undo();
    Run();
    ASSERT_EQ(PartAt(0)->GetTies().size(), 1u);
    EXPECT_EQ(NoteAt(0, 0)->GetTiedTo(), NoteAt(0, 1).get());
}

TEST_F(EditorNoteEditTest, TupletsStartAtEachRunOfSelectedNotes)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3, 4, 5, 6, 7}, kEighth);
    // Two runs: notes 0-2 and note 4.
    for (const std::size_t i : {0u, 1u, 2u, 4u})
        NoteAt(0, i)->Select();
    listener.codes.clear();
    handle->MakeTuplet(3, 2);
    EXPECT_EQ(Notices(), (Codes{3, 1}));
    Run();
    const auto& tuplets = BarAt(0)->GetTuplets();
    ASSERT_EQ(tuplets.size(), 2u);
    EXPECT_EQ(tuplets[0]->GetFirstNote(), NoteAt(0, 0));
    EXPECT_EQ(tuplets[1]->GetFirstNote(), NoteAt(0, 4));
    EXPECT_EQ(tuplets[0]->GetActualCount(), 3);
    EXPECT_EQ(tuplets[0]->GetNormalCount(), 2);
    EXPECT_EQ(GetNoteDuration(NoteAt(0, 1).get()), 53760);  // a triplet eighth

    handle->Undo();
    Run();
    ASSERT_EQ(BarAt(0)->GetTuplets().size(), 1u);
    // The notes the undone tuplet held are plain eighths again; the others keep theirs.
    EXPECT_EQ(GetNoteDuration(NoteAt(0, 4).get()), kEighth);
    EXPECT_EQ(GetNoteDuration(NoteAt(0, 1).get()), 53760);

    // Without a selection the tuplet starts at the note at the cursor.
    handle->Undo();
    Run();
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(NoteAt(0, i)->GetTupletActual(), 0) << i;
    EXPECT_EQ(NoteAt(0, 5)->GetStartTime(), 5 * kEighth);
    handle->Redo();
    Run();
    EXPECT_EQ(GetNoteDuration(NoteAt(0, 1).get()), 53760);
    handle->Undo();
    Run();
    EXPECT_EQ(GetNoteDuration(NoteAt(0, 1).get()), kEighth);
    Editor().ClearSelectedElements();
    CursorOnBar(0, 3 * kEighth);
    handle->MakeTuplet(3, 2);
    Run();
    ASSERT_EQ(BarAt(0)->GetTuplets().size(), 1u);
    EXPECT_EQ(BarAt(0)->GetTuplets()[0]->GetFirstNote(), NoteAt(0, 3));
}

TEST_F(EditorNoteEditTest, ATieJoinsTheNextNoteOfTheSamePitchAndTogglesOff)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3, 4, 6});
    Type(6);  // bar 1 starts with the same 5
    Type(2);
    struct Case {
        const char* name;
        int bar;
        std::size_t index;  // the note ties to the note after it
        bool tied;
    };
    const Case cases[] = {
        {"over the barline", 0, 3, true},
        {"to another pitch: nothing", 0, 0, false},
        {"the last note: nothing", 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor().ClearSelectedElements();
        const auto note = NoteAt(c.bar, c.index);
        note->Select();
        listener.codes.clear();
        handle->ToggleTie();
        EXPECT_EQ(listener.codes, (c.tied ? Codes{3, 1} : Codes{}));
        Run();
        EXPECT_EQ(note->GetTiedTo() != nullptr, c.tied);
        EXPECT_EQ(PartAt(0)->GetTies().size(), c.tied ? 1u : 0u);
        if (!c.tied)
            continue;
        EXPECT_EQ(note->GetTiedTo(), NoteAt(1, 0).get());
        handle->ToggleTie();  // tied already: the tie goes
        Run();
        EXPECT_EQ(note->GetTiedTo(), nullptr);
        EXPECT_TRUE(PartAt(0)->GetTies().empty());
        handle->Undo();
        Run();
        EXPECT_EQ(note->GetTiedTo(), NoteAt(1, 0).get());
        handle->Undo();
        Run();
        EXPECT_TRUE(PartAt(0)->GetTies().empty());
    }
    // Without a selection: the note at the cursor.
    Editor().ClearSelectedElements();
    CursorOnBar(0, 3 * kQuarter);
    handle->ToggleTie();
    Run();
    EXPECT_EQ(NoteAt(0, 3)->GetTiedTo(), NoteAt(1, 0).get());
}

TEST_F(EditorNoteEditTest, ShrinkAndEnlargeReachTheChordAndGraceNotesOfASelectedNote)
{
    NewScore();
    CursorOnBar(0);
    Type(2);
    CursorOnBar(0);
    Type(4);  // a chord note
    NoteAt(0, 0)->Select();
    Type(6, note_length::k16th, 0, 0, 0, 1);  // a grace note before
    const auto note = NoteAt(0, 0);
    const auto chord = note->GetChordNotes()->GetNotes().at(0);
    const auto grace = note->GetGraceListA()->GetNotes().at(0);
    const auto kinds = [&] {
        return std::vector<int>{note->GetStyle()->GetKind(), chord->GetStyle()->GetKind(),
                                grace->GetStyle()->GetKind()};
    };
    ASSERT_EQ(kinds(), (std::vector<int>{0, 1, 2}));

    listener.codes.clear();
    handle->ShrinkNote();
    EXPECT_EQ(Notices(), (Codes{3, 1}));
    Run();
    EXPECT_EQ(kinds(), (std::vector<int>{1, 1, 1}));
    handle->EnlargeNote();
    Run();
    EXPECT_EQ(kinds(), (std::vector<int>{0, 0, 0}));
    handle->Undo();
    Run();
    EXPECT_EQ(kinds(), (std::vector<int>{1, 1, 1}));
    handle->Undo();
    Run();
    EXPECT_EQ(kinds(), (std::vector<int>{0, 1, 2}));
}

}  // namespace
}  // namespace quaverly
