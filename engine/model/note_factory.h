// Makes the note for a pitch code: a Rest for 1, a Note for the degrees 2 to 8, a
// SpecialNote for 10 to 13, each with default values (a quarter, no dots, no tuplet)
// and the pitch code set. Any other code (0, the dash 9, or a code from a damaged
// source) gives an empty pointer.
#pragma once

#include <memory>

namespace quaverly {

class Note;

std::shared_ptr<Note> CreateNote(int pitchCode);

}  // namespace quaverly
