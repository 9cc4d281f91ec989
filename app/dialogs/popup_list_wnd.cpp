#include "app/dialogs/popup_list_wnd.h"

#include "platform/font_mapper.h"
#include "platform/message_port.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brindle {
namespace {

// The window draws a one-pixel border; rows start inside it.
constexpr int kBorder = 1;
// Clear pixels between a glyph's ink and the edges of its row.
constexpr int kInkMargin = 2;

}  // namespace

CPopupListWnd::CPopupListWnd(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void CPopupListWnd::SetFont(const quaverly::LogFont& font)
{
    font_ = font;
    update();
}

void CPopupListWnd::SetNotify(platform::MessagePort* owner, platform::MessageId message)
{
    owner_ = owner;
    message_ = message;
}

void CPopupListWnd::AddItem(std::u16string_view text, std::int32_t id)
{
    items_.push_back({id, std::u16string(text)});
    update();
}

void CPopupListWnd::SetRowHeight(int height)
{
    rowHeight_ = height;
    update();
}

QRect CPopupListWnd::Client() const { return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder); }

int CPopupListWnd::RowAt(int y) const
{
    if (rowHeight_ <= 0 || y < 0)
        return -1;
    const long long row = y / rowHeight_;
    return row < static_cast<long long>(items_.size()) ? static_cast<int>(row) : -1;
}

QImage CPopupListWnd::Render() const
{
    const QPalette colours = QApplication::palette("QMenu");
    // Drawn in the screen's own pixels, so that the glyphs stay sharp on a scaled screen.
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    QImage image(size().expandedTo(QSize(1, 1)) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(colours.color(QPalette::Dark));
    const QRect client = Client();
    if (client.isEmpty())
        return image;
    // The rows are drawn off-screen and copied in one piece.
    QImage rows(client.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    rows.setDevicePixelRatio(ratio);
    rows.fill(colours.color(QPalette::Window));
    QPainter painter(&rows);
    const QFont font = RowFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const int count = static_cast<int>(items_.size());
    // Each glyph's ink is centred in the part of its row that shows, so that a glyph
    // standing high or hanging low in its font is neither cut by its neighbours nor by
    // the border.
    const auto drawRow = [&](int i, const QColor& colour) {
        const QRect row = QRect(0, i * rowHeight_, client.width(), rowHeight_) & QRect(QPoint(0, 0), client.size());
        if (row.isEmpty())
            return;
        const QString text = QString::fromStdU16String(items_[static_cast<std::size_t>(i)].text);
        const QRectF ink = metrics.tightBoundingRect(text);
        const double x = row.left() + (row.width() - ink.width()) / 2.0 - ink.left();
        const double y = row.top() + (row.height() - ink.height()) / 2.0 - ink.top();
        painter.setPen(colour);
        painter.drawText(QPointF(std::round(x), std::round(y)), text);
    };
    for (int i = 0; i < count; ++i)
        drawRow(i, colours.color(QPalette::WindowText));
    if (hotRow_ >= 0 && hotRow_ < count) {
        painter.fillRect(QRect(0, hotRow_ * rowHeight_, client.width(), rowHeight_),
                         colours.color(QPalette::Highlight));
        drawRow(hotRow_, colours.color(QPalette::HighlightedText));
    }
    painter.end();
    QPainter(&image).drawImage(client.topLeft(), rows);
    return image;
}

QFont CPopupListWnd::RowFont() const
{
    const bool ownFont = font_.FaceName().empty() && font_.height == 0;
    QFont chosen = ownFont ? font() : platform::FontMapper::ToQFont(font_, QFontInfo(font()).pixelSize());
    const QRect client = Client();
    if (rowHeight_ <= 0 || items_.empty() || client.isEmpty())
        return chosen;
    // The rows that show least of themselves (the last one may be cut by the border)
    // decide: every glyph keeps kInkMargin clear above and below in them, all at one size.
    int shortest = rowHeight_;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const int top = static_cast<int>(i) * rowHeight_;
        shortest = std::min(shortest, std::min(top + rowHeight_, client.height()) - top);
    }
    const int room = shortest - 2 * kInkMargin;
    if (room <= 0)
        return chosen;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QFontMetricsF metrics(chosen);
        double tallest = 0.0;
        for (const Item& item : items_)
            tallest = std::max(tallest, metrics.tightBoundingRect(QString::fromStdU16String(item.text)).height());
        const int pixels = chosen.pixelSize();
        if (tallest <= room || pixels <= 1)
            break;
        chosen.setPixelSize(std::max(1, std::min(pixels - 1, static_cast<int>(pixels * room / tallest))));
    }
    return chosen;
}

void CPopupListWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CPopupListWnd::mouseMoveEvent(QMouseEvent* event)
{
    const int row = RowAt(event->position().toPoint().y() - kBorder);
    if (row >= 0)
        hotRow_ = row;
    update();
}

void CPopupListWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int row = RowAt(event->position().toPoint().y() - kBorder);
    if (row >= 0 && owner_)
        owner_->Post(message_, static_cast<platform::WParam>(items_[static_cast<std::size_t>(row)].id), 0);
    hide();
}

void CPopupListWnd::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    hide();
}

void CPopupListWnd::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Shown like a menu: it takes the keyboard so that leaving it hides it.
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

}  // namespace brindle
