// The choice and opening of the MIDI devices as the user meets it: the start-up check
// with its two reminders and the device dialog, each answered through the program's
// dialogs, with the choices and the reminders kept in the option file.
#pragma once

#include "app/mididev/midi_device_check.h"
#include "app/settings/midi_device_section.h"
#include "app/settings/option_file.h"

#include <string_view>

class QWidget;

namespace brindle {

class MidiDeviceDialogs final : public MidiDeviceUi {
public:
    // The devices must outlive the object; optionFile is the option file's full path.
    MidiDeviceDialogs(MidiInDevice& input, MidiOutDevice& output, std::u16string_view optionFile,
                      QWidget* parent = nullptr);

    // The start-up check's first step: the stored input opened and started, its
    // reminder shown when it failed, the stored output asked for. True when the output's
    // reminder is on: the output is then to be opened (MidiOutDevice::IsOpen, on any
    // thread) and the outcome handed to OutputOpened (see MidiDeviceCheck::Start).
    bool OpenMidiDevices() { return check_.Start(); }
    // The check's last step, on this thread: the output's reminder when it did not open.
    void OutputOpened(bool opened) { check_.FinishOutput(opened); }

    // The device dialog, modal.
    void RunDeviceDialog() override;

    bool AskInputNotice(bool& dontRemind) override;
    bool AskOutputNotice(bool& dontRemind) override;
    bool AskInputOpenFailed() override;
    bool AskOutputOpenFailed() override;

private:
    MidiInDevice& input_;
    MidiOutDevice& output_;
    QWidget* parent_;
    OptionFile options_;
    MidiDeviceSection devices_;
    MidiDeviceCheck check_;
};

}  // namespace brindle
