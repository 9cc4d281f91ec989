// One track of a MidiData: its channel events in playing order, its names and its timed
// text and data lists. Tracks are created and owned by their MidiData; a caller holds a
// plain pointer that stays valid until the track is removed or its song cleared or
// released. A track is never destroyed by a caller.
#pragma once

#include <string>
#include <vector>

#include "midi/midi_records.h"

namespace midi {

class MidiTrack {
public:
    // The live event vector, in playing order (see AddEvents).
    virtual const std::vector<MidiEvent>& GetEvents() const = 0;
    // Appends the events and puts the whole vector in playing order again: by tick, and
    // at one tick program and control changes before note-ons (note-ons of velocity 0
    // included); everything else keeps the order in which it was added. Returns true.
    virtual bool AddEvents(const std::vector<MidiEvent>& events) = 0;
    // For each given event removes every stored event with the same tick, status kind
    // and first data byte (channel and second data byte are not compared). Returns true.
    virtual bool RemoveEvents(const std::vector<MidiEvent>& events) = 0;
    virtual std::string GetName() const = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual std::string GetSecondName() const = 0;
    virtual void SetSecondName(const std::string& name) = 0;
    // The timed lists are kept sorted by tick (records of one tick in the order added);
    // a remover takes away every record of the given record's tick, whatever its content.
    virtual const std::vector<MidiTextRecord>& GetLyrics() const = 0;
    virtual bool AddLyric(const MidiTextRecord& lyric) = 0;
    virtual bool RemoveLyric(const MidiTextRecord& lyric) = 0;
    virtual const std::vector<MidiByteRecord>& GetSequencerData() const = 0;
    virtual bool AddSequencerData(const MidiByteRecord& data) = 0;
    virtual bool RemoveSequencerData(const MidiByteRecord& data) = 0;
    virtual const std::vector<MidiTextRecord>& GetTexts() const = 0;
    virtual bool AddText(const MidiTextRecord& text) = 0;
    virtual bool RemoveText(const MidiTextRecord& text) = 0;
    // Empties both names, the events and the three timed lists.
    virtual void Clear() = 0;

protected:
    MidiTrack() = default;
    MidiTrack(const MidiTrack&) = delete;
    MidiTrack& operator=(const MidiTrack&) = delete;
    ~MidiTrack() = default;
};

}  // namespace midi
