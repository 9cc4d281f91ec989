#include "app/dialogs/midi_device_dlg.h"

#include "app/dialogs/dialog_util.h"
#include "app/mididev/midi_device_check.h"
#include "platform/data_exchange.h"
#include "platform/dialog_service.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <utility>

namespace brindle {

CMidiDeviceDlg::CMidiDeviceDlg(MidiDeviceCheck& check, QWidget* parent)
    : DialogBase(parent, kTemplateId), check_(check)
{
    setWindowTitle(QStringLiteral("播放及录音设备"));
    auto* grid = new QGridLayout;
    const auto addList = [&](int row, const char16_t* label, int id) {
        grid->addWidget(new QLabel(ToQString(label), this), row, 0, Qt::AlignTop);
        auto* list = new QListWidget(this);
        list->setMinimumWidth(260);
        list->setFixedHeight(96);
        AddControl(id, list);
        grid->addWidget(list, row, 1);
    };
    addList(0, u"MIDI输入设备：", kIdInputList);
    addList(1, u"MIDI输出设备：", kIdOutputList);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(AddButton(*this, platform::kIdOk, u"确定(&O)"));
    row->addWidget(AddButton(*this, platform::kIdCancel, u"取消(&C)"));
    layout->addLayout(row);
}

void CMidiDeviceDlg::SetDeviceNames(std::vector<std::u16string> inputs, std::vector<std::u16string> outputs)
{
    inputs_ = std::move(inputs);
    outputs_ = std::move(outputs);
}

void CMidiDeviceDlg::SetStoredDevices(int input, int output)
{
    input_ = input;
    output_ = output;
}

bool CMidiDeviceDlg::OnInitDialog()
{
    const auto fill = [this](int id, const std::vector<std::u16string>& names) {
        auto* list = Control<QListWidget>(id);
        list->clear();
        for (const std::u16string& name : names)
            list->addItem(ToQString(name));
    };
    fill(kIdInputList, inputs_);
    fill(kIdOutputList, outputs_);
    input_ = MidiDeviceCheck::SelectionFor(input_, static_cast<int>(inputs_.size()));
    output_ = MidiDeviceCheck::SelectionFor(output_, static_cast<int>(outputs_.size()));
    return DialogBase::OnInitDialog();
}

void CMidiDeviceDlg::DoDataExchange(platform::DataExchange& dx)
{
    dx.ListIndex(kIdInputList, input_);
    dx.ListIndex(kIdOutputList, output_);
}

void CMidiDeviceDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // A device that failed and is to be chosen again keeps the dialog open as it is.
    if (check_.ApplyChoice(input_, output_))
        EndDialog(platform::kIdOk);
}

}  // namespace brindle
