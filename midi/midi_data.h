// The MIDI library's in-memory song: header values, song texts, the song-wide meta and
// system-exclusive records and a set of tracks keyed by integer identifiers. Created by
// create_midi_data and destroyed only through Release. Texts are narrow UTF-8 strings
// that the library neither converts nor interprets.
#pragma once

#include <string>
#include <vector>

#include "midi/midi_records.h"
#include "midi/midi_track.h"

namespace midi {

class MidiData {
public:
    virtual void SetFormat(int format) = 0;
    virtual int GetFormat() const = 0;
    // Ticks per quarter note.
    virtual void SetDivision(int division) = 0;
    virtual int GetDivision() const = 0;
    virtual void SetSequenceName(const std::string& name) = 0;
    virtual std::string GetSequenceName() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string GetText() const = 0;
    virtual std::string GetCopyright() const = 0;
    virtual void SetCopyright(const std::string& copyright) = 0;

    // Creates an empty track under the identifier; false when the identifier is taken.
    virtual bool AddTrack(int id) = 0;
    // Removes and destroys the track; false when there is none.
    virtual bool RemoveTrack(int id) = 0;
    // The identifiers in ascending order.
    virtual std::vector<int> GetTrackIds() const = 0;
    // The track under the identifier, or null.
    virtual MidiTrack* GetTrack(int id) const = 0;

    // Record lists, each kept sorted by tick (records of one tick in the order added).
    // Adders return true. Removers take away every record equal to the given one and
    // return true: tempos compare tick and tempo, meters tick, numerator and denominator,
    // keys tick and sharps/flats, the other lists the tick alone.
    virtual const std::vector<MidiTempoRecord>& GetTempos() const = 0;
    virtual bool AddTempo(const MidiTempoRecord& tempo) = 0;
    virtual bool RemoveTempo(const MidiTempoRecord& tempo) = 0;
    virtual const std::vector<MidiMeterRecord>& GetMeters() const = 0;
    virtual bool AddMeter(const MidiMeterRecord& meter) = 0;
    virtual bool RemoveMeter(const MidiMeterRecord& meter) = 0;
    virtual const std::vector<MidiKeyRecord>& GetKeys() const = 0;
    virtual bool AddKey(const MidiKeyRecord& key) = 0;
    virtual bool RemoveKey(const MidiKeyRecord& key) = 0;
    // Each record is one complete system-exclusive message, ready to be sent.
    virtual const std::vector<MidiByteRecord>& GetSysExRecords() const = 0;
    virtual bool AddSysExRecord(const MidiByteRecord& record) = 0;
    virtual bool RemoveSysExRecord(const MidiByteRecord& record) = 0;
    virtual const std::vector<MidiTextRecord>& GetMarkers() const = 0;
    virtual bool AddMarker(const MidiTextRecord& marker) = 0;
    virtual bool RemoveMarker(const MidiTextRecord& marker) = 0;
    virtual const std::vector<MidiTextRecord>& GetCuePoints() const = 0;
    virtual bool AddCuePoint(const MidiTextRecord& cuePoint) = 0;
    virtual bool RemoveCuePoint(const MidiTextRecord& cuePoint) = 0;

    // Format 1, division 120, copyright emptied, every list emptied, every track
    // destroyed; the sequence name and the text stay.
    virtual void Clear() = 0;
    // Destroys the object.
    virtual void Release() = 0;

protected:
    MidiData() = default;
    MidiData(const MidiData&) = delete;
    MidiData& operator=(const MidiData&) = delete;
    ~MidiData() = default;
};

}  // namespace midi

// A new song: format 1, division 120, everything else empty; null when out of memory.
extern "C" __attribute__((visibility("default"))) midi::MidiData* create_midi_data();
