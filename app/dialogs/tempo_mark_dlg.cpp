#include "app/dialogs/tempo_mark_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/dialogs/num_edit.h"
#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/popup_list_wnd.h"
#include "app/dialogs/signature_font.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

CTempoMarkDlg::CTempoMarkDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("添加节拍标记"));
    auto* group = new QGroupBox(QStringLiteral("节拍"), this);
    auto* note = new QPushButton(QStringLiteral("Q"), group);
    note->setAutoDefault(false);
    note->setMinimumSize(40, 40);
    auto* edit = new CNumEdit(group);
    edit->SetDigitsOnly(true);
    edit->setMaximumWidth(70);
    auto* spin = new CNumSpinCtrl(group);
    spin->SetBuddy(edit);
    AddControl(kIdNoteButton, note);
    AddControl(kIdPerMinuteEdit, edit);
    AddControl(kIdPerMinuteSpin, spin);
    auto* row = new QHBoxLayout(group);
    row->addWidget(note);
    row->addWidget(new QLabel(QStringLiteral("＝"), group));
    row->addWidget(edit);
    row->addWidget(spin);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(OkCancelRow(*this));

    MapCommand(kIdNoteButton, [this] { OnNoteButton(); });
    MapMessage(kMsgNoteValueChosen, [this](platform::WParam id, platform::LParam) -> platform::LResult {
        // Only the ids of the list's own items change the button.
        for (const NoteValue& value : kNoteValues)
            if (static_cast<platform::WParam>(value.id) == id)
                SetDlgItemText(kIdNoteButton, std::u16string(1, static_cast<char16_t>(u'N' + value.id)));
        return 0;
    });
}

CTempoMarkDlg::~CTempoMarkDlg() = default;

bool CTempoMarkDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    font_ = SignatureFont();
    if (!popup_) {
        popup_ = new CPopupListWnd(this);
        popup_->resize(40, 110);
        popup_->move(100, 100);
        popup_->SetFont(SignatureLogFont());
        popup_->SetNotify(&Port(), kMsgNoteValueChosen);
        popup_->SetRowHeight(22);
        for (const NoteValue& value : kNoteValues)
            popup_->AddItem(std::u16string(1, value.text), value.id);
    }
    auto* spin = Control<CNumSpinCtrl>(kIdPerMinuteSpin);
    spin->SetRange(kMinPerMinute, kMaxPerMinute);
    spin->SetPos(static_cast<float>(perMinute_));
    spin->SetDelta(1);
    GetDlgItem(kIdNoteButton)->setFont(font_);
    return true;
}

void CTempoMarkDlg::OnNoteButton()
{
    if (!popup_)
        return;
    if (popup_->isVisible()) {
        popup_->setFocus();
        return;
    }
    QWidget* button = GetDlgItem(kIdNoteButton);
    popup_->move(button->mapToGlobal(QPoint(0, button->height())));
    popup_->show();
}

void CTempoMarkDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Int(kIdPerMinuteEdit, perMinute_);
    VerifyNumEdit(dx, kIdPerMinuteEdit);
}

void CTempoMarkDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    const std::u16string text = GetDlgItemText(kIdNoteButton);
    for (const NoteValue& value : kNoteValues)
        if (text.size() == 1 && text[0] == value.text)
            noteValue_ = value.ticks;
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
