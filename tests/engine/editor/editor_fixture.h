// The editor made through the exported factory, with a recording listener and the fake
// painter, for the tests that drive the editor the way the program does. The page holds
// a heading and five lines of one staff at the fake painter's sizes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/new_score_settings.h"
#include "engine/editor/score_editor.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_listener.h"

namespace quaverly::editor_test {

struct EditorDeleter {
    void operator()(api::ScoreEditor* editor) const { api::DestroyEditor(editor); }
};
using EditorHandle = std::unique_ptr<api::ScoreEditor, EditorDeleter>;

// The fake painter's sizes: a heading 2500 high; a line of one staff 1219 + 700 + 1219.
inline constexpr int kHeading = 2500;
inline constexpr int kLine = 1219 + 700 + 1219;

// The notices of an edit that changed the score.
inline const std::vector<int> kChanged = {EditorNoticeCode::ContentChanged,
                                          EditorNoticeCode::DocumentModified};

class EditorFixture : public ::testing::Test {
protected:
    EditorFixture() : handle(create_quaverly_editor())
    {
        handle->SetListener(&listener);
        handle->SetPageContentSize(16000, kHeading + 5 * kLine + 100);
    }

    ScoreEditor& Editor() { return *static_cast<ScoreEditor*>(handle.get()); }

    // A new score titled `title` of `staves` staves, `barsPerLine` bars a line, laid out.
    void NewTitledScore(const std::u16string& title, int staves, int barsPerLine)
    {
        NewScoreSettings settings;
        settings.title = title;
        for (int s = 0; s < staves; ++s)
            settings.staves.push_back({0, false, s});
        settings.barsPerLine = barsPerLine;
        handle->NewDocument(settings);
        Run();
    }

    // Runs the queued commands and forgets the notices they sent.
    void Run()
    {
        handle->RunPendingCommands(&painter);
        listener.codes.clear();
    }

    EditorHandle handle;
    fakes::RecordingListener listener;
    fakes::FakePainter painter;
};

}  // namespace quaverly::editor_test
