#include "app/dialogs/new_symbol_dlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/font_catalogue.h"
#include "app/dialogs/symbol_grid_wnd.h"
#include "app/dialogs/wait_cursor.h"
#include "platform/dialog_service.h"

namespace brindle {
namespace {

constexpr int kLastCodeUnit = 0xFFFF;

}  // namespace

CNewSymbolDlg::CNewSymbolDlg(QWidget* parent) : DialogBase(parent, kTemplateId), grid_(new CSymbolGridWnd(this))
{
    setWindowTitle(QStringLiteral("新建符号对话框"));
    auto* fonts = new QComboBox(this);
    fonts->setMaxVisibleItems(20);
    grid_->SetPageSize(kGridColumns, kGridRows);
    grid_->SetOwner(&Port());
    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel->setAutoDefault(false);
    AddControl(kIdFontList, fonts);
    AddControl(kIdGrid, grid_);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(fonts, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            ChooseFont();
    });
    MapMessage(CSymbolGridWnd::kMsgSelChanged, [this](platform::WParam, platform::LParam) {
        choice_ = grid_->GetSelectedItem();
        return platform::LResult(0);
    });
    MapMessage(CSymbolGridWnd::kMsgDblClick, [this](platform::WParam, platform::LParam) {
        choice_ = grid_->GetSelectedItem();
        if (choice_ >= 0)
            EndDialog(platform::kIdOk);
        return platform::LResult(0);
    });
    MapMessage(CSymbolGridWnd::kMsgScrolled, [this](platform::WParam, platform::LParam) {
        FillCells();
        return platform::LResult(0);
    });
}

quaverly::LogFont CNewSymbolDlg::GetLogFont() const
{
    quaverly::LogFont font;
    grid_->GetSelectedFont(font);
    return font;
}

std::u16string CNewSymbolDlg::GetSymbolText() const { return grid_->GetSelectedText(); }

bool CNewSymbolDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    fonts_.clear();
    for (const FontCatalogue::Family& family : FontCatalogue::Current().Families())
        if (family.fontType == FontCatalogue::kTrueTypeFontType)
            fonts_.push_back(family.font);

    std::vector<QString> names;
    for (const quaverly::LogFont& font : fonts_)
        names.push_back(ToQString(font.FaceName()));
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    auto* list = Control<QComboBox>(kIdFontList);
    filling_ = true;
    list->clear();
    for (const QString& name : names)
        list->addItem(name);
    list->setCurrentIndex(names.empty() ? -1 : 0);
    filling_ = false;
    ChooseFont();
    return true;
}

void CNewSymbolDlg::ChooseFont()
{
    const std::u16string name = Control<QComboBox>(kIdFontList)->currentText().toStdU16String();
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].FaceName() == name) {
            chosen_ = static_cast<int>(i);
            CollectCharacters();
            return;
        }
}

void CNewSymbolDlg::CollectCharacters()
{
    if (chosen_ < 0 || static_cast<std::size_t>(chosen_) >= fonts_.size())
        return;
    WaitCursor wait;
    const auto ranges = FontCatalogue::Current().UnicodeRanges(fonts_[static_cast<std::size_t>(chosen_)]);
    characters_.clear();
    for (const FontCatalogue::GlyphRange& range : ranges) {
        // A range is taken as far as it stays among the code units.
        const int last = std::min<long long>(static_cast<long long>(range.low) + range.count - 1, kLastCodeUnit);
        for (int code = range.low; code <= last; ++code)
            characters_.push_back(static_cast<char16_t>(code));
    }
    choice_ = -1;
    grid_->ClearAll();
    grid_->SetItemCount(static_cast<int>(characters_.size()));
    grid_->UpdateScrollBar();
    FillCells();
}

void CNewSymbolDlg::FillCells()
{
    grid_->ClearCells();
    if (chosen_ >= 0 && static_cast<std::size_t>(chosen_) < fonts_.size()) {
        const quaverly::LogFont& font = fonts_[static_cast<std::size_t>(chosen_)];
        const std::size_t first = static_cast<std::size_t>(std::max(grid_->GetFirstIndex(), 0));
        const std::size_t capacity = static_cast<std::size_t>(std::max(grid_->GetCapacity(), 0));
        for (std::size_t k = 0; k < capacity && first + k < characters_.size(); ++k)
            grid_->AddItem(font, std::u16string(1, characters_[first + k]));
    }
    grid_->LayoutCells();
    grid_->SelectItem(choice_);
}

void CNewSymbolDlg::OnOK()
{
    if (grid_->GetSelectedItem() >= 0) {
        EndDialog(platform::kIdOk);
        return;
    }
    platform::ShowMessage(kMsgNoSelection, platform::kMbOk | platform::kMbIconInformation, this);
}

}  // namespace brindle
