#include "engine/model/note_symbols.h"

namespace quaverly {

namespace code = note_symbol_code;

// Each mark: its symbol code and its stacking order.
StaccatissimoSymbol::StaccatissimoSymbol() : NoteSymbol(code::kStaccatissimo, 0) {}
TenutoSymbol::TenutoSymbol() : NoteSymbol(code::kTenuto, 1) {}
StaccatoSymbol::StaccatoSymbol() : NoteSymbol(code::kStaccato, 2) {}
StrongAccentSymbol::StrongAccentSymbol() : NoteSymbol(code::kStrongAccent, 3) {}
TrillMarkSymbol::TrillMarkSymbol() : NoteSymbol(code::kTrillMark, 4) {}
InvertedMordentSymbol::InvertedMordentSymbol() : NoteSymbol(code::kInvertedMordent, 5) {}
MordentSymbol::MordentSymbol() : NoteSymbol(code::kMordent, 6) {}
TurnSymbol::TurnSymbol() : NoteSymbol(code::kTurn, 7) {}
DelayedTurnSymbol::DelayedTurnSymbol() : NoteSymbol(code::kDelayedTurn, 8) {}
FermataSymbol::FermataSymbol() : NoteSymbol(code::kFermata, 9) {}

}  // namespace quaverly
