// libFuzzer target: a MIDI song built from the bytes of one input is converted into the
// score-data records by the MIDI import (every track selected, with lyrics, a grid and
// the piano split taken from the input), the records are imported into the editor, and
// the score is laid out, every page drawn, a note entered and undone and redone.
//
// The input is read as little-endian records after a six-byte head (division: 2 bytes,
// grid 1/n: 1, split flag: 1, split key: 1, lyrics flag: 1). Each record starts with a
// kind byte: 0 tempo (tick: 2, microseconds per quarter: 4), 1 meter (tick: 2,
// numerator, denominator as a power of two: 1 each), 2 key (tick: 2, sharps or flats,
// minor: 1 each), 3 event (track: 1, tick: 2, message: 4), 4 lyric (track: 1, tick: 2,
// length: 1, text). Ticks are signed 16-bit numbers, so that a song stays short enough
// to be laid out many times a second. scripts/fuzz/make_seeds.py writes seeds in this form. See README.md.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/editor/score_editor.h"
#include "midi/midi_data.h"
#include "midi/midi_track.h"
#include "scoredata/midi_parser.h"
#include "scoredata/score_data.h"
#include "scripts/fuzz/editor_session.h"

namespace {

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool AtEnd() const { return at_ >= size_; }
    std::uint32_t Take(int bytes)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= static_cast<std::uint32_t>(at_ < size_ ? data_[at_++] : 0) << (8 * i);
        return value;
    }
    std::int32_t TakeSigned32() { return static_cast<std::int32_t>(Take(4)); }
    std::int32_t TakeTick() { return static_cast<std::int16_t>(Take(2)); }
    std::string TakeText(std::size_t length)
    {
        std::string text;
        for (std::size_t i = 0; i < length && at_ < size_; ++i)
            text.push_back(static_cast<char>(data_[at_++]));
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

template <typename T>
struct Released {
    void operator()(T* object) const { object->Release(); }
};

constexpr int kTracks = 4;
constexpr int kMaxRecords = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::unique_ptr<midi::MidiData, Released<midi::MidiData>> song(create_midi_data());
    const std::unique_ptr<tabulon::MidiParser, Released<tabulon::MidiParser>> parser(create_midi_parser());
    const std::unique_ptr<tabulon::ScoreData, Released<tabulon::ScoreData>> score(create_score_data());

    Reader in(data, size);
    song->SetDivision(static_cast<std::int16_t>(in.Take(2)));
    parser->SetGrid(static_cast<int>(in.Take(1)));
    const bool split = in.Take(1) != 0;
    parser->SetSplit(split ? 1 : 0, static_cast<int>(in.Take(1)));
    parser->SetPostPass(static_cast<int>(in.Take(1)));
    for (int id = 0; id < kTracks; ++id)
        song->AddTrack(id);
    for (int record = 0; record < kMaxRecords && !in.AtEnd(); ++record) {
        switch (in.Take(1) % 5) {
        case 0: {
            const std::int32_t tick = in.TakeTick();
            song->AddTempo({tick, in.TakeSigned32()});
            break;
        }
        case 1: {
            const std::int32_t tick = in.TakeTick();
            const auto numerator = static_cast<std::int32_t>(in.Take(1));
            song->AddMeter({tick, numerator, static_cast<std::int32_t>(in.Take(1)), 24, 8});
            break;
        }
        case 2: {
            const std::int32_t tick = in.TakeTick();
            const auto sharpsFlats = static_cast<std::int8_t>(in.Take(1));
            song->AddKey({tick, sharpsFlats, static_cast<std::int32_t>(in.Take(1))});
            break;
        }
        case 3: {
            const int track = static_cast<int>(in.Take(1) % kTracks);
            const std::int32_t tick = in.TakeTick();
            song->GetTrack(track)->AddEvents({{tick, in.Take(4)}});
            break;
        }
        default: {
            const int track = static_cast<int>(in.Take(1) % kTracks);
            const std::int32_t tick = in.TakeTick();
            song->GetTrack(track)->AddLyric({tick, in.TakeText(in.Take(1))});
            break;
        }
        }
    }
    for (int id = 0; id < kTracks; ++id) {
        parser->MarkTrack(id);
        if (split && id == 1)
            parser->SetTrackKind(id, 2);
    }
    parser->Convert(song.get(), score.get());

    quaverly::fakes::FakePainter painter;
    const fuzz::EditorPtr handle = fuzz::NewEditor();
    auto& editor = static_cast<quaverly::ScoreEditor&>(*handle);
    editor.ImportScoreData(score.get());
    fuzz::DrawEveryPage(editor, painter);
    editor.PlaceCursorOnBar(0);
    editor.InputNote(3, 0, quaverly::kTicksPerQuarter, 0, 0, 0, 0);
    fuzz::DrawEveryPage(editor, painter);
    fuzz::UndoAndRedo(editor, painter);
    return 0;
}
