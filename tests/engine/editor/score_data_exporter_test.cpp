// Exporting a score into the score-data record: texts and tables, one record per
// sounding note with tie chains, grace and chord notes, and keys spelled from the
// key's tonic.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/score_data_exporter.h"
#include "scoredata/score_data.h"
#include "tests/engine/editor/editor_test_score.h"

namespace quaverly {
namespace {

using namespace editor_test;

struct ReleaseScoreData {
    void operator()(tabulon::ScoreData* data) const { data->Release(); }
};
using ScoreDataPtr = std::unique_ptr<tabulon::ScoreData, ReleaseScoreData>;

class ScoreDataExporterTest : public testing::Test {
protected:
    // Exports the score and returns the notes of part 0.
    const std::vector<tabulon::NoteRecord>& Export(int part = 0)
    {
        ScoreDataExporter exporter(score);
        EXPECT_TRUE(exporter.ExportScore(data.get()));
        const tabulon::StaveData* stave = data->GetStave(part);
        EXPECT_NE(stave, nullptr);
        return stave->GetStaff(0)->GetNotes();
    }
    std::shared_ptr<Bar> B(int bar) { return BarOf(*score, 0, bar); }

    std::shared_ptr<Score> score = MakeScore(1, 3);
    ScoreDataPtr data{create_score_data()};
};

TEST_F(ScoreDataExporterTest, TextsTablesBarCountAndPartSettings)
{
    score->SetTitle(u"茉莉花");
    score->SetComposer(u"民歌");
    score->SetPoet(u"佚名");
    score->SetSubtitle(u"not exported");
    score->SetKeySignature({2, -3, 0});
    score->SetTempoMark({1, note_length::kHalf, 60});
    score->SetExpressionText({2, u"快板"});
    AddPart(*score, 3);
    const auto second = PartOf(*score, 1);
    second->SetName(u"二胡");
    second->SetProgram(110);
    second->SetChannel(3);

    Export();

    EXPECT_EQ(data->GetTitle(), u"茉莉花");
    EXPECT_EQ(data->GetPoet(), u"民歌");      // the composer goes where it is read back
    EXPECT_EQ(data->GetCopyright(), u"佚名");  // and so does the poet
    EXPECT_EQ(data->GetComposer(), u"");
    EXPECT_EQ(data->GetSubtitle(), u"");
    ASSERT_EQ(data->GetMeters().size(), 1u);  // none in the score: 4/4 at bar 0
    EXPECT_EQ(data->GetMeters()[0].bar, 0);
    EXPECT_EQ(data->GetMeters()[0].numerator, 4);
    EXPECT_EQ(data->GetMeters()[0].denominator, 4);
    EXPECT_EQ(data->GetMeters()[0].flag, 1);
    ASSERT_EQ(data->GetKeys().size(), 2u);  // the score's C major at bar 0 and the change
    EXPECT_EQ(data->GetKeys()[1].bar, 2);
    EXPECT_EQ(data->GetKeys()[1].key, -3);
    EXPECT_EQ(data->GetKeys()[1].major, 0);
    ASSERT_EQ(data->GetTempos().size(), 1u);
    EXPECT_EQ(data->GetTempos()[0].bar, 1);
    EXPECT_EQ(data->GetTempos()[0].beatsPerMinute, 60);
    EXPECT_EQ(data->GetTempos()[0].beatLength, note_length::kHalf);
    ASSERT_EQ(data->GetTempoTexts().size(), 1u);
    EXPECT_EQ(data->GetTempoTexts()[0].bar, 2);
    EXPECT_EQ(data->GetTempoTexts()[0].text, u"快板");
    EXPECT_EQ(data->GetBarCount(), 3);
    EXPECT_EQ(data->GetStaveIds(), (std::vector<int>{0, 1}));
    const tabulon::StaveData* stave = data->GetStave(1);
    EXPECT_EQ(stave->GetName(), u"二胡");
    EXPECT_EQ(stave->GetStaffIds(), std::vector<int>{0});
    EXPECT_EQ(stave->GetStaff(0)->GetProgram(), 110);
    EXPECT_EQ(stave->GetStaff(0)->GetChannel(), 3);
}

TEST_F(ScoreDataExporterTest, TimeSignaturesAreCopied)
{
    score->SetTimeSignature({0, 3, 4, 0});
    score->SetTimeSignature({2, 6, 8, 1});
    Export();
    ASSERT_EQ(data->GetMeters().size(), 2u);
    EXPECT_EQ(data->GetMeters()[0].numerator, 3);
    EXPECT_EQ(data->GetMeters()[0].flag, 0);
    EXPECT_EQ(data->GetMeters()[1].bar, 2);
    EXPECT_EQ(data->GetMeters()[1].denominator, 8);
}

TEST_F(ScoreDataExporterTest, MissingRecordOrScoreExportsNothing)
{
    EXPECT_FALSE(ScoreDataExporter(score).ExportScore(nullptr));
    EXPECT_FALSE(ScoreDataExporter(nullptr).ExportScore(data.get()));
    EXPECT_TRUE(data->GetMeters().empty());
    EXPECT_TRUE(data->GetStaveIds().empty());
}

TEST_F(ScoreDataExporterTest, EveryFieldOfARecordIsSet)
{
    AddNote(*B(0), {pitch_code::kRest, 0});
    AddNote(*B(0), {4, note_length::kQuarter, note_length::kEighth, 0, 1});
    AddNote(*B(1), {2, 0, note_length::kHalf});

    const auto& notes = Export();

    ASSERT_EQ(notes.size(), 2u);  // the rest sounds nothing
    EXPECT_EQ(notes[0].sequence, 0);
    EXPECT_EQ(notes[0].pitch, 64);
    EXPECT_EQ(notes[0].bar, 0);
    EXPECT_EQ(notes[0].offset, note_length::kQuarter);
    EXPECT_EQ(notes[0].value, 120960);  // dotted eighth: the played length
    EXPECT_EQ(notes[0].dotted, 0);
    EXPECT_EQ(notes[0].tuplet, 0);
    EXPECT_EQ(notes[0].velocity, 100);
    EXPECT_EQ(notes[1].sequence, 1);
    EXPECT_EQ(notes[1].bar, 1);
    EXPECT_EQ(notes[1].value, note_length::kHalf);
}

TEST_F(ScoreDataExporterTest, ATiedChainIsOneRecordOfTheWholeLength)
{
    const auto part = PartOf(*score, 0);
    const auto a = AddNote(*B(0), {5, 2 * note_length::kQuarter});
    const auto b = AddNote(*B(0), {5, 3 * note_length::kQuarter});
    const auto c = AddNote(*B(1), {5, 0});
    AddNote(*B(1), {6, note_length::kQuarter});
    AddTie(*part, B(0), a, B(0), b);
    AddTie(*part, B(0), b, B(1), c);

    const auto& notes = Export();

    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].bar, 0);
    EXPECT_EQ(notes[0].offset, 2 * note_length::kQuarter);
    EXPECT_EQ(notes[0].value, 483840);
    EXPECT_EQ(notes[1].bar, 1);
    EXPECT_EQ(notes[1].pitch, 67);
}

TEST_F(ScoreDataExporterTest, TiedNotesInATripletCountTheirPlayedLength)
{
    const auto part = PartOf(*score, 0);
    const auto a = AddNote(*B(0), {3, 0, note_length::kEighth});
    const auto b = AddNote(*B(0), {3, 53760, note_length::kEighth});
    for (const auto& n : {a, b}) {
        n->SetTupletActual(3);
        n->SetTupletNormal(2);
    }
    AddTie(*part, B(0), a, B(0), b);
    const auto& notes = Export();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].value, 2 * 53760);
}

TEST_F(ScoreDataExporterTest, GraceNotesBeforeEndWhereTheNoteStarts)
{
    const auto note = AddNote(*B(0), {2, note_length::kQuarter});
    AddGraceNote(*note->GetGraceListA(), {3, 0, note_length::k16th});
    AddGraceNote(*note->GetGraceListA(), {4, 0, note_length::k16th});

    const auto& notes = Export();

    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[1].pitch, 64);  // the last grace note is placed first
    EXPECT_EQ(notes[1].offset, 120960);
    EXPECT_EQ(notes[2].pitch, 62);
    EXPECT_EQ(notes[2].offset, 80640);
    EXPECT_EQ(notes[2].value, note_length::k16th);
}

TEST_F(ScoreDataExporterTest, GraceNotesBeforeABarLineMoveIntoTheBarBefore)
{
    score->SetTimeSignature({0, 3, 4, 1});
    const auto note = AddNote(*B(1), {2, 0});
    AddGraceNote(*note->GetGraceListA(), {3, 0, note_length::k16th});
    AddGraceNote(*note->GetGraceListA(), {4, 0, note_length::k16th});

    const auto& notes = Export();

    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[1].bar, 0);
    EXPECT_EQ(notes[1].offset, 3 * note_length::kQuarter - note_length::k16th);
    EXPECT_EQ(notes[2].bar, 0);
    EXPECT_EQ(notes[2].offset, 3 * note_length::kQuarter - 2 * note_length::k16th);
}

TEST_F(ScoreDataExporterTest, GraceNotesAtTheVeryStartStartAtZero)
{
    const auto note = AddNote(*B(0), {2, note_length::k16th});
    AddGraceNote(*note->GetGraceListA(), {3, 0, note_length::k16th});
    AddGraceNote(*note->GetGraceListA(), {4, 0, note_length::k16th});
    AddGraceNote(*note->GetGraceListA(), {5, 0, note_length::k16th});

    const auto& notes = Export();

    ASSERT_EQ(notes.size(), 4u);
    // Three sixteenths do not fit before the second sixteenth of the score: the group
    // keeps its order and spacing and starts at 0 (recorded from the last one).
    EXPECT_EQ(notes[1].pitch, 65);
    EXPECT_EQ(notes[1].offset, 2 * note_length::k16th);
    EXPECT_EQ(notes[2].offset, note_length::k16th);
    EXPECT_EQ(notes[3].pitch, 62);
    EXPECT_EQ(notes[3].offset, 0);
    for (const auto& record : notes) {
        EXPECT_EQ(record.bar, 0);
        EXPECT_GE(record.offset, 0);
    }
}

TEST_F(ScoreDataExporterTest, GraceNotesAfterAndChordNotes)
{
    const auto main = AddNote(*B(0), {2, 0, note_length::kQuarter});
    AddGraceNote(*main->GetGraceListB(), {6, 0, note_length::k32nd});
    AddGraceNote(*main->GetGraceListB(), {7, 0, note_length::k32nd});
    AddChordNote(*main, {4, 0, note_length::kQuarter});
    AddChordNote(*main, {6, 0, note_length::kQuarter});

    const auto& notes = Export();

    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[1].pitch, 67);
    EXPECT_EQ(notes[1].offset, note_length::kQuarter);
    EXPECT_EQ(notes[2].pitch, 69);
    EXPECT_EQ(notes[2].offset, note_length::kQuarter + note_length::k32nd);
    EXPECT_EQ(notes[3].pitch, 64);
    EXPECT_EQ(notes[3].offset, 0);
    EXPECT_EQ(notes[4].pitch, 67);
    EXPECT_EQ(notes[4].value, note_length::kQuarter);
}

TEST_F(ScoreDataExporterTest, ChordNotesOfATripletNotePlayInTheTripletTime)
{
    const auto main = AddNote(*B(0), {2, 0, note_length::kEighth});
    main->SetTupletActual(3);
    main->SetTupletNormal(2);
    AddChordNote(*main, {4, 0, note_length::kEighth});
    const auto& notes = Export();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].value, 53760);
    EXPECT_EQ(notes[1].value, 53760);
}

TEST_F(ScoreDataExporterTest, TiedOverNotesTakeTheirGraceAndChordNotesAlong)
{
    const auto part = PartOf(*score, 0);
    const auto a = AddNote(*B(0), {2, 0});
    const auto b = AddNote(*B(0), {2, note_length::kQuarter});
    AddChordNote(*b, {4, note_length::kQuarter});
    AddTie(*part, B(0), a, B(0), b);
    const auto& notes = Export();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].value, note_length::kHalf);
}

TEST(ScoreDataExporterKeyTest, KeysAreSpelledFromTheTonic)
{
    struct Case {
        const char* name;
        int fifths;
        std::vector<int> scale;  // the degrees 1 to 7 of the middle register
    };
    const Case cases[] = {
        {"C major", 0, {60, 62, 64, 65, 67, 69, 71}},
        {"G major: 1 is G and 7 is F sharp", 1, {67, 69, 71, 72, 74, 76, 78}},
        {"D major", 2, {62, 64, 66, 67, 69, 71, 73}},
        {"F major: flat keys sit an octave lower", -1, {53, 55, 57, 58, 60, 62, 64}},
        {"B flat major", -2, {58, 60, 62, 63, 65, 67, 69}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int degree = 0; degree < 7; ++degree) {
            SCOPED_TRACE(degree + 1);
            const int key = c.scale[static_cast<std::size_t>(degree)];
            EXPECT_EQ(ScoreDataExporter::KeyNumber(degree + 2, 0, 0, c.fifths), key);
            EXPECT_EQ(ScoreDataExporter::KeyNumber(degree + 2, 0, 1, c.fifths), key + 12);
            EXPECT_EQ(ScoreDataExporter::KeyNumber(degree + 2, 0, -2, c.fifths), key - 24);
        }
    }
    struct Alteration {
        int accidental;
        int semitones;
    };
    for (const Alteration a : {Alteration{1, 1}, Alteration{2, 2}, Alteration{-1, -1},
                               Alteration{-2, -2}, Alteration{4, 0}, Alteration{-3, 0},
                               Alteration{99, 0}}) {
        SCOPED_TRACE(a.accidental);
        EXPECT_EQ(ScoreDataExporter::KeyNumber(5, a.accidental, 0, 1), 72 + a.semitones);
    }
    EXPECT_EQ(ScoreDataExporter::KeyNumber(11, 0, 0, 0), 71);  // special symbols as 7
    EXPECT_EQ(ScoreDataExporter::KeyNumber(0, 0, 0, 0), 60);   // unknown codes as 1
}

TEST_F(ScoreDataExporterTest, TheKeyInForceAtEachBarSpellsItsNotes)
{
    score->SetKeySignature({0, 1, 1});
    score->SetKeySignature({1, -1, 1});
    AddNote(*B(0), {8, 0});  // "7" in G: F sharp
    AddNote(*B(1), {2, 0});  // "1" in F
    AddNote(*B(2), {5, 0, note_length::kQuarter, 0, 0, -1});  // flat "4" in F: A
    const auto& notes = Export();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].pitch, 78);
    EXPECT_EQ(notes[1].pitch, 53);
    EXPECT_EQ(notes[2].pitch, 57);
}

}  // namespace
}  // namespace quaverly
