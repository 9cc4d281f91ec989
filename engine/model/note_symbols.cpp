#include "engine/model/note_symbols.h"

namespace quaverly {

StaccatissimoSymbol::StaccatissimoSymbol()
{
    SetOrder(0);
    SetSymbolCode(note_symbol_code::kStaccatissimo);
}

TenutoSymbol::TenutoSymbol()
{
    SetOrder(1);
    SetSymbolCode(note_symbol_code::kTenuto);
}

StaccatoSymbol::StaccatoSymbol()
{
    SetOrder(2);
    SetSymbolCode(note_symbol_code::kStaccato);
}

StrongAccentSymbol::StrongAccentSymbol()
{
    SetOrder(3);
    SetSymbolCode(note_symbol_code::kStrongAccent);
}

TrillMarkSymbol::TrillMarkSymbol()
{
    SetOrder(4);
    SetSymbolCode(note_symbol_code::kTrillMark);
}

InvertedMordentSymbol::InvertedMordentSymbol()
{
    SetOrder(5);
    SetSymbolCode(note_symbol_code::kInvertedMordent);
}

MordentSymbol::MordentSymbol()
{
    SetOrder(6);
    SetSymbolCode(note_symbol_code::kMordent);
}

TurnSymbol::TurnSymbol()
{
    SetOrder(7);
    SetSymbolCode(note_symbol_code::kTurn);
}

DelayedTurnSymbol::DelayedTurnSymbol()
{
    SetOrder(8);
    SetSymbolCode(note_symbol_code::kDelayedTurn);
}

FermataSymbol::FermataSymbol()
{
    SetOrder(9);
    SetSymbolCode(note_symbol_code::kFermata);
}

}  // namespace quaverly
