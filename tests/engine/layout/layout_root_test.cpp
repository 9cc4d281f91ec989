// The root of the laid-out score and the block selection it keeps: events and drawing
// reach the current page only, records from a page get its index, and clicks on bars
// set, grow and clear the block, which is drawn as one highlight column per bar.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/caret_line.h"
#include "engine/layout/guide_line.h"
#include "engine/layout/layout_root.h"
#include "engine/model/chord_note_list.h"
#include "tests/engine/layout/laid_out_score.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
using layout_test::MakeFilledScore;
using layout_test::MakeLaidOutRoot;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

struct PagesFixture {
    std::shared_ptr<RecordingElement::Log> log = std::make_shared<RecordingElement::Log>();
    std::shared_ptr<LayoutRoot> root = std::make_shared<LayoutRoot>();
    std::shared_ptr<RecordingElement> top = std::make_shared<RecordingElement>("top", nullptr);
    std::vector<std::shared_ptr<RecordingElement>> pages;

    PagesFixture()
    {
        for (int i = 0; i < 3; ++i) {
            pages.push_back(std::make_shared<RecordingElement>("page" + std::to_string(i), log));
            pages.back()->SetRect({0, 0, 100, 100});
            root->AppendChild(pages.back());
        }
        root->SetParent(top.get());
        top->HandleNotifications(0);
        FakePainter painter;
        root->Layout(painter);
        log->clear();
    }
};

TEST(LayoutRootTest, EventsAndDrawingReachOnlyTheCurrentPage)
{
    PagesFixture f;
    f.root->SetCurrentPage(1);
    FakePainter painter;
    int handled = 0;
    f.root->OnKeyDown(65, 0);
    f.root->OnInputEvent(1, 2);
    f.root->OnButtonDown({5, 5}, 0, handled);
    f.root->OnPointerMove({6, 6}, 0);
    f.root->OnButtonUp({6, 6}, 0);
    f.root->OnDoubleClick({6, 6}, 0, handled);
    f.root->Draw(painter);
    EXPECT_EQ(*f.log, (RecordingElement::Log{"page1.OnKeyDown", "page1.OnInputEvent",
                                             "page1.OnButtonDown", "page1.OnPointerMove",
                                             "page1.OnButtonUp", "page1.OnDoubleClick",
                                             "page1.RequestEdit", "page1.Draw"}));
    // A current index that is no page reaches nothing.
    for (int page : {3, -1, 250}) {
        f.log->clear();
        f.root->SetCurrentPage(page);
        f.root->OnKeyDown(65, 0);
        f.root->OnButtonDown({5, 5}, 0, handled);
        f.root->Draw(painter);
        EXPECT_TRUE(f.log->empty());
    }
}

TEST(LayoutRootTest, RecordsFromAPageGetItsIndexOrThePageItself)
{
    PagesFixture f;
    for (int notice : {id::kTimeSignatureDelete, id::kTrackPositionDrag, id::kStaffSpacingRelease,
                       id::kVerseOffsetDrag, id::kNoteOffsetChange, id::kLineBreakDelete}) {
        SCOPED_TRACE(notice);
        f.top->ClearReceived();
        NotificationPayload payload;
        ElementNotification record{notice, &payload, f.pages[2].get()};
        f.root->Notify(record);
        EXPECT_EQ(f.top->ReceivedRecords()[0].payload.pageIndex, 2);
        EXPECT_EQ(f.top->ReceivedRecords()[0].sender, f.root.get());
    }
    for (int notice : {id::kPageTextDelete, id::kPageTextMoved}) {
        f.top->ClearReceived();
        NotificationPayload payload;
        ElementNotification record{notice, &payload, f.pages[1].get()};
        f.root->Notify(record);
        EXPECT_EQ(f.top->ReceivedRecords()[0].payload.page, f.pages[1]);
    }
    // Page numbers have no upper limit.
    for (int i = 3; i < 151; ++i)
        f.root->AppendChild(std::make_shared<RecordingElement>("more", nullptr));
    f.top->ClearReceived();
    NotificationPayload payload;
    ElementNotification record{id::kSystemIndentRelease, &payload, f.root->GetChild(150).get()};
    f.root->Notify(record);
    EXPECT_EQ(f.top->ReceivedRecords()[0].payload.pageIndex, 150);
}

TEST(LayoutRootTest, ClearingRemovesThePagesAndTheBlockAndReturnsToPageZero)
{
    PagesFixture f;
    f.root->SetCurrentPage(2);
    f.root->GetSelection()->SetFirst(0, 1);
    f.root->GetSelection()->Extend(1, 2);
    f.root->ClearChildren();
    EXPECT_EQ(f.root->GetChildCount(), 0);
    EXPECT_EQ(f.root->GetCurrentPage(), 0);
    EXPECT_FALSE(f.root->GetSelection()->IsValid());
    EXPECT_EQ(f.pages[0]->GetParent(), nullptr);
}

// Three parts of six bars on two lines, [0, 3) and [3, 6), of one page.
struct BlockFixture {
    FakePainter painter;
    std::shared_ptr<Score> score = MakeFilledScore(3, 6);
    std::shared_ptr<LayoutRoot> root;
    std::shared_ptr<RecordingElement> top = std::make_shared<RecordingElement>("top", nullptr);

    explicit BlockFixture(int linesPerPage = 2)
    {
        root = MakeLaidOutRoot(score, painter, {{0, 3}, {3, 6}}, linesPerPage);
        root->SetParent(top.get());
        top->HandleNotifications(0);
    }
    std::shared_ptr<Bar> LaidBar(int part, int bar) const
    {
        const auto line = root->FindSystemOfBar(bar);
        return line->GetTrack(part)->GetBar(bar - line->GetBarRange().first);
    }
    Rect Placed(int part, int bar) const
    {
        const auto laid = LaidBar(part, bar);
        return laid->GetRect().Moved(laid->GetChildOrigin());
    }
    Point Centre(int part, int bar) const
    {
        const Rect r = Placed(part, bar);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(int part, int bar, int flags)
    {
        int handled = 0;
        root->OnButtonDown(Centre(part, bar), flags, handled);
        root->OnButtonUp(Centre(part, bar), flags);
    }
    void DoubleClick(int part, int bar)
    {
        int handled = 0;
        root->OnDoubleClick(Centre(part, bar), 0, handled);
    }
    std::vector<int> Corners() const
    {
        int a = 0, b = 0, c = 0, d = 0;
        root->GetSelection()->GetFirst(a, b);
        root->GetSelection()->GetLast(c, d);
        return {a, b, c, d};
    }
};

TEST(BlockSelectionTest, ClicksSetGrowKeepAndClearTheBlock)
{
    BlockFixture f;
    const int ctrl = input_flag::kKeepSelection;
    // A plain click on a bar with no block selects nothing.
    f.Click(1, 1, 0);
    EXPECT_EQ(f.root->GetAnchor(), (Point{1, 1}));
    EXPECT_EQ(f.Corners(), (std::vector<int>{-1, -1, -1, -1}));
    // A double click makes a block of that one bar.
    f.DoubleClick(1, 1);
    EXPECT_EQ(f.Corners(), (std::vector<int>{1, 1, 1, 1}));
    // Ctrl-click on a bar of the next line grows it to a rectangle covering both.
    f.Click(2, 4, ctrl);
    EXPECT_EQ(f.Corners(), (std::vector<int>{1, 1, 2, 4}));
    // A plain click on a bar inside the block's bars keeps it (grown by its part).
    f.Click(0, 2, 0);
    EXPECT_EQ(f.Corners(), (std::vector<int>{0, 1, 2, 4}));
    // Ctrl-click on empty paper keeps the block; a plain one clears it.
    int handled = 0;
    f.root->OnButtonDown({-5000, -5000}, ctrl, handled);
    EXPECT_EQ(f.Corners(), (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(f.root->GetAnchor().y, -1);
    // A plain click on a bar outside the block's bars clears it.
    f.Click(0, 5, 0);
    EXPECT_FALSE(f.root->GetSelection()->IsValid());
    // With no block at all, Ctrl-click starts one at that bar.
    f.Click(2, 3, ctrl);
    EXPECT_EQ(f.Corners(), (std::vector<int>{2, 3, 2, 3}));
    f.root->OnButtonDown({-5000, -5000}, 0, handled);
    EXPECT_FALSE(f.root->GetSelection()->IsValid());
}

TEST(BlockSelectionTest, ADoubleClickWithABlockRunsFromThatBarToTheLargerLastCorner)
{
    BlockFixture f;
    f.DoubleClick(1, 2);
    f.Click(2, 4, input_flag::kKeepSelection);
    f.DoubleClick(0, 3);
    EXPECT_EQ(f.Corners(), (std::vector<int>{0, 3, 2, 4}));
    f.DoubleClick(2, 5);
    EXPECT_EQ(f.Corners(), (std::vector<int>{2, 5, 2, 5}));
}

TEST(BlockSelectionTest, ExtendWidensComponentByComponentAndSelectsTheNotes)
{
    BlockFixture f;
    auto& block = *f.root->GetSelection();
    block.SetFirst(1, 5);
    block.Extend(1, 5);
    block.Extend(0, 3);
    int a = 0, b = 0;
    block.GetFirst(a, b);
    EXPECT_EQ((std::pair{a, b}), (std::pair{0, 3}));
    block.GetLast(a, b);
    EXPECT_EQ((std::pair{a, b}), (std::pair{1, 5}));
    EXPECT_TRUE(block.CoversBar(3));
    EXPECT_TRUE(block.CoversBar(5));
    EXPECT_FALSE(block.CoversBar(2));
    for (int p = 0; p < 3; ++p) {
        for (int bar = 0; bar < 6; ++bar) {
            const bool inside = p <= 1 && bar >= 3;
            for (const auto& note : f.LaidBar(p, bar)->GetNotes())
                EXPECT_EQ(note->GetState(), inside ? element_state::kSelected : element_state::kNormal)
                    << p << "," << bar;
        }
    }
    EXPECT_EQ(block.GetState(), element_state::kNormal);
}

TEST(BlockSelectionTest, SelectingTheBlockSelectsChordNotesToo)
{
    BlockFixture f;
    const auto note = f.LaidBar(0, 0)->GetNotes()[0];
    auto chord = CreateNote(5);
    note->GetChordNotes()->AddNote(chord);
    f.root->GetSelection()->Extend(0, 0);
    EXPECT_EQ(chord->GetState(), element_state::kSelected);
}

TEST(BlockSelectionTest, TheHighlightIsOneColumnPerBarClosedOnlyAtTheBlocksEnds)
{
    BlockFixture f;
    auto& block = *f.root->GetSelection();
    block.SetFirst(0, 1);
    block.Extend(1, 4);
    f.painter.Clear();
    f.root->Draw(f.painter);
    const auto& columns = block.GetColumns();
    ASSERT_EQ(columns.size(), 4U);
    for (int bar = 1; bar <= 4; ++bar) {
        SCOPED_TRACE(bar);
        const HighlightColumn& column = columns[static_cast<std::size_t>(bar - 1)];
        const Rect top = f.Placed(0, bar);
        const Rect bottom = f.Placed(1, bar);
        Rect expected{top.left, top.top - 300, top.right, bottom.bottom + 300};
        if (bar == 1)
            expected.left -= 300;
        if (bar == 4)
            expected.right += 300;
        EXPECT_EQ(column.rect, expected);
        EXPECT_EQ(column.closedLeft, bar == 1);
        EXPECT_EQ(column.closedRight, bar == 4);
        EXPECT_EQ(column.page, 0);
    }
    const auto frames = f.painter.CallsNamed("DrawOpenFrameRect");
    ASSERT_EQ(frames.size(), 4U);
    EXPECT_EQ(frames[0].ints[4], 1);  // closed left
    EXPECT_EQ(frames[0].ints[5], 0);
    EXPECT_EQ(frames[3].ints[5], 1);  // closed right
    EXPECT_EQ(frames[3].ints[6], color_index::kEditMark);
}

TEST(BlockSelectionTest, AOneBarBlockIsFramedAllRound)
{
    BlockFixture f;
    f.DoubleClick(2, 0);
    f.painter.Clear();
    f.root->Draw(f.painter);
    const Rect bar = f.Placed(2, 0);
    const auto frames = f.painter.CallsNamed("DrawOpenFrameRect");
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].ints, (std::vector<int>{bar.left - 300, bar.top - 300, bar.right + 300,
                                                bar.bottom + 300, 1, 1, color_index::kEditMark}));
}

TEST(BlockSelectionTest, ColumnsOnOtherPagesAreKeptButNotDrawn)
{
    BlockFixture f(1);  // one line to a page
    ASSERT_EQ(f.root->GetChildCount(), 2);
    auto& block = *f.root->GetSelection();
    block.SetFirst(0, 2);
    block.Extend(0, 3);
    f.painter.Clear();
    f.root->Draw(f.painter);
    ASSERT_EQ(block.GetColumns().size(), 2U);
    EXPECT_EQ(block.GetColumns()[1].page, 1);
    EXPECT_EQ(f.painter.Count("DrawOpenFrameRect"), 1);
    f.root->SetCurrentPage(1);
    f.painter.Clear();
    f.root->Draw(f.painter);
    const auto frames = f.painter.CallsNamed("DrawOpenFrameRect");
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].ints[5], 1);  // the last bar, closed on the right
}

TEST(BlockSelectionTest, ABlockOverDeletedBarsAndPartsShowsOnlyWhatIsLeft)
{
    BlockFixture f;
    auto& block = *f.root->GetSelection();
    block.SetFirst(1, 4);
    block.Extend(7, 40);  // parts and bars that do not exist
    EXPECT_TRUE(block.IsValid());
    f.painter.Clear();
    f.root->Draw(f.painter);
    ASSERT_EQ(block.GetColumns().size(), 2U);  // bars 4 and 5 are laid out
    EXPECT_EQ(block.GetColumns()[1].closedRight, false);  // bar 40 is the block's end

    // Bars taken out of their part after the layout are neither selected nor drawn.
    auto part = f.score->GetChild(1)->GetChild(0);
    part->RemoveChild(5);
    part->RemoveChild(4);
    block.Select();
    f.painter.Clear();
    f.root->Draw(f.painter);
    ASSERT_EQ(block.GetColumns().size(), 2U);
    for (const auto& column : block.GetColumns())
        EXPECT_EQ(column.rect.top, f.Placed(2, 4).top - 300);  // part 2 alone is left
}

TEST(BlockSelectionTest, AnEmptyBlockNeitherSelectsNorDraws)
{
    BlockFixture f;
    f.root->GetSelection()->Select();
    f.painter.Clear();
    f.root->Draw(f.painter);
    EXPECT_EQ(f.painter.Count("DrawOpenFrameRect"), 0);
    EXPECT_FALSE(f.root->GetSelection()->CoversBar(0));
    // A cleared block keeps no columns of its last drawing.
    f.DoubleClick(0, 0);
    f.root->Draw(f.painter);
    EXPECT_EQ(f.root->GetSelection()->GetColumns().size(), 1U);
    f.root->GetSelection()->Clear();
    f.root->Draw(f.painter);
    EXPECT_TRUE(f.root->GetSelection()->GetColumns().empty());
}

TEST(LayoutRootTest, FindsTheFirstLineThatHoldsABar)
{
    BlockFixture f(1);
    const auto line = f.root->FindSystemOfBar(4);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetBarRange(), (BarRange{3, 6}));
    EXPECT_EQ(f.root->GetChild(1)->GetChild(0), line);
    EXPECT_EQ(f.root->FindSystemOfBar(6), nullptr);
    EXPECT_EQ(f.root->FindSystemOfBar(-1), nullptr);
}

TEST(CaretLineTest, CaretAndGuideLinesDrawFromTheirPointWithoutTheOffset)
{
    FakePainter painter;
    CaretLine caret;
    caret.SetOrigin({100, 200});
    caret.SetPosition({10, 20});
    caret.SetOffset({999, 999});
    caret.Draw(painter);
    GuideLine guide;
    EXPECT_EQ(guide.GetColor(), color_index::kGuideLine);
    guide.SetOrigin({1, 2});
    guide.SetRect({50, 100, 50, 500});
    guide.Draw(painter);
    EXPECT_EQ(painter.DrawCalls(),
              (std::vector<fakes::PainterCall>{
                  {"DrawGuideLine", {110, 220, m::kBarLineHeight, color_index::kCaretLine}, u""},
                  {"DrawGuideLine2", {1, 2, 400, color_index::kGuideLine}, u""}}));
}

}  // namespace
}  // namespace quaverly
