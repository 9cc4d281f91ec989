// Parts and bars added and deleted, transposition and octave shifts through the exported
// factory. Structure changes empty the history; pitch changes are one undo step each.
#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/no_op_command.h"
#include "engine/layout/barline_view.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/line_mark.h"
#include "engine/model/part_group.h"
#include "engine/model/tie.h"
#include "tests/engine/editor/editor_ops_fixture.h"

namespace quaverly {
namespace {

using Codes = std::vector<int>;
using editor_test::kChanged;
constexpr int kQuarter = note_length::kQuarter;

class EditorStructureOpsTest : public editor_test::EditorOpsFixture {
protected:
    // An undoable step and a step to redo, so a structure change has a history to empty.
    void FillHistory()
    {
        handle->SetTitle(u"一");
        handle->SetTitle(u"二");
        Run();
        handle->Undo();
        Run();
        ASSERT_TRUE(handle->CanUndo());
        ASSERT_TRUE(handle->CanRedo());
        listener.codes.clear();
    }

    void ExpectHistoryEmpty()
    {
        EXPECT_FALSE(handle->CanUndo());
        EXPECT_FALSE(handle->CanRedo());
    }

    std::vector<int> KeyBars(int fifths)
    {
        std::vector<int> bars;
        for (const KeySignatureRecord& key : Editor().score->GetKeySignatures())
            if (key.fifths == fifths)
                bars.push_back(key.bar);
        return bars;
    }
};

TEST_F(EditorStructureOpsTest, APartGoesInAfterItsPositionAndEmptiesTheHistory)
{
    NewScore();
    FillHistory();
    PartRecord record;
    record.position = 0;
    record.program = 40;
    record.percussion = true;
    record.channel = 3;
    handle->AddPart(record);
    EXPECT_EQ(listener.codes, kChanged);
    ExpectHistoryEmpty();
    Run();
    ASSERT_EQ(handle->GetPartCount(), 2);
    EXPECT_EQ(PartAt(1)->GetProgram(), 40);
    EXPECT_EQ(PartAt(1)->GetChannel(), 3);
    EXPECT_TRUE(PartAt(1)->IsPercussion());
    EXPECT_EQ(PartAt(1)->GetChildCount(), 20);
    EXPECT_EQ(PartAt(1)->GetStaffLink(), staff_link::kAlone);
    EXPECT_EQ(LineAt(1)->GetChildCount(), 2);  // every line shows the new row

    for (const int position : {-2, 2, 7}) {  // no such place
        record.position = position;
        handle->AddPart(record);
    }
    Run();
    EXPECT_EQ(handle->GetPartCount(), 2);
}

TEST_F(EditorStructureOpsTest, ATwoStaffPartMakesItsBraceAndEmptiesTheHistory)
{
    NewScore(2);
    FillHistory();
    const std::size_t groups = Editor().score->GetPartGroups().size();
    PartRecord record;
    record.position = -1;  // before the first part
    record.program = 1;
    record.channel = 4;
    record.twoStaves = true;
    handle->AddPart(record);
    ExpectHistoryEmpty();
    Run();
    ASSERT_EQ(handle->GetPartCount(), 4);
    EXPECT_EQ(PartAt(0)->GetStaffLink(), staff_link::kFirstOfPair);
    EXPECT_EQ(PartAt(1)->GetStaffLink(), staff_link::kSecondOfPair);
    EXPECT_EQ(PartAt(1)->GetChannel(), 4);
    ASSERT_EQ(Editor().score->GetPartGroups().size(), groups + 1);
    const auto brace = Editor().score->GetPartGroups().back();
    EXPECT_EQ(brace->GetType(), part_group_type::kBrace);
    EXPECT_EQ(brace->GetFirstPart(), 0);
    EXPECT_EQ(brace->GetLastPart(), 1);
    EXPECT_EQ(LineAt(1)->GetChildCount(), 4);
}

TEST_F(EditorStructureOpsTest, APartIsDeletedButNeverTheLastOne)
{
    NewScore(2);
    CursorOnBar(0, 0, 1);
    Type(3);
    FillHistory();
    handle->DeletePart(1);
    EXPECT_EQ(listener.codes, kChanged);
    ExpectHistoryEmpty();
    EXPECT_EQ(handle->GetCurrentPart(), 0);  // the cursor's row went
    Run();
    EXPECT_EQ(handle->GetPartCount(), 1);
    EXPECT_EQ(LineAt(1)->GetChildCount(), 1);
    listener.codes.clear();
    for (const int index : {0, 1, -1})
        handle->DeletePart(index);
    EXPECT_TRUE(listener.codes.empty());
    Run();
    EXPECT_EQ(handle->GetPartCount(), 1);
}

TEST_F(EditorStructureOpsTest, BarsGoInAfterTheBarAskedForAndEmptyTheHistory)
{
    NewScore(2);
    CursorOnBar(4);
    Type(5);
    FillHistory();
    const int bars = handle->GetBarCount();
    handle->AddBars({3, 2});
    EXPECT_EQ(listener.codes, kChanged);
    ExpectHistoryEmpty();
    Run();
    ASSERT_EQ(handle->GetBarCount(), bars + 2);
    EXPECT_EQ(PartAt(1)->GetChildCount(), bars + 2);
    EXPECT_TRUE(CodesOf(4).empty());
    EXPECT_EQ(CodesOf(6), (Codes{5}));
    EXPECT_EQ(BarAt(bars + 1)->GetBarline(1)->GetType(), 6);

    listener.codes.clear();
    handle->AddBars({50, 1});  // no laid-out line holds bar 50
    handle->AddBars({3, 0});
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_EQ(handle->GetBarCount(), bars + 2);
}

TEST_F(EditorStructureOpsTest, DeletingBarsTakesTheirTiesAndLineMarksAlong)
{
    struct Case {
        const char* name;
        int first;
        int count;
        int bars;        // bars left
        bool tieLeft;    // the tie from bar 1 into bar 2
        int marksLeft;   // of the marks at bar 2 (one bar), 4 (into bar 5) and 8
    };
    const Case cases[] = {
        {"the tie's end bar", 2, 1, 19, false, 2},
        {"a line mark's end bar", 5, 1, 19, true, 2},
        {"bars without either", 10, 3, 17, true, 3},
        {"past the end only the bars there are", 18, 5, 18, true, 3},
        {"every bar: refused", 0, 25, 20, true, 3},
        {"no such bar: refused", 20, 1, 20, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        CursorOnBar(1);
        TypeAll({2, 3, 4, 5, 5});  // the 5 at the end of bar 1 and the 5 opening bar 2
        NoteAt(1, 3)->Select();
        handle->ToggleTie();
        Run();
        Editor().ClearSelectedElements();
        for (const auto& [bar, time] : {std::pair{2, 0}, std::pair{4, 2 * kQuarter},
                                       std::pair{8, 0}}) {
            CursorOnBar(bar, time);
            handle->AddLineMark(bar == 4 ? 0 : 1);
            Run();
        }
        PartAt(0)->GetLineMarks()[1]->SetDuration(4 * kQuarter);  // bar 4 into bar 5
        ASSERT_EQ(PartAt(0)->GetTies().size(), 1u);
        listener.codes.clear();

        handle->DeleteBars(c.first, c.count);
        handle->RunPendingCommands(&painter);
        EXPECT_EQ(handle->GetBarCount(), c.bars);
        EXPECT_EQ(PartAt(0)->GetTies().size(), c.tieLeft ? 1u : 0u);
        EXPECT_EQ(static_cast<int>(PartAt(0)->GetLineMarks().size()), c.marksLeft);
        if (c.bars < 20) {
            EXPECT_FALSE(handle->CanUndo());
            EXPECT_EQ(BarAt(c.bars - 1)->GetBarline(1)->GetType(), 6);
        } else {
            EXPECT_EQ(listener.codes, (Codes{EditorNoticeCode::PendingCommandsRun}));
        }
        listener.codes.clear();
    }
}

TEST_F(EditorStructureOpsTest, BarsDeletedOnAnEarlierPageThanTheCursorsAreCutIntoLinesAgain)
{
    // Two staves: three lines of four bars on the first page, the fourth on the second.
    NewScore(2);
    ASSERT_EQ(handle->GetBarCount(), 12);
    LineAt(1)->GetBarlineViews().at(2)->Select();  // where bar 1 starts
    ASSERT_TRUE(handle->InsertLineBreak());
    Run();
    Editor().ClearSelectedElements();
    ASSERT_EQ(LineAt(1)->GetBarRange().end, 1);
    CursorOnBar(11);
    ASSERT_EQ(Editor().cursor.page, 1);

    handle->DeleteBars(0, 2);  // the break goes with bar 1
    Run();
    ASSERT_EQ(handle->GetBarCount(), 10);
    int next = 0;
    for (std::size_t i = 1; i < Editor().lines.size(); ++i) {
        const auto [first, end] = LineAt(i)->GetBarRange();
        EXPECT_EQ(first, next);
        EXPECT_EQ(end, std::min(next + 4, 10)) << "line " << i;
        next = end;
    }
    EXPECT_EQ(next, 10);
}

TEST_F(EditorStructureOpsTest, DeletingTheOpeningBarsKeepsTheSignaturesInForceAtTheStart)
{
    struct Case {
        const char* name;
        int count;       // bars deleted from the first
        int fifths;      // the opening key afterwards
        int beats;       // the opening meter's beats
        int perMinute;   // the opening tempo
    };
    // The opening is D major, 4/4, 90; bar 2 changes to A major and 2/4, 60.
    const Case cases[] = {
        {"one bar: the opening goes on", 1, 2, 4, 90},
        {"up to the change: the change opens the score", 2, 3, 2, 60},
        {"past the change: the change stays in force", 3, 3, 2, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        for (const auto& [bar, fifths, beats, perMinute] :
             {std::tuple{0, 2, 4, 90}, std::tuple{2, 3, 2, 60}}) {
            CursorOnBar(bar);
            handle->SetKeySignature(fifths);
            handle->SetTimeSignature(beats, 4);
            handle->SetTempo(kQuarter, perMinute);
            Run();
        }
        handle->DeleteBars(0, c.count);
        Run();
        ASSERT_EQ(handle->GetBarCount(), 20 - c.count);
        const auto& score = *Editor().score;
        ASSERT_FALSE(score.GetKeySignatures().empty());
        EXPECT_EQ(score.GetKeySignatures().front().bar, 0);
        EXPECT_EQ(score.GetKeySignatures().front().fifths, c.fifths);
        ASSERT_FALSE(score.GetTimeSignatures().empty());
        EXPECT_EQ(score.GetTimeSignatures().front().bar, 0);
        EXPECT_EQ(score.GetTimeSignatures().front().beats, c.beats);
        ASSERT_FALSE(score.GetTempoMarks().empty());
        EXPECT_EQ(score.GetTempoMarks().front().position, 0);
        EXPECT_EQ(score.GetTempoMarks().front().perMinute, c.perMinute);
    }
}

TEST_F(EditorStructureOpsTest, TranspositionMovesEveryNoteAndPutsTheOldKeyBackAfterTheRange)
{
    struct Case {
        const char* name;
        TransposeRequest request;
        std::vector<int> gBars;  // bars with a G major key record afterwards
        std::vector<int> cBars;  // bars with a C major key record
        int octaveOf1;           // the octave of the 1 in bar 0 afterwards
        int octaveInBar3;        // the octave of the 1 in bar 3
    };
    const Case cases[] = {
        {"bars 1-3 up into G", {1, 0, 0, 0, 3}, {0}, {3}, 0, 0},
        {"bars 1-3 down into G", {1, 1, 0, 0, 3}, {0}, {3}, -1, 0},
        {"to the end up", {1, 0, 1, 0, 0}, {0}, {}, 0, 0},
        {"to the next key change down", {1, 1, 2, 0, 0}, {0}, {}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        CursorOnBar(0);
        TypeAll({2, 4, 1});  // 1, 3 and a rest
        CursorOnBar(0);
        Type(6);  // a chord note 5 on the 1
        NoteAt(0, 0)->Select();
        Type(3, note_length::k16th, 0, 0, 0, 1);  // a grace note 2
        Editor().ClearSelectedElements();
        CursorOnBar(3);
        Type(2);
        listener.codes.clear();

        handle->Transpose(c.request);
        EXPECT_EQ(listener.codes, kChanged);
        listener.codes.clear();
        handle->RunPendingCommands(&painter);
        EXPECT_EQ(listener.codes.front(), EditorNoticeCode::LongOperationBegin);
        EXPECT_EQ(KeyBars(1), c.gBars);
        EXPECT_EQ(KeyBars(0), c.cBars);
        const auto one = NoteAt(0, 0);
        // The degrees stay: in the new key they sound a fifth higher or a fourth lower.
        EXPECT_EQ(CodesOf(0), (Codes{2, 4, 1}));
        EXPECT_EQ(one->GetOctave(), c.octaveOf1);
        EXPECT_EQ(one->GetChordNotes()->GetNotes().at(0)->GetPitchCode(), 6);
        EXPECT_EQ(one->GetChordNotes()->GetNotes().at(0)->GetOctave(), c.octaveOf1);
        const auto grace = one->GetGraceListA()->GetNotes().at(0);
        EXPECT_EQ(grace->GetPitchCode(), 3);
        EXPECT_EQ(grace->GetAccidental(), 0);
        EXPECT_EQ(grace->GetOctave(), c.octaveOf1);
        EXPECT_EQ(NoteAt(3, 0)->GetOctave(), c.octaveInBar3);

        handle->Undo();
        Run();
        EXPECT_TRUE(KeyBars(1).empty());
        EXPECT_EQ(one->GetOctave(), 0);
        EXPECT_EQ(grace->GetOctave(), 0);
    }
}

TEST_F(EditorStructureOpsTest, TranspositionIntoTheKeyTheMusicIsInMovesNothingEitherWay)
{
    for (const int fifths : {0, 1, -3}) {
        for (const int direction : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "key " << fifths << (direction ? " down" : " up"));
            NewScore();
            CursorOnBar(0);
            handle->SetKeySignature(fifths);
            Run();
            TypeAll({2, 4, 1});
            handle->Transpose({fifths, direction, 0, 0, 3});
            Run();
            EXPECT_EQ(CodesOf(0), (Codes{2, 4, 1}));
            EXPECT_EQ(NoteAt(0, 0)->GetOctave(), 0);
            EXPECT_EQ(NoteAt(0, 1)->GetOctave(), 0);
            EXPECT_EQ(NoteAt(0, 0)->GetAccidental(), 0);
        }
    }
}

TEST_F(EditorStructureOpsTest, TranspositionToTheNextKeyChangeStopsThere)
{
    NewScore();
    CursorOnBar(5);
    handle->SetKeySignature(2);  // D from bar 5
    Type(2);
    CursorOnBar(2);
    Type(2);
    handle->Transpose({-1, 0, 2, 1, 0});  // from bar 2 into F up to the D at bar 5
    Run();
    EXPECT_EQ(KeyBars(-1), (std::vector<int>{1}));
    EXPECT_EQ(KeyBars(2), (std::vector<int>{5}));
    // C up to F: the 1 a fourth up is the high 1 of F, whose middle 1 lies below C.
    EXPECT_EQ(NoteAt(2, 0)->GetOctave(), 1);
    EXPECT_EQ(NoteAt(5, 0)->GetOctave(), 0);  // beyond the range
    EXPECT_EQ(CodesOf(5), (Codes{2}));

    listener.codes.clear();
    handle->Transpose({9, 0, 0, 1, 3});  // no such key
    handle->Transpose({1, 0, 0, 3, 3});  // an empty range
    handle->Transpose({1, 0, 5, 1, 3});  // no such range kind
    handle->Transpose({1, 0, 0, 25, 30});
    EXPECT_TRUE(listener.codes.empty());
}

TEST_F(EditorStructureOpsTest, AnOctaveShiftMovesTheNotesOfTheBarRangeAsOneStep)
{
    NewScore(2);
    CursorOnBar(0);
    TypeAll({2, 1, 10});  // a 1, a rest and an unpitched symbol
    CursorOnBar(0);
    Type(4);  // a chord note on the 1
    CursorOnBar(1, 0, 1);
    Type(5);  // bar 1 of the second part
    CursorOnBar(2);
    Type(6);  // outside the range
    const std::size_t steps = Editor().history.UndoCount();
    listener.codes.clear();

    handle->ShiftOctave(0, 2, 1);  // bars 1 and 2 of the dialog, up
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    EXPECT_EQ(NoteAt(0, 0)->GetOctave(), 1);
    EXPECT_EQ(NoteAt(0, 0)->GetChordNotes()->GetNotes().at(0)->GetOctave(), 1);
    EXPECT_EQ(NoteAt(0, 1)->GetOctave(), 0);  // the rest
    EXPECT_EQ(NoteAt(0, 2)->GetOctave(), 0);  // the unpitched symbol
    EXPECT_EQ(NoteAt(1, 0, 1)->GetOctave(), 1);
    EXPECT_EQ(NoteAt(2, 0)->GetOctave(), 0);
    EXPECT_EQ(Editor().history.UndoCount(), steps + 1);

    handle->ShiftOctave(0, 1, 0);
    Run();
    EXPECT_EQ(NoteAt(0, 0)->GetOctave(), 0);
    handle->Undo();
    handle->Undo();
    Run();
    EXPECT_EQ(NoteAt(0, 0)->GetOctave(), 0);
    EXPECT_EQ(NoteAt(1, 0, 1)->GetOctave(), 0);

    listener.codes.clear();
    handle->ShiftOctave(3, 3, 1);
    handle->ShiftOctave(25, 30, 1);
    handle->ShiftOctave(5, 7, 1);  // bars without notes: nothing to do
    EXPECT_TRUE(listener.codes.empty());
}

}  // namespace
}  // namespace quaverly
