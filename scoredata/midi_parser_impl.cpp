#include "scoredata/midi_parser_impl.h"

#include <algorithm>
#include <new>
#include <utility>

#include "midi/midi_data.h"
#include "midi/midi_track.h"
#include "scoredata/lyric_text.h"
#include "scoredata/stave_parser_impl.h"

namespace tabulon {

namespace {

// The largest division a MIDI file can state in ticks per quarter (15 bits); a
// negative one counts SMPTE frames, which this import does not read.
constexpr int kMaxDivision = 32767;

}  // namespace

int MidiParserImpl::SetGrid(int n)
{
    if (n >= 1 && n <= 128)
        grid_ = 645120 / n;
    return grid_;
}

void MidiParserImpl::SetSplit(std::uint8_t enabled, int key)
{
    splitEnabled_ = enabled;
    splitKey_ = key;
}

void MidiParserImpl::SetTrackKind(int trackId, int kind)
{
    fixedKinds_[trackId] = kind;
    if (kind == 2)
        splitEnabled_ = 1;
}

void MidiParserImpl::MarkTrack(int trackId) { selected_[trackId] = 1; }
void MidiParserImpl::SetPostPass(int pass) { postPass_ = pass; }

void MidiParserImpl::Convert(const midi::MidiData* song, ScoreData* score)
{
    if (song == nullptr || score == nullptr)
        return;
    const int division = song->GetDivision();
    if (division <= 2 || division > kMaxDivision)
        return;
    fineDivision_ = division * 32;
    const std::vector<midi::MidiMeterRecord>& meters = song->GetMeters();
    if (!barMap_.Build(meters, fineDivision_)) {
        barMap_ = BarMap();
        return;
    }

    for (const BarMap::Segment& segment : barMap_.Segments())
        score->AddMeter(MeterRecord{segment.startBar, segment.numerator, segment.denominator, 1});
    for (const midi::MidiKeyRecord& key : song->GetKeys()) {
        const BarPosition at = barMap_.PositionOf(std::int64_t{std::max(key.tick, 0)} * 32);
        if (at.bar >= BarMap::kMaxBars)
            continue;
        score->AddKey(KeyRecord{at.bar, key.sharpsFlats % 8, 1});
    }

    int barCount = 0;
    for (int id : song->GetTrackIds()) {
        if (!selected_.contains(id))
            continue;
        const midi::MidiTrack* track = song->GetTrack(id);
        if (track == nullptr)
            continue;
        std::vector<midi::MidiEvent> notes;
        std::int64_t trackEnd = 0;
        for (const midi::MidiEvent& event : track->GetEvents()) {
            trackEnd = std::max<std::int64_t>(trackEnd, event.tick);
            const std::uint32_t kind = midi::StatusKind(event.message);
            if (kind == midi::kNoteOn || kind == midi::kNoteOff)
                notes.push_back(event);
        }
        // A fresh stave parser per track, so a kind fixed for one track stays with it.
        StaveParserImpl staveParser;
        staveParser.SetDivision(fineDivision_);
        staveParser.SetGrid(grid_);
        staveParser.SetMeters(meters);
        staveParser.SetSplit(splitEnabled_, splitKey_);
        staveParser.SetTrackEnd(trackEnd);
        if (auto fixed = fixedKinds_.find(id); fixed != fixedKinds_.end())
            staveParser.SetKind(fixed->second);
        score->AddStave(id);
        StaveData* stave = score->GetStave(id);
        if (stave == nullptr)
            continue;
        barCount = std::max(barCount, staveParser.Parse(stave, notes));
        if ((postPass_ & 0xFF) != 0)
            CarryLyrics(track->GetLyrics(), *stave);
    }
    score->SetBarCount(barCount);
    barMap_ = BarMap();
}

void MidiParserImpl::CarryLyrics(const std::vector<midi::MidiTextRecord>& lyrics,
                                 StaveData& stave) const
{
    const StaffData* staff = stave.GetStaff(0);
    if (staff == nullptr)
        return;
    // The notes' places in order, to find the first note at or after each lyric.
    std::vector<std::pair<std::int32_t, std::int32_t>> places;
    for (const NoteRecord& note : staff->GetNotes())
        places.emplace_back(note.bar, note.offset);
    std::sort(places.begin(), places.end());
    if (places.empty())
        return;
    const std::int64_t step = std::int64_t{grid_} / 5040 * fineDivision_ / 32;
    if (step < 1)
        return;
    for (const midi::MidiTextRecord& lyric : lyrics) {
        const std::int64_t tick = std::int64_t{std::max(lyric.tick, 0)} * 32;
        const std::int64_t quantised = (2 * tick + step) / (2 * step) * step;
        const BarPosition at = barMap_.PositionOf(quantised);
        const auto note = std::lower_bound(places.begin(), places.end(),
                                           std::make_pair(at.bar, at.offset));
        // A lyric after the last note has no note to sit under.
        if (note == places.end())
            continue;
        stave.AddLyric(LyricRecord{note->first, note->second, DecodeLyricText(lyric.text)});
    }
}

void MidiParserImpl::Release() { delete this; }

}  // namespace tabulon

tabulon::MidiParser* create_midi_parser()
{
    return new (std::nothrow) tabulon::MidiParserImpl();
}
