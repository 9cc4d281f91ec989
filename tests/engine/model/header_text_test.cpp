// Header texts and instrument names: measuring and drawing through each kind's own
// painter operations, empty texts, in-place edit requests with the page rectangle and
// the text, and deletion requests.
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/model/header_text.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

struct KindCase {
    const char* name;
    std::function<std::shared_ptr<HeaderText>()> make;
    int requestId;
    const char* measure;
    const char* draw;
    int height;
    int deleteId;
};

const KindCase kKinds[] = {
    {"title", [] { return std::make_shared<TitleText>(); }, id::kEditTitle, "MeasureTitle",
     "DrawTitle", m::kTitleHeight, id::kHeaderTextDelete},
    {"subtitle", [] { return std::make_shared<SubtitleText>(); }, id::kEditSubtitle,
     "MeasureSubtitle", "DrawSubtitle", m::kSubtitleHeight, id::kHeaderTextDelete},
    {"poet", [] { return std::make_shared<PoetText>(); }, id::kEditPoet, "MeasurePoetText",
     "DrawPoetText", m::kPoetHeight, id::kHeaderTextDelete},
    {"composer", [] { return std::make_shared<ComposerText>(); }, id::kEditComposer,
     "MeasureComposerText", "DrawComposerText", m::kComposerHeight, id::kHeaderTextDelete},
    {"singer", [] { return std::make_shared<SingerText>(); }, id::kEditSinger,
     "MeasureComposerText", "DrawComposerText", m::kComposerHeight, id::kHeaderTextDelete},
    {"adapter", [] { return std::make_shared<AdapterText>(); }, id::kEditAdapter,
     "MeasureComposerText", "DrawComposerText", m::kComposerHeight, id::kHeaderTextDelete},
    {"rights", [] { return std::make_shared<RightsText>(); }, id::kEditRights,
     "MeasureDefaultFontText", "DrawDefaultFontText", m::kDefaultFontHeight,
     id::kHeaderTextDelete},
    {"instrument name", [] { return std::make_shared<InstrumentNameText>(); },
     id::kEditInstrumentName, "MeasureInstrumentName", "DrawInstrumentName",
     m::kInstrumentNameHeight, id::kInstrumentNameDelete},
};

// A text under a parent that takes every record, placed at origin (1000, 2000),
// position (10, 20), offset (3, 4): it draws at (1013, 2024).
struct Placed {
    explicit Placed(const KindCase& kind, const std::u16string& text) : element(kind.make())
    {
        parent->HandleNotifications(0);
        parent->AppendChild(element);
        element->SetText(text);
        parent->Layout(painter);
        element->SetOrigin({1000, 2000});
        element->SetPosition({10, 20});
        element->SetOffset({3, 4});
    }

    FakePainter painter;
    std::shared_ptr<RecordingElement> parent =
        std::make_shared<RecordingElement>("parent", nullptr);
    std::shared_ptr<HeaderText> element;
};

TEST(HeaderTextTest, EachKindMeasuresAndDrawsWithItsOwnOperations)
{
    for (const KindCase& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Placed placed(kind, u"黄河");
        EXPECT_EQ(placed.painter.Calls(),
                  (std::vector<PainterCall>{{kind.measure, {}, u"黄河"}}));
        EXPECT_EQ(placed.element->GetRect(), (Rect{0, 0, 2 * m::kCharWidth, kind.height}));

        placed.painter.Clear();
        placed.element->Draw(placed.painter);
        placed.element->Select();
        placed.element->Draw(placed.painter);
        EXPECT_EQ(placed.painter.Calls(),
                  (std::vector<PainterCall>{
                      {kind.draw, {1013, 2024, color_index::kNormal}, u"黄河"},
                      {kind.draw, {1013, 2024, color_index::kSelected}, u"黄河"}}));
    }
}

TEST(HeaderTextTest, EmptyTextKeepsItsRectangleAndDrawsNothing)
{
    for (const KindCase& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Placed placed(kind, u"旧");
        placed.element->SetText(u"");
        placed.painter.Clear();
        placed.parent->Layout(placed.painter);
        placed.element->Draw(placed.painter);
        EXPECT_TRUE(placed.painter.Calls().empty());
        EXPECT_EQ(placed.element->GetRect(), (Rect{0, 0, m::kCharWidth, kind.height}));
    }
}

TEST(HeaderTextTest, DoubleClickSendsTheEditRequestWithPageRectangleAndText)
{
    for (const KindCase& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Placed placed(kind, u"长江之歌");
        int handled = 0;
        placed.parent->OnDoubleClick({1100, 2100}, 0, handled);

        ASSERT_EQ(placed.parent->ReceivedRecords().size(), 1u);
        const auto& record = placed.parent->ReceivedRecords()[0];
        EXPECT_EQ(record.id, kind.requestId);
        EXPECT_EQ(record.sender, placed.element.get());
        ASSERT_TRUE(record.hasPayload);
        EXPECT_EQ(record.payload.rect,
                  (Rect{1013, 2024, 1013 + 4 * m::kCharWidth, 2024 + kind.height}));
        EXPECT_EQ(record.payload.text, u"长江之歌");
        EXPECT_EQ(handled & kEventTaken, kEventTaken);
    }
}

TEST(HeaderTextTest, DoubleClickOutsideTheTextAsksForNothing)
{
    Placed placed(kKinds[0], u"标题");
    int handled = 0;
    // One unit right of the right edge (1013 + 200).
    placed.parent->OnDoubleClick({1214, 2100}, 0, handled);
    EXPECT_TRUE(placed.parent->ReceivedRecords().empty());
    EXPECT_EQ(handled, 0);
}

TEST(HeaderTextTest, DeleteOnASelectedTextAsksForItsRemoval)
{
    for (const KindCase& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        Placed placed(kind, u"词");
        placed.element->OnKeyDown(key_code::kDelete, 0);  // not selected: nothing
        EXPECT_TRUE(placed.parent->ReceivedRecords().empty());

        placed.element->Select();
        placed.element->OnKeyDown(key_code::kDelete, 0);
        ASSERT_EQ(placed.parent->ReceivedRecords().size(), 2u);  // selection, removal
        const auto& record = placed.parent->ReceivedRecords()[1];
        EXPECT_EQ(record.id, kind.deleteId);
        EXPECT_EQ(record.sender, placed.element.get());
        EXPECT_FALSE(record.payload.element);
        // Deleting asks; the text itself stays until the controller's command runs.
        EXPECT_EQ(placed.element->GetText(), u"词");
    }
}

}  // namespace
}  // namespace quaverly
