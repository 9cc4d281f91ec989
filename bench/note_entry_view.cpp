// Entering one note as the score view does it: the editor's note input, then the view's
// page render, which runs the queued commands (the note goes in, the lines it touches
// are laid out again) with the program's drawing device and draws the current page into
// the view's page picture at the normal zoom. The score is the 4-part benchmark score
// laid out on its pages; the note goes into an empty bar of the first part five bars
// before the end, on the page that shows it. BM_EnterNoteView/N times input and render on
// a score of N bars; the entry is undone (untimed) after each run, so every entry meets
// the same score. The time must not grow with N.
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/bench_application.h"
#include "bench/laid_out_score_view.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note_time.h"

namespace {

using namespace quaverly;

void BM_EnterNoteView(benchmark::State& state)
{
    bench::EnsureApplication<QApplication>("bench_note_entry_view");
    const int bars = static_cast<int>(state.range(0));
    bench::LaidOutScoreView laid(bars);
    ScoreEditor& editor = *laid.editor;
    bench::BenchView& view = *laid.view;

    // A bar of the empty pattern in the first part.
    const int bar = bars - 6;
    if (!editor.PlaceCursorOnBar(bar)) {
        state.SkipWithError("the entry bar is not laid out");
        return;
    }
    editor.SetCurrentPage(editor.cursor.page);
    view.RequestPageRender();
    view.RenderPageBitmap();
    const CursorPosition start = editor.cursor;
    const auto target = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*editor.score, 0, 0, bar));
    if (!target) {
        state.SkipWithError("the entry bar is missing");
        return;
    }
    const std::size_t notesBefore = target->GetNotes().size();

    for (auto _ : state) {
        editor.InputNote(3, 0, note_length::kQuarter, 0, 0, 0, 0);
        view.RequestPageRender();
        view.RenderPageBitmap();

        state.PauseTiming();
        if (target->GetNotes().size() != notesBefore + 1) {
            state.SkipWithError("the note was not entered");
            break;
        }
        editor.Undo();
        view.RequestPageRender();
        view.RenderPageBitmap();
        editor.cursor = start;
        state.ResumeTiming();
    }
    state.counters["pages"] = editor.layout->GetChildCount();
}
BENCHMARK(BM_EnterNoteView)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->Arg(6400)
    ->Unit(benchmark::kMillisecond);

}  // namespace
