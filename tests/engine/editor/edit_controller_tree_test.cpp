// The edit controller at the top of a laid-out score made through the factory: marks
// deleted, line marks moved, nudged, reshaped and deleted by their own views, and edit
// requests, each travelling up the real tree. Every finished edit is one undo step that
// undo and redo restore; line marks have their pieces made anew on every row they touch.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/commands/rewrite_bar_elements_command.h"
#include "engine/layout/header_node.h"
#include "engine/layout/barline_mark_view.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/tie_view_group.h"
#include "engine/layout/page_node.h"
#include "engine/layout/part_group_view.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/edit_mark.h"
#include "engine/model/element_path.h"
#include "engine/model/expression_text.h"
#include "engine/model/header_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/line_mark.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/part.h"
#include "engine/model/page_text.h"
#include "engine/model/page_text_view.h"
#include "engine/model/part_group.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "tests/engine/editor/editor_fixture.h"
#include "tests/engine/editor/pointer_gestures.h"

namespace quaverly {
namespace {

using editor_test::DragThroughEditor;
using editor_test::GrabPoint;
using editor_test::kChanged;
using editor_test::MiddleOf;
namespace id = notification_id;
namespace k = line_mark_kind;

class EditControllerTreeTest : public editor_test::EditorFixture {
public:
    // The cases of the tables reach the editor and the tree through these.
    using EditorFixture::handle;
    using EditorFixture::listener;
    using EditorFixture::painter;
    using EditorFixture::Run;
    // One staff, four bars a line: lines 1 to 5 show bars 0-3, 4-7, ... on page 0.
    void NewScore() { NewTitledScore(u"小河", 1, 4); }

    std::shared_ptr<SystemNode> Line(std::size_t index) const
    {
        auto& lines = static_cast<const ScoreEditor&>(*handle).lines;
        return index < lines.size() ? std::dynamic_pointer_cast<SystemNode>(lines[index])
                                    : nullptr;
    }
    std::shared_ptr<TrackNode> Row(std::size_t line) const
    {
        const auto system = Line(line);
        return system ? system->GetTrack(0) : nullptr;
    }
    std::shared_ptr<Part> ThePart() const
    {
        return std::dynamic_pointer_cast<Part>(GetElementAtPath2(*Editor().score, 0, 0));
    }
    std::shared_ptr<Bar> BarAt(int bar) const
    {
        return std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*Editor().score, 0, 0, bar));
    }
    ScoreEditor& Editor() const { return *static_cast<ScoreEditor*>(handle.get()); }

    void CursorAt(int line, int barInLine)
    {
        Editor().cursor.page = 0;
        Editor().cursor.line = line;
        Editor().cursor.barInLine = barInLine;
        Editor().cursor.timeInBar = 0;
    }

    // Adds the line mark to the part and lays the score out again, so the rows make
    // their views of it.
    std::shared_ptr<LineMark> AddMark(int kind, int bar, int time, int duration)
    {
        auto mark = CreateLineMark(kind);
        mark->SetBar(bar);
        mark->SetTimePosition(time);
        mark->SetDuration(duration);
        ThePart()->AddLineMark(mark);
        handle->Refresh();
        Run();
        Editor().history.Clear();
        return mark;
    }

    // The row's view of the mark; none when the row shows no piece of it.
    static std::shared_ptr<LineMarkView> ViewOf(const std::shared_ptr<TrackNode>& row,
                                                const std::shared_ptr<LineMark>& mark)
    {
        if (!row)
            return nullptr;
        for (const auto& view : row->GetLineMarkViews())
            if (view->GetLineMark() == mark)
                return view;
        return nullptr;
    }

    // A point on the handle, just inside its right edge.
    static Point OnHandle(const LayoutMarkG& handle)
    {
        const Point at = handle.GetAbsolutePoint();
        const Rect r = handle.GetRect();
        return {at.x + r.right - 1, at.y + (r.top + r.bottom) / 2};
    }

    static Point StartOf(const LineMarkView& view)
    {
        return OffsetPoint(view.GetAbsolutePoint(), view.GetStartPoint());
    }

    static void Drag(LineMarkView& view, Point from, const std::vector<Point>& to)
    {
        int handled = 0;
        view.OnButtonDown(from, 0, handled);
        for (Point p : to)
            view.OnPointerMove(p, 0);
        view.OnButtonUp(to.empty() ? from : to.back(), 0);
    }

    // The finished edit was one undo step; undo gives the state before, redo the state
    // after, each laid out.
    template <class State>
    void ExpectOneStep(const std::function<State()>& state, const State& before)
    {
        Run();
        const State after = state();
        EXPECT_NE(after, before);
        EXPECT_EQ(Editor().history.UndoCount(), 1u);
        handle->Undo();
        Run();
        EXPECT_EQ(state(), before);
        handle->Redo();
        Run();
        EXPECT_EQ(state(), after);
    }
};

// --- Marks of the score deleted with the Delete key ---

TEST_F(EditControllerTreeTest, DeletingScoreMarksIsOneStepEach)
{
    struct Case {
        const char* name;
        std::function<void(EditControllerTreeTest&)> add;  // puts the mark on line 2
        std::function<std::shared_ptr<ScoreElement>(EditControllerTreeTest&)> find;
        std::function<bool(EditControllerTreeTest&)> present;  // in the model and the view
    };
    // A mark a line shows from a list of its own: found in line 2's list; present while
    // the score's list and the line's (which was laid out again) hold one at bar 4.
    const auto lineListCase = [](const char* name, std::function<void(EditControllerTreeTest&)> add,
                                 auto lineList, auto scoreList) {
        const auto atBar4 = [](const auto& list) {
            return std::any_of(list.begin(), list.end(),
                               [](const auto& mark) { return GetFlagValue(*mark) == 4; });
        };
        return Case{name, std::move(add),
                    [lineList](EditControllerTreeTest& t) -> std::shared_ptr<ScoreElement> {
                        const auto& list = (t.Line(2).get()->*lineList)();
                        return list.empty() ? nullptr : list.front();
                    },
                    [=](EditControllerTreeTest& t) {
                        return atBar4((t.Editor().score.get()->*scoreList)()) &&
                               atBar4((t.Line(2).get()->*lineList)());
                    }};
    };
    const Case cases[] = {
        lineListCase("key signature", [](auto& t) { t.handle->SetKeySignature(3); },
                     &SystemNode::GetKeySignatures, &Score::GetKeySignatureList),
        lineListCase("tempo mark", [](auto& t) { t.handle->SetTempo(kTicksPerQuarter, 90); },
                     &SystemNode::GetTempoMarks, &Score::GetTempoMarkList),
        lineListCase("expression text", [](auto& t) { t.handle->SetTempoText(u"渐慢"); },
                     &SystemNode::GetExpressionTexts, &Score::GetExpressionTextList),
        {"time signature", [](auto& t) { t.handle->SetTimeSignature(3, 4); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(4)->GetTimeSignature(); },
         [](auto& t) {
             const auto meter = t.Editor().score->FindTimeSignature(4);
             return t.BarAt(4)->GetTimeSignature() != nullptr && meter && meter->beats == 3;
         }},
        {"title", [](auto&) {},
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Editor().score->GetTitleText(); },
         [](auto& t) { return t.handle->GetTitle() == u"小河"; }},
        {"instrument name", [](auto& t) { t.handle->SetInstrumentName(u"笛子", false); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Row(2)->GetInstrumentName(); },
         [](auto& t) { return t.Row(2)->GetInstrumentName() != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        CursorAt(2, 0);
        c.add(*this);
        Run();
        Editor().history.Clear();
        ASSERT_TRUE(c.present(*this));
        const auto element = c.find(*this);
        ASSERT_NE(element, nullptr);

        element->DeleteSelected();
        EXPECT_EQ(listener.codes, kChanged);
        Run();
        EXPECT_FALSE(c.present(*this));
        EXPECT_EQ(Editor().history.UndoCount(), 1u);
        handle->Undo();
        Run();
        EXPECT_TRUE(c.present(*this));
        handle->Redo();
        Run();
        EXPECT_FALSE(c.present(*this));
    }
}

TEST_F(EditControllerTreeTest, DeletingAHeaderTextBringsBackItsOffsetOnUndo)
{
    NewScore();
    const auto title = Editor().score->GetTitleText();
    title->SetOffset({40, -20});
    title->DeleteSelected();
    Run();
    EXPECT_EQ(title->GetText(), u"");
    EXPECT_EQ(title->GetOffset(), (Point{0, 0}));
    handle->Undo();
    Run();
    EXPECT_EQ(title->GetText(), u"小河");
    EXPECT_EQ(title->GetOffset(), (Point{40, -20}));
}

// --- Line marks edited through their views ---

struct MarkState {
    int bar, time, duration;
    float radian;
    Point offset;
    friend bool operator==(const MarkState&, const MarkState&) = default;
};

MarkState StateOf(const LineMark& mark)
{
    return {mark.GetBar(), mark.GetTimePosition(), mark.GetDuration(), mark.GetRadian(),
            mark.GetOffset()};
}

TEST_F(EditControllerTreeTest, LineMarkEditsAreOneStepEach)
{
    constexpr int kQ = kTicksPerQuarter;
    struct Case {
        const char* name;
        int kind;
        int bar, time, duration;
        std::function<void(EditControllerTreeTest&, LineMarkView&)> edit;
    };
    const Case cases[] = {
        {"nudge right", k::kCresc, 1, kQ, 2 * kQ, [](auto&, LineMarkView& v) { v.NudgeRight(); }},
        {"nudge down", k::kGlissando, 1, kQ, 2 * kQ,
         [](auto&, LineMarkView& v) { v.NudgeDown(); }},
        {"drag", k::kFlatSlur, 1, kQ, 2 * kQ,
         [](auto&, LineMarkView& v) {
             // On the bracket's line, near its start.
             const Rect bracket = v.GetRect().Moved(StartOf(v));
             const Point press{bracket.left + 50, bracket.top + 40};
             Drag(v, press, {OffsetPoint(press, {150, 0}), OffsetPoint(press, {400, 30})});
         }},
        {"reshape by the end handle", k::kGlissando, 1, kQ, 2 * kQ,
         [](auto&, LineMarkView& v) {
             const Point on = OnHandle(*v.GetEndHandle());
             Drag(v, on, {OffsetPoint(on, {200, 0}), OffsetPoint(on, {400, 100})});
         }},
        {"bulge", k::kSmoothSlur, 1, kQ, 2 * kQ,
         [](auto&, LineMarkView& v) {
             const Point on = OnHandle(*v.GetBulgeHandle());
             Drag(v, on, {OffsetPoint(on, {0, -50}), OffsetPoint(on, {0, -300})});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        const auto mark = AddMark(c.kind, c.bar, c.time, c.duration);
        const auto view = ViewOf(Row(1), mark);
        ASSERT_NE(view, nullptr);
        const MarkState before = StateOf(*mark);
        Editor().history.Clear();
        listener.codes.clear();

        c.edit(*this, *view);
        ASSERT_FALSE(listener.codes.empty());
        EXPECT_EQ(listener.codes.back(), EditorNoticeCode::DocumentModified);
        ExpectOneStep<MarkState>([&] { return StateOf(*mark); }, before);
    }
}

// A nudge moves the drawn start by one step: sideways the start time moves under it
// (what the snap to a time leaves, at most the step, stays in the offset); down keeps
// the time.
TEST_F(EditControllerTreeTest, ANudgeMovesTheDrawnStartByOneStep)
{
    struct Case {
        const char* name;
        void (LineMarkView::*nudge)();
        Point delta;
    };
    const Case cases[] = {
        {"right", &LineMarkView::NudgeRight, {kNudgeStep, 0}},
        {"left", &LineMarkView::NudgeLeft, {-kNudgeStep, 0}},
        {"down", &LineMarkView::NudgeDown, {0, kNudgeStep}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        const auto mark = AddMark(k::kCresc, 1, kTicksPerQuarter, 2 * kTicksPerQuarter);
        const auto view = ViewOf(Row(1), mark);
        ASSERT_NE(view, nullptr);
        const Point before = StartOf(*view);
        (view.get()->*c.nudge)();
        Run();
        const auto moved = ViewOf(Row(1), mark);
        ASSERT_NE(moved, nullptr);
        EXPECT_EQ(StartOf(*moved), OffsetPoint(before, c.delta));
        // The start time follows the move, as far as a time lies under the new x.
        if (c.delta.x > 0)
            EXPECT_GT(mark->GetTimePosition(), kTicksPerQuarter);
        else if (c.delta.x < 0)
            EXPECT_LE(mark->GetTimePosition(), kTicksPerQuarter);
        else
            EXPECT_EQ(mark->GetTimePosition(), kTicksPerQuarter);
        EXPECT_LE(std::abs(mark->GetOffset().x), kNudgeStep);
    }
}

TEST_F(EditControllerTreeTest, APressOnALineMarkOnlySelectsIt)
{
    NewScore();
    const auto mark = AddMark(k::kCresc, 1, kTicksPerQuarter, 2 * kTicksPerQuarter);
    const auto view = ViewOf(Row(1), mark);
    ASSERT_NE(view, nullptr);
    Editor().history.Clear();
    Drag(*view, OffsetPoint(StartOf(*view), {50, 0}), {});
    Run();
    EXPECT_EQ(mark->GetState(), element_state::kSelected);
    EXPECT_FALSE(handle->CanUndo());
}

// A mark running from line 1 into line 2: a move rebuilds the pieces of both rows, and
// a delete takes the pieces off both, in one step each.
TEST_F(EditControllerTreeTest, AMarkOverTwoLinesIsRebuiltOnBothRows)
{
    NewScore();
    const auto mark = AddMark(k::kCresc, 3, kTicksPerQuarter, 2 * kTicksPerWhole);
    const auto start = ViewOf(Row(1), mark);
    const auto end = ViewOf(Row(2), mark);
    ASSERT_NE(start, nullptr);
    ASSERT_NE(end, nullptr);
    Editor().history.Clear();

    start->NudgeRight();
    Run();
    EXPECT_EQ(Editor().history.UndoCount(), 1u);
    const auto movedStart = ViewOf(Row(1), mark);
    const auto movedEnd = ViewOf(Row(2), mark);
    ASSERT_NE(movedStart, nullptr);
    ASSERT_NE(movedEnd, nullptr);
    EXPECT_NE(movedStart, start);  // made anew with the mark's new start
    EXPECT_NE(movedEnd, end);
    EXPECT_GT(movedEnd->GetEndPoint().x, end->GetEndPoint().x);

    movedStart->DeleteSelected();
    Run();
    EXPECT_EQ(ViewOf(Row(1), mark), nullptr);
    EXPECT_EQ(ViewOf(Row(2), mark), nullptr);
    EXPECT_EQ(Editor().history.UndoCount(), 2u);
    handle->Undo();
    Run();
    EXPECT_NE(ViewOf(Row(1), mark), nullptr);
    EXPECT_NE(ViewOf(Row(2), mark), nullptr);
}

// A crescendo added at the cursor and stretched by its end handle: after undoing both
// steps and redoing them, the page shows the stretched mark, drawn as the same score
// shows when it is laid out afresh.
TEST_F(EditControllerTreeTest, ARedoneHandleDragIsDrawnWithTheDraggedLength)
{
    NewScore();
    CursorAt(1, 0);
    handle->AddLineMark(k::kCresc);
    Run();
    ASSERT_EQ(ThePart()->GetLineMarks().size(), 1u);
    const auto mark = ThePart()->GetLineMarks().front();
    const int added = mark->GetDuration();
    auto view = ViewOf(Row(1), mark);
    ASSERT_NE(view, nullptr);
    Drag(*view, OffsetPoint(StartOf(*view), {50, 0}), {});
    Run();
    view = ViewOf(Row(1), mark);
    ASSERT_NE(view, nullptr);
    const Point on = OnHandle(*view->GetEndHandle());
    Drag(*view, on, {OffsetPoint(on, {4000, 0}), OffsetPoint(on, {8000, 0})});
    Run();
    const int dragged = mark->GetDuration();
    ASSERT_GT(dragged, added);
    ASSERT_EQ(Editor().history.UndoCount(), 2u);

    // The drawn crescendo, its colour left out (a selected one is drawn in another).
    const auto drawn = [this] {
        painter.Clear();
        handle->Draw(&painter);
        std::vector<std::vector<int>> shapes;
        for (auto call : painter.CallsNamed("DrawCrescendo")) {
            call.ints.pop_back();
            shapes.push_back(call.ints);
        }
        return shapes;
    };
    const auto stretched = drawn();
    ASSERT_EQ(stretched.size(), 1u);
    for (int i = 0; i < 2; ++i) {
        handle->Undo();
        Run();
    }
    EXPECT_TRUE(drawn().empty());
    for (int i = 0; i < 2; ++i) {
        handle->Redo();
        Run();
    }
    EXPECT_EQ(mark->GetDuration(), dragged);
    EXPECT_EQ(drawn(), stretched);
    handle->Repaginate();
    Run();
    EXPECT_EQ(drawn(), stretched);
}

// Dragging a mark's start to the end of its line's last bar carries its end into the
// next line: that row gets the end piece when the drag is released.
TEST_F(EditControllerTreeTest, AMarkDraggedIntoTheNextLineShowsThereAfterTheRelease)
{
    NewScore();
    const auto mark = AddMark(k::kCresc, 2, 0, kTicksPerQuarter);
    const auto view = ViewOf(Row(1), mark);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(ViewOf(Row(2), mark), nullptr);
    const Point press = OffsetPoint(StartOf(*view), {10, 0});
    Drag(*view, press, {OffsetPoint(press, {30000, 0})});
    Run();
    EXPECT_EQ(mark->GetBar(), 3);
    EXPECT_NE(ViewOf(Row(2), mark), nullptr);
    EXPECT_EQ(Editor().history.UndoCount(), 1u);
    handle->Undo();
    Run();
    EXPECT_EQ(mark->GetBar(), 2);
    EXPECT_EQ(ViewOf(Row(2), mark), nullptr);
}

// --- Edit requests and handles ---

TEST_F(EditControllerTreeTest, VerseSelectionAsksTheLyricAtTheCursorForEditing)
{
    NewScore();
    auto note = CreateNote(3);
    note->SetDuration(kTicksPerQuarter);
    note->SetLyricText(1, u"啊");
    BarAt(4)->AddNote(note);
    handle->Refresh();
    Run();
    Editor().history.Clear();
    CursorAt(2, 0);
    handle->SetLyricVerse(1);
    Run();
    ASSERT_EQ(listener.requests.size(), 1u);
    const auto& request = listener.requests.front();
    EXPECT_EQ(request.code, id::kEditLyric);
    EXPECT_EQ(request.payload.text, u"啊");
    EXPECT_EQ(request.payload.verse, 1);
    EXPECT_EQ(request.payload.barIndex, 4);
    EXPECT_FALSE(handle->CanUndo());
}

TEST_F(EditControllerTreeTest, ASpacingHandleReleaseLetsGoOfEveryHandle)
{
    NewScore();
    handle->ShowLineSpacingMarks(true);
    const auto spacing = Row(2)->GetSpacingMark();
    const Rect r = spacing->GetRect();
    const Point on = OffsetPoint(spacing->GetAbsolutePoint(),
                                 {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    int handled = 0;
    spacing->OnButtonDown(on, 0, handled);
    spacing->OnPointerMove(OffsetPoint(on, {0, 100}), 0);
    ASSERT_FALSE(listener.codes.empty());  // the handle follows the pointer
    Run();
    const double before = ThePart()->GetStaffSize();

    NotificationPayload release;
    release.oldStaffSize = static_cast<int>(before);
    release.newStaffSize = static_cast<int>(before) + 300;
    release.part = ThePart();
    ElementNotification record{id::kStaffSpacingRelease, &release, nullptr};
    Editor().controller->Notify(record);
    Run();
    EXPECT_EQ(ThePart()->GetStaffSize(), before + 300);
    EXPECT_EQ(Editor().history.UndoCount(), 1u);

    // The lines were laid out anew; no handle follows the pointer any more.
    for (std::size_t line = 1; line <= 5; ++line) {
        SCOPED_TRACE(line);
        const auto mark = Row(line)->GetSpacingMark();
        mark->OnPointerMove(OffsetPoint(mark->GetAbsolutePoint(), {0, 500}), 0);
        EXPECT_TRUE(listener.codes.empty());
    }
    spacing->OnPointerMove(OffsetPoint(on, {0, 500}), 0);
    EXPECT_TRUE(listener.codes.empty());
}


// --- Handles and views dragged by the pointer ---

// Every handle of a line and of its rows, the width handle of a bar, a part group's
// bound and a page text: a drag released before the steps were drawn is one undo step
// with the value the pointer reached, and undo and redo give exactly the values before
// and after.
TEST_F(EditControllerTreeTest, AHandleDragReleasedBeforeARepaintIsOneStep)
{
    using State = std::vector<double>;
    struct Case {
        const char* name;
        int staves;
        std::function<void(EditControllerTreeTest&)> prepare;  // show the handle
        std::function<std::shared_ptr<ScoreElement>(EditControllerTreeTest&)> grab;
        std::vector<Point> steps;
        std::function<State(EditControllerTreeTest&)> state;
        State expected;  // the change the drag makes, from the state before
    };
    const auto offsetOf = [](Point p) { return State{double(p.x), double(p.y)}; };
    const Case cases[] = {
        {"line position", 1, [](auto& t) { t.handle->ShowLinePositionMarks(true); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Row(2)->GetPositionMark(); },
         {{0, 40}, {0, 60}},
         [=](auto& t) { return offsetOf(t.Row(2)->GetOffset()); },
         {0, 100}},
        {"line spacing", 1, [](auto& t) { t.handle->ShowLineSpacingMarks(true); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Row(2)->GetSpacingMark(); },
         {{0, 40}, {0, 60}},
         [](auto& t) { return State{t.ThePart()->GetStaffSize()}; },
         {100}},
        {"verse line", 1, [](auto& t) { t.handle->ShowLyricLineMarks(true); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Row(2)->GetVerseMark(0); },
         {{0, 30}, {0, 50}},
         [](auto& t) { return State{double(t.ThePart()->GetVerseOffset(0))}; },
         {80}},
        {"line indent", 1, [](auto& t) { t.handle->ShowIndentMarks(true); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Line(2)->GetIndentMark(); },
         {{200, 0}, {300, 0}},
         [=](auto& t) { return offsetOf(t.Line(2)->GetOffset()); },
         {500, 0}},
        {"line right end", 1, [](auto& t) { t.handle->ShowIndentMarks(true); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Line(2)->GetRightEndMark(); },
         {{-200, 0}, {-300, 0}},
         [=](auto& t) { return offsetOf(t.Line(2)->GetRightOffset()); },
         {-500, 0}},
        {"bar width", 1, [](auto& t) { t.handle->ShowBarWidthMarks(true); },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(5)->GetWidthMark(); },
         {{300, 0}, {300, 0}},
         [](auto& t) { return State{t.BarAt(5)->GetManualAdjust() > 0.0f ? 1.0 : 0.0}; },
         {1}},
        {"part group bound", 3,
         [](auto& t) {
             t.handle->AddGrouping(part_group_type::kBracket);
             t.Run();
             // The bound handles show while the group's view is selected.
             t.Line(1)->GetPartGroupViews().front()->Select();
             t.handle->Draw(&t.painter);
         },
         [](auto& t) -> std::shared_ptr<ScoreElement> {
             return t.Line(1)->GetPartGroupViews().front()->GetBottomHandle();
         },
         {{0, 0}},  // replaced below: down to the third row
         [](auto& t) {
             const auto& group = t.Editor().score->GetPartGroups().front();
             return State{double(group->GetFirstPart()), double(group->GetLastPart())};
         },
         {0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewTitledScore(u"小河", c.staves, 4);
        c.prepare(*this);
        Run();
        Editor().history.Clear();
        const auto grabbed = c.grab(*this);
        ASSERT_NE(grabbed, nullptr);
        const Point from = MiddleOf(*grabbed);
        std::vector<Point> steps = c.steps;
        if (c.staves > 1) {
            // To the middle of the third row's bar-line area.
            const auto row = Line(1)->GetTrack(2);
            ASSERT_NE(row, nullptr);
            steps = {{0, MiddleOf(*row).y - from.y}};
        }
        const State before = c.state(*this);
        DragThroughEditor(*handle, from, steps);
        Run();
        const State after = c.state(*this);
        State change(after.size());
        for (std::size_t i = 0; i < after.size() && i < before.size(); ++i)
            change[i] = after[i] - before[i];
        EXPECT_EQ(change, c.expected);
        EXPECT_EQ(Editor().history.UndoCount(), 1u);
        handle->Undo();
        Run();
        EXPECT_EQ(c.state(*this), before);
        handle->Redo();
        Run();
        EXPECT_EQ(c.state(*this), after);
    }
}

// Elements that move themselves, dragged or nudged by the arrow keys while selected: a
// drag is one step, and so is each nudge, also when the next key comes before the last
// nudge was drawn.
TEST_F(EditControllerTreeTest, MovesAndNudgesBeforeARepaintAreOneStepEach)
{
    struct Case {
        const char* name;
        int staves;
        std::function<void(EditControllerTreeTest&)> prepare;
        std::function<std::shared_ptr<ScoreElement>(EditControllerTreeTest&)> find;
        std::function<Point(EditControllerTreeTest&)> offset;  // in the model
        bool vertical = false;  // moves up and down only
    };
    const Case cases[] = {
        {"page text", 1,
         [](auto& t) {
             PageTextData text;
             text.rect = {2000, 3000, 5000, 3600};
             text.text = u"附注";
             t.handle->AddTextItem(text);
         },
         [](auto& t) -> std::shared_ptr<ScoreElement> {
             const auto page = std::dynamic_pointer_cast<PageNode>(t.Editor().layout->GetChild(0));
             return page->GetPageTextViews().front();
         },
         [](auto& t) { return t.Editor().score->GetPageTexts().front()->GetOffset(); }},
        {"part group", 3,
         [](auto& t) { t.handle->AddGrouping(part_group_type::kBracket); },
         [](auto& t) -> std::shared_ptr<ScoreElement> {
             return t.Line(1)->GetPartGroupViews().front();
         },
         [](auto& t) { return t.Editor().score->GetPartGroups().front()->GetOffset(); }},
        {"tie", 1,
         [](auto& t) {
             t.CursorAt(1, 1);
             t.handle->InputNote(3, 0, kTicksPerQuarter, 0, 0, 0, 0);
             t.handle->InputNote(3, 0, kTicksPerQuarter, 0, 0, 0, 0);
             t.Run();
             t.CursorAt(1, 1);
             t.handle->ToggleTie();
         },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.Row(1)->GetTieViews().front(); },
         [](auto& t) { return t.ThePart()->GetTies().front()->GetOffset(); }, true},
        {"barline mark", 1,
         [](auto& t) {
             t.BarAt(5)->GetBarline(1)->GetMark()->SetValue(3);
             t.handle->Refresh();
         },
         [](auto& t) -> std::shared_ptr<ScoreElement> {
             return t.BarAt(5)->GetBarlineMarkViews().front();
         },
         [](auto& t) { return t.BarAt(5)->GetBarline(1)->GetMark()->GetOffset(); }},
        {"note", 1,
         [](auto& t) {
             t.CursorAt(1, 1);
             t.handle->InputNote(3, 0, kTicksPerQuarter, 0, 0, 0, 0);
         },
         [](auto& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(1)->GetNotes().front(); },
         [](auto& t) { return t.BarAt(1)->GetNotes().front()->GetOffset(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewTitledScore(u"小河", c.staves, 4);
        c.prepare(*this);
        Run();
        Editor().history.Clear();
        auto element = c.find(*this);
        ASSERT_NE(element, nullptr);
        const Point start = c.offset(*this);
        const auto along = [&](Point p) { return c.vertical ? p.y : p.x; };
        const auto step = [&](int d) { return c.vertical ? Point{0, d} : Point{d, 0}; };
        const int key = c.vertical ? key_code::kDown : key_code::kRight;

        // A drag, released before it was drawn.
        DragThroughEditor(*handle, GrabPoint(*element), {step(40), step(60)});
        Run();
        const int dragged = along(c.offset(*this));
        EXPECT_EQ(dragged, along(start) + 100);
        EXPECT_EQ(Editor().history.UndoCount(), 1u);

        // Two nudges, the second before the first was drawn, on the element selected by a
        // click.
        element = c.find(*this);
        DragThroughEditor(*handle, GrabPoint(*element), {});
        Run();
        EXPECT_EQ(Editor().history.UndoCount(), 1u);
        ASSERT_EQ(element->GetState(), element_state::kSelected);
        handle->OnKeyDown(key, input_flag::kKeepSelection);
        handle->OnKeyDown(key, input_flag::kKeepSelection);
        Run();
        EXPECT_EQ(along(c.offset(*this)), dragged + 2 * kNudgeStep);
        EXPECT_EQ(Editor().history.UndoCount(), 3u);

        // Undo and redo hold also for an element that is no longer selected.
        DragThroughEditor(*handle, {-5000, -5000}, {});
        Run();
        EXPECT_EQ(Editor().history.UndoCount(), 3u);
        handle->Undo();
        Run();
        EXPECT_EQ(along(c.offset(*this)), dragged + kNudgeStep);
        handle->Undo();
        handle->Undo();
        Run();
        EXPECT_EQ(c.offset(*this), start);
        handle->Redo();
        handle->Redo();
        handle->Redo();
        Run();
        EXPECT_EQ(along(c.offset(*this)), dragged + 2 * kNudgeStep);
    }
}

}  // namespace
}  // namespace quaverly
