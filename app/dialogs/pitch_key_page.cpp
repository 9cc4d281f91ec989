#include "app/dialogs/pitch_key_page.h"

namespace brindle {

namespace {

using F = ShortcutFile;

constexpr CShortcutKeyPage::Row kRows[] = {
    {u"倍高音:", u"OCTIVE TWO PLUS", &F::GetOctaveTwoPlusShortcut, &F::SetOctaveTwoPlusShortcut},
    {u"高音:", u"OCTIVE ONE PLUS", &F::GetOctaveOnePlusShortcut, &F::SetOctaveOnePlusShortcut},
    {u"中音:", u"OCTIVE NORMAL", &F::GetOctaveNormalShortcut, &F::SetOctaveNormalShortcut},
    {u"低音:", u"OCTIVE ONE MINUS", &F::GetOctaveOneMinusShortcut, &F::SetOctaveOneMinusShortcut},
    {u"倍低音:", u"OCTIVE TWO MINUS", &F::GetOctaveTwoMinusShortcut, &F::SetOctaveTwoMinusShortcut},
    {u"升号:", u"SYMBOL SHARP", &F::GetSharpShortcut, &F::SetSharpShortcut},
    {u"降号:", u"SYMBOL FLAT", &F::GetFlatShortcut, &F::SetFlatShortcut},
    {u"还原号:", u"SYMBOL NATURAL", &F::GetNaturalShortcut, &F::SetNaturalShortcut},
};

}  // namespace

CPitchKeyPage::CPitchKeyPage(QWidget* parent) : CShortcutKeyPage(kTemplateId, kRows, parent) {}

}  // namespace brindle
