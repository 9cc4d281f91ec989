#include "app/dialogs/shortcut_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/duration_key_page.h"
#include "app/dialogs/note_key_page.h"
#include "app/dialogs/pitch_key_page.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

namespace brindle {

CShortcutDlg::CShortcutDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("快捷键"));

    pages_.push_back({u"音  符", new CNoteKeyPage(this), CNoteKeyPage::kTemplateId});
    pages_.push_back({u"时  值", new CDurationKeyPage(this), CDurationKeyPage::kTemplateId});
    pages_.push_back({u"音  高", new CPitchKeyPage(this), CPitchKeyPage::kTemplateId});
    for (PageEntry& entry : pages_) {
        entry.page->hide();
        entry.page->SetWrittenCallback([this] { written_ = true; });
    }

    auto* list = new QListWidget(this);
    list->setFixedWidth(96);
    // Marks where the pages go; never shown.
    auto* place = new QWidget(this);
    place->hide();
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    // Enter anywhere in the dialog, also on a page, is the OK button.
    ok->setDefault(true);
    AddControl(kIdCategoryList, list);
    AddControl(kIdPagePlace, place);
    AddControl(platform::kIdOk, ok);

    auto* pageArea = new QGridLayout;
    pageArea->addWidget(place, 0, 0);
    int width = 0;
    int height = 0;
    for (const PageEntry& entry : pages_) {
        pageArea->addWidget(entry.page, 0, 0, Qt::AlignLeft | Qt::AlignTop);
        width = std::max(width, entry.page->sizeHint().width());
        height = std::max(height, entry.page->sizeHint().height());
    }
    // Every page fits without the dialog changing size when another is shown.
    pageArea->setColumnMinimumWidth(0, width);
    pageArea->setRowMinimumHeight(0, height);

    auto* top = new QHBoxLayout;
    top->addWidget(list);
    top->addLayout(pageArea, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(list, &QListWidget::currentRowChanged, this, [this] { ShowSelectedPage(); });
}

void CShortcutDlg::SetDataFolder(const DataFolder& folder)
{
    for (PageEntry& entry : pages_)
        if (entry.page)
            entry.page->SetDataFolder(folder);
}

void CShortcutDlg::DoDataExchange(platform::DataExchange&) {}

bool CShortcutDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    written_ = false;
    auto* list = Control<QListWidget>(kIdCategoryList);
    list->clear();
    for (PageEntry& entry : pages_) {
        list->addItem(ToQString(entry.category));
        if (entry.page)
            entry.page->CreatePage(this);
    }
    list->setCurrentRow(0);
    ShowSelectedPage();
    return true;
}

void CShortcutDlg::OnCancel() { EndDialog(written_ ? platform::kIdOk : platform::kIdCancel); }

void CShortcutDlg::ShowSelectedPage()
{
    const int selected = Control<QListWidget>(kIdCategoryList)->currentRow();
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i].page)
            pages_[i].page->setVisible(static_cast<int>(i) == selected);
}

}  // namespace brindle
