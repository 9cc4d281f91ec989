// A page of symbols as a grid of 40 × 40 cells, each one text drawn in its own font, from
// which the user picks one with the mouse. The grid does not own the symbols: its owner
// says how many there are, fills the cells of the page shown and refills them when the
// page changes. The owner hears of the user's actions through posted messages: 0x431
// after a press changed the selection, 0x432 after a double click, 0x433 after a scroll
// changed the first item shown.
//
// The owner's refill: ClearCells, AddItem for the items from GetFirstIndex on (at most
// GetCapacity of them), LayoutCells, then SelectItem of its own choice.
//
// The first item shown always starts the row the scroll bar stands at, so that the item
// number of a cell (first index + its place on the page) is the item the owner put there.
#pragma once

#include <QFrame>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "engine/model/log_font.h"
#include "platform/device_context.h"
#include "platform/message_port.h"
#include "platform/scroll_bar_state.h"
#include "platform/window_message.h"

class QScrollBar;

namespace brindle {

// One visible cell of the grid.
struct SymbolGridCell {
    bool selected = false;
    // Its character set is the default one (1) and its quality antialiased (4).
    quaverly::LogFont font;
    std::u16string text;
    // In the grid's client coordinates.
    platform::Point origin;
    // Relative to the origin.
    platform::Rect rect{0, 0, 40, 40};

    platform::Rect ScreenRect() const
    {
        return {origin.x + rect.left, origin.y + rect.top, origin.x + rect.right, origin.y + rect.bottom};
    }
};

class CSymbolGridWnd : public QFrame {
    Q_OBJECT

public:
    static constexpr int kCellSize = 40;
    static constexpr platform::MessageId kMsgSelChanged = platform::kWmUser + 0x31;  // 0x431
    static constexpr platform::MessageId kMsgDblClick = platform::kWmUser + 0x32;    // 0x432
    static constexpr platform::MessageId kMsgScrolled = platform::kWmUser + 0x33;    // 0x433

    // A grid with a sunken edge; the cells' area (the client) is inside that edge.
    explicit CSymbolGridWnd(QWidget* parent = nullptr);
    ~CSymbolGridWnd() override;

    // The window the notices are posted to (not owned; may be null).
    void SetOwner(platform::MessagePort* owner) { owner_ = owner; }
    // Gives the grid the size that holds `columns` × `rows` cells with the scroll bar
    // shown beside them.
    void SetPageSize(int columns, int rows);

    void SetItemCount(int count);
    int GetItemCount() const { return itemCount_; }
    // Hides the scroll bar when every item fits on the page; otherwise shows it (the
    // columns are counted again in the narrower client) with the range 0 .. rows of
    // items − 1, a page of the rows shown and the position 0, and the first index 0.
    void UpdateScrollBar();
    int GetFirstIndex() const { return firstIndex_; }
    // Scrolls to the row that holds `index` (within the scroll range) and makes the first
    // item of that row the first index; with every item on the page the first index is 0.
    // The cells are not refilled.
    void SetFirstIndex(int index);
    // Columns × rows of the client area.
    int GetCapacity() const;
    int Columns() const;
    int Rows() const;

    // Drops the cells; first index and item count stay.
    void ClearCells();
    // First index 0, item count 0, no cells.
    void ClearAll();
    void AddItem(const quaverly::LogFont& font, const std::u16string& text);
    // Places the cells left to right, then top to bottom.
    void LayoutCells();
    // Marks the cell of the item selected when it is on the page (the others stay as
    // they are).
    void SelectItem(int itemNumber);
    // The item of the first selected cell; -1 for none.
    int GetSelectedItem() const;
    // The selected cell's font; all zeros when none is selected.
    void GetSelectedFont(quaverly::LogFont& out) const;
    std::u16string GetSelectedText() const;

    const std::vector<std::shared_ptr<SymbolGridCell>>& Cells() const { return cells_; }
    const platform::ScrollBarState& ScrollState() const { return scroll_; }
    bool IsScrollBarShown() const { return barShown_; }
    QScrollBar* ScrollBar() const { return bar_; }
    // The cells' area in widget coordinates.
    QRect ClientRect() const;

    // A scroll of the vertical bar by one of the platform's scroll codes (kSb*);
    // `thumb` is the position of the thumb codes.
    void OnVScroll(int code, int thumb = 0);
    // What the user's press (or double click) at a point of the client does.
    void OnLButtonDown(platform::Point client);
    void OnLButtonDblClk(platform::Point client);

    // The client area as it is painted.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SelectAt(platform::Point client);
    void Post(platform::MessageId message) const;
    void PlaceScrollBar();
    void ShowScrollState();
    void OnScrollAction(int action);

    std::vector<std::shared_ptr<SymbolGridCell>> cells_;
    int firstIndex_ = 0;
    int itemCount_ = 0;
    QPointer<platform::MessagePort> owner_;
    platform::ScrollBarState scroll_;
    QScrollBar* bar_;
    bool barShown_ = false;
};

}  // namespace brindle
