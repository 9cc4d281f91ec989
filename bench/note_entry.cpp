// Entering one note near the end of a laid-out score: the editor's note input queues the
// entry, and the run of the queued commands inserts the note, lays out again the lines
// it affects and reports the region to repaint, measured with the recording painter of
// the tests. The score is the 4-part benchmark score of BM_FullLayout. BM_EnterNote/N
// times the input and the run on a score of N bars; the entry is undone (untimed) after
// each run, so every entry meets the same score. The time must not grow with N.
#include <memory>

#include <benchmark/benchmark.h>

#include "bench/benchmark_score.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note_time.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"

namespace {

using namespace quaverly;

struct EditorDeleter {
    void operator()(ScoreEditor* editor) const { api::DestroyEditor(editor); }
};

// A bar of the empty pattern in the first part, five bars before the end.
int EntryBar(int bars)
{
    return bars - 6;
}

void BM_EnterNote(benchmark::State& state)
{
    const int bars = static_cast<int>(state.range(0));
    fakes::FakePainter painter;
    std::unique_ptr<ScoreEditor, EditorDeleter> editor(
        static_cast<ScoreEditor*>(create_quaverly_editor()));
    editor->score->SetTimeSignature({0, 4, 4, 1});
    bench::AppendParts(*editor->score, bars, bench::BarTies::EveryFourthBar);
    editor->SetPageContentSize(18500, 24700);
    editor->Repaginate();
    editor->RunPendingCommands(painter);

    const int bar = EntryBar(bars);
    if (!editor->PlaceCursorOnBar(bar)) {
        state.SkipWithError("the entry bar is not laid out");
        return;
    }
    editor->SetCurrentPage(editor->cursor.page);
    editor->RunPendingCommands(painter);
    const CursorPosition start = editor->cursor;
    const auto target = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*editor->score, 0, 0, bar));
    const std::size_t notesBefore = target->GetNotes().size();

    for (auto _ : state) {
        editor->InputNote(3, 0, note_length::kQuarter, 0, 0, 0, 0);
        editor->RunPendingCommands(painter);

        state.PauseTiming();
        if (target->GetNotes().size() != notesBefore + 1) {
            state.SkipWithError("the note was not entered");
            break;
        }
        editor->Undo();
        editor->RunPendingCommands(painter);
        editor->cursor = start;
        painter.Clear();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(editor->lines.size());
    state.counters["pages"] = editor->layout->GetChildCount();
}
BENCHMARK(BM_EnterNote)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
