// The MidiParser of the library (internal).
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "midi/midi_records.h"
#include "scoredata/bar_map.h"
#include "scoredata/midi_parser.h"

namespace tabulon {

class MidiParserImpl final : public MidiParser {
public:
    MidiParserImpl() = default;
    ~MidiParserImpl() = default;

    int SetGrid(int n) override;
    void SetSplit(std::uint8_t enabled, int key) override;
    void SetTrackKind(int trackId, int kind) override;
    void MarkTrack(int trackId) override;
    void SetPostPass(int pass) override;
    void Convert(const midi::MidiData* song, ScoreData* score) override;
    void Release() override;

private:
    void CarryLyrics(const std::vector<midi::MidiTextRecord>& lyrics, StaveData& stave) const;

    BarMap barMap_;
    int fineDivision_ = 3840;
    int grid_ = 40320;
    std::uint8_t splitEnabled_ = 1;
    int splitKey_ = 60;
    std::map<int, int> fixedKinds_;
    std::map<int, std::uint8_t> selected_;
    int postPass_ = 0;
};

}  // namespace tabulon
