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
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/barline.h"
#include "engine/model/line_mark.h"
#include "engine/model/part_group.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "tests/app/painter/painter_test_util.h"
#include "tests/engine/layout/layout_test_score.h"

#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
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
    auto group = std::make_shared<PartGroup>();
    group->SetLastPart(1);
    score->AddPartGroup(group);
    return score;
}

TEST(Specimen, LaidOutPageOfTwoParts)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    painter_test::PaintedPage image(static_cast<int>(kPageWidth / painter_test::kScreenScale * kZoom),
                                    static_cast<int>(kPageHeight / painter_test::kScreenScale * kZoom),
                                    kZoom, painter_test::NoteSizes::Measured);
    brindle::GdiScorePainter& painter = image.Painter();
    const auto score = MakeSongScore(painter);
    const int lineWidth = kPageWidth - 2 * kMargin;

    auto root = std::make_shared<LayoutRoot>();
    auto page = std::make_shared<PageNode>(score);
    page->SetRect({0, 0, kPageWidth - 20, kPageHeight - 20});
    page->SetPosition({10, 10});
    root->AppendChild(page);

    auto heading = std::make_shared<HeaderNode>(score);
    heading->SetRect({0, 0, lineWidth, 0});
    page->AppendChild(heading);
    heading->SetParent(page.get());
    heading->Layout(painter);
    heading->SetPosition({kMargin, 600});
    int y = 600 + heading->GetRect().Height() + 2200;

    std::vector<std::shared_ptr<SystemNode>> lines;
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
    root->Draw(painter);
    const QImage& picture = image.Finish();

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
