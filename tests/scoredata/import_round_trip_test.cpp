// Score data played into MIDI data the way the playback builder does it, and imported
// back: clean melodies come back with the same pitches, places and sounding lengths.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "import_fixtures.h"
#include "midi/midi_data.h"
#include "scoredata/midi_parser.h"
#include "scoredata/score_data.h"

namespace tabulon {
namespace {

using namespace tabulon::testing;
using ::testing::ElementsAreArray;

constexpr std::int32_t kWhole = 645120;
constexpr std::int32_t kHalf = 322560;
constexpr std::int32_t kQuarter = 161280;
constexpr std::int32_t kEighth = 80640;
constexpr int kDivision = 120;

// A written note; sequence numbers tie notes into one chain.
struct Note {
    std::int32_t pitch;
    std::int32_t bar;
    std::int32_t offset;
    std::int32_t value;
    int dotted = 0;
    std::int32_t tuplet = 0;
    int tie = -1;  // notes with the same tie number form one chain
};

std::int32_t TickOf(const std::vector<MeterRecord>& meters, std::int32_t bar, std::int64_t offset)
{
    return static_cast<std::int32_t>((BarStart(meters, bar) + offset) * kDivision / kQuarter);
}

// The playback builder's rules: time signatures as meter records, one track per stave,
// each staff's notes played on their own unless they belong to a tie chain, each chain
// played as one note, and a closing note-off one tick before the end of the score.
void Play(const ScoreData& score, midi::MidiData& song)
{
    song.Clear();
    song.SetDivision(kDivision);
    const std::vector<MeterRecord>& meters = score.GetMeters();
    for (const MeterRecord& meter : meters)
        song.AddMeter({TickOf(meters, meter.bar, 0), meter.numerator, meter.denominator, 0, 0});
    int track = 0;
    for (int staveId : score.GetStaveIds()) {
        const StaveData* stave = score.GetStave(staveId);
        std::vector<midi::MidiEvent> events;
        for (int staffId : stave->GetStaffIds()) {
            const StaffData* staff = stave->GetStaff(staffId);
            events.push_back({0, midi::kProgramChange});
            for (const NoteRecord& note : staff->GetNotes()) {
                bool tied = false;
                for (const TieChain& chain : staff->GetTieChains()) {
                    for (const NoteRecord& other : chain.notes)
                        tied = tied || note.IsSameNote(other);
                }
                if (tied)
                    continue;
                const auto key = static_cast<std::uint32_t>(note.pitch);
                events.push_back(NoteOn(TickOf(meters, note.bar, note.offset), key,
                                        static_cast<std::uint32_t>(note.velocity)));
                events.push_back(NoteOff(TickOf(meters, note.bar, std::int64_t{note.offset} + note.SoundingLength()), key));
            }
            for (const TieChain& chain : staff->GetTieChains()) {
                const NoteRecord& first = chain.notes.front();
                const NoteRecord& last = chain.notes.back();
                const auto key = static_cast<std::uint32_t>(first.pitch);
                events.push_back(NoteOn(TickOf(meters, first.bar, first.offset), key));
                events.push_back(NoteOff(TickOf(meters, last.bar, std::int64_t{last.offset} + last.SoundingLength()), key));
            }
        }
        events.push_back(NoteOff(TickOf(meters, score.GetBarCount(), 0) - 1, 0));
        song.AddTrack(track);
        song.GetTrack(track)->AddEvents(events);
        ++track;
    }
}

void AddStaff(StaveData& stave, int id, const std::vector<Note>& notes)
{
    stave.AddStaff(id, id);
    StaffData& staff = *stave.GetStaff(id);
    std::vector<TieChain> chains;
    int sequence = 0;
    for (const Note& n : notes) {
        NoteRecord record{sequence++, n.pitch, n.bar, n.offset, n.value,
                          static_cast<std::uint8_t>(n.dotted), n.tuplet, 100};
        staff.AddNote(record);
        if (n.tie >= 0) {
            if (chains.size() <= static_cast<std::size_t>(n.tie))
                chains.resize(static_cast<std::size_t>(n.tie) + 1);
            chains[static_cast<std::size_t>(n.tie)].notes.push_back(record);
        }
    }
    for (const TieChain& chain : chains)
        staff.AddTieChain(chain);
}

struct RoundTripCase {
    std::string name;
    std::vector<MeterRecord> meters;
    int bars;
    std::vector<std::vector<Note>> staffs;  // of one stave
};

class ImportRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ImportRoundTrip, PitchesPlacesAndSoundingLengthsComeBack)
{
    const RoundTripCase& c = GetParam();
    Owned<ScoreData> original(create_score_data());
    for (const MeterRecord& meter : c.meters)
        original->AddMeter(meter);
    original->SetBarCount(c.bars);
    original->AddStave(0);
    for (std::size_t i = 0; i < c.staffs.size(); ++i)
        AddStaff(*original->GetStave(0), static_cast<int>(i), c.staffs[i]);

    Owned<midi::MidiData> song(create_midi_data());
    Play(*original, *song);

    Owned<MidiParser> parser(create_midi_parser());
    parser->MarkTrack(0);
    Owned<ScoreData> imported(create_score_data());
    parser->Convert(song.get(), imported.get());

    EXPECT_EQ(imported->GetBarCount(), c.bars);
    const StaveData* stave = imported->GetStave(0);
    ASSERT_NE(stave, nullptr);
    EXPECT_EQ(stave->GetKind(), c.staffs.size() == 2 ? 2 : 0);
    ASSERT_EQ(stave->GetStaffIds().size(), c.staffs.size());
    for (std::size_t i = 0; i < c.staffs.size(); ++i) {
        SCOPED_TRACE(i);
        const int id = static_cast<int>(i);
        EXPECT_THAT(SoundOf(*stave->GetStaff(id), imported->GetMeters()),
                    ElementsAreArray(SoundOf(*original->GetStave(0)->GetStaff(id), c.meters)));
        // Triplets come back written as triplets.
        auto triplets = [](const StaffData& staff) {
            return std::count_if(staff.GetNotes().begin(), staff.GetNotes().end(),
                                 [](const NoteRecord& note) { return note.tuplet == 3; });
        };
        EXPECT_EQ(triplets(*stave->GetStaff(id)), triplets(*original->GetStave(0)->GetStaff(id)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Melodies, ImportRoundTrip,
    ::testing::Values(
        RoundTripCase{"FourFour",
                      {{0, 4, 4, 1}},
                      3,
                      {{{60, 0, 0, kQuarter},
                        {62, 0, kQuarter, kQuarter, 1},
                        {64, 0, 403200, kEighth},
                        {65, 0, 483840, kQuarter, 0, 0, 0},
                        {65, 1, 0, kQuarter, 0, 0, 0},
                        {67, 1, kQuarter, kEighth, 0, 3},
                        {69, 1, 215040, kEighth, 0, 3},
                        {71, 1, 268800, kEighth, 0, 3},
                        {72, 1, kHalf, kHalf},
                        {60, 2, 0, kWhole}}}},
        RoundTripCase{"ThreeFour",
                      {{0, 3, 4, 1}},
                      5,
                      {{{60, 0, 0, kHalf, 1},
                        {62, 1, 0, kQuarter},
                        {64, 1, kQuarter, kHalf},
                        {65, 2, 0, kEighth},
                        {67, 2, kEighth, kEighth},
                        {69, 2, kQuarter, kQuarter},
                        {71, 2, kHalf, kQuarter, 0, 0, 0},
                        {71, 3, 0, kHalf, 1, 0, 0},
                        {72, 4, 0, kQuarter, 0, 3},
                        {74, 4, 107520, kQuarter, 0, 3},
                        {76, 4, 215040, kQuarter, 0, 3},
                        {77, 4, kHalf, kQuarter}}}},
        RoundTripCase{"SixEight",
                      {{0, 6, 8, 1}},
                      3,
                      {{{60, 0, 0, kQuarter, 1},
                        {62, 0, 241920, kQuarter},
                        {64, 0, 403200, kEighth},
                        {65, 1, 0, kEighth},
                        {67, 1, kEighth, kEighth},
                        {69, 1, kQuarter, kEighth},
                        {71, 1, 241920, kQuarter, 1, 0, 0},
                        {71, 2, 0, kQuarter, 1, 0, 0},
                        {72, 2, 241920, kEighth},
                        {74, 2, kQuarter * 2, kQuarter}}}},
        RoundTripCase{"MeterChange",
                      {{0, 2, 4, 1}, {2, 3, 8, 1}},
                      4,
                      {{{67, 0, 0, kQuarter},
                        {69, 0, kQuarter, kQuarter},
                        {71, 1, 0, kHalf},
                        {72, 2, 0, kQuarter, 1},
                        {74, 3, 0, kEighth},
                        {72, 3, kEighth, kQuarter}}}},
        RoundTripCase{"PianoSplit",
                      {{0, 4, 4, 1}},
                      3,
                      {{{72, 0, 0, kQuarter},
                        {74, 0, kQuarter, kQuarter},
                        {76, 0, kHalf, kQuarter},
                        {77, 0, 483840, kQuarter},
                        {79, 1, 0, kHalf},
                        {77, 1, kHalf, kHalf},
                        {76, 2, 0, kWhole}},
                       {{48, 0, 0, kHalf},
                        {43, 0, kHalf, kHalf},
                        {45, 1, 0, kWhole},
                        {48, 2, 0, kWhole}}}}),
    [](const ::testing::TestParamInfo<RoundTripCase>& param) { return param.param.name; });

}  // namespace
}  // namespace tabulon
