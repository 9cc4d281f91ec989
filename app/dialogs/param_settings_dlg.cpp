#include "app/dialogs/param_settings_dlg.h"

#include "app/dialogs/bar_param_page.h"
#include "app/dialogs/chord_note_param_page.h"
#include "app/dialogs/grace_note_param_page.h"
#include "app/dialogs/lyric_param_page.h"
#include "app/dialogs/normal_note_param_page.h"
#include "app/dialogs/note_spacing_param_page.h"
#include "app/dialogs/system_param_page.h"
#include "app/dialogs/title_param_page.h"
#include "app/dialogs/track_param_page.h"
#include "platform/dialog_service.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

CParamSettingsDlg::CParamSettingsDlg(QWidget* parent, const DataFolder& folder)
    : DialogBase(parent, kTemplateId), folder_(folder)
{
    setWindowTitle(QStringLiteral("参数设置"));
    entries_.push_back({u"普通音符参数", std::make_unique<CNormalNoteParamPage>()});
    entries_.push_back({u"和音音符参数", std::make_unique<CChordNoteParamPage>()});
    entries_.push_back({u"倚音音符参数", std::make_unique<CGraceNoteParamPage>()});
    entries_.push_back({u"音符间距参数", std::make_unique<CNoteSpacingParamPage>()});
    entries_.push_back({u"小节参数", std::make_unique<CBarParamPage>()});
    entries_.push_back({u"行参数", std::make_unique<CTrackParamPage>()});
    entries_.push_back({u"组参数", std::make_unique<CSystemParamPage>()});
    entries_.push_back({u"歌词参数", std::make_unique<CLyricParamPage>()});
    entries_.push_back({u"标题参数", std::make_unique<CTitleParamPage>()});

    categories_ = new QListWidget(this);
    categories_->setFixedWidth(130);
    auto* frame = new QGroupBox(QStringLiteral("单位: 0.01mm"), this);
    placeholder_ = new QWidget(frame);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(placeholder_);
    AddControl(kIdCategories, categories_);
    AddControl(kIdPlaceholder, placeholder_);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    ok->setDefault(true);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* top = new QHBoxLayout;
    top->addWidget(categories_);
    top->addWidget(frame, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(categories_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < GetPageCount()) {
            current_ = row;
            ShowPage();
        }
    });
}

CParamSettingsDlg::~CParamSettingsDlg()
{
    // The pages go before the placeholder that holds their windows.
    for (Entry& entry : entries_)
        if (entry.page)
            entry.page->setParent(nullptr, Qt::Widget);
}

CParamPage* CParamSettingsDlg::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return entries_[static_cast<std::size_t>(index)].page.get();
}

std::u16string CParamSettingsDlg::GetCategoryName(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return {};
    return entries_[static_cast<std::size_t>(index)].name;
}

bool CParamSettingsDlg::OnInitDialog()
{
    const bool result = DialogBase::OnInitDialog();
    file_.SetFileName(folder_.PathOf(folder_.SystemInfo().GetFontParamFileName()));
    QSize area(0, 0);
    for (Entry& entry : entries_) {
        categories_->addItem(QString::fromStdU16String(entry.name));
        entry.page->SetParamFile(&file_);
        entry.page->Create(placeholder_);
        area = area.expandedTo(entry.page->sizeHint());
    }
    placeholder_->setMinimumSize(area);
    for (Entry& entry : entries_)
        entry.page->setGeometry(0, 0, area.width(), area.height());
    SelectPage(0);
    ShowPage();
    return result;
}

void CParamSettingsDlg::SelectPage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    current_ = index;
    categories_->setCurrentRow(index);
    ShowPage();
}

void CParamSettingsDlg::ShowPage()
{
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->setVisible(i == current_);
}

void CParamSettingsDlg::OnOK()
{
    // Read everything first: a value that does not read keeps the dialog open on its
    // page (the exchange told the user and focused the field) and nothing is written.
    bool changed = false;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (!GetPage(i)->UpdateData(true)) {
            SelectPage(i);
            return;
        }
        changed = changed || GetPage(i)->IsChanged();
    }
    if (changed) {
        bool failed = false;
        for (int i = 0; i < GetPageCount(); ++i) {
            GetPage(i)->SavePage();
            failed = failed || GetPage(i)->SaveFailed();
        }
        if (failed)
            platform::ShowMessage(u"参数文件保存失败！", platform::kMbOk | platform::kMbIconExclamation, this);
    }
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
