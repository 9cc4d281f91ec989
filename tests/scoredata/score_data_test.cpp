#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scoredata/score_data.h"

namespace tabulon {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct ReleaseScore {
    void operator()(ScoreData* score) const { score->Release(); }
};
using ScorePtr = std::unique_ptr<ScoreData, ReleaseScore>;

ScorePtr NewScore()
{
    ScorePtr score(create_score_data());
    EXPECT_NE(score, nullptr);
    return score;
}

void ExpectEmpty(const ScoreData& score)
{
    EXPECT_EQ(score.GetTitle(), u"");
    EXPECT_EQ(score.GetComposer(), u"");
    EXPECT_EQ(score.GetSubtitle(), u"");
    EXPECT_THAT(score.GetStaveIds(), IsEmpty());
    EXPECT_THAT(score.GetMeters(), IsEmpty());
    EXPECT_THAT(score.GetKeys(), IsEmpty());
    EXPECT_THAT(score.GetTempos(), IsEmpty());
    EXPECT_THAT(score.GetTempoTexts(), IsEmpty());
    EXPECT_EQ(score.GetBarCount(), 0);
}

TEST(ScoreDataTest, HeaderAndRecordsReadBackInTheOrderTheyWereAdded)
{
    ScorePtr score = NewScore();
    ExpectEmpty(*score);
    EXPECT_EQ(score->GetPoet(), u"");
    EXPECT_EQ(score->GetCopyright(), u"");

    score->SetTitle(u"茉莉花");
    score->SetComposer(u"江苏民歌");
    score->SetSubtitle(u"小调");
    score->SetPoet(u"佚名");
    score->SetCopyright(u"©");
    score->AddMeter({8, 3, 4, 0});
    score->AddMeter({0, 2, 4, 1});
    score->AddKey({0, -1, 1});
    score->AddTempo({4, 60, 241920});  // bar, beats per minute, beat length
    score->AddTempoText({0, u"快板"});
    score->SetBarCount(12);

    EXPECT_EQ(score->GetTitle(), u"茉莉花");
    EXPECT_EQ(score->GetComposer(), u"江苏民歌");
    EXPECT_EQ(score->GetSubtitle(), u"小调");
    EXPECT_EQ(score->GetPoet(), u"佚名");
    EXPECT_EQ(score->GetCopyright(), u"©");
    ASSERT_EQ(score->GetMeters().size(), 2u);
    EXPECT_EQ(score->GetMeters()[0].bar, 8);  // nothing sorts the records
    EXPECT_EQ(score->GetMeters()[1].bar, 0);
    EXPECT_EQ(score->GetMeters()[1].flag, 1);
    ASSERT_EQ(score->GetKeys().size(), 1u);
    EXPECT_EQ(score->GetKeys()[0].key, -1);
    EXPECT_EQ(score->GetKeys()[0].major, 1);
    ASSERT_EQ(score->GetTempos().size(), 1u);
    const TempoRecord& tempo = score->GetTempos()[0];
    EXPECT_EQ(tempo.bar, 4);
    EXPECT_EQ(tempo.beatsPerMinute, 60);
    EXPECT_EQ(tempo.beatLength, 241920);
    ASSERT_EQ(score->GetTempoTexts().size(), 1u);
    EXPECT_EQ(score->GetTempoTexts()[0].text, u"快板");
    EXPECT_EQ(score->GetBarCount(), 12);
}

TEST(ScoreDataTest, ClearEmptiesAllButPoetAndCopyright)
{
    ScorePtr score = NewScore();
    score->SetTitle(u"t");
    score->SetComposer(u"c");
    score->SetSubtitle(u"s");
    score->SetPoet(u"p");
    score->SetCopyright(u"r");
    score->AddMeter({0, 4, 4, 0});
    score->AddKey({0, 0, 1});
    score->AddTempo({0, 120, 161280});
    score->AddTempoText({0, u"中速"});
    score->AddStave(0);
    score->SetBarCount(3);

    score->Clear();
    ExpectEmpty(*score);
    EXPECT_EQ(score->GetStave(0), nullptr);
    EXPECT_EQ(score->GetPoet(), u"p");
    EXPECT_EQ(score->GetCopyright(), u"r");
}

TEST(ScoreDataTest, StavesAndStaffsAreKeyedAndLookupsCreateNothing)
{
    ScorePtr score = NewScore();
    score->AddStave(5);
    score->AddStave(1);
    EXPECT_THAT(score->GetStaveIds(), ElementsAre(1, 5));

    StaveData* stave = score->GetStave(5);
    ASSERT_NE(stave, nullptr);
    stave->SetName(u"钢琴");
    stave->SetKind(2);
    stave->AddStaff(1, 1);
    stave->AddStaff(0, 2);
    EXPECT_THAT(stave->GetStaffIds(), ElementsAre(0, 1));
    StaffData* staff = stave->GetStaff(0);
    ASSERT_NE(staff, nullptr);
    staff->SetName(u"右手");

    // Adding again keeps what is there.
    score->AddStave(5);
    stave->AddStaff(0, 0);
    EXPECT_EQ(score->GetStave(5), stave);
    EXPECT_EQ(stave->GetName(), u"钢琴");
    EXPECT_EQ(stave->GetKind(), 2);
    EXPECT_EQ(stave->GetStaff(0), staff);
    EXPECT_EQ(staff->GetName(), u"右手");

    // Missing entries read as null and are not inserted.
    EXPECT_EQ(score->GetStave(3), nullptr);
    EXPECT_THAT(score->GetStaveIds(), ElementsAre(1, 5));
    EXPECT_EQ(stave->GetStaff(7), nullptr);
    EXPECT_THAT(stave->GetStaffIds(), ElementsAre(0, 1));

    stave->RemoveStaff(1);
    stave->RemoveStaff(9);
    EXPECT_THAT(stave->GetStaffIds(), ElementsAre(0));
    score->RemoveStave(1);
    score->RemoveStave(9);
    EXPECT_THAT(score->GetStaveIds(), ElementsAre(5));

    // Children go with their owner: their own Release leaves them in place.
    staff->Release();
    stave->Release();
    EXPECT_EQ(score->GetStave(5)->GetStaff(0)->GetName(), u"右手");

    stave->AddLyric({2, 80640, u"好"});
    stave->AddLyric({0, 0, u"一"});
    ASSERT_EQ(stave->GetLyrics().size(), 2u);
    EXPECT_EQ(stave->GetLyrics()[0].text, u"好");
    EXPECT_EQ(stave->GetLyrics()[0].offset, 80640);
}

TEST(StaffDataTest, StandaloneStaffHoldsNotesChainsAndGroups)
{
    StaffData* staff = create_staff_data();
    ASSERT_NE(staff, nullptr);
    EXPECT_EQ(staff->GetProgram(), 0);
    EXPECT_EQ(staff->GetChannel(), 0);
    EXPECT_THAT(staff->GetNotes(), IsEmpty());

    staff->SetProgram(73);
    staff->SetChannel(9);
    const NoteRecord first{1, 60, 0, 0, 161280, 0, 0, 90};
    const NoteRecord second{2, 60, 0, 161280, 80640, 1, 0, 100};
    staff->AddNote(second);
    staff->AddNote(first);
    staff->AddTieChain({{first, second}});
    staff->AddTupletGroup({3, {first, first, first}});

    EXPECT_EQ(staff->GetProgram(), 73);
    EXPECT_EQ(staff->GetChannel(), 9);
    ASSERT_EQ(staff->GetNotes().size(), 2u);
    EXPECT_EQ(staff->GetNotes()[0].sequence, 2);
    EXPECT_EQ(staff->GetNotes()[0].dotted, 1);
    EXPECT_EQ(staff->GetNotes()[1].velocity, 90);
    ASSERT_EQ(staff->GetTieChains().size(), 1u);
    EXPECT_EQ(staff->GetTieChains()[0].notes.size(), 2u);
    ASSERT_EQ(staff->GetTupletGroups().size(), 1u);
    EXPECT_EQ(staff->GetTupletGroups()[0].count, 3);

    // The removers do nothing.
    staff->RemoveNote(first);
    staff->RemoveTieChain({{first, second}});
    staff->RemoveTupletGroup({3, {first, first, first}});
    EXPECT_EQ(staff->GetNotes().size(), 2u);
    EXPECT_EQ(staff->GetTieChains().size(), 1u);
    EXPECT_EQ(staff->GetTupletGroups().size(), 1u);

    staff->Release();
}

// Writers fill the records by position, so each record keeps the field order that
// the exchange format gives it.
TEST(ScoreDataTest, RecordsKeepTheirFieldOrderThroughTheFactories)
{
    ScorePtr score = NewScore();
    score->AddMeter({3, 6, 8, 1});
    score->AddKey({2, -3, 0});
    score->AddTempo({1, 72, 241920});
    score->AddTempoText({5, u"稍快"});
    score->AddStave(0);
    StaveData* stave = score->GetStave(0);
    ASSERT_NE(stave, nullptr);
    stave->AddLyric({7, 40320, u"春"});
    stave->AddStaff(0, 0);
    StaffData* staff = stave->GetStaff(0);
    ASSERT_NE(staff, nullptr);
    const NoteRecord note{11, 67, 4, 80640, 40320, 1, 3, 72};
    staff->AddNote(note);
    staff->AddTieChain({{note, note}});
    staff->AddTupletGroup({6, {note}});

    const MeterRecord& meter = score->GetMeters().at(0);
    EXPECT_EQ(meter.bar, 3);
    EXPECT_EQ(meter.numerator, 6);
    EXPECT_EQ(meter.denominator, 8);
    EXPECT_EQ(meter.flag, 1);
    const KeyRecord& key = score->GetKeys().at(0);
    EXPECT_EQ(key.bar, 2);
    EXPECT_EQ(key.key, -3);
    EXPECT_EQ(key.major, 0);
    // Bar, beats per minute, beat length: 72 dotted quarters a minute are 108 quarters.
    const TempoRecord& tempo = score->GetTempos().at(0);
    EXPECT_EQ(tempo.bar, 1);
    EXPECT_EQ(tempo.beatsPerMinute, 72);
    EXPECT_EQ(tempo.beatLength, 241920);
    EXPECT_EQ(tempo.beatsPerMinute * tempo.beatLength / kUnitsPerQuarter, 108);
    EXPECT_EQ(score->GetTempoTexts().at(0).bar, 5);
    EXPECT_EQ(score->GetTempoTexts().at(0).text, u"稍快");
    const LyricRecord& lyric = score->GetStave(0)->GetLyrics().at(0);
    EXPECT_EQ(lyric.bar, 7);
    EXPECT_EQ(lyric.offset, 40320);
    EXPECT_EQ(lyric.text, u"春");

    const NoteRecord& stored = score->GetStave(0)->GetStaff(0)->GetNotes().at(0);
    EXPECT_EQ(stored.sequence, 11);
    EXPECT_EQ(stored.pitch, 67);
    EXPECT_EQ(stored.bar, 4);
    EXPECT_EQ(stored.offset, 80640);
    EXPECT_EQ(stored.value, 40320);
    EXPECT_EQ(stored.dotted, 1);
    EXPECT_EQ(stored.tuplet, 3);
    EXPECT_EQ(stored.velocity, 72);
    // A dotted sixteenth in a triplet: 60480 * 2 / 3.
    EXPECT_EQ(stored.SoundingLength(), 40320);
    ASSERT_EQ(staff->GetTieChains().at(0).notes.size(), 2u);
    EXPECT_TRUE(staff->GetTieChains()[0].notes[1].IsSameNote(note));
    EXPECT_EQ(staff->GetTupletGroups().at(0).count, 6);
    EXPECT_EQ(staff->GetTupletGroups()[0].notes.at(0).sequence, 11);
}

TEST(NoteRecordTest, SoundingLength)
{
    struct Case {
        const char* name;
        int value;
        std::uint8_t dotted;
        int tuplet;
        int expected;
    };
    const Case cases[] = {
        {"quarter", 161280, 0, 0, 161280},
        {"dotted quarter", 161280, 1, 0, 241920},
        {"dotted 128th", 5040, 1, 0, 7560},
        {"triplet eighth", 80640, 0, 3, 53760},
        {"quintuplet sixteenth", 40320, 0, 5, 32256},
        {"sextuplet sixteenth", 40320, 0, 6, 26880},
        {"four in a tuplet: two below four", 80640, 0, 4, 40320},
        {"septuplet", 40320, 0, 7, 23040},
        {"nine: eight below nine", 40320, 0, 9, 35840},
        {"two: one", 80640, 0, 2, 40320},
        {"one: unchanged", 80640, 0, 1, 80640},
        {"dotted triplet quarter", 161280, 1, 3, 161280},
        {"a negative tuplet number counts as none", 80640, 0, -3, 80640},
        {"a breve", 1290240, 1, 0, 1935360},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NoteRecord note;
        note.value = c.value;
        note.dotted = c.dotted;
        note.tuplet = c.tuplet;
        EXPECT_EQ(note.SoundingLength(), c.expected);

        // The same through a staff made by the factory.
        StaffData* staff = create_staff_data();
        ASSERT_NE(staff, nullptr);
        staff->AddNote(note);
        EXPECT_EQ(staff->GetNotes().at(0).SoundingLength(), c.expected);
        staff->Release();
    }
}

TEST(NoteRecordTest, SameNoteComparesTheWrittenNoteAndPlaceOnly)
{
    const NoteRecord note{1, 60, 2, 80640, 80640, 0, 3, 100};
    NoteRecord other = note;
    other.sequence = 9;
    other.velocity = 20;
    EXPECT_TRUE(note.IsSameNote(other));
    other.tuplet = 0;
    EXPECT_FALSE(note.IsSameNote(other));
    other = note;
    other.pitch = 61;
    EXPECT_FALSE(note.IsSameNote(other));
    other = note;
    other.dotted = 1;
    EXPECT_FALSE(note.IsSameNote(other));
}

}  // namespace
}  // namespace tabulon
