#include "app/dialogs/score_text_edit.h"

#include "platform/font_mapper.h"
#include "platform/message_port.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>

namespace brindle {
namespace {

// The em height of the record when it gives none (a zeroed record).
constexpr int kDefaultEm = 18;

QColor ToQColor(platform::ColorRef c)
{
    return QColor(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
}

}  // namespace

CScoreTextEdit::CScoreTextEdit(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    // The background is painted here, under the text, with the paper's picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setBrush(QPalette::Base, Qt::NoBrush);
    pal.setColor(QPalette::Text, ToQColor(textColor_));
    setPalette(pal);
    connect(this, &QLineEdit::textChanged, this, [this] { OnTextChanged(); });
}

CScoreTextEdit::~CScoreTextEdit()
{
    // The view goes with the box; nothing is written through an item now.
    if (grabbing_)
        releaseMouse();
    item_.reset();
}

void CScoreTextEdit::SetTextFont(const quaverly::LogFont& font)
{
    setFont(platform::FontMapper::ToQFont(font, kDefaultEm));
}

void CScoreTextEdit::SetBackgroundBitmap(const QImage& bitmap)
{
    background_ = bitmap.isNull() ? QBrush(Qt::white) : QBrush(bitmap);
    update();
}

void CScoreTextEdit::SetTextColor(platform::ColorRef color)
{
    textColor_ = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Text, ToQColor(color));
    setPalette(pal);
}

std::u16string CScoreTextEdit::WithoutLineBreaks(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text)
        if (c != u'\r' && c != u'\n')
            out.push_back(c);
    return out;
}

void CScoreTextEdit::Paste()
{
    if (isReadOnly())
        return;
    const QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        paste();
        return;
    }
    // Inserted as one line; the clipboard itself is left alone.
    const std::u16string text = WithoutLineBreaks(clipboard->text().toStdU16String());
    if (!text.empty() || hasSelectedText())
        insert(QString::fromStdU16String(text));
}

void CScoreTextEdit::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    if (!item_)
        return;
    if (event->spontaneous()) {
        // The window came back (from being minimised): the edit goes on as it was.
        if (!grabbing_) {
            grabMouse();
            grabbing_ = true;
        }
        return;
    }
    SetTextFont(item_->GetFont());
    setText(QString::fromStdU16String(item_->GetText()));
    deselect();
    end(false);
    grabMouse();
    grabbing_ = true;
}

void CScoreTextEdit::hideEvent(QHideEvent* event)
{
    QLineEdit::hideEvent(event);
    if (grabbing_) {
        releaseMouse();
        grabbing_ = false;
    }
    // A window minimised hides the box only for a while; the edit is not over.
    if (!item_ || event->spontaneous())
        return;
    // Let go first: what the item does on storing may show the box again for another item.
    const std::shared_ptr<EditableTextItem> item = std::move(item_);
    item_.reset();
    const std::u16string text = this->text().toStdU16String();
    clear();
    item->SetText(text);
}

void CScoreTextEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Neither ends the edit nor moves on; and it must not reach a default button.
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        Paste();
        return;
    }
    if (!hasSelectedText()) {
        if (key == Qt::Key_Right && cursorPosition() == text().size())
            Post(kMsgNextItem);
        else if (key == Qt::Key_Left && cursorPosition() == 0)
            Post(kMsgPreviousItem);
    }
    QLineEdit::keyPressEvent(event);
}

void CScoreTextEdit::Post(platform::MessageId message)
{
    if (notify_)
        notify_->Post(message, 0, 0);
}

void CScoreTextEdit::mousePressEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const bool outside = !rect().contains(event->position().toPoint());
    if (outside && (button == Qt::LeftButton || button == Qt::RightButton)) {
        event->accept();
        hide();
        PassOnPress(*event);
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CScoreTextEdit::PassOnPress(const QMouseEvent& press)
{
    const QPoint global = press.globalPosition().toPoint();
    QWidget* target = nullptr;
    // The box is hidden now, so what lies under the point is what the user clicked on.
    if (QWidget* top = window(); top && top != this) {
        const QPoint inTop = top->mapFromGlobal(global);
        if (top->rect().contains(inTop)) {
            target = top->childAt(inTop);
            if (!target)
                target = top;
        }
    }
    if (!target)
        target = QApplication::widgetAt(global);
    if (!target || target == this)
        return;
    pressTarget_ = target;
    const QPointF local = target->mapFromGlobal(press.globalPosition());
    QMouseEvent again(QEvent::MouseButtonPress, local, press.globalPosition(), press.button(), press.buttons(),
                      press.modifiers());
    QApplication::sendEvent(target, &again);
}

void CScoreTextEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (pressTarget_ && isHidden()) {
        // The release of the press that ended the edit belongs to the widget that got it.
        QPointer<QWidget> target = pressTarget_;
        pressTarget_.clear();
        const QPointF local = target->mapFromGlobal(event->globalPosition());
        QMouseEvent again(QEvent::MouseButtonRelease, local, event->globalPosition(), event->button(),
                          event->buttons(), event->modifiers());
        QApplication::sendEvent(target, &again);
        return;
    }
    pressTarget_.clear();
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        update();
}

void CScoreTextEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Our own context menu takes the focus only for a moment.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (isVisible() && item_)
        hide();
}

void CScoreTextEdit::OnTextChanged()
{
    const int wanted = fontMetrics().horizontalAdvance(text()) + kGrowMargin;
    if (wanted > width())
        setGeometry(x(), y(), wanted, height());
    update();
}

void CScoreTextEdit::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), background_);
    }
    QLineEdit::paintEvent(event);
}

void CScoreTextEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The menu's Paste must clean the text as the keys' does.
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { Paste(); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace brindle
