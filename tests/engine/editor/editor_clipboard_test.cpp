// Copy and paste through the exported factory: a selected block of bars is copied as a
// fragment's bytes, and bytes are pasted at the cursor as one undo step that appends the
// bars the fragment needs and that undo takes back whole.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/measure_range_exporter.h"
#include "engine/editor/score_fragment_reader.h"
#include "engine/layout/selection_range.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"
#include "engine/model/tie.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/engine/editor/editor_test_score.h"

namespace quaverly {
namespace {

using editor_test::kChanged;
using Notes = std::vector<std::shared_ptr<Note>>;

constexpr int kQ = note_length::kQuarter;
constexpr int kFinalBarline = 6;

class EditorClipboardTest : public editor_test::EditorFixture {
protected:
    // Two staves, four bars a line; bars 0 and 1 of both parts hold notes.
    void SetUp() override
    {
        NewTitledScore(u"对花", 2, 4);
        for (int part = 0; part < 2; ++part) {
            editor_test::AddNote(*Bar(part, 0), {2 + part, 0, kQ});
            editor_test::AddNote(*Bar(part, 0), {3, kQ, 3 * kQ, 0, 1});
            editor_test::AddNote(*Bar(part, 1), {5, 0, note_length::kWhole});
        }
        handle->Refresh();
        Run();
        Editor().history.Clear();
    }

    std::shared_ptr<quaverly::Bar> Bar(int part, int bar) const
    {
        return std::dynamic_pointer_cast<quaverly::Bar>(
            GetElementAtPath3(*Editor().score, part, 0, bar));
    }
    ScoreEditor& Editor() const { return *static_cast<ScoreEditor*>(handle.get()); }
    int BarCount() const { return handle->GetBarCount(); }

    // Selects the block as clicks on bars do (its notes report their selection).
    void Select(int firstPart, int firstBar, int lastPart, int lastBar)
    {
        Editor().layout->GetSelection()->SetFirst(firstPart, firstBar);
        Editor().layout->GetSelection()->Extend(lastPart, lastBar);
        listener.codes.clear();
    }
    std::vector<std::uint8_t> Copy()
    {
        std::vector<std::uint8_t> bytes;
        handle->CopySelection(bytes);
        return bytes;
    }
    // Puts the cursor on the bar, on the row of the part.
    void CursorOn(int bar, int part)
    {
        ASSERT_TRUE(Editor().PlaceCursorOnBar(bar));
        Editor().cursor.track = part;
    }
    void Paste(const std::vector<std::uint8_t>& bytes) { handle->Paste(bytes.data(), bytes.size()); }

    // The fragment of the block, to compare contents with.
    ScoreFragment Block(int firstPart, int firstBar, int lastPart, int lastBar) const
    {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(CopyBarRange(Editor().score, firstPart, firstBar, lastPart, lastBar, bytes));
        ScoreFragment fragment;
        EXPECT_TRUE(ReadScoreChunk(bytes, fragment));
        return fragment;
    }
};

TEST_F(EditorClipboardTest, CopyWithoutASelectionLeavesTheBytes)
{
    std::vector<std::uint8_t> bytes{1, 2, 3};
    handle->CopySelection(bytes);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    handle->CutSelection(0);
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_FALSE(handle->CanUndo());
}

TEST_F(EditorClipboardTest, ABlockPastedElsewhereIsOneUndoStep)
{
    Select(0, 0, 1, 1);
    const auto bytes = Copy();
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(listener.codes.empty());  // copying changes nothing
    const int bars = BarCount();
    ASSERT_GE(bars, 11);
    const Notes before = Bar(1, 9)->GetNotes();
    editor_test::AddNote(*Bar(0, 9), {7, 0, kQ});
    const Notes old = Bar(0, 9)->GetNotes();

    CursorOn(9, 0);
    Paste(bytes);
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    EXPECT_EQ(Block(0, 9, 1, 10), Block(0, 0, 1, 1));
    EXPECT_EQ(BarCount(), bars);
    EXPECT_EQ(Editor().history.UndoCount(), 1u);

    handle->Undo();
    Run();
    EXPECT_EQ(Bar(0, 9)->GetNotes(), old);
    EXPECT_EQ(Bar(1, 9)->GetNotes(), before);
    EXPECT_TRUE(Bar(0, 10)->GetNotes().empty());
    handle->Redo();
    Run();
    EXPECT_EQ(Block(0, 9, 1, 10), Block(0, 0, 1, 1));
}

// Pasting three bars at the last bar but one appends one bar to every part; the final
// barline moves to the new last bar. Undo takes the bar off and gives the old last bar
// its final barline back, in one step.
TEST_F(EditorClipboardTest, PastingPastTheEndAppendsBarsAndUndoTakesThemOff)
{
    Select(0, 0, 1, 2);
    const auto bytes = Copy();
    const int n = BarCount();
    ASSERT_EQ(Bar(0, n - 1)->GetBarline(1)->GetType(), kFinalBarline);

    CursorOn(n - 2, 0);
    Paste(bytes);
    Run();
    EXPECT_EQ(BarCount(), n + 1);
    EXPECT_EQ(Block(0, n - 2, 1, n), Block(0, 0, 1, 2));
    for (int part = 0; part < 2; ++part) {
        SCOPED_TRACE(part);
        EXPECT_NE(Bar(part, n - 1)->GetBarline(1)->GetType(), kFinalBarline);
        EXPECT_EQ(Bar(part, n)->GetBarline(1)->GetType(), kFinalBarline);
    }
    // The appended bar is laid out on a line.
    const auto LastLineEnd = [this] {
        return std::dynamic_pointer_cast<SystemNode>(Editor().lines.back())->GetBarRange().end;
    };
    EXPECT_EQ(LastLineEnd(), n + 1);
    EXPECT_EQ(Editor().history.UndoCount(), 1u);

    handle->Undo();
    Run();
    EXPECT_EQ(BarCount(), n);
    EXPECT_TRUE(Bar(0, n - 2)->GetNotes().empty());
    EXPECT_EQ(Bar(0, n - 1)->GetBarline(1)->GetType(), kFinalBarline);
    EXPECT_EQ(LastLineEnd(), n);
    handle->Redo();
    Run();
    EXPECT_EQ(BarCount(), n + 1);
    EXPECT_EQ(Block(0, n - 2, 1, n), Block(0, 0, 1, 2));
}

// A two-staff block pasted on the last row rewrites only that row's part.
TEST_F(EditorClipboardTest, StavesBeyondTheLastPartAreLeftOut)
{
    Select(0, 0, 1, 0);
    const auto bytes = Copy();
    CursorOn(5, 1);
    Paste(bytes);
    Run();
    EXPECT_TRUE(Bar(0, 5)->GetNotes().empty());
    EXPECT_EQ(Block(1, 5, 1, 5).staves[0], Block(0, 0, 0, 0).staves[0]);
}

// A tie into the bar that is pasted over comes off with the old notes and is back after
// the undo.
TEST_F(EditorClipboardTest, ATieIntoAPastedBarComesBackOnUndo)
{
    const auto part = std::dynamic_pointer_cast<Part>(GetElementAtPath2(*Editor().score, 0, 0));
    const Notes first = Bar(0, 0)->GetNotes();
    const Notes second = Bar(0, 1)->GetNotes();
    editor_test::AddTie(*part, Bar(0, 0), first.back(), Bar(0, 1), second.front());
    Select(0, 4, 0, 4);
    const auto bytes = Copy();

    CursorOn(1, 0);
    Paste(bytes);
    Run();
    EXPECT_TRUE(part->GetTies().empty());
    EXPECT_EQ(first.back()->GetTiedTo(), nullptr);
    handle->Undo();
    Run();
    ASSERT_EQ(part->GetTies().size(), 1u);
    EXPECT_EQ(first.back()->GetTiedTo(), second.front().get());
}

TEST_F(EditorClipboardTest, NothingIsPastedOffTheLayoutOrFromBadBytes)
{
    Select(0, 0, 0, 1);
    const auto bytes = Copy();
    struct Case {
        const char* name;
        CursorPosition cursor;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"cursor on the heading", {0, 0, 0, 0, 0}, bytes},
        {"cursor on no page", {7, 1, 0, 0, 0}, bytes},
        {"cursor past its line's bars", {0, 1, 0, 9, 0}, bytes},
        {"cursor on no row", {0, 1, 5, 0, 0}, bytes},
        {"bytes that are no fragment", {0, 1, 0, 0, 0}, {'R', 'I', 'F', 'F', 1, 2}},
        {"no bytes", {0, 1, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor().cursor = c.cursor;
        Paste(c.bytes);
        EXPECT_TRUE(listener.codes.empty());
        EXPECT_EQ(Editor().history.PendingCount(), 0u);
    }
    handle->Paste(nullptr, 12);
    EXPECT_TRUE(listener.codes.empty());
    EXPECT_FALSE(handle->CanUndo());
}

}  // namespace
}  // namespace quaverly
