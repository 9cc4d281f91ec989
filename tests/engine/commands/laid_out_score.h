// An editor holding a score of `parts` parts of `bars` bars of four quarters each, laid
// out into lines and pages the way a new document is, and the painter it was measured
// with, for the command tests that need lines to look at.
#pragma once

#include <memory>

#include "engine/commands/edit_command.h"
#include "engine/commands/initial_layout_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/model/note_time.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/engine/layout/layout_test_score.h"
#include "tests/support/fake_painter.h"

namespace quaverly::command_test {

struct LaidOutScore {
    ScoreEditor editor;
    fakes::FakePainter painter;

    LaidOutScore(int parts, int bars)
    {
        editor.pageContentWidth = 16000;
        editor.pageContentHeight = 24000;
        FillScore(editor, parts, bars);
        for (int p = 0; p < parts; ++p)
            for (int b = 0; b < bars; ++b)
                layout_test::AddNotes(*BarAt(editor, p, b), 4, note_length::kQuarter);
        Run(std::make_shared<InitialLayoutCommand>(&editor));
        Run(std::make_shared<RelayoutScoreCommand>(&editor));
        Run(std::make_shared<ReflowLinesKeepCommand>(&editor));
    }

    // Does `command` once with the painter.
    void Run(const std::shared_ptr<EditCommand>& command)
    {
        command->SetPainter(&painter);
        command->Do();
    }
};

}  // namespace quaverly::command_test
