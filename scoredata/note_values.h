// The rules by which the MIDI import turns lengths in score ticks (645120 per whole)
// into written note values (internal).
#pragma once

#include <cstdint>
#include <vector>

namespace tabulon::note_values {

// A plain or single-dotted value from a 128th (5040) to a breve (1290240).
bool IsNoteValue(std::int64_t length);

// The written value of a plain length: the power-of-two value at or below it, from a
// 128th to a breve, dotted when more of the length is left over.
struct WrittenValue {
    std::int32_t value = 0;
    std::uint8_t dotted = 0;
};
WrittenValue PlainValue(std::int64_t length);

// The written value of a triplet note that sounds this long (a triplet eighth of 53760
// is written as an eighth, 80640); a whole for lengths beyond a whole.
std::int32_t TripletValue(std::int64_t length);

// A length that a triplet note of a value longer than the grid sounds.
bool IsTripletShaped(std::int64_t length, std::int32_t grid);

// A count of grid units as plain and dotted power-of-two counts, longest first
// (7 gives 6 and 1, 5 gives 4 and 1). Nothing for counts below 1.
std::vector<std::int64_t> SplitUnits(std::int64_t units);

// Parts of one note cut at lines `unit` apart, joined again where the joined length is
// still one written value (two halves of a unit, a half unit and a unit, runs of
// whole units).
std::vector<std::int64_t> JoinParts(const std::vector<std::int64_t>& parts, std::int64_t unit);

}  // namespace tabulon::note_values
