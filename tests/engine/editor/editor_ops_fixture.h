// The factory-made editor of EditorFixture with a new laid-out score of 20 bars (five
// lines of four bars on one page), and the helpers the edit-operation tests share:
// placing the cursor, typing notes the way the program hands them over (one input, then
// one run), reaching bars and notes, and reading the notices without the run's 22.
#pragma once

#include <memory>
#include <vector>

#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "tests/engine/editor/editor_fixture.h"

namespace quaverly::editor_test {

class EditorOpsFixture : public EditorFixture {
protected:
    // A new score of `staves` staves, four bars a line, laid out; no notices kept.
    void NewScore(int staves = 1) { NewTitledScore(u"练习曲", staves, 4); }

    std::shared_ptr<Bar> BarAt(int bar, int part = 0)
    {
        return std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*Editor().score, part, 0, bar));
    }
    std::shared_ptr<Part> PartAt(int part)
    {
        return std::dynamic_pointer_cast<Part>(GetElementAtPath2(*Editor().score, part, 0));
    }
    std::shared_ptr<Note> NoteAt(int bar, std::size_t index, int part = 0)
    {
        const auto found = BarAt(bar, part);
        return found && index < found->GetNotes().size() ? found->GetNotes()[index] : nullptr;
    }
    std::shared_ptr<SystemNode> LineAt(std::size_t index)
    {
        auto& lines = Editor().lines;
        return index < lines.size() ? std::dynamic_pointer_cast<SystemNode>(lines[index]) : nullptr;
    }

    // The cursor on score bar `bar` (wherever it is laid out) at `time`, in row `track`.
    void CursorOnBar(int bar, int time = 0, int track = 0)
    {
        ASSERT_TRUE(Editor().PlaceCursorOnBar(bar));
        Editor().cursor.timeInBar = time;
        Editor().cursor.track = track;
    }

    // One typed note, handed over and run as the program does.
    void Type(int code, int value = note_length::kQuarter, int octave = 0, int dots = 0,
              int accidental = 0, int grace = 0, int flags = 0)
    {
        handle->InputNote(code, octave, value, dots, accidental, grace, flags);
        Run();
    }
    // Types the codes one after the other from the cursor.
    void TypeAll(const std::vector<int>& codes, int value = note_length::kQuarter)
    {
        for (const int code : codes)
            Type(code, value);
    }

    // The pitch codes of the bar's notes, in order.
    std::vector<int> CodesOf(int bar, int part = 0)
    {
        std::vector<int> codes;
        if (const auto found = BarAt(bar, part))
            for (const auto& note : found->GetNotes())
                codes.push_back(note->GetPitchCode());
        return codes;
    }

    // The notices received, without the end-of-run notice 22.
    std::vector<int> Notices() const
    {
        std::vector<int> codes;
        for (const int code : listener.codes)
            if (code != EditorNoticeCode::PendingCommandsRun)
                codes.push_back(code);
        return codes;
    }
};

}  // namespace quaverly::editor_test
