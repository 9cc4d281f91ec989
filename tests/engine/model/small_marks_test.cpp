// Page texts and their views, symbol marks, dynamics, bar numbers and part groups: the
// records they keep, their rectangles, where they draw and what they send.
#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/page_text.h"
#include "engine/model/page_text_view.h"
#include "engine/model/part_group.h"
#include "engine/model/symbol_mark.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

// Every field of the record set to a value of its own.
LogFont FilledFont()
{
    LogFont font;
    font.height = -420;
    font.width = 7;
    font.escapement = 900;
    font.orientation = 450;
    font.weight = 700;
    font.italic = 1;
    font.underline = 1;
    font.strikeOut = 1;
    font.charSet = 134;
    font.outPrecision = 3;
    font.clipPrecision = 2;
    font.quality = 5;
    font.pitchAndFamily = 49;
    font.SetFaceName(u"宋体");
    return font;
}

struct FontCase {
    const char* name;
    LogFont in;
    std::u16string face;  // the face name that comes back
};

std::vector<FontCase> FontCases()
{
    std::vector<FontCase> cases;
    cases.push_back({"every field and a short face", FilledFont(), u"宋体"});

    LogFont full = FilledFont();
    std::fill(std::begin(full.faceName), std::end(full.faceName), u'字');  // no terminator
    cases.push_back({"a face name filling the whole field", full, std::u16string(31, u'字')});

    LogFont tail = FilledFont();
    tail.faceName[5] = u'x';  // after the terminator at 2
    cases.push_back({"units after the terminator", tail, u"宋体"});
    return cases;
}

void ExpectFontKept(const LogFont& out, const FontCase& c)
{
    LogFont expected = c.in;
    expected.SetFaceName(c.face);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(out.FaceName(), c.face);
    EXPECT_EQ(out.faceName[LogFont::kFaceNameSize - 1], u'\0');
}

TEST(FontRecordTest, CopiedInAndOutKeepsItsFieldsAndABoundedFaceName)
{
    for (const FontCase& c : FontCases()) {
        SCOPED_TRACE(c.name);
        PageTextData data;
        data.font = c.in;
        data.rect = {10, 20, 3000, 800};
        data.text = u"第一乐章";
        PageText text;
        text.SetTextData(data);
        ExpectFontKept(text.GetTextData().font, c);
        EXPECT_EQ(text.GetTextData().rect, data.rect);
        EXPECT_EQ(text.GetTextData().text, data.text);

        ExtendSymbol symbol;
        symbol.name = u"星";
        symbol.text = u"★";
        symbol.font = c.in;
        symbol.hOffset = -5;
        symbol.vOffset = 9;
        symbol.placement = symbol_placement::kRight;
        SymbolMark mark;
        mark.SetSymbolData(symbol);
        ExpectFontKept(mark.GetSymbolData().font, c);
        EXPECT_EQ(mark.GetSymbolData().name, symbol.name);
        EXPECT_EQ(mark.GetSymbolData().text, symbol.text);
        EXPECT_EQ(mark.GetSymbolData().hOffset, -5);
        EXPECT_EQ(mark.GetSymbolData().vOffset, 9);
        EXPECT_EQ(mark.GetSymbolData().placement, symbol_placement::kRight);
    }
}

TEST(PageTextTest, StartsUnplacedWithAnEmptyRecord)
{
    PageText text;
    EXPECT_EQ(text.GetPage(), -1);
    EXPECT_EQ(text.GetTextData(), PageTextData{});
    text.SetPage(3);
    EXPECT_EQ(text.GetPage(), 3);
}

// A page-text view under a page that takes every record; the text's rectangle is
// {100, 200, 1100, 700} and the view sits at origin {1000, 2000} + position {10, 20}.
class PageTextViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        PageTextData data;
        data.rect = {100, 200, 1100, 700};
        data.text = u"说明";
        text->SetTextData(data);
        text->SetPage(2);
        page->HandleNotifications(0);
        page->AppendChild(view);
        view->SetOrigin({1000, 2000});
        view->SetPosition({10, 20});
        page->Layout(painter);
    }

    std::vector<RecordingElement::Received> Records() const
    {
        std::vector<RecordingElement::Received> records;
        for (const auto& record : page->ReceivedRecords()) {
            if (record.id != id::kSelectionChanged)
                records.push_back(record);
        }
        return records;
    }

    FakePainter painter;
    std::shared_ptr<PageText> text = std::make_shared<PageText>();
    std::shared_ptr<PageTextView> view = std::make_shared<PageTextView>(text);
    std::shared_ptr<RecordingElement> page = std::make_shared<RecordingElement>("page", nullptr);
};

TEST_F(PageTextViewTest, HitsTheMovedRecordRectangleEdgesIncluded)
{
    view->SetOffset({-10, 5});  // the rectangle is {1100, 2225, 2100, 2725}
    struct Case {
        Point point;
        bool hit;
    } const cases[] = {
        {{1100, 2225}, true}, {{2100, 2725}, true}, {{1600, 2500}, true},
        {{1099, 2500}, false}, {{2101, 2500}, false}, {{1600, 2224}, false},
        {{1600, 2726}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        EXPECT_EQ(view->HitTest(c.point), c.hit);
    }
    EXPECT_FALSE(PageTextView(nullptr).HitTest({0, 0}));
}

TEST_F(PageTextViewTest, DrawsTheRecordMovedByItsPlace)
{
    view->SetOffset({-10, 5});
    view->Select();
    painter.Clear();
    view->Draw(painter);
    const auto calls = painter.DrawCalls();
    ASSERT_EQ(calls.size(), 1u);
    const auto& call = calls[0];
    EXPECT_EQ(call.name, "DrawPageText");
    EXPECT_EQ(call.ints, (std::vector<int>{1100, 2225, 2100, 2725, color_index::kSelected}));
    EXPECT_EQ(call.text, u"说明");
    EXPECT_EQ(text->GetTextData().rect, (Rect{100, 200, 1100, 700})) << "the record stays";
}

TEST_F(PageTextViewTest, MovingTheViewMovesItsPageText)
{
    view->SetOffset({30, -40});
    EXPECT_EQ(text->GetOffset(), (Point{30, -40}));

    // A drag: press on the text, move, release.
    int handled = 0;
    page->OnButtonDown({1500, 2500}, 0, handled);
    page->OnPointerMove({1520, 2490}, 0);
    EXPECT_EQ(view->GetOffset(), (Point{50, -50}));
    EXPECT_EQ(text->GetOffset(), (Point{50, -50}));
}

TEST_F(PageTextViewTest, DoubleClickAsksToEditTheTextWithoutASender)
{
    int handled = 0;
    page->OnDoubleClick({1500, 2500}, 0, handled);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].id, id::kEditPageText);
    EXPECT_EQ(records[0].sender, nullptr);
    EXPECT_EQ(records[0].payload.element, text);
    EXPECT_EQ(records[0].payload.pageIndex, 2);
    EXPECT_EQ(records[0].payload.textItem, &text->GetTextData());

    page->ClearReceived();
    page->OnDoubleClick({10, 10}, 0, handled);
    EXPECT_TRUE(Records().empty()) << "a miss asks for nothing";
}

TEST_F(PageTextViewTest, DeleteAsksForTheRemovalWithAnEmptyRecord)
{
    view->SetState(element_state::kSelected);
    page->OnKeyDown(key_code::kDelete, 0);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].id, id::kPageTextDelete);
    EXPECT_EQ(records[0].sender, view.get());
    EXPECT_FALSE(records[0].payload.element);
}

TEST(DynamicMarkTest, IsCentredOnItsPosition)
{
    struct Case {
        const char* name;
        Size size;
        int code;
        Rect rect;
    } const cases[] = {
        {"width 7", {7, 150}, 5, {-3, 0, 3, 150}},
        {"width 200", {200, 150}, 5, {-100, 0, 100, 150}},
        {"width 1", {1, 40}, 5, {0, 0, 0, 40}},
        {"a code without glyph", {7, 150}, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        painter.SetDynamicMarkSize(c.size);
        DynamicMark mark;
        mark.SetDynamicsCode(c.code);
        mark.Layout(painter);
        EXPECT_EQ(mark.GetRect(), c.rect);
    }
}

TEST(DynamicMarkTest, KeepsItsValuesAndDrawsAtItsCorner)
{
    DynamicMark mark;
    EXPECT_EQ(mark.GetTimePosition(), 0);
    EXPECT_EQ(mark.GetDynamicsCode(), 0);
    mark.SetTimePosition(241920);
    mark.SetDynamicsCode(7);
    EXPECT_EQ(mark.GetTimePosition(), 241920);
    EXPECT_EQ(mark.GetDynamicsCode(), 7);

    FakePainter painter;
    painter.SetDynamicMarkSize({7, 150});
    mark.SetOrigin({1000, 2000});
    mark.SetPosition({60, 800});
    mark.SetOffset({4, -6});
    mark.Layout(painter);
    painter.Clear();
    mark.Draw(painter);
    ASSERT_EQ(painter.DrawCalls().size(), 1u);
    EXPECT_EQ(painter.DrawCalls()[0].name, "DrawDynamicMark");
    EXPECT_EQ(painter.DrawCalls()[0].ints,
              (std::vector<int>{1000 + 60 + 4 - 3, 2000 + 800 - 6, 7, color_index::kNormal}));
}

TEST(DecoratorTest, SizeIsMeasuredForTheDefaultRecordAndTheNumber100)
{
    for (const int index : {1, 5, 12345}) {
        SCOPED_TRACE(index);
        FakePainter painter;
        Decorator decorator;
        BarNumberFormat format;
        format.index = index;
        format.decorator = bar_number_frame::kCircle;
        decorator.SetProperties(format);
        decorator.Layout(painter);
        EXPECT_EQ(decorator.GetRect(), (Rect{0, 0, 3 * m::kDigitWidth, m::kBarIndexHeight}));
        std::vector<int> measured = {0, 0, 0, 5, 0, 0, 1000, 0, -500, 100};
        EXPECT_EQ(painter.CallsNamed("MeasureBarIndex")[0].ints, measured);
    }
}

TEST(DecoratorTest, DrawsItsOwnRecordAndNumberAtItsPoint)
{
    Decorator decorator;
    EXPECT_EQ(decorator.GetProperties(), BarNumberFormat{});
    BarNumberFormat format;
    format.format = 1;
    format.decorator = bar_number_frame::kBox;
    format.index = 17;
    format.interval = 4;
    decorator.SetProperties(format);
    EXPECT_EQ(decorator.GetProperties(), format);

    FakePainter painter;
    decorator.SetOrigin({1000, 2000});
    decorator.SetPosition({0, -500});
    decorator.SetOffset({8, 9});
    decorator.Layout(painter);
    painter.Clear();
    decorator.Draw(painter);
    ASSERT_EQ(painter.DrawCalls().size(), 1u);
    EXPECT_EQ(painter.DrawCalls()[0].name, "DrawBarIndex");
    EXPECT_EQ(painter.DrawCalls()[0].ints,
              (std::vector<int>{1008, 1509, 1, 2, 17, 4, 0, 0, 1000, 0, -500, 17,
                                color_index::kNormal}));
}

struct DeleteCase {
    const char* name;
    std::shared_ptr<ScoreElement> element;
    int id;
};

TEST(SmallMarksTest, DeleteSendsEachElementsOwnId)
{
    const DeleteCase cases[] = {
        {"dynamic mark", std::make_shared<DynamicMark>(), id::kDynamicMarkDelete},
        {"bar number", std::make_shared<Decorator>(), id::kBarNumberDelete},
        {"symbol mark", std::make_shared<SymbolMark>(), id::kSymbolMarkDelete},
        {"page text view", std::make_shared<PageTextView>(std::make_shared<PageText>()),
         id::kPageTextDelete},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto owner = std::make_shared<RecordingElement>("owner", nullptr);
        owner->HandleNotifications(0);
        c.element->SetParent(owner.get());
        c.element->SetState(element_state::kSelected);
        c.element->OnKeyDown(key_code::kDelete, 0);
        ASSERT_EQ(owner->ReceivedRecords().size(), 1u);
        EXPECT_EQ(owner->ReceivedRecords()[0].id, c.id);
        EXPECT_EQ(owner->ReceivedRecords()[0].sender, c.element.get());
        EXPECT_FALSE(owner->ReceivedRecords()[0].payload.element);
    }
}

TEST(PartGroupTest, KeepsItsTypeBoundsAndBoundElement)
{
    PartGroup group;
    EXPECT_EQ(group.GetType(), part_group_type::kBrace);
    EXPECT_EQ(group.GetFirstPart(), 0);
    EXPECT_EQ(group.GetLastPart(), 0);
    EXPECT_EQ(group.GetBoundElement(), nullptr);

    group.SetType(part_group_type::kBracket);
    group.SetFirstPart(2);
    group.SetLastPart(5);
    auto line = std::make_shared<RecordingElement>("start line", nullptr);
    group.SetBoundElement(line);
    EXPECT_EQ(group.GetType(), part_group_type::kBracket);
    EXPECT_EQ(group.GetFirstPart(), 2);
    EXPECT_EQ(group.GetLastPart(), 5);
    EXPECT_EQ(group.GetBoundElement(), line);
}

}  // namespace
}  // namespace quaverly
