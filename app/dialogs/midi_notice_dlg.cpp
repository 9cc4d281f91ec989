#include "app/dialogs/midi_notice_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindle {

namespace {

// The notice text and the two answers under it; the box (when there is one) goes between.
QVBoxLayout* NoticeLayout(platform::DialogBase& dialog, int noticeId, std::u16string_view notice)
{
    auto* label = new QLabel(ToQString(notice), &dialog);
    label->setWordWrap(true);
    label->setMinimumWidth(260);
    dialog.AddControl(noticeId, label);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    return layout;
}

QLayout* AnswerRow(platform::DialogBase& dialog, std::u16string_view decline, std::u16string_view choose)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(AddButton(dialog, platform::kIdOk, decline));
    row->addWidget(AddButton(dialog, platform::kIdCancel, choose));
    return row;
}

}  // namespace

CMidiNoticeDlg::CMidiNoticeDlg(QWidget* parent, int templateId, int noticeId, int boxId, const Texts& texts)
    : DialogBase(parent, templateId), boxId_(boxId)
{
    setWindowTitle(ToQString(texts.caption));
    QVBoxLayout* layout = NoticeLayout(*this, noticeId, texts.notice);
    auto* box = new QCheckBox(ToQString(texts.box), this);
    AddControl(boxId_, box);
    layout->addWidget(box);
    layout->addLayout(AnswerRow(*this, texts.decline, texts.choose));
}

void CMidiNoticeDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.Check(boxId_, dontRemind_);
}

void CMidiNoticeDlg::OnCancel()
{
    // A check box cannot be refused: reading it always succeeds.
    UpdateData(true);
    DialogBase::OnCancel();
}

CMidiInNoticeDlg::CMidiInNoticeDlg(QWidget* parent)
    : CMidiNoticeDlg(parent, kTemplateId, kIdNotice, kIdDontRemind,
                     {u"输入设备", u"没有选中任何MIDI 输入设备!", u"不使用输入设备", u"选择", u"以后不要提醒我"})
{
}

CMidiOutNoticeDlg::CMidiOutNoticeDlg(QWidget* parent)
    : CMidiNoticeDlg(parent, kTemplateId, kIdNotice, kIdDontRemind,
                     {u"打开输出设备", u"MIDI 输出设备打开失败,回放乐曲时将会没有声音！", u"不使用输出设备",
                      u"选择MIDI输出设备", u"下次不再提醒我"})
{
}

CMidiOpenFailedDlg::CMidiOpenFailedDlg(Device device, QWidget* parent)
    : DialogBase(parent, device == Device::Input ? kInputTemplateId : kOutputTemplateId)
{
    const bool input = device == Device::Input;
    setWindowTitle(QStringLiteral("打开设备"));
    QVBoxLayout* layout =
        NoticeLayout(*this, kIdNotice, input ? u"MIDI 输入设备打开失败！" : u"MIDI 输出设备打开失败！");
    layout->addLayout(AnswerRow(*this, input ? u"不使用输入设备" : u"不使用输出设备", u"重新选择"));
}

}  // namespace brindle
