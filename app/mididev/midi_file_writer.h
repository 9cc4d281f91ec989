// Writes a MidiData as a standard MIDI file of format 1: the header, a conductor track
// with the song's texts, tempos, time and key signatures and system-exclusive records,
// and one track chunk per track with its texts, lyrics, sequencer data and channel
// messages. Each chunk is assembled in memory and written in one piece.
//
// The file always has a tempo at tick 0: without one in the song, 500000 microseconds
// per quarter (120 quarters per minute, what a file without a tempo means anyway) is
// written there, so that every program plays the file at the tempo the song is played.
#pragma once

#include "app/mididev/byte_stream.h"
#include "app/mididev/chunk_buffer.h"
#include "app/mididev/midi_file_event_list.h"
#include "midi/midi_data.h"

namespace brindle {

class MidiFileWriter {
public:
    // Neither is owned; both must outlive Write.
    MidiFileWriter(const midi::MidiData* midiData, ByteStream* stream)
        : midiData_(midiData), stream_(stream)
    {
    }

    // Opens the stream and writes the file; the stream is left open. False when the
    // song or the stream is missing, the stream cannot be opened, a write fails, or the
    // song has more tracks or a division than the header can say (the file is then
    // incomplete).
    bool Write();

private:
    bool WriteHeader();
    bool WriteConductorTrack();
    bool WriteTrack(const midi::MidiTrack& track);
    // Sorts the list, ends it, and writes it as one track chunk.
    bool WriteChunk(MidiFileEventList& events);

    const midi::MidiData* midiData_;
    ByteStream* stream_;
};

}  // namespace brindle
