// What playback asks of the metronome, so that the playback commands can be driven and
// checked without a running timer; MetronomeAdapter hands it to the program's Metronome.
#pragma once

#include <vector>

#include "app/mididev/metronome.h"
#include "midi/midi_out_sink.h"
#include "midi/midi_records.h"

namespace brindle {

class MetronomeControl {
public:
    virtual void SetDivision(int division) = 0;
    virtual void SetMeters(const std::vector<midi::MidiMeterRecord>& meters) = 0;
    // One tempo for the whole run, in beats per minute.
    virtual void SetTempo(int beatsPerMinute) = 0;
    // The song's tempo changes, followed as the player follows them.
    virtual void SetTempos(const std::vector<midi::MidiTempoRecord>& tempos) = 0;
    virtual void SetStartTick(int tick) = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual void SetSpeed(int percent) = 0;
    // Null silences the clicks; the metronome keeps running.
    virtual void SetOutput(midi::MidiOutSink* output) = 0;

protected:
    MetronomeControl() = default;
    ~MetronomeControl() = default;
};

class MetronomeAdapter final : public MetronomeControl {
public:
    explicit MetronomeAdapter(Metronome& metronome) : metronome_(metronome) {}

    void SetDivision(int division) override { metronome_.SetDivision(division); }
    void SetMeters(const std::vector<midi::MidiMeterRecord>& meters) override { metronome_.SetMeters(meters); }
    void SetTempo(int beatsPerMinute) override { metronome_.SetTempo(beatsPerMinute); }
    void SetTempos(const std::vector<midi::MidiTempoRecord>& tempos) override { metronome_.SetTempos(tempos); }
    void SetStartTick(int tick) override { metronome_.SetStartTick(tick); }
    void Start() override { metronome_.Start(); }
    void Stop() override { metronome_.Stop(); }
    void SetSpeed(int percent) override { metronome_.SetSpeed(percent); }
    void SetOutput(midi::MidiOutSink* output) override { metronome_.SetOutput(output); }

private:
    Metronome& metronome_;
};

}  // namespace brindle
