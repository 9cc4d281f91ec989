// MidiDeviceSection is header-only; this file keeps the one-pair-per-class layout.
#include "app/settings/midi_device_section.h"
