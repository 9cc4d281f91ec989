#include "app/dialogs/duration_key_page.h"

namespace brindle {

namespace {

using F = ShortcutFile;

constexpr CShortcutKeyPage::Row kRows[] = {
    {u"全音符:", u"DURATION WHOLE", &F::GetDurationWholeShortcut, &F::SetDurationWholeShortcut},
    {u"二分音符:", u"DURATION HALF", &F::GetDurationHalfShortcut, &F::SetDurationHalfShortcut},
    {u"四分音符:", u"DURATION QUARTER", &F::GetDurationQuarterShortcut, &F::SetDurationQuarterShortcut},
    {u"八分音符:", u"DURATION EIGHT", &F::GetDurationEightShortcut, &F::SetDurationEightShortcut},
    {u"16分音符:", u"DURATION SIXTEEN", &F::GetDurationSixteenShortcut, &F::SetDurationSixteenShortcut},
    {u"32分音符:", u"DURATION 32", &F::GetDuration32Shortcut, &F::SetDuration32Shortcut},
    {u"附点:", u"DOT ONE", &F::GetDotOneShortcut, &F::SetDotOneShortcut},
    {u"三连音:", u"TRIPLET", &F::GetTripletShortcut, &F::SetTripletShortcut},
    {u"连音(Tie):", u"TIE", &F::GetTieShortcut, &F::SetTieShortcut},
};

}  // namespace

CDurationKeyPage::CDurationKeyPage(QWidget* parent) : CShortcutKeyPage(kTemplateId, kRows, parent) {}

}  // namespace brindle
