// The heading: title and subtitle centred, the right-hand column built upward from the
// heading's bottom, and the texts' records passing through it.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/header_node.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

constexpr int kWidth = 16000;

struct HeadingFixture {
    FakePainter painter;
    std::shared_ptr<Score> score = std::make_shared<Score>();
    std::shared_ptr<HeaderNode> heading = std::make_shared<HeaderNode>(score);

    HeadingFixture()
    {
        heading->SetRect({0, 0, kWidth, 0});
        heading->SetOrigin({500, 600});
    }
    int H() { return painter.GetMetric101(); }
    int RightX(int chars) { return kWidth - chars * m::kCharWidth - painter.GetMetric105(); }
};

TEST(HeaderNodeTest, TitleAndSubtitleAreCentredAndTheHeadingIsItsHeightTall)
{
    HeadingFixture f;
    f.score->SetTitle(u"茉莉花");
    f.score->SetSubtitle(u"江苏民歌");
    f.heading->Layout(f.painter);
    EXPECT_EQ(f.heading->GetExtent(f.painter), (Rect{0, 0, 0, f.H()}));
    EXPECT_EQ(f.heading->GetRect(), (Rect{0, 0, kWidth, f.H()}));
    EXPECT_EQ(f.score->GetTitleText()->GetPosition(), (Point{(kWidth - 300) / 2, 0}));
    EXPECT_EQ(f.score->GetTitleText()->GetOrigin(), (Point{500, 600}));
    EXPECT_EQ(f.score->GetSubtitleText()->GetPosition(),
              (Point{(kWidth - 400) / 2, m::kTitleHeight + f.painter.GetMetric103()}));
    EXPECT_EQ(f.score->GetTitleText()->GetParent(), f.heading.get());
}

TEST(HeaderNodeTest, TheRightColumnGrowsUpwardFromTheBottomWithTheFirstGapBelowIt)
{
    struct Case {
        const char* name;
        std::u16string singer, adapter, poet, composer;
    };
    for (const Case& c : {Case{"adapter alone", u"", u"编曲甲", u"", u""},
                          Case{"composer and poet", u"", u"", u"词乙", u"曲丙丁"},
                          Case{"all four", u"唱一", u"编二二", u"词三", u"曲四四四"}}) {
        SCOPED_TRACE(c.name);
        HeadingFixture f;
        f.score->SetSinger(c.singer);
        f.score->SetAdapter(c.adapter);
        f.score->SetPoet(c.poet);
        f.score->SetComposer(c.composer);
        f.heading->Layout(f.painter);
        int y = f.H();
        bool first = true;
        const std::pair<std::shared_ptr<HeaderText>, int> column[] = {
            {f.score->GetSingerText(), m::kComposerHeight},
            {f.score->GetAdapterText(), m::kComposerHeight},
            {f.score->GetPoetText(), m::kPoetHeight},
            {f.score->GetComposerText(), m::kComposerHeight}};
        for (const auto& [text, height] : column) {
            if (text->GetText().empty())
                continue;
            y -= height + (first ? f.painter.GetMetric106() : f.painter.GetMetric103());
            first = false;
            EXPECT_EQ(text->GetPosition(),
                      (Point{f.RightX(static_cast<int>(text->GetText().size())), y}));
        }
    }
    // The plain case spelt out: the poet stands lowest, the composer above it.
    HeadingFixture f;
    f.score->SetPoet(u"词");
    f.score->SetComposer(u"曲");
    f.heading->Layout(f.painter);
    const int poetY = f.H() - m::kPoetHeight - f.painter.GetMetric106();
    EXPECT_EQ(f.score->GetPoetText()->GetPosition().y, poetY);
    EXPECT_EQ(f.score->GetComposerText()->GetPosition().y,
              poetY - m::kComposerHeight - f.painter.GetMetric103());
}

TEST(HeaderNodeTest, DrawsTheSixTextsButNotTheRightsLine)
{
    HeadingFixture f;
    f.score->SetTitle(u"题");
    f.score->SetComposer(u"曲");
    f.score->SetRights(u"版权");
    f.heading->Layout(f.painter);
    f.painter.Clear();
    f.heading->Draw(f.painter);
    EXPECT_EQ(f.painter.Names(), (std::vector<std::string>{"DrawTitle", "DrawComposerText"}));
}

TEST(HeaderNodeTest, TextRecordsCarryTheTextAndTheHeadingAsSender)
{
    HeadingFixture f;
    auto page = std::make_shared<RecordingElement>("page", nullptr);
    page->HandleNotifications(0);
    f.heading->SetParent(page.get());
    f.score->SetSubtitle(u"副题");
    f.heading->Layout(f.painter);
    NotificationPayload move;
    f.score->GetSubtitleText()->NotifyParent(id::kMoveDragStep, &move);
    f.score->GetSubtitleText()->DeleteSelected();
    ASSERT_EQ(page->ReceivedRecords().size(), 2U);
    for (const auto& r : page->ReceivedRecords()) {
        EXPECT_EQ(r.payload.element, f.score->GetSubtitleText());
        EXPECT_EQ(r.sender, f.heading.get());
    }
    EXPECT_EQ(page->ReceivedRecords()[1].id, id::kHeaderTextDelete);
}

TEST(HeaderNodeTest, PressesReachTheTextsAndADoubleClickAsksForAnEdit)
{
    HeadingFixture f;
    auto page = std::make_shared<RecordingElement>("page", nullptr);
    page->HandleNotifications(0);
    f.heading->SetParent(page.get());
    f.score->SetTitle(u"题目");
    f.heading->Layout(f.painter);
    const Point at = f.score->GetTitleText()->GetAbsolutePoint();
    int handled = 0;
    f.heading->OnDoubleClick({at.x + 5, at.y + 5}, 0, handled);
    ASSERT_FALSE(page->ReceivedRecords().empty());
    EXPECT_EQ(page->ReceivedRecords().back().id, id::kEditTitle);
}

}  // namespace
}  // namespace quaverly
