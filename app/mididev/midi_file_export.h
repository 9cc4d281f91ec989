// The MIDI file export of a score: the score record built into a song of its own, so
// that the song the player may be reading is never touched, and written as a standard
// MIDI file.
#pragma once

#include <filesystem>
#include <string_view>

#include "scoredata/score_data.h"

namespace brindle {

// What the file dialog of the export offers.
inline constexpr std::u16string_view kMidiFileFilter = u"Midi Files(*.mid)|*.mid||";
inline constexpr std::u16string_view kMidiFileExtension = u"mid";
// Shown when the export failed.
inline constexpr std::u16string_view kMidiExportFailedMessage = u"导出MIDI文件失败！";

// Builds the score and writes the file (created or emptied first). False when the song
// cannot be made, the file cannot be opened or a write fails.
bool ExportMidiFile(const tabulon::ScoreData& score, const std::filesystem::path& path);

}  // namespace brindle
