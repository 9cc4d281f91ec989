// One staff of the score data: name, MIDI program and channel, note records, tie chains
// and tuplet groups. A staff made by create_staff_data stands alone and is destroyed
// through Release; a staff inside a StaveData belongs to it.
#pragma once

#include <string>
#include <vector>

#include "scoredata/score_records.h"

namespace tabulon {

class StaffData {
public:
    virtual std::u16string GetName() const = 0;
    virtual void SetName(const std::u16string& name) = 0;
    virtual void SetProgram(int program) = 0;
    virtual int GetProgram() const = 0;
    // MIDI channel 0-15.
    virtual void SetChannel(int channel) = 0;
    virtual int GetChannel() const = 0;
    // Record lists keep the order in which records were added.
    virtual const std::vector<NoteRecord>& GetNotes() const = 0;
    virtual void AddNote(const NoteRecord& note) = 0;
    // Does nothing.
    virtual void RemoveNote(const NoteRecord& note) = 0;
    virtual const std::vector<TieChain>& GetTieChains() const = 0;
    virtual void AddTieChain(const TieChain& chain) = 0;
    // Does nothing.
    virtual void RemoveTieChain(const TieChain& chain) = 0;
    virtual const std::vector<TupletGroup>& GetTupletGroups() const = 0;
    virtual void AddTupletGroup(const TupletGroup& group) = 0;
    // Does nothing.
    virtual void RemoveTupletGroup(const TupletGroup& group) = 0;
    // Destroys a staff made by create_staff_data; a staff that belongs to a stave stays
    // (it goes with its stave).
    virtual void Release() = 0;

protected:
    StaffData() = default;
    StaffData(const StaffData&) = delete;
    StaffData& operator=(const StaffData&) = delete;
    ~StaffData() = default;
};

}  // namespace tabulon

// A new empty staff standing alone; null when out of memory.
extern "C" __attribute__((visibility("default"))) tabulon::StaffData* create_staff_data();
