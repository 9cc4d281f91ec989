#include "app/dialogs/font_settings_dlg.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_util.h"
#include "platform/dialog_service.h"
#include "platform/font_mapper.h"

namespace brindle {

namespace {

struct Category {
    std::u16string_view entry;
    std::u16string_view preview;
    int kind;
};

// In list order.
constexpr Category kCategories[] = {
    {u"标  题", u"标  题", kTitleFont},
    {u"副标题", u"副标题", kSubtitleFont},
    {u"作词/作曲", u"作词/作曲", kComposerFont},
    {u"表情标记", u"表情标记", kExpressionFont},
    {u"歌  词", u"歌  词", kLyricFont},
    {u"乐器名", u"乐器名", kInstrumentNameFont},
    {u"小节序号", u"1 5 10 15", kBarIndexFont},
};

}  // namespace

CFontSettingsDlg::CFontSettingsDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("字体设置"));

    auto* list = new QListWidget(this);
    list->setFixedWidth(110);
    auto* preview = new QLabel(QStringLiteral("标  题"), this);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    preview->setFrameShadow(QFrame::Sunken);
    preview->setMinimumSize(260, 120);
    auto* choose = new QPushButton(QStringLiteral("设置字体"), this);
    choose->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    AddControl(kIdCategoryList, list);
    AddControl(kIdPreview, preview);
    AddControl(kIdChooseFont, choose);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);

    auto* right = new QVBoxLayout;
    right->addWidget(preview, 1);
    auto* chooseRow = new QHBoxLayout;
    chooseRow->addStretch();
    chooseRow->addWidget(choose);
    right->addLayout(chooseRow);
    auto* top = new QHBoxLayout;
    top->addWidget(list);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    MapCommand(kIdChooseFont, [this] { ChooseFont(); });
    connect(list, &QListWidget::currentRowChanged, this, [this] { ShowSelectedEntry(); });
}

QFont CFontSettingsDlg::PreviewFont() const { return Control<QLabel>(kIdPreview)->font(); }

std::u16string CFontSettingsDlg::FontFilePath() const
{
    return folder_.PathOf(folder_.SystemInfo().GetFontFileName());
}

bool CFontSettingsDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    FontFile file;
    file.SetFileName(FontFilePath());
    auto* list = Control<QListWidget>(kIdCategoryList);
    list->clear();
    entries_.clear();
    for (const Category& category : kCategories) {
        entries_.push_back({std::u16string(category.preview), file.GetFont(category.kind)});
        list->addItem(ToQString(category.entry));
    }
    list->setCurrentRow(0);
    ShowSelectedEntry();
    return true;
}

void CFontSettingsDlg::ShowSelectedEntry()
{
    const int selected = Control<QListWidget>(kIdCategoryList)->currentRow();
    if (selected < 0 || static_cast<std::size_t>(selected) >= entries_.size())
        return;
    const FontEntry& entry = entries_[static_cast<std::size_t>(selected)];
    auto* preview = Control<QLabel>(kIdPreview);
    // A height of 0 (a missing section) shows the label's own size.
    const int defaultEm = QFontInfo(QWidget::font()).pixelSize();
    preview->setFont(platform::FontMapper::ToQFont(entry.font, defaultEm > 0 ? defaultEm : 12));
    preview->setText(ToQString(entry.previewText));
}

void CFontSettingsDlg::ChooseFont()
{
    const int selected = Control<QListWidget>(kIdCategoryList)->currentRow();
    if (selected < 0 || static_cast<std::size_t>(selected) >= entries_.size())
        return;
    FontEntry& entry = entries_[static_cast<std::size_t>(selected)];
    platform::FontDialogRequest request;
    request.font = entry.font;
    request.parent = this;
    if (!platform::DialogService::Current().ChooseFont(request))
        return;
    entry.font = request.font;
    ShowSelectedEntry();
}

void CFontSettingsDlg::OnOK()
{
    FontFile file;
    file.SetFileName(FontFilePath());
    bool written = true;
    for (std::size_t i = 0; i < entries_.size() && i < std::size(kCategories); ++i)
        written = file.SetFont(kCategories[i].kind, entries_[i].font) && written;
    if (!written) {
        platform::ShowMessage(kMsgWriteFailed, platform::kMbOk | platform::kMbIconExclamation, this);
        return;
    }
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
