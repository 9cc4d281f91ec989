#include "app/mididev/midi_file_export.h"

#include <ios>
#include <memory>

#include "app/mididev/file_stream.h"
#include "app/mididev/midi_file_writer.h"
#include "app/mididev/playback_builder.h"
#include "midi/midi_data.h"

namespace brindle {

namespace {

struct ReleaseSong {
    void operator()(midi::MidiData* song) const { song->Release(); }
};

}  // namespace

bool ExportMidiFile(const tabulon::ScoreData& score, const std::filesystem::path& path)
{
    const std::unique_ptr<midi::MidiData, ReleaseSong> song(create_midi_data());
    if (!song)
        return false;
    PlaybackBuilder builder;
    builder.SetMidiData(song.get());
    builder.SetScoreData(&score);
    if (!builder.Build())
        return false;
    FileStream file(path, std::ios::out | std::ios::trunc | std::ios::binary);
    MidiFileWriter writer(song.get(), &file);
    if (!writer.Write())
        return false;
    file.Close();
    return file.IsGood();
}

}  // namespace brindle
