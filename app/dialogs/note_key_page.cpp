#include "app/dialogs/note_key_page.h"

namespace brindle {

namespace {

using F = ShortcutFile;

constexpr CShortcutKeyPage::Row kRows[] = {
    {u"Do:", u"DO", &F::GetDoShortcut, &F::SetDoShortcut},
    {u"Re:", u"RE", &F::GetReShortcut, &F::SetReShortcut},
    {u"Me:", u"ME", &F::GetMeShortcut, &F::SetMeShortcut},
    {u"Fa:", u"FA", &F::GetFaShortcut, &F::SetFaShortcut},
    {u"Sol:", u"SOL", &F::GetSolShortcut, &F::SetSolShortcut},
    {u"La:", u"LA", &F::GetLaShortcut, &F::SetLaShortcut},
    {u"Si:", u"SI", &F::GetSiShortcut, &F::SetSiShortcut},
    {u"休止符:", u"REST", &F::GetRestShortcut, &F::SetRestShortcut},
    {u"鼓(X):", u"DRUM", &F::GetDrumShortcut, &F::SetDrumShortcut},
};

}  // namespace

CNoteKeyPage::CNoteKeyPage(QWidget* parent) : CShortcutKeyPage(kTemplateId, kRows, parent) {}

}  // namespace brindle
