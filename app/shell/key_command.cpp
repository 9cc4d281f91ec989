#include "app/shell/key_command.h"

#include <memory>
#include <string_view>

#include "app/settings/extend_symbol_file.h"
#include "app/settings/shortcut_file.h"
#include "app/settings/system_info_section.h"
#include "app/shell/app_context.h"
#include "app/shell/app_directory.h"
#include "app/shell/brindle_view.h"
#include "engine/editor/editor_interface.h"
#include "platform/key_translation.h"

namespace brindle {

bool KeyCommand::KeyMatches(int virtualKey, unsigned flags) const
{
    // A section the file lacks binds no key at all.
    if (m_nVirtualKey == 0 && m_nScanCode == 0)
        return false;
    if (!m_bUseScanCode)
        return m_nVirtualKey == virtualKey;
    const bool extended = (flags & platform::kKfExtended) != 0;
    return extended == m_bExtended && static_cast<int>(flags & 0xFFu) == m_nScanCode;
}

bool KeyCommand::Matches(int virtualKey, int, unsigned flags) const
{
    if (platform::CurrentModifierMask() != m_nSystemKey)
        return false;
    return KeyMatches(virtualKey, flags);
}

void KeyCommand::Execute()
{
    if (m_pView && m_Operation)
        (m_pView->*m_Operation)();
}

bool NoteKeyCommand::Matches(int virtualKey, int, unsigned flags) const
{
    return KeyMatches(virtualKey, flags);
}

void NoteKeyCommand::Execute()
{
    KeyCommand::Execute();
    if (View())
        View()->QueueNoteInput();
}

namespace {

struct KeyRow {
    std::u16string_view section;
    bool anyModifiers;  // a degree key: the modifiers go with the note
    KeyCommand::Operation operation;
};

// The key command list in its order: durations, dots, octaves, tie and triplet, grace
// modes, accidentals, then the keys that enter a note at once.
const KeyRow kKeyRows[] = {
    {u"DURATION WHOLE", false, &CBrindleView::OnDurationWhole},
    {u"DURATION HALF", false, &CBrindleView::OnDurationHalf},
    {u"DURATION QUARTER", false, &CBrindleView::OnDurationQuarter},
    {u"DURATION EIGHT", false, &CBrindleView::OnDurationEighth},
    {u"DURATION SIXTEEN", false, &CBrindleView::OnDuration16th},
    {u"DURATION 32", false, &CBrindleView::OnDuration32nd},
    {u"DURATION 64", false, &CBrindleView::OnDuration64th},
    {u"DURATION 128", false, &CBrindleView::OnDuration128th},
    {u"DURATION PLUS", false, &CBrindleView::DoubleNoteValue},
    {u"DURATION MINUS", false, &CBrindleView::HalveNoteValue},
    {u"DOT ONE", false, &CBrindleView::OnDot},
    {u"OCTIVE THREE PLUS", false, &CBrindleView::OnOctaveExtraHigh},
    {u"OCTIVE TWO PLUS", false, &CBrindleView::OnOctaveDoubleHigh},
    {u"OCTIVE ONE PLUS", false, &CBrindleView::OnOctaveHigh},
    {u"OCTIVE NORMAL", false, &CBrindleView::OnOctaveMiddle},
    {u"OCTIVE ONE MINUS", false, &CBrindleView::OnOctaveLow},
    {u"OCTIVE TWO MINUS", false, &CBrindleView::OnOctaveDoubleLow},
    {u"OCTIVE THREE MINUS", false, &CBrindleView::OnOctaveExtraLow},
    {u"OCTIVE PLUS", false, &CBrindleView::RaiseOctave},
    {u"OCTIVE MINUS", false, &CBrindleView::LowerOctave},
    {u"TIE", false, &CBrindleView::OnTie},
    {u"TRIPLET", false, &CBrindleView::OnTriplet},
    {u"PRE GRACE", false, &CBrindleView::OnPreGrace},
    {u"POST GRACE", false, &CBrindleView::OnPostGrace},
    {u"SYMBOL DOUBLE SHARP", false, &CBrindleView::OnDoubleSharp},
    {u"SYMBOL SHARP", false, &CBrindleView::OnSharp},
    {u"SYMBOL NATURAL", false, &CBrindleView::OnNatural},
    {u"SYMBOL FLAT", false, &CBrindleView::OnFlat},
    {u"SYMBOL DOUBLE FLAT", false, &CBrindleView::OnDoubleFlat},
    {u"REST", true, &CBrindleView::OnRest},
    {u"DO", true, &CBrindleView::OnDo},
    {u"RE", true, &CBrindleView::OnRe},
    {u"ME", true, &CBrindleView::OnMe},
    {u"FA", true, &CBrindleView::OnFa},
    {u"SOL", true, &CBrindleView::OnSol},
    {u"LA", true, &CBrindleView::OnLa},
    {u"SI", true, &CBrindleView::OnSi},
    {u"DRUM", true, &CBrindleView::SelectDrum},
};

// The path of a settings file the main settings file names; empty when it names none.
std::u16string SettingsPath(std::u16string (SystemInfoSection::*name)() const)
{
    AppContext* context = AppContext::Instance();
    if (!context || !context->GetSettingsFile())
        return {};
    const std::u16string file = (SystemInfoSection(context->GetSettingsFile()).*name)();
    return file.empty() ? std::u16string() : AppFilePath(file).u16string();
}

}  // namespace

void CBrindleView::BuildKeyCommands()
{
    LoadKeyCommands(SettingsPath(&SystemInfoSection::GetShortcutFileName));
}

void CBrindleView::LoadKeyCommands(std::u16string_view shortcutPath)
{
    // A missing file or section reads as no key: such commands never match.
    ShortcutFile file;
    file.SetFileName(shortcutPath);
    const ProfileSnapshot shortcuts = file.GetProfileFile()->Snapshot();
    m_KeyCommands.clear();
    for (const KeyRow& row : kKeyRows) {
        const ShortcutKey key = ShortcutFile::ReadShortcut(shortcuts, row.section);
        if (row.anyModifiers)
            m_KeyCommands.push_back(std::make_shared<NoteKeyCommand>(this, key, row.operation));
        else
            m_KeyCommands.push_back(std::make_shared<KeyCommand>(this, key, row.operation));
    }
}

void CBrindleView::BuildSymbolKeyCommands()
{
    LoadSymbolKeyCommands(SettingsPath(&SystemInfoSection::GetExtendSymbolFileName));
}

void CBrindleView::LoadSymbolKeyCommands(std::u16string_view symbolPath)
{
    m_SymbolKeyCommands.clear();
    if (symbolPath.empty())
        return;
    ExtendSymbolFile file;
    file.SetFileName(symbolPath);
    const int count = file.GetSymbolCount();
    for (int i = 0; i < count; ++i) {
        ExtendSymbol symbol = file.GetSymbol(i);
        const ShortcutKey key = file.GetShortcut(symbol.name);
        m_SymbolKeyCommands.push_back(std::make_shared<SymbolKeyCommand>(this, key, std::move(symbol)));
    }
}

void CBrindleView::DispatchKey(int virtualKey, int repeat, unsigned flags)
{
    auto* editor = EditorForInput();
    if (!editor)
        return;
    editor->OnKeyDown(virtualKey, platform::CurrentModifierMask());
    for (const auto& command : m_KeyCommands)
        if (command->Matches(virtualKey, repeat, flags))
            command->Execute();
    for (const auto& command : m_SymbolKeyCommands)
        if (command->Matches(virtualKey, repeat, flags))
            command->Execute();
}

}  // namespace brindle
