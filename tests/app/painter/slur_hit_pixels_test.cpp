// Slurs pressed where they are drawn: the pieces of flat and smooth slurs of several
// shapes, made by the row's line-mark views on a hand-laid part and drawn by the drawing
// device on an image. Every pixel of a piece's ink must be taken by its hit test, and
// nothing far from the ink: a press on the notes under a slur is not the slur's.
#include "app/painter/gdi_score_painter.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/track_mark_views.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "tests/app/painter/hand_laid_part.h"
#include "tests/app/painter/painter_test_util.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quaverly;

constexpr int kBarWidth = painter_test::kHandBarWidth;
constexpr int kBarsPerRow = 2;
constexpr int kRows = 2;
constexpr int kQuarter = painter_test::kHandQuarter;
constexpr Point kFirstRow{800, 1600};
constexpr int kRowStep = 2400;
constexpr int kPageWidth = 520;   // pixels at 100 %
constexpr int kPageHeight = 240;

std::shared_ptr<Part> MakePart(ScorePainter& painter)
{
    return painter_test::HandLaidPart(painter, kRows * kBarsPerRow, kBarsPerRow, [](int n) { return 3 + n; });
}

struct SlurCase {
    const char* name;
    int kind;
    int bar;
    int position;
    int duration;
    float radian;
};

namespace k = line_mark_kind;

// A flat slur is drawn flat whatever its radian (a file may hold one); a short one is
// drawn as a small arc; one that runs past a row's end shows a start piece and an end
// piece. A smooth slur bulges by its radian, up or down.
const SlurCase kCases[] = {
    {"flat", k::kFlatSlur, 0, 0, 3 * kQuarter, 0.0f},
    {"flat rising", k::kFlatSlur, 0, kQuarter, 2 * kQuarter, -0.05f},
    {"flat falling", k::kFlatSlur, 0, kQuarter, 2 * kQuarter, 0.05f},
    {"flat short", k::kFlatSlur, 1, kQuarter, kQuarter / 4, 0.0f},
    {"flat across lines", k::kFlatSlur, 1, 2 * kQuarter, 4 * kQuarter, 0.0f},
    {"smooth bulging up", k::kSmoothSlur, 0, 0, 3 * kQuarter, -300.0f},
    {"smooth bulging down", k::kSmoothSlur, 0, kQuarter, 2 * kQuarter, 250.0f},
    {"smooth across lines", k::kSmoothSlur, 1, 2 * kQuarter, 4 * kQuarter, -300.0f},
};

constexpr double kUnitsPerPixel = painter_test::kScreenScale;

bool Inked(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() && qGray(image.pixel(x, y)) < 192;
}

// The score point at the middle of a pixel, and the pixel of a score point.
Point Middle(int px, int py)
{
    return {static_cast<int>(std::lround((px + 0.5) * kUnitsPerPixel)),
            static_cast<int>(std::lround((py + 0.5) * kUnitsPerPixel))};
}

int PixelOf(int units)
{
    return static_cast<int>(std::floor(units / kUnitsPerPixel));
}

TEST(SlurHitPixelsTest, EveryPieceTakesAPressOnItsInkAndNoneFarFromIt)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const SlurCase& c : kCases) {
        for (int r = 0; r < kRows; ++r) {
            SCOPED_TRACE(std::string(c.name) + " row " + std::to_string(r));
            painter_test::PaintedPage page(kPageWidth, kPageHeight, 1.0, painter_test::NoteSizes::Measured);
            brindle::GdiScorePainter& painter = page.Painter();
            const auto part = MakePart(painter);
            // A flat slur's radian of 0 is set too: a file may hold any.
            painter_test::AddHandMark(*part, c.kind, c.bar, c.position, c.duration, 0.0f)->SetRadian(c.radian);

            auto row = std::make_shared<ContainerElement>();
            row->SetOrigin({kFirstRow.x, kFirstRow.y + r * kRowStep});
            for (int b = r * kBarsPerRow; b < (r + 1) * kBarsPerRow; ++b)
                std::dynamic_pointer_cast<Bar>(part->GetChild(b))->SetOrigin(row->GetAbsolutePoint());
            TrackMarkViews views;
            views.SetPart(part);
            views.SetBarRange(r * kBarsPerRow, (r + 1) * kBarsPerRow);
            views.BuildLineMarkViews(*row, painter);
            if (views.GetLineMarkViews().empty())
                continue;
            ASSERT_EQ(views.GetLineMarkViews().size(), 1u);
            LineMarkView& view = *views.GetLineMarkViews().front();
            view.Draw(painter);
            const QImage& image = page.Finish();

            // The ink of the piece and its box.
            std::vector<QPoint> ink;
            int left = image.width();
            int top = image.height();
            int right = -1;
            int bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (Inked(image, x, y)) {
                        ink.emplace_back(x, y);
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            ASSERT_FALSE(ink.empty());
            const bool takesPresses = view.GetPieceStyle().hit != LineMarkHit::kNever;

            // Every ink pixel taken, allowing for the neighbours its edge is smoothed into.
            if (takesPresses) {
                int missed = 0;
                std::ostringstream where;
                for (const QPoint& p : ink) {
                    bool taken = false;
                    for (int dy = -1; dy <= 1 && !taken; ++dy)
                        for (int dx = -1; dx <= 1 && !taken; ++dx)
                            taken = view.HitTest(Middle(p.x() + dx, p.y() + dy));
                    if (!taken && missed++ < 5)
                        where << " (" << p.x() << "," << p.y() << ")";
                }
                EXPECT_EQ(missed, 0) << "of " << ink.size() << " ink pixels, missed at" << where.str()
                                     << "; ink box " << left << "," << top << " - " << right << "," << bottom;
            }

            // Nothing taken farther from the ink than a slur is high, nor on the notes under
            // the slur.
            const int reach = painter.GetFlatSlurHeight();
            const Point from = Middle(left, top);
            const Point to = Middle(right, bottom);
            int stray = 0;
            std::ostringstream strayAt;
            for (int y = PixelOf(from.y - 1000); y <= PixelOf(to.y + 1000); ++y)
                for (int x = PixelOf(from.x - 1000); x <= PixelOf(to.x + 1000); ++x) {
                    const Point p = Middle(x, y);
                    const bool near = p.x >= from.x - reach && p.x <= to.x + reach && p.y >= from.y - reach &&
                                      p.y <= to.y + reach;
                    if (view.HitTest(p) && !near && stray++ < 5)
                        strayAt << " (" << x << "," << y << ")";
                }
            EXPECT_EQ(stray, 0) << "taken away from the ink at" << strayAt.str() << "; ink box " << left << ","
                                << top << " - " << right << "," << bottom;
            const Size noteSize = painter.GetNoteSize();
            for (int b = r * kBarsPerRow; b < (r + 1) * kBarsPerRow; ++b) {
                const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b));
                for (const auto& note : bar->GetNotes()) {
                    const Point at = OffsetPoint(bar->GetChildOrigin(), note->GetPosition());
                    const Point middle{at.x + noteSize.cx / 2, at.y + noteSize.cy / 2};
                    EXPECT_FALSE(view.HitTest(middle)) << "the note at " << middle.x << "," << middle.y;
                }
            }
        }
    }
}

}  // namespace
