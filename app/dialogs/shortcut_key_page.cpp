#include "app/dialogs/shortcut_key_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/format_shortcut_key.h"
#include "app/dialogs/shortcut_key_dlg.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

namespace brindle {

CShortcutKeyPage::CShortcutKeyPage(int templateId, std::span<const Row> rows, QWidget* parent)
    : DialogBase(parent, templateId), rows_(rows), texts_(rows.size())
{
    // A page lives inside the shortcut dialog, without a caption of its own.
    setWindowFlags(Qt::Widget);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* label = new QLabel(ToQString(rows_[i].label), this);
        auto* text = new QLabel(this);
        text->setFrameShape(QFrame::StyledPanel);
        text->setFrameShadow(QFrame::Sunken);
        text->setMinimumWidth(180);
        auto* button = new QPushButton(QStringLiteral("..."), this);
        button->setAutoDefault(false);
        button->setFixedWidth(32);
        AddControl(kIdFirstKeyText + row, text);
        AddControl(kIdFirstButton + row, button);
        MapCommand(kIdFirstButton + row, [this, row] { EditRow(row); });
        grid->addWidget(label, row, 0);
        grid->addWidget(text, row, 1);
        grid->addWidget(button, row, 2);
    }
    grid->setRowStretch(static_cast<int>(rows_.size()), 1);
}

void CShortcutKeyPage::CreatePage(QWidget* container)
{
    if (container && parentWidget() != container)
        setParent(container, Qt::Widget);
    BeginModal();
}

std::u16string CShortcutKeyPage::RowText(int row) const
{
    return row >= 0 && static_cast<std::size_t>(row) < texts_.size() ? texts_[static_cast<std::size_t>(row)]
                                                                      : std::u16string();
}

void CShortcutKeyPage::DoDataExchange(platform::DataExchange& dx)
{
    for (std::size_t i = 0; i < texts_.size(); ++i)
        dx.Text(kIdFirstKeyText + static_cast<int>(i), texts_[i]);
}

bool CShortcutKeyPage::OnInitDialog()
{
    file_.SetFileName(folder_.PathOf(folder_.SystemInfo().GetShortcutFileName()));
    Refresh();
    return true;
}

void CShortcutKeyPage::EditRow(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    const Row& entry = rows_[static_cast<std::size_t>(row)];
    CShortcutKeyDlg dialog(this);
    dialog.SetShortcutKey((file_.*entry.get)());
    if (dialog.DoModal() == platform::kIdOk && (file_.*entry.set)(dialog.GetShortcutKey()) && written_)
        written_();
    Refresh();
}

void CShortcutKeyPage::OnOK()
{
    if (auto* owner = qobject_cast<DialogBase*>(parentWidget()))
        owner->ClickButton(platform::kIdOk);
}

void CShortcutKeyPage::OnCancel()
{
    if (auto* owner = qobject_cast<DialogBase*>(parentWidget()))
        owner->ClickButton(platform::kIdCancel);
}

void CShortcutKeyPage::Refresh()
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        texts_[i] = FormatShortcutKey((file_.*rows_[i].get)());
    UpdateData(false);
}

}  // namespace brindle
