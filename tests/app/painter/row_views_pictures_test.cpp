// A specimen of the row views through the drawing device: three rows of a hand-laid part
// with line marks of every kind (whole, and cut into start, middle and end pieces at the
// line ends), ties within a row and across a line break, the barlines, a start line and
// a part group over a second part, saved as a PNG for people to look at:
//
//     build/bin/test_app_painter --gtest_filter='Specimen.RowViews*'
//
// writes build/bin/specimen/row_views.png (or into $BRINDLE_SPECIMEN_DIR).
#include "app/painter/gdi_score_painter.h"
#include "engine/layout/barline_view.h"
#include "engine/layout/line_mark_view_factory.h"
#include "engine/layout/part_group_view.h"
#include "engine/layout/system_start_line.h"
#include "engine/layout/tie_view_group.h"
#include "engine/layout/track_mark_views.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/position_map.h"
#include "engine/model/tie.h"
#include "tests/app/painter/hand_laid_part.h"
#include "tests/app/painter/painter_test_util.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

namespace {

using painter_test::Face;
using painter_test::SaveSpecimen;

using namespace quaverly;

constexpr double kZoom = 2.0;
constexpr int kPageWidth = 820;  // screen pixels at 100 %
constexpr int kPageHeight = 560;
constexpr int kBarWidth = painter_test::kHandBarWidth;
constexpr int kBarsPerRow = 3;
constexpr int kRows = 3;
constexpr int kQuarter = painter_test::kHandQuarter;
constexpr int kWhole = 4 * kQuarter;
constexpr Point kFirstRow{1200, 2600};
constexpr int kRowStep = 4000;   // from one line to the next
constexpr int kPartStep = 1500;  // from the first part's row to the second's

std::shared_ptr<Part> MakePart(ScorePainter& painter, int barCount, int pitch)
{
    return painter_test::HandLaidPart(painter, barCount, kBarsPerRow, [pitch](int n) { return pitch + (n == 3 ? 0 : n); });
}

void AddTie(Part& part, int bar, int note, int endBar, int endNote)
{
    auto tie = std::make_shared<Tie>();
    auto start = std::dynamic_pointer_cast<Bar>(part.GetChild(bar));
    auto end = std::dynamic_pointer_cast<Bar>(part.GetChild(endBar));
    tie->SetStart({start, start->GetNotes()[note]});
    tie->SetEnd({end, end->GetNotes()[endNote]});
    part.AddTie(tie);
}

TEST(Specimen, RowViewsOfLineMarksTiesAndDecorations)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    painter_test::PaintedPage page(static_cast<int>(kPageWidth * kZoom),
                                   static_cast<int>(kPageHeight * kZoom), kZoom,
                                   painter_test::NoteSizes::Measured);
    brindle::GdiScorePainter& painter = page.Painter();

    const int barCount = kRows * kBarsPerRow;
    const auto upper = MakePart(painter, barCount, 3);
    const auto lower = MakePart(painter, barCount, 6);
    namespace k = line_mark_kind;
    painter_test::AddHandMark(*upper, k::kCresc, 0, 0, 2 * kQuarter, 0.0f);
    painter_test::AddHandMark(*upper, k::kDecresc, 0, 2 * kQuarter, 2 * kQuarter, 0.0f);
    painter_test::AddHandMark(*upper, k::kFirstEnding, 0, 0, kWhole, 0.0f);
    painter_test::AddHandMark(*upper, k::kSecondEnding, 1, 0, kWhole, 0.0f);
    painter_test::AddHandMark(*upper, k::kFlatSlur, 1, 0, 3 * kQuarter, 0.0f);
    painter_test::AddHandMark(*upper, k::kArpeggio, 2, 0, kQuarter, 0.0f);
    painter_test::AddHandMark(*upper, k::kArpeggioUp, 2, kQuarter, kQuarter, 0.0f);
    painter_test::AddHandMark(*upper, k::kArpeggioDown, 2, 2 * kQuarter, kQuarter, 0.0f);
    // Across the first line break: a smooth slur and a crescendo.
    painter_test::AddHandMark(*upper, k::kSmoothSlur, 2, 2 * kQuarter, 3 * kQuarter, 0.0f);
    painter_test::AddHandMark(*lower, k::kCresc, 2, kQuarter, kWhole, 0.0f);
    // Through all three lines: a trill line and a rising glissando.
    painter_test::AddHandMark(*upper, k::kTrill, 1, 2 * kQuarter, 6 * kWhole, 0.0f);
    painter_test::AddHandMark(*lower, k::kGlissando, 1, 0, 7 * kWhole, -0.02f);
    painter_test::AddHandMark(*upper, k::kHighOctave, 4, 0, 2 * kWhole, 0.0f);
    painter_test::AddHandMark(*lower, k::kLowOctave, 6, 0, kWhole + 2 * kQuarter, 0.0f);
    painter_test::AddHandMark(*upper, k::kSmoothSlur, 7, 0, 3 * kQuarter, 250.0f);
    AddTie(*upper, 3, 1, 3, 2);
    AddTie(*upper, 5, 3, 6, 0);
    AddTie(*lower, 5, 3, 6, 0);

    std::vector<Rect> rowRects;
    for (int r = 0; r < kRows; ++r) {
        const BarRange range{r * kBarsPerRow, (r + 1) * kBarsPerRow};
        std::vector<std::shared_ptr<ScoreElement>> rows;
        for (int p = 0; p < 2; ++p) {
            const auto& part = p == 0 ? upper : lower;
            auto row = std::make_shared<ContainerElement>();
            row->SetPosition({0, p * kPartStep});
            row->SetOrigin({kFirstRow.x, kFirstRow.y + r * kRowStep});
            rows.push_back(row);
            const Point a = row->GetAbsolutePoint();
            for (int b = range.first; b < range.end; ++b) {
                const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b));
                bar->SetOrigin(a);
                for (const auto& note : bar->GetNotes()) {
                    const Point at = OffsetPoint(bar->GetChildOrigin(), note->GetPosition());
                    painter.DrawNote(at.x, at.y, note->GetPitchCode(), 0);
                }
            }
            painter.DrawTrackBaseLine(a.x, a.y + painter.GetBarLineHeight(),
                                      kBarsPerRow * kBarWidth, 32);
            rowRects.push_back({a.x, a.y - 1200, a.x + kBarsPerRow * kBarWidth,
                                a.y + painter.GetBarLineHeight() + 600});

            TrackMarkViews views;
            views.SetPart(part);
            views.SetBarRange(range.first, range.end);
            views.BuildTieViews(*row, painter);
            views.BuildLineMarkViews(*row, painter);
            for (const auto& view : views.GetTieViews())
                view->Draw(painter);
            for (const auto& view : views.GetLineMarkViews())
                view->Draw(painter);
        }

        for (int c = 0; c < kBarsPerRow; ++c) {
            for (int side : {barline_side::kLeft, barline_side::kRight}) {
                BarlineView barlines(side);
                for (int p = 0; p < 2; ++p) {
                    const auto& part = p == 0 ? upper : lower;
                    const bool last = range.first + c == barCount - 1;
                    barlines.AppendBar({part->GetChild(range.first + c), nullptr,
                                        side == barline_side::kLeft ? 0 : (last ? 6 : 1), 0,
                                        {}});
                }
                barlines.AppendJoinedPair(0, 1);
                barlines.SetOrigin({kFirstRow.x, kFirstRow.y + r * kRowStep});
                barlines.Layout(painter);
                barlines.Draw(painter);
            }
        }

        SystemStartLine start;
        for (const auto& row : rows)
            start.AppendTrack(row);
        start.SetOrigin({kFirstRow.x, kFirstRow.y + r * kRowStep});
        start.Layout(painter);
        start.Draw(painter);

        auto group = std::make_shared<PartGroup>();
        group->SetType(r % 2);
        group->SetLastPart(1);
        group->SetOffset({-150, 0});
        PartGroupView groupView;
        groupView.BindModelElement(group);
        for (const auto& row : rows)
            groupView.AppendTrack(row);
        groupView.SetOrigin({kFirstRow.x, kFirstRow.y + r * kRowStep});
        groupView.Layout(painter);
        groupView.Draw(painter);
    }

    const QImage& image = page.Finish();
    // Every row got its notes and marks.
    for (const Rect& rect : rowRects) {
        SCOPED_TRACE(::testing::Message() << rect.left << ", " << rect.top);
        const auto px = [](int units) {
            return static_cast<int>(units / painter_test::kScreenScale * kZoom);
        };
        EXPECT_GT(painter_test::InkIn(image, px(rect.left), px(rect.top), px(rect.right),
                                      px(rect.bottom)),
                  200);
    }
    EXPECT_TRUE(SaveSpecimen(image, "row_views.png"));
}

}  // namespace
