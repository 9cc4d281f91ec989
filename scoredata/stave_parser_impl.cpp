#include "scoredata/stave_parser_impl.h"

#include <algorithm>
#include <array>
#include <new>

#include "scoredata/bar_map.h"
#include "scoredata/staff_parser_impl.h"

namespace tabulon {

namespace {

bool IsNoteOff(std::uint32_t message)
{
    const std::uint32_t kind = midi::StatusKind(message);
    return kind == midi::kNoteOff || (kind == midi::kNoteOn && midi::SecondData(message) == 0);
}

}  // namespace

void StaveParserImpl::SetDivision(int fineDivision) { fineDivision_ = fineDivision; }
void StaveParserImpl::SetGrid(int grid) { grid_ = grid; }

void StaveParserImpl::SetMeters(const std::vector<midi::MidiMeterRecord>& meters)
{
    meters_ = meters;
}

void StaveParserImpl::SetKind(int kind)
{
    kind_ = kind;
    kindFixed_ = 1;
}

void StaveParserImpl::SetSplit(std::uint8_t enabled, int key)
{
    splitEnabled_ = enabled;
    splitKey_ = key;
}

int StaveParserImpl::ChooseKind(const std::vector<midi::MidiEvent>& events, bool splitEnabled,
                                int splitKey)
{
    // Notes by range: below 40, 40 up to the split key, the split key up to 83, 84 up.
    std::array<std::int64_t, 4> counts{};
    for (const midi::MidiEvent& event : events) {
        // Only sounding notes tell the range; other channel messages carry no key.
        if (midi::StatusKind(event.message) != midi::kNoteOn || IsNoteOff(event.message))
            continue;
        const auto key = static_cast<int>(midi::FirstData(event.message));
        const int range = key >= 84 ? 3 : key >= splitKey ? 2 : key >= 40 ? 1 : 0;
        ++counts[static_cast<std::size_t>(range)];
    }
    std::size_t leader = 0;
    std::size_t previous = 0;
    for (std::size_t range = 0; range < counts.size(); ++range) {
        if (counts[range] > counts[leader]) {
            previous = leader;
            leader = range;
        }
    }
    if (splitEnabled && leader == 2 && previous == 1) {
        const std::int64_t larger = std::max(counts[1], counts[2]);
        const std::int64_t smaller = std::min(counts[1], counts[2]);
        if (smaller > 0 && larger / smaller <= 5)
            return 2;
    }
    constexpr std::array<int, 4> kKindOfRange{6, 1, 0, 5};
    return kKindOfRange[leader];
}

int StaveParserImpl::Parse(StaveData* stave, const std::vector<midi::MidiEvent>& events)
{
    if (stave == nullptr)
        return 0;
    BarMap barMap;
    if (!barMap.Build(meters_, fineDivision_))
        return 0;
    if (kindFixed_ == 0)
        kind_ = ChooseKind(events, splitEnabled_ != 0, splitKey_);
    stave->SetKind(kind_);

    // Notes still sounding end with the track, also in the staff whose own notes end
    // sooner.
    std::optional<std::int64_t> trackEnd = trackEnd_;
    if (!trackEnd) {
        for (const midi::MidiEvent& event : events)
            trackEnd = std::max<std::int64_t>(trackEnd.value_or(0), event.tick);
    }

    auto parseStaff = [&](int id, const std::vector<midi::MidiEvent>& staffEvents) {
        StaffData* staff = stave->GetStaff(id);
        if (staff == nullptr)
            return 0;
        StaffParserImpl parser;
        parser.SetDivision(fineDivision_);
        parser.SetGrid(grid_);
        parser.SetMeters(meters_);
        parser.SetTrackEnd(trackEnd);
        return parser.Parse(staff, staffEvents);
    };

    if (kind_ == 2) {
        stave->AddStaff(0, 0);
        stave->AddStaff(1, 1);
        // A note-on and its note-off share the key, so each note stays whole.
        std::vector<midi::MidiEvent> upper;
        std::vector<midi::MidiEvent> lower;
        for (const midi::MidiEvent& event : events) {
            if (static_cast<int>(midi::FirstData(event.message)) >= splitKey_)
                upper.push_back(event);
            else
                lower.push_back(event);
        }
        return std::max(parseStaff(0, upper), parseStaff(1, lower));
    }
    if (kind_ < 0 || kind_ > 6)
        return 0;
    stave->AddStaff(0, kind_);
    return parseStaff(0, events);
}

void StaveParserImpl::Release() { delete this; }

}  // namespace tabulon

tabulon::StaveParser* create_stave_parser()
{
    return new (std::nothrow) tabulon::StaveParserImpl();
}
