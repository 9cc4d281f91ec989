// Tuplets: counts written into their notes, unit length and end time, clearing,
// deletion, layout, drawing and hit test of the bracket.
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "engine/model/tuplet.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace m = fakes::fake_metrics;
namespace len = note_length;

std::shared_ptr<Note> MakeNote(int base, int dots = 0, int start = 0)
{
    auto note = std::make_shared<Note>();
    note->SetPitchCode(2);
    note->SetDuration(base);
    note->SetDots(dots);
    note->SetStartTime(start);
    return note;
}

TEST(TupletTest, UnitLengthAndEndTimeComeFromTheFirstNote)
{
    struct Case {
        std::string name;
        int base;
        int dots;
        int actual;
        int normal;
        int start;
        int unit;
        int end;
    };
    const std::vector<Case> cases = {
        {"triplet of eighths", len::kEighth, 0, 3, 2, 0, 80640, 161280},
        {"triplet of eighths on the second beat", len::kEighth, 0, 3, 2, 161280, 80640, 322560},
        {"dotted eighth first", len::kEighth, 1, 3, 2, 0, 120960, 241920},
        {"double-dotted quarter duplet", len::kQuarter, 2, 2, 3, 0, 282240, 846720},
        {"quintuplet of 16ths", len::k16th, 0, 5, 4, 40320, 40320, 201600},
        {"each dot's share truncated", 100, 3, 3, 2, 0, 187, 374},
        {"no counts: ends where it starts", len::kEighth, 0, 0, 0, 80640, 80640, 80640},
        {"a first note without a length", 0, 2, 3, 2, 500, 0, 500},
        {"an end beyond the int range is held", len::kHalf, 0, 3, 2, INT_MAX - 10, 322560,
         INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tuplet tuplet(c.actual, c.normal);
        tuplet.SetFirstNote(MakeNote(c.base, c.dots, c.start));
        EXPECT_EQ(tuplet.GetStartTime(), c.start);
        EXPECT_EQ(tuplet.GetUnitLength(), c.unit);
        EXPECT_EQ(tuplet.GetEndTime(), c.end);
    }

    Tuplet empty(3, 2);
    EXPECT_EQ(empty.GetStartTime(), 0);
    EXPECT_EQ(empty.GetUnitLength(), 0);
    EXPECT_EQ(empty.GetEndTime(), 0);
}

TEST(TupletTest, NotesTakeTheCountsAndClearingZeroesThem)
{
    Tuplet tuplet(3, 2);
    auto first = MakeNote(len::kEighth);
    auto second = MakeNote(len::kEighth);
    auto third = MakeNote(len::kEighth);
    tuplet.SetFirstNote(first);
    tuplet.AddNote(second);
    tuplet.AddNote(nullptr);  // ignored
    tuplet.AddNote(third);
    for (const auto& note : {first, second, third}) {
        EXPECT_EQ(note->GetTupletActual(), 3);
        EXPECT_EQ(note->GetTupletNormal(), 2);
    }
    EXPECT_EQ(tuplet.GetFirstNote(), first);
    EXPECT_EQ(tuplet.GetNotes(), (std::vector<std::shared_ptr<Note>>{second, third}));
    // Three triplet eighths make one quarter.
    EXPECT_EQ(GetNoteDuration(first.get()) * 3, len::kQuarter);

    // Emptying the further notes for a retiming keeps every count.
    tuplet.ClearNotes();
    EXPECT_TRUE(tuplet.GetNotes().empty());
    EXPECT_EQ(tuplet.GetFirstNote(), first);
    EXPECT_EQ(second->GetTupletActual(), 3);
    tuplet.AddNote(second);
    tuplet.AddNote(third);

    tuplet.ClearChildren();
    EXPECT_EQ(tuplet.GetFirstNote(), nullptr);
    EXPECT_TRUE(tuplet.GetNotes().empty());
    for (const auto& note : {first, second, third}) {
        EXPECT_EQ(note->GetTupletActual(), 0);
        EXPECT_EQ(note->GetTupletNormal(), 0);
        EXPECT_EQ(GetNoteDuration(note.get()), len::kEighth);
    }
}

TEST(TupletTest, CountsAreHeldToTheirRange)
{
    Tuplet tuplet(1000, -3);
    EXPECT_EQ(tuplet.GetActualCount(), note_limits::kMaxTupletCount);
    EXPECT_EQ(tuplet.GetNormalCount(), 0);
    tuplet.SetActualCount(-1);
    tuplet.SetNormalCount(INT_MAX);
    EXPECT_EQ(tuplet.GetActualCount(), 0);
    EXPECT_EQ(tuplet.GetNormalCount(), note_limits::kMaxTupletCount);

    Tuplet plain;
    EXPECT_EQ(plain.GetActualCount(), 0);
    EXPECT_EQ(plain.GetNormalCount(), 0);
    plain.SetActualCount(5);
    plain.SetNormalCount(4);
    auto note = MakeNote(len::k16th);
    plain.SetFirstNote(note);
    EXPECT_EQ(note->GetTupletActual(), 5);
    EXPECT_EQ(note->GetTupletNormal(), 4);
}

TEST(TupletTest, DragsAlongYOnlyAndDeletionAsksTheOwner)
{
    auto parent = std::make_shared<RecordingElement>("bar", nullptr);
    parent->HandleNotifications(0);
    auto tuplet = std::make_shared<Tuplet>(3, 2);
    parent->AppendChild(tuplet);
    FakePainter painter;
    parent->Layout(painter);

    tuplet->MoveBy({15, 7}, 0);
    EXPECT_EQ(tuplet->GetOffset(), (Point{0, 7}));

    parent->ClearReceived();
    tuplet->DeleteSelected();
    ASSERT_EQ(parent->ReceivedRecords().size(), 1u);
    const auto& record = parent->ReceivedRecords()[0];
    EXPECT_EQ(record.id, notification_id::kTupletDelete);
    EXPECT_EQ(record.sender, tuplet.get());
    EXPECT_TRUE(record.hasPayload);
    EXPECT_EQ(record.payload.element, nullptr);

    // Counts set again give the drag axis back to y only.
    tuplet->SetAxisMask(drag_axis::kBoth);
    tuplet->SetCounts(5, 4);
    EXPECT_EQ(tuplet->GetAxisMask(), drag_axis::kY);
}

// A triplet at origin (1000, 2000), position (10, 20), offset (0, 5), bracket from
// (100, -50) to (400, 0), laid out: number 60 x 120, bracket height 260.
class PlacedTupletTest : public testing::Test {
protected:
    void SetUp() override
    {
        tuplet.SetOrigin({1000, 2000});
        tuplet.SetPosition({10, 20});
        tuplet.SetOffset({0, 5});
        tuplet.SetBracketStart({100, -50});
        tuplet.SetBracketEnd({400, 0});
        tuplet.Layout(painter);
        painter.Clear();
    }

    FakePainter painter;
    Tuplet tuplet{3, 2};
};

TEST_F(PlacedTupletTest, LayoutMeasuresTheNumberAndTheBracket)
{
    EXPECT_EQ(tuplet.GetRect(), (Rect{0, 0, m::kDigitWidth, m::kTupletNumberHeight}));
    EXPECT_EQ(tuplet.GetBracketHeight(), m::kFlatSlurHeight);
    tuplet.SetCounts(12, 8);
    EXPECT_EQ(tuplet.GetBracketHeight(), 0);
    tuplet.Layout(painter);
    EXPECT_EQ(tuplet.GetRect(), (Rect{0, 0, 2 * m::kDigitWidth, m::kTupletNumberHeight}));
}

TEST_F(PlacedTupletTest, DrawsTheBracketFromItsStartToTheEndsX)
{
    tuplet.Draw(painter);
    EXPECT_EQ(painter.DrawCalls(),
              (std::vector<PainterCall>{
                  {"DrawTuplet", {1110, 1975, 300, 3, color_index::kNormal}, u""}}));
}

TEST_F(PlacedTupletTest, HitsTheNumberOrTheBracketWithEdgesInside)
{
    // Number box: x 1230..1290, y 1655..1775. Bracket: x 1110..1410, y 1715..1975.
    struct Case {
        Point point;
        bool hit;
    };
    const std::vector<Case> cases = {
        {{1230, 1655}, true},  {{1290, 1775}, true},  {{1260, 1660}, true},
        {{1229, 1700}, false}, {{1291, 1700}, false}, {{1260, 1654}, false},
        {{1110, 1975}, true},  {{1410, 1715}, true},  {{1300, 1900}, true},
        {{1109, 1800}, false}, {{1411, 1800}, false}, {{1200, 1976}, false},
        {{1200, 1714}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(tuplet.HitTest(c.point), c.hit);
    }
}

}  // namespace
}  // namespace quaverly
