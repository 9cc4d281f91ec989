// Making note symbols from their codes, and the notation names of the codes.
//
// The notation-name list is the document vocabulary of articulations and ornaments; a
// symbol's code is its index in the list. Ten of the names have a symbol class
// (note_symbols.h); the others are known names that make no symbol.
#pragma once

#include <memory>
#include <string_view>

namespace quaverly {

class NoteSymbol;

// The number of entries of the notation-name list (index 0 is the empty name).
inline constexpr int kNotationNameCount = 28;

// A new symbol of the class of the code: 2, 3, 4, 6, 14, 19, 20, 21, 24 and 25 make one;
// every other code gives an empty pointer.
std::shared_ptr<NoteSymbol> CreateNoteSymbol(int code);

// The notation name of a code 0-27 ("" for 0); an empty name for a code outside.
std::u16string_view GetNotationName(int code);
// The code of a notation name; -1 for an empty or unknown name.
int FindNotationCode(std::u16string_view name);

}  // namespace quaverly
