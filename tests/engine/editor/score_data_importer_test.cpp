// Building a score from a score-data record, and the round trip through the exporter.
#include <memory>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/score_data_exporter.h"
#include "engine/editor/score_data_importer.h"
#include "engine/model/tuplet.h"
#include "scoredata/score_data.h"
#include "tests/engine/editor/editor_test_score.h"

namespace quaverly {
namespace {

using namespace editor_test;

struct ReleaseScoreData {
    void operator()(tabulon::ScoreData* data) const { data->Release(); }
};
using ScoreDataPtr = std::unique_ptr<tabulon::ScoreData, ReleaseScoreData>;

tabulon::NoteRecord Record(int pitch, int bar, int offset, int value, int dotted = 0)
{
    tabulon::NoteRecord record;
    record.pitch = pitch;
    record.bar = bar;
    record.offset = offset;
    record.value = value;
    record.dotted = static_cast<std::uint8_t>(dotted);
    return record;
}

// What a note shows and how long it plays.
struct Shown {
    int start, code, octave, accidental, length, kind;
    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown ShownOf(const Note& note)
{
    return {note.GetStartTime(), note.GetPitchCode(), note.GetOctave(), note.GetAccidental(),
            GetNoteDuration(&note), note.GetStyle()->GetKind()};
}

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    return out << "{" << s.start << ", " << s.code << ", " << s.octave << ", " << s.accidental
               << ", " << s.length << ", " << s.kind << "}";
}

// Every main note of the bar, each followed by its chord notes.
std::vector<Shown> NotesOf(const Bar& bar)
{
    std::vector<Shown> shown;
    for (const auto& note : bar.GetNotes()) {
        shown.push_back(ShownOf(*note));
        for (const auto& chordNote : note->GetChordNotes()->GetNotes())
            shown.push_back(ShownOf(*chordNote));
    }
    return shown;
}

class ScoreDataImporterTest : public testing::Test {
protected:
    tabulon::StaffData& AddStaff(int stave, int staff = 0)
    {
        data->AddStave(stave);
        data->GetStave(stave)->AddStaff(staff, 0);
        return *data->GetStave(stave)->GetStaff(staff);
    }
    bool Import() { return ScoreDataImporter(score, data.get()).ImportScore(); }

    std::shared_ptr<Score> score = std::make_shared<Score>();
    ScoreDataPtr data{create_score_data()};
};

TEST_F(ScoreDataImporterTest, MissingScoreOrRecordImportsNothing)
{
    EXPECT_FALSE(ScoreDataImporter(nullptr, data.get()).ImportScore());
    EXPECT_FALSE(ScoreDataImporter(score, nullptr).ImportScore());
}

TEST_F(ScoreDataImporterTest, TextsSignaturesAndTempos)
{
    data->SetTitle(u"标题");
    data->SetComposer(u"副标题");
    data->SetPoet(u"作曲");
    data->SetCopyright(u"作词");
    score->SetRights(u"版权");
    data->AddMeter({0, 6, 8, 0});
    data->AddMeter({4, 0, 4, 1});  // refused by the score
    data->AddMeter({-1, 3, 4, 1});
    data->AddKey({0, 1, 1});
    data->AddKey({2, 9, 1});  // refused
    data->AddKey({3, -2, 0});
    data->AddTempo({0, 60, note_length::kHalf});
    data->AddTempo({2, 90, 0});  // no beat length: quarters per minute on the 6/8 beat
    data->AddTempo({3, 0, note_length::kQuarter});  // no speed
    data->AddTempoText({1, u"慢板"});

    ASSERT_TRUE(Import());

    EXPECT_EQ(score->GetTitle(), u"标题");
    EXPECT_EQ(score->GetSubtitle(), u"副标题");
    EXPECT_EQ(score->GetComposer(), u"作曲");
    EXPECT_EQ(score->GetPoet(), u"作词");
    EXPECT_EQ(score->GetRights(), u"版权");
    ASSERT_EQ(score->GetTimeSignatures().size(), 1u);
    EXPECT_EQ(score->GetTimeSignatures()[0].ToRecord(), (TimeSignatureRecord{0, 6, 8, 0}));
    EXPECT_EQ(score->GetKeySignatures(),
              (std::vector<KeySignatureRecord>{{0, 1, 1}, {3, -2, 0}}));
    EXPECT_EQ(score->GetTempoMarks(),
              (std::vector<TempoMarkRecord>{{0, note_length::kHalf, 60},
                                            {2, note_length::kEighth, 180}}));
    EXPECT_EQ(score->GetExpressionTexts(), (std::vector<ExpressionRecord>{{1, u"慢板"}}));
}

TEST_F(ScoreDataImporterTest, OnePartPerStaffWithItsSettingsAndBars)
{
    data->SetBarCount(3);
    tabulon::StaffData& first = AddStaff(0);
    first.SetName(u"笛子");
    first.SetProgram(73);
    first.SetChannel(2);
    data->GetStave(0)->AddStaff(1, 1);
    data->GetStave(0)->GetStaff(1)->SetProgram(300);  // out of range: the default stays
    data->GetStave(0)->GetStaff(1)->SetChannel(16);
    AddStaff(5);
    data->GetStave(5)->SetName(u"古筝");  // taken when the staff has no name

    ASSERT_TRUE(Import());

    ASSERT_EQ(score->GetChildCount(), 3);
    EXPECT_EQ(PartOf(*score, 0)->GetName(), u"笛子");
    EXPECT_EQ(PartOf(*score, 0)->GetProgram(), 73);
    EXPECT_EQ(PartOf(*score, 0)->GetChannel(), 2);
    EXPECT_EQ(PartOf(*score, 1)->GetProgram(), 0);
    EXPECT_EQ(PartOf(*score, 1)->GetChannel(), 0);
    EXPECT_EQ(PartOf(*score, 2)->GetName(), u"古筝");
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(PartOf(*score, p)->GetChildCount(), 3);
    EXPECT_EQ(BarOf(*score, 0, 2)->GetIndex(), 2);
}

TEST_F(ScoreDataImporterTest, NotesAreSpelledInTheKeyInForce)
{
    data->AddKey({0, 1, 1});
    data->AddKey({1, -1, 1});
    data->SetBarCount(2);
    tabulon::StaffData& staff = AddStaff(0);
    staff.AddNote(Record(67, 0, 0, note_length::kQuarter));         // "1" in G
    staff.AddNote(Record(78, 0, note_length::kQuarter, note_length::kEighth, 1));  // "7"
    staff.AddNote(Record(53, 1, 0, note_length::kHalf));            // "1" in F
    staff.AddNote(Record(59, 1, note_length::kHalf, note_length::kQuarter));  // sharp "4"
    staff.AddNote(Record(56, 1, 3 * note_length::kQuarter, note_length::kQuarter));  // flat 3

    ASSERT_TRUE(Import());

    EXPECT_EQ(NotesOf(*BarOf(*score, 0, 0)),
              (std::vector<Shown>{{0, 2, 0, 0, note_length::kQuarter, 0},
                                  {note_length::kQuarter, 8, 0, 0, 120960, 0}}));
    EXPECT_EQ(NotesOf(*BarOf(*score, 0, 1)),
              (std::vector<Shown>{{0, 2, 0, 0, note_length::kHalf, 0},
                                  {note_length::kHalf, 5, 0, 1, note_length::kQuarter, 0},
                                  {3 * note_length::kQuarter, 4, 0, -1, note_length::kQuarter,
                                   0}}));
}

TEST_F(ScoreDataImporterTest, NotesStartingTogetherFormAChordOnTheLowest)
{
    data->SetBarCount(1);
    tabulon::StaffData& staff = AddStaff(0);
    staff.AddNote(Record(67, 0, 0, note_length::kQuarter));
    staff.AddNote(Record(60, 0, 0, note_length::kHalf));
    staff.AddNote(Record(76, 0, 0, note_length::kQuarter));
    staff.AddNote(Record(64, 0, note_length::kHalf, note_length::kQuarter));

    ASSERT_TRUE(Import());

    const auto bar = BarOf(*score, 0, 0);
    ASSERT_EQ(bar->GetNotes().size(), 2u);
    EXPECT_EQ(NotesOf(*bar), (std::vector<Shown>{{0, 2, 0, 0, note_length::kHalf, 0},
                                                 {0, 6, 0, 0, note_length::kQuarter, 1},
                                                 {0, 4, 1, 0, note_length::kQuarter, 1},
                                                 {note_length::kHalf, 4, 0, 0,
                                                  note_length::kQuarter, 0}}));
    EXPECT_TRUE(bar->GetNotes()[0]->GetChordNotes()->GetNotes()[0]->IsChordMember());
}

TEST_F(ScoreDataImporterTest, UnusableRecordsAreLeftOutAndTheBarCountHoldsTheRest)
{
    data->SetBarCount(1);
    tabulon::StaffData& staff = AddStaff(0);
    staff.AddNote(Record(128, 0, 0, note_length::kQuarter));
    staff.AddNote(Record(-1, 0, 0, note_length::kQuarter));
    staff.AddNote(Record(60, -1, 0, note_length::kQuarter));
    staff.AddNote(Record(60, 0, -5, note_length::kQuarter));
    staff.AddNote(Record(60, 0, 0, 0));
    staff.AddNote(Record(60, 0, 0, -161280));
    staff.AddNote(Record(60, 0, 0, 0x7FFFFFFF));
    staff.AddNote(Record(60, kMaxImportBars, 0, note_length::kQuarter));
    staff.AddNote(Record(62, 3, 0, note_length::kQuarter));  // past the bar count

    ASSERT_TRUE(Import());

    const auto part = PartOf(*score, 0);
    ASSERT_EQ(part->GetChildCount(), 4);
    for (int b = 0; b < 3; ++b)
        EXPECT_TRUE(BarOf(*score, 0, b)->GetNotes().empty());
    EXPECT_EQ(NotesOf(*BarOf(*score, 0, 3)),
              (std::vector<Shown>{{0, 3, 0, 0, note_length::kQuarter, 0}}));
}

TEST_F(ScoreDataImporterTest, BarCountIsHeldToTheLimit)
{
    data->SetBarCount(0x7FFFFFFF);
    AddStaff(0);
    ASSERT_TRUE(Import());
    EXPECT_EQ(PartOf(*score, 0)->GetChildCount(), kMaxImportBars);
}

TEST_F(ScoreDataImporterTest, PartsAreHeldToTheLimit)
{
    data->SetBarCount(1);
    for (int stave = 0; stave <= kMaxImportParts; ++stave)
        AddStaff(stave);
    ASSERT_TRUE(Import());
    EXPECT_EQ(score->GetChildCount(), kMaxImportParts);
}

TEST_F(ScoreDataImporterTest, TupletGroupsAndTieChainsAreRebuilt)
{
    data->SetBarCount(2);
    tabulon::StaffData& staff = AddStaff(0);
    std::vector<tabulon::NoteRecord> triplet;
    for (int i = 0; i < 3; ++i) {
        auto record = Record(60 + 2 * i, 0, i * 53760, note_length::kEighth);
        record.tuplet = 3;
        staff.AddNote(record);
        triplet.push_back(record);
    }
    staff.AddTupletGroup({3, triplet});
    const auto first = Record(65, 0, 3 * note_length::kQuarter, note_length::kQuarter);
    const auto second = Record(65, 1, 0, note_length::kQuarter);
    staff.AddNote(first);
    staff.AddNote(second);
    // The fill record names no note; the chain still ties the two that exist.
    const auto fill = Record(65, 0, 3 * note_length::kQuarter + 80640, note_length::kEighth);
    staff.AddTieChain({{first, fill, second}});
    // A chain that runs backwards ties nothing.
    staff.AddTieChain({{triplet[2], triplet[1]}});

    ASSERT_TRUE(Import());

    const auto bar = BarOf(*score, 0, 0);
    ASSERT_EQ(bar->GetTuplets().size(), 1u);
    const auto& tuplet = bar->GetTuplets()[0];
    EXPECT_EQ(tuplet->GetActualCount(), 3);
    EXPECT_EQ(tuplet->GetNormalCount(), 2);
    EXPECT_EQ(tuplet->GetFirstNote(), bar->GetNotes()[0]);
    EXPECT_EQ(tuplet->GetNotes().size(), 2u);
    EXPECT_EQ(GetNoteDuration(bar->GetNotes()[2].get()), 53760);
    const auto part = PartOf(*score, 0);
    ASSERT_EQ(part->GetTies().size(), 1u);
    EXPECT_EQ(bar->GetNotes()[3]->GetTiedTo(), BarOf(*score, 0, 1)->GetNotes()[0].get());
    EXPECT_EQ(bar->GetNotes()[1]->GetTiedTo(), nullptr);
}

TEST(HighestSetBitTest, Values)
{
    EXPECT_EQ(HighestSetBit(0), 0);
    EXPECT_EQ(HighestSetBit(1), 0);
    EXPECT_EQ(HighestSetBit(2), 1);
    EXPECT_EQ(HighestSetBit(3), 1);
    EXPECT_EQ(HighestSetBit(4), 2);
    EXPECT_EQ(HighestSetBit(0x80000000u), 31);
}

TEST(ScoreDataRoundTripTest, ExportThenImportKeepsTextsPitchesDurationsAndChords)
{
    auto original = MakeScore(2, 2);
    original->SetTitle(u"春江花月夜");
    original->SetComposer(u"古曲");
    original->SetPoet(u"张若虚");
    original->SetKeySignature({0, 1, 1});
    original->SetKeySignature({1, -1, 1});
    original->SetTimeSignature({0, 3, 4, 1});
    original->SetTempoMark({0, note_length::kQuarter, 72});
    PartOf(*original, 0)->SetName(u"琵琶");
    PartOf(*original, 1)->SetProgram(40);
    PartOf(*original, 1)->SetChannel(1);
    // G major: the scale with the sharp 4 and flat 7 of the speller's spelling.
    const auto g = BarOf(*original, 0, 0);
    AddNote(*g, {2, 0, note_length::kEighth, 0});
    AddNote(*g, {5, 80640, note_length::kEighth, 0, 0, 1});
    AddNote(*g, {8, 161280, note_length::k16th, -1, 1});
    AddNote(*g, {7, 241920, note_length::kEighth, 1});
    const auto chord = AddNote(*g, {2, 322560, note_length::kHalf - note_length::kQuarter});
    AddChordNote(*chord, {4, 322560, note_length::kQuarter});
    AddChordNote(*chord, {6, 322560, note_length::kQuarter, 0, 0, 0});
    // F major, and a rest that plays nothing.
    const auto f = BarOf(*original, 0, 1);
    AddNote(*f, {pitch_code::kRest, 0});
    AddNote(*f, {3, 161280, note_length::kQuarter, 0, 0, -1});
    AddNote(*f, {8, 322560, note_length::kQuarter, -2, 0, -1});
    AddNote(*BarOf(*original, 1, 1), {6, 0, note_length::kHalf, 2, 1});

    ScoreDataPtr data{create_score_data()};
    ASSERT_TRUE(ScoreDataExporter(original).ExportScore(data.get()));
    auto imported = std::make_shared<Score>();
    ASSERT_TRUE(ScoreDataImporter(imported, data.get()).ImportScore());

    EXPECT_EQ(imported->GetTitle(), u"春江花月夜");
    EXPECT_EQ(imported->GetComposer(), u"古曲");
    EXPECT_EQ(imported->GetPoet(), u"张若虚");
    EXPECT_EQ(imported->GetKeySignatures(), original->GetKeySignatures());
    EXPECT_EQ(imported->GetTimeSignatures(), original->GetTimeSignatures());
    EXPECT_EQ(imported->GetTempoMarks(), original->GetTempoMarks());
    ASSERT_EQ(imported->GetChildCount(), 2);
    EXPECT_EQ(PartOf(*imported, 0)->GetName(), u"琵琶");
    EXPECT_EQ(PartOf(*imported, 1)->GetProgram(), 40);
    EXPECT_EQ(PartOf(*imported, 1)->GetChannel(), 1);
    for (int p = 0; p < 2; ++p) {
        ASSERT_EQ(PartOf(*imported, p)->GetChildCount(), 2);
        for (int b = 0; b < 2; ++b) {
            SCOPED_TRACE(testing::Message() << "part " << p << " bar " << b);
            std::vector<Shown> expected;
            for (Shown s : NotesOf(*BarOf(*original, p, b))) {
                if (s.code != pitch_code::kRest)
                    expected.push_back(s);
            }
            EXPECT_EQ(NotesOf(*BarOf(*imported, p, b)), expected);
        }
    }
}

}  // namespace
}  // namespace quaverly
