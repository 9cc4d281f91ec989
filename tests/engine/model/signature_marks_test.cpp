// Key signatures, time signatures, tempo marks and expression texts: starting values,
// refused values, measuring and drawing through the painter, and deletion requests.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/expression_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/time_signature.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

TEST(SignatureMarksTest, NewMarksHoldTheEngineDefaults)
{
    EXPECT_EQ(KeySignature().GetValue(), (KeySignatureRecord{0, 0, 1}));
    EXPECT_EQ(TimeSignature().GetValue(), (TimeSignatureRecord{0, 4, 4, 1}));
    EXPECT_FALSE(TimeSignature().IsSystemPlaced());
    EXPECT_EQ(TempoMark().GetValue(), (TempoMarkRecord{0, 161280, 120}));
    EXPECT_EQ(ExpressionText().GetValue(), (ExpressionRecord{0, u""}));
}

TEST(SignatureMarksTest, KeySignatureRefusesKeysBeyondSevenSharpsOrFlats)
{
    struct Case {
        KeySignatureRecord value;
        bool accepted;
        KeySignatureRecord stored;
    };
    const Case cases[] = {
        {{3, -7, 0}, true, {3, -7, 0}},
        {{4, 7, 1}, true, {4, 7, 1}},
        {{5, 2, 9}, true, {5, 2, 1}},  // any other mode is major
        {{6, 8, 1}, false, {1, 1, 0}},
        {{6, -8, 1}, false, {1, 1, 0}},
        {{6, -2147483647 - 1, 1}, false, {1, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "fifths " << c.value.fifths);
        KeySignature key;
        ASSERT_TRUE(key.SetValue(1, 1, 0));
        EXPECT_EQ(key.SetValue(c.value), c.accepted);
        EXPECT_EQ(key.GetValue(), c.stored);
    }
}

TEST(SignatureMarksTest, TimeSignatureRefusesBeatsOrBeatTypeOfZeroOrLess)
{
    struct Case {
        TimeSignatureRecord value;
        bool accepted;
        TimeSignatureRecord stored;
    };
    const Case cases[] = {
        {{2, 3, 8, 0}, true, {2, 3, 8, 0}},
        {{2, 6, 8, 5}, true, {2, 6, 8, 1}},
        {{2, 3, 0, 0}, false, {1, 2, 4, 0}},
        {{2, 3, -4, 0}, false, {1, 2, 4, 0}},
        {{2, 0, 4, 0}, false, {1, 2, 4, 0}},
        {{2, -3, 4, 0}, false, {1, 2, 4, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value.beats << "/" << c.value.beatType);
        TimeSignature time;
        ASSERT_TRUE(time.SetValue(1, 2, 4, 0));
        EXPECT_EQ(time.SetValue(c.value), c.accepted);
        EXPECT_EQ(time.GetValue(), c.stored);
    }
    TimeSignature placed;
    placed.SetSystemPlaced(true);
    EXPECT_TRUE(placed.IsSystemPlaced());
}

struct MarkCase {
    const char* name;
    std::function<std::shared_ptr<EditableElement>()> make;
    PainterCall measure;
    Rect rect;
    PainterCall draw;  // at (1013, 2024), not selected
    int deleteId;
};

std::vector<MarkCase> MarkCases()
{
    return {
        {"key",
         [] {
             auto key = std::make_shared<KeySignature>();
             key->SetValue(0, -3, 0);
             return key;
         },
         {"MeasureKeySignature", {-3}, u""},
         {0, 0, m::kKeySignatureSize.cx, m::kKeySignatureSize.cy},
         {"DrawKeySignature", {1013, 2024, -3, color_index::kNormal}, u""},
         id::kKeySignatureDelete},
        {"time",
         [] {
             auto time = std::make_shared<TimeSignature>();
             time->SetValue(0, 12, 8, 0);
             return time;
         },
         {"MeasureTimeSignature", {12, 8}, u""},
         {0, 0, 2 * m::kDigitWidth + 150, m::kTimeSignatureHeight},
         {"DrawTimeSignature", {1013, 2024, 12, 8, color_index::kNormal}, u""},
         id::kTimeSignatureDelete},
        {"tempo",
         [] {
             auto tempo = std::make_shared<TempoMark>();
             tempo->SetValue(4, 241920, 72);
             return tempo;
         },
         {"MeasureTempoMark", {241920, 72}, u""},
         {0, 0, 200 + 2 * m::kDigitWidth, m::kTempoMarkHeight},
         {"DrawTempoMark", {1013, 2024, 241920, 72, color_index::kNormal}, u""},
         id::kTempoMarkDelete},
        {"expression",
         [] {
             auto words = std::make_shared<ExpressionText>();
             words->SetValue({4, u"渐慢"});
             return words;
         },
         {"MeasureExpressionText", {}, u"渐慢"},
         {0, 0, 2 * m::kCharWidth, m::kExpressionHeight},
         {"DrawExpressionText", {1013, 2024, color_index::kNormal}, u"渐慢"},
         id::kExpressionTextDelete},
        {"empty expression",
         [] { return std::make_shared<ExpressionText>(); },
         {"MeasureExpressionText", {}, u""},
         {0, 0, m::kCharWidth, m::kExpressionHeight},
         {"DrawExpressionText", {1013, 2024, color_index::kNormal}, u""},
         id::kExpressionTextDelete},
    };
}

TEST(SignatureMarksTest, MarksMeasureAndDrawThroughThePainter)
{
    for (const MarkCase& c : MarkCases()) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        const auto mark = c.make();
        mark->SetRect({5, 5, 9, 9});
        mark->Layout(painter);
        EXPECT_EQ(painter.Calls(), (std::vector<PainterCall>{c.measure}));
        EXPECT_EQ(mark->GetRect(), c.rect);

        mark->SetOrigin({1000, 2000});
        mark->SetPosition({10, 20});
        mark->SetOffset({3, 4});
        painter.Clear();
        mark->Draw(painter);
        mark->Select();
        mark->Draw(painter);
        PainterCall selected = c.draw;
        selected.ints.back() = color_index::kSelected;
        EXPECT_EQ(painter.Calls(), (std::vector<PainterCall>{c.draw, selected}));
    }
}

TEST(SignatureMarksTest, DeleteOnASelectedMarkAsksForItsRemovalAndChangesNothing)
{
    for (const MarkCase& c : MarkCases()) {
        SCOPED_TRACE(c.name);
        auto parent = std::make_shared<RecordingElement>("parent", nullptr);
        parent->HandleNotifications(0);
        const auto mark = c.make();
        parent->AppendChild(mark);
        FakePainter painter;
        parent->Layout(painter);

        mark->OnKeyDown(key_code::kDelete, 0);  // not selected: nothing
        EXPECT_TRUE(parent->ReceivedRecords().empty());
        mark->Select();
        mark->OnKeyDown(key_code::kDelete, 0);
        ASSERT_EQ(parent->ReceivedRecords().size(), 2u);  // selection, then removal
        const auto& record = parent->ReceivedRecords()[1];
        EXPECT_EQ(record.id, c.deleteId);
        EXPECT_EQ(record.sender, mark.get());
        ASSERT_TRUE(record.hasPayload);
        EXPECT_FALSE(record.payload.element);
        EXPECT_EQ(parent->GetChildCount(), 1);
    }
}

}  // namespace
}  // namespace quaverly
