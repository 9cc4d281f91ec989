#include "app/dialogs/beat_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace brindle {

CBeatDlg::CBeatDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("节拍设置"));
    auto* beats = new QComboBox(this);
    auto* beatType = new QComboBox(this);
    for (QComboBox* box : {beats, beatType}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumWidth(90);
    }
    AddControl(kIdBeatsBox, beats);
    AddControl(kIdBeatTypeBox, beatType);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("拍："), beats);
    form->addRow(QStringLiteral("拍类型："), beatType);
    // An OK button only: closing the window or Escape cancels.
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(AddButton(*this, platform::kIdOk, kTextOk));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row);
}

bool CBeatDlg::ReadLeadingInt(std::u16string_view text, int& value)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long number = 0;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        number = number * 10 + (text[i++] - u'0');
        ++digits;
        if (number > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (digits == 0)
        return false;
    if (negative)
        number = -number;
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(number);
    return true;
}

bool CBeatDlg::IsValidBeatType(int beatType)
{
    return beatType >= 1 && beatType <= kMaxBeatType && (beatType & (beatType - 1)) == 0;
}

bool CBeatDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    auto* beats = Control<QComboBox>(kIdBeatsBox);
    beats->clear();
    for (int i = 1; i <= kMaxBeats; ++i)
        beats->addItem(QString::number(i));
    beats->setCurrentIndex(3);
    auto* beatType = Control<QComboBox>(kIdBeatTypeBox);
    beatType->clear();
    for (int type = 1; type <= kMaxBeatType; type *= 2)
        beatType->addItem(QString::number(type));
    beatType->setCurrentIndex(2);
    return true;
}

void CBeatDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    int beats = 0;
    if (!ReadLeadingInt(GetDlgItemText(kIdBeatsBox), beats) || !IsValidBeats(beats)) {
        platform::ShowMessage(kMsgBadBeats, platform::kMbOk | platform::kMbIconExclamation, this);
        GetDlgItem(kIdBeatsBox)->setFocus();
        return;
    }
    int beatType = 0;
    if (!ReadLeadingInt(GetDlgItemText(kIdBeatTypeBox), beatType) || !IsValidBeatType(beatType)) {
        platform::ShowMessage(kMsgBadBeatType, platform::kMbOk | platform::kMbIconExclamation, this);
        GetDlgItem(kIdBeatTypeBox)->setFocus();
        return;
    }
    beats_ = beats;
    beatType_ = beatType;
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
