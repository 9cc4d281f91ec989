// The score view's keyboard commands: each pairs one key of the shortcut file (or of a
// user symbol in the extended symbol file) with one note-entry operation of the view.
// While the selection tool is current, every key press goes to the editor first and then
// to every command whose key matches, in list order; the walk does not stop at a match.
#pragma once

#include "app/settings/extend_symbol.h"
#include "app/settings/shortcut_key.h"

namespace brindle {

class CBrindleView;

class KeyCommand {
public:
    using Operation = void (CBrindleView::*)();

    // `operation` runs on `view` when the command executes; null: nothing runs.
    KeyCommand(CBrindleView* view, const ShortcutKey& key, Operation operation = nullptr)
        : m_pView(view), m_nSystemKey(key.systemKey), m_nVirtualKey(key.virtualKey), m_nScanCode(key.scanCode),
          m_bExtended(key.extendScanCode), m_bUseScanCode(key.usingScanCode), m_Operation(operation)
    {
    }
    virtual ~KeyCommand() = default;
    KeyCommand(const KeyCommand&) = delete;
    KeyCommand& operator=(const KeyCommand&) = delete;

    // The key-down's virtual key, repeat count (not looked at) and key flags (scan code in
    // bits 0-7, extended key in bit 8). The modifiers held now must equal the stored mask
    // exactly (none for a mask of 0).
    virtual bool Matches(int virtualKey, int repeat, unsigned flags) const;
    virtual void Execute();

    ShortcutKey Key() const { return {m_nSystemKey, m_nVirtualKey, m_nScanCode, m_bExtended, m_bUseScanCode}; }

protected:
    // The key alone: by scan code and extended flag, or by virtual key.
    bool KeyMatches(int virtualKey, unsigned flags) const;
    CBrindleView* View() const { return m_pView; }

private:
    CBrindleView* m_pView;
    int m_nSystemKey;
    int m_nVirtualKey;
    int m_nScanCode;
    bool m_bExtended;
    bool m_bUseScanCode;
    Operation m_Operation;
};

// A degree key: matches whatever modifiers are held (they reach the editor inside the
// note input instead); executing chooses the degree and enters the note.
class NoteKeyCommand final : public KeyCommand {
public:
    using KeyCommand::KeyCommand;
    bool Matches(int virtualKey, int repeat, unsigned flags) const override;
    void Execute() override;
};

// A user symbol's key. It matches like any other command but does nothing when it runs:
// the symbol is inserted through the other-symbols command, which takes the record.
class SymbolKeyCommand final : public KeyCommand {
public:
    SymbolKeyCommand(CBrindleView* view, const ShortcutKey& key, ExtendSymbol symbol)
        : KeyCommand(view, key), m_Symbol(std::move(symbol))
    {
    }
    const ExtendSymbol& Symbol() const { return m_Symbol; }

private:
    ExtendSymbol m_Symbol;
};

}  // namespace brindle
