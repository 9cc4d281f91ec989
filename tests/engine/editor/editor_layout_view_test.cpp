// The laid-out view after hand-made layout changes, undone and redone through the
// factory-made editor: what is drawn follows the values the history puts back.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/layout_mark_view.h"
#include "engine/model/lyric.h"
#include "engine/model/note_factory.h"
#include "tests/engine/editor/editor_ops_fixture.h"

namespace quaverly::editor_test {
namespace {

class EditorLayoutViewTest : public EditorOpsFixture {
protected:
    // Press, move and release through the editor, as the view passes the pointer on,
    // and draw once after the release.
    void Drag(Point from, const std::vector<Point>& steps)
    {
        handle->OnButtonDown(from, 0, 0);
        Point at = from;
        for (const Point step : steps) {
            at = OffsetPoint(at, step);
            handle->OnPointerMove(at, 0);
            Run();
        }
        handle->OnButtonUp(at, 0);
        Run();
    }

    static Point MiddleOf(const ScoreElement& element)
    {
        const Rect r = element.GetRect();
        return OffsetPoint(element.GetAbsolutePoint(),
                           {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
};

// A verse line dragged down on line 2 moves the verse's text there; undo puts it back
// where it was and redo moves it again, on the page that shows it.
TEST_F(EditorLayoutViewTest, UndoingAVerseLineDragMovesTheTextBack)
{
    NewScore();
    auto note = CreateNote(3);
    note->SetDuration(note_length::kQuarter);
    note->SetLyricText(0, u"啊");
    BarAt(4)->AddNote(note);
    handle->ShowLyricLineMarks(true);
    handle->Refresh();
    Run();
    Editor().history.Clear();
    const std::shared_ptr<Lyric> lyric = note->GetLyric(0);
    ASSERT_NE(lyric, nullptr);
    const auto textY = [&lyric] { return lyric->GetAbsolutePoint().y; };
    const int before = textY();

    const auto mark = LineAt(2)->GetTrack(0)->GetVerseMark(0);
    ASSERT_TRUE(mark->IsVisible());
    Drag(MiddleOf(*mark), {{0, 100}, {0, 200}});
    const int after = textY();
    ASSERT_EQ(after, before + 300);
    ASSERT_EQ(Editor().history.UndoCount(), 1u);

    handle->Undo();
    Run();
    EXPECT_EQ(textY(), before);
    handle->Redo();
    Run();
    EXPECT_EQ(textY(), after);
}

// A layout edit made on the last page that leaves fewer pages: the page shown goes with
// the cursor's bar to the page that now holds it, and the program is told as after any
// page change, so it never shows a page that is no more.
TEST_F(EditorLayoutViewTest, APageThatGoesAwayHandsOverToThePageOfTheCursor)
{
    NewScore();
    // Pages of two lines' height: the heading with lines 1 and 2, then 3 and 4, then 5.
    handle->SetPageContentSize(16000, kHeading + 2 * kLine + 100);
    handle->Repaginate();
    Run();
    ASSERT_EQ(Editor().layout->GetChildCount(), 3);
    handle->Navigate(1);  // the last bar, on the last page
    Run();
    handle->SetCurrentPage(2);
    Run();
    ASSERT_EQ(Editor().cursor.page, 2);
    listener.positions.clear();

    handle->SetBarsPerLine({10, true});
    Run();

    const int pages = Editor().layout->GetChildCount();
    ASSERT_LT(pages, 3);  // two lines of ten bars
    EXPECT_EQ(Editor().currentPage, Editor().cursor.page);
    EXPECT_LT(Editor().currentPage, pages);
    EXPECT_EQ(handle->GetCursorBarIndex(), 19);
    ASSERT_FALSE(listener.positions.empty());
    EXPECT_EQ(listener.positions.back().page, Editor().currentPage);
}

}  // namespace
}  // namespace quaverly::editor_test
