// Copying a range of bars into a fragment and pasting a fragment at a bar: what copy
// collects, the check a pasted fragment must pass, the bars a paste appends, and the
// exact way back.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/edit_command.h"
#include "engine/commands/macro_command.h"
#include "engine/commands/undo_history.h"
#include "engine/editor/measure_range_exporter.h"
#include "engine/editor/paste_inserter.h"
#include "engine/editor/score_fragment_reader.h"
#include "engine/editor/score_fragment_writer.h"
#include "engine/model/tuplet.h"
#include "tests/engine/editor/editor_test_score.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using namespace editor_test;

constexpr int kQ = note_length::kQuarter;

ScoreFragment Collect(const std::shared_ptr<Score>& score, int firstPart, int firstBar,
                      int lastPart, int lastBar)
{
    ScoreFragment fragment;
    MeasureRangeExporter exporter;
    exporter.SetScore(score);
    exporter.SetOutput(&fragment);
    exporter.SetRange(firstPart, firstBar);
    exporter.SetRangeEnd(lastPart, lastBar);
    exporter.Run();
    return fragment;
}

// A score of two parts and three bars with a rest, a chord, grace notes on both sides
// and a shrunk note.
std::shared_ptr<Score> Sample()
{
    auto score = MakeScore(2, 3);
    const auto bar = BarOf(*score, 0, 0);
    AddNote(*bar, {pitch_code::kRest, 0, kQ});
    const auto chord = AddNote(*bar, {2, kQ, kQ, -1, 1, 1});
    AddChordNote(*chord, {4, kQ, kQ, 0, 0, -1});
    AddChordNote(*chord, {6, kQ, kQ, 1});
    const auto graced = AddNote(*bar, {5, 5 * kQ / 2, note_length::kEighth, 0, 0, -1});
    AddGraceNote(*graced->GetGraceListA(), {3, 0, note_length::k16th});
    AddGraceNote(*graced->GetGraceListA(), {4, 0, note_length::k32nd, 1});
    AddGraceNote(*graced->GetGraceListB(), {7, 0, note_length::k16th, 0, 0, 2});
    const auto shrunk = AddNote(*bar, {12, 3 * kQ, kQ});
    shrunk->SetStyle(std::make_shared<ChordNoteStyle>());
    AddNote(*BarOf(*score, 0, 1), {8, 0, note_length::kWhole});
    AddNote(*BarOf(*score, 1, 0), {3, 0, note_length::kHalf, 2});
    AddNote(*BarOf(*score, 1, 2), {4, kQ, kQ});
    return score;
}

TEST(MeasureRangeExporterTest, CollectsEveryNoteWithWhatHangsOnIt)
{
    const ScoreFragment fragment = Collect(Sample(), 0, 0, 0, 0);
    ASSERT_EQ(fragment.staves.size(), 1u);
    ASSERT_EQ(fragment.staves[0].size(), 1u);
    const FragmentBar& bar = fragment.staves[0][0];
    ASSERT_EQ(bar.size(), 4u);
    EXPECT_EQ(bar[0], (FragmentEntry{{0, 1, kQ, 0, 0, 0, 0}, {}, {}, {}}));
    EXPECT_EQ(bar[1], (FragmentEntry{{kQ, 2, kQ, -1, 1, 1, 0},
                                     {{kQ, 4, kQ, 0, 0, -1, 1}, {kQ, 6, kQ, 1, 0, 0, 1}},
                                     {},
                                     {}}));
    EXPECT_EQ(bar[2], (FragmentEntry{{5 * kQ / 2, 5, note_length::kEighth, 0, 0, -1, 0},
                                     {},
                                     {{0, 3, note_length::k16th, 0, 0, 0, 2},
                                      {0, 4, note_length::k32nd, 1, 0, 0, 2}},
                                     {{0, 7, note_length::k16th, 0, 0, 2, 2}}}));
    EXPECT_EQ(bar[3].main, (NoteUnit{3 * kQ, 12, kQ, 0, 0, 0, 1}));
}

TEST(MeasureRangeExporterTest, RangesAreTurnedRoundAndCutAtTheScore)
{
    const auto score = Sample();
    const ScoreFragment forward = Collect(score, 0, 1, 1, 2);
    EXPECT_EQ(Collect(score, 1, 2, 0, 1), forward);
    EXPECT_EQ(Collect(score, 0, 1, 5, 9), forward);
    ASSERT_EQ(forward.staves.size(), 2u);
    EXPECT_EQ(forward.staves[0].size(), 2u);
    EXPECT_EQ(forward.staves[1][1].size(), 1u);
}

TEST(MeasureRangeExporterTest, NoSelectionOrARangeOffTheScoreCopiesNothing)
{
    const auto score = Sample();
    struct Case {
        const char* name;
        int firstPart, firstBar, lastPart, lastBar;
    };
    const Case cases[] = {
        {"no selection", -1, -1, -1, -1},
        {"one index unset", 0, 0, 0, -1},
        {"past the last part", 2, 0, 3, 1},
        {"past the last bar", 0, 3, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteVector bytes{7};
        EXPECT_FALSE(CopyBarRange(score, c.firstPart, c.firstBar, c.lastPart, c.lastBar, bytes));
        EXPECT_EQ(bytes, ByteVector{7});
    }
    ByteVector bytes;
    EXPECT_FALSE(CopyBarRange(std::make_shared<Score>(), 0, 0, 0, 0, bytes));
    EXPECT_TRUE(bytes.empty());
}

class PasteTest : public testing::Test {
protected:
    // Copies the range as bytes and reads them back, as the clipboard would.
    ScoreFragment Clipboard(int firstPart, int firstBar, int lastPart, int lastBar)
    {
        ByteVector bytes;
        EXPECT_TRUE(CopyBarRange(source, firstPart, firstBar, lastPart, lastBar, bytes));
        ScoreFragment fragment;
        EXPECT_TRUE(ReadScoreChunk(bytes, fragment));
        return fragment;
    }

    std::shared_ptr<Score> source = Sample();
    std::shared_ptr<Score> target = MakeScore(3, 4);
};

TEST_F(PasteTest, CopyThenPasteRoundTrips)
{
    const ScoreFragment fragment = Clipboard(0, 0, 1, 2);
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    ASSERT_TRUE(inserter.Plan(1, 1, plan));
    inserter.Apply(plan);

    EXPECT_EQ(Collect(target, 1, 1, 2, 3), fragment);
    EXPECT_EQ(Collect(source, 0, 0, 1, 2), fragment);
    // The pasted notes are new notes with the copied styles.
    const auto pasted = BarOf(*target, 1, 1)->GetNotes();
    ASSERT_EQ(pasted.size(), 4u);
    EXPECT_NE(pasted[1], BarOf(*source, 0, 0)->GetNotes()[1]);
    EXPECT_EQ(pasted[0]->GetPitchCode(), pitch_code::kRest);
    EXPECT_TRUE(pasted[1]->GetChordNotes()->GetNotes()[0]->IsChordMember());
    EXPECT_EQ(pasted[2]->GetGraceListA()->GetNotes()[1]->GetStyle()->GetKind(),
              note_style_kind::kGrace);
    EXPECT_EQ(pasted[3]->GetStyle()->GetKind(), note_style_kind::kChord);
}

TEST_F(PasteTest, PastingPastTheEndAppendsTheBarsEveryPartNeedsAndRevertTakesThemBack)
{
    const auto old = AddNote(*BarOf(*target, 0, 3), {6, 0, kQ});
    const ScoreFragment fragment = Clipboard(0, 0, 1, 2);
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    ASSERT_TRUE(inserter.Plan(3, 0, plan));
    EXPECT_EQ(plan.barsToAppend, 2);
    EXPECT_EQ(plan.endBar, 6);
    ASSERT_EQ(plan.rewrites.size(), 6u);
    EXPECT_EQ(plan.rewrites[0].oldNotes, std::vector<std::shared_ptr<Note>>{old});
    EXPECT_TRUE(plan.rewrites[1].oldNotes.empty());  // a bar the paste appends
    EXPECT_EQ(target->GetChildCount(), 3);
    EXPECT_EQ(PartOf(*target, 0)->GetChildCount(), 4);  // planning changes nothing

    inserter.Apply(plan);
    for (int p = 0; p < 3; ++p) {
        ASSERT_EQ(PartOf(*target, p)->GetChildCount(), 6);
        EXPECT_EQ(BarOf(*target, p, 5)->GetIndex(), 5);
    }
    EXPECT_EQ(Collect(target, 0, 3, 1, 5), fragment);

    inserter.Revert(plan);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(PartOf(*target, p)->GetChildCount(), 4);
    EXPECT_EQ(BarOf(*target, 0, 3)->GetNotes(), std::vector<std::shared_ptr<Note>>{old});
    EXPECT_TRUE(BarOf(*target, 1, 3)->GetNotes().empty());
}

// The model change of a paste as one undoable step, as an editor can record it.
class ApplyPasteCommand final : public EditCommand {
public:
    ApplyPasteCommand(const PasteInserter& inserter, PastePlan plan)
        : inserter_(inserter), plan_(std::move(plan))
    {
    }
    void Do() override { inserter_.Apply(plan_); }
    void Undo() override { inserter_.Revert(plan_); }

private:
    const PasteInserter& inserter_;
    PastePlan plan_;
};

TEST_F(PasteTest, OneUndoTakesTheWholePasteBack)
{
    const auto old = AddNote(*BarOf(*target, 1, 2), {6, 0, kQ});
    const ScoreFragment fragment = Clipboard(0, 0, 1, 2);
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    ASSERT_TRUE(inserter.Plan(2, 1, plan));
    auto group = std::make_shared<MacroCommand>();
    group->AddChild(std::make_shared<ApplyPasteCommand>(inserter, std::move(plan)));
    UndoHistory history;
    fakes::FakePainter painter;
    history.Record(group);
    EXPECT_EQ(PartOf(*target, 0)->GetChildCount(), 4);  // nothing happens before the run
    history.RunPending(painter);
    EXPECT_EQ(PartOf(*target, 0)->GetChildCount(), 5);
    EXPECT_EQ(Collect(target, 1, 2, 2, 4), fragment);

    history.Undo();
    history.RunPending(painter);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(PartOf(*target, p)->GetChildCount(), 4);
    EXPECT_EQ(BarOf(*target, 1, 2)->GetNotes(), std::vector<std::shared_ptr<Note>>{old});
    EXPECT_TRUE(BarOf(*target, 1, 3)->GetNotes().empty());
    EXPECT_TRUE(BarOf(*target, 2, 2)->GetNotes().empty());

    history.Redo();
    history.RunPending(painter);
    EXPECT_EQ(Collect(target, 1, 2, 2, 4), fragment);
}

TEST_F(PasteTest, StavesBeyondTheLastPartAreSkipped)
{
    const ScoreFragment fragment = Clipboard(0, 0, 1, 0);
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    ASSERT_TRUE(inserter.Plan(0, 2, plan));
    ASSERT_EQ(plan.rewrites.size(), 1u);
    EXPECT_EQ(plan.rewrites[0].part, 2);
    inserter.Apply(plan);
    EXPECT_EQ(Collect(target, 2, 0, 2, 0).staves[0], fragment.staves[0]);
    EXPECT_TRUE(BarOf(*target, 1, 0)->GetNotes().empty());
}

TEST_F(PasteTest, AStaveLongerThanTheFirstStillGetsItsBars)
{
    ScoreFragment fragment = Clipboard(0, 0, 1, 0);
    fragment.staves[1].resize(3);
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    ASSERT_TRUE(inserter.Plan(3, 0, plan));
    EXPECT_EQ(plan.barsToAppend, 2);
    inserter.Apply(plan);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(PartOf(*target, p)->GetChildCount(), 6);
}

TEST_F(PasteTest, AStartOffTheScorePlansNothing)
{
    const ScoreFragment fragment = Clipboard(0, 0, 0, 0);
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    plan.startBar = 77;
    for (const auto& [bar, part] : {std::pair{-1, 0}, std::pair{4, 0}, std::pair{0, -1},
                                    std::pair{0, 3}}) {
        SCOPED_TRACE(testing::Message() << bar << ", " << part);
        EXPECT_FALSE(inserter.Plan(bar, part, plan));
        EXPECT_EQ(plan.startBar, 77);
    }
    PasteInserter none(nullptr, fragment);
    EXPECT_FALSE(none.Plan(0, 0, plan));
    EXPECT_FALSE(PasteInserter(std::make_shared<Score>(), fragment).Plan(0, 0, plan));
}

TEST(PasteInserterTest, EveryUnitIsChecked)
{
    const NoteUnit good{0, 2, kQ, 0, 0, 0, 0};
    struct Case {
        const char* name;
        NoteUnit unit;
        bool valid;
    };
    const auto with = [&good](auto change) {
        NoteUnit unit = good;
        change(unit);
        return unit;
    };
    const Case cases[] = {
        {"a quarter", good, true},
        {"a rest", with([](NoteUnit& u) { u.typeCode = 1; }), true},
        {"degree 7", with([](NoteUnit& u) { u.typeCode = 8; }), true},
        {"a special symbol", with([](NoteUnit& u) { u.typeCode = 13; }), true},
        {"type 0", with([](NoteUnit& u) { u.typeCode = 0; }), false},
        {"the dash", with([](NoteUnit& u) { u.typeCode = 9; }), false},
        {"type 14", with([](NoteUnit& u) { u.typeCode = 14; }), false},
        {"three dots", with([](NoteUnit& u) { u.dots = 3; }), true},
        {"four dots", with([](NoteUnit& u) { u.dots = 4; }), false},
        {"negative dots", with([](NoteUnit& u) { u.dots = -1; }), false},
        {"kind grace", with([](NoteUnit& u) { u.kind = 2; }), true},
        {"kind 3", with([](NoteUnit& u) { u.kind = 3; }), false},
        {"kind -1", with([](NoteUnit& u) { u.kind = -1; }), false},
        {"zero duration", with([](NoteUnit& u) { u.duration = 0; }), false},
        {"negative duration", with([](NoteUnit& u) { u.duration = -kQ; }), false},
        {"huge duration", with([](NoteUnit& u) { u.duration = 0x7FFFFFFF; }), false},
        {"negative start", with([](NoteUnit& u) { u.startTime = -1; }), false},
        {"start out of reach", with([](NoteUnit& u) { u.startTime = 0x7FFFFFFF; }), false},
        {"octave 11", with([](NoteUnit& u) { u.octave = 11; }), false},
        {"accidental 5", with([](NoteUnit& u) { u.accidental = 5; }), false},
        {"natural", with([](NoteUnit& u) { u.accidental = 4; }), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PasteInserter::IsValidUnit(c.unit), c.valid);
        // A bad unit anywhere in an entry fails the whole fragment.
        const NoteUnit unit = c.unit;
        EXPECT_EQ(PasteInserter::ValidateFragment({{{{FragmentEntry{unit, {}, {}, {}}}}}}), c.valid);
        EXPECT_EQ(PasteInserter::ValidateFragment({{{{FragmentEntry{good, {unit}, {}, {}}}}}}), c.valid);
        EXPECT_EQ(PasteInserter::ValidateFragment({{{}, {{FragmentEntry{good, {}, {good, unit}, {}}}}}}), c.valid);
        EXPECT_EQ(PasteInserter::ValidateFragment({{{{FragmentEntry{good, {}, {}, {unit}}}}}}), c.valid);
    }
}

TEST(PasteInserterTest, NotesOfABarMustComeInStartTimeOrder)
{
    const FragmentEntry first{{kQ, 2, kQ, 0, 0, 0, 0}, {}, {}, {}};
    const FragmentEntry early{{0, 3, kQ, 0, 0, 0, 0}, {}, {}, {}};
    EXPECT_TRUE(PasteInserter::ValidateFragment({{{{early, first, first}}}}));
    EXPECT_FALSE(PasteInserter::ValidateFragment({{{{first, early}}}}));
    // Each bar starts its own order.
    EXPECT_TRUE(PasteInserter::ValidateFragment({{{{first}, {early}}}}));
}

TEST_F(PasteTest, AFragmentThatFailsTheCheckChangesNothing)
{
    ScoreFragment fragment = Clipboard(0, 0, 1, 1);
    fragment.staves[1][1].push_back(FragmentEntry{{0, 9, kQ, 0, 0, 0, 0}, {}, {}, {}});
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    EXPECT_FALSE(inserter.Plan(0, 0, plan));
    EXPECT_TRUE(plan.rewrites.empty());
}

TEST_F(PasteTest, TiesAndTupletsOfReplacedNotesComeBackOnRevert)
{
    const auto part = PartOf(*target, 0);
    const auto kept = AddNote(*BarOf(*target, 0, 0), {2, 3 * kQ, kQ});
    const auto replaced = AddNote(*BarOf(*target, 0, 1), {2, 0, note_length::kEighth});
    AddNote(*BarOf(*target, 0, 1), {3, 53760, note_length::kEighth});
    AddNote(*BarOf(*target, 0, 1), {4, 2 * 53760, note_length::kEighth});
    auto tuplet = std::make_shared<Tuplet>(3, 2);
    tuplet->SetFirstNote(replaced);
    BarOf(*target, 0, 1)->AddTuplet(tuplet);
    const auto tie = AddTie(*part, BarOf(*target, 0, 0), kept, BarOf(*target, 0, 1), replaced);
    const std::vector<std::shared_ptr<Note>> before = BarOf(*target, 0, 1)->GetNotes();

    const ScoreFragment fragment = Clipboard(0, 1, 0, 1);
    PasteInserter inserter(target, fragment);
    PastePlan plan;
    ASSERT_TRUE(inserter.Plan(1, 0, plan));
    inserter.Apply(plan);
    EXPECT_TRUE(part->GetTies().empty());
    EXPECT_EQ(kept->GetTiedTo(), nullptr);
    EXPECT_TRUE(BarOf(*target, 0, 1)->GetTuplets().empty());

    inserter.Revert(plan);
    EXPECT_EQ(BarOf(*target, 0, 1)->GetNotes(), before);
    EXPECT_EQ(part->GetTies(), std::vector<std::shared_ptr<Tie>>{tie});
    EXPECT_EQ(kept->GetTiedTo(), replaced.get());
    EXPECT_EQ(BarOf(*target, 0, 1)->GetTuplets(), std::vector<std::shared_ptr<Tuplet>>{tuplet});
}

TEST(PasteInserterTest, NoteStylesByKind)
{
    EXPECT_EQ(PasteInserter::MakeNoteStyle(0)->GetKind(), note_style_kind::kNormal);
    EXPECT_EQ(PasteInserter::MakeNoteStyle(1)->GetKind(), note_style_kind::kChord);
    EXPECT_EQ(PasteInserter::MakeNoteStyle(2)->GetKind(), note_style_kind::kGrace);
    EXPECT_EQ(PasteInserter::MakeNoteStyle(7)->GetKind(), note_style_kind::kNormal);
    const auto part = std::make_shared<Part>();
    part->AppendChild(std::make_shared<Bar>(0));
    EXPECT_NE(PasteInserter::FindBarInTrack(part, 0), nullptr);
    EXPECT_EQ(PasteInserter::FindBarInTrack(part, 1), nullptr);
    EXPECT_EQ(PasteInserter::FindBarInTrack(part, -1), nullptr);
    EXPECT_EQ(PasteInserter::FindBarInTrack(nullptr, 0), nullptr);
}

}  // namespace
}  // namespace quaverly
