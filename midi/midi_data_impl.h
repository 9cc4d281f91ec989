// The MidiData of the library (internal).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "midi/midi_data.h"
#include "midi/midi_track_impl.h"

namespace midi {

class MidiDataImpl final : public MidiData {
public:
    static constexpr int kInitialFormat = 1;
    static constexpr int kInitialDivision = 120;

    MidiDataImpl() = default;
    ~MidiDataImpl() = default;

    void SetFormat(int format) override;
    int GetFormat() const override;
    void SetDivision(int division) override;
    int GetDivision() const override;
    void SetSequenceName(const std::string& name) override;
    std::string GetSequenceName() const override;
    void SetText(const std::string& text) override;
    std::string GetText() const override;
    std::string GetCopyright() const override;
    void SetCopyright(const std::string& copyright) override;
    bool AddTrack(int id) override;
    bool RemoveTrack(int id) override;
    std::vector<int> GetTrackIds() const override;
    MidiTrack* GetTrack(int id) const override;
    const std::vector<MidiTempoRecord>& GetTempos() const override;
    bool AddTempo(const MidiTempoRecord& tempo) override;
    bool RemoveTempo(const MidiTempoRecord& tempo) override;
    const std::vector<MidiMeterRecord>& GetMeters() const override;
    bool AddMeter(const MidiMeterRecord& meter) override;
    bool RemoveMeter(const MidiMeterRecord& meter) override;
    const std::vector<MidiKeyRecord>& GetKeys() const override;
    bool AddKey(const MidiKeyRecord& key) override;
    bool RemoveKey(const MidiKeyRecord& key) override;
    const std::vector<MidiByteRecord>& GetSysExRecords() const override;
    bool AddSysExRecord(const MidiByteRecord& record) override;
    bool RemoveSysExRecord(const MidiByteRecord& record) override;
    const std::vector<MidiTextRecord>& GetMarkers() const override;
    bool AddMarker(const MidiTextRecord& marker) override;
    bool RemoveMarker(const MidiTextRecord& marker) override;
    const std::vector<MidiTextRecord>& GetCuePoints() const override;
    bool AddCuePoint(const MidiTextRecord& cuePoint) override;
    bool RemoveCuePoint(const MidiTextRecord& cuePoint) override;
    void Clear() override;
    void Release() override;

private:
    int format_ = kInitialFormat;
    int division_ = kInitialDivision;
    std::string sequenceName_;
    std::string text_;
    std::string copyright_;
    std::vector<MidiTempoRecord> tempos_;
    std::vector<MidiMeterRecord> meters_;
    std::vector<MidiKeyRecord> keys_;
    std::vector<MidiByteRecord> sysExRecords_;
    std::vector<MidiTextRecord> markers_;
    std::vector<MidiTextRecord> cuePoints_;
    std::map<int, std::shared_ptr<MidiTrackImpl>> tracks_;
};

}  // namespace midi
