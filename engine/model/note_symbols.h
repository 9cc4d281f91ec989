// The ten articulation and ornament marks. Each class fixes the mark's symbol code (its
// glyph and its notation name) and its stacking order above the note: the note keeps
// its marks sorted on the order, staccatissimo nearest the note and the fermata on top.
//
// | class                   | code | notation name      | order |
// | StaccatissimoSymbol     |  6   | "staccatissimo"    |   0   |
// | TenutoSymbol            |  4   | "tenuto"           |   1   |
// | StaccatoSymbol          |  3   | "staccato"         |   2   |
// | StrongAccentSymbol      |  2   | "strong-accent"    |   3   |
// | TrillMarkSymbol         | 19   | "trill-mark"       |   4   |
// | InvertedMordentSymbol   | 25   | "inverted-mordent" |   5   |
// | MordentSymbol           | 24   | "mordent"          |   6   |
// | TurnSymbol              | 20   | "turn"             |   7   |
// | DelayedTurnSymbol       | 21   | "delayed-turn"     |   8   |  (the inverted turn)
// | FermataSymbol           | 14   | "fermata"          |   9   |
#pragma once

#include "engine/model/note_symbol.h"

namespace quaverly {

// Symbol codes: indices in the notation-name list (note_symbol_factory.h) and glyph
// codes of the drawing interface.
namespace note_symbol_code {
inline constexpr int kNone = 0;
inline constexpr int kAccent = 1;
inline constexpr int kStrongAccent = 2;
inline constexpr int kStaccato = 3;
inline constexpr int kTenuto = 4;
inline constexpr int kStaccatissimo = 6;
inline constexpr int kFermata = 14;
inline constexpr int kTrillMark = 19;
inline constexpr int kTurn = 20;
inline constexpr int kDelayedTurn = 21;
inline constexpr int kMordent = 24;
inline constexpr int kInvertedMordent = 25;
}  // namespace note_symbol_code

class StaccatissimoSymbol : public NoteSymbol {
public:
    StaccatissimoSymbol();
};

class TenutoSymbol : public NoteSymbol {
public:
    TenutoSymbol();
};

class StaccatoSymbol : public NoteSymbol {
public:
    StaccatoSymbol();
};

class StrongAccentSymbol : public NoteSymbol {
public:
    StrongAccentSymbol();
};

class TrillMarkSymbol : public NoteSymbol {
public:
    TrillMarkSymbol();
};

class InvertedMordentSymbol : public NoteSymbol {
public:
    InvertedMordentSymbol();
};

class MordentSymbol : public NoteSymbol {
public:
    MordentSymbol();
};

class TurnSymbol : public NoteSymbol {
public:
    TurnSymbol();
};

class DelayedTurnSymbol : public NoteSymbol {
public:
    DelayedTurnSymbol();
};

class FermataSymbol : public NoteSymbol {
public:
    FermataSymbol();
};

}  // namespace quaverly
