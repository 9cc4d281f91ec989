#include <cstdint>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scoredata/note_values.h"

namespace tabulon::note_values {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(NoteValuesTest, WrittenValuesOfLengths)
{
    struct Case {
        std::int64_t length;
        std::int32_t value;
        int dotted;
    };
    for (const Case& c : std::vector<Case>{{161280, 161280, 0},
                                           {241920, 161280, 1},
                                           {5040, 5040, 0},
                                           {1000, 5040, 0},
                                           {1290240, 1290240, 0},
                                           {2580480, 1290240, 0},
                                           {201600, 161280, 1}}) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(PlainValue(c.length).value, c.value);
        EXPECT_EQ(PlainValue(c.length).dotted, c.dotted);
    }
    EXPECT_EQ(TripletValue(53760), 80640);
    EXPECT_EQ(TripletValue(107520), 161280);
    EXPECT_EQ(TripletValue(860160), 645120);
    EXPECT_TRUE(IsTripletShaped(53760, 40320));
    EXPECT_FALSE(IsTripletShaped(26880, 40320));  // a triplet sixteenth is not above the grid
    EXPECT_FALSE(IsTripletShaped(80640, 40320));
    EXPECT_FALSE(IsTripletShaped(0, 40320));
}

TEST(NoteValuesTest, NoteValuesArePlainOrSingleDotted)
{
    EXPECT_TRUE(IsNoteValue(161280));
    EXPECT_TRUE(IsNoteValue(241920));
    EXPECT_TRUE(IsNoteValue(5040));
    EXPECT_TRUE(IsNoteValue(1290240));
    EXPECT_FALSE(IsNoteValue(282240));   // double-dotted quarter
    EXPECT_FALSE(IsNoteValue(201600));   // five sixteenths
    EXPECT_FALSE(IsNoteValue(2580480));  // beyond a breve
    EXPECT_FALSE(IsNoteValue(2520));
    EXPECT_FALSE(IsNoteValue(161281));
}

TEST(NoteValuesTest, SplittingIntoPlainAndDottedCounts)
{
    EXPECT_THAT(SplitUnits(7), ElementsAre(6, 1));
    EXPECT_THAT(SplitUnits(5), ElementsAre(4, 1));
    EXPECT_THAT(SplitUnits(3), ElementsAre(3));
    EXPECT_THAT(SplitUnits(12), ElementsAre(12));
    EXPECT_THAT(SplitUnits(11), ElementsAre(8, 3));
    EXPECT_THAT(SplitUnits(0), IsEmpty());
    EXPECT_THAT(SplitUnits(-4), IsEmpty());
}

TEST(NoteValuesTest, JoiningCutParts)
{
    constexpr std::int64_t q = 161280;
    constexpr std::int64_t e = 80640;
    // Two halves of the unit.
    EXPECT_THAT(JoinParts({e, e}, q), ElementsAre(q));
    // Half a unit and a unit, when the unit is longer than an eighth.
    EXPECT_THAT(JoinParts({e, q}, q), ElementsAre(q + e));
    EXPECT_THAT(JoinParts({40320, e}, e), ElementsAre(40320, e));
    // Runs of whole units while the sum is one value; the last part may end the run.
    EXPECT_THAT(JoinParts({q, q, q, q}, q), ElementsAre(4 * q));
    EXPECT_THAT(JoinParts({q, q, q, q, q}, q), ElementsAre(4 * q, q));
    EXPECT_THAT(JoinParts({q, e}, q), ElementsAre(q + e));
    EXPECT_THAT(JoinParts({e, q, q}, q), ElementsAre(e, 2 * q));
    EXPECT_THAT(JoinParts({241920, e}, 2 * q), ElementsAre(241920, e));
    EXPECT_THAT(JoinParts({q}, q), ElementsAre(q));
}

}  // namespace
}  // namespace tabulon::note_values
