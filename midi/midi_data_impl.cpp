#include "midi/midi_data_impl.h"

#include <new>

#include "midi/record_list.h"

namespace midi {

void MidiDataImpl::SetFormat(int format) { format_ = format; }
int MidiDataImpl::GetFormat() const { return format_; }
void MidiDataImpl::SetDivision(int division) { division_ = division; }
int MidiDataImpl::GetDivision() const { return division_; }
void MidiDataImpl::SetSequenceName(const std::string& name) { sequenceName_ = name; }
std::string MidiDataImpl::GetSequenceName() const { return sequenceName_; }
void MidiDataImpl::SetText(const std::string& text) { text_ = text; }
std::string MidiDataImpl::GetText() const { return text_; }
std::string MidiDataImpl::GetCopyright() const { return copyright_; }
void MidiDataImpl::SetCopyright(const std::string& copyright) { copyright_ = copyright; }

bool MidiDataImpl::AddTrack(int id)
{
    if (tracks_.contains(id))
        return false;
    tracks_.emplace(id, std::make_shared<MidiTrackImpl>());
    return true;
}

bool MidiDataImpl::RemoveTrack(int id) { return tracks_.erase(id) > 0; }

std::vector<int> MidiDataImpl::GetTrackIds() const
{
    std::vector<int> ids;
    ids.reserve(tracks_.size());
    for (const auto& [id, track] : tracks_)
        ids.push_back(id);
    return ids;
}

MidiTrack* MidiDataImpl::GetTrack(int id) const
{
    const auto found = tracks_.find(id);
    return found == tracks_.end() ? nullptr : found->second.get();
}

const std::vector<MidiTempoRecord>& MidiDataImpl::GetTempos() const { return tempos_; }

bool MidiDataImpl::AddTempo(const MidiTempoRecord& tempo)
{
    detail::AddSorted(tempos_, tempo);
    return true;
}

bool MidiDataImpl::RemoveTempo(const MidiTempoRecord& tempo)
{
    detail::RemoveMatching(tempos_, [&](const MidiTempoRecord& stored) {
        return stored.tick == tempo.tick &&
               stored.microsecondsPerQuarter == tempo.microsecondsPerQuarter;
    });
    return true;
}

const std::vector<MidiMeterRecord>& MidiDataImpl::GetMeters() const { return meters_; }

bool MidiDataImpl::AddMeter(const MidiMeterRecord& meter)
{
    detail::AddSorted(meters_, meter);
    return true;
}

bool MidiDataImpl::RemoveMeter(const MidiMeterRecord& meter)
{
    detail::RemoveMatching(meters_, [&](const MidiMeterRecord& stored) {
        return stored.tick == meter.tick && stored.numerator == meter.numerator &&
               stored.denominator == meter.denominator;
    });
    return true;
}

const std::vector<MidiKeyRecord>& MidiDataImpl::GetKeys() const { return keys_; }

bool MidiDataImpl::AddKey(const MidiKeyRecord& key)
{
    detail::AddSorted(keys_, key);
    return true;
}

bool MidiDataImpl::RemoveKey(const MidiKeyRecord& key)
{
    detail::RemoveMatching(keys_, [&](const MidiKeyRecord& stored) {
        return stored.tick == key.tick && stored.sharpsFlats == key.sharpsFlats;
    });
    return true;
}

const std::vector<MidiByteRecord>& MidiDataImpl::GetSysExRecords() const
{
    return sysExRecords_;
}

bool MidiDataImpl::AddSysExRecord(const MidiByteRecord& record)
{
    detail::AddSorted(sysExRecords_, record);
    return true;
}

bool MidiDataImpl::RemoveSysExRecord(const MidiByteRecord& record)
{
    detail::RemoveAtTick(sysExRecords_, record);
    return true;
}

const std::vector<MidiTextRecord>& MidiDataImpl::GetMarkers() const { return markers_; }

bool MidiDataImpl::AddMarker(const MidiTextRecord& marker)
{
    detail::AddSorted(markers_, marker);
    return true;
}

bool MidiDataImpl::RemoveMarker(const MidiTextRecord& marker)
{
    detail::RemoveAtTick(markers_, marker);
    return true;
}

const std::vector<MidiTextRecord>& MidiDataImpl::GetCuePoints() const { return cuePoints_; }

bool MidiDataImpl::AddCuePoint(const MidiTextRecord& cuePoint)
{
    detail::AddSorted(cuePoints_, cuePoint);
    return true;
}

bool MidiDataImpl::RemoveCuePoint(const MidiTextRecord& cuePoint)
{
    detail::RemoveAtTick(cuePoints_, cuePoint);
    return true;
}

void MidiDataImpl::Clear()
{
    format_ = kInitialFormat;
    division_ = kInitialDivision;
    copyright_.clear();
    tempos_.clear();
    meters_.clear();
    keys_.clear();
    sysExRecords_.clear();
    markers_.clear();
    cuePoints_.clear();
    tracks_.clear();
}

void MidiDataImpl::Release() { delete this; }

}  // namespace midi

midi::MidiData* create_midi_data()
{
    return new (std::nothrow) midi::MidiDataImpl();
}
