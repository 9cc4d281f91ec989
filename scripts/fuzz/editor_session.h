// What the score fuzz targets share: an editor made through the exported factory with a
// small laid-out score in it, and the steps a user's session takes after an edit (the
// queued commands run, every page drawn, the edit undone and redone).
#pragma once

#include <memory>

#include "engine/editor/editor_interface.h"
#include "engine/editor/new_score_settings.h"
#include "engine/model/note_time.h"
#include "tests/support/fake_painter.h"

namespace fuzz {

struct EditorDeleter {
    void operator()(quaverly::api::ScoreEditor* editor) const { editor->Destroy(); }
};
using EditorPtr = std::unique_ptr<quaverly::api::ScoreEditor, EditorDeleter>;

inline EditorPtr NewEditor()
{
    EditorPtr editor(create_quaverly_editor());
    editor->SetPageContentSize(16000, 24000);
    return editor;
}

// Every page drawn, the current page last.
inline void DrawEveryPage(quaverly::api::ScoreEditor& editor, quaverly::fakes::FakePainter& painter)
{
    editor.RunPendingCommands(&painter);
    const int current = editor.GetCurrentPage();
    for (int page = 0; page < editor.GetLastPageIndex(); ++page) {
        editor.SetCurrentPage(page);
        editor.Draw(&painter);
        painter.Clear();
    }
    editor.SetCurrentPage(current);
    editor.Draw(&painter);
    painter.Clear();
}

// The last edit undone and redone, the pages drawn after each.
inline void UndoAndRedo(quaverly::api::ScoreEditor& editor, quaverly::fakes::FakePainter& painter)
{
    editor.Undo();
    DrawEveryPage(editor, painter);
    editor.Redo();
    DrawEveryPage(editor, painter);
}

// A score of two parts, two bars of quarter notes typed into the first, laid out.
inline void MakeSmallScore(quaverly::api::ScoreEditor& editor, quaverly::fakes::FakePainter& painter)
{
    quaverly::NewScoreSettings settings;
    settings.title = u"fuzz";
    settings.staves.push_back({0, false, 0});
    settings.staves.push_back({0, false, 1});
    editor.NewDocument(settings);
    editor.RunPendingCommands(&painter);
    for (int i = 0; i < 8; ++i)
        editor.InputNote(2 + i % 7, i % 3 - 1, quaverly::kTicksPerQuarter, 0, 0, 0, 0);
    editor.RunPendingCommands(&painter);
    painter.Clear();
}

}  // namespace fuzz
