#include "app/dialogs/background_dlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/dialogs/dialog_util.h"
#include "app/settings/texture_info_section.h"
#include "platform/dialog_service.h"
#include "platform/text_encoding.h"

namespace brindle {

namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

std::u16string AsciiLower(std::u16string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char16_t c) { return AsciiLower(c); });
    return text;
}

}  // namespace

CBackgroundDlg::CBackgroundDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("背景设置"));

    auto* foreground = new QComboBox(this);
    auto* background = new QComboBox(this);
    foreground->setMinimumWidth(220);
    background->setMinimumWidth(220);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    AddControl(kIdForegroundList, foreground);
    AddControl(kIdBackgroundList, background);
    AddControl(platform::kIdOk, ok);
    AddControl(platform::kIdCancel, cancel);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("前景图"), this), 0, 0);
    grid->addWidget(foreground, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("背景图"), this), 2, 0);
    grid->addWidget(background, 3, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(foreground, &QComboBox::currentIndexChanged, this, [this] { OnSelectionChanged(kIdForegroundList); });
    connect(background, &QComboBox::currentIndexChanged, this, [this] { OnSelectionChanged(kIdBackgroundList); });
}

std::vector<std::u16string> CBackgroundDlg::ListPictureFiles(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::u16string> names;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code step;
        if (!it->is_regular_file(step) || step)
            continue;
        std::u16string name = platform::PathToUtf16(it->path().filename());
        const std::size_t dot = name.rfind(u'.');
        if (dot != std::u16string::npos && AsciiLower(name.substr(dot + 1)) == u"bmp")
            names.push_back(std::move(name));
    }
    // The folder's own order is arbitrary here; the user sees the names sorted, without
    // regard to case first.
    std::sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
        const std::u16string la = AsciiLower(a);
        const std::u16string lb = AsciiLower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::u16string CBackgroundDlg::OptionFilePath() const
{
    return folder_.PathOf(folder_.SystemInfo().GetOptionFileName());
}

bool CBackgroundDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    TextureInfoSection texture;
    texture.SetFileName(OptionFilePath());
    const std::u16string foregroundFile = texture.GetForegroundFile();
    const std::u16string backgroundFile = texture.GetBackgroundFile();
    const SystemInfoSection info = folder_.SystemInfo();
    backgroundFiles_ = ListPictureFiles(folder_.NativePathOf(info.GetBackgroundFilePath()));
    foregroundFiles_ = ListPictureFiles(folder_.NativePathOf(info.GetForegroundFilePath()));
    FillList(kIdBackgroundList, backgroundFiles_, backgroundFile);
    FillList(kIdForegroundList, foregroundFiles_, foregroundFile);
    return true;
}

void CBackgroundDlg::FillList(int id, const std::vector<std::u16string>& names, const std::u16string& current)
{
    auto* list = Control<QComboBox>(id);
    // Filling the list is no choice of the user's: nothing is previewed.
    filling_ = true;
    list->clear();
    int selected = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        list->addItem(ToQString(names[i]));
        if (selected < 0 && names[i] == current)
            selected = static_cast<int>(i);
    }
    list->setCurrentIndex(selected);
    filling_ = false;
}

void CBackgroundDlg::OnSelectionChanged(int id)
{
    if (filling_ || !owner_)
        return;
    const bool background = id == kIdBackgroundList;
    const std::vector<std::u16string>& names = background ? backgroundFiles_ : foregroundFiles_;
    const int index = Control<QComboBox>(id)->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= names.size())
        return;
    owner_->Send(background ? kMsgBackgroundPreview : kMsgForegroundPreview,
                 reinterpret_cast<platform::WParam>(names[static_cast<std::size_t>(index)].c_str()), 0);
}

void CBackgroundDlg::OnOK()
{
    TextureInfoSection texture;
    texture.SetFileName(OptionFilePath());
    bool written = true;
    const int foreground = Control<QComboBox>(kIdForegroundList)->currentIndex();
    if (foreground >= 0 && static_cast<std::size_t>(foreground) < foregroundFiles_.size())
        written = texture.SetForegroundFile(foregroundFiles_[static_cast<std::size_t>(foreground)]) && written;
    const int background = Control<QComboBox>(kIdBackgroundList)->currentIndex();
    if (background >= 0 && static_cast<std::size_t>(background) < backgroundFiles_.size())
        written = texture.SetBackgroundFile(backgroundFiles_[static_cast<std::size_t>(background)]) && written;
    if (!written) {
        platform::ShowMessage(kMsgWriteFailed, platform::kMbOk | platform::kMbIconExclamation, this);
        return;
    }
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
