// The text box the score view floats over a header text or a lyric syllable to edit it in
// place. Shown, it takes the text and the font (already at the view's zoom) from the item
// attached to it, puts the caret at the end and holds the mouse; hidden, it writes its text
// back through the item and lets the item go. It grows to the right as the text gets wider
// and never narrows while the edit runs. A press of the left or right button outside the
// box ends the edit and is passed on to the window under the pointer, so the click that
// ends an edit also does what it does on the score. Right at the end and Left at the start
// of the text tell the view to move the edit on to the next or the previous item.
//
// Enter is swallowed here: the view watches the box's keys (an event filter) and decides
// what Enter, and a blank in a syllable, mean.
#pragma once

#include "app/painter/editable_text_item.h"
#include "engine/model/log_font.h"
#include "platform/device_context.h"
#include "platform/window_message.h"

#include <QBrush>
#include <QLineEdit>
#include <QPointer>

#include <memory>
#include <string>

namespace platform {
class MessagePort;
}

namespace brindle {

class CScoreTextEdit : public QLineEdit {
    Q_OBJECT

public:
    // Posted to the notify window, both parameters 0.
    static constexpr platform::MessageId kMsgNextItem = 0x5F6;
    static constexpr platform::MessageId kMsgPreviousItem = 0x5F7;
    // Pixels the box keeps free right of its text.
    static constexpr int kGrowMargin = 10;

    explicit CScoreTextEdit(QWidget* parent = nullptr);
    ~CScoreTextEdit() override;

    void SetTextFont(const quaverly::LogFont& font);
    // The picture the box's background shows, tiled; a null image gives white.
    void SetBackgroundBitmap(const QImage& bitmap);
    void SetTextItem(std::shared_ptr<EditableTextItem> item) { item_ = std::move(item); }
    std::shared_ptr<EditableTextItem> GetTextItem() const { return item_; }
    void SetTextColor(platform::ColorRef color);
    void SetNotifyWindow(platform::MessagePort* window) { notify_ = window; }

    platform::ColorRef TextColor() const { return textColor_; }
    const QBrush& BackgroundBrush() const { return background_; }

    // Pastes the clipboard's text with its line breaks taken out. The clipboard keeps what
    // the user put there.
    void Paste();

    // The text with every carriage return and line feed removed.
    static std::u16string WithoutLineBreaks(std::u16string_view text);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnTextChanged();
    void Post(platform::MessageId message);
    // Gives the press that ended the edit to the widget under `global`.
    void PassOnPress(const QMouseEvent& press);

    std::shared_ptr<EditableTextItem> item_;
    QBrush background_{Qt::white};
    platform::ColorRef textColor_ = 0;
    QPointer<platform::MessagePort> notify_;
    // The widget that got the press which ended the edit; it also gets the release.
    QPointer<QWidget> pressTarget_;
    bool grabbing_ = false;
};

}  // namespace brindle
