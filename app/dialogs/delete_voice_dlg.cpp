#include "app/dialogs/delete_voice_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include <algorithm>

namespace brindle {

CDeleteVoiceDlg::CDeleteVoiceDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("删除声部"));
    auto* group = new QGroupBox(QStringLiteral("删除当前声部"), this);
    auto* list = new QComboBox(group);
    list->setMinimumWidth(160);
    AddControl(kIdVoiceList, list);
    (new QVBoxLayout(group))->addWidget(list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(OkCancelRow(*this));
    connect(list, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_)
            voice_ = index;
    });
}

bool CDeleteVoiceDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    auto* list = Control<QComboBox>(kIdVoiceList);
    filling_ = true;
    list->clear();
    const int count = std::clamp(voiceCount_, 0, kMaxVoiceCount);
    for (int voice = 1; voice <= count; ++voice)
        list->addItem(ToQString(u"声部\u3000" + QString::number(voice).toStdU16String()));
    list->setCurrentIndex(voice_ >= 0 && voice_ < count ? voice_ : -1);
    voice_ = list->currentIndex();
    filling_ = false;
    return true;
}

void CDeleteVoiceDlg::OnOK()
{
    // The editor is given only a voice the score has.
    if (voice_ < 0 || voice_ >= std::clamp(voiceCount_, 0, kMaxVoiceCount)) {
        platform::ShowMessage(kMsgChooseVoice, platform::kMbOk | platform::kMbIconExclamation, this);
        return;
    }
    DialogBase::OnOK();
}

}  // namespace brindle
