#include "app/dialogs/midi_device_dialogs.h"

#include "app/dialogs/midi_device_dlg.h"
#include "app/dialogs/midi_notice_dlg.h"
#include "platform/dialog_service.h"

namespace brindle {

namespace {

// True when the reminder was answered with its OK button (go on without the device).
template <class Notice>
bool AskNotice(QWidget* parent, bool& dontRemind)
{
    Notice notice(parent);
    const bool declined = notice.DoModal() == platform::kIdOk;
    dontRemind = notice.DontRemind();
    return declined;
}

}  // namespace

MidiDeviceDialogs::MidiDeviceDialogs(MidiInDevice& input, MidiOutDevice& output, std::u16string_view optionFile,
                                     QWidget* parent)
    : input_(input), output_(output), parent_(parent), check_(input, output, options_, devices_, *this)
{
    options_.SetFileName(optionFile);
    devices_.SetFileName(optionFile);
}

void MidiDeviceDialogs::RunDeviceDialog()
{
    CMidiDeviceDlg dialog(check_, parent_);
    dialog.SetDeviceNames(input_.GetDeviceNames(), output_.GetDeviceNames());
    dialog.SetStoredDevices(devices_.GetMidiInDevice(), devices_.GetMidiOutDevice());
    dialog.DoModal();
}

bool MidiDeviceDialogs::AskInputNotice(bool& dontRemind)
{
    return AskNotice<CMidiInNoticeDlg>(parent_, dontRemind);
}

bool MidiDeviceDialogs::AskOutputNotice(bool& dontRemind)
{
    return AskNotice<CMidiOutNoticeDlg>(parent_, dontRemind);
}

bool MidiDeviceDialogs::AskInputOpenFailed()
{
    return CMidiOpenFailedDlg(CMidiOpenFailedDlg::Device::Input, parent_).DoModal() == platform::kIdOk;
}

bool MidiDeviceDialogs::AskOutputOpenFailed()
{
    return CMidiOpenFailedDlg(CMidiOpenFailedDlg::Device::Output, parent_).DoModal() == platform::kIdOk;
}

}  // namespace brindle
