// "快捷键设置": the user presses the new key of a command, adjusts the Ctrl, Shift and
// Alt boxes and confirms. Used by the shortcut pages and by the symbol library.
//
// Every key press that reaches the dialog or one of its controls is looked at first:
// Enter and the modifier keys alone are swallowed (Enter does not close the dialog);
// Escape clears the key and the boxes and is swallowed (it does not close the dialog
// either); any other key becomes the captured key, checks the box of each modifier held
// down with it (never clearing one) and then goes on as usual. Keys pressed with Alt held
// are the desktop's system keys and are not captured: the Alt box is set by clicking it.
//
// OK gives the key the captured scan code and extended flag, the boxes' modifiers and
// "match by scan code"; its virtual key stays what it was. Cancel leaves it unchanged.
#pragma once

#include <cstdint>
#include <string>

#include "app/settings/shortcut_key.h"
#include "platform/dialog_base.h"

namespace brindle {

class CShortcutKeyDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 245;
    static constexpr int kIdKeyText = 1123;
    static constexpr int kIdCtrl = 1179;
    static constexpr int kIdShift = 1180;
    static constexpr int kIdAlt = 1181;

    explicit CShortcutKeyDlg(QWidget* parent = nullptr);

    // Before DoModal: the key being edited.
    void SetShortcutKey(const ShortcutKey& key) { key_ = key; }
    // After DoModal returned OK: the edited key.
    const ShortcutKey& GetShortcutKey() const { return key_; }

protected:
    void DoDataExchange(platform::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A key-down with its virtual key, key flags word (scan code in bits 0-7, extended
    // flag in bit 8) and the modifiers held; true when it is swallowed.
    bool OnKeyDown(int virtualKey, unsigned flags, int heldModifiers);
    int ModifierMask() const;
    void RefreshKeyText();

    int capturedScanCode_ = 0;
    std::uint8_t capturedExtended_ = 0;
    ShortcutKey key_;
    std::u16string keyText_;
    int alt_ = 0;
    int ctrl_ = 0;
    int shift_ = 0;
};

}  // namespace brindle
