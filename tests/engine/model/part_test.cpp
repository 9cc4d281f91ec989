// Parts: starting values, bounds of verse offsets and staff size, the line-mark list,
// and that a part lays out its bars but never draws them.
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/bar.h"
#include "engine/model/line_mark.h"
#include "engine/model/note_factory.h"
#include "engine/model/part.h"
#include "engine/model/tie.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;

TEST(PartTest, NewPartHasNothingSet)
{
    const Part part;
    EXPECT_EQ(part.GetStaffLink(), staff_link::kAlone);
    EXPECT_TRUE(part.GetId().empty());
    EXPECT_TRUE(part.GetName().empty());
    EXPECT_TRUE(part.GetInstrumentName().empty());
    EXPECT_EQ(part.GetProgram(), 0);
    EXPECT_EQ(part.GetChannel(), 0);
    EXPECT_EQ(part.GetStaffSize(), -16777216.0);
    for (int verse = 0; verse < Part::kVerseCount; ++verse)
        EXPECT_EQ(part.GetVerseOffset(verse), -16777216) << verse;
    EXPECT_TRUE(part.GetTies().empty());
    EXPECT_TRUE(part.GetLineMarks().empty());
}

TEST(PartTest, VerseOffsetsOutsideTheFiveVersesAreIgnored)
{
    Part part;
    for (int verse = 0; verse < Part::kVerseCount; ++verse)
        part.SetVerseOffset(verse, 100 * (verse + 1));
    for (int bad : {-1, 5, 1000, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(bad);
        part.SetVerseOffset(bad, 77);
        EXPECT_EQ(part.GetVerseOffset(bad), kUnset);
    }
    for (int verse = 0; verse < Part::kVerseCount; ++verse)
        EXPECT_EQ(part.GetVerseOffset(verse), 100 * (verse + 1)) << verse;
}

TEST(PartTest, StaffSizeKeepsOnlySizesTheLayoutCanUse)
{
    struct Case {
        double size;
        bool accepted;
    };
    const Case cases[] = {
        {1219.0, true},
        {0.0, true},
        {1000000.0, true},  // ten metres of room, the most an offset may be
        {-16777216.0, true},  // the not-set marker
        {-1.0, false},
        {1000000.5, false},
        {2147483647.0, false},
        {std::numeric_limits<double>::quiet_NaN(), false},
        {std::numeric_limits<double>::infinity(), false},
        {-std::numeric_limits<double>::infinity(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        Part part;
        ASSERT_TRUE(part.SetStaffSize(1500.5));
        EXPECT_EQ(part.SetStaffSize(c.size), c.accepted);
        EXPECT_EQ(part.GetStaffSize(), c.accepted ? c.size : 1500.5);
    }
}

TEST(PartTest, RemovingATieOrLineMarkErasesOnlyItsFirstEntry)
{
    Part part;
    const auto slur = std::make_shared<SmoothSlurLine>();
    const auto trill = std::make_shared<TrillLine>();
    part.AddLineMark(slur);
    part.AddLineMark(trill);
    part.AddLineMark(slur);
    part.AddLineMark(nullptr);
    ASSERT_EQ(part.GetLineMarks().size(), 3u);

    part.RemoveLineMark(std::make_shared<CrescLine>());  // not held: nothing
    EXPECT_EQ(part.GetLineMarks().size(), 3u);
    part.RemoveLineMark(slur);
    EXPECT_EQ(part.GetLineMarks(), (std::vector<std::shared_ptr<LineMark>>{trill, slur}));

    const auto first = std::make_shared<Tie>();
    const auto second = std::make_shared<Tie>();
    part.AddTie(first);
    part.AddTie(second);
    part.AddTie(first);
    part.AddTie(nullptr);
    part.RemoveTie(std::make_shared<Tie>());  // not held: nothing
    EXPECT_EQ(part.GetTies(), (std::vector<std::shared_ptr<Tie>>{first, second, first}));
    part.RemoveTie(first);
    EXPECT_EQ(part.GetTies(), (std::vector<std::shared_ptr<Tie>>{second, first}));
}

// The ties that reach over a whole bar are found by the bars' places in the part, as they
// stand when asked: after bars came in or went, after a tie was given another end, and
// not for a tie left open.
TEST(PartTest, TiesOverABarAreFoundWhereverTheBarsNowStand)
{
    Part part;
    std::vector<std::shared_ptr<Bar>> bars;
    for (int b = 0; b < 4; ++b) {
        bars.push_back(std::make_shared<Bar>(b));
        bars.back()->AddNote(CreateNote(1));
        part.AppendChild(bars.back());
    }
    const auto at = [&bars](int b) -> NoteAnchor {
        const auto& bar = bars[static_cast<std::size_t>(b)];
        return {bar, bar->GetNotes().front()};
    };
    const auto tieTo = [&](int from, int to) {
        auto tie = std::make_shared<Tie>();
        tie->SetStart(at(from));
        if (to >= 0)
            tie->SetEnd(at(to));
        part.AddTie(tie);
        return tie;
    };
    tieTo(0, 1);                       // 0: bars side by side
    const auto longTie = tieTo(0, 2);  // 1: over bar 1
    tieTo(1, -1);                      // 2: open
    const auto over = [&part](int place) {
        std::vector<std::size_t> found;
        part.FindTiesOver(place, found);
        return found;
    };
    using Places = std::vector<std::size_t>;
    EXPECT_EQ(over(0), Places{});
    EXPECT_EQ(over(1), Places{1});
    EXPECT_EQ(over(2), Places{});

    // A bar put in after bar 0 stands under both ties; bar 2 is now under the long one.
    part.InsertChild(1, std::make_shared<Bar>(1));
    EXPECT_EQ(over(1), (Places{0, 1}));
    EXPECT_EQ(over(2), Places{1});
    part.RemoveChild(1);
    EXPECT_EQ(over(1), Places{1});
    EXPECT_EQ(over(2), Places{});

    // The long tie given an end in the next bar reaches over nothing.
    longTie->SetEnd(at(1));
    EXPECT_EQ(over(1), Places{});
    part.ClearChildren();
    EXPECT_EQ(over(1), Places{});
}

TEST(PartTest, LaysOutItsBarsButDrawsNone)
{
    auto log = std::make_shared<RecordingElement::Log>();
    Part part;
    const auto bar = std::make_shared<RecordingElement>("bar", log);
    bar->SetRect({0, 0, 10, 10});
    part.AppendChild(bar);
    FakePainter painter;

    part.Layout(painter);
    EXPECT_EQ(bar->GetParent(), &part);
    part.Draw(painter);
    EXPECT_EQ(*log, (RecordingElement::Log{"bar.Layout"}));
    EXPECT_TRUE(painter.Calls().empty());
}

}  // namespace
}  // namespace quaverly
