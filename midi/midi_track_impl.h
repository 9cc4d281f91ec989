// The MidiTrack of the library (internal).
#pragma once

#include <string>
#include <vector>

#include "midi/midi_track.h"

namespace midi {

// Puts events in playing order: by tick, and at one tick every program or control change
// before every note-on (velocity 0 included); all other events keep their relative order.
// Within a tick, program and control changes that stand after the first note-on move,
// in their own order, to just before it; this is the only order that keeps every other
// pair as it stood whenever the pairwise rule can be met at all.
void SortEventsForPlaying(std::vector<MidiEvent>& events);

class MidiTrackImpl final : public MidiTrack {
public:
    MidiTrackImpl() = default;
    ~MidiTrackImpl() = default;

    const std::vector<MidiEvent>& GetEvents() const override;
    bool AddEvents(const std::vector<MidiEvent>& events) override;
    bool RemoveEvents(const std::vector<MidiEvent>& events) override;
    std::string GetName() const override;
    void SetName(const std::string& name) override;
    std::string GetSecondName() const override;
    void SetSecondName(const std::string& name) override;
    const std::vector<MidiTextRecord>& GetLyrics() const override;
    bool AddLyric(const MidiTextRecord& lyric) override;
    bool RemoveLyric(const MidiTextRecord& lyric) override;
    const std::vector<MidiByteRecord>& GetSequencerData() const override;
    bool AddSequencerData(const MidiByteRecord& data) override;
    bool RemoveSequencerData(const MidiByteRecord& data) override;
    const std::vector<MidiTextRecord>& GetTexts() const override;
    bool AddText(const MidiTextRecord& text) override;
    bool RemoveText(const MidiTextRecord& text) override;
    void Clear() override;

private:
    std::string name_;
    std::string secondName_;
    std::vector<MidiTextRecord> lyrics_;
    std::vector<MidiByteRecord> sequencerData_;
    std::vector<MidiTextRecord> texts_;
    std::vector<MidiEvent> events_;
};

}  // namespace midi
