// "MIDI DEVICE" of the option file: the chosen MIDI input and output devices by index;
// -1 means none chosen (the default).
#pragma once

#include "app/settings/settings_section_base.h"

namespace brindle {

class MidiDeviceSection : public SettingsSectionBase {
public:
    MidiDeviceSection() : SettingsSectionBase(u"MIDI DEVICE") {}

    int GetMidiInDevice() const { return File().ReadInt(GetSectionName(), u"Midi In Device", -1); }
    bool SetMidiInDevice(int device) { return File().WriteInt(GetSectionName(), u"Midi In Device", device); }
    int GetMidiOutDevice() const { return File().ReadInt(GetSectionName(), u"Midi Out Device", -1); }
    bool SetMidiOutDevice(int device) { return File().WriteInt(GetSectionName(), u"Midi Out Device", device); }
};

}  // namespace brindle
