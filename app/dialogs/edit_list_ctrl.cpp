#include "app/dialogs/edit_list_ctrl.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/input_combo_box.h"
#include "app/dialogs/input_edit.h"
#include "platform/dialog_base.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace brindle {
namespace {

void SetMember(std::vector<int>& set, int column, bool on)
{
    const auto it = std::find(set.begin(), set.end(), column);
    if (on && it == set.end())
        set.push_back(column);
    else if (!on && it != set.end())
        set.erase(it);
}

}  // namespace

CEditListCtrl::CEditListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    // Columns are as wide as the dialog makes them, however narrow.
    header()->setMinimumSectionSize(0);
    setColumnCount(0);
}

CEditListCtrl::~CEditListCtrl()
{
    // The editors are children of the list; nothing may reach the list while it goes.
    if (textEditor_)
        textEditor_->Abandon();
    if (choiceEditor_)
        choiceEditor_->Abandon();
    delete textEditor_;
    delete choiceEditor_;
}

void CEditListCtrl::SetChoiceColumn(int column, bool on) { SetMember(choiceColumns_, column, on); }

void CEditListCtrl::SetReadOnlyColumn(int column, bool on) { SetMember(readOnlyColumns_, column, on); }

bool CEditListCtrl::IsChoiceColumn(int column) const
{
    return std::find(choiceColumns_.begin(), choiceColumns_.end(), column) != choiceColumns_.end();
}

bool CEditListCtrl::IsReadOnlyColumn(int column) const
{
    return std::find(readOnlyColumns_.begin(), readOnlyColumns_.end(), column) != readOnlyColumns_.end();
}

QRect CEditListCtrl::RowBounds(int row) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item || columnCount() == 0)
        return {};
    const QRect first = visualRect(indexFromItem(item, 0));
    if (first.isEmpty())
        return {};
    return {-header()->offset(), first.top(), header()->length(), first.height()};
}

int CEditListCtrl::ColumnLeft(int column) const { return header()->sectionViewportPosition(column); }

bool CEditListCtrl::HitTestCell(const QPoint& point, int& row, int& column) const
{
    QTreeWidgetItem* item = itemAt(point);
    if (!item)
        return false;
    const int hit = indexOfTopLevelItem(item);
    const QRect bounds = RowBounds(hit);
    if (hit < 0 || !bounds.contains(point))
        return false;
    int left = bounds.left();
    for (int visual = 0; visual < header()->count(); ++visual) {
        const int logical = header()->logicalIndex(visual);
        if (header()->isSectionHidden(logical))
            continue;
        const int width = header()->sectionSize(logical);
        if (point.x() >= left && point.x() <= left + width) {
            row = hit;
            column = logical;
            return true;
        }
        left += width;
    }
    return false;
}

QRect CEditListCtrl::GetCellRect(int column, int row)
{
    if (!topLevelItem(row) || column < 0 || column >= columnCount())
        return {};
    const int clientWidth = viewport()->width();
    const int width = header()->sectionSize(column);
    int x = ColumnLeft(column);
    int scroll = 0;
    if (x < 0 || x > clientWidth)
        scroll = x;
    else if (x + width > clientWidth)
        scroll = x + width - clientWidth;
    if (scroll != 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + scroll);
        x = ColumnLeft(column);
    }
    const QRect bounds = RowBounds(row);
    if (bounds.isEmpty())
        return {};
    QRect cell(x, bounds.top(), width, bounds.height());
    if (cell.left() + cell.width() > clientWidth)
        cell.setRight(clientWidth - 1);
    return cell;
}

void CEditListCtrl::EditCell(int row, int column, const std::u16string& text)
{
    const QRect cell = GetCellRect(column, row);
    if (cell.isEmpty())
        return;
    if (!textEditor_)
        textEditor_ = new CInputEdit(*this);
    textEditor_->Begin(row, column, allowed_, text, cell);
}

void CEditListCtrl::EditCellChoice(int row, int column, const std::vector<std::u16string>& choices,
                                   const std::u16string& text, int selection)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    scrollToItem(item);
    if (column < 0 || column >= header()->count() || header()->sectionSize(column) < kMinChoiceWidth)
        return;
    const QRect cell = GetCellRect(column, row);
    if (cell.isEmpty())
        return;
    // The dropped list: ten rows more than the choices while they are fewer than ten.
    const int droppedRows = choices.size() < 10 ? static_cast<int>(choices.size()) + 10 : 11;
    if (!choiceEditor_)
        choiceEditor_ = new CInputComboBox(*this);
    choiceEditor_->Begin(row, column, choices, text, cell, droppedRows, choiceScrollBar_);
    if (selection >= 0 && selection < choiceEditor_->count())
        choiceEditor_->setCurrentIndex(selection);
}

bool CEditListCtrl::IsEditing() const
{
    return (textEditor_ && textEditor_->IsEditing()) || (choiceEditor_ && choiceEditor_->IsEditing());
}

int CEditListCtrl::FindChoice(const std::vector<std::u16string>& choices, std::u16string_view text)
{
    const QString prefix = ToQString(text);
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (ToQString(choices[i]).startsWith(prefix, Qt::CaseInsensitive))
            return static_cast<int>(i);
    return -1;
}

void CEditListCtrl::mousePressEvent(QMouseEvent* event)
{
    int row = -1;
    int column = -1;
    if (event->button() != Qt::LeftButton || !HitTestCell(event->position().toPoint(), row, column)) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    QTreeWidget::mousePressEvent(event);
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
        return;
    if (!labelEditing_ || FocusedRow() != row)
        return;
    const std::u16string text = GetItemText(row, column);
    if (IsChoiceColumn(column)) {
        ChoiceList choices;
        if (platform::DialogBase* owner = Owner())
            owner->Port().Send(kMsgListColumnChoices, static_cast<platform::WParam>(column),
                               reinterpret_cast<platform::LParam>(&choices));
        EditCellChoice(row, column, choices, text, FindChoice(choices, text));
    } else if (!IsReadOnlyColumn(column)) {
        EditCell(row, column, text);
    }
}

void CEditListCtrl::scrollContentsBy(int dx, int dy)
{
    // A scroll ends the edit first: the editor would stay where the cell was.
    if (textEditor_ && textEditor_->IsEditing())
        textEditor_->Finish();
    if (choiceEditor_ && choiceEditor_->IsEditing())
        choiceEditor_->Finish();
    QTreeWidget::scrollContentsBy(dx, dy);
}

void CEditListCtrl::EndCellEdit(const ListCellEdit& record)
{
    if (!SetItemText(record.row, record.column, record.text))
        return;
    platform::DialogBase* owner = Owner();
    if (!owner)
        return;
    owner->Port().Send(kMsgListCellEdited, static_cast<platform::WParam>(owner->GetDlgCtrlID(this)),
                       reinterpret_cast<platform::LParam>(&record));
}

platform::DialogBase* CEditListCtrl::Owner() const
{
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget())
        if (auto* dialog = qobject_cast<platform::DialogBase*>(widget))
            return dialog;
    return nullptr;
}

int CEditListCtrl::InsertColumn(int column, std::u16string_view heading, Qt::Alignment alignment, int width)
{
    const int count = columnCount();
    column = std::clamp(column, 0, count);
    setColumnCount(count + 1);
    QTreeWidgetItem* head = headerItem();
    // Later columns move one to the right with their texts and widths.
    for (int c = count; c > column; --c) {
        head->setText(c, head->text(c - 1));
        head->setTextAlignment(c, Qt::Alignment(head->textAlignment(c - 1)));
        setColumnWidth(c, columnWidth(c - 1));
        for (int r = 0; r < topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = topLevelItem(r);
            item->setText(c, item->text(c - 1));
            item->setTextAlignment(c, Qt::Alignment(item->textAlignment(c - 1)));
        }
    }
    head->setText(column, ToQString(heading));
    head->setTextAlignment(column, alignment | Qt::AlignVCenter);
    setColumnWidth(column, std::max(0, width));
    for (int r = 0; r < topLevelItemCount(); ++r) {
        topLevelItem(r)->setText(column, QString());
        topLevelItem(r)->setTextAlignment(column, alignment | Qt::AlignVCenter);
    }
    return column;
}

int CEditListCtrl::InsertItem(int row, std::u16string_view text)
{
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < columnCount(); ++c)
        item->setTextAlignment(c, Qt::Alignment(headerItem()->textAlignment(c)));
    item->setText(0, ToQString(text));
    row = std::clamp(row, 0, topLevelItemCount());
    insertTopLevelItem(row, item);
    return row;
}

bool CEditListCtrl::SetItemText(int row, int column, std::u16string_view text)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item || column < 0 || column >= columnCount())
        return false;
    item->setText(column, ToQString(text));
    return true;
}

std::u16string CEditListCtrl::GetItemText(int row, int column) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item || column < 0 || column >= columnCount())
        return {};
    return item->text(column).toStdU16String();
}

void CEditListCtrl::DeleteAllItems()
{
    // An edit open on a row that goes is dropped, not written.
    if (textEditor_) {
        textEditor_->Abandon();
        textEditor_->hide();
    }
    if (choiceEditor_) {
        choiceEditor_->Abandon();
        choiceEditor_->hide();
    }
    clear();
}

int CEditListCtrl::FocusedRow() const
{
    QTreeWidgetItem* item = currentItem();
    return item ? indexOfTopLevelItem(item) : -1;
}

void CEditListCtrl::SetFocusedRow(int row)
{
    if (QTreeWidgetItem* item = topLevelItem(row))
        setCurrentItem(item);
}

std::vector<int> CEditListCtrl::SelectedRows() const
{
    std::vector<int> rows;
    for (int r = 0; r < topLevelItemCount(); ++r)
        if (topLevelItem(r)->isSelected())
            rows.push_back(r);
    return rows;
}

}  // namespace brindle
