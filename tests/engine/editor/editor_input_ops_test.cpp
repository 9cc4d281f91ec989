// Key and pointer input and cursor navigation through the exported factory: the
// navigation table, the keys the editor handles itself (arrows, Backspace), the keys it
// passes on, the pointer events that reach the input modes and the laid-out view, and
// the switch between input modes.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/input_position_commands.h"
#include "engine/layout/input_mode.h"
#include "engine/model/position_map.h"
#include "tests/engine/editor/editor_ops_fixture.h"

namespace quaverly {
namespace {

using Codes = std::vector<int>;
constexpr int kQuarter = note_length::kQuarter;
constexpr int kBackspace = 8;
constexpr int kCtrl = 1;
constexpr int kShift = 2;

// An input mode that counts what reaches it.
class CountingMode final : public InputMode {
public:
    using InputMode::InputMode;

    void Enter() override { calls.push_back("enter"); }
    void Leave() override { calls.push_back("leave"); }
    void OnKeyDown(int key, int) override { calls.push_back("key " + std::to_string(key)); }
    void OnInputEvent(int, int) override { calls.push_back("input"); }
    bool OnButtonDown(Point, int) override
    {
        calls.push_back("down");
        return false;
    }
    void OnPointerMove(Point, int) override { calls.push_back("move"); }
    void OnButtonUp(Point, int) override { calls.push_back("up"); }
    void OnDoubleClick(Point, int) override { calls.push_back("double"); }

    std::vector<std::string> calls;
};

class EditorInputOpsTest : public editor_test::EditorOpsFixture {
protected:
    // Pages of two lines: page 0 the heading, bars 0-3 and 4-7; page 1 bars 8-11 and
    // 12-15; page 2 bars 16-19.
    void PagedScore()
    {
        NewScore();
        handle->SetPageContentSize(16000, editor_test::kHeading + 2 * editor_test::kLine + 100);
        handle->Repaginate();
        Run();
        ASSERT_EQ(Editor().layout->GetChildCount(), 3);
    }

    // The paged score with notes at 0 and a quarter in bar 0 and a half note in bar 3.
    void PagedScoreWithNotes()
    {
        PagedScore();
        CursorOnBar(0);
        TypeAll({2, 3});
        CursorOnBar(3);
        Type(4, note_length::kHalf);
    }

    // Puts a counting mode in the place of mode `mode`.
    CountingMode& CountMode(int mode)
    {
        auto counting = std::make_shared<CountingMode>(Editor());
        Editor().modes[mode] = counting;
        return *counting;
    }

    // The centre of an element's rectangle on the page.
    static Point CentreOf(const ScoreElement& element)
    {
        const Rect r = element.GetRect().Moved(element.GetChildOrigin());
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
};

TEST_F(EditorInputOpsTest, NavigationMovesTheCursorOrLeavesItAndSaysSo)
{
    PagedScoreWithNotes();
    struct Case {
        const char* name;
        CursorPosition from;
        int index;
        CursorPosition to;
        Codes notices;
    };
    const Case cases[] = {
        {"first page", {1, 1, 0, 1, 0}, 0, {0, 1, 0, 0, 0}, {1}},
        {"last bar", {0, 1, 0, 0, 0}, 1, {2, 0, 0, 3, 0}, {1}},
        {"previous page to the first", {1, 1, 0, 1, kQuarter}, 2, {0, 1, 0, 0, 0}, {1}},
        {"previous page", {2, 0, 0, 2, 0}, 2, {1, 0, 0, 0, 0}, {1}},
        {"next page", {0, 1, 0, 2, 0}, 3, {1, 0, 0, 0, 0}, {1}},
        {"no page after the last", {2, 0, 0, 2, 0}, 3, {2, 0, 0, 2, 0}, {1}},
        {"previous bar in the line keeps the time", {0, 2, 0, 2, kQuarter}, 4,
         {0, 2, 0, 1, kQuarter}, {}},
        {"previous bar on the line before", {0, 2, 0, 0, kQuarter}, 4, {0, 1, 0, 3, 0}, {1}},
        {"no bar before the first", {0, 1, 0, 0, 0}, 4, {0, 1, 0, 0, 0}, {1}},
        {"next bar in the line", {0, 1, 0, 1, kQuarter}, 5, {0, 1, 0, 2, 0}, {}},
        {"next bar on the next page", {0, 2, 0, 3, 0}, 5, {1, 0, 0, 0, 0}, {1}},
        {"no bar after the last", {2, 0, 0, 3, 0}, 5, {2, 0, 0, 3, 0}, {1}},
        {"previous note in the bar", {0, 1, 0, 0, 2 * kQuarter}, 6, {0, 1, 0, 0, kQuarter}, {}},
        {"previous note: the end of the bar before", {0, 1, 0, 1, 0}, 6,
         {0, 1, 0, 0, 2 * kQuarter}, {1}},
        {"previous note: the end of a bar on the line before", {0, 2, 0, 0, 0}, 6,
         {0, 1, 0, 3, note_length::kHalf}, {1}},
        {"no note before the start", {0, 1, 0, 0, 0}, 6, {0, 1, 0, 0, 0}, {1}},
        {"next note: the end of the note at the time", {0, 1, 0, 0, 0}, 7,
         {0, 1, 0, 0, kQuarter}, {}},
        {"next note: the start of the next bar", {0, 1, 0, 0, 2 * kQuarter}, 7,
         {0, 1, 0, 1, 0}, {1}},
        {"no note after the end", {2, 0, 0, 3, 0}, 7, {2, 0, 0, 3, 0}, {1}},
        {"an index past 7 does nothing", {0, 1, 0, 2, 5}, 8, {0, 1, 0, 2, 5}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor().cursor = c.from;
        listener.codes.clear();
        EXPECT_TRUE(handle->Navigate(c.index));
        EXPECT_EQ(Editor().cursor, c.to);
        EXPECT_EQ(listener.codes, c.notices);
        Run();
    }
    EXPECT_EQ(handle->GetCurrentPage(), 0);
}

TEST_F(EditorInputOpsTest, CursorStepsGoOneElementForwardOrBack)
{
    PagedScoreWithNotes();
    struct Case {
        const char* name;
        bool forward;
        CursorPosition from;
        bool moved;
        CursorPosition to;
        Codes notices;
    };
    const Case cases[] = {
        {"next element of the bar", true, {0, 1, 0, 0, 0}, true, {0, 1, 0, 0, kQuarter}, {}},
        {"from between notes to the next", true, {0, 1, 0, 0, 10}, true, {0, 1, 0, 0, kQuarter}, {}},
        {"past the last element to the next bar", true, {0, 1, 0, 0, kQuarter}, true,
         {0, 1, 0, 1, 0}, {}},
        {"an empty bar to the next one", true, {0, 1, 0, 1, 0}, true, {0, 1, 0, 2, 0}, {}},
        {"into the next line's bar", true, {0, 1, 0, 3, 0}, true, {0, 2, 0, 0, 0}, {}},
        {"onto the next page", true, {0, 2, 0, 3, 0}, true, {1, 0, 0, 0, 0}, {}},
        {"no element after the last bar's", true, {2, 0, 0, 3, 0}, false, {2, 0, 0, 3, 0}, {1}},
        {"back to the element before", false, {0, 1, 0, 0, 2 * kQuarter}, true,
         {0, 1, 0, 0, kQuarter}, {}},
        {"back from inside a note to its start", false, {0, 1, 0, 0, 10}, true,
         {0, 1, 0, 0, 0}, {}},
        {"back to the last element of the bar before", false, {0, 1, 0, 1, 0}, true,
         {0, 1, 0, 0, kQuarter}, {}},
        {"back to an empty bar's start", false, {0, 1, 0, 2, 0}, true, {0, 1, 0, 1, 0}, {}},
        {"back onto the line before", false, {0, 2, 0, 0, 0}, true, {0, 1, 0, 3, 0}, {}},
        {"nothing before the first element", false, {0, 1, 0, 0, 0}, false, {0, 1, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor().cursor = c.from;
        listener.codes.clear();
        EXPECT_EQ(c.forward ? Editor().MoveCursorNext() : Editor().StepCursorBack(), c.moved);
        EXPECT_EQ(Editor().cursor, c.to);
        EXPECT_EQ(listener.codes, c.notices);
    }

    // The step command goes one element forward, and back on undo.
    Editor().cursor = {0, 1, 0, 0, kQuarter};
    StepCursorCommand step(&Editor());
    step.Do();
    EXPECT_EQ(Editor().cursor, (CursorPosition{0, 1, 0, 1, 0}));
    step.Do();
    EXPECT_EQ(Editor().cursor, (CursorPosition{0, 1, 0, 2, 0}));
    step.Undo();
    step.Undo();
    EXPECT_EQ(Editor().cursor, (CursorPosition{0, 1, 0, 0, kQuarter}));
}

TEST_F(EditorInputOpsTest, APageStepReportsTheCursorWhenTheQueueRuns)
{
    PagedScore();
    Editor().cursor = {0, 1, 0, 0, 0};
    handle->Navigate(3);
    listener.positions.clear();
    handle->RunPendingCommands(&painter);
    ASSERT_FALSE(listener.positions.empty());
    EXPECT_EQ(listener.positions.front(), (NoticePosition{1, 0, 0, 8, 0}));
    EXPECT_FALSE(handle->CanUndo());  // a cursor move is no undo step
}

TEST_F(EditorInputOpsTest, ArrowsMoveTheCursorByNotesAndRecordNothing)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3});
    const std::size_t steps = Editor().history.UndoCount();
    NoteAt(0, 0)->Select();
    CursorOnBar(0);
    listener.codes.clear();

    handle->OnKeyDown(key_code::kRight, 0);
    EXPECT_EQ(Editor().cursor.timeInBar, kQuarter);
    EXPECT_TRUE(Editor().selectedElements.empty());
    EXPECT_EQ(NoteAt(0, 0)->GetState(), element_state::kNormal);
    // The view repaints; the document is not marked changed.
    EXPECT_EQ(listener.codes.back(), EditorNoticeCode::ContentChanged);
    for (const int code : listener.codes)
        EXPECT_NE(code, EditorNoticeCode::DocumentModified);
    handle->OnKeyDown(key_code::kRight, kShift);
    EXPECT_EQ(Editor().cursor.timeInBar, 2 * kQuarter);
    handle->OnKeyDown(key_code::kLeft, 0);
    EXPECT_EQ(Editor().cursor.timeInBar, kQuarter);
    // The queue runs with the page's painter: the caret is reported, not drawn there.
    painter.Clear();
    listener.regions.clear();
    handle->RunPendingCommands(&painter);
    EXPECT_FALSE(listener.regions.empty());
    EXPECT_TRUE(painter.CallsNamed("DrawGuideLine2").empty());
    Run();
    EXPECT_EQ(Editor().history.UndoCount(), steps);
    EXPECT_TRUE(Editor().caretEnabled);
}

TEST_F(EditorInputOpsTest, CtrlWithAnArrowPassesTheKeyOnInsteadOfMovingTheCursor)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3});
    CountingMode& mode = CountMode(0);
    const auto note = NoteAt(0, 0);
    note->Select();
    const Point offset = note->GetOffset();
    CursorOnBar(0, kQuarter);
    const std::size_t steps = Editor().history.UndoCount();

    handle->OnKeyDown(key_code::kRight, kCtrl);
    Run();
    EXPECT_EQ(Editor().cursor.timeInBar, kQuarter);
    EXPECT_EQ(mode.calls, (std::vector<std::string>{"key 39"}));
    // The laid-out view got it too: the selected note was nudged, one undo step.
    EXPECT_GT(note->GetOffset().x, offset.x);
    EXPECT_EQ(Editor().history.UndoCount(), steps + 1);
}

TEST_F(EditorInputOpsTest, BackspaceDeletesTheNoteBeforeTheCursorWhateverTheModifiers)
{
    for (const int flags : {0, kCtrl | kShift}) {
        SCOPED_TRACE(flags);
        NewScore();
        CountingMode& mode = CountMode(0);
        CursorOnBar(0);
        TypeAll({2, 3, 4});
        CursorOnBar(0, 2 * kQuarter);
        handle->OnKeyDown(kBackspace, flags);
        Run();
        EXPECT_EQ(CodesOf(0), (Codes{2, 4}));
        EXPECT_EQ(Editor().cursor.timeInBar, kQuarter);
        EXPECT_TRUE(mode.calls.empty());
        // One undo step brings the note back.
        handle->Undo();
        Run();
        EXPECT_EQ(CodesOf(0), (Codes{2, 3, 4}));

        // At the start of a bar it steps back into the bar before and deletes nothing.
        CursorOnBar(1);
        const std::size_t steps = Editor().history.UndoCount();
        handle->OnKeyDown(kBackspace, flags);
        Run();
        EXPECT_EQ(handle->GetCursorBarIndex(), 0);
        EXPECT_EQ(Editor().cursor.timeInBar, 3 * kQuarter);
        EXPECT_EQ(CodesOf(0), (Codes{2, 3, 4}));
        EXPECT_EQ(Editor().history.UndoCount(), steps);
    }
}

TEST_F(EditorInputOpsTest, UpAndDownStepTheSelectedNotesOfTheBarAsOneUndoStep)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({8, 1, 2});  // 7, a rest, 1
    for (std::size_t i = 0; i < 3; ++i)
        NoteAt(0, i)->Select();
    CursorOnBar(0);
    listener.codes.clear();

    handle->OnKeyDown(key_code::kUp, 0);
    EXPECT_EQ(listener.codes, (Codes{3, 1}));
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{2, 1, 3}));
    EXPECT_EQ(NoteAt(0, 0)->GetOctave(), 1);  // 7 went up to the 1 above

    handle->OnKeyDown(key_code::kDown, 0);
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{8, 1, 2}));
    EXPECT_EQ(NoteAt(0, 0)->GetOctave(), 0);
    handle->OnKeyDown(key_code::kDown, 0);
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{7, 1, 8}));
    EXPECT_EQ(NoteAt(0, 2)->GetOctave(), -1);  // 1 went down to the 7 below

    handle->OnKeyDown(key_code::kUp, kShift);  // any modifier: nothing
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{7, 1, 8}));

    handle->Undo();  // one step takes back both notes of the last key
    Run();
    EXPECT_EQ(CodesOf(0), (Codes{8, 1, 2}));
    EXPECT_EQ(NoteAt(0, 2)->GetOctave(), 0);
}

TEST_F(EditorInputOpsTest, APressMovesTheCursorAndReachesTheView)
{
    NewScore();
    CursorOnBar(5);
    TypeAll({2, 3});
    Editor().cursor = {0, 1, 0, 0, 0};
    listener.codes.clear();

    // Mode 0 moves the cursor silently; the view selects the note under the pointer.
    const auto note = NoteAt(5, 1);
    handle->OnButtonDown(CentreOf(*note), 0, 0);
    EXPECT_EQ(handle->GetCursorBarIndex(), 5);
    EXPECT_EQ(Editor().cursor.timeInBar, kQuarter);
    EXPECT_EQ(note->GetState(), element_state::kSelected);
    for (const int code : listener.codes) {
        EXPECT_NE(code, EditorNoticeCode::CursorPositionChanged);
        EXPECT_NE(code, EditorNoticeCode::RegionChanged);
    }

    // Mode 1 reports where the cursor went and which bar to repaint.
    handle->SetInputMode(1);
    listener.codes.clear();
    handle->OnButtonDown(CentreOf(*BarAt(9)), 0, 0);
    EXPECT_EQ(handle->GetCursorBarIndex(), 9);
    EXPECT_EQ(listener.codes.front(), EditorNoticeCode::CursorPositionChanged);
    ASSERT_FALSE(listener.positions.empty());
    EXPECT_EQ(listener.positions.back().bar, 9);
    EXPECT_EQ(listener.codes[1], EditorNoticeCode::RegionChanged);
}

TEST_F(EditorInputOpsTest, AnEditOnOneLineLeavesTheLaterLinesAsTheyWereLaidOut)
{
    // Lines cut by width, as a new score of the program has them: five bars a line.
    NewTitledScore(u"练习曲", 2, 0);
    ASSERT_EQ(LineAt(2)->GetBarRange().first, 5);
    ASSERT_EQ(LineAt(3)->GetBarRange().first, 10);
    CursorOnBar(5);
    TypeAll({2, 3, 4, 5});
    // The bars of lines 2 and 3 as their lines placed them: rectangles and time scale.
    // The walk stops at line 2, which stands, after measuring its bars and the first
    // bar of line 3.
    const auto placed = [this] {
        std::vector<std::pair<Rect, float>> bars;
        for (const std::size_t index : {2u, 3u}) {
            const auto line = LineAt(index);
            for (int row = 0; row < 2; ++row)
                for (int c = 0; c < line->GetTrack(row)->GetChildCount(); ++c) {
                    const auto bar = std::dynamic_pointer_cast<Bar>(line->GetTrack(row)->GetBar(c));
                    bars.emplace_back(bar->GetRect().Moved(bar->GetChildOrigin()),
                                      bar->GetPositionMap()->GetScale());
                }
        }
        return bars;
    };
    const auto before = placed();

    // Edits on line 1 that keep every line's bars: a dynamics mark and a typed note.
    CursorOnBar(0);
    ASSERT_TRUE(handle->SetDynamics(6));
    Run();
    EXPECT_EQ(placed(), before);
    Type(2);
    EXPECT_EQ(placed(), before);

    // So a press on line 2 still finds its bar and moves the cursor there.
    handle->OnButtonDown(CentreOf(*NoteAt(5, 1)), 0, 0);
    EXPECT_EQ(handle->GetCursorBarIndex(), 5);
    EXPECT_EQ(Editor().cursor.timeInBar, kQuarter);
}

TEST_F(EditorInputOpsTest, PointerEventsReachTheCurrentModeFirst)
{
    NewScore();
    CountingMode& zero = CountMode(0);
    CountingMode& two = CountMode(2);
    handle->OnInputEvent(1, 2);
    handle->OnButtonDown({10, 10}, 0, 0);
    handle->OnPointerMove({11, 11}, 0);
    handle->OnButtonUp({11, 11}, 0);
    handle->OnDoubleClick({11, 11}, 0, 0);
    handle->OnKeyDown('A', 0);
    EXPECT_EQ(zero.calls,
              (std::vector<std::string>{"input", "down", "move", "up", "double", "key 65"}));

    handle->SetInputMode(2);
    handle->SetInputMode(2);  // the same mode again: no leave, no enter
    handle->SetInputMode(7);  // no such mode: the current one stays
    handle->OnInputEvent(1, 2);
    EXPECT_EQ(zero.calls.back(), "leave");
    EXPECT_EQ(two.calls, (std::vector<std::string>{"enter", "input"}));
    EXPECT_EQ(Editor().currentMode, 2);
}

}  // namespace
}  // namespace quaverly
