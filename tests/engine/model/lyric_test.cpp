// Lyrics: measuring, drawing, hit testing, in-place edit requests and deletion.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/model/lyric.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

class LyricTest : public testing::Test {
protected:
    void Place(const std::u16string& text)
    {
        lyric->SetText(text);
        parent->HandleNotifications(0);
        parent->AppendChild(lyric);
        parent->Layout(painter);  // the lyric measures itself here
        lyric->SetOrigin({1000, 2000});
        lyric->SetPosition({10, 20});
        lyric->SetOffset({3, 4});  // drawn at (1013, 2024)
        painter.Clear();
    }

    FakePainter painter;
    std::shared_ptr<RecordingElement> parent =
        std::make_shared<RecordingElement>("parent", nullptr);
    std::shared_ptr<Lyric> lyric = std::make_shared<Lyric>();
};

TEST_F(LyricTest, LaysOutToItsMeasuredTextAndDrawsAtItsPlace)
{
    Place(u"春风");
    EXPECT_EQ(lyric->GetRect(), (Rect{0, 0, 2 * m::kCharWidth, m::kLyricHeight}));

    lyric->Select();
    lyric->Draw(painter);
    ASSERT_EQ(painter.Calls().size(), 1u);
    EXPECT_EQ(painter.Calls()[0],
              (PainterCall{"DrawLyric", {1013, 2024, color_index::kSelected}, u"春风"}));
}

TEST_F(LyricTest, EmptyLyricIsNeverHitDrawnOrOpened)
{
    struct Case {
        const char* name;
        std::u16string text;
        bool visibleText;
    };
    const Case cases[] = {{"empty", u"", false}, {"with text", u"啊", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        parent = std::make_shared<RecordingElement>("parent", nullptr);
        lyric = std::make_shared<Lyric>();
        Place(c.text);
        const Point inside{1014, 2025};

        EXPECT_EQ(lyric->HitTest(inside), c.visibleText);
        lyric->Draw(painter);
        EXPECT_EQ(painter.Count("DrawLyric"), c.visibleText ? 1 : 0);
        int handled = 0;
        parent->OnDoubleClick(inside, 0, handled);
        EXPECT_EQ(parent->ReceivedRecords().size(), c.visibleText ? 1u : 0u);
        EXPECT_EQ(handled, 0);  // a lyric never marks the double click taken

        // A press selects only a lyric with text.
        parent->OnButtonDown(inside, 0, handled);
        EXPECT_EQ(lyric->GetState(),
                  c.visibleText ? element_state::kSelected : element_state::kNormal);
    }
}

TEST_F(LyricTest, DoubleClickAsksForAnEditOverItsScreenRectangle)
{
    Place(u"花开");
    int handled = 0;
    parent->OnDoubleClick({1100, 2100}, 0, handled);

    ASSERT_EQ(parent->ReceivedRecords().size(), 1u);
    const auto& record = parent->ReceivedRecords()[0];
    EXPECT_EQ(record.id, id::kEditLyric);
    EXPECT_EQ(record.sender, lyric.get());
    ASSERT_TRUE(record.hasPayload);
    EXPECT_EQ(record.payload.rect, (Rect{1013, 2024, 1213, 2024 + m::kLyricHeight}));
    EXPECT_EQ(record.payload.text, u"花开");
    EXPECT_EQ(lyric->GetPointerPosition(), (Point{1100, 2100}));
}

TEST_F(LyricTest, DeleteOnASelectedLyricAsksForItsRemoval)
{
    Place(u"月");
    lyric->Select();
    lyric->OnKeyDown(key_code::kDelete, 0);

    ASSERT_EQ(parent->ReceivedRecords().size(), 2u);  // the selection, then the removal
    EXPECT_EQ(parent->ReceivedRecords()[1].id, id::kLyricDelete);
    EXPECT_EQ(parent->ReceivedRecords()[1].sender, lyric.get());
    EXPECT_FALSE(parent->ReceivedRecords()[1].payload.element);
}

}  // namespace
}  // namespace quaverly
