// The StaveParser of the library (internal).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "scoredata/stave_parser.h"

namespace tabulon {

class StaveParserImpl final : public StaveParser {
public:
    StaveParserImpl() = default;
    ~StaveParserImpl() = default;

    void SetDivision(int fineDivision) override;
    void SetGrid(int grid) override;
    void SetMeters(const std::vector<midi::MidiMeterRecord>& meters) override;
    void SetKind(int kind) override;
    void SetSplit(std::uint8_t enabled, int key) override;
    int Parse(StaveData* stave, const std::vector<midi::MidiEvent>& events) override;
    void Release() override;

    // Where notes still sounding are closed, in song ticks (the end of the whole track);
    // without it, the last event given.
    void SetTrackEnd(std::optional<std::int64_t> tick) { trackEnd_ = tick; }

    // The kind the notes ask for (the rule of Parse when no kind is fixed).
    static int ChooseKind(const std::vector<midi::MidiEvent>& events, bool splitEnabled,
                          int splitKey);
    int GetKind() const { return kind_; }

private:
    std::uint8_t kindFixed_ = 0;
    std::uint8_t splitEnabled_ = 1;
    int splitKey_ = 60;
    int kind_ = 0;
    int fineDivision_ = 120;
    int grid_ = 40320;
    std::vector<midi::MidiMeterRecord> meters_;
    std::optional<std::int64_t> trackEnd_;
};

}  // namespace tabulon
