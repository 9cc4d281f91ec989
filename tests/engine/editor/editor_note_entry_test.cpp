// Note entry through the exported factory: typed notes and MIDI chords go in at the
// cursor, a full last bar gets a new bar, chords keep their lowest pitch as the main
// note, grace notes go into the list asked for, and every input ends with the notices
// the program's input queue waits for.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/page_node.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note_style.h"
#include "engine/model/rest.h"
#include "tests/engine/editor/editor_ops_fixture.h"

namespace quaverly {
namespace {

using Codes = std::vector<int>;
constexpr int kQuarter = note_length::kQuarter;

class EditorNoteEntryTest : public editor_test::EditorOpsFixture {
protected:
    // The style the last right barline of the shown page is drawn with.
    int LastDrawnBarlineType()
    {
        painter.Clear();
        handle->Draw(&painter);
        int type = -1;
        for (const auto& call : painter.CallsNamed("DrawBarLine"))
            if (call.ints[3] == 1)
                type = call.ints[4];
        return type;
    }
};

TEST_F(EditorNoteEntryTest, EveryInputEndsWithTheNoticesTheInputQueueWaitsFor)
{
    NewScore();
    struct Case {
        const char* name;
        int line;  // the cursor's line on page 0; 30 is off the layout
        bool chord;
        Codes notices;  // sent by the input itself
    };
    const Case cases[] = {
        {"note on a bar", 1, false, {21, 1, 3}},
        // An input that enters nothing does not mark the document modified.
        {"note off the layout", 30, false, {21, 1}},
        {"note on the heading", 0, false, {21, 1}},
        {"chord on a bar", 2, true, {21, 3, 1}},
        {"chord off the layout", 30, true, {21, 1}},
        {"chord on the heading", 0, true, {21, 1}},
    };
    const std::vector<int> keys = {60, 64};
    const std::vector<int> noKeys;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor().cursor = {0, c.line, 0, 0, 0};
        listener.codes.clear();
        if (c.chord)
            handle->InputChord(&keys, kQuarter, 0, 0, 0);
        else
            handle->InputNote(2, 0, kQuarter, 0, 0, 0, 0);
        EXPECT_EQ(listener.codes, c.notices);
        // Notice 1 makes the program run the queue, which ends with 22: the next input
        // is handed over then.
        handle->RunPendingCommands(&painter);
        ASSERT_FALSE(listener.codes.empty());
        EXPECT_EQ(listener.codes.back(), EditorNoticeCode::PendingCommandsRun);
    }
    EXPECT_EQ(CodesOf(0), (Codes{2}));
    EXPECT_EQ(CodesOf(4), (Codes{2}));
    // A chord record without keys is handed back the same way, and changes nothing.
    Editor().cursor = {0, 1, 0, 1, 0};
    for (const std::vector<int>* none : {static_cast<const std::vector<int>*>(nullptr), &noKeys}) {
        listener.codes.clear();
        handle->InputChord(none, kQuarter, 0, 0, 0);
        EXPECT_EQ(listener.codes, (Codes{21, 1}));
        handle->RunPendingCommands(&painter);
        EXPECT_EQ(listener.codes, (Codes{21, 1, 22}));
    }
    EXPECT_TRUE(CodesOf(1).empty());
}

TEST_F(EditorNoteEntryTest, TypedNotesGoInAtTheCursorWhichMovesOnAndUndoTakesThemOut)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3, 4});
    EXPECT_EQ(CodesOf(0), (Codes{2, 3, 4}));
    EXPECT_EQ(Editor().cursor.timeInBar, 3 * kQuarter);
    Type(5);  // fills the bar: the cursor goes on to the next one
    EXPECT_EQ(handle->GetCursorBarIndex(), 1);
    EXPECT_EQ(Editor().cursor.timeInBar, 0);

    handle->Undo();
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{2, 3, 4}));
    EXPECT_EQ(handle->GetCursorBarIndex(), 0);
    EXPECT_EQ(Editor().cursor.timeInBar, 3 * kQuarter);
    handle->Redo();
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{2, 3, 4, 5}));
}

TEST_F(EditorNoteEntryTest, ATypedNoteIsLaidOutOnItsLine)
{
    NewScore();
    CursorOnBar(5);
    TypeAll({2, 3, 4});
    const auto bar = BarAt(5);
    int x = -1;
    for (const auto& note : bar->GetNotes()) {
        EXPECT_EQ(note->GetParent(), bar.get());
        EXPECT_GT(note->GetPosition().x, x);
        x = note->GetPosition().x;
    }
}

TEST_F(EditorNoteEntryTest, TypingIntoAFullLastBarAppendsABarFirst)
{
    NewScore();
    ASSERT_EQ(handle->GetBarCount(), 20);
    EXPECT_EQ(LastDrawnBarlineType(), 6);
    CursorOnBar(19);
    TypeAll({2, 3, 4, 5});
    ASSERT_EQ(CodesOf(19), (Codes{2, 3, 4, 5}));
    EXPECT_EQ(handle->GetBarCount(), 20);  // full, but nothing asked for more room yet

    Type(6);
    EXPECT_EQ(handle->GetBarCount(), 21);
    EXPECT_EQ(CodesOf(19), (Codes{2, 3, 4, 5}));
    EXPECT_EQ(CodesOf(20), (Codes{6}));
    EXPECT_EQ(handle->GetCursorBarIndex(), 20);
    EXPECT_EQ(Editor().cursor.timeInBar, kQuarter);
    // The final barline moved to the new last bar.
    EXPECT_EQ(BarAt(19)->GetBarline(1)->GetType(), 1);
    EXPECT_EQ(BarAt(20)->GetBarline(1)->GetType(), 6);
    // The page's last bar, now inside the score, is drawn with a normal barline.
    EXPECT_EQ(LastDrawnBarlineType(), 1);

    // Two undo steps: the note, then the appended bar.
    handle->Undo();
    Run();
    EXPECT_TRUE(CodesOf(20).empty());
    handle->Undo();
    Run();
    EXPECT_EQ(handle->GetBarCount(), 20);
    EXPECT_EQ(BarAt(19)->GetBarline(1)->GetType(), 6);
    EXPECT_EQ(LastDrawnBarlineType(), 6);
}

TEST_F(EditorNoteEntryTest, AnOverfullBarWidensItsColumnInEveryRow)
{
    NewScore(2);
    CursorOnBar(0);
    TypeAll({2, 3, 4, 5});
    // The cursor steps back to the end of the full bar and a fifth note goes in there.
    handle->OnKeyDown(key_code::kLeft, 0);
    Run();
    ASSERT_EQ(handle->GetCursorBarIndex(), 0);
    Type(6);
    ASSERT_EQ(CodesOf(0), (Codes{2, 3, 4, 5, 6}));
    const auto line = LineAt(1);
    ASSERT_NE(line, nullptr);
    const auto upper = line->GetTrack(0);
    const auto lower = line->GetTrack(1);
    EXPECT_GT(upper->GetBar(0)->GetRect().Width(), upper->GetBar(1)->GetRect().Width());
    for (int c = 0; c < upper->GetChildCount(); ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(lower->GetBar(c)->GetPosition().x, upper->GetBar(c)->GetPosition().x);
        EXPECT_EQ(lower->GetBar(c)->GetRect().Width(), upper->GetBar(c)->GetRect().Width());
    }
}

TEST_F(EditorNoteEntryTest, TypingOnPastAHundredBarsAppendsEveryBarItNeeds)
{
    // 150 bars of quarters typed into a new score of 20 empty bars.
    NewScore();
    ASSERT_EQ(handle->GetBarCount(), 20);
    CursorOnBar(0);
    constexpr int kBars = 150;
    for (int n = 0; n < 4 * kBars; ++n)
        Type(2 + n % 7);
    ASSERT_EQ(handle->GetBarCount(), kBars);
    for (int bar = 0; bar < kBars; ++bar) {
        SCOPED_TRACE(bar);
        const int first = 2 + 4 * bar % 7;
        ASSERT_EQ(CodesOf(bar), (Codes{first, 2 + (4 * bar + 1) % 7, 2 + (4 * bar + 2) % 7,
                                       2 + (4 * bar + 3) % 7}));
    }
    EXPECT_EQ(handle->GetCursorBarIndex(), kBars - 1);
    EXPECT_EQ(Editor().cursor.timeInBar, note_length::kWhole);
    EXPECT_EQ(BarAt(kBars - 1)->GetBarline(1)->GetType(), 6);
}

TEST_F(EditorNoteEntryTest, ATupletScalesTheNewNoteOnlyWhenTheCursorIsInsideIt)
{
    struct Case {
        const char* name;
        int time;  // where the quarter is typed
        int bars;  // bars afterwards
    };
    // The last bar: a quarter, a 3:2 tuplet of three quarters (two quarters of time) and
    // a 16th leave 120960 ticks: less than a quarter, more than a tuplet quarter.
    // Both times fall between note starts, so the quarter goes in as a note of its own.
    const Case cases[] = {
        {"before the tuplet: a plain quarter, a bar is appended", note_length::kEighth, 21},
        {"inside the tuplet: a tuplet quarter fits", 200000, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        CursorOnBar(19);
        TypeAll({2, 3, 4, 5});
        NoteAt(19, 1)->Select();
        handle->MakeTuplet(3, 2);
        Run();
        Editor().ClearSelectedElements();
        CursorOnBar(19, 3 * kQuarter);
        Type(6, note_length::k16th);
        ASSERT_EQ(handle->GetBarCount(), 20);
        CursorOnBar(19, c.time);
        Type(7);
        EXPECT_EQ(handle->GetBarCount(), c.bars);
        EXPECT_EQ(BarAt(19)->GetNotes().size(), 6u);
    }
}

TEST_F(EditorNoteEntryTest, TypingOnANoteBuildsAChordWithTheLowestPitchAsMainNote)
{
    NewScore();
    struct Case {
        const char* name;
        int typedCode;
        int typedOctave;
        int mainCode;
        int mainOctave;
        int chordCode;
        int chordOctave;
    };
    // On a 5 of the middle register, a dotted half.
    const Case cases[] = {
        {"1 below 5 becomes the main note", 2, 0, 2, 0, 6, 0},
        {"6 above 5 joins as a chord note", 7, 0, 6, 0, 7, 0},
        {"high 1 above 5 joins", 2, 1, 6, 0, 2, 1},
        {"low 7 below 5 becomes the main note", 8, -1, 8, -1, 6, 0},
    };
    int bar = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CursorOnBar(bar);
        Type(6, note_length::kHalf, 0, 1);
        CursorOnBar(bar);
        Type(c.typedCode, kQuarter, c.typedOctave);
        ASSERT_EQ(BarAt(bar)->GetNotes().size(), 1u);
        const auto main = NoteAt(bar, 0);
        EXPECT_EQ(main->GetPitchCode(), c.mainCode);
        EXPECT_EQ(main->GetOctave(), c.mainOctave);
        ASSERT_EQ(main->GetChordNotes()->GetNotes().size(), 1u);
        const auto chord = main->GetChordNotes()->GetNotes()[0];
        EXPECT_EQ(chord->GetPitchCode(), c.chordCode);
        EXPECT_EQ(chord->GetOctave(), c.chordOctave);
        // Both keep the value and dots of the note that was there.
        EXPECT_EQ(main->GetDuration(), note_length::kHalf);
        EXPECT_EQ(main->GetDots(), 1);
        EXPECT_EQ(chord->GetDuration(), note_length::kHalf);
        EXPECT_EQ(chord->GetDots(), 1);
        EXPECT_EQ(chord->GetStyle()->GetKind(), note_style_kind::kChord);
        // One undo step takes the chord note away and gives the main note back its pitch.
        handle->Undo();
        Run();
        EXPECT_EQ(NoteAt(bar, 0)->GetPitchCode(), 6);
        EXPECT_EQ(NoteAt(bar, 0)->GetOctave(), 0);
        EXPECT_TRUE(NoteAt(bar, 0)->GetChordNotes()->GetNotes().empty());
        ++bar;
    }
}

TEST_F(EditorNoteEntryTest, ARestAtTheCursorTakesNoChordNote)
{
    NewScore();
    CursorOnBar(0);
    Type(1);
    CursorOnBar(0);
    Type(3);
    EXPECT_EQ(CodesOf(0), (Codes{1, 3}));
    EXPECT_TRUE(NoteAt(0, 0)->GetChordNotes()->GetNotes().empty());
}

TEST_F(EditorNoteEntryTest, TypingWithNotesSelectedChangesTheirPitchAndClass)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 1});
    NoteAt(0, 0)->Select();
    NoteAt(0, 1)->Select();
    Editor().cursor.timeInBar = 2 * kQuarter;
    Type(5);
    EXPECT_EQ(CodesOf(0), (Codes{5, 5}));  // nothing entered
    // The rest became a note of the note class.
    EXPECT_EQ(std::dynamic_pointer_cast<Rest>(NoteAt(0, 1)), nullptr);
    EXPECT_EQ(NoteAt(0, 1)->GetState(), element_state::kSelected);
    Type(1);
    EXPECT_NE(std::dynamic_pointer_cast<Rest>(NoteAt(0, 0)), nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<Rest>(NoteAt(0, 1)), nullptr);
    // Two notes, one undo step each.
    handle->Undo();
    Run();
    handle->Undo();
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{5, 5}));
    EXPECT_EQ(std::dynamic_pointer_cast<Rest>(NoteAt(0, 1)), nullptr);
}

TEST_F(EditorNoteEntryTest, MidiChordsAreSpelledInTheKeyAtTheCursor)
{
    NewScore();
    struct Case {
        const char* name;
        int fifths;
        std::vector<int> keys;
        int mainCode;
        int mainAccidental;
        Codes chordCodes;
    };
    const Case cases[] = {
        {"D, F sharp, A in C", 0, {62, 66, 69}, 3, 0, {5, 7}},
        {"the same keys in D", 2, {69, 62, 66}, 2, 0, {4, 6}},
        {"B flat, D in F", -1, {70, 62}, 7, 0, {5}},
        {"C sharp in C is a flat 2", 0, {61}, 3, -1, {}},
    };
    int bar = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CursorOnBar(bar);
        handle->SetKeySignature(c.fifths);
        Run();
        handle->InputChord(&c.keys, kQuarter, 0, 0, 0);
        Run();
        const auto main = NoteAt(bar, 0);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(main->GetPitchCode(), c.mainCode);
        EXPECT_EQ(main->GetAccidental(), c.mainAccidental);
        Codes chords;
        for (const auto& chord : main->GetChordNotes()->GetNotes())
            chords.push_back(chord->GetPitchCode());
        EXPECT_EQ(chords, c.chordCodes);
        bar += 2;  // past the next key change
    }
}

TEST_F(EditorNoteEntryTest, AMidiChordOnANoteJoinsItsChord)
{
    NewScore();
    CursorOnBar(0);
    Type(4);  // 3 (E)
    CursorOnBar(0);
    const std::vector<int> keys = {67, 60};  // G and C: C goes below
    handle->InputChord(&keys, note_length::kEighth, 0, 0, 0);
    Run();
    const auto main = NoteAt(0, 0);
    EXPECT_EQ(main->GetPitchCode(), 2);
    EXPECT_EQ(main->GetDuration(), kQuarter);
    Codes chords;
    for (const auto& chord : main->GetChordNotes()->GetNotes())
        chords.push_back(chord->GetPitchCode());
    EXPECT_EQ(chords, (Codes{4, 6}));
}

TEST_F(EditorNoteEntryTest, GraceNotesGoIntoTheListAskedFor)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3});
    NoteAt(0, 1)->Select();
    CursorOnBar(0);
    Type(5, note_length::k16th, 0, 0, 0, 1);  // before
    Type(6, note_length::k16th, 0, 0, 0, 2);  // after
    const std::vector<int> keys = {71, 72};
    handle->InputChord(&keys, note_length::k16th, 0, 1, 0);  // two more before
    Run();
    const auto note = NoteAt(0, 1);
    Codes before;
    std::vector<int> starts;
    for (const auto& grace : note->GetGraceListA()->GetNotes()) {
        before.push_back(grace->GetPitchCode());
        starts.push_back(grace->GetStartTime());
        EXPECT_EQ(grace->GetStyle()->GetKind(), note_style_kind::kGrace);
    }
    EXPECT_EQ(before, (Codes{5, 8, 2}));
    EXPECT_EQ(starts, (std::vector<int>{0, note_length::k16th, 2 * note_length::k16th}));
    ASSERT_EQ(note->GetGraceListB()->GetNotes().size(), 1u);
    EXPECT_EQ(note->GetGraceListB()->GetNotes()[0]->GetPitchCode(), 6);
    EXPECT_EQ(CodesOf(0), (Codes{2, 3}));  // no bar note entered
    EXPECT_TRUE(NoteAt(0, 0)->GetGraceListA()->GetNotes().empty());
}

TEST_F(EditorNoteEntryTest, OverwriteEntryReplacesTheNotesItCoversAndUndoesInOneStep)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3, 4, 5});
    struct Case {
        const char* name;
        int time;
        int value;
        Codes after;
        std::vector<int> durations;
    };
    const Case cases[] = {
        {"a half over 1 and 2", 0, note_length::kHalf, {7, 4, 5},
         {note_length::kHalf, kQuarter, kQuarter}},
        {"an eighth over half of 3", 2 * kQuarter, note_length::kEighth, {2, 3, 7, 4, 5},
         {kQuarter, kQuarter, note_length::kEighth, note_length::kEighth, kQuarter}},
        {"a dotted half over 2, 3 and 4", kQuarter, 0, {2, 7}, {kQuarter, 3 * kQuarter}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CursorOnBar(0, c.time);
        if (c.value == 0)
            Type(7, note_length::kHalf, 0, 1, 0, 0, 1);
        else
            Type(7, c.value, 0, 0, 0, 0, 1);
        EXPECT_EQ(CodesOf(0), c.after);
        std::vector<int> durations;
        for (const auto& note : BarAt(0)->GetNotes())
            durations.push_back(GetNoteDuration(note.get()));
        EXPECT_EQ(durations, c.durations);
        handle->Undo();
        Run();
        EXPECT_EQ(CodesOf(0), (Codes{2, 3, 4, 5}));
        for (const auto& note : BarAt(0)->GetNotes())
            EXPECT_EQ(GetNoteDuration(note.get()), kQuarter);
    }
}

// A typed note tells the view which lines of the page it changed; anything else the
// editor changes, or cannot place, has the page drawn whole.
TEST_F(EditorNoteEntryTest, ATypedNoteReportsTheAreasOfItsLinesAndOtherChangesThePage)
{
    NewScore();
    std::vector<Rect> areas;
    EXPECT_FALSE(handle->TakeChangedAreas(areas));  // the new score is drawn whole
    const auto placed = [](const ScoreElement& line) { return line.GetRect().Moved(line.GetAbsolutePoint()); };
    // What a line draws reaches a little past its rectangle: the areas include that.
    const Rect typedLine = PageNode::InkReach(placed(*LineAt(2)));
    const Rect lineAfter = PageNode::InkReach(placed(*LineAt(3)));

    struct Case {
        const char* name;
        std::function<void()> change;
        bool known;
    };
    const Case cases[] = {
        {"nothing since the last account", [] {}, true},
        {"a note typed into the second line", [&] { CursorOnBar(5); Type(3); }, true},
        {"undo", [&] { handle->Undo(); Run(); }, false},
        {"redo", [&] { handle->Redo(); Run(); }, false},
        {"page borders hidden", [&] { handle->ShowPageBorder(false); Run(); }, false},
        {"another page shown", [&] { handle->SetCurrentPage(0); Run(); }, false},
        {"a note typed over the selection", [&] {
             CursorOnBar(5);
             NoteAt(5, 0)->Select();
             Type(4);
             Editor().ClearSelectedElements();
         }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (void)handle->TakeChangedAreas(areas);
        c.change();
        EXPECT_EQ(handle->TakeChangedAreas(areas), c.known);
        if (!c.known) {
            EXPECT_TRUE(areas.empty());
            continue;
        }
        // The typed note's line and the one after it, whose first bar the walk measures.
        for (const Rect& area : areas) {
            EXPECT_TRUE(area == typedLine || area == lineAfter);
        }
        if (std::string(c.name) == "nothing since the last account") {
            EXPECT_TRUE(areas.empty());
        } else {
            EXPECT_NE(std::find(areas.begin(), areas.end(), typedLine), areas.end());
        }
    }
}

}  // namespace
}  // namespace quaverly
