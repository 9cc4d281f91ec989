// Barline views: the barline rectangle on each row at the left or right edge of the bar,
// the joining pieces of joined rows, the stacking of attached symbols by placement,
// drawing with selection frames, hit tests, and selection mirrored into the barlines.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/barline_view.h"
#include "engine/model/symbol_mark.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;

constexpr int kW = m::kBarLineExtent.cx;
constexpr int kH = m::kBarLineHeight;
constexpr int kE = m::kBarLineExtent.cy;  // the height symbols stack on
constexpr int kSymbolH = m::kExtendSymbolHeight;

std::shared_ptr<SymbolMark> MakeSymbol(std::u16string text, int placement, int h = 0,
                                       int v = 0)
{
    auto symbol = std::make_shared<SymbolMark>();
    ExtendSymbol data;
    data.text = std::move(text);
    data.placement = placement;
    data.hOffset = h;
    data.vOffset = v;
    symbol->SetSymbolData(data);
    return symbol;
}

// The second bar of two rows: rows at y 2000 and 3500, the bar at x 1100, 1100 wide.
struct Rows {
    std::vector<std::shared_ptr<ScoreElement>> bars;
    std::vector<std::shared_ptr<ScoreElement>> barlines;

    Rows()
    {
        for (int r = 0; r < 2; ++r) {
            auto bar = std::make_shared<RecordingElement>("bar", nullptr);
            bar->SetOrigin({1000, 2000 + 1500 * r});
            bar->SetPosition({1100, 0});
            bar->SetRect({0, 0, 1100, kH});
            bars.push_back(bar);
            barlines.push_back(std::make_shared<RecordingElement>("barline", nullptr));
        }
    }

    std::shared_ptr<BarlineView> MakeView(int side, std::vector<std::shared_ptr<SymbolMark>> top = {},
                                          std::vector<std::shared_ptr<SymbolMark>> lower = {})
    {
        auto view = std::make_shared<BarlineView>(side);
        view->AppendBar({bars[0], barlines[0], 2, 7, std::move(top)});
        view->AppendBar({bars[1], barlines[1], 1, 0, std::move(lower)});
        view->SetOrigin({1000, 2000});
        return view;
    }
};

TEST(BarlineViewTest, EachRowGetsABarlineAtTheBarEdgeOfItsSide)
{
    struct Case {
        int side;
        int x;
    };
    for (const Case& c : {Case{barline_side::kLeft, 1100}, Case{barline_side::kRight, 2200 - kW}}) {
        SCOPED_TRACE(c.side);
        FakePainter painter;
        Rows rows;
        const auto view = rows.MakeView(c.side);
        view->Layout(painter);
        EXPECT_EQ(view->GetBarlineRects(),
                  (std::vector<Rect>{{c.x, 0, c.x + kW, kH}, {c.x, 1500, c.x + kW, 1500 + kH}}));
        EXPECT_TRUE(view->GetJoiningRects().empty());
        EXPECT_EQ(rows.barlines[0]->GetParent(), rows.bars[0].get());
    }
}

TEST(BarlineViewTest, JoinedRowsGetAPieceAcrossTheGapAndAllDrawWithTheFirstBarline)
{
    FakePainter painter;
    Rows rows;
    const auto view = rows.MakeView(barline_side::kLeft);
    view->AppendJoinedPair(0, 1);
    view->AppendJoinedPair(1, 5);  // rows that are not there join nothing
    view->AppendJoinedPair(1, 1);
    view->SetJoined(true);
    view->Layout(painter);
    EXPECT_EQ(view->GetJoiningRects(), (std::vector<Rect>{{1100, kH, 1100 + kW, 1500}}));
    EXPECT_EQ(view->GetType(), 7);
    EXPECT_EQ(view->GetColor(), 16);

    painter.Clear();
    view->Draw(painter);
    const int x = 2100;
    EXPECT_EQ(painter.DrawCalls(),
              (std::vector<PainterCall>{
                  {"DrawBarLine", {x, 2000, kH, 0, 2, 1, 16}, u""},
                  {"DrawRepeatBarLine", {x, 2000, kH, 0, 7, 1, 16}, u""},
                  {"DrawBarLine", {x, 3500, kH, 0, 2, 1, 16}, u""},
                  {"DrawRepeatBarLine", {x, 3500, kH, 0, 7, 1, 16}, u""},
                  {"DrawBarLine", {x, 2000 + kH, 1500 - kH, 0, 2, 1, 16}, u""}}));

    view->Select();
    painter.Clear();
    view->Draw(painter);
    EXPECT_EQ(painter.Count("DrawFrameRect"), 3);
    EXPECT_EQ(painter.CallsNamed("DrawFrameRect").at(2).ints,
              (std::vector<int>{x, 2000 + kH, x + kW, 3500, color_index::kSelected}));
}

TEST(BarlineViewTest, HitsInsideItsBarlinesAndJoiningPiecesEdgesIncluded)
{
    FakePainter painter;
    Rows rows;
    const auto view = rows.MakeView(barline_side::kLeft);
    view->AppendJoinedPair(0, 1);
    view->Layout(painter);
    EXPECT_TRUE(view->HitTest({2100, 2000}));
    EXPECT_TRUE(view->HitTest({2100 + kW, 2000 + kH}));
    EXPECT_TRUE(view->HitTest({2150, 3000}));  // the joining piece
    EXPECT_TRUE(view->HitTest({2150, 3600}));
    EXPECT_FALSE(view->HitTest({2099, 2100}));
    EXPECT_FALSE(view->HitTest({2150, 3500 + kH + 1}));
}

TEST(BarlineViewTest, SymbolsStackAroundTheirOwnRowsBarlineByPlacement)
{
    FakePainter painter;
    Rows rows;
    auto above1 = MakeSymbol(u"a", symbol_placement::kAbove);
    auto above2 = MakeSymbol(u"bb", symbol_placement::kAbove, 10, 5);
    auto below = MakeSymbol(u"c", symbol_placement::kBelow);
    auto left1 = MakeSymbol(u"dd", symbol_placement::kLeft);
    auto left2 = MakeSymbol(u"e", symbol_placement::kLeft);
    auto right = MakeSymbol(u"f", symbol_placement::kRight);
    auto other = MakeSymbol(u"g", 9);
    auto lowerAbove = MakeSymbol(u"h", symbol_placement::kAbove);
    const auto view = rows.MakeView(barline_side::kLeft,
                                    {above1, above2, below, left1, left2, right, other},
                                    {lowerAbove});
    view->Layout(painter);
    const int middle = (kE - kSymbolH) / 2;
    struct Case {
        const char* name;
        std::shared_ptr<SymbolMark> symbol;
        Point position;
    };
    const Case cases[] = {
        {"first above", above1, {-50, -kSymbolH}},
        {"second above, on the first, shifted", above2, {-100 + 10, -2 * kSymbolH - 5}},
        {"below", below, {-50, kE}},
        {"first left", left1, {-200, middle}},
        {"second left", left2, {-300, middle}},
        {"right", right, {0, middle}},
        {"unknown placement", other, {0, 0}},
        {"the lower row's own stack", lowerAbove, {-50, -kSymbolH}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.symbol->GetPosition(), c.position);
    }
    EXPECT_EQ(above1->GetOrigin(), (Point{2100, 2000}));
    EXPECT_EQ(lowerAbove->GetOrigin(), (Point{2100, 3500}));
    EXPECT_EQ(above1->GetParent(), rows.barlines[0].get());

    painter.Clear();
    view->Draw(painter);
    EXPECT_EQ(painter.Count("DrawExtendSymbol"), 8);

    // A press on a symbol reaches it through the view.
    int handled = 0;
    view->OnButtonDown({2100 - 50 + 10, 3500 - kSymbolH + 10}, 0, handled);
    EXPECT_EQ(lowerAbove->GetState(), element_state::kSelected);
}

TEST(BarlineViewTest, StateAndColourAreMirroredIntoTheBarlines)
{
    Rows rows;
    const auto view = rows.MakeView(barline_side::kRight);
    view->SetState(element_state::kSelected);
    view->SetColor(color_index::kSelected);
    for (const auto& barline : rows.barlines) {
        EXPECT_EQ(barline->GetState(), element_state::kSelected);
        EXPECT_EQ(barline->GetColor(), color_index::kSelected);
    }
}

TEST(BarlineViewTest, WithoutBarsItNeitherLaysOutNorDraws)
{
    FakePainter painter;
    BarlineView view(barline_side::kLeft);
    view.AppendBar({nullptr, nullptr, 1, 0, {}});
    view.AppendJoinedPair(0, 1);
    view.Layout(painter);
    view.Draw(painter);
    EXPECT_TRUE(view.GetBars().empty());
    EXPECT_TRUE(view.GetBarlineRects().empty());
    EXPECT_TRUE(painter.DrawCalls().empty());
    EXPECT_EQ(view.GetType(), 0);
    EXPECT_FALSE(view.HitTest({0, 0}));
}

}  // namespace
}  // namespace quaverly
