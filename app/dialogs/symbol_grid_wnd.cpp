#include "app/dialogs/symbol_grid_wnd.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>

#include "platform/qt_device_context.h"

namespace brindle {
namespace {

constexpr std::uint8_t kDefaultCharSet = 1;
constexpr std::uint8_t kAntialiased = 4;
// A cell shows at most this much of a font (pixels of height either way): a height from
// a damaged file must not make the drawing build a glyph the size of a house.
constexpr int kLargestDrawnHeight = 400;

platform::ColorRef ToColorRef(const QColor& c)
{
    return platform::Rgb(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                         static_cast<std::uint8_t>(c.blue()));
}

void DrawCell(platform::DeviceContext& dc, const SymbolGridCell& cell, platform::ColorRef highlight,
              platform::ColorRef highlightText)
{
    platform::Rect r = cell.ScreenRect();
    // Only the height, weight, slant and face of the cell's font count.
    quaverly::LogFont font;
    font.height = std::clamp(cell.font.height, -kLargestDrawnHeight, kLargestDrawnHeight);
    font.weight = cell.font.weight;
    font.italic = cell.font.italic;
    font.SetFaceName(cell.font.FaceName());
    font.charSet = kDefaultCharSet;
    font.quality = kAntialiased;
    const quaverly::LogFont oldFont = dc.SelectFont(font);
    dc.SetBkMode(platform::BkMode::Transparent);
    dc.SetTextAlign(platform::kTaLeft | platform::kTaTop);
    const platform::ColorRef oldColor = cell.selected ? dc.SetTextColor(highlightText) : dc.GetTextColor();

    const platform::Pen oldPen = dc.SelectPen({platform::kPsSolid, 1, platform::Rgb(0, 0, 0)});
    dc.MoveTo(r.left, r.top);
    dc.LineTo(r.right, r.top);
    dc.LineTo(r.right, r.bottom);
    dc.LineTo(r.left, r.bottom);
    dc.LineTo(r.left, r.top);
    if (cell.selected) {
        // Inside the outline, so the cell keeps its frame.
        dc.SelectPen({platform::kPsNull, 0, 0});
        const platform::Brush oldBrush = dc.SelectBrush(platform::Brush::Solid(highlight));
        dc.Rectangle({r.left + 1, r.top + 1, r.right + 1, r.bottom + 1});
        dc.SelectBrush(oldBrush);
    }
    dc.SelectPen(oldPen);

    dc.DrawText(cell.text, r,
                platform::kDtCenter | platform::kDtVCenter | platform::kDtSingleLine | platform::kDtNoPrefix);
    if (cell.selected)
        dc.SetTextColor(oldColor);
    dc.SelectFont(oldFont);
}

}  // namespace

CSymbolGridWnd::CSymbolGridWnd(QWidget* parent) : QFrame(parent), bar_(new QScrollBar(Qt::Vertical, this))
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    // Painting covers the whole client from an image of its own: nothing to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    bar_->hide();
    bar_->setSingleStep(1);
    connect(bar_, &QScrollBar::actionTriggered, this, [this](int action) { OnScrollAction(action); });
    PlaceScrollBar();
}

CSymbolGridWnd::~CSymbolGridWnd() = default;

void CSymbolGridWnd::SetPageSize(int columns, int rows)
{
    const int frame = frameWidth();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar_);
    setFixedSize(std::max(columns, 1) * kCellSize + extent + 2 * frame, std::max(rows, 1) * kCellSize + 2 * frame);
    PlaceScrollBar();
}

QRect CSymbolGridWnd::ClientRect() const
{
    QRect client = contentsRect();
    if (barShown_)
        client.setRight(client.right() - bar_->width());
    return client;
}

int CSymbolGridWnd::Columns() const { return std::max(ClientRect().width(), 0) / kCellSize; }
int CSymbolGridWnd::Rows() const { return std::max(ClientRect().height(), 0) / kCellSize; }
int CSymbolGridWnd::GetCapacity() const { return Columns() * Rows(); }

void CSymbolGridWnd::SetItemCount(int count) { itemCount_ = std::max(count, 0); }

void CSymbolGridWnd::UpdateScrollBar()
{
    barShown_ = false;
    if (GetCapacity() >= itemCount_) {
        scroll_.Set({platform::kSifAll, 0, 0, 0, 0, 0});
        firstIndex_ = 0;
        ShowScrollState();
        return;
    }
    barShown_ = true;
    // A client narrower than one cell still counts one column: the rows of items are
    // counted by dividing by it.
    const std::int64_t columns = std::max(Columns(), 1);
    const std::int64_t itemRows = (static_cast<std::int64_t>(itemCount_) + columns - 1) / columns;
    scroll_.Set({platform::kSifAll, 0, static_cast<int>(itemRows - 1), static_cast<unsigned>(std::max(Rows(), 0)),
                 0, 0});
    firstIndex_ = 0;
    ShowScrollState();
}

void CSymbolGridWnd::SetFirstIndex(int index)
{
    if (!barShown_) {
        firstIndex_ = 0;
        return;
    }
    const int columns = std::max(Columns(), 1);
    const int position = std::clamp(std::max(index, 0) / columns, scroll_.Min(), scroll_.MaxPosition());
    scroll_.Set({platform::kSifPos, 0, 0, 0, position, 0});
    firstIndex_ = static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(columns) * position, itemCount_));
    ShowScrollState();
}

void CSymbolGridWnd::ClearCells()
{
    cells_.clear();
    update();
}

void CSymbolGridWnd::ClearAll()
{
    firstIndex_ = 0;
    itemCount_ = 0;
    ClearCells();
}

void CSymbolGridWnd::AddItem(const quaverly::LogFont& font, const std::u16string& text)
{
    auto cell = std::make_shared<SymbolGridCell>();
    cell->font = font;
    cell->font.charSet = kDefaultCharSet;
    cell->font.quality = kAntialiased;
    cell->text = text;
    cells_.push_back(std::move(cell));
}

void CSymbolGridWnd::LayoutCells()
{
    const int width = ClientRect().width();
    int x = 0;
    int y = 0;
    for (const auto& cell : cells_) {
        cell->rect = {0, 0, kCellSize, kCellSize};
        cell->origin = {x, y};
        x += kCellSize;
        if (x + kCellSize > width) {
            x = 0;
            y += kCellSize;
        }
    }
    update();
}

void CSymbolGridWnd::SelectItem(int itemNumber)
{
    const std::int64_t place = static_cast<std::int64_t>(itemNumber) - firstIndex_;
    if (place >= 0 && place < static_cast<std::int64_t>(cells_.size())) {
        cells_[static_cast<std::size_t>(place)]->selected = true;
        update();
    }
}

int CSymbolGridWnd::GetSelectedItem() const
{
    for (std::size_t i = 0; i < cells_.size(); ++i)
        if (cells_[i]->selected)
            return firstIndex_ + static_cast<int>(i);
    return -1;
}

void CSymbolGridWnd::GetSelectedFont(quaverly::LogFont& out) const
{
    out = {};
    for (const auto& cell : cells_)
        if (cell->selected) {
            out = cell->font;
            return;
        }
}

std::u16string CSymbolGridWnd::GetSelectedText() const
{
    for (const auto& cell : cells_)
        if (cell->selected)
            return cell->text;
    return {};
}

void CSymbolGridWnd::OnVScroll(int code, int thumb)
{
    if (!barShown_)
        return;
    const int page = static_cast<int>(scroll_.Page());
    int position = scroll_.Pos();
    switch (code) {
    case platform::kSbLineUp: position -= 1; break;
    case platform::kSbLineDown: position += 1; break;
    case platform::kSbPageUp: position -= page; break;
    case platform::kSbPageDown: position += page; break;
    case platform::kSbThumbPosition:
    case platform::kSbThumbTrack: position = thumb; break;
    case platform::kSbTop: position = scroll_.Min(); break;
    case platform::kSbBottom: position = scroll_.Max(); break;
    default: return;
    }
    position = std::clamp(position, scroll_.Min(), scroll_.MaxPosition());
    const int columns = std::max(Columns(), 1);
    const int first = static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(columns) * position, itemCount_));
    scroll_.Set({platform::kSifPos, 0, 0, 0, position, 0});
    ShowScrollState();
    if (first == firstIndex_)
        return;
    firstIndex_ = first;
    Post(kMsgScrolled);
    update();
}

void CSymbolGridWnd::SelectAt(platform::Point client)
{
    for (const auto& cell : cells_)
        cell->selected = cell->ScreenRect().Contains(client);
    update();
}

void CSymbolGridWnd::OnLButtonDown(platform::Point client)
{
    SelectAt(client);
    Post(kMsgSelChanged);
}

void CSymbolGridWnd::OnLButtonDblClk(platform::Point client)
{
    SelectAt(client);
    Post(kMsgDblClick);
}

void CSymbolGridWnd::Post(platform::MessageId message) const
{
    if (owner_)
        owner_->Post(message, 0, 0);
}

QImage CSymbolGridWnd::Render() const
{
    const QRect client = ClientRect();
    QImage image(client.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    const platform::ColorRef highlight = ToColorRef(palette().color(QPalette::Highlight));
    const platform::ColorRef highlightText = ToColorRef(palette().color(QPalette::HighlightedText));
    {
        platform::QtDeviceContext dc(&image);
        for (const auto& cell : cells_)
            DrawCell(dc, *cell, highlight, highlightText);
    }
    return image;
}

void CSymbolGridWnd::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(ClientRect().topLeft(), Render());
}

void CSymbolGridWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint() - ClientRect().topLeft();
        OnLButtonDown({at.x(), at.y()});
    }
    QFrame::mousePressEvent(event);
}

void CSymbolGridWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint() - ClientRect().topLeft();
        OnLButtonDblClk({at.x(), at.y()});
        // Not passed on: the default handling would take it for one more press.
        return;
    }
    QFrame::mouseDoubleClickEvent(event);
}

void CSymbolGridWnd::wheelEvent(QWheelEvent* event)
{
    // The wheel over the cells turns the scroll bar.
    if (barShown_)
        QApplication::sendEvent(bar_, event);
    else
        QFrame::wheelEvent(event);
}

void CSymbolGridWnd::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    PlaceScrollBar();
}

void CSymbolGridWnd::PlaceScrollBar()
{
    const QRect inside = contentsRect();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar_);
    bar_->setGeometry(inside.right() - extent + 1, inside.top(), extent, inside.height());
}

void CSymbolGridWnd::ShowScrollState()
{
    bar_->setVisible(barShown_);
    bar_->setRange(scroll_.Min(), scroll_.MaxPosition());
    bar_->setPageStep(std::max(static_cast<int>(scroll_.Page()), 1));
    bar_->setSliderPosition(scroll_.Pos());
    bar_->setValue(scroll_.Pos());
    update();
}

void CSymbolGridWnd::OnScrollAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: OnVScroll(platform::kSbLineDown); break;
    case QAbstractSlider::SliderSingleStepSub: OnVScroll(platform::kSbLineUp); break;
    case QAbstractSlider::SliderPageStepAdd: OnVScroll(platform::kSbPageDown); break;
    case QAbstractSlider::SliderPageStepSub: OnVScroll(platform::kSbPageUp); break;
    case QAbstractSlider::SliderToMinimum: OnVScroll(platform::kSbTop); break;
    case QAbstractSlider::SliderToMaximum: OnVScroll(platform::kSbBottom); break;
    case QAbstractSlider::SliderMove: OnVScroll(platform::kSbThumbTrack, bar_->sliderPosition()); break;
    default: return;
    }
    // The bar shows the position the grid settled on, not the one it proposed.
    bar_->setSliderPosition(scroll_.Pos());
}

}  // namespace brindle
