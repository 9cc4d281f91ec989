#include "app/mididev/playback_builder.h"

#include <algorithm>
#include <limits>
#include <set>
#include <tuple>

#include "platform/text_encoding.h"

namespace brindle {

namespace {

struct TempoWord {
    std::u16string_view word;
    int quartersPerMinute;
};

// Tried in this order.
constexpr TempoWord kTempoWords[] = {
    {u"广板", 46},     {u"慢板", 52},     {u"慢速", 52},     {u"缓板", 56},
    {u"柔板", 56},     {u"稍慢", 60},     {u"行板", 66},     {u"小行板", 69},
    {u"中板稍慢", 80}, {u"中速稍慢", 80}, {u"中板", 88},     {u"中速", 88},
    {u"中板稍快", 92}, {u"中速稍快", 92}, {u"小快板", 108},  {u"稍快", 124},
    {u"快板", 132},    {u"快速", 132},    {u"急板", 184},    {u"急速", 184},
};

// MIDI tempos are 24-bit numbers.
constexpr std::int64_t kMaxMicrosecondsPerQuarter = 0xFFFFFF;

int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The records that pass the test, negative bars taken as 0, in bar order; of several
// records of one bar only the last given stays, as a later record of a bar replaces an
// earlier one.
template <typename Record, typename Keep>
std::vector<Record> LastOfEachBar(const std::vector<Record>& records, Keep keep)
{
    std::vector<Record> kept;
    for (const Record& record : records) {
        if (!keep(record))
            continue;
        kept.push_back(record);
        kept.back().bar = std::max(kept.back().bar, 0);
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Record& a, const Record& b) { return a.bar < b.bar; });
    std::vector<Record> result;
    for (const Record& record : kept) {
        if (!result.empty() && result.back().bar == record.bar)
            result.back() = record;
        else
            result.push_back(record);
    }
    return result;
}

bool IsSounding(const midi::MidiEvent& event)
{
    return midi::StatusKind(event.message) == midi::kNoteOn && midi::SecondData(event.message) != 0;
}

// At one tick everything else (note-offs, program and control changes) before the
// note-ons, each group in the order it was added.
void OrderForPlaying(std::vector<midi::MidiEvent>& events)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const midi::MidiEvent& a, const midi::MidiEvent& b) {
                         if (a.tick != b.tick)
                             return a.tick < b.tick;
                         return !IsSounding(a) && IsSounding(b);
                     });
}

bool IsDataByte(int value) { return value >= 0 && value <= 127; }

std::uint8_t ChannelByte(int channel) { return static_cast<std::uint8_t>(channel & 0x0F); }

std::uint8_t VelocityByte(int velocity)
{
    // Velocity 0 would turn the note-on into a note-off.
    return static_cast<std::uint8_t>(std::clamp(velocity, 1, 127));
}

using NoteKey = std::tuple<int, int, int, int, int, int>;

NoteKey KeyOf(const tabulon::NoteRecord& note)
{
    return {note.pitch, note.bar, note.offset, note.value, note.dotted, note.tuplet};
}

}  // namespace

midi::MidiEvent MakeNoteOnEvent(int tick, std::uint8_t key, std::uint8_t velocity,
                                std::uint8_t channel)
{
    return {tick, midi::kNoteOn + (channel & 0x0Fu) + ((key & 0x7Fu) << 8) +
                      ((velocity & 0x7Fu) << 16)};
}

midi::MidiEvent MakeNoteOffEvent(int tick, std::uint8_t key, std::uint8_t channel)
{
    return {tick, midi::kNoteOff + (channel & 0x0Fu) + ((key & 0x7Fu) << 8)};
}

int TempoWordValue(std::u16string_view word)
{
    for (const TempoWord& entry : kTempoWords) {
        if (entry.word == word)
            return entry.quartersPerMinute;
    }
    return 0;
}

std::vector<midi::MidiMeterRecord> PlaybackBuilder::ConvertMeters(
    const std::vector<tabulon::MeterRecord>& meters, int division)
{
    const std::vector<tabulon::MeterRecord> ordered =
        LastOfEachBar(meters, [](const tabulon::MeterRecord& meter) {
            return meter.numerator > 0 && meter.denominator > 0;
        });
    std::vector<midi::MidiMeterRecord> result;
    std::int64_t numerator = 4;
    std::int64_t denominator = 4;
    std::int64_t tick = 0;
    std::int64_t previousBar = 0;
    for (const tabulon::MeterRecord& meter : ordered) {
        tick += (meter.bar - previousBar) * numerator * division * 4 / denominator;
        result.push_back({ClampToInt(tick), meter.numerator, meter.denominator, 0, 0});
        previousBar = meter.bar;
        numerator = meter.numerator;
        denominator = meter.denominator;
    }
    return result;
}

int PlaybackBuilder::TickOf(int bar, std::int64_t offset) const
{
    const int tick = meterMap_.BarPositionToTick(bar, ClampToInt(offset));
    return std::max(tick, 0);
}

bool PlaybackBuilder::Build()
{
    if (midiData_ == nullptr || scoreData_ == nullptr)
        return false;
    int division = midiData_->GetDivision();
    if (division <= 0)
        division = midi::MeterMap::kDefaultDivision;
    midiData_->Clear();
    // Clearing sets the division back to its default; the song keeps the one its ticks
    // are counted in.
    midiData_->SetDivision(division);

    const std::vector<midi::MidiMeterRecord> meters = ConvertMeters(scoreData_->GetMeters(), division);
    meterMap_.Build(meters, division);

    midiData_->SetSequenceName(platform::Utf16ToUtf8(scoreData_->GetTitle()));
    for (const midi::MidiMeterRecord& meter : meters)
        midiData_->AddMeter(meter);
    AddKeys();
    AddTempos();

    const std::vector<int> staveIds = scoreData_->GetStaveIds();
    int trackId = 0;
    for (const int staveId : staveIds) {
        const tabulon::StaveData* stave = scoreData_->GetStave(staveId);
        if (stave == nullptr)
            continue;
        midiData_->AddTrack(trackId);
        if (midi::MidiTrack* track = midiData_->GetTrack(trackId))
            BuildTrack(*stave, *track);
        ++trackId;
    }
    return true;
}

void PlaybackBuilder::AddKeys()
{
    const auto keys = LastOfEachBar(scoreData_->GetKeys(), [](const tabulon::KeyRecord& key) {
        return key.key >= -7 && key.key <= 7;
    });
    for (const tabulon::KeyRecord& key : keys)
        midiData_->AddKey({TickOf(key.bar, 0), key.key, key.major != 0 ? 0 : 1});
}

void PlaybackBuilder::AddTempos()
{
    std::vector<midi::MidiTempoRecord> tempos;
    const auto quartersPerMinute = [](const tabulon::TempoRecord& tempo) {
        return static_cast<std::int64_t>(tempo.beatsPerMinute) * tempo.beatLength /
               tabulon::kUnitsPerQuarter;
    };
    const auto marks = LastOfEachBar(scoreData_->GetTempos(), [&](const tabulon::TempoRecord& tempo) {
        return quartersPerMinute(tempo) > 0;
    });
    for (const tabulon::TempoRecord& mark : marks) {
        const std::int64_t microseconds = 60000000 / quartersPerMinute(mark);
        tempos.push_back({TickOf(mark.bar, 0),
                          static_cast<std::int32_t>(std::clamp<std::int64_t>(
                              microseconds, 1, kMaxMicrosecondsPerQuarter))});
    }
    // The tempo words count only when the score has no usable tempo mark.
    if (tempos.empty()) {
        const auto words = LastOfEachBar(scoreData_->GetTempoTexts(),
                                         [](const tabulon::TempoTextRecord& word) {
                                             return TempoWordValue(word.text) > 0;
                                         });
        for (const tabulon::TempoTextRecord& word : words)
            tempos.push_back({TickOf(word.bar, 0), 60000000 / TempoWordValue(word.text)});
    }
    // Players and MIDI files disagree about the tempo before the first tempo event; with
    // one at tick 0 the song, the file and the speed computed from the first tempo agree.
    if (tempos.empty() || tempos.front().tick > 0)
        tempos.insert(tempos.begin(), {0, kDefaultMicrosecondsPerQuarter});
    for (const midi::MidiTempoRecord& tempo : tempos)
        midiData_->AddTempo(tempo);
}

void PlaybackBuilder::BuildTrack(const tabulon::StaveData& stave, midi::MidiTrack& track) const
{
    std::vector<midi::MidiEvent> events;
    // The note-off of a note that sounds at least one tick (a note-off at the tick of
    // its own note-on would be played first and leave the note hanging).
    const auto addNote = [&](int onTick, int offTick, int pitch, int velocity, std::uint8_t channel) {
        const auto key = static_cast<std::uint8_t>(pitch);
        events.push_back(MakeNoteOnEvent(onTick, key, VelocityByte(velocity), channel));
        events.push_back(MakeNoteOffEvent(std::max(offTick, onTick + 1), key, channel));
    };

    std::uint8_t lastChannel = 0;
    for (const int staffId : stave.GetStaffIds()) {
        const tabulon::StaffData* staff = stave.GetStaff(staffId);
        if (staff == nullptr)
            continue;
        const std::uint8_t channel = ChannelByte(staff->GetChannel());
        lastChannel = channel;
        const int program = staff->GetProgram();
        if (IsDataByte(program))
            events.push_back({0, midi::kProgramChange + channel + (static_cast<std::uint32_t>(program) << 8)});

        std::set<NoteKey> tied;
        for (const tabulon::TieChain& chain : staff->GetTieChains()) {
            for (const tabulon::NoteRecord& note : chain.notes)
                tied.insert(KeyOf(note));
        }
        for (const tabulon::NoteRecord& note : staff->GetNotes()) {
            const std::int32_t length = note.SoundingLength();
            if (tied.count(KeyOf(note)) != 0 || !IsDataByte(note.pitch) || length <= 0)
                continue;
            addNote(TickOf(note.bar, note.offset),
                    TickOf(note.bar, static_cast<std::int64_t>(note.offset) + length), note.pitch,
                    note.velocity, channel);
        }
        for (const tabulon::TieChain& chain : staff->GetTieChains()) {
            if (chain.notes.empty())
                continue;
            const tabulon::NoteRecord& first = chain.notes.front();
            const tabulon::NoteRecord& last = chain.notes.back();
            if (!IsDataByte(first.pitch))
                continue;
            const std::int32_t lastLength = std::max(last.SoundingLength(), 0);
            addNote(TickOf(first.bar, first.offset),
                    TickOf(last.bar, static_cast<std::int64_t>(last.offset) + lastLength),
                    first.pitch, first.velocity, channel);
        }
    }
    // Every track spans the whole score: a silent note-off one tick before its end.
    events.push_back(MakeNoteOffEvent(std::max(TickOf(scoreData_->GetBarCount(), 0) - 1, 0), 0,
                                      lastChannel));

    OrderForPlaying(events);
    track.AddEvents(events);
}

}  // namespace brindle
