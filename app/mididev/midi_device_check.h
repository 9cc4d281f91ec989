// Opening the chosen MIDI devices: the check at start-up, with its two reminders, and
// what the device dialog does with the user's choice when it is confirmed. The choices
// and the answers to the reminders are kept in the option file.
#pragma once

#include <string_view>

#include "app/mididev/midi_in_device.h"
#include "app/mididev/midi_out_device.h"
#include "app/settings/midi_device_section.h"
#include "app/settings/option_file.h"

namespace brindle {

// The dialogs the device check shows, answered by the user (or by a test's script).
class MidiDeviceUi {
public:
    // "输入设备" / "没有选中任何MIDI 输入设备!": true when closed with "不使用输入设备";
    // dontRemind receives the box "以后不要提醒我" (unticked when shown).
    virtual bool AskInputNotice(bool& dontRemind) = 0;
    // "打开输出设备": true when closed with "不使用输出设备"; dontRemind receives the box
    // "下次不再提醒我".
    virtual bool AskOutputNotice(bool& dontRemind) = 0;
    // The device dialog "播放及录音设备", run modally; its OK goes to
    // MidiDeviceCheck::ApplyChoice.
    virtual void RunDeviceDialog() = 0;
    // "MIDI 输入设备打开失败！" ("MIDI 输出设备打开失败！"): true for the answer that goes on
    // without the device, false for "重新选择".
    virtual bool AskInputOpenFailed() = 0;
    virtual bool AskOutputOpenFailed() = 0;

protected:
    MidiDeviceUi() = default;
    ~MidiDeviceUi() = default;
};

class MidiDeviceCheck {
public:
    // None is owned; all must outlive the check.
    MidiDeviceCheck(MidiInDevice& input, MidiOutDevice& output, OptionFile& options,
                    MidiDeviceSection& devices, MidiDeviceUi& ui)
        : input_(input), output_(output), options_(options), devices_(devices), ui_(ui)
    {
    }

    // The start-up check, in two steps, so that the output, which may take a while to
    // open (the synthesizer loads its SoundFont), can be opened away from the dialogs'
    // thread. Start opens (and starts) the stored input and, when that fails while its
    // reminder is on, shows its notice and, unless the user declined the device, the
    // device dialog, then stores the reminder as the box left it. Then it asks for the
    // output stored at that moment (MidiOutDevice::OpenWhenUsed), so that a choice made
    // in the device dialog for the input's notice is not undone, and a device already
    // open under that number stays open. It returns true when the output's reminder is
    // on: the caller then opens the output (MidiOutDevice::IsOpen, from any thread; a
    // send meanwhile waits for it) and hands the outcome to FinishOutput on this thread.
    // With the reminder off the output is opened when it is first used instead.
    bool Start();
    // The outcome of the output's opening: when it did not open, its notice and, unless
    // the user declined the device, the device dialog; then the reminder stored as the
    // box left it.
    void FinishOutput(bool opened);

    // The device dialog's OK with the selected entries (-1: none selected). Opens and
    // starts the input and opens the output; when one fails and the user wants to choose
    // again, returns false and changes nothing stored (the dialog stays open). Otherwise
    // stores both choices, a declined one included, and returns true.
    bool ApplyChoice(int inputDevice, int outputDevice);

    // The list entry to select for a stored device: the device when it lies within the
    // count, -1 otherwise.
    static int SelectionFor(int storedDevice, int deviceCount);

private:
    MidiInDevice& input_;
    MidiOutDevice& output_;
    OptionFile& options_;
    MidiDeviceSection& devices_;
    MidiDeviceUi& ui_;
};

}  // namespace brindle
