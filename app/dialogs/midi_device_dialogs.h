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

    // The start-up check: the stored devices opened, the input started, the reminders
    // shown for what failed.
    void OpenMidiDevices() { check_.Run(); }

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
