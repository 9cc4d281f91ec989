#include "app/dialogs/add_voice_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/settings/patch_name_file.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace brindle {
namespace {

std::u16string Number(int value) { return QString::number(value).toStdU16String(); }

}  // namespace

CAddVoiceDlg::CAddVoiceDlg(QWidget* parent) : DialogBase(parent, kTemplateId)
{
    setWindowTitle(QStringLiteral("添加声部"));
    auto* kindGroup = new QGroupBox(this);
    auto* ordinary = new QRadioButton(QStringLiteral("普通乐器"), kindGroup);
    auto* percussion = new QRadioButton(QStringLiteral("打击乐器"), kindGroup);
    AddControl(kIdOrdinary, ordinary);
    AddControl(kIdPercussion, percussion);
    auto* kindRow = new QHBoxLayout(kindGroup);
    kindRow->addWidget(ordinary);
    kindRow->addWidget(percussion);

    auto* staffGroup = new QGroupBox(this);
    auto* single = new QRadioButton(QStringLiteral("单行谱"), staffGroup);
    auto* piano = new QRadioButton(QStringLiteral("钢琴谱"), staffGroup);
    AddControl(kIdSingleLine, single);
    AddControl(kIdPianoStaff, piano);
    auto* staffRow = new QHBoxLayout(staffGroup);
    staffRow->addWidget(single);
    staffRow->addWidget(piano);

    auto* instrumentGroup = new QGroupBox(QStringLiteral("乐器"), this);
    auto* instruments = new QComboBox(instrumentGroup);
    instruments->setMinimumWidth(220);
    instruments->setMaxVisibleItems(20);
    AddControl(kIdInstrumentList, instruments);
    (new QVBoxLayout(instrumentGroup))->addWidget(instruments);

    auto* positionGroup = new QGroupBox(QStringLiteral("添加位置（之后）："), this);
    auto* positions = new QComboBox(positionGroup);
    AddControl(kIdPositionList, positions);
    (new QVBoxLayout(positionGroup))->addWidget(positions);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kindGroup);
    layout->addWidget(instrumentGroup);
    layout->addWidget(staffGroup);
    layout->addWidget(positionGroup);
    layout->addLayout(OkCancelRow(*this));

    MapCommand(kIdOrdinary, [this] { OnKind(); });
    MapCommand(kIdPercussion, [this] { OnKind(); });
    connect(instruments, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_ && kind_ >= 0 && kind_ <= 1)
            remembered_[static_cast<std::size_t>(kind_)] = index;
    });
    connect(positions, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_)
            position_ = index;
    });
}

void CAddVoiceDlg::LoadNames()
{
    entries_ = {};
    percussionOffset_ = 0;
    const std::u16string path = folder_.PathOf(folder_.SystemInfo().GetPatchNameFile());
    if (path.empty())
        return;
    const PatchNameFile names(std::make_shared<ProfileFile>(path));
    const int patches = names.GetPatchCount();
    for (int i = 0; i < patches; ++i)
        entries_[0].push_back(Number(i + 1) + u"-" + names.GetPatchName(i));
    percussionOffset_ = names.GetPercussionOffset();
    const int drums = names.GetPercussionCount();
    for (int j = 0; j < drums; ++j)
        entries_[1].push_back(Number(percussionOffset_ + j) + u"-" + names.GetPercussionName(j));
}

void CAddVoiceDlg::FillInstruments()
{
    auto* list = Control<QComboBox>(kIdInstrumentList);
    const std::size_t kind = kind_ == 1 ? 1 : 0;
    filling_ = true;
    list->clear();
    for (const std::u16string& entry : entries_[kind])
        list->addItem(ToQString(entry));
    const int remembered = remembered_[kind];
    list->setCurrentIndex(remembered >= 0 && remembered < list->count() ? remembered : -1);
    filling_ = false;
}

bool CAddVoiceDlg::OnInitDialog()
{
    DialogBase::OnInitDialog();
    LoadNames();
    FillInstruments();
    auto* positions = Control<QComboBox>(kIdPositionList);
    filling_ = true;
    positions->clear();
    const int count = std::clamp(voiceCount_, 0, kMaxVoiceCount);
    for (int voice = 1; voice <= count; ++voice)
        positions->addItem(ToQString(u"声部\u3000" + Number(voice)));
    // A current voice outside the score (none set) is taken as the nearest one.
    position_ = count == 0 ? -1 : std::clamp(currentVoice_, 0, count - 1);
    positions->setCurrentIndex(position_);
    filling_ = false;
    return true;
}

void CAddVoiceDlg::DoDataExchange(platform::DataExchange& dx)
{
    kinds_.Exchange(dx, kind_);
    staffs_.Exchange(dx, staff_);
}

void CAddVoiceDlg::OnKind()
{
    UpdateData(true);
    FillInstruments();
}

void CAddVoiceDlg::OnOK()
{
    auto* list = Control<QComboBox>(kIdInstrumentList);
    // A voice needs an instrument: without one the editor would get no program at all.
    if (list->count() == 0) {
        platform::ShowMessage(kMsgNoInstruments, platform::kMbOk | platform::kMbIconExclamation, this);
        return;
    }
    if (list->currentIndex() < 0) {
        platform::ShowMessage(kMsgChooseInstrument, platform::kMbOk | platform::kMbIconExclamation, this);
        list->setFocus();
        return;
    }
    chosen_ = list->currentIndex();
    DialogBase::OnOK();
}

}  // namespace brindle
