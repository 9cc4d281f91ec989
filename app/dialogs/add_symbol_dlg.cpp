#include "app/dialogs/add_symbol_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUuid>
#include <QVBoxLayout>

#include <memory>

#include "app/dialogs/edit_symbol_dlg.h"
#include "app/dialogs/format_shortcut_key.h"
#include "app/dialogs/new_symbol_dlg.h"
#include "app/dialogs/shortcut_key_dlg.h"
#include "app/dialogs/symbol_grid_wnd.h"
#include "app/dialogs/wait_cursor.h"
#include "app/settings/font_file.h"
#include "platform/dialog_service.h"

namespace brindle {
namespace {

QPushButton* Button(const char16_t* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf16(text), parent);
    button->setAutoDefault(false);
    return button;
}

void ShowNoSelection(std::u16string_view text, QWidget* parent)
{
    platform::ShowMessage(text, platform::kMbOk | platform::kMbIconInformation, parent);
}

}  // namespace

CAddSymbolDlg::CAddSymbolDlg(QWidget* parent) : DialogBase(parent, kTemplateId), grid_(new CSymbolGridWnd(this))
{
    setWindowTitle(QStringLiteral("添加符号"));
    grid_->SetPageSize(kGridColumns, kGridRows);
    grid_->SetOwner(&Port());
    auto* shortcutText = new QLabel(QString::fromUtf16(kShortcutPrefix.data(), kShortcutPrefix.size()), this);
    auto* create = Button(u"新建(&N)", this);
    auto* remove = Button(u"删除(&D)", this);
    auto* edit = Button(u"编辑(&E)", this);
    auto* shortcut = Button(u"快捷键(&A)", this);
    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setDefault(true);
    auto* cancel = Button(u"取消(&C)", this);
    AddControl(kIdGrid, grid_);
    AddControl(kIdShortcutText, shortcutText);
    AddControl(kIdNew, create);
    AddControl(kIdDelete, remove);
    AddControl(kIdEdit, edit);
    AddControl(kIdShortcut, shortcut);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);

    auto* left = new QVBoxLayout;
    left->addWidget(grid_);
    left->addWidget(shortcutText);
    auto* right = new QVBoxLayout;
    for (QPushButton* button : {create, remove, edit, shortcut})
        right->addWidget(button);
    right->addStretch();
    right->addWidget(ok);
    right->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    MapCommand(kIdNew, [this] { OnNew(); });
    MapCommand(kIdDelete, [this] { OnDelete(); });
    MapCommand(kIdEdit, [this] { OnEdit(); });
    MapCommand(kIdShortcut, [this] { OnShortcut(); });
    MapMessage(CSymbolGridWnd::kMsgSelChanged, [this](platform::WParam, platform::LParam) {
        choice_ = grid_->GetSelectedItem();
        UpdateShortcutText();
        return platform::LResult(0);
    });
    MapMessage(CSymbolGridWnd::kMsgDblClick, [this](platform::WParam, platform::LParam) {
        choice_ = grid_->GetSelectedItem();
        if (SelectedIndex() >= 0)
            EndDialog(platform::kIdOk);
        return platform::LResult(0);
    });
    MapMessage(CSymbolGridWnd::kMsgScrolled, [this](platform::WParam, platform::LParam) {
        FillCells(choice_);
        return platform::LResult(0);
    });
}

bool CAddSymbolDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    const DataFolder& location = Location();
    file_.SetFileName(location.PathOf(location.SystemInfo().GetExtendSymbolFileName()));
    LoadLibrary();
    return true;
}

void CAddSymbolDlg::LoadLibrary()
{
    WaitCursor wait;
    symbols_.clear();
    const int count = file_.GetSymbolCount();
    for (int i = 0; i < count; ++i)
        symbols_.push_back(file_.GetSymbol(i));

    const int selection = grid_->GetSelectedItem();
    const int first = grid_->GetFirstIndex();
    grid_->ClearAll();
    grid_->SetItemCount(static_cast<int>(symbols_.size()));
    grid_->UpdateScrollBar();
    // Back to the page shown before, as far as the library still reaches it: the grid's
    // first index and its scroll bar then name the symbols that the cells show.
    grid_->SetFirstIndex(first);
    FillCells(selection);
}

void CAddSymbolDlg::FillCells(int selection)
{
    grid_->ClearCells();
    const std::size_t first = static_cast<std::size_t>(std::max(grid_->GetFirstIndex(), 0));
    const std::size_t capacity = static_cast<std::size_t>(std::max(grid_->GetCapacity(), 0));
    for (std::size_t k = 0; k < capacity && first + k < symbols_.size(); ++k)
        grid_->AddItem(symbols_[first + k].font, symbols_[first + k].charText);
    grid_->LayoutCells();
    grid_->SelectItem(selection);
}

void CAddSymbolDlg::Select(int item)
{
    const int count = static_cast<int>(symbols_.size());
    choice_ = item >= 0 && item < count ? item : -1;
    const int first = grid_->GetFirstIndex();
    if (choice_ >= 0 && (choice_ < first || choice_ - first >= grid_->GetCapacity()))
        grid_->SetFirstIndex(choice_);
    FillCells(choice_);
    UpdateShortcutText();
}

int CAddSymbolDlg::SelectedIndex() const
{
    const int item = grid_->GetSelectedItem();
    return item >= 0 && static_cast<std::size_t>(item) < symbols_.size() ? item : -1;
}

ExtendSymbol CAddSymbolDlg::GetSelectedSymbol() const
{
    const int index = SelectedIndex();
    return index >= 0 ? symbols_[static_cast<std::size_t>(index)] : ExtendSymbol{};
}

void CAddSymbolDlg::UpdateShortcutText()
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    const ShortcutKey key = file_.GetShortcut(symbols_[static_cast<std::size_t>(index)].name);
    SetDlgItemText(kIdShortcutText, std::u16string(kShortcutPrefix) + FormatShortcutKey(key));
}

void CAddSymbolDlg::OnNew()
{
    auto chooser = std::make_unique<CNewSymbolDlg>(this);
    const bool chosen = chooser->DoModal() == platform::kIdOk;
    ExtendSymbol symbol;
    if (chosen) {
        symbol.name = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdU16String();
        symbol.charText = chooser->GetSymbolText();
        symbol.font = chooser->GetLogFont();
        const DataFolder& location = Location();
        FontFile fonts;
        fonts.SetFileName(location.PathOf(location.SystemInfo().GetFontFileName()));
        symbol.font.height = fonts.GetFont(kNoteFont).height;
        symbol.font.weight = 0;
        symbol.hOffset = 0;
        symbol.vOffset = 0;
        symbol.placement = 0;
    }
    {
        WaitCursor wait;
        chooser.reset();
    }
    if (!chosen)
        return;

    CEditSymbolDlg editor(this);
    editor.SetDataFolder(Location());
    editor.SetSymbol(symbol);
    if (editor.DoModal() != platform::kIdOk)
        return;
    if (!file_.SetSymbol(editor.GetSymbol())) {
        platform::ShowMessage(kMsgWriteFailed, platform::kMbOk | platform::kMbIconExclamation, this);
        return;
    }
    LoadLibrary();
    Select(static_cast<int>(symbols_.size()) - 1);
}

void CAddSymbolDlg::OnEdit()
{
    const int index = SelectedIndex();
    if (index < 0) {
        ShowNoSelection(kMsgNoSelection, this);
        return;
    }
    CEditSymbolDlg editor(this);
    editor.SetDataFolder(Location());
    editor.SetSymbol(symbols_[static_cast<std::size_t>(index)]);
    if (editor.DoModal() == platform::kIdOk) {
        if (file_.SetSymbol(editor.GetSymbol()))
            modified_ = true;
        else
            platform::ShowMessage(kMsgWriteFailed, platform::kMbOk | platform::kMbIconExclamation, this);
        LoadLibrary();
    }
    Select(index);
}

void CAddSymbolDlg::OnDelete()
{
    const int index = SelectedIndex();
    if (index < 0) {
        ShowNoSelection(kMsgNoSelection, this);
    } else {
        if (file_.DeleteSymbol(symbols_[static_cast<std::size_t>(index)].name))
            modified_ = true;
        else
            platform::ShowMessage(kMsgWriteFailed, platform::kMbOk | platform::kMbIconExclamation, this);
        LoadLibrary();
    }
    // The same place, or the last symbol when that is past the end (as it is for no
    // selection at all).
    const int count = static_cast<int>(symbols_.size());
    Select(index < 0 || index >= count ? count - 1 : index);
}

void CAddSymbolDlg::OnShortcut()
{
    const int index = SelectedIndex();
    if (index < 0) {
        ShowNoSelection(kMsgNoSelection, this);
        return;
    }
    const std::u16string name = symbols_[static_cast<std::size_t>(index)].name;
    CShortcutKeyDlg capture(this);
    capture.SetShortcutKey(file_.GetShortcut(name));
    if (capture.DoModal() != platform::kIdOk)
        return;
    if (!file_.SetShortcut(name, capture.GetShortcutKey())) {
        platform::ShowMessage(kMsgWriteFailed, platform::kMbOk | platform::kMbIconExclamation, this);
        return;
    }
    modified_ = true;
    UpdateShortcutText();
}

void CAddSymbolDlg::OnOK()
{
    if (SelectedIndex() >= 0) {
        EndDialog(platform::kIdOk);
        return;
    }
    ShowNoSelection(kMsgNoSelectionOk, this);
}

}  // namespace brindle
