#include "app/mididev/midi_device_check.h"

namespace brindle {

bool MidiDeviceCheck::Start()
{
    if (input_.Open(devices_.GetMidiInDevice())) {
        input_.Start();
    } else if (options_.GetShowInNotify()) {
        bool dontRemind = false;
        if (!ui_.AskInputNotice(dontRemind))
            ui_.RunDeviceDialog();
        options_.SetShowInNotify(!dontRemind);
    }

    // The device dialog may have opened the output already: asking for what is stored
    // now keeps that choice, and the port. Without its reminder nobody needs to know now
    // whether it opens: it is opened when something is first played through it.
    output_.OpenWhenUsed(devices_.GetMidiOutDevice());
    return options_.GetShowOutNotify();
}

void MidiDeviceCheck::FinishOutput(bool opened)
{
    if (opened)
        return;
    bool dontRemind = false;
    if (!ui_.AskOutputNotice(dontRemind))
        ui_.RunDeviceDialog();
    options_.SetShowOutNotify(!dontRemind);
}

bool MidiDeviceCheck::ApplyChoice(int inputDevice, int outputDevice)
{
    if (!input_.Open(inputDevice) && !ui_.AskInputOpenFailed())
        return false;
    input_.Start();  // nothing happens when the input is not open
    if (!output_.Open(outputDevice) && !ui_.AskOutputOpenFailed())
        return false;
    devices_.SetMidiInDevice(inputDevice);
    devices_.SetMidiOutDevice(outputDevice);
    return true;
}

int MidiDeviceCheck::SelectionFor(int storedDevice, int deviceCount)
{
    return storedDevice >= 0 && storedDevice < deviceCount ? storedDevice : -1;
}

}  // namespace brindle
