// Score documents written by the engine itself, for the tests that open real files: a
// new score of the given parts, a melody typed into its first part, laid out as the
// program lays a loaded score out, saved.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/document_loader.h"
#include "engine/editor/editor_interface.h"
#include "engine/editor/new_score_settings.h"

namespace shell_test {

struct ScoreDocument {
    std::u16string title = u"茉莉花";
    int parts = 1;
    int tempo = 96;
    // The parts' MIDI channels are 0, 1, ... unless one is given here for all.
    int channel = -1;
    // Quarter notes typed in at the start: {degree 1-7, octave}.
    std::vector<std::pair<int, int>> melody;
};

// The opening of a well-known tune, two bars and a half.
inline const std::vector<std::pair<int, int>> kJasmine = {{3, 0}, {3, 0}, {5, 0}, {6, 0}, {1, 1}, {1, 1},
                                                          {6, 0}, {5, 0}, {5, 0}, {6, 0}, {5, 0}};

inline bool WriteScoreDocument(const std::filesystem::path& path, const ScoreDocument& document = {})
{
    quaverly::api::ScoreEditor* editor = create_quaverly_editor();
    if (!editor)
        return false;
    editor->SetPageContentSize(18500, 24700);
    quaverly::NewScoreSettings settings;
    settings.title = document.title;
    for (int i = 0; i < document.parts; ++i)
        settings.staves.push_back({0, false, document.channel >= 0 ? document.channel : i});
    editor->NewDocument(settings);
    const brindle::PageGeometry a4{793, 1122, 56, 94};  // at 96 dpi
    brindle::RunQueuedCommands(*editor, a4, nullptr);
    constexpr int kQuarter = 161280;
    for (const auto& [degree, octave] : document.melody) {
        editor->InputNote(degree + 1, octave, kQuarter, 0, 0, 0, 0);
        brindle::RunQueuedCommands(*editor, a4, nullptr);
    }
    quaverly::ScoreFileInfo info;
    info.tempo = document.tempo;
    info.page = {u"A4", 1, 297, 210, 15, 25, 10, 25};
    const bool saved = editor->SaveMusicXml(path.u16string(), info);
    editor->Destroy();
    return saved;
}

}  // namespace shell_test
