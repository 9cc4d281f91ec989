// The StaffParser of the library (internal).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "scoredata/bar_map.h"
#include "scoredata/staff_parser.h"

namespace tabulon {

class StaffParserImpl final : public StaffParser {
public:
    StaffParserImpl() = default;
    ~StaffParserImpl() = default;

    void SetDivision(int fineDivision) override;
    void SetGrid(int grid) override;
    void SetMeters(const std::vector<midi::MidiMeterRecord>& meters) override;
    int Parse(StaffData* staff, const std::vector<midi::MidiEvent>& events) override;
    void Release() override;

    // Where notes still sounding at the end are closed, in song ticks; without it, the
    // last event's tick. The stave parser passes the end of the whole track, since a
    // staff may hold only part of it.
    void SetTrackEnd(std::optional<std::int64_t> tick) { trackEnd_ = tick; }

    // Parts of a parse, public for the tests.
    struct NoteItem {
        std::int64_t start = 0;   // fine ticks
        std::int64_t length = 0;  // fine ticks
        std::int32_t note = 0;
        std::int32_t velocity = 0;
        std::int32_t sequence = 0;
    };
    // Pairs note-ons with note-offs (the earliest sounding note of the key ends first),
    // ordered by start.
    static std::vector<NoteItem> PairNotes(const std::vector<midi::MidiEvent>& events,
                                           std::optional<std::int64_t> trackEnd);

    // The grid step in fine ticks, and two thirds of it for the triplet search.
    std::int64_t PlainStep() const;
    std::int64_t TripletStep() const;

private:
    int tripletPass_ = 1;
    std::int64_t fineDivision_ = 120;
    std::int32_t grid_ = 40320;
    std::vector<midi::MidiMeterRecord> meters_;
    std::optional<std::int64_t> trackEnd_;
    BarMap barMap_;
};

}  // namespace tabulon
