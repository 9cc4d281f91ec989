// The symbol grid on its own: the scroll range, page and position for item counts that
// fit and that do not, the first index the scroll codes and the scroll bar give, what a
// press and a double click select and the order of the notices they post, and a client
// too small for one cell.
#include "app/dialogs/symbol_grid_wnd.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <limits>

#include "tests/app/dialogs/dialog_test_util.h"

namespace {

using brindle::CSymbolGridWnd;
using brindle::test::ProcessEvents;
using brindle::test::RecordingDialog;
using platform::MessageId;

class SymbolGridTest : public ::testing::Test {
protected:
    SymbolGridTest()
    {
        for (MessageId m : {CSymbolGridWnd::kMsgSelChanged, CSymbolGridWnd::kMsgDblClick, CSymbolGridWnd::kMsgScrolled})
            owner.Record(m);
        grid = new CSymbolGridWnd(&owner);
        grid->SetOwner(&owner.Port());
        // Five columns of three rows without the scroll bar, four columns beside it.
        const int frame = grid->frameWidth();
        grid->setFixedSize(5 * 40 + 2 * frame, 3 * 40 + 2 * frame);
    }

    // The owner's refill: the items from the first index on, `text` numbered by item.
    void Fill(int count)
    {
        grid->ClearAll();
        grid->SetItemCount(count);
        grid->UpdateScrollBar();
        Refill();
    }
    void Refill()
    {
        grid->ClearCells();
        for (int k = 0; k < grid->GetCapacity() && grid->GetFirstIndex() + k < grid->GetItemCount(); ++k) {
            quaverly::LogFont font;
            font.height = -20;
            font.SetFaceName(u"Tansy");
            grid->AddItem(font, std::u16string(1, static_cast<char16_t>(u'A' + (grid->GetFirstIndex() + k) % 26)));
        }
        grid->LayoutCells();
    }
    std::vector<MessageId> Received()
    {
        ProcessEvents();
        std::vector<MessageId> ids;
        for (const auto& m : owner.received)
            ids.push_back(m.message);
        owner.received.clear();
        return ids;
    }
    QPoint ClientPoint(int x, int y) const { return grid->ClientRect().topLeft() + QPoint(x, y); }
    void Send(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, QPointF(at), QPointF(grid->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid, &event);
    }

    RecordingDialog owner;
    CSymbolGridWnd* grid;
};

TEST_F(SymbolGridTest, ScrollRangeAndPageByItemCount)
{
    struct Case {
        int count;
        bool bar;
        int columns;
        int max;
        unsigned page;
    };
    const Case cases[] = {
        {0, false, 5, 0, 0},
        {15, false, 5, 0, 0},   // exactly a page
        {16, true, 4, 3, 3},    // four columns beside the bar: rows 0 .. 3
        {17, true, 4, 4, 3},
        {100, true, 4, 24, 3},
    };
    for (const Case& c : cases) {
        Fill(c.count);
        EXPECT_EQ(grid->IsScrollBarShown(), c.bar) << c.count;
        EXPECT_EQ(!grid->ScrollBar()->isHidden(), c.bar) << c.count;
        EXPECT_EQ(grid->Columns(), c.columns) << c.count;
        EXPECT_EQ(grid->Rows(), 3) << c.count;
        EXPECT_EQ(grid->ScrollState().Min(), 0) << c.count;
        EXPECT_EQ(grid->ScrollState().Max(), c.max) << c.count;
        EXPECT_EQ(grid->ScrollState().Page(), c.page) << c.count;
        EXPECT_EQ(grid->ScrollState().Pos(), 0) << c.count;
        EXPECT_EQ(grid->GetFirstIndex(), 0) << c.count;
        EXPECT_EQ(static_cast<int>(grid->Cells().size()), std::min(c.count, grid->GetCapacity())) << c.count;
    }
}

TEST_F(SymbolGridTest, ScrollCodesMoveTheFirstIndexByRowsAndNotify)
{
    Fill(100);  // 25 rows of 4, 3 shown: positions 0 .. 22
    struct Step {
        int code;
        int thumb;
        int pos;
    };
    const Step steps[] = {
        {platform::kSbLineDown, 0, 1},      {platform::kSbPageDown, 0, 4},     {platform::kSbLineUp, 0, 3},
        {platform::kSbBottom, 0, 22},       {platform::kSbPageUp, 0, 19},      {platform::kSbThumbTrack, 30, 22},
        {platform::kSbThumbPosition, 7, 7}, {platform::kSbTop, 0, 0},          {platform::kSbThumbTrack, -4, 0},
    };
    int before = 0;
    for (const Step& s : steps) {
        grid->OnVScroll(s.code, s.thumb);
        EXPECT_EQ(grid->ScrollState().Pos(), s.pos) << s.code;
        EXPECT_EQ(grid->ScrollBar()->value(), s.pos) << s.code;
        EXPECT_EQ(grid->GetFirstIndex(), 4 * s.pos) << s.code;
        // Only a change of the first index is told.
        const auto expected = s.pos == before ? std::vector<MessageId>{}
                                              : std::vector<MessageId>{CSymbolGridWnd::kMsgScrolled};
        EXPECT_EQ(Received(), expected) << s.code;
        before = s.pos;
    }
    // An end-of-scroll code moves nothing.
    grid->OnVScroll(platform::kSbEndScroll);
    EXPECT_EQ(grid->GetFirstIndex(), 0);
    EXPECT_TRUE(Received().empty());
}

TEST_F(SymbolGridTest, TheScrollBarsOwnActionsScrollTheGrid)
{
    Fill(100);
    grid->ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->GetFirstIndex(), 4);
    grid->ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid->GetFirstIndex(), 16);
    grid->ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(grid->GetFirstIndex(), 88);
    EXPECT_EQ(grid->ScrollBar()->value(), 22);
    EXPECT_EQ(Received(), (std::vector<MessageId>{CSymbolGridWnd::kMsgScrolled, CSymbolGridWnd::kMsgScrolled,
                                                  CSymbolGridWnd::kMsgScrolled}));
}

TEST_F(SymbolGridTest, TheWheelOverTheCellsTurnsTheScrollBar)
{
    Fill(100);
    const QPointF at(ClientPoint(20, 20));
    QWheelEvent down(at, grid->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &down);
    EXPECT_GT(grid->GetFirstIndex(), 0);
    EXPECT_EQ(grid->GetFirstIndex(), 4 * grid->ScrollState().Pos());
    EXPECT_EQ(Received(), std::vector<MessageId>{CSymbolGridWnd::kMsgScrolled});
}

TEST_F(SymbolGridTest, SetFirstIndexStartsTheRowItFallsInWithinTheRange)
{
    Fill(100);
    const struct {
        int index;
        int pos;
    } cases[] = {{10, 2}, {8, 2}, {0, 0}, {-5, 0}, {99, 22}, {1000, 22}};
    for (const auto& c : cases) {
        grid->SetFirstIndex(c.index);
        EXPECT_EQ(grid->ScrollState().Pos(), c.pos) << c.index;
        EXPECT_EQ(grid->GetFirstIndex(), 4 * c.pos) << c.index;
    }
    EXPECT_TRUE(Received().empty());
    // With every item on the page there is nothing to scroll.
    Fill(10);
    grid->SetFirstIndex(5);
    EXPECT_EQ(grid->GetFirstIndex(), 0);
}

TEST_F(SymbolGridTest, CellsRunLeftToRightThenDown)
{
    Fill(7);
    ASSERT_EQ(grid->Cells().size(), 7u);
    const platform::Point origins[] = {{0, 0}, {40, 0}, {80, 0}, {120, 0}, {160, 0}, {0, 40}, {40, 40}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(grid->Cells()[i]->origin, origins[i]) << i;
        EXPECT_EQ(grid->Cells()[i]->rect, (platform::Rect{0, 0, 40, 40})) << i;
        EXPECT_EQ(grid->Cells()[i]->font.charSet, 1);
        EXPECT_EQ(grid->Cells()[i]->font.quality, 4);
    }
}

TEST_F(SymbolGridTest, PressSelectsTheCellUnderThePointAndNotifies)
{
    Fill(100);
    grid->OnVScroll(platform::kSbThumbTrack, 2);
    Refill();
    Received();
    Send(QEvent::MouseButtonPress, ClientPoint(50, 45));  // column 1, row 1
    Send(QEvent::MouseButtonRelease, ClientPoint(50, 45));
    EXPECT_EQ(grid->GetSelectedItem(), 8 + 4 + 1);
    EXPECT_EQ(grid->GetSelectedText(), std::u16string(1, u'A' + 13));
    quaverly::LogFont font;
    grid->GetSelectedFont(font);
    EXPECT_EQ(font.FaceName(), u"Tansy");
    EXPECT_EQ(Received(), std::vector<MessageId>{CSymbolGridWnd::kMsgSelChanged});

    // Past the last column (the client is wider than four cells) nothing is selected, and
    // the notice still comes.
    Send(QEvent::MouseButtonPress, ClientPoint(grid->ClientRect().width() - 2, 10));
    EXPECT_EQ(grid->GetSelectedItem(), -1);
    EXPECT_EQ(grid->GetSelectedText(), u"");
    grid->GetSelectedFont(font);
    EXPECT_EQ(font, quaverly::LogFont{});
    EXPECT_EQ(Received(), std::vector<MessageId>{CSymbolGridWnd::kMsgSelChanged});
}

TEST_F(SymbolGridTest, ClickBelowTheLastCellSelectsNothing)
{
    Fill(3);
    grid->SelectItem(1);
    EXPECT_EQ(grid->GetSelectedItem(), 1);
    Send(QEvent::MouseButtonPress, ClientPoint(20, 60));
    EXPECT_EQ(grid->GetSelectedItem(), -1);
    EXPECT_EQ(Received(), std::vector<MessageId>{CSymbolGridWnd::kMsgSelChanged});
}

TEST_F(SymbolGridTest, DoubleClickPostsThePressNoticeThenTheDoubleClick)
{
    Fill(6);
    const QPoint at = ClientPoint(90, 10);
    Send(QEvent::MouseButtonPress, at);
    Send(QEvent::MouseButtonRelease, at);
    Send(QEvent::MouseButtonDblClick, at);
    Send(QEvent::MouseButtonRelease, at);
    EXPECT_EQ(grid->GetSelectedItem(), 2);
    EXPECT_EQ(Received(), (std::vector<MessageId>{CSymbolGridWnd::kMsgSelChanged, CSymbolGridWnd::kMsgDblClick}));
}

TEST_F(SymbolGridTest, SelectItemOffThePageMarksNothing)
{
    Fill(100);
    grid->SelectItem(12);
    EXPECT_EQ(grid->GetSelectedItem(), -1);
    grid->SelectItem(-1);
    EXPECT_EQ(grid->GetSelectedItem(), -1);
    grid->SelectItem(11);
    EXPECT_EQ(grid->GetSelectedItem(), 11);
}

TEST_F(SymbolGridTest, AClientSmallerThanACellNeverDividesByZero)
{
    grid->setFixedSize(30, 30);
    Fill(5);
    EXPECT_EQ(grid->GetCapacity(), 0);
    EXPECT_TRUE(grid->IsScrollBarShown());
    EXPECT_EQ(grid->ScrollState().Max(), 4);  // one item per row
    grid->SetFirstIndex(3);
    grid->OnVScroll(platform::kSbPageDown);
    grid->OnVScroll(platform::kSbBottom);
    EXPECT_GE(grid->GetFirstIndex(), 0);
    EXPECT_LE(grid->GetFirstIndex(), 5);
    Refill();
    EXPECT_TRUE(grid->Cells().empty());
    EXPECT_EQ(grid->GetSelectedItem(), -1);
    EXPECT_FALSE(grid->Render().isNull());
}

TEST_F(SymbolGridTest, AHugeFontFromADamagedFileIsDrawnAtAModestSize)
{
    Fill(0);
    quaverly::LogFont font;
    font.height = std::numeric_limits<int>::min();
    font.SetFaceName(u"Tansy");
    grid->AddItem(font, u"g");
    font.height = std::numeric_limits<int>::max();
    grid->AddItem(font, u"g");
    grid->LayoutCells();
    EXPECT_EQ(grid->Cells()[0]->font.height, std::numeric_limits<int>::min());
    EXPECT_FALSE(grid->Render().isNull());
}

TEST_F(SymbolGridTest, ClearAllForgetsItemsAndPage)
{
    Fill(100);
    grid->OnVScroll(platform::kSbPageDown);
    grid->ClearCells();
    EXPECT_EQ(grid->GetFirstIndex(), 12);
    EXPECT_EQ(grid->GetItemCount(), 100);
    grid->ClearAll();
    EXPECT_EQ(grid->GetFirstIndex(), 0);
    EXPECT_EQ(grid->GetItemCount(), 0);
    EXPECT_TRUE(grid->Cells().empty());
}

}  // namespace
