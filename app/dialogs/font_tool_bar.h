// The floating "字体" toolbar: a face box and a size box before the main window's bold,
// italic and underline buttons. A face picked (or typed and left) and a size typed or
// picked are sent to the owner window as a FontChangeRecord with message 0x60C; the main
// window passes them on to the view, which applies them to the text being edited. Sizes
// that are no number or outside 1 to 1638 points are refused with a message and never
// sent; a face that is not in the list is not sent.
//
// Leaving either box, and Enter or Escape in it, also send the owner the standard
// notification (kWmNotify with a ToolBarNotify); the main window does not act on them.
#pragma once

#include "app/dialogs/font_change_record.h"
#include "app/dialogs/font_name_combo.h"
#include "platform/window_message.h"

#include <QPointer>
#include <QToolBar>

namespace platform {
class MessagePort;
}

namespace brindle {

class CFontSizeCombo;

inline constexpr platform::MessageId kWmNotify = 0x004E;

// The header of a notification: who sends it and why. Valid only during the call.
struct ToolBarNotify {
    const QWidget* from = nullptr;
    int id = 0;
    int code = 0;
};

class CFontToolBar : public QToolBar {
    Q_OBJECT

public:
    static constexpr int kIdSizeBox = 110;
    static constexpr int kIdNameBox = 111;
    static constexpr int kIdToolBar = 0xE800;
    static constexpr int kNotifyKillFocus = -8;
    static constexpr int kNotifyReturn = -4;
    static constexpr int kNameBoxChars = 32;
    static constexpr int kSizeBoxChars = 10;
    static constexpr int kNameLimit = 32;
    static constexpr int kSizeLimit = 4;

    // `faces` lists the faces the name box offers; by default those installed.
    explicit CFontToolBar(QWidget* parent = nullptr, CFontNameCombo::FaceSource faces = {});

    // Puts the boxes in the places of the first and the third entry (separators the main
    // window added for them), the name box's height made the size box's; without such
    // entries the boxes go at the start. Called once the buttons are in.
    void PositionCombos();

    // The window told of changes; by default the main window the toolbar belongs to.
    void SetOwner(platform::MessagePort* owner) { owner_ = owner; }

    CFontNameCombo* NameBox() const { return name_; }
    CFontSizeCombo* SizeBox() const { return size_; }
    int AverageCharWidth() const { return charWidth_; }
    int CharHeight() const { return charHeight_; }

    // What the boxes' notifications run (also for tests and scripts).
    void ApplyFaceName();
    void ApplySize();
    void FillSizeList();

    void NotifyOwner(int code);
    void SendFontChange(const FontChangeRecord& record);

    // The minimum entry height of face lists: the default GUI font's height.
    static int ProgramItemHeight();

private:
    platform::MessagePort* Owner() const;
    void OnKey(CToolBarCombo* box, int key);

    int charWidth_ = 0;
    int charHeight_ = 0;
    CFontNameCombo* name_ = nullptr;
    CFontSizeCombo* size_ = nullptr;
    QPointer<platform::MessagePort> owner_;
    bool positioned_ = false;
};

}  // namespace brindle
