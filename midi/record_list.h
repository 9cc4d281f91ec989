// Helpers for the tick-ordered record lists of MidiData and MidiTrack (internal).
#pragma once

#include <algorithm>
#include <vector>

namespace midi::detail {

// Appends a copy and restores tick order; records of one tick keep the order in which
// they were added, so a later record of a tick stays the later one.
template <typename Record>
void AddSorted(std::vector<Record>& list, const Record& record)
{
    list.push_back(record);
    std::stable_sort(list.begin(), list.end(),
                     [](const Record& a, const Record& b) { return a.tick < b.tick; });
}

// Removes every record for which same(stored) holds.
template <typename Record, typename Same>
void RemoveMatching(std::vector<Record>& list, Same same)
{
    list.erase(std::remove_if(list.begin(), list.end(), same), list.end());
}

// Removes every record of the given record's tick.
template <typename Record>
void RemoveAtTick(std::vector<Record>& list, const Record& record)
{
    RemoveMatching(list, [&](const Record& stored) { return stored.tick == record.tick; });
}

}  // namespace midi::detail
