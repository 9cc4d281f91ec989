// A specimen of a laid-out page through the drawing device: a two-part score with its
// title block, key, beat, tempo mark, expression text, lyrics, a brace over the parts,
// a tie across the line break and a crescendo, laid out by the view tree into the
// heading and two lines of one page and drawn as the view draws the current page:
//
//     build/bin/test_app_painter --gtest_filter='Specimen.LaidOutPage*'
//
// writes build/bin/specimen/laid_out_page.png (or into $BRINDLE_SPECIMEN_DIR).
#include "app/painter/gdi_score_painter.h"
#include "engine/layout/header_node.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/tie_view_group.h"
#include "engine/layout/track_node.h"
#include "engine/model/barline.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/line_mark.h"
#include "engine/model/part_group.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "tests/app/painter/painter_test_util.h"
#include "tests/engine/layout/layout_test_score.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>
#include <utility>
#include <memory>
#include <vector>

namespace {

using namespace quaverly;
using layout_test::AddNote;
using layout_test::BarOf;

constexpr double kZoom = 1.5;
constexpr int kPageWidth = 17000;  // 0.01 mm
constexpr int kPageHeight = 16500;
constexpr int kMargin = 1500;
constexpr int kBars = 8;

std::shared_ptr<Score> MakeSongScore(ScorePainter& painter)
{
    auto score = layout_test::MakeScore(2, kBars);
    score->SetTitle(u"茉莉花");
    score->SetSubtitle(u"江苏民歌");
    score->SetPoet(u"词：佚名");
    score->SetComposer(u"曲：民间");
    score->SetKeySignature({0, 2, 1});
    score->SetTempoMark({0, note_length::kQuarter, 72});
    score->SetExpressionText({4, u"稍慢"});
    // Degrees of the melody, two bars a phrase; 0 a rest.
    const int melody[kBars][4] = {{3, 3, 5, 6}, {8, 8, 6, 5}, {5, 6, 5, 0}, {3, 2, 3, 5},
                                  {3, 3, 5, 6}, {8, 8, 6, 5}, {5, 6, 5, 3}, {2, 2, 1, 1}};
    const char16_t* words[kBars] = {u"好一朵美", u"丽的茉莉", u"花好一", u"朵美丽的",
                                    u"茉莉花芬", u"芳美丽满", u"枝桠又香", u"又白人人"};
    for (int p = 0; p < 2; ++p) {
        auto part = std::dynamic_pointer_cast<Part>(score->GetChild(p)->GetChild(0));
        part->SetStaffSize(painter.GetMetric99());
        part->SetVerseOffset(0, painter.GetMetric110() + painter.GetMetric111());
        for (int v = 1; v < 5; ++v)
            part->SetVerseOffset(v, painter.GetMetric111());
        for (int b = 0; b < kBars; ++b) {
            auto& bar = *BarOf(*score, p, b);
            for (int n = 0; n < 4; ++n) {
                // 8 is the 1 an octave up; the lower part runs a third below.
                const int written = melody[b][n];
                int degree = p == 0 ? written : (written + 4) % 7 + 1;
                const int octave = degree > 7 ? 1 : (p == 1 && n == 0 ? -1 : 0);
                if (degree > 7)
                    degree -= 7;
                auto note = AddNote(bar, note_length::kQuarter, 0,
                                    written == 0 ? pitch_code::kRest
                                                 : pitch_code::kFirstDegree + degree - 1);
                if (written != 0)
                    note->SetOctave(octave);
                if (p == 0 && written != 0)
                    note->SetLyricText(0, std::u16string(1, words[b][n]));
            }
        }
        auto signature = std::make_shared<TimeSignature>();
        signature->SetValue(0, 4, 4, 0);
        BarOf(*score, p, 0)->SetTimeSignature(signature);
        BarOf(*score, p, kBars - 1)->GetBarline(1)->SetType(6);
    }
    auto part = std::dynamic_pointer_cast<Part>(score->GetChild(0)->GetChild(0));
    auto tie = std::make_shared<Tie>();
    tie->SetStart({BarOf(*score, 0, 3), BarOf(*score, 0, 3)->GetNotes().back()});
    tie->SetEnd({BarOf(*score, 0, 4), BarOf(*score, 0, 4)->GetNotes().front()});
    part->AddTie(tie);
    auto cresc = CreateLineMark(line_mark_kind::kCresc);
    cresc->SetBar(5);
    cresc->SetDuration(2 * note_length::kWhole);
    part->AddLineMark(cresc);
    // Dynamics over lyrics: "p" hangs below its line, "mf" does not.
    for (const auto& [bar, code] : {std::pair{4, 1}, std::pair{1, 14}}) {
        auto dynamic = std::make_shared<DynamicMark>();
        dynamic->SetTimePosition(note_length::kQuarter);
        dynamic->SetDynamicsCode(code);
        BarOf(*score, 0, bar)->AddDirection(dynamic);
    }
    auto group = std::make_shared<PartGroup>();
    group->SetLastPart(1);
    score->AddPartGroup(group);
    return score;
}

// The song laid out on one page as the view lays it out, drawn at a zoom.
struct SongPage {
    painter_test::PaintedPage image;
    std::shared_ptr<Score> score;
    std::shared_ptr<LayoutRoot> root = std::make_shared<LayoutRoot>();
    std::shared_ptr<HeaderNode> heading;
    std::vector<std::shared_ptr<SystemNode>> lines;
    double zoom;

    explicit SongPage(double z)
        : image(static_cast<int>(kPageWidth / painter_test::kScreenScale * z),
                static_cast<int>(kPageHeight / painter_test::kScreenScale * z), z,
                painter_test::NoteSizes::Measured),
          zoom(z)
    {
        brindle::GdiScorePainter& painter = image.Painter();
        score = MakeSongScore(painter);
        const int lineWidth = kPageWidth - 2 * kMargin;
        auto page = std::make_shared<PageNode>(score);
        page->SetRect({0, 0, kPageWidth - 20, kPageHeight - 20});
        page->SetPosition({10, 10});
        root->AppendChild(page);

        heading = std::make_shared<HeaderNode>(score);
        heading->SetRect({0, 0, lineWidth, 0});
        page->AppendChild(heading);
        heading->SetParent(page.get());
        heading->Layout(painter);
        heading->SetPosition({kMargin, 600});
        int y = 600 + heading->GetRect().Height() + 2200;
        for (const BarRange range : {BarRange{0, 4}, BarRange{4, 8}}) {
            layout_test::Lay(score, painter, range.first, range.end);
            auto line = std::make_shared<SystemNode>(score);
            line->SetIndex(static_cast<int>(lines.size()) + 1);
            line->SetBarRange(range.first, range.end);
            line->SetRect({0, 0, lineWidth, 0});
            line->CreateTracks();
            page->AppendChild(line);
            line->SetParent(page.get());
            line->Layout(painter);
            line->SetPosition({kMargin, y});
            line->Layout(painter);
            y += line->GetRect().Height() + 2400;
            lines.push_back(line);
        }
        root->Layout(painter);
    }
    brindle::GdiScorePainter& Painter() { return image.Painter(); }
    int Px(double units) const { return static_cast<int>(units / painter_test::kScreenScale * zoom); }
};

std::vector<std::shared_ptr<Bar>> BarsOf(const TrackNode& track)
{
    std::vector<std::shared_ptr<Bar>> bars;
    for (int c = 0; c < track.GetChildCount(); ++c)
        if (auto bar = track.GetBar(c))
            bars.push_back(std::move(bar));
    return bars;
}

// The pixels that carry any tint.
std::vector<QPoint> TintedPixels(const QImage& image)
{
    std::vector<QPoint> ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 232)
                ink.emplace_back(x, y);
    return ink;
}

// What one zoom of the song page shows of some of its elements alone.
std::vector<QPoint> DrawnAlone(double zoom, const std::function<void(SongPage&)>& draw)
{
    SongPage page(zoom);
    draw(page);
    return TintedPixels(page.image.Finish());
}

constexpr double kZooms[] = {0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0, 3.0, 4.0};

TEST(LaidOutPage, WedgesAndDynamicsKeepClearOfTheLyricsAtEveryZoom)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const double zoom : kZooms) {
        SCOPED_TRACE(::testing::Message() << "zoom " << zoom);
        const auto top = [](SongPage& page, int line) { return page.lines[line]->GetTrack(0); };
        for (int line = 0; line < 2; ++line) {
            const std::vector<QPoint> marks = DrawnAlone(zoom, [&](SongPage& page) {
                const auto track = top(page, line);
                for (const auto& view : track->GetLineMarkViews())
                    view->Draw(page.Painter());
                for (const auto& bar : BarsOf(*track))
                    for (const auto& dynamic : bar->GetDirections())
                        dynamic->Draw(page.Painter());
            });
            const std::vector<QPoint> lyrics = DrawnAlone(zoom, [&](SongPage& page) {
                for (const auto& bar : BarsOf(*top(page, line)))
                    for (const auto& note : bar->GetNotes())
                        if (const auto lyric = note->GetLyric(0))
                            lyric->Draw(page.Painter());
            });
            ASSERT_FALSE(marks.empty()) << "line " << line;
            ASSERT_FALSE(lyrics.empty()) << "line " << line;
            int lowestMark = 0;
            for (const QPoint& p : marks)
                lowestMark = std::max(lowestMark, p.y());
            int highestLyric = INT_MAX;
            for (const QPoint& p : lyrics)
                highestLyric = std::min(highestLyric, p.y());
            EXPECT_GE(highestLyric - lowestMark - 1, 2) << "clear rows between the marks and the lyrics of line " << line;
        }
    }
}

TEST(LaidOutPage, BothPiecesOfATieAcrossTheLineBreakShowAtEveryZoom)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const double zoom : kZooms) {
        SCOPED_TRACE(::testing::Message() << "zoom " << zoom);
        for (int line = 0; line < 2; ++line) {
            SCOPED_TRACE(::testing::Message() << (line == 0 ? "start" : "end") << " piece");
            int length = 0;
            const std::vector<QPoint> ink = DrawnAlone(zoom, [&](SongPage& page) {
                const auto& ties = page.lines[line]->GetTrack(0)->GetTieViews();
                ASSERT_EQ(ties.size(), 1u);
                length = page.Px(ties[0]->GetLength());
                ties[0]->Draw(page.Painter());
            });
            ASSERT_FALSE(ink.empty());
            int left = INT_MAX, right = 0, high = INT_MAX, low = 0;
            for (const QPoint& p : ink) {
                left = std::min(left, p.x());
                right = std::max(right, p.x());
                high = std::min(high, p.y());
                low = std::max(low, p.y());
            }
            // Across most of its length, and high enough for its bend to show: the
            // bracket's top stands 260 above its ends, which bend down by three quarters
            // of that.
            EXPECT_GE(right - left + 1, length * 8 / 10);
            EXPECT_GE(low - high + 1, static_cast<int>(180 / painter_test::kScreenScale * zoom));
        }
    }
}

// Lines along the axes and filled rectangles are put on whole pixels and drawn without
// smoothing. Drawn smoothed instead, the page must look the same: the glyphs and curves
// exactly, the lines pixel for pixel, since on whole pixels smoothing has nothing to
// soften.
TEST(LaidOutPage, LinesOnWholePixelsLookTheSameWithoutSmoothing)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const double zoom : {0.75, 1.0, 1.25, 1.5, 2.0}) {
        SCOPED_TRACE(::testing::Message() << "zoom " << zoom);
        const auto render = [zoom](bool smooth) {
            SongPage page(zoom);
            page.image.Dc().SetSmoothSnappedShapes(smooth);
            page.root->Draw(page.Painter());
            return page.image.Finish().copy();
        };
        const QImage plain = render(false);
        const QImage smoothed = render(true);
        ASSERT_EQ(plain.size(), smoothed.size());
        int differing = 0;
        int inked = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                const QRgb a = plain.pixel(x, y);
                const QRgb b = smoothed.pixel(x, y);
                inked += qGray(a) < 232 ? 1 : 0;
                if (std::abs(qRed(a) - qRed(b)) > 8 || std::abs(qGreen(a) - qGreen(b)) > 8 ||
                    std::abs(qBlue(a) - qBlue(b)) > 8)
                    ++differing;
            }
        }
        EXPECT_GT(inked, 1000);
        EXPECT_EQ(differing, 0) << "of " << inked << " inked pixels";
        if (zoom == kZoom) {
            ASSERT_TRUE(painter_test::SaveSpecimen(plain, "laid_out_page_plain_lines.png"));
            ASSERT_TRUE(painter_test::SaveSpecimen(smoothed, "laid_out_page_smoothed_lines.png"));
        }
    }
}

TEST(Specimen, LaidOutPageOfTwoParts)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    SongPage song(kZoom);
    brindle::GdiScorePainter& painter = song.Painter();
    const int lineWidth = kPageWidth - 2 * kMargin;
    const auto& heading = song.heading;
    const auto& lines = song.lines;
    song.root->Draw(painter);
    const QImage& picture = song.image.Finish();

    // The heading and every row got ink.
    const auto px = [](int units) {
        return static_cast<int>((units + 10) / painter_test::kScreenScale * kZoom);
    };
    EXPECT_GT(painter_test::InkIn(picture, px(kMargin), px(600), px(kMargin + lineWidth),
                                  px(600 + heading->GetRect().Height())),
              300);
    for (const auto& line : lines) {
        for (int t = 0; t < 2; ++t) {
            const Point at = line->GetTrack(t)->GetAbsolutePoint();
            EXPECT_GT(painter_test::InkIn(picture, px(at.x), px(at.y), px(at.x + lineWidth),
                                          px(at.y + painter.GetBarLineHeight())),
                      300);
        }
    }
    ASSERT_TRUE(painter_test::SaveSpecimen(picture, "laid_out_page.png"));
}

}  // namespace
