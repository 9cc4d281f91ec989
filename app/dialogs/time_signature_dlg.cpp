#include "app/dialogs/time_signature_dlg.h"

#include "app/dialogs/beat_dlg.h"
#include "app/dialogs/dialog_util.h"
#include "app/dialogs/signature_font.h"
#include "platform/dialog_service.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

CTimeSignatureDlg::CTimeSignatureDlg(QWidget* parent)
    : DialogBase(parent, kTemplateId),
      choices_({kBeatButtonIds[0], kBeatButtonIds[1], kBeatButtonIds[2], kBeatButtonIds[3], kBeatButtonIds[4],
                kBeatButtonIds[5], kBeatButtonIds[6], kBeatButtonIds[7], kBeatButtonIds[8]})
{
    setWindowTitle(QStringLiteral("Dialog"));
    auto* group = new QGroupBox(QStringLiteral("拍号"), this);
    auto* grid = new QGridLayout(group);
    for (std::size_t i = 0; i < kBeatButtonIds.size(); ++i) {
        auto* button = new QPushButton(QString(QChar(u'A' + static_cast<char16_t>(i))), group);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setAutoDefault(false);
        button->setMinimumSize(44, 44);
        AddControl(kBeatButtonIds[i], button);
        grid->addWidget(button, static_cast<int>(i / 5), static_cast<int>(i % 5));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(OkCancelRow(*this));
    MapCommand(kBeatButtonIds[kChoiceOther], [this] { OnOtherBeat(); });
}

bool CTimeSignatureDlg::OnInitDialog()
{
    font_ = SignatureFont();
    for (int id : kBeatButtonIds)
        GetDlgItem(id)->setFont(font_);
    return DialogBase::OnInitDialog();
}

void CTimeSignatureDlg::DoDataExchange(platform::DataExchange& dx) { choices_.Exchange(dx, choice_); }

void CTimeSignatureDlg::OnOtherBeat()
{
    // However the beat dialog ends, its values are taken: a cancelled one gives its own
    // starting 4/4.
    CBeatDlg beat(this);
    beat.DoModal();
    beats_ = beat.GetBeats();
    beatType_ = beat.GetBeatUnit();
}

void CTimeSignatureDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (choice_ >= 0 && choice_ < static_cast<int>(kBeatTable.size())) {
        beats_ = kBeatTable[static_cast<std::size_t>(choice_)].beats;
        beatType_ = kBeatTable[static_cast<std::size_t>(choice_)].beatType;
    }
    EndDialog(platform::kIdOk);
}

}  // namespace brindle
