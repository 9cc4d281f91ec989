#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "import_fixtures.h"
#include "scoredata/score_data.h"
#include "scoredata/stave_parser.h"
#include "scoredata/stave_parser_impl.h"

namespace tabulon {
namespace {

using namespace tabulon::testing;
using ::testing::ElementsAre;
using ::testing::Each;
using ::testing::Field;
using ::testing::Ge;
using ::testing::IsEmpty;
using ::testing::Lt;

// n quarter notes of one key, one after the other from tick start.
std::vector<Played> Quarters(int count, std::uint32_t key, std::int32_t start = 0)
{
    std::vector<Played> notes;
    for (int i = 0; i < count; ++i)
        notes.push_back({start + i * 120, 120, key});
    return notes;
}

std::vector<Played> Join(std::vector<Played> a, const std::vector<Played>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(StaveParserTest, TheKindFollowsTheRangeMostNotesLieIn)
{
    struct Case {
        std::string name;
        std::vector<Played> notes;
        bool split;
        int kind;
    };
    const std::vector<Case> cases{
        {"NoNotesIsLow", {}, true, 6},
        {"Low", Quarters(4, 30), true, 6},
        {"Middle", Quarters(4, 50), true, 1},
        {"Treble", Quarters(4, 70), true, 0},
        {"High", Quarters(4, 90), true, 5},
        {"PianoWithinFive", Join(Quarters(6, 72), Quarters(3, 48, 720)), true, 2},
        {"PianoSplitOff", Join(Quarters(6, 72), Quarters(3, 48, 720)), false, 0},
        {"UpperFarAhead", Join(Quarters(12, 72), Quarters(2, 48, 1440)), true, 0},
        {"MiddleLeadsNoSplit", Join(Quarters(3, 72), Quarters(6, 48, 360)), true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StaveParserImpl::ChooseKind(EventsOf(c.notes), c.split, 60), c.kind);
    }
}

struct StaveFixture {
    Owned<ScoreData> score{create_score_data()};
    Owned<StaveParser> parser{create_stave_parser()};
    StaveData* stave = nullptr;

    StaveFixture()
    {
        score->AddStave(0);
        stave = score->GetStave(0);
        parser->SetDivision(120 * 32);
    }
};

TEST(StaveParserTest, APianoTrackIsSplitAtTheKeyIntoTwoWholeStaffs)
{
    StaveFixture f;
    f.parser->SetSplit(1, 60);
    // The low notes end last, so the bar count comes from the lower staff.
    const int bars = f.parser->Parse(f.stave, EventsOf(Join(Quarters(6, 72), Quarters(3, 48, 720))));
    EXPECT_EQ(bars, 3);
    EXPECT_EQ(f.stave->GetKind(), 2);
    EXPECT_THAT(f.stave->GetStaffIds(), ElementsAre(0, 1));
    EXPECT_EQ(f.stave->GetStaff(0)->GetNotes().size(), 6u);
    EXPECT_THAT(f.stave->GetStaff(0)->GetNotes(), Each(Field(&NoteRecord::pitch, Ge(60))));
    EXPECT_EQ(f.stave->GetStaff(1)->GetNotes().size(), 3u);
    EXPECT_THAT(f.stave->GetStaff(1)->GetNotes(), Each(Field(&NoteRecord::pitch, Lt(60))));
}

TEST(StaveParserTest, AFixedKindIsKeptAndKindsBeyondSixAddNothing)
{
    {
        StaveFixture f;
        f.parser->SetKind(3);
        EXPECT_EQ(f.parser->Parse(f.stave, EventsOf(Quarters(4, 70))), 1);
        EXPECT_EQ(f.stave->GetKind(), 3);
        EXPECT_THAT(f.stave->GetStaffIds(), ElementsAre(0));
    }
    {
        StaveFixture f;
        f.parser->SetKind(9);
        EXPECT_EQ(f.parser->Parse(f.stave, EventsOf(Quarters(4, 70))), 0);
        EXPECT_EQ(f.stave->GetKind(), 9);
        EXPECT_THAT(f.stave->GetStaffIds(), IsEmpty());
    }
    {
        StaveFixture f;
        f.parser->SetKind(-1);
        EXPECT_EQ(f.parser->Parse(f.stave, EventsOf(Quarters(4, 70))), 0);
        EXPECT_THAT(f.stave->GetStaffIds(), IsEmpty());
    }
    {
        StaveFixture f;
        EXPECT_EQ(f.parser->Parse(nullptr, EventsOf(Quarters(4, 70))), 0);
        f.parser->SetDivision(0);
        EXPECT_EQ(f.parser->Parse(f.stave, EventsOf(Quarters(4, 70))), 0);
    }
}

TEST(StaveParserTest, AnUnfinishedNoteInTheUpperStaffEndsWithTheTrack)
{
    StaveFixture f;
    f.parser->SetKind(2);
    // The upper note never ends; the lower staff runs on for a bar and a half.
    std::vector<midi::MidiEvent> events = EventsOf(Quarters(6, 48));
    events.insert(events.begin(), NoteOn(0, 72));
    f.parser->Parse(f.stave, events);
    const StaffData* upper = f.stave->GetStaff(0);
    ASSERT_NE(upper, nullptr);
    ASSERT_EQ(upper->GetTieChains().size(), 1u);
    const auto& chain = upper->GetTieChains()[0].notes;
    EXPECT_EQ(chain.back().bar, 1);
    EXPECT_EQ(chain.back().offset + chain.back().SoundingLength(), 322560);
}

}  // namespace
}  // namespace tabulon
