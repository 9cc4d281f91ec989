// Time arithmetic: the time unit, the plain note lengths and the played length of a
// note.
//
// Every time value of the engine (the start of a note inside its bar, the length of a
// note or a bar, the end of a tuplet) is an int count of ticks, 161280 to a quarter
// note. A note's played length is its base length, plus for each augmentation dot k
// the base divided by 2^k (each share truncated on its own), scaled by normal / actual
// when the note is in a tuplet (the product is formed first, then divided).
//
// Values are computed in 64 bits and the result is held to the int range, so a base
// of 0, any dot count and any tuplet counts give a defined length: shares that have
// become 0 end the dot loop, and a tuplet whose actual or normal count is not positive
// counts as no tuplet.
#pragma once

#include <memory>

namespace quaverly {

class Note;

inline constexpr int kTicksPerQuarter = 161280;
inline constexpr int kTicksPerWhole = 4 * kTicksPerQuarter;

// The plain note lengths, undotted and not in a tuplet.
namespace note_length {
inline constexpr int kBreve = 1290240;
inline constexpr int kWhole = 645120;
inline constexpr int kHalf = 322560;
inline constexpr int kQuarter = 161280;
inline constexpr int kEighth = 80640;
inline constexpr int k16th = 40320;
inline constexpr int k32nd = 20160;
inline constexpr int k64th = 10080;
inline constexpr int k128th = 5040;  // the smallest value and the finest grid
}  // namespace note_length

// The base plus base / 2^k for each dot k = 1..dots, each share truncated on its own:
// a dotted quarter is 241920, a base of 100 with three dots 187. No dots for a count
// below 1.
int GetDottedLength(int base, int dots);

// The dotted length scaled by normal / actual (multiplication first, then truncating
// division): a triplet eighth (3 in the time of 2) is 53760. An actual or normal count
// below 1 means no tuplet.
int GetPlayedLength(int base, int dots, int tupletActual, int tupletNormal);

// The played length of a note from its base duration, dots and tuplet counts; 0 for a
// null note.
int GetNoteDuration(const Note* note);
// The note's start time plus its played length; 0 for an empty pointer.
int GetNoteEndTime(const std::shared_ptr<Note>& note);

}  // namespace quaverly
