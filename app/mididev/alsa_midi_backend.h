// The system's MIDI back end: hardware and software ports of the ALSA sequencer through
// RtMidi, and output -1 as the built-in software synthesizer. Without a sequencer (no
// sound support loaded, as on a build machine) there are no ports: counts are 0, names
// empty and every open fails; the synthesizer opens only where it can be heard.
#pragma once

#include <memory>

#include "app/mididev/midi_backend.h"

namespace brindle {

std::unique_ptr<MidiBackend> CreateAlsaMidiBackend();

}  // namespace brindle
