#include "engine/model/note_symbol_factory.h"

#include <array>

#include "engine/model/note_symbols.h"

namespace quaverly {

namespace {

// Index = symbol code.
constexpr std::array<std::u16string_view, kNotationNameCount> kNotationNames = {
    u"", u"accent", u"strong-accent", u"staccato",
    u"tenuto", u"detached-legato", u"staccatissimo", u"spiccato",
    u"scoop", u"plop", u"doit", u"falloff",
    u"breath-mark", u"caesura", u"fermata", u"glissando",
    u"slide", u"arpeggiate", u"non-arpeggiate", u"trill-mark",
    u"turn", u"delayed-turn", u"shake", u"wavy-line",
    u"mordent", u"inverted-mordent", u"schleifer", u"tremolo",
};

}  // namespace

std::shared_ptr<NoteSymbol> CreateNoteSymbol(int code)
{
    namespace c = note_symbol_code;
    switch (code) {
    case c::kStrongAccent:
        return std::make_shared<StrongAccentSymbol>();
    case c::kStaccato:
        return std::make_shared<StaccatoSymbol>();
    case c::kTenuto:
        return std::make_shared<TenutoSymbol>();
    case c::kStaccatissimo:
        return std::make_shared<StaccatissimoSymbol>();
    case c::kFermata:
        return std::make_shared<FermataSymbol>();
    case c::kTrillMark:
        return std::make_shared<TrillMarkSymbol>();
    case c::kTurn:
        return std::make_shared<TurnSymbol>();
    case c::kDelayedTurn:
        return std::make_shared<DelayedTurnSymbol>();
    case c::kMordent:
        return std::make_shared<MordentSymbol>();
    case c::kInvertedMordent:
        return std::make_shared<InvertedMordentSymbol>();
    default:
        return nullptr;
    }
}

std::u16string_view GetNotationName(int code)
{
    if (code < 0 || code >= kNotationNameCount)
        return {};
    return kNotationNames[static_cast<std::size_t>(code)];
}

int FindNotationCode(std::u16string_view name)
{
    if (name.empty())
        return -1;
    for (int code = 1; code < kNotationNameCount; ++code) {
        if (kNotationNames[static_cast<std::size_t>(code)] == name)
            return code;
    }
    return -1;
}

}  // namespace quaverly
