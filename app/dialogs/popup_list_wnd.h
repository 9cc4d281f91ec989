// A small menu-like window that a dialog shows beside a button to pick one of a few items:
// each item is a line of text in a font of the owner's choice (a glyph of a music font,
// typically) with an integer id. The row under the pointer is highlighted; a press on a
// row posts the owner's message with the item's id (and 0) and hides the window, a press
// elsewhere only hides it, and so does losing the focus. The owner makes it (a frameless
// window of its own), places it and shows it; the highlighted row stays from one showing
// to the next until the pointer moves.
#pragma once

#include "engine/model/log_font.h"
#include "platform/window_message.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class MessagePort;
}

namespace brindle {

class CPopupListWnd : public QWidget {
    Q_OBJECT

public:
    struct Item {
        std::int32_t id = 0;
        std::u16string text;
    };

    // A frameless window owned by `owner` (the dialog), hidden until the owner shows it.
    explicit CPopupListWnd(QWidget* owner = nullptr);

    // A font is made from the record at every paint; a zeroed record gives the window's font.
    void SetFont(const quaverly::LogFont& font);
    // `owner` is posted `message` with the id of the item chosen.
    void SetNotify(platform::MessagePort* owner, platform::MessageId message);
    void AddItem(std::u16string_view text, std::int32_t id);
    void SetRowHeight(int height);

    const quaverly::LogFont& Font() const { return font_; }
    const std::vector<Item>& Items() const { return items_; }
    int RowHeight() const { return rowHeight_; }
    int HotRow() const { return hotRow_; }
    // The row at a height of the client area; -1 for none (also without a row height).
    int RowAt(int y) const;

    // The picture of the window as it paints itself: each item's glyph centred in its
    // row, clear of the row's edges and of the border.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QRect Client() const;
    // The items' font, made smaller where need be so that every glyph fits the part of
    // its row that shows.
    QFont RowFont() const;

    quaverly::LogFont font_;
    platform::MessageId message_ = 0;
    QPointer<platform::MessagePort> owner_;
    std::vector<Item> items_;
    int rowHeight_ = 0;
    int hotRow_ = 0;
};

}  // namespace brindle
